#include "shell/program_commands.h"

#include "affix/aff_cache_status_ui.h"
#include "affix/aff_validate_window.h"
#include "affix/crunch_window.h"
#include "affix/gbza_variant_window.h"
#include "affix/proper_names_window.h"
#include "dictionary/dictionary_commands_ui.h"
#include "dictionary/dictionary_duplicates_window.h"
#include "dictionary/dictionary_files_ui.h"
#include "dictionary/dictionary_tools_ui.h"
#include "dictionary/word_editor_window.h"
#include "editors/thesaurus/thesaurus_files_ui.h"
#include "editors/hyphenation/hyphenation_tab_ui.h"
#include "editors/autocorrect/autocorrect_files_ui.h"
#include "editors/autocorrect/autocorrect_tools_ui.h"
#include "editors/thesaurus/thesaurus_tools_ui.h"
#include "shell/builtin_commands.h"
#include "shell/list_view_ui.h"
#include "shell/main_dispatch.h"
#include "shell/find_window.h"
#include "shell/preferences_window.h"
#include "shell/profiles_ui.h"
#include "shell/settings_file_registry.h"
#include "shell/undo_redo_ui.h"
#include "tools/languagetool_commands_ui.h"
#include "shell/update_window.h"
#include "shell/workspace.h"
#include "tools/wordlist_commands_ui.h"

void register_program_commands(workspace& ws) {
  for (settings_file_registration& file : workspace_settings_files(ws)) register_settings_file(std::move(file));
  register_builtin_commands();
  register_aff_cache_commands();
  register_aff_validate_commands();
  register_list_view_handlers();
  register_undo_redo_commands();
  register_dictionary_file_commands();
  register_dictionary_list_commands();
  register_word_editor_commands();
  register_dictionary_tool_commands(ws.statistics);
  register_thesaurus_editor();
  register_dictionary_duplicates_commands();
  register_thesaurus_tool_commands();
  register_hyphenation_commands();
  register_autocorrect_commands();
  register_autocorrect_tool_commands();
  register_preferences_commands();
  register_languagetool_commands();
  register_profile_commands();
  register_update_check_commands();
  register_find_commands();
  register_wordlist_commands(ws.multiword_pos);
  register_crunch_commands();
  register_gbza_variant_commands();
  register_proper_names_commands();
  // Last: the dispatchers take over the menu, shortcut and gadget numbers
  // and name the commands registered above.
  install_main_dispatch();
}
