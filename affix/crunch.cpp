#include "affix/crunch.h"

#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/dic_entry.h"

#include <algorithm>
#include <deque>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

const std::array<crunch_option_info, CRUNCH_OPTION_COUNT> crunch_option_table{{
    {u'M', "X's → /M (Possessive -'s)"},
    {u'S', "Xs → /S (Plural/Verb -s)"},
    {u'G', "Xing → /G (Verb -ing)"},
    {u'D', "Xed → /D (Verb -ed)"},
    {u'p', "Xless → /p (Adjective -less)"},
    {u'O', "Xal → /O (Adjective -al)"},
    {u'w', "Xal → /w (Adjective -al)"},
    {u'W', "Xic → /W (Adjective -ic)"},
    {u'Y', "Xly → /Y (Adj/Adverb -ly)"},
    {u'1', "Xically → /1 (Adverb -ically)"},
    {u'k', "Xingly → /k (Adverb -ingly)"},
    {u'6', "Xful → /6 (Adjective -ful)"},
    {u'j', "Xfully → /j (Adverb -fully)"},
    {u'h', "Xedly → /h (Adverb -edly)"},
    {u'J', "Xings → /J (Plural noun -ings)"},
    {u'o', "Xally → /o (Adverb -ally)"},
    {u'~', "Xish → /~ (Adjective -ish)"},
}};

namespace {

struct crunch_record {
  text_t word;
  text_t separator, tags;
  int64_t entry_index = 0;
  bool has_flags = false;
  bool folded = false;
};

bool ends_with(text_view s, text_view end) { return s.size() >= end.size() && s.substr(s.size() - end.size()) == end; }

// Whether a one-letter flag can give a suffix word at all: without AF
// aliases only a flag that names a suffix set does.
bool may_give_suffix(const aff_decode_cache& cache, char16_t letter) {
  if (cache.aff_alias_count > 0) return true;
  const int32_t f = cache.find_flag(text_view(&letter, 1));
  return f >= 0 && cache.flags[static_cast<size_t>(f)].suffix_set != 0;
}

// The words the dictionary stands for when the run starts. A fold may only
// name words among them: the flag of a fold gives more words than the one it
// replaces (fein/D gives feind, and feinder too). An entry's expansion is
// capped as a view's is: an .aff can make one entry stand for millions of
// words, which the set would hold in gigabytes.
class held_words : public expansion_sink {
 public:
  void reserve(size_t n) { words_.reserve(n); }
  // A word that outlives the set.
  void add_stable(text_view word) { words_.insert(word); }
  size_t size() const { return words_.size(); }
  // False when the entry stands for more than DERIVED_ROW_VIEW_LIMIT words
  // (those before the cap are held).
  bool add_entry(const aff_decode_cache& cache, text_view entry) {
    adding_ = true;
    rows_ = 0;
    capped_ = false;
    expander_.expand(cache, entry, *this);
    return !capped_;
  }
  // Whether every word of the entry is held already; an entry past the cap
  // counts as one that is not.
  bool holds_every_word_of(const aff_decode_cache& cache, text_view entry) {
    adding_ = false;
    missing_ = false;
    rows_ = 0;
    capped_ = false;
    expander_.expand(cache, entry, *this);
    return !missing_ && !capped_;
  }
  bool take(const derived_row& row) override {
    if (++rows_ > DERIVED_ROW_VIEW_LIMIT) {
      capped_ = true;
      return false;
    }
    if (adding_) {
      if (words_.count(row.word) == 0) words_.insert(storage_.emplace_back(row.word));
      return true;
    }
    missing_ = words_.count(row.word) == 0;
    return !missing_;
  }

 private:
  std::deque<text_t> storage_;  // stable: the set views into it
  std::unordered_set<text_view> words_;
  size_t rows_ = 0;
  bool adding_ = true, missing_ = false, capped_ = false;
  affix_expander expander_;
};

}  // namespace

text_t crunch_fold_text(const crunch_fold& fold) { return fold.word + u"→" + fold.root + u"/" + fold.flag; }

text_t crunch_flag_summary(const crunch_settings& settings) {
  text_t s;
  for (int i = 0; i < CRUNCH_OPTION_COUNT; ++i)
    if (settings.enabled[static_cast<size_t>(i)]) s.push_back(crunch_option_table[static_cast<size_t>(i)].letter);
  return s;
}

crunch_result crunch_dictionary(list_document& doc, const aff_decode_cache& cache, const crunch_settings& settings,
                                list_tool_edit& edit, long_job_host& host, const crunch_progress_hooks& hooks,
                                const crunch_decode_warning& warning) {
  crunch_result r;
  const int64_t count = doc.count();
  if (count == 0) {
    r.status = crunch_status::no_words;
    return r;
  }
  if (std::none_of(settings.enabled.begin(), settings.enabled.end(), [](bool on) { return on; })) {
    r.status = crunch_status::no_rules;
    return r;
  }
  if (count == 1) {
    r.status = crunch_status::single_entry;
    return r;
  }
  const size_t match_left = static_cast<size_t>(std::clamp<int64_t>(settings.match_left, 1, 3));

  long_job job(host, u"", count, true);
  int step = 0;
  int64_t folds = 0;
  job.on_tick = [&](int64_t current) {
    if (hooks.tick) hooks.tick(step, current, folds);
  };
  auto start_step = [&](int s) {
    step = s;
    if (hooks.step_started) hooks.step_started(s);
  };
  auto stopped = [&]() {
    job.abort();
    r.status = crunch_status::aborted;
  };

  // Step 1: one record per entry.
  start_step(1);
  std::vector<crunch_record> records(static_cast<size_t>(count));
  held_words held;
  held.reserve(records.size());
  bool asked = false;
  for (int64_t k = 0; k < count; ++k) {
    const dic_entry_parts parts = split_dic_entry(doc.entries()[static_cast<size_t>(k)]);
    crunch_record& rec = records[static_cast<size_t>(k)];
    rec.word.assign(parts.word);
    rec.separator.assign(dic_entry_separator(parts));
    rec.tags.assign(parts.tags);
    rec.entry_index = k;
    rec.has_flags = !parts.flags.empty();
    // A plain word stands for itself alone (the records stay where they are).
    if (!parts.has_flags && parts.word.find(u"\\/") == text_view::npos) {
      if (!rec.word.empty()) held.add_stable(rec.word);
    } else if (!held.add_entry(cache, doc.entries()[static_cast<size_t>(k)])) {
      job.abort();
      r.status = crunch_status::too_many_words;
      r.message = u"Line " + string_from_int(k + 1) + u" (" + rec.word + u") stands for more than " +
                  string_from_int(static_cast<int64_t>(DERIVED_ROW_VIEW_LIMIT)) +
                  u" words: Crunch compares only entries that stand for fewer.\n\nNo changes done.";
      return r;
    }
    // Millions of words in a few kilobytes: the user decides before the set
    // takes the memory.
    if (!asked && warning.limit > 0 && static_cast<int64_t>(held.size()) >= warning.limit) {
      asked = true;
      if (host.message_box(u"Warning!", decoded_words_question(warning.limit, warning.separator), BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_YES) {
        stopped();
        return r;
      }
    }
    if (!job.step(k)) {
      stopped();
      return r;
    }
  }

  // Step 2: sorted by word (equal words in entry order).
  start_step(2);
  std::vector<uint32_t> order(records.size());
  std::iota(order.begin(), order.end(), 0u);
  std::stable_sort(order.begin(), order.end(),
                   [&](uint32_t a, uint32_t b) { return records[a].word < records[b].word; });

  // Step 3. The flagless records by word: a chain per word, in sorted order.
  start_step(3);
  std::unordered_map<text_view, uint32_t> first_of_word;
  first_of_word.reserve(records.size());
  constexpr uint32_t kNone = UINT32_MAX;
  std::vector<uint32_t> next_of(records.size(), kNone);
  for (size_t p = order.size(); p-- > 0;) {
    const uint32_t id = order[p];
    if (records[id].has_flags) continue;
    auto [it, inserted] = first_of_word.try_emplace(records[id].word, id);
    if (!inserted) {
      next_of[id] = it->second;
      it->second = id;
    }
  }
  std::array<bool, CRUNCH_OPTION_COUNT> usable{};
  for (size_t i = 0; i < usable.size(); ++i)
    usable[i] = settings.enabled[i] && may_give_suffix(cache, crunch_option_table[i].letter);

  first_suffix_sink sink;
  affix_expander expander;
  text_t entry;
  for (size_t p = 0; p < order.size(); ++p) {
    const uint32_t base_id = order[p];
    const crunch_record& base = records[base_id];
    if (!base.folded && !base.word.empty()) {
      const text_view key = text_view(base.word).substr(0, match_left);
      const bool no_s = ends_with(base.word, u"au") || ends_with(base.word, u"eu");
      const bool no_j = ends_with(base.word, u"ing's");
      for (size_t i = 0; i < usable.size(); ++i) {
        const char16_t letter = crunch_option_table[i].letter;
        if (!usable[i] || (letter == u'S' && no_s) || (letter == u'J' && no_j)) continue;
        entry.assign(base.word).push_back(u'/');
        entry.push_back(letter);
        sink.first.clear();
        expander.expand(cache, entry, sink);
        const text_t& derived = sink.first;
        // A candidate shares the base's group and is not the base's own word.
        if (derived.empty() || derived == base.word || derived.compare(0, key.size(), key) != 0) continue;
        auto found = first_of_word.find(derived);
        if (found == first_of_word.end()) continue;
        int checked = 0;  // 1: the flag adds no word, -1: it would
        for (uint32_t id = found->second; id != kNone; id = next_of[id]) {
          crunch_record& d = records[id];
          if (id == base_id || d.folded || d.tags != base.tags) continue;
          if (checked == 0) checked = held.holds_every_word_of(cache, entry) ? 1 : -1;
          if (checked < 0) break;
          edit.before_change();
          doc.mark_changed();
          d.folded = true;
          doc.set_entry(d.entry_index,
                        join_dic_entry(make_dic_entry(base.word, text_view(&letter, 1), {}), d.separator, d.tags));
          ++folds;
        }
      }
    }
    if (!job.step(static_cast<int64_t>(p))) {
      r.folds = folds;
      stopped();
      break;
    }
  }

  // Step 4: the folded entries in entry order.
  if (r.status != crunch_status::aborted) start_step(4);
  for (const crunch_record& rec : records) {
    if (!rec.folded) continue;
    const dic_entry_parts parts = split_dic_entry(doc.entries()[static_cast<size_t>(rec.entry_index)]);
    r.rows.push_back({rec.entry_index, rec.word, text_t(parts.word), text_t(parts.flags)});
  }
  r.folds = folds;
  r.elapsed_ms = job.elapsed_ms();
  if (r.status != crunch_status::aborted) job.end(u"");
  return r;
}

crunch_settings crunch_window_start_settings() {
  crunch_settings s;
  s.enabled.fill(true);
  return s;
}
