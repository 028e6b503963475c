// The list commands of the Thesaurus tab: Select All, Select None, Delete
// Selected and Delete Current, with their warnings and questions (Invert is
// the list view's). The deletes are undoable.
#pragma once

#include "kit/document_kinds.h"

// The four and the list view's Invert as the thesaurus kind's entry commands.
void register_thesaurus_list_commands(document_kind& kind);
