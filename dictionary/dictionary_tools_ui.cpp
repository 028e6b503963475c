#include "dictionary/dictionary_tools_ui.h"

#include "common/file.h"
#include "dictionary/dictionary_batch_edits.h"
#include "dictionary/dictionary_statistics_window.h"
#include "dictionary/postag_search_window.h"
#include "dictionary/wordlist_extraction.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/preferences.h"
#include "kit/undo_redo_ui.h"

namespace {

void show_status(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text); }

void aborted() {
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  show_status(u"Aborted.");
}

bool refuse_empty_dictionary(const dictionary_document& dictionary) {
  if (!dictionary.list.empty()) return false;
  message_box(u"Warning!", u"No dictionary words found.", MB_ICON_WARNING);
  return true;
}

// The dictionary before a batch edit: its page kept for the undo snapshot.
list_document& entries_to_rewrite(dictionary_document& dictionary) {
  paged_list_first_row(dictionary.list);
  return dictionary.list;
}

// After a batch edit changed entries: the page, the labels, Undo.
void entries_rewritten(const dictionary_document& dictionary) {
  redraw_paged_list(dictionary.list);
  update_paged_list_labels(dictionary.list);
  update_undo_redo_buttons(dictionary.list);
}

}  // namespace

void extract_dictionary_wordlist(dictionary_document& dictionary, wordlist_extract_type type,
                                 const preferences& prefs) {
  show_status(u"Extracting wordlist... <ESC> to abort.");
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  if (refuse_empty_dictionary(dictionary)) return aborted();
  const aff_decode_cache& cache = dictionary.decode_cache();
  if (cache.aff_complex_prefixes == 1) {
    message_box(u"Warning!", u"COMPLEX PREFIXES not supported yet!", MB_ICON_WARNING);
    return aborted();
  }
  const wordlist_file_choice choice = wordlist_file_choice_for(type);
  text_t path = file_dialog_save(choice.title, u"", choice.pattern, 0);
  if (path.empty()) return aborted();
  path = with_extension(path, choice.extension);
  // Only Yes replaces a file; the old one stays until the new one is complete.
  if (file_size_by_path(path) >= 0 &&
      message_box(u"Warning!", u"File already exists! Overwrite it?", MB_YES_NO | MB_ICON_WARNING) != MB_ANSWER_YES)
    return aborted();
  const wordlist_extraction_result r =
      extract_wordlist_to_file(dictionary.list, cache, type, path, prefs.applied.ask_after_n_words,
                               prefs.applied.number_separator_chr, main_window_job_host());
  if (r.write_failed) message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
}

void sort_dictionary_word_flags(dictionary_document& dictionary, text_view separator) {
  if (refuse_empty_dictionary(dictionary)) return;
  const aff_decode_cache& cache = dictionary.decode_cache();
  const sort_flags_result r =
      sort_dictionary_flags(entries_to_rewrite(dictionary), cache, separator, main_window_job_host());
  if (r.aborted) return;
  entries_rewritten(dictionary);
  message_box(u"Warning!", sort_flags_summary(r, separator), MB_ICON_INFORMATION);
}

void remove_dictionary_word_comments(dictionary_document& dictionary, text_view separator) {
  if (refuse_empty_dictionary(dictionary)) return;
  if (message_box(u"Warning!", u"This will remove all the comments\nof the words in the .DIC\n\nContinue?",
                  MB_YES_NO | MB_ICON_WARNING) == MB_ANSWER_NO)
    return aborted();
  const remove_comments_result r =
      remove_dictionary_comments(entries_to_rewrite(dictionary), separator, main_window_job_host());
  if (r.aborted) return;
  entries_rewritten(dictionary);
  if (r.removed > 0) {
    message_box(u"Information!",
                u"Comments in words removed:" + string_format_number(0, u".", separator, double(r.removed)),
                MB_ICON_INFORMATION);
  } else {
    message_box(u"Warning!", u"No comments in words found!", MB_ICON_WARNING);
  }
}

void fix_dictionary_word_spaces(dictionary_document& dictionary) {
  show_status(u"Fix Invalid Spaces... <ESC> to abort.");
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  if (refuse_empty_dictionary(dictionary)) return aborted();
  const fix_spaces_result r = fix_dictionary_spaces(entries_to_rewrite(dictionary), main_window_job_host());
  if (r.aborted || r.null_line > 0) return;
  if (r.fixed == 0) {
    message_box(u"Warning!", u"No spaces to fix found!", MB_ICON_WARNING);
    return;
  }
  entries_rewritten(dictionary);
}

void register_dictionary_tool_commands(dictionary_document& dictionary, statistics_options& statistics,
                                       postag_search& tag_search, const preferences& prefs, tool_registry& tools) {
  const text_t& separator = prefs.applied.number_separator_chr;
  const std::pair<int, wordlist_extract_type> extractions[] = {
      {MENU_EXTRACT_ALL_TXT, EXTRACT_ALL_TXT},
      {MENU_EXTRACT_ALL_CSV, EXTRACT_ALL_CSV},
      {MENU_EXTRACT_COMPOUNDS_TXT, EXTRACT_COMPOUNDS_TXT},
      {MENU_EXTRACT_COMPOUNDS_LT, EXTRACT_COMPOUNDS_LANGUAGETOOL}};
  for (const auto& [item, type] : extractions)
    tools.set_command(item, [&dictionary, &prefs, type] { extract_dictionary_wordlist(dictionary, type, prefs); });
  tools.set_command(MENU_SORT_FLAGS, [&dictionary, &separator] { sort_dictionary_word_flags(dictionary, separator); });
  tools.set_command(MENU_REMOVE_COMMENTS,
                    [&dictionary, &separator] { remove_dictionary_word_comments(dictionary, separator); });
  tools.set_command(MENU_DICTIONARY_FIX_SPACES, [&dictionary] { fix_dictionary_word_spaces(dictionary); });
  register_postag_search_commands(dictionary, tag_search, tools);
  register_statistics_commands(dictionary, statistics, prefs, tools);
}
