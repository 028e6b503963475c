// The program's tools: one registration line per item of menu bar 6, in
// menu order. A new tool adds its line here and registers the command it
// names from its own files (see docs/adding_a_tool.md).
#include "shell/shell_ids.h"
#include "shell/tool_registry.h"

namespace {

constexpr bool LONG = true;
constexpr int ANY = -1;  // announced on every tab

tool_registration on_tab(int tab, int item, dispatch_calls calls, bool long_command = false) {
  return {.menu_item = item, .calls = std::move(calls), .enabled = tool_enabled::on_tab, .tab = tab,
          .long_command = long_command};
}

tool_registration always(int item, dispatch_calls calls, bool long_command = false) {
  return {.menu_item = item, .calls = std::move(calls), .long_command = long_command};
}

// Shown in the menu, answered with "Not coded yet.".
tool_registration announced(int tab, int item) {
  tool_registration t = tab == ANY ? always(item, {}) : on_tab(tab, item, {});
  t.not_coded = true;
  return t;
}

}  // namespace

std::vector<tool_registration> program_tools() {
  const int D = TAB_DICTIONARY, T = TAB_THESAURUS, H = TAB_HYPHENATION, A = TAB_AUTOCORRECT, X = TAB_AUTOTEXT,
            L = TAB_LANGUAGETOOL;
  return {
      // File: the dispatcher runs the shown tab's loader and saver, the
      // package dialog and the exit question itself.
      always(MENU_OPEN, {}),
      {.menu_item = MENU_SAVE, .calls = {}, .enabled = tool_enabled::savable},
      {.menu_item = MENU_SAVE_AS, .calls = {}, .enabled = tool_enabled::savable},
      always(MENU_IMPORT_PROFILE, {command_call("import_profile")}),
      always(MENU_EXPORT_PROFILE, {command_call("export_profile")}),
      always(MENU_OPEN_EXTENSION, {}),
      {.menu_item = MENU_SAVE_EXTENSION, .calls = {}, .enabled = tool_enabled::never},
      {.menu_item = MENU_SAVE_EXTENSION_AS, .calls = {}, .enabled = tool_enabled::never},
      {.menu_item = MENU_EXIT, .calls = {}, .shortcut = SHORTCUT_QUIT},

      // Dictionary Tools. AFF Validate rebuilds the decode cache with the
      // controls off; the window then disables window 0 itself.
      on_tab(D, MENU_AFF_VALIDATE,
             {command_call("disable_main_controls"), command_call("rebuild_aff_decode_cache"),
              command_call("refresh_control_states"),
              command_call("show_aff_validate_window")}),
      on_tab(D, MENU_DICTIONARY_BULK_IMPORT, {command_call("show_bulk_import_window", {1})}),
      on_tab(D, MENU_IMPORT_POSSESSIVES, {command_call("show_possessive_names_window")}),
      on_tab(D, MENU_PROPER_NAMES, {command_call("extract_proper_names")}),
      on_tab(D, MENU_GBZA_VARIANTS, {command_call("show_gbza_variant_window")}),
      announced(D, 23),
      on_tab(D, MENU_EXTRACT_ALL_TXT, {command_call("extract_dictionary_wordlist", {0})}, LONG),
      on_tab(D, MENU_EXTRACT_ALL_CSV, {command_call("extract_dictionary_wordlist", {1})}, LONG),
      on_tab(D, MENU_EXTRACT_UPPERCASE_TXT, {}),
      on_tab(D, MENU_EXTRACT_COMPOUNDS_TXT, {command_call("extract_dictionary_wordlist", {2})}, LONG),
      on_tab(D, MENU_EXTRACT_COMPOUNDS_LT, {command_call("extract_dictionary_wordlist", {6})}, LONG),
      on_tab(D, MENU_EXTRACT_BY_TAGS, {command_call("extract_words_by_postag")}),
      on_tab(D, MENU_DICTIONARY_DUPLICATES, {command_call("show_dictionary_duplicates_window")}),
      on_tab(D, MENU_WORDLIST_DUPLICATES, {command_call("show_duplicates_wordlist")}, LONG),
      on_tab(D, MENU_STATISTICS, {command_call("show_dictionary_statistics")}, LONG),
      on_tab(D, MENU_SORT_FLAGS, {command_call("sort_dictionary_word_flags")}, LONG),
      announced(D, MENU_REDUNDANT_FLAGS),
      on_tab(D, MENU_SORT_AFF_TAGS, {command_call("sort_aff_tags")}, LONG),
      on_tab(D, MENU_REMOVE_COMMENTS, {command_call("remove_dictionary_word_comments")}, LONG),
      announced(D, MENU_UNPFX_ALL),
      announced(D, MENU_UNPFX_SPECIFIC),
      on_tab(D, MENU_CRUNCH, {command_call("show_crunch_words_window")}),
      on_tab(D, MENU_DICTIONARY_FIX_SPACES, {command_call("fix_dictionary_word_spaces")}, LONG),

      // Thesaurus Tools.
      announced(T, MENU_THESAURUS_VALIDATE),
      on_tab(T, MENU_THESAURUS_BULK_IMPORT, {command_call("show_bulk_import_window", {2})}),
      on_tab(T, MENU_EXTRACT_SYNONYMS_TXT, {command_call("extract_thesaurus_to_file", {0})}, LONG),
      on_tab(T, MENU_EXTRACT_SYNONYMS_BOOK, {command_call("extract_thesaurus_to_file", {1})}, LONG),
      on_tab(T, MENU_COMBINE_MEANINGS, {command_call("combine_synonyms")}),
      on_tab(T, MENU_THESAURUS_DUPLICATES, {command_call("show_thesaurus_duplicates_window")}),
      on_tab(T, MENU_CLEAN_SYMBOLS, {command_call("clean_thesaurus_symbols")}),
      on_tab(T, MENU_THESAURUS_FIX_SPACES, {command_call("fix_thesaurus_spaces")}, LONG),
      on_tab(T, MENU_SORT_MEANINGS, {command_call("sort_or_unduplicate_meanings", {1, 0})}),
      on_tab(T, MENU_DEDUPLICATE_MEANINGS, {command_call("sort_or_unduplicate_meanings", {0, 1})}),
      on_tab(T, MENU_SORT_ON_NUMBERS, {command_call("sort_thesaurus_by_meaning_count")}, LONG),
      announced(T, MENU_PREVIEW_THESAURUS),

      // Hyphenation Tools.
      announced(H, MENU_HYP_VALIDATE),
      announced(H, MENU_HYPHENATION_FIX_SPACES),

      // Autocorrect Tools.
      on_tab(A, MENU_AC_VALIDATE,
             {command_call("disable_main_controls"), command_call("rebuild_aff_decode_cache"),
              command_call("refresh_control_states"),
              command_call("show_autocorrect_validate_window")}),
      on_tab(A, MENU_AUTOCORRECT_BULK_IMPORT, {command_call("show_bulk_import_window", {3})}),
      on_tab(A, MENU_EXTRACT_AUTOCORRECTS, {command_call("extract_autocorrect_list_to_file")}, LONG),
      on_tab(A, MENU_CLEAN_HEX_SYMBOLS, {command_call("clean_autocorrect_hex_symbols")}),
      on_tab(A, MENU_AUTOCORRECT_DUPLICATES, {command_call("show_autocorrect_duplicates_window")}),
      on_tab(A, MENU_AUTOCORRECT_FIX_SPACES, {command_call("fix_autocorrect_spaces")}, LONG),

      // AutoText Tools.
      announced(X, MENU_AUTOTEXT_VALIDATE),
      announced(X, MENU_AUTOTEXT_FIX_SPACES),

      // LanguageTool Tools.
      on_tab(L, MENU_BULK_IMPORT_MULTIWORDS, {command_call("show_bulk_import_window", {4})}),
      on_tab(L, MENU_POS_ADDED, {command_call("extract_pos_words_to_file", {1})}, LONG),
      on_tab(L, MENU_POS_SPELLING, {command_call("extract_pos_words_to_file", {2})}, LONG),
      on_tab(L, MENU_POS_SETTINGS, {command_call("show_pos_settings_window")}),
      on_tab(L, MENU_RULES_STRUCTURE, {command_call("export_grammar_structure", {1})}, LONG),
      on_tab(L, MENU_RULES_STRUCTURE_PLAIN, {command_call("export_grammar_structure", {0})}, LONG),
      announced(L, MENU_INDENT_XML),

      // Language/Task-specific Tools: on every tab.
      always(MENU_SORT_SMALL_WORDLIST, {command_call("show_bulk_import_window", {5})}),
      announced(ANY, MENU_SORT_LARGE_WORDLIST),
      always(MENU_CONVERT_XML_ACCENTS, {command_call("show_bulk_import_window", {7})}),
      always(MENU_MASTER_WORDLIST, {command_call("show_master_wordlist_window")}),
      always(MENU_DEDUPLICATE_SMALL_WORDLIST, {command_call("show_bulk_import_window", {6})}),
      announced(ANY, MENU_DEDUPLICATE_LARGE_WORDLIST),

      // Tools and Help.
      announced(ANY, MENU_EXTENSION_PROPERTIES),
      always(MENU_PREFERENCES, {command_call("show_preferences_window")}),
      always(MENU_CHECK_UPDATES, {command_call("run_update_check", {0})}),
      {.menu_item = MENU_HTML_HELP, .calls = {command_call("open_manual_page")}, .shortcut = SHORTCUT_HELP},
      always(MENU_ABOUT, {command_call("show_about_window")}),
  };
}
