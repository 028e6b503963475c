// Holds a long job at a known item, so that a test of Escape never races the
// job: however fast or slow the machine, the job waits at its `at_step`-th
// step (counted over every job) while the GUI test driver runs the
// `steps_while_held` steps queued right after the hold. Made where the steps
// should wait for the job, it queues that wait itself:
//
//   gui_test::answer_message_box(MB_ANSWER_YES);  // a question before the job
//   held_job hold(1000);                          // the steps wait for line 1000
//   gui_test::press_key(MAIN_WINDOW, KEY_ESCAPE); // run while the job waits
//   gui_test::answer_message_box(MB_ANSWER_YES);  // "Really abort?", asked at its next step
//   load_dictionary(...);
#pragma once

#include <cstdint>
#include <memory>

#include "common/long_job.h"
#include "gui/test_driver.h"

class held_job {
 public:
  explicit held_job(int64_t at_step, int steps_while_held = 1) : held_(std::make_shared<bool>(false)) {
    long_job::step_hook = [at_step, steps_while_held, held = held_, seen = int64_t(0)]() mutable {
      if (++seen != at_step) return;
      *held = true;
      // The queue holds this hold's own wait, then the steps to run now.
      gui_test::run_steps_until(gui_test::steps_left() - 1 - steps_while_held);
    };
    gui_test::wait_until([held = held_] { return *held; }, "the job held at step " + std::to_string(at_step));
  }
  ~held_job() { long_job::step_hook = nullptr; }
  held_job(const held_job&) = delete;
  held_job& operator=(const held_job&) = delete;

 private:
  std::shared_ptr<bool> held_;
};
