// The dispatchers of the main window driven through the main loop: keys,
// menu items and buttons reach their commands, with the controls disabled
// around the long ones, and the inline list commands on screen.
#include "shell_gui_support.h"

#include "dictionary/dic_file.h"
#include "gui/gui.h"
#include "shell/command_registry.h"
#include "shell/list_view_ui.h"
#include "shell/main_dispatch.h"
#include "shell/recent_files.h"
#include "shell/shell_commands.h"
#include "shell/shell_ids.h"
#include "shell/undo_redo_ui.h"

#include <memory>
#include <string>
#include <vector>

using shell_test::DictionaryListTest;

namespace {

std::vector<text_t> numbered_words(int n) {
  std::vector<text_t> words;
  for (int i = 1; i <= n; ++i) words.push_back(u"w" + string_from_int(i));
  return words;
}

struct recorded_call {
  std::string name;
  shell_command_args args;
  bool controls_disabled;  // toolbar, panel and menu item 8 off while it ran
};

class DispatchTest : public DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    install_main_dispatch();
    static int generation = 0;
    const int mine = ++generation;
    register_pass_refresh(pass_stage::tab_labels, [mine] {
      if (mine == generation) ++passes_;
    });
  }
  void TearDown() override {
    for (const std::string& name : recorded_names_) register_shell_command(name, nullptr);
    DictionaryListTest::TearDown();
  }
  // Commands of other parts, replaced by ones that record their calls.
  void record(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      recorded_names_.emplace_back(name);
      register_shell_command(name, [this, n = std::string(name)](const shell_command_args& a) {
        const bool off = gadget_get_disabled(TOOLBAR_OPEN) && gadget_get_disabled(MAIN_TAB_PANEL) &&
                         menu_get_item_disabled(MAIN_MENU, MENU_OPEN) == 1;
        calls_.push_back({n, a, off});
      });
    }
  }
  static void load(std::vector<text_t> entries) {
    dictionary_document.list.replace_all(std::move(entries), u"/tmp/x.dic");
    paged_list_count_changed(TAB_DICTIONARY);
  }
  // Steps run inside message boxes and the polls of long jobs too: this
  // waits until the command that is running has returned to the main loop.
  static void wait_next_pass() {
    auto mark = std::make_shared<int>(0);
    gui_test::run([mark] { *mark = passes_; }, "mark the pass");
    gui_test::wait_until([mark] { return passes_ > *mark; }, "the next pass of the main loop");
  }
  static inline int passes_ = 0;
  std::vector<recorded_call> calls_;
  std::vector<std::string> recorded_names_;
};

TEST_F(DispatchTest, CtrlSPressesTheSaveButtonOfTheShownTab) {
  record({"save_dictionary", "save_thesaurus"});
  load(numbered_words(3));
  gui_test::press_key(MAIN_WINDOW, key_ctrl('S'));
  gui_test::wait_until([this] { return !calls_.empty(); }, "save_dictionary ran");
  gui_test::press_key(MAIN_WINDOW, key_ctrl('S') | KEY_SHIFT);
  gui_test::wait_until([this] { return calls_.size() == 2; }, "save as ran");
  // The AutoText tab has nothing to save: its button is disabled, so the
  // posted click does nothing; neither does it on an empty thesaurus.
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_AUTOTEXT);
  gui_test::press_key(MAIN_WINDOW, key_ctrl('S'));
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_THESAURUS);
  gui_test::press_key(MAIN_WINDOW, key_ctrl('S'));
  // The posted click is handled one pass after the key.
  wait_next_pass();
  wait_next_pass();
  run_loop();
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].name, "save_dictionary");
  EXPECT_EQ(calls_[0].args.numbers, (std::vector<int64_t>{1, 0}));
  EXPECT_TRUE(calls_[0].controls_disabled);
  EXPECT_EQ(calls_[1].args.numbers, (std::vector<int64_t>{0, 1}));
}

// Open Refresh loads the newest entry of the shown tab's recent files; a
// list emptied meanwhile gives "", so the loader asks for the file.
TEST_F(DispatchTest, OpenRefreshLoadsTheNewestRecentFileOfTheShownTab) {
  record({"load_dictionary", "load_thesaurus"});
  gui_test::run([] {
    reset_recent_files();
    recent_dictionary_files[1] = u"/d/newest.dic";
    recent_dictionary_files[2] = u"/d/older.dic";
    recent_thesaurus_files[1] = u"/t/th.dat";
    gadget_set_text(DICTIONARY_FILE_LABEL, u"newest.dic");
  }, "recent files");
  wait_next_pass();  // the control states enable the button
  gui_test::click(TOOLBAR_OPEN_REFRESH);
  gui_test::wait_until([this] { return calls_.size() == 1; }, "reload ran");
  gui_test::run([] { recent_dictionary_files.assign(recent_dictionary_files.size(), text_t()); }, "list cleared");
  gui_test::click(TOOLBAR_OPEN_REFRESH);
  gui_test::wait_until([this] { return calls_.size() == 2; }, "reload of an empty list ran");
  gui_test::run([] { gadget_set_text(DICTIONARY_FILE_LABEL, u"n/a"); }, "nothing open");
  run_loop();
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].name, "load_dictionary");
  EXPECT_EQ(calls_[0].args.text, u"/d/newest.dic");
  EXPECT_TRUE(calls_[0].controls_disabled);
  EXPECT_EQ(calls_[1].name, "load_dictionary");
  EXPECT_EQ(calls_[1].args.text, u"");
}

TEST_F(DispatchTest, MenuItemsRunTheShownTabsCommandAndControlsComeBack) {
  record({"load_thesaurus", "show_preferences_window", "load_dictionary"});
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_THESAURUS);
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::wait_until([this] { return calls_.size() == 1; }, "Open ran");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_disabled(TOOLBAR_OPEN), 0);
    EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_OPEN), 0);
    EXPECT_EQ(gadget_get_disabled(MAIN_TAB_PANEL), 0);
  }, "controls back");
  gui_test::choose_menu_item(MENU_PREFERENCES);
  gui_test::wait_until([this] { return calls_.size() == 2; }, "Preferences ran");
  run_loop();
  EXPECT_EQ(calls_[0].name, "load_thesaurus");
  EXPECT_EQ(calls_[0].args.text, u"");
  EXPECT_TRUE(calls_[0].controls_disabled);
  EXPECT_EQ(calls_[1].name, "show_preferences_window");
  EXPECT_FALSE(calls_[1].controls_disabled);
}

TEST_F(DispatchTest, NotCodedItemsAnswerWithAWarning) {
  gui_test::choose_menu_item(MENU_REDUNDANT_FLAGS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  // "All Uppercase .txt" does nothing at all.
  gui_test::choose_menu_item(MENU_EXTRACT_UPPERCASE_TXT);
  wait_next_pass();
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), 1u);
  EXPECT_EQ(gui_test::requesters()[0].title, u"Warning!");
  EXPECT_EQ(gui_test::requesters()[0].text, u"Not coded yet.");
  EXPECT_EQ(gui_test::requesters()[0].flags, MB_ICON_WARNING);
}

TEST_F(DispatchTest, OpenExtensionAsksFirstWhenSomethingChanged) {
  set_document_changed_test(0, [] { return true; });
  gui_test::choose_menu_item(MENU_OPEN_EXTENSION);
  gui_test::answer_message_box(MB_ANSWER_NO);  // no dialog, no message
  gui_test::choose_menu_item(MENU_OPEN_EXTENSION);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::answer_file_dialog(u"");
  gui_test::answer_message_box(MB_ANSWER_OK);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Aborted.");
    set_document_changed_test(0, nullptr);
  }, "status");
  run_loop();
  const auto& r = gui_test::requesters();
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].kind, gui_test::REQUESTER_MESSAGE_BOX);
  EXPECT_EQ(r[1].kind, gui_test::REQUESTER_MESSAGE_BOX);
  EXPECT_EQ(r[2].kind, gui_test::REQUESTER_FILE_OPEN);
  EXPECT_EQ(r[2].title, u"Open Extension .xpi/.oxt");
  EXPECT_EQ(r[2].filter_names, std::vector<text_t>{u".xpi/.oxt (*.xpi/*.oxt)"});
  EXPECT_EQ(r[2].filter_patterns, (std::vector<std::vector<text_t>>{{u"*.xpi", u"*.oxt"}}));
  EXPECT_EQ(r[3].text, u"Not coded yet.");
}

TEST_F(DispatchTest, TabKeysStopAtTheEnds) {
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  gui_test::press_key(MAIN_WINDOW, KEY_TAB | KEY_CTRL);
  wait_next_pass();
  gui_test::run([] { EXPECT_EQ(gadget_get_state(MAIN_TAB_PANEL), TAB_AUTOCORRECT); }, "stays on Autocorrect");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_LANGUAGETOOL);
  gui_test::press_key(MAIN_WINDOW, KEY_TAB | KEY_CTRL | KEY_SHIFT);
  wait_next_pass();
  gui_test::run([] { EXPECT_EQ(gadget_get_state(MAIN_TAB_PANEL), TAB_AUTOTEXT); }, "back to AutoText");
  gui_test::press_key(MAIN_WINDOW, KEY_TAB | KEY_CTRL);
  wait_next_pass();
  gui_test::run([] { EXPECT_EQ(gadget_get_state(MAIN_TAB_PANEL), TAB_LANGUAGETOOL); }, "on to LanguageTool");
  run_loop();
}

TEST_F(DispatchTest, ControlStatesFollowTheDocumentAndTheTab) {
  gui_test::run([] {
    EXPECT_EQ(gadget_get_disabled(TOOLBAR_SAVE), 1);
    EXPECT_EQ(gadget_get_disabled(TOOLBAR_OPEN_REFRESH), 1);
    EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_SAVE), 1);
    EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_AFF_VALIDATE), 0);
    EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_THESAURUS_BULK_IMPORT), 1);
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_ADD), 0);
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 1);
    load(numbered_words(2));
  }, "empty dictionary");
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_disabled(TOOLBAR_SAVE), 0);
    EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_SAVE_AS), 0);
  }, "words to save");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_HYPHENATION);
  wait_next_pass();
  gui_test::run([] {
    // The pattern editor starts with "UTF-8\n": something to save.
    EXPECT_EQ(gadget_get_disabled(TOOLBAR_SAVE), 0);
    EXPECT_EQ(menu_get_item_disabled(MAIN_MENU, MENU_AFF_VALIDATE), 1);
    gadget_set_text(HYPHENATION_EDITOR, u"");
  }, "hyphenation tab");
  wait_next_pass();
  gui_test::run([] { EXPECT_EQ(gadget_get_disabled(TOOLBAR_SAVE), 1); }, "empty pattern editor");
  run_loop();
}

TEST_F(DispatchTest, EraseThenUndoBringsEveryEntryBack) {
  const std::vector<text_t> words = numbered_words(30);
  load(words);
  gui_test::click(DICTIONARY_ERASE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_TRUE(doc().empty());
    EXPECT_FALSE(doc().changed);
    EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 0);
    EXPECT_EQ(gadget_get_text(DICTIONARY_FILE_LABEL), u"n/a");
    EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 0);
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"OK.");
  }, "erased");
  gui_test::click(DICTIONARY_UNDO);
  wait_next_pass();
  gui_test::run([&words] {
    EXPECT_EQ(doc().entries, words);
    EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 13);
  }, "undone");
  // An empty list is refused.
  gui_test::click(THESAURUS_ERASE);
  gui_test::answer_message_box(MB_ANSWER_OK);
  wait_next_pass();
  gui_test::run([] { EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Aborted."); }, "refused");
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::requesters()[0].text, u"Really delete all dictionary words?");
  EXPECT_EQ(gui_test::requesters()[0].flags, MB_YES_NO | MB_ICON_WARNING);
  EXPECT_EQ(gui_test::requesters()[1].text, u"No synonyms found.");
}

TEST_F(DispatchTest, SortShowsTheSortedPageWithoutMarksOrSelection) {
  load({u"eclair", u"Banana", u"apple", u"cherry"});
  doc().set_checked(0, true);
  doc().selected = 1;
  gui_test::click(DICTIONARY_SORT);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(doc().entries, (std::vector<text_t>{u"apple", u"Banana", u"cherry", u"eclair"}));
    EXPECT_EQ(doc().checked_count, 0);
    EXPECT_EQ(doc().selected, -1);
    EXPECT_TRUE(doc().changed);
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 0, 1), u"apple");
    EXPECT_EQ(gadget_get_item_state(DICTIONARY_LIST, 3), 0);
    EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), -1);
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT).substr(0, 4), u"OK. ");
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 0);
  }, "sorted");
  run_loop();
}

TEST_F(DispatchTest, CloneFromThePopupAndGoToBottom) {
  load(numbered_words(100));
  // The Hyphenation tab pages the same entries with a selection of its own.
  gui_test::run([] { show_paged_list_position(TAB_HYPHENATION, 40, 35); }, "hyphenation selection");
  gui_test::select_row(DICTIONARY_LIST, 2);
  gui_test::right_click_row(DICTIONARY_LIST, 2);
  gui_test::choose_menu_item(POPUP_CLONE);
  wait_next_pass();
  gui_test::run([] {
    ASSERT_EQ(doc().count(), 101);
    EXPECT_EQ(doc().entry(100), u"w3");
    EXPECT_FALSE(doc().is_checked(100));
    EXPECT_EQ(doc().selected, 2);
    EXPECT_TRUE(doc().changed);
    // An append moves no entry: the Hyphenation tab keeps its selection.
    EXPECT_EQ(hyphenation_selected, 40);
    EXPECT_EQ(gadget_get_state(HYPHENATION_SCROLL), 35);
    EXPECT_EQ(gadget_get_text(HYPHENATION_STATUS_LABEL), u"Word: [41/101]");
  }, "cloned");
  gui_test::click(DICTIONARY_GO_BOTTOM);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(doc().selected, 100);
    EXPECT_EQ(gadget_get_state(DICTIONARY_SCROLL), 88);
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 0, 0), u"89");
    EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), 12);
  }, "bottom");
  gui_test::click(DICTIONARY_GO_TOP);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(doc().selected, 0);
    EXPECT_EQ(gadget_get_state(DICTIONARY_SCROLL), 0);
    EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), 0);
  }, "top");
  run_loop();
}

TEST_F(DispatchTest, ClearingTheAffEditorAsksAndMarksTheDictionaryChanged) {
  gui_test::run([] { gadget_set_text(AFF_EDITOR, u"SET UTF-8\n"); }, "aff text");
  gui_test::click(AFF_CLEAR);
  gui_test::answer_message_box(MB_ANSWER_CLOSED);  // keeps the text
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SET UTF-8\n");
    EXPECT_FALSE(doc().changed);
  }, "kept");
  gui_test::click(AFF_CLEAR);
  gui_test::answer_message_box(MB_ANSWER_YES);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"");
    EXPECT_TRUE(doc().changed);
    doc().changed = false;
  }, "cleared");
  // Already empty: no question, and the dictionary is marked changed.
  gui_test::click(AFF_CLEAR);
  wait_next_pass();
  gui_test::run([] { EXPECT_TRUE(doc().changed); }, "empty editor");
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::requesters()[0].text, u"The .AFF has contents.\n\nContinue?");
}

}  // namespace

namespace {

TEST_F(DispatchTest, LicenceLinkOpensTheManualAtItsAnchor) {
  shell_test::recording_opener opener(folder_);
  gui_test::click(FOOTER_LICENCE_LINK);
  opener.wait_for_lines(1);
  run_loop();
  EXPECT_EQ(opener.opened(), "file://" + folder_ + "Vocabrix_manual_V40.html#7.apache_license\n");
}

TEST_F(DispatchTest, LicenceLinkAndF1SaySoWhenNoBrowserStarts) {
  shell_test::write_file(folder_ + "Vocabrix_manual_V40.html", "<html></html>");
  shell_test::recording_opener failing(folder_, 3);
  gui_test::click(FOOTER_LICENCE_LINK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::press_key(MAIN_WINDOW, KEY_F1);
  gui_test::answer_message_box(MB_ANSWER_OK);
  run_loop();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::requesters()[0].title, u"Error!");
  EXPECT_NE(gui_test::requesters()[0].text.find(u"Vocabrix_manual_V40.html#7.apache_license"), text_t::npos);
  EXPECT_NE(gui_test::requesters()[1].text.find(u"Vocabrix_manual_V40.html"), text_t::npos);
}

}  // namespace
