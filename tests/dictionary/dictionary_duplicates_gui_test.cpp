// The duplicates window 577, the duplicates word list window 523 and Sort
// tags .AFF, driven like a user on small dictionaries.
#include "tests/app/shell_gui_support.h"
#include "tests/test_support/held_job.h"

#include "affix/aff_cache.h"
#include "common/tool_log.h"
#include "dictionary/dictionary_duplicates_window.h"
#include "dictionary/dictionary_files_ui.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/settings_files.h"

#include <string>
#include <vector>

namespace {

namespace ids = dictionary_duplicates_ids;

const char16_t kAff[] =
    u"SET UTF-8\n"
    u"PFX P Y 1\n"
    u"PFX P 0 pre .\n"
    u"SFX S Y 1\n"
    u"SFX S 0 s .\n"
    u"SFX D Y 1\n"
    u"SFX D 0 ed .\n";

// The check boxes as 0 or 1 at indexes 1..4.
std::vector<int64_t> option_values(const duplicates_options& o) {
  return {0, o.ignore_tags, o.twofold, o.same_class, o.special_primary_only};
}

class DuplicatesWindowTest : public shell_test::DictionaryListTest {
 protected:
  void open_dictionary(std::vector<text_t> entries, const text_t& aff = kAff) {
    doc().replace_all(std::move(entries), from_utf8(folder_ + "small.dic"));
    dictionary().count_changed();
    dictionary().set_aff_text(aff);
    dictionary().invalidate_decode_cache();
    ws_.dictionary_duplicates = duplicates_options();
  }
  void TearDown() override {
    ws_.dictionary_duplicates = duplicates_options();
    shell_test::DictionaryListTest::TearDown();
  }
  static void wait_rows(int n) {
    gui_test::wait_until([n] { return gadget_count_items(ids::LIST) == n; }, std::to_string(n) + " rows");
  }
  // Steps: Scan lists rows, Process merges them all and says so.
  static void scan_and_process(int rows) {
    gui_test::wait_window(ids::WINDOW);
    gui_test::click(ids::SCAN);
    wait_rows(rows);
    gui_test::click(ids::PROCESS);
    gui_test::answer_message_box(MB_ANSWER_OK);
    wait_rows(0);
  }
};

TEST_F(DuplicatesWindowTest, ScanProcessOkKeepsMergedEntries) {
  open_dictionary({u"walk", u"walk/S", u"x", u"walk/D", u"talk/SS", u"y"});
  doc().set_checked(3, true);  // walk/D, whose line becomes walk/DS
  doc().set_checked(5, true);
  doc().select(4);
  gui_test::wait_window(ids::WINDOW);
  gui_test::run([] {
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
    EXPECT_TRUE(gadget_get_disabled(ids::PROCESS));
    EXPECT_TRUE(gadget_get_disabled(ids::EXPORT));
    EXPECT_EQ(gadget_get_state(ids::SAME_CLASS), 1);
    EXPECT_EQ(gadget_get_text(ids::LOG).rfind(u"Show/Merge/Delete duplicates in .dic V2.7 - 2025-04-10\n", 0), 0u);
  }, "window opened");
  gui_test::click(ids::SCAN);
  wait_rows(4);
  // The job's end text stands whole, clear of the other gadgets.
  shell_test::wait_tidy_layout(ids::WINDOW, {ids::TIME_LABEL}, "the duplicates window after the scan");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(ids::WORDS_COUNT), u"3");
    EXPECT_EQ(gadget_get_text(ids::FLAGS_COUNT), u"1");
    EXPECT_EQ(gadget_get_item_text(ids::LIST, 0, 1), u"talk");
    EXPECT_EQ(gadget_get_item_text(ids::LIST, 0, 5), u"Yes (+1)");
    EXPECT_EQ(gadget_get_item_text(ids::LIST, 1, 0), u"1");
    EXPECT_EQ(gadget_get_item_text(ids::LIST, 2, 4), u"All suffixes");
    EXPECT_EQ(gadget_get_item_color(ids::LIST, -1, COLOR_TEXT, 5), 255);
    EXPECT_EQ(gadget_get_item_color(ids::LIST, -1, COLOR_BACKGROUND, 0), 14670554);
    EXPECT_FALSE(gadget_get_disabled(ids::PROCESS));
  }, "scan listed");
  gui_test::click(ids::PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  wait_rows(0);
  gui_test::wait_until([] { return gadget_get_disabled(ids::PROCESS) != 0; }, "Process disabled without rows");
  gui_test::run([] {
    EXPECT_NE(gadget_get_text(ids::LOG).find(u"Number of merged/deleted words:2"), text_t::npos);
  }, "processed");
  gui_test::click(ids::OK);
  show_dictionary_duplicates_window(dictionary(), ws_.dictionary_duplicates, ws_.prefs);
  gui_test::finish();

  EXPECT_EQ(gui_test::requesters().front().text,
            u"Merged/deleted words:2 \nDeleted repeated FlagsW:1\nExact number repeated flags:1");
  EXPECT_FALSE(window_exists(ids::WINDOW));
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"x", u"walk/DS", u"talk/S", u"y"}));
  EXPECT_EQ(doc().checked(), (std::vector<uint8_t>{0, 1, 0, 1}));
  EXPECT_EQ(doc().checked_count(), 2);
  EXPECT_EQ(doc().selected(), -1);
  EXPECT_TRUE(doc().changed());
  EXPECT_EQ(gadget_get_attribute(HYPHENATION_SCROLL, ATTR_MAXIMUM), 3);
  EXPECT_EQ(gadget_get_attribute(DICTIONARY_SCROLL, ATTR_MAXIMUM), 3);
  ASSERT_TRUE(doc().undo());
  EXPECT_EQ(doc().count(), 6);
}

// Cancel after Process: every entry back, Redo not armed, the earlier Undo
// still there, the changed flag as it was. OK without a change changes nothing.
TEST_F(DuplicatesWindowTest, CancelRestoresAndOkWithoutChangeKeepsFlag) {
  open_dictionary({u"walk/S", u"walk/S", u"b"});
  doc().save_undo();  // an earlier edit
  doc().set_entry(2, u"c");
  const std::vector<text_t> before = doc().entries().to_vector();
  scan_and_process(2);
  gui_test::click(ids::CANCEL);
  show_dictionary_duplicates_window(dictionary(), ws_.dictionary_duplicates, ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(doc().entries(), before);
  EXPECT_FALSE(doc().changed());
  EXPECT_FALSE(doc().can_redo());
  ASSERT_TRUE(doc().can_undo());
  EXPECT_EQ(doc().history().undo_snapshot.entries, (std::vector<text_t>{u"walk/S", u"walk/S", u"b"}));

  gui_test::wait_window(ids::WINDOW);
  gui_test::click(ids::SCAN);
  wait_rows(2);
  gui_test::click(ids::OK);
  show_dictionary_duplicates_window(dictionary(), ws_.dictionary_duplicates, ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(doc().entries(), before);
  EXPECT_FALSE(doc().changed());

  // Escape closes the window like Cancel.
  scan_and_process(2);
  gui_test::press_key(ids::WINDOW, KEY_ESCAPE);
  show_dictionary_duplicates_window(dictionary(), ws_.dictionary_duplicates, ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(doc().entries(), before);
}

TEST_F(DuplicatesWindowTest, ExportRememberAndTwofold) {
  open_dictionary({u"walk/S", u"walk/D"});
  const std::string out = folder_ + "dupes.txt";
  gui_test::wait_window(ids::WINDOW);
  gui_test::click(ids::SCAN);
  wait_rows(2);
  gui_test::click(ids::EXPORT);
  gui_test::answer_file_dialog(from_utf8(folder_ + "dupes"));
  gui_test::wait_until([&] { return !shell_test::read_file(out).empty(); }, "export written");
  gui_test::toggle(ids::TWOFOLD);
  gui_test::run([] {
    EXPECT_EQ(gadget_get_state(ids::SAME_CLASS), 0);
    EXPECT_TRUE(gadget_get_disabled(ids::SAME_CLASS));
    EXPECT_TRUE(gadget_get_disabled(ids::SPECIAL_PRIMARY));
  }, "twofold on");
  gui_test::click(ids::REMEMBER);
  gui_test::click(ids::PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);  // nothing merged under Twofold
  gui_test::click(ids::OK);
  show_dictionary_duplicates_window(dictionary(), ws_.dictionary_duplicates, ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(shell_test::read_file(out),
            "\xEF\xBB\xBF" "DUPLICATES FOUND:2\n\n2:walk:D::All suffixes\n1:walk:S::All suffixes\n");
  EXPECT_EQ(shell_test::read_file(to_utf8(settings_file_path(u"show_merge_del_dupes.prefs"))),
            std::string("41\n\x00\x01\x00\x00", 7));
  EXPECT_EQ(gui_test::last_requester().text, u"No changed done to .DIC");
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"walk/S", u"walk/D"}));
  EXPECT_EQ(option_values(ws_.dictionary_duplicates), (std::vector<int64_t>{0, 0, 1, 1, 1}));
}

TEST_F(DuplicatesWindowTest, EmptyDictionaryOpensNoWindow) {
  open_dictionary({});
  gui_test::answer_message_box(MB_ANSWER_OK);
  show_dictionary_duplicates_window(dictionary(), ws_.dictionary_duplicates, ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No dictionary words found.");
  EXPECT_FALSE(window_exists(ids::WINDOW));
}

// ---- The inline tools ------------------------------------------------------------------

TEST_F(DuplicatesWindowTest, WordlistDuplicatesListAndExport) {
  open_dictionary({u"walk/S", u"walk", u"run"});
  const std::string out = folder_ + "words.txt";
  namespace w = wordlist_duplicates_ids;
  gui_test::wait_window(w::WINDOW);
  gui_test::run([] {
    EXPECT_EQ(gadget_count_items(w::LIST), 1);
    EXPECT_EQ(gadget_get_item_text(w::LIST, 0, 0), u"walk");
    EXPECT_EQ(gadget_get_item_text(w::LIST, 0, 1), u"2");
    EXPECT_EQ(gadget_get_item_text(w::LIST, 0, 2), u"1 + 2");
    EXPECT_EQ(gadget_get_text(w::FOUND_LABEL), u"Found:1/4");
  }, "list shown");
  gui_test::click(w::EXPORT);
  gui_test::answer_file_dialog(from_utf8(out));
  gui_test::wait_until([&] { return !shell_test::read_file(out).empty(); }, "export written");
  gui_test::click(w::CLOSE);
  show_duplicates_wordlist(dictionary(), ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(shell_test::read_file(out), "\xEF\xBB\xBF" "DUPLICATES FOUND:1\n\nwalk (2): 1 + 2\n");
  EXPECT_FALSE(window_exists(w::WINDOW));
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
}

TEST_F(DuplicatesWindowTest, SortTagsChangesTheAffText) {
  open_dictionary({u"walk"}, u"SFX S Y 3\nSFX S 0 s .\nSFX S 0 es .\nSFX S 0 ies .");
  gui_test::answer_message_box(MB_ANSWER_YES);
  sort_aff_tags_command(dictionary());
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SFX S Y 3\nSFX S 0 es .\nSFX S 0 ies .\nSFX S 0 s .\n");
  EXPECT_TRUE(doc().changed());
  EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, 0).rfind(u"OK.", 0), 0u);

  doc().mark_saved(doc().path());
  gui_test::answer_message_box(MB_ANSWER_NO);
  dictionary().set_aff_text(u"SFX S Y 2\nSFX S 0 s .\nSFX S 0 es .");
  sort_aff_tags_command(dictionary());
  gui_test::finish();
  EXPECT_EQ(gadget_get_text(AFF_EDITOR), u"SFX S Y 2\nSFX S 0 s .\nSFX S 0 es .");
  EXPECT_FALSE(doc().changed());
}

}  // namespace

namespace {

// The Dictionary Tools menu reaches the three tools through the main loop.
TEST_F(DuplicatesWindowTest, MenuItemsRunTheTools) {
  open_dictionary({u"walk/S", u"walk"}, u"SFX S Y 2\nSFX S 0 s .\nSFX S 0 es .");
  gui_test::choose_menu_item(MENU_DICTIONARY_DUPLICATES);
  gui_test::wait_window(ids::WINDOW);
  gui_test::press_key(ids::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(ids::WINDOW);
  gui_test::choose_menu_item(MENU_WORDLIST_DUPLICATES);
  gui_test::wait_window(wordlist_duplicates_ids::WINDOW);
  gui_test::press_key(wordlist_duplicates_ids::WINDOW, KEY_ESCAPE);
  gui_test::wait_window_closed(wordlist_duplicates_ids::WINDOW);
  gui_test::choose_menu_item(MENU_SORT_AFF_TAGS);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(AFF_EDITOR, u"SFX S Y 2\nSFX S 0 es .\nSFX S 0 s .\n");
  run_loop();
  EXPECT_TRUE(doc().changed());
}

}  // namespace

namespace {

// Escape on the window during a scan asks, Yes stops the scan with
// "Aborted!" in the log; the window stays open.
TEST_F(DuplicatesWindowTest, EscapeStopsTheScan) {
  std::vector<text_t> entries;
  for (int i = 0; i < 400000; ++i) entries.push_back(u"w" + string_from_int(i % 200000) + u"/S");
  open_dictionary(std::move(entries));
  gui_test::wait_window(ids::WINDOW);
  gui_test::click(ids::SCAN);
  held_job hold(1000);  // the scan waits at its 1000th entry for the Escape
  gui_test::press_key(ids::WINDOW, KEY_ESCAPE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_until([] { return gadget_get_text(ids::LOG).find(u"Aborted!\n") != text_t::npos; }, "scan aborted");
  gui_test::run([] {
    EXPECT_EQ(gadget_get_text(ids::ESCAPE_LABEL), u"");
    EXPECT_EQ(gadget_get_text(ids::TIME_LABEL), u"Aborted.");
  }, "labels after the abort");
  gui_test::click(ids::CANCEL);
  show_dictionary_duplicates_window(dictionary(), ws_.dictionary_duplicates, ws_.prefs);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
  EXPECT_EQ(doc().count(), 400000);
  EXPECT_FALSE(doc().changed());
}

}  // namespace
