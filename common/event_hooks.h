// A hook through which GUI-free code lets the window repaint during a long
// text operation. The GUI layer installs its drain at start-up; until then
// (and in unit tests) draining does nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

void set_pending_events_drain(void (*drain)());
// Handles every pending window event, through the installed drain.
void drain_pending_events();

// Hooks that several parts add to one list, each under its owner's name. A
// part that registers again (a rebuilt window, a reinstalled dispatcher)
// replaces its own hook where it stood, so the list runs each owner's newest
// hook once, in the order the owners first came.
class owned_hooks {
 public:
  // An empty hook removes the owner's.
  void set(std::string_view owner, std::function<void()> hook);
  void remove(std::string_view owner);
  void run() const;
  size_t size() const { return hooks_.size(); }

 private:
  std::vector<std::pair<std::string, std::function<void()>>> hooks_;
};
