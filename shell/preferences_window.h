// The Preferences window (323) and the start-up gate that opens it.
#pragma once

#include <functional>

// Modal window 323 over window 0 (Tools > Preferences).
void show_preferences_window();

// Registers the named command "show_preferences_window" (Tools menu item
// 90) for the dispatchers.
void register_preferences_commands();

// Start-up, after the main window is built: prefs_first_apply = 1; when
// settings/kwx4.prefs is missing, empty, does not start with the "41" line
// or ends early (the last two reported, with ".prefs file invalid." in the
// status bar),
// prefs_first_apply = 0 and the Preferences window opens. Returns 1 when the
// gate passed, 0 when the window was shown.
int run_preferences_gate();

// OK rebuilds the main window when a preference changed. The rebuild keeps
// the tab shown, the editors' texts, the lists filled once at load, the
// file labels and the undo history of the paged documents; anything else a
// rebuild would lose is kept by a keeper: called just before window 0
// closes, it returns what puts it back once the new window is built.
using rebuild_keeper = std::function<std::function<void()>()>;
void add_main_window_rebuild_keeper(rebuild_keeper keeper);
