// The AFF decode cache: the .aff text parsed into tables that the expansion,
// the validation and the flag tools read.
//
// The text reaches the cache from the caller (the .aff editor's text in the
// program); the cache is rebuilt only when that text differs from the text it
// was built from. Besides the tables every tool reads (index, summary, rule
// lines, aliases, special flags), a rebuild parses each rule line once into a
// record, indexes the flags and compiles every distinct condition once.
#pragma once

#include "affix/affix_condition.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <unordered_map>
#include <vector>

enum aff_flag_modes : int64_t { FLAG_MODE_CHAR = 1, FLAG_MODE_LONG = 2, FLAG_MODE_NUM = 3 };

// One rule line split into its fields, with everything the expansion needs.
struct aff_rule_record {
  text_t kind;          // field 1: "PFX" or "SFX" as written
  text_t flag;          // field 2
  text_t strip;         // field 3 as written ("0" for no strip)
  text_t affix_text;    // field 4 normalised: "0" -> "", "0/..." -> "/..."
  text_t condition;     // field 5
  text_t strip_units;   // the units to remove: "" for "0"
  text_t affix;         // affix_text up to its first "/"
  text_t continuation;  // affix_text after its first "/" (AF alias resolved)
  bool has_continuation = false;  // affix_text holds "/"
  // The continuation flags split by the FLAG mode, empty and repeated ones
  // dropped; each with the sets it names.
  std::vector<int32_t> continuation_flags;  // indexes into aff_decode_cache::flags
  bool continuation_needaffix = false;  // a continuation flag is NEEDAFFIX
  bool continuation_circumfix = false;  // a continuation flag is CIRCUMFIX
  int32_t condition_id = -1;  // into aff_decode_cache::conditions; -1: matches all
  // A unit the word must have at the anchored end (from the strip or the
  // condition), so most rules are rejected by one comparison; 0 when none.
  char16_t anchor_unit = 0;
};

// What one flag names: its first prefix and suffix set (0 none) and whether
// it is one of the special flags.
struct aff_flag_record {
  text_t flag;
  int32_t prefix_set = 0;
  int32_t suffix_set = 0;
  bool prefix_cross = false;  // the prefix set is declared Y
  bool suffix_cross = false;  // the suffix set is declared Y
  bool is_keepcase = false, is_nosuggest = false, is_needaffix = false;
  bool is_forbiddenword = false, is_circumfix = false;
};

struct aff_rule_set_record {
  bool is_prefix = false;
  bool cross_product = false;  // header field 3 is "Y"
  text_t flag;
  int64_t offset = 0;          // 1-based position of the header in aff_cache_text
  int64_t declared_count = 0;  // as read; may exceed the stored rules
  int64_t line_number = 0;
  std::vector<aff_rule_record> rules;  // rule k at index k - 1

  // The rules by the unit they demand at the word's anchored end
  // (aff_rule_record::anchor_unit), so that an expansion tries only the
  // rules that can match: the distinct units ascending, where each unit's
  // rule indexes start in anchored_rules (one more entry: the end), and the
  // rules that demand no unit. Indexes ascend within each list.
  std::vector<char16_t> anchor_units;
  std::vector<uint32_t> anchor_group_start;
  std::vector<uint32_t> anchored_rules;
  std::vector<uint32_t> unanchored_rules;
  // How many of the rules before index k carry CIRCUMFIX or NEEDAFFIX in
  // their continuation (k = 0 .. rules.size()).
  std::vector<uint32_t> circumfix_before, needaffix_before;
  // The group of each unit below 256 in anchor_units, plus one (0: no rule
  // demands it); empty when there are too many groups for a byte.
  std::vector<uint8_t> low_unit_group;
  // The anchored rules that demand unit u (empty when none).
  std::pair<const uint32_t*, const uint32_t*> rules_anchored_at(char16_t u) const {
    if (u < 256 && !low_unit_group.empty()) {
      const uint8_t g = low_unit_group[u];
      if (g == 0) return {nullptr, nullptr};
      return {anchored_rules.data() + anchor_group_start[g - 1], anchored_rules.data() + anchor_group_start[g]};
    }
    return rules_anchored_at_searched(u);
  }
  std::pair<const uint32_t*, const uint32_t*> rules_anchored_at_searched(char16_t u) const;
};

struct aff_decode_cache {
  text_t aff_cache_source;
  // Grows with every parse into this cache: an expansion that sees it change
  // while it polls stops, since the rules it was walking are gone.
  uint64_t generation = 0;
  bool stale = false;  // invalidated: the next rebuild parses whatever the text
  int64_t aff_flag_mode = FLAG_MODE_CHAR;
  text_t aff_cache_text;
  text_t aff_rule_set_index;
  std::vector<int64_t> aff_rule_set_at_position;
  text_t aff_rule_set_summary;
  int64_t aff_prefix_set_count = 0;
  int64_t aff_suffix_set_count = 0;
  std::vector<text_t> aff_rule_set_flags;                   // set n at n - 1
  std::vector<int64_t> aff_rule_set_offsets;                // 1-based by set
  std::vector<int64_t> aff_rule_set_declared_counts;        // 1-based by set
  std::vector<std::vector<text_t>> aff_rule_lines;          // [set][rule], 1-based
  int64_t aff_max_rules_per_set = 0;
  int64_t aff_alias_count = 0;
  std::vector<text_t> aff_alias_flags;  // 1-based
  text_t aff_keepcase_flag, aff_nosuggest_flag, aff_needaffix_flag;
  text_t aff_forbiddenword_flag, aff_circumfix_flag;
  int64_t aff_has_keepcase = 0, aff_has_needaffix = 0, aff_has_circumfix = 0;
  int64_t aff_complex_prefixes = 0;

  // Parsed form. sets[0] is unused so set numbers index directly.
  std::vector<aff_rule_set_record> sets;
  std::vector<aff_flag_record> flags;  // every flag named by a header or a special keyword
  std::unordered_map<text_t, int32_t> flag_lookup;  // flag -> index into flags
  // One-unit flags: unit -> index + 1 (0 none), up to the largest such unit.
  std::vector<int32_t> unit_flag_lookup;
  // Two-unit flags of units below 256: the first unit's block number + 1
  // (0 none; 256 entries), and the blocks, 256 entries each: second unit ->
  // index + 1 (0 none). Small tables: every page of a fresh one costs a
  // page fault at each rebuild.
  std::vector<int32_t> pair_flag_block;
  std::vector<int32_t> pair_flag_lookup;
  std::vector<affix_condition> conditions;

  // Index of the flag's record, -1 when no set or special keyword names it.
  int32_t find_flag(text_view flag) const;
};

// Status of a parse for the window layer: phase 0 at the start
// ("Optimising .AFF decode cache..."), 1 at the end ("OK." and the time).
using aff_cache_status_hook = std::function<void(int phase, int64_t elapsed_ms)>;

// Brings the cache up to date with the .aff text. Returns true when it was
// parsed anew; false when the text equals the text it was built from (then
// nothing is touched, the hook is not called). After
// invalidate_aff_decode_cache an unchanged text is parsed too.
bool rebuild_aff_decode_cache(aff_decode_cache& cache, text_view aff_text, const aff_cache_status_hook& hook = {});
void invalidate_aff_decode_cache(aff_decode_cache& cache);

// The status bar text of a phase, with the elapsed time.
text_t aff_cache_status_text(int phase, int64_t elapsed_ms);

// Flags of a flag string by a FLAG mode (aff_decode_cache::aff_flag_mode).
int64_t count_affix_flags_in_mode(text_view flags, int64_t mode);
// The n-th flag as a view into flags (no allocation).
text_view affix_flag_view(text_view flags, int64_t n, int64_t mode);
// Calls f(view) for every flag of the string in order, empty ones included.
template <class F>
void for_each_affix_flag(text_view flags, int64_t mode, F&& f) {
  if (mode == FLAG_MODE_NUM) {
    size_t begin = 0;
    for (;;) {
      size_t comma = flags.find(u',', begin);
      f(flags.substr(begin, comma == text_view::npos ? text_view::npos : comma - begin));
      if (comma == text_view::npos) break;
      begin = comma + 1;
    }
  } else if (mode == FLAG_MODE_LONG) {
    for (size_t i = 0; i < flags.size(); i += 2) f(flags.substr(i, 2));
  } else {
    for (size_t i = 0; i < flags.size(); ++i) f(flags.substr(i, 1));
  }
}
