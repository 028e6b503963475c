// Everything the program holds while it runs: its settings and its open
// documents, one owner each. main makes the one workspace and hands its parts
// down: the shell gets the settings and the document kinds, and each
// subsystem gets the documents and options its commands work on when it
// registers them. Only the program's registration list and main see the
// whole of it.
#pragma once

#include "affix/dictionary_document.h"
#include "common/settings_file.h"
#include "dictionary/dictionary_statistics.h"
#include "editors/autocorrect/autotext_file.h"
#include "editors/autocorrect/block_list_file.h"
#include "editors/hyphenation/hyphenation_file.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "shell/main_commands.h"
#include "tools/bulk_import.h"
#include "tools/grammar_rules.h"

#include <vector>

struct workspace {
  dictionary_document dictionary;       // the .dic entries, the .aff text and its decode cache
  main_commands commands;               // what each tab's document kind and each menu tool runs
  statistics_options statistics;        // the statistics window's remembered total
  multiword_pos_options multiword_pos;  // Bulk Import's POS choice of multiword lines
  thesaurus_document_record thesaurus;      // the Thesaurus tab's .dat entries and encoding
  hyphenation_document_record hyphenation;  // the Hyphenation tab's pattern file and table
  autocorrect_document_record autocorrect;  // the Autocorrect tab's block list
  autotext_document_record autotext;        // the AutoText tab's collection (read only)
  grammar_document_record grammar;          // the LanguageTool tab's grammar rules (read only)
};

// The settings files the workspace's tool options are kept in, in the order
// start-up reads them (register_settings_file).
inline std::vector<settings_file_registration> workspace_settings_files(workspace& ws) {
  return {
      statistics_settings_file(ws.statistics),
      multiwords_settings_file(ws.multiword_pos),
  };
}
