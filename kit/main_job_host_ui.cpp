#include "kit/main_job_host.h"

#include "common/date_time.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

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

// The labels follow their text: windows create them empty and narrow, and
// the end text ("Aborted.", "OK. ...") must show on one line.
void set_label(int label, text_view text) {
  if (label != 0) set_gadget_text_if_changed(label, text_t(text));
}

}  // namespace

void tool_window_job_host::job_started(text_view text, int64_t total) {
  timer_add(view_.window, view_.timer, view_.timer_ms);
  if (view_.progress_bar != 0) {
    gadget_set_attribute(view_.progress_bar, ATTR_MAXIMUM, clamp_to_int(total));
    gadget_set_state(view_.progress_bar, 0);
  }
  set_label(view_.escape_label, T(LONG_JOB_ESCAPE_HINT).substr(1));  // without its leading space
  if (!text.empty()) set_label(view_.time_label, text);
}

long_job_event tool_window_job_host::poll_event() {
  const int type = event_poll();
  if (type <= 0 || event_get_window() != view_.window) return long_job_event::none;
  if (type == EVENT_TIMER && event_get_timer() == view_.timer) return long_job_event::tick;
  if (type == EVENT_MENU && event_get_menu_item() == SHORTCUT_ESCAPE) return long_job_event::escape;
  return long_job_event::none;
}

void tool_window_job_host::job_progress(text_view text, int64_t value) {
  set_label(view_.time_label, text);
  if (view_.progress_bar != 0) gadget_set_state(view_.progress_bar, clamp_to_int(value));
}

int tool_window_job_host::message_box(text_view title, text_view text, int flags) {
  return ::message_box(text_t(title), text_t(text), flags);
}

void tool_window_job_host::job_ended(text_view text) {
  timer_remove(view_.window, view_.timer);
  if (view_.progress_bar != 0) gadget_set_state(view_.progress_bar, 0);
  set_label(view_.escape_label, u"");
  if (!text.empty()) set_label(view_.time_label, text);
}

int64_t tool_window_job_host::now_ms() { return time_elapsed_ms(); }

long_job_host& main_window_job_host() {
  static main_window_host host;
  return host;
}
