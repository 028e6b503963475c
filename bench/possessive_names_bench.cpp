// The possessive-names import over a real dictionary:
//   possessive_names_bench <file.dic> <text.txt>
// loads the pair, imports the names of the text (UTF-8) with "/M" and
// prints the counts and the time.
#include "affix/aff_cache.h"
#include "bench/bench_support.h"
#include "tools/possessive_names.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <file.dic> <text.txt>\n", argv[0]);
    return 2;
  }
  list_document doc;
  text_t aff_text;
  if (!bench::load_pair(argv[1], doc, aff_text)) return 1;
  std::ifstream in(argv[2], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  rebuild_aff_decode_cache(aff_text);
  const int64_t entries = doc.count();

  bench::clock_polling_host host;
  const int64_t start = bench::now_ms();
  const possessive_result r = import_possessive_names(from_utf8(bytes), {}, aff_cache.aff_flag_mode, doc, host);
  const int64_t end = bench::now_ms();
  std::printf("entries:  %lld\n", static_cast<long long>(entries));
  std::printf("lines:    %lld\n", static_cast<long long>(r.lines));
  std::printf("added:    %lld\n", static_cast<long long>(r.added));
  std::printf("import:   %lld ms\n", static_cast<long long>(end - start));
  return r.status == possessive_status::done ? 0 : 1;
}
