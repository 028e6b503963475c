#include "editors/hyphenation/hyphenation_file.h"

#include "common/file.h"
#include "common/long_job.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class HyphenationFileTest : public test_support::temp_folder_test {
 protected:
  HyphenationFileTest() : temp_folder_test("vx_hyph_test") {}
  headless_long_job_host host_;
};

TEST_F(HyphenationFileTest, LoadsEveryEncodingWithLfLineEnds) {
  const struct {
    const char* name;
    std::string bytes;
    std::string text;  // UTF-8
    int format;
  } cases[] = {
      {"bom crlf", kBom + "UTF-8\r\nLEFTHYPHENMIN 2\r\n\xC3\xA4" "1b\r\n", "UTF-8\nLEFTHYPHENMIN 2\n\xC3\xA4" "1b\n",
       FORMAT_UTF8},
      {"utf-8 without mark, lone cr", "UTF-8\ra1b\r", "UTF-8\na1b\n", FORMAT_UTF8},
      // Held as UTF-8, the text says so at once.
      {"latin-1", "ISO8859-1\n\xE4" "1b\n", "UTF-8\n\xC3\xA4" "1b\n", FORMAT_ASCII},
      {"utf-16le", std::string("\xFF\xFEU\0T\0F\0-\0" "8\0\n\0", 14), "UTF-8\n", FORMAT_UTF16LE},
  };
  for (const auto& c : cases) {
    write_bytes("h.dic", c.bytes);
    const hyphenation_file_probe probe = probe_hyphenation_file(tpath("h.dic"));
    EXPECT_TRUE(probe.readable) << c.name;
    EXPECT_EQ(probe.format, c.format) << c.name;
    const hyphenation_file_result r = load_hyphenation_file(tpath("h.dic"), host_);
    ASSERT_EQ(r.status, hyphenation_file_status::ok) << c.name;
    EXPECT_EQ(to_utf8(r.text), c.text) << c.name;
    EXPECT_EQ(r.length, static_cast<int64_t>(c.bytes.size())) << c.name;
    EXPECT_EQ(to_utf8(r.status_text).rfind("OK. (dic:", 0), 0u) << to_utf8(r.status_text);
  }
}

TEST_F(HyphenationFileTest, EncodingQuestion) {
  const struct {
    const char* name;
    std::string bytes;
    const char* question;  // "" none
  } cases[] = {
      {"utf-8 with mark", kBom + "UTF-8\na1b\n", ""},
      {"lower-case line passes", "utf-8\na1b\n", ""},
      {"latin-1 file", "ISO8859-1\n\xE4" "1b\n",
       "Hyphenation is not in \"UTF-8-BOM\" format:\nISO8859-1\n\nIt will be read as ISO8859-1."
       "\nIts first line will read \"UTF-8\", the encoding it is saved in."
       "\n\nIt may lead to corrupt results.\nContinue?"},
      {"russian file", "KOI8-R\n\xC1" "1\xC2\n",
       "Hyphenation is not in \"UTF-8-BOM\" format:\nKOI8-R\n\nIt will be read as KOI8-R."
       "\nIts first line will read \"UTF-8\", the encoding it is saved in."
       "\n\nIt may lead to corrupt results.\nContinue?"},
      {"other spelling of a name", "iso-8859-2\na1b\n",
       "Hyphenation is not in \"UTF-8-BOM\" format:\nISO-8859-2\n\nIt will be read as ISO8859-2."
       "\nIts first line will read \"UTF-8\", the encoding it is saved in."
       "\n\nIt may lead to corrupt results.\nContinue?"},
      {"utf-8 under an 8-bit name", "ISO8859-2\n\xC5\xBA" "1b\n",
       "The first line declares the charset ISO8859-2, but the bytes of the file are valid UTF-8."
       "\nIt will be read as ISO8859-2.\nIts first line will read \"UTF-8\", the encoding it is saved in."
       "\n\nIt may lead to corrupt results.\nContinue?"},
      {"utf-8 named, one byte per character", "utf-8\n\xE4" "1b\n",
       "The file mixes UTF-8 with other bytes: line 2 is not valid UTF-8.\nIt will be read as UTF-8."
       "\n\nIt may lead to corrupt results.\nContinue?"},
      {"comment line first: nothing declared", "% patterns\n\xE4" "1b\n",
       "Hyphenation is not in \"UTF-8-BOM\" format:\n% PATTERNS\n\nIt will be read as one byte per character."
       "\nIts first line will read \"UTF-8\", the encoding it is saved in."
       "\n\nIt may lead to corrupt results.\nContinue?"},
      {"a charset that cannot be decoded: the load says so", "ISCII-DEVANAGARI\na1b\n", ""},
      {"mixed bytes, mostly UTF-8", "UTF-8\n\xC3\xA4" "1b\n\xC3\xB6" "1d\nx\n\xE4" "1c\n",
       "The file mixes UTF-8 with other bytes: line 5 is not valid UTF-8.\nIt will be read as UTF-8."
       "\n\nIt may lead to corrupt results.\nContinue?"},
  };
  for (const auto& c : cases) {
    write_bytes("h.dic", c.bytes);
    EXPECT_EQ(to_utf8(hyphenation_encoding_question(probe_hyphenation_file(tpath("h.dic")))), c.question)
        << c.name;
  }
}

TEST_F(HyphenationFileTest, RealGermanPatternsAreReadOneBytePerCharacter) {
  const std::string german = "/usr/share/hyphen/hyph_de_DE.dic";
  if (access(german.c_str(), R_OK) != 0) GTEST_SKIP() << "hyphen-de is not installed";
  const text_t path = from_utf8(german);
  const hyphenation_file_probe probe = probe_hyphenation_file(path);
  EXPECT_EQ(to_utf8(probe.first_line), "ISO8859-1");
  EXPECT_EQ(to_utf8(hyphenation_encoding_question(probe)).rfind("Hyphenation is not in \"UTF-8-BOM\" format:\n"
                                                                "ISO8859-1\n",
                                                                0),
            0u);
  const hyphenation_file_result r = load_hyphenation_file(path, host_);
  ASSERT_EQ(r.status, hyphenation_file_status::ok);
  EXPECT_TRUE(r.encoding_line_changed);
  EXPECT_EQ(r.text.rfind(u"UTF-8\n##", 0), 0u) << "the encoding line replaced, the rest kept";
  EXPECT_NE(r.text.find(u'\u00E4'), text_t::npos) << "ä read as one character";
  EXPECT_EQ(r.text.find(u'\uFFFD'), text_t::npos);
}

// The first line names the charset the patterns are written in, as
// libhyphen reads them: each 8-bit family comes in with its own letters and
// is held as UTF-8 at once; a name that cannot be decoded stops the load.
TEST_F(HyphenationFileTest, FirstLineCharsetDecodesThePatterns) {
  const struct {
    const char* name;
    std::string bytes;
    const char16_t* text;
  } cases[] = {
      {"ISO8859-2", "ISO8859-2\n\xBC" "1d\xBC\n\xB3" "1o\n", u"UTF-8\n\u017A1d\u017A\n\u01421o\n"},
      {"ISO8859-7", "ISO8859-7\n\xE1" "1\xF7\n", u"UTF-8\n\u03B11\u03C7\n"},
      {"KOI8-R", "KOI8-R\n\xC1" "1\xC2\n", u"UTF-8\n\u04301\u0431\n"},
      {"ISO8859-13", "ISO8859-13\n\xE0" "1\xEB\n", u"UTF-8\n\u01051\u0117\n"},
      {"ISO8859-5", "ISO8859-5\n\xD0" "1\xDA\n", u"UTF-8\n\u04301\u043A\n"},
      {"a mark wins over the line", kBom + "ISO8859-2\n\xC5\xBA" "1a\n", u"ISO8859-2\n\u017A1a\n"},
  };
  for (const auto& c : cases) {
    write_bytes("h.dic", c.bytes);
    const hyphenation_file_result r = load_hyphenation_file(tpath("h.dic"), host_);
    ASSERT_EQ(r.status, hyphenation_file_status::ok) << c.name;
    EXPECT_EQ(r.text, c.text) << c.name;
  }
  write_bytes("h.dic", "ISCII-DEVANAGARI\n\xA4" "1\xB3\n");
  const hyphenation_file_result refused = load_hyphenation_file(tpath("h.dic"), host_);
  EXPECT_EQ(refused.status, hyphenation_file_status::unknown_charset);
  EXPECT_TRUE(refused.text.empty());
  EXPECT_NE(to_utf8(refused.message).find("Line 1 of this file declares the charset \"ISCII-DEVANAGARI\""),
            std::string::npos)
      << to_utf8(refused.message);
  EXPECT_EQ(refused.status_text, u"Aborted.");
}

// No byte-order mark: the hyphenation library would take it as part of the
// encoding's name and read the file one byte per character.
TEST_F(HyphenationFileTest, SavesTextByteForByteWithoutMark) {
  write_bytes("h.dic", "old");
  const hyphenation_file_result r = save_hyphenation_file(tpath("h.dic"), u"UTF-8\r\n\u00E41b\rc1d", host_);
  ASSERT_EQ(r.status, hyphenation_file_status::ok);
  EXPECT_EQ(read_bytes("h.dic"), "UTF-8\n\xC3\xA4" "1b\nc1d");
  EXPECT_EQ(r.length, 14);
  EXPECT_FALSE(r.encoding_line_changed);
  EXPECT_EQ(to_utf8(r.notice), "");
  EXPECT_EQ(folder_names(), std::vector<std::string>{"h.dic"});
  // And back.
  EXPECT_EQ(to_utf8(load_hyphenation_file(tpath("h.dic"), host_).text), "UTF-8\n\xC3\xA4" "1b\nc1d");
}

// The file is written in UTF-8, so its first line, the encoding's name, says
// "UTF-8" whatever the text had there; a keyword or comment line is no
// encoding name and stays, with "UTF-8" in front. The user is told.
TEST_F(HyphenationFileTest, FirstLineIsWrittenAsUtf8) {
  const std::string why =
      "The file is written in UTF-8, and the hyphenation library reads its first line as the name of its encoding.";
  const struct {
    const char* text;
    const char* written;
    const char* notice;  // "" none
  } cases[] = {
      {"UTF-8\na1b\n", "UTF-8\na1b\n", ""},
      {"ISO8859-1\n\xC3\xA4" "1b\n", "UTF-8\n\xC3\xA4" "1b\n", nullptr},
      {"utf-8\r\na1b\r\n", "UTF-8\na1b\n", nullptr},
      {"UTF-8 extra\na1b\n", "UTF-8\na1b\n", nullptr},
      {"ISO8859-1", "UTF-8", nullptr},
      {"LEFTHYPHENMIN 2\na1b\n", "UTF-8\nLEFTHYPHENMIN 2\na1b\n", "inserted"},
      {"% patterns\na1b\n", "UTF-8\n% patterns\na1b\n", "inserted"},
  };
  for (const auto& c : cases) {
    const hyphenation_file_result r = save_hyphenation_file(tpath("h.dic"), from_utf8(c.text), host_);
    ASSERT_EQ(r.status, hyphenation_file_status::ok) << c.text;
    EXPECT_EQ(read_bytes("h.dic"), c.written) << c.text;
    EXPECT_EQ(to_utf8(r.text), c.written) << c.text;
    const std::string old_line = std::string(c.text).substr(0, std::string(c.text).find_first_of("\r\n"));
    std::string notice;
    if (c.notice == nullptr) {
      notice = "The first line named the encoding \"" + old_line + "\".\n" + why + "\n\nThe first line now reads \"UTF-8\".";
    } else if (*c.notice) {
      notice = "The first line did not name an encoding.\n" + why + "\n\n\"UTF-8\" was put in front as the first line.";
    }
    EXPECT_EQ(r.encoding_line_changed, !notice.empty()) << c.text;
    EXPECT_EQ(to_utf8(r.notice), notice) << c.text;
  }
}

TEST_F(HyphenationFileTest, FailedSaveKeepsTheOldFile) {
  if (geteuid() == 0) {
    // root writes into read-only folders: a missing folder fails for everyone.
    const hyphenation_file_result r = save_hyphenation_file(tpath("missing/h.dic"), u"UTF-8\na1b\n", host_);
    EXPECT_EQ(r.status, hyphenation_file_status::write_failed);
    EXPECT_EQ(to_utf8(r.status_text), "Aborted.");
    EXPECT_NE(to_utf8(r.message).find("missing/h.dic"), std::string::npos);
  }
  write_bytes("h.dic", "UTF-8\nold1pattern\n");
  chmod(dir_.c_str(), 0500);
  const hyphenation_file_result r = save_hyphenation_file(tpath("h.dic"), u"UTF-8\na1b\n", host_);
  chmod(dir_.c_str(), 0700);
  if (geteuid() != 0) {
    EXPECT_EQ(r.status, hyphenation_file_status::write_failed);
    EXPECT_EQ(read_bytes("h.dic"), "UTF-8\nold1pattern\n");
    EXPECT_EQ(folder_names(), std::vector<std::string>{"h.dic"});
  }
}

TEST(HyphenationText, HasPatterns) {
  const struct {
    const char* text;
    bool has;
  } cases[] = {{"UTF-8\n", false},
               {"UTF-8\nLEFTHYPHENMIN 2\nRIGHTHYPHENMIN 3\n% note\n\n", false},
               {"UTF-8\n12\n", false},
               {"UTF-8\na1b\n", true},
               {"UTF-8\r\n.un1", true}};
  for (const auto& c : cases) EXPECT_EQ(hyphenation_text_has_patterns(from_utf8(c.text)), c.has) << c.text;
}

}  // namespace
