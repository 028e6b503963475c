// Expands a whole dictionary into its derived words, as the word-list export
// does: loads the .dic/.aff pair, builds the decode cache, expands every
// entry into a text file and prints the counts and times.
//
//   affix_expand_bench [--csv] <file.dic> <output.txt>
//
// --csv writes the CSV rows of the export (root, word, base, type, flag,
// position, rule) instead of plain words.
#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "affix/expansion_output.h"
#include "bench/bench_support.h"
#include "common/file.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"

#include <cstdio>
#include <string>

using bench::now_ms;

int main(int argc, char** argv) {
  const bool csv = argc == 4 && std::string(argv[1]) == "--csv";
  if (csv) {
    --argc;
    ++argv;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s [--csv] <file.dic> <output.txt>\n", argv[0]);
    return 2;
  }
  const text_t out_path = from_utf8(argv[2]);

  int64_t t0 = now_ms();
  list_document doc;
  text_t aff_text;
  if (!bench::load_pair(argv[1], doc, aff_text)) return 1;
  int64_t t1 = now_ms();
  rebuild_aff_decode_cache(aff_text);
  int64_t t2 = now_ms();

  if (file_create(1, out_path) == 0) {
    std::fprintf(stderr, "cannot create %s\n", argv[2]);
    return 1;
  }
  int64_t words = 0, entries = 0;
  {
    word_file_sink sink(1, csv, false, u"");
    for (const text_t& entry : doc.entries) {
      if (!entry.empty() && entry[0] == u'/') continue;
      expand_entry(aff_cache, entry, sink);
      ++entries;
    }
    sink.flush();
    words = sink.written;
  }
  bool written = file_close_checked(1);
  int64_t t3 = now_ms();
  if (!written) {
    std::fprintf(stderr, "writing %s failed\n", argv[2]);
    return 1;
  }
  std::printf("entries %lld  derived words %lld\n", static_cast<long long>(entries),
              static_cast<long long>(words));
  std::printf("load %lld ms  cache build %lld ms  expansion %lld ms\n", static_cast<long long>(t1 - t0),
              static_cast<long long>(t2 - t1), static_cast<long long>(t3 - t2));
  return 0;
}
