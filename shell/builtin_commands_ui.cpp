#include "shell/builtin_commands.h"

#include "shell/about_window.h"
#include "shell/goto_window.h"
#include "shell/shell_commands.h"
#include "shell/window_helpers.h"

void register_builtin_commands() {
  register_shell_command("open_manual_page", [](const shell_command_args& a) { open_manual_page(a.text); });
  register_shell_command("show_about_window", [](const shell_command_args&) { show_about_window(); });
  register_goto_commands();
}
