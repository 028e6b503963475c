#include "common/event_hooks.h"

#include <algorithm>
#include <atomic>

namespace {
// The GUI layer's drain, installed once at start-up.
std::atomic<void (*)()>& installed_drain() {
  static std::atomic<void (*)()> drain{nullptr};
  return drain;
}
}  // namespace

void set_pending_events_drain(void (*drain)()) { installed_drain().store(drain); }

void drain_pending_events() {
  if (auto drain = installed_drain().load()) drain();
}

void owned_hooks::set(std::string_view owner, std::function<void()> hook) {
  if (!hook) {
    remove(owner);
    return;
  }
  for (auto& [name, h] : hooks_) {
    if (name == owner) {
      h = std::move(hook);
      return;
    }
  }
  hooks_.emplace_back(std::string(owner), std::move(hook));
}

void owned_hooks::remove(std::string_view owner) {
  std::erase_if(hooks_, [owner](const auto& h) { return h.first == owner; });
}

void owned_hooks::run() const {
  for (const auto& [name, hook] : hooks_) hook();
}
