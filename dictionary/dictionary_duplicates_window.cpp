#include "dictionary/dictionary_duplicates_window.h"

#include "affix/affix_expansion.h"
#include "affix/flag_helpers.h"
#include "common/file.h"
#include "common/tool_log.h"
#include "dictionary/dictionary_duplicates.h"
#include "dictionary/word_editor.h"
#include "dictionary/word_editor_window.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "gui/text_cursor.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/manual_anchors.h"
#include "kit/preferences.h"
#include "kit/settings_files.h"
#include "kit/window_helpers.h"

#include <array>

using namespace dictionary_duplicates_ids;

namespace {

constexpr int SHORTCUT_TOOL_HELP = 1004;
static_assert(SHORTCUT_BLOCK.holds(SHORTCUT_TOOL_HELP));
constexpr int ROW_BACKGROUND = 14670554;  // 0xDFDADA
constexpr int ROW_MARK_RED = 255;

// The window is laid out for the resolution of the preferences record.
struct window_layout {
  text_view resolution;
  int sx(int percent) const { return static_cast<int>(scale_extra_width_for(resolution, percent)); }
  int sy(int percent) const { return static_cast<int>(scale_extra_height_for(resolution, percent)); }
};

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

struct window_state {
  window_state(dictionary_document& d, duplicates_options& o, text_view s) : dictionary(d), options(o), separator(s) {}
  dictionary_document& dictionary;
  duplicates_options& options;  // the check boxes, remembered by the program
  text_t separator;             // of the counts
  list_tool_edit* edit = nullptr;
  duplicate_scan_result scan;
  row_type_colours colours = DEFAULT_ROW_TYPE_COLOURS;  // of the affix class column
  tool_log log;  // what the log view shows; the passes append to it
};

tool_window_job_host job_host() {
  return tool_window_job_host(
      {.window = WINDOW, .progress_bar = PROGRESS, .time_label = TIME_LABEL, .escape_label = ESCAPE_LABEL});
}

void show_log(const tool_log& log) {
  gadget_set_text(LOG, log.text);
  gadget_set_cursor_position(LOG, static_cast<int64_t>(log.text.size()));
}

void label_at(int g, int x, int y, const text_t& text) {
  gadget_create_label(g, x, y, 0, 0, text);
  fit_gadget_to_content(g);
}

void set_count_label(int g, int64_t n) {
  set_gadget_text_if_changed(g, string_from_int(n));
  fit_gadget_to_content(g);
}

void fill_list(const duplicate_scan_result& scan, const row_type_colours& colours) {
  std::vector<text_t> rows;
  rows.reserve(scan.rows.size());
  for (const duplicate_row_record& row : scan.rows) rows.push_back(duplicate_row_text(row));
  gadget_clear_items(LIST);
  gadget_add_items(LIST, rows);
  if (rows.empty()) return;
  gadget_set_item_color(LIST, -1, COLOR_TEXT, ROW_MARK_RED, 5);
  gadget_set_item_color(LIST, -1, COLOR_BACKGROUND, ROW_BACKGROUND, 0);
  for (size_t i = 0; i < scan.rows.size(); ++i) {
    const int colour = affix_class_colour(scan.rows[i].class_code, colours);
    if (colour != COLOR_DEFAULT) gadget_set_item_color(LIST, static_cast<int>(i), COLOR_TEXT, colour, 4);
  }
}

void show_scan(window_state& st) {
  fill_list(st.scan, st.colours);
  set_count_label(WORDS_COUNT, st.scan.repeated_words);
  set_count_label(FLAGS_COUNT, st.scan.repeated_flag_entries);
}

void run_scan(window_state& st) {
  tool_window_job_host host = job_host();
  gadget_clear_items(LIST);
  st.scan = scan_dictionary_duplicates(st.dictionary.list, st.dictionary.decode_cache(), host, st.log);
  show_scan(st);
}

// The options as the check boxes show them (1..4).
std::vector<int64_t> shown_options() {
  return {gadget_get_state(IGNORE_TAGS), gadget_get_state(TWOFOLD), gadget_get_state(SAME_CLASS),
          gadget_get_state(SPECIAL_PRIMARY)};
}

// The options in the order of their check boxes (IGNORE_TAGS + 0..3).
std::array<bool*, 4> option_fields(duplicates_options& o) {
  return {&o.ignore_tags, &o.twofold, &o.same_class, &o.special_primary_only};
}

void show_twofold(const duplicates_options& options, bool on) {
  gadget_set_state(SAME_CLASS, on ? 0 : options.same_class);
  gadget_set_state(SPECIAL_PRIMARY, on ? 0 : options.special_primary_only);
  gadget_set_disabled(SAME_CLASS, on ? 1 : 0);
  gadget_set_disabled(SPECIAL_PRIMARY, on ? 1 : 0);
}

void build_window(const window_layout& l, dictionary_document& dictionary, duplicates_options& options) {
  const int list_width = 672 + l.sx(60), list_height = 270 + l.sy(100);
  gadget_create_column_list(LIST, 25, 25, list_width, list_height, u"Line #", 95);
  for (const char16_t* title : {u"Word", u"\U0001F3C1", u"Postags/Comments", u"Information", u"Repeated Flags"})
    gadget_add_column(LIST, -1, title, 160 + l.sx(5));
  use_language_font(LIST);

  const int row_y = bottom_of(LIST) + 5;
  gadget_create_button(SCAN, 27, row_y, static_cast<int>(button_width), static_cast<int>(button_height), u"Scan");
  gadget_create_button(EXPORT, static_cast<int>(button_width) + 37, row_y, static_cast<int>(button_width),
                       static_cast<int>(button_height), u"Export");
  gadget_set_disabled(EXPORT, 1);
  label_at(WORDS_LABEL, right_of(EXPORT) + 4, row_y, u"  # Repeated Words:");
  label_at(WORDS_COUNT, right_of(WORDS_LABEL), row_y, u"0");
  label_at(FLAGS_LABEL, gadget_x(WORDS_LABEL) + 8, row_y + 18, u"# Repeated FlagsW:");
  label_at(FLAGS_COUNT, right_of(FLAGS_LABEL), row_y + 18, u"0");
  gadget_create_progress_bar(PROGRESS, 25 + list_width - static_cast<int>(progress_bar_width), row_y,
                             static_cast<int>(progress_bar_width), static_cast<int>(progress_bar_height), 0,
                             static_cast<int>(std::min<int64_t>(2 * dictionary.list.count(), INT32_MAX)));
  gadget_create_label(TIME_LABEL, gadget_x(PROGRESS), row_y + 12, 100, static_cast<int>(text_gadget_height), u"");
  gadget_create_label(ESCAPE_LABEL, gadget_x(PROGRESS), row_y + 30, 100, static_cast<int>(text_gadget_height), u"");

  gadget_create_text_view_ex(LOG, right_of(LIST) + 9, 25, 297 + l.sx(40), list_height + 60, TEXT_VIEW_READ_ONLY);
  use_language_font(LOG);
  create_image_button_below(CLEAR_LOG, LOG, 44, 44, 30040, 5, u"Clear", 0);
  create_image_button_right_of(LOG_BOTTOM, CLEAR_LOG, 44, 44, 37, 5, u"Go to bottom", 0);
  create_image_button_right_of(LOG_TOP, LOG_BOTTOM, 44, 44, 94, 5, u"Go to top", 0);

  // The special flags the .aff declares, as in the word editor.
  const int flags_y = row_y + static_cast<int>(button_height) + 10;
  label_at(INDICATORS_LABEL, 27, flags_y + 3, u"Flags:");
  const aff_decode_cache& cache = dictionary.decode_cache();
  expansion_indicators declared;
  declared.keepcase = !cache.aff_keepcase_flag.empty();
  declared.needaffix = !cache.aff_needaffix_flag.empty();
  declared.forbiddenword = !cache.aff_forbiddenword_flag.empty();
  declared.circumfix = !cache.aff_circumfix_flag.empty();
  const special_flag_images images = current_special_flag_images(cache, declared);
  const int pictures[] = {images.keepcase, images.needaffix, images.forbiddenword, images.complexprefixes,
                          images.circumfix, images.flag_mode};
  const text_t tips[] = {u"KEEPCASE Flag", u"NEEDAFFIX Flag", u"FORBIDDENWORD Flag", u"COMPLEXPREFIXES Flag",
                         u"CIRCUMFIX Flag", images.flag_mode_tooltip};
  int x = right_of(INDICATORS_LABEL) + 8;
  for (int k = 0; k < 6; ++k) {
    gadget_create_image(KEEPCASE + k, x, flags_y, 53, 23, image_pixbuf(pictures[k]));
    gadget_set_tooltip(KEEPCASE + k, tips[k]);
    x += 57;
  }

  const int frame_y = flags_y + 30;
  const int frame_width = list_width - 60;
  gadget_create_frame(OPTIONS_FRAME, 25, frame_y, frame_width, 4 * 24 + 80, u"");
  const text_t labels[] = {
      u"Ignore Postags/Comments (Postags/Comments Merge)",
      u"Twofold — Merge only primary and identical affixes (if unsure subaffixes are of same type)",
      u"Merge only primary and affixes of same type",
      u"With KEEPCASE/NEEDAFFIX/FORBIDDENWORD/COMPLEXPREFIXES/CIRCUMFIX only merge primary and identical affixes"};
  for (int k = 0; k < 4; ++k) {
    gadget_create_checkbox(IGNORE_TAGS + k, 35, frame_y + 12 + 24 * k, frame_width - 80,
                           static_cast<int>(check_box_height), labels[k]);
    gadget_set_state(IGNORE_TAGS + k, *option_fields(options)[static_cast<size_t>(k)]);
  }
  if (options.twofold) show_twofold(options, true);
  create_image_button_at(PROCESS, 35, frame_y + 12 + 24 * 4, 44, 44, 30042, 0, u"Process", 1);
  create_image_button_at(REMEMBER, 25 + frame_width - 50, frame_y + 12, 44, 44, 30032, 0, u"Remember", 0);

  const int bottom = window_height(WINDOW) - 54;
  const int right = window_width(WINDOW) - 54;
  create_image_button_at(OK, right, bottom, 44, 44, IMAGE_OK, 0, u"OK", 0);
  create_image_button_left_of(CANCEL, OK, 44, 44, IMAGE_CANCEL, 10, 0, u"Cancel", 0);
}

void export_list(const window_state& st) {
  if (st.scan.rows.empty()) {
    warn(u"No duplicate words found.");
    return;
  }
  const text_t path = request_save_path(u"Export Duplicates to file", u"Text Documents (*.txt)|*.txt", u".txt",
                                        st.dictionary.list.path());
  if (path.empty()) return;
  tool_window_job_host host = job_host();
  if (export_dictionary_duplicates(st.scan, path, st.separator, host) == line_export_status::write_failed)
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
}

void process(window_state& st) {
  if (st.scan.rows.empty()) {
    warn(u"No duplicate words found.");
    return;
  }
  gadget_set_text(TIME_LABEL, u"");
  tool_window_job_host host = job_host();
  const duplicates_process_result r =
      process_dictionary_duplicates(st.dictionary.list, st.dictionary.decode_cache(), *st.edit, st.scan,
                                    st.options, host, st.log);
  st.scan = r.scan;
  show_scan(st);
  show_log(st.log);
  // A merge pass stopped with Escape still ends with the summary of what was done.
  if (!r.summary.empty()) message_box(u"Warning!", r.summary, MB_ICON_INFORMATION);
}

void remember() {
  const text_t path = settings_file_path(duplicates_prefs_file);
  if (!write_duplicates_options_prefs(path, shown_options()))
    message_box(u"Error!", u"Can't write the file:\n" + path, MB_ICON_ERROR);
}

// The views of the dictionary after its entries changed (or came back).
void dictionary_views_follow(const dictionary_document& dictionary) {
  dictionary.count_changed();
  update_paged_list_labels(dictionary.list);
}

}  // namespace

void show_dictionary_duplicates_window(dictionary_document& dictionary, duplicates_options& options,
                                       const preferences& prefs) {
  const window_layout l{prefs.record.window_resolution};
  list_document& doc = dictionary.list;
  if (doc.count() == 0) {
    warn(u"No dictionary words found.");
    return;
  }
  dictionary.decode_cache();
  window_set_disabled(MAIN_WINDOW, 1);
  if (!window_open(WINDOW, GUI_KEEP, GUI_KEEP, 1014 + l.sx(100), 555 + l.sy(100), u"Show/Merge/Delete duplicates .DIC",
                   TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    window_set_disabled(MAIN_WINDOW, 0);
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  list_tool_edit edit(doc);
  window_state st(dictionary, options, prefs.applied.number_separator_chr);
  st.colours = preferred_row_type_colours(prefs.applied);
  st.edit = &edit;
  build_window(l, dictionary, options);
  st.log.text = duplicates_log_banner();
  st.log.shown = [&st] { show_log(st.log); };
  show_log(st.log);
  shortcut_add(WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(WINDOW, KEY_F1, SHORTCUT_TOOL_HELP);

  bool keep = false;
  run_modal_loop(WINDOW, [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;
    if (e.is_menu(SHORTCUT_TOOL_HELP)) open_manual_page(manual_anchor_dictionary_duplicates);
    if (e.type != EVENT_GADGET) return modal_step::stay;
    modal_step step = modal_step::stay;
    switch (e.object) {
      case SCAN:
        set_count_label(WORDS_COUNT, 0);
        set_count_label(FLAGS_COUNT, 0);
        if (doc.count() == 1) {
          warn(u"No duplicate words found.");
          break;
        }
        run_scan(st);
        if (st.scan.rows.empty() && !st.scan.aborted) warn(u"No duplicate words found.");
        break;
      case EXPORT: export_list(st); break;
      case IGNORE_TAGS: options.ignore_tags = gadget_get_state(IGNORE_TAGS) != 0; break;
      case TWOFOLD:
        options.twofold = gadget_get_state(TWOFOLD) != 0;
        show_twofold(options, options.twofold);
        break;
      case SAME_CLASS: options.same_class = gadget_get_state(SAME_CLASS) != 0; break;
      case SPECIAL_PRIMARY: options.special_primary_only = gadget_get_state(SPECIAL_PRIMARY) != 0; break;
      case PROCESS: process(st); break;
      case REMEMBER: remember(); break;
      case CLEAR_LOG:
        st.log.text = duplicates_log_banner();
        show_log(st.log);
        break;
      case LOG_BOTTOM: gadget_set_cursor_position(LOG, static_cast<int64_t>(st.log.text.size())); break;
      case LOG_TOP: gadget_set_cursor_position(LOG, 0); break;
      case OK:
        keep = true;
        step = modal_step::close;
        break;
      case CANCEL: step = modal_step::close; break;
      default: break;
    }
    const int no_rows = gadget_count_items(LIST) == 0 ? 1 : 0;
    gadget_set_disabled(PROCESS, no_rows);
    gadget_set_disabled(EXPORT, no_rows);
    return step;
  });

  if (keep) {
    if (keep_dictionary_duplicates_result(doc, edit)) dictionary_views_follow(dictionary);
  } else if (edit.started()) {
    edit.cancel();
    dictionary_views_follow(dictionary);
  }
  end_modal_window(WINDOW, MAIN_WINDOW);
}

void register_dictionary_duplicates_commands(dictionary_document& dictionary, duplicates_options& options,
                                             const preferences& prefs, tool_registry& tools) {
  tools.set_command(MENU_DICTIONARY_DUPLICATES,
                    [&dictionary, &options, &prefs] { show_dictionary_duplicates_window(dictionary, options, prefs); });
  tools.set_command(MENU_WORDLIST_DUPLICATES, [&dictionary, &prefs] { show_duplicates_wordlist(dictionary, prefs); });
  tools.set_command(MENU_SORT_AFF_TAGS, [&dictionary] { sort_aff_tags_command(dictionary); });
}
