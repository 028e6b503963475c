#include "dictionary/dictionary_batch_edits.h"

#include "common/long_job.h"
#include "tests/dictionary/dictionary_fixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using dictionary_fixtures::doc_of;
using dictionary_fixtures::lines_of;
using dictionary_fixtures::use_aff;

const std::string kCharAff = "SFX A Y 1\nSFX A 0 s .\n";

struct sort_case {
  std::string aff;
  const char* line;      // .dic line
  const char* expected;  // .dic line after sorting
  int64_t removed;
};

// An AF table of n aliases.
std::string aliases(int n) {
  std::string a = "AF " + std::to_string(n) + "\n";
  for (int i = 0; i < n; ++i) a += "AF A\n";
  return a;
}

TEST(SortEntryFlags, ByFlagMode) {
  const sort_case cases[] = {
      {"", "w/CBA", "w/ABC", 0},
      {"", "w/ABA", "w/AB", 1},
      {"", "w/ABC", "w/ABC", 0},
      {"", "a\\/b/CA", "a\\/b/AC", 0},                 // the escaped slash stays in the word
      {"", "w/BA\tpo:noun", "w/AB\tpo:noun", 0},        // tags kept
      {"", "w/BA st:w ph:x", "w/AB st:w ph:x", 0},      // flags end at whitespace; the rest kept
      {"", "w/BAA  po:x\tis:pl", "w/AB  po:x\tis:pl", 1},
      {"", "Paris po:npr st:a/CB", "Paris po:npr st:a/CB", 0},  // a slash in the description is no separator
      {"", "w/aBA", "w/AaB", 0},                        // case ties: upper case first
      {"", "w/baB", "w/aBb", 0},
      {"", "w", "w", 0},
      {"", "w/", "w/", 0},
      {"FLAG num\n", "w/12,3,12", "w/3,12", 1},
      {"FLAG num\n", "w/100,20,3", "w/3,20,100", 0},
      {"FLAG long\n", "w/ZzAaZz", "w/AaZz", 1},
      // AF aliases: the field is an alias number, not flags.
      {aliases(21), "w/21", "w/21", 0},
      {"FLAG num\nAF 2\nAF 1,3\nAF 3,1\n", "w/2", "w/2", 0},
  };
  for (const sort_case& c : cases) {
    use_aff(c.aff + kCharAff);
    const list_document doc = doc_of({c.line});
    int64_t removed = -1;
    const text_t sorted = sort_entry_flags(test_cache, doc.entry(0), removed);
    EXPECT_EQ(to_utf8(dic_entry_to_line(sorted)), c.expected) << c.aff << c.line;
    EXPECT_EQ(removed, c.removed) << c.line;
  }
}

TEST(SortDictionaryFlags, OneUndoableStepCountedAndSummarised) {
  use_aff(kCharAff);
  list_document doc = doc_of({"a/CBA", "b/AB", "c/ABA", "", "d"});
  headless_long_job_host host;
  const auto r = sort_dictionary_flags(doc, test_cache, u",", host);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(r.words, 2);
  EXPECT_EQ(r.flags_removed, 1);
  EXPECT_EQ(lines_of(doc), (std::vector<std::string>{"a/ABC", "b/AB", "c/AB", "", "d"}));
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(host.status.rfind(u"OK. Words with flags sorted:2, flags removed:1 \u231a", 0), 0u) << to_utf8(host.status);
  EXPECT_EQ(sort_flags_summary(r, u","), u"Sorted the flags in  2 words.\n\nDuplicate flags removed:1");
  EXPECT_EQ(sort_flags_summary({.words = 1}, u","), u"Sorted the flags in  1 word.\n\nDuplicate flags removed:0");
  EXPECT_EQ(sort_flags_summary({.words = 0}, u","), u"Sorted the flags in  0 words.\n\nDuplicate flags removed:0");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(lines_of(doc), (std::vector<std::string>{"a/CBA", "b/AB", "c/ABA", "", "d"}));
}

TEST(SortDictionaryFlags, NothingToSortTakesNoSnapshot) {
  use_aff(kCharAff);
  list_document doc = doc_of({"a/ABC", "b"});
  headless_long_job_host host;
  EXPECT_EQ(sort_dictionary_flags(doc, test_cache, u",", host).words, 0);
  EXPECT_FALSE(doc.can_undo());
  EXPECT_FALSE(doc.changed());
}

// Every rewrite pass: an Escape confirmed part-way leaves the document, its
// history and its changed flag as they were.
TEST(BatchEdits, AbortLeavesTheDocumentUntouched) {
  use_aff(kCharAff);
  const std::vector<std::string> lines = {"a/CB\tx", " b  c\ty", "d/BA\tz", "e  f"};
  for (int tool = 0; tool < 3; ++tool) {
    list_document doc = doc_of(lines);
    headless_long_job_host host;
    host.escape_at_poll = 3;
    bool aborted = false;
    if (tool == 0) aborted = sort_dictionary_flags(doc, test_cache, u",", host).aborted;
    if (tool == 1) aborted = remove_dictionary_comments(doc, u",", host).aborted;
    if (tool == 2) aborted = fix_dictionary_spaces(doc, host).aborted;
    EXPECT_TRUE(aborted) << tool;
    EXPECT_EQ(lines_of(doc), lines) << tool;
    EXPECT_FALSE(doc.can_undo() || doc.changed()) << tool;
    EXPECT_EQ(host.status, u"Aborted.") << tool;
  }
}

TEST(RemoveComments, CutsEntriesWithTagsOnly) {
  list_document doc = doc_of({"a/A\tpo:noun", "b", "c\tx\ty"});
  headless_long_job_host host;
  const auto r = remove_dictionary_comments(doc, u",", host);
  EXPECT_EQ(r.removed, 2);
  EXPECT_EQ(lines_of(doc), (std::vector<std::string>{"a/A", "b", "c"}));
  EXPECT_TRUE(doc.can_undo() && doc.changed());
  list_document plain = doc_of({"a", "b", "New York"});
  EXPECT_EQ(remove_dictionary_comments(plain, u",", host).removed, 0);
  EXPECT_FALSE(plain.can_undo() || plain.changed());
}

TEST(RemoveComments, CutsADescriptionWrittenAfterASpace) {
  list_document doc = doc_of({"abader/d'q' po:v1____p_e_ po:infi", "Bakersfield po:npr is:inv", "a/A"});
  headless_long_job_host host;
  EXPECT_EQ(remove_dictionary_comments(doc, u",", host).removed, 2);
  EXPECT_EQ(lines_of(doc), (std::vector<std::string>{"abader/d'q'", "Bakersfield", "a/A"}));
}

TEST(FixSpaces, CleansFirstLinesKeepingTags) {
  list_document doc = doc_of({" two   words/A\t tag  kept ", "fine", "\tcomment line", "end /A "});
  headless_long_job_host host;
  const auto r = fix_dictionary_spaces(doc, host);
  EXPECT_EQ(r.fixed, 2);
  EXPECT_EQ(lines_of(doc), (std::vector<std::string>{"two words/A\t tag  kept ", "fine", "\tcomment line", "end /A"}));
  EXPECT_EQ(host.status, u"Fixed words:2");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.entry(0), u" two   words/A\n tag  kept ");
}

TEST(FixSpaces, LineOfSpacesStopsBeforeAnyChange) {
  list_document doc = doc_of({" a", "   \ttag", "b "});
  headless_long_job_host host;
  const auto r = fix_dictionary_spaces(doc, host);
  EXPECT_EQ(r.null_line, 2);
  EXPECT_EQ(host.status, u"Null word at Line:2! Aborted.");
  EXPECT_EQ(lines_of(doc), (std::vector<std::string>{" a", "   \ttag", "b "}));
  EXPECT_FALSE(doc.can_undo() || doc.changed());
  list_document clean = doc_of({"a", "b c"});
  EXPECT_EQ(fix_dictionary_spaces(clean, host).fixed, 0);
  EXPECT_FALSE(clean.can_undo());
}

}  // namespace
