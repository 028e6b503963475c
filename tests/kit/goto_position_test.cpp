#include "kit/goto_position.h"

#include <gtest/gtest.h>

namespace {

TEST(GotoPosition, IndexOfTheConfirmedText) {
  struct {
    const char16_t* text;
    int64_t count, index;
  } cases[] = {
      {u"1", 10, 0}, {u"10", 10, 9}, {u"11", 10, -1}, {u"0", 10, -1},
      {u"", 10, -1}, {u"00007", 10, 6}, {u"99999999", 99999999, 99999998},
  };
  for (const auto& c : cases) EXPECT_EQ(goto_index_for_text(c.text, c.count), c.index) << to_utf8(c.text);
}

TEST(GotoPosition, TitleAndMessageCountWithoutSeparators) {
  EXPECT_EQ(goto_dialog_title(u"words", 1234), u"Goto words position (1:1234)");
  EXPECT_EQ(goto_out_of_range_message(1234), u"Position must be between 1:1234");
}

}  // namespace
