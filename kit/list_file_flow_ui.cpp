#include "kit/list_file_flow.h"

#include "gui/gui.h"
#include "kit/list_view_ui.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

bool start_list_load(const list_file_kind& kind, const list_document& doc, bool aborted_on_decline) {
  show_main_status(u"Loading " + text_t(kind.name) + u"... <ESC> to abort.");
  reset_main_progress();
  // A box closed without an answer keeps the unsaved work.
  if (doc.changed() && message_box(u"Warning!", u"The " + text_t(kind.name) + u" has been changed.\n\nContinue?",
                                   MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO) != MB_ANSWER_YES) {
    if (aborted_on_decline) show_main_aborted();
    return false;
  }
  return true;
}

text_t list_load_path(const list_file_kind& kind, const list_document& doc, const text_t& given_path) {
  const text_t path =
      given_path.empty() ? request_existing_file(u"Open " + text_t(kind.name), kind.pattern, kind.extension, doc.path())
                         : given_path;
  if (path.empty()) show_main_aborted();
  return path;
}

std::function<void(int64_t)> list_load_counter(const list_file_kind& kind, const preferences& prefs) {
  return [&kind, &prefs](int64_t read) {
    set_gadget_text_if_changed(kind.status_label, list_status_label_text(kind.count_word, kind.position_word, read, -1,
                                                                         prefs.applied.number_separator_chr));
  };
}

void finish_list_load(const document_kind& document, const text_t& path, const text_t& status_text) {
  const list_document& doc = paged_list_document(document);
  update_undo_redo_buttons(doc);
  update_paged_list_labels(doc);
  document_file_known(document, path);
  show_main_status(status_text);
}

void start_list_save(const list_file_kind& kind) {
  show_main_status(u"Saving " + text_t(kind.name) + u"... <ESC> to abort.");
  reset_main_progress();
}

text_t list_save_target(const list_file_kind& kind, const list_document& doc, int use_current_path, int save_as,
                        const std::function<bool(const text_t&)>& confirm_requested) {
  text_t target = use_current_path == 1 ? doc.path() : text_t();
  if (target.empty() || save_as == 1) {
    target = request_save_path(u"Save " + text_t(kind.name), kind.pattern, kind.extension, doc.path());
    if (target.empty() || (confirm_requested && !confirm_requested(target))) {
      show_main_aborted();
      return {};
    }
  }
  return target;
}

void finish_list_save(const document_kind& document, const text_t& target, const text_t& status_text) {
  update_paged_list_status_label(document);
  document_file_known(document, target);
  show_main_status(status_text);
}
