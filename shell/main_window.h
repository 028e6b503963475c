// The main window 0: menu bar 6, popup menus 502 and 217, the window
// shortcuts, tab panel 100 with its six tabs, the toolbar, status bar 101
// and the footer.
#pragma once

#include "shell/preferences.h"

#include <functional>

// Builds window 0 and everything in it, laid out for the record's resolution
// and the applied rows and pixels of prefs. Returns 0 when the window could
// not be opened ("Can't open a window." was shown); the rest is then not built.
int build_main_window(const preferences& prefs);

// Steps other parts of the program add to the end of every build (histories
// reset, file labels, menu texts that depend on settings); they also run
// when the Preferences window rebuilds the main window.
void add_main_window_build_step(std::function<void()> step);

// The nine list-navigation shortcuts of window 0 (Delete, Return, arrows,
// Page Up/Down, Home, End, Ctrl+A).
void install_list_shortcuts();
void remove_list_shortcuts();

// Texts of the tabs and of the footer.
extern const char16_t* const main_tab_titles[6];
