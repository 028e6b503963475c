#include "app/last_update_check.h"

#include "common/date_time.h"
#include "kit/preferences.h"
#include "tests/test_support/settings_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using last_update_check_test = settings_folder_test;

TEST_F(last_update_check_test, StoresAndLoadsTheTimeOfTheLastCheck) {
  preferences prefs;
  set_default_preferences(prefs);
  const int64_t before = date_now();
  ASSERT_TRUE(save_last_update_check(prefs.record.last_check_updates_time));
  const std::string bytes = read_bytes(settings("last_update_check.txt"));
  ASSERT_EQ(bytes.size(), 8u);
  const int64_t saved = prefs.record.last_check_updates_time;
  EXPECT_GE(saved, before);
  EXPECT_EQ(bytes, le(saved, 8));

  struct load_case {
    const char* what;
    bool present;
    std::string bytes;
    int64_t expected;  // -1: the current time
  };
  const int64_t past = date_make(2024, 1, 2, 3, 4, 5);
  const load_case cases[] = {
      {"stored time", true, le(past, 8), past},
      {"missing", false, "", -1},
      {"empty", true, "", -1},
      {"short", true, le(past, 8).substr(0, 5), -1},
      {"in the future", true, le(date_make(9999, 1, 1, 0, 0, 0), 8), -1},
  };
  for (const load_case& c : cases) {
    std::filesystem::remove(settings("last_update_check.txt"));
    if (c.present) write_bytes(settings("last_update_check.txt"), c.bytes);
    prefs.record.last_check_updates_time = 7;
    const int64_t now = date_now();
    load_last_update_check(prefs.record.last_check_updates_time);
    if (c.expected >= 0) {
      EXPECT_EQ(prefs.record.last_check_updates_time, c.expected) << c.what;
    } else {
      EXPECT_GE(prefs.record.last_check_updates_time, now) << c.what;
      EXPECT_LE(prefs.record.last_check_updates_time, date_now()) << c.what;
    }
  }
}

}  // namespace
