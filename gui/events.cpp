// The one event queue: GTK signals become event records, programmatic
// changes raise none, equal consecutive events merge while waiting.
#include <algorithm>

#include "gui/gui_internal.h"

namespace gui {

int suppress_count = 0;

namespace {
std::deque<event_rec> queue;
std::vector<binding> bindings;
event_rec current{0, -1, -1, -1};
// event_poll answers "nothing" without asking GTK when its last look found
// nothing less than this long ago and the layer did no GTK work since.
constexpr gint64 POLL_QUIET_US = 1000;
gint64 last_empty_look = -1;
bool touched = true;

void set_current(const event_rec& e) { current = e; }

int take_front() {
  set_current(queue.front());
  queue.pop_front();
  return current.type;
}

int none(int result) {
  current.type = 0;
  current.subtype = -1;
  return result;
}

void run_callbacks(const event_rec& e) {
  if (bindings.empty()) return;
  std::vector<event_callback> matched;
  for (const binding& b : bindings) {
    if (b.type != e.type) continue;
    if (b.window != -1 && b.window != e.window) continue;
    if (b.object != -1 && b.object != e.object) continue;
    if (b.subtype != -1 && b.subtype != e.subtype) continue;
    matched.push_back(b.callback);
  }
  if (matched.empty()) return;
  event_rec saved = current;
  set_current(e);
  for (event_callback cb : matched) cb();
  set_current(saved);
}

bool window_silent(int window) {
  window_rec* w = find_window(window);
  return !w || w->disabled;
}

// One non-blocking GTK iteration when something is pending.
int poll_gtk(bool force) {
  gint64 now = g_get_monotonic_time();
  if (!force && !touched && last_empty_look >= 0 && now - last_empty_look < POLL_QUIET_US)
    return none(0);
  touched = false;
  reattach_lists(false);
  if (!g_main_context_pending(nullptr)) {
    last_empty_look = now;
    return none(0);
  }
  last_empty_look = -1;
  g_main_context_iteration(nullptr, FALSE);
  if (!queue.empty()) return take_front();
  return none(-1);
}
}  // namespace

suppress::suppress() { ++suppress_count; touched = true; }
suppress::~suppress() { --suppress_count; }

void touch() { touched = true; }

void raise_event(int type, int window, int object, int subtype) {
  if (suppress_count > 0) return;
  if (window_silent(window)) return;
  event_rec e{type, window, object, subtype};
  run_callbacks(e);
  touched = true;
  if (!queue.empty()) {
    const event_rec& b = queue.back();
    if (b.type == e.type && b.window == e.window && b.object == e.object && b.subtype == e.subtype)
      return;
  }
  queue.push_back(e);
}

void raise_gadget_event(int g, int subtype) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  raise_event(EVENT_GADGET, r->window, g, subtype);
}

void drop_events_of_window(int window) {
  std::erase_if(queue, [&](const event_rec& e) { return e.window == window; });
}

void drop_timer_events(int window, int timer) {
  std::erase_if(queue, [&](const event_rec& e) {
    return e.type == EVENT_TIMER && e.window == window && e.object == timer;
  });
}

void drop_bindings_of_window(int window) {
  std::erase_if(bindings, [&](const binding& b) { return b.window == window; });
}

void drop_bindings_of_gadget(int g) {
  std::erase_if(bindings, [&](const binding& b) { return b.type == EVENT_GADGET && b.object == g; });
}

void dispatch_gdk_event(GdkEvent* e, gpointer) {
  if (e->type == GDK_KEY_PRESS || e->type == GDK_KEY_RELEASE) {
    // GTK hands a key to its window's focus widget. A focus widget that is
    // not realised yet (a chooser's location field focused the moment it
    // is shown) cannot take it: it is realised first, or, when it cannot
    // be, the window keeps the key to itself (shortcuts still work).
    GtkWidget* target = gtk_get_event_widget(e);
    GtkWidget* top = target ? gtk_widget_get_toplevel(target) : nullptr;
    if (top && GTK_IS_WINDOW(top) && gtk_widget_get_realized(top)) {
      GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(top));
      if (focus && !gtk_widget_get_realized(focus)) {
        if (gtk_widget_get_visible(focus)) gtk_widget_realize(focus);
        if (!gtk_widget_get_realized(focus)) gtk_window_set_focus(GTK_WINDOW(top), nullptr);
      }
    }
  }
  gtk_main_do_event(e);
}

namespace {
GdkEvent* right_press = nullptr;
}

void remember_right_press(const GdkEventButton* e) {
  if (right_press) gdk_event_free(right_press);
  right_press = gdk_event_copy(reinterpret_cast<const GdkEvent*>(e));
}

GdkEvent* take_right_press() {
  GdkEvent* e = right_press;
  right_press = nullptr;
  return e;
}

void drain() {
  touched = true;
  reattach_lists(true);
  while (event_poll() != 0) {
  }
}

}  // namespace gui

using namespace gui;

int event_wait() {
  if (!queue.empty()) return take_front();
  reattach_lists(true);
  touched = true;
  g_main_context_iteration(nullptr, TRUE);
  if (!queue.empty()) return take_front();
  return none(-1);
}

int event_poll() {
  if (!queue.empty()) return take_front();
  return poll_gtk(false);
}

int event_wait_timeout(int ms) {
  if (ms < 0) return event_wait();
  if (!queue.empty()) return take_front();
  if (ms == 0) return poll_gtk(false);
  gint64 end = g_get_monotonic_time() + gint64(ms) * 1000;
  reattach_lists(true);
  while (!g_main_context_pending(nullptr) && queue.empty() && g_get_monotonic_time() < end)
    g_usleep(2000);
  if (!queue.empty()) return take_front();
  return poll_gtk(true);
}

int event_get_type() { return current.type; }
int event_get_window() { return current.window; }
int event_get_gadget() { return current.object; }
int event_get_menu_item() { return current.object; }
int event_get_timer() { return current.object; }
int event_get_subtype() { return current.subtype; }

void event_post(int type, int window, int object) {
  queue.push_back({type, window, object, 0});
  touched = true;
  // Wake a loop blocked in event_wait.
  g_main_context_wakeup(nullptr);
}

void event_bind(int type, event_callback callback, int window, int object) {
  if (!callback) return;
  bindings.push_back({type, window, object, -1, callback});
}

void event_unbind(int type, event_callback callback, int window, int object) {
  std::erase_if(bindings, [&](const binding& b) {
    return b.type == type && b.callback == callback && b.window == window && b.object == object &&
           b.subtype == -1;
  });
}

void gadget_bind_event(int g, event_callback callback, int subtype) {
  if (!callback) return;
  bindings.push_back({EVENT_GADGET, -1, g, subtype, callback});
}

void gadget_bind_event_any(int g, event_callback callback) { gadget_bind_event(g, callback, -1); }

void gadget_unbind_event(int g, event_callback callback, int subtype) {
  std::erase_if(bindings, [&](const binding& b) {
    return b.type == EVENT_GADGET && b.object == g && b.callback == callback && b.subtype == subtype;
  });
}

void gadget_unbind_event_any(int g, event_callback callback) { gadget_unbind_event(g, callback, -1); }
