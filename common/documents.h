// The open documents of the program: the dictionary with its .aff text, the
// thesaurus and the autocorrect list. They live here, below the windows and
// the shell, so that every subsystem and tool works on them by including
// this header alone; the views that show them follow their count through
// list_document::on_count_changed.
#pragma once

#include "common/list_document.h"
#include "common/text.h"

// The open dictionary: its entries and the .aff text shown in the .aff editor.
struct dictionary_document_record {
  list_document list;
  text_t aff_text;
};
extern dictionary_document_record dictionary_document;

// Every change of the dictionary's entry count goes through this, so the
// views paging the dictionary (the Dictionary and Hyphenation lists) follow.
// It runs dictionary_document.list.on_count_changed, which the window sets.
void dictionary_count_changed();

// The open thesaurus (.dat entries) and autocorrect list.
extern list_document thesaurus_document;
extern list_document autocorrect_document;
