#include "kit/requester_rules.h"

#include "common/file.h"

#include <gtest/gtest.h>

TEST(SavePath, ExtensionIsAddedOnlyWhenMissing) {
  const text_t txt = u"Text Documents (*.txt)|*.txt";
  const text_t two = u"Text file (*.txt)|*.txt|XML file (*.xml)|*.xml";
  struct row {
    const char16_t* chosen;
    const char16_t* pattern;
    const char16_t* extension;
    const char16_t* expected;
  };
  const row rows[] = {
      {u"/tmp/words", txt.c_str(), u".txt", u"/tmp/words.txt"},
      {u"/tmp/words.TXT", txt.c_str(), u".txt", u"/tmp/words.TXT"},
      {u"/tmp/words.txt", txt.c_str(), u".txt", u"/tmp/words.txt"},
      // One "(*" group: only the given extension counts.
      {u"/tmp/words.xml", txt.c_str(), u".txt", u"/tmp/words.xml.txt"},
      // Two groups: any of them is kept.
      {u"/tmp/rules.xml", two.c_str(), u".txt", u"/tmp/rules.xml"},
      {u"/tmp/rules.XML", two.c_str(), u".txt", u"/tmp/rules.XML"},
      {u"/tmp/rules.csv", two.c_str(), u".txt", u"/tmp/rules.csv.txt"},
  };
  for (const row& r : rows) {
    SCOPED_TRACE(to_utf8(r.chosen));
    EXPECT_EQ(save_path_with_extension(r.chosen, r.pattern, r.extension), r.expected);
  }
}

TEST(EncodingQuestion, NamesTheDetectedFormat) {
  EXPECT_EQ(encoding_name(FORMAT_UTF8), u"UTF-8");
  EXPECT_EQ(encoding_name(FORMAT_UTF16BE), u"UTF-16 (big endian)");
  EXPECT_EQ(encoding_name(FORMAT_UTF32LE), u"UTF-32 (little endian)");
  EXPECT_EQ(encoding_name(FORMAT_UTF32BE), u"UTF-32 (big endian)");
  EXPECT_EQ(encoding_name(FORMAT_ASCII), u"ANSI");
  EXPECT_EQ(encoding_name(FORMAT_UTF16LE), u"UTF-16 (little endian)");
  EXPECT_EQ(encoding_name(99), u"Unknown");
  EXPECT_EQ(non_utf8_bom_question(u"ANSI"),
            u"The file to open is not encoded in \"UTF-8-BOM\"\n\nIt may lead to corrupt results.\n\n"
            u"Encoding detected:ANSI\n\nContinue?");
}
