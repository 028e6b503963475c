#include "app/builtin_commands.h"

#include "app/about_window.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

void register_builtin_commands(tool_registry& tools) {
  tools.set_command(MENU_HTML_HELP, [] { open_manual_page(u""); });
  tools.set_command(MENU_ABOUT, [] { show_about_window(); });
}
