#include "dictionary/wordlist_duplicates.h"

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/dic_entry.h"
#include "common/file.h"

#include <algorithm>
#include <string>

namespace {

text_t count_text(int64_t n, text_view separator) {
  return string_format_number(0, u".", separator, static_cast<double>(n));
}

// An element is word + LF + tags + LF + line: the part before the last LF
// says which group it belongs to.
text_view group_key(text_view element) {
  const size_t last = element.rfind(u'\n');
  return last == text_view::npos ? element : element.substr(0, last);
}

}  // namespace

wordlist_duplicates_result find_wordlist_duplicates(const list_document& doc, const aff_decode_cache& cache, long_job_host& host,
                                                    int64_t decode_warning_limit, text_view separator) {
  wordlist_duplicates_result r;
  const text_t extracting = u"Show duplicates. 1/2: Extracting...";
  const text_t first_text = u"Show duplicates. 1/2: Extracting... <ESC> to abort.";
  if (doc.count() == 0) {
    long_job job(host, first_text, 0, true);
    host.message_box(u"Warning!", u"No dictionary words found.", BOX_WARNING);
    job.abort();
    r.status = wordlist_duplicates_status::no_words;
    return r;
  }
  std::vector<text_t> words;
  {
    long_job job(host, first_text, doc.count(), true);
    job.on_tick = [&](int64_t) {
      job.set_text(extracting + count_text(static_cast<int64_t>(words.size()), separator) + u" <ESC> to abort.");
    };
    bool warned = false;
    affix_expander expander;
    for (int64_t i = 0; i < doc.count(); ++i) {
      const text_view entry = doc.entry(i);
      if (!warned && decode_warning_limit != 0 && static_cast<int64_t>(words.size()) >= decode_warning_limit) {
        warned = true;
        job.set_text(extracting + count_text(static_cast<int64_t>(words.size()), separator) + u" <ESC> to abort.");
        const text_t question = u"Over " + count_text(decode_warning_limit, separator) +
                                u" words have been decoded.\n\nThis represents a huge amount of data in RAM\n"
                                u"that can fill it up and crash the computer.\n\nAbort?";
        if (host.message_box(u"Warning!", question, BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_YES) {
          job.abort();
          r.status = wordlist_duplicates_status::aborted;
          return r;
        }
      }
      if (!entry.empty() && entry.front() != u'/') {
        const dic_entry_parts parts = split_dic_entry(entry);
        text_t tags_part(u"\n"), line_part(u"\n");
        tags_part.append(parts.tags);
        line_part.append(string_from_int(i + 1));
        word_array_sink sink(words, static_cast<int64_t>(words.size()), tags_part, line_part);
        expander.expand(cache, dic_entry_head(entry), sink);
      }
      if (!job.step(i)) {
        job.abort();
        r.status = wordlist_duplicates_status::aborted;
        return r;
      }
    }
    job.end(u"");
  }
  r.expanded_words = static_cast<int64_t>(words.size());
  std::sort(words.begin(), words.end());

  const int64_t total = r.expanded_words;
  long_job job(host, u"Show duplicates. 2/2: Comparing... <ESC> to abort.", total, true);
  size_t k = 0;
  int64_t index = 0;
  job.on_tick = [&](int64_t) {
    job.set_text(u"Show duplicates. 2/2: Comparing..." + count_text(index, separator) + u"/" +
                 count_text(total, separator) + u" <ESC> to abort.");
  };
  while (k < words.size()) {
    const text_view key = group_key(words[k]);
    size_t end = k + 1;
    while (end < words.size() && group_key(words[end]) == key) ++end;
    if (end - k > 1) {
      wordlist_duplicate_row row;
      const size_t word_end = key.find(u'\n');
      row.word = text_t(key.substr(0, word_end));
      row.occurrences = static_cast<int64_t>(end - k);
      for (size_t e = k; e < end; ++e) {
        if (e > k) row.lines += u" + ";
        const text_view w = words[e];
        row.lines += count_text(string_to_int(w.substr(w.rfind(u'\n') + 1)), separator);
      }
      r.rows.push_back(std::move(row));
    }
    k = end;
    index = static_cast<int64_t>(k);
    if (!job.step(index)) {
      job.abort();
      r.status = wordlist_duplicates_status::aborted;
      return r;
    }
  }
  job.end(u"OK." + job.elapsed_text());
  return r;
}

line_export_status export_wordlist_duplicates(const std::vector<wordlist_duplicate_row>& rows, text_view path,
                                              text_view separator, long_job_host& host) {
  const text_t head = u"DUPLICATES FOUND:" + count_text(static_cast<int64_t>(rows.size()), separator) + u"\n\n";
  return export_lines(path, head, static_cast<int64_t>(rows.size()), [&](int64_t i) {
    const wordlist_duplicate_row& row = rows[static_cast<size_t>(i)];
    return row.word + u" (" + count_text(row.occurrences, separator) + u"): " + row.lines + u"\n";
  }, host);
}
