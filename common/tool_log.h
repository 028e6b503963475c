// The shared log of the tool windows that report entry by entry (the
// dictionary duplicates window, the -ise/-ize window): a window copies its
// log view into tool_log_text, a pass appends its lines, and the window
// shows the text again at the end.
#pragma once

#include "common/text.h"

extern text_t tool_log_text;
// Appends line + LF.
void append_tool_log_line(text_view line);
