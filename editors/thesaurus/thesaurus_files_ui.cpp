#include "editors/thesaurus/thesaurus_files_ui.h"

#include "editors/thesaurus/synonym_editor_window.h"
#include "editors/thesaurus/thesaurus_commands_ui.h"
#include "editors/thesaurus/thesaurus_entry.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/preferences.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <cstdint>

namespace {

const char16_t kThesaurusPattern[] = u"Thesaurus (*.dat)|*.dat";

void report(const thesaurus_file_result& r) {
  if (!r.message.empty()) {
    message_box(r.title, r.message, r.title == u"Warning!" ? MB_ICON_WARNING : MB_ICON_ERROR);
  }
  if (!r.status_text.empty()) show_main_status(r.status_text);
}

// After the document changed its file: labels, recent files, menu.
void file_known(const text_t& path) { document_file_known(TAB_THESAURUS, path); }

}  // namespace

void load_thesaurus(thesaurus_document_record& thesaurus, const preferences& prefs, const text_t& given_path) {
  show_main_status(u"Loading Thesaurus... <ESC> to abort.");
  reset_main_progress();
  // A box closed without an answer keeps the unsaved work.
  if (thesaurus.list.changed() &&
      message_box(u"Warning!", u"The Thesaurus has been changed.\n\nContinue?",
                  MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO) !=
          MB_ANSWER_YES) {
    return;
  }
  text_t path = given_path;
  if (path.empty()) path = request_existing_file(u"Open Thesaurus", kThesaurusPattern, u".dat", thesaurus.list.path());
  if (path.empty()) {
    show_main_aborted();
    return;
  }
  const thesaurus_file_result checked = check_thesaurus_file(path);
  if (checked.status != thesaurus_file_status::ok) {
    report(checked);
    return;
  }
  if (!confirm_non_utf8_bom_file(path, charset_declaration::first_line)) return;

  // The synonym count follows the entries read while the job runs.
  auto show_count = [&prefs](int64_t read) {
    set_gadget_text_if_changed(THESAURUS_STATUS_LABEL, list_status_label_text(u"# Synonyms:", u"Synonym: [", read, -1,
                                                                              prefs.applied.number_separator_chr));
  };
  const thesaurus_file_result r = load_thesaurus_pair(path, main_window_job_host(), thesaurus.list, thesaurus.encoding, show_count);
  if (r.status != thesaurus_file_status::ok) {
    report(r);
    update_thesaurus_status_label();
    return;
  }
  // The document holds the new thesaurus with empty histories; its page
  // followed the count.
  update_undo_redo_buttons(TAB_THESAURUS);
  update_paged_list_labels(TAB_THESAURUS);
  file_known(path);
  show_main_status(r.status_text);
}

void save_thesaurus(thesaurus_document_record& thesaurus, int use_current_path, int save_as) {
  show_main_status(u"Saving Thesaurus... <ESC> to abort.");
  reset_main_progress();
  list_document& doc = thesaurus.list;
  if (doc.empty()) {
    message_box(u"Warning!", u"No synonyms found.", MB_ICON_WARNING);
    show_main_aborted();
    return;
  }
  text_t target = use_current_path == 1 ? doc.path() : text_t();
  if (target.empty() || save_as == 1) {
    target = request_save_path(u"Save Thesaurus", kThesaurusPattern, u".dat", doc.path());
    if (target.empty()) {
      show_main_aborted();
      return;
    }
  }
  const thesaurus_file_result r = save_thesaurus_pair(target, doc, thesaurus.encoding, main_window_job_host());
  if (r.status != thesaurus_file_status::ok) {
    report(r);
    return;
  }
  update_thesaurus_status_label();
  file_known(target);
  show_main_status(r.status_text);
}

void register_thesaurus_editor(thesaurus_document_record& thesaurus, document_kind& kind, const preferences& prefs) {
  set_paged_list_document(kind, thesaurus.list);
  kind.paged.count_word = u"# Synonyms:";
  kind.paged.position_word = u"Synonym: [";
  kind.path = [&thesaurus] { return thesaurus.list.path(); };
  kind.changed = [&thesaurus] { return thesaurus.list.changed(); };
  kind.document_name = u"Thesaurus";
  kind.load = [&thesaurus, &prefs](const text_t& path) { load_thesaurus(thesaurus, prefs, path); };
  kind.save = [&thesaurus](save_choice c) {
    save_thesaurus(thesaurus, c == save_choice::save ? 1 : 0, c == save_choice::save_as ? 1 : 0);
  };
  kind.savable = [&thesaurus] { return thesaurus.list.count() > 0; };
  // An erased thesaurus is saved as UTF-8.
  kind.erased = [&thesaurus] { thesaurus.encoding = u"UTF-8"; };
  // Match extra searches an entry's meanings, as many as its header counts.
  kind.find_reader.extra_line_count = [](text_view header) { return thesaurus_meaning_count(header); };
  register_thesaurus_list_commands(kind.entries);
  register_synonym_editor_commands(thesaurus.list, prefs, kind.entries);
}
