// The one driver of long jobs (loading, saving, tools that walk a document).
//
// A job creates a long_job at its start, calls step() once after each item
// (line, entry, word) and ends with finish(), abort() or end(). The driver
// keeps the window alive by polling one event per item through a host: a tick
// of the job timer refreshes the job's text (with the elapsed time) and its
// progress; the Escape shortcut asks "Really abort?" and only Yes stops the
// job. Every end removes the timer and resets the progress; the destructor
// ends a job that was left without an end (an early return on an error).
//
// The host is the window side: the main window's host shows the text in field
// 0 of status bar 101 and the progress in field 1; a tool window's host sets
// its own labels and progress bar. headless_long_job_host serves tests and
// benchmarks and can answer an Escape at a chosen item.
#pragma once

#include "common/message_box_flags.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What one poll fetched, as far as a long job cares.
enum class long_job_event : int {
  none = 0,    // nothing pending, or an event the job ignores (dropped)
  tick = 1,    // the job's timer fired
  escape = 2,  // the Escape shortcut (id 1000) of the job's window
};

class long_job_host {
 public:
  virtual ~long_job_host() = default;
  // The job starts: add the job timer, show text, set the progress range
  // 0..total at 0. Called again when the job changes its total.
  virtual void job_started(text_view text, int64_t total) = 0;
  // One non-blocking poll of the event queue. Runs once per item: keep it cheap.
  virtual long_job_event poll_event() = 0;
  // Shows the job's current text and progress value (on ticks, on text changes).
  virtual void job_progress(text_view text, int64_t value) = 0;
  // A modal question or notice; returns 6 Yes/OK, 7 No, 2 Cancel, 0 closed.
  virtual int message_box(text_view title, text_view text, int flags) = 0;
  // The job ends: remove the job timer, progress back to 0, show text.
  virtual void job_ended(text_view text) = 0;
  // Milliseconds since some fixed start (time_elapsed_ms of the GUI layer).
  virtual int64_t now_ms() = 0;
};

// Texts of the long-job steps.
inline constexpr char LONG_JOB_ESCAPE_HINT[] = " <ESC> to abort.";
inline constexpr char LONG_JOB_NO_ESCAPE_HINT[] = " <ESC> not possible.";
inline constexpr char LONG_JOB_ABORTED[] = "Aborted.";
inline constexpr char LONG_JOB_ABORT_QUESTION[] = "Really abort?";

class long_job {
 public:
  // text: the job's status text, e.g. "Loading Dictionary... <ESC> to abort."
  // (the caller writes the hint). total: the progress maximum. A job that is
  // not abortable ignores Escape.
  long_job(long_job_host& host, text_view text, int64_t total, bool abortable);
  ~long_job();
  long_job(const long_job&) = delete;
  long_job& operator=(const long_job&) = delete;

  // Once after each item, with the progress value shown on the next tick.
  // Returns false when the user confirmed the abort: the job must stop and
  // call abort() (after undoing what its Part says to undo).
  bool step(int64_t progress) {
    if (step_hook) [[unlikely]] step_hook();
    long_job_event e = host_.poll_event();
    if (e == long_job_event::none) return true;
    return handle_event(e, progress);
  }

  // Runs before every step of every job; empty in the program. Tests hold a
  // job at a known item through it instead of racing it with their input.
  static inline std::function<void()> step_hook;

  // Called on every tick before the text is shown, for the job's own labels
  // and counts (e.g. the dictionary's word-count label while loading).
  std::function<void(int64_t progress)> on_tick;

  // Changes the job's text (shown at once).
  void set_text(text_view text);
  const text_t& text() const { return text_; }

  // Elapsed milliseconds since the job started (or since restart_clock()).
  int64_t elapsed_ms() const;
  void restart_clock();
  // format_elapsed_time(" ⌚", elapsed_ms()).
  text_t elapsed_text() const;

  // Normal end: "OK. " + details + the elapsed time; details "" gives "OK.".
  void finish(text_view details);
  // Normal end with a text of the caller's own.
  void end(text_view status_text);
  // Stopped by the user or by a failure: "Aborted.".
  void abort();

  bool ended() const { return ended_; }
  bool aborted() const { return aborted_; }

 private:
  bool handle_event(long_job_event e, int64_t progress);

  long_job_host& host_;
  text_t text_;
  bool abortable_;
  bool ended_ = false;
  bool aborted_ = false;
  int64_t start_ms_ = 0;
};

// A host without windows: polls answer from a script, texts are recorded.
class headless_long_job_host : public long_job_host {
 public:
  // Every tick_every-th poll reports a tick (0: never).
  int64_t tick_every = 0;
  // The poll after step number escape_at_poll (1-based count of polls)
  // reports Escape; -1: never.
  int64_t escape_at_poll = -1;
  // Answer to "Really abort?" (6 Yes, 7 No).
  int abort_answer = BOX_ANSWER_YES;
  // Fixed clock: now_ms() returns clock_ms, advanced by ms_per_poll per poll.
  int64_t clock_ms = 0;
  int64_t ms_per_poll = 0;

  // Recorded.
  int64_t polls = 0;
  int64_t updates = 0;  // job_progress calls (ticks and text changes)
  int64_t questions = 0;
  bool running = false;  // between job_started and job_ended (the timer)
  int64_t starts = 0;
  int64_t ends = 0;
  int64_t total = 0;
  int64_t progress = 0;
  text_t status;                 // the last text shown
  std::vector<text_t> messages;  // every message_box text, in order

  void job_started(text_view text, int64_t total) override;
  long_job_event poll_event() override;
  void job_progress(text_view text, int64_t value) override;
  int message_box(text_view title, text_view text, int flags) override;
  void job_ended(text_view text) override;
  int64_t now_ms() override { return clock_ms; }
};
