#include "tools/paste_and_log_ui.h"

#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/window_helpers.h"

namespace {
constexpr int kProcessImage = 30042;
constexpr int kLogIndexMax = 9999999;
}  // namespace

void build_paste_and_log(const paste_and_log_ids& ids, const text_t& input_tooltip, text_view resolution) {
  const int ew = static_cast<int>(scale_extra_width_for(resolution, 50));
  const int eh = static_cast<int>(scale_extra_height_for(resolution, 100));
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  gadget_create_text_view(ids.input, 10, 10, 485 + ew, 390 + eh);
  gadget_set_tooltip(ids.input, input_tooltip);
  use_language_font(ids.input);
  gadget_create_text_view(ids.log, right_of(ids.input) + 20, 10, 485 + ew, 390 + eh);
  gadget_set_tooltip(ids.log, u"Output to be placed in log file.");
  use_language_font(ids.log);
  create_image_button_below(ids.process, ids.input, bw, bh, kProcessImage, 10, u"Process", 0);
  create_image_button_right_of(ids.clear, ids.process, bw, bh, IMAGE_CLEAR, 15, u"Clear", 0);
  create_image_button_right_of(ids.input_bottom, ids.clear, bw, bh, IMAGE_GO_BOTTOM, 25, u"Go to bottom", 0);
  create_image_button_right_of(ids.input_top, ids.input_bottom, bw, bh, IMAGE_GO_TOP, 5, u"Go to top", 0);
}

void build_log_index(int check, int spin, int x, int y, std::initializer_list<int> row_buttons) {
  gadget_create_checkbox(check, x, y, 180, static_cast<int>(check_box_height), u"Log Index Starting at:");
  gadget_set_state(check, 1);
  gadget_create_spin(spin, right_of(check) + 5, y, 100, static_cast<int>(spin_gadget_height), 1, kLogIndexMax,
                     SPIN_NUMERIC);
  gadget_set_state(spin, 1);
  gadget_set_tooltip(spin, u"For log file.");
  // The spin reaches into the buttons' column: they move, it keeps its size.
  if (row_buttons.size() == 0) return;
  const int shift = right_of(spin) + 10 - gadget_x(*row_buttons.begin());
  if (shift <= 0) return;
  for (int g : row_buttons) gadget_move_resize(g, gadget_x(g) + shift, GUI_KEEP, GUI_KEEP, GUI_KEEP);
}

bool handle_paste_and_log_gadget(const paste_and_log_ids& ids, int gadget, int64_t& log_index_enabled) {
  if (gadget == 0) return false;
  if (gadget == ids.clear) {
    gadget_set_text(ids.input, u"");
  } else if (gadget == ids.input_bottom || gadget == ids.log_bottom) {
    gadget_set_cursor_position(gadget == ids.input_bottom ? ids.input : ids.log, INT64_MAX);
  } else if (gadget == ids.input_top || gadget == ids.log_top) {
    // "Go to top" leaves the caret after the first character, as elsewhere.
    gadget_set_cursor_position(gadget == ids.input_top ? ids.input : ids.log, 1);
  } else if (gadget == ids.log_index) {
    log_index_enabled = gadget_get_state(ids.log_index) ? 1 : 0;
    gadget_set_disabled(ids.log_start, log_index_enabled ? 0 : 1);
  } else {
    return false;
  }
  return true;
}
