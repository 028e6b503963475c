// Loads a thesaurus (.dat with its .idx) and saves it again through the
// program's own loader and saver, one poll per entry as on the main window.
//
//   thesaurus_files_bench <in.dat> <out.dat>
//
// Prints the entry count, the meaning count and the load and save times.
// out.dat gets its .idx beside it.
#include "bench/bench_support.h"
#include "editors/thesaurus/thesaurus_file.h"

#include <cstdint>
#include <cstdio>

namespace {

double ms_since(int64_t start_us) { return static_cast<double>(bench::now_us() - start_us) / 1000.0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <in.dat> <out.dat>\n", argv[0]);
    return 2;
  }
  bench::clock_polling_host host;
  list_document doc;
  text_t encoding;
  int64_t start = bench::now_us();
  const thesaurus_file_result loaded = load_thesaurus_pair(from_utf8(argv[1]), host, doc, encoding);
  const double load_ms = ms_since(start);
  if (loaded.status != thesaurus_file_status::ok) {
    std::fprintf(stderr, "cannot load %s: %s\n", argv[1], to_utf8(loaded.message).c_str());
    return 1;
  }
  const int64_t load_polls = host.polls;
  start = bench::now_us();
  const thesaurus_file_result saved = save_thesaurus_pair(from_utf8(argv[2]), doc, encoding, host);
  const double save_ms = ms_since(start);
  if (saved.status != thesaurus_file_status::ok) {
    std::fprintf(stderr, "cannot save %s: %s\n", argv[2], to_utf8(saved.message).c_str());
    return 1;
  }
  std::printf("entries %lld\nmeanings %lld\nload %.1f ms (%lld bytes, %lld polls)\nsave %.1f ms (%lld + %lld bytes)\n",
              static_cast<long long>(loaded.entries), static_cast<long long>(loaded.meanings), load_ms,
              static_cast<long long>(loaded.dat_size), static_cast<long long>(load_polls), save_ms,
              static_cast<long long>(saved.dat_size), static_cast<long long>(saved.idx_size));
  return 0;
}
