// Validates an .aff file as the AFF Validate window does: reads it, splits it
// into lines, builds the decode cache from them, runs the six steps and
// writes the report; prints the report lines per step and the times.
//
//   aff_validate_bench <file.aff> <report.txt>
#include "affix/aff_cache.h"
#include "affix/aff_validation.h"
#include "bench/bench_support.h"
#include "common/file.h"
#include "common/format.h"

#include <cstdio>

using bench::now_us;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <file.aff> <report.txt>\n", argv[0]);
    return 2;
  }
  const int64_t t0 = now_us();
  if (!file_open_read(1, from_utf8(argv[1]))) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 1;
  }
  // Read by its SET line, as the dictionary load reads it.
  const declared_format found = file_detect_declared_format(1, charset_declaration::aff_set_line);
  if (found.unknown) {
    std::fprintf(stderr, "%s declares a charset that cannot be decoded: %s\n", argv[1], to_utf8(found.name).c_str());
    return 1;
  }
  const int format = found.format;
  const text_t text = normalise_line_endings(file_read_line(1, format | FILE_READ_REST));
  const bool read = file_read_ok(1);
  file_close(1);
  if (!read) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  const int64_t t1 = now_us();
  std::vector<aff_validate_line_record> lines = split_aff_validate_lines(text);
  aff_decode_cache cache;
  rebuild_aff_cache_from_panel(cache, lines);
  const int64_t t2 = now_us();
  bench::clock_polling_host host;
  const aff_validation_result r = run_aff_validation(lines, text, cache, host);
  const int64_t t3 = now_us();
  if (!write_aff_validation_report(aff_report_text(r.report), from_utf8(argv[2]))) {
    std::fprintf(stderr, "writing %s failed\n", argv[2]);
    return 1;
  }
  const int64_t t4 = now_us();

  int64_t per_step[AFF_VALIDATION_STEPS + 2] = {};
  for (const auto& l : r.report) per_step[l.step] += 1;
  std::printf("lines %lld  rule sets %lld  polls %lld  verdict: %s\n", static_cast<long long>(lines.size()),
              static_cast<long long>(cache.aff_prefix_set_count + cache.aff_suffix_set_count),
              static_cast<long long>(host.polls), r.errors ? "errors found" : "no errors");
  for (int s = 1; s <= AFF_VALIDATION_STEPS; ++s)
    std::printf("step %d: %lld report lines\n", s, static_cast<long long>(per_step[s]));
  std::printf("verdict: %lld report lines\n", static_cast<long long>(per_step[AFF_VALIDATION_STEPS + 1]));
  auto ms = [](int64_t us) { return static_cast<double>(us) / 1000.0; };
  std::printf("read %.1f ms  split + cache build %.1f ms  validation %.1f ms  report write %.1f ms\n", ms(t1 - t0),
              ms(t2 - t1), ms(t3 - t2), ms(t4 - t3));
  std::printf("whole validation (split, cache, six steps) %.1f ms\n", ms(t3 - t1));
  return 0;
}
