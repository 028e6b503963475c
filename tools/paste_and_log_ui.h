// The layout that Bulk Import and the possessive-names import share: the
// pasted text and the log side by side, the input's Process, Clear, Go to
// bottom and Go to top buttons, and the log's index check box and spin.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <initializer_list>

struct paste_and_log_ids {
  int input = 0;
  int log = 0;
  int process = 0;
  int clear = 0;
  int input_bottom = 0;
  int input_top = 0;
  int log_bottom = 0;  // placed by the window
  int log_top = 0;
  int log_index = 0;   // built by build_log_index
  int log_start = 0;
};
void build_paste_and_log(const paste_and_log_ids& ids, const text_t& input_tooltip, text_view resolution);
// Clear, the four caret buttons and the log index check box (which sets
// log_index_enabled and the spin's state); false for any other gadget.
bool handle_paste_and_log_gadget(const paste_and_log_ids& ids, int gadget, int64_t& log_index_enabled);

// The check box "Log Index Starting at:" (on) and its spin (1 to 9999999,
// showing 1) at (x, y). The buttons of the same row, left to right, are
// moved right as far as needed to stand clear of the spin.
void build_log_index(int check, int spin, int x, int y, std::initializer_list<int> row_buttons);
