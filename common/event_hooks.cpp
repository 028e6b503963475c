#include "common/event_hooks.h"

#include <atomic>

namespace {
std::atomic<void (*)()> installed_drain{nullptr};
}

void set_pending_events_drain(void (*drain)()) { installed_drain.store(drain); }

void drain_pending_events() {
  if (auto drain = installed_drain.load()) drain();
}
