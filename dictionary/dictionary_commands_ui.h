// The dictionary list commands of the Dictionary tab: Select All, Select
// None, Invert Selection, Delete Selected and Delete Current, with their
// warnings and questions. The deletes are undoable.
#pragma once

#include "kit/document_kinds.h"

void check_all_dictionary_words();
void uncheck_all_dictionary_words();
void invert_dictionary_selection();
void delete_checked_dictionary_words();
// quiet 1 (the Find window): no notice when nothing is selected. Returns 1
// when the entry was deleted, else 0.
int delete_current_dictionary_word(int quiet);

// The five as the dictionary kind's entry commands.
void register_dictionary_list_commands(list_entry_commands& entries);
