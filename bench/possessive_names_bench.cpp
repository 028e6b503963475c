// The possessive-names import over a real dictionary:
//   possessive_names_bench <file.dic> <text.txt>
// loads the pair, imports the names of the text (read as every word-list
// file is) with "/M" and prints the counts and the time.
#include "affix/aff_cache.h"
#include "bench/bench_support.h"
#include "tools/possessive_names.h"
#include "tools/wordlist_tools.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <file.dic> <text.txt>\n", argv[0]);
    return 2;
  }
  list_document doc;
  text_t aff_text;
  if (!bench::load_pair(argv[1], doc, aff_text)) return 1;
  text_t text;
  headless_long_job_host reader;
  if (read_word_list_file(from_utf8(argv[2]), reader, text) != word_list_read_status::ok) {
    std::fprintf(stderr, "cannot read the text %s\n", argv[2]);
    return 1;
  }
  aff_decode_cache cache;
  rebuild_aff_decode_cache(cache, aff_text);
  const int64_t entries = doc.count();

  bench::clock_polling_host host;
  const int64_t start = bench::now_ms();
  const possessive_result r = import_possessive_names(text, {}, cache.aff_flag_mode, doc, host);
  const int64_t end = bench::now_ms();
  std::printf("entries:  %lld\n", static_cast<long long>(entries));
  std::printf("lines:    %lld\n", static_cast<long long>(r.lines));
  std::printf("added:    %lld\n", static_cast<long long>(r.added));
  std::printf("import:   %lld ms\n", static_cast<long long>(end - start));
  return r.status == possessive_status::done ? 0 : 1;
}
