// The Goto dialog over the main window's lists.
#include "tests/app/shell_gui_support.h"

#include "gui/gui.h"
#include "kit/goto_window.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"

using namespace goto_ids;

namespace {

class GotoTest : public shell_test::DictionaryListTest {
 protected:
  void load(int n) {
    std::vector<text_t> entries;
    for (int i = 1; i <= n; ++i) entries.push_back(u"word" + string_from_int(i));
    doc().replace_all(std::move(entries), u"");
    dictionary().count_changed();
  }
};

TEST_F(GotoTest, JumpsToTheEntryAndKeepsTheConfirmedText) {
  load(1234);
  gui_test::wait_window(GOTO_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(GOTO_WINDOW), u"Goto words position (1:1234)");
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
  }, "the title counts without separators");
  // Letters cannot be typed, and no ninth digit.
  gui_test::type_text(GOTO_ENTRY, u"a1b234567890");
  gui_test::run([] { EXPECT_EQ(gadget_get_text(GOTO_ENTRY), u"12345678"); }, "digits only, eight at most");
  // The dialog colours the field once its loop has the change.
  gui_test::wait_until([] { return gadget_get_color(GOTO_ENTRY, COLOR_BACKGROUND) != -1; }, "out of range: red");
  gui_test::click(GOTO_OK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::replace_text(GOTO_ENTRY, u"1234");
  gui_test::wait_until([] { return gadget_get_color(GOTO_ENTRY, COLOR_BACKGROUND) == -1; }, "valid: default colour");
  gui_test::press_key(GOTO_WINDOW, KEY_RETURN);
  show_goto_dialog_for(ws_.commands.kinds.dictionary);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Position must be between 1:1234");
  EXPECT_EQ(paged_list_selected(running_kinds().dictionary), 1233);
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));

  // Opening again shows the position last confirmed; Cancel keeps it and jumps nowhere.
  gui_test::wait_window(GOTO_WINDOW);
  gui_test::run([] { EXPECT_EQ(gadget_get_text(GOTO_ENTRY), u"1234"); }, "the last position");
  gui_test::replace_text(GOTO_ENTRY, u"5");
  gui_test::click(GOTO_CANCEL);
  show_goto_dialog_for(ws_.commands.kinds.dictionary);
  gui_test::finish();
  EXPECT_EQ(goto_dialog_text(), u"1234");
  EXPECT_EQ(paged_list_selected(running_kinds().dictionary), 1233);
}

TEST_F(GotoTest, EmptyListIsAnswered) {
  gui_test::answer_message_box(MB_ANSWER_OK);
  show_goto_dialog_for(ws_.commands.kinds.autocorrect);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No autocorrect words found.");
  EXPECT_FALSE(window_exists(GOTO_WINDOW));
}

}  // namespace
