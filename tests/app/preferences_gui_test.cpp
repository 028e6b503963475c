#include "app/preferences_window.h"

#include "app/main_window.h"
#include "app/program_commands.h"
#include "app/tool_table.h"
#include "app/workspace.h"
#include "dictionary/dic_file.h"
#include "gui/gui.h"
#include "gui/test_driver.h"
#include "kit/base_folder.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/preferences.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"

#include <filesystem>
#include <fstream>

namespace {

constexpr int PREFS_SAVE = 326, PREFS_OK = 327, PREFS_CANCEL = 328, PREFS_LINES_SPIN = 330,
              PREFS_LINES_LIST = 329, PREFS_PIXELS_SPIN = 332,
              PREFS_RES_1440_768 = 338, PREFS_FONT_BUTTON = 361;

class PreferencesWindowTest : public gui_test::GuiTest {
 protected:
  void SetUp() override {
    gui_test::GuiTest::SetUp();
    folder_ = gui_test::temp_folder();
    std::filesystem::create_directory(folder_ + "settings");
    set_base_folder(from_utf8(folder_));
    set_default_preferences(ws_.prefs);
    ws_.prefs.applied_once = true;  // a normal run unless a test says otherwise
    ws_.prefs.first_apply = true;
    // The main window pages and labels this test's dictionary.
    register_main_tabs(ws_.commands.kinds);
    register_list_view_handlers(ws_.dictionary.list, ws_.commands.kinds, ws_.prefs);
    register_recent_files(ws_.recent_files, ws_.commands.kinds);
    ws_.commands.kinds.dictionary.path = [this] { return ws_.dictionary.list.path(); };
    ws_.dictionary.list.replace_all({u"alpha", u"beta"}, u"/d/x.dic");
    font_load(FONT_LANGUAGE, u"Arial", 10, 0);
    // As in the program: every build of the main window empties the histories.
    register_undo_redo_commands(ws_.commands.kinds);
  }
  bool prefs_file_exists() const { return std::filesystem::exists(folder_ + "settings/kwx4.prefs"); }
  void write_settings(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder_ + "settings/" + name, std::ios::binary) << bytes;
  }

  std::string folder_;
  workspace ws_;
};

TEST_F(PreferencesWindowTest, FirstStartOpensPreferencesBeforeTheMainLoop) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  ws_.prefs.applied_once = false;
  // The screen is measured first (up to 5 s per side without a window manager).
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::run([] { EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 1); }, "main window disabled");
  gui_test::click(PREFS_CANCEL);
  EXPECT_EQ(run_preferences_gate(ws_.prefs, ws_.aff_aid, ws_.commands.kinds), 0);
  gui_test::finish();
  EXPECT_FALSE(ws_.prefs.first_apply);
  EXPECT_EQ(window_exists(PREFERENCES_WINDOW), 0);
  EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  // The screen could not be measured as a maximized window here: the
  // proposal is the default, never a window of no size.
  EXPECT_EQ(ws_.prefs.record.window_resolution, u"1280×600");
  EXPECT_EQ(ws_.prefs.record.number_of_lines, 13);  // the default rows scaled to the same list height
  EXPECT_TRUE(gui_test::requesters().empty());
}

TEST_F(PreferencesWindowTest, GateReportsAForeignOrTruncatedFile) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  for (const std::string& bytes : {std::string("40\n1280\xC3\x97" "600\n"), std::string("41\n1280\xC3\x97" "600\n")}) {
    write_settings("kwx4.prefs", bytes);
    gui_test::answer_message_box(MB_ANSWER_OK);
    gui_test::wait_window(PREFERENCES_WINDOW);
    gui_test::press_key(PREFERENCES_WINDOW, KEY_ESCAPE);
    EXPECT_EQ(run_preferences_gate(ws_.prefs, ws_.aff_aid, ws_.commands.kinds), 0);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().title, u"Error!");
    EXPECT_EQ(gui_test::last_requester().text,
              u"The .prefs file is invalid.\n\nMaybe it is from a different version of\nVocabrix.");
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u".prefs file invalid.");
  }
  // A valid file passes without a window.
  ASSERT_TRUE(write_prefs_file(prefs_file_path(), ws_.prefs.record));
  EXPECT_EQ(run_preferences_gate(ws_.prefs, ws_.aff_aid, ws_.commands.kinds), 1);
  EXPECT_TRUE(ws_.prefs.first_apply);
}

TEST_F(PreferencesWindowTest, OkAppliesANewRowCountAndKeepsTheTabsContent) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  // State the rebuild must not lose.
  ws_.dictionary.list.save_undo();
  gadget_add_item(AUTOTEXT_LIST, -1, u"1\nabbr\npkg\nName");
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\n1a1\n");
  gadget_set_state(MAIN_TAB_PANEL, TAB_AUTOTEXT);

  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::replace_text(PREFS_LINES_SPIN, u"20");
  gui_test::wait_until([this] { return ws_.prefs.record.number_of_lines == 20; }, "record follows the field");
  gui_test::click(PREFS_OK);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();

  EXPECT_EQ(ws_.prefs.applied.number_of_lines, 20);
  EXPECT_EQ(ws_.prefs.record.number_of_lines, 20);
  EXPECT_TRUE(ws_.prefs.applied_once);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_PAGE_LENGTH), 20);
  EXPECT_EQ(gadget_get_attribute(AUTOCORRECT_SCROLL, ATTR_PAGE_LENGTH), 20);
  EXPECT_EQ(ws_.dictionary.list.selected(), -1);
  // The main window was rebuilt and still shows what it showed.
  EXPECT_EQ(gadget_get_state(MAIN_TAB_PANEL), TAB_AUTOTEXT);
  ASSERT_EQ(gadget_count_items(AUTOTEXT_LIST), 1);
  EXPECT_EQ(gadget_get_item_text(AUTOTEXT_LIST, 0, 1), u"abbr");
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\n1a1\n");
  EXPECT_TRUE(ws_.dictionary.list.can_undo());
  EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 0);
  EXPECT_EQ(gadget_get_text(DICTIONARY_FILE_LABEL), u"x.dic");
  EXPECT_EQ(gadget_get_text(DICTIONARY_FOLDER_LABEL), u"/d/");
  EXPECT_EQ(gadget_get_text(THESAURUS_FILE_LABEL), u"n/a");
  EXPECT_EQ(gadget_get_text(THESAURUS_FOLDER_LABEL), u"n/a");
  EXPECT_FALSE(prefs_file_exists());  // OK applies; only Save writes
}

TEST_F(PreferencesWindowTest, OkWithoutChangesRebuildsOnlyAfterAFirstStart) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  // A normal run: nothing changed, so the main window stays (its status
  // text with it) and only the lists are re-paged.
  status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"marker");
  gadget_set_attribute(DICTIONARY_SCROLL, ATTR_PAGE_LENGTH, 3);
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::click(PREFS_OK);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"marker");
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_PAGE_LENGTH), 13);

  // After a start without valid preferences the first OK rebuilds.
  ws_.prefs.first_apply = false;
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::click(PREFS_OK);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Ready.");
  EXPECT_TRUE(ws_.prefs.first_apply);
}

TEST_F(PreferencesWindowTest, TheMenuToolOpensTheWindow) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  tool_registry tools(program_tools());
  register_preferences_commands(ws_.prefs, ws_.aff_aid, ws_.commands.kinds, tools);
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::close_window(PREFERENCES_WINDOW);  // the close box cancels
  const tool_registration* tool = tools.find(MENU_PREFERENCES);
  ASSERT_TRUE(tool && tool->command);
  tool->command();
  gui_test::finish();
  EXPECT_EQ(window_exists(PREFERENCES_WINDOW), 0);
  EXPECT_TRUE(ws_.prefs.record == ws_.prefs.backup);
}

TEST_F(PreferencesWindowTest, CancelRestoresTheResolution) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  int height_before = 0;
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::run([&] { height_before = window_height(PREFERENCES_WINDOW); }, "height");
  gui_test::toggle(PREFS_RES_1440_768);
  gui_test::wait_until([this] { return ws_.prefs.record.window_resolution == u"1440×768"; }, "resolution chosen");
  // The window follows the new resolution at once.
  gui_test::wait_until([&] { return window_height(PREFERENCES_WINDOW) == height_before + 168; }, "window grown");
  gui_test::click(PREFS_CANCEL);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
  EXPECT_EQ(ws_.prefs.record.window_resolution, u"1280×600");
  EXPECT_EQ(ws_.prefs.applied.window_resolution, u"1280×600");
  EXPECT_EQ(scale_extra_height_for(ws_.prefs.record.window_resolution, 100), -10);  // windows are laid out for it again
}

TEST_F(PreferencesWindowTest, ZeroRowsIsColouredAndBlocksSave) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::replace_text(PREFS_LINES_SPIN, u"0");
  gui_test::wait_until([] { return gadget_get_color(PREFS_LINES_SPIN, COLOR_BACKGROUND) == COLOUR_RED; }, "red field");
  gui_test::click(PREFS_SAVE);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::run([] { EXPECT_EQ(gadget_get_focus(), PREFS_LINES_SPIN); }, "focus on the field");
  gui_test::replace_text(PREFS_LINES_SPIN, u"15");
  gui_test::wait_until([] { return gadget_get_color(PREFS_LINES_SPIN, COLOR_BACKGROUND) != COLOUR_RED; }, "valid again");
  gui_test::run([this] { EXPECT_FALSE(prefs_file_exists()); }, "nothing written");
  gui_test::click(PREFS_SAVE);
  gui_test::wait_until([this] { return prefs_file_exists(); }, "saved");
  gui_test::click(PREFS_CANCEL);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
  ASSERT_GE(gui_test::requesters().size(), 1u);
  EXPECT_EQ(gui_test::requesters()[0].title, u"Warning!");
  EXPECT_EQ(gui_test::requesters()[0].text, u"The number of lines must be in the range 1:500");

  // What Save wrote reads back; Cancel then left the running values alone.
  preferences_kwx4 saved;
  ASSERT_EQ(read_prefs_file(prefs_file_path(), saved), 1);
  EXPECT_EQ(saved.number_of_lines, 15);
  EXPECT_EQ(ws_.prefs.applied.number_of_lines, 13);
  EXPECT_EQ(ws_.prefs.record.number_of_lines, 13);
  EXPECT_TRUE(std::filesystem::exists(folder_ + "settings/last_update_check.txt"));
}

TEST_F(PreferencesWindowTest, OnlyAValidPixelsValueResizesTheLinesList) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  int height_before = 0;
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::run([&] { height_before = gadget_height(PREFS_LINES_LIST); }, "list height");
  gui_test::replace_text(PREFS_PIXELS_SPIN, u"5");
  gui_test::wait_until([&] { return gadget_height(PREFS_LINES_LIST) == height_before + 5; }, "list grown");
  gui_test::replace_text(PREFS_PIXELS_SPIN, u"20");
  gui_test::wait_until([] { return gadget_get_color(PREFS_PIXELS_SPIN, COLOR_BACKGROUND) == COLOUR_RED; }, "red field");
  gui_test::run([&] { EXPECT_EQ(gadget_height(PREFS_LINES_LIST), height_before + 5); }, "out of range: kept");
  gui_test::click(PREFS_CANCEL);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
}

TEST_F(PreferencesWindowTest, CancelAfterChoosingAFontTakesTheFontBack) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::click(PREFS_FONT_BUTTON);
  gui_test::answer_font_dialog(u"DejaVu Serif", 14, FONT_BOLD);
  gui_test::wait_gadget_text(358, u"DejaVu Serif");
  gui_test::wait_gadget_text(359, u"14");
  gui_test::click(PREFS_CANCEL);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
  EXPECT_EQ(ws_.prefs.record.font_for_language, u"Arial");
  EXPECT_EQ(ws_.prefs.record.font_for_language_size, u"10");
  EXPECT_EQ(ws_.prefs.record.font_for_language_style, 0);
  EXPECT_EQ(ws_.prefs.applied.font_for_language, u"Arial");
}

TEST_F(PreferencesWindowTest, RecentFilesMenuFollowsTheShownTab) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  update_recent_files(u"");  // creates the log
  update_recent_files(u"/d/one.dic");
  gadget_set_state(MAIN_TAB_PANEL, TAB_THESAURUS);
  update_recent_files(u"/t/th.dat");
  EXPECT_EQ(menu_get_item_text(MAIN_MENU, MENU_RECENT_FIRST), u"1: /t/th.dat");
  EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_RECENT_FIRST), 0);
  EXPECT_EQ(menu_get_item_text(MAIN_MENU, MENU_RECENT_FIRST + 1), u"2: ");
  EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_RECENT_FIRST + 1), 1);
  gadget_set_state(MAIN_TAB_PANEL, TAB_DICTIONARY);
  refresh_recent_files_menu();
  EXPECT_EQ(menu_get_item_text(MAIN_MENU, MENU_RECENT_FIRST), u"1: /d/one.dic");
  update_recent_files(u"●");
  EXPECT_EQ(menu_get_item_text(MAIN_MENU, MENU_RECENT_FIRST), u"1: ");
  EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_RECENT_FIRST), 1);
}

TEST_F(PreferencesWindowTest, RecentFilesMenuShowsPathsAsTheyAre) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  update_recent_files(u"");
  const text_t paths[] = {u"/d/a_b&c.dic", u"/d/x&&y.dic", u"/d/tab\tCtrl+O.dic"};
  for (const text_t& path : paths) {
    update_recent_files(path);
    const gui_test::menu_item_look look = gui_test::menu_item_shown(MENU_RECENT_FIRST);
    EXPECT_EQ(look.label, u"1: " + path);
    EXPECT_EQ(look.shortcut, u"");
    EXPECT_FALSE(look.mnemonic);
  }
  // A menu text of the program's own keeps its mnemonic and shortcut label.
  const gui_test::menu_item_look open = gui_test::menu_item_shown(MENU_OPEN);
  EXPECT_EQ(open.label, u"Open...");
  EXPECT_EQ(open.shortcut, u"Ctrl+O");
  EXPECT_TRUE(open.mnemonic);
}

TEST_F(PreferencesWindowTest, ALargeFontSizeIsSavedAsChosen) {
  ASSERT_TRUE(build_main_window(ws_.prefs));
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::click(PREFS_FONT_BUTTON);
  gui_test::answer_font_dialog(u"DejaVu Serif", 150, 0);
  gui_test::wait_gadget_text(359, u"150");
  gui_test::click(PREFS_SAVE);
  gui_test::click(PREFS_CANCEL);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
  preferences_kwx4 saved;
  ASSERT_EQ(read_prefs_file(prefs_file_path(), saved), 1);
  EXPECT_EQ(saved.font_for_language_size, u"150");
}

}  // namespace
