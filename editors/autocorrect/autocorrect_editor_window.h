// The Add/Edit window of the autocorrect list (window 428) and its command.
#pragma once

#include <cstdint>

// (1, 0) adds a pair, (0, 1) edits the selected one. Opens the modal window
// and returns when it is closed; only a valid OK writes.
void edit_autocorrect_word(int64_t add, int64_t edit);

// Registers "edit_autocorrect_word" (numbers: add, edit), which the Add and
// Edit buttons, the popup items, Ctrl+A and a double click on list 221 run.
void register_autocorrect_editor_commands();
