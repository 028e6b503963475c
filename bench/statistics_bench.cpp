// The statistics pass over a whole dictionary, with one poll per entry as
// the menu command runs it: loads the .dic/.aff pair, builds the decode
// cache, counts every word form and prints every counter and the times.
//
//   statistics_bench <file.dic>
#include "bench/bench_support.h"
#include "dictionary/dictionary_statistics.h"

#include <cstdio>

using bench::now_ms;

int main(int argc, char** argv) {
  bench::loaded_pair pair;
  if (const int failed = bench::load_pair_argument(argc, argv, pair)) return failed;
  const list_document& doc = pair.doc;
  int64_t t2 = now_ms();
  bench::clock_polling_host host;
  const dictionary_statistics r = compute_dictionary_statistics(doc, pair.cache, u",", host);
  int64_t t3 = now_ms();
  if (r.aborted) return 1;

  std::printf("entries %lld  word forms %lld\n", static_cast<long long>(doc.count()),
              static_cast<long long>(r.total));
  for (int row = 0; row < STATISTICS_TYPE_ROWS; ++row) {
    std::printf("%-20s %12lld  %s%%\n", to_utf8(statistics_type_titles[static_cast<size_t>(row)]).c_str(),
                static_cast<long long>(statistics_type_count(r, row)),
                to_utf8(statistics_percentage(statistics_type_count(r, row), r.total)).c_str());
  }
  for (int row = 0; row < STATISTICS_LETTER_ROWS; ++row) {
    std::printf("%-8s %12lld  %s%%\n", row == 0 ? "#/other" : std::string(1, static_cast<char>('a' + row - 1)).c_str(),
                static_cast<long long>(statistics_letter_count(r, row)),
                to_utf8(statistics_percentage(statistics_letter_count(r, row), r.total)).c_str());
  }
  std::printf("load %lld ms  cache build %lld ms  statistics %lld ms (%lld polls)\n",
              static_cast<long long>(pair.load_ms), static_cast<long long>(pair.cache_ms), static_cast<long long>(t3 - t2),
              static_cast<long long>(host.polls));
  return 0;
}
