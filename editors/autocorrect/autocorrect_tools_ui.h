// The Autocorrect Tools menu: the three tools that run on the main window
// (fix spaces, hex symbols, extraction) and the registration of every
// command of the menu, the duplicates and Validate windows included.
#pragma once

#include "dictionary/dictionary_document.h"
#include "editors/autocorrect/block_list_file.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

// Each works on the Autocorrect tab's document; separator: the thousands
// separator of the counts they report.
void fix_autocorrect_spaces(autocorrect_document_record& autocorrect, text_view separator);
void clean_autocorrect_hex_symbols(autocorrect_document_record& autocorrect, text_view separator);
void extract_autocorrect_list_to_file(const autocorrect_document_record& autocorrect, text_view separator);

// The commands work on autocorrect; Validate checks it against dictionary.
void register_autocorrect_tool_commands(autocorrect_document_record& autocorrect, dictionary_document& dictionary,
                                        const preferences& prefs, tool_registry& tools);
