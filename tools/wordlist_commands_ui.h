// Registers the word-list tools' commands: the master word list, Bulk
// Import (every mode) and the possessive-names import.
#pragma once

#include "dictionary/dictionary_document.h"
#include "editors/autocorrect/block_list_file.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"
#include "tools/bulk_import.h"

// Bulk Import imports into dictionary, thesaurus and autocorrect and
// remembers its multiword POS choice in multiword_pos; the windows are laid
// out and count by prefs.
void register_wordlist_commands(dictionary_document& dictionary, thesaurus_document_record& thesaurus,
                                autocorrect_document_record& autocorrect, multiword_pos_options& multiword_pos,
                                const preferences& prefs, tool_registry& tools);
