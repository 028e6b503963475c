// The standard hyphenation library (libhyphen) on the same input as
// hyphenation_bench, for side-by-side figures: loads the patterns and
// hyphenates every line of the word list (lower-case UTF-8 words), writing
// "hyphenated word TAB hyphen values" per line.
//
//   hyphenation_libhyphen_bench <patterns.dic> <words.txt> <out.txt>
#include "bench/bench_support.h"
#include "common/file.h"

#include <hyphen.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <patterns.dic> <words.txt> <out.txt>\n", argv[0]);
    return 2;
  }
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[2]);
    return 1;
  }
  std::vector<std::string> words;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    words.push_back(line);
  }

  const int64_t build_start = bench::now_us();
  HyphenDict* dict = hnj_hyphen_load(argv[1]);
  const int64_t build_us = bench::now_us() - build_start;
  if (!dict) {
    std::fprintf(stderr, "cannot load %s\n", argv[1]);
    return 1;
  }

  std::string out;
  out.reserve(words.size() * 32);
  std::vector<char> hyphens;
  const int64_t start = bench::now_us();
  for (const std::string& w : words) {
    hyphens.assign(w.size() + 5, 0);
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    hnj_hyphen_hyphenate2(dict, w.c_str(), static_cast<int>(w.size()), hyphens.data(), nullptr, &rep, &pos, &cut);
    if (rep) {
      for (size_t i = 0; i < w.size(); ++i) std::free(rep[i]);
      std::free(rep);
      std::free(pos);
      std::free(cut);
    }
    for (size_t i = 0; i < w.size(); ++i) {
      out.push_back(w[i]);
      if ((hyphens[i] & 1) && i + 1 < w.size()) out.push_back('-');
    }
    out.push_back('\t');
    out.append(hyphens.data(), w.size());
    out.push_back('\n');
  }
  const int64_t hyphenate_us = bench::now_us() - start;
  hnj_hyphen_free(dict);

  atomic_file file;
  if (!file.create(from_utf8(argv[3])) || !file.write(out.data(), out.size()) || !file.commit()) {
    std::fprintf(stderr, "cannot write %s\n", argv[3]);
    return 1;
  }
  std::printf("libhyphen: words %zu  load %.1f ms  hyphenation %.1f ms\n", words.size(), build_us / 1000.0,
              hyphenate_us / 1000.0);
  return 0;
}
