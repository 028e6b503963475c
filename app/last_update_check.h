// settings/last_update_check.txt: exactly 8 bytes, the time of the last
// update check as a little-endian signed 64-bit date.
#pragma once

#include "common/text.h"

#include <cstdint>

text_t last_update_check_path();
// last_check (the record's last_check_updates_time) = now, then the stored
// time when the file holds all 8 bytes (a stored time in the future counts
// as now).
void load_last_update_check(int64_t& last_check);
// Stores the current time and puts it into last_check. Returns false when
// the file could not be written.
bool save_last_update_check(int64_t& last_check);
