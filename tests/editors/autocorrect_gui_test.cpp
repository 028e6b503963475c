// The Autocorrect and AutoText tabs driven like a user: opening, paging,
// ticking, deleting, undoing, the entry editor and saving; the AutoText
// collection and its entries' texts.
#include "tests/app/main_loop_barrier.h"
#include "tests/editors/autocorrect_gui_support.h"

#include "app/main_window.h"
#include "editors/autocorrect/autocorrect_editor.h"
#include "editors/autocorrect/autocorrect_editor_window.h"
#include "editors/autocorrect/autocorrect_files_ui.h"
#include "editors/autocorrect/autotext_file.h"
#include "editors/autocorrect/block_list_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/recent_files_ui.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace autocorrect_editor_ids;
using shell_test::read_file;
using shell_test::settle;
using shell_test::write_file;

namespace {

const std::string kBom = "\xEF\xBB\xBF";
const std::string kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" ?> <block-list:block-list "
    "xmlns:block-list=\"http://openoffice.org/2001/block-list\">";

std::string block(const std::string& incorrect, const std::string& correct) {
  return "  <block-list:block block-list:abbreviated-name=\"" + incorrect + "\" block-list:name=\"" + correct + "\"/>\n";
}

// 15 pairs w0 .. w14 -> W0 .. W14; pair 1 holds escaped texts.
std::string fifteen_pairs() {
  std::string file = kBom + kHeader + "\n";
  for (int i = 0; i < 15; ++i) {
    const std::string n = std::to_string(i);
    file += i == 1 ? block("R&amp;D", "&quot;research&quot; &#x1F600;") : block("w" + n, "W" + n);
  }
  return file + "</block-list:block-list>\n";
}

class AutocorrectTabTest : public autocorrect_test::AutocorrectTabFixture {
 protected:
  void SetUp() override {
    AutocorrectTabFixture::SetUp();
    ws_.autotext = autotext_document_record();
  }
  void TearDown() override {
    ws_.autotext = autotext_document_record();
    AutocorrectTabFixture::TearDown();
  }
  std::string file(const std::string& name, const std::string& bytes) {
    write_file(folder_ + name, bytes);
    return folder_ + name;
  }
};

// The road of one request on tab 3: File > Open, tick on the second page,
// Delete Selected, Undo, Add and Edit in the editor, Save.
TEST_F(AutocorrectTabTest, OpenTickDeleteUndoAddEditSave) {
  const std::string path = file("DocumentList.xml", fifteen_pairs());
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(from_utf8(path));
  settle();
  gui_test::run([&] {
    ASSERT_EQ(doc().count(), 15);
    EXPECT_EQ(doc().entry(1), u"R&D\n\"research\" \U0001F600");
    EXPECT_EQ(doc().path(), from_utf8(path));
    EXPECT_EQ(status().substr(0, 9), u"OK. (xml:");
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_STATUS_LABEL), u"# Autocorrects:15");
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_FILE_LABEL), u"DocumentList.xml");
    EXPECT_EQ(recent_file_of_tab(running_kinds().autocorrect, 1), from_utf8(path));
    EXPECT_EQ(gadget_get_attribute(AUTOCORRECT_SCROLL, ATTR_MAXIMUM), 14);
    EXPECT_EQ(gadget_count_items(AUTOCORRECT_LIST), 13);
    EXPECT_EQ(gadget_get_item_text(AUTOCORRECT_LIST, 1, 1), u"R&D");
    EXPECT_EQ(gadget_get_item_color(AUTOCORRECT_LIST, 1, COLOR_TEXT, 1), 255);
    EXPECT_EQ(gadget_get_item_color(AUTOCORRECT_LIST, 1, COLOR_TEXT, 2), 39168);
  }, "loaded");
  gui_test::focus(AUTOCORRECT_LIST);
  gui_test::press_key(MAIN_WINDOW, KEY_PAGE_DOWN);
  gui_test::toggle_row_check(AUTOCORRECT_LIST, 0);
  gui_test::toggle_row_check(AUTOCORRECT_LIST, 1);
  gui_test::right_click_row(AUTOCORRECT_LIST, 1);
  gui_test::choose_menu_item(POPUP_DELETE_SELECTED);
  gui_test::answer_message_box(MB_ANSWER_YES);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().count(), 13);
    EXPECT_TRUE(doc().changed());
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_CHANGED_MARK), u"\u25cf");
  }, "deleted");
  gui_test::click(AUTOCORRECT_UNDO);
  settle();
  gui_test::run([this] { EXPECT_EQ(doc().count(), 15); }, "undone");

  gui_test::click(AUTOCORRECT_ADD);
  gui_test::wait_window(WINDOW);
  gui_test::run([] { EXPECT_EQ(window_get_title(WINDOW), u"Add an autocorrect word"); }, "add title");
  gui_test::type_text(INCORRECT_FIELD, u"teh");
  gui_test::type_text(CORRECT_FIELD, u"the \"x\" & <y>");
  gui_test::click(OK);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().count(), 16);
    EXPECT_EQ(doc().entry(15), u"teh\nthe \"x\" & <y>");
    EXPECT_EQ(gadget_get_attribute(AUTOCORRECT_SCROLL, ATTR_MAXIMUM), 15);
  }, "added");

  // Edit the pair on the first row: the swap button turns it around.
  gui_test::run([] { show_paged_list_position(running_kinds().autocorrect, 0, 0); }, "top");
  settle();  // the refilled list is back on its view
  gui_test::double_click_row(AUTOCORRECT_LIST, 0);
  gui_test::wait_window(WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(WINDOW), u"Edit an autocorrect word");
    EXPECT_EQ(gadget_get_text(INCORRECT_FIELD), u"w0");
    EXPECT_EQ(gadget_get_text(CORRECT_FIELD), u"W0");
    EXPECT_EQ(gadget_get_color(INCORRECT_FIELD, COLOR_TEXT), 255);
    EXPECT_EQ(gadget_get_color(CORRECT_FIELD, COLOR_TEXT), 39168);
  }, "edit fields");
  gui_test::click(SWAP);
  gui_test::press_key(WINDOW, KEY_RETURN);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(0), u"W0\nw0");
    EXPECT_EQ(gadget_get_item_text(AUTOCORRECT_LIST, 0, 1), u"W0");
    EXPECT_TRUE(doc().can_undo());
  }, "swapped");

  gui_test::choose_menu_item(MENU_SAVE);
  settle();
  gui_test::run([this] {
    EXPECT_FALSE(doc().changed());
    EXPECT_EQ(status().substr(0, 9), u"OK. (xml:");
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_CHANGED_MARK), u"");
  }, "saved");
  run_loop();

  const std::string saved = read_file(path);
  EXPECT_EQ(saved.substr(0, kBom.size() + kHeader.size() + 1), kBom + kHeader + "\n");
  EXPECT_NE(saved.find(block("W0", "w0")), std::string::npos);
  EXPECT_NE(saved.find(block("R&amp;D", "&quot;research&quot; \xf0\x9f\x98\x80")), std::string::npos);
  EXPECT_NE(saved.find(block("teh", "the &quot;x&quot; &amp; &lt;y&gt;")), std::string::npos);
  EXPECT_EQ(saved.substr(saved.size() - 25), "</block-list:block-list>\n");
}

// A file in the office suites' form loads after the import question; a
// refused import, or a value the list cannot hold, keeps the open list, its
// path and labels.
TEST_F(AutocorrectTabTest, OfficeListsLoadAndRefusedImportsKeepTheOpenList) {
  const std::string good = file("good.xml", fifteen_pairs());
  std::string one_line = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<block-list:block-list>";
  for (int i = 0; i < 3; ++i)
    one_line += "<block-list:block block-list:abbreviated-name=\"a" + std::to_string(i) + "\" block-list:name=\"b\"/>";
  const std::string office = file("office.xml", one_line + "</block-list:block-list>");
  const std::string broken =
      file("broken.xml", one_line + "<block-list:block block-list:abbreviated-name=\"x\" block-list:name=\"1&#10;2\"/>");
  const std::string plain = file("plain.xml", "<?xml version=\"1.0\"?>\n" + block("a", "b") + block("c", "d"));
  load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, from_utf8(good));
  ASSERT_EQ(doc().count(), 15);

  struct attempt {
    std::string path;
    std::vector<int> answers;  // in the order the boxes come
    int64_t count_after;
  };
  const attempt attempts[] = {
      {broken, {MB_ANSWER_YES, MB_ANSWER_OK}, 15},
      {plain, {MB_ANSWER_NO}, 15},
      {office, {MB_ANSWER_YES}, 3},
      {plain, {MB_ANSWER_YES}, 2},
  };
  for (const attempt& a : attempts) {
    SCOPED_TRACE(a.path);
    // No file has a byte-order mark: the encoding question comes first.
    gui_test::answer_message_box(MB_ANSWER_YES);
    for (int answer : a.answers) gui_test::answer_message_box(answer);
    load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, from_utf8(a.path));
    gui_test::finish();
    EXPECT_EQ(doc().count(), a.count_after);
    if (a.count_after == 15) {
      EXPECT_EQ(status(), u"Aborted.");
      EXPECT_EQ(doc().path(), from_utf8(good));
      EXPECT_EQ(gadget_get_text(AUTOCORRECT_FILE_LABEL), u"good.xml");
    }
    if (a.path == office) {
      EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"a0\nb", u"a1\nb", u"a2\nb"}));
      EXPECT_EQ(gadget_get_text(AUTOCORRECT_FILE_LABEL), u"office.xml");
    }
  }
  const std::vector<gui_test::requester_record>& boxes = gui_test::requesters();
  ASSERT_GE(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].text.substr(0, 46), u"The first line of an Autocorrect List must be:");
  EXPECT_EQ(boxes[1].flags, MB_YES_NO | MB_ICON_WARNING);
  EXPECT_EQ(boxes[2].text,
            u"The pair \"x\" on line 2 holds a line break, which an autocorrect entry cannot keep.\nNothing was loaded.");
  EXPECT_EQ(doc().path(), from_utf8(plain));
}

// Only Yes discards unsaved changes; a box closed without an answer keeps them.
TEST_F(AutocorrectTabTest, TheChangedQuestionGoesOnOnlyForYes) {
  const std::string first = file("first.xml", fifteen_pairs());
  const std::string second = file("second.xml", kBom + kHeader + "\n" + block("a", "b"));
  load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, from_utf8(first));
  doc().mark_changed();
  for (int answer : {MB_ANSWER_NO, MB_ANSWER_CLOSED, MB_ANSWER_YES}) {
    SCOPED_TRACE(answer);
    gui_test::answer_message_box(answer);
    load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, from_utf8(second));
    gui_test::finish();
    EXPECT_EQ(gui_test::last_requester().text, u"The Autocorrect List has been changed.\n\nContinue?");
    EXPECT_EQ(doc().count(), answer == MB_ANSWER_YES ? 1 : 15);
  }
  EXPECT_FALSE(doc().changed());
}

// The recent-files menu and the toolbar's reopen button load through the
// same loader, on the tab's own list of files.
TEST_F(AutocorrectTabTest, RecentFilesAndReopenLoadTheTabsFiles) {
  const std::string first = file("first.xml", kBom + kHeader + "\n" + block("a", "b"));
  const std::string second = file("second.xml", kBom + kHeader + "\n" + block("c", "d") + block("e", "f"));
  load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, from_utf8(first));
  load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, from_utf8(second));
  ASSERT_EQ(recent_file_of_tab(running_kinds().autocorrect, 2), from_utf8(first));
  gui_test::choose_menu_item(MENU_RECENT_FIRST + 1);
  settle();
  gui_test::run([&] {
    EXPECT_EQ(doc().path(), from_utf8(first));
    EXPECT_EQ(doc().count(), 1);
    EXPECT_EQ(recent_file_of_tab(running_kinds().autocorrect, 1), from_utf8(first));
    doc().set_entry(0, u"x\ny");
  }, "second entry of the recent files");
  gui_test::click(TOOLBAR_OPEN_REFRESH);
  settle();
  gui_test::run([this] { EXPECT_EQ(doc().entry(0), u"a\nb"); }, "reopened");
  run_loop();
}

// A save that cannot write keeps the old file, the changed flag and the path.
TEST_F(AutocorrectTabTest, AFailedSaveSaysSoAndKeepsTheChanges) {
  const std::string path = file("list.xml", fifteen_pairs());
  load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, from_utf8(path));
  doc().mark_changed();
  std::filesystem::create_directories(folder_ + "taken.xml");  // a folder where the file would go
  gui_test::answer_file_dialog(from_utf8(folder_ + "taken.xml"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  save_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, 0, 1);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().title, u"Error!");
  EXPECT_NE(gui_test::last_requester().text.find(from_utf8(folder_ + "taken.xml")), text_t::npos);
  EXPECT_EQ(status(), u"Aborted.");
  EXPECT_TRUE(doc().changed());
  EXPECT_EQ(doc().path(), from_utf8(path));
  EXPECT_EQ(read_file(path), fifteen_pairs());
}

TEST_F(AutocorrectTabTest, EditorRefusesBadPairsAndKeepsItsTexts) {
  doc().replace_all({u"teh\nthe"}, u"");
  struct refusal {
    const char16_t* incorrect;
    const char16_t* correct;
    const char16_t* message;
    int focus;
  };
  const refusal refusals[] = {
      {u" ", u"the", u"No incorrect word text.", INCORRECT_FIELD},
      {u"t  eh", u"the", u"Invalid spaces in incorrect word.", INCORRECT_FIELD},
      {u"teh", u"", u"No correct word text.", CORRECT_FIELD},
      {u"teh", u"the ", u"Invalid spaces in correct word.", CORRECT_FIELD},
      {u"teh", u"teh", u"Incorrect matches correct.", CORRECT_FIELD},
  };
  gui_test::wait_window(WINDOW);
  for (const refusal& r : refusals) {
    gui_test::replace_text(INCORRECT_FIELD, r.incorrect);
    gui_test::replace_text(CORRECT_FIELD, r.correct);
    gui_test::click(OK);
    gui_test::answer_message_box(MB_ANSWER_OK);
    const int focus = r.focus;
    gui_test::wait_until([focus] { return gadget_get_focus() == focus; }, "focus on the field");
  }
  gui_test::run([] { EXPECT_EQ(gadget_get_text(CORRECT_FIELD), u"teh"); }, "texts kept");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  edit_autocorrect_word(ws_.autocorrect.list, entry_edit::add);
  gui_test::finish();
  ASSERT_EQ(gui_test::requesters().size(), 5u);
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(gui_test::requesters()[i].text, refusals[i].message);
    EXPECT_EQ(gui_test::requesters()[i].title, u"Warning!");
  }
  EXPECT_EQ(doc().count(), 1);
  EXPECT_FALSE(doc().changed());
  EXPECT_FALSE(doc().can_undo());
}

// Red while a space is misplaced; pasted line breaks and TABs never reach
// the entry (they would break the one-pair-per-line file).
TEST_F(AutocorrectTabTest, EditorFieldsTurnRedAndDropPastedLineBreaks) {
  doc().replace_all({u"teh\nthe"}, u"");
  gui_test::wait_window(WINDOW);
  gui_test::type_text(INCORRECT_FIELD, u" ");
  gui_test::wait_until([] { return gadget_get_color(INCORRECT_FIELD, COLOR_BACKGROUND) == 255; }, "red");
  gui_test::run([] { EXPECT_EQ(gadget_get_color(INCORRECT_FIELD, COLOR_TEXT), 0); }, "black text");
  gui_test::replace_text(INCORRECT_FIELD, u"ab");
  gui_test::wait_until([] { return gadget_get_color(INCORRECT_FIELD, COLOR_BACKGROUND) == COLOR_DEFAULT; },
                       "default again");
  gui_test::run([] { EXPECT_EQ(gadget_get_color(INCORRECT_FIELD, COLOR_TEXT), 255); }, "red text again");
  gui_test::run([] { clipboard_set_text(u"c\td\r\ne\nf"); }, "clipboard");
  gui_test::focus(CORRECT_FIELD);
  gui_test::press_key(WINDOW, key_ctrl('V'));
  gui_test::wait_until([] { return !gadget_get_text(CORRECT_FIELD).empty(); }, "pasted");
  gui_test::click(OK);
  edit_autocorrect_word(ws_.autocorrect.list, entry_edit::add);
  gui_test::finish();
  ASSERT_EQ(doc().count(), 2);
  const text_t added(doc().entry(1));
  EXPECT_EQ(added.substr(0, 3), u"ab\n");
  EXPECT_EQ(added.find_first_of(u"\t\r", 0), text_t::npos);
  EXPECT_EQ(added.find(u'\n', 3), text_t::npos);
}

TEST_F(AutocorrectTabTest, EditNeedsAPairAndDeleteCurrentShowsBothTexts) {
  gui_test::answer_message_box(MB_ANSWER_OK);
  edit_autocorrect_word(ws_.autocorrect.list, entry_edit::edit);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No autocorrect words found.");
  doc().replace_all({u"teh\nthe", u"adn\nand"}, u"");
  gui_test::answer_message_box(MB_ANSWER_OK);
  edit_autocorrect_word(ws_.autocorrect.list, entry_edit::edit);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No autocorrect word selected.");

  doc().notify_count_changed();
  settle();
  gui_test::select_row(AUTOCORRECT_LIST, 1);
  gui_test::focus(AUTOCORRECT_LIST);
  gui_test::press_key(MAIN_WINDOW, KEY_DELETE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  settle();
  run_loop();
  EXPECT_EQ(gui_test::last_requester().text, u"Really delete autocorrect word?\n\"adn and\"");
  EXPECT_EQ(doc().entries(), std::vector<text_t>{u"teh\nthe"});
  EXPECT_TRUE(doc().can_undo());
}

// The marks buttons of the tab: an empty list refuses, marks are no change.
TEST_F(AutocorrectTabTest, SelectAllNoneAndInvertSetTheMarks) {
  gui_test::click(AUTOCORRECT_SELECT_ALL);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(gui_test::last_requester().text, u"No autocorrect words found.");
    doc().replace_all({u"a\nb", u"c\nd", u"e\nf"}, u"");
  }, "refused on an empty list");
  settle();
  gui_test::click(AUTOCORRECT_SELECT_ALL);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().checked_count(), 3);
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_SELECTED_LABEL), u"Selected:All");
  }, "all");
  gui_test::click(AUTOCORRECT_SELECT_NONE);
  gui_test::toggle_row_check(AUTOCORRECT_LIST, 1);
  gui_test::click(AUTOCORRECT_INVERT);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().checked(), (std::vector<uint8_t>{1, 0, 1}));
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_SELECTED_LABEL), u"Selected:2");
  }, "inverted");
  run_loop();
  EXPECT_FALSE(doc().changed());
  EXPECT_FALSE(doc().can_undo());
}

TEST_F(AutocorrectTabTest, AutotextCollectionShowsEachEntrysText) {
  const std::string index = file(
      "BlockList.xml",
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<block-list:block-list xmlns:block-list=\"http://openoffice.org/2001/block-list\">\n"
      " <block-list:block block-list:abbreviated-name=\"BC\" block-list:package-name=\"BCP\" "
      "block-list:name=\"Business Card\"/>\n"
      " <block-list:block block-list:abbreviated-name=\"DS\" block-list:package-name=\"DS\" "
      "block-list:name=\"Dear &amp; Sir\"/>\n"
      "</block-list:block-list>\n");
  std::filesystem::create_directories(folder_ + "DS");
  file("DS/content.xml", "<office:text><text:p>Dear Sir,</text:p><text:p>Yours</text:p></office:text>");
  gadget_set_state(MAIN_TAB_PANEL, TAB_AUTOTEXT);
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(from_utf8(index));
  settle();
  gui_test::run([] {
    ASSERT_EQ(gadget_count_items(AUTOTEXT_LIST), 2);
    EXPECT_EQ(gadget_get_item_text(AUTOTEXT_LIST, 0, 0), u"1");
    EXPECT_EQ(gadget_get_item_text(AUTOTEXT_LIST, 0, 2), u"BCP");
    EXPECT_EQ(gadget_get_item_text(AUTOTEXT_LIST, 1, 3), u"Dear & Sir");
    EXPECT_EQ(gadget_get_item_color(AUTOTEXT_LIST, -1, COLOR_BACKGROUND, 0), 14670554);
    EXPECT_EQ(gadget_get_text(AUTOTEXT_STATUS_LABEL), u"# AutoTexts:2");
    EXPECT_EQ(gadget_get_text(AUTOTEXT_FILE_LABEL), u"BlockList.xml");
    EXPECT_EQ(status().substr(0, 19), u"OK. (BlockList.xml:");
  }, "loaded");
  gui_test::select_row(AUTOTEXT_LIST, 1);
  gui_test::wait_gadget_text(AUTOTEXT_VIEW, u"Dear Sir,\nYours\n");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(AUTOTEXT_RULE1_LABEL), u":DS");
    EXPECT_EQ(gadget_get_text(AUTOTEXT_RULE2_LABEL), u":Dear & Sir");
  }, "names shown");
  gui_test::double_click_row(AUTOTEXT_LIST, 0);
  gui_test::wait_gadget_text(AUTOTEXT_VIEW, u"");
  run_loop();
  EXPECT_EQ(recent_file_of_tab(running_kinds().autotext, 1), from_utf8(index));

  // A rebuilt main window (new preferences) shows the collection again.
  ASSERT_TRUE(build_main_window(ws_.prefs));
  EXPECT_EQ(gadget_count_items(AUTOTEXT_LIST), 2);
  EXPECT_EQ(gadget_get_text(AUTOTEXT_STATUS_LABEL), u"# AutoTexts:2");
}

}  // namespace
