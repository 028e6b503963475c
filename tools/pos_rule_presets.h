// The built-in POS rules, the table's content before extract_pos_lists.prefs
// is read at start-up.
#pragma once

#include "tools/pos_rules.h"

// Sizes and empties the tables, then fills the names, counts and rules of the
// three built-in languages: "Other" (none), "Portuguese" (23) and "English"
// (27).
void fill_pos_rule_presets(pos_rule_tables& tables);
