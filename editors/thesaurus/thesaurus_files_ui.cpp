#include "editors/thesaurus/thesaurus_files_ui.h"

#include "editors/thesaurus/synonym_editor_window.h"
#include "editors/thesaurus/thesaurus_commands_ui.h"
#include "editors/thesaurus/thesaurus_entry.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_file_flow.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/preferences.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <cstdint>

namespace {

constexpr list_file_kind kThesaurusFile{                                        .name = u"Thesaurus",
                                        .pattern = u"Thesaurus (*.dat)|*.dat",
                                        .extension = u".dat",
                                        .status_label = THESAURUS_STATUS_LABEL,
                                        .count_word = u"# Synonyms:",
                                        .position_word = u"Synonym: ["};

void report(const thesaurus_file_result& r) {
  if (!r.message.empty()) {
    message_box(r.title, r.message, r.title == u"Warning!" ? MB_ICON_WARNING : MB_ICON_ERROR);
  }
  if (!r.status_text.empty()) show_main_status(r.status_text);
}

}  // namespace

void load_thesaurus(thesaurus_document_record& thesaurus, const document_kind& kind, const preferences& prefs,
                    const text_t& given_path) {
  // Declining the question leaves the status text as it is.
  if (!start_list_load(kThesaurusFile, thesaurus.list, false)) return;
  const text_t path = list_load_path(kThesaurusFile, thesaurus.list, given_path);
  if (path.empty()) return;
  const thesaurus_file_result checked = check_thesaurus_file(path);
  if (checked.status != thesaurus_file_status::ok) {
    report(checked);
    return;
  }
  if (!confirm_non_utf8_bom_file(path, charset_declaration::first_line)) return;

  const thesaurus_file_result r = load_thesaurus_pair(path, main_window_job_host(), thesaurus.list, thesaurus.encoding,
                                                      list_load_counter(kThesaurusFile, prefs));
  if (r.status != thesaurus_file_status::ok) {
    report(r);
    update_paged_list_status_label(kind);
    return;
  }
  finish_list_load(kind, path, r.status_text);
}

void save_thesaurus(thesaurus_document_record& thesaurus, const document_kind& kind, int use_current_path, int save_as) {
  start_list_save(kThesaurusFile);
  list_document& doc = thesaurus.list;
  if (doc.empty()) {
    message_box(u"Warning!", u"No synonyms found.", MB_ICON_WARNING);
    show_main_aborted();
    return;
  }
  const text_t target = list_save_target(kThesaurusFile, doc, use_current_path, save_as);
  if (target.empty()) return;
  const thesaurus_file_result r = save_thesaurus_pair(target, doc, thesaurus.encoding, main_window_job_host());
  if (r.status != thesaurus_file_status::ok) {
    report(r);
    return;
  }
  finish_list_save(kind, target, r.status_text);
}

void register_thesaurus_editor(thesaurus_document_record& thesaurus, document_kind& kind, const preferences& prefs) {
  set_paged_list_document(kind, thesaurus.list);
  kind.paged.count_word = kThesaurusFile.count_word;
  kind.paged.position_word = kThesaurusFile.position_word;
  kind.path = [&thesaurus] { return thesaurus.list.path(); };
  kind.changed = [&thesaurus] { return thesaurus.list.changed(); };
  kind.document_name = u"Thesaurus";
  kind.load = [&thesaurus, &kind, &prefs](const text_t& path) { load_thesaurus(thesaurus, kind, prefs, path); };
  kind.save = [&thesaurus, &kind](save_choice c) {
    save_thesaurus(thesaurus, kind, c == save_choice::save ? 1 : 0, c == save_choice::save_as ? 1 : 0);
  };
  kind.savable = [&thesaurus] { return thesaurus.list.count() > 0; };
  // An erased thesaurus is saved as UTF-8.
  kind.erased = [&thesaurus] { thesaurus.encoding = u"UTF-8"; };
  // Match extra searches an entry's meanings, as many as its header counts.
  kind.find_reader.extra_line_count = [](text_view header) { return thesaurus_meaning_count(header); };
  register_thesaurus_list_commands(kind);
  register_synonym_editor_commands(thesaurus.list, prefs, kind.entries);
}
