// The program started on the Autocorrect tab with an empty list, for the
// window tests of the autocorrect list and its tools.
#pragma once

#include "tests/app/shell_gui_support.h"

#include "app/main_loop.h"
#include "gui/gui.h"
#include "kit/ids.h"

namespace autocorrect_test {

class AutocorrectTabFixture : public shell_test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    start_with_valid_prefs();
    ws_.autocorrect.list.replace_all({}, u"");
    gadget_set_state(MAIN_TAB_PANEL, TAB_AUTOCORRECT);
  }
  void TearDown() override {
    ws_.autocorrect.list.replace_all({}, u"");
    ShellTest::TearDown();
  }
  // Ends the script: the main loop runs every queued step, then exits.
  static void run_loop() {
    gui_test::close_window(MAIN_WINDOW);
    run_main_loop();
    gui_test::finish();
  }
  list_document& doc() { return ws_.autocorrect.list; }
  static text_t status() { return status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT); }
};

}  // namespace autocorrect_test
