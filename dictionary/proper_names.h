// The proper-names export: every dictionary entry whose word holds a letter
// with a lower-case form (a capitalised or upper-case word), written to a
// text file in the .dic line form and listed for the result window. The
// dictionary is only read.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <vector>

struct proper_name_row {
  int64_t index = 0;  // the entry's 0-based index
  text_t entry;
};

struct proper_names_result {
  bool aborted = false;
  bool write_failed = false;  // message says which file; the old file is kept
  std::vector<proper_name_row> rows;
  text_t status_text;  // "OK. Extracted Proper Names:N ⌚..." or "Aborted."
  text_t message;
};

// Whether an entry is written: its word (before the first "/") differs from
// its lower-case form; an entry holding an escaped slash never is.
bool is_proper_name_entry(text_view entry);

// Writes a UTF-8 byte-order mark and one .dic line per proper name to path
// under a long job "Extracting Proper Names... <ESC> to abort."; the file is
// replaced only when the whole export was written (an abort keeps the old one).
proper_names_result extract_proper_names_to_file(const list_document& doc, text_view path, long_job_host& host);
