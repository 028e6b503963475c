// The settings folder: reading every settings file at start-up into the
// globals of the windows that remember them, and the AFF-aid languages.
//
// Each tool window writes its own .prefs file; the values it remembers live
// here so that start-up can fill them before any window exists.
#pragma once

#include "common/settings_file.h"
#include "common/text.h"
#include "shell/shell_state.h"

#include <cstdint>
#include <vector>

// settings_folder() + name.
text_t settings_file_path(text_view name);

// The most bytes a settings file of that name can need (by what its format
// holds). A larger file is refused unread, so that its defaults apply, and a
// profile that holds one is refused.
int64_t settings_file_size_limit(text_view name);
// True when the file at path is larger than its name allows; its path is
// then kept in oversized_settings_files (once) for the start-up message.
bool settings_file_oversized(text_view path);
// The settings files refused for their size since the start-up read began.
extern std::vector<text_t> oversized_settings_files;

// ---- Remembered options of tool windows ------------------------------------



// ---- AFF-aid languages -------------------------------------------------------
// Entry n: first line of the language's file + LF + image number + LF + file
// name; entry 0 is the built-in language (image 30, file name "*****").
// Sorted ignoring case; aff_aid_texts keeps the listing order and is found
// through the image number (20000 + n).
extern std::vector<text_t> aff_aid_entries;
extern std::vector<text_t> aff_aid_texts;
// Remembered item of the word editor's AFF-aid list.
extern int64_t aff_aid_selected_item;
inline constexpr int64_t AFF_AID_IMAGE_BASE = 20000;
extern const char16_t builtin_aff_aid_entry[];
// Icons found beside the custom AFF-aid files: image number and PNG path.
struct aff_aid_icon {
  int64_t image = 0;
  text_t path;
};
extern std::vector<aff_aid_icon> aff_aid_icons;

// Resets every global above to its start value (presets of the POS table
// excepted: the table is sized and emptied).
void reset_settings_globals();

// Reads every settings file but kwx4.prefs's fonts and icons (no GUI): the
// tool options, the exception lists, kwx4.prefs into prefs_record with
// apply_prefs_values(), the last-update-check file and the AFF-aid list with
// its icon paths; files too large are left unread and listed in
// oversized_settings_files (the recent-files log too, read later). Returns 1
// when kwx4.prefs was read, else 0.
int read_settings_files();
// Builds the AFF-aid list from base_folder + "custom_aff_aid/".
void read_aff_aid_languages();

// Start-up reader (window code, settings_files_ui.cpp): read_settings_files,
// then font 1001 and the AFF-aid icons are loaded; a font that cannot be
// loaded and settings files refused for their size are reported. Returns 1 when kwx4.prefs was read, else 0.
int load_settings_files();
// The start-up message naming the settings files refused for their size.
text_t oversized_settings_message();
