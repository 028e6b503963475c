// The paged lists of the main window driven through the main loop: pages,
// the scroll bar, keys, selection, check marks, labels, Undo and Redo.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"

#include "app/main_window.h"
#include "dictionary/dic_file.h"
#include "dictionary/dictionary_commands_ui.h"
#include "gui/gui.h"
#include "kit/command_registry.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/preferences.h"
#include "kit/undo_redo_ui.h"

#include <string>
#include <vector>

using shell_test::settle;
using shell_test::DictionaryListTest;

namespace {

std::vector<text_t> numbered_words(int n) {
  std::vector<text_t> words;
  for (int i = 0; i < n; ++i) words.push_back(u"w" + string_from_int(i));
  return words;
}

class ListViewTest : public DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    register_dictionary_list_commands(ws_.commands.kinds.dictionary);
  }
  static void load(std::vector<text_t> entries) {
    dictionary().list.replace_all(std::move(entries), u"/tmp/x.dic");
  }
};

text_t cell(int list, int row, int column) { return gadget_get_item_text(list, row, column); }

TEST_F(ListViewTest, PageShowsOneScreenOfNumberedRowsWithColoursAndMarks) {
  std::vector<text_t> entries = numbered_words(100);
  entries[1] = u"/flag-only\ntag";
  entries[2] = u"cat/SM\npo:noun\tis:x";
  load(entries);
  doc().set_checked(2, true);
  redraw_paged_list(dictionary().list);

  for (int list : {DICTIONARY_LIST, HYPHENATION_LIST}) {
    SCOPED_TRACE(list);
    ASSERT_EQ(gadget_count_items(list), 13);
    EXPECT_EQ(cell(list, 0, 0), u"1");
    EXPECT_EQ(cell(list, 0, 1), u"w0");
    EXPECT_EQ(cell(list, 2, 1), u"cat/SM");
    EXPECT_EQ(cell(list, 2, 2), u"po:noun\tis:x");
    EXPECT_EQ(cell(list, 12, 0), u"13");
    EXPECT_EQ(gadget_get_item_color(list, 1, COLOR_TEXT, 1), COLOUR_FLAG_ONLY_ENTRY);
    EXPECT_EQ(gadget_get_item_color(list, 1, COLOR_TEXT, 2), COLOUR_FLAG_ONLY_ENTRY);
    EXPECT_NE(gadget_get_item_color(list, 0, COLOR_TEXT, 1), COLOUR_FLAG_ONLY_ENTRY);
    EXPECT_EQ(gadget_get_item_color(list, 0, COLOR_BACKGROUND, 0), COLOUR_LINE_NUMBER_BACKGROUND);
    EXPECT_EQ(gadget_get_item_color(list, 0, COLOR_TEXT, 0), 0);
  }
  EXPECT_EQ(gadget_get_item_state(DICTIONARY_LIST, 2), ITEM_CHECKED);
  EXPECT_EQ(gadget_get_item_state(DICTIONARY_LIST, 3), 0);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 99);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_PAGE_LENGTH), 13);
  EXPECT_EQ(gadget_get_attribute(HYPHENATION_SCROLL, ATTR_MAXIMUM), 99);

  // An empty document: no rows, the range collapses to 0..0.
  load({});
  EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 0);
  EXPECT_EQ(gadget_count_items(HYPHENATION_LIST), 0);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MINIMUM), 0);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 0);
  gui_test::finish();
}

TEST_F(ListViewTest, DraggingTheScrollBarRedrawsAtOnceAndTheLastPageIsWhole) {
  load(numbered_words(100));
  gui_test::set_value(DICTIONARY_SCROLL, 40);
  settle();
  gui_test::run([] {
    EXPECT_EQ(cell(DICTIONARY_LIST, 0, 0), u"41");
    EXPECT_EQ(doc().first_row(), 40);
  }, "page at 40");
  gui_test::set_value(DICTIONARY_SCROLL, 99);
  settle();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_state(DICTIONARY_SCROLL), 87);
    EXPECT_EQ(cell(DICTIONARY_LIST, 0, 0), u"88");
    EXPECT_EQ(cell(DICTIONARY_LIST, 12, 0), u"100");
  }, "last page");
  run_loop();
}

// The wheel over any of the four lists turns the page through its bar, as a
// drag of the bar does.
TEST_F(ListViewTest, WheelOverEachListTurnsItsPage) {
  list_document thesaurus, autocorrect;
  set_paged_list_document(ws_.commands.kinds.thesaurus, thesaurus);
  set_paged_list_document(ws_.commands.kinds.autocorrect, autocorrect);
  load(numbered_words(100));
  thesaurus.replace_all(numbered_words(100), u"");
  autocorrect.replace_all(numbered_words(100), u"");
  struct wheel_case {
    int tab, list, scroll;
  };
  const wheel_case cases[] = {{TAB_DICTIONARY, DICTIONARY_LIST, DICTIONARY_SCROLL},
                              {TAB_THESAURUS, THESAURUS_LIST, THESAURUS_SCROLL},
                              {TAB_HYPHENATION, HYPHENATION_LIST, HYPHENATION_SCROLL},
                              {TAB_AUTOCORRECT, AUTOCORRECT_LIST, AUTOCORRECT_SCROLL}};
  for (const wheel_case& c : cases) {
    gui_test::select_tab(MAIN_TAB_PANEL, c.tab);
    gui_test::scroll_wheel(c.list, 10);
    settle();
    gui_test::run([c] {
      EXPECT_EQ(gadget_get_state(c.scroll), 30) << c.list;
      EXPECT_EQ(cell(c.list, 0, 0), u"31") << c.list;
    }, "page at 30");
    gui_test::scroll_wheel(c.list, -4);
    settle();
    gui_test::run([c] { EXPECT_EQ(cell(c.list, 0, 0), u"19") << c.list; }, "page at 18");
  }
  run_loop();
  set_paged_list_document(ws_.commands.kinds.thesaurus, ws_.thesaurus.list);
  set_paged_list_document(ws_.commands.kinds.autocorrect, ws_.autocorrect.list);
}

// Keys act on the focused list; each case starts from a selection and page.
TEST_F(ListViewTest, NavigationKeysMoveSelectionAndPage) {
  struct key_case {
    const char* what;
    int entries, selected, first, key;
    int64_t want_selected, want_first;
  };
  const key_case cases[] = {
      {"Up from an entry off the page", 100, 50, 0, KEY_UP, 49, 49},
      {"Up on the first row scrolls", 100, 20, 20, KEY_UP, 19, 19},
      {"Up on the first entry stays", 100, 0, 0, KEY_UP, 0, 0},
      {"Down on the last row of a full page scrolls", 100, 12, 0, KEY_DOWN, 13, 1},
      {"Down on the last entry does nothing", 100, 99, 87, KEY_DOWN, 99, 87},
      {"Down within the page", 100, 3, 0, KEY_DOWN, 4, 0},
      {"Home", 100, 50, 40, KEY_HOME, 0, 0},
      {"End with a short list", 5, 1, 0, KEY_END, 4, 0},
      {"End", 100, 3, 0, KEY_END, 99, 87},
      {"Page Down", 100, 3, 0, KEY_PAGE_DOWN, 16, 13},
      {"Page Down without a selection", 100, -1, 0, KEY_PAGE_DOWN, 12, 13},
      {"Page Up stops at the top", 100, 5, 3, KEY_PAGE_UP, 0, 0},
      {"Page keys do nothing on one page", 13, 5, 0, KEY_PAGE_DOWN, 5, 0},
  };
  // The first focus of a list selects its first row (GTK's cursor): focus
  // it before each case sets its position.
  gui_test::focus(DICTIONARY_LIST);
  for (const key_case& c : cases) {
    gui_test::run([c] {
      load(numbered_words(c.entries));
      show_paged_list_position(running_kinds().dictionary, c.selected, c.first);
    }, c.what);
    gui_test::press_key(MAIN_WINDOW, c.key);
    settle();
    gui_test::run([c] {
      SCOPED_TRACE(c.what);
      EXPECT_EQ(doc().selected(), c.want_selected);
      EXPECT_EQ(doc().first_row(), c.want_first);
      EXPECT_EQ(gadget_get_state(DICTIONARY_SCROLL), c.want_first);
      const int64_t row = c.want_selected - c.want_first;
      EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), row >= 0 && row < 13 ? row : -1);
    }, std::string("after ") + c.what);
  }
  run_loop();
}

TEST_F(ListViewTest, KeysNeedTheFocusOnTheList) {
  load(numbered_words(100));
  gui_test::run([] { show_paged_list_position(running_kinds().dictionary, 5, 0); }, "select 5");
  gui_test::focus(HYPHENATION_WORD_FIELD);
  gui_test::press_key(MAIN_WINDOW, KEY_DOWN);
  settle();
  gui_test::run([] { EXPECT_EQ(doc().selected(), 5); }, "unchanged");
  run_loop();
}

TEST_F(ListViewTest, ClickSelectsAndAnEntryScrolledOffThePageStaysSelected) {
  load(numbered_words(100));
  gui_test::set_value(DICTIONARY_SCROLL, 10);
  gui_test::select_row(DICTIONARY_LIST, 3);
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().selected(), 13);
    EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"Word: [14/100]");
  }, "row 3 of the page at 10");
  gui_test::set_value(DICTIONARY_SCROLL, 50);
  // A tick elsewhere on the page reports the list again, with no row selected.
  gui_test::toggle_row_check(DICTIONARY_LIST, 0);
  settle();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), -1);
    EXPECT_EQ(doc().selected(), 13);
  }, "kept off the page");
  gui_test::set_value(DICTIONARY_SCROLL, 10);
  settle();
  gui_test::run([] { EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), 3); }, "highlighted again");
  // Deselecting on the page clears it.
  gui_test::run([] { load(numbered_words(5)); }, "a short list");
  gui_test::select_row(DICTIONARY_LIST, 2);
  settle();
  gui_test::run([] { EXPECT_EQ(doc().selected(), 2); }, "row 2");
  gui_test::click_below_rows(DICTIONARY_LIST);
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().selected(), -1);
    EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"# Words:5");
  }, "deselected");
  run_loop();
}

TEST_F(ListViewTest, TicksOnThePageCountAtOnceWithoutChangeOrSnapshot) {
  load(numbered_words(30));
  gui_test::set_value(DICTIONARY_SCROLL, 17);
  gui_test::toggle_row_check(DICTIONARY_LIST, 2);
  gui_test::toggle_row_check(DICTIONARY_LIST, 12);
  settle();
  gui_test::run([] {
    EXPECT_TRUE(doc().is_checked(19));
    EXPECT_TRUE(doc().is_checked(29));
    EXPECT_EQ(doc().checked_count(), 2);
    EXPECT_EQ(gadget_get_text(DICTIONARY_SELECTED_LABEL), u"Selected:2");
    EXPECT_FALSE(doc().changed());
    EXPECT_FALSE(doc().can_undo());
  }, "two ticks");
  gui_test::toggle_row_check(DICTIONARY_LIST, 2);
  settle();
  gui_test::run([] {
    EXPECT_FALSE(doc().is_checked(19));
    EXPECT_EQ(doc().checked_count(), 1);
  }, "one untick");
  run_loop();
}

TEST_F(ListViewTest, LabelsFollowCountSelectionMarksAndTheChangedFlag) {
  const text_t separator = ws_.prefs.applied.number_separator_chr;
  ws_.prefs.applied.number_separator_chr = u".";
  load(numbered_words(12345));
  update_paged_list_labels(dictionary().list);
  EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"# Words:12.345");
  EXPECT_EQ(gadget_get_text(DICTIONARY_CHANGED_MARK), u"");
  EXPECT_EQ(gadget_get_text(DICTIONARY_SELECTED_LABEL), u"Selected:None");
  show_paged_list_position(running_kinds().dictionary, 2, 0);
  doc().mark_changed();
  doc().set_checked(0, true);
  update_paged_list_labels(dictionary().list);
  EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"Word: [3/12.345]");
  EXPECT_EQ(gadget_get_text(DICTIONARY_CHANGED_MARK), u"\u25cf");
  EXPECT_EQ(gadget_x(DICTIONARY_CHANGED_MARK),
            gadget_x(DICTIONARY_STATUS_LABEL) + gadget_width(DICTIONARY_STATUS_LABEL) + 2);
  // "Selected:" counts in plain decimal; All only when every entry is ticked.
  doc().check_all();
  doc().set_checked(7, false);
  update_paged_list_labels(dictionary().list);
  EXPECT_EQ(gadget_get_text(DICTIONARY_SELECTED_LABEL), u"Selected:12344");
  doc().check_all();
  update_paged_list_labels(dictionary().list);
  EXPECT_EQ(gadget_get_text(DICTIONARY_SELECTED_LABEL), u"Selected:All");
  // The Hyphenation tab counts the same words with its own selection.
  ws_.hyphenation.place.selected = 4;
  update_paged_list_status_label(ws_.commands.kinds.hyphenation);
  EXPECT_EQ(gadget_get_text(HYPHENATION_STATUS_LABEL), u"Word: [5/12.345]");
  ws_.prefs.applied.number_separator_chr = separator;
  gui_test::finish();
}

TEST_F(ListViewTest, TheMainLoopRefreshesTheShownTabsLabels) {
  load(numbered_words(3));
  gui_test::run([] { doc().mark_changed(); }, "change");
  settle();
  settle();  // one whole pass after the change
  gui_test::run([] { EXPECT_EQ(gadget_get_text(DICTIONARY_CHANGED_MARK), u"\u25cf"); }, "marked");
  run_loop();
}

TEST_F(ListViewTest, UndoAndRedoBringBackEntriesPageAndSelection) {
  load(numbered_words(40));
  gui_test::set_value(DICTIONARY_SCROLL, 20);
  gui_test::select_row(DICTIONARY_LIST, 5);
  gui_test::focus(DICTIONARY_LIST);
  gui_test::press_key(MAIN_WINDOW, KEY_DELETE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().count(), 39);
    EXPECT_EQ(doc().entry(25), u"w26");
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 0);
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_REDO), 1);
    doc().mark_saved(doc().path());  // as if saved
  }, "deleted");
  gui_test::set_value(DICTIONARY_SCROLL, 0);
  gui_test::click(DICTIONARY_UNDO);
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().count(), 40);
    EXPECT_EQ(doc().entry(25), u"w25");
    EXPECT_EQ(doc().selected(), 25);
    EXPECT_EQ(gadget_get_state(DICTIONARY_SCROLL), 20);
    EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), 5);
    EXPECT_TRUE(doc().changed());  // differs from what was saved
    EXPECT_EQ(gadget_get_text(DICTIONARY_CHANGED_MARK), u"\u25cf");
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 1);
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_REDO), 0);
  }, "undone");
  gui_test::press_key(MAIN_WINDOW, key_ctrl('Y'));
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().count(), 39);
    EXPECT_EQ(doc().selected(), -1);
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 0);
  }, "redone");
  // Ctrl+Z on the Hyphenation tab does nothing.
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_HYPHENATION);
  gui_test::press_key(MAIN_WINDOW, key_ctrl('Z'));
  settle();
  gui_test::run([] { EXPECT_EQ(doc().count(), 39); }, "nothing on tab 2");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_DICTIONARY);
  gui_test::press_key(MAIN_WINDOW, key_ctrl('Z'));
  settle();
  gui_test::run([] { EXPECT_EQ(doc().count(), 40); }, "undone by key");
  run_loop();
}

TEST_F(ListViewTest, UndoWithoutHistoryDoesNothing) {
  load(numbered_words(3));
  gui_test::press_key(MAIN_WINDOW, key_ctrl('Z'));
  settle();
  gui_test::run([] {
    EXPECT_EQ(doc().count(), 3);
    EXPECT_FALSE(doc().changed());
  }, "nothing");
  run_loop();
}

// A rebuilt main window (new preferences) shows the documents again, with
// both histories reset.
TEST_F(ListViewTest, ARebuiltMainWindowShowsTheDocumentWithoutHistory) {
  load(numbered_words(20));
  show_paged_list_position(running_kinds().dictionary, 4, 2);
  save_list_undo(dictionary().list, 0);
  EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 0);
  window_close(MAIN_WINDOW);
  ASSERT_EQ(build_main_window(ws_.prefs), 1);
  EXPECT_FALSE(doc().can_undo());
  EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 1);
  EXPECT_EQ(gadget_get_disabled(DICTIONARY_REDO), 1);
  EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 13);
  EXPECT_EQ(cell(DICTIONARY_LIST, 0, 1), u"w2");
  EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), 2);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 19);
  EXPECT_EQ(gadget_get_text(DICTIONARY_STATUS_LABEL), u"Word: [5/20]");
  EXPECT_EQ(gadget_count_items(HYPHENATION_LIST), 13);
  gui_test::finish();
}

TEST_F(ListViewTest, ThesaurusAndAutocorrectListsPageTheirOwnDocuments) {
  list_document thesaurus, autocorrect;
  set_paged_list_document(ws_.commands.kinds.thesaurus, thesaurus);
  set_paged_list_document(ws_.commands.kinds.autocorrect, autocorrect);
  thesaurus.replace_all({u"cat|1\n(noun)|feline", u"dog|1\n(noun)|hound"}, u"");
  autocorrect.replace_all({u"teh\nthe", u"adn\nand"}, u"");
  EXPECT_EQ(gadget_count_items(THESAURUS_LIST), 2);
  EXPECT_EQ(cell(THESAURUS_LIST, 1, 1), u"dog|1");
  EXPECT_EQ(cell(AUTOCORRECT_LIST, 0, 2), u"the");
  EXPECT_EQ(gadget_get_item_color(AUTOCORRECT_LIST, 0, COLOR_TEXT, 1), COLOUR_RED);
  EXPECT_EQ(gadget_get_item_color(AUTOCORRECT_LIST, 0, COLOR_TEXT, 2), 39168);

  gui_test::select_tab(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::toggle_row_check(AUTOCORRECT_LIST, 1);
  settle();
  gui_test::run([&] {
    EXPECT_EQ(autocorrect.checked_count(), 1);
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_SELECTED_LABEL), u"Selected:1");
    EXPECT_EQ(gadget_get_text(AUTOCORRECT_STATUS_LABEL), u"# Autocorrects:2");
    invert_paged_list_checks(ws_.commands.kinds.autocorrect);
    EXPECT_TRUE(autocorrect.is_checked(0));
    EXPECT_FALSE(autocorrect.is_checked(1));
    EXPECT_EQ(gadget_get_item_state(AUTOCORRECT_LIST, 0) & ITEM_CHECKED, ITEM_CHECKED);
  }, "autocorrect marks");
  gui_test::select_row(AUTOCORRECT_LIST, 1);
  gui_test::focus(AUTOCORRECT_LIST);
  gui_test::press_key(MAIN_WINDOW, KEY_UP);
  settle();
  gui_test::run([&] { EXPECT_EQ(autocorrect.selected(), 0); }, "autocorrect key");
  run_loop();
  thesaurus.clear();
  gui_test::answer_message_box(MB_ANSWER_OK);
  invert_paged_list_checks(ws_.commands.kinds.thesaurus);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No synonyms found.");
  EXPECT_EQ(gui_test::last_requester().flags, MB_ICON_WARNING);
  set_paged_list_document(ws_.commands.kinds.thesaurus, ws_.thesaurus.list);
  set_paged_list_document(ws_.commands.kinds.autocorrect, ws_.autocorrect.list);
}

}  // namespace
