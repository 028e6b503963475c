// The Add/Edit word window on a small dictionary, driven like a user.
#include "tests/app/shell_gui_support.h"

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "app/main_loop.h"
#include "dictionary/derived_words_panel.h"
#include "dictionary/dic_file.h"
#include "dictionary/word_editor.h"
#include "dictionary/word_editor_window.h"
#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"

#include <string>

using namespace word_editor_ids;

namespace {

const char16_t kAff[] =
    u"SET UTF-8\n"
    u"# 😀 a comment before the rules\n"
    u"SFX S Y 1\n"
    u"SFX S 0 s .\n"
    u"SFX D Y 2\n"
    u"SFX D 0 ed [^e]\n"
    u"SFX D 0 d e\n";

// A set whose every rule continues into another big set: tens of thousands
// of rows for one word.
text_t big_aff() {
  text_t aff = u"SET UTF-8\nSFX A Y 200\n";
  for (int i = 0; i < 200; ++i) aff += u"SFX A 0 a" + string_from_int(i) + u"/B .\n";
  aff += u"SFX B Y 200\n";
  for (int i = 0; i < 200; ++i) aff += u"SFX B 0 b" + string_from_int(i) + u" .\n";
  return aff;
}

class WordEditorTest : public shell_test::ShellTest {
 protected:
  void open_dictionary(std::vector<text_t> entries, const text_t& aff, int64_t selected) {
    start_with_valid_prefs();
    dictionary().list.replace_all(std::move(entries), from_utf8(folder_ + "small.dic"));
    dictionary().count_changed();
    // Selected as a click on the row would: the page shows the selection.
    if (selected >= 0) show_paged_list_position(running_kinds().dictionary, selected, 0);
    gadget_set_text(AFF_EDITOR, aff);
    dictionary().invalidate_decode_cache();
  }
  void TearDown() override {
    ws_.derived_words.sort_mode = 1;
    shell_test::ShellTest::TearDown();
  }
  list_document& doc() { return dictionary().list; }
  void wait_rows(int n, const std::string& what) {
    gui_test::wait_until([n] { return gadget_count_items(DERIVED_LIST) == n && !gadget_get_disabled(REFRESH); }, what);
  }
  static int rows() { return gadget_count_items(DERIVED_LIST); }
};

TEST_F(WordEditorTest, EditChangeOkThenUndo) {
  open_dictionary({u"apple", u"walk/S\npo:verb"}, kAff, 1);
  gui_test::wait_window(WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(WINDOW), u"Edit a word");
    EXPECT_EQ(gadget_get_text(WORD_FIELD), u"walk/S");
    EXPECT_EQ(gadget_get_text(TAGS_FIELD), u"po:verb");
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
  }, "fields filled");
  // The first derived words come without any event.
  wait_rows(2, "walk and walks");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_item_text(DERIVED_LIST, -1, 0), u"Derived words (2)");
    EXPECT_EQ(gadget_get_item_text(DERIVED_LIST, 1, 0), u"walks");
    EXPECT_EQ(gadget_get_item_text(TOP_LEVEL_LIST, 1, 0), u"S tag 1");
    EXPECT_EQ(word_editor_indicator_image(TABOO_IMAGE), 50);
  }, "rows of walk/S");
  gui_test::replace_text(WORD_FIELD, u"walk/SD");
  wait_rows(3, "walk, walks and walked");
  gui_test::run([] { EXPECT_EQ(gadget_get_item_text(DERIVED_LIST, 2, 0), u"walked"); }, "walked");
  gui_test::click(OK);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();

  EXPECT_FALSE(window_exists(WINDOW));
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
  EXPECT_EQ(doc().entries()[1], u"walk/SD\npo:verb");
  EXPECT_TRUE(doc().changed());
  ASSERT_TRUE(doc().can_undo());
  ASSERT_TRUE(doc().undo());
  EXPECT_EQ(doc().entries()[1], u"walk/S\npo:verb");
  EXPECT_EQ(pending_word_editor_action, 0);
}

// The Edit button, a double click on the list and the popup's Add reach the
// editor through the main loop; the page shows the written entry.
TEST_F(WordEditorTest, MainWindowCommandsOpenTheEditor) {
  open_dictionary({u"apple", u"walk/S\npo:verb"}, kAff, 1);
  register_word_editor_commands(ws_.dictionary, ws_.derived_words, ws_.prefs, ws_.aff_aid, ws_.commands.kinds.dictionary.entries);
  gui_test::click(DICTIONARY_EDIT);
  wait_rows(2, "editor opened by the Edit button");
  gui_test::replace_text(WORD_FIELD, u"walk/SD");
  wait_rows(3, "three rows");
  gui_test::click(OK);
  gui_test::wait_window_closed(WINDOW);
  gui_test::wait_until([] { return gadget_get_item_text(DICTIONARY_LIST, 1, 1) == u"walk/SD"; }, "page redrawn");
  gui_test::double_click_row(DICTIONARY_LIST, 0);
  gui_test::wait_window(WINDOW);
  gui_test::wait_gadget_text(WORD_FIELD, u"apple");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(WINDOW);
  gui_test::right_click_row(DICTIONARY_LIST, 0);
  gui_test::choose_menu_item(POPUP_ADD);
  gui_test::wait_window(WINDOW);
  gui_test::run([] { EXPECT_EQ(window_get_title(WINDOW), u"Add a word"); }, "Add");
  gui_test::replace_text(WORD_FIELD, u"run");
  gui_test::click(OK);
  gui_test::wait_window_closed(WINDOW);
  gui_test::wait_until([] { return gadget_get_item_text(DICTIONARY_LIST, 2, 1) == u"run"; }, "new row shown");
  gui_test::close_window(MAIN_WINDOW);
  run_main_loop();
  gui_test::finish();
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"apple", u"walk/SD\npo:verb", u"run"}));
}

TEST_F(WordEditorTest, UnchangedOkTakesNoSnapshot) {
  open_dictionary({u"walk/S\npo:verb"}, kAff, 0);
  wait_rows(2, "first rows");
  gui_test::press_key(WINDOW, KEY_RETURN);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(doc().entries()[0], u"walk/S\npo:verb");
  EXPECT_FALSE(doc().changed());
  EXPECT_FALSE(doc().can_undo());
}

// fr.dic writes each description after a space: the list shows it in the
// tags column, the editor in its tags field, and it is no flag.
TEST_F(WordEditorTest, DescriptionAfterASpaceIsShownAsTags) {
  open_dictionary({u"walk/S po:v1 is:inv", u"Paris po:npr is:inv"}, kAff, 0);
  wait_rows(2, "walk and walks");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 0, 1), u"walk/S");
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 0, 2), u"po:v1 is:inv");
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 1, 1), u"Paris");
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 1, 2), u"po:npr is:inv");
    EXPECT_EQ(gadget_get_text(WORD_FIELD), u"walk/S");
    EXPECT_EQ(gadget_get_text(TAGS_FIELD), u"po:v1 is:inv");
    EXPECT_EQ(gadget_get_text(UNKNOWN_FLAGS), u"");
    EXPECT_EQ(gadget_get_item_text(DERIVED_LIST, 0, 0), u"walk");
    EXPECT_EQ(gadget_get_item_text(DERIVED_LIST, 1, 0), u"walks");
  }, "fields, rows and list columns");
  gui_test::replace_text(WORD_FIELD, u"walk/SD");
  wait_rows(3, "walk, walks and walked");
  gui_test::click(OK);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(doc().entries()[0], u"walk/SD po:v1 is:inv");
  EXPECT_EQ(doc().entries()[1], u"Paris po:npr is:inv");
}

TEST_F(WordEditorTest, CancelEscapeAndCloseBoxLeaveTheDocument) {
  open_dictionary({u"walk/S\npo:verb"}, kAff, 0);
  for (int way = 0; way < 3; ++way) {
    wait_rows(2, "first rows");
    gui_test::replace_text(WORD_FIELD, u"run/D");
    gui_test::replace_text(TAGS_FIELD, u"po:verb x");
    wait_rows(2, "run and runed");
    if (way == 0) gui_test::click(CANCEL);
    if (way == 1) gui_test::press_key(WINDOW, KEY_ESCAPE);
    if (way == 2) gui_test::close_window(WINDOW);
    edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
    gui_test::finish();
    EXPECT_FALSE(window_exists(WINDOW)) << way;
    EXPECT_EQ(doc().entries()[0], u"walk/S\npo:verb") << way;
    EXPECT_FALSE(doc().changed()) << way;
    EXPECT_FALSE(doc().can_undo()) << way;
  }
}

// Opening rebuilds the decode cache and the main status bar reports it; a
// second opening on the same .aff text leaves the bar as it was.
TEST_F(WordEditorTest, CacheRebuildShowsInTheStatusBar) {
  open_dictionary({u"walk/S"}, kAff, 0);
  status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Ready.");
  gui_test::wait_window(WINDOW);
  gui_test::run([] {
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT).substr(0, 5), u"OK. \u231A");
  }, "rebuild reported");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Ready.");
  gui_test::wait_window(WINDOW);
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Ready.");
  // The tools' rebuild reads the .aff editor too.
  gadget_set_text(AFF_EDITOR, u"PFX P Y 1\nPFX P 0 un .\n");
  EXPECT_EQ(dictionary().decode_cache().aff_prefix_set_count, 1);
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT).substr(0, 5), u"OK. \u231A");
}

TEST_F(WordEditorTest, AddStoresNoLineFeedForEmptyTags) {
  open_dictionary({u"apple"}, kAff, 0);
  gui_test::wait_window(WINDOW);
  gui_test::run([] { EXPECT_EQ(window_get_title(WINDOW), u"Add a word"); }, "title");
  gui_test::type_text(WORD_FIELD, u"run/S");
  wait_rows(2, "run and runs");
  gui_test::click(OK);
  edit_dictionary_word(dictionary(), entry_edit::add, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  ASSERT_EQ(doc().count(), 2);
  EXPECT_EQ(doc().entries()[1], u"run/S");
  EXPECT_EQ(doc().selected(), 0);
  EXPECT_TRUE(doc().changed());
  ASSERT_TRUE(doc().undo());
  EXPECT_EQ(doc().count(), 1);
}

TEST_F(WordEditorTest, RefusedOkKeepsTheWindowAndFocusesTheField) {
  open_dictionary({u"walk/S\npo:verb"}, kAff, 0);
  wait_rows(2, "first rows");
  gui_test::replace_text(WORD_FIELD, u"walk/S/");  // a separator without flags
  gui_test::wait_until([] { return gadget_get_color(WORD_FIELD, COLOR_BACKGROUND) == WORD_EDITOR_RED; },
                       "red field");
  gui_test::click(OK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_until([] { return gadget_get_focus() == WORD_FIELD; }, "focus on the word");
  gui_test::replace_text(WORD_FIELD, u"walk");
  gui_test::replace_text(TAGS_FIELD, u" po:verb");
  gui_test::click(OK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_until([] { return gadget_get_focus() == TAGS_FIELD; }, "focus on the tags");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::requesters()[0].text, u"Invalid dictionary word.");
  EXPECT_EQ(gui_test::requesters()[0].title, u"Warning!");
  EXPECT_EQ(gui_test::requesters()[1].text, u"Tags incorrect (spaces).");
  EXPECT_EQ(doc().entries()[0], u"walk/S\npo:verb");
}

TEST_F(WordEditorTest, PastedLineBreaksAreRemoved) {
  open_dictionary({u"walk/S"}, kAff, 0);
  wait_rows(2, "first rows");
  // Text put in as a paste would (a TAB cannot be typed into the field).
  gui_test::run([] {
    gadget_set_text(WORD_FIELD, u"wa\tlk/S\r\n");
    gadget_set_text(TAGS_FIELD, u"po:verb\nst:walk");
  }, "paste");
  gui_test::wait_gadget_text(WORD_FIELD, u"walk/S");
  gui_test::wait_gadget_text(TAGS_FIELD, u"po:verbst:walk");
  gui_test::click(OK);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(doc().entries()[0], u"walk/S\npo:verbst:walk");
}

TEST_F(WordEditorTest, FlagOnlyWordIsAmberAndNotExpanded) {
  open_dictionary({u"walk/S"}, kAff, 0);
  wait_rows(2, "first rows");
  gui_test::replace_text(WORD_FIELD, u"/SD");
  wait_rows(0, "no derived words");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_color(WORD_FIELD, COLOR_BACKGROUND), WORD_EDITOR_AMBER);
    EXPECT_EQ(word_editor_indicator_image(TABOO_IMAGE), 96);
    EXPECT_EQ(gadget_get_color(TABOO_LABEL, COLOR_TEXT), WORD_EDITOR_AMBER);
  }, "amber");
  gui_test::click(OK);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(doc().entries()[0], u"/SD");
}

TEST_F(WordEditorTest, OkDuringAnExpansionStopsItAndValidates) {
  open_dictionary({u"w/A"}, big_aff(), 0);
  // OK while the first expansion runs: it stops, then the (unchanged,
  // valid) fields are written.
  gui_test::wait_until([] { return gadget_get_disabled(REFRESH) == 1 && word_editor_rows.rows.size() > 10; },
                       "expansion running");
  gui_test::click(OK);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_FALSE(window_exists(WINDOW));
  EXPECT_TRUE(word_editor_report.stopped);
  EXPECT_EQ(doc().entries()[0], u"w/A");
  EXPECT_FALSE(doc().can_undo());
}

TEST_F(WordEditorTest, RefusedOkDuringAnExpansionComputesTheWordsAgain) {
  open_dictionary({u"w/A"}, big_aff(), 0);
  const int all = 1 + 200 + 200 * 200;
  wait_rows(all, "every row of w/A");
  gui_test::replace_text(WORD_FIELD, u"w/A ");
  gui_test::wait_until([] { return gadget_get_disabled(REFRESH) == 1 && word_editor_rows.rows.size() > 10; },
                       "expansion running");
  gui_test::click(OK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  wait_rows(all, "every row again");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Invalid spaces in dictionary word.");
  EXPECT_EQ(doc().entries()[0], u"w/A");
}

TEST_F(WordEditorTest, TypingDuringAnExpansionAbandonsIt) {
  open_dictionary({u"w/A"}, big_aff(), 0);
  gui_test::wait_until([] { return gadget_get_disabled(REFRESH) == 1 && word_editor_rows.rows.size() > 10; },
                       "expansion running");
  // Q names no set: the list of the new text is the same rows, and the
  // unknown-flags field shows Q.
  gui_test::replace_text(WORD_FIELD, u"w/AQ");
  gui_test::wait_until([] { return gadget_get_text(UNKNOWN_FLAGS) == u"Q"; }, "rows of w/AQ");
  gui_test::run([] {
    EXPECT_EQ(gadget_count_items(DERIVED_LIST), 1 + 200 + 200 * 200);
    EXPECT_EQ(gadget_get_color(UNKNOWN_FLAGS, COLOR_BACKGROUND), WORD_EDITOR_RED);
  }, "complete rows");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(doc().entries()[0], u"w/A");
}

TEST_F(WordEditorTest, DisplayPutsTheCursorOnTheRuleSet) {
  open_dictionary({u"walk/S"}, kAff, 0);
  wait_rows(2, "first rows");
  gui_test::run([] { EXPECT_TRUE(gadget_get_disabled(DISPLAY)); }, "Display off without a row");
  gui_test::select_row(DERIVED_LIST, 1);
  gui_test::click(DISPLAY);
  gui_test::run([] {
    // The emoji before the header takes two units but one GTK character.
    int64_t at = gadget_get_cursor_position(AFF_VIEW);
    EXPECT_EQ(at, word_editor_rows.rows[1].flag_position - 1);
    EXPECT_EQ(gadget_get_text(AFF_VIEW).substr(static_cast<size_t>(at), 9), u"SFX S Y 1");
  }, "cursor at the header");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
}

TEST_F(WordEditorTest, PopupRemovesTheRowsFlagFromTheWord) {
  open_dictionary({u"walk/SD"}, kAff, 0);
  wait_rows(3, "walk, walks, walked");
  gui_test::select_row(DERIVED_LIST, 0);
  gui_test::right_click_row(DERIVED_LIST, 0);
  gui_test::choose_menu_item(REMOVE_FLAG);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::select_row(DERIVED_LIST, 1);
  gui_test::right_click_row(DERIVED_LIST, 1);
  gui_test::choose_menu_item(REMOVE_FLAG);
  gui_test::wait_gadget_text(WORD_FIELD, u"walk/D");
  wait_rows(2, "walk and walked");
  gui_test::select_row(DERIVED_LIST, 1);
  gui_test::right_click_row(DERIVED_LIST, 1);
  gui_test::choose_menu_item(COPY_WORD_AND_RULE);
  gui_test::run([] { EXPECT_EQ(clipboard_get_text(), u"\"walked\",\"walk\",\"Suffix\",\"D\",\"1: 0 ed [^e]\""); },
                "clipboard");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(gui_test::requesters().at(0).text, u"Primary word doesn't have a flag.");
  EXPECT_EQ(doc().entries()[0], u"walk/SD");
}

TEST_F(WordEditorTest, MatchSortAndRemember) {
  open_dictionary({u"walk/SD"}, kAff, 0);
  wait_rows(3, "walk, walks, walked");
  gui_test::type_text(MATCH_FIELD, u"walke");
  gui_test::click(MATCH);
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(MATCH_COUNT), u"(1)");
    EXPECT_EQ(gadget_get_item_color(DERIVED_LIST, 2, COLOR_TEXT, 0), WORD_EDITOR_RED);
    EXPECT_EQ(gadget_get_item_color(DERIVED_LIST, 1, COLOR_TEXT, 0), WORD_EDITOR_BLACK);
  }, "match");
  // Flag + rule: D before S.
  gui_test::click(SORT_FIRST_RADIO + 2);
  gui_test::click(SORT);
  gui_test::run([this] {
    EXPECT_EQ(ws_.derived_words.sort_mode, 3);
    EXPECT_EQ(gadget_get_state(SORT_FIRST_RADIO), 0);
    EXPECT_EQ(gadget_get_item_text(DERIVED_LIST, 1, 0), u"walked");
  }, "sorted");
  gui_test::click(REMEMBER);
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(shell_test::read_file(folder_ + "settings/derivates_sort.prefs"), std::string("41\n\x03\x00\x00\x00", 7));
  ws_.derived_words.sort_mode = 1;
}

TEST_F(WordEditorTest, F1OpensTheManualAtTheEditorsSection) {
  shell_test::recording_opener opener(folder_);
  shell_test::write_file(folder_ + "Vocabrix_manual_V40.html", "<html></html>");
  open_dictionary({u"walk/S"}, kAff, 0);
  wait_rows(2, "first rows");
  gui_test::press_key(WINDOW, KEY_F1);
  opener.wait_for_lines(1);
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_NE(opener.opened().find("Vocabrix_manual_V40.html" + to_utf8(word_editor_manual_anchor)), std::string::npos)
      << opener.opened();
}

TEST_F(WordEditorTest, EditRefusesAnEmptyDictionaryOrNoSelection) {
  open_dictionary({}, kAff, -1);
  gui_test::answer_message_box(MB_ANSWER_OK);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No dictionary words found.");
  doc().replace_all({u"walk"}, u"");
  gui_test::answer_message_box(MB_ANSWER_OK);
  edit_dictionary_word(dictionary(), entry_edit::edit, ws_.derived_words, ws_.prefs, ws_.aff_aid);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No dictionary word selected.");
  EXPECT_FALSE(window_exists(WINDOW));
}

}  // namespace
