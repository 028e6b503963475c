#include "shell/builtin_commands.h"

#include "shell/about_window.h"
#include "shell/shell_ids.h"
#include "shell/window_helpers.h"

void register_builtin_commands(tool_registry& tools) {
  tools.set_command(MENU_HTML_HELP, [] { open_manual_page(u""); });
  tools.set_command(MENU_ABOUT, [] { show_about_window(); });
}
