// The long-job host of the main window: the job's text in field 0 of status
// bar 101, its progress in field 1, timer 800 on window 0 and the Escape
// shortcut (1000) with "Really abort?".
#pragma once

#include "common/long_job.h"

// The one host of main-window jobs:
//   long_job job(main_window_job_host(), u"Loading Dictionary... <ESC> to abort.", total, true);
long_job_host& main_window_job_host();
