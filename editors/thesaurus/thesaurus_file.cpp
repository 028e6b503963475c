#include "editors/thesaurus/thesaurus_file.h"

#include "common/file.h"
#include "common/format.h"
#include "common/text_file_open.h"
#include "editors/thesaurus/thesaurus_entry.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

text_t thesaurus_idx_path(text_view dat_path) {
  return text_t(dat_path.substr(0, dat_path.size() - std::min<size_t>(4, dat_path.size()))) + u".idx";
}

text_t thesaurus_sizes_text(int64_t idx_size, int64_t dat_size) {
  return format_file_size(u"idx:", idx_size, 1) + u"+" + format_file_size(u"dat:", dat_size, 1);
}

namespace {

constexpr int kDat = 1;
constexpr int kIdx = 2;
const char kBom[] = "\xEF\xBB\xBF";

thesaurus_file_result refusal(thesaurus_file_status status, const char* title, text_view message,
                              text_view status_text) {
  thesaurus_file_result r;
  r.status = status;
  r.title = T(title);
  r.message = message;
  r.status_text = status_text;
  return r;
}

thesaurus_file_result aborted() {
  return refusal(thesaurus_file_status::aborted, "", text_t(), T(LONG_JOB_ABORTED));
}

thesaurus_file_result read_failure(text_view path) {
  thesaurus_file_result r = refusal(thesaurus_file_status::read_failed, "Error!",
                                    T("Can't read the file:\n") + text_t(path), T(LONG_JOB_ABORTED));
  r.failed_path = path;
  return r;
}

thesaurus_file_result write_failure(text_view path) {
  thesaurus_file_result r =
      refusal(thesaurus_file_status::write_failed, "Error!",
              T("Can't write the file:\n") + text_t(path) + T("\n\nThe thesaurus was not saved; the old files are kept."),
              T(LONG_JOB_ABORTED));
  r.failed_path = path;
  return r;
}

// A pair that could not be saved. When the .dat could not replace its old
// file after the new .idx had, and the old .idx could not be put back, the
// message says what each name now holds.
thesaurus_file_result pair_write_failure(const file_pair_result& pair, text_view dat_target, bool had_dat) {
  thesaurus_file_result r = write_failure(pair.failed == 1 ? pair.first_target : text_t(dat_target));
  if (pair.first_replaced) r.message = file_pair_double_fault_text(pair, dat_target, had_dat, u"thesaurus", u".idx", u".dat");
  return r;
}

void finish_job(long_job& job, thesaurus_file_result& r) {
  r.elapsed_ms = job.elapsed_ms();
  r.status_text = T("OK. ") + thesaurus_sizes_text(r.idx_size, r.dat_size) + format_elapsed_time(u" \u231a", r.elapsed_ms);
  job.end(r.status_text);
}

struct file_closer {
  ~file_closer() {
    file_close(kDat);
    file_close(kIdx);
  }
};

}  // namespace

// ---- Loading ---------------------------------------------------------------------

thesaurus_file_result check_thesaurus_file(text_view dat_path) {
  if (file_size_by_path(dat_path) <= 0) {
    return refusal(thesaurus_file_status::not_found, "Error!", T("File not found."), T("File not found."));
  }
  if (file_same_by_path(dat_path, thesaurus_idx_path(dat_path))) {
    return refusal(thesaurus_file_status::same_file, "Error!",
                   T("A thesaurus file must end in .dat: its index (.idx) is written beside it."),
                   T(LONG_JOB_ABORTED));
  }
  return thesaurus_file_result();
}

thesaurus_file_result load_thesaurus_pair(text_view dat_path, long_job_host& host, list_document& doc,
                                          text_t& encoding, const std::function<void(int64_t)>& on_tick) {
  thesaurus_file_result checked = check_thesaurus_file(dat_path);
  if (checked.status != thesaurus_file_status::ok) return checked;
  const int64_t dat_length = file_size_by_path(dat_path);

  file_closer closer;
  // The .dat is read in the encoding its first line names, as libmythes reads it.
  const text_file_open opened = open_text_file(kDat, dat_path, charset_declaration::first_line, host);
  switch (opened.status) {
    case text_file_open_status::ok: break;
    case text_file_open_status::declined: return aborted();
    case text_file_open_status::unknown_charset: {
      thesaurus_file_result r = refusal(thesaurus_file_status::unknown_charset, "Error!", opened.message, T(LONG_JOB_ABORTED));
      r.failed_path = dat_path;
      return r;
    }
    default: return read_failure(dat_path);
  }
  const int format = opened.format;

  long_job job(host, T("Loading Thesaurus...") + T(LONG_JOB_ESCAPE_HINT), dat_length, true);
  text_t new_encoding = file_read_line(kDat, format);

  std::vector<text_t> entries;
  // A rough guess from the size saves most of the regrowth.
  entries.reserve(static_cast<size_t>(std::min<int64_t>(dat_length / 64 + 16, 1 << 22)));
  if (on_tick) job.on_tick = [&](int64_t) { on_tick(static_cast<int64_t>(entries.size())); };
  int64_t meanings = 0;
  do {
    text_t entry = file_read_line(kDat, format);
    const int64_t n = thesaurus_meaning_count(entry);
    if (n > THESAURUS_MEANING_LIMIT) {
      job.abort();
      return refusal(thesaurus_file_status::too_many_meanings, "Warning!",
                     T("Found synonym with more than ") + string_from_int(THESAURUS_MEANING_LIMIT) + T(" meanings."),
                     T(LONG_JOB_ABORTED));
    }
    for (int64_t i = 0; i < n; ++i) {
      entry += u'\n';
      entry += file_read_line(kDat, format);
    }
    if (n > 0) meanings += n;
    entries.push_back(std::move(entry));
    if (!job.step(file_position(kDat))) {
      job.abort();
      return aborted();
    }
  } while (!file_at_end(kDat));
  if (!file_read_ok(kDat)) {
    job.abort();
    return read_failure(dat_path);
  }

  thesaurus_file_result r;
  r.dat_size = file_length(kDat);
  file_close(kDat);
  // Only its size is shown; one is made when there is none.
  if (file_open_read_write(kIdx, thesaurus_idx_path(dat_path))) r.idx_size = std::max<int64_t>(0, file_length(kIdx));
  file_close(kIdx);

  r.entries = static_cast<int64_t>(entries.size());
  r.meanings = meanings;
  encoding = std::move(new_encoding);
  doc.replace_all(std::move(entries), dat_path);
  finish_job(job, r);
  return r;
}

// ---- Saving ------------------------------------------------------------------------

namespace {

// One .idx line before sorting: the head word's bytes decide the order.
struct index_line {
  std::string head;
  bool has_bar;
  int64_t offset;
};

// The header, LF, then its N meaning lines each + LF: a line the entry
// lacks is written empty, lines beyond N + 1 are left out.
void append_entry_lines(std::string& out, text_view entry, text_view header) {
  append_utf8(out, header);
  out += '\n';
  const int64_t n = thesaurus_meaning_count(header);
  size_t at = header.size();
  for (int64_t i = 0; i < n; ++i) {
    if (at < entry.size()) {
      const size_t start = at + 1;
      at = entry.find(u'\n', start);
      if (at == text_view::npos) at = entry.size();
      append_utf8(out, entry.substr(start, at - start));
    }
    out += '\n';
  }
}

}  // namespace

thesaurus_file_result save_thesaurus_pair(text_view dat_target, list_document& list, text_t& encoding,
                                          long_job_host& host) {
  if (list.empty()) {
    return refusal(thesaurus_file_status::no_entries, "Warning!", T("No synonyms found."), T(LONG_JOB_ABORTED));
  }
  const text_t idx_target = thesaurus_idx_path(dat_target);
  if (file_same_by_path(dat_target, idx_target)) return check_thesaurus_file(dat_target);

  const int64_t n = list.count();
  long_job job(host, T("Saving Thesaurus...") + T(LONG_JOB_ESCAPE_HINT), n, true);
  atomic_file dat_out;
  if (!dat_out.create(dat_target)) {
    job.abort();
    return write_failure(dat_target);
  }
  // Whatever encoding was read, the text is written as UTF-8 and says so.
  std::string chunk(kBom);
  chunk += "UTF-8\n";
  constexpr size_t kChunk = 1 << 16;
  std::vector<index_line> index;
  index.reserve(static_cast<size_t>(n));
  for (int64_t i = 0; i < n; ++i) {
    const text_view entry = list.entries()[static_cast<size_t>(i)];
    const text_view header = thesaurus_header(entry);
    index_line il{std::string(), header.find(u'|') != text_view::npos,
                  dat_out.written() + static_cast<int64_t>(chunk.size())};
    append_utf8(il.head, thesaurus_head_word(header));
    index.push_back(std::move(il));
    append_entry_lines(chunk, entry, header);
    if (!dat_out.write_buffer(chunk, kChunk)) {
      job.abort();
      return write_failure(dat_target);
    }
    if (!job.step(i)) {
      job.abort();  // the temporaries go; the old files stay
      return aborted();
    }
  }
  if (!dat_out.write_buffer(chunk)) {
    job.abort();
    return write_failure(dat_target);
  }

  // Equal head words keep their list order.
  std::stable_sort(index.begin(), index.end(),
                   [](const index_line& a, const index_line& b) { return a.head < b.head; });
  atomic_file idx_out;
  if (!idx_out.create(idx_target)) {
    job.abort();
    return write_failure(idx_target);
  }
  std::string idx = "UTF-8\n" + std::to_string(n) + "\n";
  for (const index_line& il : index) {
    if (il.has_bar) {
      idx += il.head;
      idx += '|';
    }
    idx += std::to_string(il.offset);
    idx += '\n';
  }
  if (!idx_out.write(idx.data(), idx.size())) {
    job.abort();
    return write_failure(idx_target);
  }

  // The index first: it is the cheaper one to put back if the .dat fails.
  const int64_t dat_size = dat_out.written();
  const bool had_dat = file_size_by_path(dat_target) >= 0;
  const file_pair_result pair = commit_file_pair(idx_out, dat_out);
  if (!pair.ok) {
    job.abort();
    return pair_write_failure(pair, dat_target, had_dat);
  }
  list.mark_saved(dat_target);
  encoding = T("UTF-8");
  thesaurus_file_result r;
  r.idx_size = static_cast<int64_t>(idx.size());
  r.dat_size = dat_size;
  r.entries = n;
  finish_job(job, r);
  return r;
}

const list_command_texts& thesaurus_command_texts() {
  static const list_command_texts texts{T("No synonyms found."), T("No selected synonyms found."),
                                        T("No synonym selected."), T("synonym"), T("Really delete synonym?\n"),
                                        true};
  return texts;
}

const list_member_texts& thesaurus_member_texts() {
  static const list_member_texts texts{u"No synonyms found.", u"No synonym selected.",
                                       u"The Thesaurus has been changed.\n\nContinue?",
                                       u"Really delete all synonyms?", u"Sorting Thesaurus...", true};
  return texts;
}
