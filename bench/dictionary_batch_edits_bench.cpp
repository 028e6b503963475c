// The three batch edits of the dictionary over a whole pair, each on a fresh
// copy with one poll per entry as the menu commands run them: sort flags,
// remove comments, fix invalid spaces; prints the counts and times.
//
//   dictionary_batch_edits_bench <file.dic>
#include "bench/bench_support.h"
#include "dictionary/dictionary_batch_edits.h"

#include <cstdio>

using bench::now_ms;

int main(int argc, char** argv) {
  bench::loaded_pair pair;
  if (const int failed = bench::load_pair_argument(argc, argv, pair)) return failed;
  const list_document& loaded = pair.doc;
  std::printf("entries %lld\n", static_cast<long long>(loaded.count()));
  {
    list_document doc = loaded;
    bench::clock_polling_host host;
    int64_t t = now_ms();
    const sort_flags_result r = sort_dictionary_flags(doc, pair.cache, u",", host);
    std::printf("sort flags       %6lld ms  words %lld  flags removed %lld\n", static_cast<long long>(now_ms() - t),
                static_cast<long long>(r.words), static_cast<long long>(r.flags_removed));
  }
  {
    list_document doc = loaded;
    bench::clock_polling_host host;
    int64_t t = now_ms();
    const remove_comments_result r = remove_dictionary_comments(doc, u",", host);
    std::printf("remove comments  %6lld ms  entries %lld\n", static_cast<long long>(now_ms() - t),
                static_cast<long long>(r.removed));
  }
  {
    list_document doc = loaded;
    bench::clock_polling_host host;
    int64_t t = now_ms();
    const fix_spaces_result r = fix_dictionary_spaces(doc, host);
    std::printf("fix spaces       %6lld ms  entries %lld  null line %lld\n", static_cast<long long>(now_ms() - t),
                static_cast<long long>(r.fixed), static_cast<long long>(r.null_line));
  }
  return 0;
}
