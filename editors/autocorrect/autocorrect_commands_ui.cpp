#include "editors/autocorrect/autocorrect_commands_ui.h"

#include "editors/autocorrect/block_list_file.h"
#include "gui/gui.h"
#include "shell/list_view_ui.h"
#include "shell/shell_commands.h"
#include "shell/shell_ids.h"
#include "shell/undo_redo_ui.h"

namespace {

int ask(text_view title, text_view text, int flags) { return message_box(text_t(title), text_t(text), flags); }

// The undo snapshot keeps the page that is shown.
list_document& autocorrects() {
  paged_list_first_row(TAB_AUTOCORRECT);
  return autocorrect_document;
}

// Marks only: the page and the "Selected:" label. A delete redrew the page
// through the count change; the Undo button follows at once.
void after(bool done, bool deleted) {
  if (!done) return;
  if (deleted) {
    update_undo_redo_buttons(TAB_AUTOCORRECT);
  } else {
    redraw_paged_list(TAB_AUTOCORRECT);
    update_paged_list_labels(TAB_AUTOCORRECT);
  }
}

}  // namespace

void check_all_autocorrects() { after(run_check_all(autocorrects(), autocorrect_command_texts(), ask), false); }

void uncheck_all_autocorrects() { after(run_uncheck_all(autocorrects(), autocorrect_command_texts(), ask), false); }

void delete_checked_autocorrects() {
  after(run_delete_checked(autocorrects(), autocorrect_command_texts(), ask), true);
}

int delete_current_autocorrect(int quiet) {
  const bool deleted = run_delete_current(autocorrects(), autocorrect_command_texts(), ask, quiet == 1);
  after(deleted, true);
  return deleted ? 1 : 0;
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
