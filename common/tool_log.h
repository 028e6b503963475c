// The log text of the tool windows that keep one (the dictionary duplicates
// window and the -ise/-ize window): the core appends lines, the window shows
// the whole text in its log editor.
#pragma once

#include "common/text.h"

extern text_t tool_log_text;

// tool_log_text := tool_log_text + text + LF.
void append_tool_log_line(text_view text);
