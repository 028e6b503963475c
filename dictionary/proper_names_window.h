// The proper-names export (Dictionary menu) and its result window 880.
#pragma once

#include "dictionary/dictionary_document.h"
#include "kit/tool_registry.h"

#include "kit/id_blocks.h"

namespace proper_names_ids {
constexpr int PROPER_NAMES_LIST = 881, PROPER_NAMES_COUNT = 882, PROPER_NAMES_CLOSE = 883;
static_assert(ids_in_block(PROPER_NAMES_BLOCK,
                           {PROPER_NAMES_WINDOW, PROPER_NAMES_LIST, PROPER_NAMES_COUNT, PROPER_NAMES_CLOSE}));
}  // namespace proper_names_ids

// Asks for the file, writes the proper names and shows them.
void extract_proper_names(const dictionary_document& dictionary);
void register_proper_names_commands(const dictionary_document& dictionary, tool_registry& tools);
