// The dispatch of the main window's events: menu items, shortcuts, buttons,
// toolbar, footer link, the list popup's items and clicks on the lists, and
// the enabled state of the controls around commands.
//
// The dispatchers run what the document kinds and the tools registered in
// main_commands (main_commands.h): a part makes its command work by setting
// it there when the program registers its commands, e.g.
//   commands.kinds.thesaurus.load = [](const text_t& path) { load_thesaurus(path); };
//   commands.tools.set_command(MENU_COMBINE_MEANINGS, [&thesaurus] { combine_synonyms(thesaurus); });
#pragma once

#include "kit/find_search.h"
#include "kit/main_commands.h"
#include "kit/preferences.h"

// Puts the dispatchers into the main loop's command registry and the
// control-state refresh before each wait; before the main loop. Calling it
// again installs them afresh (commands registered for the same numbers
// since are replaced). The commands, the Find window's remembered search and
// prefs (the separator of the counts, the rows of a page) must outlive the
// main loop.
void install_main_dispatch(main_commands& commands, find_options& find, const preferences& prefs);

// Every control and menu item of window 0 that starts a command, off (a long
// command runs).
void disable_main_controls();
// The enabled state that follows from the documents, the shown tab and the
// registered tools; the GUI layer's setters do nothing for an unchanged
// state, so a pass without changes costs no GTK work.
void refresh_control_states(const main_commands& commands);
