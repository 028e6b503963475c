// The tools of the main window's menus, each registered once: its menu item,
// the rule for its enabled state and the command it runs. The menu and
// shortcut dispatchers (menu_dispatch.h) and the control-state pass
// (control_states.h) read this registry; nothing else names a tool's item.
//
// The registry starts from a table of one line per item in menu order (the
// program's is app/tool_table.h); the tool's own files give the line its
// command from their register_* function, by the item's number.
#pragma once

#include <functional>
#include <vector>

using tool_command = std::function<void()>;

// When the control-state pass enables a tool's item.
enum class tool_enabled : int {
  always,
  never,
  on_tab,     // while tab `tab` is shown
  savable,    // while the shown tab has something to save
};

// What choosing the item does.
enum class tool_answer : int {
  command,     // runs the tool's command
  built_in,    // the File menu dispatcher's own (Open, Save, Exit...)
  not_coded,   // announced in the menu: "Not coded yet."
  nothing,     // shown and enabled, deliberately without an action
};

struct tool_registration {
  int menu_item = 0;
  tool_command command{};  // set by the tool's register_* function
  // Runs before the command with the main window's controls off (the AFF
  // Validate windows rebuild the decode cache so).
  tool_command preparation{};
  tool_enabled enabled = tool_enabled::always;
  int tab = -1;                 // on_tab: the tab
  bool long_command = false;    // the main window's controls are off while it runs
  tool_answer answer = tool_answer::command;
  int shortcut = 0;             // a shortcut of window 0 that runs it too (0 none)
};

class tool_registry {
 public:
  // Starts empty, or with the lines of a table.
  tool_registry() = default;
  explicit tool_registry(std::vector<tool_registration> table);

  // The registered tools in menu order (the table, then tools added with
  // add).
  const std::vector<tool_registration>& tools() const { return tools_; }
  // Registers a tool; a tool of the same item is replaced, and a shortcut it
  // names is taken from the tool that had it.
  void add(tool_registration tool);
  // The command of a tool of the table; false when no line has the item.
  bool set_command(int menu_item, tool_command command, tool_command preparation = {});
  // The tool of a menu item or of a window-0 shortcut; nullptr when none.
  const tool_registration* find(int menu_item) const;
  const tool_registration* find_by_shortcut(int shortcut) const;

 private:
  std::vector<tool_registration> tools_;
};

// Whether the control-state pass enables the tool, for the shown tab and
// whether that tab has something to save.
bool tool_enabled_now(const tool_registration& tool, int tab, bool savable);
