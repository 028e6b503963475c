#include "app/menu_dispatch.h"

#include "kit/ids.h"

namespace {

menu_action command_action(std::function<void()> command, bool disables = false) {
  menu_action a;
  a.kind = menu_action_kind::command;
  a.disables_controls = disables;
  a.command = std::move(command);
  return a;
}

menu_action kind_only(menu_action_kind kind) {
  menu_action a;
  a.kind = kind;
  return a;
}

}  // namespace

std::function<void()> open_command(const document_kind* kind) {
  if (!kind || !kind->load) return {};
  return [load = kind->load] { load(u""); };
}

std::function<void()> save_command(const document_kind* kind, save_choice choice) {
  if (!kind || !kind->save) return {};
  return [save = kind->save, choice] { save(choice); };
}

menu_action menu_action_for(int item, int tab, const main_commands& commands) {
  const document_kind* kind = commands.kinds.of_tab(tab);
  if (item >= MENU_RECENT_FIRST && item <= MENU_RECENT_LAST) {
    menu_action a = kind_only(menu_action_kind::recent_file);
    a.disables_controls = true;
    if (kind) a.load = kind->load;
    a.recent_index = item - MENU_RECENT_FIRST + 1;
    return a;
  }
  switch (item) {
    case MENU_OPEN: return command_action(open_command(kind), true);
    case MENU_SAVE: return command_action(save_command(kind, save_choice::save), true);
    case MENU_SAVE_AS: return command_action(save_command(kind, save_choice::save_as), true);
    case MENU_OPEN_EXTENSION: return kind_only(menu_action_kind::open_extension);
    case MENU_EXIT: return kind_only(menu_action_kind::exit);
    case MENU_RECENT_CLEAR: return kind_only(menu_action_kind::clear_recent_files);
    default: break;
  }
  const tool_registration* tool = commands.tools.find(item);
  if (tool == nullptr) return menu_action{};
  if (tool->answer == tool_answer::not_coded) return kind_only(menu_action_kind::not_coded);
  if (tool->answer != tool_answer::command || !tool->command) return menu_action{};
  menu_action a = command_action(tool->command, tool->long_command);
  a.preparation = tool->preparation;
  return a;
}

shortcut_action shortcut_action_for(int shortcut, int tab, const main_commands& commands) {
  shortcut_action a;
  const document_kind* kind = commands.kinds.of_tab(tab);
  const list_entry_commands* entries = kind ? &kind->entries : nullptr;
  auto run = [&a](std::function<void()> command) {
    if (!command) return;
    a.kind = shortcut_action_kind::command;
    a.command = std::move(command);
  };
  auto on_list = [&a, kind](shortcut_action_kind k, bool applies) {
    if (!applies) return;
    a.kind = k;
    a.object = kind->tab;
  };
  switch (shortcut) {
    case SHORTCUT_DELETE:
      if (entries && entries->delete_current) {
        run([f = entries->delete_current] { f(missing_selection::warn); });
      }
      break;
    case SHORTCUT_FIND: on_list(shortcut_action_kind::find, kind && kind->searchable); break;
    case SHORTCUT_GOTO: on_list(shortcut_action_kind::go_to, kind && kind->searchable); break;
    case SHORTCUT_OPEN:
    case SHORTCUT_SAVE:
    case SHORTCUT_SAVE_AS:
      a.kind = shortcut_action_kind::post_gadget;
      a.object = shortcut == SHORTCUT_OPEN ? TOOLBAR_OPEN : shortcut == SHORTCUT_SAVE ? TOOLBAR_SAVE : TOOLBAR_SAVE_AS;
      break;
    case SHORTCUT_SELECT_ADD:
      if (entries && entries->edit) run([f = entries->edit] { f(entry_edit::add); });
      break;
    case SHORTCUT_NEXT_TAB:
    case SHORTCUT_PREVIOUS_TAB: {
      const int to =
          commands.kinds.tab_after(tab, shortcut == SHORTCUT_NEXT_TAB ? tab_step::next : tab_step::previous);
      if (to >= 0) {
        a.kind = shortcut_action_kind::show_tab;
        a.object = to;
      }
      break;
    }
    case SHORTCUT_UNDO:
    case SHORTCUT_REDO:
      on_list(shortcut == SHORTCUT_UNDO ? shortcut_action_kind::undo : shortcut_action_kind::redo,
              kind && kind->keeps_history);
      break;
    default:
      // A tool's own shortcut runs its command; one without (Ctrl+Q)
      // chooses the tool's item on the next pass, with its question.
      if (const tool_registration* tool = commands.tools.find_by_shortcut(shortcut)) {
        if (tool->command) {
          run(tool->command);
        } else {
          a.kind = shortcut_action_kind::post_menu;
          a.object = tool->menu_item;
        }
      }
      break;
  }
  return a;
}
