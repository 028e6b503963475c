// Hyphenation speed: builds the pattern table from a pattern file's text and
// hyphenates every line of a word list (one word a line, UTF-8), writing
// "hyphenated word TAB rule text" per line.
//
//   hyphenation_bench <patterns.dic> <words.txt> <out.txt>
#include "bench/bench_support.h"
#include "common/file.h"
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_file.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <patterns.dic> <words.txt> <out.txt>\n", argv[0]);
    return 2;
  }
  headless_long_job_host host;
  const hyphenation_file_result patterns = load_hyphenation_file(from_utf8(argv[1]), host);
  if (patterns.status != hyphenation_file_status::ok) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<text_t> words;
  if (!file_open_read(1, from_utf8(argv[2]))) {
    std::fprintf(stderr, "cannot read %s\n", argv[2]);
    return 1;
  }
  const int format = file_detect_format(1);
  while (!file_at_end(1)) words.push_back(file_read_line(1, format));
  file_close(1);
  if (!words.empty() && words.back().empty()) words.pop_back();

  hyphenation_decode_cache cache;
  const int64_t build_start = bench::now_us();
  const hyphenation_rules_status status = build_hyphenation_decode_cache(cache, patterns.text, host);
  const int64_t build_us = bench::now_us() - build_start;
  if (status != hyphenation_rules_status::ready) {
    std::fprintf(stderr, "%s\n", to_utf8(hyphenation_rules_message(status)).c_str());
    return 1;
  }

  std::string out;
  out.reserve(words.size() * 32);
  const int64_t start = bench::now_us();
  for (const text_t& w : words) {
    const hyphenated_word h = hyphenate_word(cache, w);
    append_utf8(out, h.word);
    out.push_back('\t');
    append_utf8(out, h.rule);
    out.push_back('\n');
  }
  const int64_t hyphenate_us = bench::now_us() - start;

  atomic_file file;
  if (!file.create(from_utf8(argv[3])) || !file.write(out.data(), out.size()) || !file.commit()) {
    std::fprintf(stderr, "cannot write %s\n", argv[3]);
    return 1;
  }
  std::printf("patterns %lld  words %zu  build %.1f ms  hyphenation %.1f ms\n",
              static_cast<long long>(cache.pattern_count()), words.size(), build_us / 1000.0,
              hyphenate_us / 1000.0);
  return 0;
}
