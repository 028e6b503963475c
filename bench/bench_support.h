// What the benchmark programs share: a millisecond clock, a long-job host
// that polls like the GUI layer, and loading a dictionary pair with a
// message when it fails.
#pragma once

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"
#include "dictionary/dic_file.h"

#include <chrono>
#include <cstdint>
#include <cstdio>

namespace bench {

inline int64_t now_ms() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

inline int64_t now_us() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Polls the clock once per item, as the GUI layer's cheap poll does, and
// never reports an event.
class clock_polling_host : public headless_long_job_host {
 public:
  long_job_event poll_event() override {
    ++polls;
    last_ = std::chrono::steady_clock::now();
    return long_job_event::none;
  }
  int64_t now_ms() override { return bench::now_ms(); }

 private:
  std::chrono::steady_clock::time_point last_;
};

// Loads <path> and its .aff into doc and aff_text; false after printing
// why to stderr.
inline bool load_pair(const char* path, list_document& doc, text_t& aff_text) {
  headless_long_job_host host;
  const dic_file_result loaded = load_dictionary_pair(from_utf8(path), host, doc, aff_text);
  if (loaded.status == dic_file_status::ok) return true;
  std::fprintf(stderr, "cannot load %s: %s\n", path, to_utf8(loaded.message).c_str());
  return false;
}

// A pair loaded with its decode cache built, and the time of each step.
struct loaded_pair {
  list_document doc;
  aff_decode_cache cache;
  int64_t load_ms = 0;
  int64_t cache_ms = 0;
};
inline bool load_pair_with_cache(const char* path, loaded_pair& out) {
  int64_t t0 = now_ms();
  text_t aff_text;
  if (!load_pair(path, out.doc, aff_text)) return false;
  int64_t t1 = now_ms();
  rebuild_aff_decode_cache(out.cache, aff_text);
  out.load_ms = t1 - t0;
  out.cache_ms = now_ms() - t1;
  return true;
}

// The programs that take one argument, the .dic: 0 with the pair loaded,
// else the exit code (2 wrong arguments, 1 a pair that cannot be loaded).
inline int load_pair_argument(int argc, char** argv, loaded_pair& out) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file.dic>\n", argv[0]);
    return 2;
  }
  return load_pair_with_cache(argv[1], out) ? 0 : 1;
}

}  // namespace bench
