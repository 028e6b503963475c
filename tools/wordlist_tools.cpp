#include "tools/wordlist_tools.h"

#include "common/file.h"
#include "common/format.h"
#include "common/text_file_open.h"
#include "common/work_records.h"
#include "common/xml_text.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

word_list_read_status read_word_list_file(text_view path, long_job_host& host, text_t& text) {
  constexpr int kFile = 1;
  text.clear();
  if (file_size_by_path(path) < 0) return word_list_read_status::unreadable;
  const text_file_open opened = open_text_file(kFile, path, charset_declaration::none, host);
  switch (opened.status) {
    case text_file_open_status::ok: break;
    case text_file_open_status::declined: return word_list_read_status::declined;
    default: return word_list_read_status::unreadable;
  }
  text = file_read_line(kFile, opened.format | FILE_READ_REST);
  const bool ok = file_read_ok(kFile);
  file_close(kFile);
  if (!ok) text.clear();
  return ok ? word_list_read_status::ok : word_list_read_status::unreadable;
}

namespace {

// The input with its line ends normalised, kept alive for the views.
struct wordlist_run {
  text_t text;
  std::vector<text_view> lines;
  const wordlist_tool_observer& observer;
  text_view step;
  int64_t position = 0;

  wordlist_run(text_view input, const wordlist_tool_observer& o) : observer(o) {
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
};

// The frame of the three tools: the split (step 1), the transfer (step 2,
// with `transfer(lines, i)` for each line), the tool's own step 3 (`middle`
// fills the lines to output; false when the job stopped) and the output
// (step 4).
template <class Transfer, class Middle>
wordlist_tool_result run_wordlist_steps(text_view input, bool needs_two, text_view middle_step,
                                        long_job_host& host, const wordlist_tool_observer& observer,
                                        Transfer&& transfer, Middle&& middle) {
  wordlist_tool_result r;
  if (observer.step_started) observer.step_started(WORDLIST_STEP_UNIX);
  wordlist_run run(input, observer);
  if (run.nothing(needs_two)) {
    r.status = wordlist_tool_status::nothing_to_process;
    return r;
  }
  r.lines = run.count();
  long_job job(host, u"", r.lines, true);
  job.on_tick = [&run](int64_t) {
    if (run.observer.on_tick) run.observer.on_tick(run.step, run.position, run.count());
  };
  auto stop = [&](text_t output) {
    r.status = wordlist_tool_status::aborted;
    r.output = std::move(output);
    job.abort();
    return r;
  };
  run.start_step(WORDLIST_STEP_TRANSFER);
  for (size_t i = 0; i < run.lines.size(); ++i) {
    run.position = static_cast<int64_t>(i);
    if (!job.step(run.position)) return stop({});
    transfer(run.lines, i);
  }
  run.start_step(middle_step);
  std::vector<text_t> result;
  if (!middle(run, job, r, result)) return stop({});
  // The output, with "Found:" counting up.
  run.start_step(WORDLIST_STEP_OUTPUT);
  text_t out;
  for (size_t i = 0; i < result.size(); ++i) {
    run.position = static_cast<int64_t>(i) + 1;
    if (!job.step(run.position)) return stop(std::move(out));
    out += result[i];
    out += u'\n';
  }
  r.output = std::move(out);
  r.found = r.lines - r.removed;
  job.end(u"");
  return r;
}

void no_transfer(const std::vector<text_view>&, size_t) {}

}  // namespace

wordlist_tool_result sort_small_wordlist(text_view input, long_job_host& host,
                                         const wordlist_tool_observer& observer) {
  std::vector<sort_work_record> records;
  return run_wordlist_steps(
      input, false, WORDLIST_STEP_SORT, host, observer,
      [&](const std::vector<text_view>& lines, size_t i) {
        if (records.empty()) records.resize(lines.size());
        records[i].value = text_t(lines[i]);
        records[i].key = fold_accents_lowercase(lines[i]);
      },
      [&](wordlist_run&, long_job&, wordlist_tool_result&, std::vector<text_t>& result) {
        sort_work_records_by_key(records);
        for (sort_work_record& record : records) result.push_back(std::move(record.value));
        return true;
      });
}

wordlist_tool_result delete_duplicate_lines(text_view input, long_job_host& host,
                                            const wordlist_tool_observer& observer) {
  return run_wordlist_steps(
      input, true, WORDLIST_STEP_DEDUPLICATE, host, observer, no_transfer,
      [](wordlist_run& run, long_job& job, wordlist_tool_result& r, std::vector<text_t>& result) {
        // The first occurrence of each line stays; blank lines count like
        // others as duplicates but never reach the output.
        std::unordered_set<text_view> seen;
        seen.reserve(run.lines.size());
        for (size_t i = 0; i < run.lines.size(); ++i) {
          run.position = static_cast<int64_t>(i);
          if (!job.step(run.position)) return false;
          if (!seen.insert(run.lines[i]).second) ++r.removed;
          else if (!run.lines[i].empty()) result.emplace_back(run.lines[i]);
        }
        return true;
      });
}

wordlist_tool_result convert_xml_tags_to_accents(text_view input, long_job_host& host,
                                                 const wordlist_tool_observer& observer) {
  return run_wordlist_steps(
      input, false, WORDLIST_STEP_CONVERT, host, observer, no_transfer,
      [](wordlist_run& run, long_job& job, wordlist_tool_result&, std::vector<text_t>& result) {
        for (size_t i = 0; i < run.lines.size(); ++i) {
          run.position = static_cast<int64_t>(i) + 1;
          if (!job.step(run.position)) return false;
          const text_view line = run.lines[i];
          result.push_back(line.find(u"&#") == text_view::npos ? text_t(line) : xml_decode_character_references(line));
        }
        return true;
      });
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
