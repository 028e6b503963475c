#include "dictionary/wordlist_extraction.h"

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "common/dic_entry.h"
#include "common/file.h"
#include "common/format.h"

const char16_t WORDLIST_CSV_HEADER[] = u"\"Root_word\";\"Word\";\"Primary\";\"Type\";\"Code\";\"Position\";\"Rule\"\n";

namespace {

// The word list is written whenever this much is ready: one buffer, used
// again and again, stays in the cache and costs no fresh pages (on a large
// output, fresh pages cost more than the writes it saves).
constexpr size_t EXTRACTION_WRITE_BYTES = size_t(1) << 16;

text_t grouped(int64_t n, text_view separator) {
  return string_format_number(0, u".", separator, static_cast<double>(n));
}

void write_out(atomic_file& out, utf8_buffer& bytes) {
  out.write(bytes.data(), bytes.size());
  bytes.clear();
}

}  // namespace

text_t huge_output_question(int64_t limit, text_view separator) {
  return u"Over " + grouped(limit, separator) +
         u" words have been decoded.\n\nThis represents a huge amount of data in the HDD\nthat can fill it up and "
         u"crash the computer.\n\nAbort?";
}

wordlist_file_choice wordlist_file_choice_for(int type) {
  if (type == EXTRACT_ALL_CSV) return {u"Extract wordlist to file", u"Text CSV (*.csv)|*.csv", u".csv"};
  if (type == EXTRACT_COMPOUNDS_TXT || type == EXTRACT_COMPOUNDS_LANGUAGETOOL)
    return {u"Extract Compounds to file", u"Text Documents (*.txt)|*.txt", u".txt"};
  return {u"Extract wordlist to file", u"Text Documents (*.txt)|*.txt", u".txt"};
}

text_t with_extension(text_view path, text_view extension) {
  if (string_to_lower(string_tail(path, static_cast<int64_t>(extension.size()))) == string_to_lower(extension))
    return text_t(path);
  return text_t(path) + text_t(extension);
}

wordlist_extraction_result extract_wordlist_to_file(const list_document& doc, const aff_decode_cache& cache, int type,
                                                    text_view path, int64_t decode_warning_limit, text_view separator,
                                                    long_job_host& host) {
  wordlist_extraction_result r;
  const bool csv = type == EXTRACT_ALL_CSV;
  const bool compounds = type == EXTRACT_COMPOUNDS_TXT || type == EXTRACT_COMPOUNDS_LANGUAGETOOL;
  const text_t marker = type == EXTRACT_COMPOUNDS_LANGUAGETOOL ? u"\u25cf" : u"";
  long_job job(host, u"Extracting wordlist... <ESC> to abort.", doc.count(), true);
  atomic_file out;
  if (!out.create(path)) {
    r.write_failed = true;
    job.abort();
    return r;
  }
  utf8_buffer bytes;
  bytes.reserve(EXTRACTION_WRITE_BYTES + 4096);
  bytes.append_bytes("\xEF\xBB\xBF");
  if (csv) bytes.append(WORDLIST_CSV_HEADER);

  bool asked = false;
  word_file_sink sink(cache, bytes, csv, compounds, marker);
  affix_expander expander;
  job.on_tick = [&](int64_t) {
    job.set_text(u"Extracting Wordlist... <ESC> to abort. Found:" + grouped(sink.written, separator) + u" " +
                 format_file_size(u"", out.written() + static_cast<int64_t>(bytes.size()), 1));
  };
  for (int64_t i = 0; i < doc.count(); ++i) {
    if (!asked && decode_warning_limit != 0 && sink.written >= decode_warning_limit) {
      asked = true;
      job.set_text(u"Extracting Wordlist... <ESC> to abort. Found:" + grouped(sink.written, separator));
      if (host.message_box(u"Warning!", huge_output_question(decode_warning_limit, separator), BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_YES) {
        r.aborted = true;
        break;
      }
    }
    // The expansion reads the first line only; one that is empty or starts
    // with "/" has no word.
    const text_view entry = doc.entry(i);
    if (!entry.empty() && entry[0] != u'\n' && entry[0] != u'/') expander.expand(cache, entry, sink);
    if (bytes.size() >= EXTRACTION_WRITE_BYTES) write_out(out, bytes);
    if (!job.step(i)) {
      r.aborted = true;
      break;
    }
  }
  r.words = sink.written;
  if (r.aborted) {
    out.discard();
    job.abort();
    return r;
  }
  write_out(out, bytes);
  const int64_t length = out.written();
  if (!out.commit()) {
    r.write_failed = true;
    job.abort();
    return r;
  }
  r.length = length;
  job.end(u"OK. Words Found:" + grouped(r.words, separator) + u" " + format_file_size(u"", r.length, 1) +
          job.elapsed_text());
  return r;
}

// ---- Entries by their tags ---------------------------------------------------------------------

bool entry_tags_match(text_view entry, const postag_search& search) {
  const text_view tags = split_dic_entry(entry).tags;
  if (tags.empty() || search.text.empty()) return false;
  if (search.match_case) return search.full_match ? tags == search.text : tags.find(search.text) != text_view::npos;
  const text_t t = string_to_lower(tags), needle = string_to_lower(search.text);
  return search.full_match ? t == needle : t.find(needle) != text_t::npos;
}

postag_search_result find_entries_by_postag(const list_document& doc, const postag_search& search,
                                            long_job_host& host) {
  postag_search_result r;
  long_job job(host, u"", doc.count(), true);
  for (int64_t i = 0; i < doc.count(); ++i) {
    if (entry_tags_match(doc.entry(i), search)) r.matches.push_back(i);
    if (!job.step(i)) {
      r.aborted = true;
      r.matches.clear();
      job.abort();
      return r;
    }
  }
  job.end(u"");
  return r;
}

bool write_postag_matches(const list_document& doc, const std::vector<int64_t>& matches, text_view path) {
  atomic_file out;
  if (!out.create(path)) return false;
  std::string bytes(UTF8_BOM);
  for (int64_t i : matches) {
    append_utf8_line(bytes, string_replace(doc.entry(i), u"\n", u"\t"));
    out.write_buffer(bytes, EXTRACTION_WRITE_BYTES);
  }
  out.write_buffer(bytes);
  return out.commit();
}

text_t postag_match_row(text_view entry) { return string_replace(entry, u"\n", u"\u2192"); }
