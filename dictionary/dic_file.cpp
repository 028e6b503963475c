#include "dictionary/dic_file.h"

#include "common/file.h"
#include "common/format.h"
#include "dictionary/dic_entry.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

dictionary_document_record dictionary_document;

void dictionary_count_changed() {
  dictionary_document.list.notify_count_changed();
}

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

constexpr int kFile = 1;

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

// Numbered file 1 closed on every way out of a load.
struct file_closer {
  ~file_closer() { file_close(kFile); }
};

}  // namespace

// ---- Loading ---------------------------------------------------------------------

dic_file_result check_dictionary_pair(text_view dic_path) {
  if (file_size_by_path(dictionary_aff_path(dic_path)) <= 0) {
    return refusal(dic_file_status::aff_not_found, T(".AFF file Not found."), T("File not found."));
  }
  if (file_size_by_path(dic_path) <= 0) {
    return refusal(dic_file_status::dic_not_found, T(".DIC file Not found."), T("File not found."));
  }
  return dic_file_result();
}

dic_file_result load_dictionary_pair(text_view dic_path, long_job_host& host, list_document& doc,
                                     text_t& aff_text, const std::function<void(int64_t)>& on_tick) {
  dic_file_result checked = check_dictionary_pair(dic_path);
  if (checked.status != dic_file_status::ok) return checked;
  const text_t aff_path = dictionary_aff_path(dic_path);
  const int64_t dic_length = file_size_by_path(dic_path);

  long_job job(host, T("Loading Dictionary...") + T(LONG_JOB_ESCAPE_HINT), dic_length, true);
  file_closer closer;

  // The .aff, whole.
  if (!file_open_read(kFile, aff_path)) {
    job.abort();
    return read_failure(aff_path);
  }
  int aff_format = file_detect_format(kFile);
  text_t new_aff = file_read_line(kFile, aff_format | FILE_READ_REST);
  if (!file_read_ok(kFile)) {
    job.abort();
    return read_failure(aff_path);
  }
  const int64_t aff_size = file_length(kFile);
  file_close(kFile);
  new_aff = normalise_line_endings(new_aff);

  // The .dic, line by line.
  if (!file_open_read(kFile, dic_path)) {
    job.abort();
    return read_failure(dic_path);
  }
  const int dic_format = file_detect_format(kFile);
  std::vector<text_t> entries;
  // A rough guess from the size saves most of the regrowth.
  entries.reserve(static_cast<size_t>(std::min<int64_t>(dic_length / 8 + 16, 1 << 22)));
  if (on_tick) job.on_tick = [&](int64_t) { on_tick(static_cast<int64_t>(entries.size())); };
  file_read_line(kFile, dic_format);  // the count line, never checked
  do {
    text_t line = file_read_line(kFile, dic_format);
    dic_line_to_entry(line);
    entries.push_back(std::move(line));
    if (!job.step(file_position(kFile))) {
      job.abort();
      return refusal(dic_file_status::aborted, text_t(), T(LONG_JOB_ABORTED));
    }
  } while (!file_at_end(kFile));
  if (!file_read_ok(kFile)) {
    job.abort();
    return read_failure(dic_path);
  }
  const int64_t dic_size = file_length(kFile);
  file_close(kFile);

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
  static const char kBom[] = "\xEF\xBB\xBF";

  long_job job(host, T("Saving .aff file..."), doc.count(), true);

  // The .aff into its temporary.
  atomic_file aff_out;
  if (!aff_out.create(aff_target)) {
    job.abort();
    return write_failure(aff_target);
  }
  std::string aff_bytes(kBom);
  append_utf8(aff_bytes, normalise_line_endings(aff_text));
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
    append_dic_entry_line_utf8(chunk, doc.entries[static_cast<size_t>(i)]);
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

  // Both files are complete: the old .aff comes back if the .dic cannot follow.
  const int failed = atomic_commit_pair(aff_out, dic_out);
  if (failed != 0) {
    job.abort();
    return write_failure(failed == 1 ? aff_target : dic_target);
  }

  doc.changed = false;
  doc.path = dic_target;
  dic_file_result r;
  r.aff_size = aff_size;
  r.dic_size = dic_size;
  r.entries = n;
  finish_job(job, r);
  return r;
}
