// LanguageTool Tools > Extract > "POS added.txt" and "POS spelling.txt": the
// refusals, the save requester and the run of
// the POS extraction over the open dictionary.
#pragma once

#include "dictionary/dictionary_document.h"
#include "kit/tool_registry.h"
#include "tools/pos_extraction.h"
#include "tools/pos_rules.h"

// The rules are those of the chosen language of pos_rules.
void extract_pos_words_to_file(dictionary_document& dictionary, pos_list_form form, const pos_rule_tables& pos_rules);
void register_pos_extraction_commands(dictionary_document& dictionary, const pos_rule_tables& pos_rules,
                                      tool_registry& tools);
