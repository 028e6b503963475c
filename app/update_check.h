// The update check: asks the product's web site whether a newer build
// exists. GUI-free: what it shows goes through an update_check_view (the
// status bar, message boxes, the update window), so it runs headless
// against a test server too.
//
// Every request must be answered with status 200 and arrive whole: a
// failed, refused or stalled request is an error, never "up to date" or
// "outdated". Answers are kept in memory. The time of the last check is
// stored only once the site has answered.
#pragma once

#include "common/text.h"

#include <array>
#include <cstdint>

// One line of the site's version file, split.
struct site_version_record {
  text_t version;  // "4.0"
  text_t build;    // decimal
  text_t date;
  text_t note;
  std::array<text_t, 3> downloads;  // file names; "n/a" or "" when not offered
};

// What the update window shows.
struct update_window_record {
  text_t own_text;    // "V4.0 (beta)\nBuild: 300\nReleased: ..."
  text_t site_text;   // "V4.1 note\nBuild: 301\nReleased: ..."
  bool same_version = false;  // the version texts are equal (image 116, else 117)
  text_t notes;
  std::array<text_t, 3> downloads;
  std::array<bool, 3> download_offered{};
};

class update_check_view {
 public:
  virtual ~update_check_view() = default;
  virtual void show_status(text_view text) = 0;  // field 0 of the status bar
  virtual void show_progress(int value) = 0;     // field 1, 0 to 3
  virtual int message_box(text_view title, text_view text, int flags) = 0;
  // Opens the window and returns when it closes.
  virtual void show_update_window(const update_window_record& window) = 0;
  // While a request runs: called again and again until it ends; a window
  // keeps answering here. Returns within a few milliseconds.
  virtual void while_waiting() {}
};

// Bounds of the whole check: a site that answers slowly, drips or floods
// ends it with the error message.
struct update_check_limits {
  int64_t deadline_ms = 30000;           // every request of the check together
  int64_t version_bytes = 4 * 1024;      // the version file: a few lines
  int64_t notes_bytes = 64 * 1024;       // the release notes and their gate
};

enum class update_check_outcome { failed, up_to_date, site_outdated, notes_unavailable, newer_available };

// site: "https://" + host (a test passes its server's base URL). last_check
// is the preferences record's time of the last check: the check reads it
// from settings/last_update_check.txt and stores the new one in both.
update_check_outcome run_update_check_on(text_view site, int automatic, int64_t& last_check, update_check_view& view,
                                         const update_check_limits& limits = {});

// Parts of the check, exposed for their tests.
// The version file's seven lines; false when the build line is not a
// decimal number (not a version file at all).
bool parse_site_version(text_view text, site_version_record& out);
// The notes end after the first empty line; "###END###" lines are left out.
text_t release_notes_text(text_view text);
text_t own_version_text();
text_t site_version_text(const site_version_record& site);

text_t website_base_url();  // "https://" + the host
// The path of a download on the site.
text_t download_url(text_view site, text_view file_name);
text_t download_page_url(text_view site);
