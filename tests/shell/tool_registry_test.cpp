// The tool registry: one registration gives a tool its menu item's command,
// its enabled rule and its shortcut, as the dispatchers and the control-state
// pass read them.
#include "shell/control_states.h"
#include "shell/id_blocks.h"
#include "shell/menu_dispatch.h"
#include "shell/shell_ids.h"
#include "shell/tool_registry.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class ToolRegistry : public ::testing::Test {
 protected:
  void TearDown() override { reset_tool_registry(); }
};

bool item_enabled(const main_control_states& s, int item) {
  for (const control_state& m : s.menu_items) {
    if (m.number == item) return m.enabled;
  }
  ADD_FAILURE() << "item " << item << " is not set";
  return false;
}

main_controls_input on_tab(int tab) {
  main_controls_input in;
  in.tab = tab;
  return in;
}

TEST_F(ToolRegistry, OneLineReachesTheMenuTheShortcutAndTheEnabledState) {
  // An announced item becomes a tool of the Hyphenation tab.
  register_tool({.menu_item = MENU_HYP_VALIDATE,
                 .calls = {command_call("show_hyphenation_validate_window", {2})},
                 .enabled = tool_enabled::on_tab,
                 .tab = TAB_HYPHENATION,
                 .long_command = true});
  EXPECT_FALSE(menu_item_not_coded(MENU_HYP_VALIDATE));
  const menu_action a = menu_action_for(MENU_HYP_VALIDATE, TAB_HYPHENATION);
  EXPECT_EQ(a.kind, menu_action_kind::calls);
  EXPECT_EQ(a.calls, (dispatch_calls{command_call("show_hyphenation_validate_window", {2})}));
  EXPECT_TRUE(a.disables_controls);
  EXPECT_TRUE(item_enabled(compute_control_states(on_tab(TAB_HYPHENATION)), MENU_HYP_VALIDATE));
  EXPECT_FALSE(item_enabled(compute_control_states(on_tab(TAB_DICTIONARY)), MENU_HYP_VALIDATE));
}

TEST_F(ToolRegistry, AToolOfAnItemIsReplacedNotAdded) {
  const size_t count = registered_tools().size();
  register_tool({.menu_item = MENU_STATISTICS, .calls = {command_call("a")}});
  register_tool({.menu_item = MENU_STATISTICS, .calls = {command_call("b")}, .enabled = tool_enabled::never});
  EXPECT_EQ(registered_tools().size(), count);
  EXPECT_EQ(menu_action_for(MENU_STATISTICS, TAB_DICTIONARY).calls, (dispatch_calls{command_call("b")}));
  EXPECT_FALSE(item_enabled(compute_control_states(on_tab(TAB_DICTIONARY)), MENU_STATISTICS));
}

TEST_F(ToolRegistry, AShortcutRunsItsToolOrChoosesItsItem) {
  // F1 runs the HTML Help tool's calls; given to a tool without calls, it
  // chooses that tool's item instead (as Ctrl+Q chooses Exit).
  EXPECT_EQ(shortcut_action_for(SHORTCUT_HELP, TAB_AUTOTEXT).calls, (dispatch_calls{command_call("open_manual_page")}));
  register_tool({.menu_item = MENU_ABOUT, .calls = {}, .shortcut = SHORTCUT_HELP});
  const shortcut_action a = shortcut_action_for(SHORTCUT_HELP, TAB_THESAURUS);
  EXPECT_EQ(a.kind, shortcut_action_kind::post_menu);
  EXPECT_EQ(a.object, MENU_ABOUT);
  EXPECT_EQ(find_tool(MENU_HTML_HELP)->shortcut, 0);
}

TEST_F(ToolRegistry, ProgramTableRegistersEachItemOnceInTheMenuBlock) {
  std::set<int> items, shortcuts;
  for (const tool_registration& t : registered_tools()) {
    EXPECT_TRUE(items.insert(t.menu_item).second) << "item " << t.menu_item << " registered twice";
    EXPECT_TRUE(MAIN_MENU_ITEMS_BLOCK.holds(t.menu_item)) << t.menu_item;
    if (t.shortcut != 0) {
      EXPECT_TRUE(shortcuts.insert(t.shortcut).second) << "shortcut " << t.shortcut;
    }
    if (t.enabled == tool_enabled::on_tab) {
      EXPECT_TRUE(t.tab >= 0 && t.tab < TAB_COUNT) << t.menu_item;
    }
    EXPECT_FALSE(t.not_coded && !t.calls.empty()) << t.menu_item;
  }
}

}  // namespace
