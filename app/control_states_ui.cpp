#include "app/control_states.h"
#include "app/main_dispatch.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/list_view_ui.h"

namespace {

main_controls_input read_main_controls_input(const document_kinds& kinds) {
  main_controls_input in;
  in.tab = gadget_get_state(MAIN_TAB_PANEL);
  for (const document_kind* kind : kinds.all()) {
    if (!kind->keeps_history) continue;
    const list_document& doc = paged_list_document(*kind);
    const auto t = static_cast<size_t>(kind->tab);
    in.undo_available[t] = doc.can_undo();
    in.redo_available[t] = doc.can_redo();
  }
  if (const document_kind* shown = kinds.of_tab(in.tab)) {
    in.savable = shown->savable && shown->savable();
    in.no_file[static_cast<size_t>(in.tab)] = gadget_get_text(shown->file_label) == u"n/a";
  }
  return in;
}

}  // namespace

void disable_main_controls() {
  for (int item : main_command_menu_items()) menu_set_item_disabled(MAIN_MENU, item, 1);
  for (int g : main_command_gadgets()) gadget_set_disabled(g, 1);
}

void refresh_control_states(const main_commands& commands) {
  const main_control_states states =
      compute_control_states(read_main_controls_input(commands.kinds), commands.tools);
  for (const control_state& g : states.gadgets) gadget_set_disabled(g.number, g.enabled ? 0 : 1);
  for (const control_state& m : states.menu_items) menu_set_item_disabled(MAIN_MENU, m.number, m.enabled ? 0 : 1);
}
