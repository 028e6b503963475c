#include "kit/list_tab_commands_ui.h"

#include "gui/gui.h"
#include "kit/list_view_ui.h"
#include "kit/undo_redo_ui.h"

namespace {

int ask(text_view title, text_view text, int flags) { return message_box(text_t(title), text_t(text), flags); }

list_document& document_of(const document_kind& kind) {
  // The undo snapshot keeps the page that is shown.
  paged_list_first_row(kind);
  return paged_list_document(kind);
}

// Marks only: the pages and the "Selected:" labels.
bool marks_changed(const document_kind& kind, bool changed) {
  if (changed) {
    redraw_paged_list(paged_list_document(kind));
    update_paged_list_labels(paged_list_document(kind));
  }
  return changed;
}

// A delete already redrew the lists through the count change; the Undo
// button follows at once.
bool entries_deleted(const document_kind& kind, bool deleted) {
  if (deleted) update_undo_redo_buttons(paged_list_document(kind));
  return deleted;
}

}  // namespace

bool check_all_on_tab(const document_kind& kind, const list_command_texts& texts) {
  return marks_changed(kind, run_check_all(document_of(kind), texts, ask));
}

bool uncheck_all_on_tab(const document_kind& kind, const list_command_texts& texts) {
  return marks_changed(kind, run_uncheck_all(document_of(kind), texts, ask));
}

bool invert_checks_on_tab(const document_kind& kind, const list_command_texts& texts) {
  return marks_changed(kind, run_invert_checks(document_of(kind), texts, ask));
}

bool delete_checked_on_tab(const document_kind& kind, const list_command_texts& texts) {
  return entries_deleted(kind, run_delete_checked(document_of(kind), texts, ask));
}

bool delete_current_on_tab(const document_kind& kind, const list_command_texts& texts, bool quiet) {
  return entries_deleted(kind, run_delete_current(document_of(kind), texts, ask, quiet));
}

void register_list_entry_commands(document_kind& kind, const list_command_texts& texts) {
  list_entry_commands& entries = kind.entries;
  entries.check_all = [&kind, &texts] { check_all_on_tab(kind, texts); };
  entries.uncheck_all = [&kind, &texts] { uncheck_all_on_tab(kind, texts); };
  entries.invert = [&kind, &texts] { invert_checks_on_tab(kind, texts); };
  entries.delete_checked = [&kind, &texts] { delete_checked_on_tab(kind, texts); };
  entries.delete_current = [&kind, &texts](missing_selection m) {
    delete_current_on_tab(kind, texts, m == missing_selection::quiet);
  };
}
