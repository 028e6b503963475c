#include "common/date_time.h"
#include "gui/gui.h"
#include "shell/command_registry.h"
#include "shell/dispatch_ui.h"
#include "shell/main_dispatch.h"
#include "shell/main_loop.h"
#include "shell/menu_dispatch.h"
#include "shell/recent_files.h"
#include "shell/recent_files_ui.h"
#include "shell/shell_ids.h"
#include "shell/shell_state.h"
#include "shell/undo_redo_ui.h"
#include "shell/window_helpers.h"

namespace {

// Packages cannot be opened yet: the dialog is shown, then the notice.
void open_extension_package() {
  if (confirm_discard_changes(u"Continue?") != 1) return;
  const text_t path =
      file_dialog_open(u"Open Extension .xpi/.oxt", u"", u".xpi/.oxt (*.xpi/*.oxt)|*.xpi;*.oxt;", 0);
  if (path.empty()) status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, u"Aborted.");
  show_warning(u"Not coded yet.");
}

void run_menu_item(int item, int tab) {
  menu_action a = menu_action_for(item, tab);
  switch (a.kind) {
    case menu_action_kind::nothing: return;
    case menu_action_kind::not_coded: show_warning(u"Not coded yet."); return;
    case menu_action_kind::calls: run_dispatch_calls(a.calls, a.disables_controls); return;
    case menu_action_kind::recent_file: {
      // An empty slot's item is disabled; a late click on it loads nothing.
      const text_t path = recent_file_entry(tab, a.recent_index);
      if (path.empty() || a.calls.empty()) return;
      a.calls.front().args.text = path;
      run_dispatch_calls(a.calls, a.disables_controls);
      return;
    }
    case menu_action_kind::open_extension: open_extension_package(); return;
    case menu_action_kind::exit:
      exit_requested = 0;
      if (confirm_discard_changes(u"Really exit?") == 1) exit_requested = 1;
      return;
    case menu_action_kind::clear_recent_files:
      update_recent_files(RECENT_FILES_CLEAR);
      refresh_recent_files_menu();
      return;
  }
}

void run_shortcut(int shortcut, int tab) {
  const shortcut_action a = shortcut_action_for(shortcut, tab);
  switch (a.kind) {
    case shortcut_action_kind::nothing: return;
    case shortcut_action_kind::calls: run_dispatch_calls(a.calls, false); return;
    case shortcut_action_kind::post_gadget: event_post(EVENT_GADGET, MAIN_WINDOW, a.object); return;
    case shortcut_action_kind::post_menu: event_post(EVENT_MENU, MAIN_WINDOW, a.object); return;
    case shortcut_action_kind::show_tab: gadget_set_state(MAIN_TAB_PANEL, a.object); return;
    // Nothing is taken back without a snapshot; the pause comes in any case.
    case shortcut_action_kind::undo:
      undo_list_tab(a.object);
      time_sleep_ms(a.pause_ms);
      return;
    case shortcut_action_kind::redo:
      redo_list_tab(a.object);
      time_sleep_ms(a.pause_ms);
      return;
  }
}

}  // namespace

void run_dispatch_calls(const dispatch_calls& calls, bool disables) {
  if (disables) disable_main_controls();
  for (const dispatch_call& c : calls) run_shell_command(c.name, c.args);
  if (disables) refresh_control_states();
}

void install_main_dispatch() {
  register_shell_command("disable_main_controls", [](const shell_command_args&) { disable_main_controls(); });
  register_shell_command("refresh_control_states", [](const shell_command_args&) { refresh_control_states(); });
  for (int item = MENU_FIRST_COMMAND; item <= MENU_RECENT_CLEAR; ++item) {
    register_command(command_kind::menu_item, item,
                     [](const command_event& e) { run_menu_item(e.id, e.tab); });
  }
  for (int shortcut = SHORTCUT_DELETE; shortcut <= SHORTCUT_HELP; ++shortcut) {
    register_command(command_kind::shortcut, shortcut, [](const command_event& e) { run_shortcut(e.id, e.tab); });
  }
  // Refreshes are added, not replaced: only the newest installation acts.
  static int generation = 0;
  const int mine = ++generation;
  register_pass_refresh(pass_stage::control_states, [mine] {
    if (mine == generation) refresh_control_states();
  });
  install_gadget_dispatch();
}
