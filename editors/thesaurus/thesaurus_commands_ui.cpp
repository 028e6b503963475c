#include "editors/thesaurus/thesaurus_commands_ui.h"

#include "editors/thesaurus/thesaurus_file.h"
#include "shell/list_tab_commands_ui.h"
#include "shell/list_view_ui.h"
#include "shell/shell_ids.h"

void check_all_synonyms() { check_all_on_tab(TAB_THESAURUS, thesaurus_command_texts()); }

void uncheck_all_synonyms() { uncheck_all_on_tab(TAB_THESAURUS, thesaurus_command_texts()); }

void delete_checked_synonyms() { delete_checked_on_tab(TAB_THESAURUS, thesaurus_command_texts()); }

int delete_current_synonym(int quiet) {
  return delete_current_on_tab(TAB_THESAURUS, thesaurus_command_texts(), quiet == 1) ? 1 : 0;
}

void register_thesaurus_list_commands(list_entry_commands& entries) {
  entries.check_all = check_all_synonyms;
  entries.uncheck_all = uncheck_all_synonyms;
  entries.invert = invert_synonym_selection;
  entries.delete_checked = delete_checked_synonyms;
  entries.delete_current = [](missing_selection m) { delete_current_synonym(m == missing_selection::quiet ? 1 : 0); };
}
