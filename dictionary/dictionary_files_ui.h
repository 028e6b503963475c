// Opening and saving the dictionary from the main window: the questions,
// boxes and status texts around the loader and saver of dic_file.h, the
// .aff text in editor 126, the file labels and the recent files.
#pragma once

#include "common/text.h"
#include "dictionary/dictionary_document.h"
#include "kit/document_kinds.h"
#include "kit/preferences.h"

// path "" asks for the file ("Open Dictionary"); any other path is opened
// directly. An aborted or failed load leaves the open dictionary as it was.
// The counts shown while it loads use the separator of prefs.
void load_dictionary(dictionary_document& dictionary, const document_kind& kind, const preferences& prefs,
                     const text_t& path);
// (1, 0): Save to the dictionary's path (asks for one when it has none);
// (0, 1): Save As. The old pair stays until both new files are complete.
void save_dictionary(dictionary_document& dictionary, const document_kind& kind, int use_current_path, int save_as);

// Makes editor 126 the view of the document's .aff text: the document takes
// the editor's edits in when a reader asks, and a text it is given shows
// there.
void attach_aff_editor(dictionary_document& dictionary);

// The dictionary kind's loader and saver, which File > Open, Save and Save As
// run on the Dictionary tab, and the dictionary's changed test for the exit
// question.
void register_dictionary_file_commands(dictionary_document& dictionary, document_kind& kind, const preferences& prefs);
