#include "editors/autocorrect/autocorrect_commands_ui.h"

#include "editors/autocorrect/block_list_file.h"
#include "kit/list_tab_commands_ui.h"
#include "kit/list_view_ui.h"

void register_autocorrect_list_commands(document_kind& kind) {
  register_list_entry_commands(kind, autocorrect_command_texts());
  // Invert is the list view's own.
  kind.entries.invert = [&kind] { invert_paged_list_checks(kind); };
}
