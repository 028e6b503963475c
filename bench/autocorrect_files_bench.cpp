// Loads an autocorrect block list through the program's own reader (the
// import question answered Yes), saves it through its writer, and prints the
// pair count, the bytes and the milliseconds of each.
//
//   autocorrect_files_bench <in.xml> <out.xml>
#include "bench/bench_support.h"
#include "common/long_job.h"
#include "editors/autocorrect/block_list_file.h"

#include <chrono>
#include <cstdio>

namespace {

// Never reports an event, as the GUI layer's cheap poll mostly does.
class quiet_host : public headless_long_job_host {
 public:
  int64_t now_ms() override { return bench::now_ms(); }
};

double ms_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: autocorrect_files_bench <in.xml> <out.xml>\n");
    return 2;
  }
  quiet_host host;
  list_document doc;
  auto yes = [](text_view, text_view, int) { return 6; };
  auto start = std::chrono::steady_clock::now();
  const block_list_result loaded = load_autocorrect_list_file(from_utf8(argv[1]), host, doc, yes);
  const double load_ms = ms_since(start);
  if (loaded.status != block_list_status::ok) {
    std::fprintf(stderr, "load failed: %s\n", to_utf8(loaded.message).c_str());
    return 1;
  }
  start = std::chrono::steady_clock::now();
  const block_list_result saved = save_autocorrect_list_file(from_utf8(argv[2]), doc, 2, host);
  const double save_ms = ms_since(start);
  if (saved.status != block_list_status::ok) {
    std::fprintf(stderr, "save failed: %s\n", to_utf8(saved.message).c_str());
    return 1;
  }
  std::printf("pairs %lld | load %lld bytes %.1f ms | save %lld bytes %.1f ms\n",
              static_cast<long long>(loaded.entries), static_cast<long long>(loaded.file_size), load_ms,
              static_cast<long long>(saved.file_size), save_ms);
  return 0;
}
