// The two inline tools of the Dictionary Tools menu: the duplicates word
// list (a job on window 0, then window 523) and Sort tags .AFF.
#include "common/format.h"
#include "dictionary/aff_tag_sort.h"
#include "dictionary/dictionary_duplicates_window.h"
#include "dictionary/wordlist_duplicates.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/main_job_host.h"
#include "kit/manual_anchors.h"
#include "kit/window_helpers.h"

using namespace wordlist_duplicates_ids;

namespace {


void export_rows(const dictionary_document& dictionary, const std::vector<wordlist_duplicate_row>& rows,
                 text_view separator) {
  const text_t path = request_save_path(u"Export Duplicates to file", u"Text Documents (*.txt)|*.txt", u".txt",
                                        dictionary.list.path());
  if (path.empty()) return;
  tool_window_job_host host({.window = WINDOW});
  if (export_wordlist_duplicates(rows, path, separator, host) == line_export_status::write_failed)
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
}

}  // namespace

void show_duplicates_wordlist(dictionary_document& dictionary, const preferences& prefs) {
  const text_t& separator = prefs.applied.number_separator_chr;
  const aff_decode_cache& cache = dictionary.decode_cache();
  const wordlist_duplicates_result r = find_wordlist_duplicates(dictionary.list, cache, main_window_job_host(),
                                                                prefs.applied.ask_after_n_words, separator);
  if (r.status != wordlist_duplicates_status::ok) return;
  if (r.rows.empty()) {
    message_box(u"Warning!", u"No duplicates found.", MB_ICON_WARNING);
    return;
  }
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, 675, 349, u"Show Duplicates in wordlist", TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  gadget_create_column_list(LIST, 5, 5, 660, 260, u"Word", 200);
  gadget_add_column(LIST, -1, u"Occurrences", 100);
  gadget_add_column(LIST, -1, u"Lines", 250);
  use_language_font(LIST);
  std::vector<text_t> rows;
  rows.reserve(r.rows.size());
  for (const wordlist_duplicate_row& row : r.rows)
    rows.push_back(row.word + u"\n" + format_count(row.occurrences, separator) + u"\n" + row.lines);
  gadget_add_items(LIST, rows);
  create_image_button_at(EXPORT, 205, 295, 44, 44, IMAGE_EXPORT, 0, u"Export", 0);
  create_image_button_right_of(CLOSE, EXPORT, 44, 44, IMAGE_CLOSE, 30, u"Close", 0);
  gadget_create_label(FOUND_LABEL, 10, 270, 0, 0,
                      u"Found:" + format_count(static_cast<int64_t>(r.rows.size()), separator) + u"/" + format_count(r.expanded_words, separator));
  fit_gadget_to_content(FOUND_LABEL);
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_HELP);
  window_activate(WINDOW);

  run_modal_loop(WINDOW, [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE) || e.is_gadget(CLOSE)) return modal_step::close;
    if (e.is_menu(SHORTCUT_HELP)) open_manual_page(manual_anchor_duplicates_wordlist);
    if (e.is_gadget(EXPORT)) export_rows(dictionary, r.rows, separator);
    return modal_step::stay;
  });
  end_modal_window(WINDOW, MAIN_WINDOW);
}

void sort_aff_tags_command(dictionary_document& dictionary) {
  const aff_tag_sort_result r = sort_aff_tags(dictionary.aff_text(), main_window_job_host());
  if (r.status != aff_tag_sort_status::sorted) return;
  dictionary.set_aff_text(r.text);
  dictionary.list.mark_changed();
}
