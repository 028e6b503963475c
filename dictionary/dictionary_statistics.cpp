#include "dictionary/dictionary_statistics.h"

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/dic_entry.h"
#include "common/file.h"
#include "common/format.h"

#include <algorithm>

const std::array<const char16_t*, STATISTICS_TYPE_ROWS> statistics_type_titles{
    u"With ':",           u"With Hyphen:",      u"Starting uppercase:", u"1 characters long:",
    u"2 characters long:", u"3 characters long:", u"4 characters long:",  u"5 characters long:"};
const std::array<int, STATISTICS_TYPE_ROWS> statistics_type_images{14, 15, 16, 17, 18, 19, 20, 21};

namespace {

// The export right-aligns the type titles in this many units.
constexpr int64_t kExportTitleWidth = 19;

constexpr int rgb(int r, int g, int b) { return r + g * 256 + b * 65536; }

text_t grouped(int64_t n, text_view separator) {
  return string_format_number(0, u".", separator, static_cast<double>(n));
}

text_t letter_title(int row) { return row == 0 ? text_t(u"#/other") : text_t(1, static_cast<char16_t>(u'a' + row - 1)); }

// The counters of the pass for entry k; null when it counted none.
const word_type_counter_record* entry_counters(const dictionary_statistics& stats, int64_t k) {
  const auto& per_entry = stats.counts.per_entry;
  return k < 0 || static_cast<size_t>(k) >= per_entry.size() ? nullptr : &per_entry[static_cast<size_t>(k)];
}

// The words of a type row an entry has: the counters of the pass for the
// first three rows; the length rows (whose counter keeps one length) count
// the forms of exactly that length.
int64_t entry_forms_of_type(const list_document& doc, const aff_decode_cache& cache, const dictionary_statistics& stats,
                            int64_t k, int row) {
  const word_type_counter_record* counters = entry_counters(stats, k);
  if (!counters) return 0;
  const word_type_counter_record& c = *counters;
  switch (row) {
    case WORD_TYPE_APOSTROPHE: return c.apostrophe_forms;
    case WORD_TYPE_HYPHEN: return c.hyphen_forms;
    case WORD_TYPE_CAPITAL: return c.capital_forms;
    default: break;
  }
  if (c.short_form_length <= 0) return 0;
  return static_cast<int64_t>(preview_forms_of_statistic_type(cache, doc.entry(k), row).size());
}

bool expandable(text_view head) { return !head.empty() && head[0] != u'/'; }

// A text written whole through the atomic writer.
bool write_text_file(text_view path, text_view text, bool bom) {
  std::string bytes(bom ? UTF8_BOM : std::string_view());
  append_utf8(bytes, text);
  return write_file_atomically(path, bytes);
}

}  // namespace

const std::array<int, STATISTICS_TYPE_ROWS> statistics_type_colours{
    rgb(163, 73, 164), rgb(63, 72, 204),  rgb(0, 162, 232), rgb(34, 177, 76),
    rgb(255, 242, 0),  rgb(255, 127, 39), rgb(237, 28, 36), rgb(136, 0, 21)};

dictionary_statistics compute_dictionary_statistics(const list_document& doc, const aff_decode_cache& cache,
                                                    text_view separator, long_job_host& host) {
  dictionary_statistics r;
  const int64_t n = doc.count();
  r.counts.per_entry.assign(static_cast<size_t>(n), word_type_counter_record{});
  long_job job(host, u"Processing Statistics... <ESC> to abort.", n, true);
  word_statistics_sink sink(&r.counts);
  affix_expander expander;
  int64_t at = 0;
  job.on_tick = [&](int64_t) {
    job.set_text(u"Processing Statistics... <ESC> to abort. Found:" + grouped(sink.words, separator) +
                 format_percentage(static_cast<int32_t>(at), static_cast<int32_t>(n)));
  };
  for (at = 0; at < n; ++at) {
    sink.entry = at;
    const text_view head = dic_entry_head(doc.entry(at));
    if (expandable(head)) expander.expand(cache, head, sink);
    if (!job.step(at)) {
      r.aborted = true;
      job.abort();
      return r;
    }
  }
  r.total = sink.words;
  job.end(u"OK." + job.elapsed_text());
  return r;
}

int64_t statistics_type_count(const dictionary_statistics& stats, int row) {
  const word_statistics& c = stats.counts;
  switch (row) {
    case WORD_TYPE_APOSTROPHE: return c.with_apostrophe;
    case WORD_TYPE_HYPHEN: return c.with_hyphen;
    case WORD_TYPE_CAPITAL: return c.with_capital;
    default:
      return row >= WORD_TYPE_LENGTH_1 && row < WORD_TYPE_COUNT
                 ? c.of_length[static_cast<size_t>(row - WORD_TYPE_LENGTH_1 + 1)]
                 : 0;
  }
}

int64_t statistics_letter_count(const dictionary_statistics& stats, int row) {
  return row >= 0 && row < STATISTICS_LETTER_ROWS ? stats.counts.by_first_letter[static_cast<size_t>(row)] : 0;
}

text_t statistics_percentage(int64_t count, int64_t total) {
  if (total <= 0) return u"0";
  return format_decimal_2(static_cast<float>(static_cast<double>(count) * 100.0 / static_cast<double>(total)));
}

text_t statistics_type_row(const dictionary_statistics& stats, int row, text_view separator) {
  const int64_t c = statistics_type_count(stats, row);
  return text_t(statistics_type_titles[static_cast<size_t>(row)]) + u"\n" + grouped(c, separator) + u"\n" +
         statistics_percentage(c, stats.total);
}

text_t statistics_letter_row(const dictionary_statistics& stats, int row, text_view separator) {
  const int64_t c = statistics_letter_count(stats, row);
  return letter_title(row) + u"\n" + grouped(c, separator) + u"\n" + statistics_percentage(c, stats.total);
}

text_t statistics_new_words_text(int64_t total, int64_t reference, text_view date, text_view separator) {
  return u"New:" + grouped(total - reference, separator) + u" / Date:" + text_t(date);
}

text_t statistics_export_text(const dictionary_statistics& stats, text_view reference, text_view new_words,
                              text_view separator) {
  text_t t = u"Total wordlist:" + grouped(stats.total, separator) + u"\n\nWORDS:\n";
  for (int row = 0; row < STATISTICS_TYPE_ROWS; ++row) {
    const text_t title = statistics_type_titles[static_cast<size_t>(row)];
    const int64_t c = statistics_type_count(stats, row);
    t += string_of_spaces(kExportTitleWidth - static_cast<int64_t>(title.size())) + title + grouped(c, separator) +
         u" (" + statistics_percentage(c, stats.total) + u"%)\n";
  }
  text_t added(new_words);
  if (added.starts_with(u"New:")) added.erase(0, 4);
  t += u"\nReference Value:\n" + (reference.empty() ? text_t(u"N/A") : text_t(reference)) + u"\nNew Words:\n" +
       (new_words.empty() ? text_t(u"N/A") : added) + u"\n\nLETTERS:\n";
  for (int row = 0; row < STATISTICS_LETTER_ROWS; ++row) {
    const int64_t c = statistics_letter_count(stats, row);
    t += (row == 0 ? text_t() : text_t(u"      ")) + letter_title(row) + u":" + grouped(c, separator) + u" (" +
         statistics_percentage(c, stats.total) + u"%)\n";
  }
  return t;
}

bool write_statistics_export(text_view path, text_view text) { return write_text_file(path, text, true); }

bool write_statistics_remember(text_view path, text_view count, text_view label) {
  return write_text_file(path, u"41\n" + text_t(count) + u"\n" + text_t(label) + u"\n", false);
}

void read_statistics_remember(text_view path, statistics_options& options) {
  settings_reader in(path);
  if (!in.framed()) return;
  text_t count = in.line();
  text_t label = in.line();
  // The count is a total typed as digits; anything else is a damaged file.
  if (!in.ok() || (!count.empty() && (!all_decimal_digits(count) || count.size() > 18))) return;
  options.remembered_count = count;
  options.remembered_label = label.empty() ? text_t(statistics_label_default) : label;
}

settings_file_registration statistics_settings_file(statistics_options& options) {
  return {statistics_remember_file, [&options] { options = statistics_options(); },
          [&options](const text_t& path) { read_statistics_remember(path, options); }};
}

pie_chart statistics_pie_chart(const dictionary_statistics& stats) {
  pie_chart chart;
  double pos = 0, sum = 0;
  for (int row = 0; row < STATISTICS_TYPE_ROWS; ++row) {
    const double p = string_to_float(statistics_percentage(statistics_type_count(stats, row), stats.total)) / 100.0;
    sum += p;
    if (p <= 0) continue;
    // Shares past the full turn (a form counts in several rows) are not drawn.
    if (pos < 1) chart.sectors.push_back({pos, std::min(1.0, pos + p), statistics_type_colours[static_cast<size_t>(row)]});
    pos += p;
  }
  if (pos < 1) chart.sectors.push_back({pos, 1.0, 0});
  chart.over_100 = sum > 1;
  return chart;
}

bool statistics_export_needs_warning(int64_t count, int64_t decode_warning_limit) {
  return decode_warning_limit != 0 && count >= decode_warning_limit;
}

statistics_listing list_entries_of_statistic_type(const list_document& doc, const aff_decode_cache& cache,
                                                  const dictionary_statistics& stats, int row, long_job_host& host) {
  statistics_listing r;
  const int64_t n = doc.count();
  long_job job(host, u"", n, true);
  for (int64_t k = 0; k < n; ++k) {
    const int64_t forms = entry_forms_of_type(doc, cache, stats, k, row);
    if (forms > 0) {
      r.rows.push_back(text_t(dic_entry_word_and_flags(doc.entry(k))) + u"\n" + string_from_int(k + 1) + u"\n" +
                       string_from_int(forms));
    }
    if (!job.step(k)) {
      r.aborted = true;  // the rows found so far stay
      break;
    }
  }
  job.end(job.elapsed_text());
  return r;
}

std::vector<text_t> preview_forms_of_statistic_type(const aff_decode_cache& cache, text_view entry, int row) {
  std::vector<text_t> lines;
  const text_view head = dic_entry_head(entry);
  if (!expandable(head)) return lines;
  statistics_lines_sink sink(row, word_annotation::with_origin, lines);
  expand_entry(cache, head, sink);
  return lines;
}

statistics_extraction_result export_forms_of_statistic_type(const list_document& doc, const aff_decode_cache& cache,
                                                            const dictionary_statistics& stats, int row,
                                                            word_annotation annotation, text_view path,
                                                            long_job_host& host) {
  statistics_extraction_result r;
  long_job job(host, u"", doc.count(), true);
  atomic_file out;
  if (!out.create(path)) {
    r.write_failed = true;
    job.end(u"");
    return r;
  }
  out.write(UTF8_BOM.data(), UTF8_BOM.size());
  {
    statistics_lines_sink sink(row, annotation, out);
    affix_expander expander;
    for (int64_t k = 0; k < doc.count(); ++k) {
      const word_type_counter_record* c = entry_counters(stats, k);
      const bool has = c && (row == WORD_TYPE_APOSTROPHE ? c->apostrophe_forms > 0
                             : row == WORD_TYPE_HYPHEN   ? c->hyphen_forms > 0
                             : row == WORD_TYPE_CAPITAL  ? c->capital_forms > 0
                                                         : c->short_form_length > 0);
      const text_view head = dic_entry_head(doc.entry(k));
      if (has && expandable(head)) expander.expand(cache, head, sink);
      if (!job.step(k)) {
        r.aborted = true;
        break;
      }
    }
    if (!r.aborted) sink.flush();
  }
  if (r.aborted) {
    out.discard();
    job.end(u"");
    return r;
  }
  if (!out.commit()) r.write_failed = true;
  job.end(job.elapsed_text());
  return r;
}
