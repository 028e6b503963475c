#include "editors/thesaurus/synonym_editor.h"

#include <gtest/gtest.h>

namespace {

TEST(SynonymEditorTest, FieldsOfAnEntry) {
  struct fields_case {
    const char16_t* entry;
    const char16_t* word;
    const char16_t* meanings;
  };
  const fields_case cases[] = {
      {u"ship|2\n(noun)|boat\n(verb)|ride", u"ship", u"(noun)|boat\n(verb)|ride\n"},
      // The empty second meaning is left out; lines beyond the count too.
      {u"ship|3\n(noun)|boat\n\n(verb)|ride\nextra", u"ship", u"(noun)|boat\n(verb)|ride\n"},
      {u"ship|3\na", u"ship", u"a\n"},
      {u"plain", u"", u""},
      {u"s|0\na", u"s", u""},
  };
  for (const fields_case& c : cases) {
    SCOPED_TRACE(to_utf8(c.entry));
    const synonym_editor_fields f = synonym_editor_fields_of_entry(c.entry);
    EXPECT_EQ(f.word, c.word);
    EXPECT_EQ(f.meanings, c.meanings);
  }
}

text_t lines(int n, bool final_lf) {
  text_t t;
  for (int i = 0; i < n; ++i) t += u"-|m" + string_from_int(i) + (i + 1 < n || final_lf ? u"\n" : u"");
  return t;
}

// The first failing check is the one reported, with its field.
TEST(SynonymEditorTest, ChecksOfOkInTheirOrder) {
  struct check_case {
    text_t word;
    text_t meanings;
    const char* message;  // "" passes
    synonym_field focus;
  };
  const check_case cases[] = {
      {u"", u"", "No synonym text.", synonym_field::word},
      {u" ", u"-|a", "No synonym text.", synonym_field::word},
      {u" ship", u"-|a", "Invalid spaces in synonym.", synonym_field::word},
      {u"ship ", u"", "Invalid spaces in synonym.", synonym_field::word},
      {u"sea  ship", u"-|a", "Invalid spaces in synonym.", synonym_field::word},
      {u"ship|2", u"-|a", "A synonym cannot hold \"|\", a tab or a line break.", synonym_field::word},
      {u"ship\tx", u"-|a", "A synonym cannot hold \"|\", a tab or a line break.", synonym_field::word},
      {u"ship\nx", u"-|a", "A synonym cannot hold \"|\", a tab or a line break.", synonym_field::word},
      {u"ship", u"", "No meanings text.", synonym_field::meanings},
      {u"ship", u" ", "No meanings text.", synonym_field::meanings},
      // Only an empty line of a CR LF text is refused; empty lines between
      // LFs are meanings.
      {u"ship", u"-|a\r\n\r\n-|b", "There are blank meanings.", synonym_field::meanings},
      {u"ship", u"-|a\n\r", "There are blank meanings.", synonym_field::meanings},
      {u"ship", u"-|a\n\n-|b", "", synonym_field::word},
      {u"ship", u"\n-|a", "", synonym_field::word},
      {u"ship", u"-|a\n\n", "", synonym_field::word},
      {u"ship", u"\n\n", "", synonym_field::word},
      {u"ship", u"-|a\r\n-|b\r\n", "", synonym_field::word},
      {u"ship", lines(101, false), "Synonym has more than 100 meanings.", synonym_field::meanings},
      {u"ship", lines(101, true), "Synonym has more than 100 meanings.", synonym_field::meanings},
      {u"ship", lines(100, false), "", synonym_field::word},
      {u"ship", lines(100, true), "", synonym_field::word},
      {u"sea ship", u"(noun)|boat\n", "", synonym_field::word},
      {u"caf\u00e9", u"-|a", "", synonym_field::word},
  };
  for (const check_case& c : cases) {
    SCOPED_TRACE(to_utf8(c.word) + " / " + to_utf8(c.meanings.substr(0, 20)));
    const synonym_editor_check check = check_synonym_editor_fields(c.word, c.meanings);
    EXPECT_EQ(check.ok, *c.message == 0);
    EXPECT_EQ(to_utf8(check.message), c.message);
    if (!check.ok) {
      EXPECT_EQ(check.focus, c.focus);
    }
  }
}

TEST(SynonymEditorTest, StoredEntry) {
  EXPECT_EQ(synonym_entry_of_fields(u"ship", u"(noun)|boat\n(noun)|vessel"), u"ship|2\n(noun)|boat\n(noun)|vessel");
  EXPECT_EQ(synonym_entry_of_fields(u"ship", u"(noun)|boat\n(noun)|vessel\n"),
            u"ship|2\n(noun)|boat\n(noun)|vessel");
  EXPECT_EQ(synonym_entry_of_fields(u"ship", u"a\r\nb\r\n"), u"ship|2\na\nb");
  // Empty meaning lines are kept and counted; of several final LFs one goes.
  EXPECT_EQ(synonym_entry_of_fields(u"ship", u"-|a\n\n-|b"), u"ship|3\n-|a\n\n-|b");
  EXPECT_EQ(synonym_entry_of_fields(u"ship", u"\n-|a"), u"ship|2\n\n-|a");
  EXPECT_EQ(synonym_entry_of_fields(u"ship", u"-|a\n\n\n"), u"ship|3\n-|a\n\n");
  EXPECT_EQ(synonym_entry_of_fields(u"ship", lines(100, true)).substr(0, 9), u"ship|100\n");
  EXPECT_EQ(synonym_entry_of_fields(u"ship", lines(100, false)), synonym_entry_of_fields(u"ship", lines(100, true)));
}

TEST(SynonymEditorTest, Counter) {
  EXPECT_EQ(synonym_counter_lines(u""), 0);
  EXPECT_EQ(synonym_counter_lines(u"one line"), 0);
  EXPECT_EQ(synonym_counter_lines(u"a\nb\n"), 2);
  EXPECT_EQ(synonym_counter_lines(u"a\rb\r"), 2);
  EXPECT_EQ(synonym_counter_text(2, u","), u"|2/100 lines");
  EXPECT_EQ(synonym_counter_text(1234, u","), u"|1,234/100 lines");
}

TEST(SynonymEditorTest, RedWordField) {
  for (const char16_t* w : {u" a", u"a ", u"a  b", u" "}) EXPECT_TRUE(synonym_word_has_invalid_spaces(w)) << to_utf8(w);
  for (const char16_t* w : {u"", u"a b", u"ab"}) EXPECT_FALSE(synonym_word_has_invalid_spaces(w)) << to_utf8(w);
}

}  // namespace
