// Affix expansion: every word one dictionary entry stands for.
//
// The primary word, its suffix words, the twofold suffixes and "Both" words
// of one continuation level, and the prefix words of the cross product, each
// handed to the output step of the chosen mode (affix/expansion_output.h).
// The caller brings the decode cache up to date first.
#pragma once

#include "affix/expansion_output.h"
#include "common/text.h"

#include <cstdint>
#include <vector>

// Expands one entry (its first line: word, optionally "/" and flags). level
// must be 0 (continuations are the engine's own business); aliases_done 1
// means the flags are already resolved from an AF alias. Returns the number
// of words the output step counted; 0 for an empty word or a stopped run.
int64_t expand_word_affixes(int64_t mode, text_view entry, int64_t csv, int64_t hyphen_only, int64_t level,
                            text_view tag, text_view suffix1, text_view suffix2, int64_t to_hyphenation_list,
                            int64_t aliases_done);
// The same with the output arguments gathered.
int64_t expand_entry(const expansion_request& request, text_view entry, bool aliases_done = false);

// Shared with the word editor: 1 the word changed, 2 OK clicked, 3 Cancel or
// Escape. A mode-1 expansion polls after each flag and rule (through the hook
// the window layer installs) and stops once this is not 0.
extern int64_t pending_word_editor_action;
void set_word_editor_poll_hook(void (*hook)());

// State left by the last level-0 expansion for the word editor and crunch.
extern text_t expansion_root_word;
extern std::vector<text_t> derived_words;       // primary + suffix words, emission order
extern std::vector<uint8_t> derived_word_no_cross;  // 1: made by a set declared N
extern int64_t derived_word_count;
extern text_t unknown_entry_flags;         // entry flags that name no set
extern text_t unknown_continuation_flags;  // continuation flags that name no set
extern bool expansion_was_stopped;         // ended by a pending word-editor action

// Indicators of the word editor.
extern int64_t nosuggest_indicator_colour;  // 0xFF00 green; 0xFF red once NOSUGGEST is met
extern int64_t word_has_keepcase, word_has_forbiddenword, word_has_needaffix, derived_has_needaffix;
extern int64_t word_has_circumfix, circumfix_flag_seen;

// Condition tests of one rule (strip test, then the condition).
bool match_suffix_condition(text_view word, const aff_rule_record& rule);
bool match_prefix_condition(text_view word, const aff_rule_record& rule);
