// Registers the shell's own commands (Exit, Ctrl+Q, HTML Help, F1, About)
// with the main window's dispatchers.
#pragma once

void register_builtin_commands();
