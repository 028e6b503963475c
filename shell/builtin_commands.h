// Registers the shell's own windows under the names the tool registry uses:
// "open_manual_page" (HTML Help, F1), "show_about_window" (About) and
// "show_goto_dialog" (Goto).
#pragma once

void register_builtin_commands();
