// Drawing on a canvas: a Cairo image surface shown by a drawing area.
// Gradient mode fills shapes with a conic gradient (colour stops by angle).
#include <algorithm>
#include <cmath>

#include "gui/gui_internal.h"

namespace gui {
namespace {

struct stop {
  double position;
  int color;
};

struct drawing_state {
  int canvas = -1;
  cairo_t* cr = nullptr;
  int mode = DRAWING_SOLID;
  int front = 0xffffff;
  int back = 0;
  double cx = 0, cy = 0, angle = 0;
  std::vector<stop> stops;
} state;

void set_source(cairo_t* cr, int c) {
  cairo_set_source_rgb(cr, (c & 0xff) / 255.0, ((c >> 8) & 0xff) / 255.0, ((c >> 16) & 0xff) / 255.0);
}

// The colour of the gradient at t (0..1); without stops it runs from the
// back to the front colour.
void gradient_at(double t, double rgb[3]) {
  std::vector<stop> s = state.stops;
  if (s.empty()) s = {{0.0, state.back}, {1.0, state.front}};
  std::stable_sort(s.begin(), s.end(), [](const stop& a, const stop& b) { return a.position < b.position; });
  auto comp = [](int c, int i) { return ((c >> (8 * i)) & 0xff) / 255.0; };
  if (t <= s.front().position) {
    for (int i = 0; i < 3; ++i) rgb[i] = comp(s.front().color, i);
    return;
  }
  for (size_t k = 1; k < s.size(); ++k) {
    if (t <= s[k].position) {
      double span = s[k].position - s[k - 1].position;
      double f = span <= 0 ? 1.0 : (t - s[k - 1].position) / span;
      for (int i = 0; i < 3; ++i) rgb[i] = comp(s[k - 1].color, i) * (1 - f) + comp(s[k].color, i) * f;
      return;
    }
  }
  for (int i = 0; i < 3; ++i) rgb[i] = comp(s.back().color, i);
}

gadget_rec* canvas() { return find_gadget_kind(state.canvas, GADGET_CANVAS); }

void conic_circle(gadget_rec& r, int x, int y, int radius) {
  cairo_surface_flush(r.surface);
  unsigned char* data = cairo_image_surface_get_data(r.surface);
  int stride = cairo_image_surface_get_stride(r.surface);
  int w = cairo_image_surface_get_width(r.surface), h = cairo_image_surface_get_height(r.surface);
  double start = state.angle * G_PI / 180.0;
  for (int py = std::max(0, y - radius); py <= std::min(h - 1, y + radius); ++py) {
    for (int px = std::max(0, x - radius); px <= std::min(w - 1, x + radius); ++px) {
      double dx = px - x, dy = py - y;
      if (dx * dx + dy * dy > double(radius) * radius) continue;
      double a = std::atan2(py - state.cy, px - state.cx) - start;
      a = std::fmod(a, 2 * G_PI);
      if (a < 0) a += 2 * G_PI;
      double rgb[3];
      gradient_at(a / (2 * G_PI), rgb);
      uint32_t v = (uint32_t(std::lround(rgb[0] * 255)) << 16) | (uint32_t(std::lround(rgb[1] * 255)) << 8) |
                   uint32_t(std::lround(rgb[2] * 255));
      *reinterpret_cast<uint32_t*>(data + py * stride + px * 4) = 0xff000000u | v;
    }
  }
  cairo_surface_mark_dirty(r.surface);
}

}  // namespace
}  // namespace gui

using namespace gui;

int64_t drawing_canvas_output(int canvas) { return find_gadget_kind(canvas, GADGET_CANVAS) ? canvas : -1; }

int drawing_start(int64_t output) {
  drawing_stop();
  gadget_rec* r = find_gadget_kind((int)output, GADGET_CANVAS);
  if (!r || output < 0) return 0;
  state = drawing_state{};
  state.canvas = r->n;
  state.cr = cairo_create(r->surface);
  return 1;
}

void drawing_set_mode(int mode) { state.mode = mode; }
void drawing_set_front_color(int color) { state.front = color; }
void drawing_set_back_color(int color) { state.back = color; }

void drawing_conic_gradient(double x, double y, double angle_degrees) {
  state.cx = x;
  state.cy = y;
  state.angle = angle_degrees;
  state.stops.clear();
}

void drawing_add_gradient_color(int color, double position) {
  state.stops.push_back({std::clamp(position, 0.0, 1.0), color});
}

void drawing_circle(int x, int y, int radius, int color) {
  gadget_rec* r = canvas();
  if (!r || !state.cr || radius < 0) return;
  if (state.mode & DRAWING_GRADIENT) {
    conic_circle(*r, x, y, radius);
    return;
  }
  set_source(state.cr, color);
  cairo_arc(state.cr, x, y, radius, 0, 2 * G_PI);
  cairo_fill(state.cr);
}

void drawing_sector(int x, int y, int radius, double start, double end, int color) {
  if (!canvas() || !state.cr || radius < 0 || !(end > start)) return;
  set_source(state.cr, color);
  cairo_move_to(state.cr, x, y);
  cairo_arc(state.cr, x, y, radius, start * 2 * G_PI, end * 2 * G_PI);
  cairo_close_path(state.cr);
  cairo_fill(state.cr);
}

void drawing_box(int x, int y, int width, int height, int color) {
  if (!canvas() || !state.cr) return;
  set_source(state.cr, color);
  cairo_rectangle(state.cr, x, y, width, height);
  cairo_fill(state.cr);
}

void drawing_text(int x, int y, const text_t& text, int front_color, int back_color) {
  gadget_rec* r = canvas();
  if (!r || !state.cr) return;
  PangoLayout* layout = pango_cairo_create_layout(state.cr);
  pango_layout_set_text(layout, to_utf8(text).c_str(), -1);
  if (r->font) pango_layout_set_font_description(layout, r->font);
  int w = 0, h = 0;
  pango_layout_get_pixel_size(layout, &w, &h);
  if (back_color >= 0) {
    set_source(state.cr, back_color);
    cairo_rectangle(state.cr, x, y, w, h);
    cairo_fill(state.cr);
  }
  set_source(state.cr, front_color);
  cairo_move_to(state.cr, x, y);
  pango_cairo_show_layout(state.cr, layout);
  g_object_unref(layout);
}

void drawing_stop() {
  if (!state.cr) return;
  cairo_destroy(state.cr);
  state.cr = nullptr;
  if (gadget_rec* r = canvas()) {
    cairo_surface_flush(r->surface);
    gtk_widget_queue_draw(r->widget);
  }
  state.canvas = -1;
  touch();
}

int drawing_canvas_pixel(int canvas, int x, int y) {
  gadget_rec* r = find_gadget_kind(canvas, GADGET_CANVAS);
  if (!r || !r->surface) return -1;
  int w = cairo_image_surface_get_width(r->surface), h = cairo_image_surface_get_height(r->surface);
  if (x < 0 || y < 0 || x >= w || y >= h) return -1;
  cairo_surface_flush(r->surface);
  unsigned char* data = cairo_image_surface_get_data(r->surface);
  uint32_t v = *reinterpret_cast<uint32_t*>(data + y * cairo_image_surface_get_stride(r->surface) + x * 4);
  return int(((v >> 16) & 0xff) | (v & 0xff00) | ((v & 0xff) << 16));
}
