// Rewrites of many entries of the dictionary in one run: flags sorted and
// de-duplicated, the tags/comments removed, invalid spaces fixed.
//
// Each run first works out the new entries while it polls (Escape stops it
// with the document untouched), then writes them in one step that cannot be
// stopped, after one undo snapshot: an abort never leaves half a run, and
// one Undo takes the whole run back.
#pragma once

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>

// ---- Sort flags ------------------------------------------------------------------------------
// The flags of one entry sorted by the FLAG mode of the decode cache, with
// repeats removed. Flags end at the first whitespace (or a further "/"); the
// rest of the first line and the tags are kept. The order is case-
// insensitive; flags equal but for case keep upper case first (the order of
// their code units). FLAG num sorts by number. When the .aff defines AF
// aliases, a flag field of digits is an alias number, not flags: the entry
// is returned unchanged. removed receives the number of repeats dropped.
text_t sort_entry_flags(const aff_decode_cache& cache, text_view entry, int64_t& removed);

struct sort_flags_result {
  bool aborted = false;
  int64_t words = 0;          // entries rewritten
  int64_t flags_removed = 0;  // repeated flags dropped
};
// The decode cache must be up to date with the dictionary's .aff.
sort_flags_result sort_dictionary_flags(list_document& doc, const aff_decode_cache& cache, text_view separator,
                                        long_job_host& host);
// The box after the run: "Sorted the flags in  N word(s).\n\nDuplicate flags removed:M".
text_t sort_flags_summary(const sort_flags_result& r, text_view separator);

// ---- Remove comments -----------------------------------------------------------------------------
struct remove_comments_result {
  bool aborted = false;
  int64_t removed = 0;  // entries cut to their first line
};
remove_comments_result remove_dictionary_comments(list_document& doc, text_view separator, long_job_host& host);

// ---- Fix invalid spaces ------------------------------------------------------------------------
// Each entry's first line gets every run of spaces made one and no space at
// either end (collapse_spaces); its tags are kept. A first line made only of
// spaces stops the run before any change; an empty one is left alone.
struct fix_spaces_result {
  bool aborted = false;
  int64_t null_line = 0;  // 1-based entry whose first line is only spaces (nothing changed)
  int64_t fixed = 0;      // entries rewritten
};
fix_spaces_result fix_dictionary_spaces(list_document& doc, long_job_host& host);
