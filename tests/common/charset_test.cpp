#include "common/charset.h"

#include "common/file.h"
#include "common/long_job.h"
#include "common/text_file_open.h"
#include "tests/test_support/field_readers.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every charset the program decodes, by the names the field's files use.
const char* const kDeclared[] = {"ISO8859-2",  "ISO8859-3",  "ISO8859-4",  "ISO8859-5",  "ISO8859-6",
                                 "ISO8859-7",  "ISO8859-8",  "ISO8859-9",  "ISO8859-10", "ISO8859-13",
                                 "ISO8859-14", "ISO8859-15", "KOI8-R",     "KOI8-U",     "microsoft-cp1251",
                                 "TIS620-2533"};

// Each table against the C library's iconv, byte by byte: a byte iconv
// cannot convert is one the charset leaves undefined, and reads as U+FFFD;
// but TIS-620's bytes 0x80..0x9F, which iconv leaves undefined, are the C1
// controls, as in every ISO8859 table (so nothing of such a file is lost).
TEST(Charset, TablesAgreeWithIconv) {
  for (const char* name : kDeclared) {
    const int format = charset_format_by_name(from_utf8(name));
    ASSERT_TRUE(is_table_charset(format)) << name;
    EXPECT_EQ(to_utf8(charset_name(format)), name);
    int defined = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
      std::string want;
      const bool converted = test_support::iconv_to_utf8(std::string(1, static_cast<char>(b)), name, want);
      const char16_t unit = charset_upper_unit(format, static_cast<unsigned char>(b));
      if (converted) {
        EXPECT_EQ(to_utf8(text_t(1, unit)), want) << name << " byte " << b;
        ++defined;
      } else if (format == FORMAT_TIS620 && b < 0xA0) {
        EXPECT_EQ(unit, b) << name << " byte " << b;
      } else {
        EXPECT_EQ(unit, u'\uFFFD') << name << " byte " << b;
      }
    }
    EXPECT_GT(defined, 80) << name;
  }
}

TEST(Charset, NamesInEverySpellingTheFilesUse) {
  const struct {
    const char16_t* name;
    int format;
  } cases[] = {
      {u"UTF-8", FORMAT_UTF8},           {u"utf-8", FORMAT_UTF8},           {u"Utf8", FORMAT_UTF8},
      {u"ISO8859-1", FORMAT_ASCII},      {u"ISO-8859-1", FORMAT_ASCII},     {u"iso-8859-1", FORMAT_ASCII},
      {u"ISO8859-2", FORMAT_ISO8859_2},  {u"ISO-8859-2", FORMAT_ISO8859_2}, {u"iso_8859-2", FORMAT_ISO8859_2},
      {u" ISO8859-13\r", FORMAT_ISO8859_13}, {u"iso8859-15", FORMAT_ISO8859_15}, {u"koi8-r", FORMAT_KOI8_R},
      {u"KOI8-U", FORMAT_KOI8_U},        {u"microsoft-cp1251", FORMAT_CP1251}, {u"cp1251", FORMAT_CP1251},
      {u"windows-1251", FORMAT_CP1251},  {u"TIS620-2533", FORMAT_TIS620},  {u"TIS-620", FORMAT_TIS620},
      {u"ISCII-DEVANAGARI", 0},          {u"ISO8859-11", 0},               {u"ISO8859-16", 0},
      {u"cp1252", 0},                    {u"", 0},                         {u"UTF-8 x", 0},
      {u"ISO8859-\u0662", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(charset_format_by_name(c.name), c.format) << to_utf8(c.name);
}

TEST(Charset, DecodingKeepsAsciiAndReadsZeroAsReplacement) {
  text_t out = u"old text, longer than the result";
  decode_table_charset_into(out, std::string("a\xB1\0z\xFF", 5), FORMAT_ISO8859_2);
  EXPECT_EQ(out, u"a\u0105\uFFFDz\u02D9");
  decode_table_charset_into(out, "\xC1\xD7", FORMAT_KOI8_R);
  EXPECT_EQ(out, u"\u0430\u0432");
  decode_table_charset_into(out, "\xAE", FORMAT_ISO8859_7);  // undefined in ISO8859-7
  EXPECT_EQ(out, u"\uFFFD");
}

// The SET line as Hunspell reads the keyword: the first field of a line.
TEST(Charset, AffSetLine) {
  const struct {
    const char16_t* text;
    bool found;
    const char16_t* value;
    int64_t line;
  } cases[] = {
      {u"SET ISO8859-2\nTRY a", true, u"ISO8859-2", 1},
      {u"# SET UTF-8\n  SET\tKOI8-R  # note\nSET UTF-8", true, u"KOI8-R", 2},
      {u"SETX a\nset UTF-8\nFLAG long\nSET\n", false, u"", 0},
      {u"TRY abc\r\nSET UTF-8\r\n", true, u"UTF-8", 2},
      {u"SET   \nSET KOI8-U", true, u"", 1},
  };
  for (const auto& c : cases) {
    const aff_set_line set = find_aff_set_line(c.text);
    EXPECT_EQ(set.found, c.found) << to_utf8(c.text);
    EXPECT_EQ(set.value, c.value) << to_utf8(c.text);
    EXPECT_EQ(set.line, c.line) << to_utf8(c.text);
  }
}

class DeclaredFormatTest : public test_support::temp_folder_test {
 protected:
  DeclaredFormatTest() : temp_folder_test("vx_charset_test") {}
  declared_format detect(const std::string& bytes, charset_declaration where) {
    write_bytes("f.txt", bytes);
    EXPECT_TRUE(file_open_read(1, tpath("f.txt")));
    const declared_format d = file_detect_declared_format(1, where);
    text_ = d.unknown ? text_t() : file_read_line(1, FILE_READ_REST);
    file_close(1);
    return d;
  }
  text_t text_;
};

// Where the declaration is found, what it decides, and what the bytes say
// against it; the text is read in the format found.
TEST_F(DeclaredFormatTest, FindsTheDeclarationAndChecksTheBytes) {
  using cd = charset_declaration;
  const struct {
    const char* name;
    std::string bytes;
    charset_declaration where;
    int format;
    bool unknown;
    bool looks_utf8;
    int64_t invalid_line;
    const char16_t* text;
  } cases[] = {
      {"SET line", "TRY \xB1\nSET ISO8859-2\n", cd::aff_set_line, FORMAT_ISO8859_2, false, false, 0,
       u"TRY \u0105\nSET ISO8859-2\n"},
      {"no SET line: ISO8859-1", "TRY \xE4\n", cd::aff_set_line, FORMAT_ASCII, false, false, 0, u"TRY \u00E4\n"},
      {"no SET line, yet UTF-8", "TRY \xC3\xA4\n", cd::aff_set_line, FORMAT_ASCII, false, true, 0,
       u"TRY \u00C3\u00A4\n"},
      {"SET UTF-8 with a stray byte", "SET UTF-8\nTRY \xC3\xA4\n# L\xE1szl\xF3\n", cd::aff_set_line, FORMAT_UTF8,
       false, false, 3, u"SET UTF-8\nTRY \u00E4\n# L\uFFFDszl\uFFFD\n"},
      {"a mark wins", "\xEF\xBB\xBFSET ISO8859-2\nTRY \xC5\xBA\n", cd::aff_set_line, FORMAT_UTF8, false, false, 0,
       u"SET ISO8859-2\nTRY \u017A\n"},
      {"unknown", "SET ISCII-DEVANAGARI\n", cd::aff_set_line, 0, true, false, 0, u""},
      {"first line", "KOI8-R\n\xC1\xC2\n", cd::first_line, FORMAT_KOI8_R, false, false, 0, u"KOI8-R\n\u0430\u0431\n"},
      {"first line with blanks", "ISO8859-7 \r\n\xE1\r\n", cd::first_line, FORMAT_ISO8859_7, false, false, 0,
       u"ISO8859-7 \r\n\u03B1\r\n"},
      {"comment first: nothing declared", "% x\n\xE4\n", cd::first_line, FORMAT_ASCII, false, false, 0,
       u"% x\n\u00E4\n"},
      {"keyword first: nothing declared", "LEFTHYPHENMIN 2\n\xC3\xA4\n", cd::first_line, FORMAT_UTF8, false, false,
       0, u"LEFTHYPHENMIN 2\n\u00E4\n"},
      {"nothing asked for", "ISO8859-2\n\xB1\n", cd::none, FORMAT_ASCII, false, false, 0, u"ISO8859-2\n\u00B1\n"},
  };
  for (const auto& c : cases) {
    const declared_format d = detect(c.bytes, c.where);
    EXPECT_EQ(d.format, c.format) << c.name;
    EXPECT_EQ(d.unknown, c.unknown) << c.name;
    EXPECT_EQ(d.looks_utf8, c.looks_utf8) << c.name;
    EXPECT_EQ(d.invalid_utf8_line, c.invalid_line) << c.name;
    EXPECT_EQ(text_, c.text) << c.name;
  }
}

// The question names the charset the file is read with, never "ANSI" for a
// declared one; an undecodable charset is a message, not a question.
TEST_F(DeclaredFormatTest, OpenAsksAndNamesWhatItReads) {
  headless_long_job_host host;
  write_bytes("a.aff", "SET ISO8859-2\nTRY \xC5\xBA\n");
  host.abort_answer = 7;  // No: read it as UTF-8
  text_file_open opened = open_text_file(1, tpath("a.aff"), charset_declaration::aff_set_line, host);
  ASSERT_EQ(opened.status, text_file_open_status::ok);
  EXPECT_EQ(opened.format, FORMAT_UTF8);
  EXPECT_EQ(file_read_line(1, FILE_READ_REST), u"SET ISO8859-2\nTRY \u017A\n");
  file_close(1);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], declaration_contradicted_question(tpath("a.aff"), opened.found));

  write_bytes("b.aff", "SET KOI8-X\n");
  opened = open_text_file(1, tpath("b.aff"), charset_declaration::aff_set_line, host);
  EXPECT_EQ(opened.status, text_file_open_status::unknown_charset);
  EXPECT_EQ(opened.message, unknown_charset_message(tpath("b.aff"), u"KOI8-X", 1));
  EXPECT_FALSE(file_is_open(1));
  EXPECT_EQ(host.messages.size(), 1u);

  EXPECT_EQ(read_format_name(FORMAT_ASCII, false), u"ANSI, one byte per character");
  EXPECT_EQ(read_format_name(FORMAT_ASCII, true), u"ISO8859-1");
  EXPECT_EQ(read_format_name(FORMAT_KOI8_R, true), u"KOI8-R");
}

}  // namespace
