// Words of other word-list files that a master word list lacks, and their
// save. GUI-free: the window (master_wordlist_window.cpp) shows the steps
// and counts through the observer and runs both passes as long jobs.
//
// The master is read once into a hash set; each other file's lines are
// looked up in it, so only the missing words (each once) are kept and
// sorted, by their accent-folded lower-case form. Every file is decoded by
// read_word_list_file; No to its question about a partly UTF-8 file stops
// the run as an abort.
#pragma once

#include "common/long_job.h"
#include "common/text.h"
#include "common/work_records.h"

#include <cstdint>
#include <functional>
#include <vector>

// The six steps the window lists, 1-based.
inline constexpr int MASTER_COMPARE_STEPS = 6;
// ": Loading Master wordlist twice..." and the others; step 2 names the file
// it reads: ": Loading Other wordlists... 2 of 3".
text_t master_compare_step_text(int step, int64_t file = 0, int64_t files = 0);

struct master_compare_observer {
  std::function<void(int step, text_view text)> step_started;
  std::function<void(int step)> step_done;
  // Lines counted in a file: other_index -1 for the master.
  std::function<void(int64_t other_index, int64_t lines)> file_counted;
  // "Total words:" so far: the master once plus the other files' lines.
  std::function<void(int64_t words)> total_words;
};

enum class master_compare_status { done, aborted, master_unreadable };

struct master_compare_result {
  master_compare_status status = master_compare_status::done;
  int step = 0;  // the step the run ended in
  int64_t master_lines = 0;
  std::vector<int64_t> other_lines;      // per other file; -1 when it could not be read
  std::vector<text_t> unreadable_others;
  int64_t total_words = 0;
  int64_t missing = 0;
  int64_t hyphenated = 0;
  int64_t uppercase = 0;
  // The missing words (value), ordered by their folded form (key).
  std::vector<sort_work_record> missing_words;
};

master_compare_result compare_with_master(text_view master_path, const std::vector<text_t>& other_paths,
                                          long_job_host& host, const master_compare_observer& observer = {});

// Which missing words a save writes.
enum class missing_word_filter : int { all = 0, hyphenated = 1, uppercase = 2 };
bool missing_word_kept(text_view word, missing_word_filter filter);

struct missing_words_save_result {
  bool aborted = false;
  bool write_failed = false;
  int64_t written = 0;
};

// Writes the kept words, one per line, as UTF-8 with a byte-order mark. The
// target is replaced only when the whole list was written: an abort or a
// failed write leaves the old file as it was.
missing_words_save_result save_missing_words_file(const std::vector<sort_work_record>& words,
                                                  missing_word_filter filter, text_view path,
                                                  long_job_host& host);
