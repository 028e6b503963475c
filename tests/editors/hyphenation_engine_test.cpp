#include "editors/hyphenation/hyphenation_engine.h"

#include "common/dic_entry.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"
#include "tests/test_support/installed_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

std::string u8(const text_t& s) { return to_utf8(s); }

// The plain rule the trie must agree with: every occurrence of every
// pattern's letters in the spaced word, values written into gaps only.
hyphenated_word naive_hyphenate(const hyphenation_decode_cache& c, const std::vector<text_t>& lowered_letters,
                                text_view word) {
  text_t w = u". ";
  for (char16_t ch : word) {
    w.push_back(ch);
    w.push_back(u' ');
  }
  w += u". ";
  const text_t lower = string_to_lower(w);
  text_t r = w;
  bool start = false, end = false;
  auto value = [](char16_t ch) { return ch >= u'1' && ch <= u'9' ? ch - u'0' : 0; };
  for (int64_t k = 1; k <= c.pattern_count(); ++k) {
    const text_t& l = lowered_letters[static_cast<size_t>(k)];
    const text_t& d = c.hyphenation_pattern_digits[static_cast<size_t>(k)];
    if (l.empty()) continue;
    for (size_t pos = lower.find(l); pos != text_t::npos; pos = lower.find(l, pos + 1)) {
      if (l.front() == u'.') start = true;
      if (l.back() == u'.') end = true;
      for (size_t m = 0; m < d.size(); ++m) {
        const char16_t ch = d[m];
        const size_t g = pos + m;
        if (g >= r.size() || g % 2 == 0) continue;
        if (ch == u'-') r[g] = u'\n';
        else if (value(ch) > value(r[g]) && r[g] != u'\n') r[g] = ch;
      }
    }
  }
  r = r.substr(2, r.size() - 4);
  const int64_t n2 = static_cast<int64_t>(r.size());
  hyphenated_word out;
  if (start) out.rule += u".";
  for (int64_t i = 0; i < n2; ++i) {
    const char16_t ch = r[static_cast<size_t>(i)];
    if (i % 2 == 0) out.rule.push_back(ch);
    else if (ch == u'\n') out.rule.push_back(u'-');
    else if (ch != u' ') out.rule.push_back(ch);
  }
  if (end) out.rule += u".";
  auto suppress = [&](int64_t pos) {
    const char16_t ch = r[static_cast<size_t>(pos - 1)];
    if (pos % 2 == 0 && (value(ch) > 0 || ch == u'\n')) r = suppress_hyphenation_point(r, pos);
  };
  const int64_t a = std::min(n2, 2 * c.left_hyphen_min - 2);
  for (int64_t pos = 1; pos <= a; ++pos) suppress(pos);
  const int64_t b = std::min(n2, 2 * c.right_hyphen_min - 2);
  for (int64_t pos = n2; pos >= n2 - b && pos >= 1; --pos) suppress(pos);
  for (int64_t i = 0; i < n2; ++i) {
    const char16_t ch = r[static_cast<size_t>(i)];
    if (i % 2 == 0) out.word.push_back(ch);
    else if (ch == u'\n' || (value(ch) % 2 == 1)) out.word.push_back(u'-');
  }
  out.no_matches = out.word == out.rule;
  return out;
}

std::vector<text_t> lowered_letters(const hyphenation_decode_cache& c) {
  std::vector<text_t> out;
  for (const text_t& l : c.hyphenation_pattern_letters) out.push_back(string_to_lower(l));
  return out;
}

hyphenation_decode_cache build(const std::string& rules) {
  hyphenation_decode_cache c;
  headless_long_job_host host;
  EXPECT_EQ(build_hyphenation_decode_cache(c, from_utf8(rules), host), hyphenation_rules_status::ready) << rules;
  return c;
}

struct word_case {
  const char* word;
  const char* hyphenated;
  const char* rule;  // "No matches" when the rule equals the word
};

void expect_words(const std::string& rules, const std::vector<word_case>& cases) {
  const hyphenation_decode_cache c = build(rules);
  for (const word_case& w : cases) {
    const hyphenated_word h = hyphenate_word(c, from_utf8(w.word));
    EXPECT_EQ(u8(h.word), w.hyphenated) << w.word;
    EXPECT_EQ(h.no_matches ? std::string("No matches") : u8(h.rule), w.rule) << w.word;
  }
}

TEST(HyphenationEngine, SplitsPatternLinesIntoLettersAndDigits) {
  const struct {
    const char* line;
    const char* letters;
    const char* digits;
  } cases[] = {{"a1b", "a b", "a1b"},     {"1ab", " a b", "1a b"},      {"ab2", "a b", "a b2"},
               {"a=b", "a b", "a-b"},     {"a12b", "a b", "a2b"},       {".un1", ". u n", ". u n1"},
               {"", "", ""},              {"a0b", "a 0 b", "a 0 b"},    {"12", "", "2"},
               {"4a-", " a", "4a-"}};
  for (const auto& c : cases) {
    const hyphenation_pattern_split s = split_hyphenation_pattern(from_utf8(c.line));
    EXPECT_EQ(u8(s.letters), c.letters) << c.line;
    EXPECT_EQ(u8(s.digits), c.digits) << c.line;
  }
}

TEST(HyphenationEngine, WorkedExample) {
  const std::string rules = "UTF-8\nLEFTHYPHENMIN 2\nRIGHTHYPHENMIN 2\n% comment\nn1n\n1na\n.un1\n";
  const hyphenation_decode_cache c = build(rules);
  EXPECT_EQ(c.pattern_count(), 3);
  EXPECT_EQ(c.left_hyphen_min, 2);
  EXPECT_EQ(c.right_hyphen_min, 2);
  expect_words(rules, {{"unnerve", "un-nerve", ".un1nerve"},
                       {"Banana", "Ba-na-na", "Ba1na1na"},
                       {"dinner", "din-ner", "din1ner"},
                       {"sun", "sun", "No matches"}});
}

TEST(HyphenationEngine, RefusedRulesKeepThePreviousTable) {
  const struct {
    const char* rules;
    hyphenation_rules_status status;
    const char* message;
  } cases[] = {
      {"UTF-8\n", hyphenation_rules_status::no_rules, "No Rules to parse."},
      {"UTF-8 \n \n", hyphenation_rules_status::no_rules, "No Rules to parse."},
      {"UTF-8\nab1c", hyphenation_rules_status::no_final_lf, "Rules must end with an #LF$ (RETURN)"},
      {"utf-8\nab1c\n", hyphenation_rules_status::not_utf8, "Hyphenation rules must start with \"UTF-8\"."},
      {"", hyphenation_rules_status::not_utf8, "Hyphenation rules must start with \"UTF-8\"."},
      {"ISO8859-1\na1b\n", hyphenation_rules_status::not_utf8, "Hyphenation rules must start with \"UTF-8\"."},
  };
  for (const auto& t : cases) {
    hyphenation_decode_cache c = build("UTF-8\nLEFTHYPHENMIN 3\na1b\n");
    headless_long_job_host host;
    EXPECT_EQ(build_hyphenation_decode_cache(c, from_utf8(t.rules), host), t.status) << t.rules;
    ASSERT_EQ(host.messages.size(), 1u) << t.rules;
    EXPECT_EQ(u8(host.messages[0]), t.message);
    EXPECT_EQ(host.starts, 0) << "a refused text starts no job";
    EXPECT_EQ(c.pattern_count(), 1);
    EXPECT_EQ(c.left_hyphen_min, 3);
    EXPECT_EQ(u8(c.hyphenation_rules_snapshot), "UTF-8\nLEFTHYPHENMIN 3\na1b\n");
  }
}

TEST(HyphenationEngine, BuildsOncePerTextAndResetsTheMinima) {
  hyphenation_decode_cache c;
  headless_long_job_host host;
  ASSERT_EQ(build_hyphenation_decode_cache(c, u"UTF-8\r\nLEFTHYPHENMIN 4\r\na1b\r\n", host),
            hyphenation_rules_status::ready);
  EXPECT_EQ(host.starts, 1);
  EXPECT_EQ(u8(host.status), "OK.");
  EXPECT_EQ(u8(c.hyphenation_rules_snapshot), "UTF-8\nLEFTHYPHENMIN 4\na1b\n");
  // The same text (line ends aside) again: nothing parsed, status untouched.
  host.status = u"other";
  ASSERT_EQ(build_hyphenation_decode_cache(c, u"UTF-8\nLEFTHYPHENMIN 4\na1b\n", host),
            hyphenation_rules_status::ready);
  EXPECT_EQ(host.starts, 1);
  EXPECT_EQ(u8(host.status), "other");
  // Deleting the keyword line restores the default at the next build.
  ASSERT_EQ(build_hyphenation_decode_cache(c, u"UTF-8\na1b\n", host), hyphenation_rules_status::ready);
  EXPECT_EQ(host.starts, 2);
  EXPECT_EQ(c.left_hyphen_min, 1);
}

TEST(HyphenationEngine, KeywordAndPatternLines) {
  const hyphenation_decode_cache c =
      build("UTF-8\nLEFTHYPHENMIN  2\nRIGHTHYPHENMIN 4\nCOMPOUNDLEFTHYPHENMIN 9\nCOMPOUNDRIGHTHYPHENMIN 9\n"
            "lefthyphenmin 2\nUTF-8 extra\n\n% note\na1b\n");
  EXPECT_EQ(c.left_hyphen_min, 0) << "two spaces: the second field is empty";
  EXPECT_EQ(c.right_hyphen_min, 4);
  ASSERT_EQ(c.pattern_count(), 3) << "the lower-case keyword and the empty line are patterns";
  EXPECT_EQ(u8(c.hyphenation_pattern_digits[1]), "l e f t h y p h e n m i n  2");
  EXPECT_EQ(u8(c.hyphenation_pattern_letters[2]), "");
  EXPECT_EQ(u8(c.hyphenation_pattern_digits[3]), "a1b");
}

TEST(HyphenationEngine, PatternEdgeCases) {
  // "a12b" and "a2b" are one pattern; "a0b" has three letters.
  expect_words("UTF-8\na12b\na0b\n", {{"xaby", "xaby", "xa2by"}, {"xa0by", "xa0by", "No matches"}});
  expect_words("UTF-8\na0b1\n", {{"xa0by", "xa0b-y", "xa0b1y"}});
  // Overlapping hits all count.
  expect_words("UTF-8\na1a\n", {{"aaaa", "a-a-a-a", "a1a1a1a"}});
  // A forced break beats any digit, in either order; only the minima stop it.
  // (The word then equals its rule text, which reads "No matches".)
  expect_words("UTF-8\nb4c\nab-c\nb5c\n", {{"xabcx", "xab-cx", "No matches"}});
  expect_words("UTF-8\nab=c\nb4c\nc1x\n", {{"xabcx", "xab-c-x", "xab-c1x"}});
  expect_words("UTF-8\nLEFTHYPHENMIN 3\na-b\n", {{"abcd", "abcd", "a-bcd"}});
  // Upper-case words match lower-case patterns and keep their case.
  expect_words("UTF-8\nn1n\n", {{"DINNER", "DIN-NER", "DIN1NER"}});
  // The minima: no piece shorter than them, short words not at all; the
  // rule text keeps the suppressed odd digits.
  expect_words("UTF-8\nLEFTHYPHENMIN 3\nRIGHTHYPHENMIN 2\n1b1\n",
               {{"abababa", "aba-b-a-ba", "a1b1a1b1a1b1a"}, {"abba", "abba", "a1b1b1a"}, {"b", "b", "b1"}});
  // Default minima: only the gap after the last letter is suppressed.
  expect_words("UTF-8\nb1\n", {{"abab", "ab-ab", "ab1ab1"}});
  // An end pattern marks the rule text with "." at that edge.
  expect_words("UTF-8\n1ed.\n", {{"wanted", "want-ed", "want1ed."}});
}

TEST(HyphenationEngine, WordCharactersAreNeverBreaksOrRemoved) {
  // Digits, "-", "." and spaces of the word stay; values go into gaps only.
  expect_words("UTF-8\n1s\np1\n", {{"1st", "1-st", "11st"},
                                   {"MP3", "MP-3", "MP13"},
                                   {"2nd", "2nd", "No matches"},
                                   {"e-mail", "e-mail", "No matches"},
                                   {"New York", "New York", "No matches"},
                                   {"U.K.", "U.K.", "No matches"}});
  // "0" is a pattern letter and matches the word's own "0".
  expect_words("UTF-8\n0a1\n", {{"x0ay", "x0a-y", "x0a1y"}});
}

TEST(HyphenationEngine, HugeMinimaSuppressEverything) {
  expect_words("UTF-8\nLEFTHYPHENMIN 9223372036854775807\nRIGHTHYPHENMIN 9223372036854775807\na1b\n",
               {{"abab", "abab", "a1ba1b"}});
  expect_words("UTF-8\nLEFTHYPHENMIN -9223372036854775807\nRIGHTHYPHENMIN -5\na1b\n",
               {{"abab", "a-ba-b", "a1ba1b"}});
}

// Random patterns and words over a small alphabet (spaces, digits and dots
// included, so hits can fall off the letter positions): the trie and the
// plain rule must agree on every word.
TEST(HyphenationEngine, AgreesWithThePlainRuleOnRandomPatterns) {
  std::mt19937 rng(20240611);
  const char16_t letters[] = u"abAB.0 ";
  const char16_t values[] = u"13579-=2468";
  const char16_t word_chars[] = u"abAB0 1-.";
  for (int round = 0; round < 200; ++round) {
    text_t rules = u"UTF-8\n";
    rules += u"LEFTHYPHENMIN " + string_from_int(rng() % 4) + u"\n";
    rules += u"RIGHTHYPHENMIN " + string_from_int(rng() % 4) + u"\n";
    const int patterns = 1 + static_cast<int>(rng() % 12);
    for (int p = 0; p < patterns; ++p) {
      const int length = static_cast<int>(rng() % 5);
      if (rng() % 2) rules.push_back(values[rng() % 11]);
      for (int i = 0; i < length; ++i) {
        rules.push_back(letters[rng() % 7]);
        if (rng() % 2) rules.push_back(values[rng() % 11]);
      }
      rules += u"\n";
    }
    hyphenation_decode_cache c;
    headless_long_job_host host;
    ASSERT_EQ(build_hyphenation_decode_cache(c, rules, host), hyphenation_rules_status::ready);
    const std::vector<text_t> lowered = lowered_letters(c);
    for (int w = 0; w < 30; ++w) {
      text_t word;
      const int length = static_cast<int>(rng() % 9);
      for (int i = 0; i < length; ++i) word.push_back(word_chars[rng() % 9]);
      const hyphenated_word fast = hyphenate_word(c, word);
      const hyphenated_word plain = naive_hyphenate(c, lowered, word);
      ASSERT_EQ(u8(fast.word), u8(plain.word)) << u8(rules) << "word [" << u8(word) << "]";
      ASSERT_EQ(u8(fast.rule), u8(plain.rule)) << u8(rules) << "word [" << u8(word) << "]";
    }
  }
}

// The same on Debian's American English patterns and dictionary words.
// The words are those of whatever en_US.dic is installed, read as the
// program reads it; the pattern count is that of hyphen-en-us's file.
TEST(HyphenationEngine, AgreesWithThePlainRuleOnRealPatterns) {
  if (const std::string why = test_support::installed_mismatch(test_support::kHyphEnUs); !why.empty())
    GTEST_SKIP() << why;
  const char* dic = "/usr/share/hunspell/en_US.dic";
  if (!std::filesystem::exists(dic)) GTEST_SKIP() << "hunspell-en-us is not installed";
  const hyphenation_decode_cache c = build(test_support::read_file(test_support::kHyphEnUs.path));
  EXPECT_GT(c.pattern_count(), 4000);
  const std::vector<text_t> lowered = lowered_letters(c);
  list_document words;
  text_t aff;
  headless_long_job_host host;
  ASSERT_EQ(load_dictionary_pair(from_utf8(dic), host, words, aff).status, dic_file_status::ok);
  int checked = 0;
  for (size_t i = 196; i < words.entries().size(); i += 197) {  // a spread of about 250 words
    const text_t word(split_dic_entry(words.entries()[i]).word);
    const hyphenated_word fast = hyphenate_word(c, word);
    const hyphenated_word plain = naive_hyphenate(c, lowered, word);
    ASSERT_EQ(u8(fast.word), u8(plain.word)) << u8(word);
    ASSERT_EQ(u8(fast.rule), u8(plain.rule)) << u8(word);
    ++checked;
  }
  EXPECT_GT(checked, 200);
}

TEST(HyphenationEngine, ApplyFillsRowsAndStopsOnEscape) {
  const hyphenation_decode_cache c = build("UTF-8\nn1n\n1na\n");
  auto rows_of = [] {
    return std::vector<hyphenation_row>{{u"dinner", u"", false}, {u"banana", u"", false}, {u"sun", u"", false}};
  };
  std::vector<hyphenation_row> rows = rows_of();
  headless_long_job_host host;
  ASSERT_EQ(apply_hyphenation_patterns(c, rows, host), 3);
  EXPECT_EQ(u8(rows[0].word), "din-ner");
  EXPECT_EQ(u8(rows[0].rule), "din1ner");
  EXPECT_EQ(u8(rows[1].word), "ba-na-na");
  EXPECT_TRUE(rows[2].no_matches);
  EXPECT_EQ(host.total, 2 * 3) << "progress counts patterns over all rows";
  EXPECT_EQ(u8(host.status), "OK.");

  // Escape in the second row, confirmed: the first row is done, the others
  // keep their words.
  rows = rows_of();
  headless_long_job_host stopping;
  stopping.escape_at_poll = 2;
  EXPECT_EQ(apply_hyphenation_patterns(c, rows, stopping), 1);
  EXPECT_EQ(u8(rows[0].word), "din-ner");
  EXPECT_EQ(u8(rows[1].word), "banana");
  EXPECT_EQ(u8(rows[1].rule), "");
  EXPECT_EQ(u8(rows[2].word), "sun");
  EXPECT_EQ(u8(stopping.status), "Aborted.");
  EXPECT_FALSE(stopping.running);
}

TEST(HyphenationEngine, SuppressHyphenationPoint) {
  EXPECT_EQ(u8(suppress_hyphenation_point(u"a1b", 2)), "a2b");
  EXPECT_EQ(u8(suppress_hyphenation_point(u"a1b", 1)), "21b");
  EXPECT_EQ(u8(suppress_hyphenation_point(u"a1b", 3)), "a12");
  EXPECT_EQ(u8(suppress_hyphenation_point(u"a1b", 0)), "a1b");
  EXPECT_EQ(u8(suppress_hyphenation_point(u"a1b", 4)), "a1b");
}

// Patterns of more letters than the search structure takes are matched one
// by one: random long patterns and words must still agree with the plain rule.
TEST(HyphenationEngine, LongPatternsAgreeWithThePlainRule) {
  std::mt19937 rng(7);
  const char16_t letters[] = u"aB.";
  const char16_t values[] = u"13-24";
  for (int round = 0; round < 20; ++round) {
    text_t rules = u"UTF-8\nn1n\n";
    for (int p = 0; p < 4; ++p) {
      const int length = 120 + static_cast<int>(rng() % 20);
      for (int i = 0; i < length; ++i) {
        rules.push_back(letters[rng() % 2 + (i == 0 && rng() % 3 == 0 ? 2 : 0)]);
        if (rng() % 3 == 0) rules.push_back(values[rng() % 5]);
      }
      rules += u"\n";
    }
    hyphenation_decode_cache c;
    headless_long_job_host host;
    ASSERT_EQ(build_hyphenation_decode_cache(c, rules, host), hyphenation_rules_status::ready);
    const std::vector<text_t> lowered = lowered_letters(c);
    // Words made of a pattern's own letters, so that long hits happen.
    for (int64_t k = 2; k <= c.pattern_count(); ++k) {
      text_t word = u"nn";
      for (size_t i = 0; i < lowered[static_cast<size_t>(k)].size(); i += 2) {
        const char16_t ch = lowered[static_cast<size_t>(k)][i];
        if (ch != u'.') word.push_back(rng() % 2 ? ch : static_cast<char16_t>(ch == u'a' ? u'A' : u'B'));
      }
      const hyphenated_word fast = hyphenate_word(c, word);
      const hyphenated_word plain = naive_hyphenate(c, lowered, word);
      ASSERT_EQ(u8(fast.word), u8(plain.word)) << u8(rules) << "word [" << u8(word) << "]";
      ASSERT_EQ(u8(fast.rule), u8(plain.rule)) << u8(rules) << "word [" << u8(word) << "]";
    }
  }
}

// One pattern line of millions of values or letters: the build takes time in
// proportion to the text and leaves no per-letter structure behind; the
// pattern still hyphenates a word it fits.
TEST(HyphenationEngine, HugeLinesBuildInProportionToTheirLength) {
  const struct {
    const char* name;
    std::string line;
    int64_t word_length;  // of a word of "a"s the pattern fits; 0: not tried
    size_t digits_size;   // of the spaced form
  } cases[] = {
      {"1 MB of a1", [] { std::string l; for (int i = 0; i < 500000; ++i) l += "a1"; return l; }(), 500000, 1000000},
      {"10 MB of a1", [] { std::string l; for (int i = 0; i < 5000000; ++i) l += "a1"; return l; }(), 0, 10000000},
      {"20 MB of letters", [] {
         std::string l(20000000, 'a');
         for (size_t i = 0; i < l.size(); ++i) l[i] = static_cast<char>('a' + i % 26);
         return l;
       }(), 0, 39999999},
  };
  for (const auto& c : cases) {
    hyphenation_decode_cache cache;
    headless_long_job_host host;
    ASSERT_EQ(build_hyphenation_decode_cache(cache, from_utf8("UTF-8\n" + c.line + "\n"), host),
              hyphenation_rules_status::ready)
        << c.name;
    ASSERT_EQ(cache.pattern_count(), 1) << c.name;
    EXPECT_EQ(cache.hyphenation_pattern_digits[1].size(), c.digits_size) << c.name;
    EXPECT_LE(cache.nodes.size(), 1u) << c.name << ": no trie node per letter";
    EXPECT_TRUE(cache.values.empty()) << c.name << ": no value list per digit";
    EXPECT_EQ(u8(hyphenate_word(cache, u"banana").word), "banana") << c.name;
    if (c.word_length > 0) {
      const hyphenated_word h = hyphenate_word(cache, text_t(static_cast<size_t>(c.word_length), u'a'));
      std::string expected;
      for (int64_t i = 0; i < c.word_length; ++i) expected += i + 1 < c.word_length ? "a-" : "a";
      EXPECT_TRUE(u8(h.word) == expected) << c.name << ": every gap breaks";
      EXPECT_EQ(h.rule.size(), static_cast<size_t>(2 * c.word_length)) << c.name;
    }
  }
}

// Many lines of the same letters with their values: each line merges in one
// pass, and the strongest value of each gap wins whatever the order.
TEST(HyphenationEngine, RepeatedLettersMergeTheirValues) {
  std::string rules = "UTF-8\n";
  for (int i = 0; i < 20000; ++i) rules += i % 2 ? "a1b2c3d4e\n" : "a2b3c-d1e\n";
  const hyphenation_decode_cache c = build(rules);
  EXPECT_EQ(c.pattern_count(), 20000);
  EXPECT_EQ(u8(hyphenate_word(c, u"xabcdex").word), "xab-c-dex");
  EXPECT_EQ(u8(hyphenate_word(c, u"xabcdex").rule), "xa2b3c-d4ex");
}

// Escape during the build, confirmed at any point (parsing the lines,
// building the search structure, held through the seam): the job ends
// "Aborted.", the table in use and its snapshot stay as they were, and the
// next build runs in full. No goes on.
TEST(HyphenationEngine, EscapeStopsTheBuildAndKeepsTheTable) {
  text_t rules = u"UTF-8\n";
  for (int i = 0; i < 3000; ++i) rules += u"x" + string_from_int(i % 10) + u"y" + string_from_int(i) + u"z\n";
  rules += u"n1n\n1na\n";
  const text_t kept = u"UTF-8\ns1u\n";
  auto expect_kept = [&](const hyphenation_decode_cache& c, const std::string& where) {
    EXPECT_EQ(c.hyphenation_rules_snapshot, kept) << where;
    EXPECT_EQ(c.pattern_count(), 1) << where;
    EXPECT_EQ(u8(hyphenate_word(c, u"sun").word), "s-un") << where;
  };

  headless_long_job_host counting;
  {
    hyphenation_decode_cache c;
    ASSERT_EQ(build_hyphenation_decode_cache(c, rules, counting), hyphenation_rules_status::ready);
    EXPECT_EQ(u8(counting.status), "OK.");
  }
  const int64_t polls = counting.polls;
  ASSERT_GT(polls, 3003) << "the search structure is built with polls of its own";
  for (int64_t at : {int64_t{1}, int64_t{1500}, int64_t{3003}, polls - 1, polls}) {
    hyphenation_decode_cache c = build("UTF-8\ns1u\n");
    headless_long_job_host host;
    host.escape_at_poll = at;
    EXPECT_EQ(build_hyphenation_decode_cache(c, rules, host), hyphenation_rules_status::aborted) << at;
    EXPECT_EQ(host.messages, std::vector<text_t>{u"Really abort?"}) << at;
    EXPECT_EQ(u8(host.status), "Aborted.") << at;
    EXPECT_FALSE(host.running) << at;
    expect_kept(c, "escape at poll " + std::to_string(at));
    headless_long_job_host again;
    ASSERT_EQ(build_hyphenation_decode_cache(c, rules, again), hyphenation_rules_status::ready) << at;
    EXPECT_EQ(u8(hyphenate_word(c, u"dinner").word), "din-ner") << at;
  }

  // Held through the seam once the lines are parsed.
  hyphenation_decode_cache c = build("UTF-8\ns1u\n");
  headless_long_job_host host;
  int holds = 0;
  int64_t polls_when_held = 0;
  set_hyphenation_build_hold([&] {
    if (++holds == 1) {
      polls_when_held = host.polls;
      host.escape_at_poll = host.polls + 1;
    }
    return holds < 1000;
  });
  const hyphenation_rules_status held = build_hyphenation_decode_cache(c, rules, host);
  set_hyphenation_build_hold({});
  EXPECT_EQ(held, hyphenation_rules_status::aborted);
  EXPECT_EQ(holds, 1);
  EXPECT_EQ(polls_when_held, 3003) << "held after the last line";
  EXPECT_EQ(u8(host.status), "Aborted.");
  expect_kept(c, "held");

  // No: the build goes on to the end.
  headless_long_job_host refusing;
  refusing.escape_at_poll = 10;
  refusing.abort_answer = 7;
  EXPECT_EQ(build_hyphenation_decode_cache(c, rules, refusing), hyphenation_rules_status::ready);
  EXPECT_EQ(refusing.messages, std::vector<text_t>{u"Really abort?"});
  EXPECT_EQ(u8(hyphenate_word(c, u"dinner").word), "din-ner");
}

}  // namespace
