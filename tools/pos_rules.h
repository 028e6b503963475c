// POS rules: each maps the tag part a dictionary entry carries (the source,
// e.g. "[CAT=np,G=f,SEM=p]") to LanguageTool's tag (the target, e.g.
// "NPFS000"), with a comment. The table itself (names, counts, rules at
// indexes 1..count, at most POS_RULE_MAX per language) lives with the other
// settings in shell/settings_files.h and is filled with the built-in presets
// by shell/pos_rule_presets.h; this file edits one language's rules and writes the two settings files.
#pragma once

#include "common/text.h"
#include "shell/pos_rule_presets.h"
#include "shell/settings_files.h"

#include <cstdint>
#include <vector>

struct pos_rule_parts {
  text_t source;
  text_t target;
  text_t comment;
};
// A rule is source + LF + target + LF + comment; missing parts are "".
pos_rule_parts split_pos_rule(text_view rule);
text_t join_pos_rule(const pos_rule_parts& parts);
// A field as the rule dialog takes it: TAB and LF removed (they separate the
// parts in memory and in the settings file).
text_t clean_pos_rule_field(text_view field);
// The dialog's check: true when a part is empty after trimming spaces.
bool pos_rule_has_empty_field(const pos_rule_parts& parts);

// The rules of a language, 1..count as a list (index 0 is rule 1); an index
// outside the table gives none.
std::vector<text_t> pos_language_rules(int64_t language);
// Replaces the language's rules (at most POS_RULE_MAX kept).
void set_pos_language_rules(int64_t language, const std::vector<text_t>& rules);

// Label texts of the settings window: "Found:" + count; "Selected:None",
// "Selected:All" or "Selected:" + checked + "/" + count.
text_t pos_rules_found_label(int64_t count);
text_t pos_rules_selected_label(int64_t checked, int64_t count);

// The settings files, each replaced only when written whole:
// extract_pos_settings.prefs ("41", the chosen language as a 32-bit integer)
// and extract_pos_lists.prefs ("41", the language count, then per language
// its name, its rule count and one line per rule with its LFs as TABs).
bool write_pos_settings_file(text_view path);
bool write_pos_lists_file(text_view path);
