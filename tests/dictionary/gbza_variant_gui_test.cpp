// The -ise/-ize window on a small dictionary, driven like a user.
#include "tests/app/shell_gui_support.h"

#include "affix/aff_cache.h"
#include "dictionary/gbza_variant_window.h"
#include "gui/gui.h"
#include "kit/ids.h"

using namespace gbza_ids;

namespace {

class GbzaWindowTest : public shell_test::ShellTest {
 protected:
  void open_dictionary(std::vector<text_t> entries, const text_t& exceptions) {
    start_with_valid_prefs();
    dictionary().list.replace_all(std::move(entries), from_utf8(folder_ + "en_GB.dic"));
    dictionary().count_changed();
    gadget_set_text(AFF_EDITOR, u"SFX D Y 1\nSFX D 0 ed .\n");
    dictionary().invalidate_decode_cache();
    ws_.gbza.exceptions_text = exceptions;
    ws_.gbza.exceptions = pattern_list();
    ws_.gbza.gb_specific_text.clear();
    ws_.gbza.last_tab = 0;
  }
  void TearDown() override {
    shell_test::ShellTest::TearDown();
  }
  static list_document& doc() { return dictionary().list; }
  static void wait_log(const text_t& text) { gui_test::wait_gadget_text(GBZA_LOG, text, true); }
};

TEST_F(GbzaWindowTest, CancelGivesBackTheDictionaryAndItsHistory) {
  open_dictionary({u"realize/DG", u"walk/D8", u"organise", u"treatize", u"run/8\npo:verb"}, u"treatize\n");
  gui_test::wait_window(GBZA_VARIANT_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(GBZA_VARIANT_WINDOW), u"GB/ZA to GB/ZA/US/CA/AU (Tavernel - GB/ZA)");
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
    EXPECT_EQ(gadget_get_text(GBZA_EXCEPTIONS), u"treatize\n");
  }, "opened");
  gui_test::click(GBZA_TO_ISE);
  wait_log(u"Removed a total of 3 words.");
  gui_test::run([] {
    EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"", u"walk/D", u"organise", u"treatize", u"run\npo:verb"}));
    const text_t log = gadget_get_text(GBZA_LOG);
    EXPECT_NE(log.find(u"Found 1 exceptions.\n\nRemoving -ize...\n\nRemoved #1:\n\"realize/DG\"\n"), text_t::npos);
    EXPECT_NE(log.find(u"Removed FLAG #2:\n\"run/8 po:verb\"\n"), text_t::npos);
    EXPECT_EQ(gadget_get_text(GBZA_ESCAPE_LABEL), u"");
  }, "converted");
  gui_test::click(GBZA_CANCEL);
  show_gbza_variant_window(dictionary(), ws_.gbza, ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_FALSE(window_exists(GBZA_VARIANT_WINDOW));
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
  EXPECT_EQ(doc().entries(),
            (std::vector<text_t>{u"realize/DG", u"walk/D8", u"organise", u"treatize", u"run/8\npo:verb"}));
  EXPECT_FALSE(doc().changed());
  EXPECT_FALSE(doc().can_undo());
  EXPECT_FALSE(doc().can_redo());
}

TEST_F(GbzaWindowTest, OkDropsTheEmptiedEntriesAndTheMarksFollow) {
  open_dictionary({u"realise", u"walk", u"organise", u"house", u"sing"}, u"x\n");
  doc().set_checked(3, true);
  doc().set_checked(4, true);
  gui_test::wait_window(GBZA_VARIANT_WINDOW);
  gui_test::click(GBZA_TO_IZE);
  wait_log(u"Removed a total of 2 words.");
  gui_test::select_tab(GBZA_PANEL, 1);
  gui_test::click(GBZA_OK);
  show_gbza_variant_window(dictionary(), ws_.gbza, ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"walk", u"house", u"sing"}));
  EXPECT_EQ(doc().checked(), (std::vector<uint8_t>{0, 1, 1}));
  EXPECT_TRUE(doc().changed());
  EXPECT_EQ(doc().selected(), -1);
  EXPECT_EQ(ws_.gbza.last_tab, 1);
  // Delete Selected removes the words the user ticked.
  EXPECT_EQ(doc().delete_checked(), 2);
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"walk"}));
}

// A blank line, or an empty list, leaves no exception in force and the
// removal runs without any; Cancel gives every word back.
TEST_F(GbzaWindowTest, ABlankOrEmptyExceptionListRunsTheRemovalWithoutExceptions) {
  open_dictionary({u"rise", u"realise", u"organize", u"size/S"}, u"_rise\n\n");
  gui_test::wait_window(GBZA_VARIANT_WINDOW);
  gui_test::click(GBZA_TO_IZE);
  wait_log(u"There is a blank exception.\nAborted!\n\n\nRemoving -ise...\n");
  wait_log(u"Removed a total of 2 words.");
  gui_test::run([] {
    EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"", u"", u"organize", u"size/S"}));
  }, "rise is not kept");
  gui_test::select_tab(GBZA_PANEL, 1);
  gui_test::click(GBZA_EXCEPTIONS_CLEAR);
  gui_test::click(GBZA_TO_ISE);
  wait_log(u"No exceptions found.\n\nRemoving -ize...\n");
  gui_test::wait_until([] { return doc().entries() == std::vector<text_t>{u"", u"", u"", u""}; },
                       "the -ize words emptied");
  gui_test::click(GBZA_CANCEL);
  show_gbza_variant_window(dictionary(), ws_.gbza, ws_.prefs.record.window_resolution);
  gui_test::finish();
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"rise", u"realise", u"organize", u"size/S"}));
  EXPECT_FALSE(doc().changed());
  EXPECT_FALSE(doc().can_undo());
}

TEST_F(GbzaWindowTest, ExportRememberAndGbSpecific) {
  open_dictionary({u"colour/MS", u"color"}, u"treatise\r\n/ship");
  const std::string qvi = folder_ + "exceptions.qvi";
  gui_test::wait_window(GBZA_VARIANT_WINDOW);
  gui_test::select_tab(GBZA_PANEL, 1);
  gui_test::click(GBZA_EXCEPTIONS_EXPORT);
  gui_test::answer_file_dialog(from_utf8(qvi));
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::click(GBZA_EXCEPTIONS_REMEMBER);
  gui_test::select_tab(GBZA_PANEL, 2);
  gui_test::click(GBZA_GB_SAVE);  // an empty list is not saved
  gui_test::answer_message_box(MB_ANSWER_OK);
  gui_test::type_text(GBZA_GB_WORDS, u"colour");
  gui_test::click(GBZA_REMOVE_GB);
  wait_log(u"Found 1 GB specific.\n\nRemoving GB specific...\n\nRemoved #1:\n\"colour/MS\"\n");
  gui_test::click(GBZA_OK);
  show_gbza_variant_window(dictionary(), ws_.gbza, ws_.prefs.record.window_resolution);
  gui_test::finish();
  const auto& boxes = gui_test::requesters();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].text, u"Exported 2 exceptions.");
  EXPECT_EQ(boxes[2].text, u"No GB specific words found.");
  EXPECT_EQ(shell_test::read_file(qvi), "\xEF\xBB\xBF"
                                        "  exceptions_editor_gadget$+\"treatise\"+#LF$\n"
                                        "  exceptions_editor_gadget$+\"/ship\"+#LF$\n");
  EXPECT_EQ(shell_test::read_file(folder_ + "settings/-ize-ise_exceptions.txt"), "\xEF\xBB\xBFtreatise\n/ship");
  EXPECT_EQ(doc().entries(), (std::vector<text_t>{u"color"}));
  EXPECT_EQ(ws_.gbza.gb_specific_text, u"colour");
}

}  // namespace
