#include "shell/menu_dispatch.h"

#include "shell/shell_ids.h"

namespace {

menu_action calls_action(dispatch_calls calls, bool disables = false) {
  menu_action a;
  a.kind = menu_action_kind::calls;
  a.disables_controls = disables;
  a.calls = std::move(calls);
  return a;
}

menu_action kind_only(menu_action_kind kind) {
  menu_action a;
  a.kind = kind;
  return a;
}

}  // namespace

bool menu_item_not_coded(int item) {
  const tool_registration* tool = find_tool(item);
  return tool != nullptr && tool->not_coded;
}

dispatch_calls loader_calls(int tab, const text_t& path) {
  switch (tab) {
    case TAB_DICTIONARY: return {command_call("load_dictionary", {}, path)};
    case TAB_THESAURUS: return {command_call("load_thesaurus", {}, path)};
    case TAB_HYPHENATION: return {command_call("load_hyphenation", {}, path)};
    case TAB_AUTOCORRECT: return {command_call("load_autocorrect_list", {}, path)};
    case TAB_AUTOTEXT: return {command_call("load_autotext_list", {}, path)};
    case TAB_LANGUAGETOOL:
      return {command_call("load_grammar_rules", {}, path), command_call("update_grammar_category_header")};
    default: return {};
  }
}

dispatch_calls saver_calls(int tab, int save, int save_as) {
  static const char* const savers[4] = {"save_dictionary", "save_thesaurus", "save_hyphenation",
                                        "save_autocorrect_list"};
  if (tab < TAB_DICTIONARY || tab > TAB_AUTOCORRECT) return {};
  return {command_call(savers[tab], {save, save_as})};
}

std::vector<int64_t> list_tab_flags(int tab) {
  if (tab < TAB_DICTIONARY || tab > TAB_AUTOCORRECT) return {};
  std::vector<int64_t> flags(4, 0);
  flags[static_cast<size_t>(tab)] = 1;
  return flags;
}

menu_action menu_action_for(int item, int tab) {
  if (menu_item_not_coded(item)) return kind_only(menu_action_kind::not_coded);
  if (item >= MENU_RECENT_FIRST && item <= MENU_RECENT_LAST) {
    menu_action a = calls_action(loader_calls(tab, u""), true);
    a.kind = menu_action_kind::recent_file;
    a.recent_index = item - MENU_RECENT_FIRST + 1;
    return a;
  }
  switch (item) {
    case MENU_OPEN: return calls_action(loader_calls(tab, u""), true);
    case MENU_SAVE: return calls_action(saver_calls(tab, 1, 0), true);
    case MENU_SAVE_AS: return calls_action(saver_calls(tab, 0, 1), true);
    case MENU_OPEN_EXTENSION: return kind_only(menu_action_kind::open_extension);
    case MENU_EXIT: return kind_only(menu_action_kind::exit);
    case MENU_RECENT_CLEAR: return kind_only(menu_action_kind::clear_recent_files);
    default: break;
  }
  const tool_registration* tool = find_tool(item);
  if (tool == nullptr || tool->calls.empty()) return menu_action{};
  return calls_action(tool->calls, tool->long_command);
}

shortcut_action shortcut_action_for(int shortcut, int tab) {
  shortcut_action a;
  const bool editable_list = tab == TAB_DICTIONARY || tab == TAB_THESAURUS || tab == TAB_AUTOCORRECT;
  auto calls = [&a](dispatch_calls c) {
    if (c.empty()) return;
    a.kind = shortcut_action_kind::calls;
    a.calls = std::move(c);
  };
  switch (shortcut) {
    case SHORTCUT_DELETE:
      if (tab == TAB_DICTIONARY) calls({command_call("delete_current_dictionary_word", {0})});
      if (tab == TAB_THESAURUS) calls({command_call("delete_current_synonym", {0})});
      if (tab == TAB_AUTOCORRECT) calls({command_call("delete_current_autocorrect", {0})});
      break;
    case SHORTCUT_FIND:
      if (tab <= TAB_AUTOCORRECT && tab >= 0) calls({command_call("show_find_window", list_tab_flags(tab))});
      break;
    case SHORTCUT_OPEN:
    case SHORTCUT_SAVE:
    case SHORTCUT_SAVE_AS:
      a.kind = shortcut_action_kind::post_gadget;
      a.object = shortcut == SHORTCUT_OPEN ? TOOLBAR_OPEN : shortcut == SHORTCUT_SAVE ? TOOLBAR_SAVE : TOOLBAR_SAVE_AS;
      break;
    case SHORTCUT_SELECT_ADD:
      if (tab == TAB_DICTIONARY) calls({command_call("edit_dictionary_word", {1, 0})});
      if (tab == TAB_THESAURUS) calls({command_call("edit_synonym", {1, 0})});
      if (tab == TAB_AUTOCORRECT) calls({command_call("edit_autocorrect_word", {1, 0})});
      break;
    // Ctrl+Tab stops at the Autocorrect tab; from the AutoText tab it still
    // reaches the last tab, beyond which there is none.
    case SHORTCUT_NEXT_TAB:
      if (tab != TAB_AUTOCORRECT && tab + 1 < TAB_COUNT && tab >= 0) {
        a.kind = shortcut_action_kind::show_tab;
        a.object = tab + 1;
      }
      break;
    case SHORTCUT_PREVIOUS_TAB:
      if (tab > TAB_DICTIONARY && tab < TAB_COUNT) {
        a.kind = shortcut_action_kind::show_tab;
        a.object = tab - 1;
      }
      break;
    case SHORTCUT_GOTO:
      if (tab <= TAB_AUTOCORRECT && tab >= 0) {
        std::vector<int64_t> flags = list_tab_flags(tab);
        flags.push_back(0);  // not from AFF Validate
        calls({command_call("show_goto_dialog", flags)});
      }
      break;
    case SHORTCUT_UNDO:
    case SHORTCUT_REDO:
      if (editable_list) {
        a.kind = shortcut == SHORTCUT_UNDO ? shortcut_action_kind::undo : shortcut_action_kind::redo;
        a.object = tab;
        a.pause_ms = 250;
      }
      break;
    default:
      // A tool's own shortcut runs its calls; one without calls (Ctrl+Q)
      // chooses the tool's item on the next pass, with its question.
      if (const tool_registration* tool = find_tool_by_shortcut(shortcut)) {
        if (!tool->calls.empty()) {
          calls(tool->calls);
        } else {
          a.kind = shortcut_action_kind::post_menu;
          a.object = tool->menu_item;
        }
      }
      break;
  }
  return a;
}
