#include "tools/wordlist_commands_ui.h"

#include "tools/bulk_import_window.h"
#include "tools/master_wordlist_window.h"
#include "tools/possessive_names_window.h"

void register_wordlist_commands(dictionary_document& dictionary, thesaurus_document_record& thesaurus,
                                autocorrect_document_record& autocorrect, multiword_pos_options& multiword_pos,
                                const preferences& prefs, tool_registry& tools) {
  register_master_wordlist_commands(prefs, tools);
  register_bulk_import_commands({dictionary, thesaurus, autocorrect}, multiword_pos, prefs, tools);
  register_possessive_names_commands(dictionary, prefs, tools);
}
