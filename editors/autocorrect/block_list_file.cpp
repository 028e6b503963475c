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

// The stop on a line the reader cannot take whole.
block_list_result bad_block(const block_line_read& read, int64_t line_number) {
  const text_t line = string_from_int(line_number);
  text_t message;
  if (read.status == block_line_status::line_break) {
    text_t shown = string_replace(text_view(read.offending).substr(0, 60), u"\n", u" ");
    message = T("The pair \"") + shown + T("\" on line ") + line +
              T(" holds a line break, which an autocorrect entry cannot keep.");
  } else {
    message = T("The block on line ") + line + T(" is broken or does not end on its line.");
  }
  return block_list_refusal(block_list_status::bad_block, u"Warning!", message + T("\nNothing was loaded."),
                            BOX_WARNING);
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

namespace {

bool is_xml_space(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// The attribute name without its prefix, lower-cased as the element test is.
text_t local_attribute_name(text_view name) {
  const size_t colon = name.rfind(u':');
  return string_to_lower(colon == text_view::npos ? name : name.substr(colon + 1));
}

// A value as an XML parser reads it: a literal TAB is a space, references
// are decoded.
text_t attribute_text(text_view raw) {
  text_t value(raw);
  std::replace(value.begin(), value.end(), u'\t', u' ');
  return xml_decode_references(value);
}

// Reads the attributes of the element whose "<" stands at at. Returns the
// position after its end ("/>" or ">"), or npos when the tag does not end on
// the line or is not well formed (an attribute without "=" or quotes, one
// named twice).
size_t read_block(text_view line, size_t at, text_t& incorrect, text_t& correct) {
  size_t p = at + kBlockElementLength;
  bool have_incorrect = false, have_correct = false;
  for (;;) {
    const size_t before_space = p;
    while (p < line.size() && is_xml_space(line[p])) ++p;
    if (p >= line.size()) return text_view::npos;
    if (line[p] == u'>') return p + 1;
    if (line[p] == u'/') return p + 1 < line.size() && line[p + 1] == u'>' ? p + 2 : text_view::npos;
    if (p == before_space) return text_view::npos;  // attributes are set apart by white space
    const size_t name_start = p;
    while (p < line.size() && line[p] != u'=' && !is_xml_space(line[p]) && line[p] != u'/' && line[p] != u'>') ++p;
    const text_t name = local_attribute_name(line.substr(name_start, p - name_start));
    while (p < line.size() && is_xml_space(line[p])) ++p;
    if (p >= line.size() || line[p] != u'=' || p == name_start) return text_view::npos;
    ++p;
    while (p < line.size() && is_xml_space(line[p])) ++p;
    if (p >= line.size() || (line[p] != u'"' && line[p] != u'\'')) return text_view::npos;
    const size_t close = line.find(line[p], p + 1);
    if (close == text_view::npos) return text_view::npos;
    const text_view raw = line.substr(p + 1, close - p - 1);
    p = close + 1;
    if (name == u"abbreviated-name") {
      if (have_incorrect) return text_view::npos;
      have_incorrect = true;
      incorrect = attribute_text(raw);
    } else if (name == u"name") {
      if (have_correct) return text_view::npos;
      have_correct = true;
      correct = attribute_text(raw);
    }
  }
}

}  // namespace

block_line_read block_line_entries(text_view line) {
  block_line_read r;
  const text_t lower = string_to_lower(line);
  for (size_t at = find_block_element(lower, 0); at != text_view::npos;) {
    text_t incorrect, correct;
    const size_t end = read_block(line, at, incorrect, correct);
    if (end == text_view::npos) {
      r.status = block_line_status::broken_block;
      return r;
    }
    if (incorrect.find(u'\n') != text_t::npos || correct.find(u'\n') != text_t::npos) {
      r.status = block_line_status::line_break;
      r.offending = std::move(incorrect);
      return r;
    }
    r.entries.push_back(incorrect + u"\n" + correct);
    at = find_block_element(lower, end);
  }
  return r;
}

const list_command_texts& autocorrect_command_texts() {
  static const list_command_texts texts{T("No autocorrect words found."), T("No selected autocorrect words found."),
                                        T("No autocorrect word selected."), T("autocorrect word"),
                                        T("Really delete autocorrect word?\n")};
  return texts;
}

const list_member_texts& autocorrect_member_texts() {
  static const list_member_texts texts{u"No autocorrect words found.", u"No autocorrect word selected.",
                                       u"The Autocorrect List has been changed.\n\nContinue?",
                                       u"Really delete all autocorrect words?", u"Sorting Autocorrect List...",
                                       false};
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
  if (import && ask(u"Warning!", block_list_import_question(), BOX_WARNING | BOX_YES_NO) != BOX_ANSWER_YES) {
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
  int64_t line_number = import ? 0 : 1;
  do {
    const text_t line = xml_remove_comments(file_read_line(kFile, format), in_comment);
    ++line_number;
    block_line_read read = block_line_entries(line);
    const int64_t position = file_position(kFile);
    // One poll per pair, so Escape answers inside a list written on one line.
    bool aborted = false;
    for (text_t& entry : read.entries) {
      entries.push_back(std::move(entry));
      if (!job.step(position)) {
        aborted = true;
        break;
      }
    }
    if (!aborted && read.status != block_line_status::ok) {
      job.abort();
      return bad_block(read, line_number);
    }
    if (aborted || (read.entries.empty() && !job.step(position))) {
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
    return block_list_refusal(block_list_status::import_failed, u"Warning!", u"Failed to import file.", BOX_WARNING);
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
  return block_list_refusal(block_list_status::no_entries, u"Warning!", u"No autocorrect words found.", BOX_WARNING);
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
    append_utf8(chunk, block_list_entry_line(doc.entries()[static_cast<size_t>(i)], indent));
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

  doc.mark_saved(target);
  block_list_result r;
  r.file_size = written;
  r.entries = n;
  finish(job, r);
  return r;
}
