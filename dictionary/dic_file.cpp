#include "dictionary/dic_file.h"

#include "common/dic_entry.h"
#include "common/file.h"
#include "common/format.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

text_t dictionary_aff_path(text_view dic_path) {
  size_t slash = dic_path.rfind(u'/');
  size_t dot = dic_path.rfind(u'.');
  size_t name_start = slash == text_view::npos ? 0 : slash + 1;
  // A leading dot names a hidden file, not an extension.
  if (dot == text_view::npos || dot <= name_start) return text_t(dic_path) + u".aff";
  return text_t(dic_path.substr(0, dot)) + u".aff";
}

text_t dic_file_message_title(dic_file_status status) {
  switch (status) {
    case dic_file_status::no_words:
    case dic_file_status::aff_empty: return T("Warning!");
    default: return T("Error!");
  }
}

text_t dictionary_sizes_text(int64_t aff_size, int64_t dic_size) {
  return format_file_size(u"aff:", aff_size, 1) + u"+" + format_file_size(u"dic:", dic_size, 1);
}

namespace {

dic_file_result refusal(dic_file_status status, text_view message, text_view status_text) {
  dic_file_result r;
  r.status = status;
  r.message = message;
  r.status_text = status_text;
  return r;
}

dic_file_result read_failure(text_view path) {
  dic_file_result r = refusal(dic_file_status::read_failed, T("Can't read the file:\n") + text_t(path),
                              T(LONG_JOB_ABORTED));
  r.failed_path = path;
  return r;
}

dic_file_result write_failure(text_view path) {
  dic_file_result r = refusal(dic_file_status::write_failed,
                              T("Can't write the file:\n") + text_t(path) +
                                  T("\n\nThe dictionary was not saved; the old files are kept."),
                              T(LONG_JOB_ABORTED));
  r.failed_path = path;
  return r;
}

// Ends a load or save that succeeded: its time and sizes go to the status bar.
void finish_job(long_job& job, dic_file_result& r) {
  r.elapsed_ms = job.elapsed_ms();
  r.status_text = T("OK. ") + dictionary_sizes_text(r.aff_size, r.dic_size) +
                  format_elapsed_time(u" \u231a", r.elapsed_ms);
  job.end(r.status_text);
}

constexpr int kAffFile = 1, kDicFile = 2;
constexpr int kAnswerYes = 6, kYesNoWarning = 17, kInformation = 4;

// Both numbered files closed on every way out of a load.
struct file_closer {
  ~file_closer() {
    file_close(kAffFile);
    file_close(kDicFile);
  }
};

// Opens a file of the pair and finds its format. ok, read_failed or aborted.
dic_file_result open_detected(int n, text_view path, long_job_host& host, int& format) {
  switch (open_text_file_detected(n, path, host, format)) {
    case detected_open_status::read_failed: return read_failure(path);
    case detected_open_status::declined: return refusal(dic_file_status::aborted, text_t(), T(LONG_JOB_ABORTED));
    default: return dic_file_result();
  }
}

// A .dic that cannot replace its old file after the new .aff has: the
// message says what each name now holds.
dic_file_result pair_write_failure(const file_pair_result& pair, text_view dic_target, bool had_dic) {
  dic_file_result r = write_failure(pair.failed == 1 ? pair.first_target : text_t(dic_target));
  if (pair.first_replaced) r.message = file_pair_double_fault_text(pair, dic_target, had_dic, u"dictionary", u".aff", u".dic");
  return r;
}

// The .dic would be read as, or written over, its own .aff.
dic_file_result same_file_refusal(text_view dic_path) {
  return refusal(dic_file_status::same_file,
                 T("The .dic file and its .aff file are the same file:\n") + text_t(dic_path) +
                     T("\n\nChoose the .dic file of the dictionary."),
                 T(LONG_JOB_ABORTED));
}

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

text_t aff_text_declaring_utf8(text_view aff_text, text_t* replaced) {
  if (replaced) replaced->clear();
  text_t out(aff_text);
  size_t line = 0;
  while (line < out.size()) {
    size_t end = out.find(u'\n', line);
    if (end == text_t::npos) end = out.size();
    size_t i = line;
    while (i < end && is_blank(out[i])) ++i;
    if (out.compare(i, 3, u"SET") == 0 && i + 3 < end && is_blank(out[i + 3])) {
      size_t value = i + 3;
      while (value < end && is_blank(out[value])) ++value;
      size_t value_end = value;
      while (value_end < end && !is_blank(out[value_end]) && out[value_end] != u'\r') ++value_end;
      const text_t name = out.substr(value, value_end - value);
      if (!name.empty() && string_to_lower(name) != u"utf-8") {
        if (replaced && replaced->empty()) *replaced = name;
        out.replace(value, value_end - value, u"UTF-8");
        end = out.find(u'\n', line);
        if (end == text_t::npos) end = out.size();
      }
    }
    line = end + 1;
  }
  return out;
}

text_t invalid_utf8_question(text_view path, int64_t line, int format) {
  return T("Line ") + string_from_int(line) + T(" of this file is not valid UTF-8:\n") + text_t(path) +
         (format == FORMAT_UTF8 ? T("\n\nIt will be read as UTF-8, each invalid byte as \uFFFD.")
                                : T("\n\nIt will be read as ANSI, one byte per character.")) +
         T("\n\nContinue?");
}

detected_open_status open_text_file_detected(int n, text_view path, long_job_host& host, int& format) {
  format = FORMAT_UTF8;
  if (!file_open_read(n, path)) return detected_open_status::read_failed;
  format = file_detect_format(n);
  if (!file_read_ok(n)) {
    file_close(n);
    return detected_open_status::read_failed;
  }
  if (const int64_t line = file_mixed_utf8_line(n); line > 0) {
    if (host.message_box(T("Warning!"), invalid_utf8_question(path, line, format), kYesNoWarning) != kAnswerYes) {
      file_close(n);
      return detected_open_status::declined;
    }
  }
  return detected_open_status::ok;
}

// ---- Loading ---------------------------------------------------------------------

dic_file_result check_dictionary_pair(text_view dic_path) {
  if (file_size_by_path(dictionary_aff_path(dic_path)) <= 0) {
    return refusal(dic_file_status::aff_not_found, T(".AFF file Not found."), T("File not found."));
  }
  if (file_size_by_path(dic_path) <= 0) {
    return refusal(dic_file_status::dic_not_found, T(".DIC file Not found."), T("File not found."));
  }
  if (file_same_by_path(dic_path, dictionary_aff_path(dic_path))) return same_file_refusal(dic_path);
  return dic_file_result();
}

dic_file_result load_dictionary_pair(text_view dic_path, long_job_host& host, list_document& doc,
                                     text_t& aff_text, const std::function<void(int64_t)>& on_tick) {
  dic_file_result checked = check_dictionary_pair(dic_path);
  if (checked.status != dic_file_status::ok) return checked;
  const text_t aff_path = dictionary_aff_path(dic_path);
  const int64_t dic_length = file_size_by_path(dic_path);

  file_closer closer;

  // Both formats first: a question comes before the job starts.
  int aff_format = FORMAT_UTF8, dic_format = FORMAT_UTF8;
  dic_file_result opened = open_detected(kAffFile, aff_path, host, aff_format);
  if (opened.status != dic_file_status::ok) return opened;
  opened = open_detected(kDicFile, dic_path, host, dic_format);
  if (opened.status != dic_file_status::ok) return opened;

  long_job job(host, T("Loading Dictionary...") + T(LONG_JOB_ESCAPE_HINT), dic_length, true);

  // The .aff, whole.
  text_t new_aff = file_read_line(kAffFile, aff_format | FILE_READ_REST);
  if (!file_read_ok(kAffFile)) {
    job.abort();
    return read_failure(aff_path);
  }
  const int64_t aff_size = file_length(kAffFile);
  file_close(kAffFile);
  new_aff = normalise_line_endings(new_aff);

  // The .dic, line by line, into one block: the file's size in bytes is
  // enough units for its text (a byte is at most a unit).
  entry_list entries;
  entries.reserve(static_cast<size_t>(std::min<int64_t>(dic_length / 8 + 16, 1 << 22)),
                  static_cast<size_t>(std::clamp<int64_t>(dic_length, 0, int64_t{1} << 31)));
  if (on_tick) job.on_tick = [&](int64_t) { on_tick(static_cast<int64_t>(entries.size())); };
  file_read_line(kDicFile, dic_format);  // the count line, never checked
  // One pass over the rest: each line becomes its entry in the block.
  auto take = [&](text_view line, int64_t position) {
    dic_line_to_entry(line, entries.append_space(line.size()));
    return job.step(position);
  };
  bool read_on = file_read_lines(kDicFile, dic_format, take);
  // At least one line after the count line, empty when the file ends there.
  if (read_on && entries.empty()) read_on = take(text_view(), file_position(kDicFile));
  if (!read_on) {
    job.abort();
    return refusal(dic_file_status::aborted, text_t(), T(LONG_JOB_ABORTED));
  }
  if (!file_read_ok(kDicFile)) {
    job.abort();
    return read_failure(dic_path);
  }
  const int64_t dic_size = file_length(kDicFile);
  file_close(kDicFile);

  // Only now does the document change.
  dic_file_result r;
  r.aff_size = aff_size;
  r.dic_size = dic_size;
  r.entries = static_cast<int64_t>(entries.size());
  aff_text = std::move(new_aff);
  doc.replace_all(std::move(entries), dic_path);
  finish_job(job, r);
  return r;
}

// ---- Saving ------------------------------------------------------------------------

dic_file_result check_dictionary_save(const list_document& doc, text_view aff_text) {
  if (doc.empty()) {
    return refusal(dic_file_status::no_words, T("No dictionary words found."), T(LONG_JOB_ABORTED));
  }
  if (aff_text.empty()) {
    return refusal(dic_file_status::aff_empty, T("The .AFF file is empty."), T(LONG_JOB_ABORTED));
  }
  return dic_file_result();
}

dic_file_result save_dictionary_pair(text_view dic_target, list_document& doc, text_view aff_text,
                                     long_job_host& host) {
  dic_file_result refused = check_dictionary_save(doc, aff_text);
  if (refused.status != dic_file_status::ok) return refused;
  const text_t aff_target = dictionary_aff_path(dic_target);
  if (file_same_by_path(dic_target, aff_target)) return same_file_refusal(dic_target);
  static const char kBom[] = "\xEF\xBB\xBF";
  // The files are written in UTF-8, so the .aff must say so.
  text_t replaced_encoding;
  const text_t saved_aff = aff_text_declaring_utf8(normalise_line_endings(aff_text), &replaced_encoding);

  long_job job(host, T("Saving .aff file..."), doc.count(), true);

  // The .aff into its temporary.
  atomic_file aff_out;
  if (!aff_out.create(aff_target)) {
    job.abort();
    return write_failure(aff_target);
  }
  std::string aff_bytes(kBom);
  append_utf8(aff_bytes, saved_aff);
  if (!aff_out.write(aff_bytes.data(), aff_bytes.size())) {
    job.abort();
    return write_failure(aff_target);
  }
  const int64_t aff_size = static_cast<int64_t>(aff_bytes.size());

  // The .dic into its temporary; the elapsed time covers the .dic only.
  job.set_text(T("Saving Dictionary...") + T(LONG_JOB_ESCAPE_HINT));
  job.restart_clock();
  atomic_file dic_out;
  if (!dic_out.create(dic_target)) {
    job.abort();
    return write_failure(dic_target);
  }
  std::string chunk(kBom);
  chunk += std::to_string(doc.count());
  chunk += '\n';
  constexpr size_t kChunk = 1 << 16;
  const int64_t n = doc.count();
  for (int64_t i = 0; i < n; ++i) {
    append_dic_entry_line_utf8(chunk, doc.entries()[static_cast<size_t>(i)]);
    chunk += '\n';
    if (!dic_out.write_buffer(chunk, kChunk)) {
      job.abort();
      return write_failure(dic_target);
    }
    if (!job.step(i)) {
      job.abort();  // both temporaries go; the old files stay
      return refusal(dic_file_status::aborted, text_t(), T(LONG_JOB_ABORTED));
    }
  }
  if (!dic_out.write_buffer(chunk)) {
    job.abort();
    return write_failure(dic_target);
  }
  const int64_t dic_size = dic_out.written();

  // Both files are complete: replace the .aff, then the .dic.
  const bool had_dic = file_size_by_path(dic_target) >= 0;
  const file_pair_result pair = commit_file_pair(aff_out, dic_out);
  if (!pair.ok) {
    job.abort();
    return pair_write_failure(pair, dic_target, had_dic);
  }

  doc.mark_saved(dic_target);
  dic_file_result r;
  r.aff_size = aff_size;
  r.dic_size = dic_size;
  r.entries = n;
  r.replaced_encoding = replaced_encoding;
  finish_job(job, r);
  if (!replaced_encoding.empty()) {
    host.message_box(T("Warning!"),
                     T("The .AFF file declared the encoding \"") + replaced_encoding +
                         T("\", but the dictionary is saved in UTF-8: its SET line now says UTF-8."),
                     kInformation);
  }
  return r;
}
