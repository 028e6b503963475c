#include "common/tool_log.h"

text_t tool_log_text;

void append_tool_log_line(text_view text) {
  tool_log_text.append(text);
  tool_log_text.push_back(u'\n');
}
