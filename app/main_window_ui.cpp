// Builds the main window. Every position follows the 1024 x 600 design
// plus the extra pixels of the chosen resolution.
#include "app/main_window.h"

#include "gui/gui.h"
#include "kit/identity.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/main_window_hooks.h"
#include "kit/preferences.h"
#include "kit/window_helpers.h"

#include <vector>

const char16_t* const main_tab_titles[6] = {
    u"Dictionary (*.dic + *.aff)", u"Thesaurus (*.dat)",      u"Hyphenation (*.dic)",
    u"Autocorrect (DocumentList.xml)", u"AutoText (BlockList.xml)", u"LanguageTool (*.xml)"};

namespace {

// What one build lays the window out for: the resolution of the
// preferences record, and the applied rows and pixels.
struct main_layout {
  const preferences& prefs;
  int sx(int percent) const { return static_cast<int>(scale_extra_width_for(prefs.record.window_resolution, percent)); }
  int sy(int percent) const { return static_cast<int>(scale_extra_height_for(prefs.record.window_resolution, percent)); }
  int adj() const { return static_cast<int>(prefs.applied.pixels_plus); }
  // The height every list of tabs 0, 1, 3, 4 and 5 shares.
  int list_height() const { return sy(100) + adj() + 315; }
};

constexpr int BW = static_cast<int>(chained_image_button_width);
constexpr int BH = static_cast<int>(chained_image_button_height);
constexpr int LABEL_H = static_cast<int>(text_gadget_height);


// ---- Menus ---------------------------------------------------------------------------------

void item(int id, const char16_t* text, int image) { menu_add_item_image(id, text, image_pixbuf(image)); }
void submenu(const char16_t* text, int image) { menu_open_submenu_image(text, image_pixbuf(image)); }

void build_menu_bar() {
  menu_create_image_bar(MAIN_MENU, window_widget(MAIN_WINDOW));

  menu_add_title(u"&File");
  item(MENU_OPEN, u"&Open...\tCtrl+O", IMAGE_MENU_OPEN);
  item(MENU_SAVE, u"&Save\tCtrl+S", IMAGE_MENU_SAVE);
  item(MENU_SAVE_AS, u"Save &As...\tShift+Ctrl+S", IMAGE_MENU_SAVE_AS);
  menu_add_separator();
  item(MENU_OPEN_EXTENSION, u"Open Extension .xpi/.oxt...", IMAGE_MENU_OPEN);
  item(MENU_SAVE_EXTENSION, u"Save Extension .xpi/.oxt", IMAGE_MENU_SAVE);
  item(MENU_SAVE_EXTENSION_AS, u"Save Extension As .xpi/.oxt...", IMAGE_MENU_SAVE_AS);
  menu_add_separator();
  item(MENU_IMPORT_PROFILE, u"Import Profile...", IMAGE_IMPORT_PROFILE);
  item(MENU_EXPORT_PROFILE, u"Export Profile As...", IMAGE_EXPORT_PROFILE);
  menu_add_separator();
  submenu(u"Recent Files", IMAGE_RECENT_FILES);
  for (int n = 1; n <= 10; ++n) {
    menu_add_item_image(MENU_RECENT_FIRST + n - 1, string_from_int(n) + u":", image_pixbuf(IMAGE_RECENT_FILE));
  }
  menu_add_separator();
  item(MENU_RECENT_CLEAR, u"Clear", IMAGE_CLEAR);
  menu_close_submenu();
  menu_add_separator();
  submenu(u"Recent Extensions .xpi/.oxt", IMAGE_RECENT_FILES);
  for (int n = 1; n <= 10; ++n) {
    menu_add_item_image(MENU_RECENT_EXTENSION_FIRST + n - 1, string_from_int(n) + u":",
                        image_pixbuf(IMAGE_EXTENSION));
  }
  menu_add_separator();
  item(MENU_RECENT_EXTENSION_CLEAR, u"Clear", IMAGE_CLEAR);
  menu_close_submenu();
  menu_add_separator();
  item(MENU_EXIT, u"&Exit\tCtrl+Q", IMAGE_MENU_EXIT);

  menu_add_title(u"&Dictionary Tools");
  item(MENU_AFF_VALIDATE, u"AFF Validate", IMAGE_AFF_VALIDATE);
  submenu(u"Import", IMAGE_BULK_IMPORT);
  item(MENU_DICTIONARY_BULK_IMPORT, u"Bulk Import", IMAGE_BULK_IMPORT);
  item(MENU_IMPORT_POSSESSIVES, u"Import places/people names adding possessives", IMAGE_BULK_IMPORT);
  menu_close_submenu();
  submenu(u"Extract wordlist", IMAGE_EXPORT);
  item(MENU_EXTRACT_ALL_TXT, u"All .txt", IMAGE_RECENT_FILE);
  item(MENU_EXTRACT_ALL_CSV, u"All .csv", IMAGE_RECENT_FILE);
  item(MENU_EXTRACT_UPPERCASE_TXT, u"All Uppercase .txt", IMAGE_RECENT_FILE);
  item(MENU_EXTRACT_COMPOUNDS_TXT, u"Compounds .txt", IMAGE_RECENT_FILE);
  item(MENU_EXTRACT_COMPOUNDS_LT, u"Compounds .txt (LanguageTool)", IMAGE_RECENT_FILE);
  item(MENU_EXTRACT_BY_TAGS, u"Extract with specifid postags/comments (structured) .DIC", IMAGE_EXPORT);
  menu_close_submenu();
  submenu(u"Redundancy Tools", IMAGE_REDUNDANCY);
  item(MENU_DICTIONARY_DUPLICATES, u"Show/Merge/Delete duplicates .DIC", IMAGE_DUPLICATES);
  item(MENU_REDUNDANT_FLAGS, u"Redundant flags: useless && duplicates .DIC", IMAGE_REDUNDANT_FLAGS);
  item(MENU_WORDLIST_DUPLICATES, u"Show/Delete duplicates wordlist", IMAGE_DUPLICATES);
  item(MENU_SORT_FLAGS, u"Sort flags && remove their duplicates .DIC", IMAGE_SORT_FLAGS);
  menu_close_submenu();
  item(MENU_SORT_AFF_TAGS, u"Sort tags .AFF", IMAGE_SORT);
  item(MENU_REMOVE_COMMENTS, u"Remove comments in words .DIC", IMAGE_REMOVE_COMMENTS);
  submenu(u"UnPFX/UnSFX .DIC", IMAGE_UNPFX);
  item(MENU_UNPFX_ALL, u"UnPFX all flags (remove from .DIC)", IMAGE_UNPFX);
  item(MENU_UNPFX_SPECIFIC, u"UnPFX/UnSFX specific flags (remove from .DIC)", IMAGE_UNPFX);
  menu_close_submenu();
  submenu(u"Tavernel - GB/ZA", IMAGE_GBZA);
  item(MENU_PROPER_NAMES, u"Proper Names (structured) to GB/ZA/US/CA/AU (Tavernel - GB/ZA)", IMAGE_GBZA);
  item(MENU_GBZA_VARIANTS, u"GB/ZA to GB/ZA/US/CA/AU: -ise/-ize + specific words (Tavernel - GB/ZA)",
       IMAGE_GBZA);
  item(MENU_CRUNCH, u"Crunch .DIC (SFX only) (Tavernel - GB/ZA)", IMAGE_CRUNCH);
  menu_close_submenu();
  item(MENU_STATISTICS, u"Statistics", IMAGE_STATISTICS);
  item(MENU_DICTIONARY_FIX_SPACES, u"Fix invalid spaces", IMAGE_FIX_SPACES);

  menu_add_title(u"&Thesaurus Tools");
  item(MENU_THESAURUS_VALIDATE, u"Thesaurus Validate", IMAGE_THESAURUS_VALIDATE);
  item(MENU_THESAURUS_BULK_IMPORT, u"Bulk Import", IMAGE_BULK_IMPORT);
  submenu(u"Extract synonyms", IMAGE_EXPORT);
  item(MENU_EXTRACT_SYNONYMS_TXT, u"All .txt", IMAGE_RECENT_FILE);
  item(MENU_EXTRACT_SYNONYMS_BOOK, u"All .txt (Book)", IMAGE_RECENT_FILE);
  menu_close_submenu();
  item(MENU_CLEAN_SYMBOLS, u"Clean up symbols", IMAGE_CLEAN_UP);
  item(MENU_THESAURUS_DUPLICATES, u"Show/Merge duplicates", IMAGE_DUPLICATES);
  submenu(u"Combine/Sort/Deduplicate simple meanings", IMAGE_COMBINE_MENU);
  item(MENU_COMBINE_MEANINGS, u"Combine (one item per line)", IMAGE_COMBINE);
  item(MENU_DEDUPLICATE_MEANINGS, u"Deduplicate (one item per line)", IMAGE_DUPLICATES);
  item(MENU_SORT_MEANINGS, u"Sort (one item per line)", IMAGE_SORT);
  menu_close_submenu();
  item(MENU_SORT_ON_NUMBERS, u"Sort on numbers", IMAGE_SORT_NUMBERS);
  item(MENU_PREVIEW_THESAURUS, u"Preview Thesaurus", IMAGE_PREVIEW);
  item(MENU_THESAURUS_FIX_SPACES, u"Fix invalid spaces", IMAGE_FIX_SPACES);

  menu_add_title(u"&Hyphenation Tools");
  item(MENU_HYP_VALIDATE, u"HYP Validate", IMAGE_HYP_VALIDATE);
  item(MENU_HYPHENATION_FIX_SPACES, u"Fix invalid spaces", IMAGE_FIX_SPACES);

  menu_add_title(u"&Autocorrect Tools");
  item(MENU_AC_VALIDATE, u"AC Validate", IMAGE_AC_VALIDATE);
  item(MENU_AUTOCORRECT_BULK_IMPORT, u"Bulk Import", IMAGE_BULK_IMPORT);
  item(MENU_EXTRACT_AUTOCORRECTS, u"Extract Autocorrects all .txt", IMAGE_EXPORT);
  item(MENU_CLEAN_HEX_SYMBOLS, u"Clean up hex symbols (Hex to Emoji)", IMAGE_CLEAN_UP);
  item(MENU_AUTOCORRECT_DUPLICATES, u"Show/Delete/XDelete duplicates", IMAGE_DUPLICATES);
  item(MENU_AUTOCORRECT_FIX_SPACES, u"Fix invalid spaces", IMAGE_FIX_SPACES);

  menu_add_title(u"&AutoText Tools");
  item(MENU_AUTOTEXT_VALIDATE, u"AutoText Validate", IMAGE_AUTOTEXT_VALIDATE);
  item(MENU_AUTOTEXT_FIX_SPACES, u"Fix invalid spaces", IMAGE_FIX_SPACES);

  menu_add_title(u"&LanguageTool Tools");
  item(MENU_BULK_IMPORT_MULTIWORDS, u"Bulk Import Multiwords", IMAGE_BULK_IMPORT);
  submenu(u"Extract", IMAGE_EXPORT);
  // The POS tools name the chosen language in these two at the end of the build.
  menu_add_item_image(MENU_POS_ADDED, u"POS added.txt", image_pixbuf(IMAGE_RECENT_FILE));
  menu_add_item_image(MENU_POS_SPELLING, u"POS spelling.txt", image_pixbuf(IMAGE_RECENT_FILE));
  item(MENU_POS_SETTINGS, u"POS settings", IMAGE_PREFERENCES);
  menu_add_separator();
  item(MENU_RULES_STRUCTURE, u"Rules Structure .txt", IMAGE_RECENT_FILE);
  item(MENU_RULES_STRUCTURE_PLAIN, u"Rules Structure .txt (no line numbers)", IMAGE_RECENT_FILE);
  menu_close_submenu();
  item(MENU_INDENT_XML, u"Indent .xml", IMAGE_INDENT_XML);

  menu_add_title(u"&Language/Task-specific Tools");
  item(MENU_SORT_SMALL_WORDLIST, u"Sort small wordlist (very slow)", IMAGE_SORT);
  item(MENU_SORT_LARGE_WORDLIST, u"Sort large wordlist quickly .txt", IMAGE_SORT);
  item(MENU_DEDUPLICATE_SMALL_WORDLIST, u"Delete Duplicates small wordlist (very slow)", IMAGE_DUPLICATES);
  item(MENU_DEDUPLICATE_LARGE_WORDLIST, u"Delete Duplicates large wordlist quickly .txt", IMAGE_DUPLICATES);
  item(MENU_CONVERT_XML_ACCENTS, u"Convert XML tags to accents wordlist (very slow)", IMAGE_CLEAN_UP);
  item(MENU_MASTER_WORDLIST, u"Words missing in Master Wordlist", IMAGE_MASTER_WORDLIST);

  menu_add_title(u"&Extension Tools");
  item(MENU_EXTENSION_PROPERTIES, u".xpi/.oxt Properties", IMAGE_EXTENSION);

  menu_add_title(u"&Prefs");
  item(MENU_PREFERENCES, u"Preferences", IMAGE_PREFERENCES);

  menu_add_title(u"&Help");
  item(MENU_CHECK_UPDATES, u"Check for Updates", IMAGE_CHECK_UPDATES);
  item(MENU_HTML_HELP, u"HTML Help\tF1", IMAGE_HELP);
  menu_add_separator();
  item(MENU_ABOUT, u"About", IMAGE_ABOUT);

  menu_set_item_disabled(MAIN_MENU, MENU_SAVE_EXTENSION, 1);
  menu_set_item_disabled(MAIN_MENU, MENU_SAVE_EXTENSION_AS, 1);
}

void build_popup_menus() {
  // A rebuild of the main window replaces the popups of the previous one.
  menu_free(POPUP_LIST_MENU);
  menu_free(POPUP_HYPHENATION_MENU);
  menu_create_image_popup(POPUP_LIST_MENU);
  item(POPUP_ADD, u"Add", IMAGE_ADD);
  item(POPUP_EDIT, u"Edit", IMAGE_EDIT);
  item(POPUP_CLONE, u"Clone", IMAGE_CLONE);
  item(POPUP_EXTRACT_PFX, u"Extract && Delete flags (PFX)", IMAGE_EXTRACT_FLAGS);
  item(POPUP_EXTRACT_ALL, u"Extract && Delete flags (All)", IMAGE_EXTRACT_FLAGS);
  menu_add_separator();
  item(POPUP_SELECT_ALL, u"Select All", IMAGE_SELECT_ALL);
  item(POPUP_SELECT_NONE, u"Select None", IMAGE_SELECT_NONE);
  item(POPUP_INVERT, u"Invert Selection", IMAGE_INVERT);
  menu_add_separator();
  item(POPUP_DELETE_SELECTED, u"Delete Selected", IMAGE_DELETE_SELECTED);
  item(POPUP_DELETE_CURRENT, u"Delete Current", IMAGE_DELETE_CURRENT);
  menu_set_item_disabled(POPUP_LIST_MENU, POPUP_EXTRACT_PFX, 1);
  menu_set_item_disabled(POPUP_LIST_MENU, POPUP_EXTRACT_ALL, 1);

  menu_create_image_popup(POPUP_HYPHENATION_MENU);
  menu_add_item(POPUP_COPY_WORD, u"Copy word");
  menu_add_item(POPUP_COPY_RULE, u"Copy rule");
  menu_add_item(POPUP_COPY_WORD_AND_RULE, u"Copy word && rule");
}

void add_window_shortcuts() {
  shortcut_add(MAIN_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(MAIN_WINDOW, key_ctrl('F'), SHORTCUT_FIND);
  shortcut_add(MAIN_WINDOW, key_ctrl('O'), SHORTCUT_OPEN);
  shortcut_add(MAIN_WINDOW, key_ctrl('S'), SHORTCUT_SAVE);
  shortcut_add(MAIN_WINDOW, key_ctrl('S') | KEY_SHIFT, SHORTCUT_SAVE_AS);
  shortcut_add(MAIN_WINDOW, key_ctrl('Q'), SHORTCUT_QUIT);
  shortcut_add(MAIN_WINDOW, key_ctrl(KEY_TAB), SHORTCUT_NEXT_TAB);
  shortcut_add(MAIN_WINDOW, key_ctrl(KEY_TAB) | KEY_SHIFT, SHORTCUT_PREVIOUS_TAB);
  shortcut_add(MAIN_WINDOW, key_ctrl('G'), SHORTCUT_GOTO);
  shortcut_add(MAIN_WINDOW, key_ctrl('Z'), SHORTCUT_UNDO);
  shortcut_add(MAIN_WINDOW, key_ctrl('Y'), SHORTCUT_REDO);
  shortcut_add(MAIN_WINDOW, KEY_F1, SHORTCUT_HELP);
}

// ---- Parts shared by the list tabs -----------------------------------------------------------------

struct row_button {
  int image;
  const char16_t* tooltip;
};
constexpr row_button row_buttons[LIST_ROW_BUTTONS] = {
    {IMAGE_ADD, u"Add"},
    {IMAGE_EDIT, u"Edit"},
    {IMAGE_SELECT_ALL, u"Select All"},
    {IMAGE_SELECT_NONE, u"Select None"},
    {IMAGE_INVERT, u"Invert Selection"},
    {IMAGE_DELETE_SELECTED, u"Delete Selected"},
    {IMAGE_DELETE_CURRENT, u"Delete Current"},
    {IMAGE_ERASE, u"Erase"},
    {IMAGE_SORT_ALPHABETICALLY, u"Sort Alphabetically"},
    {IMAGE_FIND, u"Find"},
    {IMAGE_GOTO, u"Goto"},
    {IMAGE_UNDO, u"Undo"},
    {IMAGE_REDO, u"Redo"},
    {IMAGE_GO_BOTTOM, u"Go to bottom"},
    {IMAGE_GO_TOP, u"Go to top"},
};

// A list with check boxes at (4, 6) and its scroll bar right of it. A list
// that pages a document through the bar has the mouse wheel move the bar.
void create_paged_list(const main_layout& l, int list, int scroll, int width, int height, bool pages_by_bar) {
  gadget_create_column_list_ex(list, 4, 6, width, height, u"Line #", 85, LIST_CHECK_BOXES);
  use_language_font(list);
  const int rows = static_cast<int>(l.prefs.applied.number_of_lines);
  gadget_create_scroll_bar(scroll, right_of(list), 6, 18, height, 0, rows, rows, SCROLL_BAR_VERTICAL);
  if (pages_by_bar) gadget_set_list_scroll_bar(list, scroll);
}

// The fifteen row buttons below the list. Undo and Redo start disabled (the
// histories are empty after a build); read-only tabs disable every button.
void create_button_row(int first, int list, bool read_only) {
  const int y = bottom_of(list) + 8;
  for (int k = 1; k <= LIST_ROW_BUTTONS; ++k) {
    const int g = first + k - 1;
    const row_button& b = row_buttons[k - 1];
    int disabled = read_only || k <= ROW_GOTO || k == ROW_UNDO || k == ROW_REDO ? 1 : 0;
    if (k == 1) {
      create_image_button_at(g, 10, y, BW, BH, b.image, 0, b.tooltip, disabled);
    } else {
      const int gap = (k == ROW_UNDO || k == ROW_GO_BOTTOM) ? 15 : 5;
      create_image_button_right_of(g, g - 1, BW, BH, b.image, gap, b.tooltip, disabled);
    }
  }
}

// Status label and the changed mark right of it.
void create_status_label(int label, int mark, int x, int y, const text_t& text) {
  gadget_create_label(label, x, y, 0, LABEL_H, text);
  fit_gadget_to_content(label);
  gadget_create_label(mark, right_of(label) + 2, y, 16, 16, u"");
  gadget_set_color(mark, COLOR_TEXT, static_cast<int>(COLOUR_RED));
}

// File-name label (image 124, "n/a") at (x, y) with the folder label below.
void create_file_labels(int file_image, int file_label, int folder_image, int folder_label, int x, int y) {
  add_icon_label(file_image, file_label, x, y, IMAGE_FILE, u"n/a", 2, 1);
  use_language_font(file_label);
  fit_gadget_to_content(file_label);
  add_icon_label_below(folder_image, folder_label, file_image);
  use_language_font(folder_label);
  fit_gadget_to_content(folder_label);
}

// The "Add-on/Extension opened" mark stays hidden until an extension is open.
void create_extension_mark(int g, int file_image) {
  create_image_left_of(g, file_image, IMAGE_EXTENSION_OPENED, u"Add-on/Extension opened");
  gadget_set_hidden(g, 1);
}

void create_selected_label(int g, int y) { gadget_create_label(g, 10, y, 210, LABEL_H, u"Selected:None"); }

// "Rule " + image + ":n/a" (font 1001) starting at (x, y).
void create_rule_line(int caption, int image, int label, int x, int y, int image_number) {
  gadget_create_label(caption, x, y, 0, LABEL_H, u"Rule ");
  fit_gadget_to_content(caption);
  add_icon_label_right(image, label, caption, image_number);
  gadget_move_resize(image, right_of(caption) + 2, GUI_KEEP, GUI_KEEP, GUI_KEEP);
  gadget_move_resize(label, right_of(image) + 2, GUI_KEEP, GUI_KEEP, GUI_KEEP);
  use_language_font(label);
  fit_gadget_to_content(label);
}

// The six disabled view buttons of tabs 4 and 5, right to left from the
// first one's x, with the gaps between them.
void create_view_buttons(const int (&gadgets)[6], const int (&images)[6], const char16_t* const (&tips)[6],
                         int first_x, int y, const int (&gaps)[5]) {
  int x = first_x;
  for (int k = 0; k < 6; ++k) {
    if (k > 0) x -= gaps[k - 1] + BW;
    const int w = k < 2 ? static_cast<int>(image_button_width) : BW;
    const int h = k < 2 ? static_cast<int>(image_button_height) : BH;
    create_image_button_at(gadgets[k], x, y, w, h, images[k], 0, tips[k], 1);
  }
}

void add_list_columns(int list, std::initializer_list<std::pair<const char16_t*, int>> columns) {
  int position = 1;
  for (const auto& c : columns) gadget_add_column(list, position++, c.first, c.second);
}

// ---- The six tabs ---------------------------------------------------------------------------------

void build_dictionary_tab(const main_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, DICTIONARY_LIST, DICTIONARY_SCROLL, l.sx(10) + 435, h, true);
  add_list_columns(DICTIONARY_LIST, {{u"Words", l.sx(10) + 160}, {u"Postags/Comments", 170}});
  gadget_create_text_view(AFF_EDITOR, right_of(DICTIONARY_SCROLL) + 10, 6, l.sx(100) - l.sx(10) + 518,
                          l.sy(100) + l.adj() - 44 + 315);
  use_language_font(AFF_EDITOR);
  gadget_set_tooltip(AFF_EDITOR, u"The .aff file");
  create_button_row(DICTIONARY_FIRST_ROW_BUTTON, DICTIONARY_LIST, false);

  create_image_button_at(AFF_CLEAR, right_of(AFF_EDITOR) - 3 * BW - 30, bottom_of(AFF_EDITOR) + 5, BW, BH,
                         IMAGE_CLEAR, 0, u"Clear", 0);
  create_image_button_right_of(AFF_GO_BOTTOM, AFF_CLEAR, BW, BH, IMAGE_GO_BOTTOM, 15, u"Go to bottom", 0);
  create_image_button_right_of(AFF_GO_TOP, AFF_GO_BOTTOM, BW, BH, IMAGE_GO_TOP, 5, u"Go to top", 0);

  const int label_y = bottom_of(DICTIONARY_ADD) + 5;
  create_status_label(DICTIONARY_STATUS_LABEL, DICTIONARY_CHANGED_MARK, 10, label_y, u"# Words:0");
  create_file_labels(DICTIONARY_FILE_IMAGE, DICTIONARY_FILE_LABEL, DICTIONARY_FOLDER_IMAGE,
                     DICTIONARY_FOLDER_LABEL, gadget_x(DICTIONARY_GOTO), label_y);
  create_extension_mark(DICTIONARY_EXTENSION_IMAGE, DICTIONARY_FILE_IMAGE);
  create_selected_label(DICTIONARY_SELECTED_LABEL, label_y + LABEL_H + 5);
}

void build_thesaurus_tab(const main_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, THESAURUS_LIST, THESAURUS_SCROLL, l.sx(100) + 960, h, true);
  gadget_add_column(THESAURUS_LIST, 1, u"Synonyms", l.sx(5) + 160);
  for (int n = 1; n <= THESAURUS_MEANING_COLUMNS; ++n) {
    gadget_add_column(THESAURUS_LIST, n + 1, u"Meaning " + string_from_int(n), l.sx(10) + 186);
  }
  create_button_row(THESAURUS_FIRST_ROW_BUTTON, THESAURUS_LIST, false);
  const int label_y = bottom_of(THESAURUS_ADD) + 5;
  create_status_label(THESAURUS_STATUS_LABEL, THESAURUS_CHANGED_MARK, 10, label_y, u"# Synonyms:0");
  create_file_labels(THESAURUS_FILE_IMAGE, THESAURUS_FILE_LABEL, THESAURUS_FOLDER_IMAGE, THESAURUS_FOLDER_LABEL,
                     gadget_x(THESAURUS_GOTO), label_y);
  create_extension_mark(THESAURUS_EXTENSION_IMAGE, THESAURUS_FILE_IMAGE);
  create_selected_label(THESAURUS_SELECTED_LABEL, label_y + LABEL_H + 5);
}

void build_hyphenation_tab(const main_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, HYPHENATION_LIST, HYPHENATION_SCROLL, l.sx(10) + 435, h, true);
  add_list_columns(HYPHENATION_LIST, {{u"Words", l.sx(10) + 160}, {u"Postags/Comments", 170}});

  const int editor_x = right_of(HYPHENATION_SCROLL) + 10;
  const int editor_w = l.sx(100) - l.sx(10) + 518;
  gadget_create_text_view(HYPHENATION_EDITOR, editor_x, 6, editor_w, l.sy(50) + l.adj() + 144);
  use_language_font(HYPHENATION_EDITOR);
  gadget_set_tooltip(HYPHENATION_EDITOR, u"The .dic file");
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\n");
  create_image_button_at(HYPHENATION_CLEAR, editor_x, bottom_of(HYPHENATION_EDITOR) + 5, BW, BH, IMAGE_CLEAR, 0,
                         u"Clear", 0);
  create_image_button_right_of(HYPHENATION_EDITOR_GO_BOTTOM, HYPHENATION_CLEAR, BW, BH, IMAGE_GO_BOTTOM, 15,
                               u"Go to bottom", 0);
  create_image_button_right_of(HYPHENATION_EDITOR_GO_TOP, HYPHENATION_EDITOR_GO_BOTTOM, BW, BH, IMAGE_GO_TOP, 5,
                               u"Go to top", 0);

  gadget_create_column_list(HYPHENATION_RESULTS, editor_x, bottom_of(HYPHENATION_EDITOR) + BH + 10, editor_w,
                            l.sy(50) + 76, u"Word", l.sx(30) + 165);
  add_list_columns(HYPHENATION_RESULTS, {{u"Flag", 68}, {u"Rule", l.sx(15) + 385}});
  use_language_font(HYPHENATION_RESULTS);
  create_image_button_below(HYPHENATION_UPDATE, HYPHENATION_RESULTS, BW, BH, IMAGE_REFRESH, 5, u"Update", 1);
  gadget_create_label(HYPHENATION_COUNT_LABEL, gadget_x(HYPHENATION_RESULTS) + BW + 10,
                      bottom_of(HYPHENATION_RESULTS) + 5, 200, LABEL_H, u"# Hyphenations:0");

  const int word_y = bottom_of(HYPHENATION_LIST) + 5;
  gadget_create_label_ex(HYPHENATION_WORD_LABEL, 10, word_y, static_cast<int>(button_width) - 50, LABEL_H,
                         u"Word:", LABEL_RIGHT);
  gadget_create_entry(HYPHENATION_WORD_FIELD, gadget_width(HYPHENATION_WORD_LABEL) + 20, word_y, 165,
                      static_cast<int>(string_gadget_height), u"");
  use_language_font(HYPHENATION_WORD_FIELD);
  create_image_button_right_of(HYPHENATION_HYPHENATE, HYPHENATION_WORD_FIELD, BW, BH, IMAGE_HYPHENATE, 5,
                               u"Hyphenate", 0);
  create_image_button_right_of(HYPHENATION_FIND, HYPHENATION_HYPHENATE, BW, BH, IMAGE_FIND, 5, u"Find", 0);
  create_image_button_right_of(HYPHENATION_GOTO, HYPHENATION_FIND, BW, BH, IMAGE_GOTO, 5, u"Goto", 0);
  create_image_button_right_of(HYPHENATION_GO_BOTTOM, HYPHENATION_GOTO, BW, BH, IMAGE_GO_BOTTOM, 15,
                               u"Go to bottom", 0);
  create_image_button_right_of(HYPHENATION_GO_TOP, HYPHENATION_GO_BOTTOM, BW, BH, IMAGE_GO_TOP, 5, u"Go to top",
                               0);

  // Same line as the other tabs' status labels.
  const int label_y = bottom_of(HYPHENATION_LIST) + 8 + BH + 5;
  create_status_label(HYPHENATION_STATUS_LABEL, HYPHENATION_CHANGED_MARK, 10, label_y, u"# Words:0");
  create_file_labels(HYPHENATION_FILE_IMAGE, HYPHENATION_FILE_LABEL, HYPHENATION_FOLDER_IMAGE,
                     HYPHENATION_FOLDER_LABEL, gadget_x(DICTIONARY_GOTO), label_y);
  create_extension_mark(HYPHENATION_EXTENSION_IMAGE, HYPHENATION_FILE_IMAGE);
  create_selected_label(HYPHENATION_SELECTED_LABEL, label_y + LABEL_H + 5);

  // Affix colour keys: label, then the colour's image 1 px right; the next
  // label 15 px right of the previous image.
  struct key {
    int label, image;
    const char16_t* text;
    int64_t colour;
  };
  const key keys[4] = {{HYPHENATION_PRIMARY_LABEL, HYPHENATION_PRIMARY_IMAGE, u"Primary:", l.prefs.record.affix_colour_primary},
                       {HYPHENATION_BOTH_LABEL, HYPHENATION_BOTH_IMAGE, u"Both:", l.prefs.record.affix_colour_both},
                       {HYPHENATION_SUFFIX_LABEL, HYPHENATION_SUFFIX_IMAGE, u"Suffix:", l.prefs.record.affix_colour_suffix},
                       {HYPHENATION_PREFIX_LABEL, HYPHENATION_PREFIX_IMAGE, u"Prefix:", l.prefs.record.affix_colour_prefix}};
  int x = gadget_x(HYPHENATION_COUNT_LABEL);
  const int y = bottom_of(HYPHENATION_COUNT_LABEL) + 8;
  for (const key& k : keys) {
    gadget_create_label(k.label, x, y, 0, LABEL_H, k.text);
    fit_gadget_to_content(k.label);
    const int64_t index = k.colour >= 0 && k.colour < AFFIX_COLOUR_COUNT ? k.colour : 0;
    create_image_right_of(k.image, k.label, IMAGE_AFFIX_COLOUR_FIRST + static_cast<int>(index), 1, 1, u"");
    x = right_of(k.image) + 15;
  }
}

void build_autocorrect_tab(const main_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, AUTOCORRECT_LIST, AUTOCORRECT_SCROLL, l.sx(100) + 960, h, true);
  add_list_columns(AUTOCORRECT_LIST, {{u"Incorrect", 210}, {u"Correct", 570}});
  create_button_row(AUTOCORRECT_FIRST_ROW_BUTTON, AUTOCORRECT_LIST, false);
  const int label_y = bottom_of(AUTOCORRECT_ADD) + 5;
  create_status_label(AUTOCORRECT_STATUS_LABEL, AUTOCORRECT_CHANGED_MARK, 10, label_y, u"# Autocorrects:0");
  create_file_labels(AUTOCORRECT_FILE_IMAGE, AUTOCORRECT_FILE_LABEL, AUTOCORRECT_FOLDER_IMAGE,
                     AUTOCORRECT_FOLDER_LABEL, 310, label_y);
  create_selected_label(AUTOCORRECT_SELECTED_LABEL, label_y + LABEL_H + 5);
}

void build_autotext_tab(const main_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, AUTOTEXT_LIST, AUTOTEXT_SCROLL, l.sx(10) + 435, h, false);
  add_list_columns(AUTOTEXT_LIST, {{u"abbreviated-name", 115}, {u"package-name", 115}, {u"Name", l.sx(10) + 170}});
  gadget_create_text_view_ex(AUTOTEXT_VIEW, right_of(AUTOTEXT_SCROLL) + 10, 6, l.sx(100) - l.sx(10) + 518,
                             l.sy(100) + l.adj() + 265, TEXT_VIEW_READ_ONLY);
  use_language_font(AUTOTEXT_VIEW);
  gadget_set_tooltip(AUTOTEXT_VIEW, u"The .xml code");
  create_button_row(AUTOTEXT_FIRST_ROW_BUTTON, AUTOTEXT_LIST, true);

  const int label_y = bottom_of(AUTOTEXT_FIRST_ROW_BUTTON) + 5;
  create_status_label(AUTOTEXT_STATUS_LABEL, AUTOTEXT_CHANGED_MARK, 10, label_y, u"# AutoTexts:0");
  create_file_labels(AUTOTEXT_FILE_IMAGE, AUTOTEXT_FILE_LABEL, AUTOTEXT_FOLDER_IMAGE, AUTOTEXT_FOLDER_LABEL,
                     gadget_x(AUTOTEXT_FIRST_ROW_BUTTON + ROW_GOTO - 1), label_y);
  create_extension_mark(AUTOTEXT_EXTENSION_IMAGE, AUTOTEXT_FILE_IMAGE);
  create_image_left_of(AUTOTEXT_READ_ONLY_IMAGE, AUTOTEXT_EXTENSION_IMAGE, IMAGE_READ_ONLY, u"Read only");
  gadget_create_label(AUTOTEXT_SELECTED_LABEL, 10, gadget_y(AUTOTEXT_FILE_IMAGE) + 22, 210, LABEL_H,
                      u"Selected:None");

  const int rule_x = gadget_x(AUTOTEXT_VIEW);
  const int rule_y = bottom_of(AUTOTEXT_VIEW) + 4;
  create_rule_line(AUTOTEXT_RULE1_CAPTION, AUTOTEXT_RULE1_IMAGE, AUTOTEXT_RULE1_LABEL, rule_x, rule_y, IMAGE_RULE_1);
  create_rule_line(AUTOTEXT_RULE2_CAPTION, AUTOTEXT_RULE2_IMAGE, AUTOTEXT_RULE2_LABEL, rule_x, rule_y + LABEL_H + 4,
                   IMAGE_RULE_2);

  const int gadgets[6] = {AUTOTEXT_CANCEL,         AUTOTEXT_OK,          AUTOTEXT_EDIT_VIEW,
                          AUTOTEXT_VIEW_GO_TOP,    AUTOTEXT_VIEW_GO_BOTTOM, AUTOTEXT_VIEW_CLEAR};
  const int images[6] = {IMAGE_CANCEL, IMAGE_OK, IMAGE_EDIT, IMAGE_GO_TOP, IMAGE_GO_BOTTOM, IMAGE_CLEAR};
  const char16_t* const tips[6] = {u"Cancel", u"OK", u"Edit", u"Go to top", u"Go to bottom", u"Clear"};
  const int gaps[5] = {10, 5, 15, 5, 15};
  create_view_buttons(gadgets, images, tips, right_of(AUTOTEXT_VIEW) - static_cast<int>(image_button_width),
                      bottom_of(AUTOTEXT_VIEW) + 3, gaps);
}

void build_languagetool_tab(const main_layout& l) {
  const int h = l.list_height();
  create_paged_list(l, GRAMMAR_LIST, GRAMMAR_SCROLL, l.sx(10) + 335, h, false);
  add_list_columns(GRAMMAR_LIST, {{u"Chunk Type", 95},
                                  {u"ID", l.sx(15) + 170},
                                  {u"Name", l.sx(15) + 170},
                                  {u"Type", l.sx(15) + 90},
                                  {u"Tags", l.sx(15) + 90},
                                  {u"Default", l.sx(15) + 90}});
  gadget_create_text_view_ex(GRAMMAR_VIEW, right_of(GRAMMAR_SCROLL) + 10, 6, l.sx(100) - 2 * l.sx(10) + 358,
                             l.sy(100) + l.adj() + 265, TEXT_VIEW_READ_ONLY);
  use_language_font(GRAMMAR_VIEW);
  gadget_set_tooltip(GRAMMAR_VIEW, u"The .xml code");
  gadget_create_column_list(GRAMMAR_CATEGORY_LIST, right_of(GRAMMAR_VIEW) + 10, 6, l.sx(10) + 255,
                            gadget_height(GRAMMAR_LIST), u"Line #", 85);
  gadget_add_column(GRAMMAR_CATEGORY_LIST, 1, u"ID Category", l.sx(10) + 170);
  use_language_font(GRAMMAR_CATEGORY_LIST);
  create_button_row(GRAMMAR_FIRST_ROW_BUTTON, GRAMMAR_LIST, true);

  const int label_y = bottom_of(GRAMMAR_FIRST_ROW_BUTTON) + 5;
  create_status_label(GRAMMAR_STATUS_LABEL, GRAMMAR_CHANGED_MARK, 10, label_y, u"# Chunks:0");
  create_file_labels(GRAMMAR_FILE_IMAGE, GRAMMAR_FILE_LABEL, GRAMMAR_FOLDER_IMAGE, GRAMMAR_FOLDER_LABEL,
                     gadget_x(GRAMMAR_FIRST_ROW_BUTTON + ROW_GOTO - 1), label_y);
  create_image_left_of(GRAMMAR_READ_ONLY_IMAGE, GRAMMAR_FILE_IMAGE, IMAGE_READ_ONLY, u"Read only");
  gadget_create_label(GRAMMAR_SELECTED_LABEL, 10, bottom_of(GRAMMAR_FIRST_ROW_BUTTON) + 27, 0, LABEL_H,
                      u"Selected:None");
  fit_gadget_to_content(GRAMMAR_SELECTED_LABEL);

  const int rule_x = gadget_x(GRAMMAR_VIEW);
  const int rule_y = bottom_of(GRAMMAR_VIEW) + 4;
  create_rule_line(GRAMMAR_RULE1_CAPTION, GRAMMAR_RULE1_IMAGE, GRAMMAR_RULE1_LABEL, rule_x, rule_y, IMAGE_RULE_1);
  create_rule_line(GRAMMAR_RULE2_CAPTION, GRAMMAR_RULE2_IMAGE, GRAMMAR_RULE2_LABEL, rule_x, rule_y + LABEL_H + 4,
                   IMAGE_RULE_2);

  const int gadgets[6] = {GRAMMAR_CANCEL,      GRAMMAR_OK,             GRAMMAR_EDIT_VIEW,
                          GRAMMAR_VIEW_GO_TOP, GRAMMAR_VIEW_GO_BOTTOM, GRAMMAR_VIEW_CLEAR};
  const int images[6] = {IMAGE_CANCEL, IMAGE_OK, IMAGE_EDIT, IMAGE_GO_TOP, IMAGE_GO_BOTTOM, IMAGE_CLEAR};
  const char16_t* const tips[6] = {u"Cancel", u"OK", u"Edit", u"Go to top", u"Go to bottom", u"Clear"};
  const int gaps[5] = {5, 5, 15, 5, 15};
  create_view_buttons(gadgets, images, tips, gadget_x(GRAMMAR_CATEGORY_LIST) - 10 - static_cast<int>(image_button_width),
                      bottom_of(GRAMMAR_VIEW) + 5, gaps);
}

void build_toolbar() {
  gadget_create_container(TOOLBAR_CONTAINER, 13, bottom_of(MAIN_TAB_PANEL) + 3, 4 * BW + 39, BH + 8);
  gadget_set_color(TOOLBAR_CONTAINER, COLOR_BACKGROUND, static_cast<int>(COLOUR_TOOLBAR_BACKGROUND));
  create_image_button_at(TOOLBAR_OPEN, 4, 4, BW, BH, IMAGE_OPEN, 0, u"Open...", 0);
  create_image_button_right_of(TOOLBAR_OPEN_REFRESH, TOOLBAR_OPEN, BW, BH, IMAGE_OPEN_REFRESH, 10, u"Open Refresh", 0);
  create_image_button_right_of(TOOLBAR_SAVE, TOOLBAR_OPEN_REFRESH, BW, BH, IMAGE_SAVE, 10, u"Save", 0);
  create_image_button_right_of(TOOLBAR_SAVE_AS, TOOLBAR_SAVE, BW, BH, IMAGE_SAVE_AS, 10, u"Save as...", 0);
  gadget_parent_pop();
}

void build_status_bar() {
  status_bar_create(MAIN_STATUS_BAR, window_widget(MAIN_WINDOW));
  status_bar_add_field(STATUS_TEXT_FIELD_WIDTH);
  status_bar_add_field(GUI_KEEP);
  status_bar_set_progress(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1, 0, 100);
  status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Ready.");
}

void build_footer() {
  const int w = window_width(MAIN_WINDOW);
  const int y = window_height(MAIN_WINDOW) - status_bar_height(MAIN_STATUS_BAR) - menu_bar_height() - 42;
  gadget_create_container_ex(FOOTER_CONTAINER, 2, y, w - 4, 42, CONTAINER_RAISED);
  gadget_create_label(FOOTER_CREDIT_LABEL, 0, 0, 0, LABEL_H,
                      program_name + u" V" + program_version + u" build " + build_number +
                          u": an editor for spelling dictionaries, thesauri, hyphenation patterns and"
                          u" autocorrect lists.");
  fit_gadget_to_content(FOOTER_CREDIT_LABEL);
  gadget_create_label(FOOTER_SPACER_LABEL, 0, 19, 0, LABEL_H, u" ");
  fit_gadget_to_content(FOOTER_SPACER_LABEL);
  gadget_create_hyperlink(FOOTER_LICENCE_LINK, right_of(FOOTER_SPACER_LABEL), 19, 125, LABEL_H,
                          u"Apache License V2.0", static_cast<int>(COLOUR_RED));
  gadget_set_color(FOOTER_LICENCE_LINK, COLOR_TEXT, static_cast<int>(COLOUR_LINK));
  gadget_set_tooltip(FOOTER_LICENCE_LINK, u"View Licence");
  fit_gadget_to_content(FOOTER_LICENCE_LINK);
  gadget_create_label(FOOTER_END_LABEL, right_of(FOOTER_LICENCE_LINK), 19, 0, LABEL_H, u".");
  fit_gadget_to_content(FOOTER_END_LABEL);
  gadget_parent_pop();
}

}  // namespace

int build_main_window(const preferences& prefs) {
  const main_layout l{prefs};
  const int width = 1024 + l.sx(100);
  const int height = 600 + l.sy(100);
  if (!window_open_no_parent(MAIN_WINDOW, 0, 0, width, height, main_window_title(), MAIN_WINDOW_FLAGS)) {
    message_box(u"Error", u"Can't open a window.", MB_ICON_ERROR);
    return 0;
  }
  gadget_set_font(-1, font_description(FONT_ARIAL));
  window_set_icon(MAIN_WINDOW, image_pixbuf(IMAGE_WINDOW_ICON));

  build_menu_bar();
  build_popup_menus();
  add_window_shortcuts();
  install_list_shortcuts();

  gadget_create_tab_panel(MAIN_TAB_PANEL, 10, 2, 1004 + l.sx(100), 448 + l.sy(100) + l.adj());
  void (*const fill[TAB_COUNT])(const main_layout&) = {build_dictionary_tab, build_thesaurus_tab,  build_hyphenation_tab,
                                     build_autocorrect_tab, build_autotext_tab, build_languagetool_tab};
  for (int tab = 0; tab < TAB_COUNT; ++tab) {
    gadget_add_item_image(MAIN_TAB_PANEL, -1, main_tab_titles[tab], image_pixbuf(IMAGE_TAB_UNCHANGED));
    fill[tab](l);
  }
  gadget_parent_pop();
  gadget_set_state(MAIN_TAB_PANEL, TAB_DICTIONARY);

  build_toolbar();
  build_status_bar();
  build_footer();

  run_main_window_build_steps();
  return 1;
}
