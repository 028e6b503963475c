#include "editors/autocorrect/autocorrect_files_ui.h"

#include "editors/autocorrect/autocorrect_commands_ui.h"
#include "editors/autocorrect/autocorrect_editor_window.h"
#include "editors/autocorrect/autotext_file.h"
#include "editors/autocorrect/block_list_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_file_flow.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/main_window_hooks.h"
#include "kit/preferences.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <vector>

namespace {

constexpr list_file_kind kAutocorrectFile{                                          .name = u"Autocorrect List",
                                          .pattern = u"Autocorrect List (*.xml)|*.xml",
                                          .extension = u".xml",
                                          .status_label = AUTOCORRECT_STATUS_LABEL,
                                          .count_word = u"# Autocorrects:",
                                          .position_word = u"Autocorrect: ["};

// True for a result that succeeded; any other is reported with its box and
// status text.
bool succeeded(const block_list_result& r) {
  if (r.status == block_list_status::ok) return true;
  if (!r.message.empty()) message_box(r.message_title, r.message, r.message_flags);
  if (!r.status_text.empty()) show_main_status(r.status_text);
  return false;
}

// False after a missing file's boxes.
bool xml_file_found(const text_t& path) {
  if (check_file_exists(path, u".XML file not found.")) return true;
  show_main_status(u"File not found.");
  return false;
}

// The requester's path, or the given one; "" after "Aborted." or a missing
// file's boxes.
text_t existing_file(const text_t& given, const text_t& title, const text_t& pattern, const text_t& current_file) {
  text_t path = given.empty() ? request_existing_file(title, pattern, u".xml", current_file) : given;
  if (path.empty()) {
    show_main_aborted();
    return {};
  }
  return xml_file_found(path) ? path : text_t();
}

// After a load or save: the tab's file labels, the recent files, the status.
void file_known(const document_kind& kind, const text_t& path, const block_list_result& r) {
  document_file_known(kind, path);
  show_main_status(r.status_text);
}

int ask(text_view title, text_view text, int flags) { return message_box(text_t(title), text_t(text), flags); }

void fill_autotext_list(const autotext_document_record& autotext) {
  const std::vector<autotext_record>& records = autotext.records;
  std::vector<text_t> rows;
  rows.reserve(records.size());
  for (size_t i = 0; i < records.size(); ++i) rows.push_back(autotext_row_text(static_cast<int64_t>(i), records[i]));
  gadget_clear_items(AUTOTEXT_LIST);
  gadget_add_items(AUTOTEXT_LIST, rows);
  gadget_set_item_color(AUTOTEXT_LIST, -1, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
  set_gadget_text_if_changed(AUTOTEXT_STATUS_LABEL,
                             u"# AutoTexts:" + string_from_int(static_cast<int64_t>(records.size())));
}

}  // namespace

void load_autocorrect_list(autocorrect_document_record& autocorrect, const document_kind& kind,
                           const preferences& prefs, const text_t& given_path) {
  if (!start_list_load(kAutocorrectFile, autocorrect.list, true)) return;
  const text_t path = list_load_path(kAutocorrectFile, autocorrect.list, given_path);
  if (path.empty() || !xml_file_found(path) || !confirm_non_utf8_bom_file(path)) return;

  const block_list_result r = load_autocorrect_list_file(path, main_window_job_host(), autocorrect.list, ask,
                                                         list_load_counter(kAutocorrectFile, prefs));
  if (!succeeded(r)) {
    update_paged_list_status_label(kind);
    return;
  }
  finish_list_load(kind, path, r.status_text);
}

void save_autocorrect_list(autocorrect_document_record& autocorrect, const document_kind& kind,
                           const preferences& prefs, int use_current_path, int save_as) {
  start_list_save(kAutocorrectFile);
  list_document& doc = autocorrect.list;
  if (!succeeded(check_autocorrect_list_save(doc))) return;
  const text_t target = list_save_target(kAutocorrectFile, doc, use_current_path, save_as);
  if (target.empty()) return;
  const block_list_result r = save_autocorrect_list_file(target, doc, prefs.applied.autocorrect_spaces_on_left, main_window_job_host());
  if (!succeeded(r)) return;
  finish_list_save(kind, target, r.status_text);
}

void load_autotext_list(autotext_document_record& autotext, const document_kind& kind, const text_t& given_path) {
  show_main_status(u"Loading AutoText List... <ESC> to abort.");
  reset_main_progress();
  const text_t path = existing_file(given_path, u"Open AutoText List", u"BlockList.xml (*.xml)|*.xml", autotext.path);
  if (path.empty()) return;
  const block_list_result r = load_autotext_list_file(path, main_window_job_host(), autotext);
  if (!succeeded(r)) return;
  fill_autotext_list(autotext);
  file_known(kind, path, r);
}

void show_autotext_record(const autotext_document_record& autotext, int64_t row) {
  const std::vector<autotext_record>& records = autotext.records;
  if (row < 0 || row >= static_cast<int64_t>(records.size())) return;
  const autotext_record& r = records[static_cast<size_t>(row)];
  set_gadget_text_if_changed(AUTOTEXT_RULE1_LABEL, u":" + r.abbreviated_name);
  set_gadget_text_if_changed(AUTOTEXT_RULE2_LABEL, u":" + r.name);
  gadget_set_text(AUTOTEXT_VIEW, r.text);
}

void register_autocorrect_commands(autocorrect_document_record& autocorrect, document_kind& autocorrect_kind,
                                   autotext_document_record& autotext, document_kind& autotext_kind,
                                   const preferences& prefs) {
  set_paged_list_document(autocorrect_kind, autocorrect.list);
  autocorrect_kind.paged.count_word = kAutocorrectFile.count_word;
  autocorrect_kind.paged.position_word = kAutocorrectFile.position_word;
  autocorrect_kind.paged.colours = row_colours::correction_pairs;
  autocorrect_kind.paged.return_edits = true;
  autocorrect_kind.path = [&autocorrect] { return autocorrect.list.path(); };
  autotext_kind.path = [&autotext] { return autotext.path; };
  autocorrect_kind.changed = [&autocorrect] { return autocorrect.list.changed(); };
  autocorrect_kind.document_name = u"Autocorrect";
  autocorrect_kind.load = [&autocorrect, &autocorrect_kind, &prefs](const text_t& path) {
    load_autocorrect_list(autocorrect, autocorrect_kind, prefs, path);
  };
  autocorrect_kind.save = [&autocorrect, &autocorrect_kind, &prefs](save_choice c) {
    save_autocorrect_list(autocorrect, autocorrect_kind, prefs, c == save_choice::save ? 1 : 0, c == save_choice::save_as ? 1 : 0);
  };
  autocorrect_kind.savable = [&autocorrect] { return autocorrect.list.count() > 0; };
  register_autocorrect_list_commands(autocorrect_kind);
  register_autocorrect_editor_commands(autocorrect.list, autocorrect_kind.entries);
  autotext_kind.load = [&autotext, &autotext_kind](const text_t& path) { load_autotext_list(autotext, autotext_kind, path); };
  // A click on a record shows it.
  autotext_kind.row_views = {{AUTOTEXT_LIST, [&autotext](int64_t row, row_click click) {
                                if (click == row_click::single) show_autotext_record(autotext, row);
                              }}};
  // A rebuilt main window shows the collection again.
  set_main_window_build_step("autotext list", [&autotext] { fill_autotext_list(autotext); });
}
