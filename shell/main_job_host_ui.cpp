#include "shell/main_job_host.h"

#include "common/date_time.h"
#include "gui/gui.h"
#include "shell/shell_ids.h"

#include <algorithm>
#include <climits>

namespace {

int clamp_to_int(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, 0, INT_MAX)); }

class main_window_host final : public long_job_host {
 public:
  void job_started(text_view text, int64_t total) override {
    timer_add(MAIN_WINDOW, LONG_JOB_TIMER, LONG_JOB_TIMER_MS);
    status_bar_set_progress(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1, 0, clamp_to_int(total));
    status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text_t(text));
  }

  long_job_event poll_event() override {
    const int type = event_poll();
    if (type == EVENT_TIMER && event_get_timer() == LONG_JOB_TIMER && event_get_window() == MAIN_WINDOW) {
      return long_job_event::tick;
    }
    if (type == EVENT_MENU && event_get_menu_item() == SHORTCUT_ESCAPE && event_get_window() == MAIN_WINDOW) {
      return long_job_event::escape;
    }
    return long_job_event::none;
  }

  void job_progress(text_view text, int64_t value) override {
    if (status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT) != text) {
      status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text_t(text));
    }
    status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, clamp_to_int(value), 1);
  }

  int message_box(text_view title, text_view text, int flags) override {
    return ::message_box(text_t(title), text_t(text), flags);
  }

  void job_ended(text_view text) override {
    timer_remove(MAIN_WINDOW, LONG_JOB_TIMER);
    status_bar_set_progress_value(MAIN_STATUS_BAR, STATUS_FIELD_PROGRESS, 0, 1);
    status_bar_set_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT, text_t(text));
  }

  int64_t now_ms() override { return time_elapsed_ms(); }
};

}  // namespace

long_job_host& main_window_job_host() {
  static main_window_host host;
  return host;
}
