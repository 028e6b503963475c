#include "editors/autocorrect/autocorrect_commands_ui.h"

#include "editors/autocorrect/block_list_file.h"
#include "shell/list_tab_commands_ui.h"
#include "shell/list_view_ui.h"
#include "shell/shell_ids.h"

void check_all_autocorrects() { check_all_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts()); }

void uncheck_all_autocorrects() { uncheck_all_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts()); }

void delete_checked_autocorrects() { delete_checked_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts()); }

int delete_current_autocorrect(int quiet) {
  return delete_current_on_tab(TAB_AUTOCORRECT, autocorrect_command_texts(), quiet == 1) ? 1 : 0;
}

void register_autocorrect_list_commands(list_entry_commands& entries) {
  entries.check_all = check_all_autocorrects;
  entries.uncheck_all = uncheck_all_autocorrects;
  entries.invert = invert_autocorrect_selection;
  entries.delete_checked = delete_checked_autocorrects;
  entries.delete_current = [](missing_selection m) {
    delete_current_autocorrect(m == missing_selection::quiet ? 1 : 0);
  };
}
