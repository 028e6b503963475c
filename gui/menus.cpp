// Menu bars and popup menus with image items and shortcut labels. Choosing
// an item posts a menu event; the shortcut label binds nothing.
#include "gui/gui_internal.h"

namespace gui {
namespace {
menu_rec* building = nullptr;

// "&" marks the mnemonic, "&&" is one "&"; GTK marks it with "_".
std::string mnemonic_text(const text_t& text) {
  std::string in = to_utf8(text), out;
  for (size_t i = 0; i < in.size(); ++i) {
    char c = in[i];
    if (c == '&') {
      if (i + 1 < in.size() && in[i + 1] == '&') {
        out += '&';
        ++i;
      } else {
        out += '_';
      }
    } else if (c == '_') {
      out += "__";
    } else {
      out += c;
    }
  }
  return out;
}

void split_label(const text_t& text, text_t* label, text_t* accel) {
  size_t tab = text.find(u'\t');
  *label = tab == text_t::npos ? text : text.substr(0, tab);
  *accel = tab == text_t::npos ? text_t() : text.substr(tab + 1);
}

void on_activate(GtkMenuItem* item, gpointer d) {
  int id = GPOINTER_TO_INT(d);
  int menu = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(item), "vx-menu")) - 1;
  auto it = menus.find(menu);
  if (it == menus.end()) return;
  raise_event(EVENT_MENU, it->second->window, id, 0);
}

GtkWidget* current_shell() {
  if (!building || building->build_stack.empty()) return nullptr;
  return building->build_stack.back();
}

GtkWidget* make_item(const text_t& text, GdkPixbuf* image, menu_item_rec* rec) {
  text_t label, accel;
  split_label(text, &label, &accel);
  GtkWidget* item = gtk_menu_item_new();
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
  if (image) {
    gtk_box_pack_start(GTK_BOX(box), gtk_image_new_from_pixbuf(image), FALSE, FALSE, 0);
  }
  GtkWidget* l = gtk_label_new_with_mnemonic(mnemonic_text(label).c_str());
  gtk_label_set_xalign(GTK_LABEL(l), 0.0f);
  gtk_label_set_mnemonic_widget(GTK_LABEL(l), item);
  gtk_box_pack_start(GTK_BOX(box), l, TRUE, TRUE, 0);
  GtkWidget* a = gtk_label_new(to_utf8(accel).c_str());
  gtk_style_context_add_class(gtk_widget_get_style_context(a), "accelerator");
  gtk_widget_set_margin_start(a, 16);
  gtk_box_pack_end(GTK_BOX(box), a, FALSE, FALSE, 0);
  gtk_container_add(GTK_CONTAINER(item), box);
  gtk_widget_show_all(item);
  if (rec) {
    rec->item = item;
    rec->label = l;
    rec->accel = a;
    rec->text = text;
  }
  return item;
}

int create(int n, bool popup, GtkWidget* window) {
  if (!initialised) return 0;
  menu_free(n);
  auto rec = std::make_unique<menu_rec>();
  rec->n = n;
  rec->popup = popup;
  if (popup) {
    rec->shell = gtk_menu_new();
    g_object_ref_sink(rec->shell);
  } else {
    window_rec* w = window_of_widget(window);
    if (!w) return 0;
    rec->window = w->n;
    rec->shell = gtk_menu_bar_new();
    gtk_box_pack_start(GTK_BOX(w->box), rec->shell, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(w->box), rec->shell, 0);
    gtk_widget_show(rec->shell);
  }
  rec->build_stack.push_back(rec->shell);
  building = rec.get();
  menus[n] = std::move(rec);
  touch();
  return 1;
}
}  // namespace

menu_item_rec* find_menu_item(int menu, int id) {
  auto it = menus.find(menu);
  if (it == menus.end()) return nullptr;
  for (menu_item_rec& i : it->second->items)
    if (i.id == id) return &i;
  return nullptr;
}

menu_item_rec* find_menu_item_anywhere(int id, menu_rec** owner) {
  for (auto& [n, m] : menus)
    for (menu_item_rec& i : m->items)
      if (i.id == id) {
        if (owner) *owner = m.get();
        return &i;
      }
  return nullptr;
}

void drop_menus_of_window(int window) {
  std::vector<int> mine;
  for (auto& [n, m] : menus)
    if (!m->popup && m->window == window) mine.push_back(n);
  for (int n : mine) {
    if (building == menus[n].get()) building = nullptr;
    menus.erase(n);  // the bar goes with the window
  }
}

}  // namespace gui

using namespace gui;

int menu_create_image_bar(int menu, GtkWidget* window) { return create(menu, false, window); }
int menu_create_bar(int menu, GtkWidget* window) { return create(menu, false, window); }
int menu_create_image_popup(int menu) { return create(menu, true, nullptr); }

void menu_add_title(const text_t& text) {
  if (!building) return;
  GtkWidget* title = make_item(text, nullptr, nullptr);
  GtkWidget* sub = gtk_menu_new();
  gtk_menu_item_set_submenu(GTK_MENU_ITEM(title), sub);
  gtk_menu_shell_append(GTK_MENU_SHELL(building->shell), title);
  building->build_stack.assign({building->shell, sub});
}

void menu_open_submenu_image(const text_t& text, GdkPixbuf* image) {
  GtkWidget* shell = current_shell();
  if (!shell) return;
  GtkWidget* item = make_item(text, image, nullptr);
  GtkWidget* sub = gtk_menu_new();
  gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), sub);
  gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
  building->build_stack.push_back(sub);
}

void menu_close_submenu() {
  if (building && building->build_stack.size() > 2) building->build_stack.pop_back();
  else if (building && building->popup && building->build_stack.size() > 1) building->build_stack.pop_back();
}

void menu_add_item_image(int id, const text_t& text, GdkPixbuf* image) {
  GtkWidget* shell = current_shell();
  if (!shell) return;
  menu_item_rec rec;
  rec.id = id;
  GtkWidget* item = make_item(text, image, &rec);
  g_object_set_data(G_OBJECT(item), "vx-menu", GINT_TO_POINTER(building->n + 1));
  g_signal_connect(item, "activate", G_CALLBACK(on_activate), GINT_TO_POINTER(id));
  gtk_menu_shell_append(GTK_MENU_SHELL(shell), item);
  building->items.push_back(rec);
}

void menu_add_item(int id, const text_t& text) { menu_add_item_image(id, text, nullptr); }

void menu_add_separator() {
  GtkWidget* shell = current_shell();
  if (!shell) return;
  GtkWidget* s = gtk_separator_menu_item_new();
  gtk_widget_show(s);
  gtk_menu_shell_append(GTK_MENU_SHELL(shell), s);
}

void menu_set_item_disabled(int menu, int id, int state) {
  menu_item_rec* i = find_menu_item(menu, id);
  if (!i || i->disabled == (state != 0)) return;
  i->disabled = state != 0;
  gtk_widget_set_sensitive(i->item, !i->disabled);
  touch();
}

int menu_get_item_disabled(int menu, int id) {
  menu_item_rec* i = find_menu_item(menu, id);
  return i ? (i->disabled ? 1 : 0) : -1;
}

void menu_set_item_text(int menu, int id, const text_t& text) {
  menu_item_rec* i = find_menu_item(menu, id);
  if (!i || (!i->plain && i->text == text)) return;
  i->text = text;
  i->plain = false;
  text_t label, accel;
  split_label(text, &label, &accel);
  gtk_label_set_text_with_mnemonic(GTK_LABEL(i->label), mnemonic_text(label).c_str());
  gtk_label_set_text(GTK_LABEL(i->accel), to_utf8(accel).c_str());
  touch();
}

void menu_set_item_plain_text(int menu, int id, const text_t& text) {
  menu_item_rec* i = find_menu_item(menu, id);
  if (!i || (i->plain && i->text == text)) return;
  i->text = text;
  i->plain = true;
  gtk_label_set_use_underline(GTK_LABEL(i->label), FALSE);
  gtk_label_set_text(GTK_LABEL(i->label), to_utf8(text).c_str());
  gtk_label_set_text(GTK_LABEL(i->accel), "");
  touch();
}

text_t menu_get_item_text(int menu, int id) {
  menu_item_rec* i = find_menu_item(menu, id);
  return i ? i->text : text_t();
}

void menu_popup(int menu, GtkWidget* window) {
  auto it = menus.find(menu);
  if (it == menus.end() || !it->second->popup) return;
  menu_rec& m = *it->second;
  window_rec* w = window_of_widget(window);
  m.window = w ? w->n : -1;
  GtkWidget* shell = m.shell;
  if (w && !gtk_menu_get_attach_widget(GTK_MENU(shell))) gtk_menu_attach_to_widget(GTK_MENU(shell), w->window, nullptr);
  GdkWindow* gw = w ? gtk_widget_get_window(w->window) : nullptr;
  if (gw) {
    int x = 0, y = 0;
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(gw));
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (pointer) gdk_window_get_device_position(gw, pointer, &x, &y, nullptr);
    GdkRectangle rect{x, y, 1, 1};
    // The right click that asked for the menu: with its press time GTK
    // lets the release that follows keep the menu open. Only a menu opened
    // without a click gets a trigger event of our own.
    GdkEvent* trigger = take_right_press();
    if (!trigger) {
      trigger = gdk_event_new(GDK_BUTTON_PRESS);
      trigger->button.window = GDK_WINDOW(g_object_ref(gw));
      trigger->button.time = GDK_CURRENT_TIME;
      trigger->button.button = 3;
      trigger->button.x = x;
      trigger->button.y = y;
      if (pointer) gdk_event_set_device(trigger, pointer);
    }
    // GTK hides a menu whose pointer grab failed; right after another popup
    // closed the server may not have released that grab yet, so a few more
    // tries once it has caught up.
    for (int attempt = 0; attempt < 10; ++attempt) {
      gtk_menu_popup_at_rect(GTK_MENU(shell), gw, &rect, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST, trigger);
      if (gtk_widget_get_visible(shell)) break;
      gdk_display_sync(gdk_window_get_display(gw));
      g_usleep(20000);
    }
    gdk_event_free(trigger);
  } else {
    gtk_menu_popup_at_pointer(GTK_MENU(shell), nullptr);
  }
  touch();
}

void menu_free(int menu) {
  if (menu == GUI_ALL) {
    std::vector<int> all;
    for (auto& [n, m] : menus) all.push_back(n);
    for (int n : all) menu_free(n);
    return;
  }
  auto it = menus.find(menu);
  if (it == menus.end()) return;
  menu_rec& m = *it->second;
  if (building == &m) building = nullptr;
  if (m.popup) {
    gtk_widget_destroy(m.shell);
    g_object_unref(m.shell);
  } else {
    gtk_widget_destroy(m.shell);
  }
  menus.erase(it);
  touch();
}

int menu_bar_height() {
  for (auto& [n, m] : menus) {
    if (m->popup) continue;
    int h = gtk_widget_get_allocated_height(m->shell);
    if (h > 1) return h;
    int min = 0, nat = 0;
    gtk_widget_get_preferred_height(m->shell, &min, &nat);
    if (nat > 0) return nat;
  }
  // No bar yet: measure a sample bar.
  GtkWidget* bar = gtk_menu_bar_new();
  g_object_ref_sink(bar);
  GtkWidget* item = gtk_menu_item_new_with_label("File");
  gtk_menu_shell_append(GTK_MENU_SHELL(bar), item);
  gtk_widget_show_all(bar);
  int min = 0, nat = 0;
  gtk_widget_get_preferred_height(bar, &min, &nat);
  gtk_widget_destroy(bar);
  g_object_unref(bar);
  return nat;
}
