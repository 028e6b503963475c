// The whole-thesaurus tools: fixing invalid spaces, sorting or
// de-duplicating the meanings of each entry, cleaning up symbols, sorting the
// entries by meaning count, extracting to a text file, combining simple
// entries into their reverse entries, and finding and merging entries that
// share a head word. Each runs as a long job over the document; the boxes,
// requesters and windows belong to the window files.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include "editors/editor_tools.h"

#include <cstdint>
#include <vector>

using thesaurus_tool_result = editor_tool_result;

// separator: the thousands separator of the counts in the texts (the
// preference).

// ---- Spaces ---------------------------------------------------------------------
// Doubled spaces made single and the spaces beside "|" and LF and at the end
// removed, until none is left; a space at the very start stays.
text_t tidy_thesaurus_spaces(text_view entry);
// "Fix invalid spaces": a first pass checks the tidied entries (an empty word
// or meaning stops the run with no change), a second stores them.
thesaurus_tool_result fix_thesaurus_entry_spaces(list_document& doc, text_view separator, long_job_host& host);

// ---- Sort and Deduplicate ---------------------------------------------------------------
// The entry rebuilt as word|count + its non-empty meanings: sorted ignoring
// case (sort), or with every repeat but the last removed (deduplicate). The
// count is the number of meanings written.
text_t rebuild_thesaurus_meanings(text_view entry, bool sort, bool unduplicate);
// Sort asks first; both rewrite entry by entry, so a stop keeps the entries
// already done.
thesaurus_tool_result sort_or_unduplicate_thesaurus_meanings(list_document& doc, bool sort, bool unduplicate,
                                                             long_job_host& host);

// ---- Clean up symbols -----------------------------------------------------------------
struct clean_symbols_options {
  bool remove_dash_bar = true;   // every "-|" removed
  bool bar_to_space = true;      // every "|" made a space
  bool remove_brackets = true;   // "(...)" removed from lines with balanced brackets
};
// One meaning line changed by the options that are on; worked is set when
// an option applied (or the bracket option was tried on a balanced line).
text_t clean_thesaurus_meaning(text_view line, const clean_symbols_options& options, bool& worked);
// A meaning emptied by the options stops the run with no change and that
// entry selected; otherwise every entry is replaced at the end in one go.
thesaurus_tool_result clean_thesaurus_entry_symbols(list_document& doc, const clean_symbols_options& options,
                                                    text_view separator, long_job_host& host);

// ---- Extraction -------------------------------------------------------------------------
// "word:", its meaning lines and an empty line per entry (book: "-|"
// removed, "|" as ", ", ";" after each meaning and "." after the last), as
// UTF-8 with a byte-order mark, replacing target only when whole.
thesaurus_tool_result extract_thesaurus(const list_document& doc, text_view target, bool book, text_view separator, long_job_host& host);

// ---- Sort on numbers --------------------------------------------------------------------
// Entries by meaning count, then by accent-free lower-case word. Only the
// key pass can be stopped; the rewrite runs to its end.
thesaurus_tool_result sort_thesaurus_on_meaning_count(list_document& doc, text_view separator, long_job_host& host);

// ---- Combine ------------------------------------------------------------------------------
// Adds, for every meaning of every simple entry, the entry headed by that
// meaning; refuses any entry that is not simple before anything changes,
// and a result that would add more than the larger of
// THESAURUS_COMBINE_ADDED_FLOOR text units and 8 times the document's.
constexpr int64_t THESAURUS_COMBINE_ADDED_FLOOR = int64_t{32} << 20;
thesaurus_tool_result combine_thesaurus_synonyms(list_document& doc, long_job_host& host);

// ---- Duplicates -----------------------------------------------------------------------------
struct thesaurus_duplicate_row {
  text_t header;    // the "Synonym" column
  int64_t position = 0;  // 0-based entry index (shown + 1)
  text_t preview;   // the entry after its first line
};
struct thesaurus_duplicates_scan {
  bool aborted = false;
  std::vector<text_t> copies;  // every entry by position
  std::vector<thesaurus_duplicate_row> rows;  // groups of one head word, in order
};
// Copies, sorts and groups the entries by head word (compared with case).
thesaurus_duplicates_scan scan_thesaurus_duplicates(const list_document& doc, long_job_host& host);
// Merges each group into its first row and replaces the document by the
// remaining entries in case-insensitive order. A group whose merge would pass
// the meaning limit stops everything with the warning and no change.
thesaurus_tool_result merge_thesaurus_duplicates(list_document& doc, thesaurus_duplicates_scan scan,
                                                 text_view separator, long_job_host& host);
// "DUPLICATES FOUND:n", an empty line, then header, preview and an empty
// line per row; false when the file could not be written (the old one stays).
bool export_thesaurus_duplicates(const std::vector<thesaurus_duplicate_row>& rows, text_view target, text_view separator);
