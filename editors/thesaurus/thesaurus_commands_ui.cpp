#include "editors/thesaurus/thesaurus_commands_ui.h"

#include "common/list_document.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "gui/gui.h"
#include "shell/list_view_ui.h"
#include "shell/shell_commands.h"
#include "shell/shell_ids.h"
#include "shell/undo_redo_ui.h"

namespace {

int ask(text_view title, text_view text, int flags) { return message_box(text_t(title), text_t(text), flags); }

list_document& thesaurus() {
  // The undo snapshot keeps the page that is shown.
  paged_list_first_row(TAB_THESAURUS);
  return thesaurus_document.list;
}

// Marks only: the page and the "Selected:" label.
void marks_changed() {
  redraw_paged_list(TAB_THESAURUS);
  update_paged_list_labels(TAB_THESAURUS);
}

}  // namespace

void check_all_synonyms() {
  if (run_check_all(thesaurus(), thesaurus_command_texts(), ask)) marks_changed();
}

void uncheck_all_synonyms() {
  if (run_uncheck_all(thesaurus(), thesaurus_command_texts(), ask)) marks_changed();
}

// A delete redrew the list through the count change; the Undo button follows.
void delete_checked_synonyms() {
  if (run_delete_checked(thesaurus(), thesaurus_command_texts(), ask)) update_undo_redo_buttons(TAB_THESAURUS);
}

int delete_current_synonym(int quiet) {
  if (!run_delete_current(thesaurus(), thesaurus_command_texts(), ask, quiet == 1)) return 0;
  update_undo_redo_buttons(TAB_THESAURUS);
  return 1;
}

void register_thesaurus_list_commands() {
  register_shell_command("check_all_synonyms", [](const shell_command_args&) { check_all_synonyms(); });
  register_shell_command("uncheck_all_synonyms", [](const shell_command_args&) { uncheck_all_synonyms(); });
  register_shell_command("delete_checked_synonyms", [](const shell_command_args&) { delete_checked_synonyms(); });
  register_shell_command("delete_current_synonym", [](const shell_command_args& a) {
    delete_current_synonym(a.numbers.empty() ? 0 : static_cast<int>(a.numbers.front()));
  });
}
