// Opening a text file for a load: the format it is read in, and the
// questions its bytes raise, asked through the load's host before anything
// is read. Every document loader opens its files here, so that one file is
// read the same way by every command.
//
// A file whose kind declares its charset (a .aff and its .dic, a pattern
// file, a thesaurus .dat) is read by the declaration, as its reader does; a
// byte-order mark wins. A declared charset the program cannot decode stops
// the load with unknown_charset_message. Bytes that contradict the
// declaration ask first: valid multi-byte UTF-8 under an 8-bit charset
// (Yes reads by the declaration, No as UTF-8, Cancel stops), or bytes that
// are not UTF-8 under UTF-8 (Yes reads on, each invalid byte as U+FFFD).
// Files that declare nothing are read as file_detect_format finds, and the
// mixed case asks the same way.
#pragma once

#include "common/file.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>

enum class text_file_open_status : int { ok, read_failed, declined, unknown_charset };

struct text_file_open {
  text_file_open_status status = text_file_open_status::ok;
  declared_format found;  // what was found, format as answered
  int format = FORMAT_UTF8;
  text_t message;         // unknown_charset: for an "Error!" box
};

// Opens numbered file n for reading and finds its format as its kind
// declares it; every status but ok leaves n closed.
text_file_open open_text_file(int n, text_view path, charset_declaration where, long_job_host& host);

// The same for a file whose charset another file declares (a .dic by its
// .aff's SET line): declared is what was found there (its name, line and
// format; declared false with by_mark when that file was read by its mark
// and named nothing, which leaves this file to its own bytes).
text_file_open open_text_file_declared_by(int n, text_view path, const declared_format& declared,
                                          long_job_host& host);

// The name of what a file is read with, for the questions: the charset's
// name ("UTF-8", "ISO8859-2", ...) when a declaration or mark decides, else
// "one byte per character" for the one-byte reading of T4 files.
text_t read_format_name(int format, bool declared);

// The message of a load stopped by a charset it cannot decode.
text_t unknown_charset_message(text_view path, text_view name, int64_t line);

// The question when a file holds both well-formed multi-byte UTF-8 and bytes
// that are not (Yes reads on, as format).
text_t invalid_utf8_question(text_view path, int64_t line, int format);

// The question when valid multi-byte UTF-8 stands under an 8-bit declaration.
text_t declaration_contradicted_question(text_view path, const declared_format& found);
