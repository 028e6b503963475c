// Crunch over a whole dictionary: loads the .dic/.aff pair, runs Process
// with all seventeen flags and saves the result with its .aff beside it.
//
//   crunch_bench <file.dic> <out.dic> [match-left]
//
// match-left (1..3, default 2): leading characters two words must share.
#include "affix/aff_cache.h"
#include "affix/crunch.h"
#include "bench/bench_support.h"
#include "dictionary/dic_file.h"

#include <cstdio>
#include <cstdlib>

using bench::now_ms;

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: %s <file.dic> <out.dic> [match-left]\n", argv[0]);
    return 2;
  }
  crunch_settings settings;
  settings.enabled.fill(true);
  settings.match_left = argc == 4 ? std::atoi(argv[3]) : 2;
  if (settings.match_left < 1 || settings.match_left > 3) {
    std::fprintf(stderr, "match-left must be 1, 2 or 3\n");
    return 2;
  }

  list_document doc;
  text_t aff_text;
  int64_t t0 = now_ms();
  if (!bench::load_pair(argv[1], doc, aff_text)) return 1;
  int64_t t1 = now_ms();
  aff_decode_cache cache;
  rebuild_aff_decode_cache(cache, aff_text);
  int64_t t2 = now_ms();
  bench::clock_polling_host host;
  crunch_result r;
  {
    list_tool_edit edit(doc);
    r = crunch_dictionary(doc, cache, settings, edit, host);
    edit.keep();
  }
  int64_t t3 = now_ms();
  headless_long_job_host save_host;
  const dic_file_result saved = save_dictionary_pair(from_utf8(argv[2]), doc, aff_text, save_host);
  if (saved.status != dic_file_status::ok) {
    std::fprintf(stderr, "cannot save %s: %s\n", argv[2], to_utf8(saved.message).c_str());
    return 1;
  }
  std::printf("entries %lld  folds %lld  match-left %lld\n", static_cast<long long>(doc.count()),
              static_cast<long long>(r.folds), static_cast<long long>(settings.match_left));
  std::printf("load %lld ms  cache build %lld ms  process %lld ms\n", static_cast<long long>(t1 - t0),
              static_cast<long long>(t2 - t1), static_cast<long long>(t3 - t2));
  return 0;
}
