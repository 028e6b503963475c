// The Bulk Import window of every mode: modes 1 to 4 import pasted lines
// into the dictionary, the thesaurus, the autocorrect list or a tagged
// multiword log (tools/bulk_import.h); modes 5 to 7 sort, de-duplicate and
// convert a small word list (tools/wordlist_tools.h).
#pragma once

#include "dictionary/dictionary_document.h"
#include "editors/autocorrect/block_list_file.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"
#include "tools/bulk_import.h"

namespace bulk_import_ids {
constexpr int WINDOW = BULK_IMPORT_WINDOW;
constexpr int INPUT = 728, OUTPUT = 729, PROCESS = 730, PROCESS_REGEXP = 731, CLEAR_INPUT = 732;
constexpr int POS_LABEL = 733, POS_CATEGORY = 734, POS_ENTRY = 735, SPECIFY_LABEL = 736, SPECIFY = 737,
              REMEMBER = 738;
constexpr int OPEN = 739, SAVE_AS = 740, INPUT_BOTTOM = 741, INPUT_TOP = 742;
constexpr int CLEAR_OUTPUT = 743, OUTPUT_BOTTOM = 744, OUTPUT_TOP = 745;
constexpr int PROCESSING_LABEL = 746, ESCAPE_LABEL = 747, CLOSE = 748, FOUND_LABEL = 749;
constexpr int LOG_INDEX = 750, LOG_START = 751;
static_assert(ids_in_block(BULK_IMPORT_BLOCK, {INPUT, PROCESS_REGEXP, REMEMBER, OUTPUT_TOP, FOUND_LABEL, LOG_START}));
}  // namespace bulk_import_ids

// The documents modes 1 to 3 import into.
struct bulk_import_documents {
  dictionary_document& dictionary;
  thesaurus_document_record& thesaurus;
  autocorrect_document_record& autocorrect;
};

// mode 1 to 7; mode 4 offers and remembers the POS choice pos.
void show_bulk_import_window(int mode, const bulk_import_documents& documents, multiword_pos_options& pos,
                             const preferences& prefs);
// documents must outlive the commands.
void register_bulk_import_commands(const bulk_import_documents& documents, multiword_pos_options& pos,
                                   const preferences& prefs, tool_registry& tools);
