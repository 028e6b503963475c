#include "tests/dictionary/dictionary_fixtures.h"
#include "dictionary/word_editor.h"

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "dictionary/aff_aid.h"
#include "dictionary/dic_file.h"
#include "common/dic_entry.h"
#include "common/long_job.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unordered_set>

namespace {

using namespace word_editor_ids;

// ---- OK checks and field looks ------------------------------------------------------

struct check_case {
  const char* word;
  const char* tags;
  const char* message;  // "" passes
  int focus;
};

TEST(WordEditorValidation, ChecksInOrder) {
  const check_case cases[] = {
      {"", "", "No dictionary word text.", WORD_FIELD},
      {" ", "  bad", "No dictionary word text.", WORD_FIELD},
      // Spaces before the tags, the tags before the flag separator.
      {"  ", "", "Invalid spaces in dictionary word.", WORD_FIELD},
      {"walk ", " po", "Invalid spaces in dictionary word.", WORD_FIELD},
      {" walk", "", "Invalid spaces in dictionary word.", WORD_FIELD},
      {"ice  cream", "", "Invalid spaces in dictionary word.", WORD_FIELD},
      {"walk/", " po:verb", "Tags incorrect (spaces).", TAGS_FIELD},
      {"walk", "po:verb ", "Tags incorrect (spaces).", TAGS_FIELD},
      {"walk", "po:verb  st:walk", "Tags incorrect (spaces).", TAGS_FIELD},
      {"walk/", "", "Invalid dictionary word.", WORD_FIELD},
      {"a\\//", "", "Invalid dictionary word.", WORD_FIELD},
      // Passing texts: flags, tags, an escaped slash, a word that is only flags.
      {"walk", "", "", 0},
      {"walk/SM", "po:verb st:walk", "", 0},
      {"ice cream", "", "", 0},
      {"and\\/or/X", "", "", 0},
      {"km\\/", "", "", 0},
      {"/AB", "", "", 0},
      {"/ A  B ", "", "", 0},
  };
  for (const check_case& c : cases) {
    word_editor_check r = validate_word_editor_fields(T(c.word), T(c.tags));
    EXPECT_EQ(r.ok, *c.message == 0) << c.word << "|" << c.tags;
    EXPECT_EQ(r.message, T(c.message)) << c.word << "|" << c.tags;
    EXPECT_EQ(r.focus, c.focus) << c.word << "|" << c.tags;
  }
}

TEST(WordEditorValidation, FieldLooks) {
  EXPECT_EQ(word_field_look_of(u""), word_field_look::empty);
  EXPECT_EQ(word_field_look_of(u"/"), word_field_look::flag_only);
  EXPECT_EQ(word_field_look_of(u"/A "), word_field_look::flag_only);
  EXPECT_EQ(word_field_look_of(u"walk/SM"), word_field_look::normal);
  EXPECT_EQ(word_field_look_of(u"walk/"), word_field_look::invalid);
  EXPECT_EQ(word_field_look_of(u"walk "), word_field_look::invalid);
  EXPECT_EQ(word_field_look_of(u"km\\/"), word_field_look::normal);
  EXPECT_FALSE(tags_field_invalid(u""));
  EXPECT_FALSE(tags_field_invalid(u"po:noun is:plural"));
  EXPECT_TRUE(tags_field_invalid(u" po:noun"));
  EXPECT_TRUE(tags_field_invalid(u"po:noun  is:plural"));
}

// ---- Entry from the fields -----------------------------------------------------------

TEST(WordEditorEntry, FieldsOfEntryAndBack) {
  word_editor_fields f = word_editor_fields_of_entry(u"walk/SM\npo:verb\tst:walk");
  EXPECT_EQ(f.word, u"walk/SM");
  EXPECT_EQ(f.tags, u"po:verb\tst:walk");
  f = word_editor_fields_of_entry(u"walk/SM");
  EXPECT_EQ(f.word, u"walk/SM");
  EXPECT_EQ(f.tags, u"");

  EXPECT_EQ(word_editor_entry_of_fields(u"walk/SM", u""), u"walk/SM");
  EXPECT_EQ(word_editor_entry_of_fields(u"walk/SM", u"po:verb"), u"walk/SM\npo:verb");
  // A tag TAB survives (a .dic line keeps the TABs after its first one).
  EXPECT_EQ(word_editor_entry_of_fields(u"walk", u"po:verb\tst:walk"), u"walk\npo:verb\tst:walk");
}

// A description written after a space (fr.dic) is shown in the tags field;
// the entry goes back with the same separator, byte for byte.
TEST(WordEditorEntry, DescriptionAfterASpaceIsTheTagsField) {
  const struct {
    const char16_t* entry;
    const char16_t* word;
    const char16_t* tags;
  } cases[] = {
      {u"abader/d'q'l'm't's' po:v1____p_e_ po:infi", u"abader/d'q'l'm't's'", u"po:v1____p_e_ po:infi"},
      {u"Bakersfield po:npr is:epi is:inv", u"Bakersfield", u"po:npr is:epi is:inv"},
      {u"- po:ponc po:sign", u"-", u"po:ponc po:sign"},
      {u"cat/S  \npo:noun\tis:pl", u"cat/S", u"po:noun\tis:pl"},
      {u"w/A po:x\ncomment", u"w/A", u"po:x\tcomment"},
      {u"cat/S ", u"cat/S", u""},
      {u"\nlicence line", u"", u"licence line"},
  };
  for (const auto& c : cases) {
    const word_editor_fields f = word_editor_fields_of_entry(c.entry);
    EXPECT_EQ(f.word, c.word);
    EXPECT_EQ(f.tags, c.tags);
    EXPECT_EQ(word_editor_entry_of_fields(f.word, f.tags, f), c.entry);
  }
  const word_editor_fields fr = word_editor_fields_of_entry(u"abader/d'q' po:v1 po:infi");
  EXPECT_EQ(word_editor_entry_of_fields(u"abader/d'q's'", u"po:v1 po:infi", fr), u"abader/d'q's' po:v1 po:infi");
  EXPECT_EQ(word_editor_entry_of_fields(u"abader/d'q'", u"po:v1 po:ipre", fr), u"abader/d'q' po:v1 po:ipre");
  EXPECT_EQ(word_editor_entry_of_fields(u"abader/d'q'", u"", fr), u"abader/d'q'");
  // Tags that are no field would join a word without flags: a TAB then.
  const word_editor_fields name = word_editor_fields_of_entry(u"Paris po:npr");
  EXPECT_EQ(word_editor_entry_of_fields(u"Paris", u"capital", name), u"Paris\ncapital");
  EXPECT_EQ(word_editor_entry_of_fields(u"Paris/S", u"capital", name), u"Paris/S capital");
}

// Every entry of Debian's fr.dic opened in the editor: OK without a change
// writes it back byte for byte, its word shows no undefined flag, and a word
// without flags derives only itself, without its description.
TEST(WordEditorEntry, EveryFrenchEntryOpensCleanly) {
  list_document doc;
  if (!dictionary_fixtures::load_installed_dictionary("/usr/share/hunspell/fr.dic", doc))
    GTEST_SKIP() << "hunspell-fr is not installed";
  ASSERT_GT(doc.count(), 0);
  std::unordered_set<text_t> flag_strings;
  int64_t described = 0, expanded = 0;
  for (const text_view entry : doc.entries()) {
    const word_editor_fields f = word_editor_fields_of_entry(entry);
    ASSERT_EQ(word_editor_entry_of_fields(f.word, f.tags, f), entry);
    described += !f.tags.empty();
    const dic_entry_parts p = split_dic_entry(f.word);
    EXPECT_TRUE(p.rest.empty()) << to_utf8(entry);
    // The unknown flags depend on the flags only: each flag string once.
    if (p.has_flags && !flag_strings.insert(text_t(p.flags)).second) continue;
    derived_rows_sink rows;
    const expansion_report r = expand_entry(test_cache, f.word, rows);
    ++expanded;
    EXPECT_EQ(r.unknown_entry_flags, u"") << to_utf8(entry);
    ASSERT_FALSE(rows.rows.empty());
    EXPECT_EQ(rows.rows[0].word, p.word) << to_utf8(entry);
    if (!p.has_flags) {
      EXPECT_EQ(rows.rows.size(), 1u) << to_utf8(entry);
    }
  }
  EXPECT_EQ(described, doc.count());
  EXPECT_GT(expanded, 500);
  invalidate_aff_decode_cache(test_cache);
}

TEST(WordEditorEntry, LineBreakingUnitsNeverReachTheEntry) {
  // Pasted text: a TAB in the word would become the .dic separator, a CR or
  // LF anywhere a new line of the file.
  EXPECT_EQ(clean_word_field(u"wa\tlk/S\r\nM"), u"walk/SM");
  EXPECT_EQ(clean_tags_field(u"po:verb\r\nst:walk\tis:x"), u"po:verbst:walk\tis:x");
  text_t entry = word_editor_entry_of_fields(u"wa\tlk\n", u"\r\n");
  EXPECT_EQ(entry, u"walk");
  entry = word_editor_entry_of_fields(u"walk", u"po:verb\nst:walk");
  EXPECT_EQ(entry.find(u'\n'), entry.rfind(u'\n'));  // one LF: the one before the tags
}

TEST(WordEditorCommit, SnapshotAndChangedOnlyWhenFieldsChanged) {
  list_document doc;
  doc.replace_all({u"apple", u"walk/S\npo:verb"}, u"/tmp/x.dic");
  doc.select(1);

  // Unchanged OK: written, but no snapshot and no changed flag.
  ASSERT_TRUE(commit_word_editor_entry(doc, false, u"walk/S\npo:verb", false));
  EXPECT_FALSE(doc.can_undo());
  EXPECT_FALSE(doc.changed());

  ASSERT_TRUE(commit_word_editor_entry(doc, false, u"walk/SM\npo:verb", true));
  EXPECT_TRUE(doc.can_undo());
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(doc.entries()[1], u"walk/SM\npo:verb");
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.entries()[1], u"walk/S\npo:verb");

  // Add appends unchecked; the selection stays.
  doc.select(0);
  ASSERT_TRUE(commit_word_editor_entry(doc, true, u"run/S", true));
  ASSERT_EQ(doc.count(), 3);
  EXPECT_EQ(doc.entries()[2], u"run/S");
  EXPECT_FALSE(doc.is_checked(2));
  EXPECT_EQ(doc.selected(), 0);
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.count(), 2);

  doc.select(-1);
  EXPECT_FALSE(commit_word_editor_entry(doc, false, u"x", true));
  doc.select(7);
  EXPECT_FALSE(commit_word_editor_entry(doc, false, u"x", true));
  EXPECT_EQ(doc.count(), 2);
}

TEST(WordEditorTaboo, IndicatorFollowsFieldAndExpansion) {
  int64_t colour = 0xFF00;
  taboo_look look = update_taboo_indicator(word_field_look::normal, word_field_look::normal, colour);
  EXPECT_EQ(look.image, 50);
  EXPECT_EQ(look.label_colour, WORD_EDITOR_GREEN);
  colour = 0xFF;
  look = update_taboo_indicator(word_field_look::normal, word_field_look::normal, colour);
  EXPECT_EQ(look.image, 51);
  EXPECT_EQ(look.label_colour, WORD_EDITOR_RED);
  // Becoming amber sets the colour once.
  look = update_taboo_indicator(word_field_look::flag_only, word_field_look::normal, colour);
  EXPECT_EQ(colour, 0xFFFF);
  EXPECT_EQ(look.image, 96);
  EXPECT_EQ(look.label_colour, WORD_EDITOR_AMBER);
  // Red or empty: neutral.
  look = update_taboo_indicator(word_field_look::invalid, word_field_look::flag_only, colour);
  EXPECT_EQ(colour, 0);
  EXPECT_EQ(look.image, 49);
  EXPECT_EQ(look.label_colour, WORD_EDITOR_BLACK);
  colour = 0xFF00;
  update_taboo_indicator(word_field_look::empty, word_field_look::normal, colour);
  EXPECT_EQ(colour, 0);
}

// ---- Derived-words panel ---------------------------------------------------------

derived_word_record row(const char* word, const char* type, const char* flag, const char* origin,
                        int position = 0, const char* rule_key = "00000000:") {
  derived_word_record r;
  r.word = T(word);
  r.type = T(type);
  r.flag = T(flag);
  r.origin = T(origin);
  r.flag_position = position;
  r.rule_key = T(rule_key);
  return r;
}

TEST(DerivedWordsSummary, TopLevelAndNestedCounts) {
  std::vector<derived_word_record> rows = {
      row("walk", "Primary", "", ""),         row("walks", "Suffix", "S", "S"),
      row("walked", "Suffix", "S", "S"),      row("walkings", "Suffix", "M", "S\tM"),
      row("walking", "Suffix", "S", "S"),     row("walkingo", "Suffix", "M", "S\tM"),
  };
  derived_words_summary s = summarise_derived_words(rows);
  EXPECT_EQ(s.top_level, (std::vector<text_t>{u"Primary 1", u"S tag 3"}));
  EXPECT_EQ(s.nested, (std::vector<text_t>{u"S tag — M tag 2"}));

  s = summarise_derived_words({row("walk", "Primary", "", "")});
  EXPECT_EQ(s.top_level, (std::vector<text_t>{u"Primary 1"}));
  EXPECT_TRUE(s.nested.empty());
  EXPECT_TRUE(summarise_derived_words({}).top_level.empty());
}

TEST(DerivedWordsSummary, CaseVariantsAreGroupedOnceEach) {
  // Case-insensitive order alternates A and a; each still counts in one line.
  std::vector<derived_word_record> rows = {
      row("x", "Primary", "", ""), row("xa", "Suffix", "a", "a"), row("xA", "Suffix", "A", "A"),
      row("xb", "Suffix", "a", "a"), row("xB", "Suffix", "A", "A"), row("xz", "Suffix", "B", "B"),
  };
  derived_words_summary s = summarise_derived_words(rows);
  EXPECT_EQ(s.top_level, (std::vector<text_t>{u"Primary 1", u"A tag 2", u"a tag 2", u"B tag 1"}));
}

TEST(DerivedWordsSummary, PrimaryRowAnywhereAfterSort) {
  // Sorting by type puts "Both" and "Prefix" before "Primary".
  std::vector<derived_word_record> rows = {row("unwalk", "Prefix", "U", "U"),
                                           row("walk", "Primary", "", ""),
                                           row("walks", "Suffix", "S", "S")};
  derived_words_summary s = summarise_derived_words(rows);
  EXPECT_EQ(s.top_level, (std::vector<text_t>{u"Primary 1", u"S tag 1", u"U tag 1"}));
  EXPECT_EQ(derived_primary_word(rows), u"walk");
}

TEST(DerivedWordsPanel, MatchIsCaseSensitivePrefix) {
  std::vector<derived_word_record> rows = {row("walk", "Primary", "", ""),
                                           row("walks", "Suffix", "S", "S"),
                                           row("Walker", "Suffix", "R", "R")};
  EXPECT_EQ(derived_words_matching(rows, u"walk"), (std::vector<uint8_t>{1, 1, 0}));
  EXPECT_EQ(derived_words_matching(rows, u"walks"), (std::vector<uint8_t>{0, 1, 0}));
  EXPECT_EQ(derived_words_matching(rows, u"zz"), (std::vector<uint8_t>{0, 0, 0}));
}

TEST(DerivedWordsPanel, CopyTexts) {
  std::vector<derived_word_record> rows = {
      row("walk", "Primary", "", ""),
      row("walks", "Suffix", "S", "S", 120, "00000001: 0 s ."),
      row("walked", "Suffix", "S", "S", 120, "00000002: 0 ed  ."),
  };
  EXPECT_EQ(copy_derived_words_text(rows, false, 1), u"walks");
  EXPECT_EQ(copy_derived_words_text(rows, true, 1), u"walk\nwalks\nwalked\n");
  EXPECT_EQ(copy_derived_words_text({rows[0]}, true, 0), u"walk");

  EXPECT_EQ(copy_derived_words_with_rules_text(rows, false, 1, u"walk"),
            u"\"walks\",\"walk\",\"Suffix\",\"S\",\"1: 0 s .\"");
  // Blanks next to a quote go; blanks inside a field stay.
  rows[1].rule_key = u"00000001: 0 s . ";
  EXPECT_EQ(copy_derived_words_with_rules_text(rows, false, 1, u"walk"),
            u"\"walks\",\"walk\",\"Suffix\",\"S\",\"1: 0 s .\"");
  EXPECT_EQ(copy_derived_words_with_rules_text(rows, true, 0, u"walk"),
            u"\"walk\",\"walk\",\"Primary\",\"\",\"\"\n"
            u"\"walks\",\"walk\",\"Suffix\",\"S\",\"1: 0 s .\"\n"
            u"\"walked\",\"walk\",\"Suffix\",\"S\",\"2: 0 ed  .\"\n");
  EXPECT_EQ(copy_flag_rule_text(rows[2]), u"\"2: 0 ed  .\"");

  EXPECT_EQ(derived_popup_refusal(0, 0), u"No dictionary words found.");
  EXPECT_EQ(derived_popup_refusal(3, -1), u"No dictionary word selected.");
  EXPECT_EQ(derived_popup_refusal(3, 3), u"No dictionary word selected.");
  EXPECT_EQ(derived_popup_refusal(3, 2), u"");
}

struct remove_case {
  int64_t mode;
  const char* field;
  const char* flag;
  remove_flag_result result;
  const char* text;
};

TEST(DerivedWordsPanel, RemoveFlagFromTextboxByFlagMode) {
  using R = remove_flag_result;
  const remove_case cases[] = {
      {FLAG_MODE_CHAR, "walk/AB", "A", R::removed, "walk/B"},
      {FLAG_MODE_CHAR, "walk/B", "B", R::removed, "walk"},
      {FLAG_MODE_CHAR, "walk/ABA", "A", R::removed, "walk/B"},
      {FLAG_MODE_CHAR, "walk/AB", "C", R::not_found, ""},
      {FLAG_MODE_CHAR, "and\\/or/XY", "X", R::removed, "and\\/or/Y"},
      {FLAG_MODE_CHAR, "walk", "A", R::nothing, ""},
      {FLAG_MODE_CHAR, "/AB", "A", R::nothing, ""},
      {FLAG_MODE_CHAR, "walk/", "A", R::nothing, ""},
      {FLAG_MODE_LONG, "walk/AaBbCc", "Bb", R::removed, "walk/AaCc"},
      {FLAG_MODE_LONG, "walk/AaBbC", "C", R::removed, "walk/AaBb"},
      {FLAG_MODE_LONG, "walk/AaBb", "aB", R::not_found, ""},
      {FLAG_MODE_LONG, "walk/Aa", "Aa", R::removed, "walk"},
      {FLAG_MODE_NUM, "walk/3,12,7", "12", R::removed, "walk/3,7"},
      {FLAG_MODE_NUM, "walk/3,12,7", "7", R::removed, "walk/3,12"},
      {FLAG_MODE_NUM, "walk/12", "12", R::removed, "walk"},
      {FLAG_MODE_NUM, "walk/3,,12", "12", R::removed, "walk/3"},
      {FLAG_MODE_NUM, "walk/3,12", "1", R::not_found, ""},
      // A description typed after a space stays as it was.
      {FLAG_MODE_CHAR, "walk/AB po:v1 is:inv", "A", R::removed, "walk/B po:v1 is:inv"},
      {FLAG_MODE_CHAR, "walk/B po:v1", "B", R::removed, "walk po:v1"},
      {FLAG_MODE_CHAR, "walk po:v1/B", "B", R::nothing, ""},
  };
  for (const remove_case& c : cases) {
    remove_flag_outcome r = remove_flag_from_word_text(T(c.field), T(c.flag), c.mode);
    EXPECT_EQ(r.result, c.result) << c.mode << " " << c.field << " " << c.flag;
    EXPECT_EQ(r.text, T(c.text)) << c.mode << " " << c.field << " " << c.flag;
  }
}

TEST(DerivedWordsPanel, RowTextAndTitle) {
  derived_word_record r = row("walks", "Suffix", "S", "S", 120, "00000003: 0 s .");
  EXPECT_EQ(derived_list_row_text(r), u"walks\nSuffix\nS\n120\n3: 0 s .");
  EXPECT_EQ(derived_list_row_text(row("walk", "Primary", "", "")), u"walk\nPrimary\n\n\n");
  EXPECT_EQ(derived_list_title(2), u"Derived words (2)");
  EXPECT_EQ(derived_list_title(2, false), u"Derived words (2)");
  EXPECT_EQ(derived_list_title(100000, true),
            u"Derived words (100000) - too many to list: only the first 100000 are shown");
}

// The engine's rows for a small .aff, as the editor receives them.
TEST(DerivedWordsPanel, RowsOfARealExpansion) {
  rebuild_aff_decode_cache(test_cache, 
      u"SET UTF-8\n"
      u"SFX S Y 2\n"
      u"SFX S 0 s .\n"
      u"SFX S 0 ing/M .\n"
      u"SFX M Y 1\n"
      u"SFX M 0 s .\n");
  derived_rows_sink rows;
  expand_entry(test_cache, u"walk/S", rows);
  ASSERT_EQ(rows.rows.size(), 4u);
  EXPECT_EQ(derived_list_row_text(rows.rows[1]).substr(0, 13), u"walks\nSuffix\n");
  derived_words_summary s = summarise_derived_words(rows.rows);
  EXPECT_EQ(s.top_level, (std::vector<text_t>{u"Primary 1", u"S tag 2"}));
  EXPECT_EQ(s.nested, (std::vector<text_t>{u"S tag — M tag 1"}));
  // The Flag Position points at the header in the text the view shows.
  text_t view = aff_view_text_of_cache(test_cache.aff_cache_text);
  size_t at = static_cast<size_t>(rows.rows[1].flag_position - 1);
  EXPECT_EQ(view.substr(at, 9), u"SFX S Y 2");
  invalidate_aff_decode_cache(test_cache);
}

// ---- Remembered sort mode -------------------------------------------------------------

TEST(DerivedWordsSortPrefs, RememberBytes) {
  EXPECT_EQ(derivates_sort_prefs_bytes(3), std::string("41\n\x03\x00\x00\x00", 7));
  EXPECT_EQ(derivates_sort_prefs_bytes(5), std::string("41\n\x05\x00\x00\x00", 7));
  EXPECT_EQ(clamp_derived_words_sort_mode(0), 1);
  EXPECT_EQ(clamp_derived_words_sort_mode(6), 1);
  EXPECT_EQ(clamp_derived_words_sort_mode(-4), 1);
  EXPECT_EQ(clamp_derived_words_sort_mode(4), 4);

  std::string path = testing::TempDir() + "derivates_sort.prefs";
  { std::ofstream(path) << "an older, longer file"; }
  ASSERT_TRUE(write_derivates_sort_prefs(from_utf8(path), 3));
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, std::string("41\n\x03\x00\x00\x00", 7));
  std::remove(path.c_str());
  EXPECT_FALSE(write_derivates_sort_prefs(u"/nonexistent-folder/derivates_sort.prefs", 2));
}

// ---- .AFF view offsets -----------------------------------------------------------------

TEST(AffView, ShowsTheCacheTextWithoutItsLastLineFeed) {
  EXPECT_EQ(aff_view_text_of_cache(u"SFX A Y 1\n"), u"SFX A Y 1");
  EXPECT_EQ(aff_view_text_of_cache(u""), u"");
}

// ---- AFF aid -------------------------------------------------------------------------------

TEST(AffAid, BuiltInList) {
  const std::vector<text_t>& items = builtin_aff_aid_items();
  ASSERT_EQ(items.size(), 67u);
  EXPECT_EQ(items.front(), u"A # re- prefix: to do again");
  EXPECT_EQ(items[26], u"d # regular adverbial -ing endings.");
  EXPECT_EQ(items.back(), u"~ # -ish, adjectival ending");
}

TEST(AffAid, LanguagesAndItems) {
  std::vector<text_t> entries = {u"de-DE:german:Deutsch\n20001\nde.txt",
                                 u"eng-GB:english:English GB\n30\n*****"};
  std::vector<text_t> texts = {u"", u"de-DE:german:Deutsch\nA # ab-\nB # be-\nlast"};

  aff_aid_choice c = find_aff_aid_language(entries, u"de.txt");
  ASSERT_TRUE(c.found);
  EXPECT_EQ(aff_aid_label_text(c), u".AFF Aid (de-DE:german:Deutsch):");
  // The first line names the language; a last line without LF is not listed.
  EXPECT_EQ(aff_aid_combo_items(c, texts), (std::vector<text_t>{u"A # ab-", u"B # be-"}));

  c = find_aff_aid_language(entries, u"*****");
  EXPECT_EQ(c.image, AFF_AID_BUILTIN_IMAGE);
  EXPECT_EQ(aff_aid_combo_items(c, texts).size(), 67u);

  // Nothing chosen, or a file that is gone: "n/a" and no items.
  for (const char16_t* key : {u"n/a", u"gone.txt"}) {
    c = find_aff_aid_language(entries, key);
    EXPECT_FALSE(c.found);
    EXPECT_EQ(aff_aid_label_text(c), u".AFF Aid (n/a):");
    EXPECT_TRUE(aff_aid_combo_items(c, texts).empty());
  }
  // A text index outside the texts shows nothing.
  EXPECT_TRUE(aff_aid_combo_items(20005, 5, texts).empty());
}

}  // namespace
