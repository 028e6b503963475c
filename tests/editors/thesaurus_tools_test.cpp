#include "editors/thesaurus/thesaurus_tools.h"

#include "common/long_job.h"
#include "editors/thesaurus/thesaurus_entry.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

list_document doc_of(std::vector<text_t> entries) {
  list_document d;
  d.replace_all(std::move(entries), u"");
  return d;
}

std::vector<text_t> sorted(std::vector<text_t> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// ---- Spaces ---------------------------------------------------------------------------

TEST(ThesaurusSpaces, TidiesUntilNoInvalidSpaceIsLeft) {
  struct row {
    text_t in, out;
  };
  const std::vector<row> rows = {
      {u"ship|2\n boat | vessel \n-|  craft", u"ship|2\nboat|vessel\n-|craft"},
      {u" ship|1\nboat   ", u" ship|1\nboat"},  // a leading space stays
      {u"a|1\nb    |   c", u"a|1\nb|c"},
      {u"a|1\nb", u"a|1\nb"},
  };
  for (const row& r : rows) EXPECT_EQ(tidy_thesaurus_spaces(r.in), r.out) << to_utf8(r.in);
}

TEST(ThesaurusSpaces, FixesChangedEntriesOnceAndCanBeUndone) {
  list_document d = doc_of({u"ship|2\n boat | vessel \n-|  craft", u"big|1\nlarge"});
  headless_long_job_host host;
  const thesaurus_tool_result r = fix_thesaurus_entry_spaces(d, u",", host);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(r.count, 1);
  EXPECT_EQ(d.entries()[0], u"ship|2\nboat|vessel\n-|craft");
  EXPECT_EQ(host.status, u"Fixed words:1");
  EXPECT_FALSE(host.running);
  ASSERT_TRUE(d.undo());
  EXPECT_EQ(d.entries()[0], u"ship|2\n boat | vessel \n-|  craft");
}

TEST(ThesaurusSpaces, StopsAtAnEmptyWordOrMeaningWithNoChange) {
  struct row {
    std::vector<text_t> entries;
    text_t status;
  };
  const std::vector<row> rows = {
      {{u"a|1\n b ", u"c|2\nd\n  "}, u"Null word at Line:2 Meaning:2 Aborted."},
      {{u"a|1\n b ", u"c|2\nd"}, u"Null word at Line:2 Meaning:2 Aborted."},  // a missing line
      {{u"a|1\n-|"}, u"Null word at Line:1 Meaning:1 Aborted."},
      {{u" |1\nb"}, u"Null word at Line:1 Synonym Aborted."},
  };
  for (const row& r : rows) {
    list_document d = doc_of(r.entries);
    headless_long_job_host host;
    EXPECT_TRUE(fix_thesaurus_entry_spaces(d, u",", host).aborted);
    EXPECT_EQ(host.status, r.status);
    EXPECT_EQ(d.entries(), r.entries);
  }
}

TEST(ThesaurusSpaces, NothingToFixAndEmptyThesaurusAreReported) {
  list_document d = doc_of({u"a|1\nb"});
  headless_long_job_host host;
  EXPECT_EQ(fix_thesaurus_entry_spaces(d, u",", host).message, u"No spaces to fix found!");
  list_document empty;
  EXPECT_EQ(fix_thesaurus_entry_spaces(empty, u",", host).message, u"No synonyms found.");
}

// ---- Sort and Deduplicate ---------------------------------------------------------------

TEST(ThesaurusMeanings, RebuildsSortedOrDeduplicated) {
  struct row {
    text_t in;
    bool sort, unduplicate;
    text_t out;
  };
  const std::vector<row> rows = {
      {u"w|5\na\nb\na\nc\na", false, true, u"w|3\nb\nc\na"},
      {u"w|2\na\nA", false, true, u"w|2\na\nA"},
      {u"w|3\na\nA\na", false, true, u"w|2\nA\na"},  // repeats split by another case still found
      {u"w|3\nb\nA\nc", true, false, u"w|3\nA\nb\nc"},
      {u"ship|3|x\nb\na", true, false, u"ship|2\na\nb"},  // extra fields dropped, count follows the lines
      {u"ship", true, false, u"ship|0"},
      {u"w|4\na\n\n\nb", false, true, u"w|2\na\nb"},  // empty meanings are not written nor counted
  };
  for (const row& r : rows) EXPECT_EQ(rebuild_thesaurus_meanings(r.in, r.sort, r.unduplicate), r.out) << to_utf8(r.in);
}

TEST(ThesaurusMeanings, DeduplicateCountsChangedEntriesAndSortAsksFirst) {
  list_document d = doc_of({u"w|3\na\nb\na", u"v|1\nx"});
  headless_long_job_host host;
  thesaurus_tool_result r = sort_or_unduplicate_thesaurus_meanings(d, false, true, host);
  EXPECT_EQ(host.status, u"Unduplicated synonyms meanings:1");
  EXPECT_EQ(d.entries()[0], u"w|2\nb\na");

  list_document s = doc_of({u"w|2\nb\na"});
  headless_long_job_host no;
  no.abort_answer = 7;
  r = sort_or_unduplicate_thesaurus_meanings(s, true, false, no);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(s.entries()[0], u"w|2\nb\na");
  EXPECT_EQ(no.status, u"Aborted.");
}

// ---- Clean up symbols -----------------------------------------------------------------

TEST(ThesaurusCleanSymbols, ChangesMeaningLinesByTheOptions) {
  struct row {
    text_t in;
    clean_symbols_options options;
    text_t out;
    bool worked = true;
  };
  const clean_symbols_options brackets{false, false, true};
  const std::vector<row> rows = {
      {u"(noun)|ship (vessel)|boat", brackets, u"|ship |boat"},
      {u"(a)(b|c", brackets, u"(a)(b|c", false},  // unbalanced: unchanged
      {u"a)b(", brackets, u"a)b("},        // balanced but closed first: ends
      {u"x)(y)(z", brackets, u"x)(y)(z"},
      {u"(a) b (c)d", brackets, u" b d"},
      {u"-|boat|vessel", {true, true, false}, u"boat vessel"},
      {u"-|boat|vessel", {false, true, false}, u"- boat vessel"},
  };
  for (const row& r : rows) {
    bool worked = false;
    EXPECT_EQ(clean_thesaurus_meaning(r.in, r.options, worked), r.out) << to_utf8(r.in);
    EXPECT_EQ(worked, r.worked) << to_utf8(r.in);
  }
}

TEST(ThesaurusCleanSymbols, AnEmptiedMeaningStopsWithNoChangeAndSelectsTheEntry) {
  const std::vector<text_t> entries = {u"a|1\n(noun)|b", u"c|2\n(noun)|d\n(noun)"};
  list_document d = doc_of(entries);
  headless_long_job_host host;
  EXPECT_TRUE(clean_thesaurus_entry_symbols(d, {false, false, true}, u",", host).aborted);
  EXPECT_EQ(host.status, u"Null meaning at Line:2 Meaning:2! Aborted.");
  EXPECT_EQ(d.selected(), 1);
  EXPECT_EQ(d.entries(), entries);

  list_document ok = doc_of({u"a|1\n(noun)|b|c\nextra"});
  EXPECT_TRUE(clean_thesaurus_entry_symbols(ok, {}, u",", host).changed);
  EXPECT_EQ(ok.entries()[0], u"a|1\n b c");
}

// ---- Sort on numbers --------------------------------------------------------------------

TEST(ThesaurusSortOnNumbers, OrdersByCountThenFoldedWord) {
  list_document d = doc_of({u"z|10\n" + std::u16string(9, u'x'), u"\u00c9t\u00e9|2\na\nb", u"b|2\na\nb", u"a|9\nq",
                            u"ete|1\nx"});
  d.set_checked(0, true);
  headless_long_job_host host;
  sort_thesaurus_on_meaning_count(d, u",", host);
  ASSERT_EQ(d.count(), 5);
  EXPECT_EQ(thesaurus_header(d.entries()[0]), u"ete|1");
  EXPECT_EQ(thesaurus_header(d.entries()[1]), u"b|2");
  EXPECT_EQ(thesaurus_header(d.entries()[2]), u"\u00c9t\u00e9|2");
  EXPECT_EQ(thesaurus_header(d.entries()[3]), u"a|9");
  EXPECT_EQ(thesaurus_header(d.entries()[4]), u"z|10");
  EXPECT_EQ(d.checked_count(), 0);
  EXPECT_FALSE(host.running);
}

TEST(ThesaurusSortOnNumbers, EscapeNeverDuplicatesOrDropsAnEntry) {
  const std::vector<text_t> entries = {u"c|2\na\nb", u"b|1\na", u"a|3\na\nb\nc", u"d|0"};
  for (int64_t at = 1; at <= 8; ++at) {
    list_document d = doc_of(entries);
    headless_long_job_host host;
    host.escape_at_poll = at;
    sort_thesaurus_on_meaning_count(d, u",", host);
    EXPECT_EQ(sorted(d.entries().to_vector()), sorted(entries)) << at;
  }
}

// ---- Combine ------------------------------------------------------------------------------

TEST(ThesaurusCombine, AddsTheReverseEntriesSortedIgnoringCase) {
  list_document d = doc_of({u"small|1\nlittle", u"big|2\nlarge\nhuge", u"none|0"});
  headless_long_job_host host;
  const thesaurus_tool_result r = combine_thesaurus_synonyms(d, host);
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(d.entries(), (std::vector<text_t>{u"big|2\nlarge\nhuge", u"huge|2\nlarge\nbig", u"large|2\nbig\nhuge",
                                             u"little|1\nsmall", u"none|0", u"small|1\nlittle"}));
  EXPECT_EQ(host.status, u"New synonyms:3");
}

TEST(ThesaurusCombine, RefusesEntriesThatAreNotSimpleBeforeAnyChange) {
  for (const text_t& bad : {text_t(u"w|1\n(noun)|a"), text_t(u"w|1\n-|a"), text_t(u"w|1\na (x)")}) {
    const std::vector<text_t> entries = {u"a|1\nb", bad};
    list_document d = doc_of(entries);
    headless_long_job_host host;
    const thesaurus_tool_result r = combine_thesaurus_synonyms(d, host);
    EXPECT_TRUE(r.aborted);
    EXPECT_EQ(r.message.substr(0, 26), u"Basic combine doesn't acce");
    EXPECT_EQ(d.entries(), entries);
  }
}

// Every new entry repeats its entry's meanings: 100 meanings beside a 1 MB
// line would make 100 copies of that line. The size is known before any
// entry is built; the same shape with short lines combines.
TEST(ThesaurusCombine, RefusesAResultThatWouldMultiplyALongEntry) {
  auto entry_of = [](size_t long_line) {
    text_t e = u"word|100\n" + text_t(long_line, u'x');
    for (int k = 1; k < 100; ++k) e += u"\nm" + string_from_int(k);
    return e;
  };
  struct row {
    size_t long_line;
    bool refused;
  };
  for (const row& k : {row{1 << 20, true}, row{16, false}}) {
    SCOPED_TRACE(k.long_line);
    const std::vector<text_t> entries = {u"a|1\nb", entry_of(k.long_line)};
    list_document d = doc_of(entries);
    headless_long_job_host host;
    const thesaurus_tool_result r = combine_thesaurus_synonyms(d, host);
    EXPECT_EQ(r.aborted, k.refused);
    if (k.refused) {
      EXPECT_EQ(r.message.substr(0, 28), u"Combine would add more than ");
      EXPECT_NE(r.message.find(u"Nothing was changed."), text_t::npos);
      EXPECT_EQ(d.entries(), entries);
    } else {
      EXPECT_EQ(r.count, 101);
      EXPECT_EQ(d.count(), 103);
    }
  }
}

TEST(ThesaurusCombine, EscapeLeavesTheEntriesAsTheyWere) {
  const std::vector<text_t> entries = {u"a|1\nb", u"c|1\nd", u"e|1\nf"};
  for (int64_t at = 1; at <= 6; ++at) {
    list_document d = doc_of(entries);
    headless_long_job_host host;
    host.escape_at_poll = at;
    const thesaurus_tool_result r = combine_thesaurus_synonyms(d, host);
    EXPECT_TRUE(r.aborted) << at;
    EXPECT_EQ(d.entries(), entries) << at;
  }
}

// ---- Duplicates -----------------------------------------------------------------------------

thesaurus_tool_result scan_and_merge(list_document& d) {
  headless_long_job_host host;
  thesaurus_duplicates_scan s = scan_thesaurus_duplicates(d, host);
  return merge_thesaurus_duplicates(d, std::move(s), u",", host);
}

TEST(ThesaurusDuplicates, ListsGroupsOfOneWordComparedWithCase) {
  list_document d = doc_of({u"ship|1\nboat", u"Ship|1\nx", u"ship|2\nvessel\nboat", u"shipx|1\ny", u"lone"});
  headless_long_job_host host;
  const thesaurus_duplicates_scan s = scan_thesaurus_duplicates(d, host);
  ASSERT_EQ(s.rows.size(), 2u);
  EXPECT_EQ(s.rows[0].header, u"ship|1");
  EXPECT_EQ(s.rows[0].position, 0);
  EXPECT_EQ(s.rows[0].preview, u"boat");
  EXPECT_EQ(s.rows[1].header, u"ship|2");
  EXPECT_EQ(s.rows[1].position, 2);
}

TEST(ThesaurusDuplicates, MergesEachGroupIntoItsFirstRow) {
  struct row {
    std::vector<text_t> in, out;
  };
  const std::vector<row> rows = {
      {{u"ship|1\nboat", u"ship|1\nboat"}, {u"ship|1\nboat"}},
      {{u"ship|1\nboat", u"ship|2\nvessel\nboat"}, {u"ship|2\nboat\nvessel"}},
      {{u"a|2\nx\ny", u"b|1\nq", u"a|2\ny\nz", u"a|2\nw\nx"}, {u"a|4\nw\nx\ny\nz", u"b|1\nq"}},
      {{u"Ship|1\nx", u"ship|1\ny"}, {u"Ship|1\nx", u"ship|1\ny"}},
  };
  for (const row& r : rows) {
    list_document d = doc_of(r.in);
    scan_and_merge(d);
    EXPECT_EQ(d.entries(), r.out) << to_utf8(r.in[0]);
  }
}

TEST(ThesaurusDuplicates, EscapeDuringTheMergeNeitherStopsItNorLosesAnEntry) {
  const std::vector<text_t> entries = {u"a|1\nx", u"b|1\nq", u"a|1\ny", u"a|1\nx"};
  for (int64_t at = 1; at <= 4; ++at) {
    list_document d = doc_of(entries);
    headless_long_job_host scan_host;
    thesaurus_duplicates_scan s = scan_thesaurus_duplicates(d, scan_host);
    headless_long_job_host host;
    host.escape_at_poll = at;
    EXPECT_FALSE(merge_thesaurus_duplicates(d, std::move(s), u",", host).aborted) << at;
    EXPECT_EQ(d.entries(), (std::vector<text_t>{u"a|2\nx\ny", u"b|1\nq"})) << at;
  }
}

TEST(ThesaurusDuplicates, AMergePastTheMeaningLimitChangesNothing) {
  text_t a = u"w|60", b = u"w|41";
  for (int i = 0; i < 60; ++i) a += u"\na" + string_from_int(i);
  for (int i = 0; i < 41; ++i) b += u"\nb" + string_from_int(i);
  const std::vector<text_t> entries = {a, u"k|1\nm", b};
  list_document d = doc_of(entries);
  const thesaurus_tool_result r = scan_and_merge(d);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.message, u"Found synonym with more than 100 meanings.");
  EXPECT_EQ(d.entries(), entries);

  b = u"w|40";
  for (int i = 0; i < 40; ++i) b += u"\nb" + string_from_int(i);
  list_document fits = doc_of({a, b});
  EXPECT_FALSE(scan_and_merge(fits).aborted);
  ASSERT_EQ(fits.count(), 1);
  EXPECT_EQ(thesaurus_meaning_count(thesaurus_header(fits.entries()[0])), 100);
}

// ---- Files -----------------------------------------------------------------------------------

class ThesaurusFiles : public test_support::temp_folder_test {
 protected:
  ThesaurusFiles() : temp_folder_test("vx_thestools") {}
};

TEST_F(ThesaurusFiles, ExtractsInBothLayouts) {
  list_document d = doc_of({u"ship|2\n-|boat|vessel\n(noun)|ship|craft", u"none|0"});
  headless_long_job_host host;
  extract_thesaurus(d, from_utf8(path("plain.txt")), false, u",", host);
  EXPECT_EQ(test_support::read_file(path("plain.txt")),
            "\xEF\xBB\xBFship:\n-|boat|vessel\n(noun)|ship|craft\n\nnone:\n\n");
  extract_thesaurus(d, from_utf8(path("book.txt")), true, u",", host);
  EXPECT_EQ(test_support::read_file(path("book.txt")), "\xEF\xBB\xBFship:\nboat, vessel;\n(noun), ship, craft.\n\nnone:\n\n");
  EXPECT_EQ(host.status.substr(0, 12), u"OK. (0.0 MB)");
}

TEST_F(ThesaurusFiles, AnAbortedOrFailedExtractionKeepsTheOldFile) {
  test_support::write_file(path("out.txt"), "old");
  list_document d = doc_of({u"a|1\nb", u"c|1\nd", u"e|1\nf"});
  headless_long_job_host host;
  host.escape_at_poll = 2;
  EXPECT_TRUE(extract_thesaurus(d, from_utf8(path("out.txt")), false, u",", host).aborted);
  EXPECT_EQ(test_support::read_file(path("out.txt")), "old");
  EXPECT_EQ(test_support::folder_names(path("")), std::vector<std::string>{"out.txt"});
  headless_long_job_host quiet;
  const thesaurus_tool_result r = extract_thesaurus(d, from_utf8(path("missing/out.txt")), false, u",", quiet);
  EXPECT_EQ(r.message_title, u"Error!");
}

TEST_F(ThesaurusFiles, ExportsTheDuplicateRows) {
  const std::vector<thesaurus_duplicate_row> rows = {{u"ship|1", 0, u"boat"}, {u"ship|2", 2, u"vessel\nboat"}};
  ASSERT_TRUE(export_thesaurus_duplicates(rows, from_utf8(path("d.txt")), u","));
  EXPECT_EQ(test_support::read_file(path("d.txt")),
            "\xEF\xBB\xBF" "DUPLICATES FOUND:2\n\nship|1\nboat\n\nship|2\nvessel\nboat\n\n");
}

}  // namespace
