// What an expansion does with each derived word: the output modes.
//
//   1   rows for the word editor's derived-words list (derived_word_rows) or
//       the Hyphenation tab's list (hyphenation_derived_rows)
//   2   lines, compound lines or CSV rows written to open file 1
//   3   nothing written; rows are only counted
//   4   words stored in expanded_words after expanded_word_count
//   5   statistics counters (add_word_to_statistics)
//   6   matching words collected as lines of the statistics view
//   7   matching words written to open file 1
//   100 the first suffix derivative (crunch_first_derivative), then stop
#pragma once

#include "affix/aff_cache.h"
#include "common/text.h"

#include <array>
#include <cstdint>
#include <vector>

enum class derived_row_type : uint8_t { primary = 0, suffix = 1, prefix = 2, both = 3 };
text_view derived_row_type_name(derived_row_type type);  // "Primary", "Suffix", ...

// One derived word as the expansion hands it to the output step. The views
// live only during the call.
struct derived_row {
  derived_row_type type = derived_row_type::primary;
  text_view word;  // the derived word
  text_view base;  // the word the affix was applied to (Primary: the word)
  text_view flag;  // "" for Primary
  int64_t position = 0;     // header position of the flag's set
  int64_t rule_number = 0;  // 1-based within the set
  const aff_rule_record* rule = nullptr;
  text_view origin_flag;        // the entry's flag that started the row
  text_view continuation_flag;  // the continuation flag being expanded, or ""
};

// The arguments of one expansion that matter to the output step.
struct expansion_request {
  int64_t mode = 3;
  bool csv = false;
  bool hyphen_only = false;
  text_view tag, suffix1, suffix2;
  bool to_hyphenation_list = false;
};

// Words counted by the output step in the current expansion (its result).
extern int64_t expansion_output_count;

// ---- Mode 1 ------------------------------------------------------------------
// Views list at most this many rows: an entry can stand for millions of
// words, which a file takes but a list would hold for seconds and gigabytes.
// The expansion stops at the limit and says so (derived_rows_capped).
constexpr size_t DERIVED_ROW_VIEW_LIMIT = 100000;
extern bool derived_rows_capped;  // the last mode-1 expansion stopped at the limit
// Text colours of the four row types (0xBBGGRR, -1 default), set by the window
// layer from the preferences' affix colours: primary, suffix, prefix, both.
extern std::array<int32_t, 4> affix_type_colours;

struct derived_word_record {
  int32_t row_index = 0;
  text_t word;
  text_t type;
  int32_t type_colour = -1;
  text_t flag;
  text_t origin;  // flag, or flag + TAB + continuation flag
  int32_t flag_position = 0;
  text_t position_key;
  text_t rule_key;
  text_t sort_key;
};
// One record per row of the word editor's list, in list order.
extern std::vector<derived_word_record> derived_word_rows;
extern int64_t derived_rows_added;
extern int64_t derived_row_index;
extern int64_t derived_words_sort_mode;  // 1..5

// Column texts of a record as the list shows them.
text_t derived_record_position_column(const derived_word_record& r);  // "" when 0
text_t derived_record_rule_column(const derived_word_record& r);      // "" for Primary

// Sorts the first n records by derived_words_sort_mode (1: list order); the
// caller then refills its list from derived_word_rows.
void sort_derived_words(int64_t n);
// The last w units of "0000" + text, w the digit count of the largest rule count.
text_t pad_rule_number(text_view text);

struct hyphenation_derived_row {
  text_t word;
  text_t flag;
  int32_t type_colour = -1;
};
// Mode 1 with to_hyphenation_list: the rows of the Hyphenation tab's list.
extern std::vector<hyphenation_derived_row> hyphenation_derived_rows;

// ---- Mode 4 ------------------------------------------------------------------
extern std::vector<text_t> expanded_words;
extern int64_t expanded_word_count;  // kept by the caller

// ---- Modes 5 to 7: statistics ----------------------------------------------------
struct word_type_counter_record {
  int32_t apostrophe_forms = 0;
  int32_t hyphen_forms = 0;
  int32_t capital_forms = 0;
  int32_t short_form_length = 0;
};
extern int64_t words_with_apostrophe, words_with_hyphen, words_with_capitals;
extern std::array<int64_t, 6> short_word_histogram;   // [length 1..5]
extern std::array<int64_t, 27> first_letter_histogram;  // [0] other, [1..26] a..z
extern std::vector<word_type_counter_record> word_type_counters;
extern int64_t statistics_entry_index;
void reset_word_statistics();
void add_word_to_statistics(text_view word);

extern int64_t statistics_word_type;    // 0 "'", 1 "-", 2 capital, 3..7 length 1..5
extern int64_t statistics_type_filter;  // non-zero: annotate each line
// Mode 6: the lines for the statistics log, appended by each expansion.
extern std::vector<text_t> statistics_view_lines;

// ---- Mode 100 ------------------------------------------------------------------
extern text_t crunch_first_derivative;

// ---- Used by the expansion ---------------------------------------------------
// Level-0 start and end of an expansion (reset of the mode's state; the file
// modes write their buffered text at the end).
void begin_expansion_output(const expansion_request& request);
void end_expansion_output(const expansion_request& request);
// Hands one row to the output step; false ends the expansion (mode 100).
bool output_derived_row(const expansion_request& request, const derived_row& row);
// Appends the CSV field, quoted, its quotes doubled.
void append_csv_field(text_t& out, text_view field);
