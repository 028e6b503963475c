// Exports of tool windows: a text file written line by line under a long
// job, UTF-8 with a byte-order mark, through a temporary file so that an
// abort or a failed write leaves the old file as it was.
#pragma once

#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

enum class line_export_status { ok, aborted, write_failed };

// head, then line(i) for i = 0 .. count - 1 (each as given, its LF
// included); one poll per line (progress i), Escape stops it.
line_export_status export_lines(text_view path, text_view head, int64_t count,
                                const std::function<text_t(int64_t)>& line, long_job_host& host);
