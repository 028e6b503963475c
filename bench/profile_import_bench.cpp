// Profile import against the given settings folder, as File > Import
// Profile runs it, then the start-up read of that folder: the outcome, the
// time and the peak memory of each (hostile archives must be refused early).
#include "app/profiles.h"
#include "app/settings_file_registry.h"
#include "app/startup_settings.h"
#include "app/workspace.h"
#include "bench/bench_support.h"
#include "common/file.h"
#include "kit/base_folder.h"
#include "kit/preferences.h"
#include "kit/recent_files.h"

#include <sys/resource.h>

#include <cstdio>
#include <string>

namespace {

long peak_rss_mb() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

const char* outcome_name(profile_outcome o) {
  switch (o) {
    case profile_outcome::done: return "imported";
    case profile_outcome::incompatible: return "refused: incompatible";
    case profile_outcome::too_large: return "refused: a file too large";
    case profile_outcome::failed: return "failed";
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: profile_import_bench <settings-folder> <profile>\n"
                         "  the folder must be named \"settings\"; its parent stands for the program's folder\n");
    return 2;
  }
  std::string folder = argv[1];
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (path_file_name(from_utf8(folder)) != u"settings") {
    std::fprintf(stderr, "the settings folder must be named \"settings\"\n");
    return 2;
  }
  text_t base = path_directory(from_utf8(folder));
  if (base.empty() || base.back() != u'/') base += u'/';
  set_base_folder(base);

  int64_t start = bench::now_ms();
  const profile_outcome outcome = import_profile_from(from_utf8(argv[2]));
  int64_t took = bench::now_ms() - start;
  std::printf("import     %-28s %7lld ms  peak %5ld MB\n", outcome_name(outcome), static_cast<long long>(took),
              peak_rss_mb());

  // What the next start reads of it.
  // The program's tools register their settings files with start-up.
  workspace ws;
  for (settings_file_registration& file : workspace_settings_files(ws)) register_settings_file(std::move(file));
  reset_registered_settings();
  std::vector<text_t> oversized;
  start = bench::now_ms();
  const int prefs_read = read_settings_files(ws.prefs, ws.aff_aid, oversized);
  const bool log_read = read_recent_files_log(ws.recent_files);
  took = bench::now_ms() - start;
  std::printf("start-up   kwx4.prefs %-6s log %-6s %7lld ms  peak %5ld MB\n", prefs_read ? "read" : "unread",
              log_read ? "read" : "unread", static_cast<long long>(took), peak_rss_mb());
  for (const text_t& path : oversized) std::printf("  refused for its size: %s\n", to_utf8(path).c_str());
  return outcome == profile_outcome::done ? 0 : 1;
}
