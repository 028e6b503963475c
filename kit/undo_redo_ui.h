// Undo and Redo of the list documents that keep a history (the dictionary,
// the thesaurus and the autocorrect list) on the main window: the swap
// itself is the document's (list_document::undo and redo); this puts the
// restored page, selection, labels and buttons on screen.
#pragma once

#include "common/list_document.h"
#include "kit/document_kinds.h"

// Takes the undo snapshot before a change of the document. With
// keep_buttons 0 the Undo button is enabled and Redo disabled at once;
// with 1 they follow on the next main-loop pass (long tools).
void save_list_undo(list_document& doc, int keep_buttons);

// The Undo and Redo commands of a kind: false, nothing changed, when there
// is nothing to take back. Both mark the document changed.
bool undo_list_tab(const document_kind& kind);
bool redo_list_tab(const document_kind& kind);

// Undo and Redo buttons of the kinds keeping doc's history, from the
// document's availability flags.
void update_undo_redo_buttons(const list_document& doc);

// Empties both histories of every list document (a new main window).
void reset_list_histories(const document_kinds& kinds);

// The pause after every Undo and Redo command.
constexpr int UNDO_REDO_PAUSE_MS = 250;
void pause_after_undo_redo();

// A build step of the main window resets the histories of the kinds (the
// dispatchers run the Undo and Redo buttons and keys); they must outlive
// the main loop.
void register_undo_redo_commands(const document_kinds& kinds);
