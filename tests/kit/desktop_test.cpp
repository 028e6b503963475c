#include "kit/desktop.h"

#include <gtest/gtest.h>

TEST(ManualUrl, FourSlashesAndTheAnchor) {
  EXPECT_EQ(manual_url(u"/opt/vocabrix/", u"#5.2.5.10.statistics"),
            u"file:////opt/vocabrix/Vocabrix_manual_V40.html#5.2.5.10.statistics");
  EXPECT_EQ(manual_url(u"/opt/vocabrix/", u""), u"file:////opt/vocabrix/Vocabrix_manual_V40.html");
}

TEST(ManualUrl, PercentEncodesWhatAUrlCannotHold) {
  EXPECT_EQ(manual_url(u"/home/a b/", u""), u"file:////home/a%20b/Vocabrix_manual_V40.html");
  // UTF-8 bytes of a non-ASCII folder name, upper-case hexadecimal.
  EXPECT_EQ(manual_url(u"/d\u00E9p\u00F4t/", u"#x"), u"file:////d%C3%A9p%C3%B4t/Vocabrix_manual_V40.html#x");
  EXPECT_EQ(manual_url(u"/a%b[c]/", u""), u"file:////a%25b%5Bc%5D/Vocabrix_manual_V40.html");
}

TEST(UpdateCheck, IntervalsByFrequency) {
  EXPECT_EQ(update_interval_seconds(u"daily"), 86400);
  EXPECT_EQ(update_interval_seconds(u"weekly"), 604800);
  EXPECT_EQ(update_interval_seconds(u"monthly"), 2592000);
  EXPECT_EQ(update_interval_seconds(u"manual"), 0);
  EXPECT_EQ(update_interval_seconds(u"hourly"), 0);
}

TEST(UpdateCheck, DueExactlyWhenTheIntervalHasPassed) {
  const int64_t last = 1'750'000'000;
  EXPECT_FALSE(update_check_due(u"weekly", last + 604799, last));
  EXPECT_TRUE(update_check_due(u"weekly", last + 604800, last));
  EXPECT_FALSE(update_check_due(u"daily", last + 86399, last));
  EXPECT_TRUE(update_check_due(u"monthly", last + 2592000, last));
  EXPECT_FALSE(update_check_due(u"manual", last + 100 * 2592000LL, last));
}
