// Opening and saving the dictionary from the main window: the questions,
// boxes and status texts around the loader and saver of dic_file.h, the
// .aff text in editor 126, the file labels and the recent files.
#pragma once

#include "common/text.h"
#include "shell/document_kinds.h"

// path "" asks for the file ("Open Dictionary"); any other path is opened
// directly. An aborted or failed load leaves the open dictionary as it was.
void load_dictionary(const text_t& path);
// (1, 0): Save to the dictionary's path (asks for one when it has none);
// (0, 1): Save As. The old pair stays until both new files are complete.
void save_dictionary(int use_current_path, int save_as);

// The .aff text as editor 126 holds it now (edits included); the core's
// copy in dictionary_document.aff_text is brought up to date first.
const text_t& current_aff_text();
// Puts a new .aff text into the document and editor 126.
void set_current_aff_text(const text_t& text);

// The dictionary kind's loader and saver, which File > Open, Save and Save As
// run on the Dictionary tab, and the dictionary's changed test for the exit
// question.
void register_dictionary_file_commands(document_kind& dictionary);
