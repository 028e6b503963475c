// Word-list files in the encodings users have: the master and other lists,
// Bulk Import's Open and a text of names are decoded as the dictionary load
// decodes, so different accented words stay different.
#include "dictionary/dic_file.h"
#include "tools/master_wordlist.h"
#include "tools/possessive_names.h"
#include "tools/wordlist_tools.h"

#include "common/file.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct encoding {
  const char* name;
  const char* mark;
  int unit;          // bytes per unit: 1 one byte per character, 2 UTF-16, 4 UTF-32, 0 UTF-8
  bool big_endian;
};

const encoding kEncodings[] = {
    {"UTF-8", "", 0, false},
    {"UTF-8 with mark", "\xEF\xBB\xBF", 0, false},
    {"Latin-1", "", 1, false},
    {"UTF-16LE with mark", "\xFF\xFE", 2, false},
    {"UTF-16BE with mark", "\xFE\xFF", 2, true},
    {"UTF-32LE with mark", "\xFF\xFE\x00\x00", 4, false},
    {"UTF-32BE with mark", "\x00\x00\xFE\xFF", 4, true},
};

// The text's bytes in the encoding (every character of the tests is in
// Latin-1 and below U+10000).
std::string encode(const encoding& e, text_view text) {
  std::string bytes(e.mark, e.unit == 4 ? 4 : std::char_traits<char>::length(e.mark));
  if (e.unit == 0) {
    bytes += to_utf8(text);
    return bytes;
  }
  for (char16_t u : text) {
    for (int i = 0; i < e.unit; ++i) {
      const int shift = 8 * (e.big_endian ? e.unit - 1 - i : i);
      bytes += static_cast<char>(shift < 16 ? (u >> shift) & 0xFF : 0);
    }
  }
  return bytes;
}

std::vector<text_t> sorted(std::vector<text_t> v) {
  std::sort(v.begin(), v.end());
  return v;
}

class WordListEncodingTest : public test_support::temp_folder_test {
 protected:
  WordListEncodingTest() : temp_folder_test("vx_wordlist_encoding_test") {}
  void TearDown() override {
    file_close(-1);
    temp_folder_test::TearDown();
  }

  static std::vector<text_t> missing(const master_compare_result& r) {
    std::vector<text_t> out;
    for (const sort_work_record& w : r.missing_words) out.push_back(w.value);
    return sorted(out);
  }
};

// Two words that differ only in one accented letter, and letters beyond
// ASCII at the start and in the middle.
constexpr char16_t kMaster[] = u"caf\u00e9\nplain\n";
constexpr char16_t kOther[] = u"caf\u00e9\ncaf\u00e8\nna\u00efve\nplain\n\u00c6r\u00f8\n";
constexpr char16_t kNames[] = u"Visits: Z\u00fcrich (2019), \u00c6r\u00f8's harbour and z\u00fcrich.\n";

TEST_F(WordListEncodingTest, EveryWordListInputDecodesEachEncoding) {
  const std::vector<text_t> expected_missing = sorted({u"caf\u00e8", u"na\u00efve", u"\u00c6r\u00f8"});
  for (const encoding& e : kEncodings) {
    SCOPED_TRACE(e.name);
    write_bytes("master.txt", encode(e, kMaster));
    write_bytes("other.txt", encode(e, kOther));
    write_bytes("utf8_other.txt", encode(kEncodings[0], kOther));
    write_bytes("names.txt", encode(e, kNames));
    headless_long_job_host host;

    // Bulk Import's Open reads the file's text as it stands.
    text_t text;
    ASSERT_EQ(read_word_list_file(tpath("other.txt"), host, text), word_list_read_status::ok);
    EXPECT_EQ(text, kOther);

    // The master and the other lists, in the same encoding and beside a
    // UTF-8 list: the same words are missing.
    master_compare_result r = compare_with_master(tpath("master.txt"), {tpath("other.txt")}, host);
    ASSERT_EQ(r.status, master_compare_status::done);
    EXPECT_EQ(missing(r), expected_missing);
    EXPECT_EQ(r.master_lines, 2);
    r = compare_with_master(tpath("master.txt"), {tpath("utf8_other.txt")}, host);
    EXPECT_EQ(missing(r), expected_missing);

    // A text of names: each name is added once, with its accents.
    ASSERT_EQ(read_word_list_file(tpath("names.txt"), host, text), word_list_read_status::ok);
    list_document dictionary;
    dictionary.replace_all({u"Rome/M"}, u"test.dic");
    const possessive_result added = import_possessive_names(text, {}, 0, dictionary, host);
    ASSERT_EQ(added.status, possessive_status::done);
    EXPECT_EQ(dictionary.entries(),
              (std::vector<text_t>{u"Rome/M", u"Visits/M", u"Z\u00fcrich/M", u"\u00c6r\u00f8/M"}));
    EXPECT_TRUE(host.messages.empty());
  }
}

TEST_F(WordListEncodingTest, APartlyUtf8FileAsksNamingItsFirstBadLine) {
  // Valid UTF-8 on line 1, a Latin-1 byte on line 3.
  write_bytes("mixed.txt", "caf\xC3\xA9\nplain\nna\xEFve\n");
  write_bytes("other.txt", "plain\nzebra\n");
  const text_t mixed = tpath("mixed.txt");
  const text_t question = invalid_utf8_question(mixed, 3, FORMAT_UTF8);

  // No: nothing is read, and a run that needs the file stops.
  headless_long_job_host no;
  no.abort_answer = 7;
  text_t text = u"old";
  EXPECT_EQ(read_word_list_file(mixed, no, text), word_list_read_status::declined);
  EXPECT_EQ(text, u"");
  ASSERT_EQ(no.messages, std::vector<text_t>{question});
  for (const bool as_master : {true, false}) {
    headless_long_job_host stop;
    stop.abort_answer = 7;
    const master_compare_result r = as_master ? compare_with_master(mixed, {tpath("other.txt")}, stop)
                                              : compare_with_master(tpath("other.txt"), {mixed}, stop);
    EXPECT_EQ(r.status, master_compare_status::aborted) << as_master;
    EXPECT_EQ(r.step, as_master ? 1 : 2);
    EXPECT_TRUE(r.missing_words.empty());
    EXPECT_EQ(stop.messages, std::vector<text_t>{question});
    EXPECT_FALSE(stop.running);
  }

  // Yes: read as UTF-8, the bad byte as U+FFFD.
  headless_long_job_host yes;
  ASSERT_EQ(read_word_list_file(mixed, yes, text), word_list_read_status::ok);
  EXPECT_EQ(text, u"caf\u00e9\nplain\nna\uFFFDve\n");
  const master_compare_result r = compare_with_master(tpath("other.txt"), {mixed}, yes);
  ASSERT_EQ(r.status, master_compare_status::done);
  EXPECT_EQ(missing(r), sorted({u"caf\u00e9", u"na\uFFFDve"}));

  // A missing file or a folder cannot be read; nothing is asked.
  headless_long_job_host host;
  EXPECT_EQ(read_word_list_file(tpath("missing.txt"), host, text), word_list_read_status::unreadable);
  EXPECT_EQ(read_word_list_file(from_utf8(dir_), host, text), word_list_read_status::unreadable);
  EXPECT_TRUE(host.messages.empty());
}

}  // namespace
