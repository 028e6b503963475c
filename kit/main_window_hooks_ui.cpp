#include "kit/main_window_hooks.h"

#include "common/event_hooks.h"
#include "gui/gui.h"
#include "kit/ids.h"

#include <array>

int list_shortcuts_active = 0;

namespace {

std::array<main_tab_builder, TAB_COUNT>& tab_builders() {
  static std::array<main_tab_builder, TAB_COUNT> builders;
  return builders;
}

owned_hooks& build_steps() {
  static owned_hooks steps;
  return steps;
}

}  // namespace

void set_main_tab_builder(const document_kind& kind, main_tab_builder build) {
  if (kind.tab >= 0 && kind.tab < TAB_COUNT) tab_builders()[static_cast<size_t>(kind.tab)] = std::move(build);
}

void build_main_tab(int tab, const main_tab_layout& layout) {
  if (tab < 0 || tab >= TAB_COUNT) return;
  if (const main_tab_builder& build = tab_builders()[static_cast<size_t>(tab)]) build(layout);
}

document_kind* shown_document_kind(document_kinds& kinds) { return kinds.of_tab(gadget_get_state(MAIN_TAB_PANEL)); }
const document_kind* shown_document_kind(const document_kinds& kinds) {
  return kinds.of_tab(gadget_get_state(MAIN_TAB_PANEL));
}

void set_main_window_build_step(std::string_view owner, std::function<void()> step) {
  build_steps().set(owner, std::move(step));
}

void run_main_window_build_steps() { build_steps().run(); }

void install_list_shortcuts() {
  shortcut_add(MAIN_WINDOW, KEY_DELETE, SHORTCUT_DELETE);
  shortcut_add(MAIN_WINDOW, KEY_RETURN, SHORTCUT_RETURN);
  shortcut_add(MAIN_WINDOW, KEY_UP, SHORTCUT_UP);
  shortcut_add(MAIN_WINDOW, KEY_DOWN, SHORTCUT_DOWN);
  shortcut_add(MAIN_WINDOW, KEY_PAGE_UP, SHORTCUT_PAGE_UP);
  shortcut_add(MAIN_WINDOW, KEY_PAGE_DOWN, SHORTCUT_PAGE_DOWN);
  shortcut_add(MAIN_WINDOW, KEY_HOME, SHORTCUT_HOME);
  shortcut_add(MAIN_WINDOW, KEY_END, SHORTCUT_END);
  shortcut_add(MAIN_WINDOW, key_ctrl('A'), SHORTCUT_SELECT_ADD);
  list_shortcuts_active = 1;
}

void remove_list_shortcuts() {
  for (int key : {KEY_DELETE, KEY_RETURN, KEY_UP, KEY_DOWN, KEY_PAGE_UP, KEY_PAGE_DOWN, KEY_HOME, KEY_END,
                  key_ctrl('A')}) {
    shortcut_remove(MAIN_WINDOW, key);
  }
  list_shortcuts_active = 0;
}
