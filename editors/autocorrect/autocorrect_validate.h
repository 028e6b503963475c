// Checking the autocorrect list against the open dictionary: every correct
// text that is no word form of the dictionary, and every pair whose correct
// text is the incorrect text of a pair (two pairs that undo each other).
//
// The run has four steps, each reported into the log as it ends: the
// dictionary's word forms are expanded once into a hash set, the pairs are
// split, each correct text is looked up in the set, and each correct text is
// looked up among the incorrect texts. One poll per entry in every step.
#pragma once

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

// The introduction the log starts with (and shows again after Clear).
text_t autocorrect_validate_introduction();

// Where the run writes: log gets each line or finished step report as it
// comes (lines end in LF), issues the issue count whenever it grows.
struct autocorrect_validate_output {
  std::function<void(text_view)> log;
  std::function<void(int64_t)> issues;
};

struct autocorrect_validate_result {
  bool aborted = false;
  bool wordlist_incomplete = false;  // the decode warning stopped the expansion
  int64_t derived_words = 0;         // rows the expansion gave (repeats included)
  int64_t distinct_words = 0;        // words in the set
  int64_t pairs = 0;
  int64_t not_found = 0;             // correct texts that are no word form
  int64_t reversed = 0;              // pairs undone: per correct text, the pairs it is the incorrect text of
  int64_t issues() const { return not_found + reversed; }
};

// decode_limit: the number of derived words after which the user is asked
// whether to stop the expansion (0: never asked); separator groups its
// thousands in the question. The caller brings the
// decode cache up to date first.
autocorrect_validate_result validate_autocorrect_list(const list_document& autocorrect,
                                                      const list_document& dictionary,
                                                      const aff_decode_cache& cache, int64_t decode_limit, text_view separator,
                                                      long_job_host& host, const autocorrect_validate_output& out);
