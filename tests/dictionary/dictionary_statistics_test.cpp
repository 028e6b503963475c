#include "dictionary/dictionary_statistics.h"

#include "affix/expansion_output.h"
#include "common/long_job.h"
#include "tests/dictionary/dictionary_fixtures.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dictionary_fixtures::doc_of;
using dictionary_fixtures::use_aff;

const std::string kBom = "\xEF\xBB\xBF";

// cat/S gives cat and cats; O'Neil-Smith counts in three rows; 1st starts
// with a digit, which is no capital; /x is never expanded.
class StatisticsTest : public test_support::temp_folder_test {
 protected:
  StatisticsTest() : temp_folder_test("vx_stats_test") {}
  void SetUp() override {
    temp_folder_test::SetUp();
    use_aff("SFX S Y 1\nSFX S 0 s .\n");
    doc_ = doc_of({"O'Neil-Smith", "cat/S\tpo:noun", "/x", "1st"});
    stats_ = compute_dictionary_statistics(doc_, test_cache, u",", host_);
    ASSERT_FALSE(stats_.aborted);
    ASSERT_EQ(stats_.total, 4);
  }
  list_document doc_;
  dictionary_statistics stats_;
  headless_long_job_host host_;
};

TEST_F(StatisticsTest, CountsEveryTypeAndLetter) {
  const int64_t types[] = {1, 1, 1, 0, 0, 2, 1, 0};
  for (int row = 0; row < STATISTICS_TYPE_ROWS; ++row)
    EXPECT_EQ(statistics_type_count(stats_, row), types[row]) << row;
  EXPECT_EQ(statistics_letter_count(stats_, 0), 1);         // "1st"
  EXPECT_EQ(statistics_letter_count(stats_, 3), 2);         // c
  EXPECT_EQ(statistics_letter_count(stats_, 'o' - 96), 1);  // O'Neil-Smith
  EXPECT_EQ(statistics_type_row(stats_, 5, u","), u"3 characters long:\n2\n50");
  EXPECT_EQ(statistics_letter_row(stats_, 0, u","), u"#/other\n1\n25");
  EXPECT_EQ(host_.status.rfind(u"OK. \u231a", 0), 0u) << to_utf8(host_.status);
}

// A description written after a space (fr.dic) is no part of the forms.
TEST(StatisticsPass, DescriptionsAfterASpaceAreNotCounted) {
  use_aff("SFX S Y 1\nSFX S 0 s .\n");
  const list_document doc = doc_of({"cat/S po:nom is:mas", "Lyon po:npr is:inv", "- po:ponc"});
  headless_long_job_host host;
  const dictionary_statistics stats = compute_dictionary_statistics(doc, test_cache, u",", host);
  ASSERT_EQ(stats.total, 4);
  const int64_t types[] = {0, 1, 1, 1, 0, 1, 2, 0};  // -, cat, cats and Lyon by their lengths
  for (int row = 0; row < STATISTICS_TYPE_ROWS; ++row) EXPECT_EQ(statistics_type_count(stats, row), types[row]) << row;
  EXPECT_EQ(list_entries_of_statistic_type(doc, test_cache, stats, 2, host).rows, std::vector<text_t>{u"Lyon\n2\n1"});
}

TEST(StatisticsPercentage, TwoDecimalsWholeWithoutThem) {
  EXPECT_EQ(statistics_percentage(1, 2), u"50");
  EXPECT_EQ(statistics_percentage(1, 3), u"33.33");
  EXPECT_EQ(statistics_percentage(2, 3), u"66.67");
  EXPECT_EQ(statistics_percentage(0, 0), u"0");  // every entry skipped
}

// Counted and listed by one and the same test: "1st" is in neither.
TEST_F(StatisticsTest, CapitalRowListsWhatItCounts) {
  headless_long_job_host host;
  const auto listing = list_entries_of_statistic_type(doc_, test_cache, stats_, 2, host);
  EXPECT_EQ(listing.rows, std::vector<text_t>{u"O'Neil-Smith\n1\n1"});
  ASSERT_FALSE(
      export_forms_of_statistic_type(doc_, test_cache, stats_, 2, word_annotation::plain, tpath("caps.txt"), host).write_failed);
  EXPECT_EQ(read_bytes("caps.txt"), kBom + "O'Neil-Smith\n");
  // A word whose first unit is a digit or punctuation is no capital either way.
  use_aff("SFX S Y 1\nSFX S 0 s .\n");
  EXPECT_TRUE(preview_forms_of_statistic_type(test_cache, u"1st", 2).empty());
  EXPECT_TRUE(preview_forms_of_statistic_type(test_cache, u"-ab", 2).empty());
  EXPECT_EQ(preview_forms_of_statistic_type(test_cache, u"\u00c9t\u00e9", 2), std::vector<text_t>{u"\u00c9t\u00e9 (Primary)"});
}

TEST_F(StatisticsTest, LengthRowsListTheFormsOfExactlyThatLength) {
  headless_long_job_host host;
  EXPECT_EQ(list_entries_of_statistic_type(doc_, test_cache, stats_, 5, host).rows,
            (std::vector<text_t>{u"cat/S\n2\n1", u"1st\n4\n1"}));
  EXPECT_EQ(list_entries_of_statistic_type(doc_, test_cache, stats_, 6, host).rows, std::vector<text_t>{u"cat/S\n2\n1"});
  EXPECT_TRUE(list_entries_of_statistic_type(doc_, test_cache, stats_, 3, host).rows.empty());
  EXPECT_EQ(preview_forms_of_statistic_type(test_cache, doc_.entry(1), 6), std::vector<text_t>{u"cats Flag:S (Primary:cat)"});
}

TEST_F(StatisticsTest, ExtractionWithFlagsAndAbortKeepingTheOldFile) {
  headless_long_job_host host;
  ASSERT_FALSE(export_forms_of_statistic_type(doc_, test_cache, stats_, 6, word_annotation::with_origin, tpath("four.txt"), host)
                   .write_failed);
  EXPECT_EQ(read_bytes("four.txt"), kBom + "cats Flag:S (Primary:cat)\n");
  write_bytes("old.txt", "old");
  host.escape_at_poll = host.polls + 1;
  EXPECT_TRUE(export_forms_of_statistic_type(doc_, test_cache, stats_, 5, word_annotation::plain, tpath("old.txt"), host).aborted);
  EXPECT_EQ(read_bytes("old.txt"), "old");
  EXPECT_TRUE(
      export_forms_of_statistic_type(doc_, test_cache, stats_, 5, word_annotation::plain, tpath("missing/x.txt"), host).write_failed);
}

TEST_F(StatisticsTest, ExportText) {
  const std::string expected =
      "Total wordlist:4\n\nWORDS:\n"
      "            With ':1 (25%)\n"
      "       With Hyphen:1 (25%)\n"
      "Starting uppercase:1 (25%)\n"
      " 1 characters long:0 (0%)\n"
      " 2 characters long:0 (0%)\n"
      " 3 characters long:2 (50%)\n"
      " 4 characters long:1 (25%)\n"
      " 5 characters long:0 (0%)\n"
      "\nReference Value:\n3\nNew Words:\n1 / Date:2026-01-02 03:04:05\n"
      "\nLETTERS:\n#/other:1 (25%)\n      a:0 (0%)\n      b:0 (0%)\n      c:2 (50%)\n";
  const text_t text = statistics_export_text(stats_, u"3", u"New:1 / Date:2026-01-02 03:04:05", u",");
  EXPECT_EQ(to_utf8(text).substr(0, expected.size()), expected);
  EXPECT_NE(to_utf8(text).find("\n      o:1 (25%)\n      p:0 (0%)\n"), std::string::npos);
  EXPECT_TRUE(to_utf8(text).ends_with("      z:0 (0%)\n"));
  const text_t blank = statistics_export_text(stats_, u"", u"", u",");
  EXPECT_NE(to_utf8(blank).find("Reference Value:\nN/A\nNew Words:\nN/A\n"), std::string::npos);
  ASSERT_TRUE(write_statistics_export(tpath("stats.txt"), text));
  EXPECT_EQ(read_bytes("stats.txt"), kBom + to_utf8(text));
  EXPECT_FALSE(write_statistics_export(tpath("missing/stats.txt"), text));
}

TEST_F(StatisticsTest, PieChartSectorsAndNoteOver100) {
  const pie_chart chart = statistics_pie_chart(stats_);
  // 25 + 25 + 25 + 50 + 25 = 150 %: the sectors stop at the full turn.
  EXPECT_TRUE(chart.over_100);
  ASSERT_EQ(chart.sectors.size(), 4u);
  EXPECT_DOUBLE_EQ(chart.sectors[0].start, 0.0);
  EXPECT_DOUBLE_EQ(chart.sectors[0].end, 0.25);
  EXPECT_EQ(chart.sectors[0].colour, statistics_type_colours[0]);
  EXPECT_DOUBLE_EQ(chart.sectors[3].start, 0.75);
  EXPECT_DOUBLE_EQ(chart.sectors[3].end, 1.0);
  EXPECT_EQ(chart.sectors[3].colour, statistics_type_colours[5]);

  // Under 100 %: the rest of the turn is black.
  use_aff("");
  headless_long_job_host host;
  const dictionary_statistics few =
      compute_dictionary_statistics(doc_of({"abcdefg", "hijklmn", "xy"}), test_cache, u",", host);
  ASSERT_EQ(few.total, 3);
  const pie_chart low = statistics_pie_chart(few);
  EXPECT_FALSE(low.over_100);
  ASSERT_EQ(low.sectors.size(), 2u);
  EXPECT_EQ(low.sectors[0].colour, statistics_type_colours[4]);
  EXPECT_NEAR(low.sectors[0].end, 0.3333, 1e-4);
  EXPECT_EQ(low.sectors[1].colour, 0);
  EXPECT_DOUBLE_EQ(low.sectors[1].end, 1.0);
}

TEST(StatisticsWarning, LimitComparesNumbers) {
  struct row {
    int64_t count, limit;
    bool warns;
  } rows[] = {
      {2500000, 2000000, true},
      {999999, 1000000, false},  // "999,999" would sort after "1,000,000"
      {1000000, 1000000, true},
      {5, 0, false},  // 0: never
  };
  for (const row& r : rows) EXPECT_EQ(statistics_export_needs_warning(r.count, r.limit), r.warns) << r.count;
}

TEST_F(StatisticsTest, RememberFileAndNewWords) {
  ASSERT_TRUE(write_statistics_remember(tpath("remember.prefs"), u"1000", u"Last Remember:2026-01-02 03:04:05"));
  EXPECT_EQ(read_bytes("remember.prefs"), "41\n1000\nLast Remember:2026-01-02 03:04:05\n");
  EXPECT_EQ(statistics_new_words_text(2500, 1000, u"2026-01-02 03:04:05", u","),
            u"New:1,500 / Date:2026-01-02 03:04:05");
}

TEST(StatisticsPass, AbortLeavesNoResult) {
  use_aff("SFX S Y 1\nSFX S 0 s .\n");
  headless_long_job_host host;
  host.escape_at_poll = 1;
  EXPECT_TRUE(compute_dictionary_statistics(doc_of({"a/S", "b/S"}), test_cache, u",", host).aborted);
  EXPECT_EQ(host.status, u"Aborted.");
}

}  // namespace
