// The tools of the main window's menus, each registered once: its menu item,
// the command it runs and the rule for its enabled state. The menu and
// shortcut dispatchers (menu_dispatch.h) and the control-state pass
// (control_states.h) read this registry; nothing else names a tool's item.
//
// A tool's line names its command (shell_commands.h); the tool's own files
// register the command under that name, from the program's registration list
// (program_commands.h). An item whose command is not registered does nothing.
#pragma once

#include "shell/shell_commands.h"

#include <string>
#include <vector>

// One command call of an action.
struct dispatch_call {
  std::string name;
  shell_command_args args;
  bool operator==(const dispatch_call&) const = default;
};
using dispatch_calls = std::vector<dispatch_call>;

dispatch_call command_call(std::string name, std::vector<int64_t> numbers = {}, text_t text = {});

// When the control-state pass enables a tool's item.
enum class tool_enabled : int {
  always,
  never,
  on_tab,     // while tab `tab` is shown
  savable,    // while the shown tab has something to save
};

struct tool_registration {
  int menu_item = 0;
  dispatch_calls calls;  // empty: the item does nothing (or "Not coded yet.")
  tool_enabled enabled = tool_enabled::always;
  int tab = -1;                 // on_tab: the tab
  bool long_command = false;    // the main window's controls are off while it runs
  bool not_coded = false;       // announced in the menu: "Not coded yet."
  int shortcut = 0;             // a shortcut of window 0 that runs it too (0 none)
};

// The registered tools in menu order (the program's table, then tools added
// with register_tool).
const std::vector<tool_registration>& registered_tools();
// Registers a tool; a tool of the same item is replaced, and a shortcut it
// names is taken from the tool that had it.
void register_tool(tool_registration tool);
// The tool of a menu item or of a window-0 shortcut; nullptr when none.
const tool_registration* find_tool(int menu_item);
const tool_registration* find_tool_by_shortcut(int shortcut);
// Back to the program's table (tests).
void reset_tool_registry();

// Whether the control-state pass enables the tool, for the shown tab and
// whether that tab has something to save.
bool tool_enabled_now(const tool_registration& tool, int tab, bool savable);

// The program's table: one line per item of menu bar 6 that runs a tool.
std::vector<tool_registration> program_tools();
