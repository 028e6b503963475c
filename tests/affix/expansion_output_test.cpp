#include "affix/expansion_output.h"
#include "affix_test_util.h"
#include "common/file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using lines = std::vector<std::string>;

// Runs one mode-2 expansion into a file and returns its lines.
lines file_rows(const std::string& entry, bool csv, bool hyphen_only, const char16_t* tag, int64_t* result) {
  std::string path = "/tmp/vx_affix_output_" + std::to_string(getpid()) + ".txt";
  EXPECT_NE(file_create(1, from_utf8(path)), 0);
  *result = expand_word_affixes(2, from_utf8(entry), csv, hyphen_only, 0, tag, u"", u"", 0, 0);
  EXPECT_TRUE(file_close_checked(1));
  std::ifstream in(path, std::ios::binary);
  lines out;
  std::string line;
  while (std::getline(in, line)) out.push_back(line);
  std::remove(path.c_str());
  return out;
}

TEST(OutputMode1, HyphenationListRows) {
  use_aff("SFX A Y 1\nSFX A 0 s .\n");
  EXPECT_EQ(expand_word_affixes(1, u"walk/A", 0, 0, 0, u"", u"", u"", 1, 0), 2);
  ASSERT_EQ(hyphenation_derived_rows.size(), 2u);
  EXPECT_EQ(hyphenation_derived_rows[0].flag, u"");
  EXPECT_EQ(hyphenation_derived_rows[1].word, u"walks");
  EXPECT_EQ(hyphenation_derived_rows[1].flag, u"A");
  // Only the Hyphenation tab's list: the word editor's has its own sink.
  hyphenation_derived_rows.clear();
  EXPECT_EQ(expand_word_affixes(1, u"walk/A", 0, 0, 0, u"", u"", u"", 0, 0), 2);
  EXPECT_TRUE(hyphenation_derived_rows.empty());
}

// An entry that stands for 160,401 words: a file gets them all, a list
// stops at its row limit and says so.
TEST(OutputMode1, HyphenationRowsStopAtTheViewLimit) {
  use_aff(aff_of_many_words());
  EXPECT_EQ(expand_word_affixes(3, u"w/A", 0, 0, 0, u"", u"", u"", 0, 0), 160401);
  std::vector<hyphenation_derived_row> rows;
  hyphenation_rows_sink sink(rows);
  expansion_report r = expand_entry(aff_cache, u"w/A", sink);
  EXPECT_EQ(rows.size(), DERIVED_ROW_VIEW_LIMIT);
  EXPECT_TRUE(sink.capped);
  EXPECT_TRUE(r.sink_ended);
  EXPECT_FALSE(r.stopped);
}

TEST(OutputMode2, CsvRows) {
  // The header of set A starts at character 1200; the largest count is 12.
  std::string aff = "#" + std::string(1197, 'x') + "\n";
  aff += "SFX A Y 3\nSFX A 0 x y\nSFX A 0 x y\nSFX A 0 s .\nSFX B Y 12\n";
  for (int i = 0; i < 12; ++i) aff += "SFX B 0 q z\n";
  aff += "SFX C Y 1\nSFX C 0 e\n";
  use_aff(aff);
  ASSERT_EQ(aff_cache.aff_rule_set_offsets[1], 1200);
  int64_t result = 0;
  EXPECT_EQ(file_rows("walk/A", true, false, u"", &result),
            (lines{"\"walk\";\"walk\";\"walk\";\"Primary\";\"\";\"\";\"\"",
                   "\"walk\";\"walks\";\"walk\";\"Suffix\";\"A\";\"1200\";\"03: 0 s .\""}));
  EXPECT_EQ(result, 2);
  // An empty condition leaves no trailing space; quotes are doubled.
  auto rows = file_rows("a\"b/C", true, false, u"", &result);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "\"a\"\"b\";\"a\"\"b\";\"a\"\"b\";\"Primary\";\"\";\"\";\"\"");
  EXPECT_NE(rows[1].find("\"a\"\"be\";\"a\"\"b\";\"Suffix\";\"C\""), std::string::npos) << rows[1];
  EXPECT_NE(rows[1].find(";\"01: 0 e\""), std::string::npos) << rows[1];
}

TEST(OutputMode2, WordsAndCompounds) {
  use_aff("SFX A Y 1\nSFX A 0 s .\nPFX P Y 1\nPFX P 0 re- .\n");
  int64_t result = 0;
  EXPECT_EQ(file_rows("do/AP", false, false, u"", &result), (lines{"do", "dos", "re-do", "re-dos"}));
  EXPECT_EQ(result, 4);
  // Words without "-" are neither written nor counted, but still prefixed.
  EXPECT_EQ(file_rows("do/AP", false, true, u"\t#", &result), (lines{"re-do\t#", "re-dos\t#"}));
  EXPECT_EQ(result, 2);
}

TEST(OutputMode4, StoresAfterTheCallersCount) {
  use_aff("SFX A Y 1\nSFX A 0 s .\n");
  expanded_words.assign(3, u"old");
  expanded_word_count = 3;
  int64_t n = expand_word_affixes(4, u"walk/A", 0, 0, 0, u"", u"<", u">", 0, 0);
  EXPECT_EQ(n, 2);
  ASSERT_GE(expanded_words.size(), 5u);
  EXPECT_EQ(expanded_words[2], u"old");
  EXPECT_EQ(expanded_words[3], u"walk<>");
  EXPECT_EQ(expanded_words[4], u"walks<>");
  expanded_word_count = 0;
}

TEST(OutputMode5, StatisticsCounters) {
  use_aff("SFX A Y 2\nSFX A 0 's .\nSFX A 0 -ab .\n");
  reset_word_statistics();
  statistics_entry_index = 2;
  EXPECT_EQ(expand_word_affixes(5, u"Éa/A", 0, 0, 0, u"", u"", u"", 0, 0), 3);
  EXPECT_EQ(words_with_apostrophe, 1);
  EXPECT_EQ(words_with_hyphen, 1);
  EXPECT_EQ(words_with_capitals, 3);
  EXPECT_EQ(short_word_histogram[2], 1);
  EXPECT_EQ(short_word_histogram[4], 1);
  EXPECT_EQ(short_word_histogram[5], 1);
  EXPECT_EQ(first_letter_histogram[5], 3);  // É folds to e
  ASSERT_EQ(word_type_counters.size(), 3u);
  EXPECT_EQ(word_type_counters[2].apostrophe_forms, 1);
  EXPECT_EQ(word_type_counters[2].short_form_length, 5);
  // csv set: counted as words but nothing goes into the statistics.
  reset_word_statistics();
  EXPECT_EQ(expand_word_affixes(5, u"Éa/A", 1, 0, 0, u"", u"", u"", 0, 0), 3);
  EXPECT_EQ(words_with_capitals, 0);
}

TEST(OutputMode6, MatchingWordsWithAnnotation) {
  use_aff("SFX A Y 2\nSFX A 0 's .\nSFX A 0 -ab .\n");
  statistics_view_lines.clear();
  statistics_word_type = 0;
  statistics_type_filter = 1;
  EXPECT_EQ(expand_word_affixes(6, u"wa/A", 0, 0, 0, u"", u"", u"", 0, 0), 0);
  ASSERT_EQ(statistics_view_lines.size(), 1u);
  EXPECT_EQ(statistics_view_lines[0], u"wa's Flag:A (Primary:wa)");
  statistics_view_lines.clear();
  statistics_word_type = 4;  // two units
  statistics_type_filter = 0;
  expand_word_affixes(6, u"wa/A", 0, 0, 0, u"", u"", u"", 0, 0);
  EXPECT_EQ(statistics_view_lines, std::vector<text_t>{u"wa"});
  statistics_view_lines.clear();
  // Mode 7 writes the same lines to file 1 and also returns 0.
  std::string path = "/tmp/vx_affix_mode7_" + std::to_string(getpid()) + ".txt";
  ASSERT_NE(file_create(1, from_utf8(path)), 0);
  statistics_word_type = 1;
  statistics_type_filter = 1;
  EXPECT_EQ(expand_word_affixes(7, u"wa/A", 0, 0, 0, u"", u"", u"", 0, 0), 0);
  EXPECT_TRUE(file_close_checked(1));
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "wa-ab Flag:A (Primary:wa)\n");
  std::remove(path.c_str());
  statistics_word_type = 0;
  statistics_type_filter = 0;
}

TEST(OutputMode100, FirstSuffixDerivative) {
  use_aff("PFX P Y 1\nPFX P 0 un .\nSFX A Y 2\nSFX A 0 s x\nSFX A 0 ed .\nSFX A 0 ing .\n");
  EXPECT_EQ(expand_word_affixes(100, u"walk/A", 0, 0, 0, u"", u"", u"", 0, 0), 1);
  EXPECT_EQ(crunch_first_derivative, u"walked");
  EXPECT_EQ(expand_word_affixes(100, u"walk/P", 0, 0, 0, u"", u"", u"", 0, 0), 0);
  EXPECT_EQ(crunch_first_derivative, u"");
}

TEST(PadRuleNumber, WidthOfTheLargestCount) {
  struct { int count; const char16_t* expected; } cases[] = {{12, u"07"}, {9, u"7"}, {123456, u"00007"}};
  for (const auto& c : cases) {
    use_aff("SFX A Y " + std::to_string(c.count) + "\n");
    EXPECT_EQ(pad_rule_number(u"7"), c.expected) << c.count;
  }
}

}  // namespace
