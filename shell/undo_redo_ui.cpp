#include "shell/undo_redo_ui.h"

#include "common/date_time.h"
#include "common/list_document.h"
#include "gui/gui.h"
#include "shell/command_registry.h"
#include "shell/list_view_ui.h"
#include "shell/main_window.h"
#include "shell/shell_ids.h"

namespace {

struct history_buttons {
  int undo;
  int redo;
};

bool has_history(int tab) { return tab == TAB_DICTIONARY || tab == TAB_THESAURUS || tab == TAB_AUTOCORRECT; }

history_buttons buttons_of(int tab) {
  switch (tab) {
    case TAB_THESAURUS: return {THESAURUS_UNDO, THESAURUS_REDO};
    case TAB_AUTOCORRECT: return {AUTOCORRECT_UNDO, AUTOCORRECT_REDO};
    default: return {DICTIONARY_UNDO, DICTIONARY_REDO};
  }
}

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

// The keys act only when there is something to take back; the buttons are
// disabled otherwise. Both pause on the three list tabs.
void undo_key(int tab) {
  if (!has_history(tab)) return;
  undo_list_tab(tab);
  pause_after_undo_redo();
}

void redo_key(int tab) {
  if (!has_history(tab)) return;
  redo_list_tab(tab);
  pause_after_undo_redo();
}

void register_if_missing(command_kind kind, int id, command_handler handler) {
  if (!has_command(kind, id)) register_command(kind, id, std::move(handler));
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
  const history_buttons b = buttons_of(tab);
  set_enabled(b.undo, doc.undo_available);
  set_enabled(b.redo, doc.redo_available);
}

void reset_list_histories() {
  for (int tab : {TAB_DICTIONARY, TAB_THESAURUS, TAB_AUTOCORRECT}) {
    paged_list_document(tab).reset_history();
    update_undo_redo_buttons(tab);
  }
}

void pause_after_undo_redo() { time_sleep_ms(UNDO_REDO_PAUSE_MS); }

void register_undo_redo_commands() {
  for (int tab : {TAB_DICTIONARY, TAB_THESAURUS, TAB_AUTOCORRECT}) {
    const history_buttons b = buttons_of(tab);
    register_if_missing(command_kind::gadget, b.undo, [tab](const command_event&) { undo_key(tab); });
    register_if_missing(command_kind::gadget, b.redo, [tab](const command_event&) { redo_key(tab); });
  }
  register_if_missing(command_kind::shortcut, SHORTCUT_UNDO, [](const command_event& e) { undo_key(e.tab); });
  register_if_missing(command_kind::shortcut, SHORTCUT_REDO, [](const command_event& e) { redo_key(e.tab); });

  static int generation = 0;
  const int mine = ++generation;
  add_main_window_build_step([mine] {
    if (mine == generation) reset_list_histories();
  });
}
