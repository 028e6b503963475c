// What other windows hook into the main window 0 without building it: the
// builders of its tabs, steps run at the end of every build of the window,
// and the list-navigation shortcuts that a list with the focus takes and an
// editor gives back.
#pragma once

#include "kit/document_kinds.h"
#include "kit/main_tab_parts.h"

#include <functional>
#include <string_view>

// What fills a tab; run inside the tab while the panel is built (again on
// every rebuild of the main window).
using main_tab_builder = std::function<void(const main_tab_layout&)>;
// The builder of a kind's tab replaces the one given before.
void set_main_tab_builder(const document_kind& kind, main_tab_builder build);
// Fills the tab with its builder; nothing when it has none.
void build_main_tab(int tab, const main_tab_layout& layout);

// The kind of the tab shown in panel 100; nullptr while none is.
document_kind* shown_document_kind(document_kinds& kinds);
const document_kind* shown_document_kind(const document_kinds& kinds);

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
