// Start-up: every part of the program registers its commands, view
// handlers and document tests with the main window before it is built.
#pragma once

struct workspace;

// The commands work on the workspace's documents and settings, which must
// outlive them. Safe to call again (each registration replaces the previous one).
void register_program_commands(workspace& ws);
