#include "tools/master_wordlist.h"

#include "common/file.h"
#include "common/format.h"
#include "tools/wordlist_tools.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The lines of a text (LF, CR or CR LF ends one; a last line without an
// end counts) with the position after each.
struct text_line {
  text_view text;
  int64_t end = 0;
};
std::vector<text_line> split_lines(text_view text) {
  std::vector<text_line> lines;
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), u'\n')) + 1);
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    size_t end = start;
    while (end < n && text[end] != u'\n' && text[end] != u'\r') ++end;
    size_t next = end;
    if (next < n) next += (text[next] == u'\r' && next + 1 < n && text[next + 1] == u'\n') ? 2 : 1;
    lines.push_back({text.substr(start, end - start), static_cast<int64_t>(next)});
    start = next;
  }
  return lines;
}

// Hashes and prefetches the set's slots of a batch of lines before they are
// looked up, so the cache misses of a large set overlap.
constexpr size_t kBatch = 16;

// A set of words held as views into texts that outlive it: open
// addressing over a flat array with each word's hash stored beside it, so a
// lookup of a million-word master costs one or two cache lines.
class word_view_set {
 public:
  explicit word_view_set(size_t expected) {
    size_t capacity = 16;
    while (capacity < expected * 2) capacity <<= 1;
    slots_.resize(capacity);
    mask_ = capacity - 1;
  }
  static uint64_t hash(text_view word) {
    uint64_t h = 0xcbf29ce484222325ull ^ word.size();
    for (char16_t u : word) h = (h ^ u) * 0x100000001b3ull;
    return h ^ (h >> 32);
  }
  void prefetch(uint64_t h) const { __builtin_prefetch(&slots_[h & mask_]); }
  // After prefetch: the text of the word in the home slot, which the
  // comparison of a hit reads.
  void prefetch_word(uint64_t h) const {
    const slot& s = slots_[h & mask_];
    if (s.data) __builtin_prefetch(s.data);
  }
  // Room for `expected` words without growing on the way.
  void reserve(size_t expected) {
    while (expected * 2 > slots_.size()) grow();
  }
  // True when the word was not in the set before.
  bool insert(text_view word, uint64_t h) {
    if (count_ * 2 >= slots_.size()) grow();
    slot* s = find_slot(word, h);
    if (s->data) return false;
    *s = {static_cast<uint32_t>(h >> 32), static_cast<uint32_t>(word.size()), word.data()};
    ++count_;
    return true;
  }
  bool contains(text_view word, uint64_t h) const {
    return const_cast<word_view_set*>(this)->find_slot(word, h)->data;
  }

 private:
  struct slot {
    uint32_t tag = 0;  // the high half of the hash
    uint32_t size = 0;
    const char16_t* data = nullptr;
  };
  slot* find_slot(text_view word, uint64_t h) {
    const uint32_t tag = static_cast<uint32_t>(h >> 32);
    for (size_t i = h & mask_;; i = (i + 1) & mask_) {
      slot& s = slots_[i];
      if (!s.data) return &s;
      if (s.tag == tag && s.size == word.size() && text_view(s.data, s.size) == word) return &s;
    }
  }
  void grow() {
    std::vector<slot> old;
    old.swap(slots_);
    slots_.resize(old.size() * 2);
    mask_ = slots_.size() - 1;
    for (const slot& s : old) {
      if (!s.data) continue;
      size_t i = hash(text_view(s.data, s.size)) & mask_;
      while (slots_[i].data) i = (i + 1) & mask_;
      slots_[i] = s;
    }
  }
  std::vector<slot> slots_;
  size_t mask_ = 0;
  size_t count_ = 0;
};

// Runs f(line, hash) over the lines in batches (hashes first, the slots of
// the set and of the second set, if any, prefetched), then the job's step
// per line; false when the job stopped.
template <class F>
bool for_each_hashed_line(const std::vector<text_line>& lines, const word_view_set& set, const word_view_set* second,
                          long_job& job, F&& f) {
  uint64_t hashes[kBatch];
  for (size_t first = 0; first < lines.size(); first += kBatch) {
    const size_t n = std::min(kBatch, lines.size() - first);
    for (size_t i = 0; i < n; ++i) {
      hashes[i] = word_view_set::hash(lines[first + i].text);
      set.prefetch(hashes[i]);
      if (second) second->prefetch(hashes[i]);
    }
    for (size_t i = 0; i < n; ++i) set.prefetch_word(hashes[i]);
    for (size_t i = 0; i < n; ++i) {
      f(lines[first + i].text, hashes[i]);
      if (!job.step(lines[first + i].end)) return false;
    }
  }
  return true;
}

bool has_upper_case(text_view word) {
  for (char16_t u : word) {
    if (unit_to_lower(u) != u) return true;
  }
  return false;
}

}  // namespace

text_t master_compare_step_text(int step, int64_t file, int64_t files) {
  switch (step) {
    case 1: return u": Loading Master wordlist twice...";
    case 2: return u": Loading Other wordlists... " + string_from_int(file) + u" of " + string_from_int(files);
    case 3: return u": Sorting wordlists in ASCII...";
    case 4: return u": eXclusive deleting words... " + string_from_int(file) + u" of 2";
    case 5: return u": Sorting wordlists in UTF-8...";
    case 6: return u": Counting unique words...";
    default: return {};
  }
}

bool missing_word_kept(text_view word, missing_word_filter filter) {
  if (word.empty()) return false;
  switch (filter) {
    case missing_word_filter::hyphenated: return word.find(u'-') != text_view::npos;
    case missing_word_filter::uppercase: return has_upper_case(word);
    default: return true;
  }
}

master_compare_result compare_with_master(text_view master_path, const std::vector<text_t>& other_paths,
                                          long_job_host& host, const master_compare_observer& observer) {
  master_compare_result r;
  auto start_step = [&](int step, text_view text) {
    r.step = step;
    if (observer.step_started) observer.step_started(step, text);
  };
  auto end_step = [&](int step) {
    if (observer.step_done) observer.step_done(step);
  };
  auto show_total = [&](int64_t words) {
    if (observer.total_words) observer.total_words(words);
  };
  long_job job(host, u"", 0, true);
  auto stop = [&](master_compare_status status) {
    r.status = status;
    job.abort();
    return r;
  };

  // 1. The master, read once; its lines are views into master_text.
  start_step(1, master_compare_step_text(1));
  text_t master_text;
  switch (read_word_list_file(master_path, host, master_text)) {
    case word_list_read_status::unreadable: return stop(master_compare_status::master_unreadable);
    case word_list_read_status::declined: return stop(master_compare_status::aborted);
    default: break;
  }
  host.job_started(u"", static_cast<int64_t>(master_text.size()));
  const std::vector<text_line> master_lines_of = split_lines(master_text);
  word_view_set master(master_lines_of.size());
  int64_t master_lines = 0;
  job.on_tick = [&](int64_t) { show_total(master_lines); };
  const bool master_read = for_each_hashed_line(master_lines_of, master, nullptr, job, [&](text_view line, uint64_t h) {
    ++master_lines;
    if (!line.empty()) master.insert(line, h);
  });
  if (!master_read) return stop(master_compare_status::aborted);
  r.master_lines = master_lines;
  if (observer.file_counted) observer.file_counted(-1, master_lines);
  show_total(master_lines);
  end_step(1);

  // 2. The other files: each line that the master lacks and that was not
  // found before becomes a missing word.
  word_view_set seen(1024);
  std::vector<text_t> texts(other_paths.size());
  int64_t total = master_lines;
  r.other_lines.assign(other_paths.size(), 0);
  for (size_t k = 0; k < other_paths.size(); ++k) {
    start_step(2, master_compare_step_text(2, static_cast<int64_t>(k) + 1, static_cast<int64_t>(other_paths.size())));
    text_t& text = texts[k];
    const word_list_read_status status = read_word_list_file(other_paths[k], host, text);
    if (status == word_list_read_status::declined) return stop(master_compare_status::aborted);
    if (status != word_list_read_status::ok) {
      r.other_lines[k] = -1;
      r.unreadable_others.push_back(other_paths[k]);
      continue;
    }
    host.job_started(u"", static_cast<int64_t>(text.size()));
    int64_t lines = 0;
    job.on_tick = [&](int64_t) { show_total(total + lines); };
    const std::vector<text_line> lines_of = split_lines(text);
    seen.reserve(r.missing_words.size() + lines_of.size());
    const bool read = for_each_hashed_line(lines_of, master, &seen, job, [&](text_view line, uint64_t h) {
      ++lines;
      if (!line.empty() && !master.contains(line, h) && seen.insert(line, h)) {
        r.missing_words.push_back({text_t(), text_t(line), 0});
      }
    });
    if (!read) return stop(master_compare_status::aborted);
    total += lines;
    r.other_lines[k] = lines;
    if (observer.file_counted) observer.file_counted(static_cast<int64_t>(k), lines);
    show_total(total);
  }
  r.total_words = total;
  end_step(2);
  job.on_tick = nullptr;

  // 3 and 4: the lookups above did the ASCII sort's and the exclusive
  // delete's work; the steps are shown so the window lists all six.
  start_step(3, master_compare_step_text(3));
  end_step(3);
  start_step(4, master_compare_step_text(4, 2));
  end_step(4);

  // 5. The missing words in their folded order.
  start_step(5, master_compare_step_text(5));
  host.job_started(u"", static_cast<int64_t>(r.missing_words.size()));
  for (size_t i = 0; i < r.missing_words.size(); ++i) {
    r.missing_words[i].key = fold_accents_lowercase(r.missing_words[i].value);
    if (!job.step(static_cast<int64_t>(i) + 1)) return stop(master_compare_status::aborted);
  }
  sort_work_records_by_key(r.missing_words);
  end_step(5);

  // 6. The counts.
  start_step(6, master_compare_step_text(6));
  for (size_t i = 0; i < r.missing_words.size(); ++i) {
    const text_t& word = r.missing_words[i].value;
    ++r.missing;
    if (missing_word_kept(word, missing_word_filter::hyphenated)) ++r.hyphenated;
    if (missing_word_kept(word, missing_word_filter::uppercase)) ++r.uppercase;
    if (!job.step(static_cast<int64_t>(i) + 1)) return stop(master_compare_status::aborted);
  }
  end_step(6);
  job.end(u"");
  return r;
}

missing_words_save_result save_missing_words_file(const std::vector<sort_work_record>& words,
                                                  missing_word_filter filter, text_view path,
                                                  long_job_host& host) {
  missing_words_save_result r;
  long_job job(host, u"", static_cast<int64_t>(words.size()), true);
  atomic_file out;
  if (!out.create(path)) {
    r.write_failed = true;
    job.abort();
    return r;
  }
  std::string buffer = "\xEF\xBB\xBF";
  for (size_t i = 0; i < words.size(); ++i) {
    const text_t& word = words[i].value;
    if (missing_word_kept(word, filter)) {
      append_utf8(buffer, word);
      buffer += '\n';
      ++r.written;
      if (buffer.size() >= (1 << 20)) {
        out.write(buffer.data(), buffer.size());
        buffer.clear();
      }
    }
    if (!job.step(static_cast<int64_t>(i) + 1)) {
      r.aborted = true;
      job.abort();
      return r;  // the temporary goes with `out`
    }
  }
  out.write(buffer.data(), buffer.size());
  if (!out.commit()) {
    r.write_failed = true;
    job.abort();
    return r;
  }
  job.end(u"");
  return r;
}
