#include "common/text_file_open.h"

#include "common/charset.h"

namespace {


// The questions of what was found; the format as answered.
text_file_open ask(int n, text_view path, const declared_format& found, long_job_host& host) {
  text_file_open r;
  r.found = found;
  r.format = found.format;
  auto stop = [&](text_file_open_status status) {
    file_close(n);
    r.status = status;
    return r;
  };
  if (!file_read_ok(n)) return stop(text_file_open_status::read_failed);
  if (found.unknown) {
    r.message = unknown_charset_message(path, found.name, found.name_line);
    return stop(text_file_open_status::unknown_charset);
  }
  if (found.looks_utf8) {
    const int answer = host.message_box(T("Warning!"), declaration_contradicted_question(path, found), BOX_WARNING | BOX_YES_NO_CANCEL);
    if (answer == BOX_ANSWER_NO) {
      r.format = FORMAT_UTF8;
      file_set_format(n, FORMAT_UTF8);
    } else if (answer != BOX_ANSWER_YES) {
      return stop(text_file_open_status::declined);
    }
  } else if (found.invalid_utf8_line > 0) {
    if (host.message_box(T("Warning!"), invalid_utf8_question(path, found.invalid_utf8_line, found.format),
                         BOX_WARNING | BOX_YES_NO) != BOX_ANSWER_YES)
      return stop(text_file_open_status::declined);
  }
  return r;
}

}  // namespace

text_file_open open_text_file(int n, text_view path, charset_declaration where, long_job_host& host) {
  if (!file_open_read(n, path)) {
    text_file_open r;
    r.status = text_file_open_status::read_failed;
    return r;
  }
  return ask(n, path, file_detect_declared_format(n, where), host);
}

text_file_open open_text_file_declared_by(int n, text_view path, const declared_format& declared,
                                          long_job_host& host) {
  if (!file_open_read(n, path)) {
    text_file_open r;
    r.status = text_file_open_status::read_failed;
    return r;
  }
  return ask(n, path, file_detect_format_as_declared(n, declared), host);
}

text_t read_format_name(int format, bool declared) {
  if (format == FORMAT_ASCII && !declared) return T("ANSI, one byte per character");
  const text_t name = charset_name(format);
  return name.empty() ? T("one byte per character") : name;
}

text_t unknown_charset_message(text_view path, text_view name, int64_t line) {
  return T("Line ") + string_from_int(line) + T(" of this file declares the charset \"") + text_t(name) +
         T("\", which Vocabrix cannot decode:\n") + text_t(path) + T("\n\nThe file was not loaded.");
}

text_t invalid_utf8_question(text_view path, int64_t line, int format) {
  return T("Line ") + string_from_int(line) + T(" of this file is not valid UTF-8:\n") + text_t(path) +
         (format == FORMAT_UTF8 ? T("\n\nIt will be read as UTF-8, each invalid byte as \uFFFD.")
                                : T("\n\nIt will be read as ") + read_format_name(format, false) + T(".")) +
         T("\n\nContinue?");
}

text_t declaration_contradicted_question(text_view path, const declared_format& found) {
  const text_t charset = charset_name(found.format);
  const text_t declared = found.name.empty()
                              ? T("declares no charset, so its reader takes it as ") + charset
                              : T("declares the charset ") + charset + T(" (line ") + string_from_int(found.name_line) + T(")");
  return T("This file ") + declared + T(", but its bytes are valid UTF-8:\n") + text_t(path) +
         T("\n\nYes reads it as ") + charset + T(", as its reader does.\nNo reads it as UTF-8.\nCancel stops.");
}
