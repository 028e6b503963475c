#include "tools/wordlist_tools.h"

#include "common/char_refs.h"
#include "common/format.h"
#include "common/work_records.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// The input with its line ends normalised, kept alive for the views.
struct wordlist_run {
  text_t text;
  std::vector<text_view> lines;
  long_job_host& host;
  const wordlist_tool_observer& observer;
  text_view step;
  int64_t position = 0;

  wordlist_run(text_view input, long_job_host& h, const wordlist_tool_observer& o) : host(h), observer(o) {
    text = normalise_line_endings(input);
    if (text.empty() || text.back() != u'\n') text += u'\n';
    size_t start = 0;
    for (size_t end; (end = text.find(u'\n', start)) != text_t::npos; start = end + 1) {
      lines.push_back(text_view(text).substr(start, end - start));
    }
  }
  int64_t count() const { return static_cast<int64_t>(lines.size()); }
  bool nothing(bool needs_two) const { return text == u"\n" || (needs_two && lines.size() < 2); }
  void start_step(text_view s) {
    step = s;
    position = 0;
    if (observer.step_started) observer.step_started(s);
  }
  void attach(long_job& job) {
    job.on_tick = [this](int64_t) {
      if (observer.on_tick) observer.on_tick(step, position, count());
    };
  }
};

wordlist_tool_result stopped(wordlist_tool_result r, long_job& job, text_t output = {}) {
  r.status = wordlist_tool_status::aborted;
  r.output = std::move(output);
  job.abort();
  return r;
}

// The output step: each kept line + LF, with "Found:" counting up.
template <class Lines>
bool write_output(wordlist_run& run, long_job& job, const Lines& lines, text_t& out) {
  run.start_step(WORDLIST_STEP_OUTPUT);
  for (size_t i = 0; i < lines.size(); ++i) {
    run.position = static_cast<int64_t>(i) + 1;
    if (!job.step(run.position)) return false;
    out += lines[i];
    out += u'\n';
  }
  return true;
}

}  // namespace

wordlist_tool_result sort_small_wordlist(text_view input, long_job_host& host,
                                         const wordlist_tool_observer& observer) {
  wordlist_tool_result r;
  if (observer.step_started) observer.step_started(WORDLIST_STEP_UNIX);
  wordlist_run run(input, host, observer);
  if (run.nothing(false)) {
    r.status = wordlist_tool_status::nothing_to_process;
    return r;
  }
  r.lines = run.count();
  long_job job(host, u"", r.lines, true);
  run.attach(job);
  run.start_step(WORDLIST_STEP_TRANSFER);
  std::vector<sort_work_record> records(run.lines.size());
  for (size_t i = 0; i < run.lines.size(); ++i) {
    run.position = static_cast<int64_t>(i);
    if (!job.step(run.position)) return stopped(r, job);
    records[i].value = text_t(run.lines[i]);
    records[i].key = fold_accents_lowercase(run.lines[i]);
  }
  run.start_step(WORDLIST_STEP_SORT);
  sort_work_records_by_key(records);
  std::vector<text_view> sorted;
  sorted.reserve(records.size());
  for (const sort_work_record& record : records) sorted.push_back(record.value);
  text_t out;
  if (!write_output(run, job, sorted, out)) return stopped(r, job, std::move(out));
  r.output = std::move(out);
  r.found = r.lines;
  job.end(u"");
  return r;
}

wordlist_tool_result delete_duplicate_lines(text_view input, long_job_host& host,
                                            const wordlist_tool_observer& observer) {
  wordlist_tool_result r;
  if (observer.step_started) observer.step_started(WORDLIST_STEP_UNIX);
  wordlist_run run(input, host, observer);
  if (run.nothing(true)) {
    r.status = wordlist_tool_status::nothing_to_process;
    return r;
  }
  r.lines = run.count();
  long_job job(host, u"", r.lines, true);
  run.attach(job);
  run.start_step(WORDLIST_STEP_TRANSFER);
  for (size_t i = 0; i < run.lines.size(); ++i) {
    run.position = static_cast<int64_t>(i);
    if (!job.step(run.position)) return stopped(r, job);
  }
  // The first occurrence of each line stays; blank lines count like others
  // as duplicates but never reach the output.
  run.start_step(WORDLIST_STEP_DEDUPLICATE);
  std::unordered_map<text_view, size_t> first;
  first.reserve(run.lines.size());
  std::vector<text_view> kept;
  for (size_t i = 0; i < run.lines.size(); ++i) {
    run.position = static_cast<int64_t>(i);
    if (!job.step(run.position)) return stopped(r, job);
    if (!first.emplace(run.lines[i], i).second) {
      ++r.removed;
    } else if (!run.lines[i].empty()) {
      kept.push_back(run.lines[i]);
    }
  }
  text_t out;
  if (!write_output(run, job, kept, out)) return stopped(r, job, std::move(out));
  r.output = std::move(out);
  r.found = r.lines - r.removed;
  job.end(u"");
  return r;
}

wordlist_tool_result convert_xml_tags_to_accents(text_view input, long_job_host& host,
                                                 const wordlist_tool_observer& observer) {
  wordlist_tool_result r;
  if (observer.step_started) observer.step_started(WORDLIST_STEP_UNIX);
  wordlist_run run(input, host, observer);
  if (run.nothing(false)) {
    r.status = wordlist_tool_status::nothing_to_process;
    return r;
  }
  r.lines = run.count();
  long_job job(host, u"", r.lines, true);
  run.attach(job);
  run.start_step(WORDLIST_STEP_TRANSFER);
  for (size_t i = 0; i < run.lines.size(); ++i) {
    run.position = static_cast<int64_t>(i);
    if (!job.step(run.position)) return stopped(r, job);
  }
  run.start_step(WORDLIST_STEP_CONVERT);
  std::vector<text_t> words(run.lines.size());
  for (size_t i = 0; i < run.lines.size(); ++i) {
    run.position = static_cast<int64_t>(i) + 1;
    if (!job.step(run.position)) return stopped(r, job);
    words[i] = run.lines[i].find(u"&#") == text_view::npos ? text_t(run.lines[i])
                                                            : decode_numeric_char_refs(run.lines[i]);
  }
  text_t out;
  if (!write_output(run, job, words, out)) return stopped(r, job, std::move(out));
  r.output = std::move(out);
  r.found = r.lines;
  job.end(u"");
  return r;
}

bool regexp_alternatives_valid(text_view p) {
  if (p.find(u':') != text_view::npos) return false;
  const auto opens = std::count(p.begin(), p.end(), u'(');
  if (opens != std::count(p.begin(), p.end(), u')')) return false;
  size_t start = 0;
  for (int64_t g = 0; g < opens; ++g) {
    const size_t open = p.find(u'(', start);
    if (open == text_view::npos) return false;
    const size_t close = p.find(u')', open + 1);
    if (close == text_view::npos) return false;
    const text_view group = p.substr(open + 1, close - open - 1);
    if (group.empty() || group.find(u'(') != text_view::npos || group.find(u'|') != text_view::npos) return false;
    start = close + 1;
  }
  return true;
}

text_t regexp_alternatives_to_lines(text_view expression) {
  return string_replace(normalise_line_endings(expression), u"|", u"\n");
}

text_t lines_to_regexp_alternatives(text_view text) {
  const text_view line_break = text.find(u"\r\n") != text_view::npos ? text_view(u"\r\n") : text_view(u"\n");
  text_t out = string_replace(text, line_break, u"|");
  if (!out.empty() && out.back() == u'|') out.pop_back();
  return out;
}
