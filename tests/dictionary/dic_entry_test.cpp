#include "common/dic_entry.h"

#include <gtest/gtest.h>

namespace {

struct split_case {
  const char* entry;
  const char* word;
  const char* flags;
  const char* rest;
  const char* tags;
  bool has_flags;
};

TEST(DicEntry, SplitTable) {
  const split_case cases[] = {
      {"cat", "cat", "", "", "", false},
      {"cat/SM", "cat", "SM", "", "", true},
      {"cat/SM\npo:noun", "cat", "SM", "\npo:noun", "po:noun", true},
      {"cat\npo:noun\tst:cat", "cat", "", "\npo:noun\tst:cat", "po:noun\tst:cat", false},
      // An escaped slash stays in the word.
      {"and\\/or/X", "and\\/or", "X", "", "", true},
      {"a\\/b", "a\\/b", "", "", "", false},
      // A real ";" in the flags is flags, not an escape.
      {"word/A;B", "word", "A;B", "", "", true},
      {"x;y\\/z/a;b\nc;d", "x;y\\/z", "a;b", "\nc;d", "c;d", true},
      // Only the first unescaped slash separates.
      {"w/A/B", "w", "A/B", "", "", true},
      {"/AB", "", "AB", "", "", true},
      {"/", "", "", "", "", true},
      {" /A", " ", "A", "", "", true},
      {"\\/A", "\\/A", "", "", "", false},
      {"w/", "w", "", "", "", true},
      // A slash in the tags is no separator.
      {"w\nst:a/b", "w", "", "\nst:a/b", "st:a/b", false},
      {"", "", "", "", "", false},
      // A description after a space, as in fr.dic: the flags end at the space.
      {"abader/d'q'l'm't's' po:v1____p_e_ po:infi", "abader", "d'q'l'm't's'", " po:v1____p_e_ po:infi",
       "po:v1____p_e_ po:infi", true},
      {"1er/-- po:adj is:mas is:sg", "1er", "--", " po:adj is:mas is:sg", "po:adj is:mas is:sg", true},
      // Without a slash the word ends at the blanks before the first "xx:" field.
      {"Bakersfield po:npr is:epi is:inv", "Bakersfield", "", " po:npr is:epi is:inv", "po:npr is:epi is:inv",
       false},
      {"- po:ponc po:sign", "-", "", " po:ponc po:sign", "po:ponc po:sign", false},
      {"New York  po:npr", "New York", "", "  po:npr", "po:npr", false},
      {"New York", "New York", "", "", "", false},
      {"a po:b/S", "a", "", " po:b/S", "po:b/S", false},
      // Two bytes before the colon, as Hunspell counts them in UTF-8.
      {"mot \xc3\xa9:x", "mot", "", " \xc3\xa9:x", "\xc3\xa9:x", false},
      {"mot \xe2\x82\xac:x", "mot \xe2\x82\xac:x", "", "", "", false},
      {"mot po:", "mot", "", " po:", "po:", false},
      {"mot p:x", "mot p:x", "", "", "", false},
      // A field with nothing but blanks before it has no word to follow.
      {" po:x", " po:x", "", "", "", false},
      // Text after the flags that is no field stays with the description.
      {"w/AB # note", "w", "AB", " # note", "# note", true},
      {"w/AB junk po:x\tmore", "w", "AB", " junk po:x\tmore", "junk po:x\tmore", true},
      {"w/ po:x", "w", "", " po:x", "po:x", true},
      {"cat/S \npo:noun", "cat", "S", " \npo:noun", "po:noun", true},
      {"cat/S\n\tpo:noun", "cat", "S", "\n\tpo:noun", "\tpo:noun", true},
      {"w/A po:x\ncomment", "w", "A", " po:x\ncomment", "po:x\ncomment", true},
      // de_DE's licence head: TAB-indented lines hold no word.
      {"\nThis is the dictionary file", "", "", "\nThis is the dictionary file", "This is the dictionary file",
       false},
  };
  for (const split_case& c : cases) {
    text_t entry = T(c.entry);
    dic_entry_parts p = split_dic_entry(entry);
    EXPECT_EQ(text_t(p.word), T(c.word)) << c.entry;
    EXPECT_EQ(text_t(p.flags), T(c.flags)) << c.entry;
    EXPECT_EQ(text_t(p.rest), T(c.rest)) << c.entry;
    EXPECT_EQ(text_t(p.tags), T(c.tags)) << c.entry;
    EXPECT_EQ(p.has_flags, c.has_flags) << c.entry;
    EXPECT_EQ(p.has_tags, !p.rest.empty()) << c.entry;
    EXPECT_EQ(dic_entry_word_is_empty(entry), p.word.empty()) << c.entry;
    // Word, flags and rest give the entry back.
    EXPECT_EQ(text_t(dic_entry_word_and_flags(entry)) + text_t(p.rest), entry) << c.entry;
    EXPECT_EQ(text_t(dic_entry_separator(p)) + text_t(p.tags), text_t(p.rest)) << c.entry;
    if (!p.flags.empty()) {
      EXPECT_EQ(rebuild_dic_entry(p, p.flags), entry) << c.entry;
    }
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

// The copying form reads four units at a time: a TAB at every place of the
// groups, two TABs, none, and units whose halves look like a TAB.
TEST(DicEntry, CopyingLineCodecAgreesWithTheInPlaceOne) {
  std::vector<text_t> lines = {u"", u"\t", u"\t\t", u"\u0900\u0009\u0109\u0009x", u"\u0900\u0109\u0908\u000a"};
  for (size_t length = 1; length <= 11; ++length) {
    text_t base;
    for (size_t k = 0; k < length; ++k) base.push_back(static_cast<char16_t>(u'a' + k));
    lines.push_back(base);
    for (size_t tab = 0; tab < length; ++tab) {
      text_t one = base;
      one[tab] = u'\t';
      lines.push_back(one);
      if (tab + 1 < length) {
        one[length - 1] = u'\t';
        lines.push_back(one);
      }
    }
  }
  for (const text_t& line : lines) {
    text_t expected = line;
    dic_line_to_entry(expected);
    text_t copied(line.size() + 1, u'#');
    dic_line_to_entry(line, copied.data());
    EXPECT_EQ(copied.substr(0, line.size()), expected) << to_utf8(line);
    EXPECT_EQ(copied.back(), u'#') << "wrote past the line: " << to_utf8(line);
  }
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

TEST(DicEntry, RebuildKeepsTheDescriptionByteForByte) {
  const text_t fr = T("abader/d'q'l'm't's' po:v1____p_e_ po:infi");
  const dic_entry_parts p = split_dic_entry(fr);
  EXPECT_EQ(rebuild_dic_entry(p, T("d'q'")), T("abader/d'q' po:v1____p_e_ po:infi"));
  EXPECT_EQ(rebuild_dic_entry(p, T("")), T("abader po:v1____p_e_ po:infi"));
  const text_t tabbed = T("cat/SM  \npo:noun\tis:pl");
  EXPECT_EQ(rebuild_dic_entry(split_dic_entry(tabbed), T("M")), T("cat/M  \npo:noun\tis:pl"));
  EXPECT_EQ(rebuild_dic_entry(split_dic_entry(T("Paris po:npr")), T("S")), T("Paris/S po:npr"));
}

TEST(DicEntry, JoinKeepsTheSeparatorWhereItSplitsBack) {
  const struct {
    const char* word_and_flags;
    const char* separator;
    const char* tags;
    const char* entry;
  } cases[] = {
      {"abader/d'q'", " ", "po:v1 po:infi", "abader/d'q' po:v1 po:infi"},
      {"Paris", " ", "po:npr", "Paris po:npr"},
      {"cat/S", "\n", "po:noun\tis:pl", "cat/S\npo:noun\tis:pl"},
      {"cat/S", "\t", "po:noun\tis:pl", "cat/S\npo:noun\tis:pl"},  // the .dic line's form
      {"cat/S", "  \n", "po:noun", "cat/S  \npo:noun"},
      {"cat/S", " ", "", "cat/S "},
      {"cat/S", "\n", "", "cat/S\n"},
      {"w/A", " ", "po:x\ncomment", "w/A po:x\ncomment"},
      {"w/A", " ", "po:x\tcomment", "w/A po:x\ncomment"},
      // A space would join the text to a word without flags: an LF instead.
      {"Paris", " ", "capital", "Paris\ncapital"},
      {"Paris", " ", "a\tb", "Paris\na\tb"},
      {"Paris", "", "po:npr", "Paris\npo:npr"},
      {"Paris", "", "", "Paris"},
      // One line feed at most.
      {"cat/S", "\n", "po:x\ncomment", "cat/S\npo:x\tcomment"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(join_dic_entry(T(c.word_and_flags), T(c.separator), T(c.tags)), T(c.entry))
        << c.word_and_flags << "|" << c.separator << "|" << c.tags;
  }
}

TEST(DicEntry, ListColumnsShowWordAndFlagsApartFromTheDescription) {
  const struct {
    const char* entry;
    const char* shown;
  } cases[] = {
      {"abader/d'q' po:v1 po:infi", "abader/d'q'\npo:v1 po:infi"},
      {"Bakersfield po:npr is:inv", "Bakersfield\npo:npr is:inv"},
      {"cat/S\npo:noun\tis:pl", "cat/S\npo:noun\tis:pl"},
      {"cat/S", "cat/S\n"},
      {"New York", "New York\n"},
      {"w/A po:x\ncomment", "w/A\npo:x\tcomment"},
  };
  for (const auto& c : cases) EXPECT_EQ(dic_entry_list_columns(T(c.entry)), T(c.shown)) << c.entry;
}

}  // namespace
