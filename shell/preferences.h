// The preferences record, its defaults, the working values the program reads,
// and the byte-exact kwx4.prefs file.
//
// Every subsystem reads the working values (visible_rows, number_separator,
// ...), not the record. The record is what the Preferences window edits and
// what kwx4.prefs holds; apply_prefs_values() copies it into the working
// values. The layout helpers and the start-up update test read the record
// itself (window_resolution, check_for_updates).
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

// The record and the copy the Preferences window takes when it opens.
extern preferences_kwx4 prefs_record;
extern preferences_kwx4 prefs_backup;
// 1 once kwx4.prefs was read or the Preferences window was closed with OK.
extern int64_t prefs_applied;
// Set to 1 before the start-up gate, 0 when the gate opens the Preferences
// window; 0 forces a main-window rebuild on the first OK.
extern int64_t prefs_first_apply;

// Working values.
extern text_t current_resolution;
extern int64_t visible_rows;
extern int64_t pixels_adjust;
extern int64_t languagetool_min_lines;
extern text_t selected_aff_aid;
extern text_t number_separator;
extern int64_t primary_affix_colour;
extern int64_t suffix_affix_colour;
extern int64_t prefix_affix_colour;
extern int64_t both_affix_colour;
extern text_t update_frequency;
extern int64_t last_update_check;
extern int64_t decode_warning_limit;
extern text_t language_font_name;
extern text_t language_font_size;
extern int64_t language_font_style;
extern int64_t autocorrect_indent;
extern int64_t synonyms_in_one_line;
// Colours (red + green*256 + blue*65536) the affix colour indexes name.
extern const std::array<int64_t, AFFIX_COLOUR_COUNT> affix_colour_table;

// Default of last_check_updates_time: the release date at 00:00:01.
int64_t release_date_time();
// The record as it stands before any file is read.
preferences_kwx4 default_preferences();
// Start-up: the working values get the defaults and the record is built
// from them.
void set_default_preferences();
// Copies the record into the working values.
void apply_prefs_values();

// Width and height of a resolution text "W×H"; false when it is not two
// positive integers around U+00D7.
bool parse_resolution(text_view resolution, int64_t& width, int64_t& height);
// True for a resolution the program can lay its windows out for.
bool resolution_is_usable(text_view resolution);
// Brings every field into the range the Preferences window accepts; text
// fields lose line breaks (they would break the file layout).
void clamp_preferences(preferences_kwx4& p);

// Path of kwx4.prefs under base_folder.
text_t prefs_file_path();
// Reads a kwx4.prefs file. Returns 1 and fills p (clamped) when the file has
// the "41" line and every value; 0 otherwise, p untouched.
int read_prefs_file(text_view path, preferences_kwx4& p);
// Writes the record through a temporary file renamed over the target.
// Returns false (the old file kept) when any step fails.
bool write_prefs_file(text_view path, const preferences_kwx4& p);
// Writes prefs_record to settings/kwx4.prefs.
bool save_prefs_record();
