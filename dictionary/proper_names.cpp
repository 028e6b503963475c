#include "dictionary/proper_names.h"

#include "common/dic_entry.h"
#include "common/file.h"

#include <string>

namespace {
constexpr char16_t kJobText[] = u"Extracting Proper Names... <ESC> to abort.";
constexpr char16_t kTickText[] = u"Extracting Proper Names... <ESC> to abort.Extracted:";
}

bool is_proper_name_entry(text_view entry) {
  if (dic_entry_word_and_flags(entry).find(u"\\/") != text_view::npos) return false;
  const text_view word = split_dic_entry(entry).word;
  return string_to_lower(word) != word;
}

proper_names_result extract_proper_names_to_file(const list_document& doc, text_view path, long_job_host& host) {
  proper_names_result r;
  long_job job(host, kJobText, doc.count(), true);
  job.on_tick = [&](int64_t) {
    job.set_text(kTickText + string_from_int(static_cast<int64_t>(r.rows.size())));
  };
  auto failed = [&]() {
    job.abort();
    r.write_failed = true;
    r.status_text = u"Aborted.";
    r.message = u"Can't write the file:\n" + text_t(path) + u"\n\nThe proper names were not extracted.";
    return r;
  };
  atomic_file out;
  if (!out.create(path)) return failed();
  std::string bytes = "\xEF\xBB\xBF";
  constexpr size_t kChunk = 1 << 16;
  for (int64_t i = 0; i < doc.count(); ++i) {
    const text_view entry = doc.entry(i);
    if (is_proper_name_entry(entry)) {
      r.rows.push_back({i, text_t(entry)});
      append_dic_entry_line_utf8(bytes, entry);
      bytes.push_back('\n');
      if (bytes.size() >= kChunk) {
        if (!out.write(bytes.data(), bytes.size())) return failed();
        bytes.clear();
      }
    }
    if (!job.step(i)) {
      job.abort();  // the temporary goes; the old file stays
      r.aborted = true;
      r.rows.clear();
      r.status_text = u"Aborted.";
      return r;
    }
  }
  if (!out.write(bytes.data(), bytes.size()) || !out.commit()) return failed();
  r.status_text = u"OK. Extracted Proper Names:" + string_from_int(static_cast<int64_t>(r.rows.size())) +
                  job.elapsed_text();
  job.end(r.status_text);
  return r;
}
