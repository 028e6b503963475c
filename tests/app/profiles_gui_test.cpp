// The File menu's profile commands: the requesters, the boxes and the
// status bar around the profile files.
#include "tests/app/shell_gui_support.h"

#include "app/main_loop.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "tests/test_support/zip_builder.h"

#include <filesystem>
#include <string>

using shell_test::ShellTest;

namespace {

class ProfilesMenuTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    start_with_valid_prefs();
  }
  static void run_loop() {
    gui_test::close_window(MAIN_WINDOW);
    run_main_loop();
    gui_test::finish();
  }
};

TEST_F(ProfilesMenuTest, ExportAddsTheExtensionAndImportRestoresTheSettings) {
  const std::string prefs = folder_ + "settings/kwx4.prefs";
  const std::string exported = shell_test::read_file(prefs);
  gui_test::choose_menu_item(MENU_EXPORT_PROFILE);
  gui_test::answer_file_dialog(from_utf8(folder_ + "mine"));
  gui_test::wait_status_text(MAIN_STATUS_BAR, 0, u"Profile exported.");
  gui_test::run([&] { shell_test::write_file(prefs, "41\nchanged since"); }, "change the settings");
  gui_test::choose_menu_item(MENU_IMPORT_PROFILE);
  gui_test::answer_file_dialog(from_utf8(folder_ + "mine.kwx_profile"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_status_text(MAIN_STATUS_BAR, 0, u"Profile imported.");
  run_loop();
  EXPECT_EQ(gui_test::last_requester().text, u"Profile imported sucessfully.\n\nPlease restart KWX to take effect.");
  EXPECT_EQ(shell_test::read_file(prefs), exported);
}

TEST_F(ProfilesMenuTest, AForeignFileIsRefusedAndACancelledRequesterAborts) {
  shell_test::write_file(folder_ + "other.kwx_profile", "not a zip at all");
  const std::string prefs = shell_test::read_file(folder_ + "settings/kwx4.prefs");
  gui_test::choose_menu_item(MENU_IMPORT_PROFILE);
  gui_test::answer_file_dialog(from_utf8(folder_ + "other.kwx_profile"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_status_text(MAIN_STATUS_BAR, 0, u"Profile incompatible with current KWX.");
  gui_test::choose_menu_item(MENU_EXPORT_PROFILE);
  gui_test::answer_file_dialog(u"");
  gui_test::wait_status_text(MAIN_STATUS_BAR, 0, u"Aborted.");
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), 3u);
  EXPECT_EQ(gui_test::requesters()[1].title, u"Warning!");
  EXPECT_EQ(gui_test::requesters()[1].text, u"Profile incompatible with current KWX.");
  EXPECT_EQ(shell_test::read_file(folder_ + "settings/kwx4.prefs"), prefs);
}

// A profile of a few KiB whose prefs file unpacks to 16 MiB is refused
// with its own message, and the settings stay as they were.
TEST_F(ProfilesMenuTest, AProfileThatUnpacksBeyondASettingsFileIsRefused) {
  test_support::zip_member prefs{"kwx4.prefs", "41\n", int64_t{16} << 20, true};
  shell_test::write_file(folder_ + "bomb.kwx_profile",
                         test_support::make_zip_archive({{"kwx_version_id.txt", "41"}, prefs}));
  const std::string before = shell_test::read_file(folder_ + "settings/kwx4.prefs");
  gui_test::choose_menu_item(MENU_IMPORT_PROFILE);
  gui_test::answer_file_dialog(from_utf8(folder_ + "bomb.kwx_profile"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_status_text(MAIN_STATUS_BAR, 0, u"Profile refused: it holds a file larger than a settings file can be.");
  run_loop();
  EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
  EXPECT_EQ(shell_test::read_file(folder_ + "settings/kwx4.prefs"), before);
}

}  // namespace
