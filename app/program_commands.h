// Start-up: every part of the program registers its commands, view
// handlers and document tests with the main window before it is built.
#pragma once

class document_kinds;
struct workspace;

// Each subsystem gives the main window its tab's builder and fills its kind's
// gadgets and texts; the first part of register_program_commands.
void register_main_tabs(document_kinds& kinds);

// The commands work on the workspace's documents and settings, which must
// outlive them. Safe to call again (each registration replaces the previous one).
void register_program_commands(workspace& ws);
