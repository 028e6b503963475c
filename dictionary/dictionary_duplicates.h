// Duplicates of the .dic: the scan that finds entries sharing a word (and
// entries that repeat a flag), the Process that deletes and merges them and
// removes repeated flags, OK's compaction and the export of the list.
//
// The scan sorts the entries once and walks them once; Process handles each
// group of equal words in time linear in its size. Every change goes through
// a list_tool_edit, so the window can put the dictionary back on Cancel.
// Process never changes the set of words the dictionary stands for: an entry
// is only deleted when another one derives the same word the same way, and
// two entries are only merged when the union of their flags derives nothing
// new. The flags are read by the decode cache of the .aff text.
#pragma once

#include "affix/aff_cache.h"
#include "common/line_export.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/settings_file.h"
#include "common/text.h"
#include "common/tool_log.h"

#include <cstdint>
#include <functional>
#include <vector>

// One row of the duplicates list.
struct duplicate_row_record {
  int64_t line = 0;  // 1-based entry position
  text_t word;       // with its "\/" escapes
  text_t flags;
  text_t tags;
  text_t class_code;          // classify_word_affixes of the flags
  int64_t repeated_flags = 0; // flags that repeat an earlier one (0 none)
  bool in_group = false;      // false: listed only for its repeated flags
};

struct duplicate_scan_result {
  bool aborted = false;
  std::vector<duplicate_row_record> rows;  // list order
  std::vector<int64_t> group_sizes;        // rows per group, groups in list order
  int64_t repeated_words = 0;              // rows that belong to a group
  int64_t repeated_flag_entries = 0;       // entries that repeat a flag
};

// Scans the dictionary (progress 0 .. 2 × count: the split, then the walk).
// Appends its steps and counts to log; "Aborted!" on Escape. The
// rows found before an abort are kept.
duplicate_scan_result scan_dictionary_duplicates(const list_document& doc, const aff_decode_cache& cache,
                                                 long_job_host& host, tool_log& log);

// "Yes (+n)" for a row that repeats flags, "" otherwise.
text_t repeated_flags_column(const duplicate_row_record& row);
// The list row: line, word, flags, tags, class name, repeated flags (LF-joined).
text_t duplicate_row_text(const duplicate_row_record& row);

// The check boxes of the window, as the program remembers them
// (duplicates_prefs_file).
struct duplicates_options {
  bool ignore_tags = false;           // merge entries whatever their tags (the tags are joined)
  bool twofold = false;               // only delete bare and identical entries
  bool same_class = true;             // merge only entries of one class (suffixes or prefixes)
  bool special_primary_only = true;   // with KEEPCASE/NEEDAFFIX/... in the .aff: no merges
};
// The options from the remembered values (indexes 1..4, 0 or 1).
duplicates_options duplicates_options_from(const std::vector<int64_t>& values);

struct duplicates_process_result {
  bool aborted = false;          // Escape stopped a step; what was done stays
  int64_t merged = 0;            // entries deleted or merged away
  int64_t removed_flags = 0;     // repeated flags removed
  text_t repeated_flag_entries_before;  // the count shown before Process ("0" none)
  duplicate_scan_result scan;    // the list after Process
  text_t summary;                // the text of the closing box; "" when a scan or the
                                 // removal of repeated flags was stopped
};

// Process: merge passes over the groups of scan (each followed by a new
// scan), then the removal of repeated flags, then a final scan. Every change
// of an entry is preceded by edit.before_change(); a deleted or merged entry
// is left empty in place until keep_dictionary_duplicates_result.
duplicates_process_result process_dictionary_duplicates(list_document& doc, const aff_decode_cache& cache,
                                                        list_tool_edit& edit, const duplicate_scan_result& scan,
                                                        const duplicates_options& options,
                                                        long_job_host& host, tool_log& log);

// Only the removal of repeated flags; returns the number of flags removed,
// -1 when Escape stopped it.
int64_t remove_dictionary_duplicate_flags(list_document& doc, const aff_decode_cache& cache, list_tool_edit& edit,
                                          long_job_host& host, tool_log& log);

// OK: when the window changed something, the emptied entries are dropped
// (marks move with their entries), the selection is cleared, the page goes
// to the top and the document is marked changed; the changes are kept
// (Undo takes them back). Returns whether the document changed.
bool keep_dictionary_duplicates_result(list_document& doc, list_tool_edit& edit);

// The list as a text file (UTF-8 with a mark): "DUPLICATES FOUND:" + the row
// count, an empty line, then per row its line, word, flags, tags and class
// name joined by ":". The old file stays unless the whole file was written.
line_export_status export_dictionary_duplicates(const duplicate_scan_result& scan, text_view path,
                                                text_view number_separator, long_job_host& host);

// The first lines of the window's log.
text_t duplicates_log_banner();

// Remember: "41" + LF, then the four check-box states as shown, one byte
// each (0 or 1), written through a temporary file.
inline constexpr char16_t duplicates_prefs_file[] = u"show_merge_del_dupes.prefs";
bool write_duplicates_options_prefs(text_view path, const std::vector<int64_t>& shown_states);
// Reads the four states into options (any byte but 0 is on); a missing or
// short file leaves them as they are.
void read_duplicates_options_prefs(text_view path, duplicates_options& options);
settings_file_registration duplicates_settings_file(duplicates_options& options);
