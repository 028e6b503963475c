// Commands of the main window by number, so that each subsystem adds its
// own without touching the dispatchers of the main loop.
//
// The dispatchers (main_loop_ui.cpp) look a command up by its kind and
// number and run it with the event that reached them; a number without a
// command does nothing.
#pragma once

#include <functional>
#include <string_view>

// What reached the dispatcher.
struct command_event {
  int type = 0;        // event type of the pass (> 0)
  int id = 0;          // menu item, shortcut id or gadget number
  int tab = 0;         // tab shown when the event arrived
  int subtype = 0;     // gadget subtype
  int owner = 0;       // popup items: the list the popup was opened on
};
using command_handler = std::function<void(const command_event&)>;

enum class command_kind {
  menu_item,    // menu bar 6, ids 8..112 (type 1)
  shortcut,     // window shortcuts 1001..1020 (type 1)
  gadget,       // main-window gadgets (type 3)
  popup_item,   // items of popup menus 502 and 217 (type 1)
  list_event,   // clicks and double clicks on the lists (type 3)
};

// Registers (or replaces) the command of a number; an empty handler removes it.
void register_command(command_kind kind, int id, command_handler handler);
bool has_command(command_kind kind, int id);
// Runs the command of the number; false when there is none.
bool run_command(command_kind kind, int id, const command_event& event);

// Handlers that see every event of the main loop, in a fixed order of slots
// (the list selection bookkeeping first, the tab handlers last).
enum class event_hook {
  selection_sync,      // before the close question
  main_window_close,   // the close box of the main window: the exit question
  dictionary_tab,      // the Dictionary tab's own handling
  thesaurus_tab,
  hyphenation_tab,
  autocorrect_tab,
  list_scroll,         // a list scroll bar moved: redraw the shown page
};
void register_event_hook(event_hook slot, command_handler handler);
void run_event_hook(event_hook slot, const command_event& event);

// Work done before each wait of the main loop, in registration order within
// each stage (control states first, then the recent-files menu, then the
// tab labels). Each owner has one refresh per stage: registering again
// replaces it in its place, an empty one removes it.
enum class pass_stage { control_states, recent_files_menu, tab_labels };
void register_pass_refresh(pass_stage stage, std::string_view owner, std::function<void()> refresh);
void run_pass_refresh(pass_stage stage);

// The update check the main loop starts at start-up when one is due; a new
// registration replaces the previous one.
enum class update_check_start { by_hand, automatic };
void register_automatic_update_check(std::function<void(update_check_start)> check);
void run_automatic_update_check(update_check_start start);

// Forgets every command, hook and refresh (tests).
void clear_command_registry();
