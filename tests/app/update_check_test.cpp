#include "app/update_check.h"

#include "common/http.h"
#include "kit/identity.h"
#include "tests/test_support/loopback_http_server.h"
#include "tests/test_support/settings_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

using test_support::http_reply;
using test_support::loopback_http_server;

// Records what the check shows.
struct recording_view : update_check_view {
  std::vector<std::string> statuses;
  std::vector<int> progress;
  std::vector<std::string> boxes;  // title + "|" + text
  std::vector<update_window_record> windows;

  void show_status(text_view text) override { statuses.push_back(to_utf8(text)); }
  void show_progress(int value) override { progress.push_back(value); }
  int message_box(text_view title, text_view text, int) override {
    boxes.push_back(to_utf8(title) + "|" + to_utf8(text));
    return 6;
  }
  void show_update_window(const update_window_record& w) override { windows.push_back(w); }
  void while_waiting() override {
    ++waits;
    if (std::this_thread::get_id() != caller) waited_elsewhere = true;
    std::this_thread::yield();
  }
  int waits = 0;
  bool waited_elsewhere = false;
  std::thread::id caller = std::this_thread::get_id();
};

// The site's files by path; a path not listed answers 404.
struct site_files {
  std::map<std::string, http_reply> files;
  http_reply operator()(const std::string&, const std::string& path) const {
    auto it = files.find(path);
    return it == files.end() ? test_support::reply("404 Not Found", "not here") : it->second;
  }
};

http_reply file(std::string body) { return test_support::ok_reply(std::move(body)); }

const char* const version_path = "/check_for_updates/vocabrix_version.txt";
const char* const gate_path = "/check_for_updates/vocabrix_history.txt";
const char* const notes_path = "/vocabrix_history.txt";

class UpdateCheckRun : public settings_folder_test {
 protected:
  void SetUp() override {
    settings_folder_test::SetUp();
    if (!http_library_available()) GTEST_SKIP() << "no HTTP client library installed";
    http_set_stall_seconds(1);
  }
  void TearDown() override {
    http_set_stall_seconds(0);
    settings_folder_test::TearDown();
  }
  update_check_outcome run(const site_files& site, int automatic, int connections = 6,
                           const update_check_limits& limits = {}) {
    loopback_http_server server(connections, site);
    return run_update_check_on(from_utf8(server.base()), automatic, last_check, view, limits);
  }
  bool check_time_stored() const { return read_bytes(settings("last_update_check.txt")).size() == 8; }

  recording_view view;
  int64_t last_check = 0;  // the preferences record's time of the last check
};

TEST_F(UpdateCheckRun, SameBuildIsUpToDateAndOnlyAManualCheckSaysSo) {
  for (int automatic : {0, 1}) {
    view = recording_view();
    site_files site{{{version_path, file("4.0\n300\n2025-06-14\n\nv.zip\nn/a\n\n")}}};
    EXPECT_EQ(run(site, automatic), update_check_outcome::up_to_date);
    EXPECT_EQ(view.statuses.back(), "No update available.");
    EXPECT_EQ(view.progress.back(), 0);
    if (automatic) {
      EXPECT_TRUE(view.boxes.empty());
    } else {
      ASSERT_EQ(view.boxes.size(), 1u);
      EXPECT_EQ(view.boxes[0].rfind("Information!|No update available.\n\nYour version is up to date.\n\n\n"
                                    "Last check for updates: ", 0), 0u);
      EXPECT_EQ(view.boxes[0].substr(view.boxes[0].size() - 10), std::string(10, ' '));
    }
    EXPECT_TRUE(check_time_stored());
  }
}

TEST_F(UpdateCheckRun, AnOlderBuildOnTheSiteIsReportedAsOutdatedAndEndsAborted) {
  site_files site{{{version_path, file("3.9\r\n299\r\n2024-01-02\r\nold\r\na\r\nb\r\nc\r\n")}}};
  EXPECT_EQ(run(site, 1), update_check_outcome::site_outdated);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].rfind("Version build data on website is outdated|Your Version:\nV4.0 (beta)\nBuild: 300\n"
                                "Released: 2025-06-14\n\nWebsite Version:\nV3.9 old\nBuild: 299\nReleased: 2024-01-02\n\n\n"
                                "Last check for updates: ", 0), 0u);
  EXPECT_EQ(view.statuses.back(), "Aborted.");
  EXPECT_TRUE(check_time_stored());
}

TEST_F(UpdateCheckRun, ANewerBuildOpensTheWindowWithItsNotesAndLinks) {
  site_files site{{{version_path, file("4.0\n301\n2025-07-01\nfixes\nvocabrix.deb\nn/a\n")},
                   {gate_path, file("gate\n")},
                   {notes_path, file("a\n###END###\nb\n\nc\n")}}};
  EXPECT_EQ(run(site, 1), update_check_outcome::newer_available);
  ASSERT_EQ(view.windows.size(), 1u);
  const update_window_record& w = view.windows[0];
  EXPECT_EQ(w.notes, u"a\nb\n\n");
  EXPECT_EQ(w.site_text, u"V4.0 fixes\nBuild: 301\nReleased: 2025-07-01");
  EXPECT_EQ(w.own_text, u"V4.0 (beta)\nBuild: 300\nReleased: 2025-06-14");
  EXPECT_TRUE(w.same_version);  // image 116
  EXPECT_EQ(w.download_offered, (std::array<bool, 3>{true, false, false}));
  EXPECT_EQ(w.downloads[0], u"vocabrix.deb");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(view.statuses.back(), "OK.");
  EXPECT_TRUE(check_time_stored());
}

TEST_F(UpdateCheckRun, NotesThatCannotBeFetchedAreSaidSoInTheWindowOrInABox) {
  site_files no_notes{{{version_path, file("4.1\n301\nd\n\n\n\n\n")}, {gate_path, file("gate\n")}}};
  EXPECT_EQ(run(no_notes, 0), update_check_outcome::newer_available);
  ASSERT_EQ(view.windows.size(), 1u);
  EXPECT_EQ(view.windows[0].notes, u"Unable to download release notes.");
  EXPECT_FALSE(view.windows[0].same_version);  // image 117

  view = recording_view();
  site_files no_gate{{{version_path, file("4.1\n301\nd\n\n\n\n\n")}}};
  EXPECT_EQ(run(no_gate, 0), update_check_outcome::notes_unavailable);
  EXPECT_TRUE(view.windows.empty());
  EXPECT_EQ(view.boxes, (std::vector<std::string>{"Error!|Unable to download release notes."}));
}

// Whatever goes wrong with the version request, the check reports an error:
// never "up to date" or "outdated", and the time of the last check stays.
TEST_F(UpdateCheckRun, AFailedRequestIsAnErrorAndLeavesTheLastCheckTime) {
  struct Case {
    const char* what;
    http_reply reply;
  } cases[] = {
      {"error status", test_support::reply("500 Internal Server Error", "4.0\n300\n")},
      {"stall", test_support::stalled_reply()},
      {"not a version file", file("<html>captive portal</html>\n")},
      {"empty answer", file("")},
  };
  for (const Case& c : cases) {
    view = recording_view();
    site_files site{{{version_path, c.reply}}};
    EXPECT_EQ(run(site, 1, 2), update_check_outcome::failed) << c.what;
    EXPECT_EQ(view.boxes, (std::vector<std::string>{"Error!|An error occurred while checking for updates."})) << c.what;
    EXPECT_EQ(view.statuses.back(), "An error has occurred.") << c.what;
    EXPECT_FALSE(check_time_stored()) << c.what;
  }
}

TEST_F(UpdateCheckRun, WithoutTheHttpLibraryTheCheckFails) {
  http_set_library_names({"libvx-no-such-http-library.so"});
  EXPECT_EQ(run_update_check_on(u"http://127.0.0.1:1", 0, last_check, view), update_check_outcome::failed);
  http_set_library_names({});
  EXPECT_EQ(view.statuses.back(), "An error has occurred.");
  EXPECT_EQ(view.boxes, (std::vector<std::string>{"Error!|An error occurred while checking for updates.\n\n"
                                                  "No HTTP library (libcurl) is installed."}));
  EXPECT_FALSE(check_time_stored());
}

// Short enough for a test, long enough that a quick file served by the
// loopback site never misses it, however busy the machine.
constexpr int64_t kShortDeadlineMs = 2000;

// A site that drips (2 bytes a second, fast enough never to count as
// stalled), floods or sends a version file past its cap ends the check with
// the error within the deadline; the bounds are made small here so that
// each case takes a short time. The deadline still leaves a loaded machine
// the time to serve a quick file from the loopback site.
TEST_F(UpdateCheckRun, ADrippingOrFloodingSiteEndsTheCheckWithTheError) {
  update_check_limits limits;
  limits.deadline_ms = kShortDeadlineMs;
  limits.version_bytes = 256;
  const std::string version = "4.0\n300\n2025-06-14\n\n\n\n";
  struct Case {
    const char* what;
    http_reply reply;
    update_check_outcome expected;
  } cases[] = {
      {"drip", test_support::dripping_reply(500), update_check_outcome::failed},
      {"flood", test_support::flooding_reply(), update_check_outcome::failed},
      {"flood of headers", test_support::flooding_reply(true), update_check_outcome::failed},
      {"one byte past the cap", file(version + std::string(256 - version.size() + 1, 'x')), update_check_outcome::failed},
      {"exactly the cap", file(version + std::string(256 - version.size(), 'x')), update_check_outcome::up_to_date},
  };
  for (const Case& c : cases) {
    view = recording_view();
    site_files site{{{version_path, c.reply}}};
    EXPECT_EQ(run(site, 1, 2, limits), c.expected) << c.what;
    EXPECT_GT(view.waits, 0) << c.what;
    EXPECT_FALSE(view.waited_elsewhere) << c.what;
    if (c.expected == update_check_outcome::failed) {
      EXPECT_EQ(view.boxes, (std::vector<std::string>{"Error!|An error occurred while checking for updates."})) << c.what;
      EXPECT_EQ(view.statuses.back(), "An error has occurred.") << c.what;
      EXPECT_FALSE(check_time_stored()) << c.what;
    }
  }
}

// The deadline holds for the whole check: after a quick version file, a
// dripping gate or dripping notes use up what is left of it.
TEST_F(UpdateCheckRun, TheDeadlineCoversTheNotesToo) {
  update_check_limits limits;
  limits.deadline_ms = kShortDeadlineMs;
  limits.notes_bytes = 1024;
  const http_reply newer = file("4.1\n301\nd\n\n\n\n\n");
  site_files dripping_gate{{{version_path, newer}, {gate_path, test_support::dripping_reply(500)}}};
  EXPECT_EQ(run(dripping_gate, 0, 6, limits), update_check_outcome::notes_unavailable);
  EXPECT_EQ(view.boxes, (std::vector<std::string>{"Error!|Unable to download release notes."}));

  view = recording_view();
  site_files flooding_notes{{{version_path, newer}, {gate_path, file("gate\n")}, {notes_path, test_support::flooding_reply()}}};
  EXPECT_EQ(run(flooding_notes, 0, 6, limits), update_check_outcome::newer_available);
  ASSERT_EQ(view.windows.size(), 1u);
  EXPECT_EQ(view.windows[0].notes, u"Unable to download release notes.");
}

}  // namespace
