// What the thesaurus and autocorrect tools share: the record a tool run
// leaves for its window, the refusal of a run that cannot start, and the
// "Fix invalid spaces" run.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

// What a tool run left for the window: the status text (already shown by
// the host), a box to show after it ("" none) and the counts.
struct editor_tool_result {
  bool aborted = false;
  bool changed = false;  // entries of the document were rewritten
  int64_t count = 0;     // fixed or converted entries, extracted lines
  text_t message_title;
  text_t message;
  int message_flags = 0;
};

// A run that does not start: "Warning!" with the message.
editor_tool_result editor_tool_refusal(text_view message);
// An export whose file could not be written: the job is aborted and an
// "Error!" box names the file, whose old content is kept.
editor_tool_result editor_tool_write_failure(long_job& job, text_view target);

// "Fix invalid spaces": a first pass cleans a copy of every entry and stops
// at the first one that refusal names (its text ends the job; nothing has
// changed); a second pass rewrites the entries, or "No spaces to fix found!"
// when none changes. Escape keeps the entries fixed so far (Undo takes them
// back). Counts in the texts are formatted by number.
// refusal(index, entry, cleaned entry): "" when the entry may stay.
editor_tool_result fix_invalid_spaces(list_document& doc, long_job_host& host,
                                      const std::function<text_t(text_view)>& clean,
                                      const std::function<text_t(int64_t, text_view, text_view)>& refusal,
                                      const std::function<text_t(int64_t)>& number);
