#include "editors/autocorrect/block_list_file.h"

#include "common/file.h"
#include "common/format.h"
#include "common/xml_text.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>


namespace {

constexpr int kFile = 1;
constexpr int kErrorBox = 8;
constexpr int kWarningBox = 16;
constexpr int kWarningQuestion = 17;  // Yes and No
constexpr int kAnswerYes = 6;
constexpr char16_t kBlockElement[] = u"<block-list:block";
constexpr size_t kBlockElementLength = sizeof(kBlockElement) / sizeof(char16_t) - 1;

// Position of the first block element at or after from in a lower-cased
// line; npos when there is none.
size_t find_block_element(text_view lower, size_t from) {
  for (size_t at = lower.find(kBlockElement, from); at != text_view::npos;
       at = lower.find(kBlockElement, at + 1)) {
    const size_t after = at + kBlockElementLength;
    if (after == lower.size()) return at;
    const char16_t c = lower[after];
    if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'/') return at;
  }
  return text_view::npos;
}

// "OK. (xml:1.5 kB) ⌚00m01s"
void finish(long_job& job, block_list_result& r) {
  r.elapsed_ms = job.elapsed_ms();
  r.status_text = T("OK. ") + format_file_size(u"xml:", r.file_size, 1) + format_elapsed_time(u" \u231a", r.elapsed_ms);
  job.end(r.status_text);
}

struct file_closer {
  ~file_closer() { file_close(kFile); }
};

}  // namespace

block_list_result block_list_ended(block_list_status status, text_view status_text) {
  block_list_result r;
  r.status = status;
  r.status_text = status_text;
  return r;
}

block_list_result block_list_refusal(block_list_status status, text_view title, text_view message, int flags) {
  block_list_result r = block_list_ended(status, T(LONG_JOB_ABORTED));
  r.message_title = title;
  r.message = message;
  r.message_flags = flags;
  return r;
}

block_list_result block_list_not_found() {
  block_list_result r =
      block_list_refusal(block_list_status::not_found, u"Error!", u".XML file not found.", kErrorBox);
  r.status_text = u"File not found.";
  return r;
}

block_list_result block_list_read_failure(text_view path) {
  return block_list_refusal(block_list_status::read_failed, u"Error!", T("Can't read the file:\n") + text_t(path),
                            kErrorBox);
}

namespace {

block_list_result write_failure(text_view path) {
  return block_list_refusal(block_list_status::write_failed, u"Error!",
                            T("Can't write the file:\n") + text_t(path) +
                                T("\n\nThe autocorrect list was not saved; the old file is kept."),
                            kErrorBox);
}

}  // namespace

text_t block_list_header_line() {
  return T("<?xml version=\"1.0\" encoding=\"UTF-8\" ?> <block-list:block-list xmlns:block-list=\"") +
         BLOCK_LIST_NAMESPACE + u"\">";
}

text_t block_list_entry_line(text_view entry, int64_t indent) {
  const size_t lf = entry.find(u'\n');
  const text_view incorrect = entry.substr(0, lf);
  text_view correct;
  if (lf != text_view::npos) {
    correct = entry.substr(lf + 1);
    correct = correct.substr(0, correct.find(u'\n'));
  }
  text_t line = string_of_spaces(std::clamp<int64_t>(indent, 0, 50));
  line += u"<block-list:block block-list:abbreviated-name=\"";
  line += xml_escape_attribute(incorrect);
  line += u"\" block-list:name=\"";
  line += xml_escape_attribute(correct);
  line += u"\"/>";
  return line;
}

int64_t count_block_elements(text_view line) {
  const text_t lower = string_to_lower(line);
  int64_t n = 0;
  for (size_t at = find_block_element(lower, 0); at != text_view::npos; at = find_block_element(lower, at + 1)) ++n;
  return n;
}

text_t block_line_entry(text_view line) {
  const size_t at = find_block_element(string_to_lower(line), 0);
  const text_view element = at == text_view::npos ? line : line.substr(at);
  return xml_decode_references(string_nth_field(element, 2, u"\"")) + u"\n" +
         xml_decode_references(string_nth_field(element, 4, u"\""));
}

const list_command_texts& autocorrect_command_texts() {
  static const list_command_texts texts{T("No autocorrect words found."), T("No selected autocorrect words found."),
                                        T("No autocorrect word selected."), T("autocorrect word"),
                                        T("Really delete autocorrect word?\n")};
  return texts;
}

text_t block_list_import_question() {
  return T("The first line of an Autocorrect List must be:\n") + block_list_header_line() +
         T("\n\nAttempt to import the file?");
}

// ---- Loading ----------------------------------------------------------------------------

block_list_result load_autocorrect_list_file(text_view path, long_job_host& host, list_document& doc,
                                             const list_ask_fn& ask, const std::function<void(int64_t)>& on_tick) {
  const int64_t length = file_size_by_path(path);
  if (length <= 0) return block_list_not_found();
  file_closer closer;
  if (!file_open_read(kFile, path)) return block_list_read_failure(path);
  const int format = file_detect_format(kFile);
  const text_t first_line = file_read_line(kFile, format);
  if (!file_read_ok(kFile)) return block_list_read_failure(path);
  // With the header the reading goes on after it; otherwise an import reads
  // from the top and skips every line up to the first block.
  const bool import = string_to_lower(first_line) != string_to_lower(block_list_header_line());
  if (import && ask(u"Warning!", block_list_import_question(), kWarningQuestion) != kAnswerYes) {
    return block_list_ended(block_list_status::aborted, T(LONG_JOB_ABORTED));
  }
  if (import) {
    file_close(kFile);
    if (!file_open_read(kFile, path)) return block_list_read_failure(path);
    file_detect_format(kFile);
  }

  long_job job(host, T("Loading Autocorrect List...") + T(LONG_JOB_ESCAPE_HINT), length, true);
  std::vector<text_t> entries;
  if (on_tick) job.on_tick = [&](int64_t) { on_tick(static_cast<int64_t>(entries.size())); };
  bool in_comment = false;  // a block inside a comment is no pair
  do {
    const text_t line = xml_remove_comments(file_read_line(kFile, format), in_comment);
    const int64_t blocks = count_block_elements(line);
    if (blocks > 1) {
      job.abort();
      return block_list_refusal(
          block_list_status::two_blocks, u"Warning!",
          T("Only allowed one pair of incorrect/correct per line.\nUse a program like Notepad++ to create individual "
            "lines.\nFor example: replace \"/>\" with \"/>\\n\"\nusing Extended search mode."),
          kWarningBox);
    }
    if (blocks == 1) entries.push_back(block_line_entry(line));
    if (!job.step(file_position(kFile))) {
      job.abort();
      return block_list_ended(block_list_status::aborted, T(LONG_JOB_ABORTED));
    }
  } while (!file_at_end(kFile));
  if (!file_read_ok(kFile)) {
    job.abort();
    return block_list_read_failure(path);
  }
  if (import && entries.empty()) {
    job.abort();
    return block_list_refusal(block_list_status::import_failed, u"Warning!", u"Failed to import file.", kWarningBox);
  }

  block_list_result r;
  r.file_size = file_length(kFile);
  r.entries = static_cast<int64_t>(entries.size());
  file_close(kFile);
  doc.replace_all(std::move(entries), path);
  finish(job, r);
  return r;
}

// ---- Saving -------------------------------------------------------------------------------

block_list_result check_autocorrect_list_save(const list_document& doc) {
  if (!doc.empty()) return block_list_result();
  return block_list_refusal(block_list_status::no_entries, u"Warning!", u"No autocorrect words found.", kWarningBox);
}

block_list_result save_autocorrect_list_file(text_view target, list_document& doc, int64_t indent,
                                             long_job_host& host) {
  block_list_result refused = check_autocorrect_list_save(doc);
  if (refused.status != block_list_status::ok) return refused;

  const int64_t n = doc.count();
  long_job job(host, T("Saving Autocorrect List...") + T(LONG_JOB_ESCAPE_HINT), n, true);
  atomic_file out;
  if (!out.create(target)) {
    job.abort();
    return write_failure(target);
  }
  std::string chunk = "\xEF\xBB\xBF";
  append_utf8(chunk, block_list_header_line());
  chunk += '\n';
  int64_t written = 0;
  auto flush = [&] {
    written += static_cast<int64_t>(chunk.size());
    const bool ok = out.write(chunk.data(), chunk.size());
    chunk.clear();
    return ok;
  };
  constexpr size_t kChunk = 1 << 16;
  for (int64_t i = 0; i < n; ++i) {
    append_utf8(chunk, block_list_entry_line(doc.entries[static_cast<size_t>(i)], indent));
    chunk += '\n';
    if (chunk.size() >= kChunk && !flush()) {
      job.abort();
      return write_failure(target);
    }
    if (!job.step(i)) {
      job.abort();  // the temporary goes, the old file stays
      return block_list_ended(block_list_status::aborted, T(LONG_JOB_ABORTED));
    }
  }
  chunk += "</block-list:block-list>\n";
  if (!flush() || !out.commit()) {
    job.abort();
    return write_failure(target);
  }

  doc.changed = false;
  doc.path = target;
  block_list_result r;
  r.file_size = written;
  r.entries = n;
  finish(job, r);
  return r;
}
