#include "affix/affix_expansion.h"

#include "affix/aff_cache.h"
#include "dictionary/dic_entry.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

int64_t pending_word_editor_action = 0;
text_t expansion_root_word;
std::vector<text_t> derived_words;
std::vector<uint8_t> derived_word_no_cross;
int64_t derived_word_count = 0;
text_t unknown_entry_flags;
text_t unknown_continuation_flags;
bool expansion_was_stopped = false;
int64_t nosuggest_indicator_colour = 0xFF00;
int64_t word_has_keepcase = 0, word_has_forbiddenword = 0, word_has_needaffix = 0, derived_has_needaffix = 0;
int64_t word_has_circumfix = 0, circumfix_flag_seen = 0;

namespace {

void (*poll_hook)() = nullptr;

// A set of texts for one entry, emptied in O(1) by a new generation; the
// expansion asks it once per continuation call and per derived word.
class seen_texts {
 public:
  void clear() {
    if (++generation_ == 0) {
      for (auto& s : slots_) s.generation = 0;
      generation_ = 1;
    }
    used_ = 0;
  }
  // True when the key was not there yet (it is then added).
  bool insert(text_view key) { return find_or_add(key).second; }
  // The key's number (0, 1, ... in order of first insertion) and whether it
  // was added now.
  std::pair<uint32_t, bool> find_or_add(text_view key) {
    if ((used_ + 1) * 2 > slots_.size()) grow();
    uint64_t h = hash(key);
    size_t mask = slots_.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
      slot& s = slots_[i];
      if (s.generation != generation_) {
        s = {h, generation_, store(key)};
        ++used_;
        return {s.key, true};
      }
      if (s.hash == h && keys_[s.key] == key) return {s.key, false};
    }
  }

 private:
  struct slot {
    uint64_t hash = 0;
    uint32_t generation = 0;
    uint32_t key = 0;
  };
  static uint64_t hash(text_view key) {
    uint64_t h = 1469598103934665603ull;
    for (char16_t u : key) h = (h ^ u) * 1099511628211ull;
    return h ^ (h >> 29);
  }
  uint32_t store(text_view key) {
    if (used_ < keys_.size()) keys_[used_].assign(key);
    else keys_.emplace_back(key);
    return static_cast<uint32_t>(used_);
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
  std::vector<text_t> keys_;
  size_t used_ = 0;
  uint32_t generation_ = 1;
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

// The indicators every rule of a set sets as it is met, matched or not.
void note_rule_indicators(const aff_rule_record& rule) {
  if (rule.continuation_circumfix) circumfix_flag_seen = 1;
  word_has_circumfix = 0;
  derived_has_needaffix = rule.continuation_needaffix;
  if (word_has_needaffix == 0) word_has_needaffix = derived_has_needaffix;
}

class expander {
 public:
  int64_t run(const expansion_request& request, text_view entry, bool aliases_done);

 private:
  bool poll() {
    if (request_->mode != 1) return stopped_;
    if (poll_hook) poll_hook();
    if (pending_word_editor_action != 0 || aff_cache_generation != generation_) stopped_ = true;
    return stopped_;
  }
  void emit(const derived_row& row, bool no_cross);
  void record_unknown(int level, text_view flag);
  void expand_flag(int level, text_view word, text_view flag, int32_t index, const continuation_context* context);
  void run_suffix_rules(int level, text_view word, text_view flag, int32_t set, bool no_cross,
                        const continuation_context* context);
  void run_prefix_rules(int level, text_view word, text_view flag, int32_t set, bool cross,
                        const continuation_context* context);
  void run_continuation(text_view word, const aff_rule_record& rule, const continuation_context& context);
  void run_prefix_pass();

  const aff_decode_cache* c_ = nullptr;
  const expansion_request* request_ = nullptr;
  bool stopped_ = false;
  bool running_ = false;
  uint64_t generation_ = 0;
  std::vector<collected_prefix> collected_;
  std::vector<text_view> entry_flags_;
  std::unordered_set<text_view> entry_flag_set_;
  std::unordered_set<int32_t> done_set_;
  seen_texts continuation_calls_, prefixed_words_;
  std::vector<std::vector<int32_t>> expanded_continuations_;  // by key of continuation_calls_
  std::vector<uint8_t> skip_;
  text_t buffer_[2];  // the derived word being built, by level
  text_t pass_word_, entry_text_, word_, call_key_, last_unknown_continuation_;
};

expander engine;

void expander::emit(const derived_row& row, bool no_cross) {
  if (stopped_) return;
  if (!output_derived_row(*request_, row)) {
    stopped_ = true;
    return;
  }
  if ((row.type == derived_row_type::primary || row.type == derived_row_type::suffix) && request_->mode >= 1 &&
      request_->mode <= 7) {
    size_t at = static_cast<size_t>(derived_word_count);
    if (at < derived_words.size()) {
      derived_words[at].assign(row.word);
      derived_word_no_cross[at] = no_cross;
    } else {
      derived_words.emplace_back(row.word);
      derived_word_no_cross.push_back(no_cross);
    }
    ++derived_word_count;
  }
}

void expander::record_unknown(int level, text_view flag) {
  text_t& list = level == 0 ? unknown_entry_flags : unknown_continuation_flags;
  // A continuation flag met again right after itself is listed once.
  if (level == 1) {
    if (flag == last_unknown_continuation_ && !list.empty()) return;
    last_unknown_continuation_.assign(flag);
  }
  if (c_->aff_flag_mode == FLAG_MODE_NUM && !list.empty()) list.push_back(u',');
  list.append(flag);
}

void expander::expand_flag(int level, text_view word, text_view flag, int32_t index,
                           const continuation_context* context) {
  if (poll()) return;
  if (index < 0) {
    record_unknown(level, flag);
    return;
  }
  const aff_flag_record& f = c_->flags[index];
  if (f.is_nosuggest) {
    nosuggest_indicator_colour = 0xFF;
    return;
  }
  if (f.is_keepcase) {
    word_has_keepcase = 1;
    return;
  }
  if (f.is_forbiddenword) {
    word_has_forbiddenword = 1;
    return;
  }
  if (f.is_circumfix) {
    word_has_circumfix = 1;
    circumfix_flag_seen = 1;
    return;
  }
  if (f.prefix_set == 0 && f.suffix_set == 0) {
    if (!f.is_needaffix) record_unknown(level, flag);
    return;
  }
  if (level == 0 && f.prefix_set != 0) collected_.push_back({flag, f.prefix_set, f.prefix_cross});
  // A continuation on the root word itself (an empty affix) would repeat the
  // rows the entry's own flag gave.
  bool repeats_entry_flag = level == 1 && word == expansion_root_word && entry_flag_set_.count(flag) != 0;
  if (f.suffix_set != 0 && !repeats_entry_flag)
    run_suffix_rules(level, word, flag, f.suffix_set, !f.suffix_cross, context);
  if (!stopped_ && f.prefix_set != 0) run_prefix_rules(level, word, flag, f.prefix_set, f.prefix_cross, context);
}

void expander::run_suffix_rules(int level, text_view word, text_view flag, int32_t set_number, bool no_cross,
                                const continuation_context* context) {
  const aff_rule_set_record& set = c_->sets[set_number];
  text_t& derived = buffer_[level];
  for (size_t i = 0; i < set.rules.size(); ++i) {
    if (poll()) return;
    const aff_rule_record& rule = set.rules[i];
    note_rule_indicators(rule);
    bool circumfix = rule.continuation_circumfix;
    if (!match_suffix_condition(word, rule)) continue;
    derived.assign(word.substr(0, word.size() - rule.strip_units.size())).append(rule.affix);
    bool shown;
    if (level == 0) {
      shown = !circumfix && !rule.continuation_needaffix;
    } else if (context->from_prefix) {
      // A prefix and a suffix: both carry CIRCUMFIX or neither does.
      shown = !rule.continuation_needaffix && circumfix == context->outer_circumfix;
    } else {
      shown = !rule.continuation_needaffix && !circumfix && !context->outer_circumfix;
    }
    if (shown) {
      derived_row row;
      row.type = derived_row_type::suffix;
      row.word = derived;
      row.base = word;
      row.flag = flag;
      row.position = set.offset;
      row.rule_number = static_cast<int64_t>(i) + 1;
      row.rule = &rule;
      row.origin_flag = level == 0 ? flag : context->origin_flag;
      row.continuation_flag = level == 0 ? text_view() : flag;
      emit(row, no_cross || (level == 1 && context->outer_no_cross));
      if (stopped_) return;
    }
    if (level == 0 && rule.has_continuation) {
      continuation_context next{circumfix, false, no_cross, flag};
      run_continuation(derived, rule, next);
      if (stopped_) return;
    }
  }
}

void expander::run_prefix_rules(int level, text_view word, text_view flag, int32_t set_number, bool cross,
                                const continuation_context* context) {
  const aff_rule_set_record& set = c_->sets[set_number];
  if (level == 0) {
    // The entry's prefixes are applied in the prefix pass; here only the
    // indicators their rules set.
    for (const aff_rule_record& rule : set.rules) note_rule_indicators(rule);
    return;
  }
  // Only sets declared Y combine with an affixed word.
  if (!cross) return;
  text_t& derived = buffer_[1];
  for (size_t k = 0; k < set.rules.size(); ++k) {
    if (poll()) return;
    const aff_rule_record& rule = set.rules[k];
    note_rule_indicators(rule);
    bool circumfix = rule.continuation_circumfix;
    // A suffix and a prefix pair up when both carry CIRCUMFIX or neither;
    // two prefixes only when neither does.
    bool pairs = context->from_prefix ? !circumfix && !context->outer_circumfix
                                      : circumfix == context->outer_circumfix;
    if (!pairs || !match_prefix_condition(word, rule)) continue;
    derived.assign(rule.affix).append(word.substr(rule.strip_units.size()));
    if (rule.continuation_needaffix) continue;
    derived_row row;
    row.type = derived_row_type::both;
    row.word = derived;
    row.base = word;
    row.flag = flag;
    row.position = set.offset;
    row.rule_number = static_cast<int64_t>(k) + 1;
    row.rule = &rule;
    row.origin_flag = context->origin_flag;
    row.continuation_flag = flag;
    emit(row, false);
    if (stopped_) return;
  }
}

void expander::run_continuation(text_view word, const aff_rule_record& rule, const continuation_context& context) {
  if (rule.continuation_flags.empty()) return;
  // Two rules can make one word with the same continuation flags: each flag
  // is expanded once per word, so no row comes twice. Contexts that let the
  // same rows through share a key: without an outer CIRCUMFIX it makes no
  // difference whether a suffix or a prefix started the expansion, and with
  // one the two give disjoint rows (Both rows after a suffix, Suffix rows
  // after a prefix). The first expansion's N mark stands for the word.
  call_key_.assign(word).push_back(u'\x01');
  call_key_.push_back(!context.outer_circumfix ? u'0' : context.from_prefix ? u'2' : u'1');
  auto [key, added] = continuation_calls_.find_or_add(call_key_);
  if (key >= expanded_continuations_.size()) expanded_continuations_.resize(key + 1);
  std::vector<int32_t>& done = expanded_continuations_[key];
  if (added) done.clear();
  done_set_.clear();
  if (!added) done_set_.insert(done.begin(), done.end());
  for (int32_t index : rule.continuation_flags) {
    if (!added && !done_set_.insert(index).second) continue;
    done.push_back(index);
    expand_flag(1, word, c_->flags[index].flag, index, &context);
    if (stopped_) return;
  }
}

void expander::run_prefix_pass() {
  // The words that exist now; words the pass adds are not prefixed again.
  const size_t n = static_cast<size_t>(derived_word_count);
  skip_.assign(n, 0);
  prefixed_words_.clear();
  for (size_t j = 0; j < n; ++j)
    skip_[j] = derived_word_no_cross[j] || !prefixed_words_.insert(derived_words[j]);
  const bool circumfix_met = circumfix_flag_seen != 0;
  text_t& derived = buffer_[0];
  for (const collected_prefix& p : collected_) {
    const aff_rule_set_record& set = c_->sets[p.set];
    for (size_t j = 0; j < n; ++j) {
      // A set declared N applies to the root word alone.
      if (skip_[j] || (!p.cross && j != 0)) continue;
      pass_word_ = derived_words[j];
      for (size_t k = 0; k < set.rules.size(); ++k) {
        if (poll()) return;
        const aff_rule_record& rule = set.rules[k];
        if (!match_prefix_condition(pass_word_, rule)) continue;
        derived.assign(rule.affix).append(text_view(pass_word_).substr(rule.strip_units.size()));
        if (!circumfix_met && !rule.continuation_needaffix) {
          derived_row row;
          row.type = derived_row_type::prefix;
          row.word = derived;
          row.base = pass_word_;
          row.flag = p.flag;
          row.position = set.offset;
          row.rule_number = static_cast<int64_t>(k) + 1;
          row.rule = &rule;
          row.origin_flag = p.flag;
          emit(row, false);
          if (stopped_) return;
        }
        if (rule.has_continuation) {
          continuation_context next{rule.continuation_circumfix, true, false, p.flag};
          run_continuation(derived, rule, next);
          if (stopped_) return;
        }
      }
    }
  }
}

int64_t expander::run(const expansion_request& request, text_view entry, bool aliases_done) {
  // An expansion started from inside the poll of another one would take its
  // state away: it does nothing.
  if (running_) return 0;
  struct running_mark {
    bool& flag;
    explicit running_mark(bool& f) : flag(f) { flag = true; }
    ~running_mark() { flag = false; }
  } mark(running_);
  generation_ = aff_cache_generation;
  c_ = &aff_cache;
  request_ = &request;
  stopped_ = false;
  collected_.clear();
  continuation_calls_.clear();
  derived_word_count = 0;
  expansion_root_word.clear();
  unknown_entry_flags.clear();
  unknown_continuation_flags.clear();
  expansion_was_stopped = false;
  nosuggest_indicator_colour = 0xFF00;
  word_has_keepcase = word_has_forbiddenword = word_has_needaffix = derived_has_needaffix = 0;
  word_has_circumfix = circumfix_flag_seen = 0;
  begin_expansion_output(request);

  // A copy: the caller's text may change while a mode-1 expansion polls.
  entry_text_.assign(dic_entry_head(entry));
  text_view head = entry_text_;
  size_t separator = dic_flag_separator(head);
  if (c_->aff_alias_count > 0 && !aliases_done && separator != text_view::npos) {
    text_view after = head.substr(separator + 1);
    int64_t n = string_to_int(after.substr(0, after.find(u'/')));
    if (n >= 1 && n <= c_->aff_alias_count) {
      entry_text_.resize(separator + 1);
      entry_text_.append(c_->aff_alias_flags[n]);
      head = entry_text_;
    }
  }
  text_view raw_word = separator == text_view::npos ? head : head.substr(0, separator);
  text_view flags = separator == text_view::npos ? text_view() : head.substr(separator + 1);
  text_view word = raw_word;
  if (raw_word.find(u"\\/") != text_view::npos) {
    word_.clear();
    for (size_t i = 0; i < raw_word.size(); ++i) {
      if (raw_word[i] == u'\\' && i + 1 < raw_word.size() && raw_word[i + 1] == u'/') ++i;
      word_.push_back(raw_word[i]);
    }
    word = word_;
  }
  if (word.empty()) {
    end_expansion_output(request);
    return 0;
  }
  expansion_root_word.assign(word);

  // The entry's flags, empty and repeated ones dropped.
  entry_flags_.clear();
  entry_flag_set_.clear();
  for_each_affix_flag(flags, c_->aff_flag_mode, [&](text_view f) {
    if (!f.empty() && entry_flag_set_.insert(f).second) entry_flags_.push_back(f);
  });
  for (text_view f : entry_flags_) {
    if (!c_->aff_keepcase_flag.empty() && f == c_->aff_keepcase_flag) word_has_keepcase = 1;
    if (!c_->aff_needaffix_flag.empty() && f == c_->aff_needaffix_flag) word_has_needaffix = 1;
  }

  derived_row primary;
  primary.word = word;
  primary.base = word;
  emit(primary, false);

  for (text_view f : entry_flags_) {
    if (stopped_) break;
    expand_flag(0, word, f, c_->find_flag(f), nullptr);
  }
  if (!stopped_ && !collected_.empty() && derived_word_count >= 1) run_prefix_pass();
  end_expansion_output(request);

  if (request.mode == 1 && stopped_ && !derived_rows_capped) {
    expansion_was_stopped = true;
    return 0;
  }
  if (request.mode == 100) return crunch_first_derivative.empty() ? 0 : 1;
  return expansion_output_count;
}

}  // namespace

void set_word_editor_poll_hook(void (*hook)()) { poll_hook = hook; }

bool match_suffix_condition(text_view word, const aff_rule_record& rule) {
  // PCRE's "$" also matches before a final line feed: leave such words to it.
  if (rule.anchor_unit != 0 && (word.empty() || (word.back() != rule.anchor_unit && word.back() != u'\n')))
    return false;
  const text_t& strip = rule.strip_units;
  if (!strip.empty() && (word.size() < strip.size() || word.substr(word.size() - strip.size()) != strip))
    return false;
  return rule.condition_id < 0 || aff_cache.conditions[rule.condition_id].matches(word);
}

bool match_prefix_condition(text_view word, const aff_rule_record& rule) {
  if (rule.anchor_unit != 0 && (word.empty() || word.front() != rule.anchor_unit)) return false;
  const text_t& strip = rule.strip_units;
  if (!strip.empty() && (word.size() < strip.size() || word.substr(0, strip.size()) != strip)) return false;
  return rule.condition_id < 0 || aff_cache.conditions[rule.condition_id].matches(word);
}

int64_t expand_entry(const expansion_request& request, text_view entry, bool aliases_done) {
  return engine.run(request, entry, aliases_done);
}

int64_t expand_word_affixes(int64_t mode, text_view entry, int64_t csv, int64_t hyphen_only, int64_t level,
                            text_view tag, text_view suffix1, text_view suffix2, int64_t to_hyphenation_list,
                            int64_t aliases_done) {
  (void)level;  // continuation levels are internal
  expansion_request request;
  request.mode = mode;
  request.csv = csv != 0;
  request.hyphen_only = hyphen_only != 0;
  request.tag = tag;
  request.suffix1 = suffix1;
  request.suffix2 = suffix2;
  request.to_hyphenation_list = to_hyphenation_list != 0;
  return engine.run(request, entry, aliases_done != 0);
}
