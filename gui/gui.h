// The GUI layer: numbered windows, gadgets, menus, status bars, timers,
// shortcuts, fonts and images over GTK 3, with one event queue.
//
// Every number is chosen by the caller. A gadget number names one gadget in
// the whole program. Operations on a number that names nothing do nothing
// and return 0, "" or -1. -1 given to a close or free operation means every
// object of that kind; GUI_KEEP as a coordinate or size keeps the current
// value (as a window's x or y it centres the window).
//
// Everything runs on the one GUI thread.
//
// Parents: window_open makes the window the current parent. A new container
// is the parent until gadget_parent_pop(); a new tab panel too, and each tab
// added to it becomes the parent in its place, so one gadget_parent_pop()
// after the last tab returns to the window. gadget_parent_push(panel, tab)
// re-enters a tab (TAB_PANEL_ITSELF: the panel), gadget_parent_pop() leaves.
//
// Events raised (type 3, subtype): button, image button, hyperlink, check
// box, option button (switched on), scroll bar, slider: 0. Image and canvas:
// 0 click, 1 right click, 2 double click. Spin: 4 up, 5 down, 768 typed.
// Entry, text view, drop-down, tab panel: 768; entry and text view also 256
// and 512 (focus in, out). Column list: 0 click, 1 right click, 2 double
// click, 3 right double click, 8 header click, 768 selection or check box
// changed. Setters raise nothing (gadget_set_item_text on a text view may).
// Changing a value to the value it holds does no GTK work at all.
//
// A modal tool window:
//   window_set_disabled(0, 1);
//   if (!window_open(N, 0, 0, w, h, u"Title", WINDOW_CENTERED, window_widget(0))) ...
//   ...gadgets...; shortcut_add(N, KEY_ESCAPE, 1000); shortcut_add(N, KEY_RETURN, 1003);
//   for (bool done = false; !done;) {
//     int type = event_wait();
//     if (type <= 0 || event_get_window() != N) continue;   // act on positive types only
//     if (type == EVENT_CLOSE) done = true;
//     if (type == EVENT_MENU && event_get_menu_item() == 1000) done = true;
//     if (type == EVENT_GADGET && event_get_gadget() == OK_BUTTON) ...
//   }
//   window_close(N); window_set_disabled(0, 0); window_activate(0);
// run_modal_loop (gui/modal_window.h) is that loop, with each window's hooks.
// A long job polls once per item: event_poll() is cheap (no GTK call when
// GTK had nothing pending less than a millisecond ago).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "common/text.h"

// GTK handles passed through the layer (window parents, images, fonts).
typedef struct _GtkWidget GtkWidget;
typedef struct _GdkPixbuf GdkPixbuf;
typedef struct _PangoFontDescription PangoFontDescription;

// ---- Special numbers --------------------------------------------------------
constexpr int GUI_ALL = -1;          // every object of a kind (close, free, remove)
constexpr int GUI_KEEP = -65535;     // keep the value; window x/y: centre; field width: the rest
constexpr int TAB_PANEL_ITSELF = -2; // gadget_parent_push(panel, TAB_PANEL_ITSELF)

// ---- Window flags -------------------------------------------------------------
constexpr int WINDOW_HIDDEN = 0x1;
constexpr int WINDOW_SIZEABLE = 0x2;
constexpr int WINDOW_SYSTEM_MENU = 0x4;
constexpr int WINDOW_MAXIMIZE_BOX = 0x10;
constexpr int WINDOW_MINIMIZE_BOX = 0x20;
constexpr int WINDOW_SCREEN_CENTERED = 0x40;
constexpr int WINDOW_CENTERED = 0x100;  // on the parent
constexpr int WINDOW_MAXIMIZED = 0x200;
constexpr int WINDOW_TOOL = 0x800;

// ---- Gadget kinds (gadget_kind) -------------------------------------------------
constexpr int GADGET_BUTTON = 1;
constexpr int GADGET_ENTRY = 2;
constexpr int GADGET_LABEL = 3;
constexpr int GADGET_CHECKBOX = 4;
constexpr int GADGET_RADIO_BUTTON = 5;
constexpr int GADGET_FRAME = 7;
constexpr int GADGET_COMBO_BOX = 8;
constexpr int GADGET_IMAGE = 9;
constexpr int GADGET_HYPERLINK = 10;
constexpr int GADGET_CONTAINER = 11;
constexpr int GADGET_COLUMN_LIST = 12;
constexpr int GADGET_PROGRESS_BAR = 14;
constexpr int GADGET_SCROLL_BAR = 15;
constexpr int GADGET_SLIDER = 17;
constexpr int GADGET_IMAGE_BUTTON = 19;
constexpr int GADGET_TEXT_VIEW = 22;
constexpr int GADGET_SPIN = 26;
constexpr int GADGET_TAB_PANEL = 28;
constexpr int GADGET_CANVAS = 33;

// ---- Creation flags -------------------------------------------------------------
constexpr int LABEL_RIGHT = 1, LABEL_CENTER = 2, LABEL_SUNKEN = 4;
constexpr int ENTRY_PASSWORD = 1, ENTRY_READ_ONLY = 2, ENTRY_UPPER_CASE = 4,
              ENTRY_LOWER_CASE = 8, ENTRY_NUMERIC = 0x10, ENTRY_NO_FRAME = 0x20;
constexpr int TEXT_VIEW_READ_ONLY = 1, TEXT_VIEW_WORD_WRAP = 2, TEXT_VIEW_TAB_MOVES_FOCUS = 4;
constexpr int LIST_MULTI_SELECT = 1, LIST_CHECK_BOXES = 2, LIST_GRID_LINES = 4,
              LIST_THREE_STATE = 8, LIST_REORDERABLE = 0x10;
constexpr int COMBO_EDITABLE = 1, COMBO_LOWER_CASE = 2, COMBO_UPPER_CASE = 4, COMBO_IMAGES = 8;
constexpr int SPIN_READ_ONLY = 4, SPIN_NUMERIC = 8;
constexpr int CONTAINER_ETCHED = 1, CONTAINER_RAISED = 2, CONTAINER_SUNKEN = 4, CONTAINER_SUNKEN2 = 8;
constexpr int SCROLL_BAR_VERTICAL = 1;
constexpr int SLIDER_TICKS = 1, SLIDER_VERTICAL = 2;
constexpr int PROGRESS_BAR_VERTICAL = 1;
constexpr int CANVAS_BORDER = 1, CANVAS_KEYBOARD = 4;

// Column list item state bits.
constexpr int ITEM_SELECTED = 1, ITEM_CHECKED = 2, ITEM_INCONSISTENT = 4;
// Attributes: scroll bar / slider / progress bar.
constexpr int ATTR_MINIMUM = 1, ATTR_MAXIMUM = 2, ATTR_PAGE_LENGTH = 3;
// Attributes: column list (gadget) and its columns (item attribute, item = column).
constexpr int ATTR_COLUMN_COUNT = 3, ATTR_HEADER_CLICKED = 4;
constexpr int ITEM_ATTR_COLUMN_WIDTH = 1, ITEM_ATTR_COLUMN_ALIGN = 5;
// Attributes: text view; entry (1 = maximum length in characters).
constexpr int ATTR_READ_ONLY = 1, ATTR_WORD_WRAP = 2, ATTR_MAX_LENGTH = 1;
// Colour targets.
constexpr int COLOR_TEXT = 1, COLOR_BACKGROUND = 2, COLOR_GRID = 3;
constexpr int COLOR_DEFAULT = -1;
// Font flags.
constexpr int FONT_BOLD = 1, FONT_ITALIC = 2;

// ---- Events -------------------------------------------------------------------------
constexpr int EVENT_NONE = 0;
constexpr int EVENT_MENU = 1;  // menu item or shortcut
constexpr int EVENT_CLOSE = 2;
constexpr int EVENT_GADGET = 3;
constexpr int EVENT_REPAINT = 4;
constexpr int EVENT_MOVED = 5;
constexpr int EVENT_SIZED = 6;
constexpr int EVENT_ACTIVATED = 7;
constexpr int EVENT_DEACTIVATED = 8;
constexpr int EVENT_MINIMIZED = 12;
constexpr int EVENT_MAXIMIZED = 13;
constexpr int EVENT_RESTORED = 14;
constexpr int EVENT_TIMER = 15;
constexpr int EVENT_RIGHT_CLICK = 16;
constexpr int EVENT_LEFT_CLICK = 17;
constexpr int EVENT_DOUBLE_CLICK = 18;
constexpr int EVENT_POINTER_MOTION = 24;

constexpr int SUBTYPE_CLICK = 0;  // also toggle, value change
constexpr int SUBTYPE_RIGHT_CLICK = 1;
constexpr int SUBTYPE_DOUBLE_CLICK = 2;
constexpr int SUBTYPE_RIGHT_DOUBLE_CLICK = 3;
constexpr int SUBTYPE_SPIN_UP = 4;
constexpr int SUBTYPE_SPIN_DOWN = 5;
constexpr int SUBTYPE_HEADER_CLICK = 8;
constexpr int SUBTYPE_FOCUS_IN = 256;
constexpr int SUBTYPE_FOCUS_OUT = 512;
constexpr int SUBTYPE_CHANGE = 768;
constexpr int SUBTYPE_DRAG_START = 2048;

// ---- Keys (GDK key values; letters upper-case) ---------------------------------------
constexpr int KEY_SHIFT = 0x10000, KEY_CTRL = 0x20000, KEY_ALT = 0x40000;
constexpr int KEY_TAB = 65289;
constexpr int KEY_LEFT_TAB = 0xfe20;   // what GDK sends for Shift+Tab
constexpr int KEY_RETURN = 65293;
constexpr int KEY_KP_ENTER = 0xff8d;   // bound together with Return
constexpr int KEY_ESCAPE = 65307;
constexpr int KEY_HOME = 65360;
constexpr int KEY_LEFT = 65361;
constexpr int KEY_UP = 65362;
constexpr int KEY_RIGHT = 65363;
constexpr int KEY_DOWN = 65364;
constexpr int KEY_PAGE_UP = 65365;
constexpr int KEY_PAGE_DOWN = 65366;
constexpr int KEY_END = 65367;
constexpr int KEY_F1 = 65470;
constexpr int KEY_DELETE = 65535;
constexpr int key_ctrl(int key) { return key | KEY_CTRL; }  // key_ctrl('O') = 131151

// ---- Message boxes ---------------------------------------------------------------------
constexpr int MB_OK = 0, MB_YES_NO = 1, MB_YES_NO_CANCEL = 2;
constexpr int MB_ICON_INFORMATION = 4, MB_ICON_ERROR = 8, MB_ICON_WARNING = 16;
// With Yes/No: No is the default button (Return answers No), for questions
// whose Yes would throw work away.
constexpr int MB_DEFAULT_NO = 0x100;
constexpr int MB_ANSWER_CLOSED = 0, MB_ANSWER_CANCEL = 2, MB_ANSWER_YES = 6,
              MB_ANSWER_OK = 6, MB_ANSWER_NO = 7;

// ---- Layer lifetime ------------------------------------------------------------------------
// Initialises X threads, GTK (the arguments go to GTK), menu images and the
// object tables. Returns 0 when no display can be opened.
int gui_init(int* argc, char*** argv);
// Closes every window, frees fonts and images, hands the clipboard text to
// the clipboard store.
void gui_shutdown();

// ---- Windows --------------------------------------------------------------------------------
int window_open(int n, int x, int y, int width, int height, const text_t& title, int flags,
                GtkWidget* parent);
int window_open_no_parent(int n, int x, int y, int width, int height, const text_t& title,
                          int flags);
void window_close(int n);  // -1: every window
int window_exists(int n);
GtkWidget* window_widget(int n);  // the GtkWindow, null when none
int window_width(int n);          // client area
int window_height(int n);
int window_x(int n);
int window_y(int n);
void window_move_resize(int n, int x, int y, int width, int height);
void window_set_size_limits(int n, int min_width, int min_height, int max_width, int max_height);
void window_set_hidden(int n, int state);
int window_get_hidden(int n);
void window_set_disabled(int n, int state);
int window_get_disabled(int n);
void window_activate(int n);
void window_set_icon(int n, GdkPixbuf* image);
text_t window_get_title(int n);

// ---- Gadgets: creation (inside the current parent; non-zero on success) -------------------
int gadget_create_button(int g, int x, int y, int width, int height, const text_t& text);
int gadget_create_entry(int g, int x, int y, int width, int height, const text_t& text);
int gadget_create_entry_ex(int g, int x, int y, int width, int height, const text_t& text, int flags);
int gadget_create_label(int g, int x, int y, int width, int height, const text_t& text);
int gadget_create_label_ex(int g, int x, int y, int width, int height, const text_t& text, int flags);
int gadget_create_checkbox(int g, int x, int y, int width, int height, const text_t& text);
int gadget_create_radio_button(int g, int x, int y, int width, int height, const text_t& text);
int gadget_create_frame(int g, int x, int y, int width, int height, const text_t& text);
int gadget_create_combo_box(int g, int x, int y, int width, int height);
int gadget_create_combo_box_ex(int g, int x, int y, int width, int height, int flags);
int gadget_create_image(int g, int x, int y, int width, int height, GdkPixbuf* image);
int gadget_create_hyperlink(int g, int x, int y, int width, int height, const text_t& text,
                            int hover_color);
int gadget_create_container(int g, int x, int y, int width, int height);
int gadget_create_container_ex(int g, int x, int y, int width, int height, int flags);
int gadget_create_column_list(int g, int x, int y, int width, int height,
                              const text_t& first_title, int first_width);
int gadget_create_column_list_ex(int g, int x, int y, int width, int height,
                                 const text_t& first_title, int first_width, int flags);
int gadget_create_progress_bar(int g, int x, int y, int width, int height, int minimum, int maximum);
int gadget_create_progress_bar_ex(int g, int x, int y, int width, int height, int minimum,
                                  int maximum, int flags);
int gadget_create_scroll_bar(int g, int x, int y, int width, int height, int minimum, int maximum,
                             int page_length, int flags);
int gadget_create_slider(int g, int x, int y, int width, int height, int minimum, int maximum,
                         int flags);
int gadget_create_image_button(int g, int x, int y, int width, int height, GdkPixbuf* image);
int gadget_create_text_view(int g, int x, int y, int width, int height);
int gadget_create_text_view_ex(int g, int x, int y, int width, int height, int flags);
int gadget_create_spin(int g, int x, int y, int width, int height, int minimum, int maximum, int flags);
int gadget_create_tab_panel(int g, int x, int y, int width, int height);
int gadget_create_canvas(int g, int x, int y, int width, int height, int flags);

// ---- Gadgets: parents -----------------------------------------------------------------------
// A new container, or a tab added to a panel, becomes the current parent.
void gadget_parent_push(int panel, int tab);  // tab TAB_PANEL_ITSELF: the panel
void gadget_parent_pop();

// ---- Gadgets: items (list rows, drop-down entries, text-view lines, tabs) ----------------
void gadget_add_column(int g, int position, const text_t& title, int width);
// position -1 appends; a list row's columns are separated by line feeds.
void gadget_add_item(int g, int position, const text_t& text);
void gadget_add_item_image(int g, int position, const text_t& text, GdkPixbuf* image);
// Appends many rows at once (a list is detached from its view while it fills).
void gadget_add_items(int g, const std::vector<text_t>& rows);
void gadget_remove_item(int g, int index);
void gadget_clear_items(int g);
int gadget_count_items(int g);
text_t gadget_get_text(int g);
void gadget_set_text(int g, const text_t& text);
text_t gadget_get_item_text(int g, int item, int column);  // item -1: column titles
void gadget_set_item_text(int g, int item, const text_t& text, int column);
text_t gadget_get_item_text_col0(int g, int item);
void gadget_set_item_text_col0(int g, int item, const text_t& text);
int gadget_get_state(int g);
void gadget_set_state(int g, int state);
int gadget_get_item_state(int g, int item);
void gadget_set_item_state(int g, int item, int state);
int gadget_get_attribute(int g, int attribute);
void gadget_set_attribute(int g, int attribute, int value);
int gadget_get_item_attribute(int g, int item, int attribute);
void gadget_set_item_attribute(int g, int item, int attribute, int value);
void gadget_set_item_image(int g, int item, GdkPixbuf* image);
// The picture of an image gadget or image button.
void gadget_set_image(int g, GdkPixbuf* image);
// Grows with every change of a text view's text: a caller that keeps a copy
// of a large text compares this instead of fetching the text again.
uint64_t gadget_get_text_revision(int g);

// ---- Gadgets: look and geometry ----------------------------------------------------------
int color_rgb(int red, int green, int blue);
void gadget_set_color(int g, int target, int color);  // -1 restores the default
int gadget_get_color(int g, int target);              // -1 when none was set
// item -1: every row; column -1: every column.
void gadget_set_item_color(int g, int item, int target, int color, int column);
void gadget_set_item_color_all_columns(int g, int item, int target, int color);
int gadget_get_item_color(int g, int item, int target, int column);
void gadget_set_font(int g, PangoFontDescription* font);  // g -1: gadgets created from now on
void gadget_set_tooltip(int g, const text_t& text);
void gadget_set_disabled(int g, int state);
int gadget_get_disabled(int g);
void gadget_set_hidden(int g, int state);
int gadget_get_hidden(int g);
int gadget_exists(int g);
int gadget_kind(int g);
int gadget_window(int g);  // the window the gadget lives in, -1 when none
void gadget_set_focus(int g);
int gadget_get_focus();  // in the active window; -1 when none
int gadget_x(int g);
int gadget_y(int g);
int gadget_width(int g);
int gadget_height(int g);
int gadget_width_ex(int g, int mode);   // mode 1: the natural width
int gadget_height_ex(int g, int mode);  // mode 1: the natural height
void gadget_move_resize(int g, int x, int y, int width, int height);
GtkWidget* gadget_widget(int g);  // a text view gives its GtkTextView
// A column list that shows one page of a longer document, with a scroll bar
// of its own beside it: the mouse wheel over the list moves that bar, which
// raises its change event as a drag does. 0 unlinks (the list scrolls itself).
void gadget_set_list_scroll_bar(int list, int scroll_bar);

// ---- Events ----------------------------------------------------------------------------------
// Fetches return the event type (> 0) or 0 / -1 when none was fetched: act on
// an event only when the fetch returned a positive type.
int event_wait();
int event_poll();
int event_wait_timeout(int ms);
int event_get_type();
int event_get_window();
int event_get_gadget();
int event_get_menu_item();
int event_get_timer();
int event_get_subtype();  // -1 after a fetch that found nothing
void event_post(int type, int window, int object);

// Callbacks run inside the GTK signal, with the accessors set to the event;
// they must not start a loop of their own. -1 as window or object: any.
typedef int (*event_callback)();
void event_bind(int type, event_callback callback, int window, int object);
void event_unbind(int type, event_callback callback, int window, int object);
void gadget_bind_event(int g, event_callback callback, int subtype);
void gadget_bind_event_any(int g, event_callback callback);
void gadget_unbind_event(int g, event_callback callback, int subtype);
void gadget_unbind_event_any(int g, event_callback callback);

// ---- Menus -------------------------------------------------------------------------------------
int menu_create_image_bar(int menu, GtkWidget* window);
int menu_create_bar(int menu, GtkWidget* window);
int menu_create_image_popup(int menu);
void menu_add_title(const text_t& text);
void menu_open_submenu_image(const text_t& text, GdkPixbuf* image);
void menu_close_submenu();
// "&" marks the mnemonic, "&&" is one "&"; text after a TAB is the shortcut label.
void menu_add_item_image(int id, const text_t& text, GdkPixbuf* image);
void menu_add_item(int id, const text_t& text);
void menu_add_separator();
void menu_set_item_disabled(int menu, int id, int state);
int menu_get_item_disabled(int menu, int id);  // -1 when no such item
void menu_set_item_text(int menu, int id, const text_t& text);
// The text shown exactly as it stands (file paths): "&" and TAB are characters.
void menu_set_item_plain_text(int menu, int id, const text_t& text);
text_t menu_get_item_text(int menu, int id);
void menu_popup(int menu, GtkWidget* window);
void menu_free(int menu);  // -1: every menu
int menu_bar_height();

// ---- Keyboard shortcuts ------------------------------------------------------------------------
// key: GDK key value (letters upper-case) + KEY_SHIFT / KEY_CTRL / KEY_ALT.
int shortcut_add(int window, int key, int id);
void shortcut_remove(int window, int key);  // key -1: all of the window's

// ---- Status bar ---------------------------------------------------------------------------------
int status_bar_create(int bar, GtkWidget* window);
void status_bar_add_field(int width);  // GUI_KEEP: the remaining width
void status_bar_set_text(int bar, int field, const text_t& text);
text_t status_bar_get_text(int bar, int field);
void status_bar_set_progress(int bar, int field, int value, int flags, int minimum, int maximum);
void status_bar_set_progress_value(int bar, int field, int value, int flags);
int status_bar_get_progress(int bar, int field);  // -1 when the field shows text
int status_bar_height(int bar);

// ---- Timers ---------------------------------------------------------------------------------------
int timer_add(int window, int timer, int interval_ms);
void timer_remove(int window, int timer);  // also drops its queued events

// ---- Child processes ------------------------------------------------------------------------------
// Reaps the child process (common/process.h, program_start_child) and calls
// on_exit with its exit code (128 + the signal when a signal ended it) from
// the main loop, whichever loop is running then.
void process_watch_exit(int64_t pid, std::function<void(int exit_code)> on_exit);

// ---- Requesters --------------------------------------------------------------------------------
// Answers MB_ANSWER_YES (also OK), MB_ANSWER_NO, MB_ANSWER_CANCEL, or 0 when closed.
int message_box(const text_t& title, const text_t& text, int flags);
// pattern: "Name (*.x)|*.x|Other|*.a;*.b"; returns the chosen path or "".
text_t file_dialog_open(const text_t& title, const text_t& default_path, const text_t& pattern,
                        int pattern_index);
text_t file_dialog_save(const text_t& title, const text_t& default_path, const text_t& pattern,
                        int pattern_index);
int font_dialog(const text_t& name, int size, int flags);  // 1 when OK was pressed
text_t font_dialog_chosen_name();
int font_dialog_chosen_size();
int font_dialog_chosen_style();  // FONT_BOLD | FONT_ITALIC

// ---- Clipboard -------------------------------------------------------------------------------------
void clipboard_set_text(const text_t& text);
text_t clipboard_get_text();

// ---- Fonts and images --------------------------------------------------------------------------
int font_load(int n, const text_t& family, int size, int flags);
PangoFontDescription* font_description(int n);
void font_free(int n);
int image_load_from_memory(int n, const unsigned char* data, size_t size);  // PNG or BMP
int image_load_file(int n, const text_t& path);
GdkPixbuf* image_pixbuf(int n);
int image_width(int n);
int image_height(int n);
int image_exists(int n);
void image_free(int n);

// ---- Drawing on a canvas ------------------------------------------------------------------------
constexpr int DRAWING_SOLID = 0, DRAWING_GRADIENT = 64;
int64_t drawing_canvas_output(int canvas);  // -1 when not a canvas
int drawing_start(int64_t output);
void drawing_set_mode(int mode);
void drawing_set_front_color(int color);
void drawing_set_back_color(int color);
void drawing_conic_gradient(double x, double y, double angle_degrees);
void drawing_add_gradient_color(int color, double position);
void drawing_circle(int x, int y, int radius, int color);
// A filled pie sector of the circle at (x, y): from start to end, fractions of
// the full turn counted clockwise from 3 o'clock (0.25 is 6 o'clock).
void drawing_sector(int x, int y, int radius, double start, double end, int color);
// A filled rectangle.
void drawing_box(int x, int y, int width, int height, int color);
void drawing_text(int x, int y, const text_t& text, int front_color, int back_color);
void drawing_stop();
// The colour of a canvas pixel as red + green * 256 + blue * 65536, -1 outside.
int drawing_canvas_pixel(int canvas, int x, int y);
