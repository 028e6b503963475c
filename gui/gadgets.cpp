// Gadgets: creation of every kind but the column list, and the operations
// that every kind shares (text, state, items, attributes, look, geometry).
#include <algorithm>
#include <cmath>

#include "gui/gui_internal.h"

namespace gui {
void mark_gadget_widget(GtkWidget* w, int g);
GtkWidget* radio_group_member(window_rec& w);
void remember_radio(GtkWidget* radio);
void tab_added(int panel, int window, int tab);

namespace {
PangoFontDescription* default_font = nullptr;

gpointer data_of(int g) { return GINT_TO_POINTER(g); }
int gadget_of_data(gpointer p) { return GPOINTER_TO_INT(p); }

std::string css_color(int c) {
  char buf[16];
  g_snprintf(buf, sizeof buf, "#%02x%02x%02x", c & 0xff, (c >> 8) & 0xff, (c >> 16) & 0xff);
  return buf;
}

void add_provider_tree(GtkWidget* w, GtkStyleProvider* old_p, GtkStyleProvider* p, int g) {
  GtkStyleContext* sc = gtk_widget_get_style_context(w);
  if (old_p) gtk_style_context_remove_provider(sc, old_p);
  if (p) gtk_style_context_add_provider(sc, p, GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  if (!GTK_IS_CONTAINER(w)) return;
  struct ctx { GtkStyleProvider* o; GtkStyleProvider* p; int g; } c{old_p, p, g};
  gtk_container_forall(
      GTK_CONTAINER(w),
      [](GtkWidget* child, gpointer d) {
        auto* c = static_cast<ctx*>(d);
        int owner = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(child), "vx-gadget")) - 1;
        if (owner >= 0 && owner != c->g) return;  // another gadget keeps its own look
        add_provider_tree(child, c->o, c->p, c->g);
      },
      &c);
}

const char* color_selector(int kind) {
  switch (kind) {
    case GADGET_ENTRY: return "entry";
    case GADGET_SPIN: return "entry";
    case GADGET_TEXT_VIEW: return "textview text";
    case GADGET_COLUMN_LIST: return "treeview.view:not(:selected)";
    case GADGET_BUTTON:
    case GADGET_IMAGE_BUTTON: return "button";
    case GADGET_CONTAINER:
    case GADGET_FRAME: return "frame";
    case GADGET_COMBO_BOX: return "combobox button, combobox entry";
    case GADGET_CANVAS: return "*";
    default: return "label";
  }
}

std::string font_css(const PangoFontDescription* f) {
  std::string css;
  const char* family = pango_font_description_get_family(f);
  if (family) css += std::string("font-family: \"") + family + "\";";
  int size = pango_font_description_get_size(f);
  if (size > 0) css += "font-size: " + std::to_string(size / PANGO_SCALE) + "pt;";
  css += pango_font_description_get_weight(f) >= PANGO_WEIGHT_BOLD ? "font-weight: bold;"
                                                                     : "font-weight: normal;";
  css += pango_font_description_get_style(f) != PANGO_STYLE_NORMAL ? "font-style: italic;"
                                                                    : "font-style: normal;";
  return css;
}

void place(gadget_rec& rec, int window, GtkWidget* layout) {
  GtkWidget* outer = rec.outer;
  mark_gadget_widget(outer, rec.n);
  if (rec.widget && rec.widget != outer) mark_gadget_widget(rec.widget, rec.n);
  gtk_widget_set_size_request(outer, std::max(0, rec.width), std::max(0, rec.height));
  gtk_fixed_put(GTK_FIXED(layout), outer, rec.x, rec.y);
  gtk_widget_show_all(outer);
  rec.window = window;
  if (default_font) rec.font = pango_font_description_copy(default_font);
  if (rec.font) apply_style(rec);
}

}  // namespace

// Makes the record and its place; returns null when there is no window to
// put it in. The column list joins this creation path too.
gadget_rec* gadget_begin(int g, int kind, int x, int y, int width, int height, int flags, GtkWidget** layout,
                         int* window) {
  if (!initialised) return nullptr;
  *layout = current_layout(window);
  if (!*layout) return nullptr;
  if (find_gadget(g)) destroy_gadget(g);
  auto rec = std::make_unique<gadget_rec>();
  rec->n = g;
  rec->kind = kind;
  rec->flags = flags;
  rec->x = x;
  rec->y = y;
  rec->width = width;
  rec->height = height;
  gadget_rec* r = rec.get();
  gadgets[g] = std::move(rec);
  return r;
}

int gadget_finish(gadget_rec* r, int window, GtkWidget* layout) {
  place(*r, window, layout);
  // Tab and Shift+Tab follow the order the gadgets were created in (the
  // order a window lays out its fields), not GTK's order by position, which
  // puts a button beside a field between that field and the next one.
  if (GTK_IS_CONTAINER(layout)) {
    GList* order = gtk_container_get_children(GTK_CONTAINER(layout));
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(layout), order);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(order);
  }
  gadget_created(*r);
  touch();
  return 1;
}

namespace {

// ---- Signals ---------------------------------------------------------------------------------
void on_clicked(GtkButton*, gpointer d) { raise_gadget_event(gadget_of_data(d), SUBTYPE_CLICK); }
void on_toggled(GtkToggleButton*, gpointer d) { raise_gadget_event(gadget_of_data(d), SUBTYPE_CLICK); }
void on_radio_toggled(GtkToggleButton* b, gpointer d) {
  if (gtk_toggle_button_get_active(b)) raise_gadget_event(gadget_of_data(d), SUBTYPE_CLICK);
}
void on_changed(gpointer, gpointer d) { raise_gadget_event(gadget_of_data(d), SUBTYPE_CHANGE); }
gboolean on_focus_in(GtkWidget*, GdkEvent*, gpointer d) {
  raise_gadget_event(gadget_of_data(d), SUBTYPE_FOCUS_IN);
  return FALSE;
}
gboolean on_focus_out(GtkWidget*, GdkEvent*, gpointer d) {
  raise_gadget_event(gadget_of_data(d), SUBTYPE_FOCUS_OUT);
  return FALSE;
}

void on_value_changed(GtkAdjustment* a, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return;
  int v = (int)std::lround(gtk_adjustment_get_value(a));
  if (v == r->value) return;
  r->value = v;
  raise_gadget_event(r->n, SUBTYPE_CLICK);
}

void on_switch_page(GtkNotebook*, GtkWidget*, guint, gpointer d) {
  raise_gadget_event(gadget_of_data(d), SUBTYPE_CHANGE);
}

gboolean on_image_button(GtkWidget*, GdkEventButton* e, gpointer d) {
  int g = gadget_of_data(d);
  if (e->type == GDK_BUTTON_PRESS && e->button == 1) raise_gadget_event(g, SUBTYPE_CLICK);
  else if (e->type == GDK_BUTTON_PRESS && e->button == 3) {
    remember_right_press(e);
    raise_gadget_event(g, SUBTYPE_RIGHT_CLICK);
  }
  else if (e->type == GDK_2BUTTON_PRESS && e->button == 1) raise_gadget_event(g, SUBTYPE_DOUBLE_CLICK);
  else if (e->type == GDK_2BUTTON_PRESS && e->button == 3)
    raise_gadget_event(g, SUBTYPE_RIGHT_DOUBLE_CLICK);
  return FALSE;
}

// Labels take their font (and a hyperlink its colour) as Pango attributes:
// unlike a style change, these count at once when the label is measured.
void set_label_look(GtkWidget* label, const PangoFontDescription* font, int color) {
  if (color < 0 && !font) {
    gtk_label_set_attributes(GTK_LABEL(label), nullptr);
    return;
  }
  PangoAttrList* list = pango_attr_list_new();
  if (font) pango_attr_list_insert(list, pango_attr_font_desc_new(font));
  if (color >= 0)
    pango_attr_list_insert(list, pango_attr_foreground_new(guint16((color & 0xff) * 257),
                                                           guint16(((color >> 8) & 0xff) * 257),
                                                           guint16(((color >> 16) & 0xff) * 257)));
  gtk_label_set_attributes(GTK_LABEL(label), list);
  pango_attr_list_unref(list);
}

void set_label_color(gadget_rec& r, int color) { set_label_look(r.label, r.font, color); }

gboolean on_link_cross(GtkWidget*, GdkEventCrossing* e, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return FALSE;
  if (e->type == GDK_ENTER_NOTIFY) set_label_color(*r, r->hover_color);
  else {
    auto it = r->colors.find(COLOR_TEXT);
    set_label_color(*r, it == r->colors.end() ? -1 : it->second);
  }
  return FALSE;
}

gboolean on_link_release(GtkWidget*, GdkEventButton* e, gpointer d) {
  if (e->button == 1) raise_gadget_event(gadget_of_data(d), SUBTYPE_CLICK);
  return FALSE;
}

void on_link_realize(GtkWidget* w, gpointer) {
  GdkCursor* c = gdk_cursor_new_from_name(gtk_widget_get_display(w), "pointer");
  if (c) {
    gdk_window_set_cursor(gtk_widget_get_window(w), c);
    g_object_unref(c);
  }
}

// Entry filters: digits only, upper or lower case (an editable drop-down
// has its own case flags).
void on_entry_insert(GtkEditable* e, gchar* text, gint length, gint* position, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return;
  const bool combo = r->kind == GADGET_COMBO_BOX;
  const bool numeric = !combo && (r->flags & ENTRY_NUMERIC);
  const bool upper = r->flags & (combo ? COMBO_UPPER_CASE : ENTRY_UPPER_CASE);
  const bool lower = r->flags & (combo ? COMBO_LOWER_CASE : ENTRY_LOWER_CASE);
  std::string in(text, length < 0 ? strlen(text) : size_t(length));
  std::string out;
  if (numeric) {
    for (char c : in)
      if (c >= '0' && c <= '9') out += c;
  } else if (upper || lower) {
    gchar* conv = upper ? g_utf8_strup(in.c_str(), -1) : g_utf8_strdown(in.c_str(), -1);
    out = conv;
    g_free(conv);
  } else {
    return;
  }
  if (out == in) return;
  g_signal_handlers_block_by_func(e, (gpointer)on_entry_insert, d);
  gtk_editable_insert_text(e, out.c_str(), (gint)out.size(), position);
  g_signal_handlers_unblock_by_func(e, (gpointer)on_entry_insert, d);
  g_signal_stop_emission_by_name(e, "insert-text");
}

// Spin: arrows raise 4 / 5 (a numeric spin steps its value), typing 768.
void spin_show_value(gadget_rec& r) {
  suppress quiet;
  gtk_entry_set_text(GTK_ENTRY(r.inner), std::to_string(r.value).c_str());
}

void on_spin_arrow(GtkButton* b, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return;
  bool up = GTK_WIDGET(b) == r->up;
  if (r->flags & SPIN_NUMERIC) {
    r->value = std::clamp(r->value + (up ? 1 : -1), r->minimum, r->maximum);
    spin_show_value(*r);
  }
  raise_gadget_event(r->n, up ? SUBTYPE_SPIN_UP : SUBTYPE_SPIN_DOWN);
}

void on_spin_changed(GtkEditable*, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return;
  if (r->flags & SPIN_NUMERIC) {
    const char* t = gtk_entry_get_text(GTK_ENTRY(r->inner));
    if (*t) r->value = std::clamp((int)g_ascii_strtoll(t, nullptr, 10), r->minimum, r->maximum);
  }
  raise_gadget_event(r->n, SUBTYPE_CHANGE);
}

gboolean on_spin_focus_out(GtkWidget*, GdkEvent*, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (r && (r->flags & SPIN_NUMERIC)) spin_show_value(*r);
  return FALSE;
}

gboolean on_canvas_draw(GtkWidget*, cairo_t* cr, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (r && r->surface) {
    cairo_set_source_surface(cr, r->surface, 0, 0);
    cairo_paint(cr);
  }
  return FALSE;
}

GtkWidget* tab_label(const text_t& text, GdkPixbuf* image) {
  GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
  if (image) gtk_box_pack_start(GTK_BOX(box), gtk_image_new_from_pixbuf(image), FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), gtk_label_new(u8(text).c_str()), FALSE, FALSE, 0);
  gtk_widget_show_all(box);
  return box;
}

GtkWidget* tab_label_text_widget(GtkWidget* box) {
  GtkWidget* found = nullptr;
  GList* kids = gtk_container_get_children(GTK_CONTAINER(box));
  for (GList* k = kids; k; k = k->next)
    if (GTK_IS_LABEL(k->data)) found = GTK_WIDGET(k->data);
  g_list_free(kids);
  return found;
}

GtkTextBuffer* buffer_of(gadget_rec& r) { return gtk_text_view_get_buffer(GTK_TEXT_VIEW(r.widget)); }

// Text-view text cache, refreshed on every change of the buffer.
struct text_cache {
  text_t text;
  bool valid = false;
  uint64_t revision = 1;
};
std::map<int, text_cache> text_caches;

void on_buffer_changed(GtkTextBuffer*, gpointer d) {
  auto& c = text_caches[gadget_of_data(d)];
  c.valid = false;
  ++c.revision;
  raise_gadget_event(gadget_of_data(d), SUBTYPE_CHANGE);
}

text_t buffer_text(gadget_rec& r) {
  auto& c = text_caches[r.n];
  if (!c.valid) {
    GtkTextIter a, b;
    gtk_text_buffer_get_bounds(buffer_of(r), &a, &b);
    gchar* t = gtk_text_buffer_get_text(buffer_of(r), &a, &b, FALSE);
    c.text = u16(t);
    g_free(t);
    c.valid = true;
  }
  return c.text;
}

int combo_count(gadget_rec& r) {
  return gtk_tree_model_iter_n_children(GTK_TREE_MODEL(r.combo_store), nullptr);
}

bool combo_iter(gadget_rec& r, int i, GtkTreeIter* it) {
  return i >= 0 && gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(r.combo_store), it, nullptr, i);
}

text_t combo_item_text(gadget_rec& r, int i) {
  GtkTreeIter it;
  if (!combo_iter(r, i, &it)) return {};
  gchar* t = nullptr;
  gtk_tree_model_get(GTK_TREE_MODEL(r.combo_store), &it, 1, &t, -1);
  text_t s = u16(t);
  g_free(t);
  return s;
}

int text_view_line_count(gadget_rec& r) {
  GtkTextBuffer* b = buffer_of(r);
  if (!(r.flags & TEXT_VIEW_WORD_WRAP) ||
      gtk_text_view_get_wrap_mode(GTK_TEXT_VIEW(r.widget)) == GTK_WRAP_NONE ||
      !gtk_widget_get_realized(r.widget))
    return gtk_text_buffer_get_line_count(b);
  GtkTextIter it;
  gtk_text_buffer_get_start_iter(b, &it);
  int n = 1;
  while (gtk_text_view_forward_display_line(GTK_TEXT_VIEW(r.widget), &it)) ++n;
  // forward_display_line moves to the end on the last line
  if (gtk_text_iter_is_end(&it) && gtk_text_iter_starts_line(&it) && n > 1 &&
      gtk_text_iter_get_line_offset(&it) == 0 && gtk_text_buffer_get_char_count(b) > 0) {
    GtkTextIter end;
    gtk_text_buffer_get_end_iter(b, &end);
    gunichar last = 0;
    if (gtk_text_iter_backward_char(&end)) last = gtk_text_iter_get_char(&end);
    if (last != '\n') --n;
  }
  return std::max(1, n);
}

bool line_bounds(gadget_rec& r, int line, GtkTextIter* a, GtkTextIter* b) {
  GtkTextBuffer* buf = buffer_of(r);
  if (line < 0 || line >= gtk_text_buffer_get_line_count(buf)) return false;
  gtk_text_buffer_get_iter_at_line(buf, a, line);
  *b = *a;
  if (!gtk_text_iter_ends_line(b)) gtk_text_iter_forward_to_line_end(b);
  return true;
}

void set_adjustment(gadget_rec& r) {
  GtkAdjustment* a = gtk_range_get_adjustment(GTK_RANGE(r.widget));
  suppress quiet;
  if (r.kind == GADGET_SCROLL_BAR) {
    int page = std::max(1, r.page);
    int top = std::max(r.minimum, r.maximum - page + 1);
    r.value = std::clamp(r.value, r.minimum, top);
    gtk_adjustment_configure(a, r.value, r.minimum, r.maximum + 1, 1, page, page);
  } else {
    r.value = std::clamp(r.value, r.minimum, std::max(r.minimum, r.maximum));
    gtk_adjustment_configure(a, r.value, r.minimum, std::max(r.minimum, r.maximum), 1, 1, 0);
  }
}

void progress_show(gadget_rec& r) {
  double span = r.maximum - r.minimum;
  double f = span <= 0 ? (r.value >= r.maximum ? 1.0 : 0.0) : (r.value - r.minimum) / span;
  gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(r.widget), std::clamp(f, 0.0, 1.0));
}

GtkWidget* anchor_of_group(GtkWidget* radio) {
  for (GSList* l = gtk_radio_button_get_group(GTK_RADIO_BUTTON(radio)); l; l = l->next)
    if (!g_object_get_data(G_OBJECT(l->data), "vx-gadget")) return GTK_WIDGET(l->data);
  return nullptr;
}

}  // namespace

GdkRGBA rgba_of(int c) {
  return GdkRGBA{(c & 0xff) / 255.0, ((c >> 8) & 0xff) / 255.0, ((c >> 16) & 0xff) / 255.0, 1.0};
}

void apply_style(gadget_rec& r) {
  std::string css;
  if (r.font) css += std::string("* {") + font_css(r.font) + "}\n";
  std::string colors;
  auto fg = r.colors.find(COLOR_TEXT);
  auto bg = r.colors.find(COLOR_BACKGROUND);
  if (r.kind != GADGET_HYPERLINK && fg != r.colors.end()) colors += "color: " + css_color(fg->second) + ";";
  if (bg != r.colors.end())
    colors += "background-color: " + css_color(bg->second) + "; background-image: none;";
  if (!colors.empty()) css += std::string(color_selector(r.kind)) + " {" + colors + "}\n";
  GtkCssProvider* old = r.css;
  GtkCssProvider* p = nullptr;
  if (!css.empty()) {
    // Gadgets of one look share one provider (a window holds hundreds).
    static std::map<std::string, GtkCssProvider*> providers;
    GtkCssProvider*& shared = providers[css];
    if (!shared) {
      shared = gtk_css_provider_new();
      gtk_css_provider_load_from_data(shared, css.c_str(), -1, nullptr);
    }
    p = GTK_CSS_PROVIDER(g_object_ref(shared));
  }

  add_provider_tree(r.outer, GTK_STYLE_PROVIDER(old), GTK_STYLE_PROVIDER(p), r.n);
  if (old) g_object_unref(old);
  r.css = p;
  if (r.kind == GADGET_HYPERLINK) set_label_color(r, fg == r.colors.end() ? -1 : fg->second);
  if (r.kind == GADGET_LABEL) set_label_look(r.widget, r.font, -1);
  touch();
}

void destroy_gadget(int g) {
  auto it = gadgets.find(g);
  if (it == gadgets.end()) return;
  std::unique_ptr<gadget_rec> r = std::move(it->second);
  gadgets.erase(it);
  drop_bindings_of_gadget(g);
  text_caches.erase(g);
  // Gadgets inside a container or a tab go with it.
  std::vector<int> inside;
  for (auto& [n, c] : gadgets) {
    if (c->window != r->window) continue;
    GtkWidget* p = gtk_widget_get_parent(c->outer);
    for (; p; p = gtk_widget_get_parent(p))
      if (p == r->outer) {
        inside.push_back(n);
        break;
      }
  }
  for (int n : inside) destroy_gadget(n);
  if (r->store) g_object_unref(r->store);
  if (r->combo_store) g_object_unref(r->combo_store);
  if (r->surface) cairo_surface_destroy(r->surface);
  if (r->font) pango_font_description_free(r->font);
  if (r->css) g_object_unref(r->css);
  gtk_widget_destroy(r->outer);
  touch();
}

void destroy_gadgets_of_window(int window) {
  std::vector<int> mine;
  for (auto& [n, r] : gadgets)
    if (r->window == window) mine.push_back(n);
  for (int n : mine) {
    auto it = gadgets.find(n);
    if (it == gadgets.end()) continue;
    gadget_rec& r = *it->second;
    drop_bindings_of_gadget(n);
    text_caches.erase(n);
    if (r.store) g_object_unref(r.store);
    if (r.combo_store) g_object_unref(r.combo_store);
    if (r.surface) cairo_surface_destroy(r.surface);
    if (r.font) pango_font_description_free(r.font);
    if (r.css) g_object_unref(r.css);
    gadgets.erase(it);  // the widgets go with the window
  }
}

uint64_t text_revision(int g) {
  auto it = text_caches.find(g);
  return it == text_caches.end() ? 0 : it->second.revision;
}

}  // namespace gui

using namespace gui;

// ---- Creation ---------------------------------------------------------------------------------

int gadget_create_button(int g, int x, int y, int width, int height, const text_t& text) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_BUTTON, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  r->outer = r->widget = gtk_button_new_with_label(u8(text).c_str());
  g_signal_connect(r->widget, "clicked", G_CALLBACK(on_clicked), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_entry_ex(int g, int x, int y, int width, int height, const text_t& text, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_ENTRY, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->outer = r->widget = gtk_entry_new();
  GtkEntry* e = GTK_ENTRY(r->widget);
  gtk_entry_set_width_chars(e, 1);
  gtk_entry_set_text(e, u8(text).c_str());
  if (flags & ENTRY_PASSWORD) gtk_entry_set_visibility(e, FALSE);
  if (flags & ENTRY_READ_ONLY) gtk_editable_set_editable(GTK_EDITABLE(e), FALSE);
  if (flags & ENTRY_NO_FRAME) gtk_entry_set_has_frame(e, FALSE);
  if (flags & ENTRY_NUMERIC) gtk_entry_set_input_purpose(e, GTK_INPUT_PURPOSE_DIGITS);
  g_signal_connect(r->widget, "insert-text", G_CALLBACK(on_entry_insert), data_of(g));
  g_signal_connect(r->widget, "changed", G_CALLBACK(on_changed), data_of(g));
  g_signal_connect(r->widget, "focus-in-event", G_CALLBACK(on_focus_in), data_of(g));
  g_signal_connect(r->widget, "focus-out-event", G_CALLBACK(on_focus_out), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_entry(int g, int x, int y, int width, int height, const text_t& text) {
  return gadget_create_entry_ex(g, x, y, width, height, text, 0);
}

int gadget_create_label_ex(int g, int x, int y, int width, int height, const text_t& text, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_LABEL, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->widget = gtk_label_new(u8(text).c_str());
  GtkLabel* l = GTK_LABEL(r->widget);
  gtk_label_set_line_wrap(l, TRUE);
  gtk_label_set_line_wrap_mode(l, PANGO_WRAP_WORD_CHAR);
  float xalign = flags & LABEL_RIGHT ? 1.0f : flags & LABEL_CENTER ? 0.5f : 0.0f;
  gtk_label_set_xalign(l, xalign);
  gtk_label_set_yalign(l, 0.0f);
  gtk_label_set_justify(l, flags & LABEL_RIGHT    ? GTK_JUSTIFY_RIGHT
                           : flags & LABEL_CENTER ? GTK_JUSTIFY_CENTER
                                                  : GTK_JUSTIFY_LEFT);
  if (flags & LABEL_SUNKEN) {
    r->outer = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(r->outer), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(r->outer), r->widget);
  } else {
    r->outer = r->widget;
  }
  return gadget_finish(r, window, layout);
}

int gadget_create_label(int g, int x, int y, int width, int height, const text_t& text) {
  return gadget_create_label_ex(g, x, y, width, height, text, 0);
}

int gadget_create_checkbox(int g, int x, int y, int width, int height, const text_t& text) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_CHECKBOX, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  r->outer = r->widget = gtk_check_button_new_with_label(u8(text).c_str());
  g_signal_connect(r->widget, "toggled", G_CALLBACK(on_toggled), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_radio_button(int g, int x, int y, int width, int height, const text_t& text) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_RADIO_BUTTON, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  window_rec* w = find_window(window);
  GtkWidget* member = radio_group_member(*w);
  r->outer = r->widget =
      gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(member), u8(text).c_str());
  g_signal_connect(r->widget, "toggled", G_CALLBACK(on_radio_toggled), data_of(g));
  gadget_finish(r, window, layout);
  remember_radio(r->widget);
  return 1;
}

int gadget_create_frame(int g, int x, int y, int width, int height, const text_t& text) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_FRAME, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  r->outer = r->widget = gtk_frame_new(text.empty() ? nullptr : u8(text).c_str());
  return gadget_finish(r, window, layout);
}

int gadget_create_combo_box_ex(int g, int x, int y, int width, int height, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_COMBO_BOX, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->combo_store = gtk_list_store_new(2, GDK_TYPE_PIXBUF, G_TYPE_STRING);
  GtkTreeModel* m = GTK_TREE_MODEL(r->combo_store);
  if (flags & COMBO_EDITABLE) {
    r->widget = gtk_combo_box_new_with_model_and_entry(m);
    gtk_combo_box_set_entry_text_column(GTK_COMBO_BOX(r->widget), 1);
    GtkWidget* entry = gtk_bin_get_child(GTK_BIN(r->widget));
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
    g_signal_connect(entry, "insert-text", G_CALLBACK(on_entry_insert), data_of(g));
    g_signal_connect(entry, "changed", G_CALLBACK(on_changed), data_of(g));
    if (flags & COMBO_IMAGES) {
      GtkCellRenderer* pix = gtk_cell_renderer_pixbuf_new();
      gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(r->widget), pix, FALSE);
      gtk_cell_layout_reorder(GTK_CELL_LAYOUT(r->widget), pix, 0);
      gtk_cell_layout_add_attribute(GTK_CELL_LAYOUT(r->widget), pix, "pixbuf", 0);
    }
  } else {
    r->widget = gtk_combo_box_new_with_model(m);
    if (flags & COMBO_IMAGES) {
      GtkCellRenderer* pix = gtk_cell_renderer_pixbuf_new();
      gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(r->widget), pix, FALSE);
      gtk_cell_layout_add_attribute(GTK_CELL_LAYOUT(r->widget), pix, "pixbuf", 0);
    }
    GtkCellRenderer* text = gtk_cell_renderer_text_new();
    g_object_set(text, "ellipsize", PANGO_ELLIPSIZE_END, nullptr);
    gtk_cell_layout_pack_start(GTK_CELL_LAYOUT(r->widget), text, TRUE);
    gtk_cell_layout_add_attribute(GTK_CELL_LAYOUT(r->widget), text, "text", 1);
  }
  r->outer = r->widget;
  g_signal_connect(r->widget, "changed", G_CALLBACK(on_changed), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_combo_box(int g, int x, int y, int width, int height) {
  return gadget_create_combo_box_ex(g, x, y, width, height, 0);
}

int gadget_create_image(int g, int x, int y, int width, int height, GdkPixbuf* image) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_IMAGE, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  r->image = image;
  r->widget = image ? gtk_image_new_from_pixbuf(image) : gtk_image_new();
  r->outer = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(r->outer), FALSE);
  gtk_container_add(GTK_CONTAINER(r->outer), r->widget);
  gtk_widget_add_events(r->outer, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(r->outer, "button-press-event", G_CALLBACK(on_image_button), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_hyperlink(int g, int x, int y, int width, int height, const text_t& text,
                            int hover_color) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_HYPERLINK, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  r->hover_color = hover_color;
  r->label = gtk_label_new(u8(text).c_str());
  gtk_label_set_xalign(GTK_LABEL(r->label), 0.0f);
  r->outer = r->widget = gtk_event_box_new();
  gtk_event_box_set_visible_window(GTK_EVENT_BOX(r->outer), TRUE);
  gtk_container_add(GTK_CONTAINER(r->outer), r->label);
  gtk_widget_add_events(r->outer, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                      GDK_ENTER_NOTIFY_MASK | GDK_LEAVE_NOTIFY_MASK);
  g_signal_connect(r->outer, "enter-notify-event", G_CALLBACK(on_link_cross), data_of(g));
  g_signal_connect(r->outer, "leave-notify-event", G_CALLBACK(on_link_cross), data_of(g));
  g_signal_connect(r->outer, "button-release-event", G_CALLBACK(on_link_release), data_of(g));
  g_signal_connect(r->outer, "realize", G_CALLBACK(on_link_realize), nullptr);
  return gadget_finish(r, window, layout);
}

int gadget_create_container_ex(int g, int x, int y, int width, int height, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_CONTAINER, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->outer = r->widget = gtk_frame_new(nullptr);
  GtkShadowType shadow = flags & CONTAINER_ETCHED                        ? GTK_SHADOW_ETCHED_IN
                         : flags & CONTAINER_RAISED                      ? GTK_SHADOW_OUT
                         : flags & (CONTAINER_SUNKEN | CONTAINER_SUNKEN2) ? GTK_SHADOW_IN
                                                                         : GTK_SHADOW_NONE;
  gtk_frame_set_shadow_type(GTK_FRAME(r->outer), shadow);
  r->inner = gtk_fixed_new();
  gtk_container_add(GTK_CONTAINER(r->outer), r->inner);
  return gadget_finish(r, window, layout);
}

int gadget_create_container(int g, int x, int y, int width, int height) {
  return gadget_create_container_ex(g, x, y, width, height, 0);
}

int gadget_create_column_list_ex(int g, int x, int y, int width, int height, const text_t& first_title,
                                 int first_width, int flags) {
  return list_create(g, x, y, width, height, first_title, first_width, flags);
}

int gadget_create_column_list(int g, int x, int y, int width, int height, const text_t& first_title,
                              int first_width) {
  return list_create(g, x, y, width, height, first_title, first_width, 0);
}


int gadget_create_progress_bar_ex(int g, int x, int y, int width, int height, int minimum,
                                  int maximum, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_PROGRESS_BAR, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->outer = r->widget = gtk_progress_bar_new();
  if (flags & PROGRESS_BAR_VERTICAL) {
    gtk_orientable_set_orientation(GTK_ORIENTABLE(r->widget), GTK_ORIENTATION_VERTICAL);
    gtk_progress_bar_set_inverted(GTK_PROGRESS_BAR(r->widget), TRUE);
  }
  r->minimum = minimum;
  r->maximum = maximum;
  r->value = minimum;
  progress_show(*r);
  return gadget_finish(r, window, layout);
}

int gadget_create_progress_bar(int g, int x, int y, int width, int height, int minimum, int maximum) {
  return gadget_create_progress_bar_ex(g, x, y, width, height, minimum, maximum, 0);
}

int gadget_create_scroll_bar(int g, int x, int y, int width, int height, int minimum, int maximum,
                             int page_length, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_SCROLL_BAR, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  GtkAdjustment* a = gtk_adjustment_new(0, 0, 1, 1, 1, 1);
  r->outer = r->widget = gtk_scrollbar_new(
      flags & SCROLL_BAR_VERTICAL ? GTK_ORIENTATION_VERTICAL : GTK_ORIENTATION_HORIZONTAL, a);
  r->minimum = minimum;
  r->maximum = maximum;
  r->page = page_length;
  r->value = minimum;
  set_adjustment(*r);
  g_signal_connect(a, "value-changed", G_CALLBACK(on_value_changed), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_slider(int g, int x, int y, int width, int height, int minimum, int maximum, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_SLIDER, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  GtkAdjustment* a = gtk_adjustment_new(0, 0, 1, 1, 1, 0);
  r->outer = r->widget = gtk_scale_new(
      flags & SLIDER_VERTICAL ? GTK_ORIENTATION_VERTICAL : GTK_ORIENTATION_HORIZONTAL, a);
  gtk_scale_set_draw_value(GTK_SCALE(r->widget), FALSE);
  gtk_scale_set_digits(GTK_SCALE(r->widget), 0);
  r->minimum = minimum;
  r->maximum = maximum;
  r->value = minimum;
  set_adjustment(*r);
  if ((flags & SLIDER_TICKS) && maximum > minimum && maximum - minimum <= 100) {
    for (int v = minimum; v <= maximum; ++v)
      gtk_scale_add_mark(GTK_SCALE(r->widget), v, GTK_POS_BOTTOM, nullptr);
  }
  g_signal_connect(a, "value-changed", G_CALLBACK(on_value_changed), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_image_button(int g, int x, int y, int width, int height, GdkPixbuf* image) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_IMAGE_BUTTON, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  r->image = image;
  r->outer = r->widget = gtk_button_new();
  if (image) gtk_button_set_image(GTK_BUTTON(r->widget), gtk_image_new_from_pixbuf(image));
  gtk_button_set_always_show_image(GTK_BUTTON(r->widget), TRUE);
  g_signal_connect(r->widget, "clicked", G_CALLBACK(on_clicked), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_text_view_ex(int g, int x, int y, int width, int height, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_TEXT_VIEW, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->outer = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(r->outer), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(r->outer), GTK_SHADOW_IN);
  r->widget = gtk_text_view_new();
  GtkTextView* v = GTK_TEXT_VIEW(r->widget);
  if (flags & TEXT_VIEW_READ_ONLY) gtk_text_view_set_editable(v, FALSE);
  if (flags & TEXT_VIEW_WORD_WRAP) gtk_text_view_set_wrap_mode(v, GTK_WRAP_WORD_CHAR);
  if (flags & TEXT_VIEW_TAB_MOVES_FOCUS) gtk_text_view_set_accepts_tab(v, FALSE);
  gtk_container_add(GTK_CONTAINER(r->outer), r->widget);
  g_signal_connect(gtk_text_view_get_buffer(v), "changed", G_CALLBACK(on_buffer_changed), data_of(g));
  g_signal_connect(r->widget, "focus-in-event", G_CALLBACK(on_focus_in), data_of(g));
  g_signal_connect(r->widget, "focus-out-event", G_CALLBACK(on_focus_out), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_text_view(int g, int x, int y, int width, int height) {
  return gadget_create_text_view_ex(g, x, y, width, height, 0);
}

int gadget_create_spin(int g, int x, int y, int width, int height, int minimum, int maximum, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_SPIN, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->minimum = minimum;
  r->maximum = std::max(minimum, maximum);
  r->value = minimum;
  r->outer = r->widget = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  gtk_style_context_add_class(gtk_widget_get_style_context(r->outer), "linked");
  gtk_style_context_add_class(gtk_widget_get_style_context(r->outer), "vx-spin");
  r->inner = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(r->inner), 1);
  if (flags & SPIN_READ_ONLY) gtk_editable_set_editable(GTK_EDITABLE(r->inner), FALSE);
  GtkWidget* arrows = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
  r->up = gtk_button_new_from_icon_name("pan-up-symbolic", GTK_ICON_SIZE_MENU);
  r->down = gtk_button_new_from_icon_name("pan-down-symbolic", GTK_ICON_SIZE_MENU);
  for (GtkWidget* b : {r->up, r->down}) {
    gtk_widget_set_can_focus(b, FALSE);
    gtk_widget_set_size_request(b, 18, std::max(1, height / 2));
    gtk_box_pack_start(GTK_BOX(arrows), b, TRUE, TRUE, 0);
    g_signal_connect(b, "clicked", G_CALLBACK(on_spin_arrow), data_of(g));
  }
  gtk_box_pack_start(GTK_BOX(r->outer), r->inner, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(r->outer), arrows, FALSE, FALSE, 0);
  if (flags & SPIN_NUMERIC) {
    gtk_entry_set_text(GTK_ENTRY(r->inner), std::to_string(r->value).c_str());
    r->flags |= ENTRY_NUMERIC;  // digits only, through the entry filter
  }
  g_signal_connect(r->inner, "insert-text", G_CALLBACK(on_entry_insert), data_of(g));
  g_signal_connect(r->inner, "changed", G_CALLBACK(on_spin_changed), data_of(g));
  g_signal_connect(r->inner, "focus-out-event", G_CALLBACK(on_spin_focus_out), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_tab_panel(int g, int x, int y, int width, int height) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_TAB_PANEL, x, y, width, height, 0, &layout, &window);
  if (!r) return 0;
  r->outer = r->widget = gtk_notebook_new();
  gtk_notebook_set_scrollable(GTK_NOTEBOOK(r->widget), TRUE);
  g_signal_connect_after(r->widget, "switch-page", G_CALLBACK(on_switch_page), data_of(g));
  return gadget_finish(r, window, layout);
}

int gadget_create_canvas(int g, int x, int y, int width, int height, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_CANVAS, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->widget = gtk_drawing_area_new();
  if (flags & CANVAS_KEYBOARD) gtk_widget_set_can_focus(r->widget, TRUE);
  r->surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, width), std::max(1, height));
  cairo_t* cr = cairo_create(r->surface);
  cairo_set_source_rgb(cr, 1, 1, 1);
  cairo_paint(cr);
  cairo_destroy(cr);
  if (flags & CANVAS_BORDER) {
    r->outer = gtk_frame_new(nullptr);
    gtk_frame_set_shadow_type(GTK_FRAME(r->outer), GTK_SHADOW_IN);
    gtk_container_add(GTK_CONTAINER(r->outer), r->widget);
  } else {
    r->outer = r->widget;
  }
  gtk_widget_add_events(r->widget, GDK_BUTTON_PRESS_MASK);
  g_signal_connect(r->widget, "draw", G_CALLBACK(on_canvas_draw), data_of(g));
  g_signal_connect(r->widget, "button-press-event", G_CALLBACK(on_image_button), data_of(g));
  return gadget_finish(r, window, layout);
}

// ---- Items ----------------------------------------------------------------------------------------

void gadget_add_column(int g, int position, const text_t& title, int width) {
  if (gadget_rec* r = find_gadget_kind(g, GADGET_COLUMN_LIST)) list_add_column(*r, position, title, width);
}

void gadget_add_item_image(int g, int position, const text_t& text, GdkPixbuf* image) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  suppress quiet;
  switch (r->kind) {
    case GADGET_COLUMN_LIST: list_add_item(*r, position, text, image); break;
    case GADGET_COMBO_BOX: {
      GtkTreeIter it;
      int n = combo_count(*r);
      gtk_list_store_insert_with_values(r->combo_store, &it, position < 0 || position > n ? n : position,
                                        0, image, 1, u8(text).c_str(), -1);
      break;
    }
    case GADGET_TEXT_VIEW: {
      GtkTextBuffer* b = buffer_of(*r);
      int lines = gtk_text_buffer_get_line_count(b);
      if (position < 0 || position >= lines) {
        GtkTextIter end;
        gtk_text_buffer_get_end_iter(b, &end);
        std::string s = u8(text);
        // A buffer that ends with a line feed takes the new line after it.
        if (gtk_text_buffer_get_char_count(b) > 0 && !gtk_text_iter_starts_line(&end)) s = "\n" + s;
        gtk_text_buffer_insert(b, &end, s.c_str(), -1);
      } else {
        GtkTextIter at;
        gtk_text_buffer_get_iter_at_line(b, &at, position);
        std::string s = u8(text) + "\n";
        gtk_text_buffer_insert(b, &at, s.c_str(), -1);
      }
      break;
    }
    case GADGET_TAB_PANEL: {
      GtkWidget* page = gtk_fixed_new();
      gtk_widget_show(page);
      int n = (int)r->tabs.size();
      int at = position < 0 || position > n ? n : position;
      gtk_notebook_insert_page(GTK_NOTEBOOK(r->widget), page, tab_label(text, image), at);
      r->tabs.insert(r->tabs.begin() + at, page);
      tab_added(g, r->window, at);
      break;
    }
    default: break;
  }
}

void gadget_add_item(int g, int position, const text_t& text) { gadget_add_item_image(g, position, text, nullptr); }

void gadget_add_items(int g, const std::vector<text_t>& rows) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  if (r->kind == GADGET_COLUMN_LIST) {
    suppress quiet;
    list_add_items(*r, rows);
    return;
  }
  for (const text_t& t : rows) gadget_add_item(g, -1, t);
}

void gadget_remove_item(int g, int index) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  suppress quiet;
  switch (r->kind) {
    case GADGET_COLUMN_LIST: list_remove_item(*r, index); break;
    case GADGET_COMBO_BOX: {
      GtkTreeIter it;
      if (combo_iter(*r, index, &it)) gtk_list_store_remove(r->combo_store, &it);
      break;
    }
    case GADGET_TEXT_VIEW: {
      GtkTextIter a, b;
      if (!line_bounds(*r, index, &a, &b)) break;
      if (!gtk_text_iter_is_end(&b)) gtk_text_iter_forward_char(&b);
      else if (index > 0) gtk_text_iter_backward_char(&a);
      gtk_text_buffer_delete(buffer_of(*r), &a, &b);
      break;
    }
    case GADGET_TAB_PANEL:
      if (index >= 0 && index < (int)r->tabs.size()) {
        gtk_notebook_remove_page(GTK_NOTEBOOK(r->widget), index);
        r->tabs.erase(r->tabs.begin() + index);
      }
      break;
    default: break;
  }
}

void gadget_clear_items(int g) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  suppress quiet;
  switch (r->kind) {
    case GADGET_COLUMN_LIST: list_clear(*r); break;
    case GADGET_COMBO_BOX: gtk_list_store_clear(r->combo_store); break;
    case GADGET_TEXT_VIEW: gtk_text_buffer_set_text(buffer_of(*r), "", 0); break;
    case GADGET_TAB_PANEL:
      while (!r->tabs.empty()) {
        gtk_notebook_remove_page(GTK_NOTEBOOK(r->widget), -1);
        r->tabs.pop_back();
      }
      break;
    default: break;
  }
}

int gadget_count_items(int g) {
  gadget_rec* r = find_gadget(g);
  if (!r) return 0;
  switch (r->kind) {
    case GADGET_COLUMN_LIST: return list_count(*r);
    case GADGET_COMBO_BOX: return combo_count(*r);
    case GADGET_TEXT_VIEW: return text_view_line_count(*r);
    case GADGET_TAB_PANEL: return (int)r->tabs.size();
    default: return 0;
  }
}

text_t gadget_get_text(int g) {
  gadget_rec* r = find_gadget(g);
  if (!r) return {};
  switch (r->kind) {
    case GADGET_BUTTON:
    case GADGET_CHECKBOX:
    case GADGET_RADIO_BUTTON: return u16(gtk_button_get_label(GTK_BUTTON(r->widget)));
    case GADGET_ENTRY: return u16(gtk_entry_get_text(GTK_ENTRY(r->widget)));
    case GADGET_SPIN: return u16(gtk_entry_get_text(GTK_ENTRY(r->inner)));
    case GADGET_LABEL: return u16(gtk_label_get_text(GTK_LABEL(r->widget)));
    case GADGET_HYPERLINK: return u16(gtk_label_get_text(GTK_LABEL(r->label)));
    case GADGET_FRAME: return u16(gtk_frame_get_label(GTK_FRAME(r->widget)));
    case GADGET_TEXT_VIEW: return buffer_text(*r);
    case GADGET_COMBO_BOX: {
      if (r->flags & COMBO_EDITABLE)
        return u16(gtk_entry_get_text(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(r->widget)))));
      return combo_item_text(*r, gtk_combo_box_get_active(GTK_COMBO_BOX(r->widget)));
    }
    default: return {};
  }
}

void gadget_set_text(int g, const text_t& text) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  if (gadget_get_text(g) == text) return;
  suppress quiet;
  std::string s = u8(text);
  switch (r->kind) {
    case GADGET_BUTTON:
    case GADGET_CHECKBOX:
    case GADGET_RADIO_BUTTON:
      gtk_button_set_label(GTK_BUTTON(r->widget), s.c_str());
      if (r->font || r->css) apply_style(*r);  // the new label widget takes the look
      break;
    case GADGET_ENTRY: gtk_entry_set_text(GTK_ENTRY(r->widget), s.c_str()); break;
    case GADGET_SPIN: {
      gtk_entry_set_text(GTK_ENTRY(r->inner), s.c_str());
      if (r->flags & SPIN_NUMERIC && !s.empty())
        r->value = std::clamp((int)g_ascii_strtoll(s.c_str(), nullptr, 10), r->minimum, r->maximum);
      break;
    }
    case GADGET_LABEL: gtk_label_set_text(GTK_LABEL(r->widget), s.c_str()); break;
    case GADGET_HYPERLINK: gtk_label_set_text(GTK_LABEL(r->label), s.c_str()); break;
    case GADGET_FRAME: gtk_frame_set_label(GTK_FRAME(r->widget), s.empty() ? nullptr : s.c_str()); break;
    case GADGET_TEXT_VIEW: gtk_text_buffer_set_text(buffer_of(*r), s.c_str(), (gint)s.size()); break;
    case GADGET_COMBO_BOX: {
      if (r->flags & COMBO_EDITABLE) {
        gtk_entry_set_text(GTK_ENTRY(gtk_bin_get_child(GTK_BIN(r->widget))), s.c_str());
      } else {
        int n = combo_count(*r);
        for (int i = 0; i < n; ++i)
          if (combo_item_text(*r, i) == text) {
            gtk_combo_box_set_active(GTK_COMBO_BOX(r->widget), i);
            break;
          }
      }
      break;
    }
    default: break;
  }
}

text_t gadget_get_item_text(int g, int item, int column) {
  gadget_rec* r = find_gadget(g);
  if (!r) return {};
  switch (r->kind) {
    case GADGET_COLUMN_LIST: return list_get_item_text(*r, item, column);
    case GADGET_COMBO_BOX: return combo_item_text(*r, item);
    case GADGET_TEXT_VIEW: {
      GtkTextIter a, b;
      if (!line_bounds(*r, item, &a, &b)) return {};
      gchar* t = gtk_text_buffer_get_text(buffer_of(*r), &a, &b, FALSE);
      text_t s = u16(t);
      g_free(t);
      return s;
    }
    case GADGET_TAB_PANEL: {
      if (item < 0 || item >= (int)r->tabs.size()) return {};
      GtkWidget* box = gtk_notebook_get_tab_label(GTK_NOTEBOOK(r->widget), r->tabs[item]);
      GtkWidget* l = box ? tab_label_text_widget(box) : nullptr;
      return l ? u16(gtk_label_get_text(GTK_LABEL(l))) : text_t();
    }
    default: return {};
  }
}

void gadget_set_item_text(int g, int item, const text_t& text, int column) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  if (r->kind == GADGET_TEXT_VIEW) {
    // The one setter that may raise a change event.
    GtkTextIter a, b;
    if (!line_bounds(*r, item, &a, &b)) return;
    GtkTextBuffer* buf = buffer_of(*r);
    gtk_text_buffer_delete(buf, &a, &b);
    std::string s = u8(text);
    gtk_text_buffer_insert(buf, &a, s.c_str(), (gint)s.size());
    touch();
    return;
  }
  suppress quiet;
  switch (r->kind) {
    case GADGET_COLUMN_LIST: list_set_item_text(*r, item, text, column); break;
    case GADGET_COMBO_BOX: {
      GtkTreeIter it;
      if (combo_iter(*r, item, &it)) gtk_list_store_set(r->combo_store, &it, 1, u8(text).c_str(), -1);
      break;
    }
    case GADGET_TAB_PANEL: {
      if (item < 0 || item >= (int)r->tabs.size()) return;
      GtkWidget* box = gtk_notebook_get_tab_label(GTK_NOTEBOOK(r->widget), r->tabs[item]);
      GtkWidget* l = box ? tab_label_text_widget(box) : nullptr;
      if (l) gtk_label_set_text(GTK_LABEL(l), u8(text).c_str());
      break;
    }
    default: break;
  }
}

text_t gadget_get_item_text_col0(int g, int item) { return gadget_get_item_text(g, item, 0); }
void gadget_set_item_text_col0(int g, int item, const text_t& text) { gadget_set_item_text(g, item, text, 0); }

int gadget_get_state(int g) {
  gadget_rec* r = find_gadget(g);
  if (!r) return 0;
  switch (r->kind) {
    case GADGET_CHECKBOX:
    case GADGET_RADIO_BUTTON: return gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(r->widget)) ? 1 : 0;
    case GADGET_COMBO_BOX: return gtk_combo_box_get_active(GTK_COMBO_BOX(r->widget));
    case GADGET_COLUMN_LIST: return list_get_state(*r);
    case GADGET_PROGRESS_BAR:
    case GADGET_SCROLL_BAR:
    case GADGET_SLIDER:
    case GADGET_SPIN: return r->value;
    case GADGET_TAB_PANEL: return gtk_notebook_get_current_page(GTK_NOTEBOOK(r->widget));
    default: return 0;
  }
}

void gadget_set_state(int g, int state) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  switch (r->kind) {
    case GADGET_CHECKBOX: {
      bool on = state != 0;
      if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(r->widget)) == on) return;
      suppress quiet;
      gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(r->widget), on);
      return;
    }
    case GADGET_RADIO_BUTTON: {
      bool on = state != 0;
      if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(r->widget)) == on) return;
      suppress quiet;
      GtkWidget* target = on ? r->widget : anchor_of_group(r->widget);
      if (target) gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(target), TRUE);
      return;
    }
    case GADGET_COMBO_BOX: {
      int n = combo_count(*r);
      int s = state < 0 || state >= n ? -1 : state;
      if (gtk_combo_box_get_active(GTK_COMBO_BOX(r->widget)) == s) return;
      suppress quiet;
      gtk_combo_box_set_active(GTK_COMBO_BOX(r->widget), s);
      return;
    }
    case GADGET_COLUMN_LIST: list_set_state(*r, state); return;
    case GADGET_PROGRESS_BAR:
      if (r->value == state) return;
      r->value = state;
      progress_show(*r);
      touch();
      return;
    case GADGET_SCROLL_BAR:
    case GADGET_SLIDER: {
      int top = r->kind == GADGET_SCROLL_BAR ? std::max(r->minimum, r->maximum - std::max(1, r->page) + 1)
                                             : std::max(r->minimum, r->maximum);
      int v = std::clamp(state, r->minimum, top);
      if (v == r->value) return;
      r->value = v;
      suppress quiet;
      gtk_adjustment_set_value(gtk_range_get_adjustment(GTK_RANGE(r->widget)), v);
      return;
    }
    case GADGET_SPIN: {
      int v = std::clamp(state, r->minimum, r->maximum);
      if (v == r->value && !(r->flags & SPIN_NUMERIC)) return;
      r->value = v;
      if (r->flags & SPIN_NUMERIC) {
        std::string s = std::to_string(v);
        if (s == gtk_entry_get_text(GTK_ENTRY(r->inner))) return;
        spin_show_value(*r);
      }
      return;
    }
    case GADGET_TAB_PANEL: {
      if (state < 0 || state >= (int)r->tabs.size()) return;
      if (gtk_notebook_get_current_page(GTK_NOTEBOOK(r->widget)) == state) return;
      suppress quiet;
      gtk_notebook_set_current_page(GTK_NOTEBOOK(r->widget), state);
      return;
    }
    default: return;
  }
}

int gadget_get_item_state(int g, int item) {
  gadget_rec* r = find_gadget_kind(g, GADGET_COLUMN_LIST);
  return r ? list_get_item_state(*r, item) : 0;
}

void gadget_set_item_state(int g, int item, int state) {
  gadget_rec* r = find_gadget_kind(g, GADGET_COLUMN_LIST);
  if (r) list_set_item_state(*r, item, state);
}

int gadget_get_attribute(int g, int attribute) {
  gadget_rec* r = find_gadget(g);
  if (!r) return 0;
  switch (r->kind) {
    case GADGET_SCROLL_BAR:
    case GADGET_SLIDER:
    case GADGET_PROGRESS_BAR:
    case GADGET_SPIN:
      if (attribute == ATTR_MINIMUM) return r->minimum;
      if (attribute == ATTR_MAXIMUM) return r->maximum;
      if (attribute == ATTR_PAGE_LENGTH && r->kind == GADGET_SCROLL_BAR) return r->page;
      return 0;
    case GADGET_COLUMN_LIST: return list_get_attribute(*r, attribute);
    case GADGET_TEXT_VIEW:
      if (attribute == ATTR_READ_ONLY) return gtk_text_view_get_editable(GTK_TEXT_VIEW(r->widget)) ? 0 : 1;
      if (attribute == ATTR_WORD_WRAP)
        return gtk_text_view_get_wrap_mode(GTK_TEXT_VIEW(r->widget)) == GTK_WRAP_NONE ? 0 : 1;
      return 0;
    case GADGET_ENTRY:
      if (attribute == ATTR_MAX_LENGTH) return gtk_entry_get_max_length(GTK_ENTRY(r->widget));
      return 0;
    default: return 0;
  }
}

void gadget_set_attribute(int g, int attribute, int value) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  if (gadget_get_attribute(g, attribute) == value && r->kind != GADGET_ENTRY) return;
  switch (r->kind) {
    case GADGET_SCROLL_BAR:
    case GADGET_SLIDER:
      if (attribute == ATTR_MINIMUM) r->minimum = value;
      else if (attribute == ATTR_MAXIMUM) r->maximum = value;
      else if (attribute == ATTR_PAGE_LENGTH && r->kind == GADGET_SCROLL_BAR) r->page = value;
      else return;
      set_adjustment(*r);
      return;
    case GADGET_PROGRESS_BAR:
      if (attribute == ATTR_MINIMUM) r->minimum = value;
      else if (attribute == ATTR_MAXIMUM) r->maximum = value;
      else return;
      progress_show(*r);
      return;
    case GADGET_SPIN:
      if (attribute == ATTR_MINIMUM) r->minimum = value;
      else if (attribute == ATTR_MAXIMUM) r->maximum = value;
      else return;
      r->maximum = std::max(r->minimum, r->maximum);
      gadget_set_state(g, r->value);
      return;
    case GADGET_TEXT_VIEW:
      if (attribute == ATTR_READ_ONLY) gtk_text_view_set_editable(GTK_TEXT_VIEW(r->widget), !value);
      else if (attribute == ATTR_WORD_WRAP)
        gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(r->widget), value ? GTK_WRAP_WORD_CHAR : GTK_WRAP_NONE);
      if (attribute == ATTR_WORD_WRAP) r->flags = value ? r->flags | TEXT_VIEW_WORD_WRAP : r->flags & ~TEXT_VIEW_WORD_WRAP;
      return;
    case GADGET_ENTRY:
      if (attribute == ATTR_MAX_LENGTH) {
        int v = std::max(1, value);
        if (gtk_entry_get_max_length(GTK_ENTRY(r->widget)) == v) return;
        suppress quiet;
        gtk_entry_set_max_length(GTK_ENTRY(r->widget), v);
      }
      return;
    default: return;
  }
}

int gadget_get_item_attribute(int g, int item, int attribute) {
  gadget_rec* r = find_gadget_kind(g, GADGET_COLUMN_LIST);
  return r ? list_get_item_attribute(*r, item, attribute) : 0;
}

void gadget_set_item_attribute(int g, int item, int attribute, int value) {
  gadget_rec* r = find_gadget_kind(g, GADGET_COLUMN_LIST);
  if (r) list_set_item_attribute(*r, item, attribute, value);
}

void gadget_set_item_image(int g, int item, GdkPixbuf* image) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  suppress quiet;
  switch (r->kind) {
    case GADGET_COLUMN_LIST: list_set_item_image(*r, item, image); break;
    case GADGET_COMBO_BOX: {
      GtkTreeIter it;
      if (combo_iter(*r, item, &it)) gtk_list_store_set(r->combo_store, &it, 0, image, -1);
      break;
    }
    case GADGET_TAB_PANEL: {
      if (item < 0 || item >= (int)r->tabs.size()) return;
      text_t title = gadget_get_item_text(g, item, 0);
      gtk_notebook_set_tab_label(GTK_NOTEBOOK(r->widget), r->tabs[item], tab_label(title, image));
      break;
    }
    default: break;
  }
}

void gadget_set_image(int g, GdkPixbuf* image) {
  gadget_rec* r = find_gadget(g);
  if (!r || r->image == image) return;
  if (r->kind == GADGET_IMAGE) {
    r->image = image;
    gtk_image_set_from_pixbuf(GTK_IMAGE(r->widget), image);
  } else if (r->kind == GADGET_IMAGE_BUTTON) {
    r->image = image;
    GtkWidget* img = image ? gtk_image_new_from_pixbuf(image) : nullptr;
    gtk_button_set_image(GTK_BUTTON(r->widget), img);
  }
  touch();
}

// ---- Look ---------------------------------------------------------------------------------------------

int color_rgb(int red, int green, int blue) {
  return (red & 0xff) | ((green & 0xff) << 8) | ((blue & 0xff) << 16);
}

void gadget_set_color(int g, int target, int color) {
  gadget_rec* r = find_gadget(g);
  if (!r || target < COLOR_TEXT || target > COLOR_GRID) return;
  auto it = r->colors.find(target);
  if (color < 0) {
    if (it == r->colors.end()) return;
    r->colors.erase(it);
  } else {
    if (it != r->colors.end() && it->second == color) return;
    r->colors[target] = color;
  }
  apply_style(*r);
}

int gadget_get_color(int g, int target) {
  gadget_rec* r = find_gadget(g);
  if (!r) return -1;
  auto it = r->colors.find(target);
  return it == r->colors.end() ? -1 : it->second;
}

void gadget_set_item_color(int g, int item, int target, int color, int column) {
  gadget_rec* r = find_gadget_kind(g, GADGET_COLUMN_LIST);
  if (r) list_set_item_color(*r, item, target, color, column);
}

void gadget_set_item_color_all_columns(int g, int item, int target, int color) {
  gadget_set_item_color(g, item, target, color, -1);
}

int gadget_get_item_color(int g, int item, int target, int column) {
  gadget_rec* r = find_gadget_kind(g, GADGET_COLUMN_LIST);
  return r ? list_get_item_color(*r, item, target, column) : -1;
}

void gadget_set_font(int g, PangoFontDescription* font) {
  if (g == GUI_ALL) {
    if (default_font) pango_font_description_free(default_font);
    default_font = font ? pango_font_description_copy(font) : nullptr;
    return;
  }
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  if (r->font && font && pango_font_description_equal(r->font, font)) return;
  if (!r->font && !font) return;
  if (r->font) pango_font_description_free(r->font);
  r->font = font ? pango_font_description_copy(font) : nullptr;
  apply_style(*r);
}

void gadget_set_tooltip(int g, const text_t& text) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  std::string s = u8(text);
  gtk_widget_set_tooltip_text(r->outer, s.empty() ? nullptr : s.c_str());
  if (r->widget != r->outer) gtk_widget_set_tooltip_text(r->widget, s.empty() ? nullptr : s.c_str());
}

void gadget_set_disabled(int g, int state) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  gboolean sensitive = state ? FALSE : TRUE;
  if (gtk_widget_get_sensitive(r->outer) == sensitive) return;
  gtk_widget_set_sensitive(r->outer, sensitive);
  touch();
}

int gadget_get_disabled(int g) {
  gadget_rec* r = find_gadget(g);
  return r && !gtk_widget_get_sensitive(r->outer) ? 1 : 0;
}

void gadget_set_hidden(int g, int state) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  gboolean visible = state ? FALSE : TRUE;
  if (gtk_widget_get_visible(r->outer) == visible) return;
  gtk_widget_set_visible(r->outer, visible);
  touch();
}

int gadget_get_hidden(int g) {
  gadget_rec* r = find_gadget(g);
  return r && !gtk_widget_get_visible(r->outer) ? 1 : 0;
}

int gadget_exists(int g) { return find_gadget(g) ? 1 : 0; }

int gadget_kind(int g) {
  gadget_rec* r = find_gadget(g);
  return r ? r->kind : 0;
}

int gadget_window(int g) {
  gadget_rec* r = find_gadget(g);
  return r ? r->window : -1;
}

static GtkWidget* focus_target(gadget_rec& r) {
  if (r.kind == GADGET_SPIN) return r.inner;
  if (r.kind == GADGET_COMBO_BOX && (r.flags & COMBO_EDITABLE)) return gtk_bin_get_child(GTK_BIN(r.widget));
  return r.widget;
}

void gadget_set_focus(int g) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  window_rec* w = find_window(r->window);
  if (w && !w->hidden) gtk_window_present(GTK_WINDOW(w->window));
  gtk_widget_grab_focus(focus_target(*r));
  touch();
}

int gadget_get_focus() {
  window_rec* active = nullptr;
  window_rec* newest = nullptr;
  for (auto& [n, w] : windows) {
    if (gtk_window_is_active(GTK_WINDOW(w->window))) active = w.get();
    if (!w->hidden && (!newest || w->serial > newest->serial)) newest = w.get();
  }
  window_rec* w = active ? active : newest;
  if (!w) return -1;
  GtkWidget* f = gtk_window_get_focus(GTK_WINDOW(w->window));
  return f ? gadget_of_widget(f) : -1;
}

int gadget_x(int g) {
  gadget_rec* r = find_gadget(g);
  return r ? r->x : 0;
}
int gadget_y(int g) {
  gadget_rec* r = find_gadget(g);
  return r ? r->y : 0;
}
int gadget_width(int g) {
  gadget_rec* r = find_gadget(g);
  return r ? r->width : 0;
}
int gadget_height(int g) {
  gadget_rec* r = find_gadget(g);
  return r ? r->height : 0;
}

static void natural_size(gadget_rec& r, int* width, int* height) {
  gtk_widget_set_size_request(r.outer, -1, -1);
  int min = 0, nat = 0;
  gtk_widget_get_preferred_width(r.outer, &min, &nat);
  *width = nat;
  gtk_widget_get_preferred_height_for_width(r.outer, nat, &min, &nat);
  *height = nat;
  gtk_widget_set_size_request(r.outer, std::max(0, r.width), std::max(0, r.height));
}

int gadget_width_ex(int g, int mode) {
  gadget_rec* r = find_gadget(g);
  if (!r) return 0;
  if (mode != 1) return r->width;
  int w, h;
  natural_size(*r, &w, &h);
  return w;
}

int gadget_height_ex(int g, int mode) {
  gadget_rec* r = find_gadget(g);
  if (!r) return 0;
  if (mode != 1) return r->height;
  int w, h;
  natural_size(*r, &w, &h);
  return h;
}

void gadget_move_resize(int g, int x, int y, int width, int height) {
  gadget_rec* r = find_gadget(g);
  if (!r) return;
  int nx = x == GUI_KEEP ? r->x : x, ny = y == GUI_KEEP ? r->y : y;
  int nw = width == GUI_KEEP ? r->width : width, nh = height == GUI_KEEP ? r->height : height;
  if (nx == r->x && ny == r->y && nw == r->width && nh == r->height) return;
  GtkWidget* parent = gtk_widget_get_parent(r->outer);
  if ((nx != r->x || ny != r->y) && parent && GTK_IS_FIXED(parent)) gtk_fixed_move(GTK_FIXED(parent), r->outer, nx, ny);
  if (nw != r->width || nh != r->height) gtk_widget_set_size_request(r->outer, std::max(0, nw), std::max(0, nh));
  r->x = nx;
  r->y = ny;
  r->width = nw;
  r->height = nh;
  touch();
}

GtkWidget* gadget_widget(int g) {
  gadget_rec* r = find_gadget(g);
  return r ? r->widget : nullptr;
}

uint64_t gadget_get_text_revision(int g) { return text_revision(g); }
