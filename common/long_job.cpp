#include "common/long_job.h"

#include "common/format.h"

long_job::long_job(long_job_host& host, text_view text, int64_t total, bool abortable)
    : host_(host), text_(text), abortable_(abortable) {
  start_ms_ = host_.now_ms();
  host_.job_started(text_, total);
}

long_job::~long_job() {
  // A job that returned early (an error it reported itself) still removes
  // its timer and resets the progress.
  if (!ended_) {
    ended_ = true;
    host_.job_ended(text_view());
  }
}

bool long_job::handle_event(long_job_event e, int64_t progress) {
  if (ended_) return false;
  if (e == long_job_event::tick) {
    if (on_tick) on_tick(progress);
    host_.job_progress(text_ + elapsed_text(), progress);
    return true;
  }
  if (e == long_job_event::escape && abortable_) {
    // Only Yes stops; No goes on until the next Escape.
    return host_.message_box(T("Warning!"), T(LONG_JOB_ABORT_QUESTION), BOX_WARNING | BOX_YES_NO) != BOX_ANSWER_YES;
  }
  return true;
}

void long_job::set_text(text_view text) {
  text_ = text;
  host_.job_progress(text_, 0);
}

int64_t long_job::elapsed_ms() const {
  return host_.now_ms() - start_ms_;
}

void long_job::restart_clock() {
  start_ms_ = host_.now_ms();
}

text_t long_job::elapsed_text() const {
  return format_elapsed_time(u" \u231a", elapsed_ms());
}

void long_job::finish(text_view details) {
  if (details.empty()) {
    end(u"OK.");
  } else {
    end(text_t(u"OK. ") + text_t(details) + elapsed_text());
  }
}

void long_job::end(text_view status_text) {
  if (ended_) return;
  ended_ = true;
  host_.job_ended(status_text);
}

void long_job::abort() {
  if (ended_) return;
  aborted_ = true;
  end(T(LONG_JOB_ABORTED));
}

// ---- headless host ----------------------------------------------------------

void headless_long_job_host::job_started(text_view text, int64_t job_total) {
  if (!running) ++starts;
  running = true;
  total = job_total;
  progress = 0;
  status = text;
}

long_job_event headless_long_job_host::poll_event() {
  ++polls;
  clock_ms += ms_per_poll;
  if (polls == escape_at_poll) return long_job_event::escape;
  if (tick_every > 0 && polls % tick_every == 0) return long_job_event::tick;
  return long_job_event::none;
}

void headless_long_job_host::job_progress(text_view text, int64_t value) {
  ++updates;
  status = text;
  progress = value;
}

int headless_long_job_host::message_box(text_view, text_view text, int) {
  ++questions;
  messages.emplace_back(text);
  return abort_answer;
}

void headless_long_job_host::job_ended(text_view text) {
  ++ends;
  running = false;
  progress = 0;
  if (!text.empty()) status = text;
}
