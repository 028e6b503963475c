// The rules of the main window's dispatch that hold whatever the program
// registers: Ctrl+Tab at the ends of the tab row and the enabled state of the
// controls. That every item and key reaches a command is tried with the
// program's real registrations (dispatch_gui_test.cpp).
#include "app/control_states.h"
#include "app/menu_dispatch.h"
#include "app/tool_table.h"
#include "kit/ids.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

TEST(ShortcutDispatch, TabCyclingAtBothEnds) {
  // tab -> tab shown after Ctrl+Tab / Ctrl+Shift+Tab; -1: nothing changes.
  const int next[6] = {1, 2, 3, -1, 5, -1};
  const int previous[6] = {-1, 0, 1, 2, 3, 4};
  const main_commands commands{.kinds = {}, .tools = tool_registry(program_tools())};
  for (int tab = 0; tab < 6; ++tab) {
    SCOPED_TRACE("tab " + std::to_string(tab));
    const shortcut_action n = shortcut_action_for(1015, tab, commands);
    const shortcut_action p = shortcut_action_for(1016, tab, commands);
    EXPECT_EQ(n.kind == shortcut_action_kind::show_tab ? n.object : -1, next[tab]);
    EXPECT_EQ(p.kind == shortcut_action_kind::show_tab ? p.object : -1, previous[tab]);
  }
}

// ---- Control states ----------------------------------------------------------------

std::map<int, bool> as_map(const std::vector<control_state>& states) {
  std::map<int, bool> m;
  for (const control_state& s : states) m[s.number] = s.enabled;
  return m;
}

struct state_case {
  const char* what;
  main_controls_input in;
  // Expected: number -> enabled; gadgets then menu items.
  std::map<int, bool> gadgets;
  std::map<int, bool> items;
};

main_controls_input input(int tab) {
  main_controls_input in;
  in.tab = tab;
  return in;
}

TEST(ControlStates, ByDocumentState) {
  main_controls_input fresh = input(0);
  main_controls_input dictionary_open = input(0);
  dictionary_open.savable = true;  // words to save
  dictionary_open.undo_available[0] = true;
  dictionary_open.no_file[0] = false;
  main_controls_input thesaurus_redo = input(1);
  thesaurus_redo.savable = true;
  thesaurus_redo.redo_available[1] = true;
  main_controls_input hyphenation_text = input(2);
  hyphenation_text.savable = true;  // pattern text
  main_controls_input autotext = input(4);
  autotext.no_file[4] = false;

  const state_case cases[] = {
      {"fresh start on the Dictionary tab", fresh,
       {{100, true}, {96, true}, {97, false}, {98, false}, {99, false}, {124, true}, {126, true}, {127, true},
        {137, true}, {138, false}, {139, false}, {140, true}, {144, true}, {173, false}, {174, false}, {192, true},
        {199, true}, {234, false}, {245, true}, {247, true}, {248, false}, {262, false}, {278, false}, {283, false},
        {284, true}, {287, true}, {288, false}, {302, false}},
       {{8, true}, {9, false}, {10, false}, {11, true}, {12, true}, {13, true}, {14, false}, {15, false}, {16, true},
        {18, true}, {40, true}, {43, false}, {57, false}, {61, false}, {69, false}, {73, false}, {82, true},
        {87, true}, {89, true}, {93, true}}},
      {"a dictionary with an undo", dictionary_open,
       {{97, true}, {98, true}, {99, true}, {138, true}, {139, false}},
       {{9, true}, {10, true}, {18, true}}},
      {"a thesaurus with a redo", thesaurus_redo,
       {{97, false}, {98, true}, {138, false}, {173, false}, {174, true}},
       {{9, true}, {18, false}, {43, true}, {54, true}, {61, false}}},
      {"pattern text on the Hyphenation tab", hyphenation_text,
       {{98, true}, {99, true}, {97, false}},
       {{9, true}, {57, true}, {58, true}, {44, false}}},
      {"an AutoText list (read only)", autotext,
       {{97, true}, {98, false}, {99, false}, {248, false}},
       {{9, false}, {10, false}, {69, true}, {70, true}, {73, false}, {18, false}}},
  };
  for (const state_case& k : cases) {
    SCOPED_TRACE(k.what);
    const main_control_states s = compute_control_states(k.in, tool_registry(program_tools()));
    const auto gadgets = as_map(s.gadgets);
    const auto items = as_map(s.menu_items);
    for (const auto& [number, enabled] : k.gadgets) {
      ASSERT_TRUE(gadgets.count(number)) << "gadget " << number;
      EXPECT_EQ(gadgets.at(number), enabled) << "gadget " << number;
    }
    for (const auto& [number, enabled] : k.items) {
      ASSERT_TRUE(items.count(number)) << "item " << number;
      EXPECT_EQ(items.at(number), enabled) << "item " << number;
    }
  }
}

TEST(ControlStates, EveryDisabledControlComesBack) {
  // Every control that disable_main_controls turns off is set again by the
  // refresh, except the read-only tabs' buttons that stay off anyway and the
  // Grammar view buttons that are never enabled.
  const main_control_states s = compute_control_states(input(0), tool_registry(program_tools()));
  const auto gadgets = as_map(s.gadgets);
  const auto items = as_map(s.menu_items);
  for (int g : main_command_gadgets()) {
    if (g >= 317 && g <= 322) {
      EXPECT_EQ(gadgets.count(g), 0u) << g;
      continue;
    }
    EXPECT_EQ(gadgets.count(g), 1u) << "gadget " << g;
  }
  // Menu items the refresh leaves alone are the ones the menu bar does not have.
  const std::set<int> absent = {17, 41, 42, 55, 56, 59, 60, 67, 68, 71, 72, 80, 81, 88};
  for (int item : main_command_menu_items()) {
    if (absent.count(item)) continue;
    EXPECT_EQ(items.count(item), 1u) << "item " << item;
  }
  EXPECT_EQ(main_command_menu_items().front(), 8);
  EXPECT_EQ(main_command_menu_items().back(), 93);
  EXPECT_EQ(gadgets.count(189), 0u);  // the "Word:" label is not a control
}

}  // namespace
