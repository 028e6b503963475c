// The Preferences window (323) and the start-up gate that opens it.
#pragma once

#include "common/list_document.h"

#include <functional>

// Modal window 323 over window 0 (Tools > Preferences).
void show_preferences_window();

// Start-up, after the main window is built: prefs_first_apply = 1; when
// settings/kwx4.prefs is missing, empty or does not start with the "41" line
// (the latter reported, with ".prefs file invalid." in the status bar),
// prefs_first_apply = 0 and the Preferences window opens. Returns 1 when the
// gate passed, 0 when the window was shown.
int run_preferences_gate();

// OK rebuilds the main window when a preference changed. The rebuild keeps
// the tab shown, the editors' texts, the lists filled once at load and the
// scroll ranges; anything else a rebuild would lose is kept by a keeper:
// called just before window 0 closes, it returns what puts it back once the
// new window is built.
using rebuild_keeper = std::function<std::function<void()>()>;
void add_main_window_rebuild_keeper(rebuild_keeper keeper);
// The undo and redo history of a list document survives a rebuild (the
// build itself starts every document without history). The dictionary's is
// kept already.
void keep_history_over_rebuild(list_document& doc);
// Steps run by every OK after the page length of the lists changed, before
// the shown page is redrawn: each paged document clears its selection.
void add_preferences_applied_step(std::function<void()> step);
