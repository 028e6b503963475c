// Shared by the menu and gadget dispatchers of the main window.
#pragma once

#include "shell/menu_dispatch.h"

// Runs the calls in order; with disables, the main window's controls are off
// while they run and refreshed right after.
void run_dispatch_calls(const dispatch_calls& calls, bool disables);

// The gadget, popup-item and list-click commands (part of install_main_dispatch).
void install_gadget_dispatch();
