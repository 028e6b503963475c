// LanguageTool Tools > Extract > "POS added.txt" (form 1) and "POS
// spelling.txt" (form 2): the refusals, the save requester and the run of
// the POS extraction over the open dictionary.
#pragma once

#include "affix/dictionary_document.h"
#include "shell/tool_registry.h"

void extract_pos_words_to_file(dictionary_document& dictionary, int form);
void register_pos_extraction_commands(dictionary_document& dictionary, tool_registry& tools);
