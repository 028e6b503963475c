// The dispatch of the main window's events: menu items, shortcuts, buttons,
// toolbar, footer link, the list popup's items and clicks on the lists, and
// the enabled state of the controls around commands.
//
// The commands of other parts are reached by name through
// shell_commands.h: a part makes its command work by registering it, e.g.
//   register_shell_command("load_thesaurus", [](const shell_command_args& a) { load_thesaurus(a.text); });
// The names and arguments are those of the dispatch tables
// (menu_dispatch.cpp, gadget_dispatch.cpp); an unregistered name does nothing.
#pragma once

// Puts the dispatchers into the main loop's command registry and the
// control-state refresh before each wait; before the main loop. Calling it
// again installs them afresh (commands registered for the same numbers
// since are replaced).
void install_main_dispatch();

// Every control and menu item of window 0 that starts a command, off (a long
// command runs).
void disable_main_controls();
// The enabled state that follows from the documents and the shown tab; the
// GUI layer's setters do nothing for an unchanged state, so a pass without
// changes costs no GTK work.
void refresh_control_states();

// Names of the view procedures the list commands call after a change (the
// paged list views register them): "refresh_list_view_page" (numbers {-1}
// the shown tab's list, {2} the Hyphenation list),
// "update_<member>_status_label", "update_<member>_selected_label",
// "sync_<member>_selection" with member dictionary, thesaurus, hyphenation
// (status label and sync only) or autocorrect; "move_cursor_to_end" and
// "move_cursor_to_start" (numbers {editor}).
