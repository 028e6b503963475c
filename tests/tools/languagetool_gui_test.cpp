// The LanguageTool tab, the POS settings window and the POS extraction,
// driven through the main window's menus with the requesters answered.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"

#include "app/main_loop.h"
#include "dictionary/dic_file.h"
#include "dictionary/dictionary_files_ui.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "tools/grammar_rules.h"
#include "tools/pos_rules.h"
#include "tools/pos_settings_window.h"

#include <filesystem>
#include <string>
#include <vector>

using shell_test::read_file;
using shell_test::settle;
using shell_test::write_file;
namespace ids = pos_settings_ids;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class LanguageToolTest : public shell_test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ws_.grammar = grammar_document_record();
    start_with_valid_prefs();
  }
  void TearDown() override {
    ws_.grammar = grammar_document_record();
    ShellTest::TearDown();
  }
  static void run_loop() {
    gui_test::close_window(MAIN_WINDOW);
    run_main_loop();
    gui_test::finish();
  }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
  static text_t fixture() { return from_utf8(std::string(VOCABRIX_TOOLS_TEST_DATA "/grammar_small.xml")); }
  static text_t menu_text(int item) { return menu_get_item_text(MAIN_MENU, item); }
};

TEST_F(LanguageToolTest, OpenShowsChunksCategoriesAndDetails) {
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_LANGUAGETOOL);
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(fixture());
  settle();
  gui_test::run([] {
    ASSERT_EQ(gadget_count_items(GRAMMAR_LIST), 7);
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_LIST, 1, 0), u"9");
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_LIST, 1, 1), u"category");
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_LIST, 1, 2), u"TYPOS");
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_LIST, 1, 3), u"Possible Typo");
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_LIST, 1, 4), u"grammar");
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_LIST, 2, 6), u"off");
    // Colours: line numbers, category rows, rule groups, rules that are off.
    EXPECT_EQ(gadget_get_item_color(GRAMMAR_LIST, -1, COLOR_BACKGROUND, 0), 0xDFDADA);
    EXPECT_EQ(gadget_get_item_color(GRAMMAR_LIST, 1, COLOR_BACKGROUND, 3), 0x577AB9);
    EXPECT_EQ(gadget_get_item_color(GRAMMAR_LIST, 1, COLOR_TEXT, 6), 0xFFFFFF);
    EXPECT_EQ(gadget_get_item_color(GRAMMAR_LIST, 3, COLOR_TEXT, 2), 0x009900);
    EXPECT_EQ(gadget_get_item_color(GRAMMAR_LIST, 2, COLOR_TEXT, 6), 0x0000FF);
    EXPECT_EQ(gadget_get_item_color(GRAMMAR_LIST, 2, COLOR_TEXT, 5), -1);
    ASSERT_EQ(gadget_count_items(GRAMMAR_CATEGORY_LIST), 2);
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_CATEGORY_LIST, 0, 0), u"9");
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_CATEGORY_LIST, 0, 1), u"TYPOS (4)");
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_CATEGORY_LIST, 1, 1), u"STYLE (1)");
    EXPECT_EQ(gadget_get_item_color(GRAMMAR_CATEGORY_LIST, -1, COLOR_BACKGROUND, 1), 0x577AB9);
    EXPECT_EQ(gadget_get_item_text(GRAMMAR_CATEGORY_LIST, -1, 1), u"ID Category (2), \u2211 Rules (5)");
    EXPECT_EQ(gadget_get_text(GRAMMAR_STATUS_LABEL), u"# Chunks:7");
    EXPECT_EQ(gadget_get_text(GRAMMAR_FILE_LABEL), u"grammar_small.xml");
    EXPECT_EQ(status().substr(0, 10), u"OK. (xml:8");
  }, "loaded");
  gui_test::select_row(GRAMMAR_LIST, 2);
  settle();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(GRAMMAR_RULE1_LABEL), u":TEH");
    EXPECT_EQ(gadget_get_text(GRAMMAR_RULE2_LABEL), u":teh");
    EXPECT_EQ(gadget_get_text(GRAMMAR_VIEW).substr(0, 15), u"  <rule id=\"TEH");
  }, "chunk shown");
  gui_test::select_row(GRAMMAR_CATEGORY_LIST, 1);
  settle();
  gui_test::run([] {
    EXPECT_EQ(gadget_get_state(GRAMMAR_LIST), 5);
    EXPECT_EQ(gadget_get_text(GRAMMAR_RULE1_LABEL), u":STYLE");
    EXPECT_EQ(gadget_get_text(GRAMMAR_VIEW).substr(0, 20), u"<category id=\"STYLE\"");
  }, "category shown");
  // A refused (empty) file keeps what is shown.
  write_file(folder_ + "empty.xml", "");
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(from_utf8(folder_ + "empty.xml"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] {
    EXPECT_EQ(status(), u"File not found.");
    EXPECT_EQ(gadget_count_items(GRAMMAR_LIST), 7);
    gadget_clear_items(GRAMMAR_CATEGORY_LIST);  // Open Refresh must fill it again
  }, "refused");
  // Open Refresh loads the most recent grammar file again.
  gui_test::click(TOOLBAR_OPEN_REFRESH);
  settle();
  gui_test::run([] {
    EXPECT_EQ(status().substr(0, 9), u"OK. (xml:");
    EXPECT_EQ(gadget_count_items(GRAMMAR_CATEGORY_LIST), 2);
    EXPECT_EQ(gadget_get_text(GRAMMAR_VIEW), u"");
    EXPECT_EQ(gadget_get_text(GRAMMAR_RULE1_LABEL), u":n/a");
  }, "refreshed");
  run_loop();
  const auto& asked = gui_test::requesters();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].title, u"Open grammar rules");
  ASSERT_EQ(asked[0].filter_names.size(), 1u);
  EXPECT_EQ(asked[0].filter_names[0], u"Grammar.xml (*.xml)");
  EXPECT_EQ(asked[2].title, u"Error!");
  EXPECT_EQ(asked[2].text, u".XML file not found.");
}

TEST_F(LanguageToolTest, StructureExport) {
  const std::string with = folder_ + "with.txt";
  const std::string plain = folder_ + "plain";
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_LANGUAGETOOL);
  // Nothing loaded: nothing to save.
  gui_test::choose_menu_item(MENU_RULES_STRUCTURE);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] { EXPECT_EQ(status(), u"Aborted."); }, "nothing to save");
  gui_test::choose_menu_item(MENU_OPEN);
  gui_test::answer_file_dialog(fixture());
  settle();
  // A cancelled requester ends with "Aborted.", not with the job's text.
  gui_test::choose_menu_item(MENU_RULES_STRUCTURE);
  gui_test::answer_file_dialog(u"");
  settle();
  gui_test::run([] { EXPECT_EQ(status(), u"Aborted."); }, "cancelled");
  gui_test::choose_menu_item(MENU_RULES_STRUCTURE);
  gui_test::answer_file_dialog(from_utf8(with));
  settle();
  gui_test::run([] { EXPECT_EQ(status().substr(0, 5), u"OK. ("); }, "exported");
  gui_test::choose_menu_item(MENU_RULES_STRUCTURE_PLAIN);
  gui_test::answer_file_dialog(from_utf8(plain));
  settle();
  run_loop();
  const auto& asked = gui_test::requesters();
  ASSERT_GE(asked.size(), 3u);
  EXPECT_EQ(asked[0].text, u"Nothing to save.");
  EXPECT_EQ(asked[2].title, u"Save Text File");
  const std::string w = read_file(with);
  const std::string w_start = kBom + "Line: 9\nID Category:TYPOS (4)\n\nLine: 21";
  EXPECT_EQ(w.substr(0, w_start.size()), w_start);
  const std::string p = read_file(plain + ".txt");
  const std::string p_start = kBom + "ID Category:TYPOS (4)\n\nID Category:STYLE (1)";
  EXPECT_EQ(p.substr(0, p_start.size()), p_start);
  EXPECT_EQ(p.find("Line: "), std::string::npos);
}

// The POS settings window: labels, checks, the rule dialog (blank and
// TAB-holding fields), language choice, Save, and the menu items on closing.
TEST_F(LanguageToolTest, PosSettingsWindow) {
  EXPECT_EQ(menu_text(MENU_POS_ADDED), u"POS added.txt (English)");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_LANGUAGETOOL);
  gui_test::choose_menu_item(MENU_POS_SETTINGS);
  gui_test::wait_window(ids::WINDOW);
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:27");
  gui_test::wait_gadget_text(ids::SELECTED_LABEL, u"Selected:None");
  gui_test::toggle_row_check(ids::RULE_LIST, 0);
  gui_test::toggle_row_check(ids::RULE_LIST, 3);
  gui_test::wait_gadget_text(ids::SELECTED_LABEL, u"Selected:2/27");
  gui_test::right_click_row(ids::RULE_LIST, 1);
  gui_test::choose_menu_item(ids::ITEM_SELECT_ALL);
  gui_test::wait_gadget_text(ids::SELECTED_LABEL, u"Selected:All");
  gui_test::right_click_row(ids::RULE_LIST, 1);
  gui_test::choose_menu_item(ids::ITEM_SELECT_NONE);
  gui_test::wait_gadget_text(ids::SELECTED_LABEL, u"Selected:None");
  // Add: a blank comment is refused; TABs typed into a field are dropped.
  gui_test::click(ids::ADD);
  gui_test::wait_window(ids::RULE_WINDOW);
  gui_test::run([] {
    gadget_set_text(ids::RULE_SOURCE, u"New\tsource");
    gadget_set_text(ids::RULE_TARGET, u" NT ");
    gadget_set_text(ids::RULE_COMMENT, u"   ");
  }, "typed");
  gui_test::click(ids::RULE_OK);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::run([] { gadget_set_text(ids::RULE_COMMENT, u"note"); }, "comment");
  gui_test::click(ids::RULE_OK);
  gui_test::wait_window_closed(ids::RULE_WINDOW);
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:28");
  gui_test::run([this] {
    EXPECT_EQ(gadget_get_item_text(ids::RULE_LIST, 27, 0), u"Newsource");
    EXPECT_EQ(ws_.pos_rules.table[2][28], u"Newsource\n NT \nnote");
  }, "added");
  // Delete the selected (new) rule: No keeps it, Yes removes it.
  gui_test::click(ids::DELETE);
  gui_test::answer_message_box(MB_ANSWER_NO);
  gui_test::run([this] { EXPECT_EQ(ws_.pos_rules.counts[2], 28); }, "kept");
  gui_test::click(ids::DELETE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:27");
  gui_test::click(ids::SAVE);
  gui_test::select_combo(ids::LANGUAGE_COMBO, 1);
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:23");
  gui_test::click(ids::OK);
  gui_test::wait_window_closed(ids::WINDOW);
  gui_test::run([this] {
    EXPECT_EQ(ws_.pos_rules.language, 1);
    EXPECT_EQ(menu_text(MENU_POS_ADDED), u"POS added.txt (Portuguese)");
    EXPECT_EQ(menu_text(MENU_POS_SPELLING), u"POS spelling.txt (Portuguese)");
  }, "closed with OK");

  // Cancel takes back the language and every edit made since opening.
  gui_test::choose_menu_item(MENU_POS_SETTINGS);
  gui_test::wait_window(ids::WINDOW);
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:23");
  gui_test::right_click_row(ids::RULE_LIST, 0);
  gui_test::choose_menu_item(ids::ITEM_SELECT_ALL);
  // The first popup has closed before the next right click opens another.
  gui_test::wait_gadget_text(ids::SELECTED_LABEL, u"Selected:All");
  gui_test::right_click_row(ids::RULE_LIST, 0);
  gui_test::choose_menu_item(ids::ITEM_DELETE_SELECTED);
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:0");
  gui_test::select_combo(ids::LANGUAGE_COMBO, 0);
  gui_test::click(ids::CANCEL);
  gui_test::wait_window_closed(ids::WINDOW);
  gui_test::run([this] {
    EXPECT_EQ(ws_.pos_rules.language, 1);
    EXPECT_EQ(ws_.pos_rules.counts[1], 23);
    EXPECT_EQ(menu_text(MENU_POS_ADDED), u"POS added.txt (Portuguese)");
  }, "cancelled");

  // Escape keeps the choice, and the menu items follow it.
  gui_test::choose_menu_item(MENU_POS_SETTINGS);
  gui_test::wait_window(ids::WINDOW);
  gui_test::select_combo(ids::LANGUAGE_COMBO, 2);
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:27");
  gui_test::press_key(ids::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(ids::WINDOW);
  gui_test::run([this] {
    EXPECT_EQ(ws_.pos_rules.language, 2);
    EXPECT_EQ(menu_text(MENU_POS_SPELLING), u"POS spelling.txt (English)");
  }, "escaped");
  run_loop();

  const std::string saved = read_file(folder_ + "settings/extract_pos_lists.prefs");
  const std::string start = "41\n3\nOther\n0\nPortuguese\n23\n[CAT=np,G=f,SEM=p]\tNPFS000\t";
  EXPECT_EQ(saved.substr(0, start.size()), start);
  EXPECT_NE(saved.find("\nEnglish\n27\nAdjective\tJJ\tAdjective: beautiful"), std::string::npos);
  EXPECT_EQ(saved.find("Newsource"), std::string::npos);
  EXPECT_EQ(gui_test::requesters()[0].text, u"Empty fields found.");
  EXPECT_EQ(gui_test::requesters()[1].text, u"Really delete rule?");
}

TEST_F(LanguageToolTest, PosExtraction) {
  dictionary().list.replace_all({u"Lisboa/p\n[CAT=np,SEM=cid,G=f,N=s]", u"casa/p\n[CAT=nc]"}, u"x.dic");
  dictionary().set_aff_text(u"SET UTF-8\n");
  ws_.pos_rules.language = 1;
  write_file(folder_ + "List.txt", "another file");
  write_file(folder_ + "List.TXT", "old");
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_LANGUAGETOOL);
  gui_test::choose_menu_item(MENU_POS_ADDED);
  gui_test::answer_file_dialog(from_utf8(folder_ + "List.TXT"));
  gui_test::answer_message_box(MB_ANSWER_YES);  // overwrite
  settle();
  gui_test::run([] { EXPECT_EQ(status().substr(0, 23), u"OK. POSes extracted:1 \u231a"); }, "extracted");
  // A language without rules is refused before the requester.
  gui_test::run([this] { ws_.pos_rules.language = 0; }, "other language");
  gui_test::choose_menu_item(MENU_POS_SPELLING);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] { EXPECT_EQ(status(), u"Aborted."); }, "refused");
  run_loop();
  EXPECT_EQ(read_file(folder_ + "List.TXT"), kBom + "Lisboa\tLisboa\tNPFSG00\n");
  EXPECT_EQ(read_file(folder_ + "List.txt"), "another file");
  const auto& asked = gui_test::requesters();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].title, u"Save extracted POSes");
  EXPECT_EQ(asked[1].text, u"File already exists! Overwrite it?");
  EXPECT_EQ(asked[2].text, u"No POS rules for selected language.");
}

}  // namespace
