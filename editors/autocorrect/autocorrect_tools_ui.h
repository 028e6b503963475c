// The Autocorrect Tools menu: the three tools that run on the main window
// (fix spaces, hex symbols, extraction) and the registration of every
// command of the menu, the duplicates and Validate windows included.
#pragma once

#include "dictionary/dictionary_document.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

// separator: the thousands separator of the counts they report.
void fix_autocorrect_spaces(text_view separator);
void clean_autocorrect_hex_symbols(text_view separator);
void extract_autocorrect_list_to_file(text_view separator);

void register_autocorrect_tool_commands(dictionary_document& dictionary, const preferences& prefs,
                                        tool_registry& tools);
