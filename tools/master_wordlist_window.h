// The "Words missing in Master Wordlist" window: a Master word list and up
// to nine other lists in a checked list, the six-step comparison
// (tools/master_wordlist.h) and the three saves of the missing words.
#pragma once

#include "kit/tool_registry.h"

#include "kit/id_blocks.h"
#include "kit/preferences.h"

namespace master_wordlist_ids {
constexpr int WINDOW = MASTER_WORDLIST_WINDOW;
constexpr int ADD_MASTER = 638, ADD_OTHERS = 639, PROCESS = 640;
constexpr int SAVE_ALL = 641, SAVE_HYPHENATED = 642, SAVE_UPPERCASE = 643, CLOSE = 644;
constexpr int FILE_LIST = 645, SELECTED_LABEL = 646;
constexpr int SELECT_ALL = 647, SELECT_NONE = 648, INVERT = 649, DELETE_CHECKED = 650, DELETE_CURRENT = 651;
constexpr int TOTAL_LABEL = 652, MISSING_LABEL = 653, HYPHENATED_LABEL = 654, UPPERCASE_LABEL = 655,
              FILES_SIZE_LABEL = 656;
constexpr int PROGRESS = 657, TIME_LABEL = 658, ESCAPE_LABEL = 659, PROCESSING_LABEL = 660;
constexpr int STEP_ICON_FIRST = 661, STEP_LABEL_FIRST = 667, STEP_STATE_FIRST = 673;  // + step - 1
constexpr int LIMIT_ICON = 679, LIMIT_LABEL = 680, ABOUT_ICON = 681, ABOUT_LABEL = 682;
constexpr int POPUP = 683, ITEM_SELECT_ALL = 684, ITEM_SELECT_NONE = 685, ITEM_INVERT = 686,
              ITEM_DELETE_CHECKED = 687, ITEM_DELETE_CURRENT = 688;
static_assert(ids_in_block(MASTER_WORDLIST_BLOCK, {ADD_MASTER, PROCESS, SAVE_UPPERCASE, CLOSE, FILE_LIST,
                                                   DELETE_CURRENT, FILES_SIZE_LABEL, PROCESSING_LABEL,
                                                   STEP_STATE_FIRST + 5, ABOUT_LABEL, ITEM_DELETE_CURRENT}));
static_assert(ids_in_block(MASTER_WORDLIST_POPUP_ITEMS_BLOCK, {ITEM_SELECT_ALL, ITEM_DELETE_CURRENT}));
}  // namespace master_wordlist_ids

void show_master_wordlist_window(const preferences& prefs);
void register_master_wordlist_commands(const preferences& prefs, tool_registry& tools);
