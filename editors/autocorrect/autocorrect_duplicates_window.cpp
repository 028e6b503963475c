#include "editors/autocorrect/autocorrect_duplicates_window.h"

#include "common/format.h"
#include "editors/autocorrect/autocorrect_tools.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <vector>

namespace {

using namespace autocorrect_duplicates_ids;

constexpr int WIDTH = 465, HEIGHT = 350;

void show_status(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text); }

void build(const autocorrect_duplicates_scan& scan, text_view separator) {
  gadget_create_column_list(LIST, 5, 5, 453, 260, u"Word", 200);
  gadget_add_column(LIST, 1, u"Occurrences", 100);
  use_language_font(LIST);
  std::vector<text_t> rows;
  rows.reserve(scan.rows.size());
  for (const autocorrect_duplicate_row& r : scan.rows) rows.push_back(r.incorrect + u"\n" + string_from_int(r.occurrences));
  gadget_add_items(LIST, rows);
  gadget_create_button(DELETE, 155, 270, 100, 28, u"Delete");
  gadget_create_button(XDELETE, 155, 308, 100, 28, u"XDelete");
  gadget_create_button(EXPORT, 265, 270, 100, 28, u"Export");
  gadget_create_button(CLOSE, 375, 270, 80, 28, u"Close");
  gadget_create_label(FOUND_LABEL, 10, 270, 180, 18,
                      u"Found:" + format_count(static_cast<int64_t>(scan.rows.size()), separator));
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
}

// Delete or XDelete after the question; true when the list was rewritten.
bool remove_duplicates(list_document& doc, const autocorrect_duplicates_scan& scan, bool exclusive,
                       text_view separator) {
  const text_t question = exclusive ? u"Really eXclusive delete duplicates?\n(notice this will sort the array)"
                                    : u"Really delete duplicates?\n(notice this will sort the array)";
  if (message_box(u"Warning!", question, MB_YES_NO | MB_ICON_WARNING) != MB_ANSWER_YES) return false;
  paged_list_first_row(doc);  // the snapshot keeps the page that is shown
  remove_autocorrect_duplicates(doc, scan.sorted, exclusive, separator, main_window_job_host());
  redraw_paged_list(doc);
  update_paged_list_labels(doc);
  update_undo_redo_buttons(doc);
  return true;
}

void export_rows(const list_document& doc, const autocorrect_duplicates_scan& scan, text_view separator) {
  const text_t target = request_save_path(u"Export Duplicates to file", u"Text Documents (*.txt)|*.txt", u".txt",
                                          doc.path());
  if (target.empty()) return;
  if (!export_autocorrect_duplicates(scan.rows, target, separator)) {
    message_box(u"Error!", u"Can't write the file:\n" + target + u"\n\nThe old file is kept.", MB_ICON_ERROR);
  }
}

}  // namespace

void show_autocorrect_duplicates_window(list_document& doc, text_view separator) {
  show_status(u"Show duplicates. 1/2: Extracting... <ESC> to abort.");
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  if (doc.empty()) {
    message_box(u"Warning!", u"No autocorrects found.", MB_ICON_WARNING);
    show_status(u"Aborted.");
    return;
  }
  const autocorrect_duplicates_scan scan = scan_autocorrect_duplicates(doc, separator, main_window_job_host());
  if (scan.aborted) return;
  if (scan.rows.empty()) {
    message_box(u"Warning!", u"No duplicates found.", MB_ICON_WARNING);
    return;
  }
  if (!window_open(WINDOW, 0, 0, WIDTH, HEIGHT, u"Show Duplicates", TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  build(scan, separator);
  run_modal_loop(WINDOW, [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;
    if (e.type != EVENT_GADGET) return modal_step::stay;
    switch (e.object) {
      case CLOSE: return modal_step::close;
      case DELETE: return close_when(remove_duplicates(doc, scan, false, separator));
      case XDELETE: return close_when(remove_duplicates(doc, scan, true, separator));
      case EXPORT: export_rows(doc, scan, separator); break;
      default: break;
    }
    return modal_step::stay;
  });
  end_modal_window(WINDOW, MAIN_WINDOW);
}
