#include "editors/hyphenation/hyphenation_file.h"

#include "common/charset.h"
#include "common/file.h"
#include "common/text_file_open.h"
#include "common/format.h"
#include "editors/hyphenation/hyphenation_engine.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr int kFile = 1;

struct file_closer {
  ~file_closer() { file_close(kFile); }
};

text_t read_encoding_name(int format) {
  switch (format) {
    case FORMAT_UTF8: return u"UTF-8";
    case FORMAT_UTF16LE: return u"UTF-16 (little endian)";
    case FORMAT_UTF16BE: return u"UTF-16 (big endian)";
    case FORMAT_UTF32LE: return u"UTF-32 (little endian)";
    case FORMAT_UTF32BE: return u"UTF-32 (big endian)";
    default: return u"one byte per character";
  }
}

text_t status_with_size(int64_t length, const long_job& job) {
  return u"OK. " + format_file_size(u"dic:", length, 1) + job.elapsed_text();
}

}  // namespace

hyphenation_file_probe probe_hyphenation_file(text_view path) {
  hyphenation_file_probe p;
  if (!file_open_read(kFile, path)) return p;
  file_closer closer;
  const declared_format found = file_detect_declared_format(kFile, charset_declaration::first_line);
  p.format = found.format;
  p.declared = found.declared && !found.by_mark;
  p.unknown_charset = found.unknown;
  p.looks_utf8 = found.looks_utf8;
  if (!found.unknown) p.first_line = file_read_line(kFile, p.format);
  p.first_invalid_utf8_line = found.invalid_utf8_line;
  p.readable = file_read_ok(kFile);
  return p;
}

// A text converted from another format no longer is in the encoding its
// first line names.
bool load_changes_encoding_line(const hyphenation_file_probe& probe) {
  return probe.format != FORMAT_UTF8 && probe.first_line != u"UTF-8";
}

text_t hyphenation_encoding_question(const hyphenation_file_probe& probe) {
  if (probe.unknown_charset || !probe.readable) return {};  // the load says why it stops
  const text_t line = string_to_upper(probe.first_line);
  const text_t charset = probe.declared ? charset_name(probe.format) : read_encoding_name(probe.format);
  text_t read_as = u"\nIt will be read as " + charset + u".";
  if (load_changes_encoding_line(probe)) read_as += u"\nIts first line will read \"UTF-8\", the encoding it is saved in.";
  if (probe.looks_utf8) {
    return u"The first line declares the charset " + charset + u", but the bytes of the file are valid UTF-8." +
           read_as + u"\n\nIt may lead to corrupt results.\nContinue?";
  }
  if (probe.first_invalid_utf8_line > 0) {
    return u"The file mixes UTF-8 with other bytes: line " + string_from_int(probe.first_invalid_utf8_line) +
           u" is not valid UTF-8." + read_as + u"\n\nIt may lead to corrupt results.\nContinue?";
  }
  if (line == u"UTF-8" && !load_changes_encoding_line(probe)) return {};
  return u"Hyphenation is not in \"UTF-8-BOM\" format:\n" + line + u"\n" + read_as +
         u"\n\nIt may lead to corrupt results.\nContinue?";
}

hyphenation_file_result load_hyphenation_file(text_view path, long_job_host& host) {
  hyphenation_file_result r;
  long_job job(host, u"Loading Hyphenation... <ESC> to abort.", 0, false);
  if (!file_open_read(kFile, path)) {
    r.status = hyphenation_file_status::read_failed;
  } else {
    file_closer closer;
    // Read in the charset its first line names, as libhyphen reads it.
    const declared_format found = file_detect_declared_format(kFile, charset_declaration::first_line);
    if (found.unknown) {
      r.status = hyphenation_file_status::unknown_charset;
      r.message = unknown_charset_message(path, found.name, found.name_line);
    } else {
      text_t text = file_read_line(kFile, found.format | FILE_READ_REST);
      r.length = file_length(kFile);
      if (!file_read_ok(kFile)) r.status = hyphenation_file_status::read_failed;
      r.text = normalise_line_endings(text);
      if (found.format != FORMAT_UTF8) {
        hyphenation_encoding_line held = with_utf8_encoding_line(r.text);
        r.encoding_line_changed = held.changed;
        r.text = std::move(held.text);
      }
    }
  }
  if (r.status != hyphenation_file_status::ok) {
    r.text.clear();
    if (r.message.empty()) r.message = u"Can't read the file:\n" + text_t(path);
    r.status_text = u"Aborted.";
    job.abort();
    return r;
  }
  r.status_text = status_with_size(r.length, job);
  job.end(r.status_text);
  return r;
}

hyphenation_file_result save_hyphenation_file(text_view path, text_view text, long_job_host& host) {
  hyphenation_file_result r;
  long_job job(host, u"Saving Hyphenation... <ESC> to abort.", 0, false);
  hyphenation_encoding_line written_text = with_utf8_encoding_line(text);
  std::string bytes;
  append_utf8(bytes, written_text.text);
  if (!write_file_atomically(path, bytes)) {
    r.status = hyphenation_file_status::write_failed;
    r.message = u"Can't write the file:\n" + text_t(path) + u"\n\nThe hyphenation was not saved; the old file is kept.";
    r.status_text = u"Aborted.";
    job.abort();
    return r;
  }
  r.length = file_size_by_path(path);
  r.encoding_line_changed = written_text.changed;
  r.notice = hyphenation_encoding_line_notice(written_text);
  r.text = std::move(written_text.text);
  r.status_text = status_with_size(r.length, job);
  job.end(r.status_text);
  return r;
}

hyphenation_encoding_line with_utf8_encoding_line(text_view text) {
  hyphenation_encoding_line r;
  r.text = normalise_line_endings(text);
  const size_t end = std::min(r.text.find(u'\n'), r.text.size());
  const text_view first = text_view(r.text).substr(0, end);
  if (first == u"UTF-8") return r;
  r.changed = true;
  const hyphenation_line_kind kind = classify_hyphenation_line(first);
  r.inserted = kind == hyphenation_line_kind::left_min || kind == hyphenation_line_kind::right_min ||
               kind == hyphenation_line_kind::compound_min || first.starts_with(u"%");
  if (r.inserted) {
    r.text.insert(0, u"UTF-8\n");
  } else {
    r.old_line = text_t(first);
    r.text.replace(0, end, u"UTF-8");
  }
  return r;
}

text_t hyphenation_encoding_line_notice(const hyphenation_encoding_line& line) {
  if (!line.changed) return {};
  const text_t why = u"The file is written in UTF-8, and the hyphenation library reads its first line as the name "
                     u"of its encoding.";
  if (line.inserted) return u"The first line did not name an encoding.\n" + why + u"\n\n\"UTF-8\" was put in front as the first line.";
  return u"The first line named the encoding \"" + line.old_line + u"\".\n" + why +
         u"\n\nThe first line now reads \"UTF-8\".";
}

bool hyphenation_text_has_patterns(text_view text) {
  const text_t t = normalise_line_endings(text);
  size_t begin = 0;
  while (begin < t.size()) {
    size_t end = t.find(u'\n', begin);
    if (end == text_t::npos) end = t.size();
    const text_view line = text_view(t).substr(begin, end - begin);
    begin = end + 1;
    if (classify_hyphenation_line(line) != hyphenation_line_kind::pattern) continue;
    if (!split_hyphenation_pattern(line).letters.empty()) return true;
  }
  return false;
}

text_t hyphenation_replace_patterns_question(text_view path) {
  return u"The text holds no patterns, but the file has some:\n" + text_t(path) +
         u"\n\nReplace the file with the text anyway?";
}
