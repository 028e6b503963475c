#include "kit/undo_redo_ui.h"

#include "common/date_time.h"
#include "gui/gui.h"
#include "kit/list_view_ui.h"
#include "kit/main_window_hooks.h"

namespace {

// Some view of doc keeps its undo history.
bool has_history(const list_document& doc) {
  bool kept = false;
  for_each_view_of(doc, [&kept](const document_kind& k) { kept = kept || k.keeps_history; });
  return kept;
}

void set_enabled(int g, bool enabled) {
  const int disabled = enabled ? 0 : 1;
  if (gadget_get_disabled(g) != disabled) gadget_set_disabled(g, disabled);
}

// After a restore: the page and selection of the snapshot, the labels
// (the dictionary's also on the Hyphenation tab) and the buttons.
void show_restored(const list_document& doc) {
  paged_list_count_changed(doc);
  update_undo_redo_buttons(doc);
}

// The document of a kind that keeps a history; nullptr for the others.
list_document* history_of(const document_kind& kind) {
  return kind.keeps_history && kind.paged.entries && kind.list_gadget != 0 ? kind.paged.entries : nullptr;
}

// Undo or Redo; the snapshot records the first visible row: it is taken
// from the bar first.
bool restore(const document_kind& kind, bool (list_document::*step)()) {
  list_document* doc = history_of(kind);
  if (!doc) return false;
  paged_list_first_row(*doc);
  if (!(doc->*step)()) return false;
  show_restored(*doc);
  return true;
}

}  // namespace

void save_list_undo(list_document& doc, int keep_buttons) {
  if (!has_history(doc)) return;
  paged_list_first_row(doc);
  doc.save_undo();
  if (keep_buttons == 0) update_undo_redo_buttons(doc);
}

bool undo_list_tab(const document_kind& kind) { return restore(kind, &list_document::undo); }

bool redo_list_tab(const document_kind& kind) { return restore(kind, &list_document::redo); }

void update_undo_redo_buttons(const list_document& doc) {
  for_each_view_of(doc, [&doc](const document_kind& k) {
    if (!k.keeps_history) return;
    set_enabled(k.undo_button, doc.can_undo());
    set_enabled(k.redo_button, doc.can_redo());
  });
}

void reset_list_histories(const document_kinds& kinds) {
  for (const document_kind* kind : kinds.all()) {
    list_document* doc = history_of(*kind);
    if (!doc) continue;
    doc->reset_history();
    update_undo_redo_buttons(*doc);
  }
}

void pause_after_undo_redo() { time_sleep_ms(UNDO_REDO_PAUSE_MS); }

void register_undo_redo_commands(const document_kinds& kinds) {
  set_main_window_build_step("undo histories", [&kinds] { reset_list_histories(kinds); });
}
