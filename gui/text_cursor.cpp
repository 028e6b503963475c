#include "gui/text_cursor.h"

#include "gui/gui_internal.h"

#include <algorithm>

namespace {

bool is_high(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Code points that the first units of s make up (a pair counts once).
int64_t chars_in_units(const text_t& s, int64_t units) {
  size_t n = static_cast<size_t>(std::clamp<int64_t>(units, 0, static_cast<int64_t>(s.size())));
  int64_t chars = 0;
  for (size_t i = 0; i < n; ++i)
    if (!(i > 0 && is_low(s[i]) && is_high(s[i - 1]))) ++chars;
  return chars;
}

// Units that the first chars code points of s take.
int64_t units_in_chars(const text_t& s, int64_t chars) {
  size_t i = 0;
  for (int64_t c = 0; c < chars && i < s.size(); ++c)
    i += (is_high(s[i]) && i + 1 < s.size() && is_low(s[i + 1])) ? 2 : 1;
  return static_cast<int64_t>(i);
}

}  // namespace

void gadget_set_cursor_position(int g, int64_t unit_offset) {
  gui::gadget_rec* r = gui::find_gadget(g);
  if (!r) return;
  gui::suppress quiet;
  if (r->kind == GADGET_TEXT_VIEW) {
    GtkTextView* view = GTK_TEXT_VIEW(r->widget);
    GtkTextBuffer* b = gtk_text_view_get_buffer(view);
    GtkTextIter it;
    gtk_text_buffer_get_iter_at_offset(b, &it, static_cast<gint>(chars_in_units(gadget_get_text(g), unit_offset)));
    gtk_text_buffer_place_cursor(b, &it);
    GtkTextMark* mark = gtk_text_buffer_get_mark(b, "cursor");
    if (mark)
      gtk_text_buffer_move_mark(b, mark, &it);
    else
      mark = gtk_text_buffer_create_mark(b, "cursor", &it, FALSE);
    gtk_text_view_scroll_to_mark(view, mark, 0.0, TRUE, 0.0, 0.0);
  } else if (r->kind == GADGET_ENTRY) {
    gtk_editable_set_position(GTK_EDITABLE(r->widget),
                              static_cast<gint>(chars_in_units(gadget_get_text(g), unit_offset)));
  }
  gui::touch();
}

int64_t gadget_get_cursor_position(int g) {
  gui::gadget_rec* r = gui::find_gadget(g);
  if (!r) return -1;
  int64_t chars;
  if (r->kind == GADGET_TEXT_VIEW) {
    GtkTextBuffer* b = gtk_text_view_get_buffer(GTK_TEXT_VIEW(r->widget));
    GtkTextIter it;
    gtk_text_buffer_get_iter_at_mark(b, &it, gtk_text_buffer_get_insert(b));
    chars = gtk_text_iter_get_offset(&it);
  } else if (r->kind == GADGET_ENTRY) {
    chars = gtk_editable_get_position(GTK_EDITABLE(r->widget));
  } else {
    return -1;
  }
  return units_in_chars(gadget_get_text(g), chars);
}
