// The dictionary duplicates tool on a whole dictionary: loads the .dic/.aff
// pair, scans it, runs Process with the default options and OK, saves the
// result (its .aff beside it) and prints the counts and times.
//
//   duplicates_bench <file.dic> <out.dic>
#include "affix/aff_cache.h"
#include "bench/bench_support.h"
#include "common/list_document.h"
#include "common/tool_log.h"
#include "dictionary/dic_file.h"
#include "dictionary/dictionary_duplicates.h"

#include <cstdio>

using bench::now_ms;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <file.dic> <out.dic>\n", argv[0]);
    return 2;
  }
  list_document doc;
  text_t aff_text;
  if (!bench::load_pair(argv[1], doc, aff_text)) return 1;
  aff_decode_cache cache;
  rebuild_aff_decode_cache(cache, aff_text);
  const int64_t entries = doc.count();

  bench::clock_polling_host host;
  tool_log log;
  const int64_t t0 = now_ms();
  const duplicate_scan_result scan = scan_dictionary_duplicates(doc, cache, host, log);
  const int64_t t1 = now_ms();
  list_tool_edit edit(doc);
  const duplicates_process_result r =
      process_dictionary_duplicates(doc, cache, edit, scan, duplicates_options_from({0, 0, 0, 1, 1}), host, log);
  const int64_t t2 = now_ms();
  keep_dictionary_duplicates_result(doc, edit);
  const int64_t t3 = now_ms();

  headless_long_job_host save_host;
  const dic_file_result saved = save_dictionary_pair(from_utf8(argv[2]), doc, aff_text, save_host);
  if (saved.status != dic_file_status::ok) {
    std::fprintf(stderr, "cannot save %s: %s\n", argv[2], to_utf8(saved.message).c_str());
    return 1;
  }
  const int64_t t4 = now_ms();
  std::printf("entries %lld -> %lld\n", static_cast<long long>(entries), static_cast<long long>(doc.count()));
  std::printf("repeated words %lld  groups %lld  entries with repeated flags %lld\n",
              static_cast<long long>(scan.repeated_words), static_cast<long long>(scan.group_sizes.size()),
              static_cast<long long>(scan.repeated_flag_entries));
  std::printf("merged/deleted %lld  repeated flags removed %lld\n", static_cast<long long>(r.merged),
              static_cast<long long>(r.removed_flags));
  std::printf("scan %lld ms  process %lld ms  ok %lld ms  (scan + process + ok %lld ms)  save %lld ms\n",
              static_cast<long long>(t1 - t0), static_cast<long long>(t2 - t1), static_cast<long long>(t3 - t2),
              static_cast<long long>(t3 - t0), static_cast<long long>(t4 - t3));
  return 0;
}
