// Start-up, the main loop of window 0 and what it needs around it: the
// discard question, the icons, the list callbacks and the dispatchers.
#pragma once

#include "common/text.h"
#include "dictionary/aff_aid_languages.h"
#include "kit/document_kinds.h"
#include "kit/preferences.h"

#include <functional>

// The entry: locale, environment, GUI, start-up, the main loop, shutdown.
// Returns the process's exit code (0 after a normal exit; 1 when no display
// or no main window could be opened). register_commands is the program's
// registration list (register_program_commands, app/program_commands.h):
// the main loop calls no subsystem itself. prefs, aff_aid and the document
// kinds are the program's (start_program).
int run_main_program(int argc, char** argv, preferences& prefs, aff_aid_languages& aff_aid,
                     const document_kinds& kinds, const std::function<void()>& register_commands);

// Start-up after the GUI layer is up, from the executable's path (its folder
// is the base folder; the current folder when it has none); the commands are
// registered just before the main window is built. prefs and aff_aid start
// from their defaults and take what the settings folder holds. Returns 0
// when the main window could not be opened.
int start_program(const text_t& executable_path, preferences& prefs, aff_aid_languages& aff_aid,
                  const document_kinds& kinds, const std::function<void()>& register_commands);
// Main-loop state.
extern int exit_requested;
extern int popup_owner_gadget;  // list that opened popup 502 or 217; 0 none

// Runs passes until exit_requested is 1 at the end of a pass.
void run_main_loop();
// One pass: refresh, wait for one event, hand it on.
void run_main_loop_pass();
// Unbinds the main window's callbacks and closes the GUI layer.
void end_program();

// The question before work could be lost: 1 to go on, 0 to stop. Without
// changed documents it asks nothing and returns 1. Otherwise it lists them
// ("  — Dictionary\n" ...) under "The following files have been changed:\n"
// and ends with the question; only Yes goes on (a closed box keeps the work).
int confirm_discard_changes(const document_kinds& kinds, const text_t& question);
// The changed documents, in tab order: the kinds whose changed test says so
// (each document's owner installs it; until then it counts as unchanged).
text_t changed_documents_list(const document_kinds& kinds);

// Decodes the icons the program carries into their image numbers; each
// failing icon of the range 2..128 is reported with "Can't load image.".
void load_embedded_images();

// Binds the list scroll bars to the page redraw, so dragging one redraws
// the page while the loop is busy (again after a rebuild of window 0).
void bind_list_callbacks();

// Widens the list's last column to the window width + 40 when narrower.
void widen_last_list_column(int list);

// The dispatchers of the main loop. Each acts only on its own event type
// (menu items and shortcuts on type 1, gadgets on type 3) and runs the
// command registered for the number (command_registry.h).
void handle_main_menu_event(int type, int menu_id, int tab);
void handle_shortcut_event(int type, int shortcut_id, int tab);
void handle_main_gadget_event(int type, int tab, int gadget);
void handle_list_gadget_event(int type, int gadget, int subtype);

// The automatic update check at start-up runs the check registered with
// register_automatic_update_check (command_registry.h; nothing runs until
// the update check registers it). The check stores the time of the last
// check itself, and only when the site answered.
// True when kwx4.prefs was read, the record asks for automatic checks and
// the interval since the stored last check has passed (reads
// settings/last_update_check.txt into the record).
bool automatic_update_check_due(preferences& prefs);
