#include "dictionary/crunch_window.h"

#include "common/format.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/manual_anchors.h"
#include "kit/window_helpers.h"

#include <vector>

namespace {

using namespace crunch_ids;

constexpr int WIDTH = 1065, HEIGHT = 475;
constexpr int LIST_X = 460;
constexpr int kImageProcess = 30042;

const char16_t* const kStepTexts[5] = {u"", u"Processing:1/4... Populating array...",
                                       u"Processing:2/4... Sorting array...", u"Processing:3/4... Processing flags...",
                                       u"Processing:4/4... Sorting and populating list..."};


void set_label(int g, const text_t& text) { set_gadget_text_if_changed(g, text); }

void show_match_left(const crunch_settings& settings) {
  struct look {
    const char16_t* text;
    int colour;
  };
  static const look looks[3] = {{u"1 chr: Best (Slowest)", 0x9900},
                                {u"2 chrs: Very Good (Faster) (recommended)", 0x8CFF},
                                {u"3 chrs: Good (Fastest)", 0x5050FF}};
  const look& l = looks[std::clamp<int64_t>(settings.match_left, 1, 3) - 1];
  set_label(CRUNCH_MATCH_LABEL, l.text);
  gadget_set_color(CRUNCH_MATCH_LABEL, COLOR_TEXT, l.colour);
}

void update_crunch_flag_summary(const crunch_settings& settings) {
  const text_t letters = crunch_flag_summary(settings);
  gadget_set_text(CRUNCH_USED_FLAGS, letters);
  text_t count(1, u'(');
  count.append(string_from_int(static_cast<int64_t>(letters.size()))).append(u"/");
  count.append(string_from_int(CRUNCH_OPTION_COUNT)).append(u")");
  set_label(CRUNCH_USED_COUNT, count);
}

void set_all_crunch_flags(crunch_settings& settings, bool on) {
  for (int i = 0; i < CRUNCH_OPTION_COUNT; ++i) {
    settings.enabled[static_cast<size_t>(i)] = on;
    gadget_set_state(CRUNCH_FIRST_OPTION + i, on ? 1 : 0);
  }
}

void build(const dictionary_document& dictionary, const crunch_settings& settings, text_view separator) {
  const int64_t count = dictionary.list.count();
  gadget_create_frame(CRUNCH_FRAME, 10, 10, 430, 445, u"Flags to crunch (SFX with 1 derivate only)");
  for (int i = 0; i < CRUNCH_OPTION_COUNT; ++i) {
    const bool second_column = i >= 14;
    const int row = second_column ? i - 14 : i;
    const int g = CRUNCH_FIRST_OPTION + i;
    gadget_create_checkbox(g, second_column ? 230 : 20, 32 + row * 25, 205, 21,
                           T(crunch_option_table[static_cast<size_t>(i)].caption));
    gadget_set_state(g, settings.enabled[static_cast<size_t>(i)] ? 1 : 0);
  }
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  create_image_button_at(CRUNCH_ALL, 20, 10 + 445 - bh - 10, bw, bh, IMAGE_SELECT_ALL, 0, u"All", 0);
  create_image_button_right_of(CRUNCH_NONE, CRUNCH_ALL, bw, bh, IMAGE_SELECT_NONE, 5, u"None", 0);

  gadget_create_column_list(CRUNCH_LIST, LIST_X, 10, 590, 242, u"Line #", 90);
  gadget_add_column(CRUNCH_LIST, 1, u"Words", 245);
  gadget_add_column(CRUNCH_LIST, 2, u"Characters match", 195);
  use_language_font(CRUNCH_LIST);

  gadget_create_label(CRUNCH_FOUND_LABEL, LIST_X, 262, 0, 18, u"Found:0/" + format_count(count, separator));
  fit_gadget_to_content(CRUNCH_FOUND_LABEL);
  gadget_create_label(CRUNCH_STEP_LABEL, LIST_X, 284, 0, 18, u"Processing:0/0");
  fit_gadget_to_content(CRUNCH_STEP_LABEL);
  gadget_create_progress_bar(CRUNCH_PROGRESS, LIST_X, 310, 158, 8, 0, static_cast<int>(std::min<int64_t>(count, INT32_MAX)));
  gadget_set_color(CRUNCH_PROGRESS, COLOR_TEXT, 0xFF0000);
  gadget_create_label(CRUNCH_TIME_LABEL, LIST_X, 322, 0, 18, u"");
  gadget_create_label(CRUNCH_ESCAPE_LABEL, LIST_X + 170, 305, 0, 18, u"");

  gadget_create_label(CRUNCH_MATCH_CAPTION, LIST_X, 362, 0, 18, u"Match Left Characters:");
  fit_gadget_to_content(CRUNCH_MATCH_CAPTION);
  gadget_create_slider(CRUNCH_MATCH_SLIDER, LIST_X + 170, 352, 120, 36, 1, 3, SLIDER_TICKS);
  gadget_set_state(CRUNCH_MATCH_SLIDER, static_cast<int>(settings.match_left));
  gadget_create_label(CRUNCH_MATCH_LABEL, LIST_X + 300, 362, 0, 18, u"");
  show_match_left(settings);

  gadget_create_label(CRUNCH_USED_CAPTION, LIST_X, 400, 0, 18, u"🏁🏁 used:");
  fit_gadget_to_content(CRUNCH_USED_CAPTION);
  gadget_create_label(CRUNCH_USED_COUNT, LIST_X + 90, 400, 0, 18, u"");
  gadget_create_entry_ex(CRUNCH_USED_FLAGS, LIST_X + 150, 396, 200, static_cast<int>(string_gadget_height), u"",
                         ENTRY_READ_ONLY);
  use_language_font(CRUNCH_USED_FLAGS);
  update_crunch_flag_summary(settings);

  create_image_button_at(CRUNCH_CLOSE, WIDTH - 10 - bw, HEIGHT - 10 - bh, bw, bh, IMAGE_CLOSE, 0, u"Close", 0);
  create_image_button_left_of(CRUNCH_PROCESS, CRUNCH_CLOSE, bw, bh, kImageProcess, 20, 0, u"Process", 0);

  shortcut_add(CRUNCH_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(CRUNCH_WINDOW, KEY_RETURN, SHORTCUT_RETURN);
  shortcut_add(CRUNCH_WINDOW, KEY_F1, SHORTCUT_HELP);
}

void set_controls_disabled(int state) {
  for (int g = CRUNCH_FIRST_OPTION; g <= CRUNCH_LAST_OPTION; ++g) gadget_set_disabled(g, state);
  for (int g : {CRUNCH_MATCH_SLIDER, CRUNCH_ALL, CRUNCH_NONE, CRUNCH_PROCESS, CRUNCH_CLOSE})
    gadget_set_disabled(g, state);
}

text_t row_text(const crunch_fold& f) {
  return string_from_int(f.entry_index + 1) + u"\n" + crunch_fold_text(f) + u"\n" +
         string_from_int(static_cast<int64_t>(f.root.size()));
}

void process(dictionary_document& dictionary, const crunch_settings& settings, list_tool_edit& edit,
             text_view separator, const crunch_decode_warning& warning) {
  list_document& doc = dictionary.list;
  const int64_t count = doc.count();
  gadget_clear_items(CRUNCH_LIST);
  set_controls_disabled(1);
  set_label(CRUNCH_TIME_LABEL, u"");
  set_label(CRUNCH_ESCAPE_LABEL, u"<ESC> to abort.");

  const aff_decode_cache& cache = dictionary.decode_cache();
  tool_window_job_host host({.window = CRUNCH_WINDOW, .progress_bar = CRUNCH_PROGRESS,
                             .time_label = CRUNCH_TIME_LABEL, .escape_label = CRUNCH_ESCAPE_LABEL});
  crunch_progress_hooks hooks;
  hooks.step_started = [&](int step) {
    set_label(CRUNCH_STEP_LABEL, kStepTexts[step]);
    gadget_set_state(CRUNCH_PROGRESS, step == 2 ? static_cast<int>(std::min<int64_t>(count, INT32_MAX)) : 0);
    if (step == 3) set_label(CRUNCH_FOUND_LABEL, u"Found:0/" + format_count(count, separator));
  };
  hooks.tick = [&](int step, int64_t current, int64_t folds) {
    set_label(CRUNCH_STEP_LABEL, kStepTexts[step] + format_count(current + 1, separator) + u"/" + format_count(count, separator) +
                                     format_percentage(static_cast<int32_t>(std::min<int64_t>(current + 1, INT32_MAX)),
                                                       static_cast<int32_t>(std::min<int64_t>(count, INT32_MAX))));
    if (step == 3) set_label(CRUNCH_FOUND_LABEL, u"Found:" + format_count(folds, separator) + u"/" + format_count(count, separator));
  };
  const crunch_result r = crunch_dictionary(doc, cache, settings, edit, host, hooks, warning);

  switch (r.status) {
    case crunch_status::no_words: message_box(u"Warning!", u"No dictionary words found.", MB_ICON_WARNING); break;
    case crunch_status::no_rules: message_box(u"Warning!", u"No rules selected.", MB_ICON_WARNING); break;
    case crunch_status::single_entry: message_box(u"Warning!", u"No flags added.", MB_ICON_WARNING); break;
    case crunch_status::too_many_words:
      set_label(CRUNCH_STEP_LABEL, u"Processing:Aborted.");
      message_box(u"Warning!", r.message, MB_ICON_WARNING);
      break;
    case crunch_status::aborted:
    case crunch_status::done: {
      set_label(CRUNCH_FOUND_LABEL, u"Found:" + format_count(r.folds, separator) + u"/" + format_count(count, separator));
      std::vector<text_t> rows;
      rows.reserve(r.rows.size());
      for (const crunch_fold& f : r.rows) rows.push_back(row_text(f));
      gadget_add_items(CRUNCH_LIST, rows);
      if (r.status == crunch_status::aborted) {
        set_label(CRUNCH_STEP_LABEL, u"Processing:Aborted.");
      } else {
        set_label(CRUNCH_TIME_LABEL, format_elapsed_time(u" \u231a", r.elapsed_ms));
        set_label(CRUNCH_STEP_LABEL, u"Processing:Done!");
        if (r.folds == 0) message_box(u"Warning!", u"No changes done.", MB_ICON_WARNING);
      }
      break;
    }
  }
  redraw_paged_list(dictionary.list);
  update_paged_list_labels(dictionary.list);
  set_label(CRUNCH_ESCAPE_LABEL, u"");
  gadget_set_item_color(CRUNCH_LIST, -1, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
  set_controls_disabled(0);
}

void run(dictionary_document& dictionary, crunch_settings& settings, list_tool_edit& edit, text_view separator,
         const crunch_decode_warning& warning) {
  const auto on_event = [&](const modal_event& e) {
    if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) return modal_step::close;
    if (e.is_menu(SHORTCUT_RETURN)) return close_when(gadget_get_focus() == CRUNCH_CLOSE);
    if (e.is_menu(SHORTCUT_HELP)) open_manual_page(manual_anchor_crunch);
    if (e.type != EVENT_GADGET) return modal_step::stay;
    const int g = e.object;
    if (g >= CRUNCH_FIRST_OPTION && g <= CRUNCH_LAST_OPTION) {
      settings.enabled[static_cast<size_t>(g - CRUNCH_FIRST_OPTION)] = gadget_get_state(g) == 1;
      update_crunch_flag_summary(settings);
    } else if (g == CRUNCH_ALL || g == CRUNCH_NONE) {
      set_all_crunch_flags(settings, g == CRUNCH_ALL);
      update_crunch_flag_summary(settings);
    } else if (g == CRUNCH_CLOSE) {
      return modal_step::close;
    } else if (g == CRUNCH_PROCESS) {
      process(dictionary, settings, edit, separator, warning);
    }
    return modal_step::stay;
  };
  run_modal_loop(CRUNCH_WINDOW, on_event, {.before_wait = [&settings] {
                   const int slider = gadget_get_state(CRUNCH_MATCH_SLIDER);
                   if (slider >= 1 && slider <= 3 && slider != settings.match_left) {
                     settings.match_left = slider;
                     show_match_left(settings);
                   }
                 }});
}

}  // namespace

void show_crunch_words_window(dictionary_document& dictionary, crunch_settings& settings, text_view separator,
                              int64_t decode_warning_limit) {
  if (dictionary.list.empty()) {
    message_box(u"Warning!", u"No dictionary words found.", MB_ICON_WARNING);
    return;
  }
  if (!window_open(CRUNCH_WINDOW, 0, 0, WIDTH, HEIGHT, u"Crunch words with flags (Tavernel - GB/ZA)",
                   TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  build(dictionary, settings, separator);
  // One snapshot for the whole opening: one Undo takes back every fold.
  list_tool_edit edit(dictionary.list);
  run(dictionary, settings, edit, separator, {decode_warning_limit, text_t(separator)});
  edit.keep();
  end_modal_window(CRUNCH_WINDOW, MAIN_WINDOW);
}

void register_crunch_commands(dictionary_document& dictionary, crunch_settings& settings, const preferences& prefs,
                             tool_registry& tools) {
  tools.set_command(MENU_CRUNCH, [&dictionary, &settings, &prefs] {
    show_crunch_words_window(dictionary, settings, prefs.applied.number_separator_chr, prefs.applied.ask_after_n_words);
  });
}
