// The master word list, Bulk Import and possessive-names windows, opened
// from the main window's menus with the requesters answered.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"
#include "tests/test_support/held_job.h"

#include "app/main_loop.h"
#include "common/file.h"
#include "dictionary/dic_file.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "tools/bulk_import_window.h"
#include "tools/master_wordlist_window.h"
#include "tools/possessive_names_window.h"

#include <filesystem>
#include <string>
#include <vector>

using shell_test::read_file;
using shell_test::settle;
using shell_test::write_file;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class WordlistToolsTest : public shell_test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    reset_documents();
    start_with_valid_prefs();
  }
  void TearDown() override {
    reset_documents();
    ShellTest::TearDown();
  }
  void reset_documents() {
    ws_.thesaurus = thesaurus_document_record();
    ws_.autocorrect = autocorrect_document_record();
  }
  static void run_loop() {
    gui_test::close_window(MAIN_WINDOW);
    run_main_loop();
    gui_test::finish();
  }
  text_t file(const std::string& name, const std::string& bytes) {
    write_file(folder_ + name, bytes);
    return from_utf8(folder_ + name);
  }
  static void set_text(int gadget, const text_t& text) {
    gui_test::run([gadget, text] { gadget_set_text(gadget, text); }, "text typed");
  }
  // The window's loop has left the save requester once its file is there.
  static void wait_for_file(const std::string& path) {
    gui_test::wait_until([path] { return std::filesystem::exists(path); }, "saved " + path);
  }
  static void expect_disabled(std::vector<int> gadgets, int disabled, const std::string& what) {
    gui_test::run([gadgets, disabled, what] {
      for (int g : gadgets) EXPECT_EQ(gadget_get_disabled(g), disabled) << what << ": gadget " << g;
    }, what);
  }
};

namespace mw = master_wordlist_ids;

TEST_F(WordlistToolsTest, MasterListComparesSavesAndFollowsTheFileList) {
  const text_t master = file("master.txt", kBom + "apple\nPear\n");
  const text_t other = file("other.txt", "apple\npear\nPlum\nplum\nPlum\n\n");
  const std::string saved = folder_ + "missing.txt";
  const std::string hyphenated = folder_ + "hyphenated.txt";

  gui_test::choose_menu_item(MENU_MASTER_WORDLIST);
  gui_test::wait_window(mw::WINDOW);
  expect_disabled({mw::PROCESS, mw::SELECT_ALL, mw::DELETE_CURRENT, mw::SAVE_ALL}, 1, "empty list");
  expect_disabled({mw::ADD_MASTER, mw::ADD_OTHERS}, 0, "empty list");
  gui_test::click(mw::ADD_MASTER);
  gui_test::answer_file_dialog(master);
  gui_test::wait_until([] { return gadget_count_items(mw::FILE_LIST) == 1; }, "master row");
  expect_disabled({mw::ADD_MASTER, mw::PROCESS}, 1, "master only");
  gui_test::click(mw::ADD_OTHERS);
  gui_test::answer_file_dialog(other);
  gui_test::wait_until([] { return gadget_get_disabled(mw::PROCESS) == 0; }, "Import && Process enabled");
  gui_test::run([] {
    EXPECT_EQ(window_get_title(mw::WINDOW), u"Words missing in Master Wordlist");
    EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 0, 1), u"Master");
    EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 1, 0), u"2");
    EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 1, 3), u"?");
    EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 1, 4), u"27 bytes");
    EXPECT_EQ(gadget_get_item_color(mw::FILE_LIST, 0, COLOR_TEXT, 1), 0x0000FF);
    EXPECT_EQ(gadget_get_item_color(mw::FILE_LIST, 1, COLOR_TEXT, 1), 0x009900);
    EXPECT_EQ(gadget_get_text(mw::FILES_SIZE_LABEL), u"Total files size:41 bytes");
  }, "rows");

  gui_test::click(mw::PROCESS);
  gui_test::wait_gadget_text(mw::PROCESSING_LABEL, u"Processing:6/6: Done!");
  shell_test::wait_tidy_layout(mw::WINDOW, {mw::TIME_LABEL, mw::PROCESSING_LABEL}, "the master list after the run");
  gui_test::wait_until([] { return gadget_get_disabled(mw::SAVE_ALL) == 0; }, "save enabled");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(mw::TOTAL_LABEL), u"Total words:8 (All files)");
    EXPECT_EQ(gadget_get_text(mw::MISSING_LABEL), u"Missing words:3");
    EXPECT_EQ(gadget_get_text(mw::HYPHENATED_LABEL), u"Missing hyphenated:0");
    EXPECT_EQ(gadget_get_text(mw::UPPERCASE_LABEL), u"Missing uppercase:1");
    EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 0, 3), u"2");
    EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 1, 3), u"6");
    EXPECT_EQ(gadget_get_item_color(mw::FILE_LIST, 1, COLOR_TEXT, 3), 0);
    // After the job the buttons follow the list again.
    EXPECT_EQ(gadget_get_disabled(mw::ADD_MASTER), 1);
  }, "counts");
  gui_test::click(mw::SAVE_HYPHENATED);
  gui_test::answer_file_dialog(from_utf8(hyphenated));
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::click(mw::SAVE_ALL);
  gui_test::answer_file_dialog(from_utf8(saved));
  wait_for_file(saved);
  gui_test::run([&] {
    EXPECT_EQ(read_file(saved), kBom + "pear\nPlum\nplum\n");
    EXPECT_EQ(read_file(hyphenated), kBom);
  }, "saved");

  // Deleting the master: the row numbers follow, Add Master comes back.
  gui_test::select_row(mw::FILE_LIST, 0);
  gui_test::click(mw::DELETE_CURRENT);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_until([] { return gadget_count_items(mw::FILE_LIST) == 1; }, "master row deleted");
  expect_disabled({mw::ADD_MASTER}, 0, "no master");
  expect_disabled({mw::PROCESS}, 1, "no master");
  gui_test::run([] { EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 0, 0), u"1"); }, "renumbered");
  gui_test::press_key(mw::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(mw::WINDOW);
  run_loop();
  const auto& asked = gui_test::requesters();
  ASSERT_GE(asked.size(), 6u);
  EXPECT_EQ(asked[0].title, u"Select Master Text File");
  EXPECT_EQ(asked[1].title, u"Select Other Text File");
  EXPECT_EQ(asked[3].text, u"Hyphenated words extracted:0");
  EXPECT_EQ(asked[5].text, u"Delete selected entry?");
}

TEST_F(WordlistToolsTest, MasterListRefusesAnUnreadableMasterAndLimitsTheFiles) {
  const text_t master = file("master.txt", "apple\n");
  const text_t other = file("other.txt", "pear\n");
  gui_test::choose_menu_item(MENU_MASTER_WORDLIST);
  gui_test::wait_window(mw::WINDOW);
  gui_test::click(mw::ADD_MASTER);
  gui_test::answer_file_dialog(master);
  // A file above 2 GB (sparse) keeps its size.
  const text_t big = file("big.txt", "");
  std::filesystem::resize_file(to_utf8(big), 3ull << 30);
  for (int i = 0; i < 9; ++i) {
    gui_test::click(mw::ADD_OTHERS);
    gui_test::answer_file_dialog(i == 8 ? big : other);
  }
  gui_test::wait_until([] { return gadget_count_items(mw::FILE_LIST) == 10; }, "ten rows");
  expect_disabled({mw::ADD_OTHERS, mw::ADD_MASTER}, 1, "ten files");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_item_text(mw::FILE_LIST, 9, 4), u"3.0 GB");
    EXPECT_EQ(gadget_get_text(mw::FILES_SIZE_LABEL), u"Total files size:3.0 GB");
  }, "sizes");
  // The master goes away on disk before the run.
  gui_test::run([master] { std::filesystem::remove(to_utf8(master)); }, "master removed");
  gui_test::click(mw::PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_gadget_text(mw::PROCESSING_LABEL, u"Processing:1/6: Aborted.");
  shell_test::wait_tidy_layout(mw::WINDOW, {mw::TIME_LABEL, mw::PROCESSING_LABEL}, "the master list after a refusal");
  // After the run the buttons follow the list again (ten files: no Add).
  gui_test::wait_until([] { return gadget_get_disabled(mw::PROCESS) == 0; }, "the run ended");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(mw::MISSING_LABEL), u"Missing words:N/A");
    EXPECT_EQ(gadget_get_disabled(mw::SAVE_ALL), 1);
    EXPECT_EQ(gadget_get_disabled(mw::ADD_OTHERS), 1);
  }, "refused");
  // Checks: invert, then Delete Selected removes every checked row.
  gui_test::toggle_row_check(mw::FILE_LIST, 1);
  gui_test::wait_gadget_text(mw::SELECTED_LABEL, u"Selected:1/10");
  gui_test::click(mw::INVERT);
  gui_test::wait_gadget_text(mw::SELECTED_LABEL, u"Selected:9/10");
  gui_test::click(mw::DELETE_CHECKED);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_until([] { return gadget_count_items(mw::FILE_LIST) == 1; }, "checked rows deleted");
  expect_disabled({mw::ADD_OTHERS}, 0, "room again");
  gui_test::click(mw::CLOSE);
  gui_test::wait_window_closed(mw::WINDOW);
  run_loop();
  EXPECT_EQ(gui_test::requesters()[10].text, u"Can't read the Master wordlist:\n" + master);
}

namespace bi = bulk_import_ids;

TEST_F(WordlistToolsTest, BulkImportAppendsToTheDictionaryAsOneUndoStep) {
  dictionary().list.replace_all({u"old"}, u"test.dic");
  gui_test::choose_menu_item(MENU_DICTIONARY_BULK_IMPORT);
  gui_test::wait_window(bi::WINDOW);
  set_text(bi::INPUT, u"  cat  \n\ndog/S");
  gui_test::click(bi::PROCESS);
  gui_test::wait_gadget_text(bi::FOUND_LABEL, u"Found:2");
  gui_test::run([] {
    EXPECT_EQ(window_get_title(bi::WINDOW), u"Bulk Import (Dictionary/Thesaurus/Autocorrect/LanguageTool)");
    EXPECT_EQ(gadget_get_text(bi::OUTPUT), u"1) cat\n2) dog/S\n");
    EXPECT_EQ(gadget_get_text(bi::PROCESSING_LABEL), u"Processing: 3/3 Done!");
    EXPECT_EQ(gadget_get_disabled(bi::PROCESS), 0);
  }, "imported");
  // Without the index the log holds the entries alone.
  gui_test::toggle(bi::LOG_INDEX);
  expect_disabled({bi::LOG_START}, 1, "index off");
  set_text(bi::INPUT, u"eel");
  gui_test::click(bi::PROCESS);
  gui_test::wait_gadget_text(bi::OUTPUT, u"eel\n");
  gui_test::click(bi::CLOSE);
  gui_test::wait_window_closed(bi::WINDOW);
  settle();
  gui_test::run([] {
    EXPECT_EQ(dictionary().list.entries(), (std::vector<text_t>{u"old", u"cat", u"dog/S", u"eel"}));
    EXPECT_NE(gadget_get_text(DICTIONARY_STATUS_LABEL).find(u"4"), text_t::npos);
  }, "dictionary");
  // Each run is one undo step.
  gui_test::click(DICTIONARY_UNDO);
  settle();
  gui_test::run([] {
    EXPECT_EQ(dictionary().list.entries(), (std::vector<text_t>{u"old", u"cat", u"dog/S"}));
  }, "undone");
  run_loop();
}

TEST_F(WordlistToolsTest, BulkImportAbortedRunLeavesTheDictionaryAndNoRedo) {
  dictionary().list.replace_all({u"old"}, u"test.dic");
  text_t many;
  for (int i = 0; i < 30000; ++i) many.append(u"w").append(string_from_int(i)).append(u"\n");
  gui_test::choose_menu_item(MENU_DICTIONARY_BULK_IMPORT);
  gui_test::wait_window(bi::WINDOW);
  set_text(bi::INPUT, many);
  gui_test::click(bi::PROCESS);
  held_job hold(1000);  // the run waits at its 1000th line for the Escape
  gui_test::press_key(bi::WINDOW, KEY_ESCAPE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_until([] { return gadget_get_disabled(bi::PROCESS) == 0; }, "run ended");
  gui_test::run([] {
    EXPECT_EQ(dictionary().list.entries(), std::vector<text_t>{u"old"});
    EXPECT_FALSE(dictionary().list.can_redo());
    EXPECT_FALSE(dictionary().list.can_undo());
    EXPECT_FALSE(dictionary().list.changed());
    EXPECT_EQ(gadget_get_text(bi::ESCAPE_LABEL), u"");
  }, "restored");
  gui_test::press_key(bi::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(bi::WINDOW);
  run_loop();
  EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
}

TEST_F(WordlistToolsTest, BulkImportMultiwordsTagsTheLogAndRemembersItsChoice) {
  ws_.multiword_pos.category = 2;
  ws_.multiword_pos.entry = 0;
  ws_.multiword_pos.custom.clear();
  gui_test::select_tab(MAIN_TAB_PANEL, TAB_LANGUAGETOOL);
  gui_test::choose_menu_item(MENU_BULK_IMPORT_MULTIWORDS);
  gui_test::wait_window(bi::WINDOW);
  expect_disabled({bi::SPECIFY}, 1, "English");
  gui_test::select_combo(bi::POS_ENTRY, 4);  // Noun - Plural - Neutral (NNS)
  set_text(bi::INPUT, u"ice cream\n");
  gui_test::click(bi::PROCESS);
  gui_test::wait_gadget_text(bi::OUTPUT, u"ice cream\tNNS\n");
  gui_test::select_combo(bi::POS_ENTRY, 2);  // a separator
  gui_test::click(bi::PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::select_combo(bi::POS_CATEGORY, 0);
  expect_disabled({bi::SPECIFY}, 0, "Other");
  expect_disabled({bi::POS_ENTRY}, 1, "Other");
  gui_test::run([] { gadget_set_text(bi::SPECIFY, u"NPMS000"); }, "specified");
  gui_test::click(bi::PROCESS);
  gui_test::wait_gadget_text(bi::OUTPUT, u"ice cream\tNPMS000\n");
  gui_test::click(bi::REMEMBER);
  gui_test::click(bi::CLOSE);
  gui_test::wait_window_closed(bi::WINDOW);
  run_loop();
  EXPECT_EQ(gui_test::requesters()[0].text, u"Not a valid target POS in the ComboBox.");
  EXPECT_EQ(read_file(folder_ + "settings/multiwords.prefs"),
            std::string("41\n") + std::string("\0\0\0\0\0\0\0\0", 8) + "NPMS000\n");
  EXPECT_TRUE(dictionary().list.entries().empty());
}

TEST_F(WordlistToolsTest, SmallWordlistToolsSortDeduplicateAndConvert) {
  const std::string saved = folder_ + "sorted.txt";
  gui_test::choose_menu_item(MENU_SORT_SMALL_WORDLIST);
  gui_test::wait_window(bi::WINDOW);
  set_text(bi::INPUT, u"Zebra\napple\nbanana");
  gui_test::click(bi::PROCESS);
  gui_test::wait_gadget_text(bi::OUTPUT, u"apple\nbanana\nZebra\n");
  gui_test::wait_gadget_text(bi::FOUND_LABEL, u"Found:3");
  gui_test::click(bi::SAVE_AS);
  gui_test::answer_file_dialog(from_utf8(saved));
  wait_for_file(saved);
  set_text(bi::INPUT, u"b|a|c");
  gui_test::click(bi::PROCESS_REGEXP);
  gui_test::wait_gadget_text(bi::OUTPUT, u"a|b|c");
  gui_test::wait_gadget_text(bi::INPUT, u"b|a|c");
  set_text(bi::INPUT, u"a(b|c)");
  gui_test::click(bi::PROCESS_REGEXP);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::click(bi::CLOSE);
  gui_test::wait_window_closed(bi::WINDOW);

  gui_test::choose_menu_item(MENU_DEDUPLICATE_SMALL_WORDLIST);
  gui_test::wait_window(bi::WINDOW);
  set_text(bi::INPUT, u"a\na\nb");
  gui_test::click(bi::PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_gadget_text(bi::OUTPUT, u"a\nb\n");
  gui_test::click(bi::CLOSE);
  gui_test::wait_window_closed(bi::WINDOW);

  gui_test::choose_menu_item(MENU_CONVERT_XML_ACCENTS);
  gui_test::wait_window(bi::WINDOW);
  set_text(bi::INPUT, u"caf&#233;\n&#38;#233;&#0;");
  gui_test::click(bi::PROCESS);
  gui_test::wait_gadget_text(bi::OUTPUT, u"caf\u00e9\n&#233;&#0;\n");
  gui_test::wait_gadget_text(bi::PROCESSING_LABEL, u"Processing Done!");
  gui_test::click(bi::CLOSE);
  gui_test::wait_window_closed(bi::WINDOW);
  run_loop();
  EXPECT_EQ(read_file(saved), kBom + "apple\nbanana\nZebra\n");
  const auto& asked = gui_test::requesters();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[1].text,
            u"RegExp too complex or has errors.\n\nAvoid using the symbols: \"( ) :\".");
  EXPECT_EQ(asked[2].text, u"Duplicates removed:1");
}

TEST_F(WordlistToolsTest, BulkImportOpenDecodesTheFileAndAsksAboutAPartlyUtf8One) {
  const text_t latin1 = file("latin1.txt", "caf\xE9\nZ\xFCrich\n");
  const text_t utf16be = file("utf16be.txt", std::string("\xFE\xFF\x00" "c\x00" "a\x00" "f\x00\xE8\x00\n", 12));
  const text_t mixed = file("mixed.txt", "caf\xC3\xA9\nplain\nna\xEFve\n");
  gui_test::choose_menu_item(MENU_SORT_SMALL_WORDLIST);
  gui_test::wait_window(bi::WINDOW);
  gui_test::click(bi::OPEN);
  gui_test::answer_file_dialog(latin1);
  gui_test::wait_gadget_text(bi::INPUT, u"caf\u00e9\nZ\u00fcrich\n");
  gui_test::click(bi::OPEN);
  gui_test::answer_file_dialog(utf16be);
  gui_test::wait_gadget_text(bi::INPUT, u"caf\u00e8\n");

  // No keeps the text that was there; Yes reads the file as UTF-8.
  set_text(bi::INPUT, u"kept");
  gui_test::click(bi::OPEN);
  gui_test::answer_file_dialog(mixed);
  gui_test::answer_message_box(MB_ANSWER_NO);
  gui_test::run([] { EXPECT_EQ(gadget_get_text(bi::INPUT), u"kept"); }, "declined");
  gui_test::click(bi::OPEN);
  gui_test::answer_file_dialog(mixed);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(bi::INPUT, u"caf\u00e9\nplain\nna\uFFFDve\n");
  gui_test::click(bi::CLOSE);
  gui_test::wait_window_closed(bi::WINDOW);
  run_loop();
  int questions = 0;
  for (const auto& asked : gui_test::requesters()) {
    if (asked.title != u"Warning!") continue;
    EXPECT_EQ(asked.text, invalid_utf8_question(mixed, 3, FORMAT_UTF8));
    ++questions;
  }
  EXPECT_EQ(questions, 2);
}

namespace pn = possessive_names_ids;

TEST_F(WordlistToolsTest, PossessiveNamesAddNamesWithTheFlagOnce) {
  dictionary().list.replace_all({u"Rome/M", u"London/S"}, u"test.dic");
  dictionary().set_aff_text(u"SET UTF-8\n");
  gui_test::choose_menu_item(MENU_IMPORT_POSSESSIVES);
  gui_test::wait_window(pn::WINDOW);
  set_text(pn::INPUT, u"From Paris to London (1999) and london, \u201cRome\u201d and London's Paris.");
  gui_test::run([] { gadget_set_state(pn::LOG_START, 5); }, "index");
  gui_test::click(pn::PROCESS);
  gui_test::wait_gadget_text(pn::FOUND_LABEL, u"Found:3");
  gui_test::run([] {
    EXPECT_EQ(window_get_title(pn::WINDOW), u"Import places/people names with possessives");
    EXPECT_EQ(gadget_get_text(pn::LOG), u"5) From/M\n6) Paris/M\n7) London/M\n");
    EXPECT_EQ(gadget_get_text(pn::ESCAPE_LABEL), u"");
  }, "imported");
  // A flag that does not fit FLAG long is refused.
  gui_test::run([] {
    dictionary().set_aff_text(u"FLAG long\n");
    gadget_set_text(pn::FLAG, u"/M");
  }, "flag long");
  gui_test::click(pn::PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::press_key(pn::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(pn::WINDOW);
  run_loop();
  EXPECT_EQ(dictionary().list.entries(),
            (std::vector<text_t>{u"Rome/M", u"London/S", u"From/M", u"Paris/M", u"London/M"}));
  EXPECT_EQ(gui_test::last_requester().text, u"The possessive flag does not fit the FLAG mode of the .aff file.");
}

// The flag is checked against the .aff text as the editor shows it: an edit
// typed after the dictionary was opened counts, not the text as loaded.
TEST_F(WordlistToolsTest, PossessiveNamesCheckTheFlagAgainstTheEditedAff) {
  dictionary().list.replace_all({u"Rome/M"}, u"test.dic");
  dictionary().set_aff_text(u"SET UTF-8\n");
  set_text(AFF_EDITOR, u"SET UTF-8\nFLAG long\n");
  gui_test::choose_menu_item(MENU_IMPORT_POSSESSIVES);
  gui_test::wait_window(pn::WINDOW);
  set_text(pn::INPUT, u"From Paris to London.");
  gui_test::click(pn::PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::press_key(pn::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(pn::WINDOW);
  run_loop();
  EXPECT_EQ(gui_test::last_requester().text, u"The possessive flag does not fit the FLAG mode of the .aff file.");
  EXPECT_EQ(dictionary().list.entries(), std::vector<text_t>{u"Rome/M"});
  EXPECT_EQ(dictionary().aff_text(), u"SET UTF-8\nFLAG long\n");
}

// Every text of the two import windows stands whole and no gadget covers
// another: the log index beside the log's buttons, "'s" in the remove fields.
TEST_F(WordlistToolsTest, ImportWindowsShowEveryTextClearOfTheOtherGadgets) {
  dictionary().list.replace_all({u"old"}, u"test.dic");
  gui_test::choose_menu_item(MENU_DICTIONARY_BULK_IMPORT);
  gui_test::wait_window(bi::WINDOW);
  shell_test::wait_tidy_layout(bi::WINDOW, {bi::PROCESSING_LABEL, bi::FOUND_LABEL}, "Bulk Import");
  gui_test::click(bi::CLOSE);
  gui_test::wait_window_closed(bi::WINDOW);
  gui_test::choose_menu_item(MENU_IMPORT_POSSESSIVES);
  gui_test::wait_window(pn::WINDOW);
  shell_test::wait_tidy_layout(pn::WINDOW, {pn::REMOVE_1, pn::REMOVE_2, pn::FLAG, pn::PROCESSING_LABEL, pn::FOUND_LABEL},
                               "possessive names import");
  gui_test::click(pn::CLOSE);
  gui_test::wait_window_closed(pn::WINDOW);
  run_loop();
}

}  // namespace
