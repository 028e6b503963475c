// The Hyphenation tab in the real main window: the pattern file opened,
// edited and saved, word forms of a dictionary entry hyphenated, and the
// questions that guard unsaved or saved patterns.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"

#include "affix/expansion_output.h"
#include "dictionary/dictionary_files_ui.h"
#include "dictionary/word_editor_window.h"
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_tab_ui.h"
#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/command_registry.h"
#include "kit/ids.h"
#include "kit/recent_files_ui.h"

#include <filesystem>
#include <string>

using shell_test::DictionaryListTest;
using shell_test::read_file;
using shell_test::settle;
using shell_test::write_file;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const char16_t kExampleRules[] = u"UTF-8\nLEFTHYPHENMIN 2\nRIGHTHYPHENMIN 2\n% comment\nn1n\n1na\n.un1\n";

class HyphenationTabTest : public DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    ws_.hyphenation = hyphenation_document_record();
    register_hyphenation_commands(ws_.hyphenation, ws_.dictionary, ws_.commands.kinds.hyphenation, ws_.prefs);
    register_dictionary_file_commands(ws_.dictionary, ws_.commands.kinds.dictionary, ws_.prefs);
    gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\n");
    gadget_clear_items(HYPHENATION_RESULTS);
  }
  void TearDown() override {
    ws_.hyphenation = hyphenation_document_record();
    DictionaryListTest::TearDown();
  }
  std::string file(const std::string& name, const std::string& bytes) {
    write_file(folder_ + name, bytes);
    return folder_ + name;
  }
  void load_words(const std::string& dic) {
    write_file(folder_ + "en.aff", kBom + "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
    write_file(folder_ + "en.dic", dic);
    load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(folder_ + "en.dic"));
  }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
  static text_t cell(int row, int column) { return gadget_get_item_text(HYPHENATION_RESULTS, row, column); }
  static void expect_rows(const std::vector<std::vector<text_t>>& rows) {
    ASSERT_EQ(gadget_count_items(HYPHENATION_RESULTS), static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r) {
      for (int c = 0; c < 3; ++c) EXPECT_EQ(cell(static_cast<int>(r), c), rows[r][static_cast<size_t>(c)]) << r;
    }
  }
};

// Open, edit and save through the menu, the editor's events and the main loop.
TEST_F(HyphenationTabTest, OpenEditAndSaveThroughTheMainLoop) {
  const std::string path = file("hyph_xx.dic", kBom + "UTF-8\r\nLEFTHYPHENMIN 2\r\nn1n\r\n");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_HYPHENATION);
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(from_utf8(path));
  settle();
  gui_test::run([&] {
    EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\nLEFTHYPHENMIN 2\nn1n\n");
    EXPECT_EQ(status().substr(0, 9), u"OK. (dic:");
    EXPECT_NE(status().find(u" \u231a"), text_t::npos);
    EXPECT_EQ(gadget_get_text(HYPHENATION_FILE_LABEL), u"hyph_xx.dic");
    EXPECT_EQ(recent_file_of_tab(running_kinds().hyphenation, 1), from_utf8(path));
    EXPECT_FALSE(ws_.hyphenation.changed);
  }, "loaded");
  gui_test::focus(HYPHENATION_EDITOR);
  gui_test::run([] { gadget_set_cursor_position(HYPHENATION_EDITOR, INT64_MAX); }, "cursor to the end");
  gui_test::type_text(HYPHENATION_EDITOR, u"1na\n");
  settle();
  gui_test::run([this] {
    EXPECT_TRUE(ws_.hyphenation.changed);
    EXPECT_EQ(gadget_get_text(HYPHENATION_CHANGED_MARK), u"\u25cf");
  }, "changed");
  // Typing a flag-only entry into the word field shows it in orange.
  gui_test::type_text(HYPHENATION_WORD_FIELD, u"/S");
  settle();
  gui_test::run([] { EXPECT_EQ(gadget_get_color(HYPHENATION_WORD_FIELD, COLOR_TEXT), 969215); }, "orange");
  gui_test::choose_menu_item(MENU_SAVE);
  settle();
  gui_test::run([this] {
    EXPECT_FALSE(ws_.hyphenation.changed);
    EXPECT_EQ(gadget_get_text(HYPHENATION_CHANGED_MARK), u"");
    EXPECT_EQ(status().substr(0, 9), u"OK. (dic:");
  }, "saved");
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), 1u) << "saving to the open file asks nothing";
  EXPECT_EQ(gui_test::requesters()[0].title, u"Open Hyphenation");
  ASSERT_EQ(gui_test::requesters()[0].filter_names.size(), 1u);
  EXPECT_EQ(gui_test::requesters()[0].filter_names[0], u"Hyphenation (*.dic)");
  EXPECT_EQ(read_file(path), "UTF-8\nLEFTHYPHENMIN 2\nn1n\n1na\n");
}

TEST_F(HyphenationTabTest, HyphenateAndUpdateShowEveryWordForm) {
  load_words("2\ndinner/S\nsun/S\n");
  gadget_set_text(HYPHENATION_EDITOR, kExampleRules);
  gadget_set_text(HYPHENATION_WORD_FIELD, u"dinner/S");
  hyphenate_entered_word(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  expect_rows({{u"din-ner", u"", u"din1ner"}, {u"din-ners", u"S", u"din1ners"}});
  EXPECT_EQ(gadget_get_item_color(HYPHENATION_RESULTS, 1, COLOR_TEXT, 1), colour_of(preferred_row_type_colours(ws_.prefs.applied), derived_row_type::suffix));
  EXPECT_EQ(gadget_get_text(HYPHENATION_COUNT_LABEL), u"# Hyphenations:2");
  EXPECT_EQ(ws_.hyphenation.last_hyphenated_word, u"dinner/S");
  EXPECT_EQ(status(), u"OK.");

  gadget_set_text(HYPHENATION_WORD_FIELD, u"sun/S");
  hyphenate_entered_word(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  expect_rows({{u"sun", u"", u"No matches"}, {u"suns", u"S", u"No matches"}});
  EXPECT_EQ(gadget_get_item_color(HYPHENATION_RESULTS, 0, COLOR_TEXT, 2), COLOUR_RED);

  // Update takes the last hyphenated word, not the field, with the new rules.
  gadget_set_text(HYPHENATION_WORD_FIELD, u"other");
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\ns1u\n");
  update_hyphenation(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  expect_rows({{u"s-un", u"", u"s1un"}, {u"s-uns", u"S", u"s1uns"}});

  // Refused rules leave the word forms unhyphenated.
  gadget_set_text(HYPHENATION_EDITOR, u"utf-8\ns1u\n");
  gui_test::answer_message_box(MB_ANSWER_OK);
  update_hyphenation(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Hyphenation rules must start with \"UTF-8\".");
  EXPECT_EQ(gui_test::last_requester().flags, MB_ICON_WARNING);
  expect_rows({{u"sun", u"", u""}, {u"suns", u"S", u""}});
}

TEST_F(HyphenationTabTest, RefusedWordsAndTheFlagOnlyField) {
  struct refusal {
    const char16_t* field;
    void (*press)(hyphenation_document_record&, dictionary_document&, const preferences&);
    const char16_t* message;
  };
  const refusal cases[] = {{u"", hyphenate_entered_word, u"No word selected."},
                           {u" abc", hyphenate_entered_word, u"No word selected."},
                           {u"/abc", hyphenate_entered_word, u"No word selected."},
                           {u"abc", update_hyphenation, u"No last hyphenated word."}};
  for (const refusal& c : cases) {
    gadget_set_text(HYPHENATION_WORD_FIELD, c.field);
    gui_test::answer_message_box(MB_ANSWER_OK);
    c.press(ws_.hyphenation, ws_.dictionary, ws_.prefs);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
    EXPECT_EQ(gui_test::last_requester().text, c.message);
  }
  EXPECT_EQ(gadget_count_items(HYPHENATION_RESULTS), 0);
  gadget_set_text(HYPHENATION_WORD_FIELD, u"/abc");
  highlight_hyphenation_word_field();
  EXPECT_EQ(gadget_get_color(HYPHENATION_WORD_FIELD, COLOR_TEXT), 969215);
  gadget_set_text(HYPHENATION_WORD_FIELD, u"abc");
  highlight_hyphenation_word_field();
  EXPECT_EQ(gadget_get_color(HYPHENATION_WORD_FIELD, COLOR_TEXT), 0);
}

TEST_F(HyphenationTabTest, CopyItemsOfTheResultsList) {
  auto copy = [](int item) {
    const command_event e{.type = EVENT_MENU, .id = item, .owner = HYPHENATION_RESULTS};
    run_command(command_kind::popup_item, item, e);
  };
  gui_test::answer_message_box(MB_ANSWER_OK);
  copy(POPUP_COPY_WORD_AND_RULE);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No words found.");

  gadget_set_text(HYPHENATION_EDITOR, kExampleRules);
  gadget_set_text(HYPHENATION_WORD_FIELD, u"dinner");
  hyphenate_entered_word(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  gui_test::answer_message_box(MB_ANSWER_OK);
  copy(POPUP_COPY_WORD_AND_RULE);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No word selected.");

  gadget_set_state(HYPHENATION_RESULTS, 0);
  copy(POPUP_COPY_WORD_AND_RULE);
  EXPECT_EQ(clipboard_get_text(), u"din-ner\u2192din1ner");
  copy(POPUP_COPY_RULE);
  EXPECT_EQ(clipboard_get_text(), u"din1ner");
  copy(POPUP_COPY_WORD);
  EXPECT_EQ(clipboard_get_text(), u"din-ner");
}

TEST_F(HyphenationTabTest, ClearAsksOnlyForChangesAndKeepsThePath) {
  const std::string path = file("h.dic", kBom + "UTF-8\nn1n\n");
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(path));
  gadget_set_text(HYPHENATION_WORD_FIELD, u"dinner");
  hyphenate_entered_word(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  ws_.hyphenation.changed = true;
  // A box closed without an answer keeps the unsaved patterns.
  for (int answer : {MB_ANSWER_NO, MB_ANSWER_CLOSED}) {
    gui_test::answer_message_box(answer);
    clear_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().text, u"The Hyphenation has been changed.\n\nContinue?");
    EXPECT_EQ(gui_test::last_requester().flags, MB_YES_NO | MB_ICON_INFORMATION);
    EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\nn1n\n");
    EXPECT_TRUE(ws_.hyphenation.changed);
  }
  gui_test::answer_message_box(MB_ANSWER_YES);
  clear_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation);
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\n");
  EXPECT_EQ(gadget_count_items(HYPHENATION_RESULTS), 0);
  EXPECT_EQ(gadget_get_text(HYPHENATION_COUNT_LABEL), u"# Hyphenations:0");
  EXPECT_FALSE(ws_.hyphenation.changed);
  EXPECT_EQ(ws_.hyphenation.path, from_utf8(path));
  EXPECT_EQ(gadget_get_text(HYPHENATION_FILE_LABEL), u"h.dic");
  const size_t asked = gui_test::requesters().size();
  clear_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation);  // unchanged: no question
  EXPECT_EQ(gui_test::requesters().size(), asked);

  // Saving only "UTF-8" over a file with patterns asks first; only Yes writes.
  for (int answer : {MB_ANSWER_NO, MB_ANSWER_CLOSED}) {
    gui_test::answer_message_box(answer);
    save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 1, 0);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().text,
              u"The text holds no patterns, but the file has some:\n" + from_utf8(path) +
                  u"\n\nReplace the file with the text anyway?");
    EXPECT_EQ(status(), u"Aborted.");
    EXPECT_EQ(read_file(path), kBom + "UTF-8\nn1n\n");
  }
  gui_test::answer_message_box(MB_ANSWER_YES);
  save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 1, 0);
  gui_test::finish();
  EXPECT_EQ(read_file(path), "UTF-8\n");
  // The file has no patterns now: saving again asks nothing.
  save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 1, 0);
  EXPECT_EQ(status().substr(0, 9), u"OK. (dic:");
}

TEST_F(HyphenationTabTest, SaveAsNamesAndAFailedSaveKeepsEverything) {
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\r\na1b\n");
  ws_.hyphenation.changed = true;
  const struct {
    const char* chosen;
    const char* written;
  } names[] = {{"plain", "plain.dic"}, {"UPPER.DIC", "UPPER.DIC"}};
  for (const auto& n : names) {
    gui_test::answer_file_dialog(from_utf8(folder_ + n.chosen));
    save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 0, 1);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().title, u"Save Hyphenation");
    EXPECT_EQ(read_file(folder_ + n.written), "UTF-8\na1b\n") << n.chosen;
    EXPECT_EQ(ws_.hyphenation.path, from_utf8(folder_ + n.written));
  }
  // An existing file is replaced only after Yes.
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\nc1d\n");
  ws_.hyphenation.changed = true;
  gui_test::answer_file_dialog(from_utf8(folder_ + "plain.dic"));
  gui_test::answer_message_box(MB_ANSWER_NO);
  save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 0, 1);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"File already exists! Overwrite it?");
  EXPECT_EQ(read_file(folder_ + "plain.dic"), "UTF-8\na1b\n");
  EXPECT_TRUE(ws_.hyphenation.changed);

  // A target that cannot be written: an error naming it, the old path and
  // the changed flag stay.
  std::filesystem::create_directories(folder_ + "folder.dic");
  const text_t before = ws_.hyphenation.path;
  gui_test::answer_file_dialog(from_utf8(folder_ + "folder.dic"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 0, 1);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Error!");
  EXPECT_NE(gui_test::last_requester().text.find(from_utf8(folder_ + "folder.dic")), text_t::npos);
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_TRUE(ws_.hyphenation.changed);
  EXPECT_EQ(ws_.hyphenation.path, before);

  gadget_set_text(HYPHENATION_EDITOR, u"");
  gui_test::answer_message_box(MB_ANSWER_OK);
  save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 1, 0);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"The .DIC file is empty.");
  EXPECT_EQ(status(), u"Aborted.");
}

TEST_F(HyphenationTabTest, LoadQuestions) {
  const std::string latin = file("de.dic", "ISO8859-1\n\xE4" "1b\n");
  const std::string lower = file("lower.dic", "utf-8\na1b\n");
  gadget_set_text(HYPHENATION_EDITOR, u"UTF-8\nkept\n");
  gui_test::answer_message_box(MB_ANSWER_NO);
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(latin));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text,
            u"Hyphenation is not in \"UTF-8-BOM\" format:\nISO8859-1\n\nIt will be read as ISO8859-1."
            u"\nIts first line will read \"UTF-8\", the encoding it is saved in.\n\nIt may lead to "
            u"corrupt results.\nContinue?");
  EXPECT_EQ(gui_test::last_requester().flags, MB_YES_NO | MB_ICON_WARNING);
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\nkept\n");
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(latin));
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\n\u00E41b\n");
  EXPECT_FALSE(ws_.hyphenation.changed) << "the file is kept as it is until a save";

  // A lower-case "utf-8" line loads without a question.
  const size_t asked = gui_test::requesters().size();
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(lower));
  EXPECT_EQ(gui_test::requesters().size(), asked);
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"utf-8\na1b\n");

  // Unsaved changes: only Yes loads; a missing file is named.
  ws_.hyphenation.changed = true;
  gui_test::answer_message_box(MB_ANSWER_CLOSED);
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(latin));
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"utf-8\na1b\n");
  ws_.hyphenation.changed = false;
  gui_test::answer_message_box(MB_ANSWER_OK);
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(folder_ + "missing.dic"));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Error!");
  EXPECT_EQ(gui_test::last_requester().text, u".DIC file not found.");
  EXPECT_EQ(status(), u"File not found.");
}

// A pattern file read one byte per character hyphenates at once, accented
// patterns included; a text whose first line names another encoding is
// saved with "UTF-8" there, and the user is told.
TEST_F(HyphenationTabTest, OneBytePerCharacterFileHyphenatesAtOnceAndSavesAsUtf8) {
  load_words("1\nSchl\xC3\xBCssel\n");
  const std::string latin = file("de.dic", "ISO8859-1\n\xFC" "1s\n");
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(latin));
  gui_test::finish();
  gadget_set_text(HYPHENATION_WORD_FIELD, u"Schl\u00FCssel");
  const size_t asked = gui_test::requesters().size();
  hyphenate_entered_word(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  EXPECT_EQ(gui_test::requesters().size(), asked) << "no hand edit of the first line";
  expect_rows({{u"Schl\u00FC-ssel", u"", u"Schl\u00FC1ssel"}});

  // A text that still names ISO8859-1 (as typed or pasted).
  gadget_set_text(HYPHENATION_EDITOR, u"ISO8859-1\n\u00FC1s\n");
  ws_.hyphenation.changed = true;
  gui_test::answer_message_box(MB_ANSWER_OK);
  save_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, 1, 0);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Information!");
  EXPECT_EQ(gui_test::last_requester().text,
            u"The first line named the encoding \"ISO8859-1\".\nThe file is written in UTF-8, and the hyphenation "
            u"library reads its first line as the name of its encoding.\n\nThe first line now reads \"UTF-8\".");
  EXPECT_EQ(read_file(latin), "UTF-8\n\xC3\xBC" "1s\n");
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\n\u00FC1s\n") << "the editor shows what the file holds";
  EXPECT_FALSE(ws_.hyphenation.changed);
  EXPECT_EQ(status().substr(0, 9), u"OK. (dic:");
}

// A Russian pattern file (KOI8-R) hyphenates Cyrillic words right after
// loading, and its first line then names UTF-8; an undecodable charset is
// refused by name and the editor keeps its text.
TEST_F(HyphenationTabTest, DeclaredCharsetFileHyphenatesAtOnce) {
  load_words("1\n\xD0\xBA\xD0\xBE\xD1\x88\xD0\xBA\xD0\xB0\n");  // кошка
  // "ш1к": a break between ш and к.
  const std::string russian = file("ru.dic", "KOI8-R\nLEFTHYPHENMIN 1\n\xDB" "1\xCB\n");
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(russian));
  gui_test::finish();
  EXPECT_NE(gui_test::last_requester().text.find(u"It will be read as KOI8-R."), text_t::npos);
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\nLEFTHYPHENMIN 1\n\u04481\u043A\n");
  gadget_set_text(HYPHENATION_WORD_FIELD, u"\u043A\u043E\u0448\u043A\u0430");
  const size_t asked = gui_test::requesters().size();
  hyphenate_entered_word(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  EXPECT_EQ(gui_test::requesters().size(), asked) << "no hand edit of the first line";
  expect_rows({{u"\u043A\u043E\u0448-\u043A\u0430", u"", u"\u043A\u043E\u04481\u043A\u0430"}});

  const std::string unknown = file("mr.dic", "ISCII-DEVANAGARI\n\xA4" "1\xB3\n");
  gui_test::answer_message_box(MB_ANSWER_OK);
  load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, from_utf8(unknown));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Error!");
  EXPECT_NE(gui_test::last_requester().text.find(u"declares the charset \"ISCII-DEVANAGARI\""), text_t::npos);
  EXPECT_EQ(gadget_get_text(HYPHENATION_EDITOR), u"UTF-8\nLEFTHYPHENMIN 1\n\u04481\u043A\n");
  EXPECT_EQ(ws_.hyphenation.path, from_utf8(russian));
}

// Escape while the pattern table is built, held there through the engine's
// seam: Yes stops the build, the word forms stay unhyphenated, and the next
// Hyphenate builds the table anew.
TEST_F(HyphenationTabTest, EscapeStopsTheTableBuild) {
  load_words("1\ndinner/S\n");
  gadget_set_text(HYPHENATION_EDITOR, kExampleRules);
  gadget_set_text(HYPHENATION_WORD_FIELD, u"dinner/S");
  bool held = false;
  set_hyphenation_build_hold([&held] {
    held = true;
    return gui_test::steps_left() > 0;
  });
  gui_test::wait_until([&held] { return held; }, "the build is held");
  gui_test::press_key(MAIN_WINDOW, KEY_ESCAPE);
  gui_test::answer_message_box(MB_ANSWER_YES);  // "Really abort?"
  hyphenate_entered_word(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  gui_test::finish();
  set_hyphenation_build_hold({});
  EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(status_bar_get_progress(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS), 0);
  expect_rows({{u"dinner", u"", u""}, {u"dinners", u"S", u""}});

  update_hyphenation(ws_.hyphenation, ws_.dictionary, ws_.prefs);
  expect_rows({{u"din-ner", u"", u"din1ner"}, {u"din-ners", u"S", u"din1ners"}});
  EXPECT_EQ(status(), u"OK.");
}

}  // namespace
