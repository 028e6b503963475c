// The dispatchers of the main window driven through the main loop: keys,
// menu items and buttons reach their commands, with the controls disabled
// around the long ones, and the inline list commands on screen.
#include "tests/app/shell_gui_support.h"

#include "app/gadget_dispatch.h"
#include "app/main_dispatch.h"
#include "app/menu_dispatch.h"
#include "dictionary/dic_file.h"
#include "gui/gui.h"
#include "kit/command_registry.h"
#include "kit/id_blocks.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"

#include <algorithm>
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
  text_t path;              // loaders
  save_choice choice{};     // savers
  bool controls_disabled;   // toolbar, panel and menu item 8 off while it ran
};

class DispatchTest : public DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    install_main_dispatch(ws_.commands, ws_.find, ws_.prefs);
    register_pass_refresh(pass_stage::tab_labels, "dispatch test", [] { ++passes_; });
  }
  static bool controls_off() {
    return gadget_get_disabled(TOOLBAR_OPEN) && gadget_get_disabled(MAIN_TAB_PANEL) &&
           menu_get_item_disabled(MAIN_MENU, MENU_OPEN) == 1;
  }
  // The commands of other parts, replaced by ones that record their calls.
  void record_load(document_kind& kind, std::string name) {
    kind.load = [this, name](const text_t& path) { calls_.push_back({name, path, {}, controls_off()}); };
  }
  void record_save(document_kind& kind, std::string name) {
    kind.save = [this, name](save_choice c) { calls_.push_back({name, {}, c, controls_off()}); };
  }
  void record_tool(int item, std::string name) {
    ws_.commands.tools.set_command(item, [this, name] { calls_.push_back({name, {}, {}, controls_off()}); });
  }
  document_kinds& kinds() { return ws_.commands.kinds; }
  static void load(std::vector<text_t> entries) {
    dictionary().list.replace_all(std::move(entries), u"/tmp/x.dic");
    paged_list_count_changed(dictionary().list);
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
};

TEST_F(DispatchTest, CtrlSPressesTheSaveButtonOfTheShownTab) {
  record_save(kinds().dictionary, "save_dictionary");
  record_save(kinds().thesaurus, "save_thesaurus");
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
  EXPECT_EQ(calls_[0].choice, save_choice::save);
  EXPECT_TRUE(calls_[0].controls_disabled);
  EXPECT_EQ(calls_[1].choice, save_choice::save_as);
}

// Open Refresh loads the newest entry of the shown tab's recent files; a
// list emptied meanwhile gives "", so the loader asks for the file.
TEST_F(DispatchTest, OpenRefreshLoadsTheNewestRecentFileOfTheShownTab) {
  record_load(kinds().dictionary, "load_dictionary");
  record_load(kinds().thesaurus, "load_thesaurus");
  gui_test::run([this] {
    reset_recent_files(ws_.recent_files);
    ws_.recent_files.lists[TAB_DICTIONARY][1] = u"/d/newest.dic";
    ws_.recent_files.lists[TAB_DICTIONARY][2] = u"/d/older.dic";
    ws_.recent_files.lists[TAB_THESAURUS][1] = u"/t/th.dat";
    gadget_set_text(DICTIONARY_FILE_LABEL, u"newest.dic");
  }, "recent files");
  wait_next_pass();  // the control states enable the button
  gui_test::click(TOOLBAR_OPEN_REFRESH);
  gui_test::wait_until([this] { return calls_.size() == 1; }, "reload ran");
  gui_test::run([this] {
    std::vector<text_t>& dictionary_files = ws_.recent_files.lists[TAB_DICTIONARY];
    dictionary_files.assign(dictionary_files.size(), text_t());
  }, "list cleared");
  gui_test::click(TOOLBAR_OPEN_REFRESH);
  gui_test::wait_until([this] { return calls_.size() == 2; }, "reload of an empty list ran");
  gui_test::run([] { gadget_set_text(DICTIONARY_FILE_LABEL, u"n/a"); }, "nothing open");
  run_loop();
  ASSERT_EQ(calls_.size(), 2u);
  EXPECT_EQ(calls_[0].name, "load_dictionary");
  EXPECT_EQ(calls_[0].path, u"/d/newest.dic");
  EXPECT_TRUE(calls_[0].controls_disabled);
  EXPECT_EQ(calls_[1].name, "load_dictionary");
  EXPECT_EQ(calls_[1].path, u"");
}

TEST_F(DispatchTest, MenuItemsRunTheShownTabsCommandAndControlsComeBack) {
  record_load(kinds().thesaurus, "load_thesaurus");
  record_tool(MENU_PREFERENCES, "show_preferences_window");
  record_load(kinds().dictionary, "load_dictionary");
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
  EXPECT_EQ(calls_[0].path, u"");
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
  kinds().dictionary.changed = [] { return true; };
  gui_test::choose_menu_item(MENU_OPEN_EXTENSION);
  gui_test::answer_message_box(MB_ANSWER_NO);  // no dialog, no message
  gui_test::choose_menu_item(MENU_OPEN_EXTENSION);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::answer_file_dialog(u"");
  gui_test::answer_message_box(MB_ANSWER_OK);
  wait_next_pass();
  gui_test::run([this] {
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Aborted.");
    kinds().dictionary.changed = nullptr;
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
    EXPECT_FALSE(doc().changed());
    EXPECT_EQ(gadget_count_items(DICTIONARY_LIST), 0);
    EXPECT_EQ(gadget_get_text(DICTIONARY_FILE_LABEL), u"n/a");
    EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 0);
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"OK.");
  }, "erased");
  gui_test::click(DICTIONARY_UNDO);
  wait_next_pass();
  gui_test::run([&words] {
    EXPECT_EQ(doc().entries(), words);
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
  doc().select(1);
  gui_test::click(DICTIONARY_SORT);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"apple", u"Banana", u"cherry", u"eclair"}));
    EXPECT_EQ(doc().checked_count(), 0);
    EXPECT_EQ(doc().selected(), -1);
    EXPECT_TRUE(doc().changed());
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
  gui_test::run([] { show_paged_list_position(running_kinds().hyphenation, 40, 35); }, "hyphenation selection");
  gui_test::select_row(DICTIONARY_LIST, 2);
  gui_test::right_click_row(DICTIONARY_LIST, 2);
  gui_test::choose_menu_item(POPUP_CLONE);
  wait_next_pass();
  gui_test::run([] {
    ASSERT_EQ(doc().count(), 101);
    EXPECT_EQ(doc().entry(100), u"w3");
    EXPECT_FALSE(doc().is_checked(100));
    EXPECT_EQ(doc().selected(), 2);
    EXPECT_TRUE(doc().changed());
    // An append moves no entry: the Hyphenation tab keeps its selection.
    EXPECT_EQ(paged_list_selected(running_kinds().hyphenation), 40);
    EXPECT_EQ(gadget_get_state(HYPHENATION_SCROLL), 35);
    EXPECT_EQ(gadget_get_text(HYPHENATION_STATUS_LABEL), u"Word: [41/101]");
  }, "cloned");
  gui_test::click(DICTIONARY_GO_BOTTOM);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(doc().selected(), 100);
    EXPECT_EQ(gadget_get_state(DICTIONARY_SCROLL), 88);
    EXPECT_EQ(gadget_get_item_text(DICTIONARY_LIST, 0, 0), u"89");
    EXPECT_EQ(gadget_get_state(DICTIONARY_LIST), 12);
  }, "bottom");
  gui_test::click(DICTIONARY_GO_TOP);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(doc().selected(), 0);
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
    EXPECT_FALSE(doc().changed());
  }, "kept");
  gui_test::click(AFF_CLEAR);
  gui_test::answer_message_box(MB_ANSWER_YES);
  wait_next_pass();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"");
    EXPECT_TRUE(doc().changed());
    doc().mark_saved(doc().path());
  }, "cleared");
  // Already empty: no question, and the dictionary is marked changed.
  gui_test::click(AFF_CLEAR);
  wait_next_pass();
  gui_test::run([] { EXPECT_TRUE(doc().changed()); }, "empty editor");
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

// ---- Every item and key reaches a command -------------------------------------------------------

namespace {

using shell_test::ShellTest;

std::string on_tab(const std::string& what, int tab) { return what + " on tab " + std::to_string(tab); }

bool reaches(const menu_action& a, const tool_registration* tool) {
  switch (a.kind) {
    // Only an item shown on purpose without an action does nothing.
    case menu_action_kind::nothing: return tool && tool->answer == tool_answer::nothing;
    case menu_action_kind::command: return static_cast<bool>(a.command);
    case menu_action_kind::recent_file: return static_cast<bool>(a.load);
    // "Not coded yet.", the package dialog, the exit question, the list's reset.
    default: return true;
  }
}

bool reaches(const gadget_action& a) {
  if (a.kind == gadget_action_kind::command) return static_cast<bool>(a.command);
  if (a.kind == gadget_action_kind::open_refresh) return static_cast<bool>(a.load);
  return a.kind != gadget_action_kind::nothing;
}

// What the user can choose on each tab that reaches nothing: every item of
// the menu bar enabled there, every key of window 0 that acts there, and the
// list buttons and popup items of the editable lists.
std::vector<std::string> unreachable(const main_commands& commands) {
  std::vector<std::string> out;
  for (int tab = 0; tab < TAB_COUNT; ++tab) {
    gadget_set_state(MAIN_TAB_PANEL, tab);
    refresh_control_states(commands);
    refresh_recent_files_menu();
    const document_kind& kind = *commands.kinds.of_tab(tab);
    for (int item = MAIN_MENU_ITEMS_BLOCK.first; item < MAIN_MENU_ITEMS_BLOCK.first + MAIN_MENU_ITEMS_BLOCK.size;
         ++item) {
      if (menu_get_item_disabled(MAIN_MENU, item) != 0) continue;  // not in the bar, or disabled
      if (!reaches(menu_action_for(item, tab, commands), commands.tools.find(item))) {
        out.push_back(on_tab("menu item " + std::to_string(item), tab));
      }
    }
    // The keys that act on the tab: the editable lists' keys, Find and Goto
    // on the searchable lists, the toolbar's keys while their button is
    // enabled, Exit and Help everywhere.
    const struct {
      int shortcut;
      bool acts;
    } keys[] = {{SHORTCUT_DELETE, kind.keeps_history}, {SHORTCUT_SELECT_ADD, kind.keeps_history},
                {SHORTCUT_UNDO, kind.keeps_history},   {SHORTCUT_REDO, kind.keeps_history},
                {SHORTCUT_FIND, kind.searchable},      {SHORTCUT_GOTO, kind.searchable},
                {SHORTCUT_OPEN, true},                 {SHORTCUT_SAVE, true},
                {SHORTCUT_SAVE_AS, true},              {SHORTCUT_QUIT, true},
                {SHORTCUT_HELP, true}};
    for (const auto& k : keys) {
      if (!k.acts) continue;
      const shortcut_action a = shortcut_action_for(k.shortcut, tab, commands);
      bool reached = a.kind != shortcut_action_kind::nothing;
      if (a.kind == shortcut_action_kind::command) reached = static_cast<bool>(a.command);
      if (a.kind == shortcut_action_kind::post_menu) {
        reached = reaches(menu_action_for(a.object, tab, commands), commands.tools.find(a.object));
      }
      if (a.kind == shortcut_action_kind::post_gadget && gadget_get_disabled(a.object) == 0) {
        reached = reaches(gadget_action_for(a.object, tab, commands.kinds));
      }
      if (!reached) out.push_back(on_tab("key " + std::to_string(k.shortcut), tab));
    }
    if (kind.first_row_button != 0) {
      for (int g = kind.first_row_button; g < kind.first_row_button + LIST_ROW_BUTTONS; ++g) {
        if (!reaches(gadget_action_for(g, tab, commands.kinds))) out.push_back(on_tab("button " + std::to_string(g), tab));
      }
      for (int item : {POPUP_EDIT, POPUP_CLONE, POPUP_ADD, POPUP_SELECT_ALL, POPUP_SELECT_NONE, POPUP_INVERT,
                       POPUP_DELETE_SELECTED, POPUP_DELETE_CURRENT}) {
        if (!reaches(popup_action_for(item, kind.list_gadget, commands.kinds))) {
          out.push_back(on_tab("popup item " + std::to_string(item), tab));
        }
      }
    }
  }
  return out;
}

class ReachabilityTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    start_with_valid_prefs();
    // An entry in each tab's recent files enables its items.
    for (int tab = 0; tab < TAB_COUNT; ++tab) (*recent_files_list(ws_.recent_files, tab))[1] = u"/recent/file";
  }
  void TearDown() override {
    reset_recent_files(ws_.recent_files);
    gui_test::finish();
    ShellTest::TearDown();
  }
};

TEST_F(ReachabilityTest, EveryEnabledItemAndKeyReachesACommand) {
  EXPECT_EQ(unreachable(ws_.commands), std::vector<std::string>{});
}

// A registration that is missing leaves its item or key without a command.
TEST_F(ReachabilityTest, AMissingRegistrationIsFound) {
  ws_.commands.tools.set_command(MENU_CRUNCH, nullptr);
  ws_.commands.kinds.thesaurus.entries.edit = nullptr;
  ws_.commands.kinds.autocorrect.load = nullptr;
  const auto item = [](int n, int tab) { return on_tab("menu item " + std::to_string(n), tab); };
  const auto key = [](int n, int tab) { return on_tab("key " + std::to_string(n), tab); };
  const auto button = [](int n, int tab) { return on_tab("button " + std::to_string(n), tab); };
  const auto popup = [](int n, int tab) { return on_tab("popup item " + std::to_string(n), tab); };
  const std::vector<std::string> expected = {
      item(MENU_CRUNCH, TAB_DICTIONARY),
      key(SHORTCUT_SELECT_ADD, TAB_THESAURUS),
      button(THESAURUS_ADD, TAB_THESAURUS),
      button(THESAURUS_EDIT, TAB_THESAURUS),
      popup(POPUP_EDIT, TAB_THESAURUS),
      popup(POPUP_ADD, TAB_THESAURUS),
      item(MENU_OPEN, TAB_AUTOCORRECT),
      item(MENU_RECENT_FIRST, TAB_AUTOCORRECT),
      key(SHORTCUT_OPEN, TAB_AUTOCORRECT),  // the Open button it presses
  };
  EXPECT_EQ(unreachable(ws_.commands), expected);
}

}  // namespace
