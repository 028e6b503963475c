// What the menu items and window shortcuts of the main window do, by item
// and tab: the commands to run (by name, shell_commands.h), whether the
// main window's controls are disabled around them, and the few actions the
// dispatchers perform themselves. The tools' items come from the tool
// registry (tool_registry.h). GUI-free, so the whole table is tested.
#pragma once

#include "shell/shell_commands.h"
#include "shell/tool_registry.h"

#include <string>
#include <vector>

enum class menu_action_kind {
  nothing,
  not_coded,        // "Not coded yet." in a warning box
  calls,            // run the calls in order
  open_extension,   // the .xpi/.oxt open dialog, then "Not coded yet."
  exit,             // the exit question
  recent_file,      // the shown tab's loader with entry recent_index of its list
  clear_recent_files,
};

struct menu_action {
  menu_action_kind kind = menu_action_kind::nothing;
  // The controls are disabled before the calls and refreshed right after.
  bool disables_controls = false;
  dispatch_calls calls;
  int recent_index = 0;  // recent_file: 1..10
};

// Menu items 8..123 of menu bar 6 on tab 0..5.
menu_action menu_action_for(int item, int tab);

enum class shortcut_action_kind {
  nothing,
  calls,
  post_gadget,  // post a click of gadget object on window 0
  post_menu,    // post a choice of menu item object on window 0
  show_tab,     // show tab object in panel 100
  undo,         // the shown tab's Undo when it has one, then the pause
  redo,
};

struct shortcut_action {
  shortcut_action_kind kind = shortcut_action_kind::nothing;
  dispatch_calls calls;
  int object = 0;
  int pause_ms = 0;  // undo, redo: the pause after them, done in any case
};

// Shortcuts 1000..1020 on tab 0..5.
shortcut_action shortcut_action_for(int shortcut, int tab);

// The shown tab's loader (tab 5 also updates the grammar category header)
// and saver; the saver's arguments are (save, save_as). Tabs without a
// saver give no calls.
dispatch_calls loader_calls(int tab, const text_t& path);
dispatch_calls saver_calls(int tab, int save, int save_as);

// The flags argument of the Find window and Goto dialog for a tab: exactly
// one of dictionary, thesaurus, hyphenation, autocorrect set; none for
// tabs 4 and 5.
std::vector<int64_t> list_tab_flags(int tab);

// Items answered with "Not coded yet." and nothing else (announced tools).
bool menu_item_not_coded(int item);
