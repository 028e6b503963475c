// What the benchmark programs share: a millisecond clock, a long-job host
// that polls like the GUI layer, and loading a dictionary pair with a
// message when it fails.
#pragma once

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

}  // namespace bench
