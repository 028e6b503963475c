// The Autocorrect Tools menu: the three tools that run on the main window
// (fix spaces, hex symbols, extraction) and the registration of every
// command of the menu, the duplicates and Validate windows included.
#pragma once

#include "affix/dictionary_document.h"
#include "shell/tool_registry.h"

void fix_autocorrect_spaces();
void clean_autocorrect_hex_symbols();
void extract_autocorrect_list_to_file();

void register_autocorrect_tool_commands(dictionary_document& dictionary, tool_registry& tools);
