#include "kit/list_tab_commands_ui.h"

#include "gui/gui.h"
#include "kit/list_view_ui.h"
#include "kit/undo_redo_ui.h"

namespace {

int ask(text_view title, text_view text, int flags) { return message_box(text_t(title), text_t(text), flags); }

list_document& document_of(int tab) {
  // The undo snapshot keeps the page that is shown.
  paged_list_first_row(tab);
  return paged_list_document(tab);
}

// Marks only: the page and the "Selected:" label.
bool marks_changed(int tab, bool changed) {
  if (changed) {
    redraw_paged_list(tab);
    update_paged_list_labels(tab);
  }
  return changed;
}

// A delete already redrew the lists through the count change; the Undo
// button follows at once.
bool entries_deleted(int tab, bool deleted) {
  if (deleted) update_undo_redo_buttons(tab);
  return deleted;
}

}  // namespace

bool check_all_on_tab(int tab, const list_command_texts& texts) {
  return marks_changed(tab, run_check_all(document_of(tab), texts, ask));
}

bool uncheck_all_on_tab(int tab, const list_command_texts& texts) {
  return marks_changed(tab, run_uncheck_all(document_of(tab), texts, ask));
}

bool invert_checks_on_tab(int tab, const list_command_texts& texts) {
  return marks_changed(tab, run_invert_checks(document_of(tab), texts, ask));
}

bool delete_checked_on_tab(int tab, const list_command_texts& texts) {
  return entries_deleted(tab, run_delete_checked(document_of(tab), texts, ask));
}

bool delete_current_on_tab(int tab, const list_command_texts& texts, bool quiet) {
  return entries_deleted(tab, run_delete_current(document_of(tab), texts, ask, quiet));
}

void register_list_entry_commands(list_entry_commands& entries, int tab, const list_command_texts& texts) {
  // The texts live as long as the program: the commands keep a reference.
  entries.check_all = [tab, &texts] { check_all_on_tab(tab, texts); };
  entries.uncheck_all = [tab, &texts] { uncheck_all_on_tab(tab, texts); };
  entries.invert = [tab, &texts] { invert_checks_on_tab(tab, texts); };
  entries.delete_checked = [tab, &texts] { delete_checked_on_tab(tab, texts); };
  entries.delete_current = [tab, &texts](missing_selection m) {
    delete_current_on_tab(tab, texts, m == missing_selection::quiet);
  };
}
