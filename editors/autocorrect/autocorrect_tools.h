// The whole-list tools of the autocorrect list: fixing invalid spaces,
// turning hexadecimal character references into characters, extracting the
// pairs to a text file, and finding and removing pairs whose incorrect texts
// repeat. Each runs as a long job over the document; the boxes, requesters
// and the duplicates window belong to the window files.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"
#include "editors/editor_tools.h"

#include <cstdint>
#include <vector>

// separator: the thousands separator of the counts in the texts (the
// preference).

// ---- Spaces ---------------------------------------------------------------------
// The entry with doubled spaces made single and the spaces around its line
// feed and at its ends removed, until none is left.
text_t clean_autocorrect_spaces(text_view entry);

using autocorrect_tool_result = editor_tool_result;

// "Fix invalid spaces": a first pass checks every entry (an empty incorrect
// or correct text stops the run with no change), a second rewrites the
// entries that change. The undo snapshot is taken at the start.
autocorrect_tool_result fix_autocorrect_list_spaces(list_document& doc, text_view separator, long_job_host& host);

// ---- Hexadecimal references ---------------------------------------------------------
struct hex_conversion {
  bool valid = true;       // false: a "&#x" with no ";" after it
  bool above_bmp = false;  // a converted code above U+FFFF
  text_t text;
};
// Every "&#x...;" whose digits name a character becomes that character (a
// code above U+FFFF a surrogate pair); a reference with other characters
// than hexadecimal digits, or naming a surrogate, U+0000 or another code XML
// does not allow, stays as it stands; so does a line feed's ("&#xA;"),
// which would split the pair. Converted text is not looked at again.
hex_conversion convert_autocorrect_hex_references(text_view entry);

// "Clean up hex symbols": a first pass converts a copy of each entry (an
// entry with an unclosed reference stops the run with no change); codes
// above U+FFFF ask ask_above_bmp (only Yes, 6, stops); a second pass stores
// the converted entries. The undo snapshot is taken at the start.
autocorrect_tool_result clean_autocorrect_list_hex_symbols(list_document& doc, text_view separator, long_job_host& host);

// ---- Extraction ---------------------------------------------------------------------
// One line per pair, "incorrect → correct", UTF-8 with a byte-order mark,
// written to a temporary beside target that replaces it only when whole:
// an Escape or a failed write keeps the old file.
autocorrect_tool_result extract_autocorrect_list(const list_document& doc, text_view target,
                                                 text_view separator, long_job_host& host);

// ---- Duplicates ---------------------------------------------------------------------
struct autocorrect_duplicate_row {
  text_t incorrect;
  int64_t occurrences = 0;
};
struct autocorrect_duplicates_scan {
  bool aborted = false;
  // The entries sorted by incorrect and then correct text (unsigned units).
  std::vector<text_t> sorted;
  // The incorrect texts that occur more than once, in sorted order.
  std::vector<autocorrect_duplicate_row> rows;
};
// The two passes of "Show duplicates": copying, sorting and grouping.
// Incorrect texts compare case-sensitively; the correct texts do not count.
autocorrect_duplicates_scan scan_autocorrect_duplicates(const list_document& doc, text_view separator, long_job_host& host);

// Replaces the document by the sorted copy without its duplicates: Delete
// keeps the last pair of each group (the greatest correct text), exclusive
// (XDelete) keeps none of a repeated incorrect text. Undoable; marks and
// selection cleared. The rewrite cannot be stopped halfway. Returns the
// number of pairs removed.
int64_t remove_autocorrect_duplicates(list_document& doc, const std::vector<text_t>& sorted, bool exclusive,
                                      text_view separator, long_job_host& host);

// "DUPLICATES FOUND:n", an empty line, then "word:occurrences" per row, as
// UTF-8 with a byte-order mark; false when the file could not be written
// (the old one stays).
bool export_autocorrect_duplicates(const std::vector<autocorrect_duplicate_row>& rows, text_view target, text_view separator);

// The exports of the tool windows: text as UTF-8 with a byte-order mark,
// replacing target only when whole; false when it could not be written.
bool save_autocorrect_text_file(text_view text, text_view target);
