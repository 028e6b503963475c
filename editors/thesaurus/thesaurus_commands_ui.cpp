#include "editors/thesaurus/thesaurus_commands_ui.h"

#include "editors/thesaurus/thesaurus_file.h"
#include "shell/list_tab_commands_ui.h"
#include "shell/shell_commands.h"
#include "shell/shell_ids.h"

void check_all_synonyms() { check_all_on_tab(TAB_THESAURUS, thesaurus_command_texts()); }

void uncheck_all_synonyms() { uncheck_all_on_tab(TAB_THESAURUS, thesaurus_command_texts()); }

void delete_checked_synonyms() { delete_checked_on_tab(TAB_THESAURUS, thesaurus_command_texts()); }

int delete_current_synonym(int quiet) {
  return delete_current_on_tab(TAB_THESAURUS, thesaurus_command_texts(), quiet == 1) ? 1 : 0;
}

void register_thesaurus_list_commands() {
  register_shell_command("check_all_synonyms", [](const shell_command_args&) { check_all_synonyms(); });
  register_shell_command("uncheck_all_synonyms", [](const shell_command_args&) { uncheck_all_synonyms(); });
  register_shell_command("delete_checked_synonyms", [](const shell_command_args&) { delete_checked_synonyms(); });
  register_shell_command("delete_current_synonym", [](const shell_command_args& a) {
    delete_current_synonym(a.numbers.empty() ? 0 : static_cast<int>(a.numbers.front()));
  });
}
