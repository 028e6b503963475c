// The Thesaurus Tools menu: the tools that run on the main window (fix
// spaces, sort and de-duplicate meanings, clean up symbols with its options
// window, extraction, sort on numbers, combine) and the registration of every
// command of the menu, the duplicates window included.
#pragma once

#include "editors/thesaurus/thesaurus_file.h"
#include "editors/thesaurus/thesaurus_tools.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

namespace clean_symbols_ids {
constexpr int WINDOW = CLEAN_SYMBOLS_WINDOW;
constexpr int REMOVE_DASH_BAR = 572, BAR_TO_SPACE = 573, REMOVE_BRACKETS = 574, OK = 575, CANCEL = 576;
static_assert(ids_in_block(CLEAN_SYMBOLS_BLOCK, {WINDOW, REMOVE_DASH_BAR, BAR_TO_SPACE, REMOVE_BRACKETS, OK, CANCEL}));
}  // namespace clean_symbols_ids

// Each works on the Thesaurus tab's document; separator: the thousands
// separator of the counts the tools report.
void fix_thesaurus_spaces(thesaurus_document_record& thesaurus, text_view separator);
void sort_or_unduplicate_meanings(thesaurus_document_record& thesaurus, int sort, int unduplicate);
// Asks for the options, starting from choice and keeping the answer there
// for the run of the program.
void clean_thesaurus_symbols(thesaurus_document_record& thesaurus, clean_symbols_options& choice, text_view separator);
void extract_thesaurus_to_file(const thesaurus_document_record& thesaurus, int book, text_view separator);
void sort_thesaurus_by_meaning_count(thesaurus_document_record& thesaurus, text_view separator);
void combine_synonyms(thesaurus_document_record& thesaurus);

// The commands work on thesaurus; Clean up symbols remembers its choice in
// clean_symbols; the counts use the separator of prefs.
void register_thesaurus_tool_commands(thesaurus_document_record& thesaurus, clean_symbols_options& clean_symbols,
                                      const preferences& prefs, tool_registry& tools);
