// The Crunch window on a small dictionary, driven like a user.
#include "tests/app/shell_gui_support.h"
#include "tests/test_support/held_job.h"

#include "affix/aff_cache.h"
#include "dictionary/crunch_window.h"
#include "gui/gui.h"
#include "kit/ids.h"

using namespace crunch_ids;

namespace {

const char16_t kAff[] = u"SFX S Y 1\nSFX S 0 s .\nSFX D Y 1\nSFX D 0 ed .\n";

class CrunchWindowTest : public shell_test::ShellTest {
 protected:
  void open_dictionary(std::vector<text_t> entries, const text_t& aff = kAff) {
    start_with_valid_prefs();
    dictionary().list.replace_all(std::move(entries), from_utf8(folder_ + "small.dic"));
    dictionary().count_changed();
    gadget_set_text(AFF_EDITOR, aff);
    dictionary().invalidate_decode_cache();
  }
  void TearDown() override {
    ws_.crunch.enabled.fill(true);
    ws_.crunch.match_left = 2;
    shell_test::ShellTest::TearDown();
  }
  static list_document& doc() { return dictionary().list; }
};

TEST_F(CrunchWindowTest, ProcessFoldsListsAndOneUndoTakesItBack) {
  open_dictionary({u"walks", u"walk", u"jumped\npo:verb", u"jump\npo:verb", u"talked"});
  gui_test::wait_window(CRUNCH_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(CRUNCH_WINDOW), u"Crunch words with flags (Tavernel - GB/ZA)");
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
    EXPECT_EQ(gadget_get_text(CRUNCH_USED_FLAGS), u"MSGDpOwWY1k6jhJo~");
    EXPECT_EQ(gadget_get_text(CRUNCH_USED_COUNT), u"(17/17)");
    EXPECT_EQ(gadget_get_text(CRUNCH_FOUND_LABEL), u"Found:0/5");
    EXPECT_EQ(gadget_get_text(CRUNCH_MATCH_LABEL), u"2 chrs: Very Good (Faster) (recommended)");
  }, "window built");
  // No flag chosen: refused.
  gui_test::click(CRUNCH_NONE);
  gui_test::run([] { EXPECT_EQ(gadget_get_text(CRUNCH_USED_COUNT), u"(0/17)"); }, "none");
  gui_test::click(CRUNCH_PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::toggle(CRUNCH_FIRST_OPTION + 1);  // S
  gui_test::toggle(CRUNCH_FIRST_OPTION + 3);  // D
  gui_test::run([] { EXPECT_EQ(gadget_get_text(CRUNCH_USED_FLAGS), u"SD"); }, "S and D");
  gui_test::set_value(CRUNCH_MATCH_SLIDER, 3);
  gui_test::click(CRUNCH_PROCESS);
  gui_test::wait_gadget_text(CRUNCH_STEP_LABEL, u"Processing:Done!");
  gui_test::run([this] {
    EXPECT_EQ(ws_.crunch.match_left, 3);
    EXPECT_EQ(gadget_get_text(CRUNCH_MATCH_LABEL), u"3 chrs: Good (Fastest)");
    EXPECT_EQ(gadget_get_text(CRUNCH_FOUND_LABEL), u"Found:2/5");
    ASSERT_EQ(gadget_count_items(CRUNCH_LIST), 2);
    EXPECT_EQ(gadget_get_item_text(CRUNCH_LIST, 0, 0), u"1");
    EXPECT_EQ(gadget_get_item_text(CRUNCH_LIST, 0, 1), u"walks\u2192walk/S");
    EXPECT_EQ(gadget_get_item_text(CRUNCH_LIST, 0, 2), u"4");
    EXPECT_EQ(gadget_get_item_text(CRUNCH_LIST, 1, 1), u"jumped\u2192jump/D");
    EXPECT_EQ(gadget_get_text(CRUNCH_ESCAPE_LABEL), u"");
    EXPECT_FALSE(gadget_get_disabled(CRUNCH_PROCESS));
  }, "folded");
  // A second run finds nothing more to fold.
  gui_test::click(CRUNCH_PROCESS);
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::press_key(CRUNCH_WINDOW, KEY_ESCAPE);
  show_crunch_words_window(dictionary(), ws_.crunch, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
  const auto& boxes = gui_test::requesters();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, u"No rules selected.");
  EXPECT_EQ(boxes[1].text, u"No changes done.");
  EXPECT_FALSE(window_exists(CRUNCH_WINDOW));
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
  EXPECT_EQ(doc().entries(),
            (std::vector<text_t>{u"walk/S", u"walk", u"jump/D\npo:verb", u"jump\npo:verb", u"talked"}));
  EXPECT_TRUE(doc().changed());
  ASSERT_TRUE(doc().undo());
  EXPECT_EQ(doc().entries(),
            (std::vector<text_t>{u"walks", u"walk", u"jumped\npo:verb", u"jump\npo:verb", u"talked"}));
}

TEST_F(CrunchWindowTest, EscapeWhileProcessingKeepsTheFoldsSoFar) {
  std::vector<text_t> entries;
  constexpr int pairs = 20000;
  for (int i = 0; i < pairs; ++i) {
    text_t w(1, u'w');
    w.append(string_from_int(i)).push_back(u'x');
    entries.push_back(w + u"s");
    entries.push_back(w);
  }
  open_dictionary(entries);
  gui_test::wait_window(CRUNCH_WINDOW);
  gui_test::click(CRUNCH_PROCESS);
  // Step 1 takes a step per entry; the flags step waits at its 5000th word.
  held_job hold(2 * pairs + 5000);
  gui_test::press_key(CRUNCH_WINDOW, KEY_ESCAPE);
  gui_test::answer_message_box(MB_ANSWER_YES);
  gui_test::wait_gadget_text(CRUNCH_STEP_LABEL, u"Processing:Aborted.");
  gui_test::run([] {
    EXPECT_FALSE(gadget_get_disabled(CRUNCH_CLOSE));
    EXPECT_EQ(gadget_get_text(CRUNCH_ESCAPE_LABEL), u"");
    EXPECT_EQ(gadget_get_text(CRUNCH_TIME_LABEL), u"Aborted.");
  }, "stopped");
  // The end text stands on one line, clear of the other gadgets.
  shell_test::wait_tidy_layout(CRUNCH_WINDOW, {CRUNCH_TIME_LABEL, CRUNCH_STEP_LABEL, CRUNCH_FOUND_LABEL},
                               "the crunch window after the abort");
  gui_test::click(CRUNCH_CLOSE);
  show_crunch_words_window(dictionary(), ws_.crunch, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
  int64_t folded = 0;
  for (const text_view e : doc().entries()) folded += e.size() > 2 && e.substr(e.size() - 2) == u"/S";
  EXPECT_GT(folded, 0);
  EXPECT_LT(folded, 150000);
}

TEST_F(CrunchWindowTest, AnEmptyDictionaryOpensNoWindow) {
  open_dictionary({});
  gui_test::answer_message_box(MB_ANSWER_OK);
  show_crunch_words_window(dictionary(), ws_.crunch, ws_.prefs.applied.number_separator_chr);
  gui_test::finish();
  EXPECT_EQ(gui_test::last_requester().text, u"No dictionary words found.");
  EXPECT_FALSE(window_exists(CRUNCH_WINDOW));
}

}  // namespace
