#include "editors/autocorrect/autocorrect_tools_ui.h"

#include "editors/autocorrect/autocorrect_duplicates_window.h"
#include "editors/autocorrect/autocorrect_tools.h"
#include "editors/autocorrect/autocorrect_validate_window.h"
#include "gui/gui.h"
#include "kit/ids.h"
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
list_document& autocorrects(autocorrect_document_record& autocorrect) {
  paged_list_first_row(autocorrect.list);
  return autocorrect.list;
}

// The refusals and the end notices; then the page, its labels and the
// Undo button, which the run may have armed.
void after(const autocorrect_document_record& autocorrect, const autocorrect_tool_result& r) {
  if (r.message_flags == 16 && r.aborted) show_status(u"Aborted.");
  if (!r.message.empty()) message_box(r.message_title, r.message, r.message_flags);
  redraw_paged_list(autocorrect.list);
  update_paged_list_labels(autocorrect.list);
  update_undo_redo_buttons(autocorrect.list);
}

}  // namespace

void fix_autocorrect_spaces(autocorrect_document_record& autocorrect, text_view separator) {
  start(u"Fix Invalid Spaces... <ESC> to abort.");
  after(autocorrect, fix_autocorrect_list_spaces(autocorrects(autocorrect), separator, main_window_job_host()));
}

void clean_autocorrect_hex_symbols(autocorrect_document_record& autocorrect, text_view separator) {
  start(u"Clean hex symbols... <ESC> to abort.");
  after(autocorrect, clean_autocorrect_list_hex_symbols(autocorrects(autocorrect), separator, main_window_job_host()));
}

void extract_autocorrect_list_to_file(const autocorrect_document_record& autocorrect, text_view separator) {
  start(u"Extracting Autocorrect List... <ESC> to abort.");
  const list_document& doc = autocorrect.list;
  if (doc.empty()) {
    message_box(u"Warning!", u"No autocorrect words found.", MB_ICON_WARNING);
    show_status(u"Aborted.");
    return;
  }
  // Only the file the user confirmed is replaced, and only once it is whole.
  const text_t target =
      request_save_path(u"Extract Autocorrect List to file", u"Text Documents (*.txt)|*.txt", u".txt", doc.path());
  if (target.empty()) {
    show_status(u"Aborted.");
    return;
  }
  const autocorrect_tool_result r = extract_autocorrect_list(doc, target, separator, main_window_job_host());
  if (!r.message.empty()) message_box(r.message_title, r.message, r.message_flags);
}

void register_autocorrect_tool_commands(autocorrect_document_record& autocorrect, dictionary_document& dictionary,
                                        const preferences& prefs, tool_registry& tools) {
  const text_t& separator = prefs.applied.number_separator_chr;
  tools.set_command(MENU_AUTOCORRECT_FIX_SPACES,
                    [&autocorrect, &separator] { fix_autocorrect_spaces(autocorrect, separator); });
  tools.set_command(MENU_CLEAN_HEX_SYMBOLS,
                    [&autocorrect, &separator] { clean_autocorrect_hex_symbols(autocorrect, separator); });
  tools.set_command(MENU_EXTRACT_AUTOCORRECTS,
                    [&autocorrect, &separator] { extract_autocorrect_list_to_file(autocorrect, separator); });
  tools.set_command(MENU_AUTOCORRECT_DUPLICATES,
                    [&autocorrect, &separator] { show_autocorrect_duplicates_window(autocorrect.list, separator); });
  // Validate rebuilds the decode cache with the main window's controls off.
  tools.set_command(
      MENU_AC_VALIDATE,
      [&autocorrect, &dictionary, &prefs] { show_autocorrect_validate_window(autocorrect.list, dictionary, prefs); },
      [&dictionary] { dictionary.decode_cache(); });
}
