#include "common/text.h"

#include <glib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// ---- UTF-8 and Latin-1 -------------------------------------------------------

struct DecodeCase {
  const char* name;
  std::string bytes;
  text_t expected;
  bool valid;
};

TEST(TextUtf8, DecodesAndReplacesInvalidSequences) {
  const DecodeCase cases[] = {
      {"ascii", "abc", u"abc", true},
      {"two-byte", "\xC3\xA4", u"\u00E4", true},
      {"three-byte", "\xE2\x8C\x9A", u"\u231A", true},
      {"four-byte gives a pair", "\xF0\x9F\x98\x80", u"\U0001F600", true},
      {"real U+FFFD", "\xEF\xBF\xBD", u"\uFFFD", true},
      {"lone continuation", "a\x80z", u"a\uFFFDz", false},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD", false},
      {"overlong three-byte", "\xE0\x80\xAF", u"\uFFFD\uFFFD\uFFFD", false},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", false},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD", false},
      {"truncated at end", "ab\xE2\x8C", u"ab\uFFFD", false},
      {"truncated then ascii", "\xE2\x8Cx", u"\uFFFDx", false},
      {"latin-1 byte", "caf\xE9", u"caf\uFFFD", false},
      {"FF byte", "\xFF", u"\uFFFD", false},
      {"zero byte ends the text", std::string("ab\0cd", 5), u"ab", true},
      {"zero byte after long ascii", std::string("abcdefghijk\0lm", 14), u"abcdefghijk", true},
      {"long ascii then accent", "abcdefghijklmnop\xC3\xA9", u"abcdefghijklmnop\u00E9", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(from_utf8(c.bytes), c.expected) << c.name;
    // A zero byte is well-formed UTF-8 even though a text stops there.
    EXPECT_EQ(is_valid_utf8(c.bytes), c.valid) << c.name;
  }
}

TEST(TextUtf8, EncodesPairsAndReplacesLoneSurrogates) {
  struct Case {
    const char* name;
    text_t units;
    std::string expected;
  };
  const Case cases[] = {
      {"ascii", u"word", "word"},
      {"accent", u"\u00E9t\u00E9", "\xC3\xA9t\xC3\xA9"},
      {"pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
      {"lone high", text_t(1, char16_t(0xD800)) + u"a", "\xEF\xBF\xBD" "a"},
      {"lone low", u"a" + text_t(1, char16_t(0xDC00)), "a\xEF\xBF\xBD"},
      {"high at end", u"ab" + text_t(1, char16_t(0xDBFF)), "ab\xEF\xBF\xBD"},
      {"two highs then low", text_t{char16_t(0xD800), char16_t(0xD83D), char16_t(0xDE00)},
       "\xEF\xBF\xBD\xF0\x9F\x98\x80"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(to_utf8(c.units), c.expected) << c.name;
    std::string out = "pre";
    append_utf8(out, c.units);
    EXPECT_EQ(out, "pre" + c.expected) << c.name;
  }
}

TEST(TextUtf8, RoundTripsEveryBmpUnitAndAPlaneOneCharacter) {
  text_t all;
  for (uint32_t u = 1; u < 0x10000; ++u)
    if (u < 0xD800 || u > 0xDFFF) all.push_back(static_cast<char16_t>(u));
  all += u"\U00010348";
  std::string bytes = to_utf8(all);
  EXPECT_TRUE(is_valid_utf8(bytes));
  EXPECT_EQ(from_utf8(bytes), all);
}

// Decoding into a text that held a longer one leaves nothing of it behind.
TEST(TextUtf8, DecodingIntoAReusedTextGivesWhatAFreshOneGives) {
  text_t reused = T("a much longer text than any of the lines below, \xc3\xa9t\xc3\xa9");
  for (const char* s : {"Stra\xc3\x9f" "e", "", "plain", "\xf0\x9f\x98\x80x", "bad\xc3", "\xe2\x82", "\xff\xfe"}) {
    from_utf8_into(reused, s);
    EXPECT_EQ(reused, from_utf8(s)) << s;
  }
}

TEST(TextLatin1, OneBytePerUnit) {
  EXPECT_EQ(from_latin1("caf\xE9\xFF"), u"caf\u00E9\u00FF");
  EXPECT_EQ(from_latin1(std::string("a\0b", 3)), u"a");
  EXPECT_EQ(to_latin1(u"caf\u00E9"), "caf\xE9");
  EXPECT_EQ(to_latin1(u"\u0141"), "\x41");  // low byte kept
}

// ---- Case mapping ------------------------------------------------------------

// The tables built into the program map every unit as GLib does, but for
// mappings that one unit cannot hold.
TEST(TextCase, TablesAgreeWithGlibForEveryUnit) {
  int differences = 0;
  for (uint32_t u = 0; u < 0x10000; ++u) {
    const char16_t unit = static_cast<char16_t>(u);
    auto expected = [&](gunichar mapped) {
      const bool one_unit = !(u >= 0xD800 && u <= 0xDFFF) && mapped != 0 && mapped < 0x10000 &&
                            !(mapped >= 0xD800 && mapped <= 0xDFFF);
      return one_unit ? static_cast<char16_t>(mapped) : unit;
    };
    differences += unit_to_lower(unit) != expected(g_unichar_tolower(u));
    differences += unit_to_upper(unit) != expected(g_unichar_toupper(u));
  }
  EXPECT_EQ(differences, 0);
  EXPECT_EQ(unit_to_lower(u'\u0130'), u'i');  // dotted capital I
  EXPECT_EQ(unit_to_upper(u'\u00df'), u'\u00df');  // sharp s has no one-unit capital
  EXPECT_EQ(unit_to_upper(u'\u0101'), u'\u0100');
}

TEST(TextCase, SimpleMappingUnitByUnit) {
  struct Case {
    char16_t unit, lower, upper;
  };
  const Case cases[] = {
      {u'A', u'a', u'A'},
      {u'z', u'z', u'Z'},
      {u'\u00C4', u'\u00E4', u'\u00C4'},
      {u'\u00E9', u'\u00E9', u'\u00C9'},
      {u'\u0394', u'\u03B4', u'\u0394'},  // Greek delta
      {u'\u042F', u'\u044F', u'\u042F'},  // Cyrillic ya
      {u'\u0131', u'\u0131', u'I'},       // dotless i
      {u'\u00DF', u'\u00DF', u'\u00DF'},  // sharp s has no one-unit upper
      {u'1', u'1', u'1'},
      {char16_t(0xD801), char16_t(0xD801), char16_t(0xD801)},  // surrogates stay
      {char16_t(0xDC28), char16_t(0xDC28), char16_t(0xDC28)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(unit_to_lower(c.unit), c.lower) << int(c.unit);
    EXPECT_EQ(unit_to_upper(c.unit), c.upper) << int(c.unit);
  }
  EXPECT_EQ(string_to_lower(u"\u00C4PFEL Stra\u00DFe"), u"\u00E4pfel stra\u00DFe");
  EXPECT_EQ(string_to_upper(u"\u00E4pfel"), u"\u00C4PFEL");
  // A pair (Deseret) is left alone: the mapping works on single units.
  EXPECT_EQ(string_to_lower(u"\U00010400"), u"\U00010400");
}

// ---- Integer parsing and printing -----------------------------------------

TEST(TextNumbers, StringToInt) {
  struct Case {
    const char16_t* text;
    int64_t expected;
  };
  const Case cases[] = {
      {u"  -12abc", -12},
      {u"\t+7", 7},
      {u"$ff", 255},
      {u"$FFz", 255},
      {u"-$10", -16},
      {u"%101", 5},
      {u"%102", 2},
      {u"abc", 0},
      {u"", 0},
      {u"-", 0},
      {u"$", 0},
      {u"12 34", 12},
      {u"\n5", 0},  // only blanks and TABs are skipped
      {u"9223372036854775807", std::numeric_limits<int64_t>::max()},
      {u"-9223372036854775808", std::numeric_limits<int64_t>::min()},
      {u"9223372036854775808", std::numeric_limits<int64_t>::max()},
      {u"99999999999999999999999", std::numeric_limits<int64_t>::max()},
      {u"-99999999999999999999999", std::numeric_limits<int64_t>::min()},
      {u"$FFFFFFFFFFFFFFFFFF", std::numeric_limits<int64_t>::max()},
  };
  for (const auto& c : cases) EXPECT_EQ(string_to_int(c.text), c.expected) << to_utf8(c.text);
}

TEST(TextNumbers, StringFromInt) {
  EXPECT_EQ(string_from_int(0), u"0");
  EXPECT_EQ(string_from_int(-42), u"-42");
  EXPECT_EQ(string_from_int(1234567), u"1234567");
  EXPECT_EQ(string_from_int(std::numeric_limits<int64_t>::min()), u"-9223372036854775808");
}


// ---- Comparison ------------------------------------------------------------

TEST(TextCompare, UnsignedUnits) {
  EXPECT_TRUE(string_less(u"a", u"\u00E4"));
  EXPECT_TRUE(string_less(u"\uFFFD", text_t(1, char16_t(0xFFFF))));
  EXPECT_TRUE(string_less(u"ab", u"abc"));
  EXPECT_TRUE(string_greater(u"b", u"abc"));
  EXPECT_FALSE(string_equal(u"A", u"a"));
  EXPECT_EQ(string_length(u"\U0001F600"), 2);  // units, not characters
}

// ---- Finding, counting, fields -------------------------------------------

TEST(TextFind, FindTable) {
  struct Case {
    const char16_t* s;
    const char16_t* search;
    int64_t start;
    int mode;
    int64_t expected;
  };
  const Case cases[] = {
      {u"abc", u"", 1, 0, 0},
      {u"", u"a", 1, 0, 0},
      {u"abcabc", u"b", 3, 0, 5},
      {u"abcabc", u"b", 1, 0, 2},
      {u"abcabc", u"b", -7, 0, 2},
      {u"abcabc", u"b", 6, 0, 0},
      {u"abcabc", u"b", 100, 0, 0},
      {u"abcabc", u"bc", 5, 0, 5},
      {u"abcabc", u"bcx", 5, 0, 0},
      {u"ABC", u"b", 1, 1, 2},
      {u"ABC", u"b", 1, 0, 0},
      {u"\u00C4pfel", u"\u00E4PF", 1, 1, 1},
      {u"xxAbAB", u"ab", 4, 1, 5},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(string_find_ex(c.s, c.search, c.start, c.mode), c.expected)
        << to_utf8(c.s) << " / " << to_utf8(c.search) << " from " << c.start;
    if (c.mode == 0) {
      EXPECT_EQ(string_find_from(c.s, c.search, c.start), c.expected);
    }
  }
  EXPECT_EQ(string_find(u"abcabc", u"ca"), 3);
  EXPECT_EQ(string_find(u"abc", u""), 0);
}

TEST(TextFind, CountAndFields) {
  EXPECT_EQ(string_count_occurrences(u"aaaa", u"aa"), 2);
  EXPECT_EQ(string_count_occurrences(u"aaa", u"aa"), 1);
  EXPECT_EQ(string_count_occurrences(u"aAa", u"A"), 1);
  EXPECT_EQ(string_count_occurrences(u"abc", u""), 0);
  EXPECT_EQ(string_count_occurrences(u"", u"a"), 0);

  struct Case {
    const char16_t* s;
    int64_t index;
    const char16_t* separator;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"a|b|c", 1, u"|", u"a"},
      {u"a|b|c", 3, u"|", u"c"},
      {u"a|b|c", 4, u"|", u""},
      {u"a|b|c", 0, u"|", u""},
      {u"a|b|c", -1, u"|", u""},
      {u"abc", 1, u"|", u"abc"},
      {u"abc", 2, u"|", u""},
      {u"a||c", 2, u"|", u""},
      {u"a||c", 3, u"|", u"c"},
      {u"a  b", 2, u" ", u""},
      {u"a  b", 3, u" ", u"b"},
      {u"one::two::three", 2, u"::", u"two"},
      {u"a|", 2, u"|", u""},
      {u"", 1, u"|", u""},
      {u"abc", 1, u"", u"abc"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(string_nth_field(c.s, c.index, c.separator), c.expected) << to_utf8(c.s) << " #" << c.index;
}

// ---- Replacing ---------------------------------------------------------------

TEST(TextReplace, ReplaceTable) {
  struct Case {
    const char16_t* s;
    const char16_t* find;
    const char16_t* replacement;
    int mode;
    int64_t start, count;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"a.b.c", u".", u"..", 0, 1, -1, u"a..b..c"},  // the replacement is not rescanned
      {u"aaaa", u"aa", u"b", 0, 1, -1, u"bb"},
      {u"aXbxc", u"x", u"-", 0, 1, -1, u"aXb-c"},
      {u"aXbxc", u"x", u"-", 1, 1, -1, u"a-b-c"},
      {u"x x x x", u"x", u"y", 0, 3, -1, u"x y y y"},
      {u"x x x x", u"x", u"y", 0, 1, 2, u"y y x x"},
      {u"x x x x", u"x", u"y", 0, 2, 1, u"x y x x"},
      {u"x x", u"x", u"y", 0, 1, 0, u"x x"},
      {u"abc", u"", u"y", 0, 1, -1, u"abc"},
      {u"", u"a", u"y", 0, 1, -1, u""},
      {u"abc", u"abc", u"", 0, 1, -1, u""},
      {u"\u00C4\u00E4", u"\u00E4", u"ae", 1, 1, -1, u"aeae"},
      {u"abc", u"c", u"d", 0, 99, -1, u"abc"},
      {u"abab", u"b", u"c", 2, 1, -1, u"acac"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(string_replace_ex(c.s, c.find, c.replacement, c.mode, c.start, c.count), c.expected)
        << to_utf8(c.s) << " " << to_utf8(c.find);
  EXPECT_EQ(string_replace(u"a\tb\tc", u"\t", u", "), u"a, b, c");
  EXPECT_EQ(string_replace_mode(u"Ab ab", u"AB", u"x", 1), u"x x");
  EXPECT_EQ(string_remove_all(u"\\/a\\/", u"\\/"), u"a");
}

TEST(TextReplace, InPlace) {
  text_t entry = u"word/AB\ntag one\ntag two";
  string_replace_in_place(entry, u"\n", u"\t", 1, 1);
  EXPECT_EQ(entry, u"word/AB\ttag one\ntag two");
  text_t all = u"a|b|c";
  string_replace_in_place(all, u"|", u"\t", 1, -1);
  EXPECT_EQ(all, u"a\tb\tc");
  text_t from = u"a|b|c";
  string_replace_in_place(from, u"|", u"\t", 3, -1);
  EXPECT_EQ(from, u"a|b\tc");
  // Different lengths still give the right text.
  text_t longer = u"a|b";
  string_replace_in_place(longer, u"|", u" | ", 1, -1);
  EXPECT_EQ(longer, u"a | b");
}

// ---- Parts, trimming, characters ------------------------------------------

TEST(TextParts, HeadTailSubstringInsert) {
  EXPECT_EQ(string_head(u"abc", -1), u"");
  EXPECT_EQ(string_head(u"abc", 0), u"");
  EXPECT_EQ(string_head(u"abc", 2), u"ab");
  EXPECT_EQ(string_head(u"abc", 99), u"abc");
  EXPECT_EQ(string_tail(u"abc", 5), u"abc");
  EXPECT_EQ(string_tail(u"abc", 1), u"c");
  EXPECT_EQ(string_tail(u"abc", -2), u"");

  struct Case {
    int64_t start, length;
    const char16_t* expected;
  };
  const Case cases[] = {
      {0, 2, u"ab"}, {1, 2, u"ab"}, {-5, 1, u"a"}, {2, 1, u"b"}, {2, 99, u"bc"},
      {3, 1, u"c"},  {4, 1, u""},   {2, 0, u""},   {2, -1, u""}, {INT64_MAX, 1, u""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(string_substring(u"abc", c.start, c.length), c.expected) << c.start << "," << c.length;
  EXPECT_EQ(string_substring_to_end(u"abc", 2), u"bc");
  EXPECT_EQ(string_substring_to_end(u"abc", -1), u"abc");
  EXPECT_EQ(string_substring_to_end(u"abc", 4), u"");

  EXPECT_EQ(string_insert(u"ac", u"b", 2), u"abc");
  EXPECT_EQ(string_insert(u"bc", u"a", -3), u"abc");
  EXPECT_EQ(string_insert(u"ab", u"c", 99), u"abc");
  EXPECT_EQ(string_insert(u"ab", u"c", 3), u"abc");
}

TEST(TextParts, TrimAndCharacters) {
  EXPECT_EQ(string_trim_spaces(u"  \ta b\t  "), u"\ta b\t");
  EXPECT_EQ(string_trim_spaces(u"    "), u"");
  EXPECT_EQ(string_trim_char(u"//a/b//", u"/x"), u"a/b");
  EXPECT_EQ(string_trim_char(u"  a  ", u""), u"a");
  EXPECT_EQ(string_trim_left_char(u"--a--", u"-"), u"a--");
  EXPECT_EQ(string_trim_right_char(u"--a--", u"-"), u"--a");
  EXPECT_EQ(string_trim_right_char(u"----", u"-"), u"");

  EXPECT_EQ(string_of_spaces(3), u"   ");
  EXPECT_EQ(string_of_spaces(0), u"");
  EXPECT_EQ(string_of_spaces(-4), u"");
  EXPECT_EQ(string_first_char_code(u"\u00E4b"), 0xE4);
  EXPECT_EQ(string_first_char_code(u""), 0);
  EXPECT_EQ(string_from_char_code(65), u"A");
  EXPECT_EQ(string_from_char_code(0x10041), u"A");  // low 16 bits only
  EXPECT_EQ(string_from_char_code(0x10000), u"");
  EXPECT_EQ(string_from_char_code(0), u"");
  EXPECT_EQ(string_from_char_code(-1), text_t(1, char16_t(0xFFFF)));
}

// ---- Floats and number formatting ----------------------------------------

TEST(TextNumbers, StringToFloat) {
  struct Case {
    const char16_t* text;
    float expected;
  };
  const float inf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {u"", 0.0f},          {u"abc", 0.0f},       {u"1.5", 1.5f},        {u"  -2.25x", -2.25f},
      {u"+3", 3.0f},        {u".5", 0.5f},        {u"5.", 5.0f},         {u"1e3", 1000.0f},
      {u"1e", 1.0f},        {u"2E-1", 0.2f},      {u"1,5", 1.0f},        {u"+Infinity", inf},
      {u"-infinity", -inf}, {u"INFINITY", inf},   {u"1e100", inf},       {u"-1e100", -inf},
      {u"1e-100", 0.0f},    {u"0x10", 0.0f},      {u".", 0.0f},          {u"-", 0.0f},
  };
  for (const auto& c : cases) EXPECT_EQ(string_to_float(c.text), c.expected) << to_utf8(c.text);
  EXPECT_TRUE(std::isnan(string_to_float(u"NaN")));
  EXPECT_TRUE(std::isnan(string_to_float(u"nan")));
  // A huge digit string does not overflow anything.
  EXPECT_EQ(string_to_float(text_t(5000, u'9')), inf);
}

TEST(TextNumbers, StringFromFloat) {
  struct Case {
    int decimals;
    float v;
    const char16_t* expected;
  };
  const float inf = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      {2, 1.0f / 3.0f, u"0.33"},
      {2, 2.675f, u"2.67"},  // the single-precision value is just below 2.675
      {0, 2.5f, u"2"},
      {1, 1.5f, u"1.5"},
      {3, -1.5f, u"-1.500"},
      {2, -0.0f, u"0.00"},
      {2, -0.001f, u"0.00"},
      {0, -0.0f, u"0"},
      {2, inf, u"+Infinity"},
      {2, -inf, u"-Infinity"},
      {2, std::numeric_limits<float>::quiet_NaN(), u"NaN"},
      {-1, 1.25f, u"1.25"},
      {-1, 3.0f, u"3"},
      {-1, 0.1f, u"0.1000000015"},
      {-1, -0.0f, u"0"},
      {1, 3.4e38f, u"339999995214436424907732413799364296704.0"},
  };
  for (const auto& c : cases) EXPECT_EQ(string_from_float(c.decimals, c.v), c.expected) << c.v;
  EXPECT_EQ(string_from_float(512, 1.0f).size(), 514u);
  EXPECT_EQ(string_from_float(100000, 1.0f).size(), 514u);  // capped at 512 decimals
}

TEST(TextNumbers, FormatNumberAndRounding) {
  struct Case {
    int decimals;
    const char16_t* point;
    const char16_t* separator;
    double v;
    const char16_t* expected;
  };
  const Case cases[] = {
      {0, u".", u",", 1234567, u"1,234,567"},
      {0, u".", u"", 1234567, u"1234567"},
      {0, u".", u",", 1000000, u"1,000,000"},
      {0, u".", u",", 999, u"999"},
      {0, u".", u",", 1000, u"1,000"},
      {0, u".", u",", -1234567, u"-1,234,567"},
      {0, u".", u",", -123, u"-123"},
      {0, u".", u"\u2009", 12345, u"12\u2009345"},
      {2, u",", u".", 1234.5, u"1.234,50"},
      {0, u".", u",", 0, u"0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(string_format_number(c.decimals, c.point, c.separator, c.v), c.expected) << c.v;

  EXPECT_EQ(math_round(2.5, 0), 2.0);
  EXPECT_EQ(math_round(2.1, 1), 3.0);
  EXPECT_EQ(math_round(2.5, 2), 3.0);
  EXPECT_EQ(math_round(-2.5, 2), -3.0);
  EXPECT_EQ(math_round(-2.5, 0), -3.0);
  EXPECT_EQ(math_abs(-4.5), 4.5);
}

}  // namespace
