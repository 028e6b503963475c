// The paged lists of the main window: the dictionary (list 124), the
// thesaurus (160), the Hyphenation tab's view of the dictionary's words (185)
// and the autocorrect list (221), each described by its document kind
// (document_kind::paged). Each shows one page of the preferences' rows; the
// scroll bar beside it holds the first visible row. A member is named by its
// tab: 0 dictionary, 1 thesaurus, 2 hyphenation words, 3 autocorrect.
//
// The documents hold the truth (selection, first visible row, marks); the
// list gadget and its scroll bar only show it. Code that sets a scroll bar
// itself and then calls refresh_list_view_page is followed too.
#pragma once

#include "common/list_document.h"
#include "common/text.h"
#include "kit/document_kinds.h"
#include "kit/preferences.h"

#include <cstdint>
#include <functional>

// The document a kind's list pages, as the subsystem that registers the kind
// gives it (a test may point a list at a document of its own); the
// dictionary's entries are the ones register_list_view_handlers is given.
// The document must outlive the view, which sets its on_count_changed. Until
// one is given the kind's list is not paged. A view of another kind's entries (the
// Hyphenation tab's) sets its paged.entries, place and changed itself.
void set_paged_list_document(document_kind& kind, list_document& doc);
// The document a member pages: tab 2 gives the dictionary's. Tabs 1 and 3
// only once their document is registered.
list_document& paged_list_document(int tab);
// The kind whose list a tab pages; nullptr for a tab without one.
const document_kind* paged_list_kind(int tab);

// ---- Pages --------------------------------------------------------------------
// which -1: the list of the tab shown in panel 100 (tabs 0-3; nothing for 4
// and 5); any other value redraws the hyphenation list 185.
void refresh_list_view_page(int which);
// Redraws one member's page (its scroll range follows the count).
void redraw_paged_list(int tab);
// After a change of a document's count: scroll ranges, the pages (the
// dictionary's also on the Hyphenation tab, whose selection is cleared) and
// the status labels.
void paged_list_count_changed(int tab);

// Selection and first visible row of a member, e.g. for Find, Goto and Go to
// top/bottom: kept within the scroll range, then the page is redrawn.
int64_t paged_list_selected(int tab);
int64_t paged_list_first_row(int tab);
void show_paged_list_position(int tab, int64_t selected, int64_t first_row);
// Nothing selected on a member any more; the page is not redrawn.
void clear_paged_list_selection(int tab);

// ---- Selection, marks, keys ------------------------------------------------------
// Selected index = the list's selected row + the first visible row. A list
// without a selected row clears the selection only when the selected entry
// is on the page (the user deselected it); an entry scrolled off the page
// stays selected.
void sync_dictionary_selection();
void sync_hyphenation_selection();
void sync_paged_list_selection(int tab);

// Invert the marks of the thesaurus and the autocorrect list ("No synonyms
// found." / "No autocorrect words found." when empty).
void invert_synonym_selection();
void invert_autocorrect_selection();

// A navigation key (shortcut 1004, 1005, 1010-1013) on a member's list.
void navigate_paged_list(int tab, int key);

// ---- Labels ----------------------------------------------------------------------------
void update_dictionary_status_label();
void update_thesaurus_status_label();
void update_hyphenation_status_label();
void update_autocorrect_status_label();
void update_dictionary_selected_label();
void update_paged_list_labels(int tab);  // status label and "Selected:" label

// ---- Main loop -----------------------------------------------------------------------------
// Installs the selection bookkeeping, the scroll-bar redraw, the Dictionary,
// Thesaurus and Autocorrect tab handling, the tab labels of every pass and
// the redraw after a rebuild of the main window; Return edits through the
// kinds' entry commands; the Dictionary and Hyphenation lists page the
// dictionary's entries; prefs give the rows of a page (and of the scroll
// bars' page) and the separator of the counts. Safe to call again.
void register_list_view_handlers(list_document& dictionary_entries, document_kinds& kinds, const preferences& prefs);
