// The duplicates scan, Process, OK and the export, on small dictionaries,
// and Process on Debian's en_US with duplicates made from its own entries.
#include "tests/dictionary/dictionary_fixtures.h"
#include "dictionary/dictionary_duplicates.h"

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "affix/flag_helpers.h"
#include "common/dic_entry.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/tool_log.h"
#include "dictionary/dic_file.h"
#include "tests/affix/affix_test_util.h"
#include "tests/dictionary/list_fixture.h"
#include "tests/test_support/installed_data.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

#include <unistd.h>

namespace {

// The log the passes of a test write to; each test starts with it empty.
tool_log test_log;

// S, D and G suffixes, P a prefix, all with cross product; X names nothing.
const char kAff[] =
    "SET UTF-8\n"
    "PFX P Y 1\n"
    "PFX P 0 pre .\n"
    "SFX S Y 1\n"
    "SFX S 0 s .\n"
    "SFX D Y 1\n"
    "SFX D 0 ed .\n"
    "SFX G Y 1\n"
    "SFX G 0 ing .\n";
// The same with special flags: N NEEDAFFIX, F FORBIDDENWORD, K KEEPCASE, C
// CIRCUMFIX, ! NOSUGGEST.
const std::string kSpecialAff =
    std::string(kAff) + "NEEDAFFIX N\nFORBIDDENWORD F\nKEEPCASE K\nCIRCUMFIX C\nNOSUGGEST !\n";


struct row_view {
  int64_t line;
  std::u16string word, flags, tags, class_name, repeated;
  bool in_group;
  bool operator==(const row_view&) const = default;
};

std::vector<row_view> rows_of(const duplicate_scan_result& r) {
  std::vector<row_view> out;
  for (const auto& row : r.rows)
    out.push_back({row.line, row.word, row.flags, row.tags, affix_class_name(row.class_code),
                   repeated_flags_column(row), row.in_group});
  return out;
}

duplicate_scan_result scan(const list_document& d) {
  headless_long_job_host host;
  return scan_dictionary_duplicates(d, test_cache, host, test_log);
}

class DictionaryDuplicatesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    use_aff(kAff);
    test_log.text.clear();
  }
};

TEST_F(DictionaryDuplicatesTest, ScanListsGroupsAndRepeatedFlags) {
  list_document d = doc_of({u"walk/S", u"walk/D", u"talk/SS", u"run"});
  duplicate_scan_result r = scan(d);
  EXPECT_FALSE(r.aborted);
  EXPECT_EQ(rows_of(r), (std::vector<row_view>{
                            {3, u"talk", u"SS", u"", u"All suffixes", u"Yes (+1)", false},
                            {2, u"walk", u"D", u"", u"All suffixes", u"", true},
                            {1, u"walk", u"S", u"", u"All suffixes", u"", true},
                        }));
  EXPECT_EQ(r.group_sizes, (std::vector<int64_t>{2}));
  EXPECT_EQ(r.repeated_words, 2);
  EXPECT_EQ(r.repeated_flag_entries, 1);
  EXPECT_NE(test_log.text.find(u"# Repeated Words:2\n# Repeated FlagsW:1\n"), text_t::npos);
}

TEST_F(DictionaryDuplicatesTest, ScanSplitsADescriptionAfterASpace) {
  list_document d = doc_of({u"abader/SD po:v1____p_e_ po:infi", u"abader/D po:v1____p_e_ po:infi",
                            u"Bakersfield po:npr is:epi is:inv"});
  duplicate_scan_result r = scan(d);
  EXPECT_EQ(rows_of(r), (std::vector<row_view>{
                            {2, u"abader", u"D", u"po:v1____p_e_ po:infi", u"All suffixes", u"", true},
                            {1, u"abader", u"SD", u"po:v1____p_e_ po:infi", u"All suffixes", u"", true},
                        }));
  EXPECT_EQ(r.repeated_flag_entries, 0);
}

TEST_F(DictionaryDuplicatesTest, ScanEdgeCases) {
  // Case counts; skipped entries split no group; escaped slashes stay in the
  // word; equal word and flags order by tags, then line number as text.
  std::vector<text_t> entries(12, u"other");
  entries[0] = u"Walk";
  entries[1] = u"a\\/b/S";
  entries[2] = u"";
  entries[3] = u"/S";
  entries[4] = u"a\\/b";
  entries[8] = u"go/S\nb;c";
  entries[9] = u"go/S\na";
  entries[10] = u"go/S\na";
  entries[11] = u"walk/SS";
  for (int i = 5; i < 8; ++i) entries[static_cast<size_t>(i)] = u"x" + string_from_int(i);
  list_document d = doc_of(entries);
  duplicate_scan_result r = scan(d);
  std::vector<row_view> rows = rows_of(r);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0].word, u"a\\/b");
  EXPECT_EQ(rows[0].line, 5);
  EXPECT_EQ(rows[1].flags, u"S");
  EXPECT_EQ(rows[1].line, 2);
  // "10" < "11" < "9" as text, and "a" < "b;c".
  EXPECT_EQ(rows[2].line, 10);
  EXPECT_EQ(rows[3].line, 11);
  EXPECT_EQ(rows[4].line, 9);
  EXPECT_EQ(rows[4].tags, u"b;c");
  EXPECT_EQ(rows[5].word, u"walk");  // alone, for its repeated flag; Walk is another word
  EXPECT_FALSE(rows[5].in_group);
  EXPECT_EQ(r.group_sizes, (std::vector<int64_t>{2, 3}));
}

TEST_F(DictionaryDuplicatesTest, ScanEscapeKeepsRowsFound) {
  list_document d = doc_of({u"a", u"a", u"b", u"b"});
  headless_long_job_host host;
  host.escape_at_poll = 6;  // in the walk, after the first group
  duplicate_scan_result r = scan_dictionary_duplicates(d, test_cache, host, test_log);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.rows.size(), 2u);
  EXPECT_NE(test_log.text.find(u"Aborted!\n"), text_t::npos);
  EXPECT_FALSE(host.running);
}

struct process_case {
  const char* name;
  std::vector<text_t> entries;
  std::vector<int64_t> options;  // indexes 1..4
  std::vector<text_t> after_ok;
  int64_t merged;
};

std::vector<text_t> run_process(list_document& d, const std::vector<int64_t>& options, duplicates_process_result* out) {
  headless_long_job_host host;
  list_tool_edit edit(d);
  duplicate_scan_result s = scan_dictionary_duplicates(d, test_cache, host, test_log);
  duplicates_process_result r = process_dictionary_duplicates(d, test_cache, edit, s, duplicates_options_from(options), host, test_log);
  keep_dictionary_duplicates_result(d, edit);
  if (out) *out = r;
  return d.entries().to_vector();
}

const std::vector<int64_t> kDefault = {0, 0, 0, 1, 1};

TEST_F(DictionaryDuplicatesTest, ProcessDeletesAndMerges) {
  const process_case cases[] = {
      {"bare and two suffix entries", {u"walk", u"walk/S", u"walk/D"}, kDefault, {u"walk/DS"}, 2},
      {"identical", {u"walk/S", u"walk/S"}, kDefault, {u"walk/S"}, 1},
      {"twofold keeps differing flags", {u"walk/S", u"walk/D"}, {0, 0, 1, 1, 1}, {u"walk/S", u"walk/D"}, 0},
      {"different tags stay apart", {u"walk/S\npo:verb", u"walk/D\npo:noun"}, kDefault,
       {u"walk/S\npo:verb", u"walk/D\npo:noun"}, 0},
      {"ignoring tags joins them", {u"walk/S\npo:verb", u"walk/D\npo:noun", u"walk\npo:verb is:x"},
       {0, 1, 0, 1, 1}, {u"walk/DS\npo:verb po:noun is:x"}, 2},
      {"suffix and prefix classes apart", {u"walk/S", u"walk/P"}, kDefault, {u"walk/S", u"walk/P"}, 0},
      // One entry walk/PS would also stand for prewalks.
      {"no merge that derives a new word", {u"walk/S", u"walk/P"}, {0, 0, 0, 0, 1}, {u"walk/S", u"walk/P"}, 0},
      {"a merge that derives nothing new", {u"walk/P", u"walk/PS"}, {0, 0, 0, 0, 1}, {u"walk/PS"}, 1},
      {"unknown flag: the bare word stays", {u"walk", u"walk/X"}, kDefault, {u"walk", u"walk/X"}, 0},
      {"unknown flags are not merged", {u"walk/XS", u"walk/D"}, kDefault, {u"walk/XS", u"walk/D"}, 0},
      {"repeated flag removed", {u"walk/SS", u"talk"}, kDefault, {u"walk/S", u"talk"}, 0},
      {"a group merged whole in one pass", {u"go/S", u"go/D", u"go/G", u"go/S", u"go"}, kDefault, {u"go/GDS"}, 4},
      // A description written after a space (fr.dic) is tags, never flags.
      {"descriptions after a space kept", {u"walk po:v1 is:inv", u"walk/S po:v1 is:inv", u"walk/D po:v1 is:inv"},
       kDefault, {u"walk/DS po:v1 is:inv"}, 2},
      {"different descriptions stay apart", {u"walk/S po:verb", u"walk/D po:noun"}, kDefault,
       {u"walk/S po:verb", u"walk/D po:noun"}, 0},
      {"a repeated flag goes, the description stays", {u"walk/SS po:v1____p_e_ po:infi"}, kDefault,
       {u"walk/S po:v1____p_e_ po:infi"}, 0},
      {"ignoring tags joins descriptions after the space", {u"walk/S po:verb", u"walk/D po:noun"}, {0, 1, 0, 1, 1},
       {u"walk/DS po:verb po:noun"}, 1},
      {"identical entries with a slash in the description", {u"Paris po:npr st:a/S", u"Paris po:npr st:a/S"},
       kDefault, {u"Paris po:npr st:a/S"}, 1},
  };
  for (const process_case& c : cases) {
    SCOPED_TRACE(c.name);
    list_document d = doc_of(c.entries);
    duplicates_process_result r;
    EXPECT_EQ(run_process(d, c.options, &r), c.after_ok);
    EXPECT_EQ(r.merged, c.merged);
    EXPECT_EQ(r.merged, static_cast<int64_t>(c.entries.size() - c.after_ok.size()));
  }
}

// An entry with a special flag derives its words differently: a bare
// entry beside it stays, and it is merged with nothing, whatever the options.
TEST_F(DictionaryDuplicatesTest, SpecialFlagsKeepEntries) {
  use_aff(kSpecialAff);
  const std::vector<int64_t> merge_all = {0, 1, 0, 0, 0};
  for (const char16_t* special : {u"walk/NS", u"walk/FS", u"walk/KS", u"walk/CS", u"walk/!S"}) {
    SCOPED_TRACE(to_utf8(special));
    list_document bare = doc_of({u"walk", special});
    EXPECT_EQ(run_process(bare, merge_all, nullptr), (std::vector<text_t>{u"walk", special}));
    list_document two = doc_of({special, u"walk/D"});
    EXPECT_EQ(run_process(two, merge_all, nullptr), (std::vector<text_t>{special, u"walk/D"}));
  }
  use_aff(std::string(kAff) + "AF 2\nAF S\nAF D\n");
  list_document aliased = doc_of({u"walk", u"walk/1"});
  EXPECT_EQ(run_process(aliased, kDefault, nullptr), (std::vector<text_t>{u"walk", u"walk/1"}));
}

TEST_F(DictionaryDuplicatesTest, SpecialFlagOptionStopsMerges) {
  use_aff(std::string(kAff) + "KEEPCASE K\n");
  list_document with = doc_of({u"walk/S", u"walk/D", u"walk"});
  EXPECT_EQ(run_process(with, kDefault, nullptr), (std::vector<text_t>{u"walk/S", u"walk/D"}));
  list_document without = doc_of({u"walk/S", u"walk/D", u"walk"});
  EXPECT_EQ(run_process(without, {0, 0, 0, 1, 0}, nullptr), (std::vector<text_t>{u"walk/DS"}));
}

TEST_F(DictionaryDuplicatesTest, ProcessReportAndSummary) {
  list_document d = doc_of({u"walk", u"walk/S", u"walk/D", u"talk/SS"});
  duplicates_process_result r;
  run_process(d, kDefault, &r);
  EXPECT_NE(test_log.text.find(u"#1\nMerged:\"walk\"\nFlags:\"\"\u2192\"D\"\n\n#2\nMerged:\"walk\"\nFlags:\"D\"\u2192\"S\"\n"),
            text_t::npos)
      << to_utf8(test_log.text);
  EXPECT_NE(test_log.text.find(u"Number of merged/deleted words:2\n"), text_t::npos);
  EXPECT_EQ(r.summary, u"Merged/deleted words:2 \nDeleted repeated FlagsW:1\nExact number repeated flags:1");
  EXPECT_TRUE(r.scan.rows.empty());

  list_document clean = doc_of({u"a", u"b"});
  run_process(clean, kDefault, &r);
  EXPECT_EQ(r.summary, u"No changed done to .DIC");
}

// OK drops the emptied entries with their marks; nothing changed: nothing
// happens. Cancel puts everything back without arming Redo.
TEST_F(DictionaryDuplicatesTest, OkAndCancel) {
  list_document d = doc_of({u"a", u"walk/S", u"walk/S", u"b", u""});
  d.set_checked(2, true);
  d.set_checked(3, true);
  d.select(3);
  d.save_undo();  // an earlier edit the user may still undo
  d.set_entry(0, u"a");
  const list_snapshot_record earlier_undo = d.history().undo_snapshot;

  headless_long_job_host host;
  {
    list_tool_edit edit(d);
    duplicates_process_result r =
        process_dictionary_duplicates(d, test_cache, edit, scan_dictionary_duplicates(d, test_cache, host, test_log), duplicates_options{}, host, test_log);
    EXPECT_EQ(r.merged, 1);
    edit.cancel();
  }
  EXPECT_EQ(d.entries(), (std::vector<text_t>{u"a", u"walk/S", u"walk/S", u"b", u""}));
  EXPECT_FALSE(d.can_redo());
  EXPECT_TRUE(d.can_undo());
  EXPECT_EQ(d.history().undo_snapshot.entries, earlier_undo.entries);

  d.mark_saved(d.path());
  list_tool_edit edit(d);
  process_dictionary_duplicates(d, test_cache, edit, scan_dictionary_duplicates(d, test_cache, host, test_log), duplicates_options{}, host, test_log);
  EXPECT_TRUE(keep_dictionary_duplicates_result(d, edit));
  EXPECT_EQ(d.entries(), (std::vector<text_t>{u"a", u"walk/S", u"b"}));
  EXPECT_EQ(d.checked(), (std::vector<uint8_t>{0, 1, 1}));  // the kept walk/S was checked
  EXPECT_EQ(d.checked_count(), 2);
  EXPECT_EQ(d.selected(), -1);
  EXPECT_TRUE(d.changed());
  ASSERT_TRUE(d.undo());
  EXPECT_EQ(d.entries().size(), 5u);

  list_document clean = doc_of({u"a", u"b"});
  list_tool_edit clean_edit(clean);
  process_dictionary_duplicates(clean, test_cache, clean_edit, scan_dictionary_duplicates(clean, test_cache, host, test_log), duplicates_options{}, host, test_log);
  EXPECT_FALSE(keep_dictionary_duplicates_result(clean, clean_edit));
  EXPECT_FALSE(clean.changed());
  EXPECT_FALSE(clean.can_undo());
}

// Escape in the merge pass: the groups done stay whole, nothing is lost.
TEST_F(DictionaryDuplicatesTest, EscapeDuringMergeKeepsWholeGroups) {
  list_document d = doc_of({u"a/S", u"a/D", u"b/S", u"b/D"});
  headless_long_job_host host;
  list_tool_edit edit(d);
  duplicate_scan_result s = scan_dictionary_duplicates(d, test_cache, host, test_log);
  host.escape_at_poll = host.polls + 1;  // after the first group
  duplicates_process_result r = process_dictionary_duplicates(d, test_cache, edit, s, duplicates_options{}, host, test_log);
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.summary, u"Merged/deleted words:1 \nDeleted repeated FlagsW:0\nExact number repeated flags:0");
  keep_dictionary_duplicates_result(d, edit);
  EXPECT_EQ(d.entries(), (std::vector<text_t>{u"a/DS", u"b/S", u"b/D"}));
}

class DuplicatesExportTest : public test_support::temp_folder_test {
 protected:
  DuplicatesExportTest() : temp_folder_test("vx_dupes") {}
  void SetUp() override {
    temp_folder_test::SetUp();
    use_aff(kAff);
  }
};

TEST_F(DuplicatesExportTest, WritesListAndKeepsOldFileOnEscape) {
  std::vector<text_t> entries(1001, u"walk/S");
  entries[0] = u"walk\npo:x";
  list_document d = doc_of(entries);
  headless_long_job_host host;
  duplicate_scan_result s = scan_dictionary_duplicates(d, test_cache, host, test_log);
  ASSERT_EQ(export_dictionary_duplicates(s, tpath("dupes.txt"), u",", host), line_export_status::ok);
  const std::string text = read_bytes("dupes.txt");
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF" "DUPLICATES FOUND:1,001\n\n1:walk::po:x:Primary\n", 0), 0u);
  EXPECT_NE(text.find("\n1000:walk:S::All suffixes\n"), std::string::npos);

  host.escape_at_poll = host.polls + 3;
  EXPECT_EQ(export_dictionary_duplicates(s, tpath("dupes.txt"), u",", host), line_export_status::aborted);
  EXPECT_EQ(read_bytes("dupes.txt"), text);
  EXPECT_EQ(folder_names(), std::vector<std::string>{"dupes.txt"});
  EXPECT_EQ(export_dictionary_duplicates(s, tpath("missing/dupes.txt"), u",", host),
            line_export_status::write_failed);
}

// ---- en_US -----------------------------------------------------------------------

std::unordered_set<text_t> words_of(const list_document& d) {
  struct collect : expansion_sink {
    std::unordered_set<text_t>* words;
    bool take(const derived_row& row) override {
      words->emplace(row.word);
      return true;
    }
  } sink;
  std::unordered_set<text_t> words;
  sink.words = &words;
  for (const text_view e : d.entries())
    if (!e.empty() && e.front() != u'/') expand_entry(test_cache, e, sink);
  return words;
}

// An entry split in two without losing a word: the suffix flags divided,
// the other flags (prefixes, compound flags, NOSUGGEST) in both halves.
bool split_entry(text_view entry, text_t& first, text_t& second) {
  dic_entry_parts p = split_dic_entry(entry);
  text_t suffixes, rest;
  for (char16_t f : p.flags) {
    const int32_t i = test_cache.find_flag(text_view(&f, 1));
    if (i >= 0 && test_cache.flags[static_cast<size_t>(i)].suffix_set != 0 &&
        test_cache.flags[static_cast<size_t>(i)].prefix_set == 0)
      suffixes.push_back(f);
    else
      rest.push_back(f);
  }
  if (suffixes.size() < 2) return false;
  const size_t half = suffixes.size() / 2;
  first = make_dic_entry(p.word, rest + suffixes.substr(0, half), p.tags);
  second = make_dic_entry(p.word, rest + suffixes.substr(half), p.tags);
  return true;
}

// The counts of duplicates made and merged are those of hunspell-en-us's pair.
TEST(DictionaryDuplicatesEnUs, ProcessKeepsEveryWord) {
  if (const std::string why = test_support::installed_mismatch({test_support::kEnUsDic, test_support::kEnUsAff});
      !why.empty())
    GTEST_SKIP() << why;
  const char* dic = test_support::kEnUsDic.path;
  list_document original;
  text_t aff;
  headless_long_job_host host;
  ASSERT_EQ(load_dictionary_pair(from_utf8(dic), host, original, aff).status, dic_file_status::ok);
  invalidate_aff_decode_cache(test_cache);
  rebuild_aff_decode_cache(test_cache, aff);
  test_log.text.clear();

  std::vector<text_t> entries;
  int64_t made = 0;
  for (size_t i = 0; i < original.entries().size(); ++i) {
    const text_view e = original.entries()[i];
    dic_entry_parts p = split_dic_entry(e);
    text_t a, b;
    switch (i % 11) {
      case 1:
        if (split_entry(e, a, b)) {
          entries.push_back(a);
          entries.push_back(b);
          ++made;
          continue;
        }
        break;
      case 3: entries.push_back(make_dic_entry(p.word, u"", p.tags)); ++made; break;  // a bare copy
      case 5: entries.emplace_back(e); ++made; break;                                    // an identical copy
      case 7:
        if (p.flags.size() > 0) {
          entries.push_back(make_dic_entry(p.word, text_t(p.flags) + text_t(p.flags.substr(0, 1)), p.tags));
          ++made;
          continue;
        }
        break;
    }
    entries.emplace_back(e);
  }
  ASSERT_GT(made, 10000);
  list_document doubled;
  doubled.replace_all(entries, u"");
  const std::unordered_set<text_t> expected = words_of(original);
  ASSERT_EQ(words_of(doubled), expected);

  list_tool_edit edit(doubled);
  duplicate_scan_result s = scan_dictionary_duplicates(doubled, test_cache, host, test_log);
  duplicates_process_result r = process_dictionary_duplicates(doubled, test_cache, edit, s, duplicates_options{}, host, test_log);
  keep_dictionary_duplicates_result(doubled, edit);
  EXPECT_GT(r.merged, 10000);
  EXPECT_GT(r.removed_flags, 1000);
  EXPECT_EQ(static_cast<int64_t>(entries.size()) - r.merged, doubled.count());
  EXPECT_EQ(words_of(doubled), expected);
}

// ---- fr -----------------------------------------------------------------------------

// Word and what follows word and flags: the description with its separator.
std::unordered_set<text_t> words_with_descriptions(const list_document& d) {
  std::unordered_set<text_t> out;
  for (const text_view e : d.entries()) {
    const dic_entry_parts p = split_dic_entry(e);
    out.insert(text_t(p.word) + u'\x01' + text_t(p.rest));
  }
  return out;
}

// Hunspell's analyses (hunspell -m) of the words in words_path.
std::string hunspell_analyses(const std::string& base, const std::string& words_path, const std::string& out_path) {
  if (!run_to_file({"/usr/bin/env", "LC_ALL=C.UTF-8", "/usr/bin/hunspell", "-i", "utf-8", "-m", "-d", base}, out_path,
                   words_path))
    return {};
  return test_support::read_file(out_path);
}

// Debian's fr.dic writes each entry's morphological description after a
// space. Process with the default options deletes only entries that another
// one stands for, keeps every description byte for byte, and Hunspell gives
// the words of every entry it looked at the same analyses afterwards.
TEST(DictionaryDuplicatesFr, ProcessKeepsEveryDescriptionAndEveryAnalysis) {
  list_document doc;
  text_t aff;
  if (!dictionary_fixtures::load_installed_dictionary("/usr/share/hunspell/fr.dic", doc, &aff))
    GTEST_SKIP() << "hunspell-fr is not installed";
  ASSERT_GT(doc.count(), 0);
  headless_long_job_host host;
  test_log.text.clear();
  const std::vector<text_t> original = doc.entries().to_vector();
  const std::unordered_set<text_t> before = words_with_descriptions(doc);

  list_tool_edit edit(doc);
  const duplicate_scan_result s = scan_dictionary_duplicates(doc, test_cache, host, test_log);
  ASSERT_GT(s.group_sizes.size(), 1000u);
  EXPECT_EQ(s.repeated_flag_entries, 0);  // a description is no flags
  const duplicates_process_result r = process_dictionary_duplicates(doc, test_cache, edit, s, duplicates_options_from(kDefault), host, test_log);
  keep_dictionary_duplicates_result(doc, edit);
  EXPECT_EQ(r.removed_flags, 0);
  EXPECT_GT(r.merged, 0);
  EXPECT_EQ(static_cast<int64_t>(original.size()) - r.merged, doc.count());
  EXPECT_EQ(words_with_descriptions(doc), before);

  if (access("/usr/bin/hunspell", X_OK) != 0) GTEST_SKIP() << "hunspell is not installed";
  const std::string dir = test_support::make_temp_folder("vx_fr_dupes");
  ASSERT_EQ(save_dictionary_pair(from_utf8(dir + "/fr.dic"), doc, aff, host).status, dic_file_status::ok);
  // The words of every entry of a group, each once.
  std::unordered_set<std::string> seen;
  std::string words;
  for (const duplicate_row_record& row : s.rows) {
    for (std::string& w : derived_of(to_utf8(original[static_cast<size_t>(row.line - 1)]))) {
      if (seen.insert(w).second) words += w + "\n";
    }
  }
  ASSERT_GT(seen.size(), 5000u);
  test_support::write_file(dir + "/words.txt", words);
  const std::string theirs = hunspell_analyses("/usr/share/hunspell/fr", dir + "/words.txt", dir + "/before.txt");
  const std::string ours = hunspell_analyses(dir + "/fr", dir + "/words.txt", dir + "/after.txt");
  test_support::remove_folder(dir);
  ASSERT_NE(theirs.find(" po:"), std::string::npos);
  EXPECT_TRUE(ours == theirs);
}

}  // namespace
