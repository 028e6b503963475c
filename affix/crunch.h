// Crunch: plain dictionary words folded back into a suffix flag of a shorter
// word. When walks has no flags and walk/S gives walks as its first suffix
// word, the entry walks becomes walk/S; walk itself is left as it is.
//
// The records are sorted by word, so the words that share their first
// match-left units (the group a base is compared with) stand together. Each
// base computes the first suffix word of every enabled flag once and finds
// the flagless entries of that word through a hash of the words; the result
// is that of comparing the base with every record of its group.
#pragma once

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

constexpr int CRUNCH_OPTION_COUNT = 17;

// The suffix flags Crunch tries, in the order it tries them.
struct crunch_option_info {
  char16_t letter;
  const char* caption;  // UTF-8
};
extern const std::array<crunch_option_info, CRUNCH_OPTION_COUNT> crunch_option_table;

struct crunch_settings {
  std::array<bool, CRUNCH_OPTION_COUNT> enabled{};
  int64_t match_left = 2;  // 1..3 leading units two words must share
};
// What the crunch window starts with: every flag on, match-left 2.
crunch_settings crunch_window_start_settings();

// One folded entry: word is the entry's old word, the entry is now root/flag.
struct crunch_fold {
  int64_t entry_index = 0;
  text_t word;
  text_t root;
  text_t flag;
};

// too_many_words: an entry stands for more words than an expansion lists
// (DERIVED_ROW_VIEW_LIMIT, affix/expansion_output.h); the run stops before
// any change, message naming the entry.
enum class crunch_status { done, no_words, no_rules, single_entry, aborted, too_many_words };

struct crunch_result {
  crunch_status status = crunch_status::done;
  text_t message;  // for too_many_words
  int64_t folds = 0;
  std::vector<crunch_fold> rows;  // the folded entries in entry order
  int64_t elapsed_ms = 0;
};

// What the window shows while the job runs: the step (1..4) as it starts,
// and on each tick of the job the step, the current record (0-based) and
// the folds so far.
struct crunch_progress_hooks {
  std::function<void(int step)> step_started;
  std::function<void(int step, int64_t current, int64_t folds)> tick;
};

// The preferences' decode warning: once the first step holds limit words
// (0: never asked), the host is asked whether to stop (Yes: aborted, nothing
// changed); separator groups the limit's thousands in the question.
struct crunch_decode_warning {
  int64_t limit = 0;
  text_t separator = u",";
};

// Runs the four steps over the whole dictionary with the decode cache of its
// .aff. The first fold takes the undo snapshot through edit and marks the
// document changed. A confirmed Escape keeps the folds made so far.
crunch_result crunch_dictionary(list_document& doc, const aff_decode_cache& cache, const crunch_settings& settings,
                                list_tool_edit& edit, long_job_host& host, const crunch_progress_hooks& hooks = {},
                                const crunch_decode_warning& warning = {});

// "walks→walk/S": the text of a fold's row.
text_t crunch_fold_text(const crunch_fold& fold);
// The enabled letters in table order, e.g. "MSG".
text_t crunch_flag_summary(const crunch_settings& settings);
