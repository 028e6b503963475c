// The duplicates word list and Sort tags .AFF on small texts.
#include "dictionary/aff_tag_sort.h"
#include "dictionary/wordlist_duplicates.h"

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "tests/affix/affix_test_util.h"
#include "tests/dictionary/list_fixture.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {


std::vector<std::u16string> rows_text(const wordlist_duplicates_result& r) {
  std::vector<std::u16string> out;
  for (const auto& row : r.rows) out.push_back(row.word + u" (" + string_from_int(row.occurrences) + u"): " + row.lines);
  return out;
}

// S and T both add "s": one entry derives walks twice.
const char kAff[] = "SFX S Y 1\nSFX S 0 s .\nSFX T Y 1\nSFX T 0 s .\nSFX D Y 1\nSFX D 0 ed .\n";

TEST(WordlistDuplicates, WordsWithEqualTagsRepeat) {
  use_aff(kAff);
  list_document d = doc_of({u"walk/S\npo:verb", u"walk\npo:noun", u"talk/ST", u"talk", u"/S", u"run/D", u"ran"});
  headless_long_job_host host;
  wordlist_duplicates_result r = find_wordlist_duplicates(d, test_cache, host, 0, u",");
  EXPECT_EQ(r.status, wordlist_duplicates_status::ok);
  // walk: different tags, no row. talk twice (lines 3 and 4), talks twice from line 3.
  EXPECT_EQ(rows_text(r), (std::vector<std::u16string>{u"talk (2): 3 + 4", u"talks (2): 3 + 3"}));
  EXPECT_EQ(r.expanded_words, 10);
  EXPECT_EQ(host.status.rfind(u"OK.", 0), 0u);

  // Line numbers print as counts; within a word they come in text order.
  std::vector<text_t> many(1200, u"other");
  many[8] = u"go";
  many[1099] = u"go";
  list_document big = doc_of(many);
  r = find_wordlist_duplicates(big, test_cache, host, 0, u",");
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(rows_text(r)[0], u"go (2): 1,100 + 9");
}

TEST(WordlistDuplicates, EmptyDictionaryWarningAndLimitQuestion) {
  use_aff(kAff);
  headless_long_job_host host;
  list_document empty;
  EXPECT_EQ(find_wordlist_duplicates(empty, test_cache, host, 0, u",").status, wordlist_duplicates_status::no_words);
  EXPECT_EQ(host.messages.back(), u"No dictionary words found.");
  EXPECT_EQ(host.status, u"Aborted.");

  list_document d = doc_of({u"walk/SD", u"walk", u"talk"});
  host.abort_answer = 6;  // Yes: abort
  EXPECT_EQ(find_wordlist_duplicates(d, test_cache, host, 2, u",").status, wordlist_duplicates_status::aborted);
  EXPECT_EQ(host.messages.back().rfind(u"Over 2 words have been decoded.", 0), 0u);
  host.abort_answer = 7;
  EXPECT_EQ(find_wordlist_duplicates(d, test_cache, host, 2, u",").rows.size(), 1u);
}

class WordlistExportTest : public test_support::temp_folder_test {
 protected:
  WordlistExportTest() : temp_folder_test("vx_wordlist_dupes") {}
};

TEST_F(WordlistExportTest, FileAndEscape) {
  std::vector<wordlist_duplicate_row> rows(1200, {u"walk", 1234, u"1 + 2"});
  headless_long_job_host host;
  ASSERT_EQ(export_wordlist_duplicates(rows, tpath("w.txt"), u"'", host), line_export_status::ok);
  const std::string text = read_bytes("w.txt");
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF" "DUPLICATES FOUND:1'200\n\nwalk (1'234): 1 + 2\n", 0), 0u);
  host.escape_at_poll = host.polls + 5;
  EXPECT_EQ(export_wordlist_duplicates(rows, tpath("w.txt"), u"'", host), line_export_status::aborted);
  EXPECT_EQ(read_bytes("w.txt"), text);
  EXPECT_EQ(folder_names(), std::vector<std::string>{"w.txt"});
}

// ---- Sort tags .AFF ------------------------------------------------------------------

struct sort_case {
  const char* name;
  const char16_t* aff;
  aff_tag_sort_status status;
  const char16_t* sorted;
};

TEST(AffTagSort, Cases) {
  const sort_case cases[] = {
      {"a set sorted under its header", u"# c\nSFX S Y 3\nSFX S 0 s .\nSFX S 0 es .\nSFX S 0 ies .\nTRY a",
       aff_tag_sort_status::sorted, u"# c\nSFX S Y 3\nSFX S 0 es .\nSFX S 0 ies .\nSFX S 0 s .\nTRY a\n"},
      {"key is affix then condition", u"PFX  P Y 2\r\nPFX P 0 b  y\r\nPFX P 0 b x\r\n", aff_tag_sort_status::sorted,
       u"PFX  P Y 2\nPFX P 0 b x\nPFX P 0 b  y\n"},
      // The count runs into the next set and past the end: each set keeps
      // its own lines.
      {"count clamped to the set's lines", u"SFX A Y 9\nSFX A 0 z .\nSFX A 0 y .\nSFX B Y 5\nSFX B 0 d .\nSFX B 0 c .",
       aff_tag_sort_status::sorted, u"SFX A Y 9\nSFX A 0 y .\nSFX A 0 z .\nSFX B Y 5\nSFX B 0 c .\nSFX B 0 d .\n"},
      // Comment and empty lines inside a set keep their places; the rules
      // are sorted among the other places.
      {"a comment inside the set", u"SFX A Y 3\nSFX A 0 zz .\n# c\nSFX A 0 aa .\nSFX A 0 mm .",
       aff_tag_sort_status::sorted, u"SFX A Y 3\nSFX A 0 aa .\n# c\nSFX A 0 mm .\nSFX A 0 zz .\n"},
      {"comments and an empty line", u"PFX P Y 3\n# first\nPFX P 0 c .\n\nPFX P 0 b .\n  # x\nPFX P 0 a .\n# after\n",
       aff_tag_sort_status::sorted, u"PFX P Y 3\n# first\nPFX P 0 a .\n\nPFX P 0 b .\n  # x\nPFX P 0 c .\n# after\n"},
      // Another line ends the set; the count does not reach past it.
      {"another line ends the set", u"SFX A Y 3\nSFX A 0 z .\n# x\nTRY a\nSFX A 0 a .",
       aff_tag_sort_status::sorted, u"SFX A Y 3\nSFX A 0 z .\n# x\nTRY a\nSFX A 0 a .\n"},
      // The count is reached: a rule line of the same flag after it stays.
      {"count reached before a comment", u"SFX A Y 1\nSFX A 0 z .\n# x\nSFX A 0 a .",
       aff_tag_sort_status::sorted, u"SFX A Y 1\nSFX A 0 z .\n# x\nSFX A 0 a .\n"},
      {"empty", u"   ", aff_tag_sort_status::aff_empty, u""},
      {"no tags", u"SET UTF-8\nTRY abc\n", aff_tag_sort_status::no_tags, u""},
  };
  for (const sort_case& c : cases) {
    SCOPED_TRACE(c.name);
    headless_long_job_host host;
    aff_tag_sort_result r = sort_aff_tags(c.aff, host);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.text, c.sorted);
  }
}

TEST(AffTagSort, NoAndEscapeChangeNothing) {
  headless_long_job_host host;
  host.abort_answer = 7;
  EXPECT_EQ(sort_aff_tags(u"SFX A Y 1\nSFX A 0 a .\n", host).status, aff_tag_sort_status::declined);
  EXPECT_EQ(host.messages.back(), u"Sorting the tags in the Aff.\n\nThis operation can't be undone.\n\nContinue?");
  host.abort_answer = 6;
  host.escape_at_poll = 4;
  EXPECT_EQ(sort_aff_tags(u"SFX A Y 2\nSFX A 0 b .\nSFX A 0 a .\n", host).status, aff_tag_sort_status::aborted);
  EXPECT_EQ(host.status, u"Aborted.");
}

}  // namespace
