#include "affix/affix_expansion.h"

#include "affix/aff_cache.h"
#include "common/dic_entry.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Copies a short text (a word) four units at a time, the last four
// overlapping, without a call.
inline void copy_units(char16_t* d, text_view s) {
  const char16_t* p = s.data();
  const size_t n = s.size();
  if (n >= 4) {
    uint64_t four;
    for (size_t i = 0; i + 4 < n; i += 4) {
      std::memcpy(&four, p + i, sizeof four);
      std::memcpy(d + i, &four, sizeof four);
    }
    std::memcpy(&four, p + n - 4, sizeof four);
    std::memcpy(d + n - 4, &four, sizeof four);
  } else {
    for (size_t i = 0; i < n; ++i) d[i] = p[i];
  }
}

// Texts one after another in one array that keeps its room from entry to
// entry: adding one is a copy.
class unit_arena {
 public:
  void clear() { size_ = 0; }
  // Where the text starts.
  uint32_t add(text_view s) {
    if (size_ + s.size() > data_.size()) data_.resize(std::max(size_ + s.size(), 2 * data_.size()));
    copy_units(data_.data() + size_, s);
    const uint32_t at = static_cast<uint32_t>(size_);
    size_ += s.size();
    return at;
  }
  text_view view(uint32_t begin, uint32_t size) const { return text_view(data_.data() + begin, size); }

 private:
  std::vector<char16_t> data_ = std::vector<char16_t>(256);
  size_t size_ = 0;
};

// A set of texts for one entry, each with a tag unit, emptied in O(1) by a
// new generation; the expansion asks it once per continuation call and per
// derived word. The texts lie one after another in one array.
class seen_texts {
 public:
  void clear() {
    if (++generation_ == 0) {
      for (auto& s : slots_) s.generation = 0;
      generation_ = 1;
    }
    units_.clear();
    keys_.clear();
  }
  // True when the key was not there yet (it is then added).
  bool insert(text_view key, char16_t tag = 0) { return find_or_add(key, tag).second; }
  // The key's number (0, 1, ... in order of first insertion) and whether it
  // was added now.
  std::pair<uint32_t, bool> find_or_add(text_view key, char16_t tag = 0) {
    if ((keys_.size() + 1) * 2 > slots_.size()) grow();
    const uint64_t h = hash(key, tag);
    const size_t mask = slots_.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
      slot& s = slots_[i];
      if (s.generation != generation_) {
        s = {h, generation_, store(key, tag)};
        return {s.key, true};
      }
      if (s.hash == h && text_of(s.key) == key && keys_[s.key].tag == tag) return {s.key, false};
    }
  }

 private:
  struct slot {
    uint64_t hash = 0;
    uint32_t generation = 0;
    uint32_t key = 0;
  };
  struct key_record {
    uint32_t begin, size;
    char16_t tag;
  };
  // Four units at a time, then the rest one by one.
  static uint64_t hash(text_view key, char16_t tag) {
    const char16_t* p = key.data();
    const size_t n = key.size();
    uint64_t h = 0x9E3779B97F4A7C15ull ^ (uint64_t(n) << 16) ^ tag;
    size_t i = 0;
    for (; i + 4 <= n; i += 4) {
      uint64_t four;
      std::memcpy(&four, p + i, sizeof four);
      h = (h ^ four) * 0xFF51AFD7ED558CCDull;
      h ^= h >> 32;
    }
    for (; i < n; ++i) h = (h ^ p[i]) * 1099511628211ull;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ull;
    return h ^ (h >> 33);
  }
  text_view text_of(uint32_t key) const {
    return units_.view(keys_[key].begin, keys_[key].size);
  }
  uint32_t store(text_view key, char16_t tag) {
    keys_.push_back({units_.add(key), static_cast<uint32_t>(key.size()), tag});
    return static_cast<uint32_t>(keys_.size() - 1);
  }
  void grow() {
    std::vector<slot> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, slot{});
    size_t mask = slots_.size() - 1;
    for (const slot& s : old) {
      if (s.generation != generation_) continue;
      size_t i = s.hash & mask;
      while (slots_[i].generation == generation_) i = (i + 1) & mask;
      slots_[i] = s;
    }
  }
  std::vector<slot> slots_;
  unit_arena units_;
  std::vector<key_record> keys_;
  uint32_t generation_ = 1;
};

// A derived word being built, its room kept from word to word: a word costs
// no allocation and no string call.
class word_buffer {
 public:
  text_view view() const { return text_view(data_.data(), size_); }
  // The word front + back (neither may lie in this buffer).
  void assign(text_view front, text_view back) {
    const size_t n = front.size() + back.size();
    if (n > data_.size()) data_.resize(std::max<size_t>(n, 2 * data_.size()));
    char16_t* d = data_.data();
    copy_units(d, front);
    copy_units(d + front.size(), back);
    size_ = n;
  }

 private:
  std::vector<char16_t> data_ = std::vector<char16_t>(64);
  size_t size_ = 0;
};

// Where the word and the flags of an entry are (as split_dic_entry finds
// them): the length of word and flags together, of the word, of the flags.
struct plain_entry_split {
  size_t length = 0, word_length = 0, flags_length = 0;
  bool has_flags = false;
  bool plain = false;  // no blank, colon, backslash or line feed: found in one pass
};

// The ASCII units that end the one-pass split: the slash, and what only
// split_dic_entry handles (blank, colon, backslash, line feed); one bit each.
constexpr uint64_t SPLIT_STOP_UNITS_LOW = (uint64_t(1) << u' ') | (uint64_t(1) << u'\t') | (uint64_t(1) << u'\n') |
                                          (uint64_t(1) << u'/') | (uint64_t(1) << u':');
constexpr uint64_t SPLIT_STOP_UNITS_HIGH = uint64_t(1) << (u'\\' - 64);

// Most entries are a word and flags with no blank, colon, backslash or line
// feed: one pass finds their slash. Others go to split_dic_entry.
plain_entry_split split_entry(text_view entry) {
  plain_entry_split r;
  size_t slash = text_view::npos;
  bool plain = true;
  const char16_t* p = entry.data();
  const size_t n = entry.size();
  size_t i = 0;
#if defined(__SSE2__)
  // Eight units at a time: a bit pair per stop unit.
  for (; plain && i + 8 <= n; i += 8) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i stops = _mm_cmpeq_epi16(v, _mm_set1_epi16(u'/'));
    for (char16_t u : {u' ', u'\t', u':', u'\\', u'\n'})
      stops = _mm_or_si128(stops, _mm_cmpeq_epi16(v, _mm_set1_epi16(static_cast<short>(u))));
    for (unsigned m = static_cast<unsigned>(_mm_movemask_epi8(stops)); m != 0; m &= m - 1, m &= m - 1) {
      const size_t at = i + static_cast<size_t>(__builtin_ctz(m)) / 2;
      if (p[at] != u'/') {
        plain = false;
        break;
      }
      if (slash == text_view::npos) slash = at;
    }
  }
#endif
  for (; plain && i < n; ++i) {
    const char16_t u = p[i];
    if (u >= 128 || (((u < 64 ? SPLIT_STOP_UNITS_LOW : SPLIT_STOP_UNITS_HIGH) >> (u & 63)) & 1) == 0) continue;
    if (u == u'/') {
      if (slash == text_view::npos) slash = i;
    } else {
      plain = false;
    }
  }
  if (plain) {
    r.length = entry.size();
    r.has_flags = slash != text_view::npos;
    r.word_length = r.has_flags ? slash : entry.size();
    r.flags_length = r.has_flags ? entry.size() - slash - 1 : 0;
    r.plain = true;
    return r;
  }
  const dic_entry_parts parts = split_dic_entry(entry);
  r.length = entry.size() - parts.rest.size();
  r.word_length = parts.word.size();
  r.flags_length = parts.flags.size();
  r.has_flags = parts.has_flags;
  return r;
}

// Marks on flag indexes, all dropped in O(1) by a new round.
class flag_marks {
 public:
  void new_round(size_t flags) {
    if (stamps_.size() < flags) stamps_.resize(flags, 0);
    if (++round_ == 0) {
      std::fill(stamps_.begin(), stamps_.end(), 0);
      round_ = 1;
    }
  }
  // True when the flag was not marked yet in this round (it is then marked).
  bool mark(int32_t index) {
    uint32_t& s = stamps_[static_cast<size_t>(index)];
    if (s == round_) return false;
    s = round_;
    return true;
  }
  bool marked(int32_t index) const { return stamps_[static_cast<size_t>(index)] == round_; }

 private:
  std::vector<uint32_t> stamps_;
  uint32_t round_ = 0;
};

// How a continuation expansion was started.
struct continuation_context {
  bool outer_circumfix = false;  // the rule that started it carries CIRCUMFIX
  bool from_prefix = false;      // started by a prefix rule of the prefix pass
  bool outer_no_cross = false;   // started by a suffix of a set declared N
  text_view origin_flag;         // the entry's flag
};

struct collected_prefix {
  text_view flag;
  int32_t set;
  bool cross;
};

// anchor_checked: the rule walk already gave only rules whose anchor unit
// the word has.
inline bool suffix_condition_holds(const aff_decode_cache& cache, text_view word, const aff_rule_record& rule,
                                   bool anchor_checked) {
  // PCRE's "$" also matches before a final line feed: leave such words to it.
  if (!anchor_checked && rule.anchor_unit != 0 &&
      (word.empty() || (word.back() != rule.anchor_unit && word.back() != u'\n')))
    return false;
  const text_t& strip = rule.strip_units;
  if (!strip.empty() && (word.size() < strip.size() || word.substr(word.size() - strip.size()) != strip))
    return false;
  return rule.condition_id < 0 || cache.conditions[rule.condition_id].matches(word);
}

inline bool prefix_condition_holds(const aff_decode_cache& cache, text_view word, const aff_rule_record& rule,
                                   bool anchor_checked) {
  if (!anchor_checked && rule.anchor_unit != 0 && (word.empty() || word.front() != rule.anchor_unit)) return false;
  const text_t& strip = rule.strip_units;
  if (!strip.empty() && (word.size() < strip.size() || word.substr(0, strip.size()) != strip)) return false;
  return rule.condition_id < 0 || cache.conditions[rule.condition_id].matches(word);
}

// The indicators every rule of a set sets as it is met, matched or not:
// CIRCUMFIX seen when the rule carries it, the last flag no longer the
// CIRCUMFIX flag, the rule's NEEDAFFIX as the last one met, NEEDAFFIX seen
// when it carries it. Noting rules from .. to - 1 in turn leaves what
// note_rules leaves in one step (the expansion skips the rules that cannot
// match, and notes them with the next one it tries).
void note_rules(expansion_indicators& ind, const aff_rule_set_record& set, size_t from, size_t to) {
  if (to <= from) return;
  if (set.circumfix_before[to] != set.circumfix_before[from]) ind.circumfix_seen = true;
  ind.circumfix = false;
  ind.derived_needaffix = set.rules[to - 1].continuation_needaffix;
  if (set.needaffix_before[to] != set.needaffix_before[from]) ind.needaffix = true;
}

// The rules of a set an expansion tries on a word, in rule order. With a
// stop test every rule (it is asked after each); otherwise only those the
// condition test would not reject at once: the rules whose anchor unit the
// word has at its anchored end (a suffix rule: its last unit, where a final
// line feed lets every rule through; a prefix rule: its first), and the
// rules without one.
class rule_walk {
 public:
  rule_walk(const aff_rule_set_record& set, text_view word, bool suffix, bool every_rule) : count_(set.rules.size()) {
    if (every_rule || (suffix && !word.empty() && word.back() == u'\n')) {
      all_ = true;
      return;
    }
    a_ = set.unanchored_rules.data();
    a_end_ = a_ + set.unanchored_rules.size();
    if (!word.empty()) std::tie(b_, b_end_) = set.rules_anchored_at(suffix ? word.back() : word.front());
  }
  // Only rules whose anchor unit the word has (or that demand none) come.
  bool anchors_checked() const { return !all_; }
  bool next(size_t& k) {
    if (all_) {
      if (at_ >= count_) return false;
      k = at_++;
      return true;
    }
    if (a_ != a_end_ && (b_ == b_end_ || *a_ < *b_)) {
      k = *a_++;
      return true;
    }
    if (b_ == b_end_) return false;
    k = *b_++;
    return true;
  }

 private:
  size_t count_, at_ = 0;
  bool all_ = false;
  const uint32_t *a_ = nullptr, *a_end_ = nullptr, *b_ = nullptr, *b_end_ = nullptr;
};

// Sets the fields a set of rules shares (and clears the rest) of a row the
// expander keeps: a fresh derived_row is cleared with a block fill that
// costs more than the row's rules on a short word.
inline void start_row(derived_row& row, derived_row_type type, text_view base, text_view flag, int64_t position,
                      text_view origin_flag, text_view continuation_flag) {
  row.type = type;
  row.word = base;
  row.base = base;
  row.flag = flag;
  row.position = position;
  row.rule_number = 0;
  row.rule = nullptr;
  row.origin_flag = origin_flag;
  row.continuation_flag = continuation_flag;
}

class expander {
 public:
  const expansion_report& run(const aff_decode_cache& cache, text_view entry, expansion_sink& sink,
                              const expansion_stop& stop, bool aliases_done);

 private:
  // Every rule is tried (and polled) when there is a stop test.
  bool every_rule() const { return has_stop_; }
  bool poll() {
    if (stopped_ || !has_stop_) return stopped_;
    // The test may run the event loop, which may rebuild the cache: the
    // rules being walked are gone then.
    if ((*stop_)() || c_->generation != generation_) {
      stopped_ = true;
      report_.stopped = true;
    }
    return stopped_;
  }
  void emit(derived_row& row, bool no_cross);
  // Once per derived word: inlined into its two callers.
  [[gnu::always_inline]] void keep_for_prefix_pass(text_view word, bool no_cross, bool circumfix) {
    if (stopped_ || !keeping_) return;
    kept_.push_back({kept_units_.add(word), static_cast<uint32_t>(word.size()), no_cross, circumfix});
  }
  text_view kept_word(size_t j) const { return kept_units_.view(kept_[j].begin, kept_[j].size); }
  void record_unknown(int level, text_view flag, int32_t index);
  void expand_flag(int level, text_view word, text_view flag, int32_t index, const continuation_context* context);
  void run_suffix_rules(int level, text_view word, text_view flag, int32_t set, bool no_cross,
                        const continuation_context* context);
  void run_prefix_rules(int level, text_view word, text_view flag, int32_t set, bool cross,
                        const continuation_context* context);
  void run_continuation(text_view word, const aff_rule_record& rule, const continuation_context& context);
  void run_prefix_pass();

  const aff_decode_cache* c_ = nullptr;
  expansion_sink* sink_ = nullptr;
  const expansion_stop* stop_ = nullptr;
  bool has_stop_ = false;
  expansion_report report_;
  bool stopped_ = false;
  bool running_ = false;
  uint64_t generation_ = 0;
  std::vector<collected_prefix> collected_;
  struct entry_flag {
    text_view flag;
    int32_t index;  // into the cache's flags; -1 when it names nothing
  };
  std::vector<entry_flag> entry_flags_;
  flag_marks entry_flag_marks_, done_marks_;
  seen_texts unknown_entry_flags_;
  // Whether the words made are kept for the prefix pass: the entry has a
  // flag that starts it and the sink wants it; off while the pass runs (the
  // words it makes are not prefixed again).
  bool keeping_ = false;
  seen_texts continuation_calls_, prefixed_words_;
  std::vector<std::vector<int32_t>> expanded_continuations_;  // by key of continuation_calls_
  std::vector<uint8_t> skip_;
  // The primary word and every suffix word made so far (all levels), in
  // order, for the prefix pass, their units one after another in
  // kept_units_; no_cross: made by a set declared N; circumfix: its suffix
  // carries CIRCUMFIX, so it is a word only together with a prefix that
  // carries it too (and then it was not emitted alone).
  struct kept_record {
    uint32_t begin, size;
    bool no_cross, circumfix;
  };
  std::vector<kept_record> kept_;
  unit_arena kept_units_;
  word_buffer buffer_[2];  // the derived word being built, by level
  // The rows handed to the sink: Suffix rows by level, Both rows (level 1),
  // Prefix rows of the prefix pass, the Primary row.
  derived_row suffix_rows_[2], both_row_, prefix_row_, primary_row_;
  text_t entry_text_, alias_text_, word_;
  int32_t last_unknown_continuation_ = -1;  // its flag index
};

[[gnu::always_inline]] inline void expander::emit(derived_row& row, bool no_cross) {
  if (stopped_) return;
  ++report_.rows;
  row.root = report_.root_word;
  if (!sink_->take(row)) {
    stopped_ = true;
    report_.sink_ended = true;
    return;
  }
  if (row.type == derived_row_type::primary || row.type == derived_row_type::suffix)
    keep_for_prefix_pass(row.word, no_cross, false);
}

void expander::record_unknown(int level, text_view flag, int32_t index) {
  text_t& list = level == 0 ? report_.unknown_entry_flags : report_.unknown_continuation_flags;
  // A continuation flag met again right after itself is listed once. Each
  // is one of the cache's flags: the same flag, the same index.
  if (level == 1) {
    if (index == last_unknown_continuation_ && !list.empty()) return;
    last_unknown_continuation_ = index;
  }
  if (c_->aff_flag_mode == FLAG_MODE_NUM && !list.empty()) list.push_back(u',');
  list.append(flag);
}

void expander::expand_flag(int level, text_view word, text_view flag, int32_t index,
                           const continuation_context* context) {
  if (poll()) return;
  if (index < 0) {
    record_unknown(level, flag, index);
    return;
  }
  const aff_flag_record& f = c_->flags[index];
  expansion_indicators& ind = report_.indicators;
  if (f.is_nosuggest) {
    ind.nosuggest = true;
    return;
  }
  if (f.is_keepcase) {
    ind.keepcase = true;
    return;
  }
  if (f.is_forbiddenword) {
    ind.forbiddenword = true;
    return;
  }
  if (f.is_circumfix) {
    ind.circumfix = true;
    ind.circumfix_seen = true;
    return;
  }
  if (f.prefix_set == 0 && f.suffix_set == 0) {
    if (!f.is_needaffix) record_unknown(level, flag, index);
    return;
  }
  if (level == 0 && f.prefix_set != 0) collected_.push_back({flag, f.prefix_set, f.prefix_cross});
  // A continuation on the root word itself (an empty affix) would repeat the
  // rows the entry's own flag gave.
  bool repeats_entry_flag = level == 1 && entry_flag_marks_.marked(index) && word == report_.root_word;
  if (f.suffix_set != 0 && !repeats_entry_flag)
    run_suffix_rules(level, word, flag, f.suffix_set, !f.suffix_cross, context);
  if (!stopped_ && f.prefix_set != 0) run_prefix_rules(level, word, flag, f.prefix_set, f.prefix_cross, context);
}

// The indicators of the rules met are noted as they are met with a stop
// test (which may look at them); without one, in one step before anything
// else can set them (a continuation, the end of the set, a stop).
void expander::run_suffix_rules(int level, text_view word, text_view flag, int32_t set_number, bool no_cross,
                                const continuation_context* context) {
  const aff_rule_set_record& set = c_->sets[set_number];
  expansion_indicators& ind = report_.indicators;
  word_buffer& derived = buffer_[level];
  rule_walk walk(set, word, true, every_rule());
  // What every row of the set shares.
  derived_row& row = suffix_rows_[level];
  start_row(row, derived_row_type::suffix, word, flag, set.offset, level == 0 ? flag : context->origin_flag,
            level == 0 ? text_view() : flag);
  const bool no_cross_word = no_cross || (level == 1 && context->outer_no_cross);
  // The suffix next to the word decides whether a prefix must come with
  // it: a suffix added onto another one pairs with no prefix, so its own
  // CIRCUMFIX binds nothing.
  const bool after_prefix = level == 1 && context->from_prefix;
  const bool outer_chain_circumfix = level == 1 && !context->from_prefix && context->outer_circumfix;
  size_t noted = 0;
  const bool anchors_checked = walk.anchors_checked();
  for (size_t i; walk.next(i);) {
    // Without a stop test nothing stops the expansion between two rules.
    const aff_rule_record& rule = set.rules[i];
    if (has_stop_) {
      if (poll()) return;
      note_rules(ind, set, noted, i + 1);
      noted = i + 1;
    }
    if (!suffix_condition_holds(*c_, word, rule, anchors_checked)) continue;
    const bool circumfix = rule.continuation_circumfix;
    const bool chain_circumfix = level == 0 ? circumfix : outer_chain_circumfix;
    // After a prefix: both carry CIRCUMFIX or neither does.
    const bool shown = !rule.continuation_needaffix &&
                       (after_prefix ? circumfix == context->outer_circumfix : !chain_circumfix);
    const bool kept_with_prefix = !shown && chain_circumfix && !rule.continuation_needaffix;
    const bool continues = level == 0 && rule.has_continuation;
    if (!shown && !kept_with_prefix && !continues) continue;
    derived.assign(word.substr(0, word.size() - rule.strip_units.size()), rule.affix);
    if (shown) {
      row.word = derived.view();
      row.rule_number = static_cast<int64_t>(i) + 1;
      row.rule = &rule;
      emit(row, no_cross_word);
      if (stopped_) {
        note_rules(ind, set, noted, i + 1);
        return;
      }
    } else if (kept_with_prefix) {
      // Not a word alone, but one with a prefix that carries CIRCUMFIX.
      keep_for_prefix_pass(derived.view(), no_cross_word, true);
    }
    if (continues) {
      note_rules(ind, set, noted, i + 1);
      noted = i + 1;
      continuation_context next{circumfix, false, no_cross, flag};
      run_continuation(derived.view(), rule, next);
      if (stopped_) return;
    }
  }
  note_rules(ind, set, noted, set.rules.size());
}

void expander::run_prefix_rules(int level, text_view word, text_view flag, int32_t set_number, bool cross,
                                const continuation_context* context) {
  const aff_rule_set_record& set = c_->sets[set_number];
  expansion_indicators& ind = report_.indicators;
  if (level == 0) {
    // The entry's prefixes are applied in the prefix pass; here only the
    // indicators their rules set.
    note_rules(ind, set, 0, set.rules.size());
    return;
  }
  // Only sets declared Y combine with an affixed word.
  if (!cross) return;
  word_buffer& derived = buffer_[1];
  rule_walk walk(set, word, false, every_rule());
  derived_row& row = both_row_;
  start_row(row, derived_row_type::both, word, flag, set.offset, context->origin_flag, flag);
  size_t noted = 0;
  const bool anchors_checked = walk.anchors_checked();
  for (size_t k; walk.next(k);) {
    const aff_rule_record& rule = set.rules[k];
    if (has_stop_) {
      if (poll()) return;
      note_rules(ind, set, noted, k + 1);
      noted = k + 1;
    }
    bool circumfix = rule.continuation_circumfix;
    // A suffix and a prefix pair up when both carry CIRCUMFIX or neither;
    // two prefixes only when neither does.
    bool pairs = context->from_prefix ? !circumfix && !context->outer_circumfix
                                      : circumfix == context->outer_circumfix;
    if (!pairs || rule.continuation_needaffix || !prefix_condition_holds(*c_, word, rule, anchors_checked)) continue;
    derived.assign(rule.affix, word.substr(rule.strip_units.size()));
    row.word = derived.view();
    row.rule_number = static_cast<int64_t>(k) + 1;
    row.rule = &rule;
    emit(row, false);
    if (stopped_) {
      note_rules(ind, set, noted, k + 1);
      return;
    }
  }
  note_rules(ind, set, noted, set.rules.size());
}

void expander::run_continuation(text_view word, const aff_rule_record& rule, const continuation_context& context) {
  if (rule.continuation_flags.empty()) return;
  // Two rules can make one word with the same continuation flags: each flag
  // is expanded once per word, so no row comes twice. Contexts that let the
  // same rows through share a key: without an outer CIRCUMFIX it makes no
  // difference whether a suffix or a prefix started the expansion, and with
  // one the two give disjoint rows (Both rows after a suffix, Suffix rows
  // after a prefix). The first expansion's N mark stands for the word.
  const char16_t context_key = !context.outer_circumfix ? u'0' : context.from_prefix ? u'2' : u'1';
  auto [key, added] = continuation_calls_.find_or_add(word, context_key);
  if (key >= expanded_continuations_.size()) expanded_continuations_.resize(key + 1);
  std::vector<int32_t>& done = expanded_continuations_[key];
  if (added) done.clear();
  if (!added) {
    done_marks_.new_round(c_->flags.size());
    for (int32_t index : done) done_marks_.mark(index);
  }
  for (int32_t index : rule.continuation_flags) {
    if (!added && !done_marks_.mark(index)) continue;
    done.push_back(index);
    expand_flag(1, word, c_->flags[index].flag, index, &context);
    if (stopped_) return;
  }
}

void expander::run_prefix_pass() {
  // The words that exist now; words the pass adds are not prefixed again,
  // so none is kept any more and the kept words stay where they are.
  keeping_ = false;
  const size_t n = kept_.size();
  skip_.assign(n, 0);
  prefixed_words_.clear();
  // A word met again is prefixed once; the same text made with and without
  // a CIRCUMFIX suffix takes different prefixes, and the entry's own word
  // (the first) takes every prefix.
  const text_view first = kept_word(0);
  for (size_t j = 1; j < n; ++j) {
    const text_view w = kept_word(j);
    skip_[j] = kept_[j].no_cross || w == first || !prefixed_words_.insert(w, kept_[j].circumfix ? u'1' : u'0');
  }
  word_buffer& derived = buffer_[0];
  for (const collected_prefix& p : collected_) {
    const aff_rule_set_record& set = c_->sets[p.set];
    derived_row& row = prefix_row_;
    start_row(row, derived_row_type::prefix, text_view(), p.flag, set.offset, p.flag, text_view());
    for (size_t j = 0; j < n; ++j) {
      // A set declared N applies to the root word alone.
      if (skip_[j] || (!p.cross && j != 0)) continue;
      const text_view pass_word = kept_word(j);
      const bool circumfix_word = kept_[j].circumfix;
      row.base = pass_word;
      rule_walk walk(set, pass_word, false, every_rule());
      const bool anchors_checked = walk.anchors_checked();
      for (size_t k; walk.next(k);) {
        if (has_stop_ && poll()) return;
        const aff_rule_record& rule = set.rules[k];
        // CIRCUMFIX binds a prefix to a suffix: on a suffixed word both
        // carry it or neither does; on the entry's own word there is no
        // suffix to bind.
        if (j != 0 && rule.continuation_circumfix != circumfix_word) continue;
        if (rule.continuation_needaffix && !rule.has_continuation) continue;
        if (!prefix_condition_holds(*c_, pass_word, rule, anchors_checked)) continue;
        derived.assign(rule.affix, pass_word.substr(rule.strip_units.size()));
        if (!rule.continuation_needaffix) {
          row.word = derived.view();
          row.rule_number = static_cast<int64_t>(k) + 1;
          row.rule = &rule;
          emit(row, false);
          if (stopped_) return;
        }
        if (rule.has_continuation) {
          continuation_context next{rule.continuation_circumfix, true, false, p.flag};
          run_continuation(derived.view(), rule, next);
          if (stopped_) return;
        }
      }
    }
  }
}

const expansion_report& expander::run(const aff_decode_cache& cache, text_view entry, expansion_sink& sink,
                                      const expansion_stop& stop, bool aliases_done) {
  // An expansion started from inside the stop test of another one would
  // take its state away: it does nothing.
  static const expansion_report nothing;
  if (running_) return nothing;
  struct running_mark {
    bool& flag;
    explicit running_mark(bool& f) : flag(f) { flag = true; }
    ~running_mark() { flag = false; }
  } mark(running_);
  c_ = &cache;
  generation_ = cache.generation;
  sink_ = &sink;
  stop_ = &stop;
  has_stop_ = static_cast<bool>(stop);
  // Emptied, its texts keeping their room for the next entries.
  report_.rows = 0;
  report_.stopped = report_.sink_ended = false;
  report_.root_word.clear();
  report_.unknown_entry_flags.clear();
  report_.unknown_continuation_flags.clear();
  report_.indicators = {};
  stopped_ = false;
  collected_.clear();
  continuation_calls_.clear();
  kept_.clear();
  kept_units_.clear();

  // The word and flags end where the entry's rest starts. With a stop test
  // they are read from a copy: the caller's text may change while the test
  // runs events.
  const plain_entry_split parts = split_entry(entry);
  text_view text = entry.substr(0, parts.length);
  if (has_stop_) {
    entry_text_.assign(text);
    text = entry_text_;
  }
  text_view raw_word = text.substr(0, parts.word_length);
  text_view flags = parts.has_flags ? text.substr(parts.word_length + 1, parts.flags_length) : text_view();
  if (c_->aff_alias_count > 0 && !aliases_done && parts.has_flags) {
    int64_t n = string_to_int(flags.substr(0, flags.find(u'/')));
    if (n >= 1 && n <= c_->aff_alias_count) {
      // The word and its separator, then the alias's flags.
      alias_text_.assign(text.substr(0, raw_word.size() + 1));
      alias_text_.append(c_->aff_alias_flags[n]);
      raw_word = text_view(alias_text_).substr(0, raw_word.size());
      flags = text_view(alias_text_).substr(raw_word.size() + 1);
    }
  }
  text_view word = raw_word;
  // A plain entry holds no backslash.
  if (!parts.plain && raw_word.find(u"\\/") != text_view::npos) {
    word_.clear();
    for (size_t i = 0; i < raw_word.size(); ++i) {
      if (raw_word[i] == u'\\' && i + 1 < raw_word.size() && raw_word[i + 1] == u'/') ++i;
      word_.push_back(raw_word[i]);
    }
    word = word_;
  }
  if (word.empty()) return report_;
  report_.root_word.assign(word);

  // The entry's flags, empty and repeated ones dropped.
  entry_flags_.clear();
  entry_flag_marks_.new_round(c_->flags.size());
  unknown_entry_flags_.clear();
  bool wants_prefix_pass = false;
  const std::vector<int32_t>& unit_flags = c_->unit_flag_lookup;
  for_each_affix_flag(flags, c_->aff_flag_mode, [&](text_view f) {
    if (f.empty()) return;
    const int32_t index = f.size() == 1 ? (f[0] < unit_flags.size() ? unit_flags[f[0]] - 1 : -1) : c_->find_flag(f);
    if (index >= 0 ? !entry_flag_marks_.mark(index) : !unknown_entry_flags_.insert(f)) return;
    entry_flags_.push_back({f, index});
    if (index < 0) return;
    const aff_flag_record& r = c_->flags[index];
    // The flags expand_flag collects for the prefix pass.
    if (r.prefix_set != 0 && !r.is_nosuggest && !r.is_keepcase && !r.is_forbiddenword && !r.is_circumfix)
      wants_prefix_pass = true;
  });
  keeping_ = wants_prefix_pass && sink_->feeds_prefix_pass();
  for (const entry_flag& e : entry_flags_) {
    if (!c_->aff_keepcase_flag.empty() && e.flag == c_->aff_keepcase_flag) report_.indicators.keepcase = true;
    if (!c_->aff_needaffix_flag.empty() && e.flag == c_->aff_needaffix_flag) report_.indicators.needaffix = true;
  }

  derived_row& primary = primary_row_;
  start_row(primary, derived_row_type::primary, word, text_view(), 0, text_view(), text_view());
  emit(primary, false);

  for (const entry_flag& e : entry_flags_) {
    if (stopped_) break;
    expand_flag(0, word, e.flag, e.index, nullptr);
  }
  if (!stopped_ && !collected_.empty() && !kept_.empty()) run_prefix_pass();
  return report_;
}

}  // namespace

// The engine in a type of this file alone, so the compiler sees every use
// of its members and inlines them as it did for one object.
struct affix_expander::engine : expander {};

text_view derived_row_type_name(derived_row_type type) {
  switch (type) {
    case derived_row_type::primary: return u"Primary";
    case derived_row_type::suffix: return u"Suffix";
    case derived_row_type::prefix: return u"Prefix";
    case derived_row_type::both: return u"Both";
  }
  return u"";
}

affix_expander::affix_expander() : engine_(std::make_unique<engine>()) {}

affix_expander::~affix_expander() = default;

const expansion_report& affix_expander::expand(const aff_decode_cache& cache, text_view entry, expansion_sink& sink,
                                               const expansion_stop& stop, bool aliases_done) {
  return engine_->run(cache, entry, sink, stop, aliases_done);
}

expansion_report expand_entry(const aff_decode_cache& cache, text_view entry, expansion_sink& sink,
                              const expansion_stop& stop, bool aliases_done) {
  affix_expander expander;
  return expander.expand(cache, entry, sink, stop, aliases_done);
}
