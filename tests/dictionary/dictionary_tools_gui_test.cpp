// The dictionary tools through the main window's menu: the word-list
// extraction, the batch edits, the tag-selection window and the statistics
// windows, with the requesters answered by the driver.
#include "tests/app/main_loop_barrier.h"
#include "tests/app/shell_gui_support.h"

#include "affix/aff_cache.h"
#include "common/dic_entry.h"
#include "dictionary/dictionary_files_ui.h"
#include "dictionary/dictionary_statistics.h"
#include "dictionary/dictionary_statistics_window.h"
#include "dictionary/postag_search_window.h"
#include "dictionary/wordlist_extraction.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"

#include <string>
#include <vector>

using shell_test::DictionaryListTest;
using shell_test::read_file;
using shell_test::settle;
using shell_test::write_file;

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class DictionaryToolsTest : public DictionaryListTest {
 protected:
  // The dictionary as loaded .dic lines (first TAB made LF) with its .aff.
  void open_dictionary(const std::vector<std::string>& lines, const std::string& aff = "SFX A Y 1\nSFX A 0 s .\n") {
    std::vector<text_t> entries;
    for (const auto& l : lines) {
      entries.push_back(from_utf8(l));
      dic_line_to_entry(entries.back());
    }
    doc().replace_all(std::move(entries), from_utf8(folder_ + "d.dic"));
    dictionary().set_aff_text(from_utf8(aff));
    paged_list_count_changed(dictionary().list);
  }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
  std::vector<std::string> lines() const {
    std::vector<std::string> out;
    for (const text_view e : doc().entries()) out.push_back(to_utf8(dic_entry_to_line(e)));
    return out;
  }
};

TEST_F(DictionaryToolsTest, ExtractionWritesTheBenchBytesAndReportsFailures) {
  open_dictionary({"walk/A\tpo:verb", "/A", "well-known"});
  const std::string out = folder_ + "list";
  // A new file: the extension is added.
  gui_test::choose_menu_item(MENU_EXTRACT_ALL_TXT);
  gui_test::answer_file_dialog(from_utf8(out));
  gui_test::wait_status_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"OK. Words Found:3 ", true);
  // An existing file: No keeps it.
  gui_test::choose_menu_item(MENU_EXTRACT_ALL_TXT);
  gui_test::answer_file_dialog(from_utf8(out + ".txt"));
  gui_test::answer_message_box(MB_ANSWER_NO);
  gui_test::wait_status_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Aborted.");
  // A file that cannot be written: an error naming it, no success.
  gui_test::choose_menu_item(MENU_EXTRACT_ALL_CSV);
  gui_test::answer_file_dialog(from_utf8(folder_ + "missing/list.csv"));
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([] { EXPECT_EQ(status(), u"Aborted."); }, "failed");
  run_loop();

  EXPECT_EQ(read_file(out + ".txt"), kBom + "walk\nwalks\nwell-known\n");
  // The same bytes as the export pass the bench measures.
  headless_long_job_host host;
  ASSERT_FALSE(extract_wordlist_to_file(doc(), dictionary().decode_cache(), EXTRACT_ALL_TXT, from_utf8(folder_ + "bench.txt"), 0, u",", host)
                   .write_failed);
  EXPECT_EQ(read_file(out + ".txt"), read_file(folder_ + "bench.txt"));
  const auto& asked = gui_test::requesters();
  ASSERT_EQ(asked.size(), 5u);
  EXPECT_EQ(asked[0].title, u"Extract wordlist to file");
  EXPECT_EQ(asked[2].text, u"File already exists! Overwrite it?");
  EXPECT_EQ(asked[4].title, u"Error!");
  EXPECT_EQ(asked[4].text, u"Can't write the file:\n" + from_utf8(folder_ + "missing/list.csv"));
}

TEST_F(DictionaryToolsTest, BatchEditsAreUndoableSteps) {
  open_dictionary({"a/CBA\tpo:x", " b   c/A", "d"});
  gui_test::choose_menu_item(MENU_SORT_FLAGS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(lines(), (std::vector<std::string>{"a/ABC\tpo:x", " b   c/A", "d"}));
    EXPECT_TRUE(doc().changed());
    EXPECT_EQ(gadget_get_disabled(DICTIONARY_UNDO), 0);
  }, "sorted");
  gui_test::choose_menu_item(MENU_REMOVE_COMMENTS);
  gui_test::answer_message_box(MB_ANSWER_NO);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(status(), u"Aborted.");
    EXPECT_EQ(lines()[0], "a/ABC\tpo:x");
  }, "kept");
  gui_test::choose_menu_item(MENU_REMOVE_COMMENTS);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::choose_menu_item(MENU_DICTIONARY_FIX_SPACES);
  settle();
  gui_test::run([this] {
    EXPECT_EQ(lines(), (std::vector<std::string>{"a/ABC", "b c/A", "d"}));
    EXPECT_EQ(status(), u"Fixed words:1");
  }, "fixed");
  gui_test::click(DICTIONARY_UNDO);
  settle();
  gui_test::run([this] { EXPECT_EQ(lines(), (std::vector<std::string>{"a/ABC", " b   c/A", "d"})); }, "undone");
  run_loop();
  const auto& asked = gui_test::requesters();
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].text, u"Sorted the flags in  1 word.\n\nDuplicate flags removed:0");
  EXPECT_EQ(asked[1].text, u"This will remove all the comments\nof the words in the .DIC\n\nContinue?");
  EXPECT_EQ(asked[3].title, u"Information!");
  EXPECT_EQ(asked[3].text, u"Comments in words removed:1");
}

TEST_F(DictionaryToolsTest, TagSelectionListsAndWritesMatches) {
  namespace ids = postag_search_ids;
  open_dictionary({"a\tpo:noun", "b\tpo:verb", "c/A\tpo:Noun is:pl", "d"});
  ws_.tag_search = {};
  gui_test::choose_menu_item(MENU_EXTRACT_BY_TAGS);
  gui_test::wait_window(ids::WINDOW);
  gui_test::click(ids::EXTRACT);
  gui_test::answer_message_box(MB_ANSWER_OK);  // "No text to find."
  gui_test::type_text(ids::TEXT, u"NOUN");
  gui_test::click(ids::EXTRACT);
  gui_test::answer_file_dialog(from_utf8(folder_ + "tags"));
  gui_test::wait_gadget_text(ids::FOUND_LABEL, u"Found:2");
  gui_test::run([] {
    ASSERT_EQ(gadget_count_items(ids::LIST), 2);
    EXPECT_EQ(gadget_get_item_text(ids::LIST, 1, 0), u"c/A\u2192po:Noun is:pl");
  }, "listed");
  gui_test::toggle(ids::FULL_MATCH);
  gui_test::click(ids::EXTRACT);
  gui_test::answer_message_box(MB_ANSWER_OK);  // "No matches found."
  gui_test::press_key(ids::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(ids::WINDOW);
  run_loop();
  EXPECT_EQ(read_file(folder_ + "tags.txt"), kBom + "a\tpo:noun\nc/A\tpo:Noun is:pl\n");
  EXPECT_EQ(gui_test::requesters()[0].text, u"No text to find.");
  EXPECT_EQ(gui_test::last_requester().text, u"No matches found.");
  EXPECT_EQ(ws_.tag_search.text, u"NOUN");
  EXPECT_TRUE(ws_.tag_search.full_match);
}

TEST_F(DictionaryToolsTest, StatisticsWindowChartReferenceExportAndTypeWindow) {
  namespace ids = statistics_ids;
  namespace words = statistics_words_ids;
  // Four forms: O'Neil-Smith counts in three rows (75 %), cat and cats by length.
  open_dictionary({"O'Neil-Smith", "cat/A", "/x"});
  gui_test::choose_menu_item(MENU_STATISTICS);
  gui_test::wait_window(ids::WINDOW);
  gui_test::run([] {
    EXPECT_EQ(gadget_get_item_text(ids::TYPE_LIST, 0, 1), u"1");
    EXPECT_EQ(gadget_get_item_text(ids::TYPE_LIST, 0, 2), u"33.33");
    EXPECT_EQ(gadget_get_item_text(ids::LETTERS_LEFT, 3, 0), u"c");
    EXPECT_EQ(gadget_get_item_text(ids::LETTERS_LEFT, 3, 1), u"2");
    EXPECT_EQ(gadget_get_item_text(ids::LETTERS_RIGHT, 0, 0), u"n");
    EXPECT_EQ(gadget_get_text(ids::TOTAL), u"3");
    // Sectors clockwise from 3 o'clock: apostrophe, hyphen, capital (a third
    // each), then past the full turn.
    EXPECT_EQ(drawing_canvas_pixel(ids::CHART, 200, 150), color_rgb(163, 73, 164));
    EXPECT_EQ(drawing_canvas_pixel(ids::CHART, 90, 160), color_rgb(63, 72, 204));
    EXPECT_EQ(drawing_canvas_pixel(ids::CHART, 125, 40), color_rgb(0, 162, 232));
    EXPECT_EQ(drawing_canvas_pixel(ids::CHART, 2, 2), 0xffffff);
  }, "shown");
  gui_test::replace_text(ids::REFERENCE, u"");
  gui_test::click(ids::REMEMBER);
  gui_test::answer_message_box(MB_ANSWER_OK);  // blank
  gui_test::type_text(ids::REFERENCE, u"1");
  gui_test::wait_gadget_text(ids::NEW_WORDS, u"New:2 / Date:", true);
  gui_test::click(ids::REMEMBER);
  gui_test::wait_gadget_text(ids::REMEMBERED_LABEL, u"Last Remember:", true);
  gui_test::click(ids::EXPORT);
  gui_test::answer_file_dialog(from_utf8(folder_ + "missing/stats.txt"));
  gui_test::answer_message_box(MB_ANSWER_OK);  // cannot write
  gui_test::click(ids::EXPORT);
  gui_test::answer_file_dialog(from_utf8(folder_ + "stats"));
  // The hyphen row's window: its entry, its preview, its extraction.
  gui_test::double_click_row(ids::TYPE_LIST, 1);
  gui_test::wait_window(words::WINDOW);
  gui_test::select_row(words::LIST, 0);
  gui_test::wait_gadget_text(words::PREVIEW, u"O'Neil-Smith (Primary)\n");
  gui_test::click(words::EXTRACT_FLAGS);
  gui_test::answer_file_dialog(from_utf8(folder_ + "hyphen"));
  gui_test::wait_until([this] { return !read_file(folder_ + "hyphen.txt").empty(); }, "extracted");
  gui_test::press_key(words::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(words::WINDOW);
  gui_test::press_key(ids::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(ids::WINDOW);
  run_loop();

  EXPECT_EQ(gui_test::requesters()[0].text, u"Remember gadget is blank.");
  EXPECT_EQ(gui_test::requesters()[2].title, u"Error!");
  const std::string remembered = read_file(folder_ + "settings/dic_stats_remember.prefs");
  EXPECT_EQ(remembered.rfind("41\n1\nLast Remember:", 0), 0u) << remembered;
  EXPECT_EQ(ws_.statistics.remembered_count, u"1");
  const std::string stats = read_file(folder_ + "stats.txt");
  EXPECT_EQ(stats.rfind(kBom + "Total wordlist:3\n\nWORDS:\n            With ':1 (33.33%)\n", 0), 0u) << stats;
  EXPECT_NE(stats.find("Reference Value:\n1\nNew Words:\n2 / Date:"), std::string::npos);
  EXPECT_EQ(read_file(folder_ + "hyphen.txt"), kBom + "O'Neil-Smith (Primary)\n");
}

}  // namespace
