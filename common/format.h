// Printing of sizes, durations and percentages for the status bar and tool
// windows, and small cleaners of words, lines and paths. Their outputs appear
// in messages and exports, so their forms are fixed.
#pragma once

#include "common/text.h"

#include <array>

// "1023 bytes", "1.0 kB", "1.5 MB", "2.0 GB" after the prefix; in brackets
// when in_brackets is non-zero: format_file_size(u"dic:", n, 1) = "(dic:1.5 MB)".
text_t format_file_size(text_view prefix, int64_t size, int in_brackets);
// prefix + "01m05s", "01h00m00s" or "1d01h00m00s": minutes and seconds are
// always shown, hours when there are hours or days, days when not 0.
text_t format_elapsed_time(text_view prefix, int64_t ms);
// " (12.50%)", " (25%)"; a total of 0 prints the infinity or NaN text.
text_t format_percentage(int32_t part, int32_t total);
// A count as status texts and labels print it: "." as the decimal point and
// separator (the preference) between the thousands.
text_t format_count(int64_t n, text_view separator);
// Two decimals, ".00" dropped: 3 gives "3", 2.5 gives "2.50".
text_t format_decimal_2(float value);
// Shorter length × 100 / longer length; 100 for two empty texts.
float compute_length_ratio_percent(text_view a, text_view b);
// Lower-cased text with the accents of a fixed table removed, one unit for
// one unit: a sort and comparison key, never displayed.
text_t fold_accents_lowercase(text_view s);
// The same fold as a table: fold_accents_lowercase maps unit u to table[u].
const std::array<char16_t, 65536>& fold_accents_lowercase_table();
// Leading and trailing spaces removed and every run of spaces made one
// space; TABs are not touched.
text_t collapse_spaces(text_view s);
// A space at the start or the end, or two spaces in a row: what an entry
// editor colours red and refuses.
bool has_invalid_spaces(text_view s);
// CR LF and lone CR become LF; pending window events are drained between
// the steps so the window repaints during a long text.
text_t normalise_line_endings(text_view s);
// The text between the quote (' or ") at the 1-based position and the next
// same quote; "" when there is no quote there or no closing one.
text_t get_quoted_text_at(text_view s, int64_t position);
// The file-name part of the path, or "n/a" when it is empty.
text_t get_file_part_or_na(text_view path);
// The folder part of the path (with its "/"), or the default when empty.
text_t get_path_part_or_default(text_view path, text_view default_text);
