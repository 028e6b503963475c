// The log of a tool window that reports entry by entry (the dictionary
// duplicates window, the -ise/-ize window). The window owns it and shows its
// text; a pass appends its lines and calls show() where the window should
// bring its view up to date.
#pragma once

#include "common/text.h"

#include <functional>

struct tool_log {
  text_t text;
  std::function<void()> shown;  // run by show(); empty when nothing shows the log

  // Appends line + LF.
  void append_line(text_view line) {
    text.append(line);
    text.push_back(u'\n');
  }
  void show() const {
    if (shown) shown();
  }
};
