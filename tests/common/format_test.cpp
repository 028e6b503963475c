#include "common/format.h"

#include "common/event_hooks.h"
#include "common/file.h"

#include <gtest/gtest.h>

namespace {

TEST(Format, FileSize) {
  struct Case {
    const char16_t* prefix;
    int64_t size;
    int brackets;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"", 0, 0, u"0 bytes"},
      {u"", 1023, 0, u"1023 bytes"},
      {u"", 1024, 0, u"1.0 kB"},
      {u"", 1048575, 0, u"1024.0 kB"},
      {u"", 1048576, 0, u"1.0 MB"},
      {u"", 1073741823, 0, u"1024.0 MB"},
      {u"", 1073741824, 0, u"1.0 GB"},
      {u"", 5LL * 1024 * 1073741824, 0, u"5120.0 GB"},
      {u"", 500, 1, u"(500 bytes)"},
      {u"aff:", 2048, 1, u"(aff:2.0 kB)"},
      {u"dic:", 1572864, 1, u"(dic:1.5 MB)"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(format_file_size(c.prefix, c.size, c.brackets), c.expected) << c.size;
}

TEST(Format, ElapsedTime) {
  struct Case {
    int64_t ms;
    const char16_t* expected;
  };
  const Case cases[] = {
      {0, u" \u231A00m00s"},
      {999, u" \u231A00m00s"},
      {65000, u" \u231A01m05s"},
      {3600000, u" \u231A01h00m00s"},
      {3599999, u" \u231A59m59s"},
      {86400000 + 3600000, u" \u231A1d01h00m00s"},
      {86400000, u" \u231A1d00h00m00s"},
      {12LL * 86400000 + 61000, u" \u231A12d00h01m01s"},
      {-5, u" \u231A00m00s"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_elapsed_time(u" \u231A", c.ms), c.expected) << c.ms;
  EXPECT_EQ(format_elapsed_time(u"\u231A", 65000), u"\u231A01m05s");
}

TEST(Format, PercentageAndDecimals) {
  struct Case {
    int32_t part, total;
    const char16_t* expected;
  };
  const Case cases[] = {
      {1, 8, u" (12.50%)"},  {1, 4, u" (25%)"},        {0, 10, u" (0%)"},
      {1, 3, u" (33.33%)"},  {2, 3, u" (66.67%)"},     {10, 10, u" (100%)"},
      {1, 0, u" (+Infinity%)"}, {-1, 0, u" (-Infinity%)"}, {0, 0, u" (NaN%)"},
      {2147483647, 1, u" (214748364800%)"},
  };
  for (const auto& c : cases) EXPECT_EQ(format_percentage(c.part, c.total), c.expected) << c.part << "/" << c.total;

  EXPECT_EQ(format_decimal_2(3.0f), u"3");
  EXPECT_EQ(format_decimal_2(2.5f), u"2.50");
  EXPECT_EQ(format_decimal_2(12.0f), u"12");
  EXPECT_EQ(format_decimal_2(100.0f), u"100");
  EXPECT_EQ(format_decimal_2(0.004f), u"0");
}

TEST(Format, LengthRatio) {
  EXPECT_FLOAT_EQ(compute_length_ratio_percent(u"abcd", u"abcdefgh"), 50.0f);
  EXPECT_FLOAT_EQ(compute_length_ratio_percent(u"abcdefgh", u"wxyz"), 50.0f);
  EXPECT_FLOAT_EQ(compute_length_ratio_percent(u"abc", u"xyz"), 100.0f);
  EXPECT_FLOAT_EQ(compute_length_ratio_percent(u"", u"abc"), 0.0f);
  EXPECT_FLOAT_EQ(compute_length_ratio_percent(u"", u""), 100.0f);
}

TEST(Format, FoldAccentsLowercase) {
  struct Case {
    const char16_t* text;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"\u00C4pfel", u"apfel"},             // upper-case A with diaeresis
      {u"\u0152uvre \u0153", u"\u0153uvre \u0153"},  // the ligature has no pair
      {u"\u00E6on", u"aon"},                 // ae ligature folds to one a
      {u"\u00C6", u"a"},
      {u"\u045E", u"y"},                     // Cyrillic short u
      {u"\u040E", u"y"},                     // its capital, through lower-casing
      {u"\u1EC5\u1EC4", u"ee"},
      {u"\u019A\u023D", u"ll"},
      {u"\u0249\u0248", u"jj"},
      {u"\u0141\u00F8\u00D8", u"loo"},
      {u"\u0218\u021A\u0219\u021B", u"stst"},
      {u"Stra\u00DFe", u"stra\u00DFe"},      // sharp s stays
      {u"\u00FF\u0178", u"yy"},
      {u"\u1E83\u1E81\u0175\u1E85", u"wwww"},
      {u"ABC-xyz 123", u"abc-xyz 123"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(fold_accents_lowercase(c.text), c.expected) << to_utf8(c.text);

  // Every table letter folds to a plain letter: 74 pairs in all.
  const text_t accented =
      u"áàäãâåāæăḃçčċćĉḋđďéèëêĕēėễḟģğġíìïîīɉƚłľṁñńňóòöõōøôṗřṡšșṫŧťțúùüûūẃẁŵẅўýỳŷÿž";
  ASSERT_EQ(accented.size(), 74u);
  for (char16_t u : accented) {
    text_t folded = fold_accents_lowercase(text_t(1, u));
    ASSERT_EQ(folded.size(), 1u);
    EXPECT_TRUE(folded[0] >= u'a' && folded[0] <= u'z') << int(u);
  }
  // Surrogates pass through untouched.
  const text_t pair = u"\U0001F600";
  EXPECT_EQ(fold_accents_lowercase(pair), pair);
}

TEST(Format, CollapseSpaces) {
  struct Case {
    const char16_t* text;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"  a     b ", u"a b"},
      {u"a  b   c    d         e", u"a b c d e"},
      {u"a\t\tb", u"a\t\tb"},
      {u" \t a ", u"\t a"},
      {u"     ", u""},
      {u"", u""},
      {u"word", u"word"},
  };
  for (const auto& c : cases) EXPECT_EQ(collapse_spaces(c.text), c.expected) << to_utf8(c.text);
}

int drain_calls = 0;
void count_drain() { ++drain_calls; }

TEST(Format, NormaliseLineEndingsDrainsBetweenSteps) {
  EXPECT_EQ(normalise_line_endings(u"a\r\nb\rc\n\r\n\r"), u"a\nb\nc\n\n\n");
  set_pending_events_drain(count_drain);
  drain_calls = 0;
  EXPECT_EQ(normalise_line_endings(u"x\r\r\ny"), u"x\n\ny");
  EXPECT_EQ(drain_calls, 3);
  set_pending_events_drain(nullptr);
  drain_pending_events();  // no drain installed: nothing happens
  EXPECT_EQ(drain_calls, 3);
}

TEST(Format, QuotedTextAt) {
  const text_t line = u"<w name=\"x\" alt='it''s' open=\"y>";
  struct Case {
    int64_t position;
    const char16_t* expected;
  };
  const Case cases[] = {
      {9, u"x"},   // the first double quote
      {10, u""},   // x is no quote
      {11, u" alt='it''s' open="},  // the closing quote opens the next span
      {17, u"it"},
      {20, u""},   // '' is an empty quote
      {30, u""},   // the last quote has no partner
      {31, u""},
      {0, u""},
      {-3, u""},
      {1000, u""},
  };
  for (const auto& c : cases) EXPECT_EQ(get_quoted_text_at(line, c.position), c.expected) << c.position;
}

TEST(Format, PathParts) {
  struct Case {
    const char16_t* path;
    const char16_t* name;
    const char16_t* folder;
    const char16_t* name_or_na;
    const char16_t* folder_or_default;
  };
  const Case cases[] = {
      {u"/usr/share/hunspell/en_US.dic", u"en_US.dic", u"/usr/share/hunspell/", u"en_US.dic",
       u"/usr/share/hunspell/"},
      {u"en_US.dic", u"en_US.dic", u"", u"en_US.dic", u"none"},
      {u"/home/me/", u"", u"/home/me/", u"n/a", u"/home/me/"},
      {u"", u"", u"", u"n/a", u"none"},
      {u"/", u"", u"/", u"n/a", u"/"},
      {u"a/b.tar.gz", u"b.tar.gz", u"a/", u"b.tar.gz", u"a/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(path_file_name(c.path), c.name) << to_utf8(c.path);
    EXPECT_EQ(path_directory(c.path), c.folder) << to_utf8(c.path);
    EXPECT_EQ(get_file_part_or_na(c.path), c.name_or_na) << to_utf8(c.path);
    EXPECT_EQ(get_path_part_or_default(c.path, u"none"), c.folder_or_default) << to_utf8(c.path);
  }
}

}  // namespace
