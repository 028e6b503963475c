// Import of place and people names from a pasted text: the text is cleared
// of digits and punctuation, each capitalised word is a name, and a name
// that the dictionary does not hold with the possessive flag (as a part of
// any entry) is appended as name + flag text ("/M"). One run is one undo
// step; an aborted run puts the dictionary and its history back.
//
// The dictionary is read once, as one buffer of all its entries: each
// occurrence of the flag text there is checked against every name at once
// (and each entry the run adds likewise), so a run costs the dictionary's
// size, not names times entries.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

struct possessive_options {
  text_t flag_text = u"/M";
  text_t remove_1 = u"'s";
  text_t remove_2 = u"\u2019s";
  bool log_index = true;  // log lines start with (log_start + added) + ") "
  int64_t log_start = 1;
  // On each tick: the line, the number of lines, the names added, the log.
  std::function<void(int64_t line, int64_t lines, int64_t added, text_view log)> on_tick;
};

enum class possessive_status { done, aborted, nothing_to_process, bad_flag };

struct possessive_result {
  possessive_status status = possessive_status::done;
  text_t log;
  int64_t lines = 0;
  int64_t added = 0;
};

// The pasted text with LF line ends and a final LF, its punctuation,
// digits, dashes between spaces and the two remove texts turned into
// spaces, and double spaces made single.
text_t clean_possessive_text(text_view pasted, text_view remove_1, text_view remove_2);
// The name a word of the cleaned text stands for, or "" when it is none:
// quotes and other non-letters around it are stripped; it must then start
// with an upper-case letter and neither start nor end with "-".
text_t possessive_candidate(text_view word);
// True when the flag text is "/" and flags that fit the FLAG mode
// (aff_flag_modes of affix/aff_cache.h).
bool possessive_flag_valid(text_view flag_text, int64_t flag_mode);
inline constexpr char16_t POSSESSIVE_BAD_FLAG[] =
    u"The possessive flag does not fit the FLAG mode of the .aff file.";

possessive_result import_possessive_names(text_view pasted, const possessive_options& options,
                                          int64_t flag_mode, list_document& dictionary, long_job_host& host);
