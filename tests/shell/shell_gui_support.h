// A program folder per test and the start-up of the shell in it, for the
// window tests of the shell.
#pragma once

#include "common/text.h"
#include "gui/test_driver.h"
#include "shell/main_loop.h"
#include "shell/preferences.h"
#include "shell/settings_files.h"
#include "shell/shell_state.h"
#include "tests/test_support/temp_folder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace shell_test {

using test_support::read_file;
using test_support::write_file;

// Valid preferences in <folder>settings/kwx4.prefs, so that start-up opens
// no Preferences window.
inline void write_valid_prefs(const std::string& folder, const preferences_kwx4& p = default_preferences()) {
  std::filesystem::create_directories(folder + "settings");
  ASSERT_TRUE(write_prefs_file(from_utf8(folder + "settings/kwx4.prefs"), p));
}

// A replacement for xdg-open on PATH that appends its first argument to a
// file, one line per call.
class recording_opener {
 public:
  explicit recording_opener(const std::string& folder) : bin_(folder + "bin/"), log_(folder + "opened.log") {
    std::filesystem::create_directories(bin_);
    write_file(bin_ + "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + log_ + "'\n");
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

// Starts the shell in a fresh folder with valid preferences; the main window
// is then open and the loop has not run yet.
class ShellTest : public gui_test::GuiTest {
 protected:
  void SetUp() override {
    gui_test::GuiTest::SetUp();
    folder_ = gui_test::temp_folder();
    for (int d = 0; d < 4; ++d) set_document_changed_test(d, nullptr);
  }
  void TearDown() override {
    for (int d = 0; d < 4; ++d) set_document_changed_test(d, nullptr);
    gui_test::GuiTest::TearDown();
  }
  // The exit question stays out of tests that do not ask for it: the
  // documents' changed tests that start-up installs are taken out again
  // (a test sets the ones it needs with set_document_changed_test).
  void start_with_valid_prefs() {
    write_valid_prefs(folder_);
    ASSERT_EQ(start_program(from_utf8(folder_ + "vocabrix")), 1);
    for (int d = 0; d < 4; ++d) set_document_changed_test(d, nullptr);
  }
  std::string folder_;
};

}  // namespace shell_test
