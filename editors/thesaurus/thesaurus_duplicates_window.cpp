#include "editors/thesaurus/thesaurus_duplicates_window.h"

#include "editors/thesaurus/thesaurus_tools.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <vector>

namespace {

using namespace thesaurus_duplicates_ids;

constexpr int WIDTH = 625, HEIGHT = 307;
constexpr char16_t kNothing[] = u"Nothing to display";

void show_status(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text); }

void build(const thesaurus_duplicates_scan& scan) {
  gadget_create_column_list(LIST, 5, 5, 260, 260, u"Synonym", 155);
  gadget_add_column(LIST, 1, u"Position", 100);
  use_language_font(LIST);
  std::vector<text_t> rows;
  rows.reserve(scan.rows.size());
  for (const thesaurus_duplicate_row& r : scan.rows) rows.push_back(r.header + u"\n" + string_from_int(r.position + 1));
  gadget_add_items(LIST, rows);
  gadget_create_label(PREVIEW_LABEL, 275, 5, 100, 18, u"Preview");
  gadget_create_text_view_ex(PREVIEW, 275, 27, 340, 238, TEXT_VIEW_READ_ONLY);
  use_language_font(PREVIEW);
  gadget_set_text(PREVIEW, kNothing);
  const int h = static_cast<int>(button_height);
  gadget_create_button(DISPLAY, 10, 270, 90, h, u"Display");
  gadget_create_button(MERGE, 305, 270, 92, h, u"Merge");
  gadget_create_button(EXPORT, 405, 270, 100, h, u"Export");
  gadget_create_button(CLOSE, 515, 270, 80, h, u"Close");
  gadget_create_label(FOUND_LABEL, 115, 270, 180, 18, u"Found:" + string_from_int(static_cast<int64_t>(scan.rows.size())));
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
}

int selected_row(const thesaurus_duplicates_scan& scan) {
  const int row = gadget_get_state(LIST);
  return row >= 0 && row < static_cast<int>(scan.rows.size()) ? row : -1;
}

void show_preview(const thesaurus_duplicates_scan& scan) {
  const int row = selected_row(scan);
  const text_t text = row < 0 ? text_t(kNothing) : scan.rows[static_cast<size_t>(row)].preview + u"\r\n";
  if (gadget_get_text(PREVIEW) != text) gadget_set_text(PREVIEW, text);
}

// The entry of the row becomes the first row of the main list's page.
void display(list_document& doc, const thesaurus_duplicates_scan& scan) {
  const int row = selected_row(scan);
  if (row < 0) return;
  const int64_t index = scan.rows[static_cast<size_t>(row)].position;
  show_paged_list_position(doc, index, index);
}

void export_rows(const list_document& doc, const thesaurus_duplicates_scan& scan, text_view separator) {
  if (scan.rows.empty()) return;
  const text_t target = request_save_path(u"Export Duplicates to file", u"Text Documents (*.txt)|*.txt", u".txt",
                                          doc.path());
  if (target.empty()) return;
  if (!export_thesaurus_duplicates(scan.rows, target, separator)) {
    message_box(u"Error!", u"Can't write the file:\n" + target + u"\n\nThe old file is kept.", MB_ICON_ERROR);
  }
}

void merge(list_document& doc, thesaurus_duplicates_scan scan, text_view separator) {
  paged_list_first_row(doc);  // the snapshot keeps the page that is shown
  const thesaurus_tool_result r =
      merge_thesaurus_duplicates(doc, std::move(scan), separator, main_window_job_host());
  if (!r.message.empty()) message_box(r.message_title, r.message, r.message_flags);
  if (r.changed) {
    paged_list_count_changed(doc);
    redraw_paged_list(doc);
    update_paged_list_labels(doc);
    update_undo_redo_buttons(doc);
  }
}

}  // namespace

void show_thesaurus_duplicates_window(list_document& doc, text_view separator) {
  show_status(u"Show duplicates. 1/2: Extracting... <ESC> to abort.");
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  if (doc.empty()) {
    message_box(u"Warning!", u"No synonyms found.", MB_ICON_WARNING);
    show_status(u"Aborted.");
    return;
  }
  if (doc.count() == 1) {
    message_box(u"Warning!", u"No duplicates found.", MB_ICON_WARNING);
    return;
  }
  thesaurus_duplicates_scan scan = scan_thesaurus_duplicates(doc, main_window_job_host());
  if (scan.aborted) return;
  if (scan.rows.empty()) {
    message_box(u"Warning!", u"No duplicates found.", MB_ICON_WARNING);
    return;
  }
  if (!window_open(WINDOW, 0, 0, WIDTH, HEIGHT, u"Show/Merge Duplicates", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  build(scan);
  const auto on_event = [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;
    if (e.type != EVENT_GADGET) return modal_step::stay;
    switch (e.object) {
      case LIST:
        show_preview(scan);
        if (e.subtype == SUBTYPE_DOUBLE_CLICK) display(doc, scan);
        break;
      case DISPLAY: display(doc, scan); break;
      case EXPORT: export_rows(doc, scan, separator); break;
      case MERGE:
        window_set_hidden(WINDOW, 1);
        merge(doc, std::move(scan), separator);
        return modal_step::close;
      case CLOSE: return modal_step::close;
      default: break;
    }
    return modal_step::stay;
  };
  run_modal_loop(WINDOW, on_event,
                 {.before_wait = [&] { gadget_set_disabled(DISPLAY, selected_row(scan) < 0 ? 1 : 0); }});
  end_modal_window(WINDOW, MAIN_WINDOW);
}
