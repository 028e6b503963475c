// Numbered windows: a GtkWindow holding a vertical box (menu bar, the
// fixed-position layout of the gadgets, status bar).
#include <algorithm>

#include "gui/gui_internal.h"

namespace gui {
void mark_window_widget(GtkWidget* w, int n);

namespace {
uint64_t open_serial = 0;

int window_number(gpointer data) { return GPOINTER_TO_INT(data); }

gboolean on_delete(GtkWidget*, GdkEvent*, gpointer data) {
  raise_event(EVENT_CLOSE, window_number(data), 0, 0);
  return TRUE;  // the program closes the window itself
}

gboolean on_focus_in(GtkWidget*, GdkEventFocus*, gpointer data) {
  raise_event(EVENT_ACTIVATED, window_number(data), 0, 0);
  return FALSE;
}

gboolean on_focus_out(GtkWidget*, GdkEventFocus*, gpointer data) {
  raise_event(EVENT_DEACTIVATED, window_number(data), 0, 0);
  return FALSE;
}

gboolean on_configure(GtkWidget*, GdkEventConfigure* e, gpointer data) {
  window_rec* w = find_window(window_number(data));
  if (!w) return FALSE;
  if (e->x != w->last_x || e->y != w->last_y) {
    w->last_x = e->x;
    w->last_y = e->y;
    raise_event(EVENT_MOVED, w->n, 0, 0);
  }
  if (e->width != w->last_width || e->height != w->last_height) {
    w->last_width = e->width;
    w->last_height = e->height;
    raise_event(EVENT_SIZED, w->n, 0, 0);
  }
  return FALSE;
}

gboolean on_window_state(GtkWidget*, GdkEventWindowState* e, gpointer data) {
  int n = window_number(data);
  if (e->changed_mask & GDK_WINDOW_STATE_ICONIFIED) {
    raise_event(e->new_window_state & GDK_WINDOW_STATE_ICONIFIED ? EVENT_MINIMIZED : EVENT_RESTORED,
                n, 0, 0);
  } else if (e->changed_mask & GDK_WINDOW_STATE_MAXIMIZED) {
    raise_event(e->new_window_state & GDK_WINDOW_STATE_MAXIMIZED ? EVENT_MAXIMIZED : EVENT_RESTORED,
                n, 0, 0);
  }
  return FALSE;
}

// Clicks on the window itself (outside any gadget).
gboolean on_layout_button(GtkWidget*, GdkEventButton* e, gpointer data) {
  int n = window_number(data);
  if (e->type == GDK_2BUTTON_PRESS) raise_event(EVENT_DOUBLE_CLICK, n, 0, 0);
  else if (e->type == GDK_BUTTON_PRESS && e->button == 3) {
    remember_right_press(e);
    raise_event(EVENT_RIGHT_CLICK, n, 0, 0);
  }
  else if (e->type == GDK_BUTTON_PRESS && e->button == 1) raise_event(EVENT_LEFT_CLICK, n, 0, 0);
  return FALSE;
}

void close_one(int n) {
  window_rec* w = find_window(n);
  if (!w) return;
  remove_timers_of_window(*w);
  w->shortcuts.clear();
  destroy_gadgets_of_window(n);
  drop_menus_of_window(n);
  drop_status_bars_of_window(n);
  drop_events_of_window(n);
  drop_bindings_of_window(n);
  for (GtkWidget* a : w->radio_anchors) {
    gtk_widget_destroy(a);
    g_object_unref(a);
  }
  GtkWidget* win = w->window;
  windows.erase(n);
  parent_stack_window_closed(n);
  gtk_widget_destroy(win);
  touch();
}

int open_window(int n, int x, int y, int width, int height, const text_t& title, int flags,
                GtkWidget* parent) {
  if (!initialised) return 0;
  if (find_window(n)) close_one(n);
  GtkWidget* win = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  if (!win) return 0;
  auto rec = std::make_unique<window_rec>();
  window_rec& w = *rec;
  w.n = n;
  w.flags = flags;
  w.window = win;
  w.serial = ++open_serial;
  w.hidden = flags & WINDOW_HIDDEN;
  mark_window_widget(win, n);
  gtk_window_set_title(GTK_WINDOW(win), u8(title).c_str());
  bool sizeable = flags & WINDOW_SIZEABLE;
  gtk_window_set_resizable(GTK_WINDOW(win), sizeable);
  if (flags & WINDOW_TOOL) gtk_window_set_type_hint(GTK_WINDOW(win), GDK_WINDOW_TYPE_HINT_UTILITY);
  if (parent && GTK_IS_WINDOW(parent)) gtk_window_set_transient_for(GTK_WINDOW(win), GTK_WINDOW(parent));

  w.box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  w.layout = gtk_fixed_new();
  gtk_widget_set_has_window(w.layout, TRUE);
  gtk_widget_add_events(w.layout, GDK_BUTTON_PRESS_MASK);
  gtk_box_pack_start(GTK_BOX(w.box), w.layout, TRUE, TRUE, 0);
  gtk_container_add(GTK_CONTAINER(win), w.box);
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  if (sizeable) {
    gtk_window_set_default_size(GTK_WINDOW(win), width, height);
  } else {
    gtk_widget_set_size_request(w.box, width, height);
  }
  if (flags & WINDOW_CENTERED && parent) {
    gtk_window_set_position(GTK_WINDOW(win), GTK_WIN_POS_CENTER_ON_PARENT);
  } else if (flags & (WINDOW_SCREEN_CENTERED | WINDOW_CENTERED) || x == GUI_KEEP || y == GUI_KEEP) {
    gtk_window_set_position(GTK_WINDOW(win), GTK_WIN_POS_CENTER);
  } else {
    gtk_window_move(GTK_WINDOW(win), x, y);
  }
  if (flags & WINDOW_MAXIMIZED) gtk_window_maximize(GTK_WINDOW(win));

  gpointer data = GINT_TO_POINTER(n);
  g_signal_connect(win, "delete-event", G_CALLBACK(on_delete), data);
  g_signal_connect(win, "key-press-event", G_CALLBACK(on_window_key_press), data);
  g_signal_connect(win, "focus-in-event", G_CALLBACK(on_focus_in), data);
  g_signal_connect(win, "focus-out-event", G_CALLBACK(on_focus_out), data);
  g_signal_connect(win, "configure-event", G_CALLBACK(on_configure), data);
  g_signal_connect(win, "window-state-event", G_CALLBACK(on_window_state), data);
  g_signal_connect(w.layout, "button-press-event", G_CALLBACK(on_layout_button), data);

  gtk_widget_show(w.layout);
  gtk_widget_show(w.box);
  windows[n] = std::move(rec);
  parent_stack_reset(n);
  {
    suppress quiet;  // opening raises no activation, size or move events
    if (!(flags & WINDOW_HIDDEN)) gtk_widget_show(win);
  }
  return 1;
}
}  // namespace
}  // namespace gui

using namespace gui;

int window_open(int n, int x, int y, int width, int height, const text_t& title, int flags,
                GtkWidget* parent) {
  return open_window(n, x, y, width, height, title, flags, parent);
}

int window_open_no_parent(int n, int x, int y, int width, int height, const text_t& title,
                          int flags) {
  return open_window(n, x, y, width, height, title, flags, nullptr);
}

void window_close(int n) {
  if (n == GUI_ALL) {
    std::vector<std::pair<uint64_t, int>> all;
    for (auto& [k, w] : windows) all.push_back({w->serial, k});
    // Newest first: tool windows go before the windows they were opened over.
    std::sort(all.rbegin(), all.rend());
    for (auto& [serial, k] : all) close_one(k);
    return;
  }
  close_one(n);
}

int window_exists(int n) { return find_window(n) ? 1 : 0; }

GtkWidget* window_widget(int n) {
  window_rec* w = find_window(n);
  return w ? w->window : nullptr;
}

int window_width(int n) {
  window_rec* w = find_window(n);
  if (!w) return 0;
  int width = 0, height = 0;
  gtk_window_get_size(GTK_WINDOW(w->window), &width, &height);
  return width;
}

int window_height(int n) {
  window_rec* w = find_window(n);
  if (!w) return 0;
  int width = 0, height = 0;
  gtk_window_get_size(GTK_WINDOW(w->window), &width, &height);
  return height;
}

int window_x(int n) {
  window_rec* w = find_window(n);
  if (!w) return 0;
  int x = 0, y = 0;
  gtk_window_get_position(GTK_WINDOW(w->window), &x, &y);
  return x;
}

int window_y(int n) {
  window_rec* w = find_window(n);
  if (!w) return 0;
  int x = 0, y = 0;
  gtk_window_get_position(GTK_WINDOW(w->window), &x, &y);
  return y;
}

void window_move_resize(int n, int x, int y, int width, int height) {
  window_rec* w = find_window(n);
  if (!w) return;
  suppress quiet;
  int cx = 0, cy = 0, cw = 0, ch = 0;
  gtk_window_get_position(GTK_WINDOW(w->window), &cx, &cy);
  gtk_window_get_size(GTK_WINDOW(w->window), &cw, &ch);
  if (x != GUI_KEEP || y != GUI_KEEP)
    gtk_window_move(GTK_WINDOW(w->window), x == GUI_KEEP ? cx : x, y == GUI_KEEP ? cy : y);
  if (width != GUI_KEEP || height != GUI_KEEP) {
    int nw = width == GUI_KEEP ? cw : std::max(1, width);
    int nh = height == GUI_KEEP ? ch : std::max(1, height);
    if (gtk_window_get_resizable(GTK_WINDOW(w->window))) gtk_window_resize(GTK_WINDOW(w->window), nw, nh);
    else gtk_widget_set_size_request(w->box, nw, nh);
  }
}

void window_set_size_limits(int n, int min_width, int min_height, int max_width, int max_height) {
  window_rec* w = find_window(n);
  if (!w) return;
  GdkGeometry g{};
  int mask = 0;
  if (min_width >= 0 || min_height >= 0) {
    g.min_width = std::max(0, min_width);
    g.min_height = std::max(0, min_height);
    mask |= GDK_HINT_MIN_SIZE;
  }
  if (max_width >= 0 || max_height >= 0) {
    g.max_width = max_width >= 0 ? max_width : G_MAXINT / 2;
    g.max_height = max_height >= 0 ? max_height : G_MAXINT / 2;
    mask |= GDK_HINT_MAX_SIZE;
  }
  gtk_window_set_geometry_hints(GTK_WINDOW(w->window), nullptr, &g, GdkWindowHints(mask));
}

void window_set_hidden(int n, int state) {
  window_rec* w = find_window(n);
  if (!w || w->hidden == (state != 0)) return;
  w->hidden = state != 0;
  suppress quiet;
  if (state) gtk_widget_hide(w->window);
  else gtk_widget_show(w->window);
}

int window_get_hidden(int n) {
  window_rec* w = find_window(n);
  return w && w->hidden ? 1 : 0;
}

void window_set_disabled(int n, int state) {
  window_rec* w = find_window(n);
  if (!w || w->disabled == (state != 0)) return;
  w->disabled = state != 0;
  gtk_widget_set_sensitive(w->box, !w->disabled);
  touch();
}

int window_get_disabled(int n) {
  window_rec* w = find_window(n);
  return w && w->disabled ? 1 : 0;
}

void window_activate(int n) {
  window_rec* w = find_window(n);
  if (!w) return;
  gtk_window_present(GTK_WINDOW(w->window));
  touch();
}

void window_set_icon(int n, GdkPixbuf* image) {
  window_rec* w = find_window(n);
  if (!w) return;
  gtk_window_set_icon(GTK_WINDOW(w->window), image);
}

text_t window_get_title(int n) {
  window_rec* w = find_window(n);
  if (!w) return {};
  return u16(gtk_window_get_title(GTK_WINDOW(w->window)));
}
