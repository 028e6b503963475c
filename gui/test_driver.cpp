// The GUI test driver: steps run from a GLib source of the default main
// context, against real GTK widgets, with real key and button events.
#include "gui/test_driver.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>

#include "gui/gui_internal.h"

namespace gui_test {
namespace {

using gui::find_gadget;
using gui::find_window;
using gui::gadget_rec;
using gui::requester_info;

constexpr int TICK_MS = 10;
// Long jobs under the sanitizers may run a while after the last step.
constexpr gint64 IDLE_AFTER_LAST_STEP_MS = 120 * 1000;
constexpr gint64 UNWIND_LIMIT_MS = 60 * 1000;

// Every deadline, limit and wait of the driver in microseconds, times the
// factor in VOCABRIX_TEST_DEADLINE_SCALE (1 when unset or not a positive
// number): a slower machine or build stretches them all at once.
double deadline_scale() {
  static const double scale = [] {
    const char* v = g_getenv("VOCABRIX_TEST_DEADLINE_SCALE");
    double d = v ? g_ascii_strtod(v, nullptr) : 1.0;
    return d > 0 && d < 1e6 ? d : 1.0;
  }();
  return scale;
}

gint64 scaled_us(gint64 ms) { return gint64(double(ms) * 1000 * deadline_scale()); }

constexpr int RETRY = 0, DONE = 1, FAILED = -1;

struct step {
  std::string what;
  int deadline_ms;
  int answers;  // requester kind this step answers, 0 none
  std::function<int(std::string&)> act;
  // X input: whether its xdotool has been started (the input is on its way).
  std::function<bool()> sent;
};

std::deque<step> steps;
gint64 step_started = 0;
gint64 last_step_done = 0;
bool armed = false;
bool script_failed = false;
bool unwinding = false;
gint64 unwind_started = 0;
gint64 last_close_post = 0;
bool in_tick = false;
guint tick_source = 0;
std::vector<requester_record> log;
// A file chooser answered but still checking the name, or a message box
// closed but not yet gone: nothing else runs until it closes.
GtkWidget* closing_dialog = nullptr;
gint64 closing_since = 0;
std::vector<std::string> temp_folders;

const char* kind_name(int kind) {
  switch (kind) {
    case REQUESTER_MESSAGE_BOX: return "message box";
    case REQUESTER_FILE_OPEN: return "open requester";
    case REQUESTER_FILE_SAVE: return "save requester";
    case REQUESTER_FONT: return "font requester";
    default: return "window";
  }
}

void start_unwinding() {
  closing_dialog = nullptr;
  steps.clear();
  step_started = 0;
  unwinding = true;
  armed = false;
  unwind_started = g_get_monotonic_time();
  last_close_post = 0;
}

void fail(const std::string& why) {
  std::string report = why + "\n" + open_windows_report();
  ADD_FAILURE() << report;
  script_failed = true;
  start_unwinding();
}

void queue(std::string what, int deadline_ms, std::function<int(std::string&)> act, int answers = 0) {
  steps.push_back({std::move(what), deadline_ms, answers, std::move(act), nullptr});
  armed = true;
  last_step_done = g_get_monotonic_time();
}

// Closes requesters without an answer and asks every window to close, so
// that the code under test returns after a failure.
void unwind_tick(gint64 now) {
  for (requester_info* r : gui::open_requesters) {
    if (r->dialog && gtk_widget_get_visible(r->dialog))
      gtk_dialog_response(GTK_DIALOG(r->dialog), GTK_RESPONSE_DELETE_EVENT);
  }
  if (now - last_close_post > 200 * 1000) {
    last_close_post = now;
    for (auto& [n, w] : gui::windows) event_post(EVENT_CLOSE, n, 0);
  }
  if (now - unwind_started > scaled_us(UNWIND_LIMIT_MS)) {
    fprintf(stderr, "GUI test driver: the code under test did not return after a failure.\n%s\n",
            open_windows_report().c_str());
    fflush(stderr);
    std::abort();
  }
}

bool answers_kind(const step& s, int kind) {
  if (s.answers == kind) return true;
  return s.answers == REQUESTER_FILE_OPEN && kind == REQUESTER_FILE_SAVE;
}

gboolean tick(gpointer) {
  if (in_tick) return G_SOURCE_CONTINUE;
  in_tick = true;
  gint64 now = g_get_monotonic_time();
  if (unwinding) {
    unwind_tick(now);
    in_tick = false;
    return G_SOURCE_CONTINUE;
  }
  requester_info* open = gui::open_requesters.empty() ? nullptr : gui::open_requesters.back();
  if (closing_dialog) {
    bool still_open = false;
    for (requester_info* r : gui::open_requesters) still_open |= r->dialog == closing_dialog;
    if (!still_open) {
      closing_dialog = nullptr;
    } else if (now - closing_since > scaled_us(DEFAULT_DEADLINE_MS)) {
      closing_dialog = nullptr;
      fail("an answered requester did not close");
      unwind_tick(now);
      in_tick = false;
      return G_SOURCE_CONTINUE;
    } else {
      in_tick = false;
      return G_SOURCE_CONTINUE;
    }
  }
  if (open && (steps.empty() || !answers_kind(steps.front(), open->kind))) {
    std::string what = std::string("unexpected ") + kind_name(open->kind) + " \"" + to_utf8(open->title) + "\"";
    if (!open->text.empty()) what += ": \"" + to_utf8(open->text) + "\"";
    if (!steps.empty()) what += " while waiting for: " + steps.front().what;
    fail(what);
    unwind_tick(now);
    in_tick = false;
    return G_SOURCE_CONTINUE;
  }
  if (steps.empty()) {
    if (armed && now - last_step_done > scaled_us(IDLE_AFTER_LAST_STEP_MS)) {
      fail("every step was done, but the code under test did not return");
    }
    in_tick = false;
    return G_SOURCE_CONTINUE;
  }
  step& s = steps.front();
  if (step_started == 0) step_started = now;
  std::string why;
  int r = s.act(why);
  if (r == DONE) {
    steps.pop_front();
    step_started = 0;
    last_step_done = now;
  } else if (r == FAILED) {
    fail("step failed: " + s.what + (why.empty() ? "" : " (" + why + ")"));
  } else if (now - step_started > scaled_us(s.deadline_ms)) {
    fail("step missed its deadline of " + std::to_string(scaled_us(s.deadline_ms) / 1000) + " ms: " + s.what +
         (why.empty() ? "" : " (" + why + ")"));
  }
  in_tick = false;
  return G_SOURCE_CONTINUE;
}

void ensure_tick() {
  if (!tick_source) tick_source = g_timeout_add(TICK_MS, tick, nullptr);
}

// ---- Widget helpers -------------------------------------------------------------------------
bool usable(gadget_rec* r, std::string& why) {
  if (!r) {
    why = "no such gadget";
    return false;
  }
  gui::window_rec* w = find_window(r->window);
  if (!w || w->hidden || !gtk_widget_get_visible(w->window)) {
    why = "its window is not shown";
    return false;
  }
  if (!gtk_widget_is_visible(r->outer)) {
    why = "the gadget is hidden";
    return false;
  }
  if (!gtk_widget_is_sensitive(r->outer)) {
    why = "the gadget is disabled";
    return false;
  }
  if (w->disabled) {
    why = "its window is disabled";
    return false;
  }
  return true;
}

GdkDevice* keyboard_device() {
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  return seat ? gdk_seat_get_keyboard(seat) : nullptr;
}

GdkDevice* pointer_device() {
  GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
  return seat ? gdk_seat_get_pointer(seat) : nullptr;
}

void send_key_event(GtkWidget* toplevel, GdkEventType type, guint keyval, guint state) {
  GdkWindow* gw = gtk_widget_get_window(toplevel);
  if (!gw) return;
  GdkEvent* ev = gdk_event_new(type);
  ev->key.window = GDK_WINDOW(g_object_ref(gw));
  ev->key.send_event = FALSE;
  ev->key.time = GDK_CURRENT_TIME;
  ev->key.state = state;
  ev->key.keyval = keyval;
  gunichar ch = gdk_keyval_to_unicode(keyval);
  char buf[8] = {0};
  if (ch >= 0x20) g_unichar_to_utf8(ch, buf);
  ev->key.string = g_strdup(buf);
  ev->key.length = (gint)strlen(buf);
  GdkKeymapKey* keys = nullptr;
  gint n = 0;
  if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(gdk_window_get_display(gw)), keyval, &keys, &n) &&
      n > 0) {
    ev->key.hardware_keycode = (guint16)keys[0].keycode;
    ev->key.group = (guint8)keys[0].group;
  }
  g_free(keys);
  if (GdkDevice* d = keyboard_device()) gdk_event_set_device(ev, d);
  gui::dispatch_gdk_event(ev, nullptr);
  gdk_event_free(ev);
}

// A key as the layer numbers it, turned into what GDK would deliver.
void press(GtkWidget* toplevel, int key) {
  guint state = 0;
  if (key & KEY_SHIFT) state |= GDK_SHIFT_MASK;
  if (key & KEY_CTRL) state |= GDK_CONTROL_MASK;
  if (key & KEY_ALT) state |= GDK_MOD1_MASK;
  guint kv = guint(key & 0xffff);
  if (kv == KEY_TAB && (key & KEY_SHIFT)) kv = GDK_KEY_ISO_Left_Tab;
  else if (kv < 0x100 && g_ascii_isalpha((char)kv))
    kv = (key & KEY_SHIFT) ? gdk_keyval_to_upper(kv) : gdk_keyval_to_lower(kv);
  send_key_event(toplevel, GDK_KEY_PRESS, kv, state);
  send_key_event(toplevel, GDK_KEY_RELEASE, kv, state);
}

void type_char(GtkWidget* toplevel, char16_t c) {
  guint kv;
  if (c == u'\n') kv = GDK_KEY_Return;
  else if (c == u'\t') kv = GDK_KEY_Tab;
  else kv = gdk_unicode_to_keyval(c);
  guint state = 0;
  if (c < 0x80 && g_ascii_isupper((char)c)) state |= GDK_SHIFT_MASK;
  send_key_event(toplevel, GDK_KEY_PRESS, kv, state);
  send_key_event(toplevel, GDK_KEY_RELEASE, kv, state);
}

GtkWidget* focus_widget(gadget_rec& r) {
  if (r.kind == GADGET_SPIN) return r.inner;
  if (r.kind == GADGET_COMBO_BOX && (r.flags & COMBO_EDITABLE)) return gtk_bin_get_child(GTK_BIN(r.widget));
  return r.widget;
}

void give_focus(gadget_rec& r) {
  gui::window_rec* w = find_window(r.window);
  if (w && !gtk_window_is_active(GTK_WINDOW(w->window))) gtk_window_present(GTK_WINDOW(w->window));
  GtkWidget* f = focus_widget(r);
  if (!gtk_widget_has_focus(f)) gtk_widget_grab_focus(f);
}

void send_button(GtkWidget* widget, GdkWindow* gw, double x, double y, int button, GdkEventType type) {
  GdkEvent* ev = gdk_event_new(type);
  ev->button.window = GDK_WINDOW(g_object_ref(gw));
  ev->button.send_event = FALSE;
  ev->button.time = GDK_CURRENT_TIME;
  ev->button.x = x;
  ev->button.y = y;
  ev->button.button = (guint)button;
  ev->button.state = 0;
  if (GdkDevice* d = pointer_device()) gdk_event_set_device(ev, d);
  if (widget) {
    gboolean handled = FALSE;
    const char* sig = type == GDK_BUTTON_RELEASE ? "button-release-event" : "button-press-event";
    g_signal_emit_by_name(widget, sig, ev, &handled);
  } else {
    gtk_main_do_event(ev);
  }
  gdk_event_free(ev);
}

// Wheel clicks: real scroll events in the middle of a GDK window.
void send_wheel(GdkWindow* gw, int clicks) {
  for (int k = 0; k < std::abs(clicks); ++k) {
    GdkEvent* ev = gdk_event_new(GDK_SCROLL);
    ev->scroll.window = GDK_WINDOW(g_object_ref(gw));
    ev->scroll.send_event = FALSE;
    ev->scroll.time = GDK_CURRENT_TIME;
    ev->scroll.x = gdk_window_get_width(gw) / 2.0;
    ev->scroll.y = gdk_window_get_height(gw) / 2.0;
    ev->scroll.direction = clicks > 0 ? GDK_SCROLL_DOWN : GDK_SCROLL_UP;
    if (GdkDevice* d = pointer_device()) gdk_event_set_device(ev, d);
    gtk_main_do_event(ev);
    gdk_event_free(ev);
  }
}

// The usable column list of a step whose tree view is realized (mapped:
// shown on the screen too), or null with the step's status and reason.
gadget_rec* list_for_step(int list, bool mapped, int& status, std::string& why) {
  gadget_rec* r = find_gadget(list);
  status = RETRY;
  if (!usable(r, why)) return nullptr;
  if (r->kind != GADGET_COLUMN_LIST) {
    why = "not a column list";
    status = FAILED;
    return nullptr;
  }
  GtkWidget* v = GTK_WIDGET(gui::list_view(*r));
  if (mapped ? !gtk_widget_get_mapped(v) : !gtk_widget_get_realized(v)) {
    why = mapped ? "the list is not shown" : "the list is not realized";
    return nullptr;
  }
  return r;
}

// A click of a row: real button events on the tree view's row area.
int click_row(int list, int row, int button, bool twice, std::string& why) {
  int status = RETRY;
  gadget_rec* r = list_for_step(list, false, status, why);
  if (!r) return status;
  GtkTreeView* v = gui::list_view(*r);
  GdkWindow* bin = gtk_tree_view_get_bin_window(v);
  int height = gdk_window_get_height(bin);
  double x = 4, y;
  if (row < 0) {
    // Below the last row.
    int n = gui::list_count(*r);
    GdkRectangle rect{0, 0, 0, 0};
    if (n > 0) {
      GtkTreePath* p = gtk_tree_path_new_from_indices(n - 1, -1);
      gtk_tree_view_get_background_area(v, p, nullptr, &rect);
      gtk_tree_path_free(p);
    }
    y = rect.y + rect.height + 2;
    if (y >= height) {
      why = "the list has no free space below its rows";
      return FAILED;
    }
  } else {
    if (row >= gui::list_count(*r)) {
      why = "no such row";
      return RETRY;
    }
    GtkTreePath* p = gtk_tree_path_new_from_indices(row, -1);
    GdkRectangle rect;
    gtk_tree_view_get_background_area(v, p, nullptr, &rect);
    if (rect.y < 0 || rect.y + rect.height > height || rect.height <= 0) {
      gtk_tree_view_scroll_to_cell(v, p, nullptr, FALSE, 0, 0);
      gtk_tree_path_free(p);
      why = "the row is not in view yet";
      return RETRY;
    }
    gtk_tree_path_free(p);
    y = rect.y + rect.height / 2.0;
    if (!r->columns.empty()) {
      GdkRectangle cell;
      GtkTreePath* p2 = gtk_tree_path_new_from_indices(row, -1);
      gtk_tree_view_get_cell_area(v, p2, r->columns.back().column, &cell);
      gtk_tree_path_free(p2);
      x = cell.x + cell.width / 2.0;  // the text of the last column, away from the check box
      if (x <= 0) x = 4;
    }
  }
  send_button(nullptr, bin, x, y, button, GDK_BUTTON_PRESS);
  send_button(nullptr, bin, x, y, button, GDK_BUTTON_RELEASE);
  if (twice) {
    send_button(nullptr, bin, x, y, button, GDK_BUTTON_PRESS);
    send_button(nullptr, bin, x, y, button, GDK_2BUTTON_PRESS);
    send_button(nullptr, bin, x, y, button, GDK_BUTTON_RELEASE);
  }
  return DONE;
}

int click_image(int g, int button, bool twice, std::string& why) {
  gadget_rec* r = find_gadget(g);
  if (!usable(r, why)) return RETRY;
  GtkWidget* target = r->kind == GADGET_CANVAS ? r->widget : r->outer;
  GdkWindow* gw = gtk_widget_get_window(target);
  if (!gw) {
    why = "not realized";
    return RETRY;
  }
  send_button(target, gw, 2, 2, button, GDK_BUTTON_PRESS);
  if (twice) send_button(target, gw, 2, 2, button, GDK_2BUTTON_PRESS);
  send_button(target, gw, 2, 2, button, GDK_BUTTON_RELEASE);
  return DONE;
}

requester_info* open_requester(int kind) {
  for (auto it = gui::open_requesters.rbegin(); it != gui::open_requesters.rend(); ++it)
    if ((*it)->kind == kind && (*it)->dialog && gtk_widget_get_visible((*it)->dialog)) return *it;
  return nullptr;
}

requester_info* open_file_requester() {
  requester_info* r = open_requester(REQUESTER_FILE_OPEN);
  return r ? r : open_requester(REQUESTER_FILE_SAVE);
}

// The open file requester for a step, or null with the reason.
requester_info* file_requester_for_step(std::string& why) {
  requester_info* r = open_file_requester();
  if (!r) why = "no file requester appeared";
  return r;
}

bool press_response(GtkWidget* dialog, int response, std::string& why) {
  GtkWidget* b = gtk_dialog_get_widget_for_response(GTK_DIALOG(dialog), response);
  if (!b) {
    why = "the dialog has no such button";
    return false;
  }
  if (!gtk_widget_is_sensitive(b)) {
    why = "the button is disabled";
    return false;
  }
  gtk_button_clicked(GTK_BUTTON(b));
  return true;
}

std::string quote(const text_t& t) { return "\"" + to_utf8(t) + "\""; }

}  // namespace

// ---- Waiting ---------------------------------------------------------------------------------

void wait_window(int window, int deadline_ms) {
  queue("window " + std::to_string(window) + " shown", deadline_ms, [=](std::string&) {
    gui::window_rec* w = find_window(window);
    return w && !w->hidden && gtk_widget_get_visible(w->window) ? DONE : RETRY;
  });
}

void wait_window_closed(int window, int deadline_ms) {
  queue("window " + std::to_string(window) + " closed", deadline_ms,
        [=](std::string&) { return find_window(window) ? RETRY : DONE; });
}

// Waits until read() shows text (or holds it, with contains).
static void wait_text(const std::string& what, std::function<text_t()> read, const text_t& text, bool contains,
                      int deadline_ms) {
  queue(what + (contains ? " holding " : " showing ") + quote(text), deadline_ms, [=](std::string& why) {
    text_t now = read();
    why = "it shows " + quote(now);
    return (contains ? now.find(text) != text_t::npos : now == text) ? DONE : RETRY;
  });
}

void wait_status_text(int bar, int field, const text_t& text, bool contains, int deadline_ms) {
  wait_text("status bar " + std::to_string(bar) + " field " + std::to_string(field),
            [=] { return status_bar_get_text(bar, field); }, text, contains, deadline_ms);
}

void wait_gadget_text(int gadget, const text_t& text, bool contains, int deadline_ms) {
  wait_text("gadget " + std::to_string(gadget), [=] { return gadget_get_text(gadget); }, text, contains,
            deadline_ms);
}

void wait_until(std::function<bool()> condition, const std::string& what, int deadline_ms) {
  queue(what, deadline_ms, [condition](std::string&) { return condition() ? DONE : RETRY; });
}

void run(std::function<void()> action, const std::string& what) {
  queue(what, DEFAULT_DEADLINE_MS, [action](std::string&) {
    action();
    return DONE;
  });
}

// ---- Acting ----------------------------------------------------------------------------------------

void click(int gadget) {
  queue("click gadget " + std::to_string(gadget), DEFAULT_DEADLINE_MS, [=](std::string& why) {
    gadget_rec* r = find_gadget(gadget);
    if (!usable(r, why)) return RETRY;
    switch (r->kind) {
      case GADGET_BUTTON:
      case GADGET_IMAGE_BUTTON:
      case GADGET_CHECKBOX:
      case GADGET_RADIO_BUTTON: gtk_button_clicked(GTK_BUTTON(r->widget)); return DONE;
      case GADGET_IMAGE:
      case GADGET_CANVAS:
      case GADGET_HYPERLINK: return click_image(gadget, 1, false, why);
      default: why = "this kind cannot be clicked"; return FAILED;
    }
  });
}

void double_click(int gadget) {
  queue("double click gadget " + std::to_string(gadget), DEFAULT_DEADLINE_MS,
        [=](std::string& why) { return click_image(gadget, 1, true, why); });
}

void right_click(int gadget) {
  queue("right click gadget " + std::to_string(gadget), DEFAULT_DEADLINE_MS,
        [=](std::string& why) { return click_image(gadget, 3, false, why); });
}

void toggle(int gadget) {
  queue("toggle gadget " + std::to_string(gadget), DEFAULT_DEADLINE_MS, [=](std::string& why) {
    gadget_rec* r = find_gadget(gadget);
    if (!usable(r, why)) return RETRY;
    if (r->kind != GADGET_CHECKBOX && r->kind != GADGET_RADIO_BUTTON) {
      why = "not a check box or option button";
      return FAILED;
    }
    gtk_button_clicked(GTK_BUTTON(r->widget));
    return DONE;
  });
}

void focus(int gadget) {
  queue("focus gadget " + std::to_string(gadget), DEFAULT_DEADLINE_MS, [=](std::string& why) {
    gadget_rec* r = find_gadget(gadget);
    if (!usable(r, why)) return RETRY;
    give_focus(*r);
    return DONE;
  });
}

static void typing(int gadget, const text_t& text, bool replace) {
  queue((replace ? "replace the text of gadget " : "type into gadget ") + std::to_string(gadget) + ": " + quote(text),
        DEFAULT_DEADLINE_MS, [=](std::string& why) {
          gadget_rec* r = find_gadget(gadget);
          if (!usable(r, why)) return RETRY;
          GtkWidget* target = focus_widget(*r);
          if (!GTK_IS_ENTRY(target) && !GTK_IS_TEXT_VIEW(target)) {
            why = "not an entry or text view";
            return FAILED;
          }
          bool had_focus = gtk_widget_has_focus(target);
          give_focus(*r);
          if (!gtk_widget_has_focus(target)) {
            why = "the gadget does not take the focus";
            return RETRY;
          }
          // Focusing an entry selects its text; typing goes to the end, as
          // after a click behind the text.
          if (!had_focus && GTK_IS_ENTRY(target)) gtk_editable_set_position(GTK_EDITABLE(target), -1);
          if (replace) {
            if (GTK_IS_ENTRY(target)) {
              gtk_editable_select_region(GTK_EDITABLE(target), 0, -1);
            } else {
              GtkTextBuffer* b = gtk_text_view_get_buffer(GTK_TEXT_VIEW(target));
              GtkTextIter a, z;
              gtk_text_buffer_get_bounds(b, &a, &z);
              gtk_text_buffer_select_range(b, &a, &z);
            }
            if (text.empty()) press(gtk_widget_get_toplevel(target), KEY_DELETE);
          }
          GtkWidget* top = gtk_widget_get_toplevel(target);
          for (char16_t c : text) type_char(top, c);
          return DONE;
        });
}

void type_text(int gadget, const text_t& text) { typing(gadget, text, false); }
void replace_text(int gadget, const text_t& text) { typing(gadget, text, true); }

void select_row(int list, int row) {
  queue("select row " + std::to_string(row) + " of list " + std::to_string(list), DEFAULT_DEADLINE_MS,
        [=](std::string& why) { return click_row(list, row, 1, false, why); });
}

void double_click_row(int list, int row) {
  queue("double click row " + std::to_string(row) + " of list " + std::to_string(list), DEFAULT_DEADLINE_MS,
        [=](std::string& why) { return click_row(list, row, 1, true, why); });
}

void right_click_row(int list, int row) {
  queue("right click row " + std::to_string(row) + " of list " + std::to_string(list), DEFAULT_DEADLINE_MS,
        [=](std::string& why) { return click_row(list, row, 3, false, why); });
}

void click_below_rows(int list) {
  queue("click below the rows of list " + std::to_string(list), DEFAULT_DEADLINE_MS,
        [=](std::string& why) { return click_row(list, -1, 1, false, why); });
}

void toggle_row_check(int list, int row) {
  queue("toggle the check box of row " + std::to_string(row) + " of list " + std::to_string(list),
        DEFAULT_DEADLINE_MS, [=](std::string& why) {
          gadget_rec* r = find_gadget(list);
          if (!usable(r, why)) return RETRY;
          if (r->kind != GADGET_COLUMN_LIST || !r->toggle) {
            why = "not a list with check boxes";
            return FAILED;
          }
          if (row < 0 || row >= gui::list_count(*r)) {
            why = "no such row";
            return RETRY;
          }
          gui::list_view(*r);
          std::string path = std::to_string(row);
          g_signal_emit_by_name(r->toggle, "toggled", path.c_str());
          return DONE;
        });
}

void click_header(int list, int column) {
  queue("click header " + std::to_string(column) + " of list " + std::to_string(list), DEFAULT_DEADLINE_MS,
        [=](std::string& why) {
          gadget_rec* r = find_gadget(list);
          if (!usable(r, why)) return RETRY;
          if (r->kind != GADGET_COLUMN_LIST || column < 0 || column >= (int)r->columns.size()) {
            why = "no such column";
            return FAILED;
          }
          gtk_tree_view_column_clicked(r->columns[column].column);
          return DONE;
        });
}

void select_tab(int panel, int tab) {
  queue("select tab " + std::to_string(tab) + " of panel " + std::to_string(panel), DEFAULT_DEADLINE_MS,
        [=](std::string& why) {
          gadget_rec* r = find_gadget(panel);
          if (!usable(r, why)) return RETRY;
          if (r->kind != GADGET_TAB_PANEL || tab < 0 || tab >= (int)r->tabs.size()) {
            why = "no such tab";
            return FAILED;
          }
          gtk_notebook_set_current_page(GTK_NOTEBOOK(r->widget), tab);
          return DONE;
        });
}

void select_combo(int combo, int index) {
  queue("select entry " + std::to_string(index) + " of drop-down " + std::to_string(combo), DEFAULT_DEADLINE_MS,
        [=](std::string& why) {
          gadget_rec* r = find_gadget(combo);
          if (!usable(r, why)) return RETRY;
          if (r->kind != GADGET_COMBO_BOX || index < 0 || index >= gadget_count_items(combo)) {
            why = "no such entry";
            return FAILED;
          }
          gtk_combo_box_set_active(GTK_COMBO_BOX(r->widget), index);
          return DONE;
        });
}

void set_value(int gadget, int value) {
  queue("set the value of gadget " + std::to_string(gadget) + " to " + std::to_string(value), DEFAULT_DEADLINE_MS,
        [=](std::string& why) {
          gadget_rec* r = find_gadget(gadget);
          if (!usable(r, why)) return RETRY;
          if (r->kind == GADGET_SCROLL_BAR || r->kind == GADGET_SLIDER) {
            gtk_adjustment_set_value(gtk_range_get_adjustment(GTK_RANGE(r->widget)), value);
            return DONE;
          }
          if (r->kind == GADGET_SPIN) {
            give_focus(*r);
            gtk_editable_select_region(GTK_EDITABLE(r->inner), 0, -1);
            GtkWidget* top = gtk_widget_get_toplevel(r->inner);
            for (char16_t c : from_utf8(std::to_string(value))) type_char(top, c);
            return DONE;
          }
          why = "not a scroll bar, slider or spin";
          return FAILED;
        });
}

void scroll_wheel(int gadget, int clicks) {
  queue("turn the wheel " + std::to_string(clicks) + " clicks over gadget " + std::to_string(gadget),
        DEFAULT_DEADLINE_MS, [=](std::string& why) {
          gadget_rec* r = find_gadget(gadget);
          if (!usable(r, why)) return RETRY;
          GdkWindow* gw = r->kind == GADGET_COLUMN_LIST ? gtk_tree_view_get_bin_window(gui::list_view(*r))
                                                        : gtk_widget_get_window(r->widget);
          if (!gw || !gtk_widget_get_realized(r->widget)) {
            why = "not realized";
            return RETRY;
          }
          send_wheel(gw, clicks);
          return DONE;
        });
}

void choose_menu_item(int id) {
  queue("choose menu item " + std::to_string(id), DEFAULT_DEADLINE_MS, [=](std::string& why) {
    gui::menu_rec* owner = nullptr;
    gui::menu_item_rec* item = gui::find_menu_item_anywhere(id, &owner);
    if (!item) {
      why = "no such item";
      return RETRY;
    }
    // Prefer the popup that is shown, when the id is in several menus.
    for (auto& [n, m] : gui::menus)
      if (m->popup && gtk_widget_get_visible(m->shell))
        for (auto& i : m->items)
          if (i.id == id) {
            owner = m.get();
            item = &i;
          }
    if (owner->popup && !gtk_widget_get_visible(owner->shell)) {
      why = "its popup menu is not shown";
      return RETRY;
    }
    if (item->disabled) {
      why = "the item is disabled";
      return RETRY;
    }
    gui::window_rec* w = find_window(owner->window);
    if (!owner->popup && (!w || w->disabled || !gtk_widget_is_sensitive(owner->shell))) {
      why = "its window is disabled";
      return RETRY;
    }
    gtk_menu_item_activate(GTK_MENU_ITEM(item->item));
    if (owner->popup) gtk_menu_shell_deactivate(GTK_MENU_SHELL(owner->shell));
    return DONE;
  });
}

void press_key(int window, int key) {
  queue("press key " + std::to_string(key) + " in window " + std::to_string(window), DEFAULT_DEADLINE_MS,
        [=](std::string& why) {
          gui::window_rec* w = find_window(window);
          if (!w || w->hidden || !gtk_widget_get_realized(w->window)) {
            why = "the window is not shown";
            return RETRY;
          }
          press(w->window, key);
          return DONE;
        });
}

void close_window(int window) {
  queue("close window " + std::to_string(window), DEFAULT_DEADLINE_MS, [=](std::string& why) {
    gui::window_rec* w = find_window(window);
    if (!w || w->hidden) {
      why = "the window is not shown";
      return RETRY;
    }
    gtk_window_close(GTK_WINDOW(w->window));
    return DONE;
  });
}

// ---- Requesters ----------------------------------------------------------------------------------

void answer_message_box(int answer, int deadline_ms) {
  queue("answer a message box with " + std::to_string(answer), deadline_ms,
        [=](std::string& why) {
          requester_info* r = open_requester(REQUESTER_MESSAGE_BOX);
          if (!r) {
            why = "no message box appeared";
            return RETRY;
          }
          requester_record rec;
          rec.kind = REQUESTER_MESSAGE_BOX;
          rec.title = r->title;
          rec.text = r->text;
          rec.flags = r->flags;
          rec.icon = r->icon;
          rec.default_answer = r->default_answer;
          rec.answer = answer;
          if (answer == MB_ANSWER_CLOSED) {
            // The close is an event of its own: until it has run, the box is
            // still open and must not count as unexpected.
            gtk_window_close(GTK_WINDOW(r->dialog));
            closing_dialog = r->dialog;
            closing_since = g_get_monotonic_time();
          } else {
            int buttons = r->flags & 3;
            int response = answer == MB_ANSWER_NO       ? GTK_RESPONSE_NO
                           : answer == MB_ANSWER_CANCEL ? GTK_RESPONSE_CANCEL
                           : buttons ? GTK_RESPONSE_YES : GTK_RESPONSE_OK;
            if (!press_response(r->dialog, response, why)) {
              why += " for the box " + quote(r->title) + ": " + quote(r->text);
              return FAILED;
            }
          }
          log.push_back(rec);
          return DONE;
        },
        REQUESTER_MESSAGE_BOX);
}

void answer_file_dialog(const text_t& path, int deadline_ms) {
  auto act = [=](std::string& why) {
    requester_info* r = file_requester_for_step(why);
    if (!r) return RETRY;
    GtkFileChooser* c = GTK_FILE_CHOOSER(r->dialog);
    requester_record rec;
    rec.kind = r->kind;
    rec.title = r->title;
    rec.filter_names = r->filter_names;
    rec.filter_patterns = r->filter_patterns;
    GtkFileFilter* f = gtk_file_chooser_get_filter(c);
    for (size_t i = 0; i < r->filters.size(); ++i)
      if (r->filters[i] == f) rec.selected_filter = (int)i;
    rec.path = path;
    if (path.empty()) {
      if (!press_response(r->dialog, GTK_RESPONSE_CANCEL, why)) return FAILED;
      log.push_back(rec);
      return DONE;
    }
    std::string p = to_utf8(path);
    if (r->kind != REQUESTER_FILE_SAVE && !g_file_test(p.c_str(), G_FILE_TEST_EXISTS)) {
      why = "the file to open does not exist: " + p;
      return FAILED;
    }
    // Shown in the real chooser, but handed over directly: the chooser
    // loads folders asynchronously and may not show it yet.
    if (r->kind == REQUESTER_FILE_SAVE) {
      gchar* dir = g_path_get_dirname(p.c_str());
      gchar* base = g_path_get_basename(p.c_str());
      gtk_file_chooser_set_current_folder(c, dir);
      gtk_file_chooser_set_current_name(c, base);
      g_free(dir);
      g_free(base);
    } else {
      gtk_file_chooser_set_filename(c, p.c_str());
    }
    r->has_answer = true;
    r->answer_path = p;
    gtk_dialog_response(GTK_DIALOG(r->dialog), gui::DRIVER_ANSWER_RESPONSE);
    closing_dialog = r->dialog;
    closing_since = g_get_monotonic_time();
    log.push_back(rec);
    return DONE;
  };
  queue("answer a file requester with " + quote(path), deadline_ms, act, REQUESTER_FILE_OPEN);
}

namespace {
GtkWidget* held_chooser = nullptr;
GtkWidget* held_dialog = nullptr;  // not referenced: only compared

gboolean release_held_chooser(gpointer) {
  bool open = false;
  for (requester_info* r : gui::open_requesters) open |= r->dialog == held_dialog;
  if (open || gui::file_chooser_timer_pending(held_chooser)) return G_SOURCE_CONTINUE;
  g_object_unref(held_chooser);
  held_chooser = nullptr;
  return G_SOURCE_REMOVE;
}
}  // namespace

void hold_file_requester_after_close() {
  auto act = [](std::string& why) {
    requester_info* r = file_requester_for_step(why);
    if (!r) return RETRY;
    if (held_chooser) {
      why = "a file requester is held already";
      return FAILED;
    }
    held_chooser = gui::file_chooser_widget_in(r->dialog);
    if (!held_chooser) {
      why = "no file chooser inside the requester";
      return FAILED;
    }
    g_object_ref(held_chooser);
    held_dialog = r->dialog;
    g_timeout_add(TICK_MS, release_held_chooser, nullptr);
    return DONE;
  };
  queue("hold the file requester", DEFAULT_DEADLINE_MS, act, REQUESTER_FILE_OPEN);
}

bool file_requester_held() { return held_chooser != nullptr; }

void press_file_requester_key(int key) {
  auto act = [=](std::string& why) {
    requester_info* r = file_requester_for_step(why);
    if (!r || !gtk_widget_get_realized(r->dialog)) return RETRY;
    press(r->dialog, key);
    return DONE;
  };
  queue("press key " + std::to_string(key) + " in the file requester", DEFAULT_DEADLINE_MS, act,
        REQUESTER_FILE_OPEN);
}

void wait_file_requester_folder(const text_t& folder, int deadline_ms) {
  auto act = [=](std::string& why) {
    requester_info* r = file_requester_for_step(why);
    if (!r) return RETRY;
    gchar* shown = gtk_file_chooser_get_current_folder(GTK_FILE_CHOOSER(r->dialog));
    const text_t now = shown ? from_utf8(shown) : text_t();
    g_free(shown);
    why = "it shows " + quote(now);
    return now == folder ? DONE : RETRY;
  };
  queue("a file requester showing the folder " + quote(folder), deadline_ms, act, REQUESTER_FILE_OPEN);
}

void answer_font_dialog(const text_t& family, int size, int style, int deadline_ms) {
  queue("answer the font requester with " + quote(family), deadline_ms,
        [=](std::string& why) {
          requester_info* r = open_requester(REQUESTER_FONT);
          if (!r) {
            why = "no font requester appeared";
            return RETRY;
          }
          requester_record rec;
          rec.kind = REQUESTER_FONT;
          rec.title = r->title;
          rec.answer = family.empty() ? 0 : 1;
          if (family.empty()) {
            if (!press_response(r->dialog, GTK_RESPONSE_CANCEL, why)) return FAILED;
          } else {
            PangoFontDescription* d = pango_font_description_new();
            pango_font_description_set_family(d, to_utf8(family).c_str());
            pango_font_description_set_size(d, size * PANGO_SCALE);
            pango_font_description_set_weight(d, style & FONT_BOLD ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
            pango_font_description_set_style(d, style & FONT_ITALIC ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
            gtk_font_chooser_set_font_desc(GTK_FONT_CHOOSER(r->dialog), d);
            pango_font_description_free(d);
            gtk_dialog_response(GTK_DIALOG(r->dialog), GTK_RESPONSE_OK);
          }
          log.push_back(rec);
          return DONE;
        },
        REQUESTER_FONT);
}

namespace {

requester_record message_box_record(const requester_info& r) {
  requester_record rec;
  rec.kind = REQUESTER_MESSAGE_BOX;
  rec.title = r.title;
  rec.text = r.text;
  rec.flags = r.flags;
  rec.icon = r.icon;
  rec.default_answer = r.default_answer;
  rec.answer = -1;
  return rec;
}

}  // namespace

void press_message_box_key(int key) {
  queue("press key " + std::to_string(key) + " in the message box", DEFAULT_DEADLINE_MS,
        [=](std::string& why) {
          requester_info* r = open_requester(REQUESTER_MESSAGE_BOX);
          if (!r || !gtk_widget_get_realized(r->dialog)) {
            why = "no message box appeared";
            return RETRY;
          }
          log.push_back(message_box_record(*r));
          press(r->dialog, key);
          return DONE;
        },
        REQUESTER_MESSAGE_BOX);
}

// ---- Real X input ------------------------------------------------------------------------------------

namespace {

// One xdotool run: started once, then watched until it ends.
struct x_run {
  bool started = false;
  bool ended = false;
  int status = 0;
  std::string command;
};

void on_xdotool_ended(GPid pid, gint status, gpointer data) {
  auto& run = *static_cast<std::shared_ptr<x_run>*>(data);
  run->ended = true;
  run->status = status;
  g_spawn_close_pid(pid);
}

void free_run(gpointer data) { delete static_cast<std::shared_ptr<x_run>*>(data); }

bool start_xdotool(const std::shared_ptr<x_run>& run, const std::vector<std::string>& args, std::string& why) {
  std::vector<gchar*> argv;
  argv.push_back(const_cast<gchar*>("xdotool"));
  for (const std::string& a : args) argv.push_back(const_cast<gchar*>(a.c_str()));
  argv.push_back(nullptr);
  // The display the tests' windows are on, whatever the environment says.
  gchar** env = g_get_environ();
  env = g_environ_setenv(env, "DISPLAY", gdk_display_get_name(gdk_display_get_default()), TRUE);
  GPid pid = 0;
  GError* error = nullptr;
  const bool ok = g_spawn_async(nullptr, argv.data(), env, GSpawnFlags(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD),
                                nullptr, nullptr, &pid, &error);
  g_strfreev(env);
  if (!ok) {
    why = std::string("cannot start xdotool: ") + (error ? error->message : "?");
    g_clear_error(&error);
    return false;
  }
  g_child_watch_add_full(G_PRIORITY_DEFAULT, pid, on_xdotool_ended, new std::shared_ptr<x_run>(run), free_run);
  return true;
}

// make_args fills the arguments when the step runs (RETRY while what it
// targets is not there yet); the step is done when xdotool ended well.
using x_args_fn = std::function<int(std::vector<std::string>&, std::string&)>;

// then, when given, must hold too before the step is done.
void queue_x_input(const std::string& what, x_args_fn make_args, int answers = 0,
                   std::function<bool(std::string&)> then = nullptr) {
  auto run = std::make_shared<x_run>();
  queue(what, DEFAULT_DEADLINE_MS, [run, make_args, then](std::string& why) {
    if (!run->started) {
      std::vector<std::string> args;
      const int r = make_args(args, why);
      if (r != DONE) return r;
      for (const std::string& a : args) run->command += " " + a;
      if (!start_xdotool(run, args, why)) return FAILED;
      run->started = true;
    }
    if (!run->ended) {
      why = "xdotool" + run->command + " has not ended";
      return RETRY;
    }
    GError* error = nullptr;
    if (!g_spawn_check_wait_status(run->status, &error)) {
      why = "xdotool" + run->command + " failed: " + (error ? error->message : "?");
      g_clear_error(&error);
      return FAILED;
    }
    return !then || then(why) ? DONE : RETRY;
  }, answers);
  steps.back().sent = [run] { return run->started; };
}

// The middle of a widget on the screen.
bool screen_middle(GtkWidget* w, int* x, int* y) {
  // Mapped and laid out (a widget not allocated yet has a width of 1).
  if (!w || !gtk_widget_get_mapped(w) || gtk_widget_get_allocated_width(w) <= 1) return false;
  GtkWidget* top = gtk_widget_get_toplevel(w);
  GdkWindow* top_window = top ? gtk_widget_get_window(top) : nullptr;
  if (!top_window) return false;
  GtkAllocation a;
  gtk_widget_get_allocation(w, &a);
  int tx = 0, ty = 0;
  if (!gtk_widget_translate_coordinates(w, top, a.width / 2, a.height / 2, &tx, &ty)) return false;
  int ox = 0, oy = 0;
  gdk_window_get_origin(top_window, &ox, &oy);
  *x = ox + tx;
  *y = oy + ty;
  return true;
}

void click_at(std::vector<std::string>& args, int x, int y, int button) {
  // The server handles the motion before the click: no --sync needed (it
  // would wait for ever when the pointer already is there).
  args = {"mousemove", std::to_string(x), std::to_string(y), "click", std::to_string(button)};
}


// The window needs the X input focus before keys are sent, as a window
// manager would give it on a click. GDK asks for it (and ignores the error
// while the server has not mapped the window yet); the keys go once GTK
// has seen the focus arrive.
bool has_x_focus(GtkWidget* window, std::string& why) {
  if (gtk_window_is_active(GTK_WINDOW(window))) return true;
  if (GdkWindow* gw = gtk_widget_get_mapped(window) ? gtk_widget_get_window(window) : nullptr)
    gdk_window_focus(gw, GDK_CURRENT_TIME);
  why = "the window does not have the input focus yet";
  return false;
}

void keys_into(std::vector<std::string>& args, const char* command, const std::vector<std::string>& keys) {
  args = {command};
  args.insert(args.end(), keys.begin(), keys.end());
}

}  // namespace

void xdotool(const std::vector<std::string>& args) {
  std::string what = "xdotool";
  for (const std::string& a : args) what += " " + a;
  queue_x_input(what, [args](std::vector<std::string>& out, std::string&) {
    out = args;
    return DONE;
  });
}

void x_click_row(int list, int row, int button) {
  queue_x_input("X click with button " + std::to_string(button) + " on row " + std::to_string(row) + " of list " +
                    std::to_string(list),
                [=](std::vector<std::string>& args, std::string& why) {
                  int status = RETRY;
                  gadget_rec* r = list_for_step(list, true, status, why);
                  if (!r) return status;
                  GtkTreeView* v = gui::list_view(*r);
                  if (row < 0 || row >= gui::list_count(*r)) {
                    why = "no such row";
                    return RETRY;
                  }
                  GdkWindow* bin = gtk_tree_view_get_bin_window(v);
                  GdkRectangle shown;
                  gtk_tree_view_get_visible_rect(v, &shown);
                  int left = 0, top = 0;
                  gtk_tree_view_convert_tree_to_bin_window_coords(v, shown.x, shown.y, &left, &top);
                  GtkTreePath* p = gtk_tree_path_new_from_indices(row, -1);
                  // The shown part of the last column that shows, away from the check box.
                  GdkRectangle cell{0, 0, 0, 0};
                  int from = 0, to = 0;
                  for (size_t c = r->columns.size(); c-- > 1 && from >= to;) {
                    gtk_tree_view_get_cell_area(v, p, r->columns[c].column, &cell);
                    from = std::max(cell.x, left);
                    to = std::min(cell.x + cell.width, left + shown.width);
                  }
                  if (from >= to) {
                    gtk_tree_view_get_cell_area(v, p, r->columns[0].column, &cell);
                    from = std::max(cell.x, left);
                    to = std::min(cell.x + cell.width, left + shown.width);
                  }
                  gtk_tree_path_free(p);
                  if (from >= to || cell.height <= 0 || cell.y < top || cell.y + cell.height > top + shown.height) {
                    why = "the row is not in view";
                    return RETRY;
                  }
                  int ox = 0, oy = 0;
                  gdk_window_get_origin(bin, &ox, &oy);
                  click_at(args, ox + (from + to) / 2, oy + cell.y + cell.height / 2, button);
                  return DONE;
                });
}

void x_click_gadget(int gadget, int button) {
  queue_x_input("X click with button " + std::to_string(button) + " on gadget " + std::to_string(gadget),
                [=](std::vector<std::string>& args, std::string& why) {
                  gadget_rec* r = find_gadget(gadget);
                  if (!usable(r, why)) return RETRY;
                  int x = 0, y = 0;
                  if (!screen_middle(r->outer, &x, &y)) {
                    why = "the gadget is not shown";
                    return RETRY;
                  }
                  click_at(args, x, y, button);
                  return DONE;
                });
}

void x_click_tab(int panel, int tab) {
  queue_x_input("X click on the header of tab " + std::to_string(tab) + " of panel " + std::to_string(panel),
                [=](std::vector<std::string>& args, std::string& why) {
                  gadget_rec* r = find_gadget(panel);
                  if (!usable(r, why)) return RETRY;
                  if (r->kind != GADGET_TAB_PANEL || tab < 0 || tab >= (int)r->tabs.size()) {
                    why = "no such tab";
                    return FAILED;
                  }
                  GtkWidget* header = gtk_notebook_get_tab_label(GTK_NOTEBOOK(r->widget), r->tabs[tab]);
                  int x = 0, y = 0;
                  if (!screen_middle(header, &x, &y)) {
                    why = "the tab header is not shown";
                    return RETRY;
                  }
                  click_at(args, x, y, 1);
                  return DONE;
                });
}

namespace {

// The middle of an item of a popup menu that is shown.
bool shown_menu_item_middle(int id, int* x, int* y) {
  for (auto& [n, m] : gui::menus) {
    if (!m->popup || !gtk_widget_get_mapped(m->shell)) continue;
    for (gui::menu_item_rec& i : m->items)
      if (i.id == id && screen_middle(i.item, x, y)) return true;
  }
  return false;
}

}  // namespace

void x_click_menu_item(int id) {
  queue_x_input("X click on menu item " + std::to_string(id), [=](std::vector<std::string>& args, std::string& why) {
    int x = 0, y = 0;
    if (!shown_menu_item_middle(id, &x, &y)) {
      why = "no popup menu with the item is shown";
      return RETRY;
    }
    click_at(args, x, y, 1);
    return DONE;
  });
}

void x_point_at_menu_item(int id) {
  queue_x_input("X pointer to menu item " + std::to_string(id), [=](std::vector<std::string>& args, std::string& why) {
    int x = 0, y = 0;
    if (!shown_menu_item_middle(id, &x, &y)) {
      why = "no popup menu with the item is shown";
      return RETRY;
    }
    args = {"mousemove", std::to_string(x), std::to_string(y)};
    return DONE;
  });
}

void x_keys(int window, const std::vector<std::string>& keys) {
  std::string what = "X keys into window " + std::to_string(window) + ":";
  for (const std::string& k : keys) what += " " + k;
  queue_x_input(what, [=](std::vector<std::string>& args, std::string& why) {
    gui::window_rec* w = find_window(window);
    if (!w || w->hidden || !gtk_widget_get_mapped(w->window)) {
      why = "the window is not shown";
      return RETRY;
    }
    if (!has_x_focus(w->window, why)) return RETRY;
    keys_into(args, "key", keys);
    return DONE;
  });
}

void x_type(int window, const std::string& text) {
  queue_x_input("X typing into window " + std::to_string(window) + ": \"" + text + "\"",
                [=](std::vector<std::string>& args, std::string& why) {
                  gui::window_rec* w = find_window(window);
                  if (!w || w->hidden || !gtk_widget_get_mapped(w->window)) {
                    why = "the window is not shown";
                    return RETRY;
                  }
                  if (!has_x_focus(w->window, why)) return RETRY;
                  keys_into(args, "type", {text});
                  return DONE;
                });
}

void x_message_box_keys(const std::vector<std::string>& keys) {
  std::string what = "X keys into the message box:";
  for (const std::string& k : keys) what += " " + k;
  // The keys answer the box: the step ends when it has closed.
  auto box = std::make_shared<GtkWidget*>(nullptr);
  queue_x_input(
      what,
      [=](std::vector<std::string>& args, std::string& why) {
        requester_info* r = open_requester(REQUESTER_MESSAGE_BOX);
        if (!r || !gtk_widget_get_mapped(r->dialog)) {
          why = "no message box appeared";
          return RETRY;
        }
        if (!has_x_focus(r->dialog, why)) return RETRY;
        *box = r->dialog;
        log.push_back(message_box_record(*r));
        keys_into(args, "key", keys);
        return DONE;
      },
      REQUESTER_MESSAGE_BOX,
      [box](std::string& why) {
        for (requester_info* r : gui::open_requesters)
          if (r->dialog == *box) {
            why = "the message box is still open";
            return false;
          }
        return true;
      });
}

// ---- Running and results -------------------------------------------------------------------------

bool run_steps(int overall_ms) {
  ensure_tick();
  gint64 end = g_get_monotonic_time() + scaled_us(overall_ms);
  while (!steps.empty() && !script_failed) {
    g_main_context_iteration(nullptr, TRUE);
    if (g_get_monotonic_time() > end && !steps.empty()) {
      fail("the steps did not finish within " + std::to_string(scaled_us(overall_ms) / 1000) + " ms");
      break;
    }
  }
  armed = false;
  unwinding = false;
  return !script_failed;
}

bool run_steps_until(int left, int overall_ms) {
  ensure_tick();
  gint64 end = g_get_monotonic_time() + scaled_us(overall_ms);
  while ((int)steps.size() > left && !script_failed) {
    g_main_context_iteration(nullptr, TRUE);
    if (g_get_monotonic_time() > end && (int)steps.size() > left) {
      fail("the steps did not come down to " + std::to_string(left) + " within " +
           std::to_string(scaled_us(overall_ms) / 1000) + " ms");
      break;
    }
  }
  return !script_failed;
}

void finish() {
  // Input that ended the code under test (a key closing its last question)
  // may return before its xdotool has been reaped: that exit is awaited.
  while (!steps.empty() && !script_failed && steps.front().sent && steps.front().sent())
    run_steps_until(static_cast<int>(steps.size()) - 1, DEFAULT_DEADLINE_MS);
  if (!steps.empty() && !script_failed) {
    std::string left;
    for (const step& s : steps) left += "\n  " + s.what;
    ADD_FAILURE() << "the code under test returned with steps left:" << left << "\n" << open_windows_report();
  }
  steps.clear();
  step_started = 0;
  armed = false;
  unwinding = false;
  script_failed = false;
  closing_dialog = nullptr;
}

bool failed() { return script_failed; }
int steps_left() { return (int)steps.size(); }
const std::vector<requester_record>& requesters() { return log; }
requester_record last_requester() { return log.empty() ? requester_record{} : log.back(); }

std::string open_windows_report() {
  std::string s = "open windows:";
  if (gui::windows.empty()) s += " none";
  for (auto& [n, w] : gui::windows) {
    s += "\n  window " + std::to_string(n) + " \"" + to_utf8(window_get_title(n)) + "\"";
    if (w->hidden) s += " hidden";
    if (w->disabled) s += " disabled";
    int f = gadget_get_focus();
    if (f >= 0 && gadget_window(f) == n) s += ", focus on gadget " + std::to_string(f);
  }
  for (requester_info* r : gui::open_requesters) {
    s += std::string("\n  ") + kind_name(r->kind) + " \"" + to_utf8(r->title) + "\"";
    if (!r->text.empty()) s += ": \"" + to_utf8(r->text) + "\"";
  }
  if (!steps.empty()) s += "\nsteps left: " + std::to_string(steps.size());
  return s;
}

bool popup_shown(int menu) {
  auto it = gui::menus.find(menu);
  return it != gui::menus.end() && it->second->popup && gtk_widget_get_mapped(it->second->shell);
}

int popup_highlighted_item(int menu) {
  if (!popup_shown(menu)) return -1;
  const gui::menu_rec& m = *gui::menus.at(menu);
  GtkWidget* selected = gtk_menu_shell_get_selected_item(GTK_MENU_SHELL(m.shell));
  for (const gui::menu_item_rec& i : m.items)
    if (i.item == selected) return i.id;
  return -1;
}

int first_visible_row(int list) {
  gadget_rec* r = gui::find_gadget_kind(list, GADGET_COLUMN_LIST);
  if (!r) return -1;
  GtkTreeView* v = gui::list_view(*r);
  GtkTreePath* p = nullptr;
  if (!gtk_widget_get_realized(GTK_WIDGET(v)) || !gtk_tree_view_get_path_at_pos(v, 1, 1, &p, nullptr, nullptr, nullptr))
    return -1;
  const int row = gtk_tree_path_get_indices(p)[0];
  gtk_tree_path_free(p);
  return row;
}

namespace {
// The gadget's allocation in its window's coordinates; false when not shown.
bool gadget_rectangle(gadget_rec& r, GdkRectangle* out) {
  GtkWidget* w = r.outer ? r.outer : r.widget;
  if (!w || !gtk_widget_is_drawable(w)) return false;
  GtkAllocation a;
  gtk_widget_get_allocation(w, &a);
  int x = 0, y = 0;
  if (!gtk_widget_translate_coordinates(w, gtk_widget_get_toplevel(w), 0, 0, &x, &y)) return false;
  *out = {x, y, a.width, a.height};
  return a.width > 0 && a.height > 0;
}
}  // namespace

bool gadget_shows_its_text(int label, std::string* why) {
  gadget_rec* r = gui::find_gadget(label);
  if (!r || !r->widget) {
    if (why) *why = "no gadget " + std::to_string(label);
    return false;
  }
  if (GTK_IS_ENTRY(r->widget)) {
    // The text's width against the room the entry gives it.
    GdkRectangle area;
    gtk_entry_get_text_area(GTK_ENTRY(r->widget), &area);
    int text_width = 0, text_height = 0;
    pango_layout_get_pixel_size(gtk_entry_get_layout(GTK_ENTRY(r->widget)), &text_width, &text_height);
    const bool fits = text_width <= area.width;
    if (!fits && why)
      *why = "entry " + std::to_string(label) + " \"" + to_utf8(gadget_get_text(label)) + "\" has " +
             std::to_string(area.width) + " pixels for a text of " + std::to_string(text_width);
    return fits;
  }
  GtkWidget* w = r->outer ? r->outer : r->widget;
  int min = 0, natural = 0, min_h = 0, natural_h = 0;
  gtk_widget_get_preferred_width(r->widget, &min, &natural);
  gtk_widget_get_preferred_height_for_width(r->widget, natural, &min_h, &natural_h);
  GtkAllocation a;
  gtk_widget_get_allocation(w, &a);
  const bool fits = a.width >= natural && a.height >= natural_h;
  if (!fits && why)
    *why = "gadget " + std::to_string(label) + " \"" + to_utf8(gadget_get_text(label)) + "\" is " +
           std::to_string(a.width) + "x" + std::to_string(a.height) + ", its text needs " + std::to_string(natural) +
           "x" + std::to_string(natural_h);
  return fits;
}

std::vector<std::pair<int, int>> overlapping_gadgets(int window) {
  std::vector<std::pair<int, GdkRectangle>> shown;
  for (auto& [n, r] : gui::gadgets) {
    if (r->window != window) continue;
    // Frames and panels hold other gadgets by design.
    if (r->kind == GADGET_FRAME || r->kind == GADGET_CONTAINER || r->kind == GADGET_TAB_PANEL) continue;
    GdkRectangle rect;
    if (gadget_rectangle(*r, &rect)) shown.push_back({n, rect});
  }
  std::vector<std::pair<int, int>> out;
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j)
      if (gdk_rectangle_intersect(&shown[i].second, &shown[j].second, nullptr))
        out.push_back({shown[i].first, shown[j].first});
  return out;
}

double image_opacity(int g) {
  gadget_rec* r = gui::find_gadget(g);
  if (!r || !r->widget || !GTK_IS_BUTTON(r->widget)) return -1;
  GtkWidget* image = gtk_button_get_image(GTK_BUTTON(r->widget));
  if (!image) return -1;
  GtkStyleContext* style = gtk_widget_get_style_context(image);
  double opacity = 1;
  gtk_style_context_get(style, gtk_style_context_get_state(style), "opacity", &opacity, nullptr);
  return opacity;
}

namespace {
// The shown label of a menu item built by the layer (the first label in it).
text_t shown_label(GtkWidget* item) {
  GtkWidget* child = gtk_bin_get_child(GTK_BIN(item));
  if (GTK_IS_LABEL(child)) return from_utf8(gtk_label_get_text(GTK_LABEL(child)));
  if (!GTK_IS_CONTAINER(child)) return text_t();
  text_t out;
  GList* kids = gtk_container_get_children(GTK_CONTAINER(child));
  for (GList* k = kids; k; k = k->next)
    if (GTK_IS_LABEL(k->data)) {
      out = from_utf8(gtk_label_get_text(GTK_LABEL(k->data)));
      break;
    }
  g_list_free(kids);
  return out;
}

void collect_paths(GtkWidget* shell, std::vector<text_t>& prefix, std::vector<std::vector<text_t>>& out) {
  GList* kids = gtk_container_get_children(GTK_CONTAINER(shell));
  for (GList* k = kids; k; k = k->next) {
    GtkWidget* item = GTK_WIDGET(k->data);
    if (!GTK_IS_MENU_ITEM(item) || GTK_IS_SEPARATOR_MENU_ITEM(item)) continue;
    prefix.push_back(shown_label(item));
    out.push_back(prefix);
    if (GtkWidget* sub = gtk_menu_item_get_submenu(GTK_MENU_ITEM(item))) collect_paths(sub, prefix, out);
    prefix.pop_back();
  }
  g_list_free(kids);
}
}  // namespace

std::vector<std::vector<text_t>> menu_paths(int menu) {
  std::vector<std::vector<text_t>> out;
  auto it = gui::menus.find(menu);
  if (it == gui::menus.end()) return out;
  std::vector<text_t> prefix;
  collect_paths(it->second->shell, prefix, out);
  return out;
}

menu_item_look menu_item_shown(int id) {
  menu_item_look look;
  gui::menu_item_rec* i = gui::find_menu_item_anywhere(id, nullptr);
  if (!i) return look;
  look.label = from_utf8(gtk_label_get_text(GTK_LABEL(i->label)));
  look.shortcut = from_utf8(gtk_label_get_text(GTK_LABEL(i->accel)));
  look.mnemonic = gtk_label_get_use_underline(GTK_LABEL(i->label)) &&
                  gtk_label_get_mnemonic_keyval(GTK_LABEL(i->label)) != GDK_KEY_VoidSymbol;
  return look;
}

std::vector<fetched_event> drain_events() {
  std::vector<fetched_event> out;
  gui::touch();
  int type;
  while ((type = event_poll()) != 0) {
    if (type > 0) out.push_back({type, event_get_window(), event_get_gadget(), event_get_subtype()});
  }
  return out;
}

std::string temp_folder() {
  GError* error = nullptr;
  gchar* dir = g_dir_make_tmp("vx_gui_test_XXXXXX", &error);
  if (!dir) {
    if (error) g_clear_error(&error);
    ADD_FAILURE() << "cannot create a temporary folder";
    return "/tmp/";
  }
  std::string path = std::string(dir) + "/";
  g_free(dir);
  temp_folders.push_back(path);
  return path;
}

void GuiTest::SetUp() {
  ensure_tick();
  finish();
  log.clear();
}

void GuiTest::TearDown() {
  finish();
  window_close(GUI_ALL);
  menu_free(GUI_ALL);
  drain_events();
  std::error_code ec;
  for (const std::string& f : temp_folders) std::filesystem::remove_all(f, ec);
  temp_folders.clear();
}

namespace {

// GTK's criticals and warnings name real faults (an event sent to a widget
// that is gone, a bad argument): each fails the test that caused it, or the
// program when no test runs.
bool stray_gtk_complaint = false;

bool fails_the_test(GLogLevelFlags level, const char* domain) {
  if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL)) return true;
  if (!(level & G_LOG_LEVEL_WARNING) || !domain) return false;
  for (const char* d : {"Gtk", "Gdk", "GLib", "GLib-GObject", "GLib-GIO", "Pango"})
    if (strcmp(domain, d) == 0) return true;
  return false;
}

GLogWriterOutput complaint_writer(GLogLevelFlags level, const GLogField* fields, gsize n_fields, gpointer data) {
  const char* domain = nullptr;
  const char* message = "";
  for (gsize i = 0; i < n_fields; ++i) {
    if (strcmp(fields[i].key, "GLIB_DOMAIN") == 0) domain = static_cast<const char*>(fields[i].value);
    if (strcmp(fields[i].key, "MESSAGE") == 0) message = static_cast<const char*>(fields[i].value);
  }
  if (fails_the_test(level, domain)) {
    const std::string text = std::string(domain ? domain : "") +
                             (level & G_LOG_LEVEL_WARNING ? "-WARNING: " : "-CRITICAL: ") + message;
    if (::testing::UnitTest::GetInstance()->current_test_info()) ADD_FAILURE() << text;
    else stray_gtk_complaint = true;
  }
  return g_log_writer_default(level, fields, n_fields, data);
}

}  // namespace

int run_all_tests(int argc, char** argv) {
  g_log_set_writer_func(complaint_writer, nullptr, nullptr);
  // Requesters keep their settings in memory, not in the user's dconf.
  g_setenv("GSETTINGS_BACKEND", "memory", FALSE);
  if (!gui_init(&argc, &argv)) {
    fprintf(stderr, "cannot open a display: run the GUI tests under xvfb-run\n");
    return 1;
  }
  ::testing::InitGoogleTest(&argc, argv);
  ensure_tick();
  int result = RUN_ALL_TESTS();
  gui_shutdown();
  if (stray_gtk_complaint) {
    fprintf(stderr, "GTK printed a critical or a warning outside any test.\n");
    if (result == 0) result = 1;
  }
  return result;
}

}  // namespace gui_test
