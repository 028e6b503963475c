#include "gui/modal_window.h"

#include "gui/gui.h"

#include <algorithm>
#include <climits>

bool modal_event::is_close_box() const { return type == EVENT_CLOSE; }
bool modal_event::is_gadget(int g) const { return type == EVENT_GADGET && object == g; }
bool modal_event::is_menu(int item) const { return type == EVENT_MENU && object == item; }

namespace {

int wait_for_event(const modal_loop_options& options) {
  if (!options.wait_ms) return event_wait();
  const int64_t ms = options.wait_ms();
  if (ms < 0) return event_wait();
  if (ms == 0) return event_poll();
  return event_wait_timeout(static_cast<int>(std::min<int64_t>(ms, INT_MAX)));
}

bool for_the_loop(int window, int type, const modal_loop_options& options) {
  if (type <= 0) return false;
  if (options.every_window || event_get_window() == window) return true;
  return options.menu_item_of_any_window != 0 && type == EVENT_MENU &&
         event_get_menu_item() == options.menu_item_of_any_window;
}

}  // namespace

void run_modal_loop(int window, const std::function<modal_step(const modal_event&)>& on_event,
                    const modal_loop_options& options) {
  for (;;) {
    if (options.before_wait) options.before_wait();
    const int type = wait_for_event(options);
    if (for_the_loop(window, type, options) &&
        on_event({event_get_window(), type, event_get_gadget(), event_get_subtype()}) == modal_step::close)
      return;
    if (options.after_wait && options.after_wait() == modal_step::close) return;
  }
}

void end_modal_window(int window, int parent, modal_end_order order) {
  if (order == modal_end_order::close_window_first) {
    window_close(window);
    window_set_disabled(parent, 0);
  } else {
    window_set_disabled(parent, 0);
    window_close(window);
  }
  window_activate(parent);
}
