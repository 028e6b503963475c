// Which numbers each window owns.
//
// Gadgets, menus and menu items share one number space (an event carries the
// object's number whatever its kind), so every window gets blocks of that
// space, and the ids that arrive as menu events (menu items and the keyboard
// shortcuts, which post menu events with their id) get a table of their own.
// The compiler checks that no two blocks of a table share a number; each
// window's header checks that its gadgets lie in its blocks:
//   static_assert(ids_in_block(PREFERENCES_BLOCK, {HINT_ICON, AC_LABEL}));
// A new window takes the block the numbers of its window leave it, and adds
// it to object_blocks.
#pragma once

#include "kit/ids.h"

#include <array>
#include <cstddef>
#include <initializer_list>

struct id_block {
  int window;  // the owner (the main window owns the main menus and popups)
  int first;
  int size;
  constexpr int last() const { return first + size - 1; }
  constexpr bool holds(int id) const { return id >= first && id <= last(); }
};

constexpr bool blocks_overlap(const id_block& a, const id_block& b) {
  return a.first <= b.last() && b.first <= a.last();
}

// The first two blocks of a table that share a number (by index), or {-1, -1}.
struct id_block_clash {
  int first = -1;
  int second = -1;
  constexpr bool found() const { return first >= 0; }
};

template <size_t N>
constexpr id_block_clash find_block_clash(const std::array<id_block, N>& blocks) {
  for (size_t i = 0; i < N; ++i) {
    if (blocks[i].size <= 0) return {static_cast<int>(i), static_cast<int>(i)};
    for (size_t j = i + 1; j < N; ++j) {
      if (blocks_overlap(blocks[i], blocks[j])) return {static_cast<int>(i), static_cast<int>(j)};
    }
  }
  return {};
}

constexpr bool ids_in_block(const id_block& block, std::initializer_list<int> ids) {
  for (int id : ids) {
    if (!block.holds(id)) return false;
  }
  return true;
}

// ---- Gadgets, menus and menu items ------------------------------------------------------
// Footer, menu bar 6 and its items (7..123, the toolbar and panel 100 and
// status bar 101 between them) and the Dictionary tab.
constexpr id_block MAIN_WINDOW_BLOCK{MAIN_WINDOW, 1, 152};
// The word editor's special-flag images and FLAG-mode image.
constexpr id_block WORD_EDITOR_FLAGS_BLOCK{ENTRY_EDITOR_WINDOW, 153, 7};
// Tabs 1 to 5 and the Hyphenation results popup 217.
constexpr id_block MAIN_WINDOW_TABS_BLOCK{MAIN_WINDOW, 160, 163};
constexpr id_block PREFERENCES_BLOCK{PREFERENCES_WINDOW, 323, 59};
constexpr id_block ABOUT_BLOCK{ABOUT_WINDOW, 382, 30};
constexpr id_block FIND_BLOCK{FIND_WINDOW, 412, 16};
// The word, synonym and autocorrect editors (popup 482 included).
constexpr id_block ENTRY_EDITOR_BLOCK{ENTRY_EDITOR_WINDOW, 428, 70};
constexpr id_block GOTO_BLOCK{GOTO_WINDOW, 498, 4};
constexpr id_block MAIN_LIST_POPUP_BLOCK{MAIN_WINDOW, 502, 11};
constexpr id_block AFF_VALIDATE_POPUP_BLOCK{AFF_VALIDATE_WINDOW, 513, 10};
constexpr id_block DUPLICATES_BLOCK{DUPLICATES_WINDOW, 523, 11};
constexpr id_block STATISTICS_BLOCK{STATISTICS_WINDOW, 534, 27};  // popup 557 included
constexpr id_block STATISTICS_WORDS_BLOCK{STATISTICS_WORDS_WINDOW, 561, 10};
constexpr id_block CLEAN_SYMBOLS_BLOCK{CLEAN_SYMBOLS_WINDOW, 571, 6};
constexpr id_block DICTIONARY_DUPLICATES_BLOCK{DICTIONARY_DUPLICATES_WINDOW, 577, 25};
constexpr id_block GBZA_VARIANT_BLOCK{GBZA_VARIANT_WINDOW, 602, 35};
constexpr id_block MASTER_WORDLIST_BLOCK{MASTER_WORDLIST_WINDOW, 637, 52};  // popup 683 included
constexpr id_block UPDATE_BLOCK{UPDATE_WINDOW, 689, 18};
constexpr id_block POSSESSIVE_NAMES_BLOCK{POSSESSIVE_NAMES_WINDOW, 707, 20};
constexpr id_block BULK_IMPORT_BLOCK{BULK_IMPORT_WINDOW, 727, 25};
constexpr id_block AFF_VALIDATE_BLOCK{AFF_VALIDATE_WINDOW, 752, 34};  // dialog 779 included
constexpr id_block AC_VALIDATE_BLOCK{AC_VALIDATE_WINDOW, 786, 13};
constexpr id_block POS_SETTINGS_BLOCK{POS_SETTINGS_WINDOW, 799, 25};  // popup 814 included
constexpr id_block POS_RULE_BLOCK{POS_RULE_WINDOW, 824, 9};
constexpr id_block CRUNCH_BLOCK{CRUNCH_WINDOW, 833, 37};
constexpr id_block POSTAG_SEARCH_BLOCK{POSTAG_SEARCH_WINDOW, 870, 10};
constexpr id_block PROPER_NAMES_BLOCK{PROPER_NAMES_WINDOW, 880, 4};
// The AFF Validate window's button that saves its report.
constexpr id_block AFF_VALIDATE_REPORT_BLOCK{AFF_VALIDATE_WINDOW, 884, 1};
// Menu bar 3000 and status bar 3000 of the screen-measuring window.
constexpr id_block SCREEN_MEASURE_BLOCK{SCREEN_MEASURE_WINDOW, 3000, 1};

constexpr std::array object_blocks{
    MAIN_WINDOW_BLOCK,      WORD_EDITOR_FLAGS_BLOCK, MAIN_WINDOW_TABS_BLOCK,   PREFERENCES_BLOCK,
    ABOUT_BLOCK,            FIND_BLOCK,              ENTRY_EDITOR_BLOCK,       GOTO_BLOCK,
    MAIN_LIST_POPUP_BLOCK,  AFF_VALIDATE_POPUP_BLOCK, DUPLICATES_BLOCK,        STATISTICS_BLOCK,
    STATISTICS_WORDS_BLOCK, CLEAN_SYMBOLS_BLOCK,     DICTIONARY_DUPLICATES_BLOCK, GBZA_VARIANT_BLOCK,
    MASTER_WORDLIST_BLOCK,  UPDATE_BLOCK,            POSSESSIVE_NAMES_BLOCK,   BULK_IMPORT_BLOCK,
    AFF_VALIDATE_BLOCK,     AC_VALIDATE_BLOCK,       POS_SETTINGS_BLOCK,       POS_RULE_BLOCK,
    CRUNCH_BLOCK,           POSTAG_SEARCH_BLOCK,     PROPER_NAMES_BLOCK,       SCREEN_MEASURE_BLOCK,
    AFF_VALIDATE_REPORT_BLOCK,
};
static_assert(!find_block_clash(object_blocks).found(), "two windows' blocks share gadget numbers");

// ---- Ids of menu events: menu items and keyboard shortcuts ------------------------------
constexpr id_block MAIN_MENU_ITEMS_BLOCK{MAIN_WINDOW, MENU_OPEN - 1, MENU_RECENT_EXTENSION_CLEAR - MENU_OPEN + 2};
constexpr id_block HYPHENATION_POPUP_ITEMS_BLOCK{MAIN_WINDOW, POPUP_HYPHENATION_MENU, 4};
constexpr id_block WORD_EDITOR_POPUP_ITEMS_BLOCK{ENTRY_EDITOR_WINDOW, 482, 7};
constexpr id_block MAIN_LIST_POPUP_ITEMS_BLOCK{MAIN_WINDOW, POPUP_LIST_MENU, 11};
constexpr id_block AFF_VALIDATE_POPUP_ITEMS_BLOCK{AFF_VALIDATE_WINDOW, 513, 10};
constexpr id_block STATISTICS_POPUP_ITEMS_BLOCK{STATISTICS_WINDOW, 557, 4};
constexpr id_block FIND_POPUP_ITEMS_BLOCK{FIND_WINDOW, 426, 2};
constexpr id_block MASTER_WORDLIST_POPUP_ITEMS_BLOCK{MASTER_WORDLIST_WINDOW, 683, 6};
constexpr id_block POS_RULE_POPUP_ITEMS_BLOCK{POS_SETTINGS_WINDOW, 814, 10};
constexpr id_block SCREEN_MEASURE_MENU_BLOCK{SCREEN_MEASURE_WINDOW, 3000, 1};
// Every window binds its keys to ids of this one block (F1 is 1004 in some
// windows and 1020 in others; a window's ids are read with its window).
constexpr id_block SHORTCUT_BLOCK{-1, SHORTCUT_ESCAPE, SHORTCUT_HELP - SHORTCUT_ESCAPE + 1};

constexpr std::array menu_event_blocks{
    MAIN_MENU_ITEMS_BLOCK,          HYPHENATION_POPUP_ITEMS_BLOCK,     WORD_EDITOR_POPUP_ITEMS_BLOCK,
    MAIN_LIST_POPUP_ITEMS_BLOCK,    AFF_VALIDATE_POPUP_ITEMS_BLOCK,    STATISTICS_POPUP_ITEMS_BLOCK,
    MASTER_WORDLIST_POPUP_ITEMS_BLOCK, POS_RULE_POPUP_ITEMS_BLOCK,     SCREEN_MEASURE_MENU_BLOCK,
    FIND_POPUP_ITEMS_BLOCK,         SHORTCUT_BLOCK,
};
static_assert(!find_block_clash(menu_event_blocks).found(), "a menu item and a shortcut share an id");

// A menu is an object of its window: its items lie in one of the window's blocks.
template <size_t N>
constexpr bool menus_inside_their_windows(const std::array<id_block, N>& menus) {
  for (const id_block& menu : menus) {
    if (menu.window < 0) continue;  // the shortcuts
    bool inside = false;
    for (const id_block& b : object_blocks) {
      if (b.window == menu.window && b.first <= menu.first && menu.last() <= b.last()) inside = true;
    }
    if (!inside) return false;
  }
  return true;
}
static_assert(menus_inside_their_windows(menu_event_blocks), "a menu's items lie outside its window's blocks");

// The main window's own numbers (ids.h) in its blocks.
static_assert(ids_in_block(MAIN_WINDOW_BLOCK, {FOOTER_CONTAINER, MAIN_MENU, TOOLBAR_CONTAINER, MAIN_STATUS_BAR,
                                               DICTIONARY_LIST, DICTIONARY_SELECTED_LABEL}));
static_assert(ids_in_block(MAIN_WINDOW_TABS_BLOCK, {THESAURUS_LIST, POPUP_HYPHENATION_MENU, POPUP_COPY_WORD_AND_RULE,
                                                    GRAMMAR_VIEW_GO_TOP}));
static_assert(ids_in_block(MAIN_LIST_POPUP_BLOCK, {POPUP_LIST_MENU, POPUP_DELETE_CURRENT}));
static_assert(ids_in_block(SHORTCUT_BLOCK, {SHORTCUT_ESCAPE, SHORTCUT_HELP}));
