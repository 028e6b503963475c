// The Thesaurus tab driven like a user: File > Open, the paged list with its
// marks and keys, the list commands, Undo and Redo, Save, and the synonym
// editor with its checks.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"

#include "common/date_time.h"
#include "common/file.h"
#include "dictionary/dic_file.h"  // invalid_utf8_question
#include "editors/thesaurus/synonym_editor.h"
#include "editors/thesaurus/synonym_editor_window.h"
#include "editors/thesaurus/thesaurus_commands_ui.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "editors/thesaurus/thesaurus_files_ui.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/recent_files_ui.h"

#include <string>
#include <vector>

using shell_test::read_file;
using shell_test::settle;
using shell_test::write_file;

namespace ids = synonym_editor_ids;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
constexpr int KEY_BACKSPACE = 65288;

// 30 entries: word00|1 .. word29|1, each with one meaning "-|m<i>".
std::string thirty_entries() {
  std::string dat = kBom + "UTF-8\n";
  for (int i = 0; i < 30; ++i) {
    const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
    dat += "word" + n + "|1\n-|m" + n + "\n";
  }
  return dat;
}

class ThesaurusTabTest : public shell_test::DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    ws_.thesaurus = thesaurus_document_record();
    register_thesaurus_editor(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs);
    ws_.commands.kinds.thesaurus.changed = nullptr;  // no exit question
    gadget_set_state(MAIN_TAB_PANEL, TAB_THESAURUS);
  }
  void TearDown() override {
    ws_.thesaurus = thesaurus_document_record();
    register_thesaurus_editor(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs);
    DictionaryListTest::TearDown();
  }
  std::string dat(const std::string& name, const std::string& bytes) {
    write_file(folder_ + name, bytes);
    return folder_ + name;
  }
  // A document as a completed load leaves it, with entry `selected` selected
  // as a click on its row would.
  void open_entries(std::vector<text_t> entries, int64_t selected) {
    thes().replace_all(std::move(entries), from_utf8(folder_ + "t.dat"));
    if (selected >= 0) show_paged_list_position(running_kinds().thesaurus, selected, 0);
  }
  list_document& thes() { return ws_.thesaurus.list; }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
  static bool grey() { return gadget_get_color(ids::MEANINGS, COLOR_TEXT) == SYNONYM_EXAMPLE_GREY; }
  // Clicks into the meanings field and waits for the example to leave.
  static void enter_meanings() {
    gui_test::focus(ids::MEANINGS);
    gui_test::wait_until([] { return !grey(); }, "the example left the meanings field");
  }
  // OK refused with the message; the window stays.
  static void ok_refused() {
    gui_test::click(ids::OK);
    gui_test::answer_message_box(MB_ANSWER_OK);
  }
};

TEST_F(ThesaurusTabTest, OpenPageTickDeleteUndoRedoSave) {
  const std::string path = dat("t.dat", thirty_entries());
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(from_utf8(path));
  settle();
  gui_test::run([&] {
    EXPECT_EQ(thes().count(), 30);
    EXPECT_EQ(thes().entry(3), u"word03|1\n-|m03");
    EXPECT_FALSE(thes().changed());
    EXPECT_EQ(thes().path(), from_utf8(path));
    EXPECT_EQ(status().substr(0, 20), u"OK. (idx:0 bytes)+(d");
    EXPECT_EQ(gadget_get_text(THESAURUS_STATUS_LABEL), u"# Synonyms:30");
    EXPECT_EQ(gadget_get_text(THESAURUS_FILE_LABEL), u"t.dat");
    EXPECT_EQ(recent_file_of_tab(running_kinds().thesaurus, 1), from_utf8(path));
    EXPECT_EQ(gadget_get_attribute(THESAURUS_SCROLL, ATTR_MAXIMUM), 29);
    EXPECT_EQ(gadget_get_item_text(THESAURUS_LIST, 3, 1), u"word03|1");
    EXPECT_EQ(gadget_get_item_text(THESAURUS_LIST, 3, 2), u"-|m03");
  }, "loaded");
  // Page down and tick two entries of the second page.
  gui_test::focus(THESAURUS_LIST);
  gui_test::press_key(MAIN_WINDOW, KEY_PAGE_DOWN);
  gui_test::toggle_row_check(THESAURUS_LIST, 0);
  gui_test::toggle_row_check(THESAURUS_LIST, 2);
  settle();
  int64_t first = 0;
  gui_test::run([&] {
    first = thes().first_row();
    EXPECT_GT(first, 0);
    EXPECT_TRUE(thes().is_checked(first));
    EXPECT_TRUE(thes().is_checked(first + 2));
    EXPECT_EQ(gadget_get_text(THESAURUS_SELECTED_LABEL), u"Selected:2");
    EXPECT_FALSE(thes().changed());
    EXPECT_TRUE(gadget_get_disabled(THESAURUS_UNDO));
  }, "ticked");
  gui_test::click(THESAURUS_DELETE_SELECTED);
  gui_test::answer_message_box(MB_ANSWER_YES);
  settle();
  gui_test::run([&] {
    EXPECT_EQ(thes().count(), 28);
    EXPECT_TRUE(thes().changed());
    EXPECT_EQ(gadget_get_attribute(THESAURUS_SCROLL, ATTR_MAXIMUM), 27);
    EXPECT_EQ(gadget_get_text(THESAURUS_CHANGED_MARK), u"\u25cf");
    EXPECT_FALSE(gadget_get_disabled(THESAURUS_UNDO));
  }, "deleted");
  gui_test::click(THESAURUS_UNDO);
  settle();
  gui_test::run([this] { EXPECT_EQ(thes().count(), 30); }, "undone");
  gui_test::click(THESAURUS_REDO);
  settle();
  gui_test::run([this] { EXPECT_EQ(thes().count(), 28); }, "redone");
  gui_test::choose_menu_item(MENU_SAVE);
  settle();
  gui_test::run([this] {
    EXPECT_FALSE(thes().changed());
    EXPECT_EQ(status().substr(0, 9), u"OK. (idx:");
    EXPECT_EQ(gadget_get_text(THESAURUS_CHANGED_MARK), u"");
  }, "saved");
  run_loop();

  ASSERT_EQ(gui_test::requesters().size(), 2u);  // Save asks nothing
  EXPECT_EQ(gui_test::requesters()[0].title, u"Open Thesaurus");
  ASSERT_EQ(gui_test::requesters()[0].filter_names.size(), 1u);
  EXPECT_EQ(gui_test::requesters()[0].filter_names[0], u"Thesaurus (*.dat)");
  EXPECT_EQ(gui_test::requesters()[1].text, u"Really delete 2 synonyms?");

  std::string want = kBom + "UTF-8\n";
  std::string idx = "UTF-8\n28\n";
  for (int i = 0; i < 30; ++i) {
    if (i == first || i == first + 2) continue;
    const std::string n = (i < 10 ? "0" : "") + std::to_string(i);
    idx += "word" + n + "|" + std::to_string(want.size()) + "\n";
    want += "word" + n + "|1\n-|m" + n + "\n";
  }
  EXPECT_EQ(read_file(path), want);
  EXPECT_EQ(read_file(folder_ + "t.idx"), idx);
}

// A load stopped by an entry of too many meanings keeps the open thesaurus.
TEST_F(ThesaurusTabTest, LoadRefusedByTheMeaningLimitKeepsTheOpenThesaurus) {
  load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, from_utf8(dat("keep.dat", kBom + "UTF-8\nkeep|1\n-|k\n")));
  thes().save_undo();
  thes().mark_changed();
  std::string over = kBom + "UTF-8\nbig|101\n";
  for (int i = 0; i < 101; ++i) over += "-|m\n";
  gui_test::answer_message_box(MB_ANSWER_YES);  // the changed question
  gui_test::answer_message_box(MB_ANSWER_OK);
  load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, from_utf8(dat("over.dat", over)));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Warning!");
  EXPECT_EQ(gui_test::last_requester().text, u"Found synonym with more than 100 meanings.");
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(thes().entries(), std::vector<text_t>{u"keep|1\n-|k"});
  EXPECT_EQ(thes().path(), from_utf8(folder_ + "keep.dat"));
  EXPECT_TRUE(thes().changed());
  EXPECT_TRUE(thes().can_undo());
  EXPECT_EQ(gadget_get_text(THESAURUS_FILE_LABEL), u"keep.dat");
}

TEST_F(ThesaurusTabTest, SaveAsAddsTheExtensionAndAnEmptyThesaurusIsRefused) {
  gui_test::answer_message_box(MB_ANSWER_OK);
  save_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, 0, 1);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No synonyms found.");
  EXPECT_EQ(status(), u"Aborted.");

  open_entries({u"ship|1\n-|boat"}, -1);
  thes().mark_changed();
  gui_test::answer_file_dialog(from_utf8(folder_ + "words"));
  save_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, 0, 1);
  gui_test::finish();
  EXPECT_EQ(read_file(folder_ + "words.dat"), kBom + "UTF-8\nship|1\n-|boat\n");
  EXPECT_EQ(read_file(folder_ + "words.idx"), "UTF-8\n1\nship|9\n");
  EXPECT_EQ(thes().path(), from_utf8(folder_ + "words.dat"));
  EXPECT_FALSE(thes().changed());
  EXPECT_EQ(gadget_get_text(THESAURUS_FILE_LABEL), u"words.dat");
}

// Delete Current names the header line only; marks take no snapshot.
TEST_F(ThesaurusTabTest, ListCommands) {
  open_entries({u"ship|2\n(noun)|boat\n(verb)|ride", u"boat|1\n-|ship"}, 0);
  gui_test::click(THESAURUS_SELECT_ALL);
  gui_test::run([this] {
    EXPECT_EQ(thes().checked_count(), 2);
    EXPECT_EQ(gadget_get_text(THESAURUS_SELECTED_LABEL), u"Selected:All");
  }, "all ticked");
  gui_test::click(THESAURUS_INVERT);
  gui_test::run([this] { EXPECT_EQ(thes().checked_count(), 0); }, "inverted");
  gui_test::click(THESAURUS_DELETE_SELECTED);
  gui_test::answer_message_box(MB_ANSWER_OK);  // "No selected synonyms found."
  gui_test::click(THESAURUS_DELETE_CURRENT);
  gui_test::answer_message_box(MB_ANSWER_YES);
  settle();
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::requesters()[0].text, u"No selected synonyms found.");
  EXPECT_EQ(gui_test::requesters()[1].text, u"Really delete synonym?\n\"ship|2\"");
  EXPECT_EQ(thes().entries(), std::vector<text_t>{u"boat|1\n-|ship"});
  EXPECT_TRUE(thes().changed());
  EXPECT_TRUE(thes().can_undo());
}

TEST_F(ThesaurusTabTest, AddChecksEachFieldThenAppends) {
  open_entries({u"zebra|1\n-|z"}, 0);
  gui_test::wait_window(ids::WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(ids::WINDOW), u"Add a synonym");
    EXPECT_TRUE(grey());
    EXPECT_EQ(gadget_get_text(ids::MEANINGS), SYNONYM_USAGE_EXAMPLE);
    EXPECT_EQ(gadget_get_text(ids::COUNTER), u"|0/100 lines");
    EXPECT_EQ(gadget_get_focus(), ids::WORD_FIELD);
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
  }, "empty editor");
  ok_refused();  // no synonym
  gui_test::type_text(ids::WORD_FIELD, u" ship");
  gui_test::wait_until([] { return gadget_get_color(ids::WORD_FIELD, COLOR_BACKGROUND) == SYNONYM_INVALID_RED; },
                       "red word field");
  ok_refused();  // invalid spaces
  gui_test::replace_text(ids::WORD_FIELD, u"sh|p");
  ok_refused();  // "|" in the head word
  gui_test::replace_text(ids::WORD_FIELD, u"ship");
  gui_test::wait_until([] { return gadget_get_color(ids::WORD_FIELD, COLOR_BACKGROUND) == -1; }, "plain word field");
  ok_refused();  // no meanings: the grey example counts as empty
  enter_meanings();
  // An empty line between two meanings is a meaning of its own.
  gui_test::type_text(ids::MEANINGS, u"(noun)|boat\n\n(noun)|vessel");
  gui_test::wait_gadget_text(ids::COUNTER, u"|2/100 lines");
  gui_test::click(ids::OK);
  edit_synonym(ws_.thesaurus.list, ws_.prefs, entry_edit::add);
  gui_test::finish();
  const auto& r = gui_test::requesters();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].text, u"No synonym text.");
  EXPECT_EQ(r[0].title, u"Warning!");
  EXPECT_EQ(r[1].text, u"Invalid spaces in synonym.");
  EXPECT_EQ(r[2].text, u"A synonym cannot hold \"|\", a tab or a line break.");
  EXPECT_EQ(r[3].text, u"No meanings text.");
  EXPECT_EQ(thes().entries(), (std::vector<text_t>{u"zebra|1\n-|z", u"ship|3\n(noun)|boat\n\n(noun)|vessel"}));
  EXPECT_EQ(thes().selected(), 0);
  EXPECT_TRUE(thes().changed());
  EXPECT_TRUE(thes().can_undo());
  EXPECT_EQ(gadget_get_text(THESAURUS_STATUS_LABEL), u"Synonym: [1/2]");
  EXPECT_EQ(gadget_get_attribute(THESAURUS_SCROLL, ATTR_MAXIMUM), 1);
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
}

// Edit shows the counted meanings without the empty one and stores the
// entry normalised; Escape changes nothing.
TEST_F(ThesaurusTabTest, EditNormalisesTheEntryAndEscapeKeepsIt) {
  open_entries({u"boat|1\n-|ship", u"ship|3\n(noun)|boat\n\n(verb)|ride"}, 1);
  gui_test::double_click_row(THESAURUS_LIST, 1);
  gui_test::wait_window(ids::WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(ids::WINDOW), u"Edit a synonym");
    EXPECT_EQ(gadget_get_text(ids::WORD_FIELD), u"ship");
    EXPECT_EQ(gadget_get_text(ids::MEANINGS), u"(noun)|boat\n(verb)|ride\n");
    EXPECT_FALSE(grey());
    EXPECT_EQ(gadget_get_text(ids::COUNTER), u"|2/100 lines");
  }, "fields filled");
  gui_test::click(ids::OK);
  gui_test::wait_window_closed(ids::WINDOW);
  settle();
  gui_test::double_click_row(THESAURUS_LIST, 0);
  gui_test::wait_window(ids::WINDOW);
  gui_test::replace_text(ids::WORD_FIELD, u"changed");
  gui_test::press_key(ids::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(ids::WINDOW);
  settle();
  run_loop();
  EXPECT_TRUE(gui_test::requesters().empty());
  EXPECT_EQ(thes().entries(), (std::vector<text_t>{u"boat|1\n-|ship", u"ship|2\n(noun)|boat\n(verb)|ride"}));
  EXPECT_TRUE(thes().changed());
  EXPECT_TRUE(thes().can_undo());
}

TEST_F(ThesaurusTabTest, EditRefusesAnEmptyThesaurusOrNoSelection) {
  gui_test::answer_message_box(MB_ANSWER_OK);
  edit_synonym(ws_.thesaurus.list, ws_.prefs, entry_edit::edit);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No synonyms found.");
  open_entries({u"ship|1\n-|boat"}, -1);
  gui_test::answer_message_box(MB_ANSWER_OK);
  edit_synonym(ws_.thesaurus.list, ws_.prefs, entry_edit::edit);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No synonym selected.");
  EXPECT_FALSE(window_exists(ids::WINDOW));
}

// The example comes back when the meanings field is left empty; a hundred
// lines are accepted; F1 opens the manual.
TEST_F(ThesaurusTabTest, ExampleCounterLimitAndManual) {
  shell_test::recording_opener opener(folder_);
  write_file(folder_ + "Vocabrix_manual_V40.html", "<html></html>");
  text_t hundred;
  for (int i = 0; i < 100; ++i) hundred += u"-|m" + string_from_int(i) + u"\n";
  gui_test::type_text(ids::WORD_FIELD, u"many");
  enter_meanings();
  gui_test::focus(ids::WORD_FIELD);
  gui_test::wait_until([] { return grey(); }, "the example is back");
  enter_meanings();
  gui_test::run([&] { gadget_set_text(ids::MEANINGS, hundred); }, "a hundred lines pasted");
  gui_test::type_text(ids::MEANINGS, u"x");
  gui_test::wait_gadget_text(ids::COUNTER, u"|100/100 lines");
  gui_test::press_key(ids::WINDOW, KEY_F1);
  opener.wait_for_lines(1);
  gui_test::click(ids::OK);
  gui_test::answer_message_box(MB_ANSWER_OK);  // 101 lines: the "x" began one more
  gui_test::press_key(ids::WINDOW, KEY_BACKSPACE);
  gui_test::click(ids::OK);
  edit_synonym(ws_.thesaurus.list, ws_.prefs, entry_edit::add);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Synonym has more than 100 meanings.");
  ASSERT_EQ(thes().count(), 1);
  EXPECT_EQ(thes().entry(0).substr(0, 9), u"many|100\n");
  EXPECT_NE(opener.opened().find("Vocabrix_manual_V40.html"), std::string::npos) << opener.opened();
}

// Unsaved work goes only on Yes; a file without a mark is named as what it
// will be read as.
TEST_F(ThesaurusTabTest, ChangedQuestionAndUnmarkedFile) {
  load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, from_utf8(dat("first.dat", kBom + "UTF-8\none|1\n-|x\n")));
  thes().mark_changed();
  const std::string plain = dat("plain.dat", "UTF-8\ncaf\xC3\xA9|1\n-|bar\n");
  for (int answer : {MB_ANSWER_NO, MB_ANSWER_CLOSED}) {
    SCOPED_TRACE(answer);
    gui_test::answer_message_box(answer);
    load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, from_utf8(plain));
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().text, u"The Thesaurus has been changed.\n\nContinue?");
    EXPECT_EQ(gui_test::last_requester().flags, MB_YES_NO | MB_ICON_INFORMATION);
    EXPECT_EQ(status(), u"Loading Thesaurus... <ESC> to abort.");
    EXPECT_EQ(thes().entries(), std::vector<text_t>{u"one|1\n-|x"});
    EXPECT_TRUE(thes().changed());
  }
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, from_utf8(plain));
  gui_test::finish();
  EXPECT_NE(gui_test::last_requester().text.find(u"Encoding detected:UTF-8\n"), text_t::npos);
  EXPECT_EQ(thes().entries(), std::vector<text_t>{u"caf\u00e9|1\n-|bar"});
  EXPECT_FALSE(thes().changed());

  // UTF-8 with a stray byte: after the encoding question the load names the
  // line, and No keeps the open thesaurus.
  const std::string mixed = dat("mixed.dat", "UTF-8\ncaf\xC3\xA9|1\n-|b\xE9r\n\xC3\xA9t\xC3\xA9|1\n-|x\n");
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::answer_message_box(MB_ANSWER_NO);
  load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, from_utf8(mixed));
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, invalid_utf8_question(from_utf8(mixed), 3, FORMAT_UTF8));
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_EQ(thes().entries(), std::vector<text_t>{u"caf\u00e9|1\n-|bar"});
  EXPECT_EQ(thes().path(), from_utf8(plain));
}

// A Polish thesaurus (ISO8859-2) opens with its letters, the question naming
// the encoding its first line declares.
TEST_F(ThesaurusTabTest, DeclaredEncodingOpensWithItsLetters) {
  const std::string polish = dat("pl.dat", "ISO8859-2\npoj\xEA" "cie|1\n(rzecz.)|idea|\xBC" "d\xBC" "b\xB3o\n");
  gui_test::answer_message_box(MB_ANSWER_YES);
  load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, from_utf8(polish));
  gui_test::finish();
  EXPECT_NE(gui_test::last_requester().text.find(u"Encoding detected:ISO8859-2\n"), text_t::npos)
      << to_utf8(gui_test::last_requester().text);
  EXPECT_EQ(thes().entries(), std::vector<text_t>{u"poj\u0119cie|1\n(rzecz.)|idea|\u017Ad\u017Ab\u0142o"});
  EXPECT_EQ(ws_.thesaurus.encoding, u"ISO8859-2");
}

}  // namespace
