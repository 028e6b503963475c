// Pattern file load and save: reads a pattern file as the Hyphenation tab
// opens it (the encoding probe, then the whole text), saves the text as the
// tab does, and prints the pattern count and both times.
//
//   hyphenation_file_bench <in.dic> <out.dic>
#include "bench/bench_support.h"
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_file.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <in.dic> <out.dic>\n", argv[0]);
    return 2;
  }
  bench::clock_polling_host host;
  const text_t in = from_utf8(argv[1]);
  const int64_t load_start = bench::now_us();
  const hyphenation_file_probe probe = probe_hyphenation_file(in);
  hyphenation_file_result loaded;
  if (probe.readable) loaded = load_hyphenation_file(in, host);
  const int64_t load_us = bench::now_us() - load_start;
  if (!probe.readable || loaded.status != hyphenation_file_status::ok) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }

  const int64_t save_start = bench::now_us();
  const hyphenation_file_result saved = save_hyphenation_file(from_utf8(argv[2]), loaded.text, host);
  const int64_t save_us = bench::now_us() - save_start;
  if (saved.status != hyphenation_file_status::ok) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }

  hyphenation_decode_cache cache;
  const hyphenation_rules_status status = build_hyphenation_decode_cache(cache, loaded.text, host);
  if (status != hyphenation_rules_status::ready) {
    std::fprintf(stderr, "%s\n", to_utf8(hyphenation_rules_message(status)).c_str());
    return 1;
  }
  std::printf("patterns %lld  first line \"%s\"%s  load %.1f ms (%lld bytes)  save %.1f ms (%lld bytes)\n",
              static_cast<long long>(cache.pattern_count()), to_utf8(probe.first_line).c_str(),
              loaded.encoding_line_changed ? " made \"UTF-8\"" : "", load_us / 1000.0,
              static_cast<long long>(loaded.length), save_us / 1000.0, static_cast<long long>(saved.length));
  return 0;
}
