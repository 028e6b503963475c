// Text tools on a pasted word list, one word per line, for the Bulk Import
// window: sort by the accent-folded lower-case form (also the "|"
// alternatives of a simple regular expression), delete repeated lines
// keeping the order, and decode numeric character references. And the one
// reader of word-list files for every tool that opens them.
#pragma once

#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

// Texts of the steps ("Step 2/4: Transferring wordlist to array", ...).
inline constexpr char16_t WORDLIST_STEP_UNIX[] = u"Step 1/4: Converting wordlist to Unix";
inline constexpr char16_t WORDLIST_STEP_TRANSFER[] = u"Step 2/4: Transferring wordlist to array";
inline constexpr char16_t WORDLIST_STEP_SORT[] = u"Step 3/4: Sorting wordlist in array";
inline constexpr char16_t WORDLIST_STEP_DEDUPLICATE[] = u"Step 3/4: Removing duplicates of wordlist in array";
inline constexpr char16_t WORDLIST_STEP_CONVERT[] = u"Step 3/4: Converting Hex tags to accents";
inline constexpr char16_t WORDLIST_STEP_OUTPUT[] = u"Step 4/4: Populating Editor Gadget";

// ---- Word-list files -------------------------------------------------------------------
enum class word_list_read_status { ok, unreadable, declined };
// The whole text of a word-list file (the master and other lists, Bulk
// Import's Open, a text of names), decoded as the dictionary load decodes:
// the byte-order mark's encoding, else UTF-8 when the bytes are valid UTF-8,
// else one byte per character; a file that is partly both is read only when
// the host's question is answered Yes (declined otherwise). Line ends stay
// as they are. text is "" unless the result is ok.
word_list_read_status read_word_list_file(text_view path, long_job_host& host, text_t& text);

struct wordlist_tool_observer {
  // A new step began.
  std::function<void(text_view step)> step_started;
  // A tick of the job: the step, the position in it and the number of lines.
  std::function<void(text_view step, int64_t position, int64_t lines)> on_tick;
};

enum class wordlist_tool_status { done, aborted, nothing_to_process };

struct wordlist_tool_result {
  wordlist_tool_status status = wordlist_tool_status::done;
  // The result, each line + LF; after an abort in the output step, what was
  // built so far, else "".
  text_t output;
  int64_t lines = 0;    // lines of the input
  int64_t found = 0;    // lines in the result
  int64_t removed = 0;  // duplicates removed
};

// Sorted by the folded form of each line; blank lines come first.
wordlist_tool_result sort_small_wordlist(text_view input, long_job_host& host,
                                         const wordlist_tool_observer& observer = {});
// Every repeated line removed (the first one stays where it was) and blank
// lines dropped; needs at least two lines.
wordlist_tool_result delete_duplicate_lines(text_view input, long_job_host& host,
                                            const wordlist_tool_observer& observer = {});
// "caf&#233;" becomes "café" (decimal and hexadecimal references).
wordlist_tool_result convert_xml_tags_to_accents(text_view input, long_job_host& host,
                                                 const wordlist_tool_observer& observer = {});

// ---- Alternatives of a regular expression ("b|a|c") ---------------------------------
// False when the text holds ":" or unbalanced brackets, or a group that is
// empty or holds "(" or "|".
bool regexp_alternatives_valid(text_view expression);
// Each "|" becomes LF (line ends normalised first).
text_t regexp_alternatives_to_lines(text_view expression);
// Line breaks (CR LF when the text holds any, else LF) become "|"; a final
// "|" is removed.
text_t lines_to_regexp_alternatives(text_view text);
inline constexpr char16_t REGEXP_WARNING[] = u"RegExp too complex or has errors.\n\nAvoid using the symbols: \"( ) :\".";
