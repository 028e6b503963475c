// The POS extraction: every dictionary entry whose tag part equals the
// source of one of a language's POS rules is written to a text file, as a
// LanguageTool "added" line (word TAB word TAB target) or as the bare word of
// a spelling list. Rule sources and targets are compared
// with their surrounding spaces removed; the tag part is taken as it stands.
// An entry that matches several rules is written once per rule, in rule order.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// The two lists: "POS added.txt" and "POS spelling.txt".
enum class pos_list_form { added, spelling };

enum class pos_extraction_status : int { ok = 0, aborted, no_words, aff_empty, no_rules, write_failed };

struct pos_extraction_result {
  pos_extraction_status status = pos_extraction_status::ok;
  int64_t found = 0;    // lines written
  text_t status_text;   // for the status bar
  text_t message;       // for a box ("Warning!" for the refusals, "Error!" for a write failure)
};

// The refusals before the file is asked for, in this order: no dictionary
// entries, an empty .aff text, a language without rules.
pos_extraction_result check_pos_extraction(const list_document& dictionary, text_view aff_text,
                                           const std::vector<text_t>& rules);

// The lines of one entry (appended to out as UTF-8); the number written.
class pos_rule_index {
 public:
  explicit pos_rule_index(const std::vector<text_t>& rules);
  int64_t append_lines(std::string& out, text_view entry, pos_list_form form) const;

 private:
  // Trimmed source -> trimmed targets, in rule order.
  std::unordered_map<text_t, std::vector<text_t>> targets_;
};

// Writes the file (UTF-8 with a byte-order mark) under a long job
// "Extracting POSes from Dictionary..."; the target alone is replaced, and
// only when everything was written: an abort or a failure keeps the old file.
pos_extraction_result extract_pos_words(const list_document& dictionary, text_view aff_text,
                                        const std::vector<text_t>& rules, pos_list_form form, text_view target,
                                        long_job_host& host);
