// Modal requesters: message boxes, file choosers with "|" / ";" filters and
// the font chooser. Each registers itself while open, so that the GUI test
// driver can find and answer it.
#include <algorithm>

#include "gui/gui_internal.h"

#include "common/message_box_flags.h"

// GUI-free code asks with the same numbers.
static_assert(BOX_YES_NO == MB_YES_NO && BOX_YES_NO_CANCEL == MB_YES_NO_CANCEL);
static_assert(BOX_INFORMATION == MB_ICON_INFORMATION && BOX_ERROR == MB_ICON_ERROR && BOX_WARNING == MB_ICON_WARNING);
static_assert(BOX_DEFAULT_NO == MB_DEFAULT_NO);
static_assert(BOX_ANSWER_CANCEL == MB_ANSWER_CANCEL && BOX_ANSWER_YES == MB_ANSWER_YES && BOX_ANSWER_NO == MB_ANSWER_NO);

namespace gui {

GtkWidget* file_chooser_widget_in(GtkWidget* w) {
  if (GTK_IS_FILE_CHOOSER_WIDGET(w)) return w;
  if (!GTK_IS_CONTAINER(w)) return nullptr;
  GtkWidget* found = nullptr;
  GList* children = gtk_container_get_children(GTK_CONTAINER(w));
  for (GList* l = children; l && !found; l = l->next) found = file_chooser_widget_in(GTK_WIDGET(l->data));
  g_list_free(children);
  return found;
}

bool file_chooser_timer_pending(GtkWidget* chooser) {
  return chooser && g_main_context_find_source_by_funcs_user_data(nullptr, &g_timeout_funcs, chooser);
}

namespace {

text_t chosen_font_name;
int chosen_font_size = 0;
int chosen_font_style = 0;

struct registered {
  requester_info& info;
  explicit registered(requester_info& i) : info(i) { open_requesters.push_back(&info); }
  ~registered() { std::erase(open_requesters, &info); }
};

void process_pending() {
  touch();
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

// "*.dic" matches "x.DIC" too: letters become [dD] pairs.
std::string case_insensitive_glob(const std::string& p) {
  std::string out;
  for (char c : p) {
    if (g_ascii_isalpha(c)) {
      out += '[';
      out += g_ascii_tolower(c);
      out += g_ascii_toupper(c);
      out += ']';
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<text_t> split(const text_t& s, char16_t sep) {
  std::vector<text_t> out;
  size_t start = 0;
  while (true) {
    size_t p = s.find(sep, start);
    out.push_back(s.substr(start, p == text_t::npos ? text_t::npos : p - start));
    if (p == text_t::npos) break;
    start = p + 1;
  }
  return out;
}

void add_filters(GtkFileChooser* chooser, const text_t& pattern, int index, requester_info& info) {
  if (pattern.empty()) return;
  std::vector<text_t> parts = split(pattern, u'|');
  for (size_t i = 0; i < parts.size(); i += 2) {
    text_t name = parts[i];
    text_t pats = i + 1 < parts.size() ? parts[i + 1] : text_t();
    if (name.empty() && pats.empty()) continue;  // a trailing "|"
    GtkFileFilter* f = gtk_file_filter_new();
    gtk_file_filter_set_name(f, to_utf8(name).c_str());
    std::vector<text_t> list;
    for (const text_t& p0 : split(pats, u';')) {
      text_t p = string_trim_spaces(p0);
      if (p.empty()) continue;
      list.push_back(p);
      std::string g = p == u"*.*" ? "*" : case_insensitive_glob(to_utf8(p));
      gtk_file_filter_add_pattern(f, g.c_str());
    }
    if (list.empty()) gtk_file_filter_add_pattern(f, "*");
    gtk_file_chooser_add_filter(chooser, f);
    info.filter_names.push_back(name);
    info.filter_patterns.push_back(list);
    info.filters.push_back(f);
  }
  if (!info.filters.empty()) {
    int i = index < 0 || index >= (int)info.filters.size() ? 0 : index;
    gtk_file_chooser_set_filter(chooser, info.filters[i]);
  }
}

// GTK's file chooser arms a short timer of its own whenever its name field
// changes, and removes it when the widget is finalized, not when it is
// destroyed. A chooser answered and destroyed before the timer ran, while
// GTK still holds a reference to it (a folder still loading), then runs the
// timer on its destroyed file list. So a chooser with that timer pending is
// hidden at once and destroyed only after the timer has run.
constexpr int CHOOSER_RECHECK_MS = 20;
constexpr int CHOOSER_RECHECKS_AT_MOST = 250;

struct deferred_chooser {
  GtkWidget* dialog;
  GtkWidget* chooser;
  int rechecks = 0;
};

gboolean destroy_when_settled(gpointer data) {
  auto* d = static_cast<deferred_chooser*>(data);
  if (file_chooser_timer_pending(d->chooser) && ++d->rechecks < CHOOSER_RECHECKS_AT_MOST) return G_SOURCE_CONTINUE;
  gtk_widget_destroy(d->dialog);
  g_object_unref(d->chooser);
  g_object_unref(d->dialog);
  delete d;
  return G_SOURCE_REMOVE;
}

void destroy_file_dialog(GtkWidget* dialog) {
  GtkWidget* chooser = file_chooser_widget_in(dialog);
  if (!file_chooser_timer_pending(chooser)) {
    gtk_widget_destroy(dialog);
    return;
  }
  gtk_widget_hide(dialog);
  auto* d = new deferred_chooser{GTK_WIDGET(g_object_ref(dialog)), GTK_WIDGET(g_object_ref(chooser))};
  g_timeout_add(CHOOSER_RECHECK_MS, destroy_when_settled, d);
}

text_t file_dialog(bool save, const text_t& title, const text_t& default_path, const text_t& pattern,
                   int index) {
  if (!initialised) return {};
  GtkWidget* d = gtk_file_chooser_dialog_new(to_utf8(title).c_str(), nullptr,
                                             save ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN,
                                             "_Cancel", GTK_RESPONSE_CANCEL, save ? "_Save" : "_Open",
                                             GTK_RESPONSE_ACCEPT, nullptr);
  gtk_dialog_set_default_response(GTK_DIALOG(d), GTK_RESPONSE_ACCEPT);
  GtkFileChooser* c = GTK_FILE_CHOOSER(d);
  gtk_file_chooser_set_local_only(c, TRUE);
  gtk_file_chooser_set_do_overwrite_confirmation(c, FALSE);
  requester_info info;
  info.kind = save ? 3 : 2;
  info.dialog = d;
  info.title = title;
  add_filters(c, pattern, index, info);
  if (!default_path.empty()) {
    std::string p = to_utf8(default_path);
    if (p.back() == '/') {
      gtk_file_chooser_set_current_folder(c, p.c_str());
    } else if (save) {
      gchar* dir = g_path_get_dirname(p.c_str());
      gchar* base = g_path_get_basename(p.c_str());
      if (strcmp(dir, ".") != 0) gtk_file_chooser_set_current_folder(c, dir);
      gtk_file_chooser_set_current_name(c, base);
      g_free(dir);
      g_free(base);
    } else {
      gtk_file_chooser_set_filename(c, p.c_str());
    }
  }
  text_t result;
  {
    registered reg(info);
    gint response = gtk_dialog_run(GTK_DIALOG(d));
    if (response == DRIVER_ANSWER_RESPONSE && info.has_answer) {
      result = from_utf8(info.answer_path);
    } else if (response == GTK_RESPONSE_ACCEPT) {
      gchar* f = gtk_file_chooser_get_filename(c);
      if (f) result = from_utf8(f);
      g_free(f);
    }
  }
  destroy_file_dialog(d);
  process_pending();
  return result;
}

}  // namespace
}  // namespace gui

using namespace gui;

int message_box(const text_t& title, const text_t& text, int flags) {
  if (!initialised) return 0;
  GtkMessageType type = flags & MB_ICON_WARNING       ? GTK_MESSAGE_WARNING
                        : flags & MB_ICON_ERROR       ? GTK_MESSAGE_ERROR
                        : flags & MB_ICON_INFORMATION ? GTK_MESSAGE_INFO
                                                      : GTK_MESSAGE_OTHER;
  GtkWidget* d = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, type, GTK_BUTTONS_NONE, "%s",
                                        to_utf8(text).c_str());
  gtk_window_set_title(GTK_WINDOW(d), to_utf8(title).c_str());
  // GTK 3 message dialogs no longer show the icon of their type; the flags
  // ask for one, so it is set explicitly.
  const char* icon = flags & MB_ICON_WARNING       ? "dialog-warning"
                     : flags & MB_ICON_ERROR       ? "dialog-error"
                     : flags & MB_ICON_INFORMATION ? "dialog-information"
                                                   : nullptr;
  if (icon) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GtkWidget* image = gtk_image_new_from_icon_name(icon, GTK_ICON_SIZE_DIALOG);
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(d), image);
    gtk_widget_show(image);
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
  int buttons = flags & 3;
  if (buttons == MB_YES_NO || buttons == MB_YES_NO_CANCEL) {
    gtk_dialog_add_button(GTK_DIALOG(d), "_Yes", GTK_RESPONSE_YES);
    gtk_dialog_add_button(GTK_DIALOG(d), "_No", GTK_RESPONSE_NO);
    if (buttons == MB_YES_NO_CANCEL) gtk_dialog_add_button(GTK_DIALOG(d), "_Cancel", GTK_RESPONSE_CANCEL);
    const int default_response = flags & MB_DEFAULT_NO ? GTK_RESPONSE_NO : GTK_RESPONSE_YES;
    gtk_dialog_set_default_response(GTK_DIALOG(d), default_response);
    // The default button also has the focus, so Return and Space answer it.
    gtk_widget_grab_focus(gtk_dialog_get_widget_for_response(GTK_DIALOG(d), default_response));
  } else {
    gtk_dialog_add_button(GTK_DIALOG(d), "_OK", GTK_RESPONSE_OK);
    gtk_dialog_set_default_response(GTK_DIALOG(d), GTK_RESPONSE_OK);
  }
  gtk_window_set_position(GTK_WINDOW(d), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(d), TRUE);
  requester_info info;
  info.kind = 1;
  info.dialog = d;
  info.title = title;
  info.text = text;
  info.flags = flags & ~MB_DEFAULT_NO;  // the buttons and the icon
  info.default_answer = buttons == MB_YES_NO || buttons == MB_YES_NO_CANCEL
                            ? (flags & MB_DEFAULT_NO ? MB_ANSWER_NO : MB_ANSWER_YES)
                            : MB_ANSWER_OK;
  if (icon) info.icon = icon;
  gint response;
  {
    registered reg(info);
    response = gtk_dialog_run(GTK_DIALOG(d));
  }
  gtk_widget_destroy(d);
  process_pending();
  switch (response) {
    case GTK_RESPONSE_YES:
    case GTK_RESPONSE_OK: return MB_ANSWER_YES;
    case GTK_RESPONSE_NO: return MB_ANSWER_NO;
    case GTK_RESPONSE_CANCEL: return MB_ANSWER_CANCEL;
    default: return MB_ANSWER_CLOSED;
  }
}

text_t file_dialog_open(const text_t& title, const text_t& default_path, const text_t& pattern,
                        int pattern_index) {
  return file_dialog(false, title, default_path, pattern, pattern_index);
}

text_t file_dialog_save(const text_t& title, const text_t& default_path, const text_t& pattern,
                        int pattern_index) {
  return file_dialog(true, title, default_path, pattern, pattern_index);
}

int font_dialog(const text_t& name, int size, int flags) {
  if (!initialised) return 0;
  GtkWidget* d = gtk_font_chooser_dialog_new("Font Selection", nullptr);
  PangoFontDescription* desc = pango_font_description_new();
  pango_font_description_set_family(desc, to_utf8(name).c_str());
  if (size > 0) pango_font_description_set_size(desc, size * PANGO_SCALE);
  if (flags & FONT_BOLD) pango_font_description_set_weight(desc, PANGO_WEIGHT_BOLD);
  if (flags & FONT_ITALIC) pango_font_description_set_style(desc, PANGO_STYLE_ITALIC);
  gtk_font_chooser_set_font_desc(GTK_FONT_CHOOSER(d), desc);
  pango_font_description_free(desc);
  requester_info info;
  info.kind = 4;
  info.dialog = d;
  info.title = u"Font Selection";
  int result = 0;
  {
    registered reg(info);
    gint response = gtk_dialog_run(GTK_DIALOG(d));
    if (response == GTK_RESPONSE_OK || response == GTK_RESPONSE_ACCEPT) {
      PangoFontDescription* chosen = gtk_font_chooser_get_font_desc(GTK_FONT_CHOOSER(d));
      if (chosen) {
        const char* family = pango_font_description_get_family(chosen);
        chosen_font_name = from_utf8(family ? family : "");
        chosen_font_size = pango_font_description_get_size(chosen) / PANGO_SCALE;
        chosen_font_style = 0;
        if (pango_font_description_get_weight(chosen) > 699) chosen_font_style |= FONT_BOLD;
        if (pango_font_description_get_style(chosen) != PANGO_STYLE_NORMAL) chosen_font_style |= FONT_ITALIC;
        pango_font_description_free(chosen);
        result = 1;
      }
    }
  }
  gtk_widget_destroy(d);
  process_pending();
  return result;
}

text_t font_dialog_chosen_name() { return chosen_font_name; }
int font_dialog_chosen_size() { return chosen_font_size; }
int font_dialog_chosen_style() { return chosen_font_style; }
