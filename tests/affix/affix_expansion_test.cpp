#include "affix/affix_expansion.h"
#include "affix_test_util.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using words = std::vector<std::string>;

struct expansion_case {
  const char* name;
  const char* aff;
  const char* entry;
  words expected;  // in emission order
};

// ctest and failure messages name the case instead of dumping its bytes.
void PrintTo(const expansion_case& c, std::ostream* os) { *os << c.name; }

const char* const PU_AB =
    "PFX P Y 1\nPFX P 0 un .\n"
    "SFX A Y 1\nSFX A 0 ing/B .\n"
    "SFX B Y 1\nSFX B 0 s .\n";
const words PU_AB_WORDS = {"walk", "walking", "walkings", "unwalk", "unwalking", "unwalkings"};

const char* const CIRCUMFIX_AFF =
    "CIRCUMFIX X\n"
    "PFX A Y 1\nPFX A 0 leg/X .\n"
    "PFX B Y 1\nPFX B 0 legesleg/X .\n"
    "SFX C Y 3\nSFX C 0 obb .\nSFX C 0 obb/AX .\nSFX C 0 obb/BX .\n"
    "PFX U Y 1\nPFX U 0 un .\n";

const expansion_case cases[] = {
    {"no_flags", "SFX A Y 1\nSFX A 0 s .\n", "walk", {"walk"}},
    {"suffix", "SFX A Y 1\nSFX A 0 s .\n", "walk/A", {"walk", "walks"}},
    {"suffix_strip_and_condition",
     "SFX B Y 2\nSFX B y ies [^aeiou]y\nSFX B 0 s [aeiou]y\n", "fly/B", {"fly", "flies"}},
    {"suffix_condition_other_branch",
     "SFX B Y 2\nSFX B y ies [^aeiou]y\nSFX B 0 s [aeiou]y\n", "day/B", {"day", "days"}},
    {"strip_not_at_end", "SFX C Y 1\nSFX C y ies .\n", "walk/C", {"walk"}},
    {"prefix", "PFX P Y 1\nPFX P 0 un .\n", "do/P", {"do", "undo"}},
    {"prefix_strip", "PFX L Y 1\nPFX L a l'A a\n", "abc/L", {"abc", "l'Abc"}},
    {"cross_product_y", "PFX P Y 1\nPFX P 0 un .\nSFX A Y 1\nSFX A 0 ing .\n", "do/PA",
     {"do", "doing", "undo", "undoing"}},
    {"cross_product_n_suffix", "PFX P Y 1\nPFX P 0 un .\nSFX A N 1\nSFX A 0 ing .\n", "do/PA",
     {"do", "doing", "undo"}},
    {"twofold_of_n_set_not_prefixed",
     "PFX P Y 1\nPFX P 0 un .\nSFX A N 1\nSFX A 0 ing/B .\nSFX B Y 1\nSFX B 0 s .\n", "walk/AP",
     {"walk", "walking", "walkings", "unwalk"}},
    {"prefix_set_declared_n", "PFX P N 1\nPFX P 0 un .\nSFX A Y 1\nSFX A 0 ing .\n", "do/PA",
     {"do", "doing", "undo"}},
    {"twofold_suffix", PU_AB, "walk/A", {"walk", "walking", "walkings"}},
    {"twofold_suffix_with_prefix", PU_AB, "walk/PA", PU_AB_WORDS},
    {"both_row", "SFX A Y 1\nSFX A 0 er/P .\nPFX P Y 1\nPFX P 0 re .\n", "work/A",
     {"work", "worker", "reworker"}},
    {"circumfix_three_levels", CIRCUMFIX_AFF, "nagy/C",
     {"nagy", "nagyobb", "legnagyobb", "legeslegnagyobb"}},
    // A prefix without CIRCUMFIX takes the root and the suffixes without it,
    // never one that carries it (Hunspell rejects unlegnagyobb).
    {"circumfix_leaves_other_prefixes", CIRCUMFIX_AFF, "nagy/CU",
     {"nagy", "nagyobb", "legnagyobb", "legeslegnagyobb", "unnagy", "unnagyobb"}},
    // A prefix carrying CIRCUMFIX pairs with a suffix that carries it
    // (ge-...-t); alone on the root Hunspell takes it too.
    {"circumfix_through_prefix_continuation", "CIRCUMFIX X\nPFX P Y 1\nPFX P 0 ge/XS .\nSFX S Y 1\nSFX S 0 t/X .\n",
     "mach/P", {"mach", "gemach", "gemacht"}},
    // The entry's own prefix and suffix flags pair in the cross product
    // when both carry CIRCUMFIX or neither does.
    {"circumfix_cross_product",
     "CIRCUMFIX X\nPFX A Y 1\nPFX A 0 leg/X .\nPFX U Y 1\nPFX U 0 un .\n"
     "SFX C Y 1\nSFX C 0 obb/X .\nSFX D Y 1\nSFX D 0 ab .\n",
     "nagy/ACDU", {"nagy", "nagyab", "legnagy", "legnagyobb", "unnagy", "unnagyab"}},
    // A suffix added onto another one pairs with no prefix: only the first
    // suffix's CIRCUMFIX binds.
    {"circumfix_of_twofold_suffix",
     "CIRCUMFIX X\nPFX A Y 1\nPFX A 0 leg/X .\nPFX U Y 1\nPFX U 0 un .\n"
     "SFX K Y 1\nSFX K 0 ik/L .\nSFX L Y 1\nSFX L 0 ul/X .\nSFX G Y 1\nSFX G 0 ig/LX .\n",
     "mo/KGUA", {"mo", "moik", "moikul", "unmo", "unmoik", "unmoikul", "legmo", "legmoig", "legmoigul"}},
    // The CIRCUMFIX flag among the entry's own flags binds nothing.
    {"circumfix_flag_on_entry", "CIRCUMFIX X\nPFX U Y 1\nPFX U 0 un .\n", "fa/XU", {"fa", "unfa"}},
    {"needaffix_on_rule", "NEEDAFFIX X\nSFX A Y 1\nSFX A 0 er/X .\n", "work/A", {"work"}},
    {"needaffix_rule_continuation_still_runs",
     "NEEDAFFIX X\nSFX A Y 1\nSFX A 0 er/XB .\nSFX B Y 1\nSFX B 0 s .\n", "work/A", {"work", "workers"}},
    {"needaffix_on_continuation", "NEEDAFFIX X\nSFX A Y 1\nSFX A 0 er/B .\nSFX B Y 1\nSFX B 0 s/X .\n",
     "work/A", {"work", "worker"}},
    {"needaffix_on_prefix_of_pass", "NEEDAFFIX X\nPFX P Y 1\nPFX P 0 un/X .\n", "do/P", {"do"}},
    // The same rules in every FLAG mode and with AF aliases.
    {"flag_char", PU_AB, "walk/PA", PU_AB_WORDS},
    {"flag_long",
     "FLAG long\nPFX Pp Y 1\nPFX Pp 0 un .\nSFX Aa Y 1\nSFX Aa 0 ing/Bb .\nSFX Bb Y 1\nSFX Bb 0 s .\n",
     "walk/PpAa", PU_AB_WORDS},
    {"flag_num",
     "FLAG num\nPFX 12 Y 1\nPFX 12 0 un .\nSFX 7 Y 1\nSFX 7 0 ing/300 .\nSFX 300 Y 1\nSFX 300 0 s .\n",
     "walk/12,7", PU_AB_WORDS},
    {"flag_utf8",
     "FLAG UTF-8\nPFX é Y 1\nPFX é 0 un .\nSFX ß Y 1\nSFX ß 0 ing/ğ .\nSFX ğ Y 1\nSFX ğ 0 s .\n",
     "walk/éß", PU_AB_WORDS},
    {"af_aliases",
     "AF 2\nAF PA\nAF B\nPFX P Y 1\nPFX P 0 un .\nSFX A Y 1\nSFX A 0 ing/2 .\nSFX B Y 1\nSFX B 0 s .\n",
     "walk/1", PU_AB_WORDS},
    {"af_alias_out_of_range_kept", "AF 1\nAF A\nSFX A Y 1\nSFX A 0 s .\n", "walk/A", {"walk", "walks"}},
    {"af_alias_with_escaped_slash", "AF 1\nAF A\nSFX A Y 1\nSFX A 0 s .\n", "a\\/b/1", {"a/b", "a/bs"}},
    {"affix_zero", "SFX A Y 1\nSFX A y 0 y\n", "happy/A", {"happy", "happ"}},
    {"affix_zero_with_continuation", "SFX A Y 1\nSFX A 0 0/B .\nSFX B Y 1\nSFX B 0 s .\n", "walk/A",
     {"walk", "walk", "walks"}},
    {"invalid_condition_never_matches", "SFX A Y 2\nSFX A 0 s [abc\nSFX A 0 x .\n", "ab/A", {"ab", "abx"}},
    {"empty_condition_matches", "SFX A Y 1\nSFX A 0 s\n", "ab/A", {"ab", "abs"}},
    {"escaped_slash_in_word", "SFX A Y 1\nSFX A 0 s .\n", "a\\/b/A", {"a/b", "a/bs"}},
    {"empty_word", "SFX A Y 1\nSFX A 0 s .\n", "/A", {}},
    {"unknown_flag_skipped", "SFX A Y 1\nSFX A 0 s .\n", "walk/QA", {"walk", "walks"}},
    {"set_without_rules_first", "SFX Z Y 0\nSFX A Y 1\nSFX A 0 s .\n", "walk/ZA", {"walk", "walks"}},
    // A declared count beyond the file is clamped: no empty rules.
    {"count_beyond_file", "SFX A Y 99\nSFX A 0 s .\n", "walk/A", {"walk", "walks"}},
    // The continuation runs only for a rule whose condition matched.
    {"continuation_needs_match", "SFX A Y 1\nSFX A 0 er/B x\nSFX B Y 1\nSFX B 0 s .\n", "work/A", {"work"}},
    // Prefix pass: words it adds are not prefixed again (no un-un-un...).
    {"prefix_pass_ends", "PFX P Y 1\nPFX P 0 un/A .\nSFX A Y 1\nSFX A 0 s .\n", "do/P", {"do", "undo", "undos"}},
    // The N mark of a continuation does not leak into later rules.
    {"no_cross_mark_does_not_leak",
     "PFX P Y 1\nPFX P 0 un .\nSFX A Y 2\nSFX A 0 ing/N .\nSFX A 0 ed .\nSFX N N 1\nSFX N 0 s .\n", "walk/AP",
     {"walk", "walking", "walkings", "walked", "unwalk", "unwalking", "unwalked"}},
    // No row twice: a repeated flag, and two rules making one word.
    {"repeated_flag_once", "SFX A Y 1\nSFX A 0 s .\n", "walk/AA", {"walk", "walks"}},
    {"same_word_two_rules",
     "PFX P Y 1\nPFX P 0 un .\nSFX A Y 2\nSFX A 0 s/B .\nSFX A 0 s/B .\nSFX B Y 1\nSFX B 0 x .\n", "walk/AP",
     {"walk", "walks", "walksx", "walks", "unwalk", "unwalks", "unwalksx"}},
    {"same_word_overlapping_continuations",
     "SFX A Y 2\nSFX A 0 s/P .\nSFX A 0 s/PQ .\nPFX P Y 1\nPFX P 0 un .\nPFX Q Y 1\nPFX Q 0 re .\n", "walk/A",
     {"walk", "walks", "unwalks", "walks", "rewalks"}},
    {"flag_num_empty_flags", "FLAG num\nSFX 7 Y 1\nSFX 7 0 s .\n", "walk/,7,", {"walk", "walks"}},
};

class ExpansionTable : public ::testing::TestWithParam<expansion_case> {};

TEST_P(ExpansionTable, GivesTheDerivedWords) {
  const expansion_case& c = GetParam();
  use_aff(c.aff);
  EXPECT_EQ(derived_of(c.entry), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ExpansionTable, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Expansion, RowTypesAndOrder) {
  use_aff("PFX P Y 1\nPFX P 0 un .\nSFX A Y 1\nSFX A 0 ing .\n");
  EXPECT_EQ(typed_rows_of("do/PA"),
            (words{"Primary do", "Suffix doing", "Prefix undo", "Prefix undoing"}));
  use_aff("SFX A Y 1\nSFX A 0 er/P .\nPFX P Y 1\nPFX P 0 re .\n");
  derived_rows_sink rows;
  EXPECT_EQ(typed_rows_of("work/A", rows), (words{"Primary work", "Suffix worker", "Both reworker"}));
  ASSERT_EQ(rows.rows.size(), 3u);
  EXPECT_EQ(rows.rows[1].origin, u"A");
  EXPECT_EQ(rows.rows[2].origin, u"A\tP");
}

TEST(Expansion, ResultDoesNotDependOnEarlierEntries) {
  use_aff(std::string(CIRCUMFIX_AFF) + "NEEDAFFIX Z\nSFX N N 1\nSFX N 0 s/Z .\n");
  words fresh = derived_of("walk/UN");
  derived_of("nagy/CU");
  derived_of("walk/N");
  EXPECT_EQ(derived_of("walk/UN"), fresh);
  EXPECT_EQ(fresh, (words{"walk", "unwalk"}));
}

TEST(Expansion, UnknownFlagsAreListed) {
  use_aff("SFX A Y 1\nSFX A 0 s/QB .\nSFX B Y 1\nSFX B 0 x .\nKEEPCASE K\n");
  expansion_report r = report_of("walk/AQRK");
  EXPECT_EQ(r.unknown_entry_flags, u"QR");
  EXPECT_EQ(r.unknown_continuation_flags, u"Q");
  EXPECT_TRUE(r.indicators.keepcase);
  use_aff("FLAG num\nSFX 1 Y 1\nSFX 1 0 s .\n");
  EXPECT_EQ(report_of("walk/1,22,33").unknown_entry_flags, u"22,33");
}

TEST(Expansion, SpecialFlagIndicators) {
  use_aff("NOSUGGEST !\nFORBIDDENWORD F\nNEEDAFFIX X\nCIRCUMFIX C\nSFX A Y 1\nSFX A 0 s/X .\n");
  EXPECT_FALSE(report_of("walk").indicators.nosuggest);
  expansion_indicators ind = report_of("walk/!F").indicators;
  EXPECT_TRUE(ind.nosuggest);
  EXPECT_TRUE(ind.forbiddenword);
  EXPECT_FALSE(ind.circumfix_seen);
  ind = report_of("walk/A").indicators;
  EXPECT_TRUE(ind.needaffix);
  EXPECT_TRUE(ind.derived_needaffix);
  ind = report_of("walk/C").indicators;
  EXPECT_TRUE(ind.circumfix_seen);
  EXPECT_FALSE(ind.forbiddenword);
}

TEST(Expansion, TheStopTestEndsIt) {
  use_aff("SFX A Y 3\nSFX A 0 s .\nSFX A 0 x .\nSFX A 0 y .\n");
  int polls = 0;
  derived_rows_sink rows;
  // The flag, rule 1, then rule 2 stops.
  expansion_report r = expand_entry(test_cache, u"walk/A", rows, [&] { return ++polls >= 3; });
  EXPECT_TRUE(r.stopped);
  EXPECT_FALSE(r.sink_ended);
  EXPECT_EQ(rows.rows.size(), 2u);  // walk, walks
  // Without a stop test nothing is asked.
  EXPECT_EQ(derived_of("walk/A").size(), 4u);
}

TEST(Expansion, StopsWhenTheRulesChangeWhileItAsks) {
  use_aff("PFX P Y 1\nPFX P 0 un .\nSFX A Y 3\nSFX A 0 s .\nSFX A 0 x .\nSFX A 0 y .\n");
  derived_rows_sink rows;
  affix_expander expander;
  expansion_report r = expander.expand(test_cache, u"walk/AP", rows, [&expander] {
    rebuild_aff_decode_cache(test_cache, u"SFX B Y 1\nSFX B 0 x .\n");
    // A nested expansion does nothing while the outer one runs.
    row_count_sink nested;
    expander.expand(test_cache, u"walk/B", nested);
    EXPECT_EQ(nested.rows, 0);
    return false;
  });
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(derived_of("walk/B"), (words{"walk", "walkx"}));
}

// Two expanders keep their state apart: one run inside the stop test of the
// other gives its whole entry, and the outer one goes on where it was.
TEST(Expansion, AnotherExpanderRunsWhileOneAsks) {
  use_aff("PFX P Y 1\nPFX P 0 un .\nSFX A Y 2\nSFX A 0 s .\nSFX A 0 ed .\nSFX B Y 1\nSFX B 0 er .\n");
  derived_rows_sink outer_rows;
  affix_expander outer;
  words inner_words;
  const expansion_report& r = outer.expand(test_cache, u"walk/AP", outer_rows, [&] {
    derived_rows_sink inner_rows;
    affix_expander inner;
    inner.expand(test_cache, u"talk/BP", inner_rows);
    inner_words.clear();
    for (const auto& row : inner_rows.rows) inner_words.push_back(to_utf8(row.word));
    return false;
  });
  EXPECT_FALSE(r.stopped);
  EXPECT_EQ(r.root_word, u"walk");
  EXPECT_EQ(inner_words, (words{"talk", "talker", "untalk", "untalker"}));
  words outer_words;
  for (const auto& row : outer_rows.rows) outer_words.push_back(to_utf8(row.word));
  EXPECT_EQ(outer_words, derived_of("walk/AP"));
}

}  // namespace

namespace {

// Broken .aff texts and odd entries: every mode runs to its end without a
// fault (the sanitizers watch), and nothing is emitted twice.
TEST(Expansion, SurvivesBrokenAffTexts) {
  const char* tokens[] = {"SFX", "PFX", "AF", "Y", "N", "0", "1", "3", "999999999999", "-2", "A", "B", "AB",
                          "s", "0/A", "/", "a/B", "[", "[^a]", "x]", ".", "", "y", "\xED\xA0\x80", "é",
                          "CIRCUMFIX", "NEEDAFFIX", "KEEPCASE", "FLAG", "long", "num", "12,", ",", "\\/"};
  const size_t n_tokens = sizeof tokens / sizeof *tokens;
  const char* entries[] = {"a/AB", "ab/A,B", "/A", "a\\/b/BA", "\\/", "x/", "é/AAB", "ab/12,1,", "y/1"};
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8) % 1000; };
  for (int round = 0; round < 300; ++round) {
    std::string aff;
    int lines = 3 + next() % 25;
    const char* kinds[] = {"SFX", "PFX"};
    const char* flags[] = {"A", "B", "AB", "1", "12", ""};
    const char* affixes[] = {"s", "0", "0/A", "a/B", "x/AB", "/", "un/1,12", "é/A"};
    const char* conditions[] = {".", "[^a]", "a", "[", "", "[ab]b", "\xED\xA0\x80"};
    for (int l = 0; l < lines; ++l) {
      switch (next() % 3) {
        case 0:  // a header
          aff += std::string(kinds[next() % 2]) + " " + flags[next() % 6] + " " + (next() % 2 ? "Y" : "N") + " " +
                 std::to_string(int(next() % 6) - 1);
          break;
        case 1:  // a rule
          aff += std::string(kinds[next() % 2]) + " " + flags[next() % 6] + " " + (next() % 3 ? "0" : "a") + " " +
                 affixes[next() % 8] + " " + conditions[next() % 7];
          break;
        default:
          for (int f = 0, fields = next() % 7; f < fields; ++f)
            aff += std::string(f ? " " : "") + tokens[next() % n_tokens];
      }
      aff += next() % 5 ? "\n" : "\r\n";
    }
    use_aff(aff);
    for (const char* e : entries) {
      {
        std::vector<hyphenation_derived_row> list_rows;
        hyphenation_rows_sink list(list_rows, DEFAULT_ROW_TYPE_COLOURS);
        row_count_sink counter;
        std::vector<text_t> words;
        word_array_sink array(words, 0, u"", u"");
        word_statistics counts;
        word_statistics_sink statistics(&counts);
        std::vector<text_t> lines;
        statistics_lines_sink matching(WORD_TYPE_APOSTROPHE, word_annotation::plain, lines);
        first_suffix_sink first;
        for (expansion_sink* each : std::initializer_list<expansion_sink*>{&list, &counter, &array, &statistics,
                                                                           &matching, &first})
          expand_entry(test_cache, from_utf8(e), *each);
      }
      // No row twice.
      derived_rows_sink sink;
      expand_entry(test_cache, from_utf8(e), sink);
      std::vector<std::string> rows;
      for (const auto& r : sink.rows)
        rows.push_back(to_utf8(r.type + u"|" + r.word + u"|" + r.flag + u"|" + r.rule_key + u"|" +
                               string_from_int(r.flag_position)));
      std::sort(rows.begin(), rows.end());
      auto twice = std::adjacent_find(rows.begin(), rows.end());
      EXPECT_TRUE(twice == rows.end()) << "row " << *twice << " twice for " << e << " with\n" << aff;
    }
  }
}

}  // namespace

namespace {

// Every field of every row, and what the report says, as one text.
struct full_rows_sink : expansion_sink {
  std::string rows;
  bool take(const derived_row& r) override {
    rows += std::to_string(static_cast<int>(r.type)) + "|" + to_utf8(r.word) + "|" + to_utf8(r.base) + "|" +
            to_utf8(r.root) + "|" + to_utf8(r.flag) + "|" + std::to_string(r.position) + "|" +
            std::to_string(r.rule_number) + "|" + to_utf8(r.origin_flag) + "|" + to_utf8(r.continuation_flag) + "\n";
    return true;
  }
};

std::string expansion_text(const std::string& entry, bool with_stop_test) {
  full_rows_sink sink;
  int polls = 0;
  const expansion_report r = with_stop_test ? expand_entry(test_cache, from_utf8(entry), sink, [&] {
    ++polls;
    return false;
  })
                                            : expand_entry(test_cache, from_utf8(entry), sink);
  const expansion_indicators& i = r.indicators;
  return sink.rows + "rows " + std::to_string(r.rows) + " root " + to_utf8(r.root_word) + " unknown " +
         to_utf8(r.unknown_entry_flags) + "/" + to_utf8(r.unknown_continuation_flags) + " indicators " +
         std::to_string(i.nosuggest) + std::to_string(i.keepcase) + std::to_string(i.forbiddenword) +
         std::to_string(i.needaffix) + std::to_string(i.derived_needaffix) + std::to_string(i.circumfix) +
         std::to_string(i.circumfix_seen);
}

// Without a stop test the expansion tries only the rules whose strip or
// condition fits the word's end (the decode cache indexes them by that
// unit); with one it tries, and polls after, every rule. Both give the same
// rows in the same order and the same report, whatever the rules: anchored
// and open ones mixed in one set, continuations, CIRCUMFIX and NEEDAFFIX
// marks on rules met or skipped, cross products and sets declared N.
TEST(Expansion, TryingOnlyTheRulesThatFitGivesWhatTryingEveryRuleGives) {
  uint32_t seed = 777;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8) % 1000; };
  const char* strips[] = {"0", "0", "0", "y", "e", "ab", "é", "ay"};
  const char* affixes[] = {"s", "ed", "ies", "un", "é", "0", "x/B", "y/BC", "ab/X", "z/H", "q/K"};
  const char* conditions[] = {".", "y", "[^aeiou]y", "[ae]", "b", "ay", "[^y]", "é", "a.", "[éy]", "", "[^a]b"};
  const char* entries[] = {"ay/ABPK", "bay/AC", "abye/ABCPQ", "éa/AQ", "y/PAX", "ab/KCB", "e/QAP", "yay/HA",
                           "xy/XHAB", "ba/CQ"};
  for (int round = 0; round < 200; ++round) {
    std::string aff = "CIRCUMFIX X\nNEEDAFFIX H\nKEEPCASE K\n";
    const char* sets[] = {"SFX A", "SFX B", "SFX C", "PFX P", "PFX Q"};
    for (const char* set : sets) {
      const int rules = 1 + next() % 8;
      aff += std::string(set) + (next() % 4 ? " Y " : " N ") + std::to_string(rules) + "\n";
      for (int k = 0; k < rules; ++k)
        aff += std::string(set) + " " + strips[next() % 8] + " " + affixes[next() % 11] + " " +
               conditions[next() % 12] + "\n";
    }
    use_aff(aff);
    for (const char* e : entries)
      EXPECT_EQ(expansion_text(e, false), expansion_text(e, true)) << e << " with\n" << aff;
  }
}

}  // namespace

namespace {

// The word and flags of an entry as the dictionary splits it, whether the
// entry is a plain word and flags or holds escapes, blanks, colons or a
// description.
TEST(Expansion, SplitsTheEntryLikeTheDictionary) {
  use_aff("SFX A Y 1\nSFX A 0 s .\n");
  const struct {
    const char* entry;
    words expected;
  } cases[] = {
      {"walk/A", {"walk", "walks"}},
      {"walk", {"walk"}},
      {"walk/", {"walk"}},
      {"/A", {}},
      {"walk/A po:verb", {"walk", "walks"}},
      {"walk/A\npo:verb", {"walk", "walks"}},
      {"walk/A\tpo:verb", {"walk", "walks"}},
      {"walk/A B", {"walk", "walks"}},
      {"a\\/b/A", {"a/b", "a/bs"}},
      {"a\\/b", {"a/b"}},
      {"ab:c/A", {"ab:c", "ab:cs"}},
      {"xx yy:z/A", {"xx"}},
      {"New York/A", {"New York", "New Yorks"}},
      {"caf\xC3\xA9/A", {"caf\xC3\xA9", "caf\xC3\xA9s"}},
      {"w/A/A", {"w", "ws"}},
  };
  for (const auto& c : cases) EXPECT_EQ(derived_of(c.entry), c.expected) << c.entry;
  // The same entries after words of every length up to 17 units: the
  // slash, blanks, colons, backslashes and line feeds land anywhere in and
  // across groups of eight units.
  for (size_t length = 1; length <= 17; ++length) {
    const std::string front(length, 'x');
    for (const auto& c : cases) {
      if (c.entry[0] == '/') continue;
      words expected;
      for (const std::string& w : c.expected) expected.push_back(front + w);
      EXPECT_EQ(derived_of(front + c.entry), expected) << front + c.entry;
    }
  }
}

}  // namespace
