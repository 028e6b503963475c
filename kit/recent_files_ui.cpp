#include "kit/recent_files_ui.h"

#include "common/format.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/main_window_hooks.h"
#include "kit/window_helpers.h"

namespace {

// As register_recent_files was given them.
recent_file_lists* recent_files = nullptr;
const document_kinds* kinds = nullptr;

const document_kind* shown_kind() { return kinds ? shown_document_kind(*kinds) : nullptr; }

void update_file_labels(const document_kind& kind) {
  const text_t path = kind.path ? kind.path() : text_t();
  set_gadget_text_if_changed(kind.file_label, get_file_part_or_na(path));
  set_gadget_text_if_changed(kind.folder_label, get_path_part_or_default(path, u"n/a"));
}

}  // namespace

void register_recent_files(recent_file_lists& recent, const document_kinds& registry) {
  recent_files = &recent;
  kinds = &registry;
}

void update_tab_file_labels(const document_kind& kind) { update_file_labels(kind); }

void update_all_file_labels() {
  if (!kinds) return;
  for (const document_kind* kind : kinds->all()) update_file_labels(*kind);
}

text_t recent_file_of_tab(const document_kind& kind, int64_t n) {
  return recent_files ? recent_file_entry(*recent_files, kind.recent_list, n) : text_t();
}

void update_recent_files(text_view path) {
  if (!recent_files) return;
  const document_kind* kind = shown_kind();
  update_recent_files_for_tab(*recent_files, path, kind ? kind->recent_list : -1);
  refresh_recent_files_menu();
}

void document_file_known(const document_kind& kind, const text_t& path) {
  if (!recent_files) return;
  update_file_labels(kind);
  update_recent_files_for_tab(*recent_files, path, kind.recent_list);
  refresh_recent_files_menu();
}

void refresh_recent_files_menu() {
  const document_kind* kind = shown_kind();
  if (!kind) return;
  for (int n = 1; n <= RECENT_LIST_LENGTH; ++n) {
    const text_t entry = recent_file_of_tab(*kind, n);
    const int id = MENU_RECENT_FIRST + n - 1;
    const text_t text = string_from_int(n) + u": " + entry;
    // Only touch the menu when something differs: this runs on every pass.
    // A path is shown as it is: its "&" or TAB is no mnemonic or shortcut.
    if (menu_get_item_text(MAIN_MENU, id) != text) menu_set_item_plain_text(MAIN_MENU, id, text);
    const int disabled = entry.empty() ? 1 : 0;
    if (menu_get_item_disabled(MAIN_MENU, id) != disabled) menu_set_item_disabled(MAIN_MENU, id, disabled);
  }
}
