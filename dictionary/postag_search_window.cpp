#include "dictionary/postag_search_window.h"

#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_job_host.h"
#include "kit/window_helpers.h"

using namespace postag_search_ids;

namespace {

constexpr int kImageExtract = 30026, kImageClose = 30036;

void keep_options(postag_search& options) {
  options.text = gadget_get_text(TEXT);
  options.match_case = gadget_get_state(MATCH_CASE) == 1;
  options.full_match = gadget_get_state(FULL_MATCH) == 1;
}

void build_window(const postag_search& options) {
  gadget_create_entry(TEXT, 12, 18, 340, static_cast<int>(string_gadget_height), options.text);
  use_language_font(TEXT);
  const int below = bottom_of(TEXT) + 6;
  gadget_create_checkbox(MATCH_CASE, 15, below, 200, static_cast<int>(check_box_height), u"Match case");
  gadget_create_checkbox(FULL_MATCH, 15, below + static_cast<int>(check_box_height) + 4, 200,
                         static_cast<int>(check_box_height), u"Full match");
  gadget_set_state(MATCH_CASE, options.match_case ? 1 : 0);
  gadget_set_state(FULL_MATCH, options.full_match ? 1 : 0);
  const int list_x = right_of(TEXT) + 20;
  gadget_create_column_list(LIST, list_x, 18, 795 - list_x, 300, u"Words & postags/comments", 795 - list_x - 8);
  use_language_font(LIST);
  gadget_create_label(FOUND_LABEL, list_x, bottom_of(LIST) + 4, 300, static_cast<int>(text_gadget_height), u"Found:0");
  const int y = 400 - static_cast<int>(image_button_height);
  create_image_button_at(EXTRACT, 10, y, static_cast<int>(image_button_width), static_cast<int>(image_button_height),
                         kImageExtract, 0, u"Extract words (.txt)", 0);
  create_image_button_right_of(CLOSE, EXTRACT, static_cast<int>(image_button_width),
                               static_cast<int>(image_button_height), kImageClose, 20, u"Close", 0);
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  gadget_set_focus(TEXT);
}

void extract_matches(const dictionary_document& dictionary, postag_search& options) {
  keep_options(options);
  if (options.text.empty()) {
    message_box(u"Warning!", u"No text to find.", MB_ICON_WARNING);
    return;
  }
  const list_document& doc = dictionary.list;
  tool_window_job_host host({.window = WINDOW});
  const postag_search_result found = find_entries_by_postag(doc, options, host);
  if (found.aborted) return;
  if (found.matches.empty()) {
    message_box(u"Warning!", u"No matches found.", MB_ICON_WARNING);
    return;
  }
  const text_t path = request_save_path(u"Extract Words", u"Extract Words (*.txt)|*.txt", u".txt", doc.path());
  if (path.empty()) {
    status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Aborted.");
    return;
  }
  std::vector<text_t> rows;
  rows.reserve(found.matches.size());
  for (int64_t i : found.matches) rows.push_back(postag_match_row(doc.entry(i)));
  gadget_clear_items(LIST);
  gadget_add_items(LIST, rows);
  gadget_set_text(FOUND_LABEL, u"Found:" + string_from_int(static_cast<int64_t>(rows.size())));
  fit_gadget_to_content(FOUND_LABEL);
  if (!write_postag_matches(doc, found.matches, path)) {
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
  }
}

}  // namespace

void extract_words_by_postag(const dictionary_document& dictionary, postag_search& options) {
  window_set_disabled(MAIN_WINDOW, 1);
  if (!window_open(WINDOW, 0, 0, 805, 410, u"Extract with specifid postags/comments .DIC", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    window_set_disabled(MAIN_WINDOW, 0);
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  build_window(options);
  run_modal_loop(WINDOW, [&](const modal_event& e) {
    // The close box closes as Close does.
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE) || e.is_gadget(CLOSE)) return modal_step::close;
    if (e.is_gadget(EXTRACT)) extract_matches(dictionary, options);
    return modal_step::stay;
  });
  keep_options(options);
  end_modal_window(WINDOW, MAIN_WINDOW, modal_end_order::close_window_first);
}

void register_postag_search_commands(const dictionary_document& dictionary, postag_search& options,
                                     tool_registry& tools) {
  tools.set_command(MENU_EXTRACT_BY_TAGS, [&dictionary, &options] { extract_words_by_postag(dictionary, options); });
}
