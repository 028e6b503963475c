#include "editors/autocorrect/autotext_file.h"

#include "common/file.h"
#include "common/format.h"
#include "common/xml_text.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

constexpr int kFile = 2;
constexpr int kErrorBox = 8;
constexpr char16_t kBlockStart[] = u"<block-list:block ";

// The whole file after its byte-order mark, line ends made LF; false when it
// cannot be opened or read.
bool read_whole_text(text_view path, text_t& text, int64_t& length) {
  if (!file_open_read(kFile, path)) return false;
  const int format = file_detect_format(kFile);
  text = normalise_line_endings(file_read_line(kFile, format | FILE_READ_REST));
  length = file_length(kFile);
  const bool ok = file_read_ok(kFile);
  file_close(kFile);
  return ok;
}

// The quoted value right after the first occurrence of attribute in chunk.
text_t attribute_value(text_view chunk, text_view attribute) {
  const int64_t at = string_find(chunk, attribute);
  if (at == 0) return {};
  return xml_decode_references(get_quoted_text_at(chunk, at + string_length(attribute)));
}

}  // namespace

text_t autotext_index_path(text_view chosen) { return string_head(chosen, string_length(chosen) - 3) + u"xml"; }

std::vector<autotext_record> autotext_index_records(text_view index_xml) {
  // A tag may run over several lines; joined with a space it reads the same.
  bool in_comment = false;
  const text_t text = string_replace(xml_remove_comments(index_xml, in_comment), u"\n", u" ");
  std::vector<autotext_record> records;
  const text_view view = text;
  size_t at = view.find(kBlockStart);
  while (at != text_view::npos) {
    const size_t next = view.find(kBlockStart, at + 1);
    const text_view chunk = view.substr(at, next == text_view::npos ? text_view::npos : next - at);
    autotext_record r;
    r.abbreviated_name = attribute_value(chunk, u"abbreviated-name=");
    r.package_name = attribute_value(chunk, u"package-name=");
    r.name = attribute_value(chunk, u"block-list:name=");
    records.push_back(std::move(r));
    at = next;
  }
  return records;
}

text_t autotext_entry_file(text_view index_path, text_view abbreviated_name) {
  const size_t cut = index_path.find_last_of(u"/\\");
  const text_t folder = cut == text_view::npos ? text_t() : text_t(index_path.substr(0, cut + 1));
  const char16_t sep = cut == text_view::npos ? u'/' : index_path[cut];
  const text_t entry_folder = folder + text_t(abbreviated_name) + sep;
  const text_t own = entry_folder + text_t(abbreviated_name) + u".xml";
  if (file_size_by_path(own) > 0) return own;
  return entry_folder + u"content.xml";
}

bool autotext_name_stays_in_folder(text_view abbreviated_name) {
  return abbreviated_name.find_first_of(u"/\\") == text_view::npos && abbreviated_name.find(u"..") == text_view::npos;
}

namespace {

// The end of the tag whose "<" stands at at: the position after its ">"
// (a ">" inside a quoted value does not end it), or the end of the text.
size_t tag_end(text_view s, size_t at) {
  if (s.substr(at, 4) == u"<!--") {
    const size_t close = s.find(u"-->", at + 4);
    return close == text_view::npos ? s.size() : close + 3;
  }
  char16_t quote = 0;
  for (size_t i = at + 1; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u'>') {
      return i + 1;
    }
  }
  return s.size();
}

// "<text:p ...>", "</text:p>" or "<text:p/>": whether the tag is a paragraph's.
bool is_paragraph_tag(text_view tag, bool closing) {
  const text_view name = closing ? text_view(u"</text:p") : text_view(u"<text:p");
  if (tag.substr(0, name.size()) != name || tag.size() == name.size()) return false;
  const char16_t after = tag[name.size()];
  return after == u'>' || after == u'/' || after == u' ' || after == u'\t' || after == u'\r';
}

}  // namespace

text_t autotext_entry_text(text_view entry_xml) {
  // A paragraph's text is its character data, spans and other inline
  // elements taken in with their tags removed.
  const text_t xml = string_remove_all(entry_xml, u"\n");
  const text_view s = xml;
  text_t result, paragraph;
  int depth = 0;
  for (size_t i = 0; i < s.size();) {
    if (s[i] != u'<') {
      const size_t next = std::min(s.find(u'<', i), s.size());
      if (depth > 0) paragraph.append(s.substr(i, next - i));
      i = next;
      continue;
    }
    const size_t end = tag_end(s, i);
    const text_view tag = s.substr(i, end - i);
    i = end;
    if (is_paragraph_tag(tag, true)) {
      if (depth == 0) continue;  // a stray end tag
      --depth;
      result += paragraph;
      result += u'\n';
      paragraph.clear();
    } else if (is_paragraph_tag(tag, false) && !tag.ends_with(u"/>")) {
      ++depth;
    }
  }
  return xml_decode_references(string_replace(result, u"\n\n", u"\n"));
}

text_t autotext_row_text(int64_t index, const autotext_record& record) {
  return string_from_int(index + 1) + u"\n" + record.abbreviated_name + u"\n" + record.package_name + u"\n" +
         record.name;
}

block_list_result load_autotext_list_file(text_view chosen_path, long_job_host& host,
                                          autotext_document_record& doc) {
  if (file_size_by_path(chosen_path) <= 0) return block_list_not_found();
  const text_t index_path = autotext_index_path(chosen_path);
  text_t index_text;
  block_list_result r;
  if (!read_whole_text(index_path, index_text, r.file_size)) return block_list_read_failure(index_path);
  std::vector<autotext_record> records = autotext_index_records(index_text);
  if (records.empty()) {
    return block_list_refusal(block_list_status::no_entries, u"Error", u".XML file has no valid entries.",
                              kErrorBox);
  }
  // The names become paths: none may lead out of the collection's folder.
  for (const autotext_record& record : records) {
    if (!autotext_name_stays_in_folder(record.abbreviated_name)) {
      return block_list_refusal(block_list_status::bad_name, u"Error",
                                T("The AutoText name \"") + record.abbreviated_name +
                                    T("\" would lead out of its folder.\nNothing was loaded."),
                                kErrorBox);
    }
  }
  const int64_t n = static_cast<int64_t>(records.size());
  long_job job(host, T("Loading AutoText List...") + T(LONG_JOB_ESCAPE_HINT), n, true);
  for (int64_t i = 0; i < n; ++i) {
    autotext_record& record = records[static_cast<size_t>(i)];
    const text_t entry_path = autotext_entry_file(index_path, record.abbreviated_name);
    text_t entry_xml;
    int64_t entry_length = 0;
    // A missing or unreadable entry file gives an empty text.
    if (file_size_by_path(entry_path) > 0 && read_whole_text(entry_path, entry_xml, entry_length)) {
      record.text = autotext_entry_text(entry_xml);
      r.extra_size += entry_length;
    }
    if (!job.step(i + 1)) {
      job.abort();
      return block_list_ended(block_list_status::aborted, T(LONG_JOB_ABORTED));
    }
  }

  doc.records = std::move(records);
  doc.path = chosen_path;
  r.entries = n;
  r.elapsed_ms = job.elapsed_ms();
  r.status_text = T("OK. ") + format_file_size(u"BlockList.xml:", r.file_size, 1) + u"+" +
                  format_file_size(u"xmls:", r.extra_size, 1) + format_elapsed_time(u" \u231a", r.elapsed_ms);
  job.end(r.status_text);
  return r;
}
