#include "dictionary/derived_rows.h"

#include "affix/aff_cache.h"
#include "affix/expansion_output.h"
#include "tests/affix/affix_test_util.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DerivedRows, RecordsAndKeys) {
  use_aff("SFX A Y 1\nSFX A 0 s .\n");
  derived_rows_sink rows({1, 2, 3, 4});
  expansion_report r = expand_entry(test_cache, u"walk/A", rows);
  EXPECT_EQ(r.rows, 2);
  ASSERT_EQ(rows.rows.size(), 2u);
  const auto& primary = rows.rows[0];
  EXPECT_EQ(primary.type, u"Primary");
  EXPECT_EQ(primary.type_colour, 1);
  EXPECT_EQ(primary.position_key, u"00000000");
  EXPECT_EQ(derived_record_rule_column(primary), u"");
  const auto& suffix = rows.rows[1];
  EXPECT_EQ(suffix.row_index, 1);
  EXPECT_EQ(suffix.word, u"walks");
  EXPECT_EQ(suffix.flag, u"A");
  EXPECT_EQ(suffix.type_colour, 2);
  EXPECT_EQ(suffix.flag_position, 1);
  EXPECT_EQ(suffix.position_key, u"00000001");
  EXPECT_EQ(suffix.rule_key, u"00000001: 0 s .");
  EXPECT_EQ(derived_record_rule_column(suffix), u"1: 0 s .");
  EXPECT_EQ(derived_record_position_column(suffix), u"1");
  // A cleared list takes a new expansion from the start.
  rows.clear();
  expand_entry(test_cache, u"walk", rows);
  EXPECT_EQ(rows.rows.size(), 1u);
}

TEST(DerivedRows, SortByFlagThenRuleNumber) {
  std::string aff = "SFX A Y 10\n";
  for (int i = 1; i <= 10; ++i) aff += "SFX A 0 " + std::string(1, char('a' + i - 1)) + " .\n";
  aff += "SFX B Y 1\nSFX B 0 z .\n";
  use_aff(aff);
  derived_rows_sink sink;
  expand_entry(test_cache, u"w/BA", sink);
  auto& rows = sink.rows;
  ASSERT_EQ(rows.size(), 12u);
  sort_derived_words(rows, 12, 3);
  // Primary (empty flag) first, then A rules 1..10 (rule 10 after 9), then B.
  EXPECT_EQ(rows[0].word, u"w");
  EXPECT_EQ(rows[9].word, u"wi");
  EXPECT_EQ(rows[10].word, u"wj");
  EXPECT_EQ(rows[11].word, u"wz");
  sort_derived_words(rows, 12, 1);
  EXPECT_EQ(rows[1].word, u"wz");
}

// An entry that stands for 160,401 words: the list stops at its row limit
// and says so (listing them all took gigabytes); a new word starts afresh.
TEST(DerivedRows, StopAtTheViewLimit) {
  use_aff(aff_of_many_words());
  derived_rows_sink rows;
  expansion_report r = expand_entry(test_cache, u"w/A", rows);
  EXPECT_EQ(rows.rows.size(), DERIVED_ROW_VIEW_LIMIT);
  EXPECT_TRUE(rows.capped);
  EXPECT_TRUE(r.sink_ended);
  EXPECT_FALSE(r.stopped);
  rows.clear();
  expand_entry(test_cache, u"w/B", rows);
  EXPECT_EQ(rows.rows.size(), 401u);
  EXPECT_FALSE(rows.capped);
}

}  // namespace
