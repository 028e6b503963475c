// The update check of the program (Help > Check for Updates, the
// Preferences' button, start-up when due) and window 689 "Update available
// for download!".
#pragma once

#include "kit/tool_registry.h"

#include "app/update_check.h"
#include "common/text.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"

namespace update_ids {
constexpr int YOUR_VERSION_LABEL = 690, YOUR_VERSION_TEXT = 691, NEWEST_VERSION_LABEL = 692,
              NEWEST_VERSION_TEXT = 693, VERSION_IMAGE = 694, NOTES_LABEL = 695, NOTES_TEXT = 696,
              CORNER_IMAGE = 697, DOWNLOAD_IMAGE_1 = 698, DOWNLOAD_LINK_1 = 699, DOWNLOAD_IMAGE_2 = 700,
              DOWNLOAD_LINK_2 = 701, DOWNLOAD_IMAGE_3 = 702, DOWNLOAD_LINK_3 = 703, YES_BUTTON = 704,
              NO_BUTTON = 705, VISIT_LABEL = 706;
static_assert(ids_in_block(UPDATE_BLOCK, {YOUR_VERSION_LABEL, YOUR_VERSION_TEXT, NEWEST_VERSION_LABEL,
                                          NEWEST_VERSION_TEXT, VERSION_IMAGE, NOTES_LABEL, NOTES_TEXT,
                                          CORNER_IMAGE, DOWNLOAD_IMAGE_1, DOWNLOAD_LINK_1, DOWNLOAD_IMAGE_2,
                                          DOWNLOAD_LINK_2, DOWNLOAD_IMAGE_3, DOWNLOAD_LINK_3, YES_BUTTON,
                                          NO_BUTTON, VISIT_LABEL}));
}  // namespace update_ids

// The check against the web site (automatic: 1 at start-up, 0 by hand);
// last_check is the preferences record's time of the last check.
void run_update_check(int automatic, int64_t& last_check);
// The site the check asks; tests point it at their own server ("" brings
// back the product's web site).
void set_update_site_for_test(const text_t& site);
// The bounds of the check (a test shortens the deadline); {} brings back
// the usual ones.
void set_update_limits_for_test(const update_check_limits& limits);

// The window of a newer version; returns when it closes.
void show_update_window(const update_window_record& record, const text_t& site);

// Help > Check for updates, and the check the main loop starts when one is due.
void register_update_check_commands(preferences& prefs, tool_registry& tools);
