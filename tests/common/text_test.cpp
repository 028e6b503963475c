#include "common/text.h"

#include <gtest/gtest.h>

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

TEST(TextLatin1, OneBytePerUnit) {
  EXPECT_EQ(from_latin1("caf\xE9\xFF"), u"caf\u00E9\u00FF");
  EXPECT_EQ(from_latin1(std::string("a\0b", 3)), u"a");
  EXPECT_EQ(to_latin1(u"caf\u00E9"), "caf\xE9");
  EXPECT_EQ(to_latin1(u"\u0141"), "\x41");  // low byte kept
}

// ---- Case mapping ------------------------------------------------------------

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

}  // namespace
