#include "common/dic_entry.h"

#include <gtest/gtest.h>

namespace {

struct split_case {
  const char* entry;
  const char* word;
  const char* flags;
  const char* tags;
  bool has_flags;
  bool has_tags;
};

TEST(DicEntry, SplitTable) {
  const split_case cases[] = {
      {"cat", "cat", "", "", false, false},
      {"cat/SM", "cat", "SM", "", true, false},
      {"cat/SM\npo:noun", "cat", "SM", "po:noun", true, true},
      {"cat\npo:noun\tst:cat", "cat", "", "po:noun\tst:cat", false, true},
      // An escaped slash stays in the word.
      {"and\\/or/X", "and\\/or", "X", "", true, false},
      {"a\\/b", "a\\/b", "", "", false, false},
      // A real ";" in the flags is flags, not an escape.
      {"word/A;B", "word", "A;B", "", true, false},
      {"x;y\\/z/a;b\nc;d", "x;y\\/z", "a;b", "c;d", true, true},
      // Only the first unescaped slash separates.
      {"w/A/B", "w", "A/B", "", true, false},
      {"/AB", "", "AB", "", true, false},
      {"w/", "w", "", "", true, false},
      // A slash in the tags is no separator.
      {"w\nst:a/b", "w", "", "st:a/b", false, true},
      {"", "", "", "", false, false},
  };
  for (const split_case& c : cases) {
    text_t entry = T(c.entry);
    dic_entry_parts p = split_dic_entry(entry);
    EXPECT_EQ(text_t(p.word), T(c.word)) << c.entry;
    EXPECT_EQ(text_t(p.flags), T(c.flags)) << c.entry;
    EXPECT_EQ(text_t(p.tags), T(c.tags)) << c.entry;
    EXPECT_EQ(p.has_flags, c.has_flags) << c.entry;
    EXPECT_EQ(p.has_tags, c.has_tags) << c.entry;
  }
}

TEST(DicEntry, LineCodecTurnsOnlyTheFirstTabOrLineFeed) {
  text_t line = T("cat/SM\tpo:noun\tis:pl");
  dic_line_to_entry(line);
  EXPECT_EQ(line, T("cat/SM\npo:noun\tis:pl"));
  EXPECT_EQ(dic_entry_to_line(line), T("cat/SM\tpo:noun\tis:pl"));
  std::string utf8;
  append_dic_entry_line_utf8(utf8, T("Stra\xc3\x9f" "e/N\nx\ny"));
  EXPECT_EQ(utf8, "Stra\xc3\x9f" "e/N\tx\ny");
  text_t plain = T("plain");
  dic_line_to_entry(plain);
  EXPECT_EQ(plain, T("plain"));
}

TEST(DicEntry, RebuildAndDisplay) {
  EXPECT_EQ(make_dic_entry(T("a\\/b"), T("X;Y"), T("po:n")), T("a\\/b/X;Y\npo:n"));
  EXPECT_EQ(make_dic_entry(T("a"), T(""), T("")), T("a"));
  const text_t entry = T("a\\/b/X;Y\npo:n");
  dic_entry_parts p = split_dic_entry(entry);
  EXPECT_EQ(make_dic_entry(p.word, p.flags, p.tags), entry);
  EXPECT_EQ(dic_entry_for_display(T("cat/S\npo:noun\tx")), T("cat/S po:noun\tx"));
  EXPECT_EQ(text_t(dic_entry_head(T("cat/S\npo:noun"))), T("cat/S"));
}

}  // namespace
