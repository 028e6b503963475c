// The manual's URL, the desktop opener and the start-up update test.
#pragma once

#include "common/text.h"

#include <cstdint>

// base + "Vocabrix_manual_V40.html".
text_t manual_path(text_view base);
// "file:///" + manual_path(base) + anchor, percent-encoded. base starts with
// "/", so the URL has four slashes after "file:".
text_t manual_url(text_view base, text_view anchor);

// The program that opens URLs and files, looked up in PATH.
inline constexpr char16_t desktop_opener_program[] = u"xdg-open";
// Starts the desktop opener with the percent-encoded target as its one
// argument, as a child in its own session (no shell, not waited for): its
// process id, 0 when it could not be started. The opener's exit code tells
// whether a program took the target.
int64_t start_desktop_opener(text_view target);
// The "Error!" text when the target could not be opened; it names the target.
text_t desktop_opener_failure_message(text_view target);

// Seconds between automatic update checks for a check_for_updates value:
// "daily", "weekly", "monthly"; 0 for any other text.
int64_t update_interval_seconds(text_view frequency);
// The start-up test: a check is due when the frequency is not "manual" and
// at least the interval has passed since the last check.
bool update_check_due(text_view frequency, int64_t now, int64_t last_check);
