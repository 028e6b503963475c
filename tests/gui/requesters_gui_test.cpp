// Message boxes, file and font requesters answered through the driver, and
// a modal tool window driven the way window tests drive theirs.
#include <fstream>

#include <gtest/gtest-spi.h>

#include "gui/gui.h"
#include "gui/test_driver.h"

namespace {

class Requesters : public gui_test::GuiTest {};

TEST_F(Requesters, MessageBoxAnswers) {
  struct {
    int flags, answer, expected;
    const char* icon;
  } cases[] = {
      {17, MB_ANSWER_YES, 6, "dialog-warning"}, {17, MB_ANSWER_NO, 7, "dialog-warning"},
      {17, MB_ANSWER_CLOSED, 0, "dialog-warning"}, {2, MB_ANSWER_CANCEL, 2, ""},
      {16, MB_ANSWER_OK, 6, "dialog-warning"}, {4, MB_ANSWER_CLOSED, 0, "dialog-information"},
      {8, MB_ANSWER_OK, 6, "dialog-error"},
  };
  for (auto& c : cases) {
    gui_test::answer_message_box(c.answer);
    EXPECT_EQ(message_box(u"Warning!", u"Really abort?", c.flags), c.expected) << c.flags << " " << c.answer;
    gui_test::finish();
    auto rec = gui_test::last_requester();
    EXPECT_EQ(rec.kind, gui_test::REQUESTER_MESSAGE_BOX);
    EXPECT_EQ(rec.title, u"Warning!");
    EXPECT_EQ(rec.text, u"Really abort?");
    EXPECT_EQ(rec.flags, c.flags);
    EXPECT_EQ(rec.icon, c.icon) << c.flags;
  }
}

// Ctrl+L shows the chooser's location field and focuses it before GTK has
// realised it; the keys typed at once must not go to the unrealised field
// (GTK complains, which fails the test).
TEST_F(Requesters, KeysTypedRightAfterCtrlLInAChooser) {
  for (bool save : {false, true}) {
    SCOPED_TRACE(save ? "save" : "open");
    gui_test::press_file_requester_key(key_ctrl('L'));
    gui_test::press_file_requester_key('/');
    gui_test::press_file_requester_key('T');
    gui_test::answer_file_dialog(u"");
    const text_t title = save ? u"Save" : u"Open";
    EXPECT_EQ(save ? file_dialog_save(title, u"", u"Text file (*.txt)|*.txt", 0)
                   : file_dialog_open(title, u"", u"Text file (*.txt)|*.txt", 0),
              u"");
    gui_test::finish();
  }
}

// A requester answered at once, before GTK's own timers of its name field
// ran, while GTK still holds its chooser: closing it makes GTK complain about
// its destroyed file list unless the close waits for those timers.
TEST_F(Requesters, ARequesterAnsweredAtOnceClosesQuietly) {
  const std::string folder = gui_test::temp_folder();
  for (bool save : {true, false}) {
    SCOPED_TRACE(save ? "save" : "open");
    const text_t path = from_utf8(folder + "words.txt");
    std::ofstream(to_utf8(path)) << "x\n";
    std::ofstream(folder + "other.txt") << "y\n";
    gui_test::hold_file_requester_after_close();
    gui_test::answer_file_dialog(path);
    // The answer changes the name field, which arms GTK's timer again.
    const text_t proposed = from_utf8(folder + "other.txt");
    EXPECT_EQ(save ? file_dialog_save(u"Save", proposed, u"Text file (*.txt)|*.txt", 0)
                   : file_dialog_open(u"Open", proposed, u"Text file (*.txt)|*.txt", 0),
              path);
    gui_test::wait_until([] { return !gui_test::file_requester_held(); }, "the chooser's timers ran");
    EXPECT_TRUE(gui_test::run_steps());
    gui_test::finish();
  }
}

// Return and Space answer the focused default button: Yes, unless the
// question asks for No as its default.
TEST_F(Requesters, KeysAnswerTheDefaultButton) {
  struct {
    int flags, key, expected;
  } cases[] = {
      {MB_YES_NO | MB_ICON_INFORMATION, KEY_RETURN, MB_ANSWER_YES},
      {MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO, KEY_RETURN, MB_ANSWER_NO},
      {MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO, KEY_KP_ENTER, MB_ANSWER_NO},
      {MB_YES_NO | MB_ICON_INFORMATION | MB_DEFAULT_NO, ' ', MB_ANSWER_NO},
      {MB_YES_NO_CANCEL | MB_DEFAULT_NO, KEY_RETURN, MB_ANSWER_NO},
      {MB_ICON_WARNING, KEY_RETURN, MB_ANSWER_OK},
  };
  for (auto& c : cases) {
    gui_test::press_message_box_key(c.key);
    EXPECT_EQ(message_box(u"Warning!", u"Really exit?", c.flags), c.expected) << c.flags << " " << c.key;
    gui_test::finish();
    const auto rec = gui_test::last_requester();
    EXPECT_EQ(rec.default_answer, c.expected);
    EXPECT_EQ(rec.flags, c.flags & ~MB_DEFAULT_NO);
  }
}

TEST_F(Requesters, AClosedQuestionProceedsOnlyWhereNoStops) {
  gui_test::answer_message_box(MB_ANSWER_CLOSED);
  int answer = message_box(u"Warning!", u"The Dictionary has been changed.\n\nContinue?", 17);
  gui_test::finish();
  EXPECT_NE(answer, MB_ANSWER_NO);   // "proceed unless No" proceeds
  EXPECT_NE(answer, MB_ANSWER_YES);  // "proceed only on Yes" stops
}

TEST_F(Requesters, CancelledFileRequesterReturnsNothingAndShowsTheFilters) {
  gui_test::answer_file_dialog(u"");
  text_t path = file_dialog_open(u"Open", u"", u"Text file (*.txt)|*.txt|XML file (*.xml)|*.xml", 0);
  gui_test::finish();
  EXPECT_EQ(path, u"");
  auto rec = gui_test::last_requester();
  EXPECT_EQ(rec.kind, gui_test::REQUESTER_FILE_OPEN);
  ASSERT_EQ(rec.filter_names.size(), 2u);
  EXPECT_EQ(rec.filter_names[0], u"Text file (*.txt)");
  EXPECT_EQ(rec.filter_names[1], u"XML file (*.xml)");
  EXPECT_EQ(rec.filter_patterns[1], std::vector<text_t>{u"*.xml"});
  EXPECT_EQ(rec.selected_filter, 0);
}

TEST_F(Requesters, SeveralPatternsInOneFilter) {
  gui_test::answer_file_dialog(u"");
  file_dialog_save(u"Save", u"", u"Extensions|*.xpi;*.oxt;|All|*.*", 1);
  gui_test::finish();
  auto rec = gui_test::last_requester();
  EXPECT_EQ(rec.kind, gui_test::REQUESTER_FILE_SAVE);
  ASSERT_EQ(rec.filter_patterns.size(), 2u);
  EXPECT_EQ(rec.filter_patterns[0], (std::vector<text_t>{u"*.xpi", u"*.oxt"}));
  EXPECT_EQ(rec.selected_filter, 1);
}

TEST_F(Requesters, ChosenPathsComeBack) {
  std::string folder = gui_test::temp_folder();
  std::string existing = folder + "words.TXT";
  std::ofstream(existing) << "a\n";
  gui_test::answer_file_dialog(from_utf8(existing));
  EXPECT_EQ(file_dialog_open(u"Open", u"", u"Text file (*.txt)|*.txt", 0), from_utf8(existing));
  gui_test::finish();

  std::string fresh = folder + "new file.txt";
  gui_test::answer_file_dialog(from_utf8(fresh));
  EXPECT_EQ(file_dialog_save(u"Save", u"", u"Text file (*.txt)|*.txt", 0), from_utf8(fresh));
  gui_test::finish();
}

TEST_F(Requesters, FontRequester) {
  gui_test::answer_font_dialog(u"Serif", 14, FONT_BOLD);
  EXPECT_EQ(font_dialog(u"Sans", 10, 0), 1);
  gui_test::finish();
  EXPECT_EQ(font_dialog_chosen_name(), u"Serif");
  EXPECT_EQ(font_dialog_chosen_size(), 14);
  EXPECT_EQ(font_dialog_chosen_style(), FONT_BOLD);
  EXPECT_EQ(gui_test::last_requester().title, u"Font Selection");
  gui_test::answer_font_dialog(u"", 0, 0);
  EXPECT_EQ(font_dialog(u"Sans", 10, 0), 0);
  gui_test::finish();
}

// ---- A modal tool window as the program writes them ----------------------------------

constexpr int TOOL = 600, FIELD = 601, FIND = 602, CANCEL = 603;
constexpr int ESCAPE_ID = 1000, RETURN_ID = 1003;

// Returns what the user confirmed, "" when cancelled.
text_t run_find_window() {
  if (!window_open(TOOL, 0, 0, 300, 120, u"Find", WINDOW_CENTERED, nullptr)) return u"";
  gadget_create_entry(FIELD, 10, 10, 200, 24, u"");
  gadget_create_button(FIND, 10, 50, 100, 28, u"Find");
  gadget_create_button(CANCEL, 120, 50, 100, 28, u"Cancel");
  shortcut_add(TOOL, KEY_ESCAPE, ESCAPE_ID);
  shortcut_add(TOOL, KEY_RETURN, RETURN_ID);
  gadget_set_focus(FIELD);
  text_t result;
  bool done = false;
  while (!done) {
    int type = event_wait();
    if (type <= 0 || event_get_window() != TOOL) continue;
    if (type == EVENT_CLOSE) done = true;
    if (type == EVENT_MENU && event_get_menu_item() == ESCAPE_ID) done = true;
    bool confirm = (type == EVENT_GADGET && event_get_gadget() == FIND) ||
                   (type == EVENT_MENU && event_get_menu_item() == RETURN_ID);
    if (type == EVENT_GADGET && event_get_gadget() == CANCEL) done = true;
    if (confirm) {
      if (gadget_get_text(FIELD).empty()) {
        message_box(u"Warning!", u"Nothing to find.", 16);
      } else {
        result = gadget_get_text(FIELD);
        done = true;
      }
    }
  }
  window_close(TOOL);
  return result;
}

TEST_F(Requesters, AToolWindowLoop) {
  gui_test::wait_window(TOOL);
  gui_test::click(FIND);                       // empty: a warning first
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::type_text(FIELD, u"house");
  gui_test::press_key(TOOL, KEY_RETURN);       // Return confirms, the entry never sees it
  EXPECT_EQ(run_find_window(), u"house");
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Nothing to find.");

  gui_test::wait_window(TOOL);
  gui_test::close_window(TOOL);
  EXPECT_EQ(run_find_window(), u"");
  gui_test::finish();
}

// A failing script must not hang the test: the driver reports and unwinds.
void unexpected_box() {
  gui_test::wait_window(TOOL);
  gui_test::click(FIND);  // the warning appears, but the script expects none
  gui_test::type_text(FIELD, u"never typed");
  run_find_window();
  gui_test::finish();
}

void missed_deadline() {
  gui_test::wait_window(TOOL);
  gui_test::wait_gadget_text(FIELD, u"something nobody types", false, 200);
  run_find_window();
  gui_test::finish();
}

TEST_F(Requesters, AnUnexpectedDialogFailsAndUnwinds) {
  EXPECT_NONFATAL_FAILURE(unexpected_box(), "unexpected message box \"Warning!\": \"Nothing to find.\"");
  EXPECT_FALSE(window_exists(TOOL));
}

TEST_F(Requesters, AMissedDeadlineFailsAndReportsTheWindows) {
  EXPECT_NONFATAL_FAILURE(missed_deadline(), "window 600 \"Find\"");
  EXPECT_FALSE(window_exists(TOOL));
}

}  // namespace
