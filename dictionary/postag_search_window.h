// The window that lists the dictionary entries whose tags/comments contain a
// text and writes them to a .txt file.
#pragma once

#include "dictionary/dictionary_document.h"
#include "dictionary/wordlist_extraction.h"
#include "kit/id_blocks.h"
#include "kit/tool_registry.h"

namespace postag_search_ids {
constexpr int WINDOW = POSTAG_SEARCH_WINDOW;
constexpr int TEXT = 871, MATCH_CASE = 872, FULL_MATCH = 873, EXTRACT = 874, CLOSE = 875, LIST = 878,
              FOUND_LABEL = 879;
static_assert(ids_in_block(POSTAG_SEARCH_BLOCK, {WINDOW, TEXT, MATCH_CASE, FULL_MATCH, EXTRACT, CLOSE, LIST,
                                                 FOUND_LABEL}));
}  // namespace postag_search_ids

// The window shows options (the text and the two check boxes) and keeps
// them for the next opening.
void extract_words_by_postag(const dictionary_document& dictionary, postag_search& options);
void register_postag_search_commands(const dictionary_document& dictionary, postag_search& options,
                                     tool_registry& tools);
