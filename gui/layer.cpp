// Start and end of the GUI layer, its object tables and the parent stack
// into which new gadgets go.
#include <X11/Xlib.h>

#include "common/event_hooks.h"
#include "gui/gui_internal.h"

namespace gui {

std::map<int, std::unique_ptr<window_rec>> windows;
std::map<int, std::unique_ptr<gadget_rec>> gadgets;
std::map<int, std::unique_ptr<menu_rec>> menus;
std::map<int, std::unique_ptr<status_bar_rec>> status_bars;
std::vector<requester_info*> open_requesters;
bool initialised = false;

window_rec* find_window(int n) {
  auto it = windows.find(n);
  return it == windows.end() ? nullptr : it->second.get();
}

gadget_rec* find_gadget(int g) {
  auto it = gadgets.find(g);
  return it == gadgets.end() ? nullptr : it->second.get();
}

gadget_rec* find_gadget_kind(int g, int kind) {
  gadget_rec* r = find_gadget(g);
  return r && r->kind == kind ? r : nullptr;
}

static const char* GADGET_KEY = "vx-gadget";
static const char* WINDOW_KEY = "vx-window";

int gadget_of_widget(GtkWidget* w) {
  for (; w; w = gtk_widget_get_parent(w)) {
    gpointer p = g_object_get_data(G_OBJECT(w), GADGET_KEY);
    if (p) return GPOINTER_TO_INT(p) - 1;
    if (GTK_IS_WINDOW(w)) break;
  }
  return -1;
}

window_rec* window_of_widget(GtkWidget* w) {
  if (!w) return nullptr;
  GtkWidget* top = gtk_widget_get_toplevel(w);
  gpointer p = g_object_get_data(G_OBJECT(top), WINDOW_KEY);
  if (!p) return nullptr;
  return find_window(GPOINTER_TO_INT(p) - 1);
}

// ---- Parent stack ---------------------------------------------------------------------
namespace {
struct parent_entry {
  int window;
  int gadget;  // -1: the window's layout
  int tab;     // tab of a panel, TAB_PANEL_ITSELF for the panel with no tab yet
};
std::vector<parent_entry> parent_stack;
GtkWidget* last_radio = nullptr;  // previous option button, while a group is open
}  // namespace

void parent_stack_reset(int window) {
  parent_stack.clear();
  parent_stack.push_back({window, -1, 0});
  last_radio = nullptr;
}

void parent_stack_window_closed(int window) {
  bool affected = false;
  for (auto& e : parent_stack) affected |= e.window == window;
  if (!affected) return;
  // Fall back to the newest window still open.
  window_rec* newest = nullptr;
  for (auto& [n, w] : windows)
    if (n != window && (!newest || w->serial > newest->serial)) newest = w.get();
  parent_stack.clear();
  last_radio = nullptr;
  if (newest) parent_stack.push_back({newest->n, -1, 0});
}

GtkWidget* current_layout(int* window) {
  while (!parent_stack.empty()) {
    parent_entry& e = parent_stack.back();
    window_rec* w = find_window(e.window);
    if (!w) {
      parent_stack.pop_back();
      continue;
    }
    *window = e.window;
    if (e.gadget < 0) return w->layout;
    gadget_rec* g = find_gadget(e.gadget);
    if (!g) {
      parent_stack.pop_back();
      continue;
    }
    if (g->kind == GADGET_CONTAINER) return g->inner;
    if (g->kind == GADGET_TAB_PANEL) {
      if (g->tabs.empty()) return w->layout;
      int t = e.tab < 0 || e.tab >= (int)g->tabs.size() ? 0 : e.tab;
      return g->tabs[t];
    }
    return w->layout;
  }
  return nullptr;
}

void gadget_created(gadget_rec& r) {
  if (r.kind != GADGET_RADIO_BUTTON) last_radio = nullptr;
  if (r.kind == GADGET_CONTAINER) parent_stack.push_back({r.window, r.n, 0});
  if (r.kind == GADGET_TAB_PANEL) parent_stack.push_back({r.window, r.n, TAB_PANEL_ITSELF});
}

void forget_radio_group() { last_radio = nullptr; }

// The group an option button joins: the one of the button created just
// before it, else a new group headed by a hidden button (so that no visible
// button of a group needs to be on).
GtkWidget* radio_group_member(window_rec& w) {
  if (last_radio) return last_radio;
  GtkWidget* anchor = gtk_radio_button_new(nullptr);
  g_object_ref_sink(anchor);
  w.radio_anchors.push_back(anchor);
  return anchor;
}

void remember_radio(GtkWidget* radio) { last_radio = radio; }

void tab_added(int panel, int window, int tab) {
  if (!parent_stack.empty() && parent_stack.back().gadget == panel) {
    parent_stack.back().tab = tab;
  } else {
    parent_stack.push_back({window, panel, tab});
  }
  last_radio = nullptr;
}

void mark_gadget_widget(GtkWidget* w, int g) {
  g_object_set_data(G_OBJECT(w), GADGET_KEY, GINT_TO_POINTER(g + 1));
}

void mark_window_widget(GtkWidget* w, int n) {
  g_object_set_data(G_OBJECT(w), WINDOW_KEY, GINT_TO_POINTER(n + 1));
}

}  // namespace gui

using namespace gui;

void gadget_parent_push(int panel, int tab) {
  gadget_rec* r = find_gadget(panel);
  if (!r) return;
  parent_stack.push_back({r->window, panel, tab});
  last_radio = nullptr;
}

void gadget_parent_pop() {
  if (parent_stack.size() > 1) parent_stack.pop_back();
  last_radio = nullptr;
}

int gui_init(int* argc, char*** argv) {
  if (initialised) return 1;
  XInitThreads();
  if (!gtk_init_check(argc, argv)) return 0;
  initialised = true;
  gdk_event_handler_set(dispatch_gdk_event, nullptr, nullptr);
  // Menu items show their images; menus and dialogs use the gadgets'
  // default font, so the menu bar fits the width the layout plans for.
  g_object_set(gtk_settings_get_default(), "gtk-menu-images", TRUE, "gtk-font-name", "Arial 10", nullptr);
  // The theme's minimum sizes are larger than the layout plans for: a
  // 31-pixel spin's entry and stacked arrows, the tab strip's height, and
  // the menu bar's titles (wider than a 1280-pixel window, they would
  // widen it and push "Help" off screen).
  GtkCssProvider* css = gtk_css_provider_new();
  gtk_css_provider_load_from_data(css,
                                  ".vx-spin entry { min-height: 0; padding-top: 0; padding-bottom: 0; }\n"
                                  ".vx-spin button { min-height: 0; min-width: 0; padding: 0 2px; }\n"
                                  "notebook > header > tabs > tab { min-height: 0; padding-top: 2px; padding-bottom: 2px; }\n"
                                  "menubar > menuitem { padding-left: 4px; padding-right: 4px; }\n"
                                  // A disabled image button must look disabled: the
                                  // theme greys only text, not an image's pixels.
                                  "button:disabled image { -gtk-icon-effect: dim; opacity: 0.45; }\n",
                                  -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(css),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(css);
  set_pending_events_drain(&gui::drain);
  return 1;
}

void gui_shutdown() {
  if (!initialised) return;
  window_close(-1);
  menu_free(-1);
  clipboard_store_at_exit();
  free_fonts_and_images();
  if (GdkEvent* press = take_right_press()) gdk_event_free(press);
  set_pending_events_drain(nullptr);
}
