#include "app/preferences_window.h"

#include "app/last_update_check.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "common/date_time.h"
#include "common/file.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/command_registry.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/preferences.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using namespace preferences_ids;

constexpr int IMAGE_MAXIMISE_WINDOW = 30063;
constexpr int IMAGE_SIZE_WARNING = 30066;

constexpr int WINDOW_WIDTH = 894;
constexpr int MEASURE_WINDOW_FLAGS = 566;  // maximized, sizeable, system menu, both boxes
constexpr int MEASURE_TIMEOUT_MS = 5000;
constexpr char16_t kDateMask[] = u"%yyyy-%mm-%dd %hh:%ii:%ss";

struct resolution_option {
  int gadget;
  const char16_t* text;
  int warning;  // gadget of the image shown when the screen is smaller
};
// In the order they are shown.
constexpr resolution_option kResolutions[4] = {
    {RES_1280_600, u"1280×600", RES_1280_600_WARNING},
    {RES_1280_768, u"1280×768", RES_1280_768_WARNING},
    {RES_1440_600, u"1440×600", RES_1440_600_WARNING},
    {RES_1440_768, u"1440×768", RES_1440_768_WARNING},
};

struct update_option {
  int gadget;
  const char16_t* text;
  const char16_t* value;
};
constexpr update_option kUpdateOptions[4] = {
    {UPDATE_MANUAL, u"Manual", u"manual"},
    {UPDATE_DAILY, u"Daily", u"daily"},
    {UPDATE_WEEKLY, u"Weekly", u"weekly"},
    {UPDATE_MONTHLY, u"Monthly", u"monthly"},
};

// The window follows the resolution and the pixels of the record as they
// change.
int sy(const preferences_kwx4& p, int64_t percent) {
  return static_cast<int>(scale_extra_height_for(p.window_resolution, percent));
}
int list_height(const preferences_kwx4& p) { return sy(p, 100) + static_cast<int>(p.pixels_plus) + 315; }
int window_height_for_layout(const preferences_kwx4& p) { return sy(p, 100) + 570; }

text_t maximum_resolution;
int64_t screen_width = 0, screen_height = 0;

// The font 1001 holds now (the window reloads it only when the choice differs).
struct font_choice {
  text_t family;
  text_t size;
  int64_t style = 0;
  bool operator==(const font_choice&) const = default;
};
font_choice loaded_font;

font_choice font_of(const preferences_kwx4& p) {
  return {p.font_for_language, p.font_for_language_size, p.font_for_language_style};
}

void load_language_font(const font_choice& f) {
  if (!font_load(FONT_LANGUAGE, f.family, static_cast<int>(string_to_int(f.size)), static_cast<int>(f.style)))
    show_error(u"Can't load " + f.family + u" font.");
  loaded_font = f;
}


// One side of the client area a maximized main window gets; 0 when it
// cannot be measured.
int measure_screen_side(bool height) {
  if (window_exists(SCREEN_MEASURE_WINDOW)) {
    message_box(u"Error!", u"Window number " + string_from_int(SCREEN_MEASURE_WINDOW) + u" already exists.",
                MB_ICON_ERROR);
    return 0;
  }
  if (!window_open_no_parent(SCREEN_MEASURE_WINDOW, GUI_KEEP, GUI_KEEP, 600, 500, u"Getting Maximum Window Size",
                             MEASURE_WINDOW_FLAGS)) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return 0;
  }
  // A menu bar and a status bar, so the client area is what a main window gets.
  menu_create_bar(SCREEN_MEASURE_WINDOW, window_widget(SCREEN_MEASURE_WINDOW));
  menu_add_title(u"File");
  status_bar_create(SCREEN_MEASURE_WINDOW, window_widget(SCREEN_MEASURE_WINDOW));
  status_bar_add_field(GUI_KEEP);
  const int64_t start = time_elapsed_ms();
  while (time_elapsed_ms() - start < MEASURE_TIMEOUT_MS) {
    const int type = event_wait_timeout(100);
    if (type == EVENT_SIZED && event_get_window() == SCREEN_MEASURE_WINDOW) break;
  }
  const int side = height ? window_height(SCREEN_MEASURE_WINDOW) : window_width(SCREEN_MEASURE_WINDOW);
  menu_free(SCREEN_MEASURE_WINDOW);
  window_close(SCREEN_MEASURE_WINDOW);
  return side;
}

void measure_screen() {
  screen_width = measure_screen_side(false);
  screen_height = measure_screen_side(true);
  // A failed measurement proposes the default instead of a window of no size.
  if (!resolution_is_usable(string_from_int(screen_width) + u"×" + string_from_int(screen_height))) {
    parse_resolution(default_preferences().window_resolution, screen_width, screen_height);
  }
  maximum_resolution = string_from_int(screen_width) + u"×" + string_from_int(screen_height);
}

// The 13 default rows scaled to the list height of the proposed resolution.
void propose_first_run_values(preferences& prefs) {
  prefs.record.window_resolution = maximum_resolution;
  const int64_t s = string_to_int(prefs.applied.font_for_language_size);
  const int64_t denominator = gadget_height(DICTIONARY_LIST) - 2 * s;
  if (denominator <= 0) return;  // no main window to measure the rows against
  const int64_t rows =
      ((scale_extra_height_for(prefs.record.window_resolution, 100) + prefs.applied.pixels_plus + 315) * 13 - 2 * s) /
      denominator;
  prefs.record.number_of_lines = std::clamp<int64_t>(rows, PREFS_LINES_MIN, PREFS_LINES_MAX);
}

text_t last_checked_text(const preferences_kwx4& p) {
  const text_t date = date_format(kDateMask, p.last_check_updates_time);
  return u"Last checked:" + (date.empty() ? text_t(u"n/a") : date);
}

text_t separator_preview(const preferences_kwx4& p) {
  return u"Preview:" + string_format_number(0, u".", p.number_separator_chr, 1000000.0);
}

// ---- Building ---------------------------------------------------------------------------------

void label_right_of(int g, int reference, const text_t& text) {
  gadget_create_label(g, gadget_x(reference) + gadget_width(reference) + 8,
                      gadget_y(reference) + (gadget_height(reference) - text_gadget_height) / 2, 0,
                      static_cast<int>(text_gadget_height), text);
  fit_gadget_to_content(g);
}

void spin_with_label(int spin, int label, int x, int y, int width, int min, int max, int64_t value,
                     const text_t& text) {
  // Not a numeric spin: that would put a clamped value back when the focus
  // leaves, so an invalid text would pass the checks of Save and OK while
  // the record holds what was typed. The arrows are stepped here instead.
  gadget_create_spin(spin, x, y, width, static_cast<int>(spin_gadget_height), min, max, 0);
  set_spin_value_if_changed(spin, value);
  label_right_of(label, spin, text);
}

// The gadgets whose place follows the window height.
void place_bottom_gadgets(const preferences_kwx4& p) {
  const int height = window_height_for_layout(p);
  gadget_move_resize(LINES_LIST, GUI_KEEP, GUI_KEEP, GUI_KEEP, list_height(p));
  const int spin_y = gadget_y(LINES_LIST) + gadget_height(LINES_LIST) + 8;
  gadget_move_resize(LINES_SPIN, GUI_KEEP, spin_y, GUI_KEEP, GUI_KEEP);
  gadget_move_resize(PIXELS_SPIN, GUI_KEEP, spin_y + static_cast<int>(spin_gadget_height) + 6, GUI_KEEP, GUI_KEEP);
  for (auto [label, spin] : {std::pair{LINES_LABEL, LINES_SPIN}, std::pair{PIXELS_LABEL, PIXELS_SPIN}})
    gadget_move_resize(label, GUI_KEEP, gadget_y(spin) + (gadget_height(spin) - static_cast<int>(text_gadget_height)) / 2,
                       GUI_KEEP, GUI_KEEP);
  const int button_y = height - 10 - static_cast<int>(image_button_height);
  const int buttons_width = 3 * static_cast<int>(image_button_width) + 2 * 20;
  int x = (WINDOW_WIDTH - buttons_width) / 2;
  for (int button : {SAVE_BUTTON, OK_BUTTON, CANCEL_BUTTON}) {
    gadget_move_resize(button, x, button_y, GUI_KEEP, GUI_KEEP);
    x += static_cast<int>(image_button_width) + 20;
  }
  const int hint_y = button_y - 26;
  gadget_move_resize(HINT_ICON, GUI_KEEP, hint_y, GUI_KEEP, GUI_KEEP);
  gadget_move_resize(HINT_LABEL, GUI_KEEP, hint_y + 2, GUI_KEEP, GUI_KEEP);
}

void fill_aff_aid_combo(const preferences_kwx4& p, const aff_aid_languages& aff_aid) {
  gadget_clear_items(AFF_AID_COMBO);
  gadget_add_item(AFF_AID_COMBO, -1, u"n/a");
  int selected = 0;
  for (size_t i = 0; i < aff_aid.entries.size(); ++i) {
    const text_t& entry = aff_aid.entries[i];
    const int image = static_cast<int>(string_to_int(string_nth_field(entry, 2, u"\n")));
    GdkPixbuf* picture = image_exists(image) ? image_pixbuf(image) : nullptr;
    gadget_add_item_image(AFF_AID_COMBO, -1, string_nth_field(entry, 1, u"\n"), picture);
    if (!entry.empty() && string_nth_field(entry, 3, u"\n") == p.aff_aid_language)
      selected = static_cast<int>(i) + 1;
  }
  gadget_set_state(AFF_AID_COMBO, selected);
}

void colour_combo(int label, int combo, int x, int y, const text_t& text, int64_t value) {
  gadget_create_label_ex(label, x, y + 4, 60, static_cast<int>(text_gadget_height), text, LABEL_RIGHT);
  gadget_create_combo_box_ex(combo, x + 62, y, 78, static_cast<int>(combo_box_height), COMBO_IMAGES);
  for (int i = 0; i < AFFIX_COLOUR_COUNT; ++i)
    gadget_add_item_image(combo, -1, u"", image_pixbuf(IMAGE_AFFIX_COLOUR_FIRST + i));
  gadget_set_state(combo, static_cast<int>(value));
}

void build_window(preferences_kwx4& p, const aff_aid_languages& aff_aid) {
  const int label_h = static_cast<int>(text_gadget_height);

  // Column 1: the visible lines.
  gadget_create_column_list_ex(LINES_LIST, 10, 10, 220, list_height(p), u"# Visible lines (OS specific)", 1000,
                               LIST_CHECK_BOXES);
  use_language_font(LINES_LIST);
  gadget_set_hidden(LINES_LIST, 1);
  std::vector<text_t> rows;
  rows.reserve(PREFS_LINES_MAX);
  for (int i = 1; i <= PREFS_LINES_MAX; ++i) rows.push_back(u"Line " + string_from_int(i));
  gadget_add_items(LINES_LIST, rows);
  gadget_set_hidden(LINES_LIST, 0);
  gadget_set_state(LINES_LIST, static_cast<int>(p.number_of_lines) - 1);
  spin_with_label(LINES_SPIN, LINES_LABEL, 10, 0, 90, PREFS_LINES_MIN, PREFS_LINES_MAX, p.number_of_lines,
                  u"Visible lines");
  spin_with_label(PIXELS_SPIN, PIXELS_LABEL, 10, 0, 90, PREFS_PIXELS_MIN, PREFS_PIXELS_MAX, p.pixels_plus,
                  u"Plus/Minus Pixels");

  // Column 2: resolution, LanguageTool, AFF aid, separator, colours.
  const int x2 = 245, w2 = 300;
  gadget_create_frame(RESOLUTION_FRAME, x2, 5, w2, 160, u"Resolution");
  int y = 27;
  for (const resolution_option& r : kResolutions) {
    gadget_create_radio_button(r.gadget, x2 + 15, y, 110, static_cast<int>(option_gadget_height), r.text);
    y += 26;
  }
  // Created last of the group: images in between would start a new group.
  gadget_create_radio_button(RES_MAXIMUM, x2 + 15, y, 110, static_cast<int>(option_gadget_height),
                             maximum_resolution);
  for (const resolution_option& r : kResolutions) {
    int64_t w = 0, h = 0;
    parse_resolution(r.text, w, h);
    if (w > screen_width || h > screen_height) create_image_right_of(r.warning, r.gadget, IMAGE_SIZE_WARNING, 5, 0, u"");
  }
  create_image_right_of(RES_MAXIMUM_IMAGE, RES_MAXIMUM, IMAGE_MAXIMISE_WINDOW, 5, 0, u"Maximise Window");
  gadget_set_disabled(RES_MAXIMUM, screen_height < 600 ? 1 : 0);
  int chosen = RES_MAXIMUM;
  for (const resolution_option& r : kResolutions)
    if (p.window_resolution == r.text) chosen = r.gadget;
  if (chosen == RES_MAXIMUM) p.window_resolution = maximum_resolution;
  gadget_set_state(chosen, 1);

  gadget_create_frame(LT_FRAME, x2, 170, w2, 60, u"LanguageTool");
  spin_with_label(LT_SPIN, LT_LABEL, x2 + 15, 190, 70, PREFS_LT_LINES_MIN, PREFS_LT_LINES_MAX,
                  p.number_of_lines_languagetool, u"Minimum lines between rules");

  gadget_create_frame(AFF_AID_FRAME, x2, 235, w2, 58, u".AFF Aid Language");
  gadget_create_combo_box_ex(AFF_AID_COMBO, x2 + 15, 257, w2 - 30, static_cast<int>(combo_box_height), COMBO_IMAGES);
  use_language_font(AFF_AID_COMBO);
  fill_aff_aid_combo(p, aff_aid);

  gadget_create_frame(SEPARATOR_FRAME, x2, 298, w2, 58, u"Number separator character");
  gadget_create_entry(SEPARATOR_ENTRY, x2 + 15, 321, 40, static_cast<int>(string_gadget_height),
                      p.number_separator_chr);
  gadget_set_attribute(SEPARATOR_ENTRY, ATTR_MAX_LENGTH, 1);
  gadget_set_tooltip(SEPARATOR_ENTRY, u"One character max only. It can be left blank.");
  label_right_of(SEPARATOR_PREVIEW, SEPARATOR_ENTRY, separator_preview(p));

  gadget_create_frame(COLOUR_FRAME, x2, 361, w2, 90, u"Affix Colours");
  colour_combo(PRIMARY_LABEL, PRIMARY_COMBO, x2 + 5, 383, u"Primary ", p.affix_colour_primary);
  colour_combo(SUFFIX_LABEL, SUFFIX_COMBO, x2 + 150, 383, u"Suffix ", p.affix_colour_suffix);
  colour_combo(BOTH_LABEL, BOTH_COMBO, x2 + 5, 415, u"Both ", p.affix_colour_both);
  colour_combo(PREFIX_LABEL, PREFIX_COMBO, x2 + 150, 415, u"Prefix ", p.affix_colour_prefix);

  // Column 3: decoding warning, autocorrect, updates, font.
  const int x3 = 560, w3 = 324;
  gadget_create_frame(WARN_FRAME, x3, 5, w3, 60, u"Warn over N words decoding (RAM/SSD/HDD)");
  spin_with_label(WARN_SPIN, WARN_LABEL, x3 + 15, 25, 110, PREFS_WARN_WORDS_MIN, PREFS_WARN_WORDS_MAX,
                  p.ask_after_n_words, u"Words (0 disables)");
  create_image_right_of(WARN_IMAGE, WARN_LABEL, IMAGE_SIZE_WARNING, 5, 0, u"");

  gadget_create_frame(AC_FRAME, x3, 70, w3, 60, u"Autocorrect");
  spin_with_label(AC_SPIN, AC_LABEL, x3 + 15, 90, 70, PREFS_AC_SPACES_MIN, PREFS_AC_SPACES_MAX,
                  p.autocorrect_spaces_on_left, u"Spaces on the left of each line");

  gadget_create_frame(UPDATE_FRAME, x3, 135, w3, 100, u"Check for Updates");
  int x = x3 + 15;
  for (const update_option& u : kUpdateOptions) {
    gadget_create_radio_button(u.gadget, x, 157, 72, static_cast<int>(option_gadget_height), u.text);
    if (p.check_for_updates == u.value) gadget_set_state(u.gadget, 1);
    x += 74;
  }
  gadget_create_label(UPDATE_LABEL, x3 + 15, 197, 0, label_h, last_checked_text(p));
  fit_gadget_to_content(UPDATE_LABEL);
  create_image_button_at(UPDATE_BUTTON, x3 + w3 - 15 - static_cast<int>(image_button_width), 183,
                         static_cast<int>(image_button_width), static_cast<int>(image_button_height),
                         IMAGE_CHECK_UPDATES, 0, u"Check for updates", 0);

  gadget_create_frame(FONT_FRAME, x3, 240, w3, 100, u"Font for language");
  gadget_create_entry_ex(FONT_FAMILY, x3 + 15, 262, 170, static_cast<int>(string_gadget_height),
                         p.font_for_language, ENTRY_READ_ONLY);
  gadget_create_entry_ex(FONT_SIZE, x3 + 190, 262, 50, static_cast<int>(string_gadget_height),
                         p.font_for_language_size, ENTRY_READ_ONLY);
  create_image_button_at(FONT_BUTTON, x3 + w3 - 15 - static_cast<int>(image_button_width), 252,
                         static_cast<int>(image_button_width), static_cast<int>(image_button_height), IMAGE_FONT, 0,
                         u"", 0);
  gadget_create_entry(FONT_TEST, x3 + 15, 303, w3 - 30, static_cast<int>(string_gadget_height), u"");
  use_language_font(FONT_TEST);
  gadget_set_tooltip(FONT_TEST, u"Type here to test the font");

  // The hint and the three buttons at the bottom centre.
  create_image_at(HINT_ICON, 250, 0, IMAGE_INFORMATION, 0, u"");
  gadget_create_label(HINT_LABEL, 250 + image_width(IMAGE_INFORMATION) + 6, 0, 0, label_h,
                      u"Select the number of visible lines and save the settings.");
  fit_gadget_to_content(HINT_LABEL);
  for (auto [button, image, tooltip] : {std::tuple{SAVE_BUTTON, IMAGE_SAVE, u"Save Preferences"},
                                        std::tuple{OK_BUTTON, IMAGE_OK, u"OK"},
                                        std::tuple{CANCEL_BUTTON, IMAGE_CANCEL, u"Cancel"}})
    create_image_button_at(button, 0, 0, static_cast<int>(image_button_width), static_cast<int>(image_button_height),
                           image, 0, tooltip, 0);
  place_bottom_gadgets(p);
  gadget_set_focus(LINES_LIST);
}

// ---- Checks ---------------------------------------------------------------------------------

bool fields_rejected(preferences_kwx4& p, bool with_autocorrect) {
  if (reject_out_of_range_number(LINES_SPIN, u"The number of lines must be in the range 1:500", 1, 500)) return true;
  if (reject_out_of_range_number(LT_SPIN, u"The number of lines must be in the range 1:50", 1, 50)) return true;
  if (reject_out_of_range_number(PIXELS_SPIN, u"The number of 'Pixels Plus' must be in the range -10:10", -10, 10))
    return true;
  if (reject_out_of_range_number(WARN_SPIN, u"The number of 'Warn Over N Word' must be in the range 0:99999999", 0,
                                 99999999))
    return true;
  if (with_autocorrect &&
      reject_out_of_range_number(AC_SPIN, u"The number of spaces on left for autocorrect must be in the range 1:50", 1,
                                 50))
    return true;
  // The checks accept a decimal such as "12.5" that the live check counted
  // as malformed: the record takes the checked texts' values, rounded.
  auto value_of = [](int g) {
    return static_cast<int64_t>(math_round(string_to_float(gadget_get_text(g)), 2));
  };
  p.number_of_lines = value_of(LINES_SPIN);
  p.number_of_lines_languagetool = value_of(LT_SPIN);
  p.pixels_plus = value_of(PIXELS_SPIN);
  p.ask_after_n_words = value_of(WARN_SPIN);
  if (with_autocorrect) p.autocorrect_spaces_on_left = value_of(AC_SPIN);
  clamp_preferences(p);
  return false;
}

// ---- Rebuilding the main window -------------------------------------------------------------

// A list filled once when its document was loaded: rows, marks and titles.
struct kept_list {
  int gadget = 0;
  std::vector<text_t> titles;
  std::vector<text_t> rows;
  std::vector<int> states;
};

kept_list keep_list(int g) {
  kept_list k;
  k.gadget = g;
  const int columns = gadget_get_attribute(g, ATTR_COLUMN_COUNT);
  auto row_text = [&](int item) {
    text_t t;
    for (int c = 0; c < columns; ++c) t += (c ? u"\n" : u"") + gadget_get_item_text(g, item, c);
    return t;
  };
  for (int c = 0; c < columns; ++c) k.titles.push_back(gadget_get_item_text(g, -1, c));
  const int count = gadget_count_items(g);
  for (int i = 0; i < count; ++i) {
    k.rows.push_back(row_text(i));
    k.states.push_back(gadget_get_item_state(g, i) & ITEM_CHECKED);
  }
  return k;
}

void restore_list(const kept_list& k) {
  if (!gadget_exists(k.gadget)) return;
  const int columns = std::min<int>(gadget_get_attribute(k.gadget, ATTR_COLUMN_COUNT), static_cast<int>(k.titles.size()));
  for (int c = 0; c < columns; ++c) gadget_set_item_text(k.gadget, -1, k.titles[c], c);
  gadget_clear_items(k.gadget);
  gadget_add_items(k.gadget, k.rows);
  for (size_t i = 0; i < k.states.size(); ++i)
    if (k.states[i]) gadget_set_item_state(k.gadget, static_cast<int>(i), ITEM_CHECKED);
}

// Lists that are filled once when their document loads and never redrawn
// from it: the hyphenation results, the AutoText list and both grammar lists.
constexpr int kKeptLists[] = {HYPHENATION_RESULTS, AUTOTEXT_LIST, GRAMMAR_LIST, GRAMMAR_CATEGORY_LIST};
// Texts that only a load, a tool or a click sets: the editors, the word
// field, the read-only views and the labels of the AutoText and grammar tabs.
constexpr int kKeptTexts[] = {AFF_EDITOR,           HYPHENATION_EDITOR,      HYPHENATION_WORD_FIELD,
                              HYPHENATION_COUNT_LABEL, AUTOTEXT_VIEW,       AUTOTEXT_STATUS_LABEL,
                              AUTOTEXT_SELECTED_LABEL, AUTOTEXT_RULE1_LABEL, AUTOTEXT_RULE2_LABEL,
                              GRAMMAR_VIEW,         GRAMMAR_STATUS_LABEL,    GRAMMAR_SELECTED_LABEL,
                              GRAMMAR_RULE1_LABEL,  GRAMMAR_RULE2_LABEL};

// The kinds whose lists page documents of their own (the Hyphenation tab
// pages the dictionary's).
std::array<const document_kind*, 3> paged_documents(const document_kinds& kinds) {
  return {&kinds.dictionary, &kinds.thesaurus, &kinds.autocorrect};
}

void rebuild_main_window(preferences& prefs, const document_kinds& kinds) {
  prefs.first_apply = true;
  load_language_font(font_of(prefs.record));

  const int tab = gadget_get_state(MAIN_TAB_PANEL);
  std::vector<kept_list> lists;
  for (int g : kKeptLists) lists.push_back(keep_list(g));
  std::vector<std::pair<int, text_t>> texts;
  for (int g : kKeptTexts) texts.emplace_back(g, gadget_get_text(g));
  // The build starts every document without history; Undo must still work.
  std::vector<std::pair<list_document*, list_history>> histories;
  for (const document_kind* kind : paged_documents(kinds)) {
    list_document& doc = paged_list_document(*kind);
    histories.emplace_back(&doc, doc.history());
  }

  window_close(MAIN_WINDOW);
  build_main_window(prefs);

  for (const auto& [g, text] : texts) {
    if (gadget_kind(g) == GADGET_LABEL) set_gadget_text_if_changed(g, text);
    else gadget_set_text(g, text);
  }
  for (const kept_list& k : lists) restore_list(k);
  for (auto& [doc, history] : histories) doc->restore_history(std::move(history));
  for (const document_kind* kind : paged_documents(kinds)) update_undo_redo_buttons(paged_list_document(*kind));
  gadget_set_state(MAIN_TAB_PANEL, tab);
  // Closing the old window dropped its callbacks: dragging a scroll bar
  // redraws the page at once again.
  bind_list_callbacks();
  update_all_file_labels();
}

void repage_main_lists(preferences& prefs, aff_aid_languages& aff_aid, const document_kinds& kinds,
                       const int scroll_positions[3]) {
  const std::pair<int, const document_kind*> scroll_of[4] = {{DICTIONARY_SCROLL, &kinds.dictionary},
                                                             {THESAURUS_SCROLL, &kinds.thesaurus},
                                                             {HYPHENATION_SCROLL, &kinds.hyphenation},
                                                             {AUTOCORRECT_SCROLL, &kinds.autocorrect}};
  for (const auto& [bar, kind] : scroll_of) {
    gadget_set_attribute(bar, ATTR_PAGE_LENGTH, static_cast<int>(prefs.applied.number_of_lines));
    gadget_set_attribute(bar, ATTR_MAXIMUM,
                         static_cast<int>(std::max<int64_t>(0, paged_list_document(*kind).count() - 1)));
  }
  for (const document_kind* kind : paged_documents(kinds)) paged_list_document(*kind).select(-1);
  clear_paged_list_selection(kinds.hyphenation);
  refresh_list_view_page();
  const int restored_bars[3] = {DICTIONARY_SCROLL, THESAURUS_SCROLL, AUTOCORRECT_SCROLL};
  for (int i = 0; i < 3; ++i) gadget_set_state(restored_bars[i], scroll_positions[i]);
  refresh_list_view_page();
  if (prefs.record.aff_aid_language != prefs.backup.aff_aid_language) aff_aid.selected_item = 0;
  for (auto [mark, status] : {std::pair{DICTIONARY_CHANGED_MARK, DICTIONARY_STATUS_LABEL},
                              std::pair{THESAURUS_CHANGED_MARK, THESAURUS_STATUS_LABEL},
                              std::pair{HYPHENATION_CHANGED_MARK, HYPHENATION_STATUS_LABEL}})
    gadget_move_resize(mark, GUI_KEEP, gadget_y(status), GUI_KEEP, GUI_KEEP);
  gadget_move_resize(AUTOCORRECT_CHANGED_MARK, GUI_KEEP, GUI_KEEP, gadget_width(HYPHENATION_STATUS_LABEL), GUI_KEEP);
  for (const document_kind* kind : kinds.all()) update_paged_list_status_label(*kind);
}

// ---- The window's events ------------------------------------------------------------------------

void on_resolution_chosen(preferences_kwx4& p, int gadget) {
  if (gadget_get_state(gadget) != 1) return;  // the option that was switched off
  if (gadget == RES_MAXIMUM) {
    p.window_resolution = maximum_resolution;
  } else {
    for (const resolution_option& r : kResolutions)
      if (r.gadget == gadget) p.window_resolution = r.text;
  }
  window_move_resize(PREFERENCES_WINDOW, GUI_KEEP, GUI_KEEP, GUI_KEEP, window_height_for_layout(p));
  place_bottom_gadgets(p);
}

void on_font_button(preferences_kwx4& p) {
  if (!font_dialog(u"Arial", 10, 0)) return;
  p.font_for_language = font_dialog_chosen_name();
  // The field shows the size that will be stored, not a size the file cannot hold.
  p.font_for_language_size =
      string_from_int(std::clamp<int64_t>(font_dialog_chosen_size(), PREFS_FONT_SIZE_MIN, PREFS_FONT_SIZE_MAX));
  p.font_for_language_style = font_dialog_chosen_style();
  gadget_set_text(FONT_FAMILY, p.font_for_language);
  gadget_set_text(FONT_SIZE, p.font_for_language_size);
  const font_choice chosen = font_of(p);
  if (chosen == loaded_font) return;
  load_language_font(chosen);
  for (int g : {LINES_LIST, FONT_TEST, AFF_AID_COMBO}) use_language_font(g);
}

void on_save(preferences_kwx4& p) {
  if (fields_rejected(p, false)) return;
  if (!save_prefs_record(p)) show_error(u"Can't write the file:\n" + prefs_file_path());
  if (!save_last_update_check(p.last_check_updates_time))
    show_error(u"Can't write the file:\n" + last_update_check_path());
  gadget_set_text(UPDATE_LABEL, last_checked_text(p));
  fit_gadget_to_content(UPDATE_LABEL);
}

// The live check of a number field after typing or an arrow; the arrows
// step the value within the range. Returns the field's value (min - 1 when
// its text is malformed).
int64_t number_field_changed(int g, int subtype, int64_t min, int64_t max, int64_t current) {
  if (subtype == SUBTYPE_SPIN_UP || subtype == SUBTYPE_SPIN_DOWN) {
    const int64_t base = current < min || current > max ? min : current;
    set_spin_value_if_changed(g, std::clamp<int64_t>(base + (subtype == SUBTYPE_SPIN_UP ? 1 : -1), min, max));
  }
  return colour_invalid_number_field(g, 0, min, max);
}

enum class window_end { open, cancelled, confirmed };

window_end handle_gadget(preferences_kwx4& p, const aff_aid_languages& aff_aid, int g, int subtype) {
  const bool changed = subtype == SUBTYPE_CHANGE || subtype == SUBTYPE_SPIN_UP || subtype == SUBTYPE_SPIN_DOWN;
  switch (g) {
    case CANCEL_BUTTON:
      return window_end::cancelled;
    case OK_BUTTON:
      return fields_rejected(p, true) ? window_end::open : window_end::confirmed;
    case SAVE_BUTTON:
      on_save(p);
      break;
    case LINES_LIST: {
      const int row = gadget_get_state(LINES_LIST);
      if ((subtype == SUBTYPE_CLICK || subtype == SUBTYPE_CHANGE) && row >= 0) {
        p.number_of_lines = row + 1;
        set_spin_value_if_changed(LINES_SPIN, p.number_of_lines);
        colour_invalid_number_field(LINES_SPIN, 0, PREFS_LINES_MIN, PREFS_LINES_MAX);
      }
      break;
    }
    case LINES_SPIN:
      if (changed) {
        p.number_of_lines = number_field_changed(LINES_SPIN, subtype, PREFS_LINES_MIN, PREFS_LINES_MAX, p.number_of_lines);
        gadget_set_state(LINES_LIST, static_cast<int>(p.number_of_lines) - 1);
      }
      break;
    case PIXELS_SPIN:
      if (changed) {
        p.pixels_plus = number_field_changed(PIXELS_SPIN, subtype, PREFS_PIXELS_MIN, PREFS_PIXELS_MAX, p.pixels_plus);
        if (p.pixels_plus >= PREFS_PIXELS_MIN && p.pixels_plus <= PREFS_PIXELS_MAX) place_bottom_gadgets(p);
      }
      break;
    case RES_1280_600:
    case RES_1440_600:
    case RES_1280_768:
    case RES_1440_768:
    case RES_MAXIMUM:
      on_resolution_chosen(p, g);
      break;
    case LT_SPIN:
      if (changed)
        p.number_of_lines_languagetool = number_field_changed(LT_SPIN, subtype, PREFS_LT_LINES_MIN, PREFS_LT_LINES_MAX,
                                                              p.number_of_lines_languagetool);
      break;
    case AFF_AID_COMBO: {
      const int item = gadget_get_state(AFF_AID_COMBO);
      if (item == 0) p.aff_aid_language.clear();
      else if (item > 0 && item <= static_cast<int>(aff_aid.entries.size()))
        p.aff_aid_language = string_nth_field(aff_aid.entries[item - 1], 3, u"\n");
      break;
    }
    case SEPARATOR_ENTRY:
      if (subtype == SUBTYPE_CHANGE) {
        p.number_separator_chr = gadget_get_text(SEPARATOR_ENTRY);
        set_gadget_text_if_changed(SEPARATOR_PREVIEW, separator_preview(p));
      }
      break;
    case WARN_SPIN:
      if (changed)
        p.ask_after_n_words = number_field_changed(WARN_SPIN, subtype, PREFS_WARN_WORDS_MIN, PREFS_WARN_WORDS_MAX,
                                                   p.ask_after_n_words);
      break;
    case FONT_BUTTON:
      on_font_button(p);
      break;
    case UPDATE_MANUAL:
    case UPDATE_DAILY:
    case UPDATE_WEEKLY:
    case UPDATE_MONTHLY:
      if (gadget_get_state(g) == 1)
        for (const update_option& u : kUpdateOptions)
          if (u.gadget == g) p.check_for_updates = u.value;
      break;
    case UPDATE_BUTTON: {
      // The check stores its time itself, and only when the site answered.
      run_command(command_kind::menu_item, MENU_CHECK_UPDATES, {.type = EVENT_MENU, .id = MENU_CHECK_UPDATES});
      set_gadget_text_if_changed(UPDATE_LABEL, last_checked_text(p));
      break;
    }
    case PRIMARY_COMBO:
      p.affix_colour_primary = gadget_get_state(g);
      break;
    case SUFFIX_COMBO:
      p.affix_colour_suffix = gadget_get_state(g);
      break;
    case PREFIX_COMBO:
      p.affix_colour_prefix = gadget_get_state(g);
      break;
    case BOTH_COMBO:
      p.affix_colour_both = gadget_get_state(g);
      break;
    case AC_SPIN:
      if (changed)
        p.autocorrect_spaces_on_left = number_field_changed(AC_SPIN, subtype, PREFS_AC_SPACES_MIN, PREFS_AC_SPACES_MAX,
                                                            p.autocorrect_spaces_on_left);
      break;
    default:
      break;
  }
  return window_end::open;
}

}  // namespace

void show_preferences_window(preferences& prefs, aff_aid_languages& aff_aid, const document_kinds& kinds) {
  measure_screen();
  if (!prefs.applied_once) propose_first_run_values(prefs);

  if (!window_open(PREFERENCES_WINDOW, 0, 0, WINDOW_WIDTH, window_height_for_layout(prefs.record), u"Preferences",
                   TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  prefs.backup = prefs.record;
  loaded_font = font_of(prefs.backup);
  const int scroll_positions[3] = {gadget_get_state(DICTIONARY_SCROLL), gadget_get_state(THESAURUS_SCROLL),
                                   gadget_get_state(AUTOCORRECT_SCROLL)};
  build_window(prefs.record, aff_aid);
  shortcut_add(PREFERENCES_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(PREFERENCES_WINDOW, KEY_RETURN, SHORTCUT_RETURN);

  window_end end = window_end::open;
  run_modal_loop(
      PREFERENCES_WINDOW,
      [&](const modal_event& e) {
        if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE)) end = window_end::cancelled;
        else if (e.type == EVENT_GADGET) end = handle_gadget(prefs.record, aff_aid, e.object, e.subtype);
        return close_when(end != window_end::open);
      },
      // Escape cancels, also when another window has the focus.
      {.menu_item_of_any_window = SHORTCUT_ESCAPE});

  window_close(PREFERENCES_WINDOW);
  if (end == window_end::cancelled) {
    prefs.record = prefs.backup;
    // A font tried in the window is taken back with the rest.
    if (!(loaded_font == font_of(prefs.record))) load_language_font(font_of(prefs.record));
  } else {
    prefs.applied_once = true;
    apply_prefs_values(prefs);
    if (!(prefs.record == prefs.backup) || !prefs.first_apply) rebuild_main_window(prefs, kinds);
    repage_main_lists(prefs, aff_aid, kinds, scroll_positions);
  }
  window_set_disabled(MAIN_WINDOW, 0);
  window_activate(MAIN_WINDOW);
}

void register_preferences_commands(preferences& prefs, aff_aid_languages& aff_aid, const document_kinds& kinds,
                                   tool_registry& tools) {
  tools.set_command(MENU_PREFERENCES, [&prefs, &aff_aid, &kinds] { show_preferences_window(prefs, aff_aid, kinds); });
}

int run_preferences_gate(preferences& prefs, aff_aid_languages& aff_aid, const document_kinds& kinds) {
  prefs.first_apply = true;
  const text_t path = prefs_file_path();
  if (file_size_by_path(path) > 0) {
    // A file that ends early is as invalid as one from another version.
    preferences_kwx4 probe;
    if (read_prefs_file(path, probe)) return 1;
    show_error(u"The .prefs file is invalid.\n\nMaybe it is from a different version of\nVocabrix.");
    status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u".prefs file invalid.");
  }
  prefs.first_apply = false;
  show_preferences_window(prefs, aff_aid, kinds);
  return 0;
}
