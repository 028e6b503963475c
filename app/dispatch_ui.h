// Shared by the menu and gadget dispatchers of the main window.
#pragma once

#include "kit/find_search.h"
#include "kit/main_commands.h"
#include "kit/preferences.h"

#include <functional>

// Runs the command; with disables, the main window's controls are off while
// it runs and refreshed right after.
void run_with_controls(const std::function<void()>& command, bool disables, const main_commands& commands);

// The Find window (with the last search, which it keeps in find) or the
// Goto dialog over the list of a tab's kind.
enum class list_search { find, go_to };
void run_list_search(list_search search, int tab, const document_kinds& kinds, find_options& find, const preferences& prefs);

// The gadget, popup-item and list-click commands (part of install_main_dispatch).
void install_gadget_dispatch(const main_commands& commands, find_options& find, const preferences& prefs);
