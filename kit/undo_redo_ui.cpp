#include "kit/undo_redo_ui.h"

#include "common/date_time.h"
#include "common/list_document.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"
#include "kit/main_window_hooks.h"

namespace {

// The kind of a tab whose list keeps an undo history; nullptr for others.
const document_kind* history_of(int tab) {
  const document_kind* kind = paged_list_kind(tab);
  return kind && kind->keeps_history ? kind : nullptr;
}

bool has_history(int tab) { return history_of(tab) != nullptr; }

void set_enabled(int g, bool enabled) {
  const int disabled = enabled ? 0 : 1;
  if (gadget_get_disabled(g) != disabled) gadget_set_disabled(g, disabled);
}

// The snapshot records the first visible row: take it from the bar first.
void settle_view(int tab) { paged_list_first_row(tab); }

// After a restore: the page and selection of the snapshot, the labels
// (the dictionary's also on the Hyphenation tab) and the buttons.
void show_restored(int tab) {
  paged_list_count_changed(tab);
  update_undo_redo_buttons(tab);
}

}  // namespace

void save_list_undo(int tab, int keep_buttons) {
  if (!has_history(tab)) return;
  settle_view(tab);
  paged_list_document(tab).save_undo();
  if (keep_buttons == 0) update_undo_redo_buttons(tab);
}

bool undo_list_tab(int tab) {
  if (!has_history(tab)) return false;
  settle_view(tab);
  if (!paged_list_document(tab).undo()) return false;
  show_restored(tab);
  return true;
}

bool redo_list_tab(int tab) {
  if (!has_history(tab)) return false;
  settle_view(tab);
  if (!paged_list_document(tab).redo()) return false;
  show_restored(tab);
  return true;
}

void update_undo_redo_buttons(int tab) {
  if (!has_history(tab)) return;
  const list_document& doc = paged_list_document(tab);
  const document_kind& kind = *history_of(tab);
  set_enabled(kind.undo_button, doc.can_undo());
  set_enabled(kind.redo_button, doc.can_redo());
}

void reset_list_histories() {
  for (int tab = 0; tab < TAB_COUNT; ++tab) {
    if (!has_history(tab)) continue;
    paged_list_document(tab).reset_history();
    update_undo_redo_buttons(tab);
  }
}

void pause_after_undo_redo() { time_sleep_ms(UNDO_REDO_PAUSE_MS); }

void register_undo_redo_commands() {
  set_main_window_build_step("undo histories", reset_list_histories);
}
