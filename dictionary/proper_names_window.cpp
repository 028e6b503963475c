#include "dictionary/proper_names_window.h"

#include "dictionary/proper_names.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_job_host.h"
#include "kit/window_helpers.h"

#include <vector>

namespace {

using namespace proper_names_ids;

constexpr int WIDTH = 1000, HEIGHT = 600;

void status(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text); }

bool build_result_window() {
  if (!window_open(PROPER_NAMES_WINDOW, 0, 0, WIDTH, HEIGHT, u"Extracted Proper Names", HIDDEN_TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    return false;
  }
  gadget_create_column_list(PROPER_NAMES_LIST, 10, 10, 980, 505, u"Line #", 105);
  gadget_add_column(PROPER_NAMES_LIST, 1, u"Words", 200);
  gadget_add_column(PROPER_NAMES_LIST, 2, u"Postags/Comments", 370);
  use_language_font(PROPER_NAMES_LIST);
  gadget_create_label(PROPER_NAMES_COUNT, 10, 10 + 505 + 10, 0, 18, u"Extracted:0");
  fit_gadget_to_content(PROPER_NAMES_COUNT);
  const int bw = static_cast<int>(button_width), bh = static_cast<int>(button_height);
  gadget_create_button(PROPER_NAMES_CLOSE, WIDTH / 2 - bw / 2, HEIGHT - 10 - bh, bw, bh, u"Close");
  return true;
}

void show_result_window(const proper_names_result& r) {
  window_set_disabled(MAIN_WINDOW, 1);
  set_gadget_text_if_changed(PROPER_NAMES_COUNT, u"Extracted:" + string_from_int(static_cast<int64_t>(r.rows.size())));
  std::vector<text_t> rows;
  rows.reserve(r.rows.size());
  for (const proper_name_row& row : r.rows) rows.push_back(string_from_int(row.index) + u"\n" + row.entry);
  gadget_add_items(PROPER_NAMES_LIST, rows);
  gadget_set_item_color(PROPER_NAMES_LIST, -1, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
  window_set_hidden(PROPER_NAMES_WINDOW, 0);
  shortcut_add(PROPER_NAMES_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  run_modal_loop(PROPER_NAMES_WINDOW, [](const modal_event& e) {
    return close_when(e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE) || e.is_gadget(PROPER_NAMES_CLOSE));
  });
  shortcut_remove(PROPER_NAMES_WINDOW, KEY_ESCAPE);
  window_set_disabled(MAIN_WINDOW, 0);
}

}  // namespace

void extract_proper_names(const dictionary_document& dictionary) {
  const list_document& doc = dictionary.list;
  status(u"Extracting Proper Names... <ESC> to abort.");
  if (doc.empty()) {
    message_box(u"Warning!", u"No dictionary words found.", MB_ICON_WARNING);
    status(u"Aborted.");
    return;
  }
  const text_t path = request_save_path(u"Extract Proper Names", u"Proper Names (*.txt)|*.txt", u".txt", doc.path());
  if (path.empty()) {
    status(u"Aborted.");
    return;
  }
  if (!build_result_window()) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    status(u"Aborted.");
    return;
  }
  const proper_names_result r = extract_proper_names_to_file(doc, path, main_window_job_host());
  if (r.write_failed) show_error(r.message);
  if (!r.aborted && !r.write_failed && !r.rows.empty()) show_result_window(r);
  window_close(PROPER_NAMES_WINDOW);
  window_activate(MAIN_WINDOW);
}

void register_proper_names_commands(const dictionary_document& dictionary, tool_registry& tools) {
  tools.set_command(MENU_PROPER_NAMES, [&dictionary] { extract_proper_names(dictionary); });
}
