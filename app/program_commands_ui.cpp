#include "app/program_commands.h"

#include "app/builtin_commands.h"
#include "app/main_dispatch.h"
#include "app/preferences_window.h"
#include "app/profiles_ui.h"
#include "app/settings_file_registry.h"
#include "app/update_window.h"
#include "app/workspace.h"
#include "dictionary/aff_cache_status_ui.h"
#include "dictionary/aff_validate_window.h"
#include "dictionary/crunch_window.h"
#include "dictionary/dictionary_commands_ui.h"
#include "dictionary/dictionary_duplicates_window.h"
#include "dictionary/dictionary_files_ui.h"
#include "dictionary/dictionary_tab_ui.h"
#include "dictionary/dictionary_tools_ui.h"
#include "dictionary/gbza_variant_window.h"
#include "dictionary/proper_names_window.h"
#include "dictionary/word_editor_window.h"
#include "editors/autocorrect/autocorrect_files_ui.h"
#include "editors/autocorrect/autocorrect_tab_ui.h"
#include "editors/autocorrect/autocorrect_tools_ui.h"
#include "editors/hyphenation/hyphenation_tab_ui.h"
#include "editors/thesaurus/thesaurus_files_ui.h"
#include "editors/thesaurus/thesaurus_tab_ui.h"
#include "editors/thesaurus/thesaurus_tools_ui.h"
#include "kit/list_view_ui.h"
#include "kit/recent_files_ui.h"
#include "kit/undo_redo_ui.h"
#include "tools/languagetool_commands_ui.h"
#include "tools/languagetool_tab_ui.h"
#include "tools/wordlist_commands_ui.h"

void register_main_tabs(document_kinds& kinds) {
  register_dictionary_tab(kinds.dictionary);
  register_thesaurus_tab(kinds.thesaurus);
  register_hyphenation_tab(kinds.hyphenation, kinds.dictionary);
  register_autocorrect_tab(kinds.autocorrect);
  register_autotext_tab(kinds.autotext);
  register_languagetool_tab(kinds.languagetool);
}

void register_program_commands(workspace& ws) {
  for (settings_file_registration& file : workspace_settings_files(ws)) register_settings_file(std::move(file));
  main_commands& commands = ws.commands;
  document_kinds& kinds = commands.kinds;
  tool_registry& tools = commands.tools;
  register_main_tabs(kinds);
  register_builtin_commands(tools);
  register_aff_cache_commands(ws.dictionary);
  register_aff_validate_commands(ws.dictionary, ws.prefs, tools);
  register_list_view_handlers(ws.dictionary.list, kinds, ws.prefs);
  register_recent_files(ws.recent_files, kinds);
  register_undo_redo_commands(kinds);
  register_dictionary_file_commands(ws.dictionary, kinds.dictionary, ws.prefs);
  register_dictionary_list_commands(kinds.dictionary);
  register_word_editor_commands(ws.dictionary, ws.derived_words, ws.prefs, ws.aff_aid, kinds.dictionary.entries);
  register_dictionary_tool_commands(ws.dictionary, ws.statistics, ws.tag_search, ws.prefs, tools);
  register_thesaurus_editor(ws.thesaurus, kinds.thesaurus, ws.prefs);
  register_dictionary_duplicates_commands(ws.dictionary, ws.dictionary_duplicates, ws.prefs, tools);
  register_thesaurus_tool_commands(ws.thesaurus, ws.clean_symbols, ws.prefs, tools);
  register_hyphenation_commands(ws.hyphenation, ws.dictionary, kinds.hyphenation, ws.prefs);
  register_autocorrect_commands(ws.autocorrect, kinds.autocorrect, ws.autotext, kinds.autotext, ws.prefs);
  register_autocorrect_tool_commands(ws.autocorrect, ws.dictionary, ws.prefs, tools);
  register_preferences_commands(ws.prefs, ws.aff_aid, kinds, tools);
  register_languagetool_commands(ws.grammar, ws.dictionary, ws.pos_rules, ws.prefs, commands);
  register_profile_commands(tools);
  register_update_check_commands(ws.prefs, tools);
  register_wordlist_commands(ws.dictionary, ws.thesaurus, ws.autocorrect, ws.multiword_pos, ws.prefs, tools);
  register_crunch_commands(ws.dictionary, ws.crunch, ws.prefs, tools);
  register_gbza_variant_commands(ws.dictionary, ws.gbza, ws.prefs, tools);
  register_proper_names_commands(ws.dictionary, tools);
  // Last: the dispatchers take over the menu, shortcut and gadget numbers
  // and run what the kinds and tools registered above.
  install_main_dispatch(commands, ws.find, ws.prefs);
}
