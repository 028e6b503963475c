// The Thesaurus Tools menu driven like a user: the main-window tools, the
// Clean up symbols options window, the extraction and the duplicates window.
#include "tests/app/main_loop_barrier.h"
#include "tests/editors/autocorrect_gui_support.h"

#include "app/main_loop.h"
#include "editors/thesaurus/thesaurus_duplicates_window.h"
#include "editors/thesaurus/thesaurus_tools_ui.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"

#include <string>
#include <vector>

using shell_test::read_file;
using shell_test::settle;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class ThesaurusToolsTest : public shell_test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    start_with_valid_prefs();
    ws_.thesaurus.list.replace_all({}, u"");
    ws_.clean_symbols = {};
    gadget_set_state(MAIN_TAB_PANEL, TAB_THESAURUS);
  }
  void TearDown() override {
    ws_.thesaurus.list.replace_all({}, u"");
    ShellTest::TearDown();
  }
  static void run_loop() {
    gui_test::close_window(MAIN_WINDOW);
    run_main_loop();
    gui_test::finish();
  }
  void use_entries(std::vector<text_t> entries) {
    ws_.thesaurus.list.replace_all(std::move(entries), u"");
    ws_.thesaurus.list.notify_count_changed();
  }
  list_document& doc() { return ws_.thesaurus.list; }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
};

TEST_F(ThesaurusToolsTest, MainWindowToolsRewriteTheThesaurusUndoably) {
  use_entries({u"ship|2\n boat | vessel \n-|  craft", u"big|3\nlarge\nhuge\nlarge"});
  gui_test::choose_menu_item(MENU_THESAURUS_FIX_SPACES);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(0), u"ship|2\nboat|vessel\n-|craft");
    EXPECT_EQ(status(), u"Fixed words:1");
    EXPECT_EQ(gadget_get_disabled(THESAURUS_UNDO), 0);
  }, "spaces fixed");
  gui_test::choose_menu_item(MENU_DEDUPLICATE_MEANINGS);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(1), u"big|2\nhuge\nlarge");
    EXPECT_EQ(status(), u"Unduplicated synonyms meanings:1");
  }, "deduplicated");
  // Sort asks first: No changes nothing.
  gui_test::choose_menu_item(MENU_SORT_MEANINGS);
  gui_test::answer_message_box(MB_ANSWER_NO);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(0), u"ship|2\nboat|vessel\n-|craft");
    EXPECT_EQ(status(), u"Aborted.");
  }, "sort declined");
  gui_test::choose_menu_item(MENU_SORT_ON_NUMBERS);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(0).substr(0, 5), u"big|2");
    EXPECT_EQ(doc().entry(1).substr(0, 6), u"ship|2");
    EXPECT_EQ(status().substr(0, 3), u"OK.");
  }, "sorted on numbers");
  gui_test::click(THESAURUS_UNDO);
  settle();
  gui_test::run([this] { EXPECT_EQ(doc().entry(0).substr(0, 6), u"ship|2"); }, "undone");
  run_loop();
}

TEST_F(ThesaurusToolsTest, CleanUpSymbolsUsesTheOptionsOfItsWindow) {
  using namespace clean_symbols_ids;
  use_entries({u"ship|1\n(noun)|boat|vessel"});
  gui_test::choose_menu_item(MENU_CLEAN_SYMBOLS);
  gui_test::wait_window(WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(WINDOW), u"Clean up symbols");
    EXPECT_EQ(gadget_get_state(REMOVE_BRACKETS), 1);
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 1);
  }, "opened");
  gui_test::toggle(BAR_TO_SPACE);
  gui_test::click(CANCEL);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(0), u"ship|1\n(noun)|boat|vessel");
    EXPECT_EQ(status(), u"OK.");
    EXPECT_FALSE(ws_.clean_symbols.bar_to_space);  // kept for the next opening
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  }, "cancelled");
  gui_test::choose_menu_item(MENU_CLEAN_SYMBOLS);
  gui_test::wait_window(WINDOW);
  gui_test::run([] { EXPECT_EQ(gadget_get_state(BAR_TO_SPACE), 0); }, "remembered");
  gui_test::click(OK);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entry(0), u"ship|1\n|boat|vessel");
    EXPECT_EQ(status(), u"OK.");
    EXPECT_TRUE(doc().changed());
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  }, "cleaned");
  run_loop();
}

TEST_F(ThesaurusToolsTest, ExtractAndCombineFromTheMenu) {
  use_entries({u"big|2\nlarge\nhuge", u"small|1\nlittle"});
  const std::string path = folder_ + "synonyms.txt";
  gui_test::choose_menu_item(MENU_EXTRACT_SYNONYMS_TXT);
  gui_test::answer_file_dialog(from_utf8(path));
  settle();
  gui_test::run([&] {
    EXPECT_EQ(read_file(path), kBom + "big:\nlarge\nhuge\n\nsmall:\nlittle\n\n");
    EXPECT_EQ(status().substr(0, 12), u"OK. (0.0 MB)");
  }, "extracted");
  gui_test::choose_menu_item(MENU_COMBINE_MEANINGS);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().count(), 5);
    EXPECT_EQ(doc().entry(1), u"huge|2\nlarge\nbig");
    EXPECT_EQ(status(), u"New synonyms:3");
  }, "combined");
  gui_test::run([this] { use_entries({}); }, "empty");
  gui_test::choose_menu_item(MENU_COMBINE_MEANINGS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] {
    EXPECT_EQ(gui_test::last_requester().text, u"No synonyms found.");
    EXPECT_EQ(status(), u"Aborted.");
  }, "refused");
  run_loop();
}

TEST_F(ThesaurusToolsTest, DuplicatesWindowPreviewsDisplaysExportsAndMerges) {
  using namespace thesaurus_duplicates_ids;
  use_entries({u"ship|1\nboat", u"big|1\nlarge", u"ship|2\nvessel\nboat"});
  const std::string path = folder_ + "dupes.txt";
  gui_test::choose_menu_item(MENU_THESAURUS_DUPLICATES);
  gui_test::wait_window(WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(WINDOW), u"Show/Merge Duplicates");
    EXPECT_EQ(gadget_get_item_text(LIST, -1, 0), u"Synonym");
    EXPECT_EQ(gadget_get_item_text(LIST, -1, 1), u"Position");
    ASSERT_EQ(gadget_count_items(LIST), 2);
    EXPECT_EQ(gadget_get_item_text(LIST, 1, 0), u"ship|2");
    EXPECT_EQ(gadget_get_item_text(LIST, 1, 1), u"3");
    EXPECT_EQ(gadget_get_text(FOUND_LABEL), u"Found:2");
    EXPECT_EQ(gadget_get_text(PREVIEW), u"Nothing to display");
    EXPECT_EQ(gadget_get_disabled(DISPLAY), 1);
  }, "listed");
  gui_test::select_row(LIST, 1);
  gui_test::wait_gadget_text(PREVIEW, u"vessel\nboat\r\n");
  gui_test::click(DISPLAY);
  gui_test::wait_until([] { return paged_list_selected(running_kinds().thesaurus) == 2; }, "the entry was selected");
  gui_test::click(EXPORT);
  gui_test::answer_file_dialog(from_utf8(path));
  gui_test::wait_until([path] { return !read_file(path).empty(); }, "the export was written");
  gui_test::run([path] {
    EXPECT_EQ(read_file(path), kBom + "DUPLICATES FOUND:2\n\nship|1\nboat\n\nship|2\nvessel\nboat\n\n");
  }, "exported");
  gui_test::click(MERGE);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"big|1\nlarge", u"ship|2\nboat\nvessel"}));
    EXPECT_EQ(status(), u"OK.");
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  }, "merged");
  gui_test::click(THESAURUS_UNDO);
  settle();
  gui_test::run([this] { EXPECT_EQ(doc().count(), 3); }, "undone");
  run_loop();
}

TEST_F(ThesaurusToolsTest, DuplicatesCloseKeepsTheThesaurus) {
  using namespace thesaurus_duplicates_ids;
  use_entries({u"Ship|1\nx", u"ship|1\ny"});
  gui_test::choose_menu_item(MENU_THESAURUS_DUPLICATES);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] { EXPECT_EQ(gui_test::last_requester().text, u"No duplicates found."); }, "none");
  gui_test::run([this] { use_entries({u"a|1\nb", u"a|1\nc"}); }, "entries");
  gui_test::choose_menu_item(MENU_THESAURUS_DUPLICATES);
  gui_test::wait_window(WINDOW);
  gui_test::press_key(WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(WINDOW);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"a|1\nb", u"a|1\nc"}));
    EXPECT_FALSE(doc().changed());
    EXPECT_EQ(window_get_disabled(MAIN_WINDOW), 0);
  }, "unchanged");
  run_loop();
}

}  // namespace
