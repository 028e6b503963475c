#include "kit/list_view_ui.h"

#include "common/dic_entry.h"

#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "kit/command_registry.h"
#include "kit/ids.h"
#include "kit/main_window_hooks.h"
#include "kit/window_helpers.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

namespace {

constexpr int64_t COLOUR_LINE_NUMBER_TEXT = 0;
constexpr int64_t COLOUR_AUTOCORRECT_CORRECT = 39168;  // green

// The kinds whose lists are paged, as register_list_view_handlers was given
// them.
document_kinds* kinds = nullptr;
// The preferences register_list_view_handlers was given: the rows of a page
// and the separator of the counts (nullptr before).
const preferences* view_prefs = nullptr;

// A kind whose document is known: only those are paged.
bool is_paged(const document_kind& kind) { return kind.paged.entries != nullptr && kind.list_gadget != 0; }
int64_t rows_per_page() { return std::max<int64_t>(1, view_prefs ? view_prefs->applied.number_of_lines : 0); }
text_t count_separator() { return view_prefs ? view_prefs->applied.number_separator_chr : text_t(); }

list_document& entries_of(const document_kind& kind) { return *kind.paged.entries; }

int64_t selected_of(const document_kind& kind) {
  return kind.paged.place ? kind.paged.place->selected : entries_of(kind).selected();
}
void set_selected_of(const document_kind& kind, int64_t selected) {
  if (kind.paged.place) kind.paged.place->selected = selected;
  else entries_of(kind).select(selected);
}
int64_t first_row_of(const document_kind& kind) {
  return kind.paged.place ? kind.paged.place->first_row : entries_of(kind).first_row();
}
void set_first_row_of(const document_kind& kind, int64_t first_row) {
  if (kind.paged.place) kind.paged.place->first_row = first_row;
  else entries_of(kind).set_first_row(first_row);
}

bool changed_of(const document_kind& kind) {
  return kind.paged.changed ? kind.paged.changed() : entries_of(kind).changed();
}

int to_int(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The scroll bar's range and page length for the document's count.
void set_scroll_range(const document_kind& kind) {
  const int scroll = kind.paged.scroll;
  const int64_t count = entries_of(kind).count();
  const int page = to_int(rows_per_page());
  if (gadget_get_attribute(scroll, ATTR_PAGE_LENGTH) != page) gadget_set_attribute(scroll, ATTR_PAGE_LENGTH, page);
  if (gadget_get_attribute(scroll, ATTR_MINIMUM) != 0) gadget_set_attribute(scroll, ATTR_MINIMUM, 0);
  const int maximum = to_int(std::max<int64_t>(0, count - 1));
  if (gadget_get_attribute(scroll, ATTR_MAXIMUM) != maximum) gadget_set_attribute(scroll, ATTR_MAXIMUM, maximum);
}

// A bar moved by someone else gives the first row; then the first row is
// kept within the range and shown on the bar.
void settle_first_row(const document_kind& kind, bool follow_bar) {
  const int scroll = kind.paged.scroll;
  int64_t first = first_row_of(kind);
  const int64_t count = entries_of(kind).count();
  set_scroll_range(kind);
  const int bar = gadget_get_state(scroll);
  if (follow_bar && gadget_exists(scroll) && bar != kind.paged.shown_scroll) first = bar;
  first = list_clamp_first_row(first, count, rows_per_page());
  set_first_row_of(kind, first);
  gadget_set_state(scroll, to_int(first));
  kind.paged.shown_scroll = gadget_get_state(scroll);
}

void draw_page(const document_kind& kind, bool follow_bar) {
  const int list = kind.list_gadget;
  if (!is_paged(kind) || !gadget_exists(list)) return;
  settle_first_row(kind, follow_bar);
  const list_document& doc = entries_of(kind);
  const int64_t rows = rows_per_page();
  const int64_t first = first_row_of(kind);
  gadget_clear_items(list);
  if (doc.empty()) return;
  const int64_t n = list_page_length(first, doc.count(), rows);
  const bool dictionary_words = kind.paged.colours == row_colours::dictionary_words;
  std::vector<text_t> texts;
  texts.reserve(static_cast<size_t>(n));
  for (int64_t i = first; i < first + n; ++i) {
    // A description after a space goes to the tags column, as after a TAB.
    texts.push_back(dictionary_words ? list_row_text(i, dic_entry_list_columns(doc.entry(i)))
                                     : list_row_text(i, doc.entry(i)));
  }
  gadget_add_items(list, texts);
  for (int64_t i = first; i < first + n; ++i) {
    const int r = static_cast<int>(i - first);
    const text_view entry = doc.entry(i);
    if (dictionary_words && !entry.empty() && entry.front() == u'/') {
      gadget_set_item_color(list, r, COLOR_TEXT, static_cast<int>(COLOUR_FLAG_ONLY_ENTRY), 1);
      gadget_set_item_color(list, r, COLOR_TEXT, static_cast<int>(COLOUR_FLAG_ONLY_ENTRY), 2);
    }
    gadget_set_item_color(list, r, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
    gadget_set_item_color(list, r, COLOR_TEXT, static_cast<int>(COLOUR_LINE_NUMBER_TEXT), 0);
    if (kind.paged.colours == row_colours::correction_pairs) {
      gadget_set_item_color(list, r, COLOR_TEXT, static_cast<int>(COLOUR_RED), 1);
      gadget_set_item_color(list, r, COLOR_TEXT, static_cast<int>(COLOUR_AUTOCORRECT_CORRECT), 2);
    }
    if (doc.is_checked(i)) gadget_set_item_state(list, r, ITEM_CHECKED);
  }
  const int64_t row = list_row_of(selected_of(kind), first, doc.count(), rows);
  gadget_set_state(list, to_int(row));
}

void set_tab_image(int tab, int image) { gadget_set_item_image(MAIN_TAB_PANEL, tab, image_pixbuf(image)); }

void update_selected_label(const document_kind& kind) {
  if (!is_paged(kind) || kind.paged.selected_label == 0) return;
  const list_document& doc = entries_of(kind);
  const text_t text = list_selected_label_text(doc.checked_count(), doc.count());
  if (gadget_get_text(kind.paged.selected_label) != text) gadget_set_text(kind.paged.selected_label, text);
}

void update_labels(const document_kind& kind) {
  if (!is_paged(kind)) return;
  update_paged_list_status_label(kind);
  update_selected_label(kind);
}

bool is_navigation_key(int id) {
  return id == SHORTCUT_UP || id == SHORTCUT_DOWN || id == SHORTCUT_PAGE_UP || id == SHORTCUT_PAGE_DOWN ||
         id == SHORTCUT_HOME || id == SHORTCUT_END;
}

void sync_selection(const document_kind& kind) {
  if (!is_paged(kind)) return;
  settle_first_row(kind, true);
  const int64_t first = first_row_of(kind);
  const int64_t count = entries_of(kind).count();
  int64_t sel = selected_of(kind);
  const int row = gadget_get_state(kind.list_gadget);
  if (row >= 0) {
    sel = list_sync_selection(sel, row, first);
    if (sel >= count) sel = -1;
  } else if (list_row_of(sel, first, count, rows_per_page()) >= 0) {
    sel = -1;  // deselected on the page
  }
  set_selected_of(kind, sel);
}

void take_checks(const document_kind& kind) {
  if (!is_paged(kind)) return;
  const int list = kind.list_gadget;
  settle_first_row(kind, true);
  const int64_t first = first_row_of(kind);
  list_document& doc = entries_of(kind);
  const int64_t n = std::min<int64_t>(list_page_length(first, doc.count(), rows_per_page()),
                                      gadget_count_items(list));
  std::vector<int> states;
  states.reserve(static_cast<size_t>(std::max<int64_t>(0, n)));
  for (int r = 0; r < n; ++r) states.push_back(gadget_get_item_state(list, r) & (ITEM_SELECTED | ITEM_CHECKED));
  // A view of another kind's entries changes that kind's marks.
  if (list_take_page_checks(doc, first, rows_per_page(), states)) {
    update_selected_label(kind.list_owner ? *kind.list_owner : kind);
  }
}

// The keys act only while the kind's list has the keyboard focus; Return
// (the keypad Enter too) edits the selected entry, as the Edit button does,
// where the kind lets it.
void handle_list_keys(const document_kind& kind, const command_event& e) {
  if (e.type != EVENT_MENU || gadget_get_focus() != kind.list_gadget) return;
  if (is_navigation_key(e.id)) navigate_paged_list(kind, e.id);
  if (e.id == SHORTCUT_RETURN && kind.paged.return_edits && kind.entries.edit) kind.entries.edit(entry_edit::edit);
}

// The thesaurus and autocorrect lists, while their tab is shown.
void handle_list_tab_event(const document_kind& kind, const command_event& e) {
  if (gadget_get_state(MAIN_TAB_PANEL) != kind.tab) return;
  if (!list_shortcuts_active) install_list_shortcuts();
  if (e.type == EVENT_GADGET && e.subtype == SUBTYPE_CHANGE && e.id == kind.list_gadget) take_checks(kind);
  handle_list_keys(kind, e);
}

// The Dictionary tab, while it is shown: the .aff editor takes the list keys
// while it has the focus; any other gadget gives them back to the list.
void handle_dictionary_tab_event(const document_kind& dictionary, const command_event& e) {
  if (gadget_get_state(MAIN_TAB_PANEL) != dictionary.tab) return;
  if (e.type == EVENT_GADGET) {
    if (e.id == AFF_EDITOR) {
      if (e.subtype == SUBTYPE_FOCUS_IN && list_shortcuts_active) remove_list_shortcuts();
    } else if (!list_shortcuts_active) {
      install_list_shortcuts();
    }
  }
  if (e.type == EVENT_GADGET && e.id == AFF_EDITOR) {
    // Edits of the .aff text set the flag without a snapshot.
    if (e.subtype == SUBTYPE_CHANGE && is_paged(dictionary) && !entries_of(dictionary).changed()) {
      entries_of(dictionary).mark_changed();
      update_paged_list_status_label(dictionary);
    }
    return;
  }
  if (e.type == EVENT_GADGET && e.id == dictionary.list_gadget && e.subtype == SUBTYPE_CHANGE) take_checks(dictionary);
  handle_list_keys(dictionary, e);
}

void selection_bookkeeping(const command_event& e) {
  if (e.type != EVENT_GADGET || !kinds) return;
  if (e.subtype != SUBTYPE_CLICK && e.subtype != SUBTYPE_RIGHT_CLICK && e.subtype != SUBTYPE_CHANGE) return;
  for (document_kind* k : kinds->all()) {
    if (k->list_gadget != 0 && k->list_gadget == e.id) sync_selection(*k);
  }
}

void redraw_after_scroll(const command_event& e) {
  if (!kinds) return;
  for (document_kind* k : kinds->all()) {
    if (k->paged.scroll != 0 && k->paged.scroll == e.id) draw_page(*k, true);
  }
}

void refresh_shown_tab_labels() {
  if (document_kind* kind = kinds ? shown_document_kind(*kinds) : nullptr) update_labels(*kind);
}

}  // namespace

// ---- Documents --------------------------------------------------------------------

void set_paged_list_document(document_kind& kind, list_document& doc) {
  kind.paged.entries = &doc;
  doc.on_count_changed = [&doc] { paged_list_count_changed(doc); };
}

list_document& paged_list_document(const document_kind& kind) {
  return is_paged(kind) ? entries_of(kind) : entries_of(kinds->dictionary);
}

void for_each_view_of(const list_document& doc, const std::function<void(const document_kind&)>& f) {
  if (!kinds) return;
  for (document_kind* k : kinds->all()) {
    if (is_paged(*k) && k->paged.entries == &doc) f(*k);
  }
}

// ---- Pages ------------------------------------------------------------------------------

void refresh_list_view_page() {
  document_kind* kind = kinds ? shown_document_kind(*kinds) : nullptr;
  if (kind && is_paged(*kind)) draw_page(*kind, true);
}

void redraw_paged_list(const list_document& doc) {
  for_each_view_of(doc, [](const document_kind& k) { draw_page(k, true); });
}

// After a change of a document's count, every list that pages it follows;
// a place of its own (the Hyphenation tab's) loses its selection.
void paged_list_count_changed(const list_document& doc) {
  for_each_view_of(doc, [](const document_kind& k) {
    if (k.paged.place) k.paged.place->selected = -1;
    draw_page(k, false);
  });
  for_each_view_of(doc, [](const document_kind& k) { update_labels(k); });
}

int64_t paged_list_selected(const document_kind& kind) { return is_paged(kind) ? selected_of(kind) : -1; }

int64_t paged_list_first_row(const document_kind& kind) {
  if (!is_paged(kind)) return 0;
  if (gadget_exists(kind.paged.scroll)) settle_first_row(kind, true);
  return first_row_of(kind);
}

void show_paged_list_position(const document_kind& kind, int64_t selected, int64_t first_row) {
  if (!is_paged(kind)) return;
  const int64_t count = entries_of(kind).count();
  set_selected_of(kind, selected >= 0 && selected < count ? selected : -1);
  set_first_row_of(kind, first_row);
  draw_page(kind, false);
}

int64_t paged_list_first_row(list_document& doc) {
  for_each_view_of(doc, [](const document_kind& k) {
    if (!k.paged.place) paged_list_first_row(k);
  });
  return doc.first_row();
}

void show_paged_list_position(list_document& doc, int64_t selected, int64_t first_row) {
  for_each_view_of(doc, [selected, first_row](const document_kind& k) {
    if (!k.paged.place) show_paged_list_position(k, selected, first_row);
  });
}

void clear_paged_list_selection(const document_kind& kind) {
  if (is_paged(kind)) set_selected_of(kind, -1);
}

// ---- Selection, marks, keys --------------------------------------------------------------------

void sync_paged_list_selection(const list_document& doc) { for_each_view_of(doc, sync_selection); }

void invert_paged_list_checks(const document_kind& kind) {
  if (!is_paged(kind)) return;
  list_document& doc = entries_of(kind);
  if (doc.empty()) {
    message_box(u"Warning!", u"No " + kind.found_name + u" found.", MB_ICON_WARNING);
    return;
  }
  doc.invert_checks();
  draw_page(kind, true);
  update_selected_label(kind);
}

void navigate_paged_list(const document_kind& kind, int key) {
  if (!is_paged(kind) || !is_navigation_key(key)) return;
  settle_first_row(kind, true);
  const int64_t count = entries_of(kind).count();
  const int64_t sel = selected_of(kind);
  const int64_t first = first_row_of(kind);
  const int64_t rows = rows_per_page();
  const int64_t row = list_row_of(sel, first, count, rows);
  const list_position next = list_navigate(static_cast<list_key>(key), count, sel, first, row, rows);
  set_selected_of(kind, next.selected);
  set_first_row_of(kind, next.first_row);
  draw_page(kind, false);
}

// ---- Labels -------------------------------------------------------------------------------------

void update_paged_list_status_label(const document_kind& kind) {
  const paged_list_view& v = kind.paged;
  if (!is_paged(kind) || !gadget_exists(v.status_label)) return;
  const bool changed = changed_of(kind);
  const text_t mark = list_changed_mark_text(changed);
  const text_t shown_mark = gadget_get_text(v.changed_mark);
  if (!changed && !shown_mark.empty()) set_tab_image(kind.tab, IMAGE_TAB_UNCHANGED);
  if (changed && shown_mark != mark) set_tab_image(kind.tab, IMAGE_TAB_CHANGED);
  const text_t text = list_status_label_text(v.count_word, v.position_word, entries_of(kind).count(),
                                             selected_of(kind), count_separator());
  if (gadget_get_text(v.status_label) != text) {
    gadget_set_text(v.status_label, text);
    fit_gadget_to_content(v.status_label);
  }
  // The mark stands right of the label, whoever set the label's text.
  const int mark_x = gadget_x(v.status_label) + gadget_width(v.status_label) + 2;
  if (gadget_x(v.changed_mark) != mark_x || gadget_y(v.changed_mark) != gadget_y(v.status_label)) {
    gadget_move_resize(v.changed_mark, mark_x, gadget_y(v.status_label), 16, 16);
  }
  if (shown_mark != mark) gadget_set_text(v.changed_mark, mark);
}

void update_paged_list_status_labels(const list_document& doc) { for_each_view_of(doc, update_paged_list_status_label); }

void update_paged_list_labels(const list_document& doc) {
  for_each_view_of(doc, [](const document_kind& k) { update_labels(k); });
}

// ---- Main loop -------------------------------------------------------------------------------

void register_list_view_handlers(list_document& dictionary_entries, document_kinds& registry, const preferences& prefs) {
  kinds = &registry;
  view_prefs = &prefs;
  register_event_hook(event_hook::selection_sync, selection_bookkeeping);
  register_event_hook(event_hook::list_scroll, redraw_after_scroll);
  register_event_hook(event_hook::dictionary_tab,
                      [&registry](const command_event& e) { handle_dictionary_tab_event(registry.dictionary, e); });
  register_event_hook(event_hook::thesaurus_tab,
                      [&registry](const command_event& e) { handle_list_tab_event(registry.thesaurus, e); });
  register_event_hook(event_hook::autocorrect_tab,
                      [&registry](const command_event& e) { handle_list_tab_event(registry.autocorrect, e); });
  // The other kinds' documents are watched as they register.
  set_paged_list_document(registry.dictionary, dictionary_entries);

  register_pass_refresh(pass_stage::tab_labels, "list view", [] {
    refresh_shown_tab_labels();
    // A page of the scroll bars is as long as the list shows.
    for (int bar : {DICTIONARY_SCROLL, THESAURUS_SCROLL, HYPHENATION_SCROLL, AUTOCORRECT_SCROLL}) {
      if (gadget_get_attribute(bar, ATTR_PAGE_LENGTH) != rows_per_page())
        gadget_set_attribute(bar, ATTR_PAGE_LENGTH, static_cast<int>(rows_per_page()));
    }
  });
  // A rebuilt main window has empty lists: show the documents again.
  set_main_window_build_step("list view", [] {
    if (!kinds) return;
    for (document_kind* k : kinds->all()) k->paged.shown_scroll = 0;
    for (document_kind* k : kinds->all()) {
      draw_page(*k, false);
      update_labels(*k);
    }
  });
}
