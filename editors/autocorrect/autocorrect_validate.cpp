#include "editors/autocorrect/autocorrect_validate.h"

#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/format.h"
#include "editors/autocorrect/autocorrect_editor.h"
#include "editors/autocorrect/autocorrect_tools.h"

#include <string>
#include <unordered_map>
#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

constexpr char16_t kNoDictionary[] = u"No dictionary found - skipping dictionary checks...\n\n\n";

// The step's report, handed to the log when the step ends (an aborted step
// hands nothing over).
class step_report {
 public:
  explicit step_report(const autocorrect_validate_output& out) : out_(out) {}
  void line(text_view text) {
    text_.append(text);
    text_.push_back(u'\n');
  }
  // The two empty lines that end a step, then the whole report to the log.
  void hand_over() {
    text_.append(u"\n\n");
    if (out_.log) out_.log(text_);
    text_.clear();
  }

 private:
  const autocorrect_validate_output& out_;
  text_t text_;
};

void log_line(const autocorrect_validate_output& out, text_view text) {
  if (out.log) out.log(text_t(text) + u"\n");
}

// An incorrect text such as ":smile:" is a shortcode: its correct text is
// a symbol, no word to look up.
bool is_shortcode(text_view incorrect) {
  return incorrect.size() >= 2 && incorrect.front() == u':' && incorrect.back() == u':';
}

// The dictionary's word forms: millions of short texts, kept in one buffer
// (each as its length unit, then its units) with an open-addressing table of
// 8-byte slots over it: no allocation per word, few cache lines per look-up.
class word_form_set {
 public:
  // The first n words of forms (one entry's expansion). Their slots are
  // fetched from memory together before any is looked at.
  void insert(const std::vector<text_t>& forms, size_t n) {
    while ((used_ + n + 1) * 4 > slots_.size() * 3) grow();
    hashes_.resize(n);
    const size_t mask = slots_.size() - 1;
    for (size_t k = 0; k < n; ++k) {
      hashes_[k] = hash(forms[k]);
      __builtin_prefetch(&slots_[hashes_[k] & mask]);
    }
    for (size_t k = 0; k < n; ++k) insert(forms[k], hashes_[k]);
  }
  bool contains(text_view word) const {
    if (slots_.empty() || word.size() > 0xFFFF) return false;
    return slots_[find(word, hash(word))].offset != 0;
  }
  size_t size() const { return used_; }

 private:
  void insert(text_view word, uint32_t h) {
    // No word form is that long, nor a buffer past 32-bit offsets in memory.
    if (word.size() > 0xFFFF || units_.size() + word.size() >= UINT32_MAX) return;
    slot& s = slots_[find(word, h)];
    if (s.offset != 0) return;  // there already
    s = {h, static_cast<uint32_t>(units_.size())};
    units_.push_back(static_cast<char16_t>(word.size()));
    units_.insert(units_.end(), word.begin(), word.end());
    ++used_;
  }

  // offset 0 marks a free slot: the buffer starts with a placeholder unit.
  struct slot {
    uint32_t hash = 0;  // the low half of the word's hash, which places it
    uint32_t offset = 0;
  };
  static uint32_t hash(text_view key) {
    uint64_t h = 1469598103934665603ull;
    for (char16_t u : key) h = (h ^ u) * 1099511628211ull;
    return static_cast<uint32_t>(h ^ (h >> 32));
  }
  // The word's slot, or the free slot where it belongs.
  size_t find(text_view word, uint32_t h) const {
    const size_t mask = slots_.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
      const slot& s = slots_[i];
      if (s.offset == 0) return i;
      if (s.hash == h && units_[s.offset] == word.size() &&
          std::equal(word.begin(), word.end(), units_.begin() + s.offset + 1)) {
        return i;
      }
    }
  }
  void grow() {
    if (units_.empty()) units_.push_back(0);
    std::vector<slot> old(slots_.empty() ? size_t{1} << 16 : slots_.size() * 2);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const slot& s : old) {
      if (s.offset == 0) continue;
      size_t i = s.hash & mask;
      while (slots_[i].offset != 0) i = (i + 1) & mask;
      slots_[i] = s;
    }
  }

  std::vector<char16_t> units_;
  std::vector<slot> slots_;
  std::vector<uint32_t> hashes_;
  size_t used_ = 0;
};

}  // namespace

text_t autocorrect_validate_introduction() {
  return u"Autocorrect Validate V2.1 - 2023-04-08\n"
         u"============================\n"
         u"\n"
         u"This tool will analyse the Autocorrect list finding issues, such as entries\n"
         u"replacing with words that do not exist in the dictionary and entries that\n"
         u"replace with incorrect entries: ('color', 'colour'), ('colour', 'color').\n"
         u"\n\n";
}

autocorrect_validate_result validate_autocorrect_list(const list_document& autocorrect,
                                                      const list_document& dictionary,
                                                      const aff_decode_cache& cache, int64_t decode_limit, text_view separator,
                                                      long_job_host& host, const autocorrect_validate_output& out) {
  autocorrect_validate_result r;
  step_report report(out);
  long_job job(host, u"", dictionary.empty() ? 0 : dictionary.count() - 1, true);
  auto stop = [&]() {
    job.abort();
    log_line(out, u"Aborted.");
    r.aborted = true;
    return r;
  };
  auto show_issues = [&]() {
    if (out.issues) out.issues(r.issues());
  };

  // Step 1: every word form of the dictionary, once, in a hash set.
  log_line(out, u"Step 1/4 - Extracting dictionary wordlist...");
  word_form_set words;
  const bool have_dictionary = !dictionary.empty();
  if (!have_dictionary) {
    if (out.log) out.log(kNoDictionary);
  } else {
    std::vector<text_t> forms;  // the word array of the expansion, reused for every entry
    affix_expander expander;
    bool asked = false;
    for (int64_t i = 0; i < dictionary.count(); ++i) {
      const text_view entry = dictionary.entry(i);
      if (!entry.empty() && entry.front() != u'/') {
        word_array_sink sink(forms, 0, u"", u"");
        expander.expand(cache, entry, sink);
        words.insert(forms, static_cast<size_t>(sink.stored));
        r.derived_words += sink.stored;
      }
      if (!asked && decode_limit != 0 && r.derived_words >= decode_limit) {
        asked = true;
        if (host.message_box(u"Warning!", decoded_words_question(decode_limit, separator), BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_YES) {
          report.line(u"Failed to extract full .dic wordlist.");
          r.wordlist_incomplete = true;
          break;
        }
      }
      if (!job.step(i)) return stop();
    }
    r.distinct_words = static_cast<int64_t>(words.size());
    if (!r.wordlist_incomplete) report.line(u"Done!");
    report.line(u"Total wordlist:" + string_from_int(r.derived_words));
    report.hand_over();
  }

  // Step 2: the pairs split into their texts.
  log_line(out, u"Step 2/4 - Extracting autocorrect list...");
  const int64_t count = autocorrect.count();
  r.pairs = count;
  host.job_started(u"", count > 0 ? count - 1 : 0);
  std::vector<text_t> incorrect(static_cast<size_t>(count)), correct(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    autocorrect_fields f = autocorrect_fields_of_entry(autocorrect.entry(i));
    if (is_shortcode(f.incorrect)) f.correct.clear();
    incorrect[static_cast<size_t>(i)] = std::move(f.incorrect);
    correct[static_cast<size_t>(i)] = std::move(f.correct);
    if (!job.step(i)) return stop();
  }
  report.line(u"Done!");
  report.line(u"Total autocorrect list:" + string_from_int(count));
  report.hand_over();

  // Step 3: correct texts that are no word form of the dictionary.
  log_line(out, u"Step 3/4 - Comparing extracted autocorrect wordlist with dictionary...");
  show_issues();
  if (!have_dictionary) {
    if (out.log) out.log(kNoDictionary);
  } else if (r.wordlist_incomplete) {
    log_line(out, u"Dictionary words extraction aborted by user, so skipping this step.");
    log_line(out, u"");
    log_line(out, u"");
  } else {
    host.job_started(u"", count > 0 ? count - 1 : 0);
    for (int64_t i = 0; i < count; ++i) {
      const text_t& c = correct[static_cast<size_t>(i)];
      if (!c.empty() && !words.contains(c)) {
        report.line(u"Not found:'" + c + u"'\u2192Line " + string_from_int(i + 1));
        ++r.not_found;
        show_issues();
      }
      if (!job.step(i)) return stop();
    }
    report.line(u"Done!");
    report.hand_over();
  }
  words = word_form_set();

  // Step 4: pairs whose correct text is the incorrect text of a pair. Each
  // such pair is reported once, with the number of pairs it undoes when
  // they are several: a line per matching pair would grow with the square
  // of a list whose pairs share one text.
  log_line(out, u"Step 4/4 - Comparing extracted autocorrect wordlist with incorrect/correct...");
  std::unordered_map<text_view, int64_t> incorrect_count;
  incorrect_count.reserve(static_cast<size_t>(count));
  for (const text_t& t : incorrect) ++incorrect_count[t];
  host.job_started(u"", count > 0 ? count - 1 : 0);
  for (int64_t i = 0; i < count; ++i) {
    const text_t& c = correct[static_cast<size_t>(i)];
    const auto found = incorrect_count.find(c);
    if (found != incorrect_count.end()) {
      text_t line = u"Incorrect Autocorrect entry:'" + c + u"','" + incorrect[static_cast<size_t>(i)] +
                    u"'\u2192Line " + string_from_int(i + 1);
      if (found->second > 1) line += u" (\u00d7" + string_from_int(found->second) + u")";
      report.line(line);
      r.reversed += found->second;
      show_issues();
    }
    if (!job.step(i)) return stop();
  }
  report.line(u"Done!");
  report.hand_over();
  job.end(u"");
  return r;
}

