// Opening and saving the autocorrect list and opening the AutoText
// collection from the main window: the questions, boxes and status texts
// around the readers and the writer, the tabs' labels, list 245 and view 247,
// and the recent files.
#pragma once

#include "kit/document_kinds.h"

#include "common/text.h"
#include "editors/autocorrect/autotext_file.h"
#include "editors/autocorrect/block_list_file.h"
#include "kit/preferences.h"

#include <cstdint>

// path "" asks for the file. A failed or aborted load leaves the open list.
// The counts shown while it loads use the separator of prefs.
void load_autocorrect_list(autocorrect_document_record& autocorrect, const document_kind& kind,
                           const preferences& prefs, const text_t& path);
// (1, 0): Save to the list's path (asks for one when it has none); (0, 1):
// Save As. The old file stays until the new one is complete. The lines are
// indented as prefs ask.
void save_autocorrect_list(autocorrect_document_record& autocorrect, const document_kind& kind,
                           const preferences& prefs, int use_current_path, int save_as);
// path "" asks for the BlockList.xml. A failed or aborted load leaves the
// open collection.
void load_autotext_list(autotext_document_record& autotext, const document_kind& kind, const text_t& path);
// The names of record row (0-based) in labels 274 and 277, its text in view 247.
void show_autotext_record(const autotext_document_record& autotext, int64_t row);

// The autocorrect and AutoText kinds (files, list commands, the entry
// editor, the record view), the autocorrect list as the paged list of tab 3,
// the tabs' file labels and the list's changed test. Both documents must
// outlive them, and prefs too.
void register_autocorrect_commands(autocorrect_document_record& autocorrect, document_kind& autocorrect_kind,
                                   autotext_document_record& autotext, document_kind& autotext_kind,
                                   const preferences& prefs);
