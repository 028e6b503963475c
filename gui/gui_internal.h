// Tables and helpers shared by the files of the GUI layer and its test
// driver. Nothing outside gui/ includes this.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/gui.h"

namespace gui {

// ---- Text borders -------------------------------------------------------------
inline std::string u8(const text_t& s) { return to_utf8(s); }
inline text_t u16(const char* s) { return s ? from_utf8(s) : text_t(); }

// ---- Objects ----------------------------------------------------------------------
struct window_rec {
  int n = 0;
  int flags = 0;
  GtkWidget* window = nullptr;  // GtkWindow
  GtkWidget* box = nullptr;     // vertical: menu bar, layout, status bar
  GtkWidget* layout = nullptr;  // GtkFixed holding the gadgets
  bool disabled = false;
  bool hidden = false;
  int last_x = 0, last_y = 0, last_width = 0, last_height = 0;
  std::map<int, int> shortcuts;              // key code -> id
  std::map<int, guint> timers;               // timer -> GLib source
  std::vector<GtkWidget*> radio_anchors;     // hidden first member of each radio group
  uint64_t serial = 0;                       // opening order
};

struct list_column {
  GtkTreeViewColumn* column = nullptr;
  GtkCellRenderer* text = nullptr;
  int width = 0;       // the width asked for (0 or less: hidden)
  int align = 0;
  text_t title;
};

struct gadget_rec {
  int n = 0;
  int kind = 0;
  int window = -1;
  int flags = 0;
  GtkWidget* outer = nullptr;   // what sits in the parent layout
  GtkWidget* widget = nullptr;  // the working widget
  GtkWidget* inner = nullptr;   // container: its layout; spin: entry
  GtkWidget* up = nullptr;      // spin arrows
  GtkWidget* down = nullptr;
  GtkWidget* label = nullptr;   // hyperlink label
  int x = 0, y = 0, width = 0, height = 0;
  // value gadgets
  int minimum = 0, maximum = 100, page = 1, value = 0;
  int hover_color = -1;
  // colours set by the caller (target -> colour)
  std::map<int, int> colors;
  PangoFontDescription* font = nullptr;  // owned copy, null for the theme's
  GtkCssProvider* css = nullptr;
  // column list
  GtkListStore* store = nullptr;
  std::vector<list_column> columns;
  GtkCellRenderer* toggle = nullptr;
  GtkCellRenderer* pixbuf = nullptr;
  bool detached = false;             // model taken off the view while filling
  std::vector<int> detached_selection;
  double detached_scroll = 0;
  int header_clicked = -1;
  int wheel_scroll_bar = 0;          // the bar the mouse wheel moves (a paged list)
  double wheel_rest = 0;             // rows of smooth wheel motion not yet moved
  std::map<int, int> list_colors;    // (column * 4 + target) -> colour for every row
  // tab panel pages (GtkFixed each)
  std::vector<GtkWidget*> tabs;
  // combo entries
  GtkListStore* combo_store = nullptr;
  // canvas
  cairo_surface_t* surface = nullptr;
  GdkPixbuf* image = nullptr;        // image gadget / image button (not owned)
};

// Store columns of a column list.
enum { LIST_COL_CHECKED = 0, LIST_COL_INCONSISTENT, LIST_COL_PIXBUF, LIST_COL_COLORS, LIST_COL_TEXT };

struct menu_item_rec {
  int id = 0;
  GtkWidget* item = nullptr;
  GtkWidget* label = nullptr;   // mnemonic label
  GtkWidget* accel = nullptr;   // shortcut label
  text_t text;
  bool plain = false;  // text shown as it is: no mnemonic, no shortcut label
  bool disabled = false;
};

struct menu_rec {
  int n = 0;
  bool popup = false;
  GtkWidget* shell = nullptr;  // GtkMenuBar or GtkMenu
  int window = -1;             // window the bar sits in / the popup was opened for
  std::vector<menu_item_rec> items;
  std::vector<GtkWidget*> build_stack;  // menu shells being filled
};

struct status_field {
  int width = 0;
  GtkWidget* box = nullptr;
  GtkWidget* frame = nullptr;
  GtkWidget* label = nullptr;
  GtkWidget* progress = nullptr;
  text_t text;
  bool showing_progress = false;
  int minimum = 0, maximum = 100, value = 0, flags = 0;
};

struct status_bar_rec {
  int n = 0;
  int window = -1;
  GtkWidget* box = nullptr;
  std::vector<status_field> fields;
};

// An open requester, for the test driver.
struct requester_info {
  int kind = 0;  // 1 message box, 2 open, 3 save, 4 font (as the driver numbers them)
  GtkWidget* dialog = nullptr;
  text_t title;
  text_t text;
  int flags = 0;
  std::string icon;  // message box: the icon name shown
  int default_answer = 0;  // message box: the answer of its default button
  std::vector<text_t> filter_names;
  std::vector<std::vector<text_t>> filter_patterns;
  std::vector<GtkFileFilter*> filters;
  // The path a test driver answered with. GTK's chooser loads folders
  // asynchronously, so its own idea of the selection may lag behind.
  bool has_answer = false;
  std::string answer_path;
};
// The response a test driver gives a file chooser it answered with a path:
// not an "accept" id, so the chooser does not hold it back while it is
// still loading its folder.
constexpr int DRIVER_ANSWER_RESPONSE = 1001;

struct event_rec {
  int type = 0, window = -1, object = -1, subtype = 0;
};

struct binding {
  int type, window, object, subtype;  // -1: any
  event_callback callback;
};

// ---- Tables --------------------------------------------------------------------------
extern std::map<int, std::unique_ptr<window_rec>> windows;
extern std::map<int, std::unique_ptr<gadget_rec>> gadgets;
extern std::map<int, std::unique_ptr<menu_rec>> menus;
extern std::map<int, std::unique_ptr<status_bar_rec>> status_bars;
extern std::vector<requester_info*> open_requesters;
// The file chooser inside a requester (null none), and whether GTK has a
// timer of that chooser's still to run.
GtkWidget* file_chooser_widget_in(GtkWidget* dialog);
bool file_chooser_timer_pending(GtkWidget* chooser);
extern bool initialised;

window_rec* find_window(int n);
gadget_rec* find_gadget(int g);
gadget_rec* find_gadget_kind(int g, int kind);
int gadget_of_widget(GtkWidget* w);  // walks up to the nearest gadget, -1 none
window_rec* window_of_widget(GtkWidget* w);

// ---- Events ---------------------------------------------------------------------------
// Counts programmatic changes; events raised meanwhile are dropped.
extern int suppress_count;
struct suppress {
  suppress();
  ~suppress();
  suppress(const suppress&) = delete;
  suppress& operator=(const suppress&) = delete;
};
// A GTK signal turned into an event: callbacks, then the queue (merged with
// the newest waiting event when equal).
void raise_event(int type, int window, int object, int subtype);
void raise_gadget_event(int g, int subtype);
void drop_events_of_window(int window);
void drop_timer_events(int window, int timer);
void drop_bindings_of_window(int window);
void drop_bindings_of_gadget(int g);
// GTK work was done: the next event_poll looks at GTK even within a millisecond.
void touch();
// Lists taken off their views go back: all of them, or those detached for a while.
void reattach_lists(bool all);
void drain();
// Every GDK event goes through here to GTK (gdk_event_handler_set); the
// test driver sends its key events the same way.
void dispatch_gdk_event(GdkEvent* e, gpointer data);
// The button press behind the newest right click a gadget reported: a popup
// menu opened for that click is given it, so GTK knows the button and the
// time of the press (a release soon after keeps the menu open).
void remember_right_press(const GdkEventButton* e);
// The remembered press, handed over (null when none); the caller frees it.
GdkEvent* take_right_press();

// ---- Gadget internals --------------------------------------------------------------
void destroy_gadget(int g);
void destroy_gadgets_of_window(int window);
void apply_style(gadget_rec& r);
GtkWidget* current_layout(int* window);
void gadget_created(gadget_rec& r);     // for the parent stack
void forget_radio_group();
void parent_stack_window_closed(int window);
void parent_stack_reset(int window);
GdkRGBA rgba_of(int color);

gadget_rec* gadget_begin(int g, int kind, int x, int y, int width, int height, int flags,
                         GtkWidget** layout, int* window);
int gadget_finish(gadget_rec* r, int window, GtkWidget* layout);
void mark_gadget_widget(GtkWidget* w, int g);
void mark_window_widget(GtkWidget* w, int n);
GtkWidget* radio_group_member(window_rec& w);
void remember_radio(GtkWidget* radio);
void tab_added(int panel, int window, int tab);

// column list
int list_create(int g, int x, int y, int width, int height, const text_t& title, int col_width, int flags);
void list_add_column(gadget_rec& r, int position, const text_t& title, int width);
void list_add_item(gadget_rec& r, int position, const text_t& text, GdkPixbuf* image);
void list_add_items(gadget_rec& r, const std::vector<text_t>& rows);
void list_remove_item(gadget_rec& r, int index);
void list_clear(gadget_rec& r);
int list_count(gadget_rec& r);
text_t list_get_item_text(gadget_rec& r, int item, int column);
void list_set_item_text(gadget_rec& r, int item, const text_t& text, int column);
int list_get_state(gadget_rec& r);
void list_set_state(gadget_rec& r, int row);
int list_get_item_state(gadget_rec& r, int row);
void list_set_item_state(gadget_rec& r, int row, int state);
int list_get_attribute(gadget_rec& r, int attribute);
int list_get_item_attribute(gadget_rec& r, int item, int attribute);
void list_set_item_attribute(gadget_rec& r, int item, int attribute, int value);
void list_set_item_color(gadget_rec& r, int item, int target, int color, int column);
int list_get_item_color(gadget_rec& r, int item, int target, int column);
void list_set_item_image(gadget_rec& r, int item, GdkPixbuf* image);
void list_reattach(gadget_rec& r);
GtkTreeView* list_view(gadget_rec& r);

// menus, shortcuts, status bars, timers
void drop_menus_of_window(int window);
void drop_status_bars_of_window(int window);
void remove_timers_of_window(window_rec& w);
gboolean on_window_key_press(GtkWidget* widget, GdkEventKey* event, gpointer data);
int key_code_of_event(const GdkEventKey* event, bool latin_group);
menu_item_rec* find_menu_item(int menu, int id);
menu_item_rec* find_menu_item_anywhere(int id, menu_rec** owner);

// clipboard
void clipboard_store_at_exit();
void free_fonts_and_images();

}  // namespace gui
