// Start-up: every part of the program registers its commands, view
// handlers and document tests with the main window before it is built.
#pragma once

// Safe to call again (each registration replaces the previous one).
void register_program_commands();
