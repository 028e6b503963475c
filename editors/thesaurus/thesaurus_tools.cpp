#include "editors/thesaurus/thesaurus_tools.h"

#include "common/file.h"
#include "common/format.h"
#include "common/sort.h"
#include "common/work_records.h"
#include "editors/thesaurus/thesaurus_entry.h"

#include <algorithm>
#include <string>
#include <unordered_set>

namespace {

constexpr char16_t kEscapeToAbort[] = u" <ESC> To abort.";



thesaurus_tool_result stopped(long_job& job) {
  job.abort();
  thesaurus_tool_result r;
  r.aborted = true;
  return r;
}

void tick_text(long_job& job, text_view prefix, text_view hint) {
  job.on_tick = [&job, prefix = text_t(prefix), hint = text_t(hint)](int64_t progress) {
    job.set_text(prefix + string_from_int(progress) + hint);
  };
}

// Lines 2 .. n + 1 as the entry holds them; a line past the entry's end is
// empty. Padding stops one line past the end: a huge count in a header must
// not make a huge list (callers only need to see that a line is missing).
std::vector<text_view> meaning_lines(text_view entry, int64_t n) {
  std::vector<text_view> lines;
  size_t at = entry.find(u'\n');
  while (static_cast<int64_t>(lines.size()) < n) {
    if (at == text_view::npos) {
      lines.emplace_back();
      break;
    }
    const size_t start = at + 1;
    at = entry.find(u'\n', start);
    lines.push_back(entry.substr(start, at == text_view::npos ? text_view::npos : at - start));
  }
  return lines;
}

// The word: the header before its first "|", the whole header without one.
text_view word_of(text_view header) {
  const size_t bar = header.find(u'|');
  return bar == text_view::npos ? header : header.substr(0, bar);
}

}  // namespace

// ---- Spaces ---------------------------------------------------------------------------

text_t tidy_thesaurus_spaces(text_view entry) {
  text_t t(entry);
  for (;;) {
    const bool clean = t.find(u"  ") == text_t::npos && t.find(u"| ") == text_t::npos &&
                       t.find(u" |") == text_t::npos && t.find(u" \n") == text_t::npos &&
                       t.find(u"\n ") == text_t::npos && (t.empty() || t.back() != u' ');
    if (clean) return t;
    t = string_replace(t, u"  ", u" ");
    t = string_replace(t, u"| ", u"|");
    t = string_replace(t, u" |", u"|");
    t = string_replace(t, u" \n", u"\n");
    t = string_replace(t, u"\n ", u"\n");
    if (!t.empty() && t.back() == u' ') t.pop_back();
  }
}

namespace {

// "" when the cleaned entry keeps every field, else the text that stops the
// run: a header or meaning line left empty (or only "|", "-|").
text_t null_field_text(int64_t i, text_view entry, text_view t, text_view separator) {
  const int64_t n = thesaurus_meaning_count(thesaurus_header(entry));
  if (n < 0) return {};
  const text_view header = thesaurus_header(t);
  int64_t bad_line = 0;
  if (header.empty() || header == u"|" || header == u"-|" || header.front() == u'|') bad_line = 1;
  const std::vector<text_view> lines = meaning_lines(t, n);
  for (size_t k = 0; bad_line == 0 && k < lines.size(); ++k) {
    if (lines[k].empty() || lines[k] == u"|" || lines[k] == u"-|") bad_line = static_cast<int64_t>(k) + 2;
  }
  if (bad_line == 0) return {};
  return u"Null word at Line:" + format_count(i + 1, separator) + u" " +
         (bad_line == 1 ? text_t(u"Synonym") : u"Meaning:" + string_from_int(bad_line - 1)) + u" Aborted.";
}

}  // namespace

thesaurus_tool_result fix_thesaurus_entry_spaces(list_document& doc, text_view separator, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No synonyms found.");
  doc.save_undo();
  return fix_invalid_spaces(
      doc, host, tidy_thesaurus_spaces,
      [separator](int64_t i, text_view entry, text_view t) { return null_field_text(i, entry, t, separator); },
      [separator](int64_t n) { return format_count(n, separator); });
}

// ---- Sort and Deduplicate ---------------------------------------------------------------

text_t rebuild_thesaurus_meanings(text_view entry, bool sort, bool unduplicate) {
  const text_view header = thesaurus_header(entry);
  const int64_t n = thesaurus_meaning_count(header);
  const std::vector<text_view> lines = meaning_lines(entry, n);
  // Sorted ignoring case, exact text breaking ties, so equal meanings are
  // always neighbours whatever their case neighbours are.
  struct keyed {
    text_t key;
    size_t index;
  };
  std::vector<keyed> order;
  order.reserve(lines.size());
  for (size_t k = 0; k < lines.size(); ++k) order.push_back({string_to_lower(lines[k]), k});
  std::sort(order.begin(), order.end(), [&lines](const keyed& a, const keyed& b) {
    if (a.key != b.key) return a.key < b.key;
    if (lines[a.index] != lines[b.index]) return lines[a.index] < lines[b.index];
    return a.index < b.index;
  });
  std::vector<uint8_t> keep(lines.size(), 1);
  if (unduplicate) {
    // Of a meaning that stands r times, the last in the entry's order stays.
    for (size_t p = 0; p + 1 < order.size(); ++p) {
      if (lines[order[p].index] == lines[order[p + 1].index]) keep[order[p].index] = 0;
    }
  }
  text_t out(word_of(header));
  text_t body;
  int64_t written = 0;
  auto add = [&](size_t k) {
    if (!keep[k] || lines[k].empty()) return;
    body.push_back(u'\n');
    body.append(lines[k]);
    ++written;
  };
  if (sort) {
    for (const keyed& o : order) add(o.index);
  } else {
    for (size_t k = 0; k < lines.size(); ++k) add(k);
  }
  out += u"|" + string_from_int(n <= 0 ? n : written) + body;
  return out;
}

thesaurus_tool_result sort_or_unduplicate_thesaurus_meanings(list_document& doc, bool sort, bool unduplicate,
                                                             long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No synonyms found.");
  const text_t title = sort ? u"Sort" : u"Unduplicate";
  thesaurus_tool_result r;
  if (sort && host.message_box(u"Warning!",
                               u"This changes the sequence of meanings in the synonyms.\nIf we have the word 'happy' "
                               u"with 3 meanings:\n'contented'\n'satisfied'\n'carefree'\n\n'carefree' will move to "
                               u"the top.\n\nContinue?",
                               BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_NO) {
    long_job job(host, u"", 0, false);
    job.abort();
    r.aborted = true;
    return r;
  }
  doc.save_undo();
  long_job job(host, title + u" meanings... <ESC> to abort.", doc.count(), true);
  tick_text(job, title + u" meanings...", kEscapeToAbort);
  const entry_rewrite_result pass = rewrite_entries_in_place(
      doc, job, [sort, unduplicate](text_view entry) { return rebuild_thesaurus_meanings(entry, sort, unduplicate); });
  r.changed = pass.changed > 0;
  r.count = pass.changed;
  if (pass.aborted) {
    job.abort();  // the entries done so far stay; Undo takes them back
    r.aborted = true;
    return r;
  }
  job.end(sort ? text_t(u"OK.") : u"Unduplicated synonyms meanings:" + string_from_int(r.count));
  return r;
}

// ---- Clean up symbols -----------------------------------------------------------------

text_t clean_thesaurus_meaning(text_view line, const clean_symbols_options& options, bool& worked) {
  text_t t(line);
  if (options.remove_dash_bar) {
    t = string_replace(t, u"-|", u"");
    worked = true;
  }
  if (options.bar_to_space) {
    t = string_replace(t, u"|", u" ");
    worked = true;
  }
  if (options.remove_brackets && string_count_occurrences(t, u"(") == string_count_occurrences(t, u")")) {
    worked = true;
    for (;;) {
      // Ends when no "(" is left or the first ")" comes before it ("a)b(").
      const size_t open = t.find(u'(');
      const size_t close = t.find(u')');
      if (open == text_t::npos || close == text_t::npos || open > close) break;
      t.erase(open, close - open + 1);
    }
  }
  return t;
}

thesaurus_tool_result clean_thesaurus_entry_symbols(list_document& doc, const clean_symbols_options& options,
                                                    text_view separator, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No synonyms found.");
  doc.save_undo();
  thesaurus_tool_result r;
  const int64_t count = doc.count();
  long_job job(host, u"Clean up. 1/3: Extracting... <ESC> to abort.", count, true);
  tick_text(job, u"Clean up. 1/3: Extracting...", u" <ESC> to abort.");
  std::vector<text_t> work;
  work.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    work.emplace_back(doc.entries()[static_cast<size_t>(i)]);
    if (!job.step(i + 1)) return stopped(job);
  }
  job.set_text(u"Remove symbols. 2/3: Comparing... <ESC> to abort.");
  job.on_tick = [&job, count, separator](int64_t i) {
    job.set_text(u"Remove symbols. 2/3: Comparing..." + format_count(i, separator) + u"/" + format_count(count, separator) + u" <ESC> to abort.");
  };
  bool worked = false;
  for (int64_t i = 0; i < count; ++i) {
    text_t& w = work[static_cast<size_t>(i)];
    const text_view header = thesaurus_header(w);
    const int64_t n = thesaurus_meaning_count(header);
    text_t rebuilt(header);
    const std::vector<text_view> lines = meaning_lines(w, n);
    for (size_t k = 0; k < lines.size(); ++k) {
      const text_t line = clean_thesaurus_meaning(lines[k], options, worked);
      if (line.empty()) {
        job.end(u"Null meaning at Line:" + format_count(i + 1, separator) + u" Meaning:" + string_from_int(static_cast<int64_t>(k) + 1) +
                u"! Aborted.");
        doc.select(i);
        r.aborted = true;
        return r;
      }
      rebuilt.push_back(u'\n');
      rebuilt += line;
    }
    w = std::move(rebuilt);
    if (!job.step(i)) return stopped(job);
  }
  if (!worked) {
    job.end(u"OK.");
    return r;
  }
  // Every entry is stored in one go: no Escape here.
  job.set_text(u"Remove symbols. 3/3: Populating... 0/" + format_count(count, separator));
  for (int64_t i = 0; i < count; ++i) {
    if (doc.entry(i) != work[static_cast<size_t>(i)]) ++r.count;
    doc.set_entry(i, std::move(work[static_cast<size_t>(i)]));
  }
  doc.mark_changed();
  r.changed = true;
  job.end(u"OK.");
  return r;
}

// ---- Extraction -------------------------------------------------------------------------

thesaurus_tool_result extract_thesaurus(const list_document& doc, text_view target, bool book, text_view separator, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No synonyms found.");
  thesaurus_tool_result r;
  long_job job(host, u"Extracting Thesaurus... <ESC> To abort.", doc.count(), true);
  atomic_file out;
  auto megabytes = [&out]() {
    return string_format_number(1, u".", u"", static_cast<double>(static_cast<float>(out.written()) / 1048576.0f));
  };
  job.on_tick = [&](int64_t i) {
    job.set_text(u"Extracting Thesaurus... <ESC> to abort. Found:" + format_count(i + 1, separator) + u" (" + megabytes() + u" MB)" +
                 job.elapsed_text());
  };
  bool written = out.create(target) && out.write("\xEF\xBB\xBF", 3);
  std::string buffer;
  text_t line;
  for (int64_t i = 0; written && i < doc.count(); ++i) {
    const text_view entry = doc.entry(i);
    const text_view header = thesaurus_header(entry);
    append_utf8(buffer, word_of(header));
    buffer += ":\n";
    const std::vector<text_view> lines = meaning_lines(entry, thesaurus_meaning_count(header));
    for (size_t k = 0; k < lines.size(); ++k) {
      if (book) {
        line = string_replace(lines[k], u"-|", u"");
        line = string_replace(line, u"|", u", ");
        line.push_back(k + 1 == lines.size() ? u'.' : u';');
        append_utf8(buffer, line);
      } else {
        append_utf8(buffer, lines[k]);
      }
      buffer.push_back('\n');
    }
    buffer.push_back('\n');
    written = out.write_buffer(buffer, 1 << 16);
    if (!job.step(i)) {
      out.discard();  // the old file stays as it was
      return stopped(job);
    }
  }
  if (!written || !out.write_buffer(buffer) || !out.commit()) {
    return editor_tool_write_failure(job, target);
  }
  r.count = doc.count();
  job.end(u"OK. (" + megabytes() + u" MB)" + job.elapsed_text());
  return r;
}

// ---- Sort on numbers --------------------------------------------------------------------

thesaurus_tool_result sort_thesaurus_on_meaning_count(list_document& doc, text_view separator, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No synonyms found.");
  doc.save_undo();
  doc.select(-1);
  doc.mark_changed();
  thesaurus_tool_result r;
  r.changed = true;
  const int64_t count = doc.count();
  long_job job(host, u"Sorting Thesaurus on number...", 3 * count, true);
  job.on_tick = [&job, separator](int64_t i) {
    job.set_text(u"Removing accents... <ESC> to abort. Found:" + format_count(i, separator) + job.elapsed_text());
  };
  std::vector<sort_work_record> records(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    sort_work_record& rec = records[static_cast<size_t>(i)];
    rec.value = doc.entries()[static_cast<size_t>(i)];
    const text_view header = thesaurus_header(rec.value);
    const size_t bar = header.find(u'|');
    text_view field = bar == text_view::npos ? text_view() : header.substr(bar + 1);
    field = field.substr(0, field.find(u'|'));
    text_t padded = u"0000000000" + text_t(field);
    rec.key = padded.substr(padded.size() - 10) + fold_accents_lowercase(word_of(header));
    if (!job.step(i + 1)) {
      r.aborted = true;
      job.abort();
      return r;
    }
  }
  job.set_text(u"Sorting on number... <ESC> to abort. Found:" + format_count(count, separator) + job.elapsed_text());
  sort_work_records_by_key(records);
  // The rewrite runs to its end: stopping here would leave entries twice.
  for (int64_t j = 0; j < count; ++j) doc.set_entry(j, std::move(records[static_cast<size_t>(j)].value));
  doc.set_first_row(0);
  doc.uncheck_all();
  job.end(u"OK." + job.elapsed_text());
  return r;
}

// ---- Combine ------------------------------------------------------------------------------

thesaurus_tool_result combine_thesaurus_synonyms(list_document& doc, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No synonyms found.");
  doc.save_undo();
  const int64_t count = doc.count();
  long_job job(host, u"Combine. 1/3: Extracting... <ESC> to abort.", count, true);
  job.on_tick = [&job, count](int64_t b) {
    job.set_text(u"Combine. 1/3: Extracting..." + string_from_int(b) + u"/" + string_from_int(count) + kEscapeToAbort);
  };
  // Each new entry repeats the meanings of its entry, so an entry of n
  // meanings is written n + 1 times: its size is known before anything is
  // built, and a result past the limit stops the run with no change.
  int64_t document_units = 0, added_units = 0;
  for (int64_t b = 0; b < count; ++b) {
    const text_view entry = doc.entries()[static_cast<size_t>(b)];
    if (string_count_occurrences(entry, u"|") > 1 || entry.find(u"-|") != text_t::npos ||
        entry.find(u'(') != text_t::npos || entry.find(u')') != text_t::npos) {
      job.abort();
      thesaurus_tool_result r = editor_tool_refusal(
          u"Basic combine doesn't accept synonyms with:\n-| ( ) and |\n\nIt only accepts one synonym per line.");
      return r;
    }
    document_units += static_cast<int64_t>(entry.size());
    const text_view header = thesaurus_header(entry);
    const text_view word = word_of(header);
    for (text_view line : meaning_lines(entry, thesaurus_meaning_count(header))) {
      // The meaning as head word, its count, and the entry's lines with the word for it.
      if (!line.empty()) added_units += static_cast<int64_t>(entry.size() + 2 * line.size() + word.size()) + 24;
    }
    if (!job.step(b)) return stopped(job);
  }
  const int64_t limit = std::max<int64_t>(THESAURUS_COMBINE_ADDED_FLOOR, 8 * document_units);
  if (added_units > limit) {
    job.abort();
    return editor_tool_refusal(u"Combine would add more than " + string_from_int(limit / 1000000) +
                               u" million characters of synonyms:\nsome synonyms have too many or too long "
                               u"meanings.\n\nNothing was changed.");
  }
  std::vector<text_t> work;
  work.reserve(static_cast<size_t>(count) * 3);
  for (int64_t b = 0; b < count; ++b) work.emplace_back(doc.entries()[static_cast<size_t>(b)]);
  sort_array(work, SORT_ASCENDING);
  job.set_text(u"Combine. 2/3: Combining... <ESC> to abort.");
  job.on_tick = [&job, count](int64_t i) {
    job.set_text(u"Combine. 2/3: Combining..." + string_from_int(i) + u"/" + string_from_int(count) +
                 u" <ESC> to abort.");
  };
  for (int64_t i = 0; i < count; ++i) {
    const text_t entry = work[static_cast<size_t>(i)];
    const text_view header = thesaurus_header(entry);
    const int64_t n = thesaurus_meaning_count(header);
    const std::vector<text_view> lines = meaning_lines(entry, n);
    const text_view word = word_of(header);
    const text_t suffix = u"|" + string_from_int(n);
    for (size_t k = 0; k < lines.size(); ++k) {
      if (lines[k].empty()) continue;  // no entry without a word
      text_t added = text_t(lines[k]) + suffix;
      for (size_t m = 0; m < lines.size(); ++m) {
        added.push_back(u'\n');
        added.append(m == k ? word : lines[m]);
      }
      work.push_back(std::move(added));
    }
    if (!job.step(i)) return stopped(job);
  }
  // The whole list is rewritten in one go: no Escape from here on.
  sort_array(work, SORT_IGNORE_CASE);
  const int64_t added = static_cast<int64_t>(work.size()) - count;
  job.set_text(u"Combine. 3/3: Populating... 0/" + string_from_int(static_cast<int64_t>(work.size())));
  doc.set_entries(std::move(work));
  thesaurus_tool_result r;
  r.changed = true;
  r.count = added;
  job.end(u"New synonyms:" + string_from_int(added));
  return r;
}

// ---- Duplicates -----------------------------------------------------------------------------

thesaurus_duplicates_scan scan_thesaurus_duplicates(const list_document& doc, long_job_host& host) {
  thesaurus_duplicates_scan s;
  const int64_t count = doc.count();
  long_job job(host, u"Show duplicates. 1/2: Extracting... <ESC> to abort.", count, true);
  job.on_tick = [&job](int64_t k) {
    job.set_text(u"Show duplicates. 1/2: Extracting..." + string_from_int(k + 1) + u" <ESC> to abort.");
  };
  s.copies.reserve(static_cast<size_t>(count));
  // The order of entry + U+0001 + position: by the entry, then by the
  // position as text; the positions' texts are made once.
  std::vector<text_t> position_texts;
  position_texts.reserve(static_cast<size_t>(count));
  for (int64_t k = 0; k < count; ++k) {
    s.copies.emplace_back(doc.entries()[static_cast<size_t>(k)]);
    position_texts.push_back(string_from_int(k));
    if (!job.step(k)) {
      s.aborted = true;
      s.copies.clear();
      job.abort();
      return s;
    }
  }
  std::vector<size_t> positions(static_cast<size_t>(count));
  for (size_t k = 0; k < positions.size(); ++k) positions[k] = k;
  std::sort(positions.begin(), positions.end(), [&s, &position_texts](size_t a, size_t b) {
    const int c = s.copies[a].compare(s.copies[b]);
    return c != 0 ? c < 0 : position_texts[a] < position_texts[b];
  });
  job.set_text(u"Show duplicates. 2/2: Comparing... <ESC> to abort.");
  job.on_tick = [&job, count](int64_t i) {
    job.set_text(u"Show duplicates. 2/2: Comparing..." + string_from_int(i) + u"/" + string_from_int(count) +
                 u" <ESC> to abort.");
  };
  // The head word with its "|": entries of one word share that prefix, so
  // they are neighbours in the sorted keys. An entry without "|" has no word.
  auto group_of = [&s](size_t position) { return thesaurus_index_word(thesaurus_header(s.copies[position])); };
  size_t i = 0;
  while (i < positions.size()) {
    const text_view word = group_of(positions[i]);
    size_t j = i + 1;
    while (j < positions.size() && !word.empty() && group_of(positions[j]) == word) ++j;
    if (j - i >= 2) {
      for (size_t k = i; k < j; ++k) {
        const text_view entry = s.copies[positions[k]];
        const size_t lf = entry.find(u'\n');
        s.rows.push_back({text_t(thesaurus_header(entry)), static_cast<int64_t>(positions[k]),
                          text_t(lf == text_view::npos ? entry : entry.substr(lf + 1))});
      }
    }
    if (!job.step(static_cast<int64_t>(i))) {
      s.aborted = true;
      s.rows.clear();
      job.abort();
      return s;
    }
    i = j;
  }
  job.end(u"OK.");
  return s;
}

thesaurus_tool_result merge_thesaurus_duplicates(list_document& doc, thesaurus_duplicates_scan scan,
                                                 text_view separator, long_job_host& host) {
  thesaurus_tool_result r;
  std::vector<thesaurus_duplicate_row>& rows = scan.rows;
  std::vector<text_t>& copies = scan.copies;
  const int64_t total = static_cast<int64_t>(rows.size());
  // Works on the copies only; the document is replaced at the end in one
  // go, so no Escape is taken and a stop leaves every entry as it was.
  long_job job(host, u"Removing duplicates... 0/" + string_from_int(total), total, false);
  auto copy_of = [&copies](const thesaurus_duplicate_row& row) -> text_t& {
    return copies[static_cast<size_t>(row.position)];
  };
  // Repeats of a row (same header, same entry) go first; removed rows are
  // compacted in one sweep rather than erased one by one.
  std::vector<uint8_t> repeat(rows.size(), 0);
  job.on_tick = [&job, total](int64_t done) {
    job.set_text(u"Removing duplicates... " + string_from_int(done) + u"/" + string_from_int(total));
  };
  for (size_t n = rows.size(); n-- > 1;) {
    if (rows[n].header == rows[n - 1].header && copy_of(rows[n]) == copy_of(rows[n - 1])) {
      copy_of(rows[n]).clear();
      repeat[n] = 1;
    }
    job.step(total - static_cast<int64_t>(n));
  }
  size_t kept = 0;
  for (size_t n = 0; n < rows.size(); ++n) {
    if (repeat[n]) continue;
    if (kept != n) rows[kept] = std::move(rows[n]);
    ++kept;
  }
  rows.resize(kept);
  job.set_text(u"Merging duplicates... 0/" + format_count(total, separator));
  job.on_tick = [&job, total, separator](int64_t done) {
    job.set_text(u"Merging duplicates... " + format_count(done, separator) + u"/" + format_count(total, separator));
  };
  for (size_t l = rows.size(); l-- > 1;) {
    thesaurus_duplicate_row& lower = rows[l];
    thesaurus_duplicate_row& upper = rows[l - 1];
    const text_view prefix = thesaurus_index_word(upper.header);
    if (!prefix.empty() && prefix == thesaurus_index_word(lower.header)) {
      const text_t a = copy_of(lower);
      const text_t b = copy_of(upper);
      const int64_t na = thesaurus_meaning_count(lower.header);
      const int64_t nb = thesaurus_meaning_count(upper.header);
      const std::vector<text_view> b_lines = meaning_lines(b, nb);
      const std::unordered_set<text_view> known(b_lines.begin(), b_lines.end());
      std::vector<text_view> missing;
      std::unordered_set<text_view> taken;
      for (text_view m : meaning_lines(a, na)) {
        if (!known.count(m) && taken.insert(m).second) missing.push_back(m);
      }
      const int64_t merged_count = nb + static_cast<int64_t>(missing.size());
      if (!missing.empty() && merged_count > THESAURUS_MEANING_LIMIT) {
        job.abort();
        r.aborted = true;
        r.message_title = u"Warning!";
        r.message = u"Found synonym with more than " + string_from_int(THESAURUS_MEANING_LIMIT) + u" meanings.";
        r.message_flags = BOX_WARNING;
        return r;
      }
      upper.header = text_t(prefix) + string_from_int(merged_count);
      const size_t lf = b.find(u'\n');
      text_t merged = upper.header + (lf == text_t::npos ? text_t() : b.substr(lf));
      for (text_view m : missing) {
        merged.push_back(u'\n');
        merged.append(m);
      }
      copy_of(upper) = std::move(merged);
      copy_of(lower).clear();
    }
    job.step(total - static_cast<int64_t>(l));
  }
  sort_array(copies, SORT_IGNORE_CASE);
  std::vector<text_t> entries;
  entries.reserve(copies.size());
  for (text_t& c : copies) {
    if (!c.empty()) entries.push_back(std::move(c));
  }
  job.set_text(u"Populating... 0/" + format_count(static_cast<int64_t>(entries.size()), separator));
  doc.save_undo();
  doc.set_entries(std::move(entries));
  r.changed = true;
  job.end(u"OK.");
  return r;
}

bool export_thesaurus_duplicates(const std::vector<thesaurus_duplicate_row>& rows, text_view target, text_view separator) {
  text_t text = u"DUPLICATES FOUND:" + format_count(static_cast<int64_t>(rows.size()), separator) + u"\n\n";
  for (const thesaurus_duplicate_row& row : rows) text += row.header + u"\n" + row.preview + u"\n\n";
  std::string bytes(UTF8_BOM);
  append_utf8(bytes, text);
  return write_file_atomically(target, bytes);
}
