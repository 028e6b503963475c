// The update check run from the program: the status bar, its boxes, the
// window of a newer version and its links, against a server on 127.0.0.1.
#include "tests/app/shell_gui_support.h"

#include "app/preferences_window.h"
#include "app/update_window.h"
#include "common/date_time.h"
#include "common/http.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/preferences.h"
#include "tests/test_support/loopback_http_server.h"

#include <algorithm>
#include <map>
#include <string>

using shell_test::ShellTest;
using namespace update_ids;

namespace {

using test_support::http_reply;
using test_support::loopback_http_server;

struct site_files {
  std::map<std::string, http_reply> files;
  http_reply operator()(const std::string&, const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? test_support::reply("404 Not Found", "") : it->second;
  }
};

class UpdateWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
    start_with_valid_prefs();
  }
  void TearDown() override {
    set_update_site_for_test(u"");
    set_update_limits_for_test({});
    ShellTest::TearDown();
  }
};

TEST_F(UpdateWindowTest, ANewerVersionShowsItsWindowAndTheLinksOpenTheSite) {
  site_files site{{{"/check_for_updates/vocabrix_version.txt",
                    test_support::ok_reply("4.1\n310\n2025-09-01\nstable\nvocabrix.deb\nn/a\nvocabrix.tar.xz\n")},
                   {"/check_for_updates/vocabrix_history.txt", test_support::ok_reply("gate\n")},
                   {"/vocabrix_history.txt", test_support::ok_reply("New Find window.\n###END###\nFaster.\n\nOld.\n")}}};
  loopback_http_server server(6, site);
  const text_t base = from_utf8(server.base());
  set_update_site_for_test(base);
  shell_test::recording_opener opener(folder_);

  gui_test::wait_window(UPDATE_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(UPDATE_WINDOW), u"Update available for download!");
    EXPECT_EQ(gadget_get_text(YOUR_VERSION_TEXT), u"V4.0 (beta)\nBuild: 300\nReleased: 2025-06-14");
    EXPECT_EQ(gadget_get_text(NEWEST_VERSION_TEXT), u"V4.1 stable\nBuild: 310\nReleased: 2025-09-01");
    EXPECT_EQ(gadget_get_text(NOTES_TEXT), u"New Find window.\nFaster.\n\n");
    EXPECT_EQ(gadget_get_disabled(DOWNLOAD_LINK_1), 0);
    EXPECT_EQ(gadget_get_disabled(DOWNLOAD_LINK_2), 1);  // "n/a"
    EXPECT_EQ(gadget_get_disabled(DOWNLOAD_LINK_3), 0);
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 1);
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, 0), u"OK.");
  }, "the window");
  gui_test::click(DOWNLOAD_LINK_3);
  opener.wait_for_lines(1);
  gui_test::press_key(UPDATE_WINDOW, KEY_RETURN);  // does nothing
  gui_test::click(YES_BUTTON);  // closes the window
  run_update_check(0, ws_.prefs.record.last_check_updates_time);
  gui_test::finish();
  // The opener runs detached: give it a moment to write its line.
  auto lines = [&] {
    const std::string s = opener.opened();
    return std::count(s.begin(), s.end(), '\n');
  };
  for (int i = 0; i < 3000 && lines() < 2; ++i) time_sleep_ms(20);  // up to a minute on a loaded machine
  EXPECT_EQ(opener.opened(), server.base() + "/kwx_files/vocabrix.tar.xz\n" + server.base() + "/#downloads\n");
  EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  EXPECT_EQ(gadget_exists(UPDATE_WINDOW + 1), 0);
}

TEST_F(UpdateWindowTest, AFailedCheckFromThePreferencesLeavesTheLastCheckTime) {
  site_files site{{{"/check_for_updates/vocabrix_version.txt", test_support::reply("503 Unavailable", "")}}};
  loopback_http_server server(2, site);
  set_update_site_for_test(from_utf8(server.base()));
  ws_.prefs.record.last_check_updates_time = 1000;
  gui_test::wait_window(PREFERENCES_WINDOW);
  gui_test::click(preferences_ids::UPDATE_BUTTON);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_status_text(MAIN_STATUS_BAR, 0, u"An error has occurred.");
  gui_test::run([this] { EXPECT_EQ(ws_.prefs.record.last_check_updates_time, 1000); }, "time kept");
  gui_test::press_key(PREFERENCES_WINDOW, KEY_ESCAPE);
  show_preferences_window(ws_.prefs, ws_.aff_aid, ws_.commands.kinds);
  gui_test::finish();
  ASSERT_FALSE(gui_test::requesters().empty());
  EXPECT_EQ(gui_test::requesters()[0].text, u"An error occurred while checking for updates.");
  EXPECT_FALSE(std::filesystem::exists(folder_ + "settings/last_update_check.txt"));
}

TEST_F(UpdateWindowTest, AManualCheckOfTheSameBuildSaysUpToDate) {
  site_files site{{{"/check_for_updates/vocabrix_version.txt", test_support::ok_reply("4.0\n300\n2025-06-14\n\n\n\n\n")}}};
  loopback_http_server server(2, site);
  set_update_site_for_test(from_utf8(server.base()));
  gui_test::answer_message_box(MB_ANSWER_OK);
  run_update_check(0, ws_.prefs.record.last_check_updates_time);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Information!");
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, 0), u"No update available.");
  EXPECT_EQ(test_support::read_file(folder_ + "settings/last_update_check.txt").size(), 8u);
}

}  // namespace

// While a site drips its answer the main window keeps answering: steps of
// the script run in the main loop during the check. The site hangs up from
// such a step, and the check ends with the error.
TEST_F(UpdateWindowTest, TheWindowKeepsAnsweringWhileTheSiteDrips) {
  site_files site{{{"/check_for_updates/vocabrix_version.txt", test_support::dripping_reply(500)}}};
  loopback_http_server server(2, site);
  set_update_site_for_test(from_utf8(server.base()));
  update_check_limits limits;
  limits.deadline_ms = 60000;  // only the hang-up ends this check
  set_update_limits_for_test(limits);
  bool check_ended = false;
  gui_test::wait_status_text(MAIN_STATUS_BAR, 0, u"Checking for updates...");
  gui_test::run([&] {
    EXPECT_FALSE(check_ended);
    server.hang_up();
  }, "hang up during the check");
  gui_test::answer_message_box(MB_ANSWER_OK);
  run_update_check(0, ws_.prefs.record.last_check_updates_time);
  check_ended = true;
  gui_test::finish();
  ASSERT_FALSE(gui_test::requesters().empty());
  EXPECT_EQ(gui_test::requesters()[0].text, u"An error occurred while checking for updates.");
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, 0), u"An error has occurred.");
}
