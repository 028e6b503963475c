// The Preferences window (323) and the start-up gate that opens it.
#pragma once

// Modal window 323 over window 0 (Tools > Preferences).
void show_preferences_window();

// Start-up, after the main window is built: prefs_first_apply = 1; when
// settings/kwx4.prefs is missing, empty or does not start with the "41" line
// (the latter reported, with ".prefs file invalid." in the status bar),
// prefs_first_apply = 0 and the Preferences window opens. Returns 1 when the
// gate passed, 0 when the window was shown.
int run_preferences_gate();
