// The list commands of the Autocorrect tab: Select All, Select None, Delete
// Selected and Delete Current, with their warnings and questions (Invert
// Selection is the paged list view's). The deletes are undoable.
#pragma once

#include "kit/document_kinds.h"

// The four and the list view's Invert as the autocorrect kind's entry
// commands, for the buttons, popup items and keys of the dispatchers.
void register_autocorrect_list_commands(document_kind& kind);
