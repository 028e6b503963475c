// The dictionary list commands of the Dictionary tab: Select All, Select
// None, Invert Selection, Delete Selected and Delete Current, with their
// warnings and questions. The deletes are undoable.
#pragma once

#include "kit/document_kinds.h"

// Each on the list of the dictionary's kind.
void check_all_dictionary_words(document_kind& dictionary);
void uncheck_all_dictionary_words(document_kind& dictionary);
void invert_dictionary_selection(document_kind& dictionary);
void delete_checked_dictionary_words(document_kind& dictionary);
// quiet 1 (the Find window): no notice when nothing is selected. Returns 1
// when the entry was deleted, else 0.
int delete_current_dictionary_word(document_kind& dictionary, int quiet);

// The five as the dictionary kind's entry commands; the kind must outlive
// them.
void register_dictionary_list_commands(document_kind& dictionary);
