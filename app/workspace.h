// Everything the program holds while it runs: its settings and its open
// documents, one owner each. main makes the one workspace and hands its parts
// down: the window kit gets the settings and the document kinds, and each
// subsystem gets the documents and options its commands work on when it
// registers them. Only the program's registration list and main see the
// whole of it.
#pragma once

#include "affix/crunch.h"
#include "affix/gbza_variants.h"
#include "app/tool_table.h"
#include "common/settings_file.h"
#include "dictionary/aff_aid_languages.h"
#include "dictionary/dictionary_document.h"
#include "dictionary/dictionary_duplicates.h"
#include "dictionary/dictionary_statistics.h"
#include "dictionary/word_editor.h"
#include "dictionary/wordlist_extraction.h"
#include "editors/autocorrect/autotext_file.h"
#include "editors/autocorrect/block_list_file.h"
#include "editors/hyphenation/hyphenation_file.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "editors/thesaurus/thesaurus_tools.h"
#include "kit/find_search.h"
#include "kit/main_commands.h"
#include "kit/preferences.h"
#include "kit/recent_files.h"
#include "tools/bulk_import.h"
#include "tools/grammar_rules.h"
#include "tools/pos_rules.h"

#include <vector>

struct workspace {
  preferences prefs;                    // the Preferences window's record and the values applied from it
  aff_aid_languages aff_aid;            // the AFF-aid languages and the word editor's chosen item
  dictionary_document dictionary;       // the .dic entries, the .aff text and its decode cache
  // What each tab's document kind and each menu tool runs.
  main_commands commands{.kinds = {}, .tools = tool_registry(program_tools())};
  find_options find;                    // the Find window's last search and options
  statistics_options statistics;        // the statistics window's remembered total
  multiword_pos_options multiword_pos;  // Bulk Import's POS choice of multiword lines
  derived_words_options derived_words;  // the word editor's sort of derived words
  duplicates_options dictionary_duplicates;  // the check boxes of the duplicates window
  pos_rule_tables pos_rules;                 // the POS extraction's rules and language
  gbza_options gbza;                         // the -ise/-ize window's word lists and tab
  postag_search tag_search;                  // the tag search window's text and check boxes
  crunch_settings crunch = crunch_window_start_settings();  // the crunch window's flags and match
  clean_symbols_options clean_symbols;       // the thesaurus Clean up symbols choice
  thesaurus_document_record thesaurus;      // the Thesaurus tab's .dat entries and encoding
  hyphenation_document_record hyphenation;  // the Hyphenation tab's pattern file and table
  autocorrect_document_record autocorrect;  // the Autocorrect tab's block list
  autotext_document_record autotext;        // the AutoText tab's collection (read only)
  grammar_document_record grammar;          // the LanguageTool tab's grammar rules (read only)
  recent_file_lists recent_files;           // the lists of the recent-files log, one a kind
};

// The settings files the workspace's tool options are kept in, in the order
// start-up reads them (register_settings_file).
inline std::vector<settings_file_registration> workspace_settings_files(workspace& ws) {
  std::vector<settings_file_registration> files = {
      statistics_settings_file(ws.statistics),
      multiwords_settings_file(ws.multiword_pos),
      derived_words_settings_file(ws.derived_words),
      duplicates_settings_file(ws.dictionary_duplicates),
  };
  for (settings_file_registration& file : pos_rule_settings_files(ws.pos_rules)) files.push_back(std::move(file));
  for (settings_file_registration& file : gbza_settings_files(ws.gbza)) files.push_back(std::move(file));
  return files;
}
