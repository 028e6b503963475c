// The POS settings window (LanguageTool Tools > Extract > "POS settings"):
// the POS rules of each language in a list with check boxes, the rule dialog,
// and the two settings files. Edits change the table at once; Cancel takes
// them back.
#pragma once

#include "common/text.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"
#include "tools/pos_rules.h"

// Windows, gadgets and menu items of the window and its rule dialog.
namespace pos_settings_ids {
constexpr int WINDOW = 799;
constexpr int LANGUAGE_LABEL = 800;
constexpr int LANGUAGE_COMBO = 801;
constexpr int RULE_LIST = 802;
constexpr int REMEMBER = 803;
constexpr int ADD = 804;
constexpr int EDIT = 805;
constexpr int DELETE = 806;
constexpr int GO_BOTTOM = 807;
constexpr int GO_TOP = 808;
constexpr int OK = 809;
constexpr int CANCEL = 810;
constexpr int SAVE = 811;
constexpr int FOUND_LABEL = 812;
constexpr int SELECTED_LABEL = 813;
constexpr int RULE_POPUP = 814;
constexpr int ITEM_ADD_ABOVE = 815;
constexpr int ITEM_ADD_BELOW = 816;
constexpr int ITEM_EDIT = 817;
constexpr int ITEM_CLONE_BELOW = 818;
constexpr int ITEM_SELECT_ALL = 819;
constexpr int ITEM_SELECT_NONE = 820;
constexpr int ITEM_INVERT = 821;
constexpr int ITEM_DELETE_SELECTED = 822;
constexpr int ITEM_DELETE = 823;
constexpr int RULE_WINDOW = 824;
constexpr int RULE_SOURCE = 826;
constexpr int RULE_TARGET = 828;
constexpr int RULE_COMMENT = 830;
constexpr int RULE_OK = 831;
constexpr int RULE_CANCEL = 832;
// Shortcut ids on the two windows.
constexpr int KEY_ID_ESCAPE = 1000;
constexpr int KEY_ID_DELETE = 1001;
constexpr int KEY_ID_RETURN = 1003;
constexpr int KEY_ID_HELP = 1004;
constexpr int KEY_ID_ADD = 1014;
}  // namespace pos_settings_ids

// Edits tables; Cancel puts them back as they were. The window is laid out
// for the resolution.
void show_pos_settings_window(pos_rule_tables& tables, text_view resolution);
// The rule dialog with a rule (source LF target LF comment); the edited rule,
// or "" when it was cancelled.
text_t show_pos_rule_dialog(const text_t& rule);
// Menu items 74 and 75 name the chosen language; they are set only when the
// name they show differs.
void update_pos_menu_items(const pos_rule_tables& tables);

void register_pos_settings_commands(pos_rule_tables& tables, const preferences& prefs, tool_registry& tools);
