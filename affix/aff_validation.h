// Validation of an .aff text shown as numbered lines: six steps that check
// the lines against the decode cache built from them and write a report.
//
// The run never changes a line's text; it sets the colour of the lines it
// finds fault with (red, or blue for a rule line with missing fields) and
// reports every finding as a report line pointing at its line. The window
// side (log view, labels, list colours) follows through aff_validation_view;
// the job timer, the progress bar and Escape go through the long-job host.
#pragma once

#include "affix/aff_cache.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <vector>

constexpr int32_t AFF_LINE_BLACK = 0;
constexpr int32_t AFF_LINE_RED = 255;
constexpr int32_t AFF_LINE_BLUE = 16711680;
constexpr int AFF_VALIDATION_STEPS = 6;

// One line of the panel. Line number r is element r - 1.
struct aff_validate_line_record {
  text_t text;
  int32_t colour = AFF_LINE_BLACK;
  int32_t checked = 0;
  bool operator==(const aff_validate_line_record&) const = default;
};

// One line of the report as the log shows it; line is the panel line it
// points at (0 none) and colour the colour that line was given (0 none).
struct aff_report_line {
  int step = 0;  // 1..6; 7 for the verdict block
  text_t text;
  int64_t line = 0;
  int32_t colour = 0;
};

// What the window shows while the run goes on; every member may be empty.
struct aff_validation_view {
  std::function<void(int step)> step_started;        // "Processing:n/6"
  std::function<void()> finished;                    // "Processing:6/6 Done!"
  std::function<void()> aborted;                     // "Processing:Aborted."
  std::function<void(text_view block)> log;          // appended to the log as one line
  std::function<void(int64_t line, int32_t colour)> colour_line;  // line 0: every line
  std::function<void(int64_t elapsed_ms)> elapsed;   // on step starts, ticks and the end
  std::function<void(int64_t position, int64_t maximum)> progress;  // on ticks
};

struct aff_validation_result {
  bool aborted = false;
  bool errors = false;
  std::vector<aff_report_line> report;  // every flushed log line, in order
};

// Runs the six steps over lines. captured_text is the .aff text as it was
// when the lines were taken (the first step counts in it); cache describes
// the lines, but its line numbers are checked against them before they are
// used, since the lines may have been edited since the cache was built.
aff_validation_result run_aff_validation(std::vector<aff_validate_line_record>& lines, text_view captured_text,
                                         const aff_decode_cache& cache, long_job_host& host,
                                         const aff_validation_view& view = {});

// ---- The panel ------------------------------------------------------------------
// The lines of a text whose line ends are LF: one record per LF, a last line
// without LF included.
std::vector<aff_validate_line_record> split_aff_validate_lines(text_view text);
// Every line's text + LF, in order.
text_t aff_validate_panel_text(const std::vector<aff_validate_line_record>& lines);
// Parses the panel text into a cache, whatever that cache held.
void rebuild_aff_cache_from_panel(aff_decode_cache& cache, const std::vector<aff_validate_line_record>& lines,
                                  const aff_cache_status_hook& hook = {});
// The text OK writes back to the .aff editor, or false when nothing is to be
// written: the lines were not loaded completely, or they give the text back
// unchanged.
bool aff_validate_text_to_write(const std::vector<aff_validate_line_record>& lines, bool loaded_completely,
                                text_view captured_text, text_t& out);

// "Selected:" + "None", "All" or the number (with "/" + count when
// with_count).
text_t aff_validate_selected_label(int64_t checked, int64_t count, bool with_count);

// The report as a UTF-8 file with a byte-order mark and LF line ends; the
// old file stays unless the new one was written completely.
bool write_aff_validation_report(text_view report_text, text_view path);
text_t aff_report_text(const std::vector<aff_report_line>& report);
