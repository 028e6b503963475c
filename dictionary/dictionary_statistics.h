// Dictionary statistics: every entry expanded into its word forms, counted
// by type (apostrophe, hyphen, capital, lengths 1 to 5) and by first
// letter; the texts of the statistics window and its export, the pie chart's
// sectors, the remembered reference total, and the entries and forms of one
// type.
//
// The pass returns its counts as a record (dictionary_statistics), which the
// window keeps for its lists, chart, export, listing and extraction.
#pragma once

#include "affix/expansion_output.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/settings_file.h"
#include "common/text.h"

#include <array>
#include <cstdint>
#include <vector>

constexpr int STATISTICS_TYPE_ROWS = WORD_TYPE_COUNT;
constexpr int STATISTICS_LETTER_ROWS = FIRST_LETTER_ROWS;

// Row titles of the type list ("With ':" ... "5 characters long:") and their images.
extern const std::array<const char16_t*, STATISTICS_TYPE_ROWS> statistics_type_titles;
extern const std::array<int, STATISTICS_TYPE_ROWS> statistics_type_images;
// Pie-chart colours of the rows (red + green * 256 + blue * 65536).
extern const std::array<int, STATISTICS_TYPE_ROWS> statistics_type_colours;

// What the pass over the whole dictionary counted.
struct dictionary_statistics {
  bool aborted = false;    // the counts are then incomplete
  int64_t total = 0;       // word forms counted
  word_statistics counts;  // per_entry: one record per entry of the document
};
// The pass over the whole dictionary.
dictionary_statistics compute_dictionary_statistics(const list_document& doc, const aff_decode_cache& cache,
                                                    text_view separator, long_job_host& host);

// Count of a type row (WORD_TYPE_...) and of a letter row (0 "#/other",
// 1..26 "a".."z").
int64_t statistics_type_count(const dictionary_statistics& stats, int row);
int64_t statistics_letter_count(const dictionary_statistics& stats, int row);
// count × 100 / total with two decimals, ".00" dropped; "0" when nothing was counted.
text_t statistics_percentage(int64_t count, int64_t total);
// Rows of the lists: title + LF + grouped count + LF + percentage.
text_t statistics_type_row(const dictionary_statistics& stats, int row, text_view separator);
text_t statistics_letter_row(const dictionary_statistics& stats, int row, text_view separator);

// "New:" + grouped (total - reference) + " / Date:" + date.
text_t statistics_new_words_text(int64_t total, int64_t reference, text_view date, text_view separator);

// The export file's text; reference and new_words are the window's fields
// ("" prints "N/A"; new_words loses its leading "New:").
text_t statistics_export_text(const dictionary_statistics& stats, text_view reference, text_view new_words,
                              text_view separator);
// UTF-8 with a byte-order mark through the atomic writer; false when it failed.
bool write_statistics_export(text_view path, text_view text);
// The remember file: "41", the count, the label; no byte-order mark.
bool write_statistics_remember(text_view path, text_view count, text_view label);

// What the statistics window remembers: the reference total and its label,
// kept in statistics_remember_file.
inline constexpr char16_t statistics_remember_file[] = u"dic_stats_remember.prefs";
inline constexpr char16_t statistics_label_default[] = u"Last Remember:N/A";
struct statistics_options {
  text_t remembered_count;  // digits; "" when none is remembered
  text_t remembered_label = statistics_label_default;
};
// Reads the remember file into options; a missing or damaged file (a count
// that is not digits among them) leaves them as they are.
void read_statistics_remember(text_view path, statistics_options& options);
settings_file_registration statistics_settings_file(statistics_options& options);

// The pie chart: one sector per row with a share above 0, in row order from
// angle 0, the rest black; shares as the "%" column prints them.
struct pie_sector {
  double start = 0;  // fractions of the full turn
  double end = 0;
  int colour = 0;
};
struct pie_chart {
  std::vector<pie_sector> sectors;
  bool over_100 = false;  // the rows add up to more than 100 % ("NOTE: >100%")
};
pie_chart statistics_pie_chart(const dictionary_statistics& stats);

// Whether extracting a row of this many forms asks the huge-output question.
bool statistics_export_needs_warning(int64_t count, int64_t decode_warning_limit);

// ---- One type -------------------------------------------------------------------------------------
// The entries that have forms of the row's type, as rows of the words
// window: first line + LF + position (1-based) + LF + forms of that type.
// The length rows count the forms of exactly that length.
struct statistics_listing {
  bool aborted = false;
  std::vector<text_t> rows;
};
statistics_listing list_entries_of_statistic_type(const list_document& doc, const aff_decode_cache& cache,
                                                  const dictionary_statistics& stats, int row, long_job_host& host);
// The forms of the row's type of one entry, with where they came from.
std::vector<text_t> preview_forms_of_statistic_type(const aff_decode_cache& cache, text_view entry, int row);

struct statistics_extraction_result {
  bool aborted = false;
  bool write_failed = false;
};
// Every form of the row's type written to path, UTF-8 with a byte-order
// mark; an abort or failure keeps the old file.
statistics_extraction_result export_forms_of_statistic_type(const list_document& doc, const aff_decode_cache& cache,
                                                            const dictionary_statistics& stats, int row,
                                                            word_annotation annotation, text_view path,
                                                            long_job_host& host);
