// Status bars: a row of fields at the bottom of a window, each showing a
// text or a progress bar.
#include <algorithm>

#include "gui/gui_internal.h"

namespace gui {
namespace {
status_bar_rec* current_bar = nullptr;

status_bar_rec* find_bar(int n) {
  auto it = status_bars.find(n);
  return it == status_bars.end() ? nullptr : it->second.get();
}

status_field* find_field(int bar, int field) {
  status_bar_rec* b = find_bar(bar);
  if (!b || field < 0 || field >= (int)b->fields.size()) return nullptr;
  return &b->fields[field];
}

void show_progress(status_field& f, bool on) {
  if (f.showing_progress == on) return;
  f.showing_progress = on;
  gtk_widget_set_visible(f.label, !on);
  gtk_widget_set_visible(f.progress, on);
}

void draw_progress(status_field& f) {
  double span = f.maximum - f.minimum;
  double v = f.value <= f.minimum ? 0.0 : f.value >= f.maximum ? 1.0 : (f.value - f.minimum) / span;
  gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(f.progress), v);
  gtk_frame_set_shadow_type(GTK_FRAME(f.frame), f.flags & 1 ? GTK_SHADOW_OUT : GTK_SHADOW_NONE);
}
}  // namespace

void drop_status_bars_of_window(int window) {
  std::vector<int> mine;
  for (auto& [n, b] : status_bars)
    if (b->window == window) mine.push_back(n);
  for (int n : mine) {
    if (current_bar == status_bars[n].get()) current_bar = nullptr;
    status_bars.erase(n);
  }
}

}  // namespace gui

using namespace gui;

int status_bar_create(int bar, GtkWidget* window) {
  window_rec* w = window_of_widget(window);
  if (!w) return 0;
  if (status_bar_rec* old = find_bar(bar)) {
    if (current_bar == old) current_bar = nullptr;
    gtk_widget_destroy(old->box);
    status_bars.erase(bar);
  }
  auto rec = std::make_unique<status_bar_rec>();
  rec->n = bar;
  rec->window = w->n;
  rec->box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 2);
  gtk_widget_set_margin_start(rec->box, 2);
  gtk_widget_set_margin_end(rec->box, 2);
  gtk_box_pack_end(GTK_BOX(w->box), rec->box, FALSE, FALSE, 0);
  gtk_widget_show(rec->box);
  current_bar = rec.get();
  status_bars[bar] = std::move(rec);
  touch();
  return 1;
}

void status_bar_add_field(int width) {
  if (!current_bar) return;
  status_field f;
  f.width = width;
  f.frame = gtk_frame_new(nullptr);
  gtk_frame_set_shadow_type(GTK_FRAME(f.frame), GTK_SHADOW_NONE);
  f.box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
  f.label = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(f.label), 0.0f);
  gtk_label_set_ellipsize(GTK_LABEL(f.label), PANGO_ELLIPSIZE_END);
  gtk_widget_set_margin_top(f.label, 3);
  gtk_widget_set_margin_bottom(f.label, 3);
  f.progress = gtk_progress_bar_new();
  gtk_widget_set_valign(f.progress, GTK_ALIGN_CENTER);
  gtk_box_pack_start(GTK_BOX(f.box), f.label, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(f.box), f.progress, TRUE, TRUE, 0);
  gtk_container_add(GTK_CONTAINER(f.frame), f.box);
  bool rest = width == GUI_KEEP;
  if (!rest) gtk_widget_set_size_request(f.frame, std::max(0, width), -1);
  gtk_box_pack_start(GTK_BOX(current_bar->box), f.frame, rest, rest, 0);
  gtk_widget_show(f.frame);
  gtk_widget_show(f.box);
  gtk_widget_show(f.label);
  current_bar->fields.push_back(f);
  touch();
}

void status_bar_set_text(int bar, int field, const text_t& text) {
  status_field* f = find_field(bar, field);
  if (!f) return;
  if (!f->showing_progress && f->text == text) return;
  f->text = text;
  gtk_label_set_text(GTK_LABEL(f->label), to_utf8(text).c_str());
  show_progress(*f, false);
  touch();
}

text_t status_bar_get_text(int bar, int field) {
  status_field* f = find_field(bar, field);
  return f && !f->showing_progress ? f->text : text_t();
}

void status_bar_set_progress(int bar, int field, int value, int flags, int minimum, int maximum) {
  status_field* f = find_field(bar, field);
  if (!f) return;
  if (f->showing_progress && f->value == value && f->flags == flags && f->minimum == minimum &&
      f->maximum == maximum)
    return;
  f->value = value;
  f->flags = flags;
  f->minimum = minimum;
  f->maximum = maximum;
  show_progress(*f, true);
  draw_progress(*f);
  touch();
}

void status_bar_set_progress_value(int bar, int field, int value, int flags) {
  status_field* f = find_field(bar, field);
  if (!f) return;
  status_bar_set_progress(bar, field, value, flags, f->minimum, f->maximum);
}

int status_bar_get_progress(int bar, int field) {
  status_field* f = find_field(bar, field);
  return f && f->showing_progress ? f->value : -1;
}

int status_bar_height(int bar) {
  status_bar_rec* b = find_bar(bar);
  if (!b) return 0;
  int h = gtk_widget_get_allocated_height(b->box);
  if (h > 1) return h;
  int min = 0, nat = 0;
  gtk_widget_get_preferred_height(b->box, &min, &nat);
  return nat;
}
