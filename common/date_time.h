// Dates as 64-bit seconds since 1970 holding the local wall-clock time as if
// it were UTC, their printing by masks, and elapsed time.
#pragma once

#include "common/text.h"

#include <cstdint>

// The current local date and time.
int64_t date_now();
// Prints the date by a mask of %yyyy, %yy, %mm, %dd, %hh, %ii and %ss, each
// zero-padded to its width; other text is copied. Date -1 gives "".
text_t date_format(text_view mask, int64_t date);
// -1 when a field is out of range: year 1601 to 9999, month 1 to 12, the day
// within its month (leap years counted), hour 0 to 23, minute and second 0 to 59.
int64_t date_make(int year, int month, int day, int hour, int minute, int second);

// Milliseconds since the first call, for intervals.
int64_t time_elapsed_ms();
void time_sleep_ms(int64_t ms);
