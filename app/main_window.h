// The main window 0: menu bar 6, popup menus 502 and 217, the window
// shortcuts, tab panel 100 with its six tabs, the toolbar, status bar 101
// and the footer.
#pragma once

#include "kit/preferences.h"

// Builds window 0 and everything in it, laid out for the record's resolution
// and the applied rows and pixels of prefs. Returns 0 when the window could
// not be opened ("Can't open a window." was shown); the rest is then not built.
int build_main_window(const preferences& prefs);

// Texts of the tabs and of the footer.
extern const char16_t* const main_tab_titles[6];
