// The Autocorrect Tools menu driven like a user: fixing spaces, hex symbols,
// extraction, the duplicates window and the Autocorrect Validate window.
#include "tests/app/main_loop_barrier.h"
#include "tests/editors/autocorrect_gui_support.h"
#include "tests/test_support/held_job.h"

#include "dictionary/dictionary_files_ui.h"
#include "editors/autocorrect/autocorrect_duplicates_window.h"
#include "editors/autocorrect/autocorrect_validate.h"
#include "editors/autocorrect/autocorrect_validate_window.h"
#include "gui/gui.h"
#include "kit/ids.h"

#include <string>
#include <vector>

using shell_test::read_file;
using shell_test::settle;
using shell_test::write_file;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class AutocorrectToolsTest : public autocorrect_test::AutocorrectTabFixture {
 protected:
  void SetUp() override {
    AutocorrectTabFixture::SetUp();
    dictionary().list.replace_all({}, u"");
  }
  void TearDown() override {
    dictionary().list.replace_all({}, u"");
    dictionary().set_aff_text(u"");
    AutocorrectTabFixture::TearDown();
  }
  void use_pairs(std::vector<text_t> pairs) {
    ws_.autocorrect.list.replace_all(std::move(pairs), u"");
    ws_.autocorrect.list.notify_count_changed();
  }
};

TEST_F(AutocorrectToolsTest, FixSpacesAndHexSymbolsRewriteTheListUndoably) {
  use_pairs({u" teh \nthe", u"grin\n&#x1F600;", u"smile\n&#x263A;&#x263A;"});
  gui_test::choose_menu_item(MENU_AUTOCORRECT_FIX_SPACES);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(0), u"teh\nthe");
    EXPECT_EQ(status(), u"Fixed words:1");
    EXPECT_TRUE(doc().changed());
    EXPECT_EQ(gadget_get_disabled(AUTOCORRECT_UNDO), 0);
    EXPECT_EQ(gadget_get_item_text(AUTOCORRECT_LIST, 0, 1), u"teh");
  }, "spaces fixed");
  // The code above U+FFFF asks first; No converts it into a surrogate pair.
  gui_test::choose_menu_item(MENU_CLEAN_HEX_SYMBOLS);
  gui_test::answer_message_box(MB_ANSWER_NO);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(gui_test::last_requester().text,
              u"Found symbols above character 65535.\n(Quenvar limitation - character corruption)\n\nAbort?");
    EXPECT_EQ(doc().entry(1), u"grin\n\U0001F600");
    EXPECT_EQ(doc().entry(2), u"smile\n\u263A\u263A");
    EXPECT_EQ(status().substr(0, 23), u"OK. Converted symbols:2");
  }, "hex converted");
  // A second run finds nothing to do and says so.
  gui_test::choose_menu_item(MENU_AUTOCORRECT_FIX_SPACES);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] {
    EXPECT_EQ(gui_test::last_requester().text, u"No spaces to fix found!");
    EXPECT_EQ(status(), u"OK.");
  }, "nothing to fix");
  run_loop();
}

TEST_F(AutocorrectToolsTest, ExtractWritesTheChosenFileAndEmptyListsAreRefused) {
  use_pairs({u"teh\nthe", u"adn\nand"});
  const std::string path = folder_ + "pairs.txt";
  gui_test::choose_menu_item(MENU_EXTRACT_AUTOCORRECTS);
  gui_test::answer_file_dialog(from_utf8(path));
  settle();
  gui_test::run([&] {
    EXPECT_EQ(read_file(path), kBom + "teh \xE2\x86\x92 the\nadn \xE2\x86\x92 and\n");
    EXPECT_EQ(status().substr(0, 14), u"OK. (27 bytes)");
  }, "extracted");
  // The overwrite question: No keeps the file and ends with "Aborted.".
  gui_test::run([this] { doc().set_entry(0, u"x\ny"); }, "change");
  gui_test::choose_menu_item(MENU_EXTRACT_AUTOCORRECTS);
  gui_test::answer_file_dialog(from_utf8(path));
  gui_test::answer_message_box(MB_ANSWER_NO);
  settle();
  gui_test::run([&] {
    EXPECT_EQ(read_file(path).substr(3, 3), "teh");
    EXPECT_EQ(status(), u"Aborted.");
  }, "kept");
  gui_test::run([this] { use_pairs({}); }, "empty");
  gui_test::choose_menu_item(MENU_AUTOCORRECT_DUPLICATES);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] {
    EXPECT_EQ(gui_test::last_requester().text, u"No autocorrects found.");
    EXPECT_EQ(status(), u"Aborted.");
  }, "refused");
  run_loop();
}

// Export, then Delete or XDelete: the list becomes the sorted pairs without
// the repeats ("Teh" differs from "teh"), marks and selection cleared.
// The steps run later, inside the loops: they keep copies of what they check.
void remove_duplicates_through_the_window(list_document& autocorrects, int button, std::vector<text_t> after,
                                          std::string path) {
  using namespace autocorrect_duplicates_ids;
  gui_test::choose_menu_item(MENU_AUTOCORRECT_DUPLICATES);
  gui_test::wait_window(WINDOW);
  gui_test::run([] {
    ASSERT_EQ(gadget_count_items(LIST), 1);
    EXPECT_EQ(gadget_get_item_text(LIST, 0, 0), u"teh");
    EXPECT_EQ(gadget_get_item_text(LIST, 0, 1), u"2");
    EXPECT_EQ(gadget_get_text(FOUND_LABEL), u"Found:1");
    EXPECT_EQ(window_get_title(WINDOW), u"Show Duplicates");
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 1);
  }, "listed");
  gui_test::click(EXPORT);
  gui_test::answer_file_dialog(from_utf8(path));
  gui_test::wait_until([path] { return !read_file(path).empty(); }, "the export was written");
  gui_test::run([path] { EXPECT_EQ(read_file(path), kBom + "DUPLICATES FOUND:1\n\nteh:2\n"); }, "exported");
  gui_test::click(button);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([&autocorrects, after] {
    EXPECT_EQ(autocorrects.entries(), after);
    EXPECT_EQ(autocorrects.checked_count(), 0);
    EXPECT_EQ(autocorrects.selected(), -1);
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"OK.");
    EXPECT_EQ(gadget_get_item_text(AUTOCORRECT_LIST, 0, 1), u"Teh");
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  }, "deleted");
  gui_test::click(AUTOCORRECT_UNDO);
  settle();
  gui_test::run([&autocorrects] { EXPECT_EQ(autocorrects.count(), 4); }, "undone");
}

TEST_F(AutocorrectToolsTest, DuplicatesDeleteKeepsOnePairOfEachGroup) {
  use_pairs({u"teh\nthe", u"teh\nten", u"adn\nand", u"Teh\nThe"});
  doc().set_checked(3, true);
  doc().select(1);
  remove_duplicates_through_the_window(doc(), autocorrect_duplicates_ids::DELETE,
                                       {u"Teh\nThe", u"adn\nand", u"teh\nthe"}, folder_ + "dupes.txt");
  run_loop();
}

TEST_F(AutocorrectToolsTest, DuplicatesXDeleteKeepsNoneOfAGroup) {
  use_pairs({u"teh\nthe", u"teh\nten", u"adn\nand", u"Teh\nThe"});
  remove_duplicates_through_the_window(doc(), autocorrect_duplicates_ids::XDELETE, {u"Teh\nThe", u"adn\nand"},
                                       folder_ + "dupes.txt");
  run_loop();
}

TEST_F(AutocorrectToolsTest, DuplicatesNoneFoundAndCloseWithoutChanges) {
  use_pairs({u"teh\nthe", u"Teh\nThe"});
  gui_test::choose_menu_item(MENU_AUTOCORRECT_DUPLICATES);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] { EXPECT_EQ(gui_test::last_requester().text, u"No duplicates found."); }, "none");
  gui_test::run([this] { use_pairs({u"a\nb", u"a\nc"}); }, "pairs");
  gui_test::choose_menu_item(MENU_AUTOCORRECT_DUPLICATES);
  gui_test::wait_window(autocorrect_duplicates_ids::WINDOW);
  gui_test::click(autocorrect_duplicates_ids::DELETE);
  gui_test::answer_message_box(MB_ANSWER_NO);
  gui_test::press_key(autocorrect_duplicates_ids::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(autocorrect_duplicates_ids::WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"a\nb", u"a\nc"}));
    EXPECT_FALSE(doc().changed());
  }, "unchanged");
  run_loop();
}

TEST_F(AutocorrectToolsTest, ValidateLogsTheIssuesExportsAndClears) {
  using namespace autocorrect_validate_ids;
  dictionary().set_aff_text(u"SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n");
  dictionary().list.replace_all({u"colour/S", u"color"}, u"");
  use_pairs({u"color\ncolour", u"colour\ncolor", u"alot\na lot", u"colurs\ncolours"});
  const std::string path = folder_ + "log.txt";
  gui_test::choose_menu_item(MENU_AC_VALIDATE);
  gui_test::wait_window(WINDOW);
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(LOG), autocorrect_validate_introduction());
    EXPECT_EQ(gadget_get_text(ISSUES_LABEL), u"Issues:0");
    EXPECT_EQ(window_get_title(WINDOW), u"Autocorrect Validate");
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 1);
  }, "opened");
  gui_test::click(PROCESS);
  gui_test::wait_gadget_text(RESULT_MARK, u"\u2713");
  gui_test::run([] {
    const text_t log = gadget_get_text(LOG);
    EXPECT_NE(log.find(u"Total wordlist:3\n"), text_t::npos);
    EXPECT_NE(log.find(u"Not found:'a lot'\u2192Line 3\n"), text_t::npos);
    EXPECT_NE(log.find(u"Incorrect Autocorrect entry:'colour','color'\u2192Line 1\n"), text_t::npos);
    EXPECT_NE(log.find(u"Incorrect Autocorrect entry:'color','colour'\u2192Line 2\n"), text_t::npos);
    EXPECT_EQ(log.find(u"'colours'"), text_t::npos);
    EXPECT_EQ(gadget_get_text(ISSUES_LABEL), u"Issues:3");
    EXPECT_EQ(gadget_get_color(RESULT_MARK, COLOR_TEXT), 39168);
    EXPECT_EQ(gadget_get_text(ESCAPE_LABEL), u"");
    EXPECT_EQ(gadget_get_disabled(CLOSE), 0);
  }, "processed");
  gui_test::click(EXPORT);
  gui_test::answer_file_dialog(from_utf8(path));
  gui_test::wait_until([&] { return read_file(path).size() > 3; }, "the log was written");
  gui_test::run([&] { EXPECT_EQ(from_utf8(read_file(path).substr(3)), gadget_get_text(LOG)); }, "exported");
  gui_test::click(CLEAR);
  gui_test::run([] { EXPECT_EQ(gadget_get_text(LOG), autocorrect_validate_introduction()); }, "cleared");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
    EXPECT_EQ(doc().count(), 4);
    EXPECT_FALSE(doc().changed());
  }, "closed");
  run_loop();
}

TEST_F(AutocorrectToolsTest, ValidateStopsOnEscapeAndMarksTheRun) {
  using namespace autocorrect_validate_ids;
  std::vector<text_t> words;
  for (int i = 0; i < 300000; ++i) words.push_back(u"w" + string_from_int(i));
  dictionary().list.replace_all(std::move(words), u"");
  use_pairs({u"alot\na lot"});
  gui_test::choose_menu_item(MENU_AC_VALIDATE);
  gui_test::wait_window(WINDOW);
  gui_test::click(PROCESS);
  held_job hold(1000, 2);  // the extraction waits at its 1000th word for the check and the Escape
  // While it runs, the image buttons are disabled and look it.
  gui_test::run([] {
    for (int g : {CLEAR, GO_BOTTOM, GO_TOP}) {
      EXPECT_EQ(gadget_get_disabled(g), 1) << g;
      EXPECT_LT(gui_test::image_opacity(g), 1.0) << g;
    }
  }, "running");
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(RESULT_MARK, u"\u2717");
  gui_test::run([] {
    for (int g : {CLEAR, GO_BOTTOM, GO_TOP}) {
      EXPECT_EQ(gadget_get_disabled(g), 0) << g;
      EXPECT_EQ(gui_test::image_opacity(g), 1.0) << g;
    }
  }, "enabled again");
  gui_test::run([] {
    EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
    const text_t log = gadget_get_text(LOG);
    const text_t tail = u"Step 1/4 - Extracting dictionary wordlist...\nAborted.\n";
    ASSERT_GE(log.size(), tail.size());
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
    EXPECT_EQ(gadget_get_color(RESULT_MARK, COLOR_TEXT), 255);
    EXPECT_EQ(gadget_get_text(ESCAPE_LABEL), u"");
    EXPECT_EQ(gadget_get_disabled(PROCESS), 0);
    EXPECT_EQ(gadget_get_state(PROGRESS), 0);
  }, "aborted");
  gui_test::click(CLOSE);
  gui_test::wait_window_closed(WINDOW);
  run_loop();
}

TEST_F(AutocorrectToolsTest, ValidateWithoutDictionaryWarnsAndSkipsItsSteps) {
  using namespace autocorrect_validate_ids;
  use_pairs({u"alot\na lot"});
  gui_test::choose_menu_item(MENU_AC_VALIDATE);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::wait_window(WINDOW);
  gui_test::click(PROCESS);
  gui_test::wait_gadget_text(RESULT_MARK, u"\u2713");
  gui_test::run([] {
    EXPECT_EQ(gui_test::requesters().front().text.substr(0, 26), u"No dictionary words found.");
    const text_t log = gadget_get_text(LOG);
    EXPECT_NE(log.find(u"No dictionary found - skipping dictionary checks..."), text_t::npos);
    EXPECT_EQ(log.find(u"Not found:"), text_t::npos);
  }, "skipped");
  gui_test::click(CLOSE);
  gui_test::wait_window_closed(WINDOW);
  run_loop();
}

}  // namespace
