#include "editors/autocorrect/autocorrect_tools.h"

#include "common/file.h"
#include "common/format.h"
#include "common/xml_text.h"
#include "editors/autocorrect/autocorrect_editor.h"

#include <algorithm>
#include <string>

namespace {

constexpr char16_t kEscapeToAbort[] = u" <ESC> To abort.";


// The line number stands grouped after a bad reference, plain after an
// empty text.
text_t null_word_text(text_view line) { return u"Null word at Line:" + text_t(line) + u" Aborted."; }

// An empty incorrect or correct text: the pair would be lost on saving.
bool has_empty_field(text_view entry) {
  const autocorrect_fields f = autocorrect_fields_of_entry(entry);
  return f.incorrect.empty() || f.correct.empty();
}

// Shows prefix + the grouped progress + the hint on every tick.
void tick_text(long_job& job, text_view prefix, text_view hint, text_view separator) {
  job.on_tick = [&job, prefix = text_t(prefix), hint = text_t(hint), separator = text_t(separator)](int64_t progress) {
    job.set_text(prefix + format_count(progress, separator) + hint);
  };
}

}  // namespace

// ---- Spaces ---------------------------------------------------------------------------

text_t clean_autocorrect_spaces(text_view entry) {
  text_t t(entry);
  for (;;) {
    const bool clean = t.find(u"  ") == text_t::npos && t.find(u" \n") == text_t::npos &&
                       t.find(u"\n ") == text_t::npos && (t.empty() || (t.front() != u' ' && t.back() != u' '));
    if (clean) return t;
    t = string_replace(t, u"  ", u" ");
    t = string_replace(t, u" \n", u"\n");
    t = string_replace(t, u"\n ", u"\n");
    if (!t.empty() && t.front() == u' ') t.erase(0, 1);
    if (!t.empty() && t.back() == u' ') t.pop_back();
  }
}

autocorrect_tool_result fix_autocorrect_list_spaces(list_document& doc, text_view separator, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No Autocorrects found.");
  doc.save_undo();
  return fix_invalid_spaces(
      doc, host, clean_autocorrect_spaces,
      [](int64_t i, text_view, text_view t) { return has_empty_field(t) ? null_word_text(string_from_int(i + 1)) : text_t(); },
      [separator](int64_t n) { return format_count(n, separator); });
}

// ---- Hexadecimal references ---------------------------------------------------------------

hex_conversion convert_autocorrect_hex_references(text_view entry) {
  hex_conversion c;
  c.text.reserve(entry.size());
  size_t i = 0;
  for (;;) {
    const size_t start = entry.find(u"&#x", i);
    if (start == text_view::npos) break;
    const size_t semicolon = entry.find(u';', start + 3);
    if (semicolon == text_view::npos) {
      c.valid = false;
      c.text = entry;
      return c;
    }
    c.text.append(entry.substr(i, start - i));
    // xml_character_reference takes the body between "&" and ";": "#x263A".
    const uint32_t code = xml_character_reference(entry.substr(start + 1, semicolon - start - 1));
    // A line feed would split the pair: the entry keeps one line per text.
    if (code == 0 || code == u'\n') {
      c.text.append(entry.substr(start, semicolon + 1 - start));  // stays as it stands
    } else {
      append_code_point(c.text, code);
      if (code > 0xFFFF) c.above_bmp = true;
    }
    i = semicolon + 1;
  }
  c.text.append(entry.substr(i));
  return c;
}

autocorrect_tool_result clean_autocorrect_list_hex_symbols(list_document& doc, text_view separator, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No Autocorrects found.");
  doc.save_undo();
  autocorrect_tool_result r;
  long_job job(host, u"Clean hex symbols... <ESC> to abort.", doc.count(), true);
  tick_text(job, u"Processing Wordlist...", kEscapeToAbort, separator);
  int64_t changes = 0;
  bool above_bmp = false;
  for (int64_t j = 0; j < doc.count(); ++j) {
    const text_view entry = doc.entries()[static_cast<size_t>(j)];
    const hex_conversion c = convert_autocorrect_hex_references(entry);
    if (!c.valid) {
      job.end(null_word_text(format_count(j + 1, separator)));
      r.aborted = true;
      return r;
    }
    above_bmp = above_bmp || c.above_bmp;
    if (c.text != entry) ++changes;
    if (!job.step(j)) {
      job.abort();
      r.aborted = true;
      return r;
    }
  }
  if (changes == 0) {
    job.end(u"OK." + job.elapsed_text());
    r.message_title = u"Warning!";
    r.message = u"No hex symbols found!";
    r.message_flags = BOX_WARNING;
    return r;
  }
  if (above_bmp &&
      host.message_box(u"Warning!",
                       u"Found symbols above character 65535.\n(Quenvar limitation - character corruption)\n\nAbort?",
                       BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_YES) {
    job.abort();
    r.aborted = true;
    return r;
  }
  tick_text(job, u"Converting hex symbols...", kEscapeToAbort, separator);
  const entry_rewrite_result pass = rewrite_entries_in_place(
      doc, job, [](text_view entry) { return convert_autocorrect_hex_references(entry).text; });
  r.changed = pass.changed > 0;
  if (pass.aborted) {
    job.abort();  // the pairs converted so far stay converted; Undo takes them back
    r.aborted = true;
    return r;
  }
  r.count = changes;
  job.end(u"OK. Converted symbols:" + format_count(changes, separator) + job.elapsed_text());
  return r;
}

// ---- Extraction ---------------------------------------------------------------------------

autocorrect_tool_result extract_autocorrect_list(const list_document& doc, text_view target, text_view separator, long_job_host& host) {
  if (doc.empty()) return editor_tool_refusal(u"No autocorrect words found.");
  autocorrect_tool_result r;
  long_job job(host, u"Extracting Autocorrect List... <ESC> to abort.", doc.count(), true);
  atomic_file out;
  int64_t length = 3;  // the byte-order mark
  job.on_tick = [&](int64_t i) {
    job.set_text(u"Extracting Autocorrects... <ESC> to abort. Found:" + format_count(i + 1, separator) + u" " +
                 format_file_size(u"", length, 1));
  };
  bool written = out.create(target) && out.write("\xEF\xBB\xBF", 3);
  std::string line;
  for (int64_t i = 0; written && i < doc.count(); ++i) {
    line.clear();
    append_utf8(line, string_replace(doc.entry(i), u"\n", u" \u2192 "));
    line.push_back('\n');
    written = out.write(line.data(), line.size());
    length += static_cast<int64_t>(line.size());
    if (!job.step(i)) {
      out.discard();  // the old file stays as it was
      job.abort();
      r.aborted = true;
      return r;
    }
  }
  if (!written || !out.commit()) {
    return editor_tool_write_failure(job, target);
  }
  r.count = doc.count();
  job.finish(format_file_size(u"", length, 1));
  return r;
}

// ---- Duplicates ---------------------------------------------------------------------------

autocorrect_duplicates_scan scan_autocorrect_duplicates(const list_document& doc, text_view separator, long_job_host& host) {
  autocorrect_duplicates_scan s;
  const int64_t count = doc.count();
  long_job job(host, u"Show duplicates. 1/2: Extracting... <ESC> to abort.", count, true);
  tick_text(job, u"Show duplicates. 1/2: Extracting...", u" <ESC> to abort.", separator);
  s.sorted.reserve(static_cast<size_t>(count));
  for (int64_t i = 0; i < count; ++i) {
    s.sorted.emplace_back(doc.entries()[static_cast<size_t>(i)]);
    if (!job.step(i)) {
      job.abort();
      s.aborted = true;
      return s;
    }
  }
  // By the incorrect text, then the correct one: whole entries in the usual
  // case, and a pair stays in its group even when its incorrect text holds
  // units below LF.
  struct key {
    text_view incorrect, correct;
    size_t index;
  };
  std::vector<key> keys;
  keys.reserve(s.sorted.size());
  for (size_t i = 0; i < s.sorted.size(); ++i) {
    const text_view e = s.sorted[i];
    const size_t lf = e.find(u'\n');
    keys.push_back({e.substr(0, lf), lf == text_view::npos ? text_view() : e.substr(lf + 1), i});
  }
  std::sort(keys.begin(), keys.end(), [](const key& a, const key& b) {
    if (a.incorrect != b.incorrect) return a.incorrect < b.incorrect;
    return a.correct < b.correct;
  });
  std::vector<text_t> sorted;
  sorted.reserve(keys.size());
  std::vector<size_t> incorrect_length;
  incorrect_length.reserve(keys.size());
  for (const key& k : keys) {
    incorrect_length.push_back(k.incorrect.size());
    sorted.push_back(std::move(s.sorted[k.index]));
  }
  s.sorted = std::move(sorted);

  host.job_started(u"Show duplicates. 2/2: Comparing... <ESC> to abort.", count);
  job.on_tick = [&job, count, separator](int64_t i) {
    job.set_text(u"Show duplicates. 2/2: Comparing..." + format_count(i, separator) + u"/" + format_count(count, separator) +
                 u" <ESC> to abort.");
  };
  size_t i = 0;
  while (i < s.sorted.size()) {
    const text_view incorrect = text_view(s.sorted[i]).substr(0, incorrect_length[i]);
    size_t j = i + 1;
    while (j < s.sorted.size() && text_view(s.sorted[j]).substr(0, incorrect_length[j]) == incorrect) ++j;
    if (j - i >= 2) s.rows.push_back({text_t(incorrect), static_cast<int64_t>(j - i)});
    for (; i < j; ++i) {
      if (!job.step(static_cast<int64_t>(i))) {
        job.abort();
        s.aborted = true;
        s.rows.clear();
        return s;
      }
    }
  }
  job.end(u"OK.");
  return s;
}

int64_t remove_autocorrect_duplicates(list_document& doc, const std::vector<text_t>& sorted, bool exclusive,
                                      text_view separator, long_job_host& host) {
  const int64_t count = static_cast<int64_t>(sorted.size());
  auto incorrect_of = [](const text_t& e) { return text_view(e).substr(0, e.find(u'\n')); };
  // Whole document rewritten in one go: no Escape, so it is never left half done.
  long_job job(host, u"Removing duplicates... 0/" + format_count(count, separator), count, false);
  int64_t removed = 0;
  job.on_tick = [&](int64_t) {
    job.set_text(u"Removing duplicates... " + format_count(removed, separator) + u"/" + format_count(count, separator));
  };
  std::vector<uint8_t> keep(sorted.size(), 1);
  for (size_t i = 0; i < sorted.size(); ++i) {
    const bool same_as_next = i + 1 < sorted.size() && incorrect_of(sorted[i]) == incorrect_of(sorted[i + 1]);
    const bool same_as_previous = i > 0 && incorrect_of(sorted[i]) == incorrect_of(sorted[i - 1]);
    if (same_as_next || (exclusive && same_as_previous)) {
      keep[i] = 0;
      ++removed;
    }
    job.step(static_cast<int64_t>(i));
  }
  const int64_t remaining = count - removed;
  job.set_text(u"Populating list... 0/" + format_count(remaining, separator));
  std::vector<text_t> entries;
  entries.reserve(static_cast<size_t>(remaining));
  job.on_tick = [&](int64_t) {
    job.set_text(u"Populating list... " + format_count(static_cast<int64_t>(entries.size()), separator) + u"/" +
                 format_count(remaining, separator));
  };
  for (size_t i = 0; i < sorted.size(); ++i) {
    if (keep[i]) entries.push_back(sorted[i]);
    job.step(static_cast<int64_t>(i));
  }
  doc.save_undo();
  doc.set_first_row(0);
  doc.set_entries(std::move(entries));
  job.end(u"OK.");
  return removed;
}

bool export_autocorrect_duplicates(const std::vector<autocorrect_duplicate_row>& rows, text_view target, text_view separator) {
  text_t text = u"DUPLICATES FOUND:" + format_count(static_cast<int64_t>(rows.size()), separator) + u"\n\n";
  for (const autocorrect_duplicate_row& row : rows) {
    text += row.incorrect + u":" + string_from_int(row.occurrences) + u"\n";
  }
  return save_autocorrect_text_file(text, target);
}

bool save_autocorrect_text_file(text_view text, text_view target) {
  std::string bytes(UTF8_BOM);
  append_utf8(bytes, text);
  return write_file_atomically(target, bytes);
}
