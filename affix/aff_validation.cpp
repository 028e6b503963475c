#include "affix/aff_validation.h"

#include "common/file.h"
#include "common/format.h"

#include <algorithm>
#include <memory>
#include <unordered_map>
#include <utility>

namespace {

const char16_t* const kStepTitles[AFF_VALIDATION_STEPS] = {
    u" - Searching For \"SET UTF-8\"",
    u" - Searching and validating reserved flags",
    u" - Listing flags in .AFF",
    u" - Searching for duplicate flags",
    u" - Counting number of rules per flag",
    u" - Searching for repeated/invalid rules in flags",
};

text_t num(int64_t v) { return string_from_int(v); }

bool starts_with(text_view s, text_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Field n (1-based) of s split at single spaces; two spaces make an empty field.
text_t field_of(text_view s, int n) { return string_nth_field(s, n, u" "); }

// One PFX/SFX header as the cache summarises it.
struct summary_entry {
  text_t kind, cross, flag, count_text;
  int64_t line = 0;
  bool current = false;  // the panel still holds this header at that line
};

std::vector<summary_entry> read_summary(const aff_decode_cache& cache) {
  std::vector<summary_entry> entries;
  text_view s = cache.aff_rule_set_summary;
  size_t begin = 0;
  while (begin < s.size()) {
    size_t end = s.find(u'\x01', begin);
    if (end == text_view::npos) end = s.size();
    text_view entry = s.substr(begin, end - begin);
    summary_entry e;
    e.kind = field_of(entry, 1);
    e.cross = field_of(entry, 2);
    e.flag = field_of(entry, 3);
    e.line = string_to_int(field_of(entry, 4));
    e.count_text = field_of(entry, 5);
    entries.push_back(std::move(e));
    begin = end + 1;
  }
  return entries;
}

// Whether the line still reads as the header the cache found there: the
// cache read it with TABs as spaces and runs of spaces as one.
bool holds_header(text_view line, const summary_entry& e) {
  text_t t(line);
  std::replace(t.begin(), t.end(), u'\t', u' ');
  t = collapse_spaces(t);
  return field_of(t, 1) == e.kind && field_of(t, 2) == e.flag && field_of(t, 3) == e.cross;
}

bool bracket_mismatch(text_view cond) {
  if (cond.empty() || cond.find_first_of(u"[]^") == text_view::npos) return false;
  if (cond.find(u"[]") != text_view::npos || cond.find(u"[^]") != text_view::npos) return true;
  if (string_count_occurrences(cond, u"^") != string_count_occurrences(cond, u"[^")) return true;
  int depth = 0;
  for (char16_t u : cond) {
    if (u == u'[' && ++depth > 1) return true;
    if (u == u']' && --depth < 0) return true;
  }
  return depth != 0;
}

class validation_run {
 public:
  validation_run(std::vector<aff_validate_line_record>& lines, text_view captured, const aff_decode_cache& cache,
                 long_job_host& host, const aff_validation_view& view)
      : lines_(lines), captured_(captured), cache_(cache), host_(host), view_(view) {}

  aff_validation_result run() {
    count_ = static_cast<int64_t>(lines_.size());
    for (auto& l : lines_) l.colour = AFF_LINE_BLACK;
    if (view_.colour_line) view_.colour_line(0, AFF_LINE_BLACK);
    start_ms_ = host_.now_ms();
    show_elapsed();
    entries_ = read_summary(cache_);
    for (auto& e : entries_) e.current = e.line >= 1 && e.line <= count_ && holds_header(text_of(e.line), e);
    prefixes_ = cache_.aff_prefix_set_count;
    suffixes_ = cache_.aff_suffix_set_count;

    bool go = step_set_utf8() && step_reserved_flags() && step_listing() && step_duplicate_flags() &&
              step_rules_per_flag() && step_rule_lines();
    if (!go) {
      result_.aborted = true;
      if (view_.aborted) view_.aborted();
      return std::move(result_);
    }
    show_elapsed();
    step_ = AFF_VALIDATION_STEPS + 1;
    write_now(u"");
    write_now(result_.errors ? u"Errors found in validation!" : u"No errors found in validation!");
    write_now(u"Done!");
    write_now(u"");
    write_now(u"\n");
    show_elapsed();
    if (view_.finished) view_.finished();
    return std::move(result_);
  }

 private:
  struct pending_line {
    text_t text;
    int64_t line;
    int32_t colour;
  };

  // ---- the log ----
  void log(text_view text, int64_t line = 0, int32_t colour = 0) {
    // A text with line feeds makes several lines of the log.
    size_t begin = 0;
    for (;;) {
      size_t lf = text.find(u'\n', begin);
      pending_.push_back({text_t(text.substr(begin, lf == text_view::npos ? text_view::npos : lf - begin)), line,
                          colour});
      if (lf == text_view::npos) break;
      begin = lf + 1;
    }
  }
  // The pending lines go to the log as one block, which the log ends with a
  // line feed of its own (an empty line); extra_lf adds one more.
  void flush(bool extra_lf = false) {
    text_t block;
    for (const auto& p : pending_) block.append(p.text).push_back(u'\n');
    if (extra_lf) block.push_back(u'\n');
    if (view_.log) view_.log(block);
    for (auto& p : pending_) result_.report.push_back({step_, std::move(p.text), p.line, p.colour});
    pending_.clear();
    result_.report.push_back({step_, u"", 0, 0});
    if (extra_lf) result_.report.push_back({step_, u"", 0, 0});
  }
  // A line that goes to the log at once, past the pending block.
  void write_now(text_view text) {
    if (view_.log) view_.log(text);
    text_t with_lf = text_t(text) + u"\n";
    size_t begin = 0;
    for (size_t lf = with_lf.find(u'\n'); lf != text_t::npos; lf = with_lf.find(u'\n', begin)) {
      result_.report.push_back({step_, with_lf.substr(begin, lf - begin), 0, 0});
      begin = lf + 1;
    }
  }

  // ---- lines ----
  const text_t& text_of(int64_t line) const { return lines_[line - 1].text; }
  void colour(int64_t line, int32_t c) {
    if (line < 1 || line > count_) return;
    lines_[line - 1].colour = c;
    if (view_.colour_line) view_.colour_line(line, c);
  }
  void error() { result_.errors = true; }
  // A header the panel no longer holds where the cache found it: nothing of
  // it can be checked or coloured until the cache is built from the lines.
  void report_stale(const summary_entry& e) {
    log(u" Line " + num(e.line) + u" does not hold \"" + e.kind + u" " + e.flag + u" " + e.cross +
        u"\" any more: press Refresh before Process.");
    error();
  }

  // ---- the job ----
  void show_elapsed() {
    if (view_.elapsed) view_.elapsed(host_.now_ms() - start_ms_);
  }
  void begin_step(int n, int64_t maximum) {
    step_ = n;
    maximum_ = maximum;
    job_.reset();
    job_ = std::make_unique<long_job>(host_, u"", maximum, true);
    job_->on_tick = [this](int64_t position) {
      show_elapsed();
      if (view_.progress) view_.progress(position, maximum_);
    };
    pending_.clear();
    log(u"");
    if (view_.step_started) view_.step_started(n);
    show_elapsed();
    log(u"Step " + num(n) + u"/" + num(AFF_VALIDATION_STEPS) + kStepTitles[n - 1]);
  }
  // One poll; false when the user confirmed the abort (the unflushed log is dropped).
  bool poll(int64_t position) {
    if (job_->step(position)) return true;
    job_->abort();
    pending_.clear();
    return false;
  }
  void end_step() { job_->end(u""); }

  // ---- step 1 ----
  bool step_set_utf8() {
    begin_step(1, 2 * count_);
    const text_view key = u"SET UTF-8";
    const int64_t total = string_count_occurrences(captured_, key);
    flush();
    if (total == 0 || count_ < 1) {
      log(u"Error: Not found in the .AFF");
      error();
      flush(true);
      end_step();
      return true;
    }
    int64_t found = 0;
    bool late = false;
    for (int64_t k = 1; k <= count_; ++k) {
      const text_t t = string_trim_spaces(text_of(k));
      const bool comment = !t.empty() && t[0] == u'#';
      const int64_t c = string_count_occurrences(t, key);
      if (!comment) found += c;
      if (found == 0 && !late) late = !comment && !t.empty();
      if (c > 0) {
        text_t suffix = comment ? u" (remmed)" : u"";
        if (c > 1) suffix += u" (multiple)";
        log(u"\"SET UTF-8\" found at line:" + num(k) + suffix, k);
      }
      if (!poll(k)) return false;
    }
    if (found == 0) {
      log(u"Error: Not found in the .AFF");
      error();
    } else if (found == 1 && !late) {
      log(u"OK! Found one entry in the .AFF");
    } else if (found >= 2) {
      for (int64_t l = 1; l <= count_; ++l) {
        const text_t t = string_trim_spaces(text_of(l));
        if ((t.empty() || t[0] != u'#') && t.find(key) != text_t::npos) colour(l, AFF_LINE_RED);
        if (!poll(count_ + l)) return false;
      }
      log(u"Error: Found " + num(found) + u" occurences in the .AFF");
      error();
    }
    if (late) {
      log(u"Error: \"SET UTF-8\" is not the first command in the .AFF.");
      error();
    }
    flush(true);
    end_step();
    return true;
  }

  // ---- step 2 ----
  bool step_reserved_flags() {
    begin_step(2, 0);
    log(u"Not coded yet!");
    flush();
    end_step();
    return true;
  }

  // ---- step 3 ----
  // A header's count as far as the panel can hold its rules: at most the
  // lines after it, never below 0. The count is any number the file holds,
  // and the totals add them up; step 5 reports a count its lines do not meet.
  int64_t rules_possible(const summary_entry& e) const {
    const int64_t after = std::max<int64_t>(0, count_ - e.line);
    return std::clamp<int64_t>(string_to_int(e.count_text), 0, after);
  }
  bool list_kind(bool prefix, int64_t& sum) {
    const int64_t n = prefix ? prefixes_ : suffixes_;
    const text_t kind = prefix ? u"PFX" : u"SFX";
    log(prefix ? u"Showing Prefixes..." : u"Showing Suffixes...");
    sum = 0;
    if (n == 0) {
      log(prefix ? u"No Prefixes found!\n" : u"No Suffixes found!\n");
    } else {
      log(u"Found " + num(n) + u" " + (n == 1 ? u"entry" : u"entries") + u":");
      int64_t seen = 0;
      for (size_t k = 0; k < entries_.size() && seen < n; ++k) {
        const summary_entry& e = entries_[k];
        if (e.kind == kind) {
          ++seen;
          log(u"Flag \"" + e.flag + u"\" count " + e.count_text + u" at line:" + num(e.line), e.current ? e.line : 0);
          sum += rules_possible(e);
        }
        if (!poll((prefix ? 0 : prefixes_) + seen)) return false;
      }
      log(u"");
    }
    flush();
    return true;
  }
  bool step_listing() {
    begin_step(3, prefixes_ + suffixes_);
    flush();
    int64_t prefix_sum = 0, suffix_sum = 0;
    if (!list_kind(true, prefix_sum) || !list_kind(false, suffix_sum)) return false;
    log(u"Total of rules Prefixes (" + num(prefix_sum) + u") + Suffixes (" + num(suffix_sum) +
        u") found:" + num(prefix_sum + suffix_sum));
    log(u"Total of Prefixes (" + num(prefixes_) + u") + Suffixes (" + num(suffixes_) +
        u") found:" + num(prefixes_ + suffixes_));
    flush(true);
    end_step();
    return true;
  }

  // ---- step 4 ----
  bool step_duplicate_flags() {
    const int64_t sets = prefixes_ + suffixes_;
    begin_step(4, sets);
    flush();
    if (sets == 0) {
      log(u"No flags found!\n");
      log(u"No duplicate flags found!");
    } else if (sets == 1) {
      log(u"No duplicate flags found!");
    } else {
      // A copy: the cache keeps its sets in file order for every other reader.
      std::vector<text_t> flags = cache_.aff_rule_set_flags;
      std::sort(flags.begin(), flags.end());
      std::unordered_map<text_t, std::vector<size_t>> entries_of_flag;
      for (size_t k = 0; k < entries_.size(); ++k) entries_of_flag[entries_[k].flag].push_back(k);
      bool any = false;
      for (size_t i = 0; i < flags.size();) {
        size_t end = i + 1;
        while (end < flags.size() && flags[end] == flags[i]) {
          if (!poll(static_cast<int64_t>(end))) return false;
          ++end;
        }
        if (end - i >= 2) {
          any = true;
          log(u"Flag:" + flags[i] + u"(" + num(static_cast<int64_t>(end - i)) + u")");
          for (size_t k : entries_of_flag[flags[i]]) {
            const summary_entry& e = entries_[k];
            if (!e.current) {
              report_stale(e);
              continue;
            }
            log(u"  Line:" + num(e.line), e.line, AFF_LINE_RED);
            colour(e.line, AFF_LINE_RED);
            error();
          }
        }
        if (!poll(static_cast<int64_t>(end) - 1)) return false;
        i = end;
      }
      if (!any) log(u"No duplicate flags found!");
    }
    flush(true);
    end_step();
    return true;
  }

  // ---- step 5 ----
  bool count_rules(bool prefix) {
    const text_t kind = prefix ? u"PFX" : u"SFX";
    write_now(prefix ? u"Analysing Prefixes..." : u"Analysing Suffixes...");
    bool reported = false;
    if ((prefix ? prefixes_ : suffixes_) == 0) {
      log(prefix ? u"No Prefixes found!\n" : u"No Suffixes found!\n");
    } else {
      int64_t seen = 0;
      for (size_t k = 0; k < entries_.size(); ++k) {
        const summary_entry& e = entries_[k];
        if (e.kind == kind) {
          ++seen;
          if (!e.current) {
            report_stale(e);
            reported = true;
          } else {
            const int64_t expected = string_to_int(e.count_text);
            const text_t key = kind + u" " + e.flag + u" ";
            int64_t found = 0;
            for (int64_t j = e.line + 1; j <= count_ && starts_with(string_trim_spaces(text_of(j)), key); ++j) ++found;
            if (found != expected) {
              log(u"Flag \"" + e.flag + u"\" expected " + num(expected) + u" found " + num(found) + u" at line:" +
                      num(e.line),
                  e.line, AFF_LINE_RED);
              colour(e.line, AFF_LINE_RED);
              error();
              reported = true;
            }
          }
        }
        if (!poll((prefix ? 0 : prefixes_) + seen)) return false;
      }
    }
    if (!reported) log(u"No errors found!");
    flush(true);
    return true;
  }
  bool step_rules_per_flag() {
    begin_step(5, prefixes_ + suffixes_);
    flush();
    if (!count_rules(true) || !count_rules(false)) return false;
    end_step();
    return true;
  }

  // ---- step 6 ----
  bool check_rule_lines(bool prefix) {
    const text_t kind = prefix ? u"PFX" : u"SFX";
    const int64_t entry_count = static_cast<int64_t>(entries_.size());
    write_now(prefix ? u"Analysing Prefixes..." : u"Analysing Suffixes...");
    bool reported = false;
    if ((prefix ? prefixes_ : suffixes_) == 0) {
      log(prefix ? u"No Prefixes found!\n" : u"No Suffixes found!\n");
    } else {
      for (int64_t k = 1; k <= entry_count; ++k) {
        const int64_t position = (prefix ? 0 : entry_count) + k;
        show_elapsed();
        const summary_entry& e = entries_[k - 1];
        if (e.kind != kind) {
          if (!poll(position)) return false;
          continue;
        }
        log(u"Flag \"" + e.flag + u"\"", e.current ? e.line : 0);
        if (!e.current) {
          report_stale(e);
          reported = true;
          if (!poll(position)) return false;
          continue;
        }
        const text_t key = kind + u" " + e.flag + u" ";
        std::vector<text_t> collected;  // collapsed text + LF + line number
        for (int64_t j = e.line + 1; j <= count_; ++j) {
          text_t t = string_trim_spaces(text_of(j));
          if (!starts_with(t, key)) break;
          const text_t collapsed = collapse_spaces(t);
          collected.push_back(collapsed + u"\n" + num(j));
          if (field_of(t, 5).empty()) {
            log(u" Not 5 fields at line " + num(j) + u": \"" + t + u"\" (in blue)", j, AFF_LINE_BLUE);
            colour(e.line, AFF_LINE_RED);
            colour(j, AFF_LINE_BLUE);
            error();
            reported = true;
          }
          const size_t spaces = t.find(u"  ");
          const size_t hash = t.find(u'#');
          if (spaces != text_t::npos && (hash == text_t::npos || spaces < hash)) {
            log(u" Excessive spaces at line " + num(j) + u": \"" + t + u"\"", j, AFF_LINE_RED);
            colour(e.line, AFF_LINE_RED);
            colour(j, AFF_LINE_RED);
            error();
            reported = true;
          }
          if (bracket_mismatch(field_of(collapsed, 5))) {
            log(u" Mistmatch of brackets/^ at line " + num(j) + u": \"" + collapsed + u"\"", j, AFF_LINE_RED);
            colour(e.line, AFF_LINE_RED);
            colour(j, AFF_LINE_RED);
            error();
            reported = true;
          }
          if (!poll(position)) return false;
        }
        std::sort(collected.begin(), collected.end());
        auto rule_text = [](const text_t& c) { return text_view(c).substr(0, c.rfind(u'\n')); };
        for (size_t i = 0; i < collected.size();) {
          size_t end = i + 1;
          while (end < collected.size() && rule_text(collected[end]) == rule_text(collected[i])) ++end;
          if (end - i >= 2) {
            for (size_t m = i; m < end; ++m) {
              const int64_t n = string_to_int(text_view(collected[m]).substr(collected[m].rfind(u'\n') + 1));
              log(u" Found duplicate rule at line " + num(n) + u": \"" + text_of(n) + u"\"", n, AFF_LINE_RED);
              colour(n, AFF_LINE_RED);
              error();
              reported = true;
            }
          }
          i = end;
        }
        show_elapsed();
        if (!poll(position)) return false;
      }
    }
    if (!reported) log(u"No errors found!");
    flush(true);
    return true;
  }
  bool step_rule_lines() {
    begin_step(6, 2 * static_cast<int64_t>(entries_.size()));
    flush();
    if (!check_rule_lines(true) || !check_rule_lines(false)) return false;
    end_step();
    return true;
  }

  std::vector<aff_validate_line_record>& lines_;
  text_view captured_;
  const aff_decode_cache& cache_;
  long_job_host& host_;
  const aff_validation_view& view_;
  aff_validation_result result_;
  std::vector<summary_entry> entries_;
  std::vector<pending_line> pending_;
  std::unique_ptr<long_job> job_;
  int64_t count_ = 0, prefixes_ = 0, suffixes_ = 0;
  int64_t start_ms_ = 0, maximum_ = 0;
  int step_ = 0;
};

}  // namespace

aff_validation_result run_aff_validation(std::vector<aff_validate_line_record>& lines, text_view captured_text,
                                         const aff_decode_cache& cache, long_job_host& host,
                                         const aff_validation_view& view) {
  return validation_run(lines, captured_text, cache, host, view).run();
}

std::vector<aff_validate_line_record> split_aff_validate_lines(text_view text) {
  std::vector<aff_validate_line_record> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t lf = text.find(u'\n', begin);
    if (lf == text_view::npos) lf = text.size();
    lines.push_back({text_t(text.substr(begin, lf - begin)), AFF_LINE_BLACK, 0});
    begin = lf + 1;
  }
  return lines;
}

text_t aff_validate_panel_text(const std::vector<aff_validate_line_record>& lines) {
  size_t size = 0;
  for (const auto& l : lines) size += l.text.size() + 1;
  text_t text;
  text.reserve(size);
  for (const auto& l : lines) text.append(l.text).push_back(u'\n');
  return text;
}

void rebuild_aff_cache_from_panel(aff_decode_cache& cache, const std::vector<aff_validate_line_record>& lines,
                                  const aff_cache_status_hook& hook) {
  invalidate_aff_decode_cache(cache);
  rebuild_aff_decode_cache(cache, aff_validate_panel_text(lines), hook);
}

bool aff_validate_text_to_write(const std::vector<aff_validate_line_record>& lines, bool loaded_completely,
                                text_view captured_text, text_t& out) {
  if (!loaded_completely) return false;
  text_t text = aff_validate_panel_text(lines);
  if (text == captured_text) return false;
  out = std::move(text);
  return true;
}

text_t aff_validate_selected_label(int64_t checked, int64_t count, bool with_count) {
  if (checked == 0) return u"Selected:None";
  if (checked == count) return u"Selected:All";
  return u"Selected:" + num(checked) + (with_count ? u"/" + num(count) : text_t());
}

text_t aff_report_text(const std::vector<aff_report_line>& report) {
  text_t text;
  for (const auto& l : report) text.append(l.text).push_back(u'\n');
  return text;
}

bool write_aff_validation_report(text_view report_text, text_view path) {
  atomic_file out;
  if (!out.create(path)) return false;
  std::string bytes = "\xEF\xBB\xBF";
  append_utf8(bytes, normalise_line_endings(report_text));
  out.write(bytes.data(), bytes.size());
  return out.commit();
}
