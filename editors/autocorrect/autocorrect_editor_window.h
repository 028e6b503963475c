// The Add/Edit window of the autocorrect list (window 428) and its command.
#pragma once

#include "common/list_document.h"
#include "kit/document_kinds.h"

#include <cstdint>

// Adds a pair to the autocorrect list's entries, or edits the selected one.
// Opens the modal window and returns when it is closed; only a valid OK
// writes.
void edit_autocorrect_word(list_document& autocorrects, entry_edit how);

// The autocorrect kind's Add and Edit, which the Add and Edit buttons, the
// popup items, Ctrl+A and a double click on list 221 run, on the given
// entries.
void register_autocorrect_editor_commands(list_document& autocorrects, list_entry_commands& entries);
