// The long-job host of a tool window: its own timer, progress bar and
// labels, and the Escape shortcut of that window while window 0 is disabled.
#include "tests/app/shell_gui_support.h"

#include "common/date_time.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/main_job_host.h"

using shell_test::ShellTest;

namespace {

// A tool window laid out like the ones that run jobs: a progress bar, a
// time label and an Escape label.
constexpr int TOOL = 577, BAR = 585, TIME_LABEL = 586, ESCAPE_LABEL = 587;

class ToolJobHostTest : public ShellTest {
 protected:
  void open_tool_window() {
    start_with_valid_prefs();
    window_set_disabled(MAIN_WINDOW, 1);
    ASSERT_NE(window_open(TOOL, 0, 0, 400, 120, u"Tool", TOOL_WINDOW_FLAGS, window_widget(MAIN_WINDOW)), 0);
    gadget_create_progress_bar(BAR, 10, 10, 158, 8, 0, 100);
    gadget_create_label(TIME_LABEL, 10, 30, 300, 18, u"");
    gadget_create_label(ESCAPE_LABEL, 10, 60, 300, 18, u"");
    shortcut_add(TOOL, KEY_ESCAPE, SHORTCUT_ESCAPE);
  }
  void close_tool_window() {
    window_close(TOOL);
    window_set_disabled(MAIN_WINDOW, 0);
  }
  tool_window_job_host host_{{.window = TOOL, .progress_bar = BAR, .time_label = TIME_LABEL,
                               .escape_label = ESCAPE_LABEL}};
};

// Steps the job until it stops, or until the driver has run every queued
// step (or failed) and the job still goes on; true when it stopped.
bool step_until_stopped(long_job& job, int64_t progress) {
  while (gui_test::steps_left() > 0 && !gui_test::failed())
    if (!job.step(progress)) return true;
  return !job.step(progress);
}

}  // namespace

TEST_F(ToolJobHostTest, EscapeOnTheToolWindowStopsItsJob) {
  open_tool_window();
  {
    long_job job(host_, u"Scanning...", 1000, true);
    EXPECT_EQ(gadget_get_text(ESCAPE_LABEL), u"<ESC> to abort.");
    EXPECT_EQ(gadget_get_attribute(BAR, ATTR_MAXIMUM), 1000);

    // Window 0's Escape is not this job's: a modal tool has window 0 disabled.
    event_post(EVENT_MENU, MAIN_WINDOW, SHORTCUT_ESCAPE);
    for (int i = 0; i < 20; ++i) ASSERT_TRUE(job.step(10));
    EXPECT_EQ(gui_test::requesters().size(), 0u);

    // The tool window's own Escape asks; No goes on, Yes stops.
    gui_test::press_key(TOOL, KEY_ESCAPE);
    gui_test::answer_message_box(MB_ANSWER_NO);
    while (gui_test::steps_left() > 0 && !gui_test::failed()) ASSERT_TRUE(job.step(20));
    gui_test::press_key(TOOL, KEY_ESCAPE);
    gui_test::answer_message_box(MB_ANSWER_YES);
    EXPECT_TRUE(step_until_stopped(job, 30));
    job.abort();
  }
  gui_test::finish();
  ASSERT_EQ(gui_test::requesters().size(), 2u);
  EXPECT_EQ(gui_test::last_requester().text, u"Really abort?");
  EXPECT_EQ(gadget_get_text(TIME_LABEL), u"Aborted.");
  EXPECT_EQ(gadget_get_text(ESCAPE_LABEL), u"");
  EXPECT_EQ(gadget_get_state(BAR), 0);
  // The main window's status bar is not the tool's.
  EXPECT_NE(status_bar_get_text(MAIN_STATUS_BAR, STATUS_FIELD_TEXT), u"Aborted.");
  // The timer is gone with the job.
  time_sleep_ms(900);
  for (const auto& e : gui_test::drain_events()) EXPECT_NE(e.type, EVENT_TIMER);
  close_tool_window();
}

TEST_F(ToolJobHostTest, TicksOfItsTimerShowProgressAndElapsedTime) {
  open_tool_window();
  {
    long_job job(host_, u"Scanning...", 100, true);
    // Timer 800 of the tool window ticks within a second (a minute at most on a loaded machine).
    bool ticked = false;
    for (int i = 0; i < 12000 && !ticked; ++i) {
      ASSERT_TRUE(job.step(40));
      time_sleep_ms(5);
      ticked = gadget_get_state(BAR) == 40;
    }
    EXPECT_TRUE(ticked);
    EXPECT_EQ(gadget_get_text(TIME_LABEL).rfind(u"Scanning... \u231a", 0), 0u) << to_utf8(gadget_get_text(TIME_LABEL));
    job.finish(u"3 found.");
  }
  EXPECT_EQ(gadget_get_text(TIME_LABEL).rfind(u"OK. 3 found. \u231a", 0), 0u);
  EXPECT_EQ(gadget_get_state(BAR), 0);
  close_tool_window();
}
