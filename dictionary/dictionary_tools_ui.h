// The dictionary tools of the Dictionary Tools menu: the word-list
// extraction and the batch edits, which run on the main window, and the
// registration of every dictionary tool command (these, the tag search and
// the statistics windows).
#pragma once

#include "dictionary/dictionary_statistics.h"
#include "shell/tool_registry.h"

// Word-list extraction of a type (0 all .txt, 1 all .csv, 2 compounds, 6
// compounds for LanguageTool).
void extract_dictionary_wordlist(int type);
void sort_dictionary_word_flags();
void remove_dictionary_word_comments();
void fix_dictionary_word_spaces();

// The statistics window remembers its total in statistics.
void register_dictionary_tool_commands(statistics_options& statistics, tool_registry& tools);
