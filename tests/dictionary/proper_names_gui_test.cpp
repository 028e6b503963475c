// The proper-names export from the Dictionary menu and its result window.
#include "tests/app/shell_gui_support.h"

#include "dictionary/proper_names_window.h"
#include "gui/gui.h"
#include "kit/ids.h"

using namespace proper_names_ids;

namespace {

class ProperNamesWindowTest : public shell_test::ShellTest {
 protected:
  void open_dictionary(std::vector<text_t> entries) {
    start_with_valid_prefs();
    dictionary().list.replace_all(std::move(entries), from_utf8(folder_ + "en_GB.dic"));
    dictionary().count_changed();
  }
  void TearDown() override {
    shell_test::ShellTest::TearDown();
  }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
};

TEST_F(ProperNamesWindowTest, WritesTheFileAndListsTheNames) {
  open_dictionary({u"walk/S", u"London/M\npo:noun", u"paris", u"NASA"});
  const std::string path = folder_ + "names.txt";
  gui_test::answer_file_dialog(from_utf8(path));
  gui_test::wait_window(PROPER_NAMES_WINDOW);
  gui_test::run([] {
    EXPECT_EQ(window_get_title(PROPER_NAMES_WINDOW), u"Extracted Proper Names");
    EXPECT_TRUE(window_get_disabled(MAIN_WINDOW));
    EXPECT_EQ(gadget_get_text(PROPER_NAMES_COUNT), u"Extracted:2");
    ASSERT_EQ(gadget_count_items(PROPER_NAMES_LIST), 2);
    EXPECT_EQ(gadget_get_item_text(PROPER_NAMES_LIST, 0, 0), u"1");
    EXPECT_EQ(gadget_get_item_text(PROPER_NAMES_LIST, 0, 1), u"London/M");
    EXPECT_EQ(gadget_get_item_text(PROPER_NAMES_LIST, 0, 2), u"po:noun");
    EXPECT_EQ(gadget_get_item_text(PROPER_NAMES_LIST, 1, 0), u"3");
    EXPECT_EQ(status().rfind(u"OK. Extracted Proper Names:2 \u231a", 0), 0u);
  }, "listed");
  gui_test::click(PROPER_NAMES_CLOSE);
  extract_proper_names(dictionary());
  gui_test::finish();
  EXPECT_FALSE(window_exists(PROPER_NAMES_WINDOW));
  EXPECT_FALSE(window_get_disabled(MAIN_WINDOW));
  EXPECT_EQ(shell_test::read_file(path), "\xEF\xBB\xBF" "London/M\tpo:noun\nNASA\n");
  EXPECT_FALSE(dictionary().list.changed());
}

TEST_F(ProperNamesWindowTest, NoNamesNoWindowAndCancelWritesNothing) {
  open_dictionary({u"walk/S", u"1984"});
  const std::string path = folder_ + "names.txt";
  gui_test::answer_file_dialog(from_utf8(path));
  extract_proper_names(dictionary());
  gui_test::finish();
  EXPECT_FALSE(window_exists(PROPER_NAMES_WINDOW));
  EXPECT_EQ(shell_test::read_file(path), "\xEF\xBB\xBF");
  EXPECT_EQ(status().rfind(u"OK. Extracted Proper Names:0 \u231a", 0), 0u);

  gui_test::answer_file_dialog(u"");
  extract_proper_names(dictionary());
  gui_test::finish();
  EXPECT_EQ(status(), u"Aborted.");
}

}  // namespace
