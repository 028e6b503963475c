// What the fuzz targets share: the input written to files in a folder of
// the process's own, the input cut into the files of a pair, and a headless
// long-job host that answers every question with Yes.
//
// A target is one LLVMFuzzerTestOneInput per file; the same source links
// either with libFuzzer (make fuzz) or with replay_main.cpp, which runs it
// over the corpus folders as a test.
#pragma once

#include "common/long_job.h"
#include "common/text.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Headless: no Escape, no timer; every question is answered Yes (6), so a
// question about size or encoding lets the run go on into the code behind it.
class yes_host : public headless_long_job_host {
 public:
  yes_host() { abort_answer = BOX_ANSWER_YES; }
};

// /tmp/vx_fuzz_<pid>, made on first use and removed when the process ends.
inline const std::string& work_folder() {
  static const std::string folder = [] {
    std::string f = "/tmp/vx_fuzz_" + std::to_string(static_cast<long long>(getpid()));
    std::error_code ec;
    std::filesystem::remove_all(f, ec);
    std::filesystem::create_directories(f, ec);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all("/tmp/vx_fuzz_" + std::to_string(static_cast<long long>(getpid())), ignored);
    });
    return f;
  }();
  return folder;
}

// Writes bytes to <work folder>/<name> (replacing it) and returns the path,
// as the loaders take it.
inline text_t write_file(const std::string& name, std::string_view bytes) {
  const std::string path = work_folder() + "/" + name;
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return from_utf8(path);
}

// A path in the work folder for a file a tool writes.
inline text_t output_path(const std::string& name) {
  const std::string path = work_folder() + "/" + name;
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
  return from_utf8(path);
}

// The separator of the files one input stands for (an ASCII record
// separator: rare in the real files, easy for the mutator to add or drop).
inline constexpr char PART_SEPARATOR = '\x1e';

// The input cut at its first n - 1 separators into n parts; missing parts
// are empty. The last part keeps any further separators.
inline std::vector<std::string_view> split_parts(const uint8_t* data, size_t size, size_t n) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  while (parts.size() + 1 < n) {
    const size_t at = rest.find(PART_SEPARATOR);
    if (at == std::string_view::npos) break;
    parts.push_back(rest.substr(0, at));
    rest.remove_prefix(at + 1);
  }
  parts.push_back(rest);
  parts.resize(n);
  return parts;
}

}  // namespace fuzz
