#include "dictionary/wordlist_extraction.h"

#include "affix/aff_cache.h"
#include "common/dic_entry.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "tests/dictionary/dictionary_fixtures.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

using dictionary_fixtures::doc_of;
using dictionary_fixtures::use_aff;

class WordlistExtractionTest : public test_support::temp_folder_test {
 protected:
  WordlistExtractionTest() : temp_folder_test("vx_extract_test") {}
  void SetUp() override {
    temp_folder_test::SetUp();
    use_aff("SET UTF-8\nSFX A Y 1\nSFX A 0 s .\n");
  }
  wordlist_extraction_result run(const list_document& doc, int type, const std::string& name, int64_t limit = 0) {
    return extract_wordlist_to_file(doc, test_cache, type, tpath(name), limit, u",", host_);
  }
  headless_long_job_host host_;
};

TEST_F(WordlistExtractionTest, WritesEachTypeWithMarkAndHeader) {
  const list_document doc = doc_of({"walk/A\tpo:verb", "/A", "well-known", "x-ray/A"});
  struct row {
    int type;
    std::string expected;
    int64_t words;
  } rows[] = {
      {EXTRACT_ALL_TXT, "walk\nwalks\nwell-known\nx-ray\nx-rays\n", 5},
      {EXTRACT_COMPOUNDS_TXT, "well-known\nx-ray\nx-rays\n", 3},
      {EXTRACT_COMPOUNDS_LANGUAGETOOL, "well-known\xE2\x97\x8F\nx-ray\xE2\x97\x8F\nx-rays\xE2\x97\x8F\n", 3},
  };
  for (const row& r : rows) {
    const auto result = run(doc, r.type, "out.txt");
    EXPECT_FALSE(result.aborted || result.write_failed);
    EXPECT_EQ(result.words, r.words) << r.type;
    EXPECT_EQ(read_bytes("out.txt"), kBom + r.expected) << r.type;
    EXPECT_EQ(host_.status.rfind(u"OK. Words Found:" + string_from_int(r.words) + u" ", 0), 0u) << to_utf8(host_.status);
  }
  const auto csv = run(doc_of({"walk/A"}), EXTRACT_ALL_CSV, "out.csv");
  EXPECT_EQ(csv.words, 2);
  EXPECT_EQ(read_bytes("out.csv"), kBom +
                                       "\"Root_word\";\"Word\";\"Primary\";\"Type\";\"Code\";\"Position\";\"Rule\"\n"
                                       "\"walk\";\"walk\";\"walk\";\"Primary\";\"\";\"\";\"\"\n"
                                       "\"walk\";\"walks\";\"walk\";\"Suffix\";\"A\";\"11\";\"1: 0 s .\"\n");
}

TEST(WordlistFileChoice, ExtensionAppendedUnlessPresentInAnyCase) {
  struct row {
    int type;
    const char16_t* path;
    const char16_t* expected;
  } rows[] = {
      {EXTRACT_ALL_CSV, u"/d/name", u"/d/name.csv"},
      {EXTRACT_ALL_CSV, u"/d/NAME.CSV", u"/d/NAME.CSV"},
      {EXTRACT_ALL_CSV, u"/d/name.txt", u"/d/name.txt.csv"},
      {EXTRACT_ALL_TXT, u"/d/list.Txt", u"/d/list.Txt"},
      {EXTRACT_COMPOUNDS_LANGUAGETOOL, u"/d/c", u"/d/c.txt"},
  };
  for (const row& r : rows) {
    EXPECT_EQ(with_extension(r.path, wordlist_file_choice_for(r.type).extension), r.expected) << to_utf8(r.path);
  }
  EXPECT_EQ(wordlist_file_choice_for(EXTRACT_COMPOUNDS_TXT).title, u"Extract Compounds to file");
  EXPECT_EQ(wordlist_file_choice_for(EXTRACT_ALL_CSV).pattern, u"Text CSV (*.csv)|*.csv");
}

TEST_F(WordlistExtractionTest, AbortKeepsTheOldFile) {
  write_bytes("out.txt", "old");
  host_.escape_at_poll = 2;
  host_.abort_answer = 6;
  const auto r = run(doc_of({"a/A", "b/A", "c/A"}), EXTRACT_ALL_TXT, "out.txt");
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(read_bytes("out.txt"), "old");
  EXPECT_EQ(host_.status, u"Aborted.");
  EXPECT_EQ(folder_names(), std::vector<std::string>{"out.txt"});
}

TEST_F(WordlistExtractionTest, UnwritableFileIsAFailureNotASuccess) {
  const auto r = run(doc_of({"a/A"}), EXTRACT_ALL_TXT, "missing/out.txt");
  EXPECT_TRUE(r.write_failed);
  EXPECT_EQ(host_.status, u"Aborted.");
  EXPECT_EQ(host_.ends, 1);
}

TEST_F(WordlistExtractionTest, HugeOutputQuestionComesOnceAtTheLimit) {
  const list_document doc = doc_of({"a/A", "b/A", "c/A", "d/A"});
  // No: the run goes on and is not asked again.
  host_.abort_answer = 7;
  auto r = run(doc, EXTRACT_ALL_TXT, "out.txt", 3);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(r.words, 8);
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0], u"Over 3 words have been decoded.\n\nThis represents a huge amount of data in the HDD\n"
                               u"that can fill it up and crash the computer.\n\nAbort?");
  // Yes: aborted, the file not written.
  host_ = headless_long_job_host();
  host_.abort_answer = 6;
  r = run(doc, EXTRACT_ALL_TXT, "new.txt", 3);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(folder_names(), std::vector<std::string>{"out.txt"});
  // Limit 0: never asked.
  host_ = headless_long_job_host();
  run(doc, EXTRACT_ALL_TXT, "out.txt", 0);
  EXPECT_TRUE(host_.messages.empty());
}

TEST(PostagSearch, TagsMatchByCaseAndFullMatch) {
  struct row {
    const char16_t* entry;
    const char16_t* text;
    bool match_case, full_match, expected;
  } rows[] = {
      {u"house/S\nnoun", u"Noun", false, false, true},
      {u"house/S\nnoun", u"Noun", true, false, false},
      {u"house/S\nnoun plural", u"noun", false, true, false},
      {u"house/S\nNOUN", u"noun", false, true, true},
      {u"noun/S", u"noun", false, false, false},  // no tags part: never
      {u"house\npo:noun\nmore", u"more", false, false, true},
      // A description written after a space is the tags part too (fr.dic).
      {u"Bakersfield po:npr is:epi is:inv", u"po:npr is:epi is:inv", true, true, true},
      {u"abader/d'q' po:v1____p_e_ po:infi", u"po:infi", false, false, true},
      {u"abader/d'q' po:v1____p_e_ po:infi", u"abader", false, false, false},
      {u"New York", u"York", false, false, false},
  };
  for (const row& r : rows) {
    EXPECT_EQ(entry_tags_match(r.entry, {r.text, r.match_case, r.full_match}), r.expected) << to_utf8(r.entry);
  }
}

TEST_F(WordlistExtractionTest, PostagMatchesListedAndWrittenAsDicLines) {
  const list_document doc = doc_of({"a\tnoun", "b/A\tverb", "c\tnoun\tx", "d"});
  headless_long_job_host host;
  const auto found = find_entries_by_postag(doc, {u"NOUN", false, false}, host);
  EXPECT_EQ(found.matches, (std::vector<int64_t>{0, 2}));
  EXPECT_EQ(postag_match_row(doc.entry(2)), u"c\u2192noun\tx");
  ASSERT_TRUE(write_postag_matches(doc, found.matches, tpath("tags.txt")));
  EXPECT_EQ(read_bytes("tags.txt"), kBom + "a\tnoun\nc\tnoun\tx\n");
  EXPECT_FALSE(write_postag_matches(doc, found.matches, tpath("missing/tags.txt")));
}

}  // namespace
