// Start-up, the main loop's exit question and popup step, and the
// main-window host of long jobs.
#include "tests/app/shell_gui_support.h"

#include "app/last_update_check.h"
#include "app/main_loop.h"
#include "app/program_commands.h"
#include "common/date_time.h"
#include "common/file.h"
#include "gui/gui.h"
#include "kit/base_folder.h"
#include "kit/command_registry.h"
#include "kit/ids.h"
#include "kit/main_job_host.h"
#include "kit/main_window_hooks.h"

#include <unistd.h>

using shell_test::ShellTest;

class StartupTest : public ShellTest {};

TEST_F(StartupTest, EmptyBaseFolderCreatesSettingsAndOpensPreferencesFirst) {
  int update_checks = 0;
  auto register_commands = [&] {
    register_program_commands(ws_);
    register_automatic_update_check([&](update_check_start) { ++update_checks; });
  };
  // The Preferences window comes before the main loop; closing it lets
  // start-up go on.
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::close_window(PREFERENCES_WINDOW);
  ASSERT_EQ(start_program(from_utf8(folder_ + "vocabrix"), ws_.prefs, ws_.aff_aid, ws_.commands.kinds, register_commands), 1);
  gui_test::finish();
  EXPECT_EQ(base_folder(), from_utf8(folder_));
  EXPECT_EQ(file_size_by_path(from_utf8(folder_ + "settings")), -2);
  EXPECT_FALSE(ws_.prefs.file_loaded);
  EXPECT_FALSE(ws_.prefs.first_apply);
  EXPECT_TRUE(window_exists(MAIN_WINDOW));
  // No settings were found, so no update check runs.
  EXPECT_EQ(update_checks, 0);
  register_automatic_update_check(nullptr);
}

TEST_F(StartupTest, ValidPreferencesSkipTheGate) {
  start_with_valid_prefs();
  gui_test::finish();
  EXPECT_TRUE(ws_.prefs.file_loaded);
  EXPECT_TRUE(ws_.prefs.first_apply);
  EXPECT_FALSE(window_exists(PREFERENCES_WINDOW));
}

TEST_F(StartupTest, PrefsOfAnotherVersionAreReportedBeforePreferences) {
  std::filesystem::create_directories(folder_ + "settings");
  shell_test::write_file(folder_ + "settings/kwx4.prefs", "40\n1280\xC3\x97" "600\n");
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u".prefs file invalid.");
  }, "status text");
  gui_test::close_window(PREFERENCES_WINDOW);
  ASSERT_EQ(start_program(from_utf8(folder_ + "vocabrix"), ws_.prefs, ws_.aff_aid, ws_.commands.kinds, [this] { register_program_commands(ws_); }), 1);
  gui_test::finish();
  EXPECT_EQ(gui_test::requesters().front().title, u"Error!");
  EXPECT_EQ(gui_test::requesters().front().text,
            u"The .prefs file is invalid.\n\nMaybe it is from a different version of\nVocabrix.");
}

// A settings file far larger than its format can need is not read: start-up
// says so and goes on with that file's defaults.
TEST_F(StartupTest, AnOversizedSettingsFileIsReportedAndItsDefaultsApply) {
  shell_test::write_valid_prefs(folder_);
  const std::string exceptions = folder_ + "settings/-ize-ise_exceptions.txt";
  shell_test::write_file(exceptions, "*mine*\n");
  ASSERT_EQ(truncate(exceptions.c_str(), 52 << 20), 0);
  gui_test::answer_message_box(MB_ANSWER_OK);
  ASSERT_EQ(start_program(from_utf8(folder_ + "vocabrix"), ws_.prefs, ws_.aff_aid, ws_.commands.kinds, [this] { register_program_commands(ws_); }), 1);
  gui_test::finish();
  ASSERT_FALSE(gui_test::requesters().empty());
  EXPECT_EQ(gui_test::requesters().front().title, u"Warning!");
  EXPECT_EQ(gui_test::requesters().front().text,
            u"A settings file is larger than it can be and was not read: its defaults apply.\n\nFile:" +
                from_utf8(exceptions));
  EXPECT_TRUE(ws_.prefs.file_loaded);
  EXPECT_EQ(ws_.gbza.exceptions_text, builtin_ise_ize_exceptions());
}

TEST_F(StartupTest, UpdateCheckRunsOnlyWhenDue) {
  // Weekly checks; the stored last check decides.
  preferences_kwx4 p = default_preferences();
  p.check_for_updates = u"weekly";
  shell_test::write_valid_prefs(folder_, p);
  struct row {
    int64_t seconds_ago;
    int runs;
  };
  for (const row r : {row{604800 - 60, 0}, row{604800 + 60, 1}}) {
    SCOPED_TRACE(r.seconds_ago);
    int runs = 0, automatic = -1;
    // The program's commands, with the check itself replaced: nothing here
    // may reach the network.
    auto register_commands = [&] {
      register_program_commands(ws_);
      register_automatic_update_check([&](update_check_start start) {
        ++runs;
        automatic = start == update_check_start::automatic ? 1 : 0;
      });
    };
    const int64_t last = date_now() - r.seconds_ago;
    std::string bytes(8, '\0');
    for (int i = 0; i < 8; ++i) bytes[i] = static_cast<char>((static_cast<uint64_t>(last) >> (8 * i)) & 255);
    shell_test::write_file(folder_ + "settings/last_update_check.txt", bytes);
    ASSERT_EQ(start_program(from_utf8(folder_ + "vocabrix"), ws_.prefs, ws_.aff_aid, ws_.commands.kinds, register_commands), 1);
    EXPECT_EQ(runs, r.runs);
    if (r.runs) {
      EXPECT_EQ(automatic, 1);
    }
    // Start-up itself stores nothing: only a check that reached the site does.
    EXPECT_EQ(shell_test::read_file(folder_ + "settings/last_update_check.txt"), bytes);
    window_close(MAIN_WINDOW);
  }
  register_automatic_update_check(nullptr);
  gui_test::finish();
}

class MainLoopTest : public ShellTest {};

TEST_F(MainLoopTest, CloseWithoutChangesEndsAtOnce) {
  start_with_valid_prefs();
  gui_test::close_window(MAIN_WINDOW);
  run_main_loop();
  gui_test::finish();
  EXPECT_EQ(exit_requested, 1);
  EXPECT_TRUE(gui_test::requesters().empty());
}

TEST_F(MainLoopTest, ExitQuestionListsTheChangedDocumentsAndOnlyYesEnds) {
  start_with_valid_prefs();
  bool dictionary_changed = true, autocorrect_changed = true;
  ws_.commands.kinds.dictionary.changed = [&] { return dictionary_changed; };
  ws_.commands.kinds.autocorrect.changed = [&] { return autocorrect_changed; };
  int passes_after_no = 0;
  // No keeps running; a box closed without an answer keeps the work too.
  gui_test::close_window(MAIN_WINDOW);
  gui_test::answer_message_box(MB_ANSWER_NO);
  gui_test::run([&] { passes_after_no = exit_requested == 0 ? 1 : 0; }, "still running after No");
  gui_test::close_window(MAIN_WINDOW);
  gui_test::answer_message_box(MB_ANSWER_CLOSED);
  gui_test::run([&] { EXPECT_EQ(exit_requested, 0); }, "still running after a closed box");
  gui_test::close_window(MAIN_WINDOW);
  gui_test::answer_message_box(MB_ANSWER_YES);
  run_main_loop();
  gui_test::finish();
  EXPECT_EQ(passes_after_no, 1);
  EXPECT_EQ(exit_requested, 1);
  ASSERT_EQ(gui_test::requesters().size(), 3u);
  const auto& box = gui_test::requesters()[0];
  EXPECT_EQ(box.title, u"Warning!");
  EXPECT_EQ(box.flags, MB_YES_NO | MB_ICON_INFORMATION);
  EXPECT_EQ(box.text,
            u"The following files have been changed:\n  \u2014 Dictionary\n  \u2014 Autocorrect\n\nReally exit?");
}

TEST_F(MainLoopTest, CtrlQAsksTheSameQuestion) {
  start_with_valid_prefs();
  ws_.commands.kinds.thesaurus.changed = [] { return true; };
  gui_test::press_key(MAIN_WINDOW, key_ctrl('Q'));
  gui_test::answer_message_box(MB_ANSWER_YES);
  run_main_loop();
  gui_test::finish();
  ASSERT_EQ(gui_test::requesters().size(), 1u);
  EXPECT_EQ(gui_test::requesters()[0].text,
            u"The following files have been changed:\n  \u2014 Thesaurus\n\nReally exit?");
}

TEST_F(MainLoopTest, PopupItemsActOnceOnTheListTheyWereOpenedOn) {
  start_with_valid_prefs();
  std::vector<int> owners;
  int copies = 0;
  register_command(command_kind::popup_item, POPUP_EDIT, [&](const command_event& e) { owners.push_back(e.owner); });
  register_command(command_kind::popup_item, POPUP_COPY_WORD, [&](const command_event&) { ++copies; });

  // Rows to click on (the documents behind them do not matter here).
  gadget_add_item(THESAURUS_LIST, -1, u"1\ncat|1\n(noun)|feline");
  gadget_add_item(HYPHENATION_RESULTS, -1, u"cat\n1\nc1at");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_THESAURUS);
  gui_test::right_click_row(THESAURUS_LIST, 0);
  gui_test::choose_menu_item(POPUP_EDIT);
  // Passes that fetch nothing must not repeat the item.
  for (int i = 0; i < 5; ++i) gui_test::run([] {}, "an empty pass");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_HYPHENATION);
  gui_test::right_click_row(HYPHENATION_RESULTS, 0);
  gui_test::choose_menu_item(POPUP_COPY_WORD);
  for (int i = 0; i < 5; ++i) gui_test::run([] {}, "an empty pass");
  gui_test::run([] { EXPECT_EQ(popup_owner_gadget, 0); }, "owner cleared");
  gui_test::close_window(MAIN_WINDOW);
  run_main_loop();
  gui_test::finish();
  EXPECT_EQ(owners, (std::vector<int>{THESAURUS_LIST}));
  EXPECT_EQ(copies, 1);
  register_command(command_kind::popup_item, POPUP_EDIT, nullptr);
  register_command(command_kind::popup_item, POPUP_COPY_WORD, nullptr);
}

TEST_F(MainLoopTest, AffEditorTakesTheListKeysWhileFocused) {
  start_with_valid_prefs();
  gui_test::focus(AFF_EDITOR);
  gui_test::wait_until([] { return list_shortcuts_active == 0; }, "shortcuts removed");
  gui_test::click(DICTIONARY_GO_TOP);
  gui_test::wait_until([] { return list_shortcuts_active == 1; }, "shortcuts back");
  gui_test::close_window(MAIN_WINDOW);
  run_main_loop();
  gui_test::finish();
}

TEST_F(MainLoopTest, LastListColumnsAreWidenedToTheWindow) {
  start_with_valid_prefs();
  gui_test::run([] {
    for (int list : {DICTIONARY_LIST, THESAURUS_LIST, AUTOTEXT_LIST, GRAMMAR_LIST}) {
      const int last = gadget_get_attribute(list, ATTR_COLUMN_COUNT) - 1;
      EXPECT_EQ(gadget_get_item_attribute(list, last, ITEM_ATTR_COLUMN_WIDTH), 1320) << list;
    }
  }, "widened");
  gui_test::close_window(MAIN_WINDOW);
  run_main_loop();
  gui_test::finish();
}

class MainJobHostTest : public ShellTest {};

TEST_F(MainJobHostTest, EscapeAsksAndYesAbortsWithTheTimerRemoved) {
  start_with_valid_prefs();
  long_job_host& host = main_window_job_host();
  {
    long_job job(host, u"Counting... <ESC> to abort.", 10, true);
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Counting... <ESC> to abort.");
    // No: the job goes on.
    event_post(EVENT_MENU, MAIN_WINDOW, SHORTCUT_ESCAPE);
    gui_test::answer_message_box(MB_ANSWER_NO);
    bool went_on = true;
    for (int i = 0; i < 50 && went_on && gui_test::steps_left() > 0; ++i) went_on = job.step(1);
    EXPECT_TRUE(went_on);
    // Yes stops it.
    event_post(EVENT_MENU, MAIN_WINDOW, SHORTCUT_ESCAPE);
    gui_test::answer_message_box(MB_ANSWER_YES);
    bool stopped = false;
    for (int i = 0; i < 50 && !stopped; ++i) stopped = !job.step(2);
    EXPECT_TRUE(stopped);
    job.abort();
  }
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Aborted.");
  EXPECT_EQ(status_bar_get_progress(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS), 0);
  // The timer is gone: nothing of it is queued any more.
  time_sleep_ms(900);
  for (const auto& e : gui_test::drain_events()) EXPECT_NE(e.type, EVENT_TIMER);
}
