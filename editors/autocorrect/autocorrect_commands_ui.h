// The list commands of the Autocorrect tab: Select All, Select None, Delete
// Selected and Delete Current, with their warnings and questions (Invert
// Selection is the paged list view's). The deletes are undoable.
#pragma once

void check_all_autocorrects();
void uncheck_all_autocorrects();
void delete_checked_autocorrects();
// quiet 1 (the Find window): no notice when nothing is selected. Returns 1
// when the entry was deleted, else 0.
int delete_current_autocorrect(int quiet);

// The four as named commands (delete_current_autocorrect takes quiet as its
// first number), for the buttons, popup items and keys of the dispatchers.
void register_autocorrect_list_commands();
