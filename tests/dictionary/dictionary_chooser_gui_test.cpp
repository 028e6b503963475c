// The dictionary's Open and Save As requesters start in the folder of the
// dictionary that is open.
#include "tests/app/shell_gui_support.h"

#include "common/file.h"
#include "dictionary/dictionary_commands_ui.h"
#include "dictionary/dictionary_files_ui.h"
#include "gui/gui.h"

#include <string>

using shell_test::DictionaryListTest;
using shell_test::write_file;

namespace {

class DictionaryChooserTest : public DictionaryListTest {
 protected:
  void SetUp() override {
    DictionaryListTest::SetUp();
    register_dictionary_file_commands(ws_.dictionary, ws_.commands.kinds.dictionary, ws_.prefs);
    register_dictionary_list_commands(ws_.commands.kinds.dictionary);
  }
};

TEST_F(DictionaryChooserTest, OpenAndSaveAsStartInTheFolderOfTheOpenDictionary) {
  const std::string pairs = folder_ + "pairs";
  ASSERT_EQ(dir_create(from_utf8(pairs)), 1);
  write_file(pairs + "/en.aff", "\xEF\xBB\xBF" "SET UTF-8\n");
  write_file(pairs + "/en.dic", "1\nword\n");
  load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, from_utf8(pairs + "/en.dic"));
  ASSERT_EQ(doc().path(), from_utf8(pairs + "/en.dic"));
  for (bool save_as : {false, true}) {
    SCOPED_TRACE(save_as ? "save as" : "open");
    gui_test::wait_file_requester_folder(from_utf8(pairs));
    gui_test::answer_file_dialog(u"");
    if (save_as) save_dictionary(dictionary(), running_kinds().dictionary, 0, 1);
    else load_dictionary(dictionary(), ws_.commands.kinds.dictionary, ws_.prefs, u"");
    gui_test::finish();
    EXPECT_EQ(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Aborted.");
    EXPECT_EQ(doc().path(), from_utf8(pairs + "/en.dic"));
  }
}

}  // namespace
