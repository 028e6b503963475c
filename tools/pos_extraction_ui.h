// LanguageTool Tools > Extract > "POS added.txt" (form 1) and "POS
// spelling.txt" (form 2): the refusals, the save requester and the run of
// the POS extraction over the open dictionary.
#pragma once

#include "shell/tool_registry.h"

void extract_pos_words_to_file(int form);
void register_pos_extraction_commands(tool_registry& tools);
