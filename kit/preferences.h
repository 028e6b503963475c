// The preferences record, its defaults, the applied values the program reads,
// and the byte-exact kwx4.prefs file.
//
// Every subsystem reads the applied values (rows, separator, ...), not the
// record. The record is what the Preferences window edits and what
// kwx4.prefs holds; apply_prefs_values() copies it into the applied values.
// The layout and the start-up update test read the record itself
// (window_resolution, check_for_updates).
#pragma once

#include "common/settings_file.h"
#include "common/text.h"

#include <array>
#include <cstdint>

struct preferences_kwx4 {
  text_t window_resolution;                 // "1280×600": width, U+00D7, height
  int64_t number_of_lines = 0;              // visible rows of the paged lists, 1..500
  int64_t pixels_plus = 0;                  // added to the list height, -10..10
  int64_t number_of_lines_languagetool = 0; // 1..50
  text_t aff_aid_language;                  // AFF-aid file name, "" or "n/a" for none
  text_t number_separator_chr;              // thousands separator, at most one character
  int64_t affix_colour_primary = 0;         // indexes into affix_colour_table, 0..7
  int64_t affix_colour_suffix = 0;
  int64_t affix_colour_prefix = 0;
  int64_t affix_colour_both = 0;
  text_t check_for_updates;                 // "manual", "daily", "weekly", "monthly"
  int64_t last_check_updates_time = 0;      // date (seconds, local time as UTC)
  int64_t ask_after_n_words = 0;            // 0..99999999, 0 never warns
  text_t font_for_language;                 // family of font 1001
  text_t font_for_language_size;            // points, decimal text
  int64_t font_for_language_style = 0;      // bit 1 bold, bit 2 italic
  int64_t autocorrect_spaces_on_left = 0;   // 1..50
  int64_t all_synonyms_in_one_line = 0;     // 0 or 1

  bool operator==(const preferences_kwx4&) const = default;
};

// Ranges the Preferences window accepts; values read from a file are clamped
// to them.
inline constexpr int64_t PREFS_LINES_MIN = 1, PREFS_LINES_MAX = 500;
inline constexpr int64_t PREFS_PIXELS_MIN = -10, PREFS_PIXELS_MAX = 10;
inline constexpr int64_t PREFS_LT_LINES_MIN = 1, PREFS_LT_LINES_MAX = 50;
inline constexpr int64_t PREFS_WARN_WORDS_MIN = 0, PREFS_WARN_WORDS_MAX = 99999999;
inline constexpr int64_t PREFS_AC_SPACES_MIN = 1, PREFS_AC_SPACES_MAX = 50;
// The font chooser offers large sizes too: whatever it gives is kept.
inline constexpr int64_t PREFS_FONT_SIZE_MIN = 1, PREFS_FONT_SIZE_MAX = 1000;
inline constexpr int64_t AFFIX_COLOUR_COUNT = 8;

// Colours (red + green*256 + blue*65536) the affix colour indexes name.
extern const std::array<int64_t, AFFIX_COLOUR_COUNT> affix_colour_table;

// Default of last_check_updates_time: the release date at 00:00:01.
int64_t release_date_time();
// The record as it stands before any file is read.
preferences_kwx4 default_preferences();

// The program's preferences: the record the Preferences window edits and
// kwx4.prefs holds, and the record as last applied, which is what the rest
// of the program reads (the window changes the record while it is open).
struct preferences {
  preferences_kwx4 record = default_preferences();   // edited by the Preferences window, saved to kwx4.prefs
  preferences_kwx4 applied = record;                 // the record as last applied: what the program works with
  preferences_kwx4 backup = record;                  // the record as the Preferences window found it
  bool applied_once = false;  // kwx4.prefs was read or the Preferences window was closed with OK
  // Set before the start-up gate, cleared when the gate opens the
  // Preferences window; while clear, the first OK rebuilds the main window.
  bool first_apply = false;
  bool file_loaded = false;   // settings/kwx4.prefs was read at start-up
};

// Start-up: the record, its backup and the applied values are the defaults.
void set_default_preferences(preferences& prefs);
// The record becomes the applied values.
void apply_prefs_values(preferences& prefs);

// Width and height of a resolution text "W×H"; false when it is not two
// positive integers around U+00D7.
bool parse_resolution(text_view resolution, int64_t& width, int64_t& height);
// True for a resolution the program can lay its windows out for.
bool resolution_is_usable(text_view resolution);
// Brings every field into the range the Preferences window accepts; text
// fields lose line breaks (they would break the file layout).
void clamp_preferences(preferences_kwx4& p);

// Path of kwx4.prefs in the settings folder.
text_t prefs_file_path();
// Reads a kwx4.prefs file. Returns 1 and fills p (clamped) when the file has
// the "41" line and every value; 0 otherwise, p untouched.
int read_prefs_file(text_view path, preferences_kwx4& p);
// Writes the record through a temporary file renamed over the target.
// Returns false (the old file kept) when any step fails.
bool write_prefs_file(text_view path, const preferences_kwx4& p);
// Writes the record to settings/kwx4.prefs.
bool save_prefs_record(const preferences_kwx4& record);
