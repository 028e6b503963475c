#include "editors/autocorrect/autocorrect_tools.h"

#include "common/long_job.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

list_document doc_of(std::vector<text_t> entries) {
  list_document d;
  d.replace_all(std::move(entries), u"");
  return d;
}

// ---- Spaces ---------------------------------------------------------------------------

TEST(AutocorrectSpaces, CleansUntilNoInvalidSpaceIsLeft) {
  struct row {
    text_t in, out;
  };
  const std::vector<row> rows = {
      {u" teh \nthe", u"teh\nthe"},
      {u"a  b\n c", u"a b\nc"},
      {u"a    \n    b", u"a\nb"},   // the repeats need several rounds
      {u"  x  y  \n  z  ", u"x y\nz"},
      {u"ok\nfine", u"ok\nfine"},
      {u"teh\n ", u"teh\n"},
  };
  for (const row& r : rows) EXPECT_EQ(clean_autocorrect_spaces(r.in), r.out) << to_utf8(r.in);
}

TEST(AutocorrectSpaces, FixesTheEntriesThatChangeAndCanBeUndone) {
  list_document d = doc_of({u" teh \nthe", u"adn\nand", u"a  b\n c"});
  headless_long_job_host host;
  const autocorrect_tool_result r = fix_autocorrect_list_spaces(d, u",", host);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(d.entries(), (std::vector<text_t>{u"teh\nthe", u"adn\nand", u"a b\nc"}));
  EXPECT_EQ(r.count, 2);
  EXPECT_TRUE(d.changed());
  EXPECT_EQ(host.status, u"Fixed words:2");
  EXPECT_FALSE(host.running);
  ASSERT_TRUE(d.undo());
  EXPECT_EQ(d.entries()[0], u" teh \nthe");
}

TEST(AutocorrectSpaces, AnEmptyTextStopsTheRunBeforeAnyChange) {
  list_document d = doc_of({u" teh \nthe", u"teh\n ", u"x \ny"});
  headless_long_job_host host;
  const autocorrect_tool_result r = fix_autocorrect_list_spaces(d, u",", host);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(host.status, u"Null word at Line:2 Aborted.");
  EXPECT_EQ(d.entries()[0], u" teh \nthe");
  EXPECT_FALSE(d.changed());
  EXPECT_TRUE(d.can_undo());  // taken at the start, as the command promises
}

// Unlike the hex run's, this line number is not grouped, whatever the
// thousands separator.
TEST(AutocorrectSpaces, TheNullWordLineNumberIsPlain) {
  std::vector<text_t> entries(12345, u"teh\nthe");
  entries.back() = u"teh\n ";
  list_document d = doc_of(std::move(entries));
  headless_long_job_host host;
  const autocorrect_tool_result r = fix_autocorrect_list_spaces(d, u",", host);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(host.status, u"Null word at Line:12345 Aborted.");
  EXPECT_FALSE(d.changed());
}

TEST(AutocorrectSpaces, NothingToFixAndEmptyListAreReported) {
  list_document d = doc_of({u"teh\nthe"});
  headless_long_job_host host;
  autocorrect_tool_result r = fix_autocorrect_list_spaces(d, u",", host);
  EXPECT_EQ(r.message, u"No spaces to fix found!");
  EXPECT_EQ(host.status, u"OK.");
  EXPECT_FALSE(d.changed());

  list_document empty;
  r = fix_autocorrect_list_spaces(empty, u",", host);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.message, u"No Autocorrects found.");
  EXPECT_FALSE(empty.can_undo());
}

TEST(AutocorrectSpaces, EscapeInTheFirstPassChangesNothing) {
  list_document d = doc_of({u" a\nb", u" c\nd", u" e\nf"});
  headless_long_job_host host;
  host.escape_at_poll = 2;
  const autocorrect_tool_result r = fix_autocorrect_list_spaces(d, u",", host);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(host.status, u"Aborted.");
  EXPECT_EQ(d.entries()[0], u" a\nb");
  EXPECT_FALSE(d.changed());
}

// ---- Hexadecimal references -----------------------------------------------------------------

TEST(AutocorrectHex, ConvertsWellFormedReferencesAndLeavesTheRest) {
  struct row {
    text_t in, out;
    bool above_bmp;
  };
  const std::vector<row> rows = {
      {u"smile &#x263A;", u"smile \u263A", false},
      {u"&#x263A;&#x263A;", u"\u263A\u263A", false},
      {u"&#x1F600;", u"\U0001F600", true},            // a surrogate pair
      {u"&#x0001f600;", u"\U0001F600", true},         // leading zeros, lower case
      {u"a&#xD83D;b", u"a&#xD83D;b", false},          // a surrogate is no character
      {u"&#xDFFF;", u"&#xDFFF;", false},
      {u"&#x26G;", u"&#x26G;", false},                // malformed digits
      {u"&#x;", u"&#x;", false},                      // no digits
      {u"&#x0;", u"&#x0;", false},                    // U+0000
      {u"&#x110000;", u"&#x110000;", false},          // beyond Unicode
      {u"a&#x41\nb;", u"a&#x41\nb;", false},          // the pair's line feed is kept
      {u"a&#xA;b\nc&#x0a;&#x9;&#xD;", u"a&#xA;b\nc&#x0a;\t\r", false},  // a line feed would split the pair
      {u"&#x26;#x41;", u"&#x41;", false},             // decoded once only
      {u"&#x41;&#xZ;&#x42;", u"A&#xZ;B", false},
      {u"teh\nthe", u"teh\nthe", false},
  };
  for (const row& r : rows) {
    const hex_conversion c = convert_autocorrect_hex_references(r.in);
    EXPECT_TRUE(c.valid) << to_utf8(r.in);
    EXPECT_EQ(c.text, r.out) << to_utf8(r.in);
    EXPECT_EQ(c.above_bmp, r.above_bmp) << to_utf8(r.in);
  }
  EXPECT_FALSE(convert_autocorrect_hex_references(u"x\n&#x263A").valid);
  EXPECT_FALSE(convert_autocorrect_hex_references(u"&#x41;&#x42").valid);
}

TEST(AutocorrectHex, ConvertsTheListAndCountsChangedEntries) {
  list_document d = doc_of({u"smile\n&#x263A;", u"teh\nthe", u"hearts\n&#x2665;&#x2665;"});
  headless_long_job_host host;
  const autocorrect_tool_result r = clean_autocorrect_list_hex_symbols(d, u",", host);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(d.entries(), (std::vector<text_t>{u"smile\n\u263A", u"teh\nthe", u"hearts\n\u2665\u2665"}));
  EXPECT_EQ(r.count, 2);
  EXPECT_EQ(host.status.substr(0, 24), u"OK. Converted symbols:2 ");
  EXPECT_EQ(host.questions, 0);
  EXPECT_TRUE(d.changed());
}

TEST(AutocorrectHex, AboveBmpAsksAndOnlyYesStops) {
  for (int answer : {6, 7, 0}) {
    list_document d = doc_of({u"grin\n&#x1F600;", u"smile\n&#x263A;"});
    headless_long_job_host host;
    host.abort_answer = answer;
    const autocorrect_tool_result r = clean_autocorrect_list_hex_symbols(d, u",", host);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              u"Found symbols above character 65535.\n(Quenvar limitation - character corruption)\n\nAbort?");
    if (answer == 6) {
      EXPECT_TRUE(r.aborted);
      EXPECT_EQ(d.entries()[0], u"grin\n&#x1F600;");
      EXPECT_EQ(host.status, u"Aborted.");
    } else {
      EXPECT_FALSE(r.aborted) << answer;
      EXPECT_EQ(d.entries()[0], u"grin\n\U0001F600") << answer;
    }
  }
}

TEST(AutocorrectHex, AnUnclosedReferenceStopsWithItsGroupedLineNumber) {
  std::vector<text_t> entries(12345, u"smile\n&#x263A;");
  entries.back() = u"smile\n&#x263A";
  list_document d = doc_of(std::move(entries));
  headless_long_job_host host;
  const autocorrect_tool_result r = clean_autocorrect_list_hex_symbols(d, u",", host);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(host.status, u"Null word at Line:12,345 Aborted.");
  EXPECT_EQ(d.entries()[0], u"smile\n&#x263A;");
  EXPECT_FALSE(d.changed());
}

TEST(AutocorrectHex, NoReferencesIsReported) {
  list_document d = doc_of({u"teh\nthe", u"a&#xZZ;\nb"});
  headless_long_job_host host;
  const autocorrect_tool_result r = clean_autocorrect_list_hex_symbols(d, u",", host);
  EXPECT_EQ(r.message, u"No hex symbols found!");
  EXPECT_EQ(host.status.substr(0, 3), u"OK.");
  EXPECT_FALSE(d.changed());
}

// ---- Extraction and the duplicates export -------------------------------------------------------

class AutocorrectFiles : public test_support::temp_folder_test {
 protected:
  AutocorrectFiles() : temp_folder_test("vx_actools") {}
};

TEST_F(AutocorrectFiles, ExtractWritesOneArrowLinePerPair) {
  list_document d = doc_of({u"teh\nthe", u"R&D\n\"research\" \U0001F600"});
  headless_long_job_host host;
  const autocorrect_tool_result r = extract_autocorrect_list(d, from_utf8(path("out.txt")), u",", host);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(test_support::read_file(path("out.txt")),
            "\xEF\xBB\xBFteh \xE2\x86\x92 the\nR&D \xE2\x86\x92 \"research\" \xF0\x9F\x98\x80\n");
  EXPECT_EQ(host.status.substr(0, 14), u"OK. (39 bytes)");
}

TEST_F(AutocorrectFiles, ExtractAbortOrFailureKeepsTheOldFile) {
  test_support::write_file(path("out.txt"), "old");
  list_document d = doc_of({u"a\nb", u"c\nd", u"e\nf"});
  headless_long_job_host host;
  host.escape_at_poll = 2;
  autocorrect_tool_result r = extract_autocorrect_list(d, from_utf8(path("out.txt")), u",", host);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(host.status, u"Aborted.");
  EXPECT_EQ(test_support::read_file(path("out.txt")), "old");
  EXPECT_EQ(test_support::folder_names(dir_), std::vector<std::string>{"out.txt"});

  headless_long_job_host host2;
  r = extract_autocorrect_list(d, from_utf8(path("missing/out.txt")), u",", host2);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.message_title, u"Error!");
  EXPECT_NE(r.message.find(u"missing/out.txt"), text_t::npos);
}

TEST_F(AutocorrectFiles, DuplicatesExport) {
  ASSERT_TRUE(export_autocorrect_duplicates({{u"teh", 2}, {u"\u00e9t\u00e9", 3}}, from_utf8(path("d.txt")), u","));
  EXPECT_EQ(test_support::read_file(path("d.txt")), "\xEF\xBB\xBF" "DUPLICATES FOUND:2\n\nteh:2\n\xC3\xA9t\xC3\xA9:3\n");
  EXPECT_FALSE(export_autocorrect_duplicates({}, from_utf8(path("no/d.txt")), u","));
}

// ---- Duplicates -------------------------------------------------------------------------------

TEST(AutocorrectDuplicates, GroupsByIncorrectTextCaseSensitively) {
  list_document d = doc_of({u"teh\nthe", u"teh\nten", u"adn\nand", u"Teh\nThe", u"teh\ttab\nx", u"teh\nthe"});
  headless_long_job_host host;
  const autocorrect_duplicates_scan s = scan_autocorrect_duplicates(d, u",", host);
  EXPECT_FALSE(s.aborted);
  ASSERT_EQ(s.rows.size(), 1u);
  EXPECT_EQ(s.rows[0].incorrect, u"teh");
  EXPECT_EQ(s.rows[0].occurrences, 3);
  EXPECT_EQ(s.sorted, (std::vector<text_t>{u"Teh\nThe", u"adn\nand", u"teh\nten", u"teh\nthe", u"teh\nthe",
                                           u"teh\ttab\nx"}));
  EXPECT_EQ(host.status, u"OK.");
}

TEST(AutocorrectDuplicates, DeleteKeepsTheLastOfEachGroupAndXDeleteNone) {
  struct row {
    bool exclusive;
    std::vector<text_t> after;
    int64_t removed;
  };
  for (const row& r : {row{false, {u"adn\nand", u"teh\nthe"}, 1}, row{true, {u"adn\nand"}, 2}}) {
    list_document d = doc_of({u"teh\nthe", u"teh\nten", u"adn\nand"});
    d.set_checked(0, true);
    d.select(2);
    headless_long_job_host host;
    const autocorrect_duplicates_scan s = scan_autocorrect_duplicates(d, u",", host);
    EXPECT_EQ(remove_autocorrect_duplicates(d, s.sorted, r.exclusive, u",", host), r.removed);
    EXPECT_EQ(d.entries(), r.after);
    EXPECT_EQ(d.checked(), std::vector<uint8_t>(r.after.size(), 0));
    EXPECT_EQ(d.checked_count(), 0);
    EXPECT_EQ(d.selected(), -1);
    EXPECT_TRUE(d.changed());
    ASSERT_TRUE(d.undo());
    EXPECT_EQ(d.entries(), (std::vector<text_t>{u"teh\nthe", u"teh\nten", u"adn\nand"}));
  }
}

TEST(AutocorrectDuplicates, XDeleteOfEveryPairLeavesAnEmptyList) {
  list_document d = doc_of({u"a\nb", u"a\nc"});
  headless_long_job_host host;
  const autocorrect_duplicates_scan s = scan_autocorrect_duplicates(d, u",", host);
  EXPECT_EQ(remove_autocorrect_duplicates(d, s.sorted, true, u",", host), 2);
  EXPECT_TRUE(d.empty());
  EXPECT_EQ(d.checked_count(), 0);
}

TEST(AutocorrectDuplicates, EscapeStopsTheScanWithoutRows) {
  list_document d = doc_of({u"a\nb", u"a\nc", u"d\ne"});
  headless_long_job_host host;
  host.escape_at_poll = 5;  // in the grouping pass
  const autocorrect_duplicates_scan s = scan_autocorrect_duplicates(d, u",", host);
  EXPECT_TRUE(s.aborted);
  EXPECT_TRUE(s.rows.empty());
  EXPECT_EQ(host.status, u"Aborted.");
  EXPECT_FALSE(host.running);
}

}  // namespace
