// The Find window over the dictionary: search, Display, Edit and Delete,
// with the main list's selection kept valid.
#include "tests/app/shell_gui_support.h"

#include "app/find_window.h"
#include "dictionary/dictionary_commands_ui.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"

#include <string>
#include <vector>

using shell_test::DictionaryListTest;
using namespace find_ids;

namespace {

class FindWindowTest : public DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    register_dictionary_list_commands(ws_.commands.kinds.dictionary);
    ws_.find = find_options();
  }
  static void load(std::vector<text_t> entries) {
    dictionary().list.replace_all(std::move(entries), u"/tmp/x.dic");
  }
  // Column 0 "|" column 1 of every result row.
  static std::string results() {
    std::string out;
    for (int r = 0; r < gadget_count_items(FIND_RESULTS); ++r) {
      out += (r ? " " : "") + to_utf8(gadget_get_item_text(FIND_RESULTS, r, 0)) + "@" +
             to_utf8(gadget_get_item_text(FIND_RESULTS, r, 1));
    }
    return out;
  }
  static void search(const text_t& text) {
    gui_test::replace_text(FIND_ENTRY, text);
    gui_test::click(FIND_BUTTON);
  }
};

TEST_F(FindWindowTest, FindsByTagsAndDisplaysTheEntryAsTheFirstRow) {
  std::vector<text_t> entries;
  for (int i = 0; i < 40; ++i) entries.push_back(u"w" + string_from_int(i));
  entries[30] = u"cat/S\npo:noun";
  load(entries);
  gui_test::wait_window(FIND_WINDOW);
  gui_test::run([] { EXPECT_EQ(window_get_title(FIND_WINDOW), u"Find a Word"); }, "title");
  search(u"NOUN");
  gui_test::wait_gadget_text(FIND_FOUND_LABEL, u"Found:1/40");
  gui_test::run([] {
    EXPECT_EQ(results(), "cat/S\u2192po:noun@31");
    EXPECT_EQ(gadget_get_item_text(FIND_RESULTS, 0, 2), u"30.77");  // 4 of 13 units
    EXPECT_EQ(gadget_get_disabled(FIND_DISPLAY), 1);
  }, "one row");
  gui_test::select_row(FIND_RESULTS, 0);
  gui_test::wait_until([] { return gadget_get_disabled(FIND_DISPLAY) == 0; }, "Display enabled");
  gui_test::click(FIND_DISPLAY);
  gui_test::run([] {
    EXPECT_EQ(doc().selected(), 30);
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, gadget_get_state(DICTIONARY_LIST), 1), u"cat/S");
  }, "displayed");
  // Without "Match extra information" the tags are not searched.
  // Return in the entry searches too.
  gui_test::toggle(FIND_MATCH_EXTRA);
  gui_test::replace_text(FIND_ENTRY, u"noun");
  gui_test::press_key(FIND_WINDOW, KEY_RETURN);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::press_key(FIND_WINDOW, KEY_ESCAPE);
  show_find_window(ws_.commands.kinds.dictionary, ws_.find, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"\"noun\" not found.");
  EXPECT_EQ(ws_.find.text, u"noun");  // remembered for the next time
  EXPECT_FALSE(ws_.find.match_extra);
}

TEST_F(FindWindowTest, RefusalsAndTheRedEntry) {
  gui_test::answer_message_box(MB_ANSWER_OK);
  show_find_window(ws_.commands.kinds.dictionary, ws_.find, ws_.prefs.applied.number_separator_chr);  // an empty dictionary
  load({u"alpha", u"beta"});
  gui_test::wait_window(FIND_WINDOW);
  gui_test::click(FIND_BUTTON);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::replace_text(FIND_ENTRY, u"a  b");
  gui_test::wait_until([] { return gadget_get_color(FIND_ENTRY, COLOR_BACKGROUND) == COLOUR_RED; }, "red entry");
  gui_test::click(FIND_CLEAR);
  gui_test::wait_until([] { return gadget_get_color(FIND_ENTRY, COLOR_BACKGROUND) != COLOUR_RED; }, "plain entry");
  gui_test::click(FIND_CLOSE);
  show_find_window(ws_.commands.kinds.dictionary, ws_.find, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::requesters()[0].text, u"No dictionary words found.");
  EXPECT_EQ(gui_test::requesters()[1].text, u"Nothing to find.");
}

// After a Delete the results after it are renumbered and both selections
// stay valid: Find's row moves to the next result (or up from the last),
// the list keeps its entry or, when that entry went, has none.
TEST_F(FindWindowTest, DeleteRenumbersAndKeepsTheSelectionsValid) {
  load({u"a1", u"a2", u"a3", u"a4", u"a5"});
  doc().select(4);  // a5
  gui_test::wait_window(FIND_WINDOW);
  search(u"a");
  gui_test::wait_gadget_text(FIND_FOUND_LABEL, u"Found:5/5");
  gui_test::select_row(FIND_RESULTS, 2);
  // In the entry, Delete edits the text and deletes no entry.
  gui_test::focus(FIND_ENTRY);
  gui_test::press_key(FIND_WINDOW, KEY_DELETE);
  gui_test::run([] { EXPECT_EQ(doc().count(), 5); }, "Delete in the entry");
  gui_test::focus(FIND_RESULTS);
  gui_test::select_row(FIND_RESULTS, 2);
  gui_test::press_key(FIND_WINDOW, KEY_DELETE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(FIND_FOUND_LABEL, u"Found:4/4");
  gui_test::run([] {
    EXPECT_EQ(results(), "a1@1 a2@2 a4@3 a5@4");
    EXPECT_EQ(gadget_get_state(FIND_RESULTS), 2);
    EXPECT_EQ(doc().selected(), 3);  // still a5
    EXPECT_EQ(doc().entry(doc().selected()), u"a5");
  }, "after deleting a3");
  // The last result, which is the selected entry: Find's row moves up, the
  // list has no selection.
  gui_test::select_row(FIND_RESULTS, 3);
  gui_test::press_key(FIND_WINDOW, KEY_DELETE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(FIND_FOUND_LABEL, u"Found:3/3");
  gui_test::run([] {
    EXPECT_EQ(results(), "a1@1 a2@2 a4@3");
    EXPECT_EQ(gadget_get_state(FIND_RESULTS), 2);
    EXPECT_EQ(doc().selected(), -1);
  }, "after deleting a5");
  // A No leaves everything as it was.
  gui_test::select_row(FIND_RESULTS, 0);
  gui_test::press_key(FIND_WINDOW, KEY_DELETE);
  gui_test::answer_message_box(MB_ANSWER_NO);
  gui_test::run([] { EXPECT_EQ(results(), "a1@1 a2@2 a4@3"); }, "declined");
  gui_test::press_key(FIND_WINDOW, KEY_ESCAPE);
  show_find_window(ws_.commands.kinds.dictionary, ws_.find, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
  EXPECT_EQ(doc().count(), 3);
}

TEST_F(FindWindowTest, EditShowsTheNewTextMarkedChangedAndKeepsTheSelection) {
  load({u"cat", u"catalog", u"dog"});
  doc().select(2);
  // The entry editor as the list's Edit command: it changes the selected entry.
  ws_.commands.kinds.dictionary.entries.edit = [](entry_edit how) {
    ASSERT_EQ(how, entry_edit::edit);
    doc().set_entry(doc().selected(), u"catalogue\npo:noun");
  };
  gui_test::wait_window(FIND_WINDOW);
  search(u"cat");
  gui_test::wait_gadget_text(FIND_FOUND_LABEL, u"Found:2/3");
  gui_test::select_row(FIND_RESULTS, 1);
  gui_test::right_click_row(FIND_RESULTS, 1);
  gui_test::choose_menu_item(FIND_POPUP_EDIT);
  gui_test::wait_until([] { return gadget_get_item_text(FIND_RESULTS, 1, 3) == u"Changed"; }, "marked changed");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_item_text(FIND_RESULTS, 1, 0), u"catalogue\u2192po:noun");
    EXPECT_EQ(gadget_get_item_color(FIND_RESULTS, 1, COLOR_TEXT, 3), COLOUR_RED);
    EXPECT_EQ(doc().selected(), 2);
  }, "edited");
  gui_test::close_window(FIND_WINDOW);
  show_find_window(ws_.commands.kinds.dictionary, ws_.find, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
  EXPECT_TRUE(gui_test::requesters().empty());
}

// The Hyphenation tab pages the dictionary with a selection of its own:
// Display moves that one and leaves the Dictionary tab's as it was.
TEST_F(FindWindowTest, DisplayOnTheHyphenationTabMovesItsOwnSelection) {
  std::vector<text_t> entries;
  for (int i = 0; i < 30; ++i) entries.push_back(u"w" + string_from_int(i));
  load(entries);
  doc().select(3);
  gui_test::wait_window(FIND_WINDOW);
  search(u"w25");
  gui_test::wait_gadget_text(FIND_FOUND_LABEL, u"Found:1/30");
  gui_test::double_click_row(FIND_RESULTS, 0);
  gui_test::run([this] {
    EXPECT_EQ(paged_list_selected(running_kinds().hyphenation), 25);
    // As the first row, kept within the scroll range: the last page shows whole.
    EXPECT_EQ(paged_list_first_row(running_kinds().hyphenation), list_last_first_row(30, ws_.prefs.applied.number_of_lines));
    EXPECT_EQ(doc().selected(), 3);
  }, "displayed");
  gui_test::press_key(FIND_WINDOW, KEY_ESCAPE);
  show_find_window(ws_.commands.kinds.hyphenation, ws_.find, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
}

}  // namespace
