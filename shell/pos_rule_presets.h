// The built-in POS rules, the table's content before extract_pos_lists.prefs
// is read at start-up.
#pragma once

// Names, counts and rules of the three built-in languages: "Other" (none),
// "Portuguese" (23) and "English" (27).
void init_pos_rule_presets();
