// What other windows hook into the main window 0 without building it: steps
// run at the end of every build of the window, and the list-navigation
// shortcuts that a list with the focus takes and an editor gives back.
#pragma once

#include <functional>
#include <string_view>

// Steps other parts of the program add to the end of every build (histories
// reset, file labels, menu texts that depend on settings); they also run
// when the Preferences window rebuilds the main window. One step per owner:
// setting it again replaces it in its place, an empty one removes it.
void set_main_window_build_step(std::string_view owner, std::function<void()> step);
// Runs the added steps in their order (the last part of a build).
void run_main_window_build_steps();

// The nine list-navigation shortcuts of window 0 (Delete, Return, arrows,
// Page Up/Down, Home, End, Ctrl+A).
void install_list_shortcuts();
void remove_list_shortcuts();
// 1 while they are installed.
extern int list_shortcuts_active;
