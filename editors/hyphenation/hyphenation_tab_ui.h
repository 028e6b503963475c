// The Hyphenation tab: the pattern file in editor 187, the dictionary's
// words paged in list 185, and the word forms of one entry hyphenated in
// list 188.
#pragma once

#include "shell/document_kinds.h"

#include "common/text.h"

#include <cstdint>

extern text_t hyphenation_path;       // "" before the first load or save
extern bool hyphenation_changed;      // editor 187 differs from the file
extern text_t last_hyphenated_word;   // field 190 when Hyphenate last ran

// path "" asks for the file. An aborted or failed load leaves the open
// pattern file as it was.
void load_hyphenation(const text_t& path);
// (1, 0): Save to the file's path (asks for one when it has none);
// (0, 1): Save As. The old file stays until the new one is complete.
void save_hyphenation(int save, int save_as);

// The buttons: Hyphenate (191), Update (192) and Clear (199).
void hyphenate_entered_word();
void update_hyphenation();
void clear_hyphenation();

// Label 208: "# Hyphenations:" and the rows of list 188.
void update_hyphenation_count_label();
// Field 190 shows in orange while its text begins with "/".
void highlight_hyphenation_word_field();

// The hyphenation kind's loader and saver, the tab's buttons, the copy items
// of popup 217, the tab's event handling, its changed test and its file
// labels.
void register_hyphenation_commands(document_kind& hyphenation);
