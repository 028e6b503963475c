// The statistics pass over a whole dictionary, with one poll per entry as
// the menu command runs it: loads the .dic/.aff pair, builds the decode
// cache, counts every word form and prints every counter and the times.
//
//   statistics_bench <file.dic>
#include "affix/aff_cache.h"
#include "bench/bench_support.h"
#include "dictionary/dictionary_statistics.h"

#include <cstdio>

using bench::now_ms;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file.dic>\n", argv[0]);
    return 2;
  }
  int64_t t0 = now_ms();
  list_document doc;
  text_t aff_text;
  if (!bench::load_pair(argv[1], doc, aff_text)) return 1;
  int64_t t1 = now_ms();
  rebuild_aff_decode_cache(aff_text);
  int64_t t2 = now_ms();
  bench::clock_polling_host host;
  const statistics_pass_result r = compute_dictionary_statistics(doc, u",", host);
  int64_t t3 = now_ms();
  if (r.aborted) return 1;

  std::printf("entries %lld  word forms %lld\n", static_cast<long long>(doc.count()),
              static_cast<long long>(r.total));
  for (int row = 0; row < STATISTICS_TYPE_ROWS; ++row) {
    std::printf("%-20s %12lld  %s%%\n", to_utf8(statistics_type_titles[static_cast<size_t>(row)]).c_str(),
                static_cast<long long>(statistics_type_count(row)),
                to_utf8(statistics_percentage(statistics_type_count(row), r.total)).c_str());
  }
  for (int row = 0; row < 27; ++row) {
    std::printf("%-8s %12lld  %s%%\n", row == 0 ? "#/other" : std::string(1, static_cast<char>('a' + row - 1)).c_str(),
                static_cast<long long>(statistics_letter_count(row)),
                to_utf8(statistics_percentage(statistics_letter_count(row), r.total)).c_str());
  }
  std::printf("load %lld ms  cache build %lld ms  statistics %lld ms (%lld polls)\n",
              static_cast<long long>(t1 - t0), static_cast<long long>(t2 - t1), static_cast<long long>(t3 - t2),
              static_cast<long long>(host.polls));
  return 0;
}
