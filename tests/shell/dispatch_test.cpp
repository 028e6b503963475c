// The dispatch tables of the main window: menu items, shortcuts, buttons
// and popup items by tab, and the enabled state of the controls.
#include "shell/control_states.h"
#include "shell/gadget_dispatch.h"
#include "shell/menu_dispatch.h"
#include "shell/shell_ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace {

dispatch_call c(std::string name, std::vector<int64_t> numbers = {}, text_t text = {}) {
  return dispatch_call{std::move(name), shell_command_args{std::move(text), std::move(numbers)}};
}

struct menu_case {
  int item;
  int tab;
  dispatch_calls calls;
  bool disables;
};

TEST(MenuDispatch, CommandsByItemAndTab) {
  const menu_case cases[] = {
      {8, 0, {c("load_dictionary")}, true},
      {8, 1, {c("load_thesaurus")}, true},
      {8, 2, {c("load_hyphenation")}, true},
      {8, 3, {c("load_autocorrect_list")}, true},
      {8, 4, {c("load_autotext_list")}, true},
      {8, 5, {c("load_grammar_rules"), c("update_grammar_category_header")}, true},
      {9, 0, {c("save_dictionary", {1, 0})}, true},
      {9, 1, {c("save_thesaurus", {1, 0})}, true},
      {9, 2, {c("save_hyphenation", {1, 0})}, true},
      {9, 3, {c("save_autocorrect_list", {1, 0})}, true},
      {9, 4, {}, true},
      {9, 5, {}, true},
      {10, 0, {c("save_dictionary", {0, 1})}, true},
      {10, 3, {c("save_autocorrect_list", {0, 1})}, true},
      {11, 0, {c("import_profile")}, false},
      {12, 2, {c("export_profile")}, false},
      {18, 0,
       {c("disable_main_controls"), c("rebuild_aff_decode_cache"), c("refresh_control_states"),
        c("show_aff_validate_window")},
       false},
      {19, 0, {c("show_bulk_import_window", {1})}, false},
      {20, 0, {c("show_possessive_names_window")}, false},
      {21, 0, {c("extract_proper_names")}, false},
      {22, 0, {c("show_gbza_variant_window")}, false},
      {24, 0, {c("extract_dictionary_wordlist", {0})}, true},
      {25, 0, {c("extract_dictionary_wordlist", {1})}, true},
      {27, 0, {c("extract_dictionary_wordlist", {2})}, true},
      {28, 0, {c("extract_dictionary_wordlist", {6})}, true},
      {29, 0, {c("extract_words_by_postag")}, false},
      {30, 0, {c("show_dictionary_duplicates_window")}, false},
      {31, 0, {c("show_duplicates_wordlist")}, true},
      {32, 0, {c("show_dictionary_statistics")}, true},
      {33, 0, {c("sort_dictionary_word_flags")}, true},
      {35, 0, {c("sort_aff_tags")}, true},
      {36, 0, {c("remove_dictionary_word_comments")}, true},
      {39, 0, {c("show_crunch_words_window")}, false},
      {40, 0, {c("fix_dictionary_word_spaces")}, true},
      {44, 1, {c("show_bulk_import_window", {2})}, false},
      {45, 1, {c("extract_thesaurus_to_file", {0})}, true},
      {46, 1, {c("extract_thesaurus_to_file", {1})}, true},
      {47, 1, {c("combine_synonyms")}, false},
      {48, 1, {c("show_thesaurus_duplicates_window")}, false},
      {49, 1, {c("clean_thesaurus_symbols")}, false},
      {50, 1, {c("fix_thesaurus_spaces")}, true},
      {51, 1, {c("sort_or_unduplicate_meanings", {1, 0})}, false},
      {52, 1, {c("sort_or_unduplicate_meanings", {0, 1})}, false},
      {53, 1, {c("sort_thesaurus_by_meaning_count")}, true},
      {61, 3,
       {c("disable_main_controls"), c("rebuild_aff_decode_cache"), c("refresh_control_states"),
        c("show_autocorrect_validate_window")},
       false},
      {62, 3, {c("show_bulk_import_window", {3})}, false},
      {63, 3, {c("extract_autocorrect_list_to_file")}, true},
      {64, 3, {c("clean_autocorrect_hex_symbols")}, false},
      {65, 3, {c("show_autocorrect_duplicates_window")}, false},
      {66, 3, {c("fix_autocorrect_spaces")}, true},
      {73, 5, {c("show_bulk_import_window", {4})}, false},
      {74, 5, {c("extract_pos_words_to_file", {1})}, true},
      {75, 5, {c("extract_pos_words_to_file", {2})}, true},
      {76, 5, {c("show_pos_settings_window")}, false},
      {77, 5, {c("export_grammar_structure", {1})}, true},
      {78, 5, {c("export_grammar_structure", {0})}, true},
      {82, 0, {c("show_bulk_import_window", {5})}, false},
      {86, 0, {c("show_bulk_import_window", {6})}, false},
      {84, 0, {c("show_bulk_import_window", {7})}, false},
      {85, 0, {c("show_master_wordlist_window")}, false},
      {90, 0, {c("show_preferences_window")}, false},
      {91, 0, {c("run_update_check", {0})}, false},
      {92, 0, {c("open_manual_page")}, false},
      {93, 0, {c("show_about_window")}, false},
  };
  for (const menu_case& k : cases) {
    SCOPED_TRACE("item " + std::to_string(k.item) + " tab " + std::to_string(k.tab));
    const menu_action a = menu_action_for(k.item, k.tab);
    EXPECT_EQ(a.kind, menu_action_kind::calls);
    EXPECT_EQ(a.calls, k.calls);
    EXPECT_EQ(a.disables_controls, k.disables);
  }
}

TEST(MenuDispatch, ItemsWithoutCommandsAndSpecialItems) {
  const std::set<int> not_coded = {23, 34, 37, 38, 43, 54, 57, 58, 69, 70, 79, 83, 87, 89};
  const std::set<int> nothing = {14, 15, 17, 26, 41, 42, 55, 56, 59, 60, 67, 68, 71, 72, 80, 81, 88,
                                 94, 95, 96, 97, 98, 99, 100, 101, 113, 114, 120, 122, 123, 7, 0, -1, 124};
  for (int item = -1; item <= 124; ++item) {
    SCOPED_TRACE("item " + std::to_string(item));
    const menu_action a = menu_action_for(item, 0);
    if (not_coded.count(item)) {
      EXPECT_EQ(a.kind, menu_action_kind::not_coded);
    }
    if (nothing.count(item)) {
      EXPECT_EQ(a.kind, menu_action_kind::nothing);
      EXPECT_TRUE(a.calls.empty());
    }
  }
  EXPECT_EQ(menu_action_for(13, 2).kind, menu_action_kind::open_extension);
  EXPECT_EQ(menu_action_for(16, 4).kind, menu_action_kind::exit);
  EXPECT_EQ(menu_action_for(112, 1).kind, menu_action_kind::clear_recent_files);
}

TEST(MenuDispatch, RecentFilesLoadTheShownTabsEntry) {
  // Entry 3 on the Thesaurus tab is the thesaurus list's third entry.
  const menu_action a = menu_action_for(104, 1);
  EXPECT_EQ(a.kind, menu_action_kind::recent_file);
  EXPECT_EQ(a.recent_index, 3);
  EXPECT_TRUE(a.disables_controls);
  EXPECT_EQ(a.calls, (dispatch_calls{c("load_thesaurus")}));
  EXPECT_EQ(menu_action_for(102, 0).recent_index, 1);
  EXPECT_EQ(menu_action_for(111, 5).recent_index, 10);
  EXPECT_EQ(menu_action_for(111, 5).calls.back(), c("update_grammar_category_header"));
}

struct shortcut_case {
  int shortcut;
  int tab;
  shortcut_action_kind kind;
  int object;
  dispatch_calls calls;
};

TEST(ShortcutDispatch, EffectsByTab) {
  using k = shortcut_action_kind;
  const shortcut_case cases[] = {
      {1001, 0, k::calls, 0, {c("delete_current_dictionary_word", {0})}},
      {1001, 1, k::calls, 0, {c("delete_current_synonym", {0})}},
      {1001, 3, k::calls, 0, {c("delete_current_autocorrect", {0})}},
      {1001, 2, k::nothing, 0, {}},
      {1001, 4, k::nothing, 0, {}},
      {1002, 0, k::calls, 0, {c("show_find_window", {1, 0, 0, 0})}},
      {1002, 2, k::calls, 0, {c("show_find_window", {0, 0, 1, 0})}},
      {1002, 3, k::calls, 0, {c("show_find_window", {0, 0, 0, 1})}},
      {1002, 5, k::nothing, 0, {}},
      {1006, 4, k::post_gadget, 96, {}},
      {1007, 0, k::post_gadget, 98, {}},
      {1008, 2, k::post_gadget, 99, {}},
      {1009, 1, k::post_menu, 16, {}},
      {1014, 0, k::calls, 0, {c("edit_dictionary_word", {1, 0})}},
      {1014, 1, k::calls, 0, {c("edit_synonym", {1, 0})}},
      {1014, 3, k::calls, 0, {c("edit_autocorrect_word", {1, 0})}},
      {1014, 2, k::nothing, 0, {}},
      {1017, 1, k::calls, 0, {c("show_goto_dialog", {0, 1, 0, 0, 0})}},
      {1017, 2, k::calls, 0, {c("show_goto_dialog", {0, 0, 1, 0, 0})}},
      {1017, 4, k::nothing, 0, {}},
      {1018, 0, k::undo, 0, {}},
      {1018, 3, k::undo, 3, {}},
      {1018, 2, k::nothing, 0, {}},
      {1019, 1, k::redo, 1, {}},
      {1019, 5, k::nothing, 0, {}},
      {1020, 4, k::calls, 0, {c("open_manual_page")}},
      // Escape, Return and the navigation keys are handled elsewhere.
      {1000, 0, k::nothing, 0, {}},
      {1003, 0, k::nothing, 0, {}},
      {1004, 0, k::nothing, 0, {}},
      {1005, 1, k::nothing, 0, {}},
      {1010, 0, k::nothing, 0, {}},
      {1013, 3, k::nothing, 0, {}},
  };
  for (const shortcut_case& s : cases) {
    SCOPED_TRACE("shortcut " + std::to_string(s.shortcut) + " tab " + std::to_string(s.tab));
    const shortcut_action a = shortcut_action_for(s.shortcut, s.tab);
    EXPECT_EQ(a.kind, s.kind);
    if (s.kind != k::calls && s.kind != k::nothing) {
      EXPECT_EQ(a.object, s.object);
    }
    EXPECT_EQ(a.calls, s.calls);
  }
  // Undo and Redo pause on the list tabs even when there is nothing to undo.
  EXPECT_EQ(shortcut_action_for(1018, 0).pause_ms, 250);
  EXPECT_EQ(shortcut_action_for(1019, 3).pause_ms, 250);
  EXPECT_EQ(shortcut_action_for(1018, 2).pause_ms, 0);
}

TEST(ShortcutDispatch, TabCyclingAtBothEnds) {
  // tab -> tab shown after Ctrl+Tab / Ctrl+Shift+Tab; -1: nothing changes.
  const int next[6] = {1, 2, 3, -1, 5, -1};
  const int previous[6] = {-1, 0, 1, 2, 3, 4};
  for (int tab = 0; tab < 6; ++tab) {
    SCOPED_TRACE("tab " + std::to_string(tab));
    const shortcut_action n = shortcut_action_for(1015, tab);
    const shortcut_action p = shortcut_action_for(1016, tab);
    EXPECT_EQ(n.kind == shortcut_action_kind::show_tab ? n.object : -1, next[tab]);
    EXPECT_EQ(p.kind == shortcut_action_kind::show_tab ? p.object : -1, previous[tab]);
  }
}

struct gadget_case {
  int gadget;
  int tab;
  gadget_action_kind kind;
  dispatch_calls calls;
  int list;
  bool disables;
};

TEST(GadgetDispatch, ButtonsAndToolbar) {
  using k = gadget_action_kind;
  const gadget_case cases[] = {
      {96, 0, k::calls, {c("load_dictionary")}, -1, true},
      {96, 5, k::calls, {c("load_grammar_rules"), c("update_grammar_category_header")}, -1, true},
      {97, 1, k::open_refresh, {c("load_thesaurus")}, -1, true},
      {98, 0, k::calls, {c("save_dictionary", {1, 0})}, -1, true},
      {98, 4, k::calls, {}, -1, true},
      {99, 2, k::calls, {c("save_hyphenation", {0, 1})}, -1, true},
      {127, 0, k::calls, {c("edit_dictionary_word", {1, 0})}, -1, false},
      {128, 0, k::calls, {c("edit_dictionary_word", {0, 1})}, -1, false},
      {129, 0, k::calls, {c("check_all_dictionary_words")}, -1, false},
      {130, 0, k::calls, {c("uncheck_all_dictionary_words")}, -1, false},
      {131, 0, k::calls, {c("invert_dictionary_selection")}, -1, false},
      {132, 0, k::calls, {c("delete_checked_dictionary_words")}, -1, false},
      {133, 0, k::calls, {c("delete_current_dictionary_word", {0})}, -1, false},
      {134, 0, k::erase, {}, 0, true},
      {135, 0, k::sort, {}, 0, true},
      {136, 0, k::calls, {c("show_find_window", {1, 0, 0, 0})}, -1, false},
      {137, 0, k::calls, {c("show_goto_dialog", {1, 0, 0, 0, 0})}, -1, false},
      {138, 0, k::undo, {}, 0, false},
      {139, 0, k::redo, {}, 0, false},
      {140, 0, k::go_bottom, {}, 0, false},
      {141, 0, k::go_top, {}, 0, false},
      {142, 0, k::clear_aff_editor, {}, -1, false},
      {162, 1, k::calls, {c("edit_synonym", {1, 0})}, -1, false},
      {166, 1, k::calls, {c("invert_synonym_selection")}, -1, false},
      {168, 1, k::calls, {c("delete_current_synonym", {0})}, -1, false},
      {169, 1, k::erase, {}, 1, true},
      {170, 1, k::sort, {}, 1, true},
      {171, 1, k::calls, {c("show_find_window", {0, 1, 0, 0})}, -1, false},
      {174, 1, k::redo, {}, 1, false},
      {175, 1, k::go_bottom, {}, 1, false},
      {191, 2, k::calls, {c("hyphenate_word")}, -1, false},
      {192, 2, k::calls, {c("update_hyphenation")}, -1, false},
      {199, 2, k::calls, {c("clear_hyphenation")}, -1, false},
      {193, 2, k::calls, {c("show_find_window", {0, 0, 1, 0})}, -1, false},
      {194, 2, k::calls, {c("show_goto_dialog", {0, 0, 1, 0, 0})}, -1, false},
      {195, 2, k::go_bottom, {}, 2, false},
      {196, 2, k::go_top, {}, 2, false},
      {223, 3, k::calls, {c("edit_autocorrect_word", {1, 0})}, -1, false},
      {226, 3, k::calls, {c("uncheck_all_autocorrects")}, -1, false},
      {227, 3, k::calls, {c("invert_autocorrect_selection")}, -1, false},
      {228, 3, k::calls, {c("delete_checked_autocorrects")}, -1, false},
      {230, 3, k::erase, {}, 3, true},
      {231, 3, k::sort, {}, 3, true},
      {233, 3, k::calls, {c("show_goto_dialog", {0, 0, 0, 1, 0})}, -1, false},
      {234, 3, k::undo, {}, 3, false},
      {237, 3, k::go_top, {}, 3, false},
      {4, 0, k::licence_link, {}, -1, false},
      // Read-only tabs, labels and lists: nothing.
      {248, 4, k::nothing, {}, -1, false},
      {288, 5, k::nothing, {}, -1, false},
      {145, 0, k::nothing, {}, -1, false},
      {124, 0, k::nothing, {}, -1, false},
  };
  for (const gadget_case& g : cases) {
    SCOPED_TRACE("gadget " + std::to_string(g.gadget));
    const gadget_action a = gadget_action_for(g.gadget, g.tab);
    EXPECT_EQ(a.kind, g.kind);
    EXPECT_EQ(a.calls, g.calls);
    if (g.list >= 0) {
      EXPECT_EQ(a.list, g.list);
    }
    EXPECT_EQ(a.disables_controls, g.disables);
  }
  EXPECT_EQ(gadget_action_for(138, 0).pause_ms, 250);
  EXPECT_EQ(gadget_action_for(235, 3).pause_ms, 250);
  EXPECT_TRUE(gadget_action_for(98, 0).only_when_enabled);
  EXPECT_FALSE(gadget_action_for(127, 0).only_when_enabled);
  EXPECT_EQ(gadget_action_for(143, 0).kind, gadget_action_kind::caret_to_end);
  EXPECT_EQ(gadget_action_for(143, 0).editor, AFF_EDITOR);
  EXPECT_EQ(gadget_action_for(198, 2).kind, gadget_action_kind::caret_to_start);
  EXPECT_EQ(gadget_action_for(198, 2).editor, HYPHENATION_EDITOR);
}

TEST(GadgetDispatch, PopupItemsActOnTheOwnerList) {
  using k = gadget_action_kind;
  EXPECT_EQ(popup_action_for(507, 124).calls, (dispatch_calls{c("edit_dictionary_word", {1, 0})}));
  EXPECT_EQ(popup_action_for(503, 160).calls, (dispatch_calls{c("edit_synonym", {0, 1})}));
  EXPECT_EQ(popup_action_for(508, 221).calls, (dispatch_calls{c("check_all_autocorrects")}));
  EXPECT_EQ(popup_action_for(509, 160).calls, (dispatch_calls{c("uncheck_all_synonyms")}));
  EXPECT_EQ(popup_action_for(510, 124).calls, (dispatch_calls{c("invert_dictionary_selection")}));
  EXPECT_EQ(popup_action_for(511, 221).calls, (dispatch_calls{c("delete_checked_autocorrects")}));
  EXPECT_EQ(popup_action_for(512, 160).calls, (dispatch_calls{c("delete_current_synonym", {0})}));
  EXPECT_EQ(popup_action_for(504, 221).kind, k::clone);
  EXPECT_EQ(popup_action_for(504, 221).list, 3);
  EXPECT_EQ(popup_action_for(505, 124).kind, k::nothing);
  EXPECT_EQ(popup_action_for(506, 124).kind, k::nothing);
  // No owner (the popup was not opened on a list): nothing.
  EXPECT_EQ(popup_action_for(503, 0).kind, k::nothing);
  EXPECT_EQ(popup_action_for(503, 185).kind, k::nothing);
}

// ---- Control states ----------------------------------------------------------------

std::map<int, bool> as_map(const std::vector<control_state>& states) {
  std::map<int, bool> m;
  for (const control_state& s : states) m[s.number] = s.enabled;
  return m;
}

struct state_case {
  const char* what;
  main_controls_input in;
  // Expected: number -> enabled; gadgets then menu items.
  std::map<int, bool> gadgets;
  std::map<int, bool> items;
};

main_controls_input input(int tab) {
  main_controls_input in;
  in.tab = tab;
  return in;
}

TEST(ControlStates, ByDocumentState) {
  main_controls_input fresh = input(0);
  main_controls_input dictionary_open = input(0);
  dictionary_open.count[0] = 5;
  dictionary_open.undo_available[0] = true;
  dictionary_open.no_file[0] = false;
  main_controls_input thesaurus_redo = input(1);
  thesaurus_redo.count[1] = 2;
  thesaurus_redo.redo_available[1] = true;
  thesaurus_redo.count[0] = 5;  // the dictionary's count does not matter on tab 1
  main_controls_input hyphenation_text = input(2);
  hyphenation_text.hyphenation_editor_empty = false;
  main_controls_input autotext = input(4);
  autotext.count[4] = 9;
  autotext.no_file[4] = false;

  const state_case cases[] = {
      {"fresh start on the Dictionary tab", fresh,
       {{100, true}, {96, true}, {97, false}, {98, false}, {99, false}, {124, true}, {126, true}, {127, true},
        {137, true}, {138, false}, {139, false}, {140, true}, {144, true}, {173, false}, {174, false}, {192, true},
        {199, true}, {234, false}, {245, true}, {247, true}, {248, false}, {262, false}, {278, false}, {283, false},
        {284, true}, {287, true}, {288, false}, {302, false}},
       {{8, true}, {9, false}, {10, false}, {11, true}, {12, true}, {13, true}, {14, false}, {15, false}, {16, true},
        {18, true}, {40, true}, {43, false}, {57, false}, {61, false}, {69, false}, {73, false}, {82, true},
        {87, true}, {89, true}, {93, true}}},
      {"a dictionary with an undo", dictionary_open,
       {{97, true}, {98, true}, {99, true}, {138, true}, {139, false}},
       {{9, true}, {10, true}, {18, true}}},
      {"a thesaurus with a redo", thesaurus_redo,
       {{97, false}, {98, true}, {138, false}, {173, false}, {174, true}},
       {{9, true}, {18, false}, {43, true}, {54, true}, {61, false}}},
      {"pattern text on the Hyphenation tab", hyphenation_text,
       {{98, true}, {99, true}, {97, false}},
       {{9, true}, {57, true}, {58, true}, {44, false}}},
      {"an AutoText list (read only)", autotext,
       {{97, true}, {98, false}, {99, false}, {248, false}},
       {{9, false}, {10, false}, {69, true}, {70, true}, {73, false}, {18, false}}},
  };
  for (const state_case& k : cases) {
    SCOPED_TRACE(k.what);
    const main_control_states s = compute_control_states(k.in);
    const auto gadgets = as_map(s.gadgets);
    const auto items = as_map(s.menu_items);
    for (const auto& [number, enabled] : k.gadgets) {
      ASSERT_TRUE(gadgets.count(number)) << "gadget " << number;
      EXPECT_EQ(gadgets.at(number), enabled) << "gadget " << number;
    }
    for (const auto& [number, enabled] : k.items) {
      ASSERT_TRUE(items.count(number)) << "item " << number;
      EXPECT_EQ(items.at(number), enabled) << "item " << number;
    }
  }
}

TEST(ControlStates, EveryDisabledControlComesBack) {
  // Every control that disable_main_controls turns off is set again by the
  // refresh, except the read-only tabs' buttons that stay off anyway and the
  // Grammar view buttons that are never enabled.
  const main_control_states s = compute_control_states(input(0));
  const auto gadgets = as_map(s.gadgets);
  const auto items = as_map(s.menu_items);
  for (int g : main_command_gadgets()) {
    if (g >= 317 && g <= 322) {
      EXPECT_EQ(gadgets.count(g), 0u) << g;
      continue;
    }
    EXPECT_EQ(gadgets.count(g), 1u) << "gadget " << g;
  }
  // Menu items the refresh leaves alone are the ones the menu bar does not have.
  const std::set<int> absent = {17, 41, 42, 55, 56, 59, 60, 67, 68, 71, 72, 80, 81, 88};
  for (int item : main_command_menu_items()) {
    if (absent.count(item)) continue;
    EXPECT_EQ(items.count(item), 1u) << "item " << item;
  }
  EXPECT_EQ(main_command_menu_items().front(), 8);
  EXPECT_EQ(main_command_menu_items().back(), 93);
  EXPECT_EQ(gadgets.count(189), 0u);  // the "Word:" label is not a control
}

}  // namespace
