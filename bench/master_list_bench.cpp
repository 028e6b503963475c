// The master word-list comparison and the save of every missing word:
//   master_list_bench <master.txt> <out.txt> <other.txt>...
// prints the counts and the time of each part.
#include "bench/bench_support.h"
#include "tools/master_wordlist.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <master.txt> <out.txt> <other.txt>...\n", argv[0]);
    return 2;
  }
  std::vector<text_t> others;
  for (int i = 3; i < argc; ++i) others.push_back(from_utf8(argv[i]));

  bench::clock_polling_host host;
  const int64_t start = bench::now_ms();
  const master_compare_result r = compare_with_master(from_utf8(argv[1]), others, host);
  const int64_t compared = bench::now_ms();
  if (r.status == master_compare_status::master_unreadable) {
    std::fprintf(stderr, "cannot read the master %s\n", argv[1]);
    return 1;
  }
  const missing_words_save_result saved =
      save_missing_words_file(r.missing_words, missing_word_filter::all, from_utf8(argv[2]), host);
  const int64_t end = bench::now_ms();
  if (saved.write_failed) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("master lines:        %lld\n", static_cast<long long>(r.master_lines));
  for (size_t k = 0; k < others.size(); ++k) {
    std::printf("other %zu lines:       %lld\n", k + 1, static_cast<long long>(r.other_lines[k]));
  }
  std::printf("total words:         %lld\n", static_cast<long long>(r.total_words));
  std::printf("missing words:       %lld\n", static_cast<long long>(r.missing));
  std::printf("missing hyphenated:  %lld\n", static_cast<long long>(r.hyphenated));
  std::printf("missing uppercase:   %lld\n", static_cast<long long>(r.uppercase));
  std::printf("written:             %lld\n", static_cast<long long>(saved.written));
  std::printf("comparison:          %lld ms\n", static_cast<long long>(compared - start));
  std::printf("save:                %lld ms\n", static_cast<long long>(end - compared));
  std::printf("total:               %lld ms\n", static_cast<long long>(end - start));
  return 0;
}
