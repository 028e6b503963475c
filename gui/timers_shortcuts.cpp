// Window timers and keyboard shortcuts. A bound key posts a menu event and
// goes no further, whichever gadget has the focus.
#include "gui/gui_internal.h"

#include <sys/wait.h>

namespace gui {
namespace {

struct timer_key {
  int window, timer;
};

gboolean on_timer(gpointer d) {
  auto* k = static_cast<timer_key*>(d);
  raise_event(EVENT_TIMER, k->window, k->timer, 0);
  return G_SOURCE_CONTINUE;
}

void free_key(gpointer d) { delete static_cast<timer_key*>(d); }

int normalise(int key) {
  int mods = key & (KEY_SHIFT | KEY_CTRL | KEY_ALT);
  int k = key & 0xffff;
  if (k == KEY_KP_ENTER) k = KEY_RETURN;
  if (k == KEY_LEFT_TAB) {
    k = KEY_TAB;
    mods |= KEY_SHIFT;
  }
  k = (int)gdk_keyval_to_upper((guint)k);
  return k | mods;
}

}  // namespace

void remove_timers_of_window(window_rec& w) {
  for (auto& [t, source] : w.timers) g_source_remove(source);
  w.timers.clear();
}

int key_code_of_event(const GdkEventKey* e, bool latin_group) {
  guint kv = e->keyval;
  if (latin_group) {
    // The key of the same position in the first (Latin) layout group, so
    // that Ctrl+O works with any keyboard layout.
    GdkKeymap* km = gdk_keymap_get_for_display(gdk_window_get_display(e->window));
    guint latin = 0;
    if (!gdk_keymap_translate_keyboard_state(km, e->hardware_keycode, GdkModifierType(e->state & GDK_SHIFT_MASK), 0,
                                             &latin, nullptr, nullptr, nullptr))
      return -1;
    kv = latin;
  }
  int mods = 0;
  if (e->state & GDK_SHIFT_MASK) mods |= KEY_SHIFT;
  if (e->state & GDK_CONTROL_MASK) mods |= KEY_CTRL;
  if (e->state & GDK_MOD1_MASK) mods |= KEY_ALT;
  if (kv > 0xffff) return -1;
  return normalise((int)kv | mods);
}

gboolean on_window_key_press(GtkWidget*, GdkEventKey* e, gpointer data) {
  window_rec* w = find_window(GPOINTER_TO_INT(data));
  if (!w || w->shortcuts.empty()) return FALSE;
  int code = key_code_of_event(e, false);
  auto it = w->shortcuts.find(code);
  if (it == w->shortcuts.end() && (e->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) && e->keyval > 0x7f) {
    code = key_code_of_event(e, true);
    it = w->shortcuts.find(code);
  }
  if (it == w->shortcuts.end()) return FALSE;
  if (!w->disabled) raise_event(EVENT_MENU, w->n, it->second, 0);
  return TRUE;
}

}  // namespace gui

using namespace gui;

int timer_add(int window, int timer, int interval_ms) {
  window_rec* w = find_window(window);
  if (!w) return 0;
  auto it = w->timers.find(timer);
  if (it != w->timers.end()) g_source_remove(it->second);
  guint source = g_timeout_add_full(G_PRIORITY_DEFAULT, (guint)std::max(1, interval_ms), on_timer,
                                    new timer_key{window, timer}, free_key);
  w->timers[timer] = source;
  return 1;
}

void timer_remove(int window, int timer) {
  window_rec* w = find_window(window);
  if (w) {
    if (timer == GUI_ALL) {
      for (auto& [t, source] : w->timers) drop_timer_events(window, t);
      remove_timers_of_window(*w);
    } else {
      auto it = w->timers.find(timer);
      if (it != w->timers.end()) {
        g_source_remove(it->second);
        w->timers.erase(it);
      }
    }
  }
  if (timer != GUI_ALL) drop_timer_events(window, timer);
}

int shortcut_add(int window, int key, int id) {
  window_rec* w = find_window(window);
  if (!w) return 0;
  w->shortcuts[normalise(key)] = id;
  return 1;
}

void shortcut_remove(int window, int key) {
  window_rec* w = find_window(window);
  if (!w) return;
  if (key == GUI_ALL) w->shortcuts.clear();
  else w->shortcuts.erase(normalise(key));
}

void process_watch_exit(int64_t pid, std::function<void(int exit_code)> on_exit) {
  using callback = std::function<void(int)>;
  g_child_watch_add_full(
      G_PRIORITY_DEFAULT, static_cast<GPid>(pid),
      [](GPid child, gint status, gpointer data) {
        g_spawn_close_pid(child);
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : WIFSIGNALED(status) ? 128 + WTERMSIG(status) : 1;
        (*static_cast<callback*>(data))(code);
      },
      new callback(std::move(on_exit)), [](gpointer data) { delete static_cast<callback*>(data); });
}
