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
  add_selection_popup_items({.select_all = POPUP_SELECT_ALL,
                             .select_none = POPUP_SELECT_NONE,
                             .invert = POPUP_INVERT,
                             .delete_selected = POPUP_DELETE_SELECTED,
                             .delete_one = POPUP_DELETE_CURRENT,
                             .delete_one_text = u"Delete Current"});
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
  const main_tab_layout l{prefs};
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
  // Each subsystem fills its own tab (set_main_tab_builder).
  for (int tab = 0; tab < TAB_COUNT; ++tab) {
    gadget_add_item_image(MAIN_TAB_PANEL, -1, main_tab_titles[tab], image_pixbuf(IMAGE_TAB_UNCHANGED));
    build_main_tab(tab, l);
  }
  gadget_parent_pop();
  gadget_set_state(MAIN_TAB_PANEL, TAB_DICTIONARY);

  build_toolbar();
  build_status_bar();
  build_footer();

  run_main_window_build_steps();
  return 1;
}
