// A hook through which GUI-free code lets the window repaint during a long
// text operation. The GUI layer installs its drain at start-up; until then
// (and in unit tests) draining does nothing.
#pragma once

void set_pending_events_drain(void (*drain)());
// Handles every pending window event, through the installed drain.
void drain_pending_events();
