// The settings folder: reading every settings file at start-up into the
// records that remember them.
//
// Each tool window writes its own .prefs file; the tools register their
// files (settings_file_registry.h) so that start-up can fill their records
// before any window exists.
#pragma once

#include "common/settings_file.h"
#include "common/text.h"
#include "shell/aff_aid_languages.h"
#include "shell/preferences.h"
#include "shell/shell_state.h"

#include <cstdint>
#include <vector>

// settings_folder() + name.
text_t settings_file_path(text_view name);

// The most bytes a settings file of that name can need (by what its format
// holds). A larger file is refused unread, so that its defaults apply, and a
// profile that holds one is refused.
int64_t settings_file_size_limit(text_view name);
// True when the file at path is larger than its name allows.
bool settings_file_oversized(text_view path);
// The same; a refused file's path is added to refused (once) for the
// start-up message.
bool settings_file_refused(text_view path, std::vector<text_t>& refused);

// Reads every settings file but kwx4.prefs's fonts and icons (no GUI): the
// registered tool options, kwx4.prefs into the record of prefs (applied),
// the last-update-check file and the AFF-aid list with its icon paths;
// files too large are left unread and added to oversized (the recent-files
// log too, read later). Returns 1 when kwx4.prefs was read, else 0.
int read_settings_files(preferences& prefs, aff_aid_languages& aff_aid, std::vector<text_t>& oversized);

// Start-up reader (window code, settings_files_ui.cpp): read_settings_files,
// then font 1001 and the AFF-aid icons are loaded; a font that cannot be
// loaded and settings files refused for their size are reported. Returns 1
// when kwx4.prefs was read, else 0.
int load_settings_files(preferences& prefs, aff_aid_languages& aff_aid);
// The start-up message naming the settings files refused for their size.
text_t oversized_settings_message(const std::vector<text_t>& oversized);
