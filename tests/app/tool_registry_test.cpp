// The tool registry: one registration gives a tool its menu item's command,
// its enabled rule and its shortcut, as the dispatchers and the control-state
// pass read them.
#include "app/control_states.h"
#include "app/menu_dispatch.h"
#include "app/tool_table.h"
#include "kit/id_blocks.h"
#include "kit/ids.h"
#include "kit/tool_registry.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

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

TEST(ToolRegistry, OneLineReachesTheMenuTheShortcutAndTheEnabledState) {
  main_commands commands{.kinds = {}, .tools = tool_registry(program_tools())};
  std::string ran;
  // An announced item becomes a tool of the Hyphenation tab.
  commands.tools.add({.menu_item = MENU_HYP_VALIDATE,
                      .command = [&ran] { ran += "validate;"; },
                      .enabled = tool_enabled::on_tab,
                      .tab = TAB_HYPHENATION,
                      .long_command = true});
  const menu_action a = menu_action_for(MENU_HYP_VALIDATE, TAB_HYPHENATION, commands);
  EXPECT_EQ(a.kind, menu_action_kind::command);
  ASSERT_TRUE(a.command);
  a.command();
  EXPECT_EQ(ran, "validate;");
  EXPECT_TRUE(a.disables_controls);
  EXPECT_TRUE(item_enabled(compute_control_states(on_tab(TAB_HYPHENATION), commands.tools), MENU_HYP_VALIDATE));
  EXPECT_FALSE(item_enabled(compute_control_states(on_tab(TAB_DICTIONARY), commands.tools), MENU_HYP_VALIDATE));
}

TEST(ToolRegistry, AToolOfAnItemIsReplacedNotAdded) {
  main_commands commands{.kinds = {}, .tools = tool_registry(program_tools())};
  const size_t count = commands.tools.tools().size();
  std::string ran;
  commands.tools.add({.menu_item = MENU_STATISTICS, .command = [&ran] { ran += "a"; }});
  commands.tools.add({.menu_item = MENU_STATISTICS, .command = [&ran] { ran += "b"; }, .enabled = tool_enabled::never});
  EXPECT_EQ(commands.tools.tools().size(), count);
  menu_action_for(MENU_STATISTICS, TAB_DICTIONARY, commands).command();
  EXPECT_EQ(ran, "b");
  EXPECT_FALSE(item_enabled(compute_control_states(on_tab(TAB_DICTIONARY), commands.tools), MENU_STATISTICS));
}

TEST(ToolRegistry, ACommandIsSetOnlyOnALineOfTheTable) {
  tool_registry tools(program_tools());
  int runs = 0;
  EXPECT_TRUE(tools.set_command(MENU_CRUNCH, [&runs] { ++runs; }));
  tools.find(MENU_CRUNCH)->command();
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(tools.set_command(MENU_RECENT_CLEAR, [&runs] { ++runs; }));
  EXPECT_EQ(tools.find(MENU_RECENT_CLEAR), nullptr);
}

TEST(ToolRegistry, AShortcutRunsItsToolOrChoosesItsItem) {
  // F1 runs the HTML Help tool's command; given to a tool without one, it
  // chooses that tool's item instead (as Ctrl+Q chooses Exit).
  main_commands commands{.kinds = {}, .tools = tool_registry(program_tools())};
  int helps = 0;
  commands.tools.set_command(MENU_HTML_HELP, [&helps] { ++helps; });
  const shortcut_action help = shortcut_action_for(SHORTCUT_HELP, TAB_AUTOTEXT, commands);
  ASSERT_EQ(help.kind, shortcut_action_kind::command);
  help.command();
  EXPECT_EQ(helps, 1);
  commands.tools.add({.menu_item = MENU_ABOUT, .shortcut = SHORTCUT_HELP});
  const shortcut_action a = shortcut_action_for(SHORTCUT_HELP, TAB_THESAURUS, commands);
  EXPECT_EQ(a.kind, shortcut_action_kind::post_menu);
  EXPECT_EQ(a.object, MENU_ABOUT);
  EXPECT_EQ(commands.tools.find(MENU_HTML_HELP)->shortcut, 0);
}

TEST(ToolRegistry, ProgramTableRegistersEachItemOnceInTheMenuBlock) {
  std::set<int> items, shortcuts;
  const tool_registry registry(program_tools());
  for (const tool_registration& t : registry.tools()) {
    EXPECT_TRUE(items.insert(t.menu_item).second) << "item " << t.menu_item << " registered twice";
    EXPECT_TRUE(MAIN_MENU_ITEMS_BLOCK.holds(t.menu_item)) << t.menu_item;
    if (t.shortcut != 0) {
      EXPECT_TRUE(shortcuts.insert(t.shortcut).second) << "shortcut " << t.shortcut;
    }
    if (t.enabled == tool_enabled::on_tab) {
      EXPECT_TRUE(t.tab >= 0 && t.tab < TAB_COUNT) << t.menu_item;
    }
    // The table names no command: the tools' own files set them.
    EXPECT_FALSE(t.command) << t.menu_item;
  }
}

}  // namespace
