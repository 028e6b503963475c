// Column lists: a GtkTreeView over a GtkListStore in a scrolled window.
// Store columns: checked, inconsistent, row image, row colours, then one
// text column per list column. Large fills take the model off the view and
// put it back before GTK runs again.
#include <algorithm>
#include <cmath>

#include "gui/gui_internal.h"

namespace gui {
namespace {

constexpr int DETACH_AT_ROWS = 100;
// A list filled item by item under a polling job is shown again at this
// pace, not after every item (each re-attach walks every row).
constexpr gint64 REATTACH_AFTER_US = 100 * 1000;
std::vector<int> detached_lists;
std::map<int, gint64> detached_since;

gpointer data_of(int g) { return GINT_TO_POINTER(g); }
int gadget_of_data(gpointer p) { return GPOINTER_TO_INT(p); }

GtkTreeModel* model(gadget_rec& r) { return GTK_TREE_MODEL(r.store); }
GtkTreeView* view_raw(gadget_rec& r) { return GTK_TREE_VIEW(r.widget); }

int rows(gadget_rec& r) { return gtk_tree_model_iter_n_children(model(r), nullptr); }

bool row_iter(gadget_rec& r, int row, GtkTreeIter* it) {
  return row >= 0 && gtk_tree_model_iter_nth_child(model(r), it, nullptr, row);
}

std::vector<std::string> split_columns(const text_t& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (true) {
    size_t lf = text.find(u'\n', start);
    out.push_back(to_utf8(text_view(text).substr(start, lf == text_t::npos ? text_t::npos : lf - start)));
    if (lf == text_t::npos) break;
    start = lf + 1;
  }
  return out;
}

// ---- Row colours: "column,target,colour;" triples --------------------------------------
struct cell_color {
  int column, target, color;
};

std::vector<cell_color> parse_colors(const char* s) {
  std::vector<cell_color> out;
  while (s && *s) {
    cell_color c{};
    char* end = nullptr;
    c.column = (int)strtol(s, &end, 10);
    if (*end != ',') break;
    c.target = (int)strtol(end + 1, &end, 10);
    if (*end != ',') break;
    c.color = (int)strtol(end + 1, &end, 10);
    out.push_back(c);
    if (*end != ';') break;
    s = end + 1;
  }
  return out;
}

std::string format_colors(const std::vector<cell_color>& cs) {
  std::string s;
  for (const cell_color& c : cs)
    s += std::to_string(c.column) + "," + std::to_string(c.target) + "," + std::to_string(c.color) + ";";
  return s;
}

void cell_colors(GtkTreeViewColumn*, GtkCellRenderer* cell, GtkTreeModel* m, GtkTreeIter* it, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return;
  int column = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(cell), "vx-column"));
  int fg = -1, bg = -1;
  auto lf = r->list_colors.find(column * 4 + COLOR_TEXT);
  auto lb = r->list_colors.find(column * 4 + COLOR_BACKGROUND);
  if (lf != r->list_colors.end()) fg = lf->second;
  if (lb != r->list_colors.end()) bg = lb->second;
  gchar* s = nullptr;
  gtk_tree_model_get(m, it, LIST_COL_COLORS, &s, -1);
  if (s) {
    for (const cell_color& c : parse_colors(s)) {
      if (c.column != column) continue;
      if (c.target == COLOR_TEXT) fg = c.color;
      if (c.target == COLOR_BACKGROUND) bg = c.color;
    }
    g_free(s);
  }
  GdkRGBA f = rgba_of(fg), b = rgba_of(bg);
  g_object_set(cell, "foreground-rgba", fg < 0 ? nullptr : &f, "cell-background-rgba", bg < 0 ? nullptr : &b,
               nullptr);
}

// ---- Store and columns ---------------------------------------------------------------------
GtkListStore* new_store(size_t text_columns) {
  std::vector<GType> types{G_TYPE_BOOLEAN, G_TYPE_BOOLEAN, GDK_TYPE_PIXBUF, G_TYPE_STRING};
  types.insert(types.end(), text_columns, G_TYPE_STRING);
  return gtk_list_store_newv((gint)types.size(), types.data());
}

void bind_columns(gadget_rec& r) {
  for (size_t i = 0; i < r.columns.size(); ++i) {
    list_column& c = r.columns[i];
    gtk_tree_view_column_clear_attributes(c.column, c.text);
    gtk_tree_view_column_add_attribute(c.column, c.text, "text", LIST_COL_TEXT + (int)i);
    g_object_set_data(G_OBJECT(c.text), "vx-column", GINT_TO_POINTER((int)i));
  }
}

void apply_width(list_column& c) {
  if (c.width <= 0) {
    gtk_tree_view_column_set_visible(c.column, FALSE);
  } else {
    gtk_tree_view_column_set_visible(c.column, TRUE);
    gtk_tree_view_column_set_fixed_width(c.column, c.width);
  }
}

void apply_align(list_column& c) {
  float x = c.align == 1 ? 1.0f : c.align == 2 ? 0.5f : 0.0f;
  g_object_set(c.text, "xalign", x, nullptr);
  gtk_tree_view_column_set_alignment(c.column, x);
}

void on_header_clicked(GtkTreeViewColumn* col, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return;
  for (size_t i = 0; i < r->columns.size(); ++i)
    if (r->columns[i].column == col) r->header_clicked = (int)i;
  raise_gadget_event(r->n, SUBTYPE_HEADER_CLICK);
}

list_column make_column(gadget_rec& r, const text_t& title, int width, bool first) {
  list_column c;
  c.title = title;
  c.width = width;
  c.column = gtk_tree_view_column_new();
  gtk_tree_view_column_set_title(c.column, to_utf8(title).c_str());
  gtk_tree_view_column_set_sizing(c.column, GTK_TREE_VIEW_COLUMN_FIXED);
  gtk_tree_view_column_set_resizable(c.column, TRUE);
  gtk_tree_view_column_set_clickable(c.column, TRUE);
  gtk_tree_view_column_set_reorderable(c.column, (r.flags & LIST_REORDERABLE) != 0);
  if (first) {
    if (r.toggle) {
      gtk_tree_view_column_pack_start(c.column, r.toggle, FALSE);
      gtk_tree_view_column_add_attribute(c.column, r.toggle, "active", LIST_COL_CHECKED);
      gtk_tree_view_column_add_attribute(c.column, r.toggle, "inconsistent", LIST_COL_INCONSISTENT);
    }
    gtk_tree_view_column_pack_start(c.column, r.pixbuf, FALSE);
    gtk_tree_view_column_add_attribute(c.column, r.pixbuf, "pixbuf", LIST_COL_PIXBUF);
  }
  c.text = gtk_cell_renderer_text_new();
  // One pixel above and below (GTK's default is two), so the planned list
  // height shows its whole page of rows.
  g_object_set(c.text, "ellipsize", PANGO_ELLIPSIZE_END, "ypad", 1, nullptr);
  gtk_tree_view_column_pack_start(c.column, c.text, TRUE);
  gtk_tree_view_column_set_cell_data_func(c.column, c.text, cell_colors, data_of(r.n), nullptr);
  g_signal_connect(c.column, "clicked", G_CALLBACK(on_header_clicked), data_of(r.n));
  apply_width(c);
  return c;
}

void on_toggled(GtkCellRendererToggle*, gchar* path, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r) return;
  GtkTreeIter it;
  if (!gtk_tree_model_get_iter_from_string(model(*r), &it, path)) return;
  gboolean on = FALSE;
  gtk_tree_model_get(model(*r), &it, LIST_COL_CHECKED, &on, -1);
  gtk_list_store_set(r->store, &it, LIST_COL_CHECKED, !on, LIST_COL_INCONSISTENT, FALSE, -1);
  raise_gadget_event(r->n, SUBTYPE_CHANGE);
}

void on_selection_changed(GtkTreeSelection*, gpointer d) { raise_gadget_event(gadget_of_data(d), SUBTYPE_CHANGE); }

// A tree view that takes the focus without a cursor row (after it was
// refilled) selects its first row. Rows are selected by clicks, keys and
// the program, never by the focus arriving (a click on a tab header, Tab).
bool taking_focus = false;

void on_grab_focus(GtkWidget*, gpointer) { taking_focus = true; }
void on_grab_focus_done(GtkWidget*, gpointer) { taking_focus = false; }

gboolean may_change_selection(GtkTreeSelection*, GtkTreeModel*, GtkTreePath*, gboolean, gpointer) {
  return !taking_focus;
}

gboolean on_button(GtkWidget* w, GdkEventButton* e, gpointer d) {
  int g = gadget_of_data(d);
  gadget_rec* r = find_gadget(g);
  if (!r) return FALSE;
  if (e->window != gtk_tree_view_get_bin_window(GTK_TREE_VIEW(w))) return FALSE;  // the headers
  GtkTreePath* path = nullptr;
  bool on_row = gtk_tree_view_get_path_at_pos(GTK_TREE_VIEW(w), (int)e->x, (int)e->y, &path, nullptr, nullptr,
                                              nullptr);
  if (path) gtk_tree_path_free(path);
  if (e->type == GDK_BUTTON_PRESS && e->button == 1) {
    raise_gadget_event(g, SUBTYPE_CLICK);
    if (!on_row) {
      gtk_tree_selection_unselect_all(gtk_tree_view_get_selection(GTK_TREE_VIEW(w)));
      return TRUE;
    }
  } else if (e->type == GDK_BUTTON_PRESS && e->button == 3) {
    remember_right_press(e);
    raise_gadget_event(g, SUBTYPE_RIGHT_CLICK);
  } else if (e->type == GDK_2BUTTON_PRESS && e->button == 1 && on_row) {
    raise_gadget_event(g, SUBTYPE_DOUBLE_CLICK);
  } else if (e->type == GDK_2BUTTON_PRESS && e->button == 3 && on_row) {
    raise_gadget_event(g, SUBTYPE_RIGHT_DOUBLE_CLICK);
  }
  return FALSE;
}

// Rows one wheel click moves a linked scroll bar.
constexpr double WHEEL_ROWS = 3;

gboolean on_scroll(GtkWidget*, GdkEventScroll* e, gpointer d) {
  gadget_rec* r = find_gadget(gadget_of_data(d));
  if (!r || !r->wheel_scroll_bar) return FALSE;
  gadget_rec* bar = find_gadget_kind(r->wheel_scroll_bar, GADGET_SCROLL_BAR);
  if (!bar) return FALSE;
  double clicks = 0;
  if (e->direction == GDK_SCROLL_UP) clicks = -1;
  else if (e->direction == GDK_SCROLL_DOWN) clicks = 1;
  else if (e->direction == GDK_SCROLL_SMOOTH) clicks = e->delta_y;
  else return FALSE;
  // A disabled bar (a long job is running) does not move.
  if (!gtk_widget_is_sensitive(bar->widget)) return TRUE;
  r->wheel_rest += clicks * WHEEL_ROWS;
  const double rows = std::trunc(r->wheel_rest);
  r->wheel_rest -= rows;
  if (rows == 0) return TRUE;
  // Set as a drag sets it: the bar's value-changed raises its event.
  GtkAdjustment* a = gtk_range_get_adjustment(GTK_RANGE(bar->widget));
  gtk_adjustment_set_value(a, gtk_adjustment_get_value(a) + rows);
  touch();
  return TRUE;
}

void detach(gadget_rec& r) {
  if (r.detached) return;
  GtkTreeView* v = view_raw(r);
  r.detached_selection.clear();
  GList* sel = gtk_tree_selection_get_selected_rows(gtk_tree_view_get_selection(v), nullptr);
  for (GList* l = sel; l; l = l->next) r.detached_selection.push_back(gtk_tree_path_get_indices((GtkTreePath*)l->data)[0]);
  g_list_free_full(sel, (GDestroyNotify)gtk_tree_path_free);
  suppress quiet;
  gtk_tree_view_set_model(v, nullptr);
  r.detached = true;
  detached_lists.push_back(r.n);
  detached_since[r.n] = g_get_monotonic_time();
}

void add_row(gadget_rec& r, int position, const text_t& text, GdkPixbuf* image) {
  std::vector<std::string> parts = split_columns(text);
  size_t n = std::min(parts.size(), r.columns.size());
  std::vector<gint> cols;
  std::vector<GValue> values(n + (image ? 1 : 0));
  for (size_t i = 0; i < n; ++i) {
    cols.push_back(LIST_COL_TEXT + (int)i);
    g_value_init(&values[i], G_TYPE_STRING);
    g_value_set_string(&values[i], parts[i].c_str());
  }
  if (image) {
    cols.push_back(LIST_COL_PIXBUF);
    g_value_init(&values[n], GDK_TYPE_PIXBUF);
    g_value_set_object(&values[n], image);
  }
  GtkTreeIter it;
  gtk_list_store_insert_with_valuesv(r.store, &it, position, cols.data(), values.data(), (gint)cols.size());
  for (GValue& v : values) g_value_unset(&v);
}

}  // namespace

GtkTreeView* list_view(gadget_rec& r) {
  list_reattach(r);
  return view_raw(r);
}

void list_reattach(gadget_rec& r) {
  if (!r.detached) return;
  r.detached = false;
  std::erase(detached_lists, r.n);
  detached_since.erase(r.n);
  suppress quiet;
  GtkTreeView* v = view_raw(r);
  gtk_tree_view_set_model(v, model(r));
  GtkTreeSelection* s = gtk_tree_view_get_selection(v);
  int count = rows(r);
  for (int row : r.detached_selection) {
    if (row >= count) continue;
    GtkTreePath* p = gtk_tree_path_new_from_indices(row, -1);
    gtk_tree_selection_select_path(s, p);
    gtk_tree_path_free(p);
  }
  r.detached_selection.clear();
}

void reattach_lists(bool all) {
  if (detached_lists.empty()) return;
  gint64 now = g_get_monotonic_time();
  std::vector<int> due;
  for (int g : detached_lists)
    if (all || now - detached_since[g] >= REATTACH_AFTER_US) due.push_back(g);
  for (int g : due) {
    gadget_rec* r = find_gadget(g);
    if (r) {
      list_reattach(*r);
    } else {
      std::erase(detached_lists, g);
      detached_since.erase(g);
    }
  }
}

int list_create(int g, int x, int y, int width, int height, const text_t& title, int col_width, int flags) {
  GtkWidget* layout;
  int window;
  gadget_rec* r = gadget_begin(g, GADGET_COLUMN_LIST, x, y, width, height, flags, &layout, &window);
  if (!r) return 0;
  r->outer = gtk_scrolled_window_new(nullptr, nullptr);
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(r->outer), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(r->outer), GTK_SHADOW_IN);
  r->store = new_store(1);
  r->widget = gtk_tree_view_new_with_model(model(*r));
  GtkTreeView* v = view_raw(*r);
  gtk_tree_view_set_fixed_height_mode(v, TRUE);
  gtk_tree_view_set_enable_search(v, FALSE);
  if (flags & LIST_GRID_LINES) gtk_tree_view_set_grid_lines(v, GTK_TREE_VIEW_GRID_LINES_BOTH);
  GtkTreeSelection* sel = gtk_tree_view_get_selection(v);
  gtk_tree_selection_set_mode(sel, flags & LIST_MULTI_SELECT ? GTK_SELECTION_MULTIPLE : GTK_SELECTION_SINGLE);
  if (flags & (LIST_CHECK_BOXES | LIST_THREE_STATE)) {
    r->toggle = gtk_cell_renderer_toggle_new();
    g_object_set(r->toggle, "ypad", 1, nullptr);
    g_signal_connect(r->toggle, "toggled", G_CALLBACK(on_toggled), data_of(g));
  }
  r->pixbuf = gtk_cell_renderer_pixbuf_new();
  g_object_set(r->pixbuf, "ypad", 1, nullptr);
  r->columns.push_back(make_column(*r, title, col_width, true));
  gtk_tree_view_append_column(v, r->columns[0].column);
  bind_columns(*r);
  gtk_container_add(GTK_CONTAINER(r->outer), r->widget);
  g_signal_connect(sel, "changed", G_CALLBACK(on_selection_changed), data_of(g));
  gtk_tree_selection_set_select_function(sel, may_change_selection, nullptr, nullptr);
  g_signal_connect(r->widget, "grab-focus", G_CALLBACK(on_grab_focus), nullptr);
  g_signal_connect_after(r->widget, "grab-focus", G_CALLBACK(on_grab_focus_done), nullptr);
  g_signal_connect(r->widget, "button-press-event", G_CALLBACK(on_button), data_of(g));
  g_signal_connect(r->widget, "scroll-event", G_CALLBACK(on_scroll), data_of(g));
  return gadget_finish(r, window, layout);
}

void list_add_column(gadget_rec& r, int position, const text_t& title, int width) {
  suppress quiet;
  int n = (int)r.columns.size();
  int at = position < 0 || position > n ? n : position;
  if (at == 0) at = std::min(1, n);  // the first column keeps the check box and image
  // A store with one more text column, the rows copied over.
  GtkListStore* old = r.store;
  GtkListStore* fresh = new_store(r.columns.size() + 1);
  bool was_detached = r.detached;
  if (!was_detached) detach(r);
  GtkTreeIter it;
  bool ok = gtk_tree_model_get_iter_first(GTK_TREE_MODEL(old), &it);
  int total = LIST_COL_TEXT + n;
  while (ok) {
    std::vector<GValue> values(total + 1);
    std::vector<gint> cols;
    for (int c = 0; c < total; ++c) {
      int dest = c < LIST_COL_TEXT + at ? c : c + 1;
      gtk_tree_model_get_value(GTK_TREE_MODEL(old), &it, c, &values[c]);
      cols.push_back(dest);
    }
    GtkTreeIter out;
    gtk_list_store_insert_with_valuesv(fresh, &out, -1, cols.data(), values.data(), total);
    for (int c = 0; c < total; ++c) g_value_unset(&values[c]);
    ok = gtk_tree_model_iter_next(GTK_TREE_MODEL(old), &it);
  }
  r.store = fresh;
  g_object_unref(old);
  // Row colours name columns by index: shift those at or after the new one.
  ok = gtk_tree_model_get_iter_first(model(r), &it);
  while (ok) {
    gchar* s = nullptr;
    gtk_tree_model_get(model(r), &it, LIST_COL_COLORS, &s, -1);
    if (s) {
      auto cs = parse_colors(s);
      for (auto& c : cs)
        if (c.column >= at) ++c.column;
      gtk_list_store_set(r.store, &it, LIST_COL_COLORS, format_colors(cs).c_str(), -1);
      g_free(s);
    }
    ok = gtk_tree_model_iter_next(model(r), &it);
  }
  std::map<int, int> shifted;
  for (auto [k, v] : r.list_colors) {
    int col = k / 4, target = k % 4;
    shifted[(col >= at ? col + 1 : col) * 4 + target] = v;
  }
  r.list_colors = shifted;
  list_column c = make_column(r, title, width, false);
  r.columns.insert(r.columns.begin() + at, c);
  gtk_tree_view_insert_column(view_raw(r), c.column, at);
  bind_columns(r);
  apply_style(r);
  list_reattach(r);
}

void list_add_item(gadget_rec& r, int position, const text_t& text, GdkPixbuf* image) {
  int n = rows(r);
  if (n >= DETACH_AT_ROWS) detach(r);
  add_row(r, position < 0 || position > n ? -1 : position, text, image);
}

void list_add_items(gadget_rec& r, const std::vector<text_t>& items) {
  if (items.size() > 8) detach(r);
  for (const text_t& t : items) add_row(r, -1, t, nullptr);
}

void list_remove_item(gadget_rec& r, int index) {
  GtkTreeIter it;
  if (row_iter(r, index, &it)) gtk_list_store_remove(r.store, &it);
}

void list_clear(gadget_rec& r) {
  if (rows(r) == 0) return;
  if (rows(r) >= DETACH_AT_ROWS) detach(r);
  gtk_list_store_clear(r.store);
}

int list_count(gadget_rec& r) { return rows(r); }

text_t list_get_item_text(gadget_rec& r, int item, int column) {
  if (column < 0 || column >= (int)r.columns.size()) return {};
  if (item == -1) return r.columns[column].title;
  GtkTreeIter it;
  if (!row_iter(r, item, &it)) return {};
  gchar* s = nullptr;
  gtk_tree_model_get(model(r), &it, LIST_COL_TEXT + column, &s, -1);
  text_t t = from_utf8(s ? s : "");
  g_free(s);
  return t;
}

void list_set_item_text(gadget_rec& r, int item, const text_t& text, int column) {
  if (column < 0 || column >= (int)r.columns.size()) return;
  if (item == -1) {
    if (r.columns[column].title == text) return;
    r.columns[column].title = text;
    gtk_tree_view_column_set_title(r.columns[column].column, to_utf8(text).c_str());
    return;
  }
  GtkTreeIter it;
  if (!row_iter(r, item, &it)) return;
  std::vector<std::string> parts;
  if (column == 0) parts = split_columns(text);
  else parts.push_back(to_utf8(text));
  for (size_t i = 0; i < parts.size() && column + i < r.columns.size(); ++i) {
    int c = LIST_COL_TEXT + column + (int)i;
    gchar* old = nullptr;
    gtk_tree_model_get(model(r), &it, c, &old, -1);
    bool same = old ? parts[i] == old : parts[i].empty();
    g_free(old);
    if (!same) gtk_list_store_set(r.store, &it, c, parts[i].c_str(), -1);
  }
}

int list_get_state(gadget_rec& r) {
  GtkTreeSelection* s = gtk_tree_view_get_selection(list_view(r));
  GList* sel = gtk_tree_selection_get_selected_rows(s, nullptr);
  int first = -1;
  for (GList* l = sel; l; l = l->next) {
    int row = gtk_tree_path_get_indices((GtkTreePath*)l->data)[0];
    if (first < 0 || row < first) first = row;
  }
  g_list_free_full(sel, (GDestroyNotify)gtk_tree_path_free);
  return first;
}

void list_set_state(gadget_rec& r, int row) {
  GtkTreeView* v = list_view(r);
  GtkTreeSelection* s = gtk_tree_view_get_selection(v);
  int n = rows(r);
  if (row < 0 || row >= n) {
    if (gtk_tree_selection_count_selected_rows(s) == 0) return;
    suppress quiet;
    gtk_tree_selection_unselect_all(s);
    return;
  }
  GtkTreePath* p = gtk_tree_path_new_from_indices(row, -1);
  bool only = gtk_tree_selection_count_selected_rows(s) == 1 && gtk_tree_selection_path_is_selected(s, p);
  if (only) {
    GtkTreePath* cursor = nullptr;
    gtk_tree_view_get_cursor(v, &cursor, nullptr);
    bool at = cursor && gtk_tree_path_compare(cursor, p) == 0;
    if (cursor) gtk_tree_path_free(cursor);
    if (at) {
      gtk_tree_path_free(p);
      return;
    }
  }
  suppress quiet;
  gtk_tree_selection_unselect_all(s);
  gtk_tree_view_set_cursor(v, p, nullptr, FALSE);
  gtk_tree_selection_select_path(s, p);
  gtk_tree_view_scroll_to_cell(v, p, nullptr, FALSE, 0, 0);
  gtk_tree_path_free(p);
}

int list_get_item_state(gadget_rec& r, int row) {
  GtkTreeIter it;
  if (!row_iter(r, row, &it)) return 0;
  gboolean checked = FALSE, inconsistent = FALSE;
  gtk_tree_model_get(model(r), &it, LIST_COL_CHECKED, &checked, LIST_COL_INCONSISTENT, &inconsistent, -1);
  int state = (checked ? ITEM_CHECKED : 0) | (inconsistent ? ITEM_INCONSISTENT : 0);
  if (!r.detached) {
    if (gtk_tree_selection_iter_is_selected(gtk_tree_view_get_selection(view_raw(r)), &it)) state |= ITEM_SELECTED;
  } else if (std::find(r.detached_selection.begin(), r.detached_selection.end(), row) != r.detached_selection.end()) {
    state |= ITEM_SELECTED;
  }
  return state;
}

void list_set_item_state(gadget_rec& r, int row, int state) {
  GtkTreeIter it;
  if (!row_iter(r, row, &it)) return;
  int now = list_get_item_state(r, row);
  if (now == state) return;
  suppress quiet;
  int marks = ITEM_CHECKED | ITEM_INCONSISTENT;
  if ((now & marks) != (state & marks))
    gtk_list_store_set(r.store, &it, LIST_COL_CHECKED, (state & ITEM_CHECKED) != 0, LIST_COL_INCONSISTENT,
                       (state & ITEM_INCONSISTENT) != 0, -1);
  if ((now & ITEM_SELECTED) != (state & ITEM_SELECTED)) {
    if (r.detached) {
      if (state & ITEM_SELECTED) r.detached_selection.push_back(row);
      else std::erase(r.detached_selection, row);
    } else {
      GtkTreeSelection* s = gtk_tree_view_get_selection(view_raw(r));
      if (state & ITEM_SELECTED) gtk_tree_selection_select_iter(s, &it);
      else gtk_tree_selection_unselect_iter(s, &it);
    }
  }
}

int list_get_attribute(gadget_rec& r, int attribute) {
  if (attribute == ATTR_COLUMN_COUNT) return (int)r.columns.size();
  if (attribute == ATTR_HEADER_CLICKED) return r.header_clicked;
  return 0;
}

int list_get_item_attribute(gadget_rec& r, int item, int attribute) {
  if (item < 0 || item >= (int)r.columns.size()) return 0;
  list_column& c = r.columns[item];
  if (attribute == ITEM_ATTR_COLUMN_WIDTH) {
    if (c.width <= 0) return 0;
    return gtk_tree_view_column_get_fixed_width(c.column);
  }
  if (attribute == ITEM_ATTR_COLUMN_ALIGN) return c.align;
  return 0;
}

void list_set_item_attribute(gadget_rec& r, int item, int attribute, int value) {
  if (item < 0 || item >= (int)r.columns.size()) return;
  list_column& c = r.columns[item];
  if (attribute == ITEM_ATTR_COLUMN_WIDTH) {
    bool same = c.width == value && (value <= 0 || gtk_tree_view_column_get_fixed_width(c.column) == value);
    if (same) return;
    c.width = value;
    apply_width(c);
    touch();
  } else if (attribute == ITEM_ATTR_COLUMN_ALIGN) {
    if (c.align == value) return;
    c.align = value;
    apply_align(c);
    touch();
  }
}

void list_set_item_color(gadget_rec& r, int item, int target, int color, int column) {
  if (target != COLOR_TEXT && target != COLOR_BACKGROUND) return;
  int ncols = (int)r.columns.size();
  if (column >= ncols) return;
  int first = column < 0 ? 0 : column, last = column < 0 ? ncols - 1 : column;
  if (item == -1) {
    // Every row: the list-wide colour, and no row keeps its own.
    for (int c = first; c <= last; ++c) {
      if (color < 0) r.list_colors.erase(c * 4 + target);
      else r.list_colors[c * 4 + target] = color;
    }
    GtkTreeIter it;
    bool ok = gtk_tree_model_get_iter_first(model(r), &it);
    while (ok) {
      gchar* s = nullptr;
      gtk_tree_model_get(model(r), &it, LIST_COL_COLORS, &s, -1);
      if (s) {
        auto cs = parse_colors(s);
        std::erase_if(cs, [&](const cell_color& x) { return x.target == target && x.column >= first && x.column <= last; });
        gtk_list_store_set(r.store, &it, LIST_COL_COLORS, cs.empty() ? nullptr : format_colors(cs).c_str(), -1);
        g_free(s);
      }
      ok = gtk_tree_model_iter_next(model(r), &it);
    }
    gtk_widget_queue_draw(r.widget);
    touch();
    return;
  }
  GtkTreeIter it;
  if (!row_iter(r, item, &it)) return;
  gchar* s = nullptr;
  gtk_tree_model_get(model(r), &it, LIST_COL_COLORS, &s, -1);
  auto cs = parse_colors(s);
  g_free(s);
  auto before = cs;
  for (int c = first; c <= last; ++c) {
    std::erase_if(cs, [&](const cell_color& x) { return x.target == target && x.column == c; });
    if (color >= 0) cs.push_back({c, target, color});
  }
  if (format_colors(cs) == format_colors(before)) return;
  suppress quiet;
  gtk_list_store_set(r.store, &it, LIST_COL_COLORS, cs.empty() ? nullptr : format_colors(cs).c_str(), -1);
}

int list_get_item_color(gadget_rec& r, int item, int target, int column) {
  if (column < 0) column = 0;
  if (item == -1) {
    auto it = r.list_colors.find(column * 4 + target);
    return it == r.list_colors.end() ? -1 : it->second;
  }
  GtkTreeIter it;
  if (!row_iter(r, item, &it)) return -1;
  gchar* s = nullptr;
  gtk_tree_model_get(model(r), &it, LIST_COL_COLORS, &s, -1);
  int color = -1;
  for (const cell_color& c : parse_colors(s))
    if (c.column == column && c.target == target) color = c.color;
  g_free(s);
  return color;
}

void list_set_item_image(gadget_rec& r, int item, GdkPixbuf* image) {
  GtkTreeIter it;
  if (!row_iter(r, item, &it)) return;
  gtk_list_store_set(r.store, &it, LIST_COL_PIXBUF, image, -1);
}

}  // namespace gui

void gadget_set_list_scroll_bar(int list, int scroll_bar) {
  gui::gadget_rec* r = gui::find_gadget_kind(list, GADGET_COLUMN_LIST);
  if (!r) return;
  r->wheel_scroll_bar = scroll_bar;
  r->wheel_rest = 0;
}
