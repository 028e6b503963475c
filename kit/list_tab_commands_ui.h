// The list commands of a list tab (Select All, Select None, Invert, Delete
// Selected, Delete Current) on the document the tab pages, with the
// warnings and questions of its texts; each redraws what it changed. The
// dictionary, the thesaurus and the autocorrect list name theirs over these.
#pragma once

#include "common/list_document.h"
#include "kit/document_kinds.h"

// True when the document changed (marks included).
bool check_all_on_tab(int tab, const list_command_texts& texts);
bool uncheck_all_on_tab(int tab, const list_command_texts& texts);
bool invert_checks_on_tab(int tab, const list_command_texts& texts);
bool delete_checked_on_tab(int tab, const list_command_texts& texts);
// quiet: no notice when nothing is selected.
bool delete_current_on_tab(int tab, const list_command_texts& texts, bool quiet);

// The five over a tab's list with the kind's texts, as the kind's entry
// commands; a kind whose Invert is the list view's own sets it after.
void register_list_entry_commands(list_entry_commands& entries, int tab, const list_command_texts& texts);
