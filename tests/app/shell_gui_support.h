// A program folder per test and the start-up of the shell in it, for the
// window tests of the shell.
#pragma once

#include "app/main_loop.h"
#include "app/program_commands.h"
#include "app/workspace.h"
#include "common/text.h"
#include "dictionary/dic_file.h"
#include "gui/test_driver.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/preferences.h"
#include "kit/undo_redo_ui.h"
#include "tests/test_support/temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace shell_test {

using test_support::read_file;
using test_support::write_file;

// Valid preferences in <folder>settings/kwx4.prefs, so that start-up opens
// no Preferences window.
inline void write_valid_prefs(const std::string& folder, const preferences_kwx4& p = default_preferences()) {
  std::filesystem::create_directories(folder + "settings");
  ASSERT_TRUE(write_prefs_file(from_utf8(folder + "settings/kwx4.prefs"), p));
}

// A step that waits until GTK has laid the window out so that each label
// or entry shows its whole text on one line and no two gadgets of the window
// overlap; the test fails with what is wrong when that never comes.
inline void wait_tidy_layout(int window, std::vector<int> labels, const std::string& what) {
  auto last = std::make_shared<std::string>();
  auto note = [last](const std::string& why) {
    if (*last != why) std::fprintf(stderr, "layout not yet tidy: %s\n", why.c_str());
    *last = why;
    return false;
  };
  gui_test::wait_until(
      [window, labels, note] {
        std::string why;
        for (int label : labels)
          if (!gui_test::gadget_shows_its_text(label, &why)) return note(why);
        for (auto [a, b] : gui_test::overlapping_gadgets(window))
          return note("gadgets " + std::to_string(a) + " and " + std::to_string(b) + " overlap");
        return true;
      },
      what);
}

// A replacement for xdg-open on PATH that appends its first argument to a
// file, one line per call.
class recording_opener {
 public:
  // exit_code: what the opener ends with (3: xdg-open found no program).
  explicit recording_opener(const std::string& folder, int exit_code = 0)
      : bin_(folder + "bin/"), log_(folder + "opened.log") {
    std::filesystem::create_directories(bin_);
    write_file(bin_ + "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log_ + "'\nexit " +
                                      std::to_string(exit_code) + "\n");
    std::filesystem::permissions(bin_ + "xdg-open", std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    old_path_ = path ? path : "";
    setenv("PATH", (bin_ + ":" + old_path_).c_str(), 1);
  }
  ~recording_opener() { setenv("PATH", old_path_.c_str(), 1); }
  std::string opened() const { return read_file(log_); }
  // Waits (inside the driver's loop) until the opener has written n lines.
  void wait_for_lines(size_t n) const {
    gui_test::wait_until(
        [this, n] {
          const std::string s = opened();
          return static_cast<size_t>(std::count(s.begin(), s.end(), '\n')) >= n;
        },
        "the desktop opener was started");
  }

 private:
  std::string bin_, log_, old_path_;
};

// PATH without the desktop opener while it lives.
class no_opener {
 public:
  explicit no_opener(const std::string& folder) {
    std::filesystem::create_directories(folder + "empty_bin");
    const char* path = std::getenv("PATH");
    old_path_ = path ? path : "";
    setenv("PATH", (folder + "empty_bin").c_str(), 1);
  }
  ~no_opener() { setenv("PATH", old_path_.c_str(), 1); }

 private:
  std::string old_path_;
};

// Starts the shell in a fresh folder with valid preferences; the main window
// is then open and the loop has not run yet.
class ShellTest : public gui_test::GuiTest {
 protected:
  void SetUp() override {
    gui_test::GuiTest::SetUp();
    folder_ = gui_test::temp_folder();
    running_ = &ws_;
    // The registrations hold the documents of this test's workspace, not of
    // the previous test's, whatever the test starts.
    register_program_commands(ws_);
    forget_changed_tests(ws_);
  }
  void TearDown() override {
    // Later tests, of this fixture or not, must not reach this test's
    // workspace through what it registered.
    register_program_commands(idle_workspace());
    forget_changed_tests(idle_workspace());
    running_ = nullptr;
    gui_test::GuiTest::TearDown();
  }
  // What the registrations hold between tests: empty documents that live
  // as long as the test program.
  static workspace& idle_workspace() {
    static workspace idle;
    return idle;
  }
  // The exit question stays out of tests that do not ask for it: the
  // documents' changed tests that start-up installs are taken out again
  // (a test sets the ones it needs in its kinds' changed).
  void start_with_valid_prefs() {
    write_valid_prefs(folder_);
    ASSERT_EQ(start_program(from_utf8(folder_ + "vocabrix"), ws_.prefs, ws_.aff_aid, ws_.commands.kinds,
                            [this] { register_program_commands(ws_); }),
              1);
    forget_changed_tests(ws_);
  }
  static void forget_changed_tests(workspace& ws) {
    for (document_kind* kind : ws.commands.kinds.all()) kind->changed = nullptr;
  }
  std::string folder_;
  // The program's state for the test: made anew for each test.
  workspace ws_;
  // The running test's dictionary, for the steps and helpers that capture
  // nothing.
  static dictionary_document& dictionary() { return running_->dictionary; }
  static document_kinds& running_kinds() { return running_->commands.kinds; }

 private:
  static inline workspace* running_ = nullptr;
};

// The shell started on an empty dictionary, with the paged lists and Undo
// and Redo handlers registered; a test script ends with run_loop().
class DictionaryListTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ws_.hyphenation.place.selected = -1;
    start_with_valid_prefs();
    register_list_view_handlers(ws_.dictionary.list, ws_.commands.kinds, ws_.prefs);
    register_undo_redo_commands(ws_.commands.kinds);
  }
  // Ends the script: the main loop runs every queued step, then exits.
  static void run_loop() {
    gui_test::close_window(MAIN_WINDOW);
    run_main_loop();
    gui_test::finish();
  }
  static list_document& doc() { return dictionary().list; }
};

}  // namespace shell_test
