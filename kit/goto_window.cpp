#include "kit/goto_window.h"

#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/goto_position.h"
#include "kit/id_blocks.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/window_helpers.h"

using namespace goto_ids;

static_assert(ids_in_block(GOTO_BLOCK, {GOTO_WINDOW, GOTO_ENTRY, GOTO_OK, GOTO_CANCEL}));

namespace {

constexpr int GOTO_MAX_DIGITS = 8;
text_t confirmed_text;

}  // namespace

const text_t& goto_dialog_text() { return confirmed_text; }

void show_goto_dialog(const goto_list& list) {
  if (list.count <= 0) {
    message_box(u"Warning!", u"No " + list.kind + u" found.", MB_ICON_WARNING);
    return;
  }
  window_set_disabled(list.parent, 1);
  if (!window_open(GOTO_WINDOW, GUI_KEEP, GUI_KEEP, 345, 99, goto_dialog_title(list.kind, list.count),
                   TOOL_WINDOW_FLAGS, window_widget(list.parent))) {
    window_set_disabled(list.parent, 0);
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  gadget_create_entry_ex(GOTO_ENTRY, 12, 12, 320, 24, confirmed_text, ENTRY_NUMERIC);
  gadget_set_attribute(GOTO_ENTRY, ATTR_MAX_LENGTH, GOTO_MAX_DIGITS);
  const int button_y = 89 - static_cast<int>(image_button_height);
  create_image_button_at(GOTO_OK, 22, button_y, static_cast<int>(image_button_width),
                         static_cast<int>(image_button_height), IMAGE_OK, 0, u"OK", 0);
  create_image_button_right_of(GOTO_CANCEL, GOTO_OK, static_cast<int>(image_button_width),
                               static_cast<int>(image_button_height), IMAGE_CANCEL, 10, u"Cancel", 0);
  shortcut_add(GOTO_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(GOTO_WINDOW, KEY_RETURN, SHORTCUT_RETURN);
  colour_invalid_number_field(GOTO_ENTRY, 1, 1, list.count);
  gadget_set_focus(GOTO_ENTRY);

  run_modal_loop(GOTO_WINDOW, [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;
    if (e.is_menu(SHORTCUT_RETURN)) event_post(EVENT_GADGET, GOTO_WINDOW, GOTO_OK);
    if (e.is_gadget(GOTO_ENTRY) && e.subtype == SUBTYPE_CHANGE) colour_invalid_number_field(GOTO_ENTRY, 1, 1, list.count);
    if (e.is_gadget(GOTO_CANCEL)) return modal_step::close;
    if (e.is_gadget(GOTO_OK)) {
      const text_t text = gadget_get_text(GOTO_ENTRY);
      const int64_t index = goto_index_for_text(text, list.count);
      if (index < 0) {
        message_box(u"Warning!", goto_out_of_range_message(list.count), MB_ICON_WARNING);
        return modal_step::stay;
      }
      if (list.jump) list.jump(index);
      confirmed_text = text;
      return modal_step::close;
    }
    return modal_step::stay;
  });
  end_modal_window(GOTO_WINDOW, list.parent, modal_end_order::close_window_first);
}

void show_goto_dialog_for(const document_kind& kind) {
  if (!kind.searchable) return;
  goto_list list;
  list.kind = kind.goto_name;
  list.count = paged_list_document(kind).count();
  list.parent = MAIN_WINDOW;
  // The chosen entry becomes the first visible row, selected.
  list.jump = [&kind](int64_t index) { show_paged_list_position(kind, index, index); };
  show_goto_dialog(list);
}
