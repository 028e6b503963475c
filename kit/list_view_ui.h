// The paged lists of the main window: the dictionary (list 124), the
// thesaurus (160), the Hyphenation tab's view of the dictionary's words (185)
// and the autocorrect list (221), each described by its document kind
// (document_kind::paged). Each shows one page of the preferences' rows; the
// scroll bar beside it holds the first visible row. A view is named by its
// kind; what concerns every view of a document (its pages, its count, its
// labels) is asked by the document, so a change of the dictionary's words
// reaches the Hyphenation tab's view too.
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
// The document a kind's list pages: the Hyphenation tab's gives the
// dictionary's; a kind not paged yet gives the dictionary's too.
list_document& paged_list_document(const document_kind& kind);
// Runs f on every paged view of doc, in tab order.
void for_each_view_of(const list_document& doc, const std::function<void(const document_kind&)>& f);

// ---- Pages --------------------------------------------------------------------
// The list of the tab shown in panel 100 (nothing for a tab without one).
void refresh_list_view_page();
// Redraws the page of every view of doc (its scroll range follows the
// count).
void redraw_paged_list(const list_document& doc);
// After a change of a document's count: scroll ranges, the pages of every
// view (a view with a place of its own loses its selection) and the status
// labels.
void paged_list_count_changed(const list_document& doc);

// Selection and first visible row of a view, e.g. for Find, Goto and Go to
// top/bottom: kept within the scroll range, then the page is redrawn.
int64_t paged_list_selected(const document_kind& kind);
int64_t paged_list_first_row(const document_kind& kind);
void show_paged_list_position(const document_kind& kind, int64_t selected, int64_t first_row);
// The document's own first visible row, taken from the bars of the views
// that show it (an undo snapshot keeps the page that is shown).
int64_t paged_list_first_row(list_document& doc);
// The document's own selection and first visible row on every view that
// shows them.
void show_paged_list_position(list_document& doc, int64_t selected, int64_t first_row);
// Nothing selected on a view any more; the page is not redrawn.
void clear_paged_list_selection(const document_kind& kind);

// ---- Selection, marks, keys ------------------------------------------------------
// Selected index = the list's selected row + the first visible row. A list
// without a selected row clears the selection only when the selected entry
// is on the page (the user deselected it); an entry scrolled off the page
// stays selected. Every view of doc, in tab order.
void sync_paged_list_selection(const list_document& doc);

// Invert the marks of a kind's list (its texts' "No ... found." when empty).
void invert_paged_list_checks(const document_kind& kind);

// A navigation key (shortcut 1004, 1005, 1010-1013) on a view's list.
void navigate_paged_list(const document_kind& kind, int key);

// ---- Labels ----------------------------------------------------------------------------
// A kind's status label (count, position, changed mark).
void update_paged_list_status_label(const document_kind& kind);
// The status labels of every view of doc.
void update_paged_list_status_labels(const list_document& doc);
// The status label and "Selected:" label of every view of doc.
void update_paged_list_labels(const list_document& doc);

// ---- Main loop -----------------------------------------------------------------------------
// Installs the selection bookkeeping, the scroll-bar redraw, the Dictionary,
// Thesaurus and Autocorrect tab handling, the tab labels of every pass and
// the redraw after a rebuild of the main window; Return edits through the
// kinds' entry commands; the Dictionary and Hyphenation lists page the
// dictionary's entries; prefs give the rows of a page (and of the scroll
// bars' page) and the separator of the counts. Safe to call again.
void register_list_view_handlers(list_document& dictionary_entries, document_kinds& kinds, const preferences& prefs);
