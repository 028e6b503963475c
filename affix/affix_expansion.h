// Affix expansion: every word one dictionary entry stands for.
//
// The primary word, its suffix words, the twofold suffixes and "Both" words
// of one continuation level, and the prefix words of the cross product, each
// handed as a row to the caller's sink. The engine reads only the decode
// cache it is given and carries nothing from one entry to the next but the
// room of its buffers: what the caller wants to know besides the rows
// (unknown flags, the special flags met) comes back in the report.
#pragma once

#include "affix/aff_cache.h"
#include "common/text.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

enum class derived_row_type : uint8_t { primary = 0, suffix = 1, prefix = 2, both = 3 };
text_view derived_row_type_name(derived_row_type type);  // "Primary", "Suffix", ...

// Text colours of the row types, indexed by derived_row_type (0xBBGGRR, -1
// the list's own colour); the window code takes them from the preferences.
using row_type_colours = std::array<int32_t, 4>;
inline constexpr row_type_colours DEFAULT_ROW_TYPE_COLOURS{-1, -1, -1, -1};
inline int32_t colour_of(const row_type_colours& colours, derived_row_type type) {
  return colours[static_cast<size_t>(type)];
}

// One derived word as the expansion hands it to the sink. The views live
// only during the call.
struct derived_row {
  derived_row_type type = derived_row_type::primary;
  text_view word;  // the derived word
  text_view base;  // the word the affix was applied to (Primary: the word)
  text_view root;  // the entry's word
  text_view flag;  // "" for Primary
  int64_t position = 0;     // header position of the flag's set
  int64_t rule_number = 0;  // 1-based within the set
  const aff_rule_record* rule = nullptr;
  text_view origin_flag;        // the entry's flag that started the row
  text_view continuation_flag;  // the continuation flag being expanded, or ""
};

// Receives the rows of an expansion.
class expansion_sink {
 public:
  virtual ~expansion_sink() = default;
  // false ends the expansion at once (a limit reached, the answer found).
  virtual bool take(const derived_row& row) = 0;
  // Whether Primary and Suffix words are kept for the prefix pass; a sink
  // that only wants the first suffix word says no.
  virtual bool feeds_prefix_pass() const { return true; }
};

// The special flags met while expanding, for the word editor's indicators.
struct expansion_indicators {
  bool nosuggest = false;          // a flag equals the NOSUGGEST flag
  bool keepcase = false;           // the entry carries KEEPCASE
  bool forbiddenword = false;      // the entry carries FORBIDDENWORD
  bool needaffix = false;          // the entry, or a rule's continuation, carries NEEDAFFIX
  bool derived_needaffix = false;  // the last rule met carries NEEDAFFIX
  bool circumfix = false;          // the last flag met was the CIRCUMFIX flag
  bool circumfix_seen = false;     // CIRCUMFIX met on the entry or a rule
};

struct expansion_report {
  int64_t rows = 0;         // rows handed to the sink
  bool stopped = false;     // ended by the stop test (or the rules changed meanwhile)
  bool sink_ended = false;  // ended by the sink
  text_t root_word;         // the entry's word ("" when it has none)
  text_t unknown_entry_flags;         // entry flags that name no set
  text_t unknown_continuation_flags;  // continuation flags that name no set
  expansion_indicators indicators;
};

// Asked after each flag and each rule; true ends the expansion. It may run
// the event loop, even rebuild the cache: the expansion then stops.
using expansion_stop = std::function<bool()>;

// The engine with its buffers. A pass over many entries keeps one, so each
// entry reuses the room the ones before it made.
class affix_expander {
 public:
  affix_expander();
  ~affix_expander();
  affix_expander(const affix_expander&) = delete;
  affix_expander& operator=(const affix_expander&) = delete;

  // Expands one entry (its first line: word, optionally "/" and flags).
  // aliases_done: the flags are already resolved from an AF alias. An
  // expansion of this expander started from inside the stop test of another
  // one of it does nothing. The report stays valid until its next
  // expansion: keep a copy to hold it.
  const expansion_report& expand(const aff_decode_cache& cache, text_view entry, expansion_sink& sink,
                                 const expansion_stop& stop = {}, bool aliases_done = false);

 private:
  struct engine;
  std::unique_ptr<engine> engine_;
};

// One entry through an expander of its own, for a caller that expands one.
expansion_report expand_entry(const aff_decode_cache& cache, text_view entry, expansion_sink& sink,
                              const expansion_stop& stop = {}, bool aliases_done = false);

