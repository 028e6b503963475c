// The list commands of the Thesaurus tab: Select All, Select None, Delete
// Selected and Delete Current, with their warnings and questions (Invert is
// the list view's). The deletes are undoable.
#pragma once

#include "shell/document_kinds.h"

void check_all_synonyms();
void uncheck_all_synonyms();
void delete_checked_synonyms();
// quiet 1 (the Find window): no notice when nothing is selected. Returns 1
// when the entry was deleted, else 0.
int delete_current_synonym(int quiet);

// The four and the list view's Invert as the thesaurus kind's entry commands.
void register_thesaurus_list_commands(list_entry_commands& entries);
