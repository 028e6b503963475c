#include "editors/autocorrect/autocorrect_commands_ui.h"

#include "editors/autocorrect/block_list_file.h"
#include "shell/list_tab_commands_ui.h"
#include "shell/shell_commands.h"
#include "shell/shell_ids.h"

void check_all_autocorrects() { check_all_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts()); }

void uncheck_all_autocorrects() { uncheck_all_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts()); }

void delete_checked_autocorrects() { delete_checked_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts()); }

int delete_current_autocorrect(int quiet) {
  return delete_current_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts(), quiet == 1) ? 1 : 0;
}

void register_autocorrect_list_commands() {
  register_shell_command("check_all_autocorrects", [](const shell_command_args&) { check_all_autocorrects(); });
  register_shell_command("uncheck_all_autocorrects", [](const shell_command_args&) { uncheck_all_autocorrects(); });
  register_shell_command("delete_checked_autocorrects",
                         [](const shell_command_args&) { delete_checked_autocorrects(); });
  register_shell_command("delete_current_autocorrect", [](const shell_command_args& a) {
    delete_current_autocorrect(a.numbers.empty() ? 0 : static_cast<int>(a.numbers.front()));
  });
}
