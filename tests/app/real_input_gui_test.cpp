// The main window and its editors driven with real X input (xdotool on the
// tests' own display): popup menus, Return on the lists, clicks on tab
// headers, Tab between fields and the default answer of discard questions.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"

#include "app/find_window.h"
#include "app/main_loop.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"

#include <string>
#include <vector>

using shell_test::settle;
using namespace find_ids;

namespace {

constexpr int EDITOR_WINDOW = 428;  // the entry editors share it
constexpr int INCORRECT_FIELD = 478;
constexpr int CORRECT_FIELD = 480;

std::vector<text_t> autocorrect_pairs(int n) {
  std::vector<text_t> pairs;
  for (int i = 0; i < n; ++i) pairs.push_back(u"wrong" + string_from_int(i) + u"\nright" + string_from_int(i));
  return pairs;
}

class RealInputTest : public shell_test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    start_with_valid_prefs();
  }
  void TearDown() override {
    ws_.autocorrect.list.replace_all({}, u"");
    ShellTest::TearDown();
  }
  static void show(int tab, std::vector<text_t> entries) {
    list_document& doc = paged_list_document(*running_kinds().of_tab(tab));
    doc.replace_all(std::move(entries), u"");
    paged_list_count_changed(doc);
  }
  static void run_loop() {
    gui_test::close_window(MAIN_WINDOW);
    run_main_loop();
    gui_test::finish();
  }
};

TEST_F(RealInputTest, RightClickLeavesThePopupOpenAndAClickOnAnItemRunsIt) {
  show(TAB_AUTOCORRECT, autocorrect_pairs(5));
  gadget_set_state(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::x_click_row(AUTOCORRECT_LIST, 2);
  gui_test::wait_until([this] { return ws_.autocorrect.list.selected() == 2; }, "row 2 selected");
  gui_test::x_click_row(AUTOCORRECT_LIST, 2, 3);
  gui_test::wait_until([] { return gui_test::popup_shown(POPUP_LIST_MENU); }, "the popup is shown");
  // The pointer reaches the item after the release: the menu is still up
  // and follows the pointer.
  gui_test::x_point_at_menu_item(POPUP_EDIT);
  gui_test::wait_until([] { return gui_test::popup_highlighted_item(POPUP_LIST_MENU) == POPUP_EDIT; },
                       "the menu stays open and highlights Edit");
  gui_test::xdotool({"click", "1"});
  gui_test::wait_window(EDITOR_WINDOW);
  gui_test::wait_gadget_text(INCORRECT_FIELD, u"wrong2");
  gui_test::wait_gadget_text(CORRECT_FIELD, u"right2");
  gui_test::x_keys(EDITOR_WINDOW, {"Escape"});
  gui_test::wait_window_closed(EDITOR_WINDOW);
  gui_test::wait_until([] { return !gui_test::popup_shown(POPUP_LIST_MENU); }, "the popup is gone");
  run_loop();
  EXPECT_EQ(popup_owner_gadget, 0);
}

// A tool window's popup: Edit lives only in the Find window's menu.
TEST_F(RealInputTest, TheFindWindowsPopupStaysOpenAndItsEditRuns) {
  show(TAB_AUTOCORRECT, autocorrect_pairs(5));
  gadget_set_state(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::x_click_gadget(AUTOCORRECT_FIND);
  gui_test::wait_window(FIND_WINDOW);
  gui_test::x_type(FIND_WINDOW, "wrong3");
  gui_test::x_keys(FIND_WINDOW, {"Return"});
  gui_test::wait_until([] { return gadget_count_items(FIND_RESULTS) == 1; }, "one match listed");
  gui_test::x_click_row(FIND_RESULTS, 0);
  gui_test::x_click_row(FIND_RESULTS, 0, 3);
  gui_test::wait_until([] { return gui_test::popup_shown(FIND_POPUP); }, "the popup is shown");
  gui_test::x_point_at_menu_item(FIND_POPUP_EDIT);
  gui_test::wait_until([] { return gui_test::popup_highlighted_item(FIND_POPUP) == FIND_POPUP_EDIT; },
                       "the menu stays open and highlights Edit");
  gui_test::xdotool({"click", "1"});
  gui_test::wait_window(EDITOR_WINDOW);
  gui_test::wait_gadget_text(INCORRECT_FIELD, u"wrong3");
  gui_test::x_keys(EDITOR_WINDOW, {"Escape"});
  gui_test::wait_window_closed(EDITOR_WINDOW);
  // Back in the Find window: window 0 stays off while it is open.
  gui_test::run([] { EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 1); }, "window 0 is still disabled");
  gui_test::x_keys(FIND_WINDOW, {"Escape"});
  gui_test::wait_window_closed(FIND_WINDOW);
  run_loop();
}

TEST_F(RealInputTest, ReturnAndKeypadEnterOnTheListEditTheSelectedEntry) {
  struct key_case {
    int tab, list;
    const char* key;
    const char16_t* title;
  };
  const key_case cases[] = {
      {TAB_DICTIONARY, DICTIONARY_LIST, "Return", u"Edit a word"},
      {TAB_DICTIONARY, DICTIONARY_LIST, "KP_Enter", u"Edit a word"},
      {TAB_AUTOCORRECT, AUTOCORRECT_LIST, "Return", u"Edit an autocorrect word"},
      {TAB_AUTOCORRECT, AUTOCORRECT_LIST, "KP_Enter", u"Edit an autocorrect word"},
  };
  show(TAB_DICTIONARY, {u"cat", u"dog", u"emu"});
  show(TAB_AUTOCORRECT, autocorrect_pairs(3));
  for (const key_case& c : cases) {
    gui_test::run([c] { gadget_set_state(MAIN_TAB_PANEL, c.tab); }, "show the tab");
    gui_test::x_click_row(c.list, 1);
    gui_test::wait_until([c] { return paged_list_document(*running_kinds().of_tab(c.tab)).selected() == 1; }, "row 1 selected");
    gui_test::x_keys(MAIN_WINDOW, {c.key});
    gui_test::wait_window(EDITOR_WINDOW);
    gui_test::run([c] { EXPECT_EQ(window_get_title(EDITOR_WINDOW), c.title) << c.key; }, "the editor's title");
    gui_test::x_keys(EDITOR_WINDOW, {"Escape"});
    gui_test::wait_window_closed(EDITOR_WINDOW);
  }
  run_loop();
}

TEST_F(RealInputTest, ReturnWithTheFocusOffTheListEditsNothing) {
  show(TAB_AUTOCORRECT, autocorrect_pairs(3));
  gadget_set_state(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::x_click_row(AUTOCORRECT_LIST, 1);
  gui_test::wait_until([this] { return ws_.autocorrect.list.selected() == 1; }, "row 1 selected");
  gui_test::focus(AUTOCORRECT_GO_TOP);
  gui_test::x_keys(MAIN_WINDOW, {"Return"});
  settle();
  gui_test::run([] { EXPECT_FALSE(window_exists(EDITOR_WINDOW)); }, "no editor");
  run_loop();
}

// Whatever the focus did before, a click on a tab header leaves the list's
// selection as it was: none stays none, one off the page stays.
TEST_F(RealInputTest, AClickOnATabHeaderSelectsNothing) {
  show(TAB_DICTIONARY, {u"cat", u"dog", u"emu"});
  show(TAB_AUTOCORRECT, autocorrect_pairs(40));
  // The focus in the Dictionary tab's list, so that the switch moves it into
  // the Autocorrect tab.
  gui_test::x_click_row(DICTIONARY_LIST, 0);
  gui_test::wait_until([] { return dictionary().list.selected() == 0; }, "a dictionary row selected");
  gui_test::x_click_tab(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::wait_until([] { return gadget_get_state(MAIN_TAB_PANEL) == TAB_AUTOCORRECT; }, "the tab is shown");
  settle();
  gui_test::run([this] {
    EXPECT_EQ(ws_.autocorrect.list.selected(), -1);
    EXPECT_EQ(gadget_get_state(AUTOCORRECT_LIST), -1);
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_STATUS_LABEL), u"# Autocorrects:40");
  }, "nothing selected");

  // An entry scrolled off the page stays selected over a round trip.
  gui_test::run([] { show_paged_list_position(running_kinds().autocorrect, 30, 0); }, "select entry 31 off the page");
  gui_test::x_click_tab(MAIN_TAB_PANEL, TAB_DICTIONARY);
  gui_test::wait_until([] { return gadget_get_state(MAIN_TAB_PANEL) == TAB_DICTIONARY; }, "back on the dictionary");
  gui_test::x_click_row(DICTIONARY_LIST, 1);
  gui_test::wait_until([] { return dictionary().list.selected() == 1; }, "another dictionary row");
  gui_test::x_click_tab(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::wait_until([] { return gadget_get_state(MAIN_TAB_PANEL) == TAB_AUTOCORRECT; }, "the tab is shown");
  settle();
  gui_test::run([this] {
    EXPECT_EQ(ws_.autocorrect.list.selected(), 30);
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_STATUS_LABEL), u"Autocorrect: [31/40]");
  }, "the selection off the page stays");
  run_loop();
}

TEST_F(RealInputTest, TabAndShiftTabMoveBetweenTheAutocorrectEditorsFields) {
  gadget_set_state(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::x_click_gadget(AUTOCORRECT_ADD);
  gui_test::wait_window(EDITOR_WINDOW);
  gui_test::x_type(EDITOR_WINDOW, "teh");
  gui_test::x_keys(EDITOR_WINDOW, {"Tab"});
  gui_test::x_type(EDITOR_WINDOW, "the");
  gui_test::wait_gadget_text(CORRECT_FIELD, u"the");
  gui_test::x_keys(EDITOR_WINDOW, {"shift+Tab", "End"});
  gui_test::x_type(EDITOR_WINDOW, "n");
  gui_test::wait_gadget_text(INCORRECT_FIELD, u"tehn");
  gui_test::x_keys(EDITOR_WINDOW, {"Return"});
  gui_test::wait_window_closed(EDITOR_WINDOW);
  run_loop();
  EXPECT_EQ(ws_.autocorrect.list.entries(), (std::vector<text_t>{u"tehn\nthe"}));
}

TEST_F(RealInputTest, ReturnInTheExitQuestionKeepsTheProgramRunning) {
  ws_.commands.kinds.dictionary.changed = [] { return true; };
  gui_test::close_window(MAIN_WINDOW);
  gui_test::x_message_box_keys({"Return"});
  settle();
  gui_test::run([] { EXPECT_EQ(exit_requested, 0); }, "still running");
  gui_test::close_window(MAIN_WINDOW);
  gui_test::answer_message_box(MB_ANSWER_YES);
  run_main_loop();
  gui_test::finish();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::requesters()[0].default_answer, MB_ANSWER_NO);
  EXPECT_EQ(gui_test::requesters()[0].text,
            u"The following files have been changed:\n  \u2014 Dictionary\n\nReally exit?");
}

// Every question whose Yes throws work away offers No as its default button.
TEST_F(RealInputTest, DiscardQuestionsDefaultToNo) {
  struct question_case {
    int tab, gadget;
    const char16_t* text;
  };
  const question_case cases[] = {
      {TAB_DICTIONARY, TOOLBAR_OPEN, u"The Dictionary has been changed.\n\nContinue?"},
      {TAB_THESAURUS, TOOLBAR_OPEN, u"The Thesaurus has been changed.\n\nContinue?"},
      {TAB_AUTOCORRECT, TOOLBAR_OPEN, u"The Autocorrect List has been changed.\n\nContinue?"},
      {TAB_DICTIONARY, DICTIONARY_ERASE, u"The Dictionary has been changed.\n\nContinue?"},
      {TAB_AUTOCORRECT, AUTOCORRECT_ERASE, u"The Autocorrect List has been changed.\n\nContinue?"},
      {TAB_DICTIONARY, AFF_CLEAR, u"The .AFF has contents.\n\nContinue?"},
      {TAB_HYPHENATION, HYPHENATION_CLEAR, u"The Hyphenation has been changed.\n\nContinue?"},
  };
  show(TAB_DICTIONARY, {u"cat"});
  show(TAB_AUTOCORRECT, autocorrect_pairs(1));
  ws_.thesaurus.list.replace_all({u"cat|1\n(noun)|feline"}, u"");
  dictionary().list.mark_changed();
  ws_.thesaurus.list.mark_changed();
  ws_.autocorrect.list.mark_changed();
  gadget_set_text(AFF_EDITOR, u"SET UTF-8\n");
  gadget_set_state(MAIN_TAB_PANEL, TAB_HYPHENATION);
  gui_test::type_text(HYPHENATION_EDITOR, u"a1b\n");
  for (const question_case& c : cases) {
    gui_test::run([c] { gadget_set_state(MAIN_TAB_PANEL, c.tab); }, "show the tab");
    gui_test::click(c.gadget);
    // The real key: Return answers the default button.
    gui_test::press_message_box_key(KEY_RETURN);
    settle();
  }
  gui_test::run([] { EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\n"); }, "the .aff text is kept");
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(gui_test::requesters()[i].text, cases[i].text);
    EXPECT_EQ(gui_test::requesters()[i].default_answer, MB_ANSWER_NO) << i;
  }
  EXPECT_EQ(dictionary().list.count(), 1);
  EXPECT_EQ(ws_.autocorrect.list.count(), 1);
  ws_.thesaurus.list.replace_all({}, u"");
}

}  // namespace
