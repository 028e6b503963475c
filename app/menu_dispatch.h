// What the menu items and window shortcuts of the main window do, by item
// and tab: the shown tab's document kind (document_kinds.h) and the tools of
// the tool registry (tool_registry.h) give the commands; this adds whether
// the main window's controls are disabled around them, and the few actions
// the dispatchers perform themselves. GUI-free.
#pragma once

#include "kit/main_commands.h"

#include <functional>

enum class menu_action_kind {
  nothing,
  not_coded,        // "Not coded yet." in a warning box
  command,          // run the command
  open_extension,   // the .xpi/.oxt open dialog, then "Not coded yet."
  exit,             // the exit question
  recent_file,      // the shown kind's loader with entry recent_index of its list
  clear_recent_files,
};

struct menu_action {
  menu_action_kind kind = menu_action_kind::nothing;
  // The controls are disabled before the command and refreshed right after.
  bool disables_controls = false;
  std::function<void()> command;  // empty: only the controls' round trip
  std::function<void()> preparation;  // first, with the controls off
  // recent_file: the shown kind's loader and entry 1..10 of its list.
  std::function<void(const text_t& path)> load;
  int recent_index = 0;
};

// Menu items 8..123 of menu bar 6 on tab 0..5.
menu_action menu_action_for(int item, int tab, const main_commands& commands);

enum class shortcut_action_kind {
  nothing,
  command,
  post_gadget,  // post a click of gadget object on window 0
  post_menu,    // post a choice of menu item object on window 0
  show_tab,     // show tab object in panel 100
  find,         // the Find window over the shown kind's list
  go_to,        // the Goto dialog over the shown kind's list
  undo,         // the shown kind's Undo, then the pause (also with nothing to undo)
  redo,
};

struct shortcut_action {
  shortcut_action_kind kind = shortcut_action_kind::nothing;
  std::function<void()> command;
  int object = 0;  // post_gadget, post_menu, show_tab; the tab of find, go_to, undo, redo
};

// Shortcuts 1000..1020 on tab 0..5.
shortcut_action shortcut_action_for(int shortcut, int tab, const main_commands& commands);

// The shown kind's loader asking for the file, and its saver; empty for a
// kind without one.
std::function<void()> open_command(const document_kind* kind);
std::function<void()> save_command(const document_kind* kind, save_choice choice);
