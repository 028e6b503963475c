#include "editors/thesaurus/thesaurus_commands_ui.h"

#include "editors/thesaurus/thesaurus_file.h"
#include "kit/ids.h"
#include "kit/list_tab_commands_ui.h"
#include "kit/list_view_ui.h"

void register_thesaurus_list_commands(list_entry_commands& entries) {
  register_list_entry_commands(entries, TAB_THESAURUS, thesaurus_command_texts());
  // Invert is the list view's own.
  entries.invert = invert_synonym_selection;
}
