// The hyphenation pattern file (hyph_*.dic): its whole text is the document.
//
// As written: the UTF-8 byte-order mark, then the text with LF line ends,
// nothing added or removed. As read: whatever byte-order mark is present
// decides the format (none: UTF-8 when the bytes are valid UTF-8, else one
// byte per character); CR LF and lone CR become LF. The first line names the
// encoding and should read "UTF-8"; only the engine interprets the rest.
//
// A save writes beside the target and replaces it only when every write
// succeeded. Questions and boxes belong to the window functions.
#pragma once

#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>

// What the loader learns before it reads: the format it will read with and
// the first line as read in it.
struct hyphenation_file_probe {
  bool readable = false;
  int format = 0;        // FORMAT_UTF8, FORMAT_ASCII, ... (common/file.h)
  text_t first_line;
  // No mark and not valid UTF-8, yet holding UTF-8 sequences: the 1-based
  // number of the first line that is not valid UTF-8 (0 otherwise).
  int64_t first_invalid_utf8_line = 0;
};
hyphenation_file_probe probe_hyphenation_file(text_view path);

// The question before loading a file whose first line is not "UTF-8" (or
// whose bytes mix UTF-8 with other bytes); "" when none is needed.
text_t hyphenation_encoding_question(const hyphenation_file_probe& probe);

enum class hyphenation_file_status : int { ok = 0, read_failed, write_failed };

struct hyphenation_file_result {
  hyphenation_file_status status = hyphenation_file_status::ok;
  text_t text;            // the loaded text (line ends LF)
  int64_t length = 0;     // bytes of the file
  text_t status_text;     // "OK. (dic:...) ⌚..." or "Aborted."
  text_t message;         // for an "Error!" box; "" when none
};

// Reads the whole file (job "Loading Hyphenation... <ESC> to abort.", which
// cannot be stopped: it is one read).
hyphenation_file_result load_hyphenation_file(text_view path, long_job_host& host);

// Writes the mark and the text with its line ends made LF, atomically.
hyphenation_file_result save_hyphenation_file(text_view path, text_view text, long_job_host& host);

// True when the text has at least one pattern line (a line the engine would
// take as a pattern that is not empty).
bool hyphenation_text_has_patterns(text_view text);

// The question before a save whose text holds no patterns replaces a file
// that has some.
text_t hyphenation_replace_patterns_question(text_view path);
