// POS rules: each maps the tag part a dictionary entry carries (the source,
// e.g. "[CAT=np,G=f,SEM=p]") to LanguageTool's tag (the target, e.g.
// "NPFS000"), with a comment. The tables (pos_rule_tables) start with the
// built-in presets (tools/pos_rule_presets.h); this file edits one
// language's rules and reads and writes the two settings files.
#pragma once

#include "common/settings_file.h"
#include "common/text.h"

#include <cstdint>
#include <vector>

// At most POS_RULE_LANGUAGES_MAX languages of at most POS_RULE_MAX rules.
inline constexpr int64_t POS_RULE_LANGUAGES_MAX = 3;
inline constexpr int64_t POS_RULE_MAX = 300;
// The language chosen until a settings file says otherwise: English.
inline constexpr int64_t POS_RULE_DEFAULT_LANGUAGE = 2;

// The rule tables of the POS extraction and the language it uses. A
// language's rules stand at indexes 1..count of its table row, each source +
// LF + target + LF + comment. A new record is sized and empty.
struct pos_rule_tables {
  int64_t language_count = POS_RULE_LANGUAGES_MAX;
  std::vector<text_t> languages = std::vector<text_t>(POS_RULE_LANGUAGES_MAX);
  std::vector<int64_t> counts = std::vector<int64_t>(POS_RULE_LANGUAGES_MAX);
  std::vector<std::vector<text_t>> table =
      std::vector<std::vector<text_t>>(POS_RULE_LANGUAGES_MAX, std::vector<text_t>(POS_RULE_MAX + 1));
  int64_t language = POS_RULE_DEFAULT_LANGUAGE;  // the language of the extraction
};

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
std::vector<text_t> pos_language_rules(const pos_rule_tables& tables, int64_t language);
// Replaces the language's rules (at most POS_RULE_MAX kept).
void set_pos_language_rules(pos_rule_tables& tables, int64_t language, const std::vector<text_t>& rules);

// Label texts of the settings window: "Found:" + count; "Selected:None",
// "Selected:All" or "Selected:" + checked + "/" + count.
text_t pos_rules_found_label(int64_t count);
text_t pos_rules_selected_label(int64_t checked, int64_t count);

// The settings files, each replaced only when written whole:
// extract_pos_settings.prefs ("41", the chosen language as a 32-bit integer)
// and extract_pos_lists.prefs ("41", the language count, then per language
// its name, its rule count and one line per rule with its LFs as TABs).
inline constexpr char16_t pos_settings_prefs_file[] = u"extract_pos_settings.prefs";
inline constexpr char16_t pos_lists_prefs_file[] = u"extract_pos_lists.prefs";
bool write_pos_settings_file(text_view path, const pos_rule_tables& tables);
bool write_pos_lists_file(text_view path, const pos_rule_tables& tables);
// Start-up reads the lists, then the chosen language. Lists that end early
// or hold no language keep the tables; more languages or rules than the
// tables hold are dropped. The language is kept within the languages read
// (the last one when the file names none beyond them).
void read_pos_lists_file(text_view path, pos_rule_tables& tables);
void read_pos_settings_file(text_view path, pos_rule_tables& tables);
// The two files, in that order; resetting the tables fills the presets.
std::vector<settings_file_registration> pos_rule_settings_files(pos_rule_tables& tables);
