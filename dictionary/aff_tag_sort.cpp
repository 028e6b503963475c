#include "dictionary/aff_tag_sort.h"

#include "common/format.h"

#include <algorithm>
#include <vector>

namespace {

struct line_record {
  text_view line;
  text_t collapsed;
  text_t key;  // fields 4 and 5 of a PFX or SFX line
};

bool is_affix_line(text_view collapsed) {
  return collapsed.starts_with(u"SFX ") || collapsed.starts_with(u"PFX ");
}

// The 1-based field of a collapsed line ("" past the last).
text_view field_of(text_view collapsed, int n) {
  size_t begin = 0;
  for (int i = 1; i < n; ++i) {
    const size_t space = collapsed.find(u' ', begin);
    if (space == text_view::npos) return {};
    begin = space + 1;
  }
  const size_t end = collapsed.find(u' ', begin);
  return collapsed.substr(begin, end == text_view::npos ? text_view::npos : end - begin);
}

text_t step_text(text_view what, int step, int64_t current, int64_t n, int64_t progress) {
  return text_t(what) + string_from_int(step) + u"/3... <ESC> to abort. Current:" + string_from_int(current) + u"/" +
         string_from_int(n) +
         format_percentage(static_cast<int32_t>(std::min<int64_t>(progress, INT32_MAX)),
                           static_cast<int32_t>(std::min<int64_t>(3 * n, INT32_MAX)));
}

}  // namespace

aff_tag_sort_result sort_aff_tags(text_view aff_text, long_job_host& host) {
  aff_tag_sort_result r;
  if (string_trim_spaces(aff_text).empty()) {
    host.message_box(u"Warning!", u".AFF is empty.", BOX_WARNING);
    r.status = aff_tag_sort_status::aff_empty;
    return r;
  }
  if (host.message_box(u"Warning!", u"Sorting the tags in the Aff.\n\nThis operation can't be undone.\n\nContinue?",
                       BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_NO) {
    r.status = aff_tag_sort_status::declined;
    return r;
  }
  text_t text = normalise_line_endings(aff_text);
  if (text.empty() || text.back() != u'\n') text.push_back(u'\n');
  std::vector<line_record> records;
  for (size_t begin = 0; begin < text.size();) {
    const size_t end = text.find(u'\n', begin);
    records.push_back({text_view(text).substr(begin, end - begin), {}, {}});
    begin = end + 1;
  }
  const int64_t n = static_cast<int64_t>(records.size());

  long_job job(host, u"Sorting tags in .aff... <ESC> to abort.", 3 * n, true);
  const text_t copying = u"Copying & processing lines to array:";
  job.on_tick = [&](int64_t p) {
    if (p < n) job.set_text(step_text(copying, 1, p, n, p));
    else if (p < 2 * n) job.set_text(step_text(u"Sorting tags in array:", 2, p - n, n, p));
    else job.set_text(step_text(u"Copying lines back to AFF:", 3, p - 2 * n, n, p));
  };
  bool any = false;
  for (int64_t k = 0; k < n; ++k) {
    line_record& rec = records[static_cast<size_t>(k)];
    rec.collapsed = collapse_spaces(rec.line);
    if (is_affix_line(rec.collapsed)) {
      any = true;
      rec.key = text_t(field_of(rec.collapsed, 4)) + u" " + text_t(field_of(rec.collapsed, 5));
    }
    if (!job.step(k)) {
      job.abort();
      r.status = aff_tag_sort_status::aborted;
      return r;
    }
  }
  if (!any) {
    job.end(u"");
    host.message_box(u"Warning!", u"No tags found in .AFF.", BOX_WARNING);
    r.status = aff_tag_sort_status::no_tags;
    return r;
  }

  std::vector<size_t> rule_at;
  std::vector<line_record> rules;
  for (int64_t index = 0; index < n;) {
    const line_record& rec = records[static_cast<size_t>(index)];
    int64_t last = index;
    if (is_affix_line(rec.collapsed)) {
      const int64_t declared = string_to_int(field_of(rec.collapsed, 4));
      // The rule lines of this set: its kind and flag, after the header;
      // comment and empty lines between them keep their places.
      const text_t prefix = text_t(field_of(rec.collapsed, 1)) + u" " + text_t(field_of(rec.collapsed, 2)) + u" ";
      rule_at.clear();
      for (int64_t k = index + 1; k < n && static_cast<int64_t>(rule_at.size()) < declared; ++k) {
        const text_t& line = records[static_cast<size_t>(k)].collapsed;
        if (line.starts_with(prefix)) rule_at.push_back(static_cast<size_t>(k));
        else if (!line.empty() && line[0] != u'#') break;
      }
      rules.clear();
      for (size_t at : rule_at) rules.push_back(std::move(records[at]));
      std::stable_sort(rules.begin(), rules.end(),
                       [](const line_record& a, const line_record& b) { return a.key < b.key; });
      for (size_t i = 0; i < rule_at.size(); ++i) records[rule_at[i]] = std::move(rules[i]);
      if (!rule_at.empty()) last = static_cast<int64_t>(rule_at.back());
    }
    index = last + 1;
    if (!job.step(n + index)) {
      job.abort();
      r.status = aff_tag_sort_status::aborted;
      return r;
    }
  }

  text_t out;
  out.reserve(text.size());
  for (int64_t index = 0; index < n; ++index) {
    out.append(records[static_cast<size_t>(index)].line);
    out.push_back(u'\n');
    if (!job.step(2 * n + index)) {
      job.abort();
      r.status = aff_tag_sort_status::aborted;
      return r;
    }
  }
  job.end(u"OK." + job.elapsed_text());
  r.text = std::move(out);
  return r;
}
