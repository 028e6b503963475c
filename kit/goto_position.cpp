#include "kit/goto_position.h"

text_t goto_dialog_title(text_view kind, int64_t count) {
  return u"Goto " + text_t(kind) + u" position (1:" + string_from_int(count) + u")";
}

int64_t goto_index_for_text(text_view text, int64_t count) {
  const int64_t p = string_to_int(text);
  return p < 1 || p > count ? -1 : p - 1;
}

text_t goto_out_of_range_message(int64_t count) { return u"Position must be between 1:" + string_from_int(count); }
