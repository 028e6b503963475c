#include "dictionary/derived_words_panel.h"

#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "dictionary/aff_aid.h"
#include "dictionary/aff_aid_languages.h"
#include "dictionary/word_editor.h"
#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/preferences.h"
#include "kit/settings_files.h"
#include "kit/window_helpers.h"

#include <algorithm>
#include <map>

using namespace word_editor_ids;

derived_rows_sink word_editor_rows;
expansion_report word_editor_report;

namespace {

// The panel is laid out for the resolution of the preferences record.
struct panel_layout {
  text_view resolution;
  int sx(int percent) const { return static_cast<int>(scale_extra_width_for(resolution, percent)); }
  int sy(int percent) const { return static_cast<int>(scale_extra_height_for(resolution, percent)); }
};
GdkPixbuf* picture(int image) { return image_pixbuf(image); }

// The image each indicator shows now, so that it is set only when it changes.
std::map<int, int> shown_images;

void show_image(int g, int image) {
  int& shown = shown_images[g];
  if (shown == image) return;
  shown = image;
  gadget_set_image(g, picture(image));
}

void warn(const text_t& text) { message_box(u"Warning!", text, MB_ICON_WARNING); }

// A label fitted to its text at (x, y).
void label_at(int g, int x, int y, const text_t& text, int flags = 0) {
  gadget_create_label_ex(g, x, y, 0, 0, text, flags);
  fit_gadget_to_content(g);
}

bool is_primary(const derived_word_record& r) {
  return r.type == derived_row_type_name(derived_row_type::primary);
}

// The record shown in the selected row, null when none.
const derived_word_record* selected_record() {
  int row = gadget_get_state(DERIVED_LIST);
  if (row < 0 || static_cast<size_t>(row) >= word_editor_rows.rows.size()) return nullptr;
  return &word_editor_rows.rows[static_cast<size_t>(row)];
}

void fill_derived_list() {
  std::vector<text_t> rows;
  rows.reserve(word_editor_rows.rows.size());
  for (const derived_word_record& r : word_editor_rows.rows) rows.push_back(derived_list_row_text(r));
  gadget_clear_items(DERIVED_LIST);
  gadget_add_items(DERIVED_LIST, rows);
  for (size_t i = 0; i < word_editor_rows.rows.size(); ++i)
    if (word_editor_rows.rows[i].type_colour != COLOR_DEFAULT)
      gadget_set_item_color(DERIVED_LIST, static_cast<int>(i), COLOR_TEXT, word_editor_rows.rows[i].type_colour, 1);
  gadget_set_item_text(DERIVED_LIST, -1, derived_list_title(static_cast<int64_t>(rows.size()), word_editor_rows.capped), 0);
}

void show_unknown_flags(int g, const text_t& flags) {
  gadget_set_text(g, flags);
  gadget_set_color(g, COLOR_BACKGROUND, flags.empty() ? COLOR_DEFAULT : WORD_EDITOR_RED);
}

text_t without_outer_commas(text_view s) {
  while (!s.empty() && s.front() == u',') s.remove_prefix(1);
  while (!s.empty() && s.back() == u',') s.remove_suffix(1);
  return text_t(s);
}

void display_selected_rule() {
  const derived_word_record* r = selected_record();
  if (!r || r->flag_position <= 0) return;
  gadget_set_cursor_position(AFF_VIEW, r->flag_position - 1);
}

void match_rows() {
  text_t prefix = gadget_get_text(MATCH_FIELD);
  if (word_editor_rows.rows.empty() || prefix.empty()) {
    warn(u"No matches to find.");
    return;
  }
  std::vector<uint8_t> hits = derived_words_matching(word_editor_rows.rows, prefix);
  int64_t count = 0;
  for (size_t i = 0; i < hits.size(); ++i) {
    count += hits[i];
    gadget_set_item_color(DERIVED_LIST, static_cast<int>(i), COLOR_TEXT, hits[i] ? WORD_EDITOR_RED : WORD_EDITOR_BLACK,
                          0);
  }
  set_gadget_text_if_changed(MATCH_COUNT, u"(" + string_from_int(count) + u")");
}

void choose_sort_mode(derived_words_options& options, int radio) {
  options.sort_mode = radio - SORT_FRAME;
  for (int g = SORT_FIRST_RADIO; g < SORT_FIRST_RADIO + 5; ++g) gadget_set_state(g, g == radio ? 1 : 0);
}

void sort_rows(const derived_words_options& options) {
  if (word_editor_rows.rows.empty()) {
    warn(u"No derived words found.");
    return;
  }
  sort_derived_words(word_editor_rows.rows, static_cast<int64_t>(word_editor_rows.rows.size()), options.sort_mode);
  fill_derived_list();
}

void remember_sort_mode(const derived_words_options& options) {
  text_t path = settings_file_path(derivates_sort_prefs_file);
  if (!write_derivates_sort_prefs(path, options.sort_mode)) show_error(u"Can't write the file:\n" + path);
}

void remove_flag_from_textbox(const aff_decode_cache& cache) {
  const derived_word_record* r = selected_record();
  if (is_primary(*r)) {
    warn(u"Primary word doesn't have a flag.");
    return;
  }
  remove_flag_outcome out = remove_flag_from_word_text(gadget_get_text(WORD_FIELD), r->flag, cache.aff_flag_mode);
  if (out.result == remove_flag_result::not_found) {
    warn(u"Flag not found in textbox.");
  } else if (out.result == remove_flag_result::removed) {
    gadget_set_text(WORD_FIELD, out.text);
    event_post(EVENT_GADGET, WINDOW, REFRESH);
  }
}

void run_popup_item(const aff_decode_cache& cache, int item) {
  text_t refusal = derived_popup_refusal(word_editor_rows.rows.size(), gadget_get_state(DERIVED_LIST));
  if (!refusal.empty()) {
    warn(refusal);
    return;
  }
  int64_t row = gadget_get_state(DERIVED_LIST);
  switch (item) {
    case COPY_WORD: clipboard_set_text(copy_derived_words_text(word_editor_rows.rows, false, row)); break;
    case COPY_ALL_WORDS: clipboard_set_text(copy_derived_words_text(word_editor_rows.rows, true, row)); break;
    case COPY_WORD_AND_RULE:
    case COPY_ALL_WORDS_AND_RULES:
      clipboard_set_text(copy_derived_words_with_rules_text(word_editor_rows.rows, item == COPY_ALL_WORDS_AND_RULES, row,
                                                            derived_primary_word(word_editor_rows.rows)));
      break;
    case COPY_FLAG_RULE: clipboard_set_text(copy_flag_rule_text(*selected_record())); break;
    case REMOVE_FLAG: remove_flag_from_textbox(cache); break;
    default: break;
  }
}

void build_popup() {
  menu_free(POPUP);
  menu_create_image_popup(POPUP);
  menu_add_item(COPY_WORD, u"Copy word");
  menu_add_item(COPY_ALL_WORDS, u"Copy all words");
  menu_add_item(COPY_WORD_AND_RULE, u"Copy word && rule");
  menu_add_item(COPY_ALL_WORDS_AND_RULES, u"Copy all words && rules");
  menu_add_item(COPY_FLAG_RULE, u"Copy flag rule");
  menu_add_separator();
  menu_add_item(REMOVE_FLAG, u"Remove flag from textbox");
}

void build_aff_aid(const panel_layout& l, const preferences& prefs, const aff_aid_languages& aff_aid, int x, int y) {
  aff_aid_choice choice = find_aff_aid_language(aff_aid.entries, prefs.applied.aff_aid_language);
  label_at(AFF_AID_LABEL, x, y, aff_aid_label_text(choice));
  gadget_create_combo_box_ex(AFF_AID_COMBO, x, y + 20, 537 + l.sx(100), static_cast<int>(combo_box_height),
                             COMBO_IMAGES);
  use_language_font(AFF_AID_COMBO);
  int image = static_cast<int>(choice.image);
  for (const text_t& item : aff_aid_combo_items(choice, aff_aid.texts)) {
    if (image != 0 && image_exists(image))
      gadget_add_item_image(AFF_AID_COMBO, -1, item, picture(image));
    else
      gadget_add_item(AFF_AID_COMBO, -1, item);
  }
  if (aff_aid.selected_item >= 0 && aff_aid.selected_item < gadget_count_items(AFF_AID_COMBO))
    gadget_set_state(AFF_AID_COMBO, static_cast<int>(aff_aid.selected_item));
}

}  // namespace

void build_derived_words_panel(const aff_decode_cache& cache, derived_words_options& options, const preferences& prefs,
                               const aff_aid_languages& aff_aid) {
  const panel_layout l{prefs.record.window_resolution};
  shown_images.clear();
  const int row_y = 331 + l.sy(20);

  // The list and the row below it.
  gadget_create_column_list(DERIVED_LIST, 55, 124, 937 + l.sx(100), 205 + l.sy(20), u"Derived words", 170);
  gadget_add_column(DERIVED_LIST, 1, u"Type", 85);
  gadget_add_column(DERIVED_LIST, 2, u"Flag", 78);
  gadget_add_column(DERIVED_LIST, 3, u"Flag Position", 113);
  gadget_add_column(DERIVED_LIST, 4, u"Rule", 395 + l.sx(15));
  use_language_font(DERIVED_LIST);
  create_image_button_at(DISPLAY, 57, row_y, 44, 44, 30043, 0, u"Display", 1);

  label_at(MATCH_LABEL, right_of(DISPLAY) + 12, row_y + 14, u"Word:", LABEL_RIGHT);
  gadget_create_entry(MATCH_FIELD, right_of(MATCH_LABEL) + 5, row_y + 10, 245, static_cast<int>(string_gadget_height), u"");
  use_language_font(MATCH_FIELD);
  gadget_create_button(MATCH, right_of(MATCH_FIELD) + 5, row_y + 8, 90, static_cast<int>(button_height), u"Match");
  label_at(MATCH_COUNT, right_of(MATCH) + 8, row_y + 14, u"");
  gadget_set_color(MATCH_COUNT, COLOR_TEXT, WORD_EDITOR_RED);

  // The colours of the four row types.
  const text_t kinds[] = {u"Primary:", u"Both:", u"Suffix:", u"Prefix:"};
  const int64_t colours[] = {prefs.record.affix_colour_primary, prefs.record.affix_colour_both,
                             prefs.record.affix_colour_suffix, prefs.record.affix_colour_prefix};
  int x = right_of(MATCH) + 60;
  for (int k = 0; k < 4; ++k) {
    int label = KIND_FIRST_LABEL + 2 * k;
    label_at(label, x, row_y + 14, kinds[k]);
    create_image_right_of(label + 1, label, IMAGE_AFFIX_COLOUR_FIRST + static_cast<int>(colours[k]), 4, 0, u"");
    x = right_of(label + 1) + 14;
  }

  // The .AFF view with the sort controls below it.
  const int view_y = 379 + l.sy(20);
  const int view_width = 342 + l.sx(60);
  const int frame_height = 58;
  const int view_height = std::max(60, 560 + l.sy(100) - view_y - frame_height - 12);
  label_at(AFF_LABEL, 14, view_y, u".AFF:");
  gadget_create_text_view_ex(AFF_VIEW, 59, view_y, view_width, view_height, TEXT_VIEW_READ_ONLY);
  use_language_font(AFF_VIEW);
  gadget_set_text(AFF_VIEW, aff_view_text_of_cache(cache.aff_cache_text));

  const int frame_y = view_y + view_height + 4;
  gadget_create_frame(SORT_FRAME, 59, frame_y, view_width, frame_height, u"");
  const int ry = frame_y + 18;
  x = 66;
  // Each radio stands alone (a label follows it), so the panel sets and
  // clears them itself.
  auto radio = [&](int g) {
    gadget_create_radio_button(g, x, ry, 20, static_cast<int>(option_gadget_height), u"");
    x += 20;
  };
  auto caption = [&](int g, const text_t& text) {
    label_at(g, x, ry + 2, text);
    x = right_of(g) + 1;
  };
  auto flag_image = [&](int g) {
    create_image_at(g, x, ry, 30069, 0, u"Flag");
    x = right_of(g) + 1;
  };
  radio(SORT_FIRST_RADIO);
  caption(463, u"Default");
  x += 8;
  radio(SORT_FIRST_RADIO + 1);
  caption(464, u"Type + ");
  flag_image(465);
  x += 8;
  radio(SORT_FIRST_RADIO + 2);
  flag_image(467);
  caption(466, u" + Rule");
  x += 8;
  radio(SORT_FIRST_RADIO + 3);
  flag_image(469);
  caption(468, u" Pos + Rule");
  x += 8;
  radio(SORT_FIRST_RADIO + 4);
  caption(470, u"Rule + ");
  flag_image(471);
  options.sort_mode = clamp_derived_words_sort_mode(options.sort_mode);
  for (int g = SORT_FIRST_RADIO; g < SORT_FIRST_RADIO + 5; ++g)
    gadget_set_state(g, g - SORT_FRAME == options.sort_mode ? 1 : 0);
  create_image_button_at(SORT, std::max(x + 8, 59 + view_width - 96), frame_y + 8, 44, 44, 30010, 0, u"Sort", 0);
  create_image_button_right_of(REMEMBER, SORT, 44, 44, 30032, 4, u"Remember", 0);

  // The summary beside the view.
  const int sum_x = 59 + view_width + 10;
  const int sum_width = std::max(120, (1014 + l.sx(100) - sum_x - 16) / 2);
  const int sum_height = frame_y + frame_height - (view_y + 20);
  label_at(SUMMARY_LABEL, sum_x, view_y, u"Summary:");
  gadget_create_column_list(TOP_LEVEL_LIST, sum_x, view_y + 20, sum_width - 4, sum_height, u"Top level tags", sum_width - 30);
  use_language_font(TOP_LEVEL_LIST);
  gadget_create_column_list(NESTED_LIST, sum_x + sum_width, view_y + 20, sum_width - 4, sum_height, u"Nested tags",
                            sum_width - 30);
  use_language_font(NESTED_LIST);

  // Unknown flags, special flags, FLAG mode: the row of OK and Cancel.
  create_image_at(UNKNOWN_FLAGS_IMAGE, 170, 88, 30061, 0, u"Flags of the word that no rule set defines");
  gadget_create_entry_ex(UNKNOWN_FLAGS, right_of(UNKNOWN_FLAGS_IMAGE) + 4, 86, 180, static_cast<int>(string_gadget_height),
                         u"", ENTRY_READ_ONLY);
  create_image_at(UNKNOWN_CONTINUATION_IMAGE, right_of(UNKNOWN_FLAGS) + 12, 88, 30062, 0,
                  u"Continuation flags that no rule set defines");
  gadget_create_entry_ex(UNKNOWN_CONTINUATION_FLAGS, right_of(UNKNOWN_CONTINUATION_IMAGE) + 4, 86, 180,
                         static_cast<int>(string_gadget_height), u"", ENTRY_READ_ONLY);
  const text_t tips[] = {u"KEEPCASE Flag", u"NEEDAFFIX Flag", u"FORBIDDENWORD Flag", u"COMPLEXPREFIXES Flag",
                         u"CIRCUMFIX Flag"};
  special_flag_images now = current_special_flag_images(cache, word_editor_report.indicators);
  const int first[] = {now.keepcase, now.needaffix, now.forbiddenword, now.complexprefixes, now.circumfix};
  x = right_of(UNKNOWN_CONTINUATION_FLAGS) + 16;
  for (int k = 0; k < 5; ++k) {
    gadget_create_image(KEEPCASE + k, x, 80, 53, 23, picture(first[k]));
    gadget_set_tooltip(KEEPCASE + k, tips[k]);
    shown_images[KEEPCASE + k] = first[k];
    x += 57;
  }
  gadget_create_image(FLAG_MODE, x, 80, 53, 23, picture(now.flag_mode));
  gadget_set_tooltip(FLAG_MODE, now.flag_mode_tooltip);
  shown_images[FLAG_MODE] = now.flag_mode;
  label_at(COMPLEX_PREFIXES_WARNING, gadget_x(KEEPCASE), 104, u"⚠ COMPLEX PREFIXES not supported yet!");
  gadget_set_color(COMPLEX_PREFIXES_WARNING, COLOR_TEXT, WORD_EDITOR_RED);

  build_aff_aid(l, prefs, aff_aid, right_of(TAGS_FIELD) + 38, 30);
  build_popup();
}

void free_derived_words_panel() {
  menu_free(POPUP);
  shown_images.clear();
}

void clear_derived_words() {
  gadget_clear_items(DERIVED_LIST);
  gadget_clear_items(TOP_LEVEL_LIST);
  gadget_clear_items(NESTED_LIST);
}

void show_derived_words(const derived_words_options& options) {
  const int64_t n = static_cast<int64_t>(word_editor_rows.rows.size());
  if (n > 0 && options.sort_mode != DERIVED_SORT_LIST_ORDER) sort_derived_words(word_editor_rows.rows, n, options.sort_mode);
  fill_derived_list();
  derived_words_summary summary = summarise_derived_words(word_editor_rows.rows);
  gadget_add_items(TOP_LEVEL_LIST, summary.top_level);
  gadget_add_items(NESTED_LIST, summary.nested);
  show_unknown_flags(UNKNOWN_FLAGS, word_editor_report.unknown_entry_flags);
  show_unknown_flags(UNKNOWN_CONTINUATION_FLAGS, without_outer_commas(word_editor_report.unknown_continuation_flags));
  set_gadget_text_if_changed(MATCH_COUNT, u"");
}

void update_derived_words_panel(const aff_decode_cache& cache) {
  // Display needs a row that comes from a rule (a sort may move the
  // Primary row away from the top).
  const derived_word_record* r = selected_record();
  int disabled = r && !is_primary(*r) ? 0 : 1;
  if (gadget_get_disabled(DISPLAY) != disabled) gadget_set_disabled(DISPLAY, disabled);

  special_flag_images now = current_special_flag_images(cache, word_editor_report.indicators);
  show_image(KEEPCASE, now.keepcase);
  show_image(NEEDAFFIX, now.needaffix);
  show_image(FORBIDDENWORD, now.forbiddenword);
  show_image(COMPLEXPREFIXES, now.complexprefixes);
  show_image(CIRCUMFIX, now.circumfix);
}

bool handle_derived_words_panel_event(const aff_decode_cache& cache, derived_words_options& options, int type, int object,
                                      int subtype) {
  if (type == EVENT_MENU) {
    if (object < COPY_WORD || object > REMOVE_FLAG) return false;
    run_popup_item(cache, object);
    return true;
  }
  if (type != EVENT_GADGET) return false;
  switch (object) {
    case DERIVED_LIST:
      if (subtype == SUBTYPE_RIGHT_CLICK) menu_popup(POPUP, window_widget(WINDOW));
      if (subtype == SUBTYPE_DOUBLE_CLICK) event_post(EVENT_GADGET, WINDOW, DISPLAY);
      return true;
    case DISPLAY: display_selected_rule(); return true;
    case MATCH: match_rows(); return true;
    case SORT: sort_rows(options); return true;
    case REMEMBER: remember_sort_mode(options); return true;
    default:
      if (object >= SORT_FIRST_RADIO && object < SORT_FIRST_RADIO + 5) {
        choose_sort_mode(options, object);
        return true;
      }
      return false;
  }
}

int derived_words_indicator_image(int gadget) {
  auto it = shown_images.find(gadget);
  return it == shown_images.end() ? 0 : it->second;
}
