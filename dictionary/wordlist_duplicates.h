// The words a dictionary produces more than once: every entry is expanded
// into its derived words, which are sorted once; a word that comes twice
// with the same tags is a duplicate, listed with the lines that produce it.
// Also the export of that list.
#pragma once

#include "affix/aff_cache.h"
#include "common/line_export.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <vector>

struct wordlist_duplicate_row {
  text_t word;
  int64_t occurrences = 0;
  text_t lines;  // the line numbers joined by " + "
};

enum class wordlist_duplicates_status { ok, no_words, aborted };

struct wordlist_duplicates_result {
  wordlist_duplicates_status status = wordlist_duplicates_status::ok;
  std::vector<wordlist_duplicate_row> rows;
  int64_t expanded_words = 0;
};

// Two steps on the host's job: the expansion (progress 0 .. count) and the
// comparison (0 .. the number of words). Once the expansion has produced
// decode_warning_limit words (0: never), the host is asked whether to go on
// (Yes aborts). Counts in its texts use the number separator.
wordlist_duplicates_result find_wordlist_duplicates(const list_document& doc, const aff_decode_cache& cache, long_job_host& host,
                                                    int64_t decode_warning_limit, text_view number_separator);

// "DUPLICATES FOUND:" + the row count, an empty line, then per row
// word + " (" + occurrences + "): " + lines; UTF-8 with a mark. The old file
// stays unless the whole file was written.
line_export_status export_wordlist_duplicates(const std::vector<wordlist_duplicate_row>& rows, text_view path,
                                              text_view number_separator, long_job_host& host);
