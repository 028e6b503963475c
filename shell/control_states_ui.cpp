#include "gui/gui.h"
#include "shell/control_states.h"
#include "shell/list_view_ui.h"
#include "shell/main_dispatch.h"
#include "shell/shell_ids.h"

namespace {

constexpr int file_name_labels[TAB_COUNT] = {DICTIONARY_FILE_LABEL,  THESAURUS_FILE_LABEL, HYPHENATION_FILE_LABEL,
                                             AUTOCORRECT_FILE_LABEL, AUTOTEXT_FILE_LABEL,  GRAMMAR_FILE_LABEL};

// The pattern editor holds more than one line almost always ("UTF-8\n" at
// least), so its text is only read when it has a single line.
bool hyphenation_editor_empty() {
  if (gadget_count_items(HYPHENATION_EDITOR) > 1) return false;
  return gadget_get_text(HYPHENATION_EDITOR).empty();
}

main_controls_input read_main_controls_input() {
  main_controls_input in;
  in.tab = gadget_get_state(MAIN_TAB_PANEL);
  for (int tab : {TAB_DICTIONARY, TAB_THESAURUS, TAB_AUTOCORRECT}) {
    const list_document& doc = paged_list_document(tab);
    const auto t = static_cast<size_t>(tab);
    in.undo_available[t] = doc.undo_available;
    in.redo_available[t] = doc.redo_available;
    in.count[t] = doc.count();
  }
  if (in.tab == TAB_HYPHENATION) in.hyphenation_editor_empty = hyphenation_editor_empty();
  if (in.tab >= 0 && in.tab < TAB_COUNT) {
    in.no_file[static_cast<size_t>(in.tab)] = gadget_get_text(file_name_labels[in.tab]) == u"n/a";
  }
  return in;
}

}  // namespace

void disable_main_controls() {
  for (int item : main_command_menu_items()) menu_set_item_disabled(MAIN_MENU, item, 1);
  for (int g : main_command_gadgets()) gadget_set_disabled(g, 1);
}

void refresh_control_states() {
  const main_control_states states = compute_control_states(read_main_controls_input());
  for (const control_state& g : states.gadgets) gadget_set_disabled(g.number, g.enabled ? 0 : 1);
  for (const control_state& m : states.menu_items) menu_set_item_disabled(MAIN_MENU, m.number, m.enabled ? 0 : 1);
}
