#include "editors/thesaurus/thesaurus_tools_ui.h"

#include "editors/thesaurus/thesaurus_duplicates_window.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

namespace {

void show_status(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text); }

void start(const text_t& text) {
  show_status(text);
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
}

// The snapshot keeps the page that is shown.
list_document& synonyms(thesaurus_document_record& thesaurus) {
  paged_list_first_row(thesaurus.list);
  return thesaurus.list;
}

// The refusals and the end notices; then the page, its labels and the
// Undo button, which the run may have armed.
void after(const thesaurus_document_record& thesaurus, const thesaurus_tool_result& r) {
  if (r.message_flags == 16 && r.aborted) show_status(u"Aborted.");
  if (!r.message.empty()) message_box(r.message_title, r.message, r.message_flags);
  paged_list_count_changed(thesaurus.list);
  redraw_paged_list(thesaurus.list);
  update_paged_list_labels(thesaurus.list);
  update_undo_redo_buttons(thesaurus.list);
}

// Window 571; false when the user did not press OK.
bool ask_clean_symbols_options(clean_symbols_options& choice) {
  using namespace clean_symbols_ids;
  if (!window_open(WINDOW, 0, 0, 330, 150, u"Clean up symbols", TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return false;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  constexpr int height = 21;  // the check-box height of the other windows
  gadget_create_checkbox(REMOVE_DASH_BAR, 10, 19, 270, height, u"-|       ; Replace with NOTHING");
  gadget_create_checkbox(BAR_TO_SPACE, 10, 39, 270, height, u"|        ; Replace with a SPACE");
  gadget_create_checkbox(REMOVE_BRACKETS, 10, 59, 270, height, u"(...)    ; Replace with NOTHING");
  gadget_set_state(REMOVE_DASH_BAR, choice.remove_dash_bar ? 1 : 0);
  gadget_set_state(BAR_TO_SPACE, choice.bar_to_space ? 1 : 0);
  gadget_set_state(REMOVE_BRACKETS, choice.remove_brackets ? 1 : 0);
  gadget_create_button(OK, 66, 105, 90, static_cast<int>(button_height), u"OK");
  gadget_create_button(CANCEL, 166, 105, 90, static_cast<int>(button_height), u"Cancel");
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_RETURN, SHORTCUT_RETURN);
  int answer = 0;  // 1 OK, 2 Cancel, 3 Escape or closed
  run_modal_loop(WINDOW, [&](const modal_event& e) {
    choice = {gadget_get_state(REMOVE_DASH_BAR) != 0, gadget_get_state(BAR_TO_SPACE) != 0,
              gadget_get_state(REMOVE_BRACKETS) != 0};
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) answer = 3;
    if (e.is_gadget(OK)) answer = 1;
    if (e.is_gadget(CANCEL)) answer = 2;
    return close_when(answer != 0);
  });
  window_close(WINDOW);
  if (answer == 2) start(u"OK.");
  if (answer != 1) window_set_disabled(MAIN_WINDOW, 0);
  return answer == 1;
}

bool refuse_empty(const thesaurus_document_record& thesaurus) {
  if (!thesaurus.list.empty()) return false;
  message_box(u"Warning!", u"No synonyms found.", MB_ICON_WARNING);
  show_status(u"Aborted.");
  return true;
}

}  // namespace

void fix_thesaurus_spaces(thesaurus_document_record& thesaurus, text_view separator) {
  start(u"Fix Invalid Spaces... <ESC> to abort.");
  after(thesaurus, fix_thesaurus_entry_spaces(synonyms(thesaurus), separator, main_window_job_host()));
}

void sort_or_unduplicate_meanings(thesaurus_document_record& thesaurus, int sort, int unduplicate) {
  start((sort ? text_t(u"Sort") : text_t(u"Unduplicate")) + u" meanings... <ESC> to abort.");
  after(thesaurus, sort_or_unduplicate_thesaurus_meanings(synonyms(thesaurus), sort != 0, unduplicate != 0, main_window_job_host()));
}

void clean_thesaurus_symbols(thesaurus_document_record& thesaurus, clean_symbols_options& choice, text_view separator) {
  start(u"Clean up. 1/3: Extracting... <ESC> to abort.");
  if (refuse_empty(thesaurus)) return;
  if (!ask_clean_symbols_options(choice)) return;
  const thesaurus_tool_result r = clean_thesaurus_entry_symbols(synonyms(thesaurus), choice, separator, main_window_job_host());
  after(thesaurus, r);
  window_set_disabled(MAIN_WINDOW, 0);
  window_activate(MAIN_WINDOW);
}

void extract_thesaurus_to_file(const thesaurus_document_record& thesaurus, int book, text_view separator) {
  start(u"Extracting Thesaurus... <ESC> To abort.");
  if (refuse_empty(thesaurus)) return;
  const list_document& doc = thesaurus.list;
  // Only the file the user confirmed is replaced, and only once it is whole.
  const text_t target = request_save_path(book ? u"Extract Thesaurus to file (Book)" : u"Extract Thesaurus to file",
                                          u"Text Documents (*.txt)|*.txt", u".txt", doc.path());
  if (target.empty()) {
    show_status(u"Aborted.");
    return;
  }
  const thesaurus_tool_result r = extract_thesaurus(doc, target, book != 0, separator, main_window_job_host());
  if (!r.message.empty()) message_box(r.message_title, r.message, r.message_flags);
}

void sort_thesaurus_by_meaning_count(thesaurus_document_record& thesaurus, text_view separator) {
  start(u"Sorting Thesaurus on number...");
  after(thesaurus, sort_thesaurus_on_meaning_count(synonyms(thesaurus), separator, main_window_job_host()));
}

void combine_synonyms(thesaurus_document_record& thesaurus) {
  start(u"Combine. 1/3: Extracting... <ESC> to abort.");
  after(thesaurus, combine_thesaurus_synonyms(synonyms(thesaurus), main_window_job_host()));
}

void register_thesaurus_tool_commands(thesaurus_document_record& thesaurus, clean_symbols_options& clean_symbols,
                                      const preferences& prefs, tool_registry& tools) {
  const text_t& separator = prefs.applied.number_separator_chr;
  tools.set_command(MENU_THESAURUS_FIX_SPACES, [&thesaurus, &separator] { fix_thesaurus_spaces(thesaurus, separator); });
  tools.set_command(MENU_SORT_MEANINGS, [&thesaurus] { sort_or_unduplicate_meanings(thesaurus, 1, 0); });
  tools.set_command(MENU_DEDUPLICATE_MEANINGS, [&thesaurus] { sort_or_unduplicate_meanings(thesaurus, 0, 1); });
  tools.set_command(MENU_CLEAN_SYMBOLS, [&thesaurus, &clean_symbols, &separator] {
    clean_thesaurus_symbols(thesaurus, clean_symbols, separator);
  });
  tools.set_command(MENU_EXTRACT_SYNONYMS_TXT,
                    [&thesaurus, &separator] { extract_thesaurus_to_file(thesaurus, 0, separator); });
  tools.set_command(MENU_EXTRACT_SYNONYMS_BOOK,
                    [&thesaurus, &separator] { extract_thesaurus_to_file(thesaurus, 1, separator); });
  tools.set_command(MENU_SORT_ON_NUMBERS,
                    [&thesaurus, &separator] { sort_thesaurus_by_meaning_count(thesaurus, separator); });
  tools.set_command(MENU_COMBINE_MEANINGS, [&thesaurus] { combine_synonyms(thesaurus); });
  tools.set_command(MENU_THESAURUS_DUPLICATES,
                    [&thesaurus, &separator] { show_thesaurus_duplicates_window(thesaurus.list, separator); });
}
