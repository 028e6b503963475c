// The list commands of a kind's tab (Select All, Select None, Invert,
// Delete Selected, Delete Current) on the document its list pages, with the
// warnings and questions of its texts; each redraws what it changed. The
// dictionary, the thesaurus and the autocorrect list name theirs over these.
#pragma once

#include "common/list_document.h"
#include "kit/document_kinds.h"

// True when the document changed (marks included).
bool check_all_on_tab(const document_kind& kind, const list_command_texts& texts);
bool uncheck_all_on_tab(const document_kind& kind, const list_command_texts& texts);
bool invert_checks_on_tab(const document_kind& kind, const list_command_texts& texts);
bool delete_checked_on_tab(const document_kind& kind, const list_command_texts& texts);
// quiet: no notice when nothing is selected.
bool delete_current_on_tab(const document_kind& kind, const list_command_texts& texts, bool quiet);

// The five over the kind's list with its texts, as the kind's entry
// commands; a kind whose Invert is the list view's own sets it after. The
// kind and the texts must live as long as the commands.
void register_list_entry_commands(document_kind& kind, const list_command_texts& texts);
