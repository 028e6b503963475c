#include "app/find_window.h"

#include "common/format.h"
#include "gui/gui.h"
#include "gui/modal_window.h"
#include "kit/find_search.h"
#include "kit/ids.h"
#include "kit/layout.h"
#include "kit/list_view_ui.h"
#include "kit/main_job_host.h"
#include "kit/window_helpers.h"

#include <vector>


namespace {

using namespace find_ids;

constexpr int WIDTH = 605, HEIGHT = 400;

class find_window {
 public:
  find_window(const document_kind& kind, find_options& last, text_view separator)
      : kind_(kind),
        last_(last),
        entries_(kind.shown_entries()),
        doc_(paged_list_document(kind)),
        separator_(separator) {}

  void build();
  void run();

 private:
  // The selections before a command: the document's own (which the entry
  // editor and Delete Current act on) and the tab's (the Hyphenation tab
  // pages the dictionary with a selection of its own).
  struct selections {
    int64_t document;
    int64_t tab;
  };
  selections saved_selections() const { return {doc_.selected(), paged_list_selected(kind_)}; }
  // A view of another kind's entries (the Hyphenation tab's) keeps a
  // selection of its own.
  bool own_selection() const { return kind_.list_owner != nullptr; }
  void restore_selections(selections s) {
    doc_.select(s.document >= 0 && s.document < doc_.count() ? s.document : -1);
    if (own_selection()) redraw_paged_list(doc_);
    show_paged_list_position(kind_, own_selection() ? s.tab : doc_.selected(), paged_list_first_row(kind_));
    update_paged_list_labels(doc_);
  }

  void refresh_found_label() {
    gadget_set_text(FIND_FOUND_LABEL,
                    u"Found:" + format_count(static_cast<int64_t>(rows_.size()), separator_) + u"/" + format_count(doc_.count(), separator_));
    fit_gadget_to_content(FIND_FOUND_LABEL);
  }
  void before_wait();
  void after_wait();
  modal_step handle_event(const modal_event& e);
  void search();
  void display();
  int64_t chosen_row(bool warn);
  void edit();
  void remove();
  void redraw_positions();

  const document_kind& kind_;
  find_options& last_;  // the search shown, kept for the next opening
  const list_entry_commands& entries_;
  list_document& doc_;
  const text_t separator_;  // of the counts
  std::vector<find_row> rows_;
  bool delete_bound_ = true;
  int entry_red_ = -1;
};

void find_window::build() {
  gadget_create_entry(FIND_ENTRY, 12, 18, 420, static_cast<int>(string_gadget_height), last_.text);
  use_language_font(FIND_ENTRY);
  gadget_create_checkbox(FIND_LEFT_MATCH, 10, 56, 260, 21, u"Left match text (more accurate)");
  gadget_set_state(FIND_LEFT_MATCH, last_.left_match ? 1 : 0);
  gadget_create_checkbox(FIND_MATCH_CASE, 10, 78, 260, 21, u"Match case");
  gadget_set_state(FIND_MATCH_CASE, last_.match_case ? 1 : 0);
  gadget_create_checkbox(FIND_MATCH_EXTRA, 10, 99, 260, 21, u"Match extra information");
  gadget_set_state(FIND_MATCH_EXTRA, last_.match_extra ? 1 : 0);
  const int bw = static_cast<int>(image_button_width), bh = static_cast<int>(image_button_height);
  create_image_button_right_of(FIND_CLEAR, FIND_LEFT_MATCH, bw, bh, IMAGE_CLEAR, 10, u"Clear", 0);
  create_image_button_at(FIND_BUTTON, 10, 133, bw, bh, IMAGE_FIND, 0, u"Find", 0);
  create_image_button_right_of(FIND_CLOSE, FIND_BUTTON, bw, bh, IMAGE_CLOSE, 5, u"Close", 0);

  gadget_create_column_list(FIND_RESULTS, 10, 183, 585, 152, u"Matches", 220);
  gadget_add_column(FIND_RESULTS, 1, u"Position", 115);
  gadget_add_column(FIND_RESULTS, 2, u"% Match", 88);
  gadget_add_column(FIND_RESULTS, 3, u"Status", 103);
  use_language_font(FIND_RESULTS);

  create_image_button_at(FIND_DISPLAY, 10, 345, bw, bh, IMAGE_DISPLAY, 0, u"Display", 1);
  gadget_create_label(FIND_FOUND_LABEL, 70, 347, 0, 18, u"");
  refresh_found_label();
  gadget_create_progress_bar(FIND_PROGRESS, 407, 342, 158, 8, 0, static_cast<int>(doc_.count()));
  gadget_create_label(FIND_ESCAPE_LABEL, 407, 354, 158, 18, u"");

  menu_create_image_popup(FIND_POPUP);
  menu_add_item_image(FIND_POPUP_EDIT, u"Edit", image_pixbuf(IMAGE_EDIT));
  menu_add_separator();
  menu_add_item_image(FIND_POPUP_DELETE, u"Delete", image_pixbuf(IMAGE_DELETE_CURRENT));

  shortcut_add(FIND_WINDOW, KEY_ESCAPE, SHORTCUT_ESCAPE);
  shortcut_add(FIND_WINDOW, KEY_DELETE, SHORTCUT_DELETE);
  shortcut_add(FIND_WINDOW, key_ctrl('F'), SHORTCUT_FIND);
  shortcut_add(FIND_WINDOW, KEY_RETURN, SHORTCUT_RETURN);
  gadget_set_focus(FIND_ENTRY);
}

void find_window::before_wait() {
  const text_t s = gadget_get_text(FIND_ENTRY);
  const bool red = s.find(u"  ") != text_t::npos ||
                   (!s.empty() && s.front() == u' ' && gadget_get_state(FIND_LEFT_MATCH) == 1);
  if (static_cast<int>(red) != entry_red_) {
    gadget_set_color(FIND_ENTRY, COLOR_BACKGROUND, red ? static_cast<int>(COLOUR_RED) : -1);
    entry_red_ = red;
  }
  const int display_off = gadget_get_state(FIND_RESULTS) >= 0 ? 0 : 1;
  if (gadget_get_disabled(FIND_DISPLAY) != display_off) gadget_set_disabled(FIND_DISPLAY, display_off);
  // Delete edits the text while the entry has the focus.
  const bool in_entry = gadget_get_focus() == FIND_ENTRY;
  if (in_entry && delete_bound_) {
    shortcut_remove(FIND_WINDOW, KEY_DELETE);
    delete_bound_ = false;
  } else if (!in_entry && !delete_bound_) {
    shortcut_add(FIND_WINDOW, KEY_DELETE, SHORTCUT_DELETE);
    delete_bound_ = true;
  }
}

void find_window::after_wait() {
  last_.match_case = gadget_get_state(FIND_MATCH_CASE) == 1;
  last_.match_extra = gadget_get_state(FIND_MATCH_EXTRA) == 1;
  last_.left_match = gadget_get_state(FIND_LEFT_MATCH) == 1;
  last_.text = gadget_get_text(FIND_ENTRY);
}

void find_window::search() {
  if (last_.text.empty()) {
    message_box(u"Warning!", u"Nothing to find.", MB_ICON_WARNING);
    return;
  }
  gadget_clear_items(FIND_RESULTS);
  rows_.clear();
  gadget_set_text(FIND_FOUND_LABEL, u"Found:0");
  gadget_set_attribute(FIND_PROGRESS, ATTR_MAXIMUM, static_cast<int>(doc_.count()));
  const find_options o = last_;
  tool_window_job_host host({.window = FIND_WINDOW, .progress_bar = FIND_PROGRESS, .escape_label = FIND_ESCAPE_LABEL});
  find_result r = find_in_list(doc_, kind_.find_reader, o, host, [&](const find_row& row, int64_t found) {
    gadget_add_item(FIND_RESULTS, -1, row.shown + u"\n" + string_from_int(row.position) + u"\n" + row.percent + u"\n");
    gadget_set_text(FIND_FOUND_LABEL, u"Found:" + format_count(found, separator_) + u"/" + format_count(doc_.count(), separator_));
    fit_gadget_to_content(FIND_FOUND_LABEL);
  });
  rows_ = std::move(r.rows);
  refresh_found_label();
  if (rows_.empty()) message_box(u"Warning!", u"\"" + last_.text + u"\" not found.", MB_ICON_WARNING);
}

void find_window::display() {
  const int row = gadget_get_state(FIND_RESULTS);
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  const int64_t at = rows_[row].position - 1;
  if (!own_selection()) doc_.select(at);
  show_paged_list_position(kind_, at, at);
  update_paged_list_labels(doc_);
}

// The selected result row, after the two warnings; -1 when there is none.
int64_t find_window::chosen_row(bool warn) {
  if (rows_.empty()) {
    if (warn) message_box(u"Warning!", u"No items found.", MB_ICON_WARNING);
    return -1;
  }
  const int row = gadget_get_state(FIND_RESULTS);
  if (row < 0 || row >= static_cast<int>(rows_.size())) {
    if (warn) message_box(u"Warning!", u"No item selected.", MB_ICON_WARNING);
    return -1;
  }
  return row;
}

void find_window::edit() {
  const int64_t row = chosen_row(true);
  if (row < 0) return;
  const int64_t at = rows_[row].position - 1;
  const selections saved = saved_selections();
  const text_t before(doc_.entry(at));
  doc_.select(at);
  if (entries_.edit) entries_.edit(entry_edit::edit);
  // The entry editors give window 0 back its controls and the focus as they
  // close; the Find window is still open over it, and the keys belong to it.
  window_set_disabled(MAIN_WINDOW, 1);
  window_activate(FIND_WINDOW);
  const text_t after(doc_.entry(at));
  rows_[row].shown = find_shown_text(kind_.find_reader.shown, after);
  gadget_set_item_text(FIND_RESULTS, static_cast<int>(row), rows_[row].shown, 0);
  if (after != before) {
    rows_[row].changed = true;
    gadget_set_item_text(FIND_RESULTS, static_cast<int>(row), u"Changed", 3);
    gadget_set_item_color(FIND_RESULTS, static_cast<int>(row), COLOR_TEXT, static_cast<int>(COLOUR_RED), 3);
  }
  restore_selections(saved);
}

void find_window::remove() {
  int64_t row = chosen_row(true);
  if (row < 0) return;
  const int64_t position = rows_[row].position;
  selections saved = saved_selections();
  const int64_t count_before = doc_.count();
  doc_.select(position - 1);
  if (entries_.delete_current) entries_.delete_current(missing_selection::quiet);
  if (doc_.count() < count_before) {
    remove_find_row(rows_, position, row);
    gadget_remove_item(FIND_RESULTS, static_cast<int>(gadget_get_state(FIND_RESULTS)));
    redraw_positions();
    gadget_set_state(FIND_RESULTS, static_cast<int>(row));
    // The selections follow the entries: one after the removed entry moved up.
    saved.document = selection_after_removal(saved.document, position - 1);
    saved.tab = selection_after_removal(saved.tab, position - 1);
  }
  restore_selections(saved);
  refresh_found_label();
}

void find_window::redraw_positions() {
  for (size_t j = 0; j < rows_.size(); ++j) {
    const text_t shown = string_from_int(rows_[j].position);
    if (gadget_get_item_text(FIND_RESULTS, static_cast<int>(j), 1) != shown)
      gadget_set_item_text(FIND_RESULTS, static_cast<int>(j), shown, 1);
  }
}

void find_window::run() {
  run_modal_loop(FIND_WINDOW, [this](const modal_event& e) { return handle_event(e); },
                 {.before_wait = [this] { before_wait(); }});
}

modal_step find_window::handle_event(const modal_event& e) {
  // Only the window's own events act on the options, so they are taken
  // there (another window's event leaves them as they were).
  after_wait();
  if (e.is_close_box()) return modal_step::close;
  if (e.type == EVENT_MENU) {
    switch (e.object) {
      case SHORTCUT_ESCAPE: return modal_step::close;
      case SHORTCUT_DELETE:
        if (gadget_get_focus() != FIND_ENTRY) remove();
        break;
      case SHORTCUT_FIND: gadget_set_focus(FIND_ENTRY); break;
      case SHORTCUT_RETURN: {
        const int focus = gadget_get_focus();
        if (focus == FIND_ENTRY || focus == FIND_BUTTON) search();
        break;
      }
      case FIND_POPUP_EDIT: edit(); break;
      case FIND_POPUP_DELETE: remove(); break;
      default: break;
    }
    return modal_step::stay;
  }
  if (e.type != EVENT_GADGET) return modal_step::stay;
  const int g = e.object;
  const int subtype = e.subtype;
  if (g == FIND_BUTTON) search();
  if (g == FIND_CLEAR) {
    gadget_set_text(FIND_ENTRY, u"");
    gadget_set_focus(FIND_ENTRY);
  }
  if (g == FIND_DISPLAY) display();
  if (g == FIND_RESULTS && subtype == SUBTYPE_DOUBLE_CLICK) display();
  if (g == FIND_RESULTS && subtype == SUBTYPE_RIGHT_CLICK &&
      !own_selection()) {
    menu_popup(FIND_POPUP, window_widget(FIND_WINDOW));
  }
  return close_when(g == FIND_CLOSE);
}

}  // namespace

void show_find_window(const document_kind& kind, find_options& last, text_view separator) {
  if (!kind.searchable) return;
  if (paged_list_document(kind).empty()) {
    message_box(u"Warning!", u"No " + kind.found_name + u" found.", MB_ICON_WARNING);
    return;
  }
  if (!window_open(FIND_WINDOW, 0, 0, WIDTH, HEIGHT, u"Find " + kind.find_title, TOOL_WINDOW_FLAGS,
                   window_widget(MAIN_WINDOW))) {
    message_box(u"Error!", u"Can't open a window.", MB_ICON_ERROR);
    return;
  }
  window_set_disabled(MAIN_WINDOW, 1);
  find_window w(kind, last, separator);
  w.build();
  w.run();
  menu_free(FIND_POPUP);
  end_modal_window(FIND_WINDOW, MAIN_WINDOW);
}
