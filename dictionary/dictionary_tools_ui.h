// The dictionary tools of the Dictionary Tools menu: the word-list
// extraction and the batch edits, which run on the main window, and the
// registration of every dictionary tool command (these, the tag search and
// the statistics windows).
#pragma once

#include "dictionary/dictionary_document.h"

#include "dictionary/dictionary_statistics.h"
#include "dictionary/wordlist_extraction.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

// Word-list extraction of a type: every word as .txt or .csv, or the
// compounds (plain or for LanguageTool); prefs give the size that asks
// before going on and the separator of the counts, which the batch edits
// also use.
void extract_dictionary_wordlist(dictionary_document& dictionary, wordlist_extract_type type,
                                 const preferences& prefs);
void sort_dictionary_word_flags(dictionary_document& dictionary, text_view separator);
void remove_dictionary_word_comments(dictionary_document& dictionary, text_view separator);
void fix_dictionary_word_spaces(dictionary_document& dictionary);

// The statistics window remembers its total in statistics, the tag search
// its text and check boxes in tag_search.
void register_dictionary_tool_commands(dictionary_document& dictionary, statistics_options& statistics,
                                       postag_search& tag_search, const preferences& prefs, tool_registry& tools);
