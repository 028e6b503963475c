// The shell's own commands of the main window: Exit, the manual and About.
#include "shell/builtin_commands.h"

#include "gui/gui.h"
#include "shell/about_window.h"
#include "shell/command_registry.h"
#include "shell/main_loop.h"
#include "shell/shell_ids.h"
#include "shell/shell_state.h"
#include "shell/window_helpers.h"

void register_builtin_commands() {
  register_command(command_kind::menu_item, MENU_EXIT, [](const command_event&) {
    exit_requested = 0;
    exit_requested = confirm_discard_changes(u"Really exit?");
  });
  // Ctrl+Q chooses File > Exit on the next pass, with its question.
  register_command(command_kind::shortcut, SHORTCUT_QUIT,
                   [](const command_event&) { event_post(EVENT_MENU, MAIN_WINDOW, MENU_EXIT); });
  register_command(command_kind::menu_item, MENU_HTML_HELP, [](const command_event&) { open_manual_page(u""); });
  register_command(command_kind::shortcut, SHORTCUT_HELP, [](const command_event&) { open_manual_page(u""); });
  register_command(command_kind::menu_item, MENU_ABOUT, [](const command_event&) { show_about_window(); });
}
