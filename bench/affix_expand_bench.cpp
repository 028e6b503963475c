// Expands a whole dictionary into its derived words through the word-list
// export itself (the same pass and the same bytes as the menu command, with
// one poll per entry): loads the .dic/.aff pair, builds the decode cache,
// writes the file and prints the counts and times.
//
//   affix_expand_bench [--csv] <file.dic> <output.txt>
//
// --csv writes the CSV rows of the export (root, word, base, type, flag,
// position, rule) instead of plain words.
#include "bench/bench_support.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"
#include "dictionary/wordlist_extraction.h"

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

  bench::loaded_pair pair;
  if (!bench::load_pair_with_cache(argv[1], pair)) return 1;
  const list_document& doc = pair.doc;
  int64_t t2 = now_ms();

  bench::clock_polling_host host;
  const wordlist_extraction_result r =
      extract_wordlist_to_file(doc, pair.cache, csv ? EXTRACT_ALL_CSV : EXTRACT_ALL_TXT, out_path, 0, u",", host);
  int64_t t3 = now_ms();
  if (r.write_failed || r.aborted) {
    std::fprintf(stderr, "writing %s failed\n", argv[2]);
    return 1;
  }
  int64_t entries = 0;
  for (const text_view entry : doc.entries()) entries += !entry.empty() && entry[0] != u'/';
  const int64_t words = r.words;
  std::printf("entries %lld  derived words %lld\n", static_cast<long long>(entries),
              static_cast<long long>(words));
  std::printf("load %lld ms  cache build %lld ms  extraction %lld ms (%lld polls)\n", static_cast<long long>(pair.load_ms),
              static_cast<long long>(pair.cache_ms), static_cast<long long>(t3 - t2), static_cast<long long>(host.polls));
  return 0;
}
