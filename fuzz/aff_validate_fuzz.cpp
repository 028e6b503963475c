// AFF Validate on an .aff file: its lines, the decode cache built from them,
// the six steps and the report file. Input: the .aff.
#include "affix/aff_cache.h"
#include "affix/aff_validation.h"
#include "common/file.h"
#include "common/format.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const text_t path = fuzz::write_file("fuzz.aff", std::string_view(reinterpret_cast<const char*>(data), size));
  if (!file_open_read(1, path)) return 0;
  const int format = file_detect_format(1);
  const text_t text = normalise_line_endings(file_read_line(1, format | FILE_READ_REST));
  file_close(1);
  std::vector<aff_validate_line_record> lines = split_aff_validate_lines(text);
  aff_decode_cache cache;
  rebuild_aff_cache_from_panel(cache, lines);
  fuzz::yes_host host;
  const aff_validation_result r = run_aff_validation(lines, text, cache, host);
  write_aff_validation_report(aff_report_text(r.report), fuzz::output_path("report.txt"));
  text_t written;
  aff_validate_text_to_write(lines, true, text, written);
  return 0;
}
