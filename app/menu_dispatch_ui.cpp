#include "app/dispatch_ui.h"
#include "app/find_window.h"
#include "app/main_dispatch.h"
#include "app/main_loop.h"
#include "app/menu_dispatch.h"
#include "common/date_time.h"
#include "gui/gui.h"
#include "kit/command_registry.h"
#include "kit/goto_window.h"
#include "kit/ids.h"
#include "kit/recent_files.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "kit/window_helpers.h"

namespace {

// Packages cannot be opened yet: the dialog is shown, then the notice.
void open_extension_package(const document_kinds& kinds) {
  if (confirm_discard_changes(kinds, u"Continue?") != 1) return;
  const text_t path =
      file_dialog_open(u"Open Extension .xpi/.oxt", u"", u".xpi/.oxt (*.xpi/*.oxt)|*.xpi;*.oxt;", 0);
  if (path.empty()) status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Aborted.");
  show_warning(u"Not coded yet.");
}

void run_menu_item(int item, int tab, const main_commands& commands) {
  const menu_action a = menu_action_for(item, tab, commands);
  switch (a.kind) {
    case menu_action_kind::nothing: return;
    case menu_action_kind::not_coded: show_warning(u"Not coded yet."); return;
    case menu_action_kind::command:
      if (a.preparation) run_with_controls(a.preparation, true, commands);
      run_with_controls(a.command, a.disables_controls, commands);
      return;
    case menu_action_kind::recent_file: {
      // An empty slot's item is disabled; a late click on it loads nothing.
      const document_kind* kind = commands.kinds.of_tab(tab);
      const text_t path = kind ? recent_file_of_tab(*kind, a.recent_index) : text_t();
      if (path.empty() || !a.load) return;
      run_with_controls([&a, &path] { a.load(path); }, a.disables_controls, commands);
      return;
    }
    case menu_action_kind::open_extension: open_extension_package(commands.kinds); return;
    case menu_action_kind::exit:
      exit_requested = 0;
      if (confirm_discard_changes(commands.kinds, u"Really exit?") == 1) exit_requested = 1;
      return;
    case menu_action_kind::clear_recent_files:
      update_recent_files(RECENT_FILES_CLEAR);
      refresh_recent_files_menu();
      return;
  }
}

void run_shortcut(int shortcut, int tab, const main_commands& commands, find_options& find, const preferences& prefs) {
  const shortcut_action a = shortcut_action_for(shortcut, tab, commands);
  switch (a.kind) {
    case shortcut_action_kind::nothing: return;
    case shortcut_action_kind::command: a.command(); return;
    case shortcut_action_kind::post_gadget: event_post(EVENT_GADGET, MAIN_WINDOW, a.object); return;
    case shortcut_action_kind::post_menu: event_post(EVENT_MENU, MAIN_WINDOW, a.object); return;
    case shortcut_action_kind::show_tab: gadget_set_state(MAIN_TAB_PANEL, a.object); return;
    case shortcut_action_kind::find:
    case shortcut_action_kind::go_to:
      run_list_search(shortcut == SHORTCUT_FIND ? list_search::find : list_search::go_to, a.object, commands.kinds, find, prefs);
      return;
    // Nothing is taken back without a snapshot; the pause comes in any case.
    case shortcut_action_kind::undo:
      if (const document_kind* kind = commands.kinds.of_tab(a.object)) undo_list_tab(*kind);
      pause_after_undo_redo();
      return;
    case shortcut_action_kind::redo:
      if (const document_kind* kind = commands.kinds.of_tab(a.object)) redo_list_tab(*kind);
      pause_after_undo_redo();
      return;
  }
}

}  // namespace

void run_with_controls(const std::function<void()>& command, bool disables, const main_commands& commands) {
  if (disables) disable_main_controls();
  if (command) command();
  if (disables) refresh_control_states(commands);
}

void run_list_search(list_search search, int tab, const document_kinds& kinds, find_options& find, const preferences& prefs) {
  const document_kind* kind = kinds.of_tab(tab);
  if (!kind || !kind->searchable) return;
  if (search == list_search::find) {
    show_find_window(*kind, find, prefs.applied.number_separator_chr);
  } else {
    show_goto_dialog_for(*kind);
  }
}

void install_main_dispatch(main_commands& commands, find_options& find, const preferences& prefs) {
  for (int item = MENU_FIRST_COMMAND; item <= MENU_RECENT_CLEAR; ++item) {
    register_command(command_kind::menu_item, item,
                     [&commands](const command_event& e) { run_menu_item(e.id, e.tab, commands); });
  }
  for (int shortcut = SHORTCUT_DELETE; shortcut <= SHORTCUT_HELP; ++shortcut) {
    register_command(command_kind::shortcut, shortcut,
                     [&commands, &find, &prefs](const command_event& e) { run_shortcut(e.id, e.tab, commands, find, prefs); });
  }
  register_pass_refresh(pass_stage::control_states, "main dispatch",
                        [&commands] { refresh_control_states(commands); });
  register_event_hook(event_hook::main_window_close, [&commands](const command_event&) {
    exit_requested = confirm_discard_changes(commands.kinds, u"Really exit?");
  });
  install_gadget_dispatch(commands, find, prefs);
}
