// A barrier for window tests that drive the main loop: a step queued after
// settle() runs only once the loop has handled every event queued before it
// (the check of a key press must not run before the key's pass).
#pragma once

#include "common/date_time.h"
#include "gui/gui.h"
#include "gui/test_driver.h"
#include "kit/command_registry.h"
#include "kit/ids.h"

namespace shell_test {

// Menu numbers without an item: their events reach no command but the
// marker's. Two, so that a late marker of one barrier never ends the next.
inline constexpr int kBarrierMenuItems[2] = {17, 41};

struct barrier_state {
  int queued = 0;     // barriers queued so far
  int wanted = 0;     // the marker the running barrier waits for
  bool reached = false;
  int64_t last_post = 0;
};
inline barrier_state& barrier() {
  static barrier_state b;
  return b;
}

// A long job drops the events it does not want, a marker among them: the
// marker is posted again until the loop handles one.
inline void settle() {
  const int item = kBarrierMenuItems[++barrier().queued % 2];
  for (int id : kBarrierMenuItems) {
    register_command(command_kind::menu_item, id, [id](const command_event&) {
      if (id == barrier().wanted) barrier().reached = true;
    });
  }
  gui_test::run([item] {
    barrier().wanted = item;
    barrier().reached = false;
    barrier().last_post = 0;
  }, "start a barrier");
  gui_test::wait_until([item] {
    if (barrier().reached) return true;
    if (time_elapsed_ms() - barrier().last_post >= 20) {
      event_post(EVENT_MENU, MAIN_WINDOW, item);
      barrier().last_post = time_elapsed_ms();
    }
    return false;
  }, "the main loop reached the marker");
}

}  // namespace shell_test
