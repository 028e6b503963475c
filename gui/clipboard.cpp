// The CLIPBOARD selection; its text is handed to the clipboard store at exit
// so that it outlives the program.
#include "gui/gui_internal.h"

namespace gui {
namespace {
bool clipboard_used = false;
}

void clipboard_store_at_exit() {
  if (!clipboard_used) return;
  GtkClipboard* c = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  gtk_clipboard_store(c);
}

}  // namespace gui

using namespace gui;

void clipboard_set_text(const text_t& text) {
  if (!initialised) return;
  GtkClipboard* c = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
  std::string s = to_utf8(text);
  gtk_clipboard_set_text(c, s.c_str(), (gint)s.size());
  gtk_clipboard_set_can_store(c, nullptr, 0);
  clipboard_used = true;
  touch();
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

text_t clipboard_get_text() {
  if (!initialised) return {};
  gchar* t = gtk_clipboard_wait_for_text(gtk_clipboard_get(GDK_SELECTION_CLIPBOARD));
  text_t s = from_utf8(t ? t : "");
  g_free(t);
  return s;
}
