// The event loop of a modal window: the window that opened it is disabled
// while it runs, so the loop hands on the modal window's events and drops
// those of other windows (unless the options say otherwise). Each window says how it differs (work before or
// after each wait, a timer, an item taken from every window) in the options.
//
//   window_set_disabled(MAIN_WINDOW, 1);  ...window_open, gadgets, shortcuts...
//   run_modal_loop(W, [&](const modal_event& e) {
//     if (e.is_close_box() || e.is_menu(SHORTCUT_ESCAPE) || e.is_gadget(CLOSE)) return modal_step::close;
//     if (e.is_gadget(EXPORT)) export_rows();
//     return modal_step::stay;
//   });
//   end_modal_window(W, MAIN_WINDOW);
#pragma once

#include <cstdint>
#include <functional>

// One event the loop hands on.
struct modal_event {
  int window = 0;
  int type = 0;
  int object = 0;  // the gadget, or the menu item (shortcut, popup item) of a menu event
  int subtype = 0;
  bool is_close_box() const;
  bool is_gadget(int g) const;
  bool is_menu(int item) const;
};

enum class modal_step { stay, close };
inline modal_step close_when(bool done) { return done ? modal_step::close : modal_step::stay; }

struct modal_loop_options {
  // Runs before each wait (field colours, buttons that follow the selection).
  std::function<void()> before_wait{};
  // The longest next wait in milliseconds, asked before each wait (a timer
  // of the window is due): below 0 waits for an event, 0 only takes one
  // already queued.
  std::function<int64_t()> wait_ms{};
  // Runs after each wait, after the window's event if it brought one, also
  // when it brought none or another window's (a due timer, a close that a
  // bound callback asked for).
  std::function<modal_step()> after_wait{};
  // A menu item also taken from other windows than the modal one (an Escape
  // that works whichever window has the focus); 0 for none.
  int menu_item_of_any_window = 0;
  // Every window's events are handed on (modal_event::window tells whose):
  // for a loop that acts on events of the windows still enabled under it.
  bool every_window = false;
};

// Hands each event of window to on_event until it returns modal_step::close.
void run_modal_loop(int window, const std::function<modal_step(const modal_event&)>& on_event,
                    const modal_loop_options& options = {});

// Which comes first as a modal window ends: the parent enabled again or the
// window closed. The parent is activated last in both.
enum class modal_end_order { enable_parent_first, close_window_first };

// The end of a modal window: parent enabled, the window closed, the parent
// active again.
void end_modal_window(int window, int parent, modal_end_order order = modal_end_order::enable_parent_first);
