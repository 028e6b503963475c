#include "kit/find_search.h"

#include "common/format.h"

namespace {

constexpr char16_t ARROW = u'\u2192';

// The text to search, lower-cased when the case does not matter.
text_t comparable(text_view s, bool match_case) { return match_case ? text_t(s) : string_to_lower(s); }

// True when the needle occurs in one of the first n lines of text.
bool in_first_lines(text_view text, text_view needle, int64_t n) {
  size_t start = 0;
  for (int64_t line = 0; line < n && start <= text.size(); ++line) {
    size_t end = text.find(u'\n', start);
    if (end == text_view::npos) end = text.size();
    if (text.substr(start, end - start).find(needle) != text_view::npos) return true;
    start = end + 1;
  }
  return false;
}

struct prepared_entry {
  text_t haystack;  // what the row shows and the ratio measures
  bool matches;
};

prepared_entry match_entry(const find_entry_reader& reader, text_view entry, text_view needle, const find_options& o) {
  const find_list kind = reader.shown;
  const size_t lf = entry.find(u'\n');
  const text_view first = lf == text_view::npos ? entry : entry.substr(0, lf);
  const text_view rest = lf == text_view::npos ? text_view() : entry.substr(lf + 1);
  prepared_entry p;
  // The haystack: the dictionary entry as shown, the thesaurus' head line,
  // the autocorrect entry as it is.
  const text_t shown = find_shown_text(kind, entry);
  const text_t h = comparable(kind == find_list::autocorrect ? entry : text_view(shown), o.match_case);
  const size_t at = h.find(needle);
  p.matches = at != text_t::npos && (!o.left_match || at == 0);
  if (!p.matches && o.match_extra && lf != text_view::npos) {
    const text_t extra = comparable(rest, o.match_case);
    p.matches = reader.extra_line_count ? in_first_lines(extra, needle, reader.extra_line_count(first))
                                        : extra.find(needle) != text_t::npos;
  }
  if (p.matches) p.haystack = shown;
  return p;
}

}  // namespace

text_t find_shown_text(find_list kind, text_view entry) {
  if (kind == find_list::thesaurus) return text_t(entry.substr(0, entry.find(u'\n')));
  text_t shown(entry);
  const size_t lf = shown.find(u'\n');
  if (lf != text_t::npos) shown[lf] = ARROW;
  return shown;
}

find_result find_in_list(const list_document& doc, const find_entry_reader& reader, const find_options& options,
                         long_job_host& host,
                         const std::function<void(const find_row&, int64_t found)>& on_row) {
  find_result r;
  const text_t needle = comparable(options.text, options.match_case);
  long_job job(host, u"", doc.count(), true);
  for (int64_t i = 0; i < doc.count(); ++i) {
    const prepared_entry p = match_entry(reader, doc.entry(i), needle, options);
    if (p.matches) {
      r.rows.push_back({p.haystack, i + 1, format_decimal_2(compute_length_ratio_percent(p.haystack, options.text))});
      if (on_row) on_row(r.rows.back(), static_cast<int64_t>(r.rows.size()));
    }
    if (!job.step(i + 1)) {
      r.aborted = true;
      job.abort();
      return r;
    }
  }
  job.end(u"");
  return r;
}

void remove_find_row(std::vector<find_row>& rows, int64_t position, int64_t& selected_row) {
  int64_t removed = -1;
  for (size_t j = 0; j < rows.size(); ++j) {
    if (rows[j].position == position) removed = static_cast<int64_t>(j);
  }
  if (removed >= 0) rows.erase(rows.begin() + removed);
  for (find_row& row : rows) {
    if (row.position > position) --row.position;
  }
  const int64_t count = static_cast<int64_t>(rows.size());
  if (removed >= 0 && selected_row > removed) --selected_row;
  if (selected_row >= count) selected_row = count - 1;
}

int64_t selection_after_removal(int64_t selected, int64_t removed) {
  if (selected < 0 || selected == removed) return -1;
  return selected > removed ? selected - 1 : selected;
}
