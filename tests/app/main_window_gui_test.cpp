// The main window as built at the default resolution "1280×600".
#include "tests/app/shell_gui_support.h"

#include "app/main_loop.h"
#include "app/main_window.h"
#include "gui/gui.h"
#include "kit/identity.h"
#include "kit/ids.h"

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <vector>

using shell_test::ShellTest;

class MainWindowTest : public ShellTest {};

TEST_F(MainWindowTest, TitleSizeAndStatusBar) {
  start_with_valid_prefs();
  EXPECT_EQ(window_get_title(MAIN_WINDOW), u"Vocabrix V4.0 build 300");
  EXPECT_EQ(window_width(MAIN_WINDOW), 1280);
  EXPECT_EQ(window_height(MAIN_WINDOW), 590);
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Ready.");
  EXPECT_EQ(status_bar_get_progress(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS), 0);
  // Shown, the window keeps that width: a menu bar wider than the window
  // would widen it past the chosen resolution and push "Help" off screen.
  for (int i = 0; i < 5; ++i) gui_test::run([] {}, "a pass");
  gui_test::run([] { EXPECT_EQ(window_width(MAIN_WINDOW), 1280); }, "width once shown");
  gui_test::close_window(MAIN_WINDOW);
  run_main_loop();
  gui_test::finish();
}

TEST_F(MainWindowTest, SixTabsWithTheirTitles) {
  start_with_valid_prefs();
  ASSERT_EQ(gadget_kind(MAIN_TAB_PANEL), GADGET_TAB_PANEL);
  ASSERT_EQ(gadget_count_items(MAIN_TAB_PANEL), 6);
  for (int tab = 0; tab < 6; ++tab) EXPECT_EQ(gadget_get_item_text(MAIN_TAB_PANEL, tab, 0), main_tab_titles[tab]);
  EXPECT_EQ(gadget_get_state(MAIN_TAB_PANEL), TAB_DICTIONARY);
  EXPECT_EQ(gadget_x(MAIN_TAB_PANEL), 10);
  EXPECT_EQ(gadget_y(MAIN_TAB_PANEL), 2);
  EXPECT_EQ(gadget_width(MAIN_TAB_PANEL), 1260);
  EXPECT_EQ(gadget_height(MAIN_TAB_PANEL), 438);
  gui_test::finish();
}

TEST_F(MainWindowTest, GadgetsOfEveryTabStandWhereTheyBelong) {
  start_with_valid_prefs();
  struct row {
    int gadget, kind, x, y, width, height;  // -1: not checked
  };
  const row rows[] = {
      // Tab 0: list, scroll bar, .aff editor, the button row, the editor's buttons.
      {DICTIONARY_LIST, GADGET_COLUMN_LIST, 4, 6, 460, 305},
      {DICTIONARY_SCROLL, GADGET_SCROLL_BAR, 464, 6, 18, 305},
      {AFF_EDITOR, GADGET_TEXT_VIEW, 492, 6, 749, 261},
      {DICTIONARY_ADD, GADGET_IMAGE_BUTTON, 10, 319, 44, 44},
      {DICTIONARY_GOTO, GADGET_IMAGE_BUTTON, 500, 319, 44, 44},
      {DICTIONARY_UNDO, GADGET_IMAGE_BUTTON, 559, 319, 44, 44},
      {DICTIONARY_GO_BOTTOM, GADGET_IMAGE_BUTTON, 667, 319, 44, 44},
      {DICTIONARY_GO_TOP, GADGET_IMAGE_BUTTON, 716, 319, 44, 44},
      {AFF_CLEAR, GADGET_IMAGE_BUTTON, 1079, 272, 44, 44},
      {AFF_GO_BOTTOM, GADGET_IMAGE_BUTTON, 1138, 272, 44, 44},
      {AFF_GO_TOP, GADGET_IMAGE_BUTTON, 1187, 272, 44, 44},
      {DICTIONARY_STATUS_LABEL, GADGET_LABEL, 10, 368, -1, -1},
      {DICTIONARY_FILE_IMAGE, GADGET_IMAGE, 500, 368, -1, -1},
      {DICTIONARY_FILE_LABEL, GADGET_LABEL, -1, 369, -1, -1},
      {DICTIONARY_FOLDER_IMAGE, GADGET_IMAGE, 500, -1, -1, -1},
      {DICTIONARY_SELECTED_LABEL, GADGET_LABEL, 10, 391, 210, 18},
      // Tab 1.
      {THESAURUS_LIST, GADGET_COLUMN_LIST, 4, 6, 1216, 305},
      {THESAURUS_SCROLL, GADGET_SCROLL_BAR, 1220, 6, 18, 305},
      {THESAURUS_ADD, GADGET_IMAGE_BUTTON, 10, 319, 44, 44},
      {THESAURUS_GO_TOP, GADGET_IMAGE_BUTTON, 716, 319, 44, 44},
      {THESAURUS_STATUS_LABEL, GADGET_LABEL, 10, 368, -1, -1},
      {THESAURUS_FILE_IMAGE, GADGET_IMAGE, 500, 368, -1, -1},
      {THESAURUS_SELECTED_LABEL, GADGET_LABEL, 10, 391, 210, 18},
      // Tab 2.
      {HYPHENATION_LIST, GADGET_COLUMN_LIST, 4, 6, 460, 305},
      {HYPHENATION_SCROLL, GADGET_SCROLL_BAR, 464, 6, 18, 305},
      {HYPHENATION_EDITOR, GADGET_TEXT_VIEW, 492, 6, 749, 134},
      {HYPHENATION_CLEAR, GADGET_IMAGE_BUTTON, 492, 145, 44, 44},
      {HYPHENATION_EDITOR_GO_BOTTOM, GADGET_IMAGE_BUTTON, 551, 145, 44, 44},
      {HYPHENATION_EDITOR_GO_TOP, GADGET_IMAGE_BUTTON, 600, 145, 44, 44},
      {HYPHENATION_RESULTS, GADGET_COLUMN_LIST, 492, 194, 749, 66},
      {HYPHENATION_UPDATE, GADGET_IMAGE_BUTTON, 492, 265, 44, 44},
      {HYPHENATION_COUNT_LABEL, GADGET_LABEL, 546, 265, 200, 18},
      {HYPHENATION_WORD_LABEL, GADGET_LABEL, 10, 316, 50, 18},
      {HYPHENATION_WORD_FIELD, GADGET_ENTRY, 70, 316, 165, 24},
      {HYPHENATION_HYPHENATE, GADGET_IMAGE_BUTTON, 240, 316, 44, 44},
      {HYPHENATION_FIND, GADGET_IMAGE_BUTTON, 289, 316, 44, 44},
      {HYPHENATION_GOTO, GADGET_IMAGE_BUTTON, 338, 316, 44, 44},
      {HYPHENATION_GO_BOTTOM, GADGET_IMAGE_BUTTON, 397, 316, 44, 44},
      {HYPHENATION_GO_TOP, GADGET_IMAGE_BUTTON, 446, 316, 44, 44},
      {HYPHENATION_STATUS_LABEL, GADGET_LABEL, 10, 368, -1, -1},
      {HYPHENATION_PRIMARY_LABEL, GADGET_LABEL, 546, 291, -1, -1},
      {HYPHENATION_PRIMARY_IMAGE, GADGET_IMAGE, -1, 292, 16, 16},
      // Tab 3.
      {AUTOCORRECT_LIST, GADGET_COLUMN_LIST, 4, 6, 1216, 305},
      {AUTOCORRECT_SCROLL, GADGET_SCROLL_BAR, 1220, 6, 18, 305},
      {AUTOCORRECT_REDO, GADGET_IMAGE_BUTTON, 608, 319, 44, 44},
      {AUTOCORRECT_FILE_IMAGE, GADGET_IMAGE, 310, 368, -1, -1},
      {AUTOCORRECT_SELECTED_LABEL, GADGET_LABEL, 10, 391, 210, 18},
      // Tab 4.
      {AUTOTEXT_LIST, GADGET_COLUMN_LIST, 4, 6, 460, 305},
      {AUTOTEXT_VIEW, GADGET_TEXT_VIEW, 492, 6, 749, 255},
      {AUTOTEXT_CANCEL, GADGET_IMAGE_BUTTON, 1197, 264, 44, 44},
      {AUTOTEXT_OK, GADGET_IMAGE_BUTTON, 1143, 264, 44, 44},
      {AUTOTEXT_EDIT_VIEW, GADGET_IMAGE_BUTTON, 1094, 264, 44, 44},
      {AUTOTEXT_VIEW_GO_TOP, GADGET_IMAGE_BUTTON, 1035, 264, 44, 44},
      {AUTOTEXT_VIEW_GO_BOTTOM, GADGET_IMAGE_BUTTON, 986, 264, 44, 44},
      {AUTOTEXT_VIEW_CLEAR, GADGET_IMAGE_BUTTON, 927, 264, 44, 44},
      {AUTOTEXT_RULE1_CAPTION, GADGET_LABEL, 492, 265, -1, -1},
      {AUTOTEXT_RULE2_CAPTION, GADGET_LABEL, 492, 287, -1, -1},
      {AUTOTEXT_SELECTED_LABEL, GADGET_LABEL, 10, 390, 210, 18},
      // Tab 5.
      {GRAMMAR_LIST, GADGET_COLUMN_LIST, 4, 6, 360, 305},
      {GRAMMAR_SCROLL, GADGET_SCROLL_BAR, 364, 6, 18, 305},
      {GRAMMAR_VIEW, GADGET_TEXT_VIEW, 392, 6, 564, 255},
      {GRAMMAR_CATEGORY_LIST, GADGET_COLUMN_LIST, 966, 6, 280, 305},
      {GRAMMAR_CANCEL, GADGET_IMAGE_BUTTON, 912, 266, 44, 44},
      {GRAMMAR_VIEW_CLEAR, GADGET_IMAGE_BUTTON, 647, 266, 44, 44},
      {GRAMMAR_RULE1_CAPTION, GADGET_LABEL, 392, 265, -1, -1},
      {GRAMMAR_SELECTED_LABEL, GADGET_LABEL, 10, 390, -1, -1},
      // Toolbar and footer.
      {TOOLBAR_CONTAINER, GADGET_CONTAINER, 13, 443, 215, 52},
      {TOOLBAR_OPEN, GADGET_IMAGE_BUTTON, 4, 4, 44, 44},
      {TOOLBAR_OPEN_REFRESH, GADGET_IMAGE_BUTTON, 58, 4, 44, 44},
      {TOOLBAR_SAVE, GADGET_IMAGE_BUTTON, 112, 4, 44, 44},
      {TOOLBAR_SAVE_AS, GADGET_IMAGE_BUTTON, 166, 4, 44, 44},
      {FOOTER_CONTAINER, GADGET_CONTAINER, 2, -1, 1276, 42},
      {FOOTER_CREDIT_LABEL, GADGET_LABEL, 0, 0, -1, -1},
      {FOOTER_LICENCE_LINK, GADGET_HYPERLINK, -1, 19, -1, -1},
  };
  for (const row& r : rows) {
    SCOPED_TRACE("gadget " + std::to_string(r.gadget));
    EXPECT_EQ(gadget_kind(r.gadget), r.kind);
    if (r.x >= 0) {
      EXPECT_EQ(gadget_x(r.gadget), r.x);
    }
    if (r.y >= 0) {
      EXPECT_EQ(gadget_y(r.gadget), r.y);
    }
    if (r.width >= 0) {
      EXPECT_EQ(gadget_width(r.gadget), r.width);
    }
    if (r.height >= 0) {
      EXPECT_EQ(gadget_height(r.gadget), r.height);
    }
  }
  gui_test::finish();
}

TEST_F(MainWindowTest, ListColumnsAndStartTexts) {
  start_with_valid_prefs();
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_LIST, ATTR_COLUMN_COUNT), 3);
  EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, -1, 1), u"Words");
  EXPECT_EQ(gadget_get_item_attribute(DICTIONARY_LIST, 1, ITEM_ATTR_COLUMN_WIDTH), 185);
  EXPECT_EQ(gadget_get_attribute(THESAURUS_LIST, ATTR_COLUMN_COUNT), 102);
  EXPECT_EQ(gadget_get_item_text(THESAURUS_LIST, -1, 101), u"Meaning 100");
  EXPECT_EQ(gadget_get_attribute(GRAMMAR_LIST, ATTR_COLUMN_COUNT), 7);
  EXPECT_EQ(gadget_get_attribute(HYPHENATION_RESULTS, ATTR_COLUMN_COUNT), 3);
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\n");
  EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"# Words:0");
  EXPECT_EQ(gadget_get_text(THESAURUS_STATUS_LABEL), u"# Synonyms:0");
  EXPECT_EQ(gadget_get_text(AUTOCORRECT_STATUS_LABEL), u"# Autocorrects:0");
  EXPECT_EQ(gadget_get_text(AUTOTEXT_STATUS_LABEL), u"# AutoTexts:0");
  EXPECT_EQ(gadget_get_text(GRAMMAR_STATUS_LABEL), u"# Chunks:0");
  EXPECT_EQ(gadget_get_text(DICTIONARY_FILE_LABEL), u"n/a");
  EXPECT_EQ(gadget_get_text(GRAMMAR_RULE2_LABEL), u":n/a");
  EXPECT_EQ(gadget_get_text(FOOTER_LICENCE_LINK), u"Apache License V2.0");
  // Scroll bars page by the visible rows.
  for (int bar : {DICTIONARY_SCROLL, THESAURUS_SCROLL, HYPHENATION_SCROLL, AUTOCORRECT_SCROLL}) {
    EXPECT_EQ(gadget_get_attribute(bar, ATTR_PAGE_LENGTH), 13) << bar;
  }
  gui_test::finish();
}

TEST_F(MainWindowTest, EnabledStatesAtCreation) {
  start_with_valid_prefs();
  // Positions 1-11 disabled, Undo and Redo disabled (empty histories), the
  // end buttons enabled; read-only tabs disable the whole row.
  for (int first : {DICTIONARY_FIRST_ROW_BUTTON, THESAURUS_FIRST_ROW_BUTTON, AUTOCORRECT_FIRST_ROW_BUTTON}) {
    for (int k = 1; k <= 15; ++k) {
      SCOPED_TRACE(first + k - 1);
      const bool enabled = k == ROW_GO_BOTTOM || k == ROW_GO_TOP;
      EXPECT_EQ(gadget_get_disabled(first + k - 1), enabled ? 0 : 1);
    }
  }
  for (int g = AUTOTEXT_FIRST_ROW_BUTTON; g < AUTOTEXT_FIRST_ROW_BUTTON + 15; ++g) EXPECT_EQ(gadget_get_disabled(g), 1);
  for (int g = GRAMMAR_CANCEL; g <= GRAMMAR_VIEW_GO_TOP; ++g) EXPECT_EQ(gadget_get_disabled(g), 1);
  EXPECT_EQ(gadget_get_disabled(HYPHENATION_UPDATE), 1);
  EXPECT_EQ(gadget_get_disabled(HYPHENATION_HYPHENATE), 0);
  EXPECT_EQ(gadget_get_disabled(AFF_CLEAR), 0);
  gui_test::finish();
}

TEST_F(MainWindowTest, MenusCarryEveryItem) {
  start_with_valid_prefs();
  struct row {
    int menu, id;
    const char16_t* text;
    int disabled;
  };
  const row rows[] = {
      {MAIN_MENU, MENU_OPEN, u"&Open...\tCtrl+O", 0},
      {MAIN_MENU, MENU_SAVE_AS, u"Save &As...\tShift+Ctrl+S", 0},
      {MAIN_MENU, MENU_SAVE_EXTENSION, u"Save Extension .xpi/.oxt", 1},
      {MAIN_MENU, MENU_SAVE_EXTENSION_AS, u"Save Extension As .xpi/.oxt...", 1},
      {MAIN_MENU, MENU_RECENT_FIRST + 9, u"10:", 0},
      {MAIN_MENU, MENU_RECENT_EXTENSION_CLEAR, u"Clear", 0},
      {MAIN_MENU, MENU_EXIT, u"&Exit\tCtrl+Q", 0},
      {MAIN_MENU, MENU_REDUNDANT_FLAGS, u"Redundant flags: useless && duplicates .DIC", 0},
      {MAIN_MENU, MENU_CRUNCH, u"Crunch .DIC (SFX only) (Tavernel - GB/ZA)", 0},
      {MAIN_MENU, MENU_PREVIEW_THESAURUS, u"Preview Thesaurus", 0},
      {MAIN_MENU, MENU_INDENT_XML, u"Indent .xml", 0},
      {MAIN_MENU, MENU_MASTER_WORDLIST, u"Words missing in Master Wordlist", 0},
      {MAIN_MENU, MENU_HTML_HELP, u"HTML Help\tF1", 0},
      {MAIN_MENU, MENU_ABOUT, u"About", 0},
      {POPUP_LIST_MENU, POPUP_ADD, u"Add", 0},
      {POPUP_LIST_MENU, POPUP_EXTRACT_PFX, u"Extract && Delete flags (PFX)", 1},
      {POPUP_LIST_MENU, POPUP_EXTRACT_ALL, u"Extract && Delete flags (All)", 1},
      {POPUP_LIST_MENU, POPUP_DELETE_CURRENT, u"Delete Current", 0},
      {POPUP_HYPHENATION_MENU, POPUP_COPY_WORD_AND_RULE, u"Copy word && rule", 0},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(r.id);
    EXPECT_EQ(menu_get_item_text(r.menu, r.id), r.text);
    EXPECT_EQ(menu_get_item_disabled(r.menu, r.id), r.disabled);
  }
  // Every id of the bar that the menu table names exists.
  for (int id : {8, 9, 10, 11, 12, 13, 16, 18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36,
                 37, 38, 39, 40, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 57, 58, 61, 62, 63, 64, 65, 66, 69,
                 70, 73, 74, 75, 76, 77, 78, 79, 82, 83, 84, 85, 86, 87, 89, 90, 91, 92, 93, 112, 123}) {
    EXPECT_NE(menu_get_item_disabled(MAIN_MENU, id), -1) << id;
  }
  EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, 17), -1);
  gui_test::finish();
}

// The manual writes each menu path as <span class="menu">A &gt; B &gt; C</span>.
// Every path it writes is one the menus show, and every command of the menu
// bar (the recent-file slots aside) has its path in the manual.
TEST_F(MainWindowTest, TheManualNamesEveryMenuCommandByThePathTheMenusShow) {
  start_with_valid_prefs();
  const std::string page = shell_test::read_file(VOCABRIX_SOURCE_ROOT "/docs/Vocabrix_manual_V40.html");
  ASSERT_FALSE(page.empty());
  auto unescape = [](std::string s) {
    for (auto [from, to] : {std::pair<std::string, std::string>{"&gt;", ">"}, {"&lt;", "<"}, {"&amp;", "&"}}) {
      for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at + to.size()))
        s.replace(at, from.size(), to);
    }
    return s;
  };
  std::set<std::string> in_manual;
  const std::regex span(R"re(<span class="menu">([^<]*)</span>)re");
  for (std::sregex_iterator m(page.begin(), page.end(), span), end; m != end; ++m) in_manual.insert(unescape((*m)[1]));
  ASSERT_FALSE(in_manual.empty());

  const std::vector<std::vector<text_t>> paths = gui_test::menu_paths(MAIN_MENU);
  std::set<std::string> shown;
  std::vector<std::string> commands;
  for (const std::vector<text_t>& path : paths) {
    std::string joined;
    for (const text_t& label : path) joined += (joined.empty() ? "" : " > ") + to_utf8(label);
    shown.insert(joined);
    const bool slot = path.size() > 1 && to_utf8(path[1]).rfind("Recent ", 0) == 0;
    const bool opens_submenu = std::any_of(paths.begin(), paths.end(), [&](const std::vector<text_t>& other) {
      return other.size() == path.size() + 1 && std::equal(path.begin(), path.end(), other.begin());
    });
    if (path.size() > 1 && !slot && !opens_submenu) commands.push_back(joined);
  }
  ASSERT_GT(commands.size(), 50u);
  for (const std::string& p : in_manual) EXPECT_TRUE(shown.count(p)) << "the manual names a path no menu shows: " << p;
  for (const std::string& c : commands) EXPECT_TRUE(in_manual.count(c)) << "the manual lacks the path of: " << c;
  // Tools that live in submenus at least.
  for (const char* p : {"Dictionary Tools > Tavernel - GB/ZA > Crunch .DIC (SFX only) (Tavernel - GB/ZA)",
                        "Prefs > Preferences"})
    EXPECT_TRUE(in_manual.count(p)) << p;
  gui_test::finish();
}
