// The "Fix invalid spaces" run of the thesaurus and autocorrect tools. A
// first pass cleans a copy of every entry and stops at the first one that
// refusal names (its text ends the job; nothing has changed); a second pass
// rewrites the entries. Counts in the texts are formatted by number.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

struct space_fix_result {
  bool stopped = false;         // refused, or Escape (the entries fixed so far stay; Undo takes them back)
  bool nothing_to_fix = false;  // the job ended with "OK."
  int64_t fixed = 0;
};

// refusal(index, entry, cleaned entry): "" when the entry may stay, else the
// status text that stops the run.
space_fix_result fix_invalid_spaces(list_document& doc, long_job_host& host,
                                    const std::function<text_t(text_view)>& clean,
                                    const std::function<text_t(int64_t, text_view, text_view)>& refusal,
                                    const std::function<text_t(int64_t)>& number);
