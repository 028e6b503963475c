// Runs every whole-thesaurus tool over a loaded thesaurus, each on a fresh
// copy, one poll per entry as on the main window.
//
//   thesaurus_tools_bench <in.dat> <scratch folder>
//
// Prints each tool's time in milliseconds. Combine refuses a thesaurus with
// "(" or "|" in its meanings (Debian's do), so it runs on a simplified copy:
// each meaning line reduced to its first plain word.
#include "bench/bench_support.h"
#include "editors/thesaurus/thesaurus_entry.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "editors/thesaurus/thesaurus_tools.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace {

void timed(const char* name, const list_document& source, const std::function<void(list_document&)>& tool) {
  list_document doc = source;
  const int64_t start = bench::now_us();
  tool(doc);
  std::printf("%-28s %8.1f ms (%lld entries after)\n", name, static_cast<double>(bench::now_us() - start) / 1000.0,
              static_cast<long long>(doc.count()));
}

// One meaning per line, no brackets, no "-|": what Combine accepts.
list_document simple_copy(const list_document& source) {
  list_document simple;
  std::vector<text_t> entries;
  for (const text_view e : source.entries()) {
    const text_view header = thesaurus_header(e);
    text_t out = text_t(thesaurus_head_word(header)) + u"|";
    text_t body;
    int64_t n = 0;
    for (text_view m : thesaurus_meanings(e)) {
      // The first field that is a plain word: "(noun)|ship|craft" gives "ship".
      text_t word;
      size_t start = 0;
      while (start <= m.size() && word.empty()) {
        const size_t bar = m.find(u'|', start);
        const text_view field = m.substr(start, bar == text_view::npos ? text_view::npos : bar - start);
        if (field != u"-" && field.find(u'(') == text_view::npos && field.find(u')') == text_view::npos) word = field;
        if (bar == text_view::npos) break;
        start = bar + 1;
      }
      if (word.empty() || word.find(u')') != text_t::npos || word.find(u'|') != text_t::npos) continue;
      body += u"\n" + word;
      ++n;
    }
    if (out.size() > 1 && out.find(u'(') == text_t::npos && out.find(u')') == text_t::npos)
      entries.push_back(out + string_from_int(n) + body);
  }
  simple.replace_all(std::move(entries), u"");
  return simple;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <in.dat> <scratch folder>\n", argv[0]);
    return 2;
  }
  bench::clock_polling_host host;
  list_document doc;
  text_t encoding;
  const thesaurus_file_result loaded = load_thesaurus_pair(from_utf8(argv[1]), host, doc, encoding);
  if (loaded.status != thesaurus_file_status::ok) {
    std::fprintf(stderr, "cannot load %s: %s\n", argv[1], to_utf8(loaded.message).c_str());
    return 1;
  }
  const std::string folder = argv[2];
  std::printf("entries %lld\n", static_cast<long long>(doc.count()));
  timed("fix invalid spaces", doc, [&](list_document& d) { fix_thesaurus_entry_spaces(d, u",", host); });
  timed("sort meanings", doc, [&](list_document& d) {
    host.abort_answer = BOX_ANSWER_YES;  // the "Continue?" question
    sort_or_unduplicate_thesaurus_meanings(d, true, false, host);
  });
  timed("deduplicate meanings", doc, [&](list_document& d) { sort_or_unduplicate_thesaurus_meanings(d, false, true, host); });
  timed("clean up symbols", doc, [&](list_document& d) { clean_thesaurus_entry_symbols(d, {true, true, false}, u",", host); });
  timed("extract (book)", doc, [&](list_document& d) {
    extract_thesaurus(d, from_utf8(folder + "/thesaurus_book.txt"), true, u",", host);
  });
  timed("sort on numbers", doc, [&](list_document& d) { sort_thesaurus_on_meaning_count(d, u",", host); });
  timed("duplicates scan", doc, [&](list_document& d) {
    std::printf("  duplicate rows %zu\n", scan_thesaurus_duplicates(d, host).rows.size());
  });
  const list_document simple = simple_copy(doc);
  timed("combine (simplified copy)", simple, [&](list_document& d) {
    const thesaurus_tool_result r = combine_thesaurus_synonyms(d, host);
    std::printf("  %s (%lld added)\n", to_utf8(host.status).c_str(), static_cast<long long>(r.count));
  });
  list_document combined = simple;
  combine_thesaurus_synonyms(combined, host);
  timed("duplicates scan + merge", combined, [&](list_document& d) {
    thesaurus_duplicates_scan s = scan_thesaurus_duplicates(d, host);
    std::printf("  duplicate rows %zu\n", s.rows.size());
    const thesaurus_tool_result r = merge_thesaurus_duplicates(d, std::move(s), u",", host);
    if (r.aborted) std::printf("  merge stopped: %s\n", to_utf8(r.message).c_str());
  });
  list_document doubled = doc;
  for (const text_view e : doc.entries()) doubled.append(e);
  timed("duplicates of a doubled copy", doubled, [&](list_document& d) {
    const int64_t start = bench::now_us();
    thesaurus_duplicates_scan s = scan_thesaurus_duplicates(d, host);
    std::printf("  duplicate rows %zu, scan %.1f ms\n", s.rows.size(),
                static_cast<double>(bench::now_us() - start) / 1000.0);
    merge_thesaurus_duplicates(d, std::move(s), u",", host);
  });
  return 0;
}
