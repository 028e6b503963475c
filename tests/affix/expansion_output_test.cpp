#include "affix/expansion_output.h"
#include "affix_test_util.h"
#include "common/file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using lines = std::vector<std::string>;

// Runs one expansion into a file and returns its lines.
lines file_rows(const std::string& entry, bool csv, bool hyphen_only, const char16_t* tag, int64_t* result) {
  std::string path = "/tmp/vx_affix_output_" + std::to_string(getpid()) + ".txt";
  EXPECT_NE(file_create(1, from_utf8(path)), 0);
  {
    word_file_sink sink(test_cache, 1, csv, hyphen_only, tag);
    expand_entry(test_cache, from_utf8(entry), sink);
    *result = sink.written;
  }
  EXPECT_TRUE(file_close_checked(1));
  std::ifstream in(path, std::ios::binary);
  lines out;
  std::string line;
  while (std::getline(in, line)) out.push_back(line);
  std::remove(path.c_str());
  return out;
}

TEST(HyphenationRows, ListRows) {
  use_aff("SFX A Y 1\nSFX A 0 s .\n");
  std::vector<hyphenation_derived_row> rows;
  hyphenation_rows_sink sink(rows, DEFAULT_ROW_TYPE_COLOURS);
  EXPECT_EQ(expand_entry(test_cache, u"walk/A", sink).rows, 2);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].flag, u"");
  EXPECT_EQ(rows[1].word, u"walks");
  EXPECT_EQ(rows[1].flag, u"A");
  // Counting the rows fills no list.
  row_count_sink counter;
  expand_entry(test_cache, u"walk/A", counter);
  EXPECT_EQ(counter.rows, 2);
  EXPECT_EQ(rows.size(), 2u);
}

// An entry that stands for 160,401 words: a file gets them all, a list
// stops at its row limit and says so.
TEST(HyphenationRows, StopAtTheViewLimit) {
  use_aff(aff_of_many_words());
  row_count_sink counter;
  expand_entry(test_cache, u"w/A", counter);
  EXPECT_EQ(counter.rows, 160401);
  std::vector<hyphenation_derived_row> rows;
  hyphenation_rows_sink sink(rows, DEFAULT_ROW_TYPE_COLOURS);
  expansion_report r = expand_entry(test_cache, u"w/A", sink);
  EXPECT_EQ(rows.size(), DERIVED_ROW_VIEW_LIMIT);
  EXPECT_TRUE(sink.capped);
  EXPECT_TRUE(r.sink_ended);
  EXPECT_FALSE(r.stopped);
}

TEST(WordFile, CsvRows) {
  // The header of set A starts at character 1200; the largest count is 12.
  std::string aff = "#" + std::string(1197, 'x') + "\n";
  aff += "SFX A Y 3\nSFX A 0 x y\nSFX A 0 x y\nSFX A 0 s .\nSFX B Y 12\n";
  for (int i = 0; i < 12; ++i) aff += "SFX B 0 q z\n";
  aff += "SFX C Y 1\nSFX C 0 e\n";
  use_aff(aff);
  ASSERT_EQ(test_cache.aff_rule_set_offsets[1], 1200);
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

TEST(WordFile, WordsAndCompounds) {
  use_aff("SFX A Y 1\nSFX A 0 s .\nPFX P Y 1\nPFX P 0 re- .\n");
  int64_t result = 0;
  EXPECT_EQ(file_rows("do/AP", false, false, u"", &result), (lines{"do", "dos", "re-do", "re-dos"}));
  EXPECT_EQ(result, 4);
  // Words without "-" are neither written nor counted, but still prefixed.
  EXPECT_EQ(file_rows("do/AP", false, true, u"\t#", &result), (lines{"re-do\t#", "re-dos\t#"}));
  EXPECT_EQ(result, 2);
}

TEST(WordArray, StoresAfterTheCallersCount) {
  use_aff("SFX A Y 1\nSFX A 0 s .\n");
  std::vector<text_t> words(3, u"old");
  word_array_sink sink(words, 3, u"<", u">");
  expand_entry(test_cache, u"walk/A", sink);
  EXPECT_EQ(sink.stored, 2);
  ASSERT_GE(words.size(), 5u);
  EXPECT_EQ(words[2], u"old");
  EXPECT_EQ(words[3], u"walk<>");
  EXPECT_EQ(words[4], u"walks<>");
}

TEST(WordStatistics, Counters) {
  use_aff("SFX A Y 2\nSFX A 0 's .\nSFX A 0 -ab .\n");
  word_statistics counts;
  word_statistics_sink counting(&counts);
  counting.entry = 2;
  expand_entry(test_cache, u"Éa/A", counting);
  EXPECT_EQ(counting.words, 3);
  EXPECT_EQ(counts.with_apostrophe, 1);
  EXPECT_EQ(counts.with_hyphen, 1);
  EXPECT_EQ(counts.with_capital, 3);
  EXPECT_EQ(counts.of_length[2], 1);
  EXPECT_EQ(counts.of_length[4], 1);
  EXPECT_EQ(counts.of_length[5], 1);
  EXPECT_EQ(counts.by_first_letter[5], 3);  // É folds to e
  ASSERT_EQ(counts.per_entry.size(), 3u);
  EXPECT_EQ(counts.per_entry[2].apostrophe_forms, 1);
  EXPECT_EQ(counts.per_entry[2].short_form_length, 5);
  // Without counts: counted as words but nothing goes into the statistics.
  counts = {};
  word_statistics_sink not_counting(nullptr);
  expand_entry(test_cache, u"Éa/A", not_counting);
  EXPECT_EQ(not_counting.words, 3);
  EXPECT_EQ(counts.with_capital, 0);
}

TEST(StatisticsLines, MatchingWordsWithAnnotation) {
  use_aff("SFX A Y 2\nSFX A 0 's .\nSFX A 0 -ab .\n");
  std::vector<text_t> lines;
  {
    statistics_lines_sink apostrophes(WORD_TYPE_APOSTROPHE, word_annotation::with_origin, lines);
    expand_entry(test_cache, u"wa/A", apostrophes);
  }
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], u"wa's Flag:A (Primary:wa)");
  lines.clear();
  {
    statistics_lines_sink two_units(WORD_TYPE_LENGTH_1 + 1, word_annotation::plain, lines);
    expand_entry(test_cache, u"wa/A", two_units);
  }
  EXPECT_EQ(lines, std::vector<text_t>{u"wa"});
  lines.clear();
  // Without lines the same text goes to the file, and no line is kept.
  std::string path = "/tmp/vx_affix_mode7_" + std::to_string(getpid()) + ".txt";
  atomic_file out;
  ASSERT_TRUE(out.create(from_utf8(path)));
  {
    statistics_lines_sink hyphens(WORD_TYPE_HYPHEN, word_annotation::with_origin, out);
    expand_entry(test_cache, u"wa/A", hyphens);
  }
  EXPECT_TRUE(lines.empty());
  EXPECT_TRUE(out.commit());
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "wa-ab Flag:A (Primary:wa)\n");
  std::remove(path.c_str());
}

TEST(FirstSuffix, FirstSuffixDerivative) {
  use_aff("PFX P Y 1\nPFX P 0 un .\nSFX A Y 2\nSFX A 0 s x\nSFX A 0 ed .\nSFX A 0 ing .\n");
  first_suffix_sink walk_a;
  expand_entry(test_cache, u"walk/A", walk_a);
  EXPECT_EQ(walk_a.first, u"walked");
  first_suffix_sink walk_p;
  expand_entry(test_cache, u"walk/P", walk_p);
  EXPECT_EQ(walk_p.first, u"");
}

TEST(PadRuleNumber, WidthOfTheLargestCount) {
  struct { int count; const char16_t* expected; } cases[] = {{12, u"07"}, {9, u"7"}, {123456, u"00007"}};
  for (const auto& c : cases) {
    use_aff("SFX A Y " + std::to_string(c.count) + "\n");
    EXPECT_EQ(pad_rule_number(u"7", test_cache.aff_max_rules_per_set), c.expected) << c.count;
  }
}

}  // namespace

namespace {

// The word-list buffer encodes exactly as append_utf8 does, surrogates
// included (a pair as one code point, a lone one as U+FFFD), also after
// text that is already there and across its growth.
TEST(Utf8Buffer, EncodesLikeAppendUtf8) {
  const std::u16string texts[] = {
      u"",
      u"walk",
      u"caf\u00e9",
      u"\u00df\u07ff\u0800\uffff",
      u"\U0001F600x",
      u"a\xD83D",          // a high surrogate at the end
      u"\xDE00" u"b",      // a low one first
      u"x\xD83D" u"y\xDE00\U0001F600\u00e9z",
      std::u16string(5000, u'\u20ac'),
  };
  utf8_buffer all;
  std::string expected_all;
  for (const auto& t : texts) {
    utf8_buffer one;
    one.append(t);
    std::string expected;
    append_utf8(expected, t);
    EXPECT_EQ(std::string(one.data(), one.size()), expected) << expected;
    all.append(t);
    all.push_back('\n');
    expected_all += expected + "\n";
  }
  EXPECT_EQ(std::string(all.data(), all.size()), expected_all);
}

// Words of every length up to twenty units, ASCII or with one or two other
// units (two-byte, three-byte, a surrogate pair) at each position: the groups of
// four and eight ASCII units and the unit-by-unit rest give append_utf8's
// bytes, as text and as lines.
TEST(Utf8Buffer, AsciiGroupsAndTheRestEncodeLikeAppendUtf8) {
  const std::u16string others[] = {u"\u00e9", u"\u20ac", u"\U0001F600"};
  std::vector<std::u16string> words;
  for (size_t length = 0; length <= 20; ++length) {
    std::u16string ascii;
    for (size_t i = 0; i < length; ++i) ascii.push_back(static_cast<char16_t>(u'a' + i % 26));
    words.push_back(ascii);
    for (size_t at = 0; at < length; ++at)
      for (const auto& other : others) {
        words.push_back(ascii.substr(0, at) + other + ascii.substr(at + 1));
        // And a second one three units on.
        if (at + 3 < length) words.push_back(ascii.substr(0, at) + other + ascii.substr(at + 1, 2) + u"\u00fc" + ascii.substr(at + 4));
      }
  }
  utf8_buffer lines;
  std::string expected_lines;
  for (const auto& w : words) {
    utf8_buffer one;
    one.append(w);
    std::string expected;
    append_utf8(expected, w);
    EXPECT_EQ(std::string(one.data(), one.size()), expected) << expected;
    lines.append_line(w);
    expected_lines += expected + "\n";
  }
  EXPECT_EQ(std::string(lines.data(), lines.size()), expected_lines);
}

}  // namespace
