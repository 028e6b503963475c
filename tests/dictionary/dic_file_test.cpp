#include "dictionary/dic_file.h"

#include "common/charset.h"
#include "common/file.h"
#include "common/long_job.h"
#include "tests/test_support/field_readers.h"
#include "tests/test_support/size_limit.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class DicFileTest : public test_support::temp_folder_test {
 protected:
  DicFileTest() : temp_folder_test("vx_dic_test") {}
  void write_pair(const std::string& stem, const std::string& dic, const std::string& aff) {
    write_bytes(stem + ".dic", dic);
    write_bytes(stem + ".aff", aff);
  }
  headless_long_job_host host_;
};

std::string dictionary_aff_path_utf8(const std::string& dic) { return to_utf8(dictionary_aff_path(from_utf8(dic))); }

// The value of the first SET line of a .aff's bytes ("" when none).
text_t find_aff_set_line_value(const std::string& aff_bytes) {
  text_t units;
  for (char c : aff_bytes) units.push_back(static_cast<unsigned char>(c));
  return text_t(find_aff_set_line(units).value);
}

std::vector<std::string> utf8_entries(const list_document& doc) {
  std::vector<std::string> out;
  for (const text_view e : doc.entries()) out.push_back(to_utf8(e));
  return out;
}

std::string utf16le(const std::u16string& s) {
  std::string out = "\xFF\xFE";
  for (char16_t u : s) {
    out.push_back(static_cast<char>(u & 0xFF));
    out.push_back(static_cast<char>(u >> 8));
  }
  return out;
}

// The text with a byte-order mark in UTF-16BE (width 2) or UTF-32 (width 4).
std::string marked_wide(const std::u32string& s, int width, bool big) {
  std::string out;
  auto put = [&](uint32_t u) {
    for (int i = 0; i < width; ++i) out.push_back(static_cast<char>(u >> (8 * (big ? width - 1 - i : i))));
  };
  put(0xFEFF);
  for (char32_t c : s) put(c);
  return out;
}

struct dic_case {
  const char* name;
  std::string file;                  // .dic bytes as found
  std::vector<std::string> entries;  // entries in memory (UTF-8 here)
  std::string saved;                 // .dic bytes after the BOM as written
  std::string aff = "SET UTF-8\n";    // declares the .dic's charset
};

TEST_F(DicFileTest, RoundTripByteTable) {
  const dic_case cases[] = {
      {"two tabs", "1\ncat/SM\tpo:noun\tis:pl\n", {"cat/SM\npo:noun\tis:pl"}, "1\ncat/SM\tpo:noun\tis:pl\n"},
      {"crlf", "2\r\na\r\nb/X\r\n", {"a", "b/X"}, "2\na\nb/X\n"},
      {"lone cr", "2\ra\rb", {"a", "b"}, "2\na\nb\n"},
      {"no final lf", "2\na\nb", {"a", "b"}, "2\na\nb\n"},
      {"trailing blank line", "2\na\nb\n\n", {"a", "b", ""}, "3\na\nb\n\n"},
      {"count line only", "1\n", {""}, "1\n\n"},
      {"count without lf", "7", {""}, "1\n\n"},
      {"wrong count", "9\na\nb\n", {"a", "b"}, "2\na\nb\n"},
      {"utf-8 without bom", "2\nStra\xc3\x9f" "e/N\n\xc3\xa9t\xc3\xa9\tpo:nom\n",
       {"Stra\xc3\x9f" "e/N", "\xc3\xa9t\xc3\xa9\npo:nom"}, "2\nStra\xc3\x9f" "e/N\n\xc3\xa9t\xc3\xa9\tpo:nom\n"},
      {"utf-8 with bom", kBom + "2\nna\xc3\xafve\nx\n", {"na\xc3\xafve", "x"}, "2\nna\xc3\xafve\nx\n"},
      {"ISO8859-1 declared", "1\ncaf\xe9/S\n", {"caf\xc3\xa9/S"}, "1\ncaf\xc3\xa9/S\n", "SET ISO8859-1\n"},
      {"no SET line: ISO8859-1", "1\ncaf\xe9/S\n", {"caf\xc3\xa9/S"}, "1\ncaf\xc3\xa9/S\n", "TRY a\n"},
      {"ISO8859-2 declared", "1\n\xbc" "d\xbc" "b\xb3o/S\n", {"\xc5\xba" "d\xc5\xba" "b\xc5\x82o/S"},
       "1\n\xc5\xba" "d\xc5\xba" "b\xc5\x82o/S\n", "SET ISO8859-2\n"},
      {"UTF-8 declared, one byte found", "1\ncaf\xe9/S\n", {"caf\xef\xbf\xbd/S"}, "1\ncaf\xef\xbf\xbd/S\n"},
      {"a mark of its own wins", kBom + "1\n\xc5\xba" "d\n", {"\xc5\xba" "d"}, "1\n\xc5\xba" "d\n", "SET ISO8859-2\n"},
      {"utf-16le with bom", utf16le(u"2\r\n\u00e9t\u00e9\tpo:n\r\n\u20ac/X\r\n"),
       {"\xc3\xa9t\xc3\xa9\npo:n", "\xe2\x82\xac/X"}, "2\n\xc3\xa9t\xc3\xa9\tpo:n\n\xe2\x82\xac/X\n"},
      {"escaped slash and semicolon", "1\nand\\/or/A;B\n", {"and\\/or/A;B"}, "1\nand\\/or/A;B\n"},
      {"utf-16be with bom", marked_wide(U"2\n\u00e9t\u00e9\tpo:n\n\u20ac/X\n", 2, true),
       {"\xc3\xa9t\xc3\xa9\npo:n", "\xe2\x82\xac/X"}, "2\n\xc3\xa9t\xc3\xa9\tpo:n\n\xe2\x82\xac/X\n"},
      {"utf-32le with bom", marked_wide(U"1\r\n\u00c4pfel\U0001F600\r\n", 4, false), {"\xc3\x84pfel\xf0\x9f\x98\x80"},
       "1\n\xc3\x84pfel\xf0\x9f\x98\x80\n"},
      {"utf-32be with bom", marked_wide(U"1\n\u00c4pfel\n", 4, true), {"\xc3\x84pfel"}, "1\n\xc3\x84pfel\n"},
      {"zero byte inside an entry", std::string("1\nab\0cd\n", 8), {"ab\xef\xbf\xbd" "cd"}, "1\nab\xef\xbf\xbd" "cd\n"},
  };
  for (const dic_case& c : cases) {
    write_pair("d", c.file, c.aff);
    list_document doc;
    text_t aff;
    dic_file_result r = load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff);
    ASSERT_EQ(r.status, dic_file_status::ok) << c.name;
    EXPECT_EQ(utf8_entries(doc), c.entries) << c.name;
    EXPECT_EQ(r.dic_size, static_cast<int64_t>(c.file.size())) << c.name;
    doc.mark_changed();
    dic_file_result s = save_dictionary_pair(T(path("out.dic").c_str()), doc, aff, host_);
    ASSERT_EQ(s.status, dic_file_status::ok) << c.name;
    EXPECT_EQ(read_bytes("out.dic"), kBom + c.saved) << c.name;
    EXPECT_EQ(s.dic_size, static_cast<int64_t>(kBom.size() + c.saved.size())) << c.name;
    EXPECT_FALSE(doc.changed()) << c.name;
  }
}

TEST_F(DicFileTest, AffIsReadWholeWithLineEndsNormalisedAndWrittenAsItStands) {
  write_pair("d", "1\nw\n", "SET UTF-8\r\nTRY \xc3\xa9\rKEY x");  // no final line end
  list_document doc;
  text_t aff;
  ASSERT_EQ(load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  EXPECT_EQ(aff, T("SET UTF-8\nTRY \xc3\xa9\nKEY x"));
  aff += T("\r\nWORDCHARS x");  // an edit with a CR LF
  ASSERT_EQ(save_dictionary_pair(T(path("d.dic").c_str()), doc, aff, host_).status, dic_file_status::ok);
  EXPECT_EQ(read_bytes("d.aff"), kBom + "SET UTF-8\nTRY \xc3\xa9\nKEY x\nWORDCHARS x");
}

TEST_F(DicFileTest, LoadReplacesTheDocumentAndReportsSizes) {
  write_pair("d", "3\na\nb\nc\n", std::string(2048, 'x'));
  list_document doc;
  doc.replace_all({T("old")}, T("/old.dic"));
  doc.select(0);
  doc.set_first_row(5);
  doc.mark_changed();
  doc.save_undo();
  text_t aff;
  host_.tick_every = 2;
  int64_t last_ticked = -1;
  dic_file_result r = load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff,
                                           [&](int64_t n) { last_ticked = n; });
  ASSERT_EQ(r.status, dic_file_status::ok);
  EXPECT_EQ(r.entries, 3);
  EXPECT_EQ(last_ticked, 2);  // ticks see the entries read so far
  EXPECT_EQ(doc.count(), 3);
  EXPECT_EQ(doc.checked().size(), 3u);
  EXPECT_EQ(doc.selected(), -1);
  EXPECT_EQ(doc.first_row(), 0);
  EXPECT_FALSE(doc.changed());
  EXPECT_FALSE(doc.can_undo());
  EXPECT_EQ(doc.path(), T(path("d.dic").c_str()));
  EXPECT_EQ(to_utf8(r.status_text).rfind("OK. (aff:2.0 kB)+(dic:8 bytes) \xe2\x8c\x9a" "00m00s", 0), 0u);
  EXPECT_EQ(host_.status, r.status_text);
  EXPECT_FALSE(host_.running);
  EXPECT_EQ(host_.total, 8);
}

TEST_F(DicFileTest, MissingFilesAreRefusedAffFirst) {
  list_document doc;
  text_t aff;
  EXPECT_EQ(load_dictionary_pair(T(path("none.dic").c_str()), host_, doc, aff).status,
            dic_file_status::aff_not_found);
  write_bytes("e.dic", "1\na\n");
  write_bytes("e.aff", "");  // empty counts as not found
  dic_file_result r = load_dictionary_pair(T(path("e.dic").c_str()), host_, doc, aff);
  EXPECT_EQ(r.status, dic_file_status::aff_not_found);
  EXPECT_EQ(r.message, T(".AFF file Not found."));
  EXPECT_EQ(r.status_text, T("File not found."));
  write_bytes("f.aff", "SET UTF-8\n");
  r = load_dictionary_pair(T(path("f.dic").c_str()), host_, doc, aff);
  EXPECT_EQ(r.status, dic_file_status::dic_not_found);
  EXPECT_EQ(r.message, T(".DIC file Not found."));
  // An upper-case DIC finds the lower-case aff.
  write_bytes("U.DIC", "1\nw\n");
  write_bytes("U.aff", "SET UTF-8\n");
  EXPECT_EQ(load_dictionary_pair(T(path("U.DIC").c_str()), host_, doc, aff).status, dic_file_status::ok);
  EXPECT_EQ(host_.starts, 1);  // refusals start no job
}

TEST(DicFilePaths, AffPathTable) {
  const std::pair<const char*, const char*> cases[] = {
      {"/a/en_US.dic", "/a/en_US.aff"}, {"/a/X.DIC", "/a/X.aff"},   {"/a/x.y.dic", "/a/x.y.aff"},
      {"/a.b/words", "/a.b/words.aff"}, {"/a/.dic", "/a/.dic.aff"}, {"rel.dic", "rel.aff"},
  };
  for (const auto& [dic, aff] : cases) EXPECT_EQ(dictionary_aff_path(T(dic)), T(aff)) << dic;
}

// An aborted load leaves the previous document, path, flag and history.
TEST_F(DicFileTest, AbortedLoadKeepsThePreviousDictionary) {
  write_pair("d", "5\na\nb\nc\nd\ne\n", "SET UTF-8\n");
  list_document doc;
  doc.replace_all({T("x"), T("y")}, T("/prev.dic"));
  doc.select(1);
  doc.delete_selected();  // changed, Undo available
  text_t aff = T("PREV");
  host_.escape_at_poll = 3;
  host_.abort_answer = 6;
  dic_file_result r = load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff);
  EXPECT_EQ(r.status, dic_file_status::aborted);
  EXPECT_EQ(r.status_text, T("Aborted."));
  EXPECT_EQ(host_.status, T("Aborted."));
  EXPECT_FALSE(host_.running);
  EXPECT_EQ(utf8_entries(doc), std::vector<std::string>{"x"});
  EXPECT_EQ(doc.path(), T("/prev.dic"));
  EXPECT_TRUE(doc.changed());
  EXPECT_TRUE(doc.can_undo());
  EXPECT_EQ(aff, T("PREV"));
  // Answering No goes on to the end.
  host_.escape_at_poll = host_.polls + 2;
  host_.abort_answer = 7;
  EXPECT_EQ(load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  EXPECT_EQ(doc.count(), 5);
}

TEST_F(DicFileTest, SaveRefusals) {
  list_document doc;
  dic_file_result r = save_dictionary_pair(T(path("x.dic").c_str()), doc, T("SET UTF-8"), host_);
  EXPECT_EQ(r.status, dic_file_status::no_words);
  EXPECT_EQ(r.message, T("No dictionary words found."));
  EXPECT_EQ(dic_file_message_title(r.status), T("Warning!"));
  doc.append(T("w"));
  r = save_dictionary_pair(T(path("x.dic").c_str()), doc, T(""), host_);
  EXPECT_EQ(r.status, dic_file_status::aff_empty);
  EXPECT_EQ(r.message, T("The .AFF file is empty."));
  EXPECT_TRUE(folder_names().empty());
}

// Escape during the save keeps the old pair and leaves no temporary behind.
TEST_F(DicFileTest, AbortedSaveKeepsTheOldPair) {
  write_pair("d", "2\nold1\nold2\n", "OLD AFF\n");
  list_document doc;
  doc.replace_all({T("n1"), T("n2"), T("n3")}, T(path("d.dic").c_str()));
  doc.mark_changed();
  host_.escape_at_poll = 2;
  dic_file_result r = save_dictionary_pair(T(path("d.dic").c_str()), doc, T("NEW AFF\n"), host_);
  EXPECT_EQ(r.status, dic_file_status::aborted);
  EXPECT_EQ(read_bytes("d.dic"), "2\nold1\nold2\n");
  EXPECT_EQ(read_bytes("d.aff"), "OLD AFF\n");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"d.aff", "d.dic"}));
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(host_.status, T("Aborted."));
  EXPECT_FALSE(host_.running);
}

TEST_F(DicFileTest, SaveIntoReadOnlyFolderKeepsOldFilesPathAndChangedFlag) {
  write_pair("d", "1\nold\n", "OLD AFF\n");
  chmod(path("d.dic").c_str(), 0644);
  chmod(path("d.aff").c_str(), 0644);
  ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
  const text_t target = T(path("d.dic").c_str());
  bool held = test_support::run_without_write_access([&] {
    list_document doc;
    doc.replace_all({T("new")}, T("/elsewhere/prev.dic"));
    doc.mark_changed();
    headless_long_job_host host;
    dic_file_result r = save_dictionary_pair(target, doc, T("NEW AFF"), host);
    return r.status == dic_file_status::write_failed && doc.changed() && doc.path() == T("/elsewhere/prev.dic") &&
           !r.failed_path.empty() && dic_file_message_title(r.status) == T("Error!") &&
           to_utf8(r.message).find(to_utf8(r.failed_path)) != std::string::npos &&
           host.status == T("Aborted.") && !host.running;
  });
  EXPECT_TRUE(held);
  EXPECT_EQ(read_bytes("d.dic"), "1\nold\n");
  EXPECT_EQ(read_bytes("d.aff"), "OLD AFF\n");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"d.aff", "d.dic"}));
}

TEST_F(DicFileTest, SaveReportsSizesAndSetsPath) {
  list_document doc;
  doc.replace_all({T("a"), T("b\nt")}, T(""));
  doc.mark_changed();
  dic_file_result r = save_dictionary_pair(T(path("new.dic").c_str()), doc, T("SET UTF-8"), host_);
  ASSERT_EQ(r.status, dic_file_status::ok);
  EXPECT_EQ(read_bytes("new.aff"), kBom + "SET UTF-8");
  EXPECT_EQ(read_bytes("new.dic"), kBom + "2\na\nb\tt\n");
  EXPECT_EQ(doc.path(), T(path("new.dic").c_str()));
  EXPECT_FALSE(doc.changed());
  EXPECT_EQ(to_utf8(r.status_text).rfind("OK. (aff:12 bytes)+(dic:11 bytes) \xe2\x8c\x9a", 0), 0u);
}

using test_support::iconv_to_utf8;

// Every installed Debian dictionary, whatever its charset: loading and
// saving changes no entry, the saved .aff is the loaded one as a save
// writes it, and past the count line the saved .dic holds the original's
// text in UTF-8 (for a UTF-8 file the same bytes; for an 8-bit one what
// iconv makes of them).
TEST_F(DicFileTest, RealDictionariesRoundTrip) {
  std::vector<std::string> dics;
  for (const std::string& dic : test_support::installed_files("/usr/share/hunspell", ".dic"))
    if (access(dictionary_aff_path_utf8(dic).c_str(), R_OK) == 0) dics.push_back(dic);
  if (dics.empty()) GTEST_SKIP() << "no hunspell dictionaries installed";
  int by_bytes = 0;
  for (const std::string& dic : dics) {
    SCOPED_TRACE(dic);
    list_document doc;
    text_t aff;
    headless_long_job_host host;
    const dic_file_result loaded = load_dictionary_pair(T(dic.c_str()), host, doc, aff);
    // A pair whose .aff names a charset the program cannot decode is refused by name.
    if (loaded.status == dic_file_status::unknown_charset) {
      EXPECT_NE(to_utf8(loaded.message).find("declares the charset"), std::string::npos);
      continue;
    }
    ASSERT_EQ(loaded.status, dic_file_status::ok);
    // The only question a Debian file raises: a stray byte under SET UTF-8
    // (hu_HU.aff has ISO8859-2 names in its comments).
    for (const text_t& asked : host.messages) EXPECT_NE(to_utf8(asked).find("is not valid UTF-8"), std::string::npos);
    host.messages.clear();
    ASSERT_EQ(save_dictionary_pair(T(path("out.dic").c_str()), doc, aff, host).status, dic_file_status::ok);
    list_document again;
    text_t aff_again;
    ASSERT_EQ(load_dictionary_pair(T(path("out.dic").c_str()), host, again, aff_again).status, dic_file_status::ok);
    EXPECT_TRUE(again.entries() == doc.entries());
    EXPECT_EQ(aff_again, aff_text_as_saved(doc, aff));

    std::string original = test_support::read_file(dic);
    const std::string charset = to_utf8(find_aff_set_line_value(test_support::read_file(dictionary_aff_path_utf8(dic))));
    std::string expected;
    if (original.rfind(kBom, 0) == 0 || original.find('\r') != std::string::npos) continue;
    if (charset == "UTF-8" || charset == "utf-8") {
      expected = original;
    } else if (!iconv_to_utf8(original, charset.empty() ? "ISO-8859-1" : charset, expected)) {
      continue;
    }
    if (expected.empty() || expected.back() != '\n') expected += '\n';
    const std::string saved = read_bytes("out.dic");
    ASSERT_EQ(saved.rfind(kBom, 0), 0u);
    EXPECT_TRUE(saved.substr(saved.find('\n')) == expected.substr(expected.find('\n')));
    ++by_bytes;
  }
  EXPECT_GT(by_bytes, 0);
}

// A zero byte is a character: the .aff is read and saved whole.
TEST_F(DicFileTest, ZeroByteDoesNotCutTheAff) {
  std::string aff = "SET UTF-8\n";
  for (int i = 0; i < 200; ++i) aff += "SFX A 0 s" + std::to_string(i) + " .\n";
  aff.insert(aff.size() / 10, 1, '\0');
  write_pair("d", "1\nw\n", aff);
  list_document doc;
  text_t aff_text;
  ASSERT_EQ(load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff_text).status, dic_file_status::ok);
  ASSERT_EQ(save_dictionary_pair(T(path("out.dic").c_str()), doc, aff_text, host_).status, dic_file_status::ok);
  std::string expected = aff;
  expected.replace(aff.size() / 10, 1, "\xEF\xBF\xBD");
  EXPECT_EQ(read_bytes("out.aff"), kBom + expected);
}

// A file that is valid UTF-8 but for a stray byte is not read silently:
// the question names the line; Yes reads it as UTF-8 with U+FFFD for the
// bad byte, so a save changes nothing else; No keeps the open dictionary.
TEST_F(DicFileTest, PartlyValidUtf8AsksWithTheLineAndNoKeepsTheDictionary) {
  const std::string dic = "3\n\xc3\xa9t\xc3\xa9\nca\xFF" "fe\nna\xc3\xafve\n";
  write_pair("d", dic, "SET UTF-8\n");
  list_document doc;
  doc.replace_all({T("kept")}, T("/prev.dic"));
  text_t aff = T("PREV");
  host_.abort_answer = 7;
  dic_file_result r = load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff);
  EXPECT_EQ(r.status, dic_file_status::aborted);
  EXPECT_EQ(r.status_text, T("Aborted."));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], invalid_utf8_question(T(path("d.dic").c_str()), 3, 2));
  EXPECT_NE(to_utf8(host_.messages[0]).find("Line 3 of this file is not valid UTF-8:\n" + path("d.dic")),
            std::string::npos);
  EXPECT_EQ(utf8_entries(doc), std::vector<std::string>{"kept"});
  EXPECT_EQ(aff, T("PREV"));
  EXPECT_EQ(host_.starts, 0);

  host_.abort_answer = 6;
  ASSERT_EQ(load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  EXPECT_EQ(utf8_entries(doc), (std::vector<std::string>{"\xc3\xa9t\xc3\xa9", "ca\xef\xbf\xbd" "fe", "na\xc3\xafve"}));
  ASSERT_EQ(save_dictionary_pair(T(path("out.dic").c_str()), doc, aff, host_).status, dic_file_status::ok);
  EXPECT_EQ(read_bytes("out.dic"), kBom + "3\n\xc3\xa9t\xc3\xa9\nca\xef\xbf\xbd" "fe\nna\xc3\xafve\n");

  // The .aff is asked about too.
  write_pair("a", "1\nw\n", "SET UTF-8\nTRY \xc3\xa9\n# \xE9\n");
  host_.messages.clear();
  host_.abort_answer = 7;
  EXPECT_EQ(load_dictionary_pair(T(path("a.dic").c_str()), host_, doc, aff).status, dic_file_status::aborted);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], invalid_utf8_question(T(path("a.aff").c_str()), 3, 2));
}

// Debian's fr.dic with one stray 0xFF: Yes keeps every other entry intact.
TEST_F(DicFileTest, RealDictionaryWithOneStrayByte) {
  std::string original = test_support::read_file("/usr/share/hunspell/fr.dic");
  if (original.empty()) GTEST_SKIP() << "Debian's fr dictionary is not installed";
  size_t at = original.find('\n', original.size() / 2) + 1;  // the start of a line
  int64_t line = std::count(original.begin(), original.begin() + static_cast<std::ptrdiff_t>(at), '\n') + 1;
  std::string damaged = original;
  damaged.insert(at, 1, '\xFF');
  write_pair("fr", damaged, test_support::read_file("/usr/share/hunspell/fr.aff"));
  list_document doc;
  text_t aff;
  ASSERT_EQ(load_dictionary_pair(T(path("fr.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], invalid_utf8_question(T(path("fr.dic").c_str()), line, 2));
  ASSERT_EQ(save_dictionary_pair(T(path("out.dic").c_str()), doc, aff, host_).status, dic_file_status::ok);
  std::string saved = read_bytes("out.dic");
  std::string expected = original;
  expected.insert(at, "\xEF\xBF\xBD");
  EXPECT_TRUE(saved.substr(saved.find('\n')) == expected.substr(expected.find('\n')));
}

// A read error while the format is detected fails the load; the open
// dictionary stays.
TEST_F(DicFileTest, ReadErrorWhileDetectingFailsTheLoad) {
  write_pair("d", "1\ncaf\xc3\xa9\n", "SET UTF-8\n");
  // Reads: the .aff's mark (its SET line is in the same buffer), its mark
  // again and its scan (three), its text (one); then the .dic's mark and scan.
  const std::pair<int, const char*> faults[] = {{0, "d.aff"}, {1, "d.aff"}, {2, "d.aff"}, {4, "d.aff"},
                                                {5, "d.dic"}, {6, "d.dic"}};
  for (const auto& [after, failed] : faults) {
    list_document doc;
    doc.replace_all({T("kept")}, T("/prev.dic"));
    text_t aff = T("PREV");
    file_inject_fault(file_fault::read, after);
    dic_file_result r = load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff);
    file_clear_faults();
    EXPECT_EQ(r.status, dic_file_status::read_failed) << after;
    EXPECT_EQ(r.failed_path, T(path(failed).c_str())) << after;
    EXPECT_EQ(utf8_entries(doc), std::vector<std::string>{"kept"}) << after;
    EXPECT_EQ(aff, T("PREV")) << after;
  }
}

TEST(DicFileAff, SetLinesNameUtf8) {
  const struct {
    const char* text;
    const char* saved;
    const char* replaced;
  } cases[] = {
      {"SET ISO8859-1\nTRY \xc3\xa4", "SET UTF-8\nTRY \xc3\xa4", "ISO8859-1"},
      {"# c\n  SET\tKOI8-R  # note\nSET cp1252", "# c\n  SET\tUTF-8  # note\nSET UTF-8", "KOI8-R"},
      {"SET UTF-8\n", "SET UTF-8\n", ""},
      {"SET utf-8", "SET utf-8", ""},
      {"# SET ISO8859-1\nSETX a\nset ISO8859-1\nSET", "# SET ISO8859-1\nSETX a\nset ISO8859-1\nSET", ""},
  };
  for (const auto& c : cases) {
    text_t replaced = T("x");
    EXPECT_EQ(aff_text_declaring_utf8(T(c.text), &replaced), T(c.saved)) << c.text;
    EXPECT_EQ(replaced, T(c.replaced)) << c.text;
  }
}

using test_support::hunspell_rejects;

// A .dic that holds valid multi-byte UTF-8 under an 8-bit SET line asks
// before anything is shown, naming both: Yes reads it by the SET line (as
// Hunspell does), No as UTF-8, Cancel keeps the open dictionary.
TEST_F(DicFileTest, BytesAgainstTheSetLineAsk) {
  write_pair("d", "1\n\xc5\xba" "d\xc5\xba" "b\xc5\x82o\n", "SET ISO8859-2\n");
  const struct {
    int answer;
    dic_file_status status;
    const char* entry;
  } cases[] = {
      {6, dic_file_status::ok, "\xc4\xb9\xc5\x9f" "d\xc4\xb9\xc5\x9f" "b\xc4\xb9\xc2\x82o"},
      {7, dic_file_status::ok, "\xc5\xba" "d\xc5\xba" "b\xc5\x82o"},
      {2, dic_file_status::aborted, "kept"},
  };
  for (const auto& c : cases) {
    list_document doc;
    doc.replace_all({T("kept")}, T("/prev.dic"));
    text_t aff = T("PREV");
    host_.messages.clear();
    host_.abort_answer = c.answer;
    EXPECT_EQ(load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff).status, c.status) << c.answer;
    ASSERT_EQ(host_.messages.size(), 1u) << c.answer;
    const std::string asked = to_utf8(host_.messages[0]);
    EXPECT_NE(asked.find("declares the charset ISO8859-2 (line 1), but its bytes are valid UTF-8"), std::string::npos)
        << asked;
    EXPECT_NE(asked.find(path("d.dic")), std::string::npos);
    EXPECT_EQ(utf8_entries(doc), std::vector<std::string>{c.entry}) << c.answer;
  }
}

// A charset the program cannot decode stops the load, naming the charset
// and its line; nothing is shown, so nothing can be saved from it.
TEST_F(DicFileTest, UndecodableCharsetIsRefusedByName) {
  write_pair("d", "1\n\xa4\xb3\n", "# Marathi\nSET ISCII-DEVANAGARI\nTRY \xa4\n");
  list_document doc;
  doc.replace_all({T("kept")}, T("/prev.dic"));
  text_t aff = T("PREV");
  const dic_file_result r = load_dictionary_pair(T(path("d.dic").c_str()), host_, doc, aff);
  EXPECT_EQ(r.status, dic_file_status::unknown_charset);
  EXPECT_EQ(dic_file_message_title(r.status), T("Error!"));
  EXPECT_NE(to_utf8(r.message).find("Line 2 of this file declares the charset \"ISCII-DEVANAGARI\""), std::string::npos)
      << to_utf8(r.message);
  EXPECT_NE(to_utf8(r.message).find(path("d.aff")), std::string::npos);
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(utf8_entries(doc), std::vector<std::string>{"kept"});
  EXPECT_EQ(aff, T("PREV"));
}

// Without a SET line Hunspell reads both files as ISO8859-1: a save in
// UTF-8 puts "SET UTF-8" at the top when the pair holds any other letter,
// tells the user, and Hunspell gives the copy the same verdicts.
TEST_F(DicFileTest, PairWithoutSetLineGetsOneWhenItNeedsIt) {
  write_pair("ascii", "1\nApfel/U\n", "PFX U Y 1\nPFX U 0 un .\n");
  list_document doc;
  text_t aff;
  ASSERT_EQ(load_dictionary_pair(T(path("ascii.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  dic_file_result r = save_dictionary_pair(T(path("ascii_out.dic").c_str()), doc, aff, host_);
  ASSERT_EQ(r.status, dic_file_status::ok);
  EXPECT_FALSE(r.set_line_added);
  EXPECT_EQ(read_bytes("ascii_out.aff"), kBom + "PFX U Y 1\nPFX U 0 un .\n");
  EXPECT_TRUE(host_.messages.empty());

  write_pair("de", "2\n\xC4" "bte\nApfel/U\n", "PFX U Y 1\nPFX U 0 \xFC" "ber .\n");
  ASSERT_EQ(load_dictionary_pair(T(path("de.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  EXPECT_EQ(utf8_entries(doc), (std::vector<std::string>{"\xc3\x84" "bte", "Apfel/U"}));
  r = save_dictionary_pair(T(path("out.dic").c_str()), doc, aff, host_);
  ASSERT_EQ(r.status, dic_file_status::ok);
  EXPECT_TRUE(r.set_line_added);
  EXPECT_EQ(read_bytes("out.aff"), kBom + "SET UTF-8\nPFX U Y 1\nPFX U 0 \xc3\xbc" "ber .\n");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(to_utf8(host_.messages[0]).find("SET UTF-8"), std::string::npos);
  EXPECT_EQ(aff_text_as_saved(doc, aff), from_utf8("SET UTF-8\nPFX U Y 1\nPFX U 0 \xc3\xbc" "ber .\n"));
  if (!test_support::have_hunspell()) return;
  const std::string words = "\xc3\x84" "bte\n\xc3\xbc" "berApfel\nApfel\nunApfel\n";
  EXPECT_EQ(hunspell_rejects(path("de"), words, dir_), "unApfel\n");
  EXPECT_EQ(hunspell_rejects(path("out"), words, dir_), "unApfel\n");
}

// One-character flags beyond ASCII are one byte in an 8-bit file: the copy
// in UTF-8 says "FLAG UTF-8", or Hunspell would read "ą" and "ć" (C4 85,
// C4 87) as one flag C4 and give both words both suffixes.
TEST_F(DicFileTest, EightBitFlagsBeyondAsciiStayOneFlagEach) {
  write_pair("pl", "2\nkot/\xB1\npies/\xE6\n",
             "SET ISO8859-2\nSFX \xB1 Y 1\nSFX \xB1 0 a .\n\nSFX \xE6 Y 1\nSFX \xE6 0 b .\n");
  list_document doc;
  text_t aff;
  ASSERT_EQ(load_dictionary_pair(T(path("pl.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  ASSERT_EQ(save_dictionary_pair(T(path("out.dic").c_str()), doc, aff, host_).status, dic_file_status::ok);
  EXPECT_EQ(read_bytes("out.aff"), kBom + "SET UTF-8\nFLAG UTF-8\nSFX \xC4\x85 Y 1\nSFX \xC4\x85 0 a .\n\n"
                                          "SFX \xC4\x87 Y 1\nSFX \xC4\x87 0 b .\n");
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(to_utf8(host_.messages[0]).find("\"FLAG UTF-8\""), std::string::npos);
  // An ASCII-flagged pair is left in the default mode.
  write_pair("plain", "1\nkot/A\n", "SET ISO8859-2\nSFX A Y 1\nSFX A 0 \xB1 .\n");
  ASSERT_EQ(load_dictionary_pair(T(path("plain.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  EXPECT_EQ(to_utf8(aff_text_as_saved(doc, aff)), "SET UTF-8\nSFX A Y 1\nSFX A 0 \xC4\x85 .\n");
  if (!test_support::have_hunspell()) return;
  const std::string words = "kot\nkota\nkotb\npies\npiesa\npiesb\n";
  EXPECT_EQ(hunspell_rejects(path("pl"), words, dir_), "kotb\npiesa\n");
  EXPECT_EQ(hunspell_rejects(path("out"), words, dir_), "kotb\npiesa\n");
}

// A Latin-1 pair opens correctly and is saved in UTF-8 with SET UTF-8, the
// user being told: Hunspell accepts its accented words before and after.
TEST_F(DicFileTest, Latin1PairIsSavedAsUtf8ThatHunspellReads) {
  if (access("/usr/bin/hunspell", X_OK) != 0) GTEST_SKIP() << "hunspell is not installed";
  write_pair("de", "3\n\xC4" "bte\n\xC4" "cker\nApfel/U\n", "SET ISO8859-1\nPFX U Y 1\nPFX U A \xC4 A\n");
  const std::string words = "\xc3\x84" "bte\n\xc3\x84" "cker\n\xc3\x84pfel\nApfel\n";
  ASSERT_EQ(hunspell_rejects(path("de"), words, dir_), "");
  list_document doc;
  text_t aff;
  ASSERT_EQ(load_dictionary_pair(T(path("de.dic").c_str()), host_, doc, aff).status, dic_file_status::ok);
  EXPECT_EQ(utf8_entries(doc), (std::vector<std::string>{"\xc3\x84" "bte", "\xc3\x84" "cker", "Apfel/U"}));
  dic_file_result r = save_dictionary_pair(T(path("out.dic").c_str()), doc, aff, host_);
  ASSERT_EQ(r.status, dic_file_status::ok);
  EXPECT_EQ(r.replaced_encoding, T("ISO8859-1"));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_NE(to_utf8(host_.messages[0]).find("ISO8859-1"), std::string::npos);
  EXPECT_EQ(read_bytes("out.aff"), kBom + "SET UTF-8\nPFX U Y 1\nPFX U A \xc3\x84 A\n");
  EXPECT_EQ(hunspell_rejects(path("out"), words, dir_), "");
  EXPECT_EQ(hunspell_rejects(path("out"), "\xc3\x84rger\n", dir_), "\xc3\x84rger\n");  // a real rejection shows
}

// The .dic and its .aff as one file: refused before anything is read or written.
TEST_F(DicFileTest, DicThatIsItsOwnAffIsRefused) {
  write_bytes("x.aff", "SET UTF-8\n");
  ASSERT_EQ(symlink(path("x.aff").c_str(), path("x.dic").c_str()), 0);
  list_document doc;
  doc.replace_all({T("kept")}, T(path("x.aff").c_str()));
  doc.mark_changed();
  text_t aff = T("SET UTF-8\n");
  for (const char* name : {"x.aff", "x.dic"}) {
    dic_file_result r = load_dictionary_pair(T(path(name).c_str()), host_, doc, aff);
    EXPECT_EQ(r.status, dic_file_status::same_file) << name;
    EXPECT_EQ(dic_file_message_title(r.status), T("Error!"));
    EXPECT_NE(to_utf8(r.message).find("same file"), std::string::npos);
    EXPECT_EQ(utf8_entries(doc), std::vector<std::string>{"kept"});
    r = save_dictionary_pair(T(path(name).c_str()), doc, aff, host_);
    EXPECT_EQ(r.status, dic_file_status::same_file) << name;
    EXPECT_TRUE(doc.changed());
  }
  EXPECT_EQ(read_bytes("x.aff"), "SET UTF-8\n");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"x.aff", "x.dic"}));
  EXPECT_EQ(host_.starts, 0);
}

// A save past the file-size limit fails like any other write: the program
// lives on, the old pair stays and no temporary is left.
TEST_F(DicFileTest, SavePastTheSizeLimitKeepsTheOldPair) {
  write_pair("d", "1\nold\n", "OLD AFF\n");
  EXPECT_EQ(test_support::run_under_size_limit(50000, [this] {
              list_document doc;
              doc.replace_all(std::vector<text_t>(20000, T("a word of the new dictionary")), T(path("d.dic").c_str()));
              headless_long_job_host host;
              return save_dictionary_pair(T(path("d.dic").c_str()), doc, T("NEW AFF\n"), host).status ==
                     dic_file_status::write_failed;
            }),
            "");
  EXPECT_EQ(read_bytes("d.dic"), "1\nold\n");
  EXPECT_EQ(read_bytes("d.aff"), "OLD AFF\n");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"d.aff", "d.dic"}));
}

// The .dic cannot replace its old file after the new .aff has, and the old
// .aff cannot be put back: it is kept under a name the message gives, and
// the message says what each file holds.
TEST_F(DicFileTest, DoubleFaultKeepsTheOldAffAndSaysWhereItIs) {
  write_pair("d", "1\nold\n", "OLD AFF\n");
  list_document doc;
  doc.replace_all({T("new")}, T(path("d.dic").c_str()));
  doc.mark_changed();
  file_inject_fault(file_fault::rename, 1, 2);  // the .dic's rename and the put-back
  dic_file_result r = save_dictionary_pair(T(path("d.dic").c_str()), doc, T("NEW AFF\n"), host_);
  file_clear_faults();
  EXPECT_EQ(r.status, dic_file_status::write_failed);
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(read_bytes("d.dic"), "1\nold\n");
  EXPECT_EQ(read_bytes("d.aff"), kBom + "NEW AFF\n");
  EXPECT_EQ(read_bytes("d.aff.old"), "OLD AFF\n");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"d.aff", "d.aff.old", "d.dic"}));
  EXPECT_EQ(r.message, T("Can't write the file:\n") + T(path("d.dic").c_str()) +
                           T("\n\nThe dictionary was not saved. The .dic file is unchanged, but the .aff file "
                             "beside it is the new one:\n") +
                           T(path("d.aff").c_str()) + T("\n\nThe old .aff file is kept as:\n") +
                           T(path("d.aff.old").c_str()));
  // One fault only: the old .aff goes back and the message says so.
  write_pair("d", "1\nold\n", "OLD AFF\n");
  std::remove(path("d.aff.old").c_str());
  file_inject_fault(file_fault::rename, 1, 1);
  r = save_dictionary_pair(T(path("d.dic").c_str()), doc, T("NEW AFF\n"), host_);
  file_clear_faults();
  EXPECT_EQ(r.status, dic_file_status::write_failed);
  EXPECT_NE(to_utf8(r.message).find("the old files are kept"), std::string::npos);
  EXPECT_EQ(read_bytes("d.aff"), "OLD AFF\n");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"d.aff", "d.dic"}));
}

}  // namespace
