// Numbered fonts (Pango descriptions) and images (gdk-pixbuf pictures).
#include "gui/gui_internal.h"

namespace gui {
namespace {
std::map<int, PangoFontDescription*> fonts;
std::map<int, GdkPixbuf*> images;

void put_image(int n, GdkPixbuf* p) {
  auto it = images.find(n);
  if (it != images.end()) g_object_unref(it->second);
  images[n] = p;
}
}  // namespace

void free_fonts_and_images() {
  font_free(GUI_ALL);
  image_free(GUI_ALL);
}

}  // namespace gui

using namespace gui;

int font_load(int n, const text_t& family, int size, int flags) {
  if (family.empty() || size <= 0) return 0;
  PangoFontDescription* d = pango_font_description_new();
  pango_font_description_set_family(d, to_utf8(family).c_str());
  pango_font_description_set_size(d, size * PANGO_SCALE);
  pango_font_description_set_weight(d, flags & FONT_BOLD ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, flags & FONT_ITALIC ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  auto it = fonts.find(n);
  if (it != fonts.end()) pango_font_description_free(it->second);
  fonts[n] = d;
  return 1;
}

PangoFontDescription* font_description(int n) {
  auto it = fonts.find(n);
  return it == fonts.end() ? nullptr : it->second;
}

void font_free(int n) {
  if (n == GUI_ALL) {
    for (auto& [k, d] : fonts) pango_font_description_free(d);
    fonts.clear();
    return;
  }
  auto it = fonts.find(n);
  if (it == fonts.end()) return;
  pango_font_description_free(it->second);
  fonts.erase(it);
}

int image_load_from_memory(int n, const unsigned char* data, size_t size) {
  if (!data || size == 0) return 0;
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  GError* error = nullptr;
  bool ok = gdk_pixbuf_loader_write(loader, data, size, &error);
  if (error) g_clear_error(&error);
  bool closed = gdk_pixbuf_loader_close(loader, &error);
  if (error) g_clear_error(&error);
  GdkPixbuf* p = ok && closed ? gdk_pixbuf_loader_get_pixbuf(loader) : nullptr;
  if (p) g_object_ref(p);
  g_object_unref(loader);
  if (!p) return 0;
  put_image(n, p);
  return 1;
}

int image_load_file(int n, const text_t& path) {
  GError* error = nullptr;
  GdkPixbuf* p = gdk_pixbuf_new_from_file(to_utf8(path).c_str(), &error);
  if (error) g_clear_error(&error);
  if (!p) return 0;
  put_image(n, p);
  return 1;
}

GdkPixbuf* image_pixbuf(int n) {
  auto it = images.find(n);
  return it == images.end() ? nullptr : it->second;
}

int image_width(int n) {
  GdkPixbuf* p = image_pixbuf(n);
  return p ? gdk_pixbuf_get_width(p) : 0;
}

int image_height(int n) {
  GdkPixbuf* p = image_pixbuf(n);
  return p ? gdk_pixbuf_get_height(p) : 0;
}

int image_exists(int n) { return image_pixbuf(n) ? 1 : 0; }

void image_free(int n) {
  if (n == GUI_ALL) {
    for (auto& [k, p] : images) g_object_unref(p);
    images.clear();
    return;
  }
  auto it = images.find(n);
  if (it == images.end()) return;
  g_object_unref(it->second);
  images.erase(it);
}
