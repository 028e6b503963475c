#include "editors/autocorrect/autocorrect_editor.h"

#include <gtest/gtest.h>

namespace {

using namespace autocorrect_editor_ids;

struct check_case {
  const char16_t* incorrect;
  const char16_t* correct;
  const char16_t* message;  // "" passes
  int focus;
};

TEST(AutocorrectEditor, OkChecksInTheirOrder) {
  const check_case cases[] = {
      {u"teh", u"the", u"", 0},
      {u"teh it", u"the it", u"", 0},
      {u"", u"the", u"No incorrect word text.", INCORRECT_FIELD},
      {u" ", u"the", u"No incorrect word text.", INCORRECT_FIELD},
      {u" teh", u"the", u"Invalid spaces in incorrect word.", INCORRECT_FIELD},
      {u"teh ", u"the", u"Invalid spaces in incorrect word.", INCORRECT_FIELD},
      {u"t  he", u"the", u"Invalid spaces in incorrect word.", INCORRECT_FIELD},
      {u"  ", u"", u"Invalid spaces in incorrect word.", INCORRECT_FIELD},
      {u"teh", u"", u"No correct word text.", CORRECT_FIELD},
      {u"teh", u" ", u"No correct word text.", CORRECT_FIELD},
      {u"teh", u"the  end", u"Invalid spaces in correct word.", CORRECT_FIELD},
      {u"teh", u"teh", u"Incorrect matches correct.", CORRECT_FIELD},
  };
  for (const check_case& c : cases) {
    SCOPED_TRACE(to_utf8(c.incorrect) + " / " + to_utf8(c.correct));
    const autocorrect_editor_check check = validate_autocorrect_fields(c.incorrect, c.correct);
    EXPECT_EQ(check.ok, text_t(c.message).empty());
    EXPECT_EQ(check.message, c.message);
    EXPECT_EQ(check.focus, c.focus);
  }
}

TEST(AutocorrectEditor, FieldsOfAnEntryAndTheEntryOfFields) {
  EXPECT_EQ(autocorrect_fields_of_entry(u"teh\nthe").incorrect, u"teh");
  EXPECT_EQ(autocorrect_fields_of_entry(u"teh\nthe").correct, u"the");
  EXPECT_EQ(autocorrect_fields_of_entry(u"alone").correct, u"");
  EXPECT_EQ(autocorrect_fields_of_entry(u"a\nb\nc").correct, u"b");
  // Line breaks and TABs would split the file's one pair per line.
  EXPECT_EQ(clean_autocorrect_field(u"te\th\r\nx"), u"tehx");
  EXPECT_EQ(autocorrect_entry_of_fields(u"te\nh", u"t\the"), u"teh\nthe");
}

}  // namespace
