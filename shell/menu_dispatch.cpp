#include "shell/menu_dispatch.h"

#include "shell/shell_ids.h"

#include <algorithm>
#include <array>

namespace {

dispatch_call call(std::string name, std::vector<int64_t> numbers = {}, text_t text = {}) {
  return dispatch_call{std::move(name), shell_command_args{std::move(text), std::move(numbers)}};
}

menu_action calls_action(dispatch_calls calls, bool disables = false) {
  menu_action a;
  a.kind = menu_action_kind::calls;
  a.disables_controls = disables;
  a.calls = std::move(calls);
  return a;
}

menu_action one_call(std::string name, std::vector<int64_t> numbers = {}, bool disables = false) {
  return calls_action({call(std::move(name), std::move(numbers))}, disables);
}

// Announced items without a command yet.
constexpr std::array<int, 14> not_coded_items = {23, 34, 37, 38, 43, 54, 57, 58, 69, 70, 79, 83, 87, 89};

menu_action kind_only(menu_action_kind kind) {
  menu_action a;
  a.kind = kind;
  return a;
}

}  // namespace

bool menu_item_not_coded(int item) {
  return std::find(not_coded_items.begin(), not_coded_items.end(), item) != not_coded_items.end();
}

dispatch_calls loader_calls(int tab, const text_t& path) {
  switch (tab) {
    case TAB_DICTIONARY: return {call("load_dictionary", {}, path)};
    case TAB_THESAURUS: return {call("load_thesaurus", {}, path)};
    case TAB_HYPHENATION: return {call("load_hyphenation", {}, path)};
    case TAB_AUTOCORRECT: return {call("load_autocorrect_list", {}, path)};
    case TAB_AUTOTEXT: return {call("load_autotext_list", {}, path)};
    case TAB_LANGUAGETOOL: return {call("load_grammar_rules", {}, path), call("update_grammar_category_header")};
    default: return {};
  }
}

dispatch_calls saver_calls(int tab, int save, int save_as) {
  static const char* const savers[4] = {"save_dictionary", "save_thesaurus", "save_hyphenation",
                                        "save_autocorrect_list"};
  if (tab < TAB_DICTIONARY || tab > TAB_AUTOCORRECT) return {};
  return {call(savers[tab], {save, save_as})};
}

std::vector<int64_t> list_tab_flags(int tab) {
  if (tab < TAB_DICTIONARY || tab > TAB_AUTOCORRECT) return {};
  std::vector<int64_t> flags(4, 0);
  flags[static_cast<size_t>(tab)] = 1;
  return flags;
}

menu_action menu_action_for(int item, int tab) {
  if (menu_item_not_coded(item)) return kind_only(menu_action_kind::not_coded);
  if (item >= MENU_RECENT_FIRST && item <= MENU_RECENT_LAST) {
    menu_action a = calls_action(loader_calls(tab, u""), true);
    a.kind = menu_action_kind::recent_file;
    a.recent_index = item - MENU_RECENT_FIRST + 1;
    return a;
  }
  switch (item) {
    case MENU_OPEN: return calls_action(loader_calls(tab, u""), true);
    case MENU_SAVE: return calls_action(saver_calls(tab, 1, 0), true);
    case MENU_SAVE_AS: return calls_action(saver_calls(tab, 0, 1), true);
    case MENU_IMPORT_PROFILE: return one_call("import_profile");
    case MENU_EXPORT_PROFILE: return one_call("export_profile");
    case MENU_OPEN_EXTENSION: return kind_only(menu_action_kind::open_extension);
    case MENU_EXIT: return kind_only(menu_action_kind::exit);
    // The decode cache is rebuilt with the controls off; the window then
    // disables window 0 itself.
    case MENU_AFF_VALIDATE:
      return calls_action({call("disable_main_controls"), call("rebuild_aff_decode_cache"),
                           call("refresh_control_states"), call("show_aff_validate_window")});
    case MENU_DICTIONARY_BULK_IMPORT: return one_call("show_bulk_import_window", {1});
    case MENU_IMPORT_POSSESSIVES: return one_call("show_possessive_names_window");
    case MENU_PROPER_NAMES: return one_call("extract_proper_names");
    case MENU_GBZA_VARIANTS: return one_call("show_gbza_variant_window");
    case MENU_EXTRACT_ALL_TXT: return one_call("extract_dictionary_wordlist", {0}, true);
    case MENU_EXTRACT_ALL_CSV: return one_call("extract_dictionary_wordlist", {1}, true);
    case MENU_EXTRACT_COMPOUNDS_TXT: return one_call("extract_dictionary_wordlist", {2}, true);
    case MENU_EXTRACT_COMPOUNDS_LT: return one_call("extract_dictionary_wordlist", {6}, true);
    case MENU_EXTRACT_BY_TAGS: return one_call("extract_words_by_postag");
    case MENU_DICTIONARY_DUPLICATES: return one_call("show_dictionary_duplicates_window");
    case MENU_WORDLIST_DUPLICATES: return one_call("show_duplicates_wordlist", {}, true);
    case MENU_STATISTICS: return one_call("show_dictionary_statistics", {}, true);
    case MENU_SORT_FLAGS: return one_call("sort_dictionary_word_flags", {}, true);
    case MENU_SORT_AFF_TAGS: return one_call("sort_aff_tags", {}, true);
    case MENU_REMOVE_COMMENTS: return one_call("remove_dictionary_word_comments", {}, true);
    case MENU_CRUNCH: return one_call("show_crunch_words_window");
    case MENU_DICTIONARY_FIX_SPACES: return one_call("fix_dictionary_word_spaces", {}, true);
    case MENU_THESAURUS_BULK_IMPORT: return one_call("show_bulk_import_window", {2});
    case MENU_EXTRACT_SYNONYMS_TXT: return one_call("extract_thesaurus_to_file", {0}, true);
    case MENU_EXTRACT_SYNONYMS_BOOK: return one_call("extract_thesaurus_to_file", {1}, true);
    case MENU_COMBINE_MEANINGS: return one_call("combine_synonyms");
    case MENU_THESAURUS_DUPLICATES: return one_call("show_thesaurus_duplicates_window");
    case MENU_CLEAN_SYMBOLS: return one_call("clean_thesaurus_symbols");
    case MENU_THESAURUS_FIX_SPACES: return one_call("fix_thesaurus_spaces", {}, true);
    case MENU_SORT_MEANINGS: return one_call("sort_or_unduplicate_meanings", {1, 0});
    case MENU_DEDUPLICATE_MEANINGS: return one_call("sort_or_unduplicate_meanings", {0, 1});
    case MENU_SORT_ON_NUMBERS: return one_call("sort_thesaurus_by_meaning_count", {}, true);
    case MENU_AC_VALIDATE:
      return calls_action({call("disable_main_controls"), call("rebuild_aff_decode_cache"),
                           call("refresh_control_states"), call("show_autocorrect_validate_window")});
    case MENU_AUTOCORRECT_BULK_IMPORT: return one_call("show_bulk_import_window", {3});
    case MENU_EXTRACT_AUTOCORRECTS: return one_call("extract_autocorrect_list_to_file", {}, true);
    case MENU_CLEAN_HEX_SYMBOLS: return one_call("clean_autocorrect_hex_symbols");
    case MENU_AUTOCORRECT_DUPLICATES: return one_call("show_autocorrect_duplicates_window");
    case MENU_AUTOCORRECT_FIX_SPACES: return one_call("fix_autocorrect_spaces", {}, true);
    case MENU_BULK_IMPORT_MULTIWORDS: return one_call("show_bulk_import_window", {4});
    case MENU_POS_ADDED: return one_call("extract_pos_words_to_file", {1}, true);
    case MENU_POS_SPELLING: return one_call("extract_pos_words_to_file", {2}, true);
    case MENU_POS_SETTINGS: return one_call("show_pos_settings_window");
    case MENU_RULES_STRUCTURE: return one_call("export_grammar_structure", {1}, true);
    case MENU_RULES_STRUCTURE_PLAIN: return one_call("export_grammar_structure", {0}, true);
    case MENU_SORT_SMALL_WORDLIST: return one_call("show_bulk_import_window", {5});
    case MENU_DEDUPLICATE_SMALL_WORDLIST: return one_call("show_bulk_import_window", {6});
    case MENU_CONVERT_XML_ACCENTS: return one_call("show_bulk_import_window", {7});
    case MENU_MASTER_WORDLIST: return one_call("show_master_wordlist_window");
    case MENU_PREFERENCES: return one_call("show_preferences_window");
    case MENU_CHECK_UPDATES: return one_call("run_update_check", {0});
    case MENU_HTML_HELP: return one_call("open_manual_page");
    case MENU_ABOUT: return one_call("show_about_window");
    case MENU_RECENT_CLEAR: return kind_only(menu_action_kind::clear_recent_files);
    default: return menu_action{};
  }
}

shortcut_action shortcut_action_for(int shortcut, int tab) {
  shortcut_action a;
  const bool editable_list = tab == TAB_DICTIONARY || tab == TAB_THESAURUS || tab == TAB_AUTOCORRECT;
  auto calls = [&a](dispatch_calls c) {
    if (c.empty()) return;
    a.kind = shortcut_action_kind::calls;
    a.calls = std::move(c);
  };
  switch (shortcut) {
    case SHORTCUT_DELETE:
      if (tab == TAB_DICTIONARY) calls({call("delete_current_dictionary_word", {0})});
      if (tab == TAB_THESAURUS) calls({call("delete_current_synonym", {0})});
      if (tab == TAB_AUTOCORRECT) calls({call("delete_current_autocorrect", {0})});
      break;
    case SHORTCUT_FIND:
      if (tab <= TAB_AUTOCORRECT && tab >= 0) calls({call("show_find_window", list_tab_flags(tab))});
      break;
    case SHORTCUT_OPEN:
    case SHORTCUT_SAVE:
    case SHORTCUT_SAVE_AS:
      a.kind = shortcut_action_kind::post_gadget;
      a.object = shortcut == SHORTCUT_OPEN ? TOOLBAR_OPEN : shortcut == SHORTCUT_SAVE ? TOOLBAR_SAVE : TOOLBAR_SAVE_AS;
      break;
    case SHORTCUT_QUIT:
      a.kind = shortcut_action_kind::post_menu;
      a.object = MENU_EXIT;
      break;
    case SHORTCUT_SELECT_ADD:
      if (tab == TAB_DICTIONARY) calls({call("edit_dictionary_word", {1, 0})});
      if (tab == TAB_THESAURUS) calls({call("edit_synonym", {1, 0})});
      if (tab == TAB_AUTOCORRECT) calls({call("edit_autocorrect_word", {1, 0})});
      break;
    // Ctrl+Tab stops at the Autocorrect tab; from the AutoText tab it still
    // reaches the last tab, beyond which there is none.
    case SHORTCUT_NEXT_TAB:
      if (tab != TAB_AUTOCORRECT && tab + 1 < TAB_COUNT && tab >= 0) {
        a.kind = shortcut_action_kind::show_tab;
        a.object = tab + 1;
      }
      break;
    case SHORTCUT_PREVIOUS_TAB:
      if (tab > TAB_DICTIONARY && tab < TAB_COUNT) {
        a.kind = shortcut_action_kind::show_tab;
        a.object = tab - 1;
      }
      break;
    case SHORTCUT_GOTO:
      if (tab <= TAB_AUTOCORRECT && tab >= 0) {
        std::vector<int64_t> flags = list_tab_flags(tab);
        flags.push_back(0);  // not from AFF Validate
        calls({call("show_goto_dialog", flags)});
      }
      break;
    case SHORTCUT_UNDO:
    case SHORTCUT_REDO:
      if (editable_list) {
        a.kind = shortcut == SHORTCUT_UNDO ? shortcut_action_kind::undo : shortcut_action_kind::redo;
        a.object = tab;
        a.pause_ms = 250;
      }
      break;
    case SHORTCUT_HELP: calls({call("open_manual_page")}); break;
    default: break;
  }
  return a;
}
