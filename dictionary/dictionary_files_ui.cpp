#include "dictionary/dictionary_files_ui.h"

#include "common/file.h"
#include "dictionary/dic_file.h"
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
#include <memory>
#include <utility>

namespace {

constexpr list_file_kind kDictionaryFile{                                         .name = u"Dictionary",
                                         .pattern = u"Dictionary (*.dic)|*.dic",
                                         .extension = u".dic",
                                         .status_label = DICTIONARY_STATUS_LABEL,
                                         .count_word = u"# Words:",
                                         .position_word = u"Word: ["};

// The box of a refused or failed load or save; the status text is the
// result's own.
void report(const dic_file_result& r, int icon) {
  if (!r.message.empty()) message_box(dic_file_message_title(r.status), r.message, icon);
  if (!r.status_text.empty()) show_main_status(r.status_text);
}

// Save As into a name whose .aff exists (beside a .dic that does not) would
// replace that .aff without a word: ask as for the .dic. Only Yes goes on.
bool confirm_replacing_aff(const text_t& dic_target) {
  const text_t aff_target = dictionary_aff_path(dic_target);
  if (file_size_by_path(aff_target) < 0) return true;
  return message_box(u"Warning!", u"File already exists! Overwrite it?\n\n" + aff_target,
                     MB_YES_NO | MB_ICON_WARNING) == MB_ANSWER_YES;
}

}  // namespace

void attach_aff_editor(dictionary_document& dictionary) {
  // The editor revision the document's text was last taken from or shown at.
  auto taken = std::make_shared<uint64_t>(0);
  aff_editor_link link;
  link.take_edits = [taken](text_t& into) {
    if (!gadget_exists(AFF_EDITOR)) return false;
    const uint64_t revision = gadget_get_text_revision(AFF_EDITOR);
    if (revision == *taken) return false;
    into = gadget_get_text(AFF_EDITOR);
    *taken = revision;
    return true;
  };
  link.show = [taken](const text_t& text) {
    if (!gadget_exists(AFF_EDITOR)) return;
    gadget_set_text(AFF_EDITOR, text);
    *taken = gadget_get_text_revision(AFF_EDITOR);
  };
  dictionary.attach_aff_editor(std::move(link));
}

void load_dictionary(dictionary_document& dictionary, const document_kind& kind, const preferences& prefs,
                     const text_t& given_path) {
  if (!start_list_load(kDictionaryFile, dictionary.list, true)) return;
  const text_t path = list_load_path(kDictionaryFile, dictionary.list, given_path);
  if (path.empty()) return;
  const dic_file_result checked = check_dictionary_pair(path);
  if (checked.status != dic_file_status::ok) {
    report(checked, MB_ICON_ERROR);
    return;
  }
  if (!confirm_non_utf8_bom_file(dictionary_aff_path(path), charset_declaration::aff_set_line)) return;

  text_t aff_text;
  const dic_file_result r = load_dictionary_pair(path, main_window_job_host(), dictionary.list, aff_text,
                                                 list_load_counter(kDictionaryFile, prefs));
  if (r.status != dic_file_status::ok) {
    report(r, MB_ICON_ERROR);
    update_paged_list_status_label(kind);
    return;
  }
  dictionary.set_aff_text(std::move(aff_text));
  finish_list_load(kind, path, r.status_text);
}

void save_dictionary(dictionary_document& dictionary, const document_kind& kind, int use_current_path, int save_as) {
  start_list_save(kDictionaryFile);
  list_document& doc = dictionary.list;
  const text_t aff_text = dictionary.aff_text();
  const dic_file_result refused = check_dictionary_save(doc, aff_text);
  if (refused.status != dic_file_status::ok) {
    report(refused, MB_ICON_WARNING);
    return;
  }
  const text_t target = list_save_target(kDictionaryFile, doc, use_current_path, save_as, [](const text_t& t) {
    return file_size_by_path(t) >= 0 || confirm_replacing_aff(t);
  });
  if (target.empty()) return;
  const dic_file_result r = save_dictionary_pair(target, doc, aff_text, main_window_job_host());
  if (r.status != dic_file_status::ok) {
    report(r, MB_ICON_ERROR);
    return;
  }
  // The editor shows the .aff as saved: its SET line now says UTF-8.
  if (!r.replaced_encoding.empty() || r.set_line_added) {
    dictionary.set_aff_text(aff_text_as_saved(doc, aff_text));
    doc.mark_saved(target);
  }
  finish_list_save(kind, target, r.status_text);
}

void register_dictionary_file_commands(dictionary_document& dictionary, document_kind& kind, const preferences& prefs) {
  attach_aff_editor(dictionary);
  kind.path = [&dictionary] { return dictionary.list.path(); };
  kind.load = [&dictionary, &kind, &prefs](const text_t& path) { load_dictionary(dictionary, kind, prefs, path); };
  kind.save = [&dictionary, &kind](save_choice c) {
    save_dictionary(dictionary, kind, c == save_choice::save ? 1 : 0, c == save_choice::save_as ? 1 : 0);
  };
  kind.savable = [&dictionary] { return dictionary.list.count() > 0; };
  kind.paged.count_word = kDictionaryFile.count_word;
  kind.paged.position_word = kDictionaryFile.position_word;
  kind.paged.colours = row_colours::dictionary_words;
  kind.paged.return_edits = true;
  kind.changed = [&dictionary] { return dictionary.list.changed(); };
  kind.document_name = u"Dictionary";
}
