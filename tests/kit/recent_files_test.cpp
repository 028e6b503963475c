#include "kit/recent_files.h"

#include "tests/test_support/settings_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

namespace {

class recent_files_test : public settings_folder_test {
 protected:
  void SetUp() override {
    settings_folder_test::SetUp();
    reset_recent_files(recent_);
  }
  recent_file_lists recent_;
  std::string log_path() const { return settings("kwx4_recent_files.log"); }
  std::vector<std::string> log_lines() const {
    std::vector<std::string> lines;
    std::istringstream in(read_bytes(log_path()));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  // The tab's list as "a,b,c" (empty slots left out, which must all be at the end).
  std::string shown(int64_t tab) {
    std::string s;
    bool gap = false;
    for (int64_t n = 1; n <= RECENT_LIST_LENGTH; ++n) {
      const text_t e = (*recent_files_list(recent_, tab))[n];
      if (e.empty()) {
        gap = true;
        continue;
      }
      if (gap) return "hole before " + to_utf8(e);
      if (!s.empty()) s += ",";
      s += to_utf8(e);
    }
    return s;
  }
};

TEST_F(recent_files_test, FirstCallCreatesSixtyEmptyLinesAndRecordsNothing) {
  update_recent_files_for_tab(recent_, u"/d/a.dic", 0);
  EXPECT_EQ(read_bytes(log_path()), std::string(60, '\n'));
  EXPECT_EQ(shown(0), "");

  // The seventh list reads as empty; the next write produces all 70 lines.
  update_recent_files_for_tab(recent_, u"/d/a.dic", 0);
  EXPECT_EQ(log_lines().size(), 70u);
  EXPECT_EQ(log_lines()[0], "/d/a.dic");
  EXPECT_EQ(shown(0), "/d/a.dic");
}

TEST_F(recent_files_test, UpdateRules) {
  struct step {
    const char16_t* path;
    int64_t tab;
    const char* tab0;  // dictionary list afterwards
    const char* tab1;  // thesaurus list afterwards
  };
  const step steps[] = {
      {u"/a", 0, "/a", ""},
      {u"/b", 0, "/b,/a", ""},
      {u"/a", 0, "/a,/b", ""},          // the same file again: one entry, at the front
      {u"/A", 0, "/A,/a,/b", ""},       // case matters
      {u"", 0, "/A,/a,/b", ""},         // "" only normalises
      {u"/t", 1, "/A,/a,/b", "/t"},     // each tab has its own list
      {u"/x", 9, "/A,/a,/b", "/t"},     // a tab without a list changes nothing
      {u"●", 0, "", "/t"},              // clears only the shown tab's list
      {u"●", 1, "", ""},
  };
  update_recent_files_for_tab(recent_, u"", 0);  // creates the log
  for (const step& s : steps) {
    update_recent_files_for_tab(recent_, s.path, s.tab);
    EXPECT_EQ(shown(0), s.tab0) << to_utf8(s.path) << " on tab " << s.tab;
    EXPECT_EQ(shown(1), s.tab1) << to_utf8(s.path) << " on tab " << s.tab;
    // What is in memory is what the log holds.
    std::vector<std::vector<text_t>> memory;
    for (int64_t l = 0; l < RECENT_LIST_COUNT; ++l) memory.push_back(*recent_files_list(recent_, l));
    reset_recent_files(recent_);
    ASSERT_TRUE(read_recent_files_log(recent_));
    for (int64_t l = 0; l < RECENT_LIST_COUNT; ++l) EXPECT_EQ(*recent_files_list(recent_, l), memory[l]);
  }
}

TEST_F(recent_files_test, EleventhFileDropsTheOldest) {
  update_recent_files_for_tab(recent_, u"", 2);
  for (int i = 1; i <= 11; ++i) update_recent_files_for_tab(recent_, from_utf8("/f" + std::to_string(i)), 2);
  EXPECT_EQ(shown(2), "/f11,/f10,/f9,/f8,/f7,/f6,/f5,/f4,/f3,/f2");
  EXPECT_EQ(recent_file_entry(recent_, 2, 1), u"/f11");
  EXPECT_EQ(recent_file_entry(recent_, 2, 10), u"/f2");
  EXPECT_EQ(recent_file_entry(recent_, 2, 11), u"");
  EXPECT_EQ(recent_file_entry(recent_, 6, 1), u"");  // the spare list belongs to no tab
}

TEST_F(recent_files_test, ClearingWritesTheOtherListsBackUnchanged) {
  std::string log;
  for (int list = 0; list < 7; ++list)
    for (int i = 1; i <= 10; ++i) log += "/l" + std::to_string(list) + "/" + std::to_string(i) + "\n";
  write_bytes(log_path(), log);
  update_recent_files_for_tab(recent_, RECENT_FILES_CLEAR, 3);
  const std::vector<std::string> lines = log_lines();
  ASSERT_EQ(lines.size(), 70u);
  for (int list = 0; list < 7; ++list)
    for (int i = 1; i <= 10; ++i) {
      const std::string expected = list == 3 ? "" : "/l" + std::to_string(list) + "/" + std::to_string(i);
      EXPECT_EQ(lines[list * 10 + i - 1], expected);
    }
}

TEST_F(recent_files_test, GapsInTheLogCloseUpOnTheNextUpdate) {
  std::string log = "/one\n\n/two\n/one\n";  // a hand-edited log with a gap and a repeat
  write_bytes(log_path(), log);
  update_recent_files_for_tab(recent_, u"/new", 0);
  EXPECT_EQ(shown(0), "/new,/one,/two,/one");
  update_recent_files_for_tab(recent_, u"/one", 0);
  EXPECT_EQ(shown(0), "/one,/new,/two");
}

TEST_F(recent_files_test, AFolderInPlaceOfTheLogIsLeftAlone) {
  std::filesystem::create_directory(log_path());
  (*recent_files_list(recent_, 0))[1] = u"/kept";
  update_recent_files_for_tab(recent_, u"/x", 0);
  EXPECT_TRUE(std::filesystem::is_directory(log_path()));
  EXPECT_EQ(shown(0), "/kept");
}

// A log with a line of 20 MB is not read: the lists stay empty and the next
// update starts a fresh log in its place.
TEST_F(recent_files_test, AnOversizedLogIsNotReadAndAFreshOneReplacesIt) {
  write_bytes(log_path(), "/d/a.dic\n");
  ASSERT_EQ(truncate(log_path().c_str(), 20 << 20), 0);
  recent_.lists[0][1] = u"/kept/in/memory.dic";
  EXPECT_FALSE(read_recent_files_log(recent_));
  EXPECT_EQ(shown(0), "/kept/in/memory.dic");
  update_recent_files_for_tab(recent_, u"", 0);
  EXPECT_EQ(read_bytes(log_path()), std::string(60, '\n'));
  EXPECT_EQ(shown(0), "");
  update_recent_files_for_tab(recent_, u"/d/b.dic", 0);
  EXPECT_EQ(shown(0), "/d/b.dic");
  EXPECT_EQ(log_lines().size(), 70u);
}

}  // namespace
