#include "dictionary/dic_file.h"

#include "common/dic_entry.h"
#include "common/file.h"
#include "common/text_file_open.h"
#include "common/charset.h"
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
constexpr int kInformation = 4;

// Both numbered files closed on every way out of a load.
struct file_closer {
  ~file_closer() {
    file_close(kAffFile);
    file_close(kDicFile);
  }
};

// Opens a file of the pair in the format its declaration gives: ok,
// read_failed, unknown_charset (with its message) or aborted.
dic_file_result opened_result(const text_file_open& opened, text_view path) {
  switch (opened.status) {
    case text_file_open_status::read_failed: return read_failure(path);
    case text_file_open_status::declined: return refusal(dic_file_status::aborted, text_t(), T(LONG_JOB_ABORTED));
    case text_file_open_status::unknown_charset: {
      dic_file_result r = refusal(dic_file_status::unknown_charset, opened.message, T(LONG_JOB_ABORTED));
      r.failed_path = path;
      return r;
    }
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

// True when a unit of the entries or the .aff text is not ASCII.
bool dictionary_needs_charset(const list_document& doc, text_view aff_text) {
  auto non_ascii = [](text_view s) { return std::any_of(s.begin(), s.end(), [](char16_t u) { return u >= 0x80; }); };
  if (non_ascii(aff_text)) return true;
  const int64_t n = doc.count();
  for (int64_t i = 0; i < n; ++i)
    if (non_ascii(doc.entries()[static_cast<size_t>(i)])) return true;
  return false;
}

bool is_blank(char16_t c) { return c == u' ' || c == u'\t'; }

// The blank-separated fields of a line.
std::vector<text_view> line_fields(text_view line) {
  std::vector<text_view> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && is_blank(line[i])) ++i;
    size_t end = i;
    while (end < line.size() && !is_blank(line[end])) ++end;
    if (end > i) out.push_back(line.substr(i, end - i));
    i = end;
  }
  return out;
}

// True when the .aff keeps the default FLAG mode (one character a flag) and
// a flag of its rule sets, rules, AF aliases or entries is not ASCII.
bool needs_character_flags(const list_document& doc, text_view aff_text) {
  auto non_ascii = [](text_view s) { return std::any_of(s.begin(), s.end(), [](char16_t u) { return u >= 0x80; }); };
  bool flagged = false;
  for (size_t line = 0; line < aff_text.size();) {
    size_t end = aff_text.find(u'\n', line);
    if (end == text_view::npos) end = aff_text.size();
    const std::vector<text_view> f = line_fields(aff_text.substr(line, end - line));
    line = end + 1;
    if (f.empty()) continue;
    if (f[0] == u"FLAG") return false;
    if ((f[0] == u"PFX" || f[0] == u"SFX") && f.size() >= 2) {
      if (non_ascii(f[1])) flagged = true;
      if (f.size() >= 4 && f[3].find(u'/') != text_view::npos && non_ascii(f[3].substr(f[3].find(u'/') + 1))) flagged = true;
    } else if (f[0] == u"AF" && f.size() >= 2 && non_ascii(f[1])) {
      flagged = true;
    }
  }
  if (flagged) return true;
  const int64_t n = doc.count();
  for (int64_t i = 0; i < n; ++i)
    if (non_ascii(split_dic_entry(doc.entries()[static_cast<size_t>(i)]).flags)) return true;
  return false;
}

}  // namespace

text_t aff_text_declaring_utf8(text_view aff_text, text_t* replaced) {
  if (replaced) replaced->clear();
  text_t out(aff_text);
  for (aff_set_line set = find_aff_set_line(out); set.found; set = find_aff_set_line(out, set.line_start + 1)) {
    const text_t name(set.value);
    if (name.empty() || string_to_lower(name) == u"utf-8") continue;
    if (replaced && replaced->empty()) *replaced = name;
    out.replace(set.value_start, name.size(), u"UTF-8");
  }
  return out;
}

text_t aff_text_as_saved(const list_document& doc, text_view aff_text, text_t* replaced, bool* set_line_added,
                         bool* flag_line_added) {
  text_t replaced_name;
  text_t saved = aff_text_declaring_utf8(normalise_line_endings(aff_text), &replaced_name);
  // Without a SET line Hunspell reads both files as ISO8859-1: a pair that
  // holds any other letter must say that it is UTF-8 now.
  const bool add = !find_aff_set_line(saved).found && dictionary_needs_charset(doc, saved);
  // In an 8-bit file a one-character flag is one byte; in UTF-8 Hunspell
  // would read a letter beyond ASCII as two or three flags, unless it is
  // told that flags are characters.
  const bool flags = (add || !replaced_name.empty()) && needs_character_flags(doc, saved);
  if (flag_line_added) *flag_line_added = flags;
  if (flags) {
    const aff_set_line set = find_aff_set_line(saved);
    const size_t end = set.found ? saved.find(u'\n', set.line_start) : text_t::npos;
    saved.insert(end == text_t::npos ? 0 : end + 1, u"FLAG UTF-8\n");
  }
  if (add) saved.insert(0, u"SET UTF-8\n");
  if (set_line_added) *set_line_added = add;
  if (replaced) *replaced = replaced_name;
  return saved;
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

  // Both formats first: a question comes before the job starts. The .aff is
  // read by its SET line, and so is the .dic (as Hunspell reads them); a
  // byte-order mark of either file wins for that file.
  const text_file_open aff_open = open_text_file(kAffFile, aff_path, charset_declaration::aff_set_line, host);
  if (aff_open.status != text_file_open_status::ok) return opened_result(aff_open, aff_path);
  text_t new_aff = file_read_line(kAffFile, aff_open.format | FILE_READ_REST);
  if (!file_read_ok(kAffFile)) return read_failure(aff_path);
  const int64_t aff_size = file_length(kAffFile);
  file_close(kAffFile);
  new_aff = normalise_line_endings(new_aff);

  declared_format dic_declared = aff_open.found;
  dic_declared.looks_utf8 = false;
  dic_declared.invalid_utf8_line = 0;
  if (aff_open.found.by_mark) {
    // The mark decided the .aff; its SET line still declares the .dic.
    const aff_set_line set = find_aff_set_line(new_aff);
    dic_declared = charset_declared_by(set.value, set.line, charset_declaration::aff_set_line);
  } else if (aff_open.format != aff_open.found.format) {
    dic_declared.format = aff_open.format;  // read as UTF-8 against the SET line: the .dic too
  }
  const text_file_open dic_open = open_text_file_declared_by(kDicFile, dic_path, dic_declared, host);
  if (dic_open.status != text_file_open_status::ok) return opened_result(dic_open, dic_path);
  const int dic_format = dic_open.format;

  long_job job(host, T("Loading Dictionary...") + T(LONG_JOB_ESCAPE_HINT), dic_length, true);

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
  bool set_line_added = false, flag_line_added = false;
  const text_t saved_aff = aff_text_as_saved(doc, aff_text, &replaced_encoding, &set_line_added, &flag_line_added);

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
  r.set_line_added = set_line_added;
  const text_t flag_note =
      flag_line_added ? T("\n\nIts flags beyond ASCII stay one character each: a line \"FLAG UTF-8\" says so.")
                      : text_t();
  if (!replaced_encoding.empty()) {
    host.message_box(T("Warning!"),
                     T("The .AFF file declared the encoding \"") + replaced_encoding +
                         T("\", but the dictionary is saved in UTF-8: its SET line now says UTF-8.") + flag_note,
                     kInformation);
  } else if (set_line_added) {
    host.message_box(T("Warning!"),
                     T("The .AFF file declared no encoding, so it was read as ISO8859-1, but the dictionary is "
                       "saved in UTF-8: a line \"SET UTF-8\" now stands at its top.") + flag_note,
                     kInformation);
  }
  return r;
}

const list_member_texts& dictionary_member_texts() {
  static const list_member_texts texts{u"No dictionary words found.", u"No dictionary word selected.",
                                       u"The Dictionary has been changed.\n\nContinue?",
                                       u"Really delete all dictionary words?", u"Sorting Dictionary...", false, true};
  return texts;
}
