// The enabled state of the main window's controls and menu items: all off
// while a long command runs, and the state that follows from the documents
// at the top of every main-loop pass. GUI-free: the window side reads the
// documents' state into main_controls_input and applies the result.
#pragma once

#include "kit/tool_registry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct main_controls_input {
  int tab = 0;  // shown in panel 100
  // By tab (0 dictionary, 1 thesaurus, 3 autocorrect; 2, 4, 5 unused).
  std::array<bool, 6> undo_available{};
  std::array<bool, 6> redo_available{};
  // The shown tab's kind has something to save.
  bool savable = false;
  // The tab's file-name label reads "n/a" (no file opened).
  std::array<bool, 6> no_file{true, true, true, true, true, true};
};

struct control_state {
  int number;
  bool enabled;
  bool operator==(const control_state&) const = default;
};

struct main_control_states {
  std::vector<control_state> gadgets;     // of window 0
  std::vector<control_state> menu_items;  // of menu bar 6
};

// What refresh_control_states sets, in its order; the menu items are the
// registered tools' (tool_registry.h), each by its rule. Controls it does
// not name (labels, buttons 317-322, the recent-file items) are not in the
// lists.
main_control_states compute_control_states(const main_controls_input& in, const tool_registry& tools);

// What disable_main_controls turns off.
const std::vector<int>& main_command_gadgets();
const std::vector<int>& main_command_menu_items();
