// The update check against a site (its base URL: the version file is asked
// at <url>/check_for_updates/vocabrix_version.txt), with the usual deadline
// and byte caps: what it shows, the outcome, the time and the peak memory.
#include "app/update_check.h"
#include "bench/bench_support.h"
#include "kit/base_folder.h"

#include <sys/resource.h>

#include <cstdio>

namespace {

class printing_view final : public update_check_view {
 public:
  void show_status(text_view text) override { std::printf("  status  %s\n", to_utf8(text).c_str()); }
  void show_progress(int) override {}
  int message_box(text_view title, text_view text, int) override {
    std::printf("  box     %s | %s\n", to_utf8(title).c_str(), to_utf8(text).c_str());
    return 1;
  }
  void show_update_window(const update_window_record& window) override {
    std::printf("  window  notes of %zu characters\n", window.notes.size());
  }
};

const char* outcome_name(update_check_outcome o) {
  switch (o) {
    case update_check_outcome::failed: return "failed (error message)";
    case update_check_outcome::up_to_date: return "up to date";
    case update_check_outcome::site_outdated: return "site outdated";
    case update_check_outcome::notes_unavailable: return "notes unavailable";
    case update_check_outcome::newer_available: return "newer build available";
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: update_check_bench <url>\n");
    return 2;
  }
  // A program folder that does not exist: the time of the check is not stored.
  set_base_folder(u"/nonexistent/vocabrix_update_check_bench/");
  printing_view view;
  const int64_t start = bench::now_ms();
  int64_t last_check = 0;
  const update_check_outcome outcome = run_update_check_on(from_utf8(argv[1]), 0, last_check, view);
  const int64_t took = bench::now_ms() - start;
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%s  %lld ms  peak %ld MB\n", outcome_name(outcome), static_cast<long long>(took), usage.ru_maxrss / 1024);
  return 0;
}
