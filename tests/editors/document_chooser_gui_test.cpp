// The Open requester of every document tab starts in the folder of the
// document that is open there.
#include "tests/app/shell_gui_support.h"

#include "common/file.h"
#include "editors/autocorrect/autocorrect_files_ui.h"
#include "editors/autocorrect/autotext_file.h"
#include "editors/hyphenation/hyphenation_tab_ui.h"
#include "editors/thesaurus/thesaurus_files_ui.h"
#include "gui/gui.h"
#include "tools/grammar_rules.h"
#include "tools/grammar_rules_ui.h"

#include <functional>
#include <string>

namespace {

using DocumentChooserTest = shell_test::ShellTest;

TEST_F(DocumentChooserTest, OpenStartsInTheFolderOfTheOpenDocument) {
  const std::string folder = folder_ + "documents";
  ASSERT_EQ(dir_create(from_utf8(folder)), 1);
  const text_t open_file = from_utf8(folder + "/open.file");
  const struct {
    const char* tab;
    std::function<void()> set_path;
    std::function<void()> open;
  } cases[] = {
      {"thesaurus", [&] { ws_.thesaurus.list.mark_saved(open_file); }, [this] { load_thesaurus(ws_.thesaurus, ws_.commands.kinds.thesaurus, ws_.prefs, u""); }},
      {"hyphenation", [&] { ws_.hyphenation.path = open_file; }, [this] { load_hyphenation(ws_.hyphenation, ws_.commands.kinds.hyphenation, u""); }},
      {"autocorrect", [&] { ws_.autocorrect.list.mark_saved(open_file); }, [this] { load_autocorrect_list(ws_.autocorrect, ws_.commands.kinds.autocorrect, ws_.prefs, u""); }},
      {"autotext", [&] { ws_.autotext.path = open_file; }, [this] { load_autotext_list(ws_.autotext, ws_.commands.kinds.autotext, u""); }},
      {"grammar", [&] { ws_.grammar.path = open_file; }, [this] { load_grammar_rules(ws_.grammar, ws_.commands.kinds.languagetool, u""); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab);
    c.set_path();
    gui_test::wait_file_requester_folder(from_utf8(folder));
    gui_test::answer_file_dialog(u"");
    c.open();
    // The driver fails the step when the requester shows another folder.
    gui_test::finish();
  }
}

}  // namespace
