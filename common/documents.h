// The open dictionary of the program, with its .aff text. It lives here,
// below the windows and the shell, so that every subsystem and tool works on
// it by including this header alone; the views that show it follow its count
// through list_document::on_count_changed.
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
