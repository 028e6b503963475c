// The long-job hosts of the windows.
//
// The main window's host: the job's text in field 0 of status bar 101, its
// progress in field 1, timer 800 on window 0 and the Escape shortcut (1000)
// of window 0 with "Really abort?".
//
// A tool window's host: the same driver with the window's own timer (800, or
// 900 where the window asks for it), the Escape shortcut of that window (a
// modal tool disables window 0, whose Escape then never comes) and the
// window's own progress bar and labels.
#pragma once

#include "common/long_job.h"
#include "kit/ids.h"

// The one host of main-window jobs:
//   long_job job(main_window_job_host(), u"Loading Dictionary... <ESC> to abort.", total, true);
long_job_host& main_window_job_host();

// Where a tool window shows its job; 0 for a gadget the window does not have.
struct tool_job_view {
  int window = 0;
  int progress_bar = 0;  // range 0..total, the job's progress on each tick, 0 at the end
  int time_label = 0;    // the job's text with the elapsed time on each tick; the end text
  int escape_label = 0;  // "<ESC> to abort." while the job runs, "" after
  int timer = LONG_JOB_TIMER;
  int timer_ms = LONG_JOB_TIMER_MS;
};

// The host of a job that runs inside a tool window's loop:
//   tool_window_job_host host({.window = 412, .progress_bar = 422, .time_label = 425, .escape_label = 424});
//   long_job job(host, u"", total, true);
// The window binds Escape (1000) itself when it opens, as every tool window does.
class tool_window_job_host final : public long_job_host {
 public:
  explicit tool_window_job_host(const tool_job_view& view) : view_(view) {}

  void job_started(text_view text, int64_t total) override;
  long_job_event poll_event() override;
  void job_progress(text_view text, int64_t value) override;
  int message_box(text_view title, text_view text, int flags) override;
  void job_ended(text_view text) override;
  int64_t now_ms() override;

 private:
  tool_job_view view_;
};
