#include "shell/list_view_ui.h"

#include "common/dic_entry.h"

#include "gui/gui.h"
#include "gui/text_cursor.h"
#include "shell/command_registry.h"
#include "shell/main_window.h"
#include "shell/preferences.h"
#include "shell/shell_ids.h"
#include "shell/shell_state.h"
#include "shell/window_helpers.h"

#include <algorithm>
#include <array>
#include <climits>
#include <string>

namespace {

struct member_record {
  int tab;
  int list;
  int scroll;
  int status_label;
  int mark_label;
  int selected_label;  // 0: none
  const char16_t* count_word;
  const char16_t* position_word;
};

constexpr std::array<member_record, 4> kMembers = {{
    {TAB_DICTIONARY, DICTIONARY_LIST, DICTIONARY_SCROLL, DICTIONARY_STATUS_LABEL, DICTIONARY_CHANGED_MARK,
     DICTIONARY_SELECTED_LABEL, u"# Words:", u"Word: ["},
    {TAB_THESAURUS, THESAURUS_LIST, THESAURUS_SCROLL, THESAURUS_STATUS_LABEL, THESAURUS_CHANGED_MARK,
     THESAURUS_SELECTED_LABEL, u"# Synonyms:", u"Synonym: ["},
    {TAB_HYPHENATION, HYPHENATION_LIST, HYPHENATION_SCROLL, HYPHENATION_STATUS_LABEL, HYPHENATION_CHANGED_MARK, 0,
     u"# Words:", u"Word: ["},
    {TAB_AUTOCORRECT, AUTOCORRECT_LIST, AUTOCORRECT_SCROLL, AUTOCORRECT_STATUS_LABEL, AUTOCORRECT_CHANGED_MARK,
     AUTOCORRECT_SELECTED_LABEL, u"# Autocorrects:", u"Autocorrect: ["},
}};

constexpr int64_t COLOUR_LINE_NUMBER_TEXT = 0;
constexpr int64_t COLOUR_AUTOCORRECT_CORRECT = 39168;  // green

// The dictionary the Dictionary and Hyphenation lists page: the workspace's,
// given by register_list_view_handlers.
list_document* dictionary_doc = nullptr;
// The thesaurus's and the autocorrect list's entries, as their editors
// registered them (nullptr before).
list_document* thesaurus_doc = nullptr;
list_document* autocorrect_doc = nullptr;
// The Hyphenation tab's place in the dictionary's entries and its changed
// test, as the hyphenation document registered them (nullptr before).
list_position* hyphenation_place = nullptr;
std::function<bool()> hyphenation_changed_test;
// The scroll value each member last showed: a different value means
// someone moved the bar (a drag, or code that set it), and the page follows.
std::array<int, 4> shown_scroll_value = {0, 0, 0, 0};

// A member whose document is known: only those are paged.
bool is_member_tab(int tab) {
  if (tab == TAB_THESAURUS) return thesaurus_doc != nullptr;
  if (tab == TAB_AUTOCORRECT) return autocorrect_doc != nullptr;
  if (tab == TAB_HYPHENATION) return hyphenation_place != nullptr;
  return tab == TAB_DICTIONARY;
}
const member_record& member(int tab) { return kMembers[static_cast<size_t>(tab)]; }

int64_t rows_per_page() { return std::max<int64_t>(1, visible_rows); }

int64_t selected_of(int tab) {
  return tab == TAB_HYPHENATION ? hyphenation_place->selected : paged_list_document(tab).selected();
}
void set_selected_of(int tab, int64_t selected) {
  if (tab == TAB_HYPHENATION) hyphenation_place->selected = selected;
  else paged_list_document(tab).select(selected);
}
int64_t first_row_of(int tab) {
  return tab == TAB_HYPHENATION ? hyphenation_place->first_row : paged_list_document(tab).first_row();
}
void set_first_row_of(int tab, int64_t first_row) {
  if (tab == TAB_HYPHENATION) hyphenation_place->first_row = first_row;
  else paged_list_document(tab).set_first_row(first_row);
}

bool changed_of(int tab) {
  if (tab == TAB_HYPHENATION) return hyphenation_changed_test && hyphenation_changed_test();
  return paged_list_document(tab).changed();
}

int to_int(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// The scroll bar's range and page length for the document's count.
void set_scroll_range(int tab) {
  const member_record& m = member(tab);
  const int64_t count = paged_list_document(tab).count();
  const int page = to_int(rows_per_page());
  if (gadget_get_attribute(m.scroll, ATTR_PAGE_LENGTH) != page) gadget_set_attribute(m.scroll, ATTR_PAGE_LENGTH, page);
  if (gadget_get_attribute(m.scroll, ATTR_MINIMUM) != 0) gadget_set_attribute(m.scroll, ATTR_MINIMUM, 0);
  const int maximum = to_int(std::max<int64_t>(0, count - 1));
  if (gadget_get_attribute(m.scroll, ATTR_MAXIMUM) != maximum) gadget_set_attribute(m.scroll, ATTR_MAXIMUM, maximum);
}

// A bar moved by someone else gives the first row; then the first row is
// kept within the range and shown on the bar.
void settle_first_row(int tab, bool follow_bar) {
  const member_record& m = member(tab);
  int64_t first = first_row_of(tab);
  const int64_t count = paged_list_document(tab).count();
  set_scroll_range(tab);
  const int bar = gadget_get_state(m.scroll);
  if (follow_bar && gadget_exists(m.scroll) && bar != shown_scroll_value[static_cast<size_t>(tab)]) first = bar;
  first = list_clamp_first_row(first, count, rows_per_page());
  set_first_row_of(tab, first);
  gadget_set_state(m.scroll, to_int(first));
  shown_scroll_value[static_cast<size_t>(tab)] = gadget_get_state(m.scroll);
}

void draw_page(int tab, bool follow_bar) {
  const member_record& m = member(tab);
  if (!is_member_tab(tab) || !gadget_exists(m.list)) return;
  settle_first_row(tab, follow_bar);
  const list_document& doc = paged_list_document(tab);
  const int64_t rows = rows_per_page();
  const int64_t first = first_row_of(tab);
  gadget_clear_items(m.list);
  if (doc.empty()) return;
  const int64_t n = list_page_length(first, doc.count(), rows);
  const bool dictionary_words = tab == TAB_DICTIONARY || tab == TAB_HYPHENATION;
  std::vector<text_t> texts;
  texts.reserve(static_cast<size_t>(n));
  for (int64_t i = first; i < first + n; ++i) {
    // A description after a space goes to the tags column, as after a TAB.
    texts.push_back(dictionary_words ? list_row_text(i, dic_entry_list_columns(doc.entry(i)))
                                     : list_row_text(i, doc.entry(i)));
  }
  gadget_add_items(m.list, texts);
  for (int64_t i = first; i < first + n; ++i) {
    const int r = static_cast<int>(i - first);
    const text_view entry = doc.entry(i);
    if (dictionary_words && !entry.empty() && entry.front() == u'/') {
      gadget_set_item_color(m.list, r, COLOR_TEXT, static_cast<int>(COLOUR_FLAG_ONLY_ENTRY), 1);
      gadget_set_item_color(m.list, r, COLOR_TEXT, static_cast<int>(COLOUR_FLAG_ONLY_ENTRY), 2);
    }
    gadget_set_item_color(m.list, r, COLOR_BACKGROUND, static_cast<int>(COLOUR_LINE_NUMBER_BACKGROUND), 0);
    gadget_set_item_color(m.list, r, COLOR_TEXT, static_cast<int>(COLOUR_LINE_NUMBER_TEXT), 0);
    if (tab == TAB_AUTOCORRECT) {
      gadget_set_item_color(m.list, r, COLOR_TEXT, static_cast<int>(COLOUR_RED), 1);
      gadget_set_item_color(m.list, r, COLOR_TEXT, static_cast<int>(COLOUR_AUTOCORRECT_CORRECT), 2);
    }
    if (doc.is_checked(i)) gadget_set_item_state(m.list, r, ITEM_CHECKED);
  }
  const int64_t row = list_row_of(selected_of(tab), first, doc.count(), rows);
  gadget_set_state(m.list, to_int(row));
}

void set_tab_image(int tab, int image) { gadget_set_item_image(MAIN_TAB_PANEL, tab, image_pixbuf(image)); }

void update_status_label(int tab) {
  const member_record& m = member(tab);
  if (!is_member_tab(tab) || !gadget_exists(m.status_label)) return;
  const bool changed = changed_of(tab);
  const text_t mark = list_changed_mark_text(changed);
  const text_t shown_mark = gadget_get_text(m.mark_label);
  if (!changed && !shown_mark.empty()) set_tab_image(tab, IMAGE_TAB_UNCHANGED);
  if (changed && shown_mark != mark) set_tab_image(tab, IMAGE_TAB_CHANGED);
  const text_t text = list_status_label_text(m.count_word, m.position_word, paged_list_document(tab).count(),
                                             selected_of(tab), number_separator);
  if (gadget_get_text(m.status_label) != text) {
    gadget_set_text(m.status_label, text);
    fit_gadget_to_content(m.status_label);
  }
  // The mark stands right of the label, whoever set the label's text.
  const int mark_x = gadget_x(m.status_label) + gadget_width(m.status_label) + 2;
  if (gadget_x(m.mark_label) != mark_x || gadget_y(m.mark_label) != gadget_y(m.status_label)) {
    gadget_move_resize(m.mark_label, mark_x, gadget_y(m.status_label), 16, 16);
  }
  if (shown_mark != mark) gadget_set_text(m.mark_label, mark);
}

void update_selected_label(int tab) {
  const member_record& m = member(tab);
  if (!is_member_tab(tab) || m.selected_label == 0) return;
  const list_document& doc = paged_list_document(tab);
  const text_t text = list_selected_label_text(doc.checked_count(), doc.count());
  if (gadget_get_text(m.selected_label) != text) gadget_set_text(m.selected_label, text);
}

bool is_navigation_key(int id) {
  return id == SHORTCUT_UP || id == SHORTCUT_DOWN || id == SHORTCUT_PAGE_UP || id == SHORTCUT_PAGE_DOWN ||
         id == SHORTCUT_HOME || id == SHORTCUT_END;
}

// The keys act only while the member's list has the keyboard focus.
void navigate_if_focused(int tab, int type, int id) {
  if (type == EVENT_MENU && is_navigation_key(id) && gadget_get_focus() == member(tab).list) {
    navigate_paged_list(tab, id);
  }
}

// Return (the keypad Enter too) on the dictionary or the autocorrect list
// edits the selected entry, as the Edit button does.
void edit_if_focused(int tab, int type, int id, const std::function<void(entry_edit)>& edit) {
  if (type != EVENT_MENU || id != SHORTCUT_RETURN || gadget_get_focus() != member(tab).list) return;
  if (edit) edit(entry_edit::edit);
}

// The thesaurus and autocorrect handlers, identical but for their numbers
// and Return, which edits only on the autocorrect list.
void handle_list_tab_event(int tab, const command_event& e, const std::function<void(entry_edit)>& return_edits) {
  if (gadget_get_state(MAIN_TAB_PANEL) != tab) return;
  if (!list_shortcuts_active) install_list_shortcuts();
  if (e.type == EVENT_GADGET && e.subtype == SUBTYPE_CHANGE && e.id == member(tab).list) take_paged_list_checks(tab);
  navigate_if_focused(tab, e.type, e.id);
  edit_if_focused(tab, e.type, e.id, return_edits);
}

void handle_dictionary_tab_event(const command_event& e, const std::function<void(entry_edit)>& edit) {
  if (e.type == EVENT_GADGET && e.id == AFF_EDITOR) {
    // Edits of the .aff text set the flag without a snapshot.
    if (e.subtype == SUBTYPE_CHANGE && !dictionary_doc->changed()) {
      dictionary_doc->mark_changed();
      update_dictionary_status_label();
    }
    return;
  }
  if (e.type == EVENT_GADGET && e.id == DICTIONARY_LIST && e.subtype == SUBTYPE_CHANGE) {
    take_paged_list_checks(TAB_DICTIONARY);
  }
  navigate_if_focused(TAB_DICTIONARY, e.type, e.type == EVENT_MENU ? e.id : 0);
  edit_if_focused(TAB_DICTIONARY, e.type, e.type == EVENT_MENU ? e.id : 0, edit);
}

void selection_bookkeeping(const command_event& e) {
  if (e.type != EVENT_GADGET) return;
  if (e.subtype != SUBTYPE_CLICK && e.subtype != SUBTYPE_RIGHT_CLICK && e.subtype != SUBTYPE_CHANGE) return;
  for (const member_record& m : kMembers) {
    if (m.list == e.id) sync_paged_list_selection(m.tab);
  }
}

void redraw_after_scroll(const command_event& e) {
  for (const member_record& m : kMembers) {
    if (m.scroll == e.id) draw_page(m.tab, true);
  }
}

void refresh_shown_tab_labels() {
  const int tab = gadget_get_state(MAIN_TAB_PANEL);
  if (is_member_tab(tab)) update_paged_list_labels(tab);
}

void watch_count(int tab, list_document& doc) {
  doc.on_count_changed = [tab] { paged_list_count_changed(tab); };
}

}  // namespace

// ---- Documents --------------------------------------------------------------------

void set_paged_list_document(int tab, list_document& doc) {
  if (tab != TAB_THESAURUS && tab != TAB_AUTOCORRECT) return;
  (tab == TAB_THESAURUS ? thesaurus_doc : autocorrect_doc) = &doc;
  watch_count(tab, doc);
}

list_document& paged_list_document(int tab) {
  switch (tab) {
    case TAB_THESAURUS: return *thesaurus_doc;
    case TAB_AUTOCORRECT: return *autocorrect_doc;
    default: return *dictionary_doc;
  }
}

void set_hyphenation_view(list_position& place, std::function<bool()> changed) {
  hyphenation_place = &place;
  hyphenation_changed_test = std::move(changed);
}

// ---- Pages ------------------------------------------------------------------------------

void refresh_list_view_page(int which) {
  if (which != -1) {
    draw_page(TAB_HYPHENATION, true);
    return;
  }
  const int tab = gadget_get_state(MAIN_TAB_PANEL);
  if (is_member_tab(tab)) draw_page(tab, true);
}

void redraw_paged_list(int tab) {
  if (is_member_tab(tab)) draw_page(tab, true);
}

void paged_list_count_changed(int tab) {
  if (!is_member_tab(tab)) return;
  if (tab == TAB_DICTIONARY || tab == TAB_HYPHENATION) {
    // Both lists page the dictionary; the Hyphenation tab loses its selection.
    if (hyphenation_place) hyphenation_place->selected = -1;
    draw_page(TAB_DICTIONARY, false);
    draw_page(TAB_HYPHENATION, false);
    update_paged_list_labels(TAB_DICTIONARY);
    update_status_label(TAB_HYPHENATION);
    return;
  }
  draw_page(tab, false);
  update_paged_list_labels(tab);
}

int64_t paged_list_selected(int tab) { return is_member_tab(tab) ? selected_of(tab) : -1; }

int64_t paged_list_first_row(int tab) {
  if (!is_member_tab(tab)) return 0;
  if (gadget_exists(member(tab).scroll)) settle_first_row(tab, true);
  return first_row_of(tab);
}

void show_paged_list_position(int tab, int64_t selected, int64_t first_row) {
  if (!is_member_tab(tab)) return;
  const int64_t count = paged_list_document(tab).count();
  set_selected_of(tab, selected >= 0 && selected < count ? selected : -1);
  set_first_row_of(tab, first_row);
  draw_page(tab, false);
}

void clear_paged_list_selection(int tab) {
  if (is_member_tab(tab)) set_selected_of(tab, -1);
}

// ---- Selection, marks, keys --------------------------------------------------------------------

void sync_paged_list_selection(int tab) {
  if (!is_member_tab(tab)) return;
  const member_record& m = member(tab);
  settle_first_row(tab, true);
  const int64_t first = first_row_of(tab);
  const int64_t count = paged_list_document(tab).count();
  int64_t sel = selected_of(tab);
  const int row = gadget_get_state(m.list);
  if (row >= 0) {
    sel = list_sync_selection(sel, row, first);
    if (sel >= count) sel = -1;
  } else if (list_row_of(sel, first, count, rows_per_page()) >= 0) {
    sel = -1;  // deselected on the page
  }
  set_selected_of(tab, sel);
}

void sync_dictionary_selection() { sync_paged_list_selection(TAB_DICTIONARY); }
void sync_hyphenation_selection() { sync_paged_list_selection(TAB_HYPHENATION); }

void take_paged_list_checks(int tab) {
  if (!is_member_tab(tab)) return;
  const member_record& m = member(tab);
  settle_first_row(tab, true);
  const int64_t first = first_row_of(tab);
  list_document& doc = paged_list_document(tab);
  const int64_t n = std::min<int64_t>(list_page_length(first, doc.count(), rows_per_page()),
                                      gadget_count_items(m.list));
  std::vector<int> states;
  states.reserve(static_cast<size_t>(std::max<int64_t>(0, n)));
  for (int r = 0; r < n; ++r) states.push_back(gadget_get_item_state(m.list, r) & (ITEM_SELECTED | ITEM_CHECKED));
  if (list_take_page_checks(doc, first, rows_per_page(), states)) {
    update_selected_label(tab == TAB_HYPHENATION ? TAB_DICTIONARY : tab);
  }
}

namespace {

void invert_member(int tab, const char16_t* none_found) {
  if (!is_member_tab(tab)) return;
  list_document& doc = paged_list_document(tab);
  if (doc.empty()) {
    message_box(u"Warning!", none_found, MB_ICON_WARNING);
    return;
  }
  doc.invert_checks();
  draw_page(tab, true);
  update_selected_label(tab);
}

}  // namespace

void invert_synonym_selection() { invert_member(TAB_THESAURUS, u"No synonyms found."); }
void invert_autocorrect_selection() { invert_member(TAB_AUTOCORRECT, u"No autocorrect words found."); }

void navigate_paged_list(int tab, int key) {
  if (!is_member_tab(tab) || !is_navigation_key(key)) return;
  settle_first_row(tab, true);
  const int64_t count = paged_list_document(tab).count();
  const int64_t sel = selected_of(tab);
  const int64_t first = first_row_of(tab);
  const int64_t rows = rows_per_page();
  const int64_t row = list_row_of(sel, first, count, rows);
  const list_position next = list_navigate(static_cast<list_key>(key), count, sel, first, row, rows);
  set_selected_of(tab, next.selected);
  set_first_row_of(tab, next.first_row);
  draw_page(tab, false);
}

// ---- Labels -------------------------------------------------------------------------------------

void update_dictionary_status_label() { update_status_label(TAB_DICTIONARY); }
void update_thesaurus_status_label() { update_status_label(TAB_THESAURUS); }
void update_hyphenation_status_label() { update_status_label(TAB_HYPHENATION); }
void update_autocorrect_status_label() { update_status_label(TAB_AUTOCORRECT); }
void update_dictionary_selected_label() { update_selected_label(TAB_DICTIONARY); }

void update_paged_list_labels(int tab) {
  if (!is_member_tab(tab)) return;
  update_status_label(tab);
  update_selected_label(tab);
}

// ---- Main loop -------------------------------------------------------------------------------

void register_list_view_handlers(dictionary_document& dictionary, const document_kinds& kinds) {
  dictionary_doc = &dictionary.list;
  register_event_hook(event_hook::selection_sync, selection_bookkeeping);
  register_event_hook(event_hook::list_scroll, redraw_after_scroll);
  register_event_hook(event_hook::dictionary_tab,
                      [&kinds](const command_event& e) { handle_dictionary_tab_event(e, kinds.dictionary.entries.edit); });
  register_event_hook(event_hook::thesaurus_tab,
                      [](const command_event& e) { handle_list_tab_event(TAB_THESAURUS, e, nullptr); });
  register_event_hook(event_hook::autocorrect_tab, [&kinds](const command_event& e) {
    handle_list_tab_event(TAB_AUTOCORRECT, e, kinds.autocorrect.entries.edit);
  });
  // The thesaurus's and the autocorrect list's are watched as they register.
  watch_count(TAB_DICTIONARY, *dictionary_doc);

  // Refreshes and build steps are added, not replaced: only the newest
  // registration acts.
  static int generation = 0;
  const int mine = ++generation;
  register_pass_refresh(pass_stage::tab_labels, [mine] {
    if (mine == generation) refresh_shown_tab_labels();
  });
  // A rebuilt main window has empty lists: show the documents again.
  add_main_window_build_step([mine] {
    if (mine != generation) return;
    shown_scroll_value = {0, 0, 0, 0};
    for (const member_record& m : kMembers) {
      draw_page(m.tab, false);
      update_paged_list_labels(m.tab);
    }
  });
}
