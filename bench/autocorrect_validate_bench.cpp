// Validates an autocorrect list against a dictionary as Autocorrect Validate
// does: loads the .dic/.aff pair and the block list, builds the decode cache,
// expands the dictionary, checks every pair and prints the counts and times.
//
//   autocorrect_validate_bench <file.dic> <list.xml>
#include "affix/aff_cache.h"
#include "bench/bench_support.h"
#include "common/list_document.h"
#include "editors/autocorrect/autocorrect_validate.h"
#include "editors/autocorrect/block_list_file.h"

#include <cstdio>

using bench::now_ms;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <file.dic> <list.xml>\n", argv[0]);
    return 2;
  }
  list_document dictionary;
  text_t aff_text;
  if (!bench::load_pair(argv[1], dictionary, aff_text)) return 1;
  list_document autocorrect;
  {
    headless_long_job_host host;
    const block_list_result loaded = load_autocorrect_list_file(
        from_utf8(argv[2]), host, autocorrect, [](text_view, text_view, int) { return 6; });
    if (loaded.status != block_list_status::ok) {
      std::fprintf(stderr, "cannot load %s: %s\n", argv[2], to_utf8(loaded.status_text).c_str());
      return 1;
    }
  }
  const int64_t t0 = now_ms();
  aff_decode_cache cache;
  rebuild_aff_decode_cache(cache, aff_text);
  const int64_t t1 = now_ms();

  bench::clock_polling_host host;
  int64_t log_units = 0;
  const autocorrect_validate_output out{[&](text_view t) { log_units += static_cast<int64_t>(t.size()); }, {}};
  const autocorrect_validate_result r = validate_autocorrect_list(autocorrect, dictionary, cache, 0, u",", host, out);
  const int64_t t2 = now_ms();

  std::printf("dictionary entries: %lld\n", static_cast<long long>(dictionary.count()));
  std::printf("derived words:      %lld (%lld distinct)\n", static_cast<long long>(r.derived_words),
              static_cast<long long>(r.distinct_words));
  std::printf("pairs:              %lld\n", static_cast<long long>(r.pairs));
  std::printf("flagged:            %lld (%lld not found, %lld reversed)\n", static_cast<long long>(r.issues()),
              static_cast<long long>(r.not_found), static_cast<long long>(r.reversed));
  std::printf("decode cache:       %lld ms\n", static_cast<long long>(t1 - t0));
  std::printf("validate:           %lld ms (expansion included)\n", static_cast<long long>(t2 - t1));
  std::printf("polls:              %lld, log %lld units\n", static_cast<long long>(host.polls),
              static_cast<long long>(log_units));
  return r.aborted ? 1 : 0;
}
