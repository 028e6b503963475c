#include "shell/recent_files_ui.h"

#include "common/format.h"
#include "gui/gui.h"
#include "shell/recent_files.h"
#include "shell/shell_ids.h"
#include "shell/window_helpers.h"

#include <array>

namespace {

struct file_label_pair {
  int file_label;
  int folder_label;
};
constexpr std::array<file_label_pair, TAB_COUNT> kFileLabels = {{
    {DICTIONARY_FILE_LABEL, DICTIONARY_FOLDER_LABEL},
    {THESAURUS_FILE_LABEL, THESAURUS_FOLDER_LABEL},
    {HYPHENATION_FILE_LABEL, HYPHENATION_FOLDER_LABEL},
    {AUTOCORRECT_FILE_LABEL, AUTOCORRECT_FOLDER_LABEL},
    {AUTOTEXT_FILE_LABEL, AUTOTEXT_FOLDER_LABEL},
    {GRAMMAR_FILE_LABEL, GRAMMAR_FOLDER_LABEL},
}};

std::array<std::function<text_t()>, TAB_COUNT>& path_sources() {
  static std::array<std::function<text_t()>, TAB_COUNT> sources;
  return sources;
}

}  // namespace

void update_tab_file_labels(int tab) {
  if (tab < 0 || tab >= TAB_COUNT) return;
  const auto& source = path_sources()[tab];
  const text_t path = source ? source() : text_t();
  set_gadget_text_if_changed(kFileLabels[tab].file_label, get_file_part_or_na(path));
  set_gadget_text_if_changed(kFileLabels[tab].folder_label, get_path_part_or_default(path, u"n/a"));
}

void set_file_label_path_source(int tab, std::function<text_t()> path) {
  if (tab >= 0 && tab < TAB_COUNT) path_sources()[tab] = std::move(path);
}

void update_recent_files(text_view path) {
  update_recent_files_for_tab(path, gadget_get_state(MAIN_TAB_PANEL));
  refresh_recent_files_menu();
}

void refresh_recent_files_menu() {
  const int tab = gadget_get_state(MAIN_TAB_PANEL);
  if (tab < 0 || tab >= TAB_COUNT) return;
  for (int n = 1; n <= RECENT_LIST_LENGTH; ++n) {
    const text_t entry = recent_file_entry(tab, n);
    const int id = MENU_RECENT_FIRST + n - 1;
    const text_t text = string_from_int(n) + u": " + entry;
    // Only touch the menu when something differs: this runs on every pass.
    // A path is shown as it is: its "&" or TAB is no mnemonic or shortcut.
    if (menu_get_item_text(MAIN_MENU, id) != text) menu_set_item_plain_text(MAIN_MENU, id, text);
    const int disabled = entry.empty() ? 1 : 0;
    if (menu_get_item_disabled(MAIN_MENU, id) != disabled) menu_set_item_disabled(MAIN_MENU, id, disabled);
  }
}

void update_dictionary_file_labels() { update_tab_file_labels(TAB_DICTIONARY); }
void update_thesaurus_file_labels() { update_tab_file_labels(TAB_THESAURUS); }
void update_hyphenation_file_labels() { update_tab_file_labels(TAB_HYPHENATION); }
void update_autocorrect_file_labels() { update_tab_file_labels(TAB_AUTOCORRECT); }
void update_autotext_file_labels() { update_tab_file_labels(TAB_AUTOTEXT); }
void update_grammar_file_labels() { update_tab_file_labels(TAB_LANGUAGETOOL); }

void update_all_file_labels() {
  for (int tab = 0; tab < TAB_COUNT; ++tab) update_tab_file_labels(tab);
}
