#include "common/date_time.h"

#include <gtest/gtest.h>

#include <time.h>

#include <cstdlib>

namespace {

TEST(DateTime, MasksPrintEachFieldPadded) {
  int64_t d = date_make(2025, 6, 4, 7, 8, 9);
  struct Case {
    const char* mask;
    const char* printed;
  } cases[] = {
      {"%yyyy-%mm-%dd %hh:%ii:%ss", "2025-06-04 07:08:09"},
      {"%dd.%mm.%yy", "04.06.25"},
      {"at %hh%ii, 100%", "at 0708, 100%"},
      {"%y %m %x", "%y %m %x"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(date_format(T(c.mask), d), T(c.printed)) << c.mask;
  EXPECT_EQ(date_format(u"%yyyy", -1), u"");
  EXPECT_EQ(date_format(u"%yyyy-%mm-%dd %hh:%ii:%ss", 0), u"1970-01-01 00:00:00");
  EXPECT_EQ(date_format(u"%yyyy-%mm-%dd %hh:%ii:%ss", date_make(1601, 1, 1, 0, 0, 0)), u"1601-01-01 00:00:00");
  EXPECT_EQ(date_format(u"%yyyy-%mm-%dd %hh:%ii:%ss", date_make(9999, 12, 31, 23, 59, 59)), u"9999-12-31 23:59:59");
}

TEST(DateTime, MakeChecksEveryRange) {
  EXPECT_EQ(date_make(1970, 1, 1, 0, 0, 0), 0);
  EXPECT_EQ(date_make(2025, 6, 14, 0, 0, 1), 1749859201);
  EXPECT_EQ(date_make(2024, 2, 29, 0, 0, 0) + 86400, date_make(2024, 3, 1, 0, 0, 0));
  EXPECT_NE(date_make(2000, 2, 29, 0, 0, 0), -1);
  struct Case {
    int y, mo, d, h, mi, s;
  } bad[] = {
      {1600, 12, 31, 0, 0, 0}, {10000, 1, 1, 0, 0, 0}, {2025, 0, 1, 0, 0, 0}, {2025, 13, 1, 0, 0, 0},
      {2025, 2, 29, 0, 0, 0},  {1900, 2, 29, 0, 0, 0}, {2025, 4, 31, 0, 0, 0}, {2025, 1, 0, 0, 0, 0},
      {2025, 1, 1, 24, 0, 0},  {2025, 1, 1, 0, 60, 0}, {2025, 1, 1, 0, 0, 60}, {2025, 1, 1, -1, 0, 0},
  };
  for (const Case& c : bad)
    EXPECT_EQ(date_make(c.y, c.mo, c.d, c.h, c.mi, c.s), -1) << c.y << "-" << c.mo << "-" << c.d << " " << c.h << ":" << c.mi << ":" << c.s;
}

TEST(DateTime, NowIsTheLocalWallClock) {
  // In a zone two hours east of UTC the value is two hours ahead of UTC.
  const char* old = std::getenv("TZ");
  std::string saved = old ? old : "";
  setenv("TZ", "XXX-2", 1);
  tzset();
  int64_t local = date_now();
  int64_t utc = static_cast<int64_t>(time(nullptr));
  if (old) setenv("TZ", saved.c_str(), 1); else unsetenv("TZ");
  tzset();
  EXPECT_NEAR(static_cast<double>(local - utc), 7200.0, 2.0);
}

TEST(DateTime, ElapsedTimeAndSleep) {
  int64_t start = time_elapsed_ms();
  time_sleep_ms(20);
  EXPECT_GE(time_elapsed_ms() - start, 20);
  time_sleep_ms(0);
  time_sleep_ms(-5);
}

}  // namespace
