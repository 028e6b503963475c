#include "editors/thesaurus/thesaurus_file.h"

#include "common/file.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"  // invalid_utf8_question
#include "editors/thesaurus/thesaurus_entry.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// The entries and the encoding line the loader and saver fill.
struct thesaurus_state {
  list_document list;
  text_t encoding;
};

class ThesaurusFileTest : public test_support::temp_folder_test {
 protected:
  ThesaurusFileTest() : temp_folder_test("vx_thesaurus_test") {}
  // A document that already holds something, to see that failures keep it.
  static thesaurus_state previous() {
    thesaurus_state doc;
    doc.list.replace_all({T("old|1\n-|x")}, T("/elsewhere/old.dat"));
    doc.encoding = T("PREVIOUS");
    doc.list.save_undo();
    doc.list.mark_changed();
    return doc;
  }
  static void expect_previous(const thesaurus_state& doc) {
    EXPECT_EQ(doc.list.entries(), std::vector<text_t>{T("old|1\n-|x")});
    EXPECT_EQ(doc.list.path(), T("/elsewhere/old.dat"));
    EXPECT_TRUE(doc.list.changed());
    EXPECT_TRUE(doc.list.can_undo());
    EXPECT_EQ(doc.encoding, T("PREVIOUS"));
  }
  headless_long_job_host host_;
};

std::vector<std::string> utf8_entries(const list_document& doc) {
  std::vector<std::string> out;
  for (const text_view e : doc.entries()) out.push_back(to_utf8(e));
  return out;
}

TEST(ThesaurusEntryTest, HeaderParts) {
  struct header_case {
    const char* header;
    const char* head;
    const char* index_word;
    int64_t count;
  };
  const header_case cases[] = {
      {"ship|3", "ship", "ship|", 3},    {"ship|3|x", "ship", "ship|", 3}, {"ship", "", "", 0},
      {"ship| 7", "ship", "ship|", 7},   {"ship|-2", "ship", "ship|", -2}, {"ship|", "ship", "ship|", 0},
      {"a b|x", "a b", "a b|", 0},       {"|4", "", "|", 4},               {"", "", "", 0},
  };
  for (const header_case& c : cases) {
    SCOPED_TRACE(c.header);
    EXPECT_EQ(thesaurus_head_word(T(c.header)), T(c.head));
    EXPECT_EQ(thesaurus_index_word(T(c.header)), T(c.index_word));
    EXPECT_EQ(thesaurus_meaning_count(T(c.header)), c.count);
  }
  // Missing lines are empty, lines beyond the count are not meanings.
  EXPECT_EQ(thesaurus_meanings(T("s|3\na\nb")), (std::vector<text_view>{u"a", u"b", u""}));
  EXPECT_EQ(thesaurus_meanings(T("s|1\na\nb")), (std::vector<text_view>{u"a"}));
  EXPECT_TRUE(thesaurus_meanings(T("s|0\na")).empty());
  EXPECT_EQ(thesaurus_header(T("s|1\na")), T("s|1"));
}

TEST(ThesaurusEntryTest, IndexPathReplacesTheLastFourCharacters) {
  EXPECT_EQ(thesaurus_idx_path(T("/t/th_en.dat")), T("/t/th_en.idx"));
  EXPECT_EQ(thesaurus_idx_path(T("/t/words.DAT")), T("/t/words.idx"));
  EXPECT_EQ(thesaurus_idx_path(T("ab")), T(".idx"));
}

struct load_case {
  const char* name;
  std::string file;
  const char* encoding;
  std::vector<std::string> entries;
};

TEST_F(ThesaurusFileTest, LoadTable) {
  const load_case cases[] = {
      {"mark and encoding only", kBom + "UTF-8\n", "UTF-8", {""}},
      {"empty line at the end", kBom + "UTF-8\nship|1\n-|boat\n\n", "UTF-8", {"ship|1\n-|boat", ""}},
      {"file ends inside an entry", kBom + "UTF-8\nship|3\na\nb\n", "UTF-8", {"ship|3\na\nb\n"}},
      {"no bar, zero and negative counts", kBom + "UTF-8\nword\nship|0\nboat|-2\nnext|1\nx\n", "UTF-8",
       {"word", "ship|0", "boat|-2", "next|1\nx"}},
      {"cr lf and lone cr", "UTF-8\r\nship|1\r\nx\rnext|1\r\ny", "UTF-8", {"ship|1\nx", "next|1\ny"}},
      {"header kept as read", kBom + "UTF-8\nship|2|extra \n(noun)|boat|vessel\n(verb)|ride\n", "UTF-8",
       {"ship|2|extra \n(noun)|boat|vessel\n(verb)|ride"}},
      {"one byte per character", "ISO8859-1\ncaf\xe9|1\n-|th\xe9\n", "ISO8859-1",
       {"caf\xc3\xa9|1\n-|th\xc3\xa9"}},
  };
  for (const load_case& c : cases) {
    SCOPED_TRACE(c.name);
    write_bytes("t.dat", c.file);
    thesaurus_state doc = previous();
    thesaurus_file_result r = load_thesaurus_pair(tpath("t.dat"), host_, doc.list, doc.encoding);
    ASSERT_EQ(r.status, thesaurus_file_status::ok);
    EXPECT_EQ(utf8_entries(doc.list), c.entries);
    EXPECT_EQ(to_utf8(doc.encoding), c.encoding);
    EXPECT_EQ(doc.list.path(), tpath("t.dat"));
    EXPECT_FALSE(doc.list.changed());
    EXPECT_FALSE(doc.list.can_undo());
    EXPECT_EQ(doc.list.selected(), -1);
    EXPECT_EQ(r.entries, static_cast<int64_t>(c.entries.size()));
  }
}

TEST_F(ThesaurusFileTest, LoadCreatesAMissingIndexAndReportsSizes) {
  write_bytes("t.dat", kBom + "UTF-8\nship|1\n-|boat\n");
  thesaurus_state doc;
  thesaurus_file_result r = load_thesaurus_pair(tpath("t.dat"), host_, doc.list, doc.encoding);
  ASSERT_EQ(r.status, thesaurus_file_status::ok);
  EXPECT_EQ(read_bytes("t.idx"), "");
  EXPECT_EQ(r.meanings, 1);
  EXPECT_EQ(to_utf8(r.status_text).rfind("OK. (idx:0 bytes)+(dat:23 bytes) \xe2\x8c\x9a", 0), 0u) << to_utf8(r.status_text);
  EXPECT_EQ(host_.status, r.status_text);
  EXPECT_FALSE(host_.running);
}

std::string entry_with_meanings(const std::string& head, int n) {
  std::string e = head + "|" + std::to_string(n) + "\n";
  for (int i = 0; i < n; ++i) e += "-|m" + std::to_string(i) + "\n";
  return e;
}

// A load that ends early keeps the document, its path, changed flag and
// history as they were.
TEST_F(ThesaurusFileTest, LoadStoppedByTheLimitOrEscapeKeepsThePreviousDocument) {
  write_bytes("t.dat", kBom + "UTF-8\n" + entry_with_meanings("full", 100) + entry_with_meanings("over", 101));
  thesaurus_state doc = previous();
  thesaurus_file_result r = load_thesaurus_pair(tpath("t.dat"), host_, doc.list, doc.encoding);
  EXPECT_EQ(r.status, thesaurus_file_status::too_many_meanings);
  EXPECT_EQ(r.title, T("Warning!"));
  EXPECT_EQ(r.message, T("Found synonym with more than 100 meanings."));
  EXPECT_EQ(r.status_text, T("Aborted."));
  expect_previous(doc);
  EXPECT_FALSE(host_.running);

  write_bytes("t.dat", kBom + "UTF-8\n" + entry_with_meanings("full", 100) + "a|1\nx\nb|1\ny\n");
  host_.escape_at_poll = 2;
  r = load_thesaurus_pair(tpath("t.dat"), host_, doc.list, doc.encoding);
  EXPECT_EQ(r.status, thesaurus_file_status::aborted);
  EXPECT_EQ(host_.status, T("Aborted."));
  expect_previous(doc);

  // Exactly 100 meanings is allowed.
  host_.escape_at_poll = -1;
  r = load_thesaurus_pair(tpath("t.dat"), host_, doc.list, doc.encoding);
  ASSERT_EQ(r.status, thesaurus_file_status::ok);
  EXPECT_EQ(doc.list.count(), 3);
  EXPECT_EQ(thesaurus_meanings(doc.list.entry(0)).size(), 100u);
}

// UTF-8 with a stray byte: the question names its line; No keeps the open
// thesaurus, Yes reads the file as UTF-8 with U+FFFD for the bad byte.
TEST_F(ThesaurusFileTest, PartlyValidUtf8AsksWithTheLineAndNoKeepsTheThesaurus) {
  write_bytes("t.dat", "UTF-8\ncaf\xc3\xa9|1\n-|th\xE9\nna\xc3\xafve|1\n-|x\n");
  thesaurus_state doc = previous();
  host_.abort_answer = 7;
  thesaurus_file_result r = load_thesaurus_pair(tpath("t.dat"), host_, doc.list, doc.encoding);
  EXPECT_EQ(r.status, thesaurus_file_status::aborted);
  EXPECT_EQ(r.status_text, T("Aborted."));
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], invalid_utf8_question(tpath("t.dat"), 3, FORMAT_UTF8));
  expect_previous(doc);
  EXPECT_EQ(host_.starts, 0);

  host_.abort_answer = 6;
  ASSERT_EQ(load_thesaurus_pair(tpath("t.dat"), host_, doc.list, doc.encoding).status, thesaurus_file_status::ok);
  EXPECT_EQ(utf8_entries(doc.list),
            (std::vector<std::string>{"caf\xc3\xa9|1\n-|th\xef\xbf\xbd", "na\xc3\xafve|1\n-|x"}));
}

TEST_F(ThesaurusFileTest, LoadRefusals) {
  thesaurus_state doc = previous();
  write_bytes("empty.dat", "");
  for (const char* name : {"missing.dat", "empty.dat"}) {
    thesaurus_file_result r = load_thesaurus_pair(tpath(name), host_, doc.list, doc.encoding);
    EXPECT_EQ(r.status, thesaurus_file_status::not_found);
    EXPECT_EQ(r.message, T("File not found."));
    EXPECT_EQ(r.status_text, T("File not found."));
  }
  // Its index would be the file itself: saving would write the index over it.
  write_bytes("t.idx", "UTF-8\n1\nship|6\n");
  thesaurus_file_result r = load_thesaurus_pair(tpath("t.idx"), host_, doc.list, doc.encoding);
  EXPECT_EQ(r.status, thesaurus_file_status::same_file);
  EXPECT_EQ(r.title, T("Error!"));
  expect_previous(doc);
  EXPECT_EQ(host_.starts, 0);
}

// The .dat with a mark and "UTF-8"; the .idx without a mark, its lines in
// byte order of the head words, offsets counting the mark.
TEST_F(ThesaurusFileTest, SaveWritesTheDatAndASortedIndex) {
  thesaurus_state doc;
  doc.list.replace_all({T("ship|3\n(noun)|boat\n(noun)|vessel\n(verb)|ride"), T("\xc3\x84pfel|1\n-|apples"),
                        T("apple pie|1\n-|pie"), T("apple|2\n-|fruit"), T("zebra|1\n-|z\n-|dropped"), T("plain"),
                        T("ship|1\n-|twin")},
                       T(""));
  doc.encoding = T("ISO8859-1");
  doc.list.mark_changed();
  thesaurus_file_result r = save_thesaurus_pair(tpath("out.dat"), doc.list, doc.encoding, host_);
  ASSERT_EQ(r.status, thesaurus_file_status::ok);
  const std::string dat = kBom +
                          "UTF-8\n"
                          "ship|3\n(noun)|boat\n(noun)|vessel\n(verb)|ride\n"  // at 9
                          "\xc3\x84pfel|1\n-|apples\n"                         // 54
                          "apple pie|1\n-|pie\n"                               // 72
                          "apple|2\n-|fruit\n\n"                               // 90
                          "zebra|1\n-|z\n"                                     // 107
                          "plain\n"                                            // 119
                          "ship|1\n-|twin\n";                                  // 125
  EXPECT_EQ(read_bytes("out.dat"), dat);
  EXPECT_EQ(read_bytes("out.idx"),
            "UTF-8\n7\n"
            "119\n"  // no "|": no head word, first
            "apple|90\napple pie|72\nship|9\nship|125\nzebra|107\n\xc3\x84pfel|54\n");
  EXPECT_EQ(doc.list.path(), tpath("out.dat"));
  EXPECT_FALSE(doc.list.changed());
  EXPECT_EQ(doc.encoding, T("UTF-8"));
  EXPECT_EQ(r.dat_size, static_cast<int64_t>(dat.size()));
  EXPECT_EQ(to_utf8(r.status_text).rfind("OK. (idx:", 0), 0u);
  // Saving changes no entry.
  EXPECT_EQ(doc.list.entry(4), T("zebra|1\n-|z\n-|dropped"));
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"out.dat", "out.idx"}));
}

TEST_F(ThesaurusFileTest, SaveRefusesAnEmptyThesaurus) {
  thesaurus_state doc;
  thesaurus_file_result r = save_thesaurus_pair(tpath("out.dat"), doc.list, doc.encoding, host_);
  EXPECT_EQ(r.status, thesaurus_file_status::no_entries);
  EXPECT_EQ(r.title, T("Warning!"));
  EXPECT_EQ(r.message, T("No synonyms found."));
  EXPECT_TRUE(folder_names().empty());
}

TEST_F(ThesaurusFileTest, EscapeDuringSaveKeepsTheOldPairAndTheChangedFlag) {
  write_bytes("t.dat", "OLD DAT");
  write_bytes("t.idx", "OLD IDX");
  thesaurus_state doc = previous();
  doc.list.append(T("new|1\n-|y"));
  host_.escape_at_poll = 1;
  thesaurus_file_result r = save_thesaurus_pair(tpath("t.dat"), doc.list, doc.encoding, host_);
  EXPECT_EQ(r.status, thesaurus_file_status::aborted);
  EXPECT_EQ(read_bytes("t.dat"), "OLD DAT");
  EXPECT_EQ(read_bytes("t.idx"), "OLD IDX");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"t.dat", "t.idx"}));
  EXPECT_TRUE(doc.list.changed());
  EXPECT_EQ(doc.list.path(), T("/elsewhere/old.dat"));
  EXPECT_EQ(host_.status, T("Aborted."));
  EXPECT_FALSE(host_.running);
}

TEST_F(ThesaurusFileTest, FailedSaveNamesTheFileAndKeepsTheOldPair) {
  write_bytes("t.dat", "OLD DAT");
  write_bytes("t.idx", "OLD IDX");
  ASSERT_EQ(chmod(dir_.c_str(), 0555), 0);
  const text_t target = tpath("t.dat");
  const bool held = test_support::run_without_write_access([&] {
    thesaurus_state doc = previous();
    headless_long_job_host host;
    thesaurus_file_result r = save_thesaurus_pair(target, doc.list, doc.encoding, host);
    return r.status == thesaurus_file_status::write_failed && r.title == T("Error!") && !r.failed_path.empty() &&
           r.message.find(r.failed_path) != text_t::npos && doc.list.changed() &&
           doc.list.path() == T("/elsewhere/old.dat") && host.status == T("Aborted.") && !host.running;
  });
  EXPECT_TRUE(held);
  EXPECT_EQ(read_bytes("t.dat"), "OLD DAT");
  EXPECT_EQ(read_bytes("t.idx"), "OLD IDX");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"t.dat", "t.idx"}));
}

// The .dat cannot replace its old file after the new .idx has, and the old
// .idx cannot be put back: the message says what each name holds.
TEST_F(ThesaurusFileTest, DoubleFaultSaysWhatEachFileHolds) {
  write_bytes("t.dat", "OLD DAT");
  write_bytes("t.idx", "OLD IDX");
  thesaurus_state doc = previous();
  file_inject_fault(file_fault::rename, 1, 2);  // the .dat's rename and the put-back
  thesaurus_file_result r = save_thesaurus_pair(tpath("t.dat"), doc.list, doc.encoding, host_);
  file_clear_faults();
  EXPECT_EQ(r.status, thesaurus_file_status::write_failed);
  EXPECT_TRUE(doc.list.changed());
  EXPECT_EQ(read_bytes("t.dat"), "OLD DAT");
  EXPECT_EQ(read_bytes("t.idx"), "UTF-8\n1\nold|9\n");
  EXPECT_EQ(read_bytes("t.idx.old"), "OLD IDX");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"t.dat", "t.idx", "t.idx.old"}));
  EXPECT_EQ(r.message, T("Can't write the file:\n") + tpath("t.dat") +
                           T("\n\nThe thesaurus was not saved. The .dat file is unchanged, but the .idx file "
                             "beside it is the new one:\n") +
                           tpath("t.idx") + T("\n\nThe old .idx file is kept as:\n") + tpath("t.idx.old"));

  // One fault only: the old .idx goes back and the message says so.
  write_bytes("t.idx", "OLD IDX");
  std::remove(path("t.idx.old").c_str());
  file_inject_fault(file_fault::rename, 1, 1);
  r = save_thesaurus_pair(tpath("t.dat"), doc.list, doc.encoding, host_);
  file_clear_faults();
  EXPECT_EQ(r.status, thesaurus_file_status::write_failed);
  EXPECT_EQ(r.failed_path, tpath("t.dat"));
  EXPECT_NE(to_utf8(r.message).find("the old files are kept"), std::string::npos);
  EXPECT_EQ(read_bytes("t.idx"), "OLD IDX");
  EXPECT_EQ(read_bytes("t.dat"), "OLD DAT");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"t.dat", "t.idx"}));
}

// A thesaurus read one byte per character comes back as UTF-8 and says so.
TEST_F(ThesaurusFileTest, LatinOneThesaurusIsSavedAsUtf8) {
  write_bytes("l.dat", "ISO8859-1\nna\xefve|1\n(adj)|innocent\n");
  thesaurus_state doc;
  ASSERT_EQ(load_thesaurus_pair(tpath("l.dat"), host_, doc.list, doc.encoding).status, thesaurus_file_status::ok);
  ASSERT_EQ(save_thesaurus_pair(tpath("u.dat"), doc.list, doc.encoding, host_).status, thesaurus_file_status::ok);
  EXPECT_EQ(read_bytes("u.dat"), kBom + "UTF-8\nna\xc3\xafve|1\n(adj)|innocent\n");
  EXPECT_EQ(read_bytes("u.idx"), "UTF-8\n1\nna\xc3\xafve|9\n");
}

}  // namespace
