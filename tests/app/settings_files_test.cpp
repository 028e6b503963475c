#include "kit/settings_files.h"

#include "app/settings_file_registry.h"
#include "app/startup_settings.h"
#include "app/workspace.h"
#include "common/date_time.h"
#include "dictionary/derived_rows.h"
#include "kit/preferences.h"
#include "tests/test_support/settings_folder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <functional>

namespace {

class settings_files_test : public settings_folder_test {
 protected:
  void SetUp() override {
    settings_folder_test::SetUp();
    set_default_preferences(ws_.prefs);
    forget_settings_files();
    for (settings_file_registration& file : workspace_settings_files(ws_)) register_settings_file(std::move(file));
    reset_settings();
    ws_.prefs.applied_once = false;
  }
  void TearDown() override {
    forget_settings_files();
    settings_folder_test::TearDown();
  }
  // Every remembered option back to its start value, as start-up does.
  void reset_settings() {
    ws_.aff_aid = aff_aid_languages{};
    reset_registered_settings();
  }
  int read_settings_files() { return ::read_settings_files(ws_.prefs, ws_.aff_aid, oversized_); }
  static std::string frame(const std::string& rest) { return "41\n" + rest; }
  static std::string i32(int64_t v) { return le(v, 4); }
  // The tools' options and the preferences the files are read into.
  workspace ws_;
  // The files the last read refused for their size.
  std::vector<text_t> oversized_;
};

// The duplicates window's check boxes as 0 or 1 at indexes 1..4.
std::vector<int64_t> option_values(const duplicates_options& o) {
  return {0, o.ignore_tags, o.twofold, o.same_class, o.special_primary_only};
}

std::vector<std::string> split_lines(const text_t& t) {
  std::vector<std::string> out;
  std::string s = to_utf8(t), line;
  for (char c : s) {
    if (c == '\n') {
      out.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) out.push_back(line);
  return out;
}

TEST_F(settings_files_test, EmptySettingsFolderKeepsEveryDefault) {
  EXPECT_EQ(read_settings_files(), 0);
  EXPECT_FALSE(ws_.prefs.applied_once);
  EXPECT_TRUE(ws_.prefs.record == default_preferences());
  EXPECT_EQ(ws_.prefs.applied.number_of_lines, 13);
  EXPECT_EQ(ws_.statistics.remembered_count, u"");
  EXPECT_EQ(ws_.statistics.remembered_label, u"Last Remember:N/A");
  EXPECT_EQ(ws_.multiword_pos.category, 2);
  EXPECT_EQ(ws_.multiword_pos.entry, 0);
  EXPECT_EQ(ws_.derived_words.sort_mode, 1);
  EXPECT_EQ(option_values(ws_.dictionary_duplicates), (std::vector<int64_t>{0, 0, 0, 1, 1}));
  EXPECT_EQ(ws_.pos_rules.language, 2);
  EXPECT_EQ(ws_.pos_rules.language_count, 3);
  EXPECT_EQ(ws_.gbza.gb_specific_text, u"");
  EXPECT_EQ(ws_.gbza.exceptions.snapshot, u"");

  const text_t& exceptions = ws_.gbza.exceptions_text;
  const std::vector<std::string> lines = split_lines(exceptions);
  ASSERT_EQ(lines.size(), 137u);
  EXPECT_EQ(lines.front(), "*-rais*");
  EXPECT_EQ(lines[14], "*çois*");
  EXPECT_EQ(lines.back(), "valise");
  EXPECT_EQ(exceptions.back(), u'\n');

  // The built-in AFF-aid language is offered even without valid preferences.
  ASSERT_EQ(ws_.aff_aid.entries.size(), 1u);
  EXPECT_EQ(ws_.aff_aid.entries[0], text_t(builtin_aff_aid_entry));
}

TEST_F(settings_files_test, ToolOptionFiles) {
  struct option_case {
    const char* what;
    const char* file;
    std::string bytes;
    std::function<bool()> holds;
  };
  const option_case cases[] = {
      // Statistics remember file.
      {"stats", "dic_stats_remember.prefs", frame("123456\nLast Remember:2025-01-02 03:04:05\n"),
       [this] {
         return ws_.statistics.remembered_count == u"123456" &&
                ws_.statistics.remembered_label == u"Last Remember:2025-01-02 03:04:05";
       }},
      {"stats empty label", "dic_stats_remember.prefs", frame("77\n\n"),
       [this] { return ws_.statistics.remembered_count == u"77" && ws_.statistics.remembered_label == u"Last Remember:N/A"; }},
      {"stats 40", "dic_stats_remember.prefs", "40\n77\nLast Remember:x\n",
       [this] { return ws_.statistics.remembered_count.empty(); }},
      {"stats ends early", "dic_stats_remember.prefs", frame("77\n"),
       [this] { return ws_.statistics.remembered_count.empty() && ws_.statistics.remembered_label == u"Last Remember:N/A"; }},
      {"stats count not digits", "dic_stats_remember.prefs", frame("7a7\nLast Remember:x\n"),
       [this] { return ws_.statistics.remembered_count.empty(); }},
      // Bulk Import.
      {"multiwords", "multiwords.prefs", frame(i32(1) + i32(5) + "NPMS000\n"),
       [this] {
         return ws_.multiword_pos.category == 1 && ws_.multiword_pos.entry == 5 &&
                ws_.multiword_pos.custom == u"NPMS000";
       }},
      {"multiwords out of range", "multiwords.prefs", frame(i32(9) + i32(-4) + "x\n"),
       [this] { return ws_.multiword_pos.category == 2 && ws_.multiword_pos.entry == 0 && ws_.multiword_pos.custom == u"x"; }},
      {"multiwords ends early", "multiwords.prefs", frame(i32(1) + "\x05"),
       [this] { return ws_.multiword_pos.category == 2 && ws_.multiword_pos.entry == 0; }},
      // Derived-words sort.
      {"sort mode", "derivates_sort.prefs", frame(i32(4)), [this] { return ws_.derived_words.sort_mode == 4; }},
      {"sort mode out of range", "derivates_sort.prefs", frame(i32(6)),
       [this] { return ws_.derived_words.sort_mode == 1; }},
      {"sort mode zero", "derivates_sort.prefs", frame(i32(0)), [this] { return ws_.derived_words.sort_mode == 1; }},
      {"sort mode 40", "derivates_sort.prefs", "40\n" + i32(3), [this] { return ws_.derived_words.sort_mode == 1; }},
      {"sort mode short", "derivates_sort.prefs", frame("\x03\0"), [this] { return ws_.derived_words.sort_mode == 1; }},
      // Duplicates window check boxes.
      {"duplicates", "show_merge_del_dupes.prefs", frame(std::string("\x01\x01\x00\x00", 4)),
       [this] { return option_values(ws_.dictionary_duplicates) == std::vector<int64_t>{0, 1, 1, 0, 0}; }},
      {"duplicates damaged bytes", "show_merge_del_dupes.prefs", frame(std::string("\xFF\x07\x00\x01", 4)),
       [this] { return option_values(ws_.dictionary_duplicates) == std::vector<int64_t>{0, 1, 1, 0, 1}; }},
      {"duplicates short", "show_merge_del_dupes.prefs", frame("\x01\x01\x01"),
       [this] { return option_values(ws_.dictionary_duplicates) == std::vector<int64_t>{0, 0, 0, 1, 1}; }},
      // POS language of the extraction.
      {"pos language", "extract_pos_settings.prefs", frame(i32(1)), [this] { return ws_.pos_rules.language == 1; }},
      {"pos language out of range", "extract_pos_settings.prefs", frame(i32(3)),
       [this] { return ws_.pos_rules.language == 2; }},
      {"pos language negative", "extract_pos_settings.prefs", frame(i32(-1)),
       [this] { return ws_.pos_rules.language == 0; }},
  };
  for (const option_case& c : cases) {
    reset_settings();
    std::filesystem::remove_all(root() + "/settings");
    std::filesystem::create_directory(root() + "/settings");
    write_bytes(settings(c.file), c.bytes);
    read_settings_files();
    EXPECT_TRUE(c.holds()) << c.what;
  }
}

TEST_F(settings_files_test, PosRuleLists) {
  ws_.pos_rules.table[2][1] = u"preset\nP\nkept unless replaced";
  ws_.pos_rules.counts[2] = 1;
  ws_.pos_rules.languages = {u"Other", u"Portuguese", u"English"};

  // Two languages replace the first two; the third keeps its preset.
  std::string file = frame("2\nAlpha\n2\nsrc1\tT1\tone\nsrc2\tT2\ttwo\nBeta\n0\n");
  write_bytes(settings("extract_pos_lists.prefs"), file);
  write_bytes(settings("extract_pos_settings.prefs"), frame(i32(2)));
  read_settings_files();
  EXPECT_EQ(ws_.pos_rules.language_count, 2);
  EXPECT_EQ(ws_.pos_rules.languages[0], u"Alpha");
  EXPECT_EQ(ws_.pos_rules.languages[1], u"Beta");
  EXPECT_EQ(ws_.pos_rules.counts[0], 2);
  EXPECT_EQ(ws_.pos_rules.table[0][1], u"src1\nT1\none");
  EXPECT_EQ(ws_.pos_rules.table[0][2], u"src2\nT2\ntwo");
  EXPECT_EQ(ws_.pos_rules.counts[1], 0);
  // Language 2 no longer exists: the choice falls to the last language.
  EXPECT_EQ(ws_.pos_rules.language, 1);

  // More languages and rules than the table holds are clamped to it.
  reset_settings();
  std::string big = "4\n";
  for (int lang = 0; lang < 4; ++lang) {
    big += "L" + std::to_string(lang) + "\n";
    const int rules = lang == 1 ? 305 : 1;
    big += std::to_string(rules) + "\n";
    for (int r = 0; r < rules; ++r) big += "s" + std::to_string(r) + "\tt\tc\n";
  }
  write_bytes(settings("extract_pos_lists.prefs"), frame(big));
  read_settings_files();
  EXPECT_EQ(ws_.pos_rules.language_count, 3);
  EXPECT_EQ(ws_.pos_rules.counts[1], 300);
  EXPECT_EQ(ws_.pos_rules.table[1][300], u"s299\nt\nc");
  EXPECT_EQ(ws_.pos_rules.languages[2], u"L2");
  EXPECT_EQ(ws_.pos_rules.table[2][1], u"s0\nt\nc");

  // Damaged files keep the presets: ends early, a huge declared count, a
  // count that is not a number, no languages.
  const std::string damaged[] = {
      frame("3\nA\n2\nr1\n"),
      frame("1\nA\n2147483647\nr1\nr2\n"),
      frame("1\nA\nmany\nr1\n"),
      frame("0\n"),
      frame("-1\n"),
      "40\n1\nA\n1\nr\n",
  };
  for (const std::string& bytes : damaged) {
    reset_settings();
    ws_.pos_rules.languages = {u"Other", u"Portuguese", u"English"};
    ws_.pos_rules.table[2][1] = u"preset";
    ws_.pos_rules.counts[2] = 1;
    write_bytes(settings("extract_pos_lists.prefs"), bytes);
    read_settings_files();
    EXPECT_EQ(ws_.pos_rules.language_count, 3) << bytes;
    EXPECT_EQ(ws_.pos_rules.languages[0], u"Other") << bytes;
    EXPECT_EQ(ws_.pos_rules.table[2][1], u"preset") << bytes;
    EXPECT_EQ(ws_.pos_rules.counts[2], 1) << bytes;
  }
}

TEST_F(settings_files_test, ExceptionLists) {
  write_bytes(settings("-ize-ise_exceptions.txt"), "\xEF\xBB\xBF*abc*\r\nbêtise\n");
  write_bytes(settings("gb_specific.txt"), "\xEF\xBB\xBF" "colour\nharbour\n");
  read_settings_files();
  EXPECT_EQ(ws_.gbza.exceptions_text, u"*abc*\r\nbêtise\n");  // taken as it is
  EXPECT_EQ(ws_.gbza.gb_specific_text, u"colour\nharbour\n");

  // Empty files: the built-in exceptions, no GB-specific words.
  reset_settings();
  ws_.gbza.exceptions.snapshot = u"old";
  write_bytes(settings("-ize-ise_exceptions.txt"), "");
  write_bytes(settings("gb_specific.txt"), "");
  read_settings_files();
  EXPECT_EQ(ws_.gbza.exceptions_text, builtin_ise_ize_exceptions());
  EXPECT_EQ(ws_.gbza.exceptions.snapshot, u"");
  EXPECT_EQ(ws_.gbza.gb_specific_text, u"");

  // A folder of that name counts as missing.
  std::filesystem::remove(settings("-ize-ise_exceptions.txt"));
  std::filesystem::create_directory(settings("-ize-ise_exceptions.txt"));
  read_settings_files();
  EXPECT_EQ(ws_.gbza.exceptions_text, builtin_ise_ize_exceptions());
}

TEST_F(settings_files_test, AffAidLanguages) {
  const std::string folder = root() + "/custom_aff_aid/";
  std::filesystem::create_directory(folder);
  write_bytes(folder + "zulu.txt", "Zulu language\r\nline two\rline three\n");
  write_bytes(folder + "alpha.txt", "alpha language\nrules\n");
  write_bytes(folder + "zulu.png", "not really a png");
  write_bytes(folder + "empty.txt", "");
  write_bytes(folder + "notes.md", "ignored\n");
  std::filesystem::create_directory(folder + "dir.txt");

  read_settings_files();
  ASSERT_EQ(ws_.aff_aid.entries.size(), 3u);
  ASSERT_EQ(ws_.aff_aid.texts.size(), 3u);
  // Sorted by their first lines ignoring case, the built-in one among them.
  EXPECT_EQ(string_nth_field(ws_.aff_aid.entries[0], 1, u"\n"), u"alpha language");
  EXPECT_EQ(ws_.aff_aid.entries[1], text_t(builtin_aff_aid_entry));
  EXPECT_EQ(string_nth_field(ws_.aff_aid.entries[2], 1, u"\n"), u"Zulu language");

  // Image numbers follow the listing order; the text is found through them.
  for (int i : {0, 2}) {
    const int64_t image = string_to_int(string_nth_field(ws_.aff_aid.entries[i], 2, u"\n"));
    ASSERT_GE(image, 20001);
    ASSERT_LE(image, 20002);
    const text_t& text = ws_.aff_aid.texts[image - 20000];
    const text_t name = string_nth_field(ws_.aff_aid.entries[i], 3, u"\n");
    if (name == u"zulu.txt") {
      EXPECT_EQ(text, u"Zulu language\nline two\nline three\n");
      ASSERT_EQ(ws_.aff_aid.icons.size(), 1u);  // only zulu has an icon
      EXPECT_EQ(ws_.aff_aid.icons[0].image, image);
      EXPECT_EQ(ws_.aff_aid.icons[0].path, from_utf8(folder + "zulu.png"));
    } else {
      EXPECT_EQ(name, u"alpha.txt");
      EXPECT_EQ(text, u"alpha language\nrules\n");
    }
  }
}

TEST_F(settings_files_test, ValidPreferencesAreAppliedWithTheLastCheckTime) {
  preferences_kwx4 p = default_preferences();
  p.number_of_lines = 25;
  p.number_separator_chr = u"";
  p.check_for_updates = u"daily";
  ASSERT_TRUE(write_prefs_file(prefs_file_path(), p));
  const int64_t checked = date_make(2025, 3, 1, 12, 0, 0);
  write_bytes(settings("last_update_check.txt"), le(checked, 8));

  EXPECT_EQ(read_settings_files(), 1);
  EXPECT_TRUE(ws_.prefs.applied_once);
  EXPECT_EQ(ws_.prefs.record.number_of_lines, 25);
  EXPECT_EQ(ws_.prefs.applied.number_of_lines, 25);
  EXPECT_EQ(ws_.prefs.applied.number_separator_chr, u"");
  EXPECT_EQ(ws_.prefs.applied.check_for_updates, u"daily");
  EXPECT_EQ(ws_.prefs.record.last_check_updates_time, checked);
  EXPECT_EQ(ws_.prefs.applied.last_check_updates_time, checked);
}

TEST_F(settings_files_test, ForeignPreferencesAreIgnoredEntirely) {
  preferences_kwx4 p = default_preferences();
  p.number_of_lines = 25;
  p.font_for_language = u"Courier";
  ASSERT_TRUE(write_prefs_file(prefs_file_path(), p));
  std::string bytes = read_bytes(settings("kwx4.prefs"));
  bytes[1] = '0';  // "40"
  write_bytes(settings("kwx4.prefs"), bytes);

  EXPECT_EQ(read_settings_files(), 0);
  EXPECT_FALSE(ws_.prefs.applied_once);
  EXPECT_TRUE(ws_.prefs.record == default_preferences());
  EXPECT_EQ(ws_.prefs.applied.font_for_language, u"Arial");
  EXPECT_EQ(ws_.prefs.applied.number_of_lines, 13);
}

// A file far larger than its format can need costs nothing to refuse: it is
// not read (the files here are sparse, gigabytes long), its defaults apply
// and the start-up message names it. Each file is the same bytes as a good
// one, then more.
TEST_F(settings_files_test, FilesLargerThanTheirFormatAreRefusedUnread) {
  struct Case {
    const char* name;
    std::string good_start;
    int64_t size;
  } cases[] = {
      {"kwx4.prefs", "41\n1280\xC3\x97" "600\n", int64_t{2} << 30},
      {"-ize-ise_exceptions.txt", "*mine*\n", 52 << 20},
      {"gb_specific.txt", "colour\n", 52 << 20},
      {"dic_stats_remember.prefs", frame("12\nlabel\n"), 1 << 20},
      {"multiwords.prefs", frame(i32(1) + i32(3) + "custom\n"), 1 << 20},
      {"extract_pos_settings.prefs", frame(i32(0)), 1 << 20},
      {"extract_pos_lists.prefs", frame("1\nlang\n1\na\tb\tc\n"), 20 << 20},
      {"derivates_sort.prefs", frame(i32(3)), 1 << 20},
      {"show_merge_del_dupes.prefs", frame(std::string(4, '\1')), 1 << 20},
      {"kwx4_recent_files.log", "/d/a.dic\n", 20 << 20},
  };
  std::vector<text_t> expected;
  for (const Case& c : cases) {
    write_bytes(settings(c.name), c.good_start);
    ASSERT_EQ(truncate(settings(c.name).c_str(), c.size), 0) << c.name;
    expected.push_back(from_utf8(settings(c.name)));
  }
  EXPECT_EQ(read_settings_files(), 0);
  EXPECT_FALSE(ws_.prefs.applied_once);
  EXPECT_TRUE(ws_.prefs.record == default_preferences());
  EXPECT_EQ(ws_.gbza.exceptions_text, builtin_ise_ize_exceptions());
  EXPECT_EQ(ws_.gbza.gb_specific_text, u"");
  EXPECT_EQ(ws_.statistics.remembered_count, u"");
  EXPECT_EQ(ws_.multiword_pos.category, 2);
  EXPECT_EQ(ws_.multiword_pos.custom, u"");
  EXPECT_EQ(ws_.pos_rules.language, 2);
  EXPECT_EQ(ws_.pos_rules.language_count, 3);
  EXPECT_EQ(ws_.derived_words.sort_mode, 1);
  EXPECT_EQ(option_values(ws_.dictionary_duplicates), (std::vector<int64_t>{0, 0, 0, 1, 1}));
  std::vector<text_t> refused = oversized_;
  std::sort(refused.begin(), refused.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(refused, expected);
  const text_t message = oversized_settings_message(oversized_);
  for (const text_t& path : expected) EXPECT_NE(message.find(u"File:" + path), text_t::npos) << to_utf8(path);
}

// The limits leave room for every file the program writes: a file exactly
// at its limit is read.
TEST_F(settings_files_test, AFileAtItsLimitIsStillRead) {
  const int64_t limit = settings_file_size_limit(u"gb_specific.txt");
  ASSERT_GE(limit, 1 << 20);
  write_bytes(settings("gb_specific.txt"), std::string(static_cast<size_t>(limit), 'w'));
  read_settings_files();
  EXPECT_EQ(ws_.gbza.gb_specific_text.size(), static_cast<size_t>(limit));
  EXPECT_TRUE(oversized_.empty());
  // Seventy paths of the longest length a path can have fit the log.
  EXPECT_GE(settings_file_size_limit(u"kwx4_recent_files.log"), 70 * 4097);
}

}  // namespace
