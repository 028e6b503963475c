// Sort tags .AFF: the rule lines of every PFX and SFX set of the .aff text
// put in the order of their affix and condition. The header keeps its place,
// and so does every other line: comment and empty lines among the rules
// stay where they stand and the rules are sorted around them. A header's
// rule count is only trusted as far as rule lines of its own kind and flag
// follow it: nothing past them is moved.
#pragma once

#include "common/long_job.h"
#include "common/text.h"

enum class aff_tag_sort_status { sorted, aff_empty, declined, no_tags, aborted };

struct aff_tag_sort_result {
  aff_tag_sort_status status = aff_tag_sort_status::sorted;
  text_t text;  // sorted: the new text, each line ended by LF
};

// Asks through the host (the warning, the question), then sorts under a job
// of three steps (progress 0 .. 3 × lines).
aff_tag_sort_result sort_aff_tags(text_view aff_text, long_job_host& host);
