#include "affix/flag_helpers.h"
#include "affix_test_util.h"

#include <gtest/gtest.h>

namespace {

struct flag_case {
  const char* aff;  // sets the FLAG mode
  const char16_t* input;
  int64_t has_duplicates;
  const char16_t* without_duplicates;
};

TEST(FlagHelpers, DuplicatesByMode) {
  const flag_case cases[] = {
      {"", u"ABA", 1, u"AB"},
      {"", u"AB", 0, u"AB"},
      {"", u"BAB", 1, u"BA"},
      {"", u"", 0, u""},
      {"FLAG long\n", u"AaBbAa", 1, u"AaBb"},
      {"FLAG long\n", u"AaaB", 0, u"AaaB"},
      {"FLAG num\n", u"12,7,12", 1, u"12,7"},
      {"FLAG num\n", u"12,,7", 0, u"12,7"},  // an empty flag is no flag
      {"FLAG num\n", u",,", 0, u""},
  };
  for (const auto& c : cases) {
    use_aff(c.aff);
    EXPECT_EQ(has_duplicate_flags(test_cache, c.input), c.has_duplicates) << to_utf8(c.input);
    EXPECT_EQ(remove_duplicate_flags(test_cache, c.input), c.without_duplicates) << to_utf8(c.input);
  }
}

TEST(FlagHelpers, MergePutsMissingFlagsInFront) {
  use_aff("");
  EXPECT_EQ(merge_flag_strings(test_cache, u"XY", u"AY"), u"XAY");
  EXPECT_EQ(merge_flag_strings(test_cache, u"AB", u"X"), u"BAX");
  EXPECT_EQ(merge_flag_strings(test_cache, u"", u"X"), u"X");
  use_aff("FLAG num\n");
  EXPECT_EQ(merge_flag_strings(test_cache, u"3,4", u""), u"4,3");
  EXPECT_EQ(merge_flag_strings(test_cache, u"3,,4", u"4,5"), u"3,4,5");
}

// Hundreds of thousands of flags in one string are handled in one pass
// (pairwise checks took minutes): repeats removed, merges, an entry's own
// flags and a rule's continuation flags.
TEST(FlagHelpers, HugeFlagStrings) {
  use_aff("FLAG num\nSFX 1 Y 1\nSFX 1 0 s .\n");
  const int n = 200000;
  std::u16string twice, once, even;
  for (int round = 0; round < 2; ++round)
    for (int i = 1; i <= n / 2; ++i) {
      text_t f = string_from_int(i);
      twice.append(f).push_back(u',');
      if (round == 0) once.append(f).push_back(u',');
      if (round == 0 && i % 2 == 0) even.append(f).push_back(u',');
    }
  twice.pop_back();
  once.pop_back();
  even.pop_back();
  EXPECT_EQ(has_duplicate_flags(test_cache, twice), 1);
  EXPECT_EQ(remove_duplicate_flags(test_cache, twice), once);
  EXPECT_EQ(merge_flag_strings(test_cache, once, once), once);
  text_t merged = merge_flag_strings(test_cache, once, even);
  EXPECT_EQ(count_affix_flags_in_mode(merged, test_cache.aff_flag_mode), n / 2);
  EXPECT_EQ(merged.substr(0, merged.find(u',')), string_from_int(n / 2 - 1));  // the last odd flag first

  EXPECT_EQ(derived_of("walk/" + to_utf8(twice)).size(), 2u);  // walk, walks
  EXPECT_EQ(count_affix_flags_in_mode(report_of("walk/" + to_utf8(twice)).unknown_entry_flags, test_cache.aff_flag_mode),
            n / 2 - 1);

  use_aff("FLAG num\nSFX 1 Y 1\nSFX 1 0 s/" + to_utf8(twice) + " .\n");
  ASSERT_EQ(test_cache.sets.size(), 2u);
  EXPECT_EQ(test_cache.sets[1].rules[0].continuation_flags.size(), static_cast<size_t>(n / 2));
}

TEST(FlagHelpers, ClassifyByTheSetsTheFlagsName) {
  use_aff("KEEPCASE K\nSFX S Y 1\nSFX S 0 s .\nSFX N N 1\nSFX N 0 n .\nPFX P Y 1\nPFX P 0 un .\n"
          "PFX Q N 1\nPFX Q 0 re .\n");
  struct { const char16_t* flags; const char16_t* code; } cases[] = {
      {u"", u"0"}, {u"S", u"1"}, {u"P", u"2"}, {u"Q", u"2"}, {u"SP", u"3"}, {u"NS", u"5"},
      {u"K", u"7"}, {u"KP", u"2"}, {u"XZ", u""}, {u"SN", u"5"},
  };
  for (const auto& c : cases) EXPECT_EQ(classify_word_affixes(test_cache, c.flags), c.code) << to_utf8(c.flags);
  EXPECT_EQ(affix_class_name(u"5"), u"SFX N (only suffixes can be added)");
  EXPECT_EQ(affix_class_name(u""), u"Unknown");
  EXPECT_EQ(affix_class_colour(u"", DEFAULT_ROW_TYPE_COLOURS), 0xFF);
  EXPECT_EQ(affix_class_colour(u"3", DEFAULT_ROW_TYPE_COLOURS), -1);
  use_aff("AF 1\nAF S\nSFX S Y 1\nSFX S 0 s .\n");
  EXPECT_EQ(classify_word_affixes(test_cache, u"1"), u"6");
}

TEST(FlagHelpers, EntryParts) {
  EXPECT_EQ(get_dic_word_part(u"a\\/b/XY"), u"a\\/b");
  EXPECT_EQ(get_dic_word_part(u"walk/XY\npo:verb"), u"walk");
  EXPECT_EQ(get_dic_word_part(u"walk"), u"walk");
  EXPECT_EQ(get_dic_word_part(u"/XY"), u"");
  EXPECT_EQ(get_dic_word_part(u"ab /X"), u"");
  EXPECT_EQ(get_dic_word_part(u"abader/d'q' po:v1 po:infi"), u"abader");
  EXPECT_EQ(get_dic_word_part(u"Paris po:npr st:a /b"), u"Paris");
  EXPECT_EQ(compose_dic_entry(u"walk", u"", u"po:verb"), u"walk\npo:verb");
  EXPECT_EQ(compose_dic_entry(u"walk", u"AB", u""), u"walk/AB");
}

}  // namespace
