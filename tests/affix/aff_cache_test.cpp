#include "affix/aff_cache.h"
#include "affix_test_util.h"
#include "common/format.h"

#include <gtest/gtest.h>

namespace {

int hook_calls = 0;
void count_hook(int, int64_t) { ++hook_calls; }

TEST(AffCache, RebuildsOnlyWhenTheTextChanged) {
  invalidate_aff_decode_cache(test_cache);
  hook_calls = 0;
  const text_t aff = u"SFX A Y 1\nSFX A 0 s .\n";
  EXPECT_TRUE(rebuild_aff_decode_cache(test_cache, aff, count_hook));
  EXPECT_EQ(hook_calls, 2);  // start and end
  EXPECT_FALSE(rebuild_aff_decode_cache(test_cache, aff, count_hook));
  EXPECT_EQ(hook_calls, 2);  // nothing touched, not even the status
  EXPECT_TRUE(rebuild_aff_decode_cache(test_cache, aff + u"# edit\n"));
  invalidate_aff_decode_cache(test_cache);
  EXPECT_TRUE(rebuild_aff_decode_cache(test_cache, aff + u"# edit\n"));
  EXPECT_EQ(aff_cache_status_text(1, 65000), u"OK. \u231A01m05s");
  EXPECT_EQ(aff_cache_status_text(0, 0), u"Optimising .AFF decode cache... \u231A00m00s");
  // An emptied editor gives empty tables and cleared special flags.
  use_aff("KEEPCASE K\nSFX A Y 1\nSFX A 0 s .\n");
  EXPECT_TRUE(rebuild_aff_decode_cache(test_cache, u""));
  EXPECT_EQ(test_cache.aff_suffix_set_count, 0);
  EXPECT_EQ(test_cache.aff_keepcase_flag, u"");
  EXPECT_EQ(test_cache.aff_has_keepcase, 0);
}

TEST(AffCache, FlagModeFromItsOwnLine) {
  struct { const char* aff; int64_t mode; } cases[] = {
      {"SET UTF-8\n", FLAG_MODE_CHAR},
      {"FLAG UTF-8\n", FLAG_MODE_CHAR},
      {"FLAG long\n", FLAG_MODE_LONG},
      {"FLAG num\nFLAG long\n", FLAG_MODE_NUM},
      {"FLAG\tlong\n", FLAG_MODE_LONG},
      // A comment or a longer word never switches the mode.
      {"# not FLAG num really\n", FLAG_MODE_CHAR},
      {"# FLAG long\nSFX A Y 1\nSFX A 0 s .\n", FLAG_MODE_CHAR},
      {"FLAGS long\n", FLAG_MODE_CHAR},
      {"SFX A Y 1\nSFX A 0 s .\nFLAG long\n", FLAG_MODE_LONG},
  };
  for (const auto& c : cases) {
    use_aff(c.aff);
    EXPECT_EQ(test_cache.aff_flag_mode, c.mode) << c.aff;
  }
}

TEST(AffCache, HeaderIndexSummaryAndPosition) {
  // Nine lines of 21 units put the header of line 10 at character 190.
  std::string aff;
  for (int i = 0; i < 9; ++i) aff += "# twenty units here.\n";
  aff += "SFX A Y 3\nSFX A 0 s .\nSFX A 0 es s\nSFX A y ies y\n";
  use_aff(aff);
  EXPECT_EQ(test_cache.aff_rule_set_index, text_t(u"SFX A Y") + u'\x01');
  EXPECT_EQ(test_cache.aff_rule_set_summary, text_t(u"SFX Y A 10 3") + u'\x01');
  ASSERT_EQ(test_cache.aff_rule_set_offsets.size(), 2u);
  EXPECT_EQ(test_cache.aff_rule_set_offsets[1], 190);
  EXPECT_EQ(test_cache.aff_cache_text.substr(189, 5), u"SFX A");
  EXPECT_EQ(test_cache.aff_rule_set_declared_counts[1], 3);
  EXPECT_EQ(test_cache.aff_rule_lines[1][2], u"SFX A 0 es s");
  EXPECT_EQ(test_cache.aff_rule_set_at_position[1], 1);
  EXPECT_EQ(test_cache.aff_max_rules_per_set, 3);
  const auto& rule = test_cache.sets[1].rules[2];
  EXPECT_EQ(rule.strip, u"y");
  EXPECT_EQ(rule.affix, u"ies");
  EXPECT_EQ(rule.condition, u"y");
}

TEST(AffCache, TabsRunsOfSpacesAndCarriageReturns) {
  use_aff("SFX\tA  Y   1\r\nSFX A 0   s/B\t.\r\n");
  ASSERT_EQ(test_cache.sets.size(), 2u);
  ASSERT_EQ(test_cache.sets[1].rules.size(), 1u);
  const auto& rule = test_cache.sets[1].rules[0];
  EXPECT_EQ(rule.affix, u"s");
  EXPECT_EQ(rule.continuation, u"B");
  EXPECT_EQ(rule.condition, u".");
}

TEST(AffCache, CountSwallowsTheNextHeader) {
  use_aff("SFX A Y 2\nSFX A 0 s .\nPFX B Y 1\nPFX B 0 un .\n");
  EXPECT_EQ(test_cache.aff_suffix_set_count, 1);
  EXPECT_EQ(test_cache.aff_prefix_set_count, 0);
  EXPECT_EQ(test_cache.aff_rule_lines[1][2], u"PFX B Y 1");
}

TEST(AffCache, AliasLinesWhateverTheirFirstField) {
  use_aff("AF 3\nAF AB\nxx CD\nAF\nSFX A Y 1\nSFX A 0 s .\n");
  ASSERT_EQ(test_cache.aff_alias_count, 3);
  EXPECT_EQ(test_cache.aff_alias_flags[1], u"AB");
  EXPECT_EQ(test_cache.aff_alias_flags[2], u"CD");
  EXPECT_EQ(test_cache.aff_alias_flags[3], u"");
  // A count beyond the file is clamped to the lines that remain.
  use_aff("SFX A Y 1\nSFX A 0 s .\nAF 100000000000\nAF AB\n");
  EXPECT_EQ(test_cache.aff_alias_count, 1);
  use_aff("SFX A Y 1\nSFX A 0 s .\nAF -4\n");
  EXPECT_EQ(test_cache.aff_alias_count, 0);
}

TEST(AffCache, StopsAfterTheLastKeywordLine) {
  // "SFX" occurs only in the header of a set without rules: the AF line
  // below is never reached.
  use_aff("SFX A Y 0\nAF 1\nAF AB\n");
  EXPECT_EQ(test_cache.aff_suffix_set_count, 1);
  EXPECT_EQ(test_cache.aff_alias_count, 0);
}

TEST(AffCache, SpecialFlagsFromTheirOwnLines) {
  use_aff("# KEEPCASE is tricky\nKEEPCASE k\nNEEDAFFIX ()\nFORBIDDENWORD !\nNOSUGGEST -\nCOMPLEXPREFIXES\n"
          "# with CIRCUMFIX flag\nNOSUGGEST x\n");
  EXPECT_EQ(test_cache.aff_keepcase_flag, u"k");
  EXPECT_EQ(test_cache.aff_has_keepcase, 1);
  EXPECT_EQ(test_cache.aff_needaffix_flag, u"()");
  EXPECT_EQ(test_cache.aff_has_needaffix, 1);
  EXPECT_EQ(test_cache.aff_forbiddenword_flag, u"!");
  EXPECT_EQ(test_cache.aff_nosuggest_flag, u"-");  // the first line of a keyword counts
  EXPECT_EQ(test_cache.aff_complex_prefixes, 1);
  EXPECT_EQ(test_cache.aff_has_circumfix, 0);
  EXPECT_EQ(test_cache.aff_circumfix_flag, u"");
  EXPECT_EQ(test_cache.aff_suffix_set_count + test_cache.aff_prefix_set_count, 0);
  use_aff("KEEPCASEX k\n CIRCUMFIX c\nCOMPLEXPREFIXES2\n");
  EXPECT_EQ(test_cache.aff_has_keepcase, 0);
  EXPECT_EQ(test_cache.aff_has_circumfix, 0);
  EXPECT_EQ(test_cache.aff_complex_prefixes, 0);
}

TEST(AffCache, ACommentNamingCircumfixDoesNotHideTheRealOne) {
  // A comment above the real line used to make "flag" the circumfix flag,
  // so words carrying the real one were emitted.
  use_aff("# Affixes with CIRCUMFIX flag may be on a word\nCIRCUMFIX f\nSFX A Y 2\nSFX A 0 s/f .\nSFX A 0 t .\n");
  EXPECT_EQ(test_cache.aff_circumfix_flag, u"f");
  EXPECT_EQ(derived_of("walk/A"), (std::vector<std::string>{"walk", "walkt"}));
}

TEST(AffCache, FlagLookupFindsYBeforeN) {
  use_aff("SFX A N 1\nSFX A 0 x .\nSFX A Y 1\nSFX A 0 y .\nPFX A N 1\nPFX A 0 z .\n");
  int32_t f = test_cache.find_flag(u"A");
  ASSERT_GE(f, 0);
  EXPECT_EQ(test_cache.flags[f].suffix_set, 2);
  EXPECT_TRUE(test_cache.flags[f].suffix_cross);
  EXPECT_EQ(test_cache.flags[f].prefix_set, 3);
  EXPECT_FALSE(test_cache.flags[f].prefix_cross);
  EXPECT_EQ(test_cache.find_flag(u"B"), -1);
  EXPECT_EQ(test_cache.find_flag(u""), -1);
}

TEST(FlagStrings, CountAndGetByMode) {
  use_aff("FLAG long\n");
  EXPECT_EQ(count_affix_flags_in_mode(u"AaBbC", test_cache.aff_flag_mode), 3);
  EXPECT_EQ(text_t(affix_flag_view(u"AaBbC", 3, test_cache.aff_flag_mode)), u"C");
  EXPECT_EQ(text_t(affix_flag_view(u"AaBbC", 2, test_cache.aff_flag_mode)), u"Bb");
  EXPECT_EQ(text_t(affix_flag_view(u"AaBbC", 4, test_cache.aff_flag_mode)), u"");
  use_aff("FLAG num\n");
  EXPECT_EQ(count_affix_flags_in_mode(u"12,7,", test_cache.aff_flag_mode), 3);
  EXPECT_EQ(text_t(affix_flag_view(u"12,7,", 3, test_cache.aff_flag_mode)), u"");
  EXPECT_EQ(text_t(affix_flag_view(u"12,7,", 2, test_cache.aff_flag_mode)), u"7");
  EXPECT_EQ(count_affix_flags_in_mode(u"", test_cache.aff_flag_mode), 1);
  use_aff("");
  EXPECT_EQ(count_affix_flags_in_mode(u"ABC", test_cache.aff_flag_mode), 3);
  EXPECT_EQ(text_t(affix_flag_view(u"ABC", 0, test_cache.aff_flag_mode)), u"");
  EXPECT_EQ(text_t(affix_flag_view(u"ABC", 2, test_cache.aff_flag_mode)), u"B");
}

}  // namespace

namespace {

// The text the cache reads is built in one pass: it must be what the
// steps it replaces give (TABs as spaces, spaces collapsed with no space
// at the very end, a line end added, CR LF and lone CRs as LF).
TEST(AffCache, ReadTextIsTheCollapsedTextWithItsLineEndsAsLf) {
  const text_t texts[] = {
      u"",
      u" ",
      u"\t \t",
      u"SFX A Y 1\nSFX A 0 s .\n",
      u"  SFX\t\tA  Y 1 \r\nSFX A 0 s . \r\n",
      u"a\r\r\nb\rc\n\r",
      u"x \r",
      u"x\r \n",
      u"PFX\t\u00e9 Y 1\rPFX \u00e9 0 re .  ",
  };
  for (const text_t& t : texts) {
    text_t tabs(t);
    for (char16_t& u : tabs)
      if (u == u'\t') u = u' ';
    const text_t expected = normalise_line_endings(collapse_spaces(tabs) + u"\r\n");
    invalidate_aff_decode_cache(test_cache);
    rebuild_aff_decode_cache(test_cache, t);
    EXPECT_EQ(test_cache.aff_cache_text, expected) << to_utf8(t);
  }
}

// Flags of one and two units are found through small tables, others by
// their text; flags no set names are not found, in every mode.
TEST(AffCache, FindsEveryFlagAndNoOther) {
  use_aff("FLAG long\nSFX Aa Y 1\nSFX Aa 0 s .\nSFX \u00e9\u00e9 Y 1\nSFX \u00e9\u00e9 0 x .\n"
          "PFX \u4e00\u4e01 Y 1\nPFX \u4e00\u4e01 0 y .\nSFX Ab Y 1\nSFX Ab 0 z/Zz .\n");
  for (const char16_t* f : {u"Aa", u"\u00e9\u00e9", u"\u4e00\u4e01", u"Ab", u"Zz"}) {
    const int32_t i = test_cache.find_flag(f);
    ASSERT_GE(i, 0) << to_utf8(f);
    EXPECT_EQ(test_cache.flags[static_cast<size_t>(i)].flag, f);
  }
  for (const char16_t* f : {u"Ac", u"aA", u"A", u"\u00e9", u"\u4e00", u"Aaa", u""})
    EXPECT_EQ(test_cache.find_flag(f), -1) << to_utf8(f);
  use_aff("SFX \u00fc Y 1\nSFX \u00fc 0 s .\nSFX \u4e00 Y 1\nSFX \u4e00 0 t .\n");
  EXPECT_GE(test_cache.find_flag(u"\u00fc"), 0);
  EXPECT_GE(test_cache.find_flag(u"\u4e00"), 0);
  EXPECT_EQ(test_cache.find_flag(u"\u4e01"), -1);
  EXPECT_EQ(test_cache.find_flag(u"A"), -1);
  EXPECT_EQ(aff_decode_cache().find_flag(u"A"), -1);
  EXPECT_EQ(aff_decode_cache().find_flag(u"AB"), -1);
}

// The rules a word's anchored end unit selects come from a table for units
// below 256 and from a search above: both give the rules that demand the
// unit, in rule order, and none for a unit no rule demands.
TEST(AffCache, RulesByAnchorUnitFromTheTableAsFromTheSearch) {
  use_aff("SFX A Y 7\nSFX A 0 s y\nSFX A y ies [^aeiou]y\nSFX A 0 e \u00e9\nSFX A 0 x \u0436\n"
          "SFX A 0 z [ab]\nSFX A 0 w .\nSFX A \u00e9 v \u00e9\n");
  const aff_rule_set_record& set = test_cache.sets[static_cast<size_t>(
      test_cache.flags[static_cast<size_t>(test_cache.find_flag(u"A"))].suffix_set)];
  ASSERT_FALSE(set.low_unit_group.empty());
  auto rules = [](std::pair<const uint32_t*, const uint32_t*> range) {
    return std::vector<uint32_t>(range.first, range.second);
  };
  for (char16_t u = 0; u < 0x500; ++u)
    EXPECT_EQ(rules(set.rules_anchored_at(u)), rules(set.rules_anchored_at_searched(u))) << int(u);
  EXPECT_EQ(rules(set.rules_anchored_at(u'y')), (std::vector<uint32_t>{0, 1}));
  EXPECT_EQ(rules(set.rules_anchored_at(u'\u00e9')), (std::vector<uint32_t>{2, 6}));
  EXPECT_EQ(rules(set.rules_anchored_at(u'\u0436')), (std::vector<uint32_t>{3}));
  EXPECT_TRUE(rules(set.rules_anchored_at(u'a')).empty());
}

}  // namespace
