#include "common/long_job.h"

#include <gtest/gtest.h>

namespace {

// Runs a job over n items the way every long job does; returns the number
// of items done.
int64_t run_items(long_job& job, int64_t n) {
  for (int64_t i = 0; i < n; ++i) {
    if (!job.step(i + 1)) return i + 1;
  }
  return n;
}

TEST(LongJob, TicksShowTextElapsedTimeAndProgressThenOk) {
  headless_long_job_host host;
  host.tick_every = 10;
  host.ms_per_poll = 1000;
  int64_t tick_calls = 0;
  {
    long_job job(host, T("Loading Dictionary... <ESC> to abort."), 50, true);
    EXPECT_TRUE(host.running);
    EXPECT_EQ(host.total, 50);
    job.on_tick = [&](int64_t) { ++tick_calls; };
    EXPECT_EQ(run_items(job, 25), 25);
    EXPECT_EQ(tick_calls, 2);
    // The second tick came at poll 20, 20 s after the start.
    EXPECT_EQ(host.status, T("Loading Dictionary... <ESC> to abort. \xe2\x8c\x9a" "00m20s"));
    EXPECT_EQ(host.progress, 20);
    job.finish(T("(aff:2.0 kB)+(dic:1.5 MB)"));
    EXPECT_FALSE(host.running);
    EXPECT_EQ(host.status, T("OK. (aff:2.0 kB)+(dic:1.5 MB) \xe2\x8c\x9a" "00m25s"));
    EXPECT_EQ(host.progress, 0);
  }
  EXPECT_EQ(host.ends, 1);  // the destructor does not end it twice
  EXPECT_EQ(host.questions, 0);
}

TEST(LongJob, EscapeAnsweredYesStopsAtThatItem) {
  headless_long_job_host host;
  host.escape_at_poll = 7;
  host.abort_answer = 6;
  long_job job(host, T("Saving Dictionary... <ESC> to abort."), 100, true);
  EXPECT_EQ(run_items(job, 100), 7);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], T("Really abort?"));
  job.abort();
  EXPECT_TRUE(job.aborted());
  EXPECT_FALSE(host.running);
  EXPECT_EQ(host.status, T("Aborted."));
}

TEST(LongJob, EscapeAnsweredNoGoesOn) {
  headless_long_job_host host;
  host.escape_at_poll = 3;
  host.abort_answer = 7;
  long_job job(host, T("x"), 10, true);
  EXPECT_EQ(run_items(job, 10), 10);
  EXPECT_EQ(host.questions, 1);
  job.finish(T(""));
  EXPECT_EQ(host.status, T("OK."));
  EXPECT_FALSE(job.aborted());
}

TEST(LongJob, UnabortableJobIgnoresEscape) {
  headless_long_job_host host;
  host.escape_at_poll = 2;
  long_job job(host, T("Sorting... <ESC> not possible."), 5, false);
  EXPECT_EQ(run_items(job, 5), 5);
  EXPECT_EQ(host.questions, 0);
}

TEST(LongJob, JobLeftWithoutAnEndStillRemovesItsTimer) {
  headless_long_job_host host;
  {
    long_job job(host, T("x"), 5, true);
    run_items(job, 2);
    EXPECT_TRUE(host.running);
  }
  EXPECT_FALSE(host.running);
  EXPECT_EQ(host.ends, 1);
  EXPECT_EQ(host.progress, 0);
}

}  // namespace
