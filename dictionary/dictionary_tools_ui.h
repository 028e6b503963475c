// The dictionary tools of the Dictionary Tools menu: the word-list
// extraction and the batch edits, which run on the main window, and the
// registration of every dictionary tool command (these, the tag search and
// the statistics windows).
#pragma once

#include "affix/dictionary_document.h"

#include "dictionary/dictionary_statistics.h"
#include "dictionary/wordlist_extraction.h"
#include "shell/tool_registry.h"

// Word-list extraction of a type: every word as .txt or .csv, or the
// compounds (plain or for LanguageTool).
void extract_dictionary_wordlist(dictionary_document& dictionary, wordlist_extract_type type);
void sort_dictionary_word_flags(dictionary_document& dictionary);
void remove_dictionary_word_comments(dictionary_document& dictionary);
void fix_dictionary_word_spaces(dictionary_document& dictionary);

// The statistics window remembers its total in statistics, the tag search
// its text and check boxes in tag_search.
void register_dictionary_tool_commands(dictionary_document& dictionary, statistics_options& statistics,
                                       postag_search& tag_search,
                                       tool_registry& tools);
