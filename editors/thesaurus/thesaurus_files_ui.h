// Opening and saving the thesaurus from the main window: the questions,
// boxes and status texts around the loader and saver of thesaurus_file.h,
// the file labels and the recent files of the Thesaurus tab.
#pragma once

#include "common/text.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "kit/document_kinds.h"
#include "kit/preferences.h"

// path "" asks for the file ("Open Thesaurus"); any other path is opened
// directly. An aborted or failed load leaves the open thesaurus as it was.
// The counts shown while it loads use the separator of prefs.
void load_thesaurus(thesaurus_document_record& thesaurus, const document_kind& kind, const preferences& prefs,
                    const text_t& path);
// (1, 0): Save to the thesaurus's path (asks for one when it has none);
// (0, 1): Save As. The old pair stays until both new files are complete.
void save_thesaurus(thesaurus_document_record& thesaurus, const document_kind& kind, int use_current_path, int save_as);

// The Thesaurus tab's document, commands and editor with the main window: the
// list view pages the thesaurus's entries, the file labels and the exit
// question read it, and the thesaurus kind gets its loader, saver, list
// commands and editor. The thesaurus and prefs must outlive them.
void register_thesaurus_editor(thesaurus_document_record& thesaurus, document_kind& kind, const preferences& prefs);
