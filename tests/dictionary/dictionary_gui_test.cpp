// Opening, editing and saving a dictionary through the main window, with
// the file requesters and message boxes answered by the driver.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"
#include "tests/test_support/held_job.h"

#include "common/file.h"
#include "dictionary/dic_file.h"
#include "dictionary/dictionary_commands_ui.h"
#include "dictionary/dictionary_files_ui.h"
#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"

#include <string>
#include <vector>

using shell_test::read_file;
using shell_test::settle;
using shell_test::DictionaryListTest;
using shell_test::write_file;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kAff = kBom + "SET UTF-8\r\nSFX S Y 1\r\nSFX S 0 s .\r\n";

// 30 words: word0 .. word29; word3 has tags, word4 a second TAB.
std::string thirty_words() {
  std::string dic = "30\n";
  for (int i = 0; i < 30; ++i) {
    dic += "word" + std::to_string(i) + "/S";
    if (i == 3) dic += "\tpo:noun";
    if (i == 4) dic += "\tpo:verb\tis:x";
    dic += "\n";
  }
  return dic;
}

class DictionaryFilesTest : public DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    register_dictionary_file_commands(ws_.dictionary, ws_.commands.kinds.dictionary, ws_.prefs);
    register_dictionary_list_commands(ws_.commands.kinds.dictionary);
  }
  std::string pair(const std::string& name, const std::string& dic, const std::string& aff = kAff) {
    write_file(folder_ + name + ".aff", aff);
    write_file(folder_ + name + ".dic", dic);
    return folder_ + name + ".dic";
  }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
};

// The road of one request: File > Open, page, tick, Delete Selected, Undo,
// Redo, Save; the written pair is compared byte by byte.
TEST_F(DictionaryFilesTest, OpenPageTickDeleteUndoRedoSave) {
  const std::string path = pair("en", thirty_words());
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(from_utf8(path));
  settle();
  gui_test::run([&] {
    EXPECT_EQ(doc().count(), 30);
    EXPECT_EQ(doc().entry(3), u"word3/S\npo:noun");
    EXPECT_EQ(doc().entry(4), u"word4/S\npo:verb\tis:x");
    EXPECT_FALSE(doc().changed());
    EXPECT_EQ(doc().path(), from_utf8(path));
    EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
    EXPECT_EQ(status().substr(0, 9), u"OK. (aff:");
    EXPECT_NE(status().find(u")+(dic:"), text_t::npos);
    EXPECT_NE(status().find(u" \u231a"), text_t::npos);
    EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"# Words:30");
    EXPECT_EQ(gadget_get_text(DICTIONARY_FILE_LABEL), u"en.dic");
    EXPECT_EQ(recent_file_of_tab(running_kinds().dictionary, 1), from_utf8(path));
    EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 29);
    EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 13);
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 3, 2), u"po:noun");
  }, "loaded");
  // Page down and tick two words of the second page.
  gui_test::focus(DICTIONARY_LIST);
  gui_test::press_key(MAIN_WINDOW, KEY_PAGE_DOWN);
  gui_test::toggle_row_check(DICTIONARY_LIST, 0);
  gui_test::toggle_row_check(DICTIONARY_LIST, 2);
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().first_row(), 13);
    EXPECT_TRUE(doc().is_checked(13));
    EXPECT_TRUE(doc().is_checked(15));
    EXPECT_EQ(gadget_get_text(DICTIONARY_SELECTED_LABEL), u"Selected:2");
  }, "ticked");
  gui_test::right_click_row(DICTIONARY_LIST, 1);
  gui_test::choose_menu_item(POPUP_DELETE_SELECTED);
  gui_test::answer_message_box(MB_ANSWER_YES);
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().count(), 28);
    EXPECT_EQ(doc().entry(13), u"word14/S");
    EXPECT_TRUE(doc().changed());
    EXPECT_EQ(doc().checked_count(), 0);
    EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 27);
    EXPECT_EQ(gadget_get_attribute(HYPHENATION_SCROLL, ATTR_MAXIMUM), 27);
    EXPECT_EQ(gadget_get_text(DICTIONARY_CHANGED_MARK), u"\u25cf");
  }, "deleted");
  gui_test::click(DICTIONARY_UNDO);
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().count(), 30);
    EXPECT_TRUE(doc().is_checked(13));
    EXPECT_EQ(doc().checked_count(), 2);
    EXPECT_EQ(gadget_get_state(DICTIONARY_SCROLL), 13);
  }, "undone");
  gui_test::click(DICTIONARY_REDO);
  settle();
  gui_test::run([] { EXPECT_EQ(doc().count(), 28); }, "redone");
  gui_test::choose_menu_item(MENU_SAVE);
  settle();
  gui_test::run([] {
    EXPECT_FALSE(doc().changed());
    EXPECT_EQ(status().substr(0, 9), u"OK. (aff:");
    EXPECT_EQ(gadget_get_text(DICTIONARY_CHANGED_MARK), u"");
  }, "saved");
  run_loop();

  ASSERT_EQ(gui_test::requesters().size(), 2u);  // Save asks nothing
  EXPECT_EQ(gui_test::requesters()[0].title, u"Open Dictionary");
  ASSERT_EQ(gui_test::requesters()[0].filter_names.size(), 1u);
  EXPECT_EQ(gui_test::requesters()[0].filter_names[0], u"Dictionary (*.dic)");
  EXPECT_EQ(gui_test::requesters()[1].text, u"Really delete 2 dictionary words?");
  EXPECT_EQ(gui_test::requesters()[1].flags, MB_YES_NO | MB_ICON_WARNING);

  std::string want = kBom + "28\n";
  for (int i = 0; i < 30; ++i) {
    if (i == 13 || i == 15) continue;
    want += "word" + std::to_string(i) + "/S";
    if (i == 3) want += "\tpo:noun";
    if (i == 4) want += "\tpo:verb\tis:x";
    want += "\n";
  }
  EXPECT_EQ(read_file(path), want);
  EXPECT_EQ(read_file(folder_ + "en.aff"), kBom + "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
}

TEST_F(DictionaryFilesTest, EditsOfTheAffTextAreSavedAndMarkTheDictionaryChanged) {
  const std::string path = pair("en", "1\nword\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(path));
  gui_test::focus(AFF_EDITOR);
  gui_test::run([] { gadget_set_cursor_position(AFF_EDITOR, 0); }, "cursor to the start");
  gui_test::type_text(AFF_EDITOR, u"#x");
  settle();
  gui_test::run([] { EXPECT_TRUE(doc().changed()); }, "changed");
  gui_test::run([] { save_dictionary(dictionary(), running_kinds().dictionary, 1, 0); }, "save");
  run_loop();
  EXPECT_FALSE(doc().changed());
  EXPECT_EQ(read_file(folder_ + "en.aff"), kBom + "#xSET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
}

TEST_F(DictionaryFilesTest, MissingFilesAreRefusedAndTheOpenDictionaryStays) {
  const std::string open = pair("open", "2\nkeep\nme\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(open));
  ASSERT_EQ(doc().count(), 2);
  struct refusal {
    const char* what;
    std::string dic_path;
    const char16_t* message;
  };
  write_file(folder_ + "no_aff.dic", "1\nx\n");
  write_file(folder_ + "empty_aff.dic", "1\nx\n");
  write_file(folder_ + "empty_aff.aff", "");
  write_file(folder_ + "no_dic.aff", kAff);
  const refusal cases[] = {
      {"missing .aff", folder_ + "no_aff.dic", u".AFF file Not found."},
      {"empty .aff", folder_ + "empty_aff.dic", u".AFF file Not found."},
      {"missing .dic", folder_ + "no_dic.dic", u".DIC file Not found."},
  };
  for (const refusal& c : cases) {
    SCOPED_TRACE(c.what);
    gui_test::answer_message_box(MB_ANSWER_OK);
    load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(c.dic_path));
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().title, u"Error!");
    EXPECT_EQ(gui_test::last_requester().text, c.message);
    EXPECT_EQ(gui_test::last_requester().flags, MB_ICON_ERROR);
    EXPECT_EQ(status(), u"File not found.");
    EXPECT_EQ(doc().count(), 2);
    EXPECT_EQ(doc().path(), from_utf8(open));
  }
}

TEST_F(DictionaryFilesTest, TheChangedQuestionGoesOnOnlyForYes) {
  const std::string first = pair("first", "1\none\n");
  const std::string second = pair("second", "2\na\nb\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(first));
  doc().mark_changed();
  for (int answer : {MB_ANSWER_NO, MB_ANSWER_CLOSED}) {
    SCOPED_TRACE(answer);
    gui_test::answer_message_box(answer);
    load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(second));
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().text, u"The Dictionary has been changed.\n\nContinue?");
    EXPECT_EQ(gui_test::last_requester().flags, MB_YES_NO | MB_ICON_INFORMATION);
    EXPECT_EQ(status(), u"Aborted.");
    EXPECT_EQ(doc().count(), 1);
    EXPECT_TRUE(doc().changed());
  }
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(second));
  gui_test::finish();
  EXPECT_EQ(doc().count(), 2);
  EXPECT_FALSE(doc().changed());
}

TEST_F(DictionaryFilesTest, AnAffWithoutUtf8MarkIsNamedAndNoKeepsTheOpenDictionary) {
  const std::string open = pair("open", "1\nkept\n");
  const std::string plain = pair("plain", "1\nnew\n", "SET UTF-8\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(open));
  gui_test::answer_message_box(MB_ANSWER_NO);
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(plain));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(doc().entry(0), u"kept");
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(plain));
  gui_test::finish();
  EXPECT_EQ(doc().entry(0), u"new");
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\n");
}

// A .dic that is valid UTF-8 but for a stray byte: the question names the
// line; No keeps the open dictionary, Yes reads it.
TEST_F(DictionaryFilesTest, AStrayByteIsAskedAboutAndNoKeepsTheOpenDictionary) {
  const std::string open = pair("open", "1\nkept\n");
  const std::string stray = pair("stray", "2\n\xC3\xA9t\xC3\xA9\nca\xFF" "fe\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(open));
  gui_test::answer_message_box(MB_ANSWER_NO);
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(stray));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
  EXPECT_EQ(gui_test::last_requester().text, invalid_utf8_question(from_utf8(stray), 3, FORMAT_UTF8));
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(doc().entry(0), u"kept");
  EXPECT_EQ(doc().path(), from_utf8(open));
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(stray));
  gui_test::finish();
  EXPECT_EQ(doc().count(), 2);
  EXPECT_EQ(doc().entry(1), u"ca\uFFFDfe");
}

// A Latin-1 pair saved in UTF-8: the user is told, and the editor shows the
// SET line as saved.
TEST_F(DictionaryFilesTest, SavingALatin1PairSaysItsSetLineNowNamesUtf8) {
  const std::string latin = pair("latin", "1\n\xC4pfel\n", "SET ISO8859-1\nTRY \xE4\n");
  gui_test::answer_message_box(MB_ANSWER_YES);  // the encoding question names the SET line's charset
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(latin));
  gui_test::finish();
  EXPECT_NE(gui_test::last_requester().text.find(u"Encoding detected:ISO8859-1\n"), text_t::npos);
  ASSERT_EQ(doc().entry(0), u"Äpfel");
  gui_test::answer_message_box(MB_ANSWER_OK);
  save_dictionary(dictionary(), running_kinds().dictionary, 1, 0);
  gui_test::finish();
  EXPECT_NE(gui_test::last_requester().text.find(u"\"ISO8859-1\""), text_t::npos);
  EXPECT_EQ(read_file(folder_ + "latin.aff"), kBom + "SET UTF-8\nTRY \xC3\xA4\n");
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\nTRY ä\n");
  EXPECT_EQ(status().rfind(u"OK. ", 0), 0u);
  settle();
  gui_test::run([] { EXPECT_FALSE(doc().changed()); }, "saved, the new SET line included");
  run_loop();
}

// A Polish pair (SET ISO8859-2) opens with its own letters, the question
// naming the charset it is read in; a charset the program cannot decode is
// refused by name and the open dictionary stays.
TEST_F(DictionaryFilesTest, DeclaredCharsetsOpenWithTheirLettersOrAreRefusedByName) {
  const std::string polish = pair("pl", "2\n\xBC" "d\xBC" "b\xB3o\nja\xB6/X\n", "SET ISO8859-2\nTRY \xB1\n");
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(polish));
  gui_test::finish();
  EXPECT_NE(gui_test::last_requester().text.find(u"Encoding detected:ISO8859-2\n"), text_t::npos)
      << to_utf8(gui_test::last_requester().text);
  ASSERT_EQ(doc().count(), 2);
  EXPECT_EQ(doc().entry(0), u"\u017Ad\u017Ab\u0142o");
  EXPECT_EQ(doc().entry(1), u"ja\u015B/X");
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET ISO8859-2\nTRY \u0105\n");

  const std::string marathi = pair("mr", "1\n\xA4\xB3\n", "SET ISCII-DEVANAGARI\n");
  gui_test::answer_message_box(MB_ANSWER_OK);  // the refusal: nothing to ask before it
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(marathi));
  gui_test::finish();
  const auto refusal = gui_test::last_requester();
  EXPECT_EQ(refusal.title, u"Error!");
  EXPECT_NE(refusal.text.find(u"declares the charset \"ISCII-DEVANAGARI\""), text_t::npos) << to_utf8(refusal.text);
  EXPECT_EQ(doc().entry(0), u"\u017Ad\u017Ab\u0142o");
  EXPECT_EQ(doc().path(), from_utf8(polish));
  EXPECT_EQ(status(), u"Aborted.");
}

// UTF-8 bytes under an 8-bit SET line: the question of the two readings,
// answered with the real key. Escape cancels it; the open dictionary stays.
TEST_F(DictionaryFilesTest, EscapeOnTheTwoReadingsQuestionKeepsTheOpenDictionary) {
  const std::string open = pair("open", "1\nkept\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(open));
  const std::string utf8 = pair("utf8", "1\n\xC5\xBC\xC3\xB3\xC5\x82w\n", "SET ISO8859-2\n");
  gui_test::answer_message_box(MB_ANSWER_YES);  // the encoding question
  gui_test::x_message_box_keys({"Escape"});
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(utf8));
  gui_test::finish();
  const auto question = gui_test::last_requester();
  EXPECT_NE(question.text.find(u"but its bytes are valid UTF-8"), text_t::npos) << to_utf8(question.text);
  EXPECT_EQ(doc().path(), from_utf8(open));
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"kept"}));
  EXPECT_EQ(status(), u"Aborted.");
}

// Opening X.aff as the .dic is refused; the open dictionary stays.
TEST_F(DictionaryFilesTest, AnAffOpenedAsTheDicIsRefused) {
  const std::string open = pair("open", "1\nkept\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(open));
  gui_test::answer_message_box(MB_ANSWER_OK);
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(folder_ + "open.aff"));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Error!");
  EXPECT_NE(gui_test::last_requester().text.find(u"same file"), text_t::npos);
  EXPECT_EQ(doc().path(), from_utf8(open));
  EXPECT_EQ(read_file(folder_ + "open.aff"), kAff);
}

TEST_F(DictionaryFilesTest, CancelledRequesterAborts) {
  gui_test::answer_file_dialog(u"");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, u"");
  gui_test::finish();
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(doc().count(), 0);
}

// Escape during the load, confirmed: the previous dictionary, its path,
// changed flag and undo history stay.
TEST_F(DictionaryFilesTest, EscapeDuringLoadKeepsThePreviousDictionary) {
  const std::string open = pair("open", "2\nkeep\nme\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(open));
  doc().save_undo();
  doc().set_entry(0, u"edited");
  doc().mark_changed();
  std::string big = "20000\n";
  for (int i = 0; i < 20000; ++i) big += "w" + std::to_string(i) + "\n";
  const std::string large = pair("large", big);
  gui_test::answer_message_box(MB_ANSWER_YES);  // the changed question
  held_job hold(1000);  // the load waits at its 1000th line for the Escape
  gui_test::press_key(MAIN_WINDOW, KEY_ESCAPE);
  gui_test::answer_message_box(MB_ANSWER_YES);  // "Really abort?"
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(large));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(status_bar_get_progress(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS), 0);
  EXPECT_EQ(doc().count(), 2);
  EXPECT_EQ(doc().entry(0), u"edited");
  EXPECT_TRUE(doc().changed());
  EXPECT_TRUE(doc().can_undo());
  EXPECT_EQ(doc().path(), from_utf8(open));
  EXPECT_EQ(gadget_get_text(DICTIONARY_FILE_LABEL), u"open.dic");
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
  EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"# Words:2");
  EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 2);
}

TEST_F(DictionaryFilesTest, NothingToSaveIsRefused) {
  struct refusal {
    const char* what;
    std::vector<text_t> entries;
    const char16_t* aff;
    const char16_t* message;
  };
  const refusal cases[] = {
      {"no words", {}, u"SET UTF-8\n", u"No dictionary words found."},
      {"empty .aff", {u"word"}, u"", u"The .AFF file is empty."},
  };
  for (const refusal& c : cases) {
    SCOPED_TRACE(c.what);
    doc().replace_all(c.entries, u"/nowhere/x.dic");
    dictionary().set_aff_text(c.aff);
    gui_test::answer_message_box(MB_ANSWER_OK);
    save_dictionary(dictionary(), running_kinds().dictionary, 1, 0);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
    EXPECT_EQ(gui_test::last_requester().text, c.message);
    EXPECT_EQ(gui_test::last_requester().flags, MB_ICON_WARNING);
    EXPECT_EQ(status(), u"Aborted.");
  }
}

TEST_F(DictionaryFilesTest, SaveAsAsksBeforeReplacingTheDicOrAnAffBesideIt) {
  const std::string path = pair("en", "1\nword\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(path));
  // Only an .aff of the chosen name exists: it is not replaced silently.
  write_file(folder_ + "other.aff", "keep me");
  gui_test::answer_file_dialog(from_utf8(folder_ + "other.dic"));
  gui_test::answer_message_box(MB_ANSWER_NO);
  save_dictionary(dictionary(), running_kinds().dictionary, 0, 1);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, from_utf8("File already exists! Overwrite it?\n\n" + folder_ + "other.aff"));
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(read_file(folder_ + "other.aff"), "keep me");
  EXPECT_EQ(file_size_by_path(from_utf8(folder_ + "other.dic")), -1);
  EXPECT_EQ(doc().path(), from_utf8(path));

  // Yes replaces both; the extension is added and the path becomes the new one.
  gui_test::answer_file_dialog(from_utf8(folder_ + "other"));
  gui_test::answer_message_box(MB_ANSWER_YES);
  save_dictionary(dictionary(), running_kinds().dictionary, 0, 1);
  gui_test::finish();
  EXPECT_EQ(read_file(folder_ + "other.dic"), kBom + "1\nword\n");
  EXPECT_EQ(read_file(folder_ + "other.aff"), kBom + "SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
  EXPECT_EQ(doc().path(), from_utf8(folder_ + "other.dic"));
  EXPECT_EQ(gadget_get_text(DICTIONARY_FILE_LABEL), u"other.dic");
  EXPECT_EQ(recent_file_of_tab(running_kinds().dictionary, 1), from_utf8(folder_ + "other.dic"));

  // An existing .dic: the requester's own question; No keeps it.
  gui_test::answer_file_dialog(from_utf8(path));
  gui_test::answer_message_box(MB_ANSWER_NO);
  save_dictionary(dictionary(), running_kinds().dictionary, 0, 1);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"File already exists! Overwrite it?");
  EXPECT_EQ(doc().path(), from_utf8(folder_ + "other.dic"));
}

TEST_F(DictionaryFilesTest, AFailedWriteKeepsTheOldFilesTheFlagAndThePath) {
  doc().replace_all({u"word"}, from_utf8(folder_ + "missing_folder/en.dic"));
  dictionary().set_aff_text(u"SET UTF-8\n");
  doc().mark_changed();
  gui_test::answer_message_box(MB_ANSWER_OK);
  save_dictionary(dictionary(), running_kinds().dictionary, 1, 0);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Error!");
  EXPECT_NE(gui_test::last_requester().text.find(from_utf8(folder_ + "missing_folder/en.")), text_t::npos);
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_TRUE(doc().changed());
  EXPECT_EQ(doc().path(), from_utf8(folder_ + "missing_folder/en.dic"));
}

// ---- List commands -------------------------------------------------------------------------

class DictionaryCommandsTest : public DictionaryFilesTest {
 protected:
  void SetUp() override {
    DictionaryFilesTest::SetUp();
    doc().replace_all({u"alpha", u"beta/S\npo:noun", u"gamma", u"delta"}, u"");
  }
};

TEST_F(DictionaryCommandsTest, MarksChangeNeitherContentNorHistory) {
  check_all_dictionary_words(running_kinds().dictionary);
  EXPECT_EQ(doc().checked_count(), 4);
  EXPECT_EQ(gadget_get_text(DICTIONARY_SELECTED_LABEL), u"Selected:All");
  EXPECT_EQ(gadget_get_item_state(DICTIONARY_LIST, 3) & ITEM_CHECKED, ITEM_CHECKED);
  uncheck_all_dictionary_words(running_kinds().dictionary);
  EXPECT_EQ(doc().checked_count(), 0);
  EXPECT_EQ(gadget_get_text(DICTIONARY_SELECTED_LABEL), u"Selected:None");
  doc().set_checked(1, true);
  invert_dictionary_selection(running_kinds().dictionary);
  EXPECT_EQ(doc().checked_count(), 3);
  EXPECT_FALSE(doc().is_checked(1));
  invert_dictionary_selection(running_kinds().dictionary);
  EXPECT_EQ(doc().checked_count(), 1);
  EXPECT_TRUE(doc().is_checked(1));
  EXPECT_FALSE(doc().changed());
  EXPECT_FALSE(doc().can_undo());
  gui_test::finish();
}

TEST_F(DictionaryCommandsTest, RefusalsOnAnEmptyListOrWithoutMarksOrSelection) {
  struct refusal {
    const char* what;
    bool empty;
    void (*run)(document_kind& dictionary);
    const char16_t* message;
  };
  const refusal cases[] = {
      {"select all, empty", true, check_all_dictionary_words, u"No dictionary words found."},
      {"invert, empty", true, invert_dictionary_selection, u"No dictionary words found."},
      {"delete selected, empty", true, delete_checked_dictionary_words, u"No dictionary words found."},
      {"delete selected, none ticked", false, delete_checked_dictionary_words, u"No selected dictionary words found."},
      {"delete current, none selected", false, [](document_kind& dictionary) { delete_current_dictionary_word(dictionary, 0); },
       u"No dictionary word selected."},
  };
  for (const refusal& c : cases) {
    SCOPED_TRACE(c.what);
    doc().replace_all(c.empty ? std::vector<text_t>{} : std::vector<text_t>{u"a", u"b"}, u"");
    gui_test::answer_message_box(MB_ANSWER_OK);
    c.run(running_kinds().dictionary);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
    EXPECT_EQ(gui_test::last_requester().text, c.message);
    EXPECT_EQ(gui_test::last_requester().flags, MB_ICON_WARNING);
    EXPECT_FALSE(doc().can_undo());
  }
  // Quiet: no box, nothing deleted.
  EXPECT_EQ(delete_current_dictionary_word(running_kinds().dictionary, 1), 0);
  gui_test::finish();
}

TEST_F(DictionaryCommandsTest, DeleteSelectedAsksWithTheCountAndOnlyNoStops) {
  struct ask_case {
    std::vector<int> ticked;
    int answer;
    const char16_t* question;
    int64_t left;
  };
  const ask_case cases[] = {
      {{2}, MB_ANSWER_NO, u"Really delete 1 dictionary word?", 4},
      {{2}, MB_ANSWER_CLOSED, u"Really delete 1 dictionary word?", 3},
      {{0, 3}, MB_ANSWER_YES, u"Really delete 2 dictionary words?", 2},
  };
  for (const ask_case& c : cases) {
    doc().replace_all({u"alpha", u"beta", u"gamma", u"delta"}, u"");
    for (int i : c.ticked) doc().set_checked(i, true);
    gui_test::answer_message_box(c.answer);
    delete_checked_dictionary_words(running_kinds().dictionary);
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().text, c.question);
    EXPECT_EQ(doc().count(), c.left);
  }
  EXPECT_EQ(doc().entry(0), u"beta");
  EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 0);
  EXPECT_EQ(gadget_get_disabled(DICTIONARY_REDO), 1);
}

// Delete Selected, like Delete Current, updates the Hyphenation tab's view
// of the dictionary.
TEST_F(DictionaryCommandsTest, DeletesUpdateTheHyphenationView) {
  for (bool current : {false, true}) {
    SCOPED_TRACE(current);
    doc().replace_all({u"alpha", u"beta", u"gamma", u"delta"}, u"");
    show_paged_list_position(running_kinds().hyphenation, 3, 0);
    show_paged_list_position(running_kinds().dictionary, 1, 0);
    doc().set_checked(1, true);
    gui_test::answer_message_box(MB_ANSWER_YES);
    if (current) {
      EXPECT_EQ(delete_current_dictionary_word(running_kinds().dictionary, 0), 1);
    } else {
      delete_checked_dictionary_words(running_kinds().dictionary);
    }
    gui_test::finish();
    EXPECT_EQ(paged_list_selected(running_kinds().hyphenation), -1);
    EXPECT_EQ(gadget_count_items(HYPHENATION_LIST), 3);
    EXPECT_EQ(gadget_get_item_text(HYPHENATION_LIST, 1, 1), u"gamma");
    EXPECT_EQ(gadget_get_attribute(HYPHENATION_SCROLL, ATTR_MAXIMUM), 2);
    EXPECT_EQ(gadget_get_text(HYPHENATION_STATUS_LABEL), u"# Words:3");
    EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"# Words:3");
    EXPECT_EQ(doc().selected(), -1);
  }
}

TEST_F(DictionaryCommandsTest, DeleteCurrentShowsTheEntryAndOnlyYesDeletes) {
  show_paged_list_position(running_kinds().dictionary, 1, 0);
  for (int answer : {MB_ANSWER_NO, MB_ANSWER_CLOSED}) {
    gui_test::answer_message_box(answer);
    EXPECT_EQ(delete_current_dictionary_word(running_kinds().dictionary, 0), 0);
    gui_test::finish();
    EXPECT_EQ(doc().count(), 4);
  }
  EXPECT_EQ(gui_test::last_requester().text, u"Really delete dictionary word?\n\"beta/S po:noun\"");
  EXPECT_EQ(gui_test::last_requester().flags, MB_YES_NO | MB_ICON_WARNING);
  // Delete every entry through Delete Selected: Undo brings them all back.
  check_all_dictionary_words(running_kinds().dictionary);
  gui_test::answer_message_box(MB_ANSWER_YES);
  delete_checked_dictionary_words(running_kinds().dictionary);
  gui_test::finish();
  EXPECT_EQ(doc().count(), 0);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 0);
  EXPECT_TRUE(undo_list_tab(running_kinds().dictionary));
  EXPECT_EQ(doc().count(), 4);
  EXPECT_EQ(doc().checked_count(), 4);
  EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 4);
}

}  // namespace
