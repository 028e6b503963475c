// The hyphenation pattern file (hyph_*.dic): its whole text is the document.
//
// As written: the text with LF line ends as UTF-8, without a byte-order mark
// (the standard hyphenation library takes the first line, mark included, as
// the name of the encoding, and reads a file whose first line is not exactly
// "UTF-8" one byte per character). So the first line is written as "UTF-8"
// whatever it said; nothing else is added or removed. As read: in the
// charset its first line names, as the library reads it (a byte-order mark
// wins; a first line that is empty, a comment or a keyword names none, and
// then UTF-8 when the bytes are valid UTF-8, else one byte per character; a
// name that cannot be decoded stops the load); CR LF and lone CR become LF.
// A text read in any other format than UTF-8 is held as UTF-8 at once: its
// first line then reads "UTF-8". Only the engine interprets the rest.
//
// A save writes beside the target and replaces it only when every write
// succeeded. Questions and boxes belong to the window functions.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"
#include "editors/hyphenation/hyphenation_engine.h"

#include <cstdint>

// The open pattern file of the Hyphenation tab. Its text is edited in the
// tab's editor; the document keeps what belongs to the file and the table
// the engine parsed from the patterns Hyphenate last used. The tab also pages
// the dictionary's entries, at a place of its own.
struct hyphenation_document_record {
  text_t path;                      // "" before the first load or save
  bool changed = false;             // the editor's patterns differ from the file
  hyphenation_decode_cache table;   // parsed from the patterns last used
  text_t last_hyphenated_word;      // the word field when Hyphenate last ran
  list_position place{-1, 0};       // selected entry and first visible row of the word list
};

// What the loader learns before it reads: the format it will read with and
// the first line as read in it.
struct hyphenation_file_probe {
  bool readable = false;
  int format = 0;        // FORMAT_UTF8, FORMAT_ASCII, ... (common/file.h)
  bool declared = false;         // the first line named the charset it is read in
  bool unknown_charset = false;  // it names one that cannot be decoded: the load stops
  bool looks_utf8 = false;       // valid multi-byte UTF-8 under an 8-bit first line
  text_t first_line;
  // No mark and not valid UTF-8, yet holding UTF-8 sequences: the 1-based
  // number of the first line that is not valid UTF-8 (0 otherwise).
  int64_t first_invalid_utf8_line = 0;
};
hyphenation_file_probe probe_hyphenation_file(text_view path);

// The question before loading a file whose first line is not "UTF-8" (or
// whose bytes mix UTF-8 with other bytes); "" when none is needed.
text_t hyphenation_encoding_question(const hyphenation_file_probe& probe);

enum class hyphenation_file_status : int { ok = 0, read_failed, write_failed, unknown_charset };

// The text with its first line naming UTF-8. The first line is the encoding
// line: it is replaced, unless it is a keyword or comment line, which no
// encoding name is; then "UTF-8" is put in front of it.
struct hyphenation_encoding_line {
  text_t text;            // line ends LF
  bool changed = false;
  bool inserted = false;  // "UTF-8" put in front rather than replacing
  text_t old_line;        // the first line it replaced
};
hyphenation_encoding_line with_utf8_encoding_line(text_view text);
// For an "Information!" box after a save whose first line changed.
text_t hyphenation_encoding_line_notice(const hyphenation_encoding_line& line);

struct hyphenation_file_result {
  hyphenation_file_status status = hyphenation_file_status::ok;
  text_t text;            // the loaded or saved text (line ends LF)
  int64_t length = 0;     // bytes of the file
  text_t status_text;     // "OK. (dic:...) ⌚..." or "Aborted."
  text_t message;         // for an "Error!" box; "" when none
  // The first line was made "UTF-8" (a save tells the user with notice).
  bool encoding_line_changed = false;
  text_t notice;          // for an "Information!" box; "" when none
};

// Reads the whole file (job "Loading Hyphenation... <ESC> to abort.", which
// cannot be stopped: it is one read). A file not read as UTF-8 gets "UTF-8"
// as its first line, as the question before the load says.
hyphenation_file_result load_hyphenation_file(text_view path, long_job_host& host);

// Writes the text with its line ends made LF and its first line "UTF-8",
// without a mark, atomically; r.text is the text as written.
hyphenation_file_result save_hyphenation_file(text_view path, text_view text, long_job_host& host);

// True when the text has at least one pattern line (a line the engine would
// take as a pattern that is not empty).
bool hyphenation_text_has_patterns(text_view text);

// The question before a save whose text holds no patterns replaces a file
// that has some.
text_t hyphenation_replace_patterns_question(text_view path);
