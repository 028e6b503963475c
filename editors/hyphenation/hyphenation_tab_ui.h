// The Hyphenation tab: the pattern file in editor 187, the dictionary's
// words paged in list 185, and the word forms of one entry hyphenated in
// list 188.
#pragma once

#include "dictionary/dictionary_document.h"
#include "kit/document_kinds.h"
#include "kit/preferences.h"

#include "common/text.h"
#include "editors/hyphenation/hyphenation_file.h"

#include <cstdint>

// path "" asks for the file. An aborted or failed load leaves the open
// pattern file as it was.
void load_hyphenation(hyphenation_document_record& hyphenation, const document_kind& kind, const text_t& path);
// (1, 0): Save to the file's path (asks for one when it has none);
// (0, 1): Save As. The old file stays until the new one is complete.
void save_hyphenation(hyphenation_document_record& hyphenation, const document_kind& kind, int save, int save_as);

// The buttons: Hyphenate (191), Update (192) and Clear (199). The word forms
// come from the dictionary's .aff text, coloured by prefs.
void hyphenate_entered_word(hyphenation_document_record& hyphenation, dictionary_document& dictionary,
                            const preferences& prefs);
void update_hyphenation(hyphenation_document_record& hyphenation, dictionary_document& dictionary,
                        const preferences& prefs);
void clear_hyphenation(hyphenation_document_record& hyphenation, const document_kind& kind);

// Label 208: "# Hyphenations:" and the rows of list 188.
void update_hyphenation_count_label();
// Field 190 shows in orange while its text begins with "/".
void highlight_hyphenation_word_field();

// The hyphenation kind's loader and saver, the tab's buttons, the copy items
// of popup 217, the tab's event handling, its changed test and its file
// labels.
// The documents must outlive them; the list view gets the hyphenation
// document's place in the word list and its changed flag.
void register_hyphenation_commands(hyphenation_document_record& hyphenation, dictionary_document& dictionary,
                                   document_kind& kind, const preferences& prefs);

// Gives the main window the tab's builder and fills kind's gadgets and
// texts; its list shows the entries of dictionary's kind.
void register_hyphenation_tab(document_kind& kind, const document_kind& dictionary);
