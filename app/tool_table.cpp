// The program's tools: one registration line per item of menu bar 6, in
// menu order. A new tool adds its line here and sets its command from its
// own files, by the item (tool_registry::set_command).
#include "app/tool_table.h"

#include "kit/ids.h"

namespace {

constexpr bool LONG = true;
constexpr int ANY = -1;  // on every tab

tool_registration on_tab(int tab, int item, bool long_command = false) {
  return {.menu_item = item, .enabled = tool_enabled::on_tab, .tab = tab, .long_command = long_command};
}

tool_registration always(int item, bool long_command = false) {
  return {.menu_item = item, .long_command = long_command};
}

// Shown in the menu, answered with "Not coded yet.".
tool_registration announced(int tab, int item) {
  tool_registration t = tab == ANY ? always(item) : on_tab(tab, item);
  t.answer = tool_answer::not_coded;
  return t;
}

// The File menu's items the dispatcher runs itself.
tool_registration built_in(int item, tool_enabled enabled) {
  return {.menu_item = item, .enabled = enabled, .answer = tool_answer::built_in};
}

// Shown and enabled, and does nothing.
tool_registration inert(int tab, int item) {
  tool_registration t = tab == ANY ? always(item) : on_tab(tab, item);
  t.answer = tool_answer::nothing;
  return t;
}

}  // namespace

std::vector<tool_registration> program_tools() {
  const int D = TAB_DICTIONARY, T = TAB_THESAURUS, H = TAB_HYPHENATION, A = TAB_AUTOCORRECT, X = TAB_AUTOTEXT,
            L = TAB_LANGUAGETOOL;
  return {
      // File: the dispatcher runs the shown tab's loader and saver, the
      // package dialog and the exit question itself.
      built_in(MENU_OPEN, tool_enabled::always),
      built_in(MENU_SAVE, tool_enabled::savable),
      built_in(MENU_SAVE_AS, tool_enabled::savable),
      always(MENU_IMPORT_PROFILE),
      always(MENU_EXPORT_PROFILE),
      built_in(MENU_OPEN_EXTENSION, tool_enabled::always),
      {.menu_item = MENU_SAVE_EXTENSION, .enabled = tool_enabled::never},
      {.menu_item = MENU_SAVE_EXTENSION_AS, .enabled = tool_enabled::never},
      {.menu_item = MENU_EXIT, .answer = tool_answer::built_in, .shortcut = SHORTCUT_QUIT},
      // File > Recent Extensions: no package can be opened yet, and the
      // items do nothing (Clear too).
      inert(ANY, MENU_RECENT_EXTENSION_FIRST), inert(ANY, MENU_RECENT_EXTENSION_FIRST + 1),
      inert(ANY, MENU_RECENT_EXTENSION_FIRST + 2), inert(ANY, MENU_RECENT_EXTENSION_FIRST + 3),
      inert(ANY, MENU_RECENT_EXTENSION_FIRST + 4), inert(ANY, MENU_RECENT_EXTENSION_FIRST + 5),
      inert(ANY, MENU_RECENT_EXTENSION_FIRST + 6), inert(ANY, MENU_RECENT_EXTENSION_FIRST + 7),
      inert(ANY, MENU_RECENT_EXTENSION_FIRST + 8), inert(ANY, MENU_RECENT_EXTENSION_LAST),
      inert(ANY, MENU_RECENT_EXTENSION_CLEAR),

      // Dictionary Tools. AFF Validate rebuilds the decode cache with the
      // controls off; the window then disables window 0 itself.
      on_tab(D, MENU_AFF_VALIDATE),
      on_tab(D, MENU_DICTIONARY_BULK_IMPORT),
      on_tab(D, MENU_IMPORT_POSSESSIVES),
      on_tab(D, MENU_PROPER_NAMES),
      on_tab(D, MENU_GBZA_VARIANTS),
      announced(D, 23),
      on_tab(D, MENU_EXTRACT_ALL_TXT, LONG),
      on_tab(D, MENU_EXTRACT_ALL_CSV, LONG),
      inert(D, MENU_EXTRACT_UPPERCASE_TXT),
      on_tab(D, MENU_EXTRACT_COMPOUNDS_TXT, LONG),
      on_tab(D, MENU_EXTRACT_COMPOUNDS_LT, LONG),
      on_tab(D, MENU_EXTRACT_BY_TAGS),
      on_tab(D, MENU_DICTIONARY_DUPLICATES),
      on_tab(D, MENU_WORDLIST_DUPLICATES, LONG),
      on_tab(D, MENU_STATISTICS, LONG),
      on_tab(D, MENU_SORT_FLAGS, LONG),
      announced(D, MENU_REDUNDANT_FLAGS),
      on_tab(D, MENU_SORT_AFF_TAGS, LONG),
      on_tab(D, MENU_REMOVE_COMMENTS, LONG),
      announced(D, MENU_UNPFX_ALL),
      announced(D, MENU_UNPFX_SPECIFIC),
      on_tab(D, MENU_CRUNCH),
      on_tab(D, MENU_DICTIONARY_FIX_SPACES, LONG),

      // Thesaurus Tools.
      announced(T, MENU_THESAURUS_VALIDATE),
      on_tab(T, MENU_THESAURUS_BULK_IMPORT),
      on_tab(T, MENU_EXTRACT_SYNONYMS_TXT, LONG),
      on_tab(T, MENU_EXTRACT_SYNONYMS_BOOK, LONG),
      on_tab(T, MENU_COMBINE_MEANINGS),
      on_tab(T, MENU_THESAURUS_DUPLICATES),
      on_tab(T, MENU_CLEAN_SYMBOLS),
      on_tab(T, MENU_THESAURUS_FIX_SPACES, LONG),
      on_tab(T, MENU_SORT_MEANINGS),
      on_tab(T, MENU_DEDUPLICATE_MEANINGS),
      on_tab(T, MENU_SORT_ON_NUMBERS, LONG),
      announced(T, MENU_PREVIEW_THESAURUS),

      // Hyphenation Tools.
      announced(H, MENU_HYP_VALIDATE),
      announced(H, MENU_HYPHENATION_FIX_SPACES),

      // Autocorrect Tools.
      on_tab(A, MENU_AC_VALIDATE),
      on_tab(A, MENU_AUTOCORRECT_BULK_IMPORT),
      on_tab(A, MENU_EXTRACT_AUTOCORRECTS, LONG),
      on_tab(A, MENU_CLEAN_HEX_SYMBOLS),
      on_tab(A, MENU_AUTOCORRECT_DUPLICATES),
      on_tab(A, MENU_AUTOCORRECT_FIX_SPACES, LONG),

      // AutoText Tools.
      announced(X, MENU_AUTOTEXT_VALIDATE),
      announced(X, MENU_AUTOTEXT_FIX_SPACES),

      // LanguageTool Tools.
      on_tab(L, MENU_BULK_IMPORT_MULTIWORDS),
      on_tab(L, MENU_POS_ADDED, LONG),
      on_tab(L, MENU_POS_SPELLING, LONG),
      on_tab(L, MENU_POS_SETTINGS),
      on_tab(L, MENU_RULES_STRUCTURE, LONG),
      on_tab(L, MENU_RULES_STRUCTURE_PLAIN, LONG),
      announced(L, MENU_INDENT_XML),

      // Language/Task-specific Tools: on every tab.
      always(MENU_SORT_SMALL_WORDLIST),
      announced(ANY, MENU_SORT_LARGE_WORDLIST),
      always(MENU_CONVERT_XML_ACCENTS),
      always(MENU_MASTER_WORDLIST),
      always(MENU_DEDUPLICATE_SMALL_WORDLIST),
      announced(ANY, MENU_DEDUPLICATE_LARGE_WORDLIST),

      // Tools and Help.
      announced(ANY, MENU_EXTENSION_PROPERTIES),
      always(MENU_PREFERENCES),
      always(MENU_CHECK_UPDATES),
      {.menu_item = MENU_HTML_HELP, .shortcut = SHORTCUT_HELP},
      always(MENU_ABOUT),
  };
}
