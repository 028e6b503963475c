#include "affix/aff_validation.h"

#include "affix/aff_cache.h"
#include "tests/affix/test_cache.h"
#include "common/format.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The lines of an .aff text, the cache built from them, and a run over them.
struct validation_case {
  text_t text;
  std::vector<aff_validate_line_record> lines;
  aff_validation_result result;
  headless_long_job_host host;

  explicit validation_case(const std::string& utf8) : text(normalise_line_endings(from_utf8(utf8))) {
    lines = split_aff_validate_lines(text);
    rebuild_aff_cache_from_panel(test_cache, lines);
  }
  const aff_validation_result& run() {
    result = run_aff_validation(lines, text, test_cache, host);
    return result;
  }
  // The report lines of a step, as texts.
  std::vector<text_t> step_lines(int step) const {
    std::vector<text_t> out;
    for (const auto& l : result.report)
      if (l.step == step) out.push_back(l.text);
    return out;
  }
  bool reports(const text_t& text) const {
    for (const auto& l : result.report)
      if (l.text == text) return true;
    return false;
  }
  // Line numbers (1-based) of the lines of a colour.
  std::vector<int64_t> coloured(int32_t colour) const {
    std::vector<int64_t> out;
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].colour == colour) out.push_back(static_cast<int64_t>(i) + 1);
    return out;
  }
};

std::string read_text_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

using lines_t = std::vector<int64_t>;

TEST(AffValidation, ReportOfACleanFileStepByStep) {
  validation_case c("SET UTF-8\nPFX A Y 1\nPFX A 0 re .\nSFX B Y 2\nSFX B 0 s [^sxz]\nSFX B 0 es [sxz]\n");
  c.run();
  EXPECT_FALSE(c.result.errors);
  EXPECT_FALSE(c.result.aborted);
  EXPECT_EQ(c.step_lines(1), (std::vector<text_t>{u"", u"Step 1/6 - Searching For \"SET UTF-8\"", u"",
                                                  u"\"SET UTF-8\" found at line:1", u"OK! Found one entry in the .AFF",
                                                  u"", u""}));
  EXPECT_EQ(c.step_lines(2),
            (std::vector<text_t>{u"", u"Step 2/6 - Searching and validating reserved flags", u"Not coded yet!", u""}));
  EXPECT_EQ(c.step_lines(3),
            (std::vector<text_t>{u"", u"Step 3/6 - Listing flags in .AFF", u"", u"Showing Prefixes...",
                                 u"Found 1 entry:", u"Flag \"A\" count 1 at line:2", u"", u"", u"Showing Suffixes...",
                                 u"Found 1 entry:", u"Flag \"B\" count 2 at line:4", u"", u"",
                                 u"Total of rules Prefixes (1) + Suffixes (2) found:3",
                                 u"Total of Prefixes (1) + Suffixes (1) found:2", u"", u""}));
  EXPECT_EQ(c.step_lines(4), (std::vector<text_t>{u"", u"Step 4/6 - Searching for duplicate flags", u"",
                                                  u"No duplicate flags found!", u"", u""}));
  EXPECT_EQ(c.step_lines(5), (std::vector<text_t>{u"", u"Step 5/6 - Counting number of rules per flag", u"",
                                                  u"Analysing Prefixes...", u"No errors found!", u"", u"",
                                                  u"Analysing Suffixes...", u"No errors found!", u"", u""}));
  EXPECT_EQ(c.step_lines(6), (std::vector<text_t>{u"", u"Step 6/6 - Searching for repeated/invalid rules in flags",
                                                  u"", u"Analysing Prefixes...", u"Flag \"A\"", u"No errors found!",
                                                  u"", u"", u"Analysing Suffixes...", u"Flag \"B\"",
                                                  u"No errors found!", u"", u""}));
  EXPECT_EQ(c.step_lines(7),
            (std::vector<text_t>{u"", u"No errors found in validation!", u"Done!", u"", u"", u""}));
  EXPECT_TRUE(c.coloured(AFF_LINE_RED).empty());
  EXPECT_FALSE(c.host.running);  // the job timer is gone
}

TEST(AffValidation, SetUtf8Cases) {
  struct {
    const char* aff;
    std::vector<const char16_t*> expected;  // in order, among the step's lines
    bool error;
    lines_t red;
  } cases[] = {
      {"SET UTF-8\n", {u"\"SET UTF-8\" found at line:1", u"OK! Found one entry in the .AFF"}, false, {}},
      {"\n# a comment\n  SET UTF-8\nTRY a\n", {u"\"SET UTF-8\" found at line:3", u"OK! Found one entry in the .AFF"},
       false, {}},
      {"# SET UTF-8\nTRY a\n",
       {u"\"SET UTF-8\" found at line:1 (remmed)", u"Error: Not found in the .AFF",
        u"Error: \"SET UTF-8\" is not the first command in the .AFF."},
       true, {}},
      {"TRY a\n", {u"Error: Not found in the .AFF"}, true, {}},
      {"# comment SET UTF-8\nTRY abc\nSET UTF-8\nSET UTF-8\n",
       {u"\"SET UTF-8\" found at line:1 (remmed)", u"\"SET UTF-8\" found at line:3", u"\"SET UTF-8\" found at line:4",
        u"Error: Found 2 occurences in the .AFF", u"Error: \"SET UTF-8\" is not the first command in the .AFF."},
       true, {3, 4}},
      {"SET UTF-8 SET UTF-8\n",
       {u"\"SET UTF-8\" found at line:1 (multiple)", u"Error: Found 2 occurences in the .AFF"}, true, {1}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.aff);
    validation_case c(k.aff);
    c.run();
    const auto lines = c.step_lines(1);
    size_t at = 0;
    for (const char16_t* e : k.expected) {
      while (at < lines.size() && lines[at] != e) ++at;
      EXPECT_LT(at, lines.size()) << to_utf8(e);
    }
    EXPECT_EQ(c.result.errors, k.error);
    EXPECT_EQ(c.coloured(AFF_LINE_RED), k.red);
  }
}

TEST(AffValidation, SetUtf8IsCountedInTheTextTakenAtOpening) {
  validation_case c("TRY a\n");
  c.lines.insert(c.lines.begin(), {u"SET UTF-8", 0, 0});
  rebuild_aff_cache_from_panel(test_cache, c.lines);
  c.run();
  EXPECT_TRUE(c.reports(u"Error: Not found in the .AFF"));
}

TEST(AffValidation, ConditionBrackets) {
  struct {
    const char* condition;
    bool mismatch;
  } cases[] = {
      {"[^aeiou]y", false}, {"[abc]", false}, {"[abc]de", false}, {"x[^y]", false}, {".", false},
      {"^x", true},         {"[]", true},     {"a[^]", true},     {"[[a]]", true},  {"a]", true},
      {"[a", true},         {"[a]^", true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.condition);
    validation_case c(std::string("SET UTF-8\nSFX A Y 1\nSFX A 0 s ") + k.condition + "\n");
    c.run();
    EXPECT_EQ(c.reports(u" Mistmatch of brackets/^ at line 3: \"SFX A 0 s " + from_utf8(k.condition) + u"\""),
              k.mismatch);
    EXPECT_EQ(c.coloured(AFF_LINE_RED), k.mismatch ? lines_t({2, 3}) : lines_t());
  }
}

TEST(AffValidation, FieldsSpacesAndDuplicateRules) {
  validation_case c(
      "SET UTF-8\nSFX A Y 5\nSFX A 0 s\nSFX A 0 es  .\nSFX A 0 ed . # two  spaces\nSFX A 0 ing .\n"
      "SFX A 0 es .\nPFX B Y 1\nPFX B 0 es .\n");
  c.run();
  EXPECT_TRUE(c.reports(u" Not 5 fields at line 3: \"SFX A 0 s\" (in blue)"));
  // Blue for its fields, then red for its spaces: it ends red.
  EXPECT_TRUE(c.reports(u" Not 5 fields at line 4: \"SFX A 0 es  .\" (in blue)"));
  EXPECT_TRUE(c.reports(u" Excessive spaces at line 4: \"SFX A 0 es  .\""));
  EXPECT_FALSE(c.reports(u" Excessive spaces at line 5: \"SFX A 0 ed . # two  spaces\""));
  // Equal once their spaces are collapsed, each with its own line and text;
  // the equal rule of the other set is not one of them.
  const auto lines = c.step_lines(6);
  const auto first = std::find(lines.begin(), lines.end(), u" Found duplicate rule at line 4: \"SFX A 0 es  .\"");
  ASSERT_NE(first, lines.end());
  ASSERT_NE(first + 1, lines.end());
  EXPECT_EQ(*(first + 1), u" Found duplicate rule at line 7: \"SFX A 0 es .\"");
  EXPECT_FALSE(c.reports(u" Found duplicate rule at line 9: \"PFX B 0 es .\""));
  EXPECT_EQ(c.coloured(AFF_LINE_BLUE), lines_t({3}));
  EXPECT_EQ(c.coloured(AFF_LINE_RED), lines_t({2, 4, 7}));
  EXPECT_TRUE(c.result.errors);
  EXPECT_TRUE(c.reports(u"Errors found in validation!"));
}

TEST(AffValidation, TabSeparatedRulesAreNotTheSetsRules) {
  validation_case c("SET UTF-8\nSFX A Y 1\nSFX\tA\t0\ts\t.\n");
  EXPECT_EQ(test_cache.aff_rule_set_declared_counts[1], 1);
  c.run();
  EXPECT_TRUE(c.reports(u"Flag \"A\" expected 1 found 0 at line:2"));
}

TEST(AffValidation, DuplicateFlagsAreSortedInACopy) {
  validation_case c("SET UTF-8\nSFX Z Y 1\nSFX Z 0 s .\nPFX B Y 1\nPFX B 0 re .\nSFX B Y 1\nSFX B 0 s .\n");
  const std::vector<text_t> file_order = test_cache.aff_rule_set_flags;
  c.run();
  EXPECT_EQ(c.step_lines(4)[3], u"Flag:B(2)");
  EXPECT_EQ(c.step_lines(4)[4], u"  Line:4");
  EXPECT_EQ(c.step_lines(4)[5], u"  Line:6");
  EXPECT_EQ(c.coloured(AFF_LINE_RED), lines_t({4, 6}));
  // The report leaves the cache in file order for every other reader.
  EXPECT_EQ(test_cache.aff_rule_set_flags, file_order);
  EXPECT_EQ(test_cache.aff_rule_set_flags, (std::vector<text_t>{u"Z", u"B", u"B"}));
}

// Every fixture fault is reported at its line, in its colour.
TEST(AffValidation, BrokenFixturesAreReportedAtTheirLines) {
  struct {
    const char* file;
    std::vector<const char16_t*> reported;
    lines_t red, blue;
  } cases[] = {
      {"count_too_large.aff", {u"Flag \"A\" expected 3 found 2 at line:3"}, {3}, {}},
      {"count_too_small.aff", {u"Flag \"B\" expected 1 found 3 at line:2"}, {2}, {}},
      {"wrong_kind_or_flag.aff",
       {u"Flag \"A\" expected 2 found 1 at line:2", u"Flag \"C\" expected 2 found 1 at line:5"}, {2, 5}, {}},
      {"bad_condition.aff",
       {u" Mistmatch of brackets/^ at line 3: \"SFX E 0 s [abc\"", u" Mistmatch of brackets/^ at line 4: \"SFX E 0 es ^x\""},
       {2, 3, 4}, {}},
      {"missing_fields.aff",
       {u" Not 5 fields at line 3: \"SFX F 0 s\" (in blue)", u" Excessive spaces at line 4: \"SFX F 0 es  .\"",
        u"Flag \"G\" expected 0 found 1 at line:5"},
       {2, 4, 5}, {3}},
      {"duplicate_headers.aff",
       {u"Flag:H(2)", u"  Line:2", u"  Line:4", u" Found duplicate rule at line 7: \"SFX I 0 s .\"",
        u" Found duplicate rule at line 8: \"SFX I   0 s .\""},
       {2, 4, 6, 7, 8}, {}},
      {"set_utf8_late_twice.aff", {u"Error: Found 2 occurences in the .AFF"}, {3, 4}, {}},
      {"count_past_end.aff", {u"Flag \"J\" expected 99999999999 found 1 at line:2"}, {2}, {}},
      // Counts at the 64-bit limits: the totals add what the lines can hold.
      {"count_at_int64_limit.aff",
       {u"Flag \"A\" expected 9223372036854775807 found 1 at line:6",
        u"Total of rules Prefixes (1) + Suffixes (3) found:4"},
       {6}, {}},
      {"counts_past_both_limits.aff",
       {u"Flag \"D\" expected -9223372036854775808 found 0 at line:4",
        u"Flag \"F\" expected 9223372036854775806 found 0 at line:6",
        u"Total of rules Prefixes (1) + Suffixes (0) found:1"},
       {4, 5, 6}, {}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.file);
    const std::string bytes = read_text_file(std::string(AFFIX_TEST_DATA "/broken/") + k.file);
    ASSERT_FALSE(bytes.empty());
    validation_case c(bytes);
    c.run();
    for (const char16_t* r : k.reported) EXPECT_TRUE(c.reports(r)) << to_utf8(r);
    EXPECT_EQ(c.coloured(AFF_LINE_RED), k.red);
    EXPECT_EQ(c.coloured(AFF_LINE_BLUE), k.blue);
    EXPECT_TRUE(c.result.errors);
    // Every report line that points at a line points inside the panel.
    for (const auto& l : c.result.report) EXPECT_LE(l.line, static_cast<int64_t>(c.lines.size()));
  }
}

// The cache may describe an older text: its line numbers colour nothing
// that no longer holds the header it found.
TEST(AffValidation, LinesOfAnOutdatedCacheAreCheckedFirst) {
  validation_case c("SET UTF-8\nSFX A Y 1\nSFX A 0 s .\nSFX A Y 1\nSFX A 0 es .\nSFX B Y 3\nSFX B 0 s .\n");
  // A rule line deleted and the last lines cut, without Refresh: the cache
  // still has headers at lines 2, 4 and 6.
  c.lines.erase(c.lines.begin() + 2);
  c.lines.resize(4);
  c.run();
  EXPECT_TRUE(c.reports(u" Line 4 does not hold \"SFX A Y\" any more: press Refresh before Process."));
  EXPECT_TRUE(c.reports(u" Line 6 does not hold \"SFX B Y\" any more: press Refresh before Process."));
  EXPECT_TRUE(c.result.errors);
  // Only the header still at its line is checked and coloured.
  EXPECT_TRUE(c.reports(u"  Line:2"));
  EXPECT_FALSE(c.reports(u"  Line:4"));
  EXPECT_EQ(c.coloured(AFF_LINE_RED), lines_t({2}));
  EXPECT_EQ(c.coloured(AFF_LINE_BLUE), lines_t({3}));
  for (const auto& l : c.result.report) EXPECT_LE(l.line, 4);
}

TEST(AffValidation, EscapeStopsTheRunKeepingItsColours) {
  validation_case c("SET UTF-8\nSET UTF-8\nSFX A Y 1\nSFX A 0 s .\n");
  c.host.escape_at_poll = 5;  // in the marking pass of step 1, after line 1
  c.host.abort_answer = 6;
  c.run();
  EXPECT_TRUE(c.result.aborted);
  EXPECT_EQ(c.host.messages, std::vector<text_t>{u"Really abort?"});
  EXPECT_FALSE(c.host.running);
  EXPECT_EQ(c.coloured(AFF_LINE_RED), lines_t({1}));  // line 2 was not reached
  // The unflushed step-1 lines are dropped and no verdict is written.
  EXPECT_FALSE(c.reports(u"Error: Found 2 occurences in the .AFF"));
  EXPECT_TRUE(c.step_lines(7).empty());

  validation_case no("SET UTF-8\nSET UTF-8\n");
  no.host.escape_at_poll = 2;
  no.host.abort_answer = 7;
  no.run();
  EXPECT_FALSE(no.result.aborted);
  EXPECT_TRUE(no.reports(u"Errors found in validation!"));
}

TEST(AffValidation, ARunStartsFromBlackLines) {
  validation_case c("SET UTF-8\nSFX A Y 1\nSFX A 0 s .\n");
  c.lines[2].colour = AFF_LINE_RED;
  std::vector<std::pair<int64_t, int32_t>> shown;
  aff_validation_view view;
  view.colour_line = [&](int64_t line, int32_t colour) { shown.emplace_back(line, colour); };
  std::vector<text_t> blocks;
  view.log = [&](text_view block) { blocks.emplace_back(block); };
  const aff_validation_result r = run_aff_validation(c.lines, c.text, test_cache, c.host, view);
  EXPECT_TRUE(c.coloured(AFF_LINE_RED).empty());
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), std::make_pair(int64_t{0}, AFF_LINE_BLACK));
  // The blocks given to the log make the same lines as the report.
  text_t log;
  for (const auto& b : blocks) log += b + u"\n";
  EXPECT_EQ(log, aff_report_text(r.report));
}

// Whichever package installed them: the .aff is read as the program reads
// it (by its SET line), so an 8-bit file gives its own letters.
TEST(AffValidation, RealDictionariesRunThrough) {
  for (const char* name : {"en_US", "de_DE", "fr"}) {
    SCOPED_TRACE(name);
    const std::string dic = std::string("/usr/share/hunspell/") + name + ".dic";
    ASSERT_TRUE(std::filesystem::exists(dic)) << "hunspell dictionaries are installed by scripts/install-deps.sh";
    list_document words;
    text_t aff;
    headless_long_job_host host;
    ASSERT_EQ(load_dictionary_pair(from_utf8(dic), host, words, aff).status, dic_file_status::ok);
    ASSERT_FALSE(aff.empty());
    validation_case c(to_utf8(aff));
    c.run();
    EXPECT_FALSE(c.result.aborted);
    // Their declared rule counts match their rule lines.
    EXPECT_EQ(c.step_lines(5), (std::vector<text_t>{u"", u"Step 5/6 - Counting number of rules per flag", u"",
                                                    u"Analysing Prefixes...", u"No errors found!", u"", u"",
                                                    u"Analysing Suffixes...", u"No errors found!", u"", u""}));
    EXPECT_TRUE(c.reports(u"Done!"));
  }
}

// ---- the panel -------------------------------------------------------------------

TEST(AffValidatePanel, SplitAndJoin) {
  EXPECT_TRUE(split_aff_validate_lines(u"").empty());
  auto lines = split_aff_validate_lines(u"a\n\nb");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].text, u"");
  EXPECT_EQ(aff_validate_panel_text(lines), u"a\n\nb\n");
  EXPECT_EQ(split_aff_validate_lines(u"a\n").size(), 1u);
}

TEST(AffValidatePanel, OkWritesOnlyACompleteChangedPanel) {
  text_t out = u"untouched";
  const auto lines = split_aff_validate_lines(u"SET UTF-8\nTRY a\n");
  EXPECT_FALSE(aff_validate_text_to_write(lines, true, u"SET UTF-8\nTRY a\n", out));
  EXPECT_TRUE(aff_validate_text_to_write(lines, true, u"SET UTF-8\nTRY a", out));  // gets its line feed
  EXPECT_EQ(out, u"SET UTF-8\nTRY a\n");
  // An aborted loading leaves part of the text in the panel: never written.
  const auto part = split_aff_validate_lines(u"SET UTF-8\n");
  out = u"untouched";
  EXPECT_FALSE(aff_validate_text_to_write(part, false, u"SET UTF-8\nTRY a\n", out));
  EXPECT_EQ(out, u"untouched");
}

TEST(AffValidatePanel, RefreshLeavesTheCacheToBeRebuiltEvenFromAnEmptyText) {
  const auto lines = split_aff_validate_lines(u"SFX A Y 1\nSFX A 0 s .\n");
  rebuild_aff_decode_cache(test_cache, u"");
  rebuild_aff_cache_from_panel(test_cache, lines);
  EXPECT_EQ(test_cache.aff_suffix_set_count, 1);  // the panel's rules, for Process
  // The next caller (an empty .aff editor) gets its own, empty tables.
  EXPECT_TRUE(rebuild_aff_decode_cache(test_cache, u""));
  EXPECT_EQ(test_cache.aff_suffix_set_count, 0);
}

TEST(AffValidatePanel, SelectedLabel) {
  EXPECT_EQ(aff_validate_selected_label(0, 10, true), u"Selected:None");
  EXPECT_EQ(aff_validate_selected_label(10, 10, true), u"Selected:All");
  EXPECT_EQ(aff_validate_selected_label(3, 10, true), u"Selected:3/10");
  EXPECT_EQ(aff_validate_selected_label(3, 10, false), u"Selected:3");
}

class AffReportFile : public test_support::temp_folder_test {
 protected:
  AffReportFile() : temp_folder_test("vx_aff_report") {}
};

TEST_F(AffReportFile, WrittenWholeOrNotAtAll) {
  write_bytes("report.txt", "old\n");
  ASSERT_TRUE(write_aff_validation_report(u"Step 1/6\r\nDone!\n", tpath("report.txt")));
  EXPECT_EQ(read_bytes("report.txt"), "\xEF\xBB\xBFStep 1/6\nDone!\n");
  // A target that cannot be replaced keeps what was there, and no temporary stays.
  ASSERT_EQ(mkdir(path("folder").c_str(), 0700), 0);
  EXPECT_FALSE(write_aff_validation_report(u"x\n", tpath("folder")));
  EXPECT_FALSE(write_aff_validation_report(u"x\n", tpath("missing/report.txt")));
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"folder", "report.txt"}));
  EXPECT_EQ(read_bytes("report.txt"), "\xEF\xBB\xBFStep 1/6\nDone!\n");
}

}  // namespace
