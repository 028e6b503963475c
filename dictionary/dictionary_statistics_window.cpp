#include "dictionary/dictionary_statistics_window.h"

#include "common/date_time.h"
#include "common/file.h"
#include "common/format.h"
#include "dictionary/dictionary_files_ui.h"
#include "dictionary/dictionary_statistics.h"
#include "dictionary/wordlist_extraction.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_job_host.h"
#include "kit/preferences.h"
#include "kit/settings_files.h"
#include "kit/window_helpers.h"

#include <algorithm>

namespace {

namespace ids = statistics_ids;
namespace words = statistics_words_ids;

constexpr int kImageCopy = 30028, kImageCopyNew = 30029, kImageRemember = 30032, kImageForget = 30033,
              kImageExport = 30026, kImageClose = 30036, kImageNew = 110;
constexpr int kLettersBackground = 16772038;
constexpr int kWhite = 16777215;
const char16_t kDateMask[] = u"%yyyy-%mm-%dd %hh:%ii:%ss";
const int kButton = static_cast<int>(image_button_width);
// The letter rows 0 ("#/other") to this one fill the left list, the rest the right.
constexpr int kLastLetterOnTheLeft = 13;

// What the open window works from.
struct statistics_window {
  dictionary_document& dictionary;
  const dictionary_statistics& stats;  // the pass the window shows
  statistics_options& options;
  const preferences_kwx4& prefs;  // the applied preferences: the separator and the warning limit
  int64_t reference_total = -1;  // the total the new words are counted from; -1 when none
};

text_t now_text() { return date_format(kDateMask, date_now()); }

void warn(const char16_t* text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

// Entry 551 from the reference of entry 548 ("" empties it).
void recompute_new_words(statistics_window& w) {
  const text_t reference = gadget_get_text(ids::REFERENCE);
  if (reference.empty() || string_to_int(reference) < 0) {
    gadget_set_text(ids::NEW_WORDS, u"");
    w.reference_total = -1;
    return;
  }
  w.reference_total = string_to_int(reference);
  gadget_set_text(ids::NEW_WORDS,
                  statistics_new_words_text(w.stats.total, w.reference_total, now_text(), w.prefs.number_separator_chr));
}

void draw_pie_chart(const dictionary_statistics& stats) {
  if (!drawing_start(drawing_canvas_output(ids::CHART))) return;
  drawing_box(0, 0, gadget_width(ids::CHART), gadget_height(ids::CHART), kWhite);
  const pie_chart chart = statistics_pie_chart(stats);
  for (const pie_sector& s : chart.sectors) drawing_sector(125, 125, 110, s.start, s.end, s.colour);
  if (chart.over_100) drawing_text(5, 238, u"NOTE: >100%", 0, kWhite);
  drawing_stop();
}

void add_column_titles(int list, const char16_t* first) {
  gadget_create_column_list(list, 0, 0, 10, 10, first, 150);  // placed by the caller
  gadget_add_column(list, 1, u"Occurrences", 100);
  gadget_add_column(list, 2, u"%", 58);
}

void build_window(statistics_window& w) {
  const dictionary_statistics& stats = w.stats;
  const text_t& separator = w.prefs.number_separator_chr;
  add_column_titles(ids::TYPE_LIST, u"Statistics (Words)");
  gadget_move_resize(ids::TYPE_LIST, 5, 5, 318, 260);
  for (int row = 0; row < STATISTICS_TYPE_ROWS; ++row)
    gadget_add_item_image(ids::TYPE_LIST, -1, statistics_type_row(stats, row, separator),
                          image_pixbuf(statistics_type_images[static_cast<size_t>(row)]));
  gadget_create_canvas(ids::CHART, 329, 5, 260, 261, CANVAS_BORDER);
  add_column_titles(ids::LETTERS_LEFT, u"Statistics (Letters)");
  gadget_move_resize(ids::LETTERS_LEFT, 595, 5, 318, 350);
  add_column_titles(ids::LETTERS_RIGHT, u"Statistics (Letters)");
  gadget_move_resize(ids::LETTERS_RIGHT, 919, 5, 318, 350);
  std::vector<text_t> left, right;
  for (int row = 0; row < STATISTICS_LETTER_ROWS; ++row)
    (row <= kLastLetterOnTheLeft ? left : right).push_back(statistics_letter_row(stats, row, separator));
  gadget_add_items(ids::LETTERS_LEFT, left);
  gadget_add_items(ids::LETTERS_RIGHT, right);
  gadget_set_item_color(ids::LETTERS_LEFT, -1, COLOR_BACKGROUND, kLettersBackground, 0);
  gadget_set_item_color(ids::LETTERS_RIGHT, -1, COLOR_BACKGROUND, kLettersBackground, 0);

  gadget_create_progress_bar(ids::PROGRESS, 440, 276, static_cast<int>(progress_bar_width),
                             static_cast<int>(progress_bar_height), 0,
                             static_cast<int>(std::max<int64_t>(1, w.dictionary.list.count())));
  gadget_create_label(ids::TIME_LABEL, 440, 290, 150, static_cast<int>(text_gadget_height), u"");
  gadget_create_label(ids::ESCAPE_LABEL, 440, 310, 150, static_cast<int>(text_gadget_height), u"");

  const int entry_h = static_cast<int>(string_gadget_height);
  // Total, reference, new words, remembered date: one row each under list 535.
  const int rows[] = {272, 320, 368, 416};
  gadget_create_label_ex(ids::TOTAL_LABEL, 10, rows[0] + 13, 150, static_cast<int>(text_gadget_height),
                         u"Current wordlist:", LABEL_RIGHT);
  gadget_create_entry_ex(ids::TOTAL, 165, rows[0] + 10, 115, entry_h, format_count(stats.total, separator), ENTRY_READ_ONLY);
  create_image_button_at(ids::COPY_TOTAL, 285, rows[0], kButton, kButton, kImageCopy, 0, u"Copy to Clipboard", 0);
  gadget_create_button(ids::TOTAL_TO_REFERENCE, 60, rows[1] + 8, static_cast<int>(button_width),
                       static_cast<int>(button_height), u"∑ Copy →");
  gadget_create_entry_ex(ids::REFERENCE, 165, rows[1] + 10, 115, entry_h, w.options.remembered_count, ENTRY_NUMERIC);
  create_image_button_at(ids::REMEMBER, 285, rows[1], kButton, kButton, kImageRemember, 0, u"Remember", 0);
  create_image_button_at(ids::FORGET, 333, rows[1], kButton, kButton, kImageForget, 0, u"Forget", 0);
  create_image_at(ids::NEW_WORDS_IMAGE, 10, rows[2] + 12, kImageNew, 0, u"");
  gadget_create_entry_ex(ids::NEW_WORDS, 40, rows[2] + 10, 294, entry_h, u"", ENTRY_READ_ONLY);
  create_image_button_at(ids::COPY_NEW_WORDS, 340, rows[2], kButton, kButton, kImageCopy, 0, u"Copy to Clipboard", 0);
  create_image_button_at(ids::COPY_NEW_COUNT, 388, rows[2], kButton, kButton, kImageCopyNew, 0,
                         u"Copy \"∑ New\" To Clipboard", 0);
  gadget_create_entry_ex(ids::REMEMBERED_LABEL, 40, rows[3] + 10, 294, entry_h, w.options.remembered_label,
                         ENTRY_READ_ONLY);
  create_image_button_at(ids::COPY_REMEMBERED_LABEL, 340, rows[3], kButton, kButton, kImageCopy, 0,
                         u"Copy to Clipboard", 0);
  const int bottom = 531 - kButton - 8;
  create_image_button_at(ids::EXPORT, 10, bottom, kButton, kButton, kImageExport, 0, u"Export Statistics (.txt)", 0);
  create_image_button_at(ids::CLOSE, (1253 - kButton) / 2, bottom, kButton, kButton, kImageClose, 0, u"Close", 0);
  recompute_new_words(w);
  draw_pie_chart(stats);

  menu_create_image_popup(ids::POPUP);
  menu_add_item_image(ids::POPUP_SHOW, u"Show", image_pixbuf(kImageCopy));
  menu_add_item_image(ids::POPUP_EXTRACT, u"Extract", image_pixbuf(kImageExport));
  menu_add_item_image(ids::POPUP_EXTRACT_FLAGS, u"Extract with Flags", image_pixbuf(kImageExport));
  shortcut_add(ids::WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(ids::WINDOW, KEY_F1, SHORTCUT_HELP);
}

void copy_field(int field) {
  const text_t text = gadget_get_text(field);
  if (text.empty()) return warn(u"Nothing to copy to clipboard.");
  clipboard_set_text(text);
}

void remember_reference(statistics_window& w) {
  const text_t reference = gadget_get_text(ids::REFERENCE);
  if (reference.empty()) return warn(u"Remember gadget is blank.");
  const text_t path = settings_file_path(statistics_remember_file);
  const text_t label = u"Last Remember:" + now_text();
  if (!write_statistics_remember(path, reference, label)) {
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
    return;
  }
  w.options.remembered_label = label;
  w.options.remembered_count = reference;
  gadget_set_text(ids::REMEMBERED_LABEL, label);
  recompute_new_words(w);
}

void forget_reference(statistics_window& w) {
  const text_t path = settings_file_path(statistics_remember_file);
  if (file_size_by_path(path) >= 0) file_delete(path);
  gadget_set_text(ids::REFERENCE, u"");
  gadget_set_text(ids::NEW_WORDS, u"");
  w.reference_total = -1;
}

void export_statistics(const statistics_window& w) {
  const text_t path = request_save_path(u"Export Statistics to file", u"Text Documents (*.txt)|*.txt", u".txt",
                                        w.dictionary.list.path());
  if (path.empty()) return;
  const text_t text = statistics_export_text(w.stats, gadget_get_text(ids::REFERENCE), gadget_get_text(ids::NEW_WORDS),
                                             w.prefs.number_separator_chr);
  if (!write_statistics_export(path, text)) message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
}

int selected_type_row() { return gadget_get_state(ids::TYPE_LIST); }

// The forms of the selected row to a file; the job shows in window 561 when
// that is open, else in this window.
void export_words_of_type(const statistics_window& w, word_annotation annotation) {
  dictionary_document& dictionary = w.dictionary;
  const dictionary_statistics& stats = w.stats;
  const int64_t limit = w.prefs.ask_after_n_words;
  const int row = selected_type_row();
  if (row < 0 || row >= STATISTICS_TYPE_ROWS) return warn(u"No dictionary word type selected.");
  const int64_t count = statistics_type_count(stats, row);
  if (count == 0) return warn(u"No dictionary words of that type.");
  if (statistics_export_needs_warning(count, limit) &&
      message_box(u"Warning!", huge_output_question(limit, w.prefs.number_separator_chr),
                  MB_YES_NO | MB_ICON_WARNING) == MB_ANSWER_YES)
    return;
  const text_t path = request_save_path(u"Extract wordlist to file", u"Text Documents (*.txt)|*.txt", u".txt",
                                        dictionary.list.path());
  if (path.empty()) return;
  const bool in_words = window_exists(words::WINDOW) != 0;
  tool_window_job_host host(in_words ? tool_job_view{.window = words::WINDOW, .progress_bar = words::PROGRESS,
                                                     .time_label = words::TIME_LABEL, .escape_label = words::ESCAPE_LABEL}
                                     : tool_job_view{.window = ids::WINDOW, .progress_bar = ids::PROGRESS,
                                                     .time_label = ids::TIME_LABEL, .escape_label = ids::ESCAPE_LABEL});
  const statistics_extraction_result r =
      export_forms_of_statistic_type(dictionary.list, dictionary.decode_cache(), stats, row, annotation, path, host);
  if (r.write_failed) message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
}

void preview_row(dictionary_document& dictionary, int list_row, int type_row, int& previewed) {
  if (list_row < 0 || list_row == previewed) return;
  previewed = list_row;
  const int64_t position = string_to_int(gadget_get_item_text(words::LIST, list_row, 1));
  const std::vector<text_t> forms =
      preview_forms_of_statistic_type(dictionary.decode_cache(), dictionary.list.entry(position - 1), type_row);
  text_t text;
  for (const text_t& f : forms) text.append(f).push_back(u'\n');
  gadget_set_text(words::PREVIEW, text);
}

void show_words_by_statistic_type(const statistics_window& w) {
  dictionary_document& dictionary = w.dictionary;
  const dictionary_statistics& stats = w.stats;
  const int row = selected_type_row();
  if (row < 0 || row >= STATISTICS_TYPE_ROWS) return warn(u"No dictionary word type selected.");
  text_t title = statistics_type_titles[static_cast<size_t>(row)];
  if (title.ends_with(u":")) title.pop_back();
  if (!window_open(words::WINDOW, 0, 0, 785, 395, u"Show words based on selected criteria: " + title,
                   TOOL_WINDOW_FLAGS, window_widget(ids::WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(ids::WINDOW, 1);
  gadget_create_column_list(words::LIST, 10, 8, 465, 317, u"Matches", 205);
  gadget_add_column(words::LIST, 1, u"Position", 115);
  gadget_add_column(words::LIST, 2, u"Occurences", 88);
  use_language_font(words::LIST);
  gadget_create_button(words::EXTRACT, 10, 331, 130, static_cast<int>(button_height), u"Extract");
  gadget_create_button(words::EXTRACT_FLAGS, 146, 331, 130, static_cast<int>(button_height), u"Extract with Flags");
  gadget_create_button(words::CLOSE, 345, 395 - static_cast<int>(button_height) - 6, static_cast<int>(button_width),
                       static_cast<int>(button_height), u"Close");
  gadget_create_label(words::PREVIEW_LABEL, 485, 8, 100, static_cast<int>(text_gadget_height), u"Preview");
  gadget_create_text_view_ex(words::PREVIEW, 485, 28, 293, 295, TEXT_VIEW_READ_ONLY);
  use_language_font(words::PREVIEW);
  gadget_create_progress_bar(words::PROGRESS, 485, 331, static_cast<int>(progress_bar_width),
                             static_cast<int>(progress_bar_height), 0,
                             static_cast<int>(std::max<int64_t>(1, dictionary.list.count())));
  gadget_create_label(words::TIME_LABEL, 485, 343, 290, static_cast<int>(text_gadget_height), u"");
  gadget_create_label(words::ESCAPE_LABEL, 485, 363, 290, static_cast<int>(text_gadget_height), u"");
  shortcut_add(words::WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);

  {
    tool_window_job_host host({.window = words::WINDOW, .progress_bar = words::PROGRESS,
                               .time_label = words::TIME_LABEL, .escape_label = words::ESCAPE_LABEL});
    const statistics_listing listing =
        list_entries_of_statistic_type(dictionary.list, dictionary.decode_cache(), stats, row, host);
    gadget_add_items(words::LIST, listing.rows);
  }
  int previewed = -1;
  run_modal_loop(words::WINDOW, [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE) || e.is_gadget(words::CLOSE)) return modal_step::close;
    if (e.is_gadget(words::LIST) && (e.subtype == SUBTYPE_CLICK || e.subtype == SUBTYPE_CHANGE))
      preview_row(dictionary, gadget_get_state(words::LIST), row, previewed);
    if (e.is_gadget(words::EXTRACT)) export_words_of_type(w, word_annotation::plain);
    if (e.is_gadget(words::EXTRACT_FLAGS)) export_words_of_type(w, word_annotation::with_origin);
    return modal_step::stay;
  });
  end_modal_window(words::WINDOW, ids::WINDOW, modal_end_order::close_window_first);
}

modal_step handle_event(statistics_window& w, const modal_event& e) {
  if (e.is_close_box()) return modal_step::close;
  if (e.type == EVENT_MENU) {
    switch (e.object) {
      case SHORTCUT_ESCAPE: return modal_step::close;
      case SHORTCUT_HELP: open_manual_page(u"#5.2.5.10.statistics"); break;
      case ids::POPUP_SHOW: show_words_by_statistic_type(w); break;
      case ids::POPUP_EXTRACT: export_words_of_type(w, word_annotation::plain); break;
      case ids::POPUP_EXTRACT_FLAGS: export_words_of_type(w, word_annotation::with_origin); break;
      default: break;
    }
    return modal_step::stay;
  }
  if (e.type != EVENT_GADGET) return modal_step::stay;
  const int subtype = e.subtype;
  switch (e.object) {
    case ids::CLOSE: return modal_step::close;
    case ids::TYPE_LIST:
      if (subtype == SUBTYPE_RIGHT_CLICK) menu_popup(ids::POPUP, window_widget(ids::WINDOW));
      if (subtype == SUBTYPE_DOUBLE_CLICK) show_words_by_statistic_type(w);
      break;
    case ids::COPY_TOTAL: copy_field(ids::TOTAL); break;
    case ids::COPY_NEW_WORDS: copy_field(ids::NEW_WORDS); break;
    case ids::COPY_REMEMBERED_LABEL: copy_field(ids::REMEMBERED_LABEL); break;
    case ids::COPY_NEW_COUNT:
      if (gadget_get_text(ids::NEW_WORDS).empty()) {
        warn(u"Nothing to copy to clipboard.");
      } else {
        clipboard_set_text(string_from_int(w.stats.total - w.reference_total));
      }
      break;
    case ids::TOTAL_TO_REFERENCE:
      gadget_set_text(ids::REFERENCE, string_from_int(w.stats.total));
      recompute_new_words(w);
      break;
    case ids::REFERENCE:
      if (subtype == SUBTYPE_CHANGE) recompute_new_words(w);
      break;
    case ids::REMEMBER: remember_reference(w); break;
    case ids::FORGET: forget_reference(w); break;
    case ids::EXPORT: export_statistics(w); break;
    default: break;
  }
  return modal_step::stay;
}

void run_window(statistics_window& w) {
  run_modal_loop(ids::WINDOW, [&w](const modal_event& e) { return handle_event(w, e); });
}

}  // namespace

void show_dictionary_statistics(dictionary_document& dictionary, statistics_options& options, const preferences& prefs) {
  status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Processing Statistics... <ESC> to abort.");
  status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
  if (dictionary.list.empty()) {
    warn(u"No dictionary words found.");
    status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Aborted.");
    return;
  }
  const aff_decode_cache& cache = dictionary.decode_cache();
  const dictionary_statistics stats =
      compute_dictionary_statistics(dictionary.list, cache, prefs.applied.number_separator_chr, main_window_job_host());
  if (stats.aborted) return;
  if (!window_open(ids::WINDOW, 0, 0, 1253, 531, u"Show Statistics", TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  statistics_window w{dictionary, stats, options, prefs.applied};
  build_window(w);
  window_set_disabled(MAIN_WINDOW, 1);
  window_activate(ids::WINDOW);
  run_window(w);
  menu_free(ids::POPUP);
  end_modal_window(ids::WINDOW, MAIN_WINDOW, modal_end_order::close_window_first);
}

void register_statistics_commands(dictionary_document& dictionary, statistics_options& options, const preferences& prefs,
                                  tool_registry& tools) {
  tools.set_command(MENU_STATISTICS,
                    [&dictionary, &options, &prefs] { show_dictionary_statistics(dictionary, options, prefs); });
}
