#include "affix/affix_condition.h"
#include "affix_test_util.h"
#include "common/dic_entry.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct condition_case {
  const char16_t* condition;
  condition_anchor anchor;
  const char16_t* word;
  bool expected;
};

// The matcher and the expression both give each case's answer.
template <size_t N>
void expect_cases(const condition_case (&cases)[N]) {
  for (const auto& c : cases) {
    affix_condition cond(c.condition, c.anchor);
    EXPECT_EQ(cond.matches(c.word), c.expected) << to_utf8(c.condition) << " on " << to_utf8(c.word);
    EXPECT_EQ(cond.matches_by_regex(c.word), c.expected) << to_utf8(c.condition) << " on " << to_utf8(c.word);
  }
}

TEST(AffixCondition, MatchesLikeTheAnchoredExpression) {
  const auto S = condition_anchor::suffix, P = condition_anchor::prefix;
  const condition_case cases[] = {
      {u"y", S, u"fly", true},          {u"y", S, u"yes", false},
      {u"[^aeiou]y", S, u"fly", true},  {u"[^aeiou]y", S, u"day", false},
      {u"[^aeiou]y", S, u"y", false},   {u"a.c", P, u"abcd", true},
      {u"a.c", P, u"xabc", false},      {u"[éè]", S, u"café", true},
      {u"[a-c]x", S, u"bx", true},      {u"[a-c]x", S, u"dx", false},  // a range: PCRE's
      {u"[abc", S, u"abc", false},      {u"(ab|cd)", S, u"xcd", true},  // invalid; alternation
      {u"[-a]", S, u"x-", true},        {u"[]a]", S, u"x]", true},
      {u"..", S, u"\U0001F600", false}, {u".", S, u"\U0001F600", true},  // one code point
      {u"[^a]b", S, u"\U0001F600b", true},
  };
  expect_cases(cases);
  EXPECT_TRUE(affix_condition(u"[^aeiou]y", S).is_simple());
  EXPECT_FALSE(affix_condition(u"[a-c]x", S).is_simple());
}

// The unit matcher's tables (a bit per unit below 256, the members above
// kept aside) against PCRE: literal units, dots, sets and negated sets of
// ASCII, Latin-1 and other UTF-16 letters, empty and malformed conditions,
// words holding surrogate pairs or a final line feed.
TEST(AffixCondition, UnitTablesGivePcresAnswer) {
  const auto S = condition_anchor::suffix, P = condition_anchor::prefix;
  const condition_case cases[] = {
      {u"", S, u"", true},                  {u"", P, u"abc", true},
      {u".", S, u"", false},                {u".", P, u"\u0436", true},
      {u"..", S, u"a\u0436", true},        {u"a.", P, u"a\u00FF", true},
      {u"[^ey]", S, u"\u00E9", true},      {u"[^ey]", S, u"key", false},
      {u"[^\u00E9]", S, u"caf\u00E9", false}, {u"[^\u00E9]", S, u"cafe", true},
      {u"[^\u0436]", S, u"\u0436", false}, {u"[^\u0436]", S, u"\u0437", true},
      {u"[^\u0436]", P, u"\u00FF", true},  {u"[\u0436\u0430]", S, u"\u0430", true},
      {u"[\u0436\u0430]", S, u"a", false}, {u"[\u0436\u0430]", S, u"\u0431", false},
      {u"\u03B1\u03B2", P, u"\u03B1\u03B2\u03B3", true}, {u"\u03B1\u03B2", P, u"\u03B1\u03B3", false},
      {u"[a\u0100]b", S, u"\u0100b", true}, {u"[a\u0100]b", S, u"\u0001b", false},
      {u"[\u00DF]", S, u"stra\u00DF", true}, {u"[\u00DF]", S, u"strass", false},
      {u"y", S, u"fly\n", true},            {u"[^y]", S, u"fly\n", true},  // "$" before a final line feed, or the feed
      {u"[^a]", S, u"\U0001F600", true},     {u"[^a]", P, u"\U0001F600x", true},
      {u"a[^b]", P, u"a\U0001F600", true},   {u"[^b]a", S, u"\U0001F600a", true},
      {u"xa", S, u"\U0001F600a", false},     {u"b", S, u"\U0001F600a", false},
      {u"[ab", S, u"xa", false},             {u"a]", S, u"a]", true},  // malformed; "]" alone is literal
      {u"[^]", S, u"x", false},              {u"[]", P, u"x", false},
      {u"[^-]", S, u"a", true},              {u"[^-]", S, u"-", false},
  };
  expect_cases(cases);
  EXPECT_TRUE(affix_condition(u"[^\u0436]", S).is_simple());
  EXPECT_TRUE(affix_condition(u"", S).is_simple());

  // Every condition on every word made of a few telling units, both anchors.
  const char16_t* conditions[] = {u"", u".", u"a", u"[^a]", u"[a\u00E9]", u"[^\u00E9\u0436]", u"\u0436.",
                                  u".[^a]", u"[a\u0436]a", u"a.[^\u00FF]"};
  const text_t units[] = {u"a", u"\u00E9", u"\u00FF", u"\u0436", u"\U0001F600", u"\n", u"b"};
  std::vector<text_t> words{u""};
  for (size_t length = 1; length <= 3; ++length) {
    std::vector<text_t> longer;
    for (const text_t& w : words)
      if (w.size() + 2 >= length)
        for (const text_t& u : units) longer.push_back(w + u);
    words.insert(words.end(), longer.begin(), longer.end());
  }
  for (const char16_t* text : conditions)
    for (auto anchor : {S, P}) {
      affix_condition cond(text, anchor);
      ASSERT_TRUE(cond.is_simple()) << to_utf8(text);
      for (const text_t& w : words)
        ASSERT_EQ(cond.matches(w), cond.matches_by_regex(w)) << to_utf8(text) << " on " << to_utf8(w);
    }
}

// A condition that backtracks exponentially gives up and is no match (on 40
// units it would take PCRE's default limit per test, or hours unbounded);
// conditions that need real work still match.
TEST(AffixCondition, BacktrackingIsBounded) {
  const auto S = condition_anchor::suffix;
  const text_t many_a(40, u'a');
  affix_condition hostile(u"(a|a)*[^a]", S);
  EXPECT_FALSE(hostile.matches(many_a));
  EXPECT_TRUE(hostile.matches(u"aab"));
  EXPECT_TRUE(affix_condition(u"(a|b)*c", S).matches(text_t(30, u'a') + u"bc"));
  // A thousand such rules on one entry end with the primary word alone.
  std::string aff = "SFX A Y 1000\n";
  for (int i = 0; i < 1000; ++i) aff += "SFX A 0 x (a|a)*[^a]\n";
  use_aff(aff);
  EXPECT_EQ(derived_of(std::string(40, 'a') + "/A"), std::vector<std::string>{std::string(40, 'a')});
}

// Words that meet or nearly meet a condition: each member of each class in
// turn, a unit outside each negated class, and words too short.
std::vector<text_t> probe_words(const text_t& condition, condition_anchor anchor) {
  std::vector<std::vector<char16_t>> positions;
  for (size_t i = 0; i < condition.size(); ++i) {
    std::vector<char16_t> choices;
    if (condition[i] == u'[') {
      size_t end = condition.find(u']', i + 1);
      if (end == text_t::npos) return {};
      bool negated = i + 1 < end && condition[i + 1] == u'^';
      for (size_t j = i + 1 + negated; j < end; ++j) choices.push_back(condition[j]);
      if (negated) {
        for (char16_t u : {u'a', u'e', u'x', u'é', u'ß'})
          if (std::find(choices.begin(), choices.end(), u) == choices.end()) {
            choices.insert(choices.begin(), u);
            break;
          }
      }
      i = end;
    } else if (condition[i] == u'.') {
      choices = {u'q', u'é'};
    } else {
      choices = {condition[i], u'z'};
    }
    positions.push_back(choices);
  }
  std::vector<text_t> words;
  for (size_t p = 0; p < positions.size(); ++p)
    for (char16_t u : positions[p]) {
      text_t w;
      for (size_t q = 0; q < positions.size(); ++q) w.push_back(q == p ? u : positions[q][0]);
      words.push_back(anchor == condition_anchor::suffix ? u"ab" + w : w + u"ab");
      words.push_back(w);
      if (w.size() > 1) words.push_back(anchor == condition_anchor::suffix ? w.substr(1) : w.substr(0, w.size() - 1));
    }
  return words;
}

// Every condition of the en_US, de_DE and fr .aff files installed, whichever
// package gave them: the unit matcher gives PCRE's answer on the
// dictionary's own words and on words made to meet each condition. The pair
// is read as the program reads it, so an 8-bit dictionary gives its letters.
TEST(AffixCondition, SameAnswerAsPcreOnTheDebianDictionaries) {
  int files = 0;
  for (const char* name : {"en_US", "de_DE", "fr"}) {
    const std::string dic_path = std::string("/usr/share/hunspell/") + name + ".dic";
    if (!std::filesystem::exists(dic_path)) continue;
    ++files;
    list_document dic;
    text_t aff;
    headless_long_job_host host;
    ASSERT_EQ(load_dictionary_pair(from_utf8(dic_path), host, dic, aff).status, dic_file_status::ok) << name;
    invalidate_aff_decode_cache(test_cache);
    ASSERT_TRUE(rebuild_aff_decode_cache(test_cache, aff)) << name;
    std::vector<text_t> sample;
    for (size_t i = 0; i < dic.entries().size(); i += 97) sample.emplace_back(split_dic_entry(dic.entries()[i]).word);
    ASSERT_GT(sample.size(), 100u) << name;
    int simple = 0;
    for (const affix_condition& c : test_cache.conditions) {
      if (c.is_simple()) ++simple;
      std::vector<text_t> words = sample;
      // Whether it is a suffix or a prefix condition does not matter for
      // the probes: both anchors are tried.
      for (auto anchor : {condition_anchor::suffix, condition_anchor::prefix}) {
        auto more = probe_words(c.text(), anchor);
        words.insert(words.end(), more.begin(), more.end());
      }
      for (const text_t& w : words)
        ASSERT_EQ(c.matches(w), c.matches_by_regex(w)) << name << ": " << to_utf8(c.text()) << " on " << to_utf8(w);
    }
    EXPECT_GT(simple, 0) << name;
  }
  if (files == 0) GTEST_SKIP() << "Debian's hunspell dictionaries are not installed";
}

}  // namespace
