// Undo and Redo of the three list documents (tab 0 dictionary, 1 thesaurus,
// 3 autocorrect) on the main window: the swap itself is the document's
// (list_document::undo and redo); this puts the restored page, selection,
// labels and buttons on screen.
#pragma once

// Takes the undo snapshot before a change of the tab's document. With
// keep_buttons 0 the Undo button is enabled and Redo disabled at once;
// with 1 they follow on the next main-loop pass (long tools).
void save_list_undo(int tab, int keep_buttons);

// The Undo and Redo commands: false, nothing changed, when there is nothing
// to take back. Both mark the document changed.
bool undo_list_tab(int tab);
bool redo_list_tab(int tab);

// Undo and Redo buttons of the tab from the document's availability flags.
void update_undo_redo_buttons(int tab);

// Empties both histories of every list document (a new main window).
void reset_list_histories();

// The pause after every Undo and Redo command.
constexpr int UNDO_REDO_PAUSE_MS = 250;
void pause_after_undo_redo();

// A build step of the main window resets the histories (the dispatchers run
// the Undo and Redo buttons and keys).
void register_undo_redo_commands();
