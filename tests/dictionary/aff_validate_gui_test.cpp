// The AFF Validate window over the .aff editor's text, driven like a user.
#include "tests/app/shell_gui_support.h"
#include "tests/test_support/held_job.h"

#include "affix/aff_cache.h"
#include "affix/aff_validation.h"
#include "app/main_loop.h"
#include "dictionary/aff_validate_window.h"
#include "gui/gui.h"
#include "kit/goto_window.h"
#include "kit/ids.h"

#include <string>

using namespace aff_validate_ids;

namespace {

class AffValidateWindowTest : public shell_test::ShellTest {
 protected:
  // The program with an .aff text in the editor and the cache built from it,
  // as the menu command leaves them.
  void open_aff(const text_t& aff) {
    start_with_valid_prefs();
    dictionary().set_aff_text(aff);
    dictionary().invalidate_decode_cache();
    dictionary().decode_cache();
  }
  static void wait_loaded(int rows) {
    gui_test::wait_window(WINDOW);
    gui_test::wait_until([rows] { return gadget_count_items(LINES) == rows && !gadget_get_disabled(PROCESS); },
                         "the lines are loaded");
  }
  static void wait_processed() { gui_test::wait_gadget_text(STEP_LABEL, u"Processing:6/6 Done!"); }
  static bool log_has(const text_t& line) {
    const text_t log = gadget_get_text(LOG);
    return log.find(u"\n" + line + u"\n") != text_t::npos;
  }
  static int text_colour(int row) { return gadget_get_item_color(LINES, row, COLOR_TEXT, 1); }
};

TEST_F(AffValidateWindowTest, ProcessColoursTheFaultsAndUndoRedoTheirColours) {
  const text_t aff = u"SET UTF-8\nSFX A Y 2\nSFX A 0 s .\nPFX B Y 1\nPFX B 0 re .\n";
  open_aff(aff);
  wait_loaded(5);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(WINDOW), u"AFF Validate");
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
    EXPECT_EQ(gadget_get_item_text(LINES, 1, 0), u"2");
    EXPECT_EQ(gadget_get_item_text(LINES, 1, 1), u"SFX A Y 2");
    EXPECT_EQ(gadget_get_text(FOUND), u"Found:5");
    EXPECT_EQ(gadget_get_text(SELECTED), u"Selected:None");
    EXPECT_TRUE(gadget_get_disabled(UNDO));
    EXPECT_TRUE(gadget_get_disabled(REDO));
    EXPECT_EQ(gadget_get_text(LOG).rfind(u"AFF Validate V2.2 - 2023-03-21\n", 0), 0u);
  }, "the panel holds the numbered lines");
  gui_test::click(PROCESS);
  wait_processed();
  gui_test::run([] {
    EXPECT_TRUE(log_has(u"Flag \"A\" expected 2 found 1 at line:2"));
    EXPECT_TRUE(log_has(u"Errors found in validation!"));
    EXPECT_EQ(text_colour(1), AFF_LINE_RED);
    EXPECT_NE(text_colour(2), AFF_LINE_RED);
    EXPECT_FALSE(gadget_get_disabled(UNDO));
    EXPECT_EQ(gadget_get_text(CHANGED_MARK), u"\u25CF");
    EXPECT_EQ(gadget_get_text(ESCAPE_LABEL), u"");
  }, "the fault is red");
  gui_test::click(UNDO);
  gui_test::run([] {
    EXPECT_NE(text_colour(1), AFF_LINE_RED);
    EXPECT_FALSE(gadget_get_disabled(REDO));
    EXPECT_EQ(gadget_get_item_text(LINES, 4, 0), u"5");
  }, "undo takes the colours back");
  gui_test::click(REDO);
  gui_test::run([] {
    EXPECT_EQ(text_colour(1), AFF_LINE_RED);
    EXPECT_FALSE(gadget_get_disabled(UNDO));
    EXPECT_TRUE(gadget_get_disabled(REDO));
  }, "redo brings them again");
  gui_test::click(OK);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  // Colours are no change of the text: OK leaves the editor and the flag alone.
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), aff);
  EXPECT_FALSE(dictionary().list.changed());
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
}

TEST_F(AffValidateWindowTest, OkGivesTheTextItsLastLineFeed) {
  open_aff(u"SET UTF-8\nTRY abc");
  wait_loaded(2);
  gui_test::click(OK);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\nTRY abc\n");
  EXPECT_EQ(dictionary().aff_text(), u"SET UTF-8\nTRY abc\n");
  EXPECT_TRUE(dictionary().list.changed());
}

TEST_F(AffValidateWindowTest, CloneEditRefreshProcessThenOkWritesThePanel) {
  const text_t aff = u"SET UTF-8\nSFX A Y 2\nSFX A 0 s .\n";
  open_aff(aff);
  wait_loaded(3);
  gui_test::select_row(LINES, 2);
  gui_test::right_click_row(LINES, 2);
  gui_test::choose_menu_item(CLONE_BELOW);
  gui_test::wait_until([] { return gadget_count_items(LINES) == 4; }, "the clone is in");
  gui_test::double_click_row(LINES, 3);
  gui_test::wait_window(EDIT_DIALOG);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(EDIT_DIALOG), u"Edit an AFF Validate line");
    EXPECT_EQ(gadget_get_text(EDIT_OLD), u"SFX A 0 s .");
  }, "the line in both fields");
  gui_test::replace_text(EDIT_NEW, u"SFX A 0 es .");
  gui_test::press_key(EDIT_DIALOG, KEY_RETURN);
  gui_test::wait_window_closed(EDIT_DIALOG);
  gui_test::run([] {
    EXPECT_EQ(gadget_get_item_text(LINES, 3, 1), u"SFX A 0 es .");
    EXPECT_EQ(gadget_get_item_text(LINES, 3, 0), u"4");
  }, "the edited line");
  gui_test::click(REFRESH);
  gui_test::click(PROCESS);
  wait_processed();
  gui_test::run([aff] {
    EXPECT_TRUE(log_has(u"No errors found in validation!"));
    // Refresh parsed the panel, not the editor, and left the editor alone.
    EXPECT_EQ(gadget_get_text(AFF_EDITOR), aff);
  }, "the panel validates");
  gui_test::click(OK);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\nSFX A Y 2\nSFX A 0 s .\nSFX A 0 es .\n");
  EXPECT_TRUE(dictionary().list.changed());
  // The next tool works with a parse of the editor's text.
  EXPECT_EQ(dictionary().decode_cache().aff_cache_source, gadget_get_text(AFF_EDITOR));
}

TEST_F(AffValidateWindowTest, ChecksInvertAndDeleteSelected) {
  text_t aff;
  for (int i = 1; i <= 10; ++i) aff += u"# line " + string_from_int(i) + u"\n";
  open_aff(aff);
  wait_loaded(10);
  for (int row : {1, 4, 7}) gui_test::toggle_row_check(LINES, row);
  gui_test::wait_gadget_text(SELECTED, u"Selected:3/10");
  gui_test::right_click_row(LINES, 0);
  gui_test::choose_menu_item(INVERT);
  gui_test::wait_gadget_text(SELECTED, u"Selected:7");
  gui_test::right_click_row(LINES, 0);
  gui_test::choose_menu_item(INVERT);
  gui_test::wait_gadget_text(SELECTED, u"Selected:3");
  gui_test::right_click_row(LINES, 0);
  gui_test::choose_menu_item(DELETE_SELECTED);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(FOUND, u"Found:7");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(SELECTED), u"Selected:None");
    const char16_t* kept[] = {u"# line 1", u"# line 3", u"# line 4", u"# line 6", u"# line 7", u"# line 9",
                              u"# line 10"};
    for (int r = 0; r < 7; ++r) {
      EXPECT_EQ(gadget_get_item_text(LINES, r, 0), string_from_int(r + 1));
      EXPECT_EQ(gadget_get_item_text(LINES, r, 1), kept[r]);
    }
  }, "seven lines in their order, numbered anew");
  // Add Above on the first row makes the new empty line number 1.
  gui_test::select_row(LINES, 0);
  gui_test::right_click_row(LINES, 0);
  gui_test::choose_menu_item(ADD_ABOVE);
  gui_test::wait_gadget_text(FOUND, u"Found:8");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_item_text(LINES, 0, 1), u"");
    EXPECT_EQ(gadget_get_item_text(LINES, 1, 1), u"# line 1");
  }, "an empty first line");
  // Clear asks first; a box closed without an answer keeps the lines, Yes empties the panel.
  gui_test::click(CLEAR_LINES);
  gui_test::answer_message_box(MB_ANSWER_CLOSED);
  gui_test::run([] { EXPECT_EQ(gadget_count_items(LINES), 8); }, "the lines are kept");
  gui_test::click(CLEAR_LINES);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(FOUND, u"Found:0");
  gui_test::click(UNDO);
  gui_test::wait_gadget_text(FOUND, u"Found:8");
  gui_test::click(CANCEL);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), aff);  // Cancel applies nothing
  EXPECT_FALSE(dictionary().list.changed());
}

TEST_F(AffValidateWindowTest, GotoSelectsALine) {
  text_t aff;
  for (int i = 1; i <= 40; ++i) aff += u"# line " + string_from_int(i) + u"\n";
  open_aff(aff);
  wait_loaded(40);
  gui_test::press_key(WINDOW, key_ctrl('G'));
  gui_test::wait_window(GOTO_WINDOW);
  gui_test::run([] { EXPECT_EQ(window_get_title(GOTO_WINDOW), u"Goto lines position (1:40)"); }, "title");
  gui_test::type_text(goto_ids::GOTO_ENTRY, u"41");
  gui_test::click(goto_ids::GOTO_OK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::replace_text(goto_ids::GOTO_ENTRY, u"33");
  gui_test::press_key(GOTO_WINDOW, KEY_RETURN);
  gui_test::wait_window_closed(GOTO_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(gadget_get_state(LINES), 32);
    EXPECT_FALSE(window_get_disabled(WINDOW));
  }, "line 33 selected");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Position must be between 1:40");
  EXPECT_EQ(goto_dialog_text(), u"33");
}

// A loading stopped with Escape leaves part of the text in the panel; OK
// then keeps the .aff text as it was.
TEST_F(AffValidateWindowTest, OkAfterAStoppedLoadingWritesNothing) {
  text_t aff;
  for (int i = 1; i <= 50000; ++i) aff += u"# a comment line of the affix file " + string_from_int(i) + u"\n";
  open_aff(aff);
  gui_test::wait_window(WINDOW);
  held_job hold(1000);  // the loading waits at its 1000th line for the Escape
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_until([] { return !gadget_get_disabled(OK); }, "the loading stopped");
  gui_test::run([] {
    EXPECT_LT(gadget_count_items(LINES), 50000);
    EXPECT_TRUE(gadget_get_text(LOG).find(u"Aborted.") != text_t::npos);
  }, "part of the lines");
  gui_test::click(OK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"The lines were not all loaded: the .AFF text stays as it was.");
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), aff);
  EXPECT_FALSE(dictionary().list.changed());
}

TEST_F(AffValidateWindowTest, ReportIsSavedWholeOrTheOldFileStays) {
  open_aff(u"TRY abc\n");
  wait_loaded(1);
  gui_test::click(PROCESS);
  wait_processed();
  const std::string report = folder_ + "report.txt";
  gui_test::click(SAVE_REPORT);
  gui_test::answer_file_dialog(from_utf8(report));
  gui_test::answer_message_box(MB_ANSWER_OK);  // "Report saved:"
  // A folder of that name cannot be replaced: an error, and nothing written.
  gui_test::run([this] { std::filesystem::create_directories(folder_ + "taken.txt"); }, "a folder in the way");
  gui_test::click(SAVE_REPORT);
  gui_test::answer_file_dialog(from_utf8(folder_ + "taken.txt"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::click(CANCEL);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  const auto& boxes = gui_test::requesters();
  ASSERT_GE(boxes.size(), 2u);
  EXPECT_EQ(gui_test::last_requester().title, u"Error!");
  EXPECT_EQ(gui_test::last_requester().text, u"Can't write the file:\n" + from_utf8(folder_ + "taken.txt"));
  const std::string saved = shell_test::read_file(report);
  EXPECT_EQ(saved.rfind("\xEF\xBB\xBF" "AFF Validate V2.2 - 2023-03-21\n", 0), 0u);
  EXPECT_NE(saved.find("\nError: Not found in the .AFF\n"), std::string::npos);
  EXPECT_NE(saved.find("\nErrors found in validation!\n"), std::string::npos);
}

TEST_F(AffValidateWindowTest, EmptyAffHasNothingToProcess) {
  open_aff(u"");
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_window(WINDOW);
  gui_test::click(PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::click(OK);
  show_aff_validate_window(dictionary(), ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Nothing to process.");
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"");
  EXPECT_FALSE(dictionary().list.changed());
}

}  // namespace

namespace {

// Dictionary Tools > AFF Validate rebuilds the cache from the editor's
// current text, then opens the window over it.
TEST_F(AffValidateWindowTest, TheMenuItemOpensItOverTheEditorsText) {
  open_aff(u"SET UTF-8\n");
  gadget_set_text(AFF_EDITOR, u"SET UTF-8\nSFX A Y 1\nSFX A 0 s .\n");  // edited since the cache was built
  gui_test::choose_menu_item(MENU_AFF_VALIDATE);
  wait_loaded(3);
  gui_test::click(PROCESS);
  wait_processed();
  gui_test::run([] {
    EXPECT_TRUE(log_has(u"Flag \"A\" count 1 at line:2"));
    EXPECT_TRUE(log_has(u"No errors found in validation!"));
  }, "the edited text was validated");
  gui_test::click(OK);
  gui_test::wait_window_closed(WINDOW);
  gui_test::close_window(MAIN_WINDOW);
  run_main_loop();
  gui_test::finish();
}

}  // namespace
