#include "tools/pos_extraction.h"

#include "common/file.h"
#include "common/format.h"
#include "common/dic_entry.h"
#include "tools/pos_rules.h"

namespace {

pos_extraction_result refusal(pos_extraction_status status, text_view message) {
  pos_extraction_result r;
  r.status = status;
  r.message = message;
  r.status_text = T(LONG_JOB_ABORTED);
  return r;
}

}  // namespace

pos_extraction_result check_pos_extraction(const list_document& dictionary, text_view aff_text,
                                           const std::vector<text_t>& rules) {
  if (dictionary.empty()) return refusal(pos_extraction_status::no_words, u"No dictionary words found.");
  if (aff_text.empty()) return refusal(pos_extraction_status::aff_empty, u"The .AFF file is empty.");
  if (rules.empty()) return refusal(pos_extraction_status::no_rules, u"No POS rules for selected language.");
  return pos_extraction_result();
}

pos_rule_index::pos_rule_index(const std::vector<text_t>& rules) {
  for (const text_t& rule : rules) {
    const pos_rule_parts p = split_pos_rule(rule);
    targets_[string_trim_spaces(p.source)].push_back(string_trim_spaces(p.target));
  }
}

int64_t pos_rule_index::append_lines(std::string& out, text_view entry, pos_list_form form) const {
  const dic_entry_parts parts = split_dic_entry(entry);
  // An entry without a tag part never matches: the dialog refuses blank sources.
  if (!parts.has_tags) return 0;
  text_view tags = parts.tags;
  tags = tags.substr(0, tags.find(u'\n'));
  const auto it = targets_.find(text_t(tags));
  if (it == targets_.end()) return 0;
  for (const text_t& target : it->second) {
    append_utf8(out, parts.word);
    if (form == pos_list_form::added) {
      out += '\t';
      append_utf8(out, parts.word);
      out += '\t';
      append_utf8(out, target);
    }
    out += '\n';
  }
  return static_cast<int64_t>(it->second.size());
}

pos_extraction_result extract_pos_words(const list_document& dictionary, text_view aff_text,
                                        const std::vector<text_t>& rules, pos_list_form form, text_view target,
                                        long_job_host& host) {
  pos_extraction_result refused = check_pos_extraction(dictionary, aff_text, rules);
  if (refused.status != pos_extraction_status::ok) return refused;
  const text_t write_failed_message =
      u"Can't write the file:\n" + text_t(target) + u"\n\nThe POSes were not extracted; the old file is kept.";
  const pos_rule_index index(rules);
  long_job job(host, text_t(u"Extracting POSes from Dictionary...") + T(LONG_JOB_ESCAPE_HINT),
               dictionary.count(), true);
  atomic_file out;
  if (!out.create(target)) {
    job.abort();
    pos_extraction_result r = refusal(pos_extraction_status::write_failed, write_failed_message);
    return r;
  }
  std::string bytes = "\xEF\xBB\xBF";
  constexpr size_t kChunk = 1 << 16;
  int64_t found = 0;
  const int64_t n = dictionary.count();
  for (int64_t i = 0; i < n; ++i) {
    found += index.append_lines(bytes, dictionary.entries()[static_cast<size_t>(i)], form);
    if (bytes.size() >= kChunk) {
      if (!out.write(bytes.data(), bytes.size())) {
        job.abort();
        return refusal(pos_extraction_status::write_failed, write_failed_message);
      }
      bytes.clear();
    }
    if (!job.step(i)) {
      job.abort();  // the temporary goes; the old file stays
      return refusal(pos_extraction_status::aborted, u"");
    }
  }
  if (!out.write(bytes.data(), bytes.size()) || !out.commit()) {
    job.abort();
    return refusal(pos_extraction_status::write_failed, write_failed_message);
  }
  pos_extraction_result r;
  r.found = found;
  r.status_text = u"OK. POSes extracted:" + string_from_int(found) + job.elapsed_text();
  job.end(r.status_text);
  return r;
}
