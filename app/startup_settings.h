// Reading every settings file at start-up into the records that remember
// them. The tools register their files (settings_file_registry.h) so that
// start-up can fill their records before any window exists.
#pragma once

#include "common/text.h"
#include "dictionary/aff_aid_languages.h"
#include "kit/preferences.h"

#include <vector>

// Reads every settings file but kwx4.prefs's fonts and icons (no GUI): the
// registered tool options, kwx4.prefs into the record of prefs (applied),
// the last-update-check file and the AFF-aid list with its icon paths;
// files too large are left unread and added to oversized (the recent-files
// log too, read later). Returns 1 when kwx4.prefs was read, else 0.
int read_settings_files(preferences& prefs, aff_aid_languages& aff_aid, std::vector<text_t>& oversized);

// Start-up reader (window code, startup_settings_ui.cpp): read_settings_files,
// then font 1001 and the AFF-aid icons are loaded; a font that cannot be
// loaded and settings files refused for their size are reported. Returns 1
// when kwx4.prefs was read, else 0.
int load_settings_files(preferences& prefs, aff_aid_languages& aff_aid);
// The start-up message naming the settings files refused for their size.
text_t oversized_settings_message(const std::vector<text_t>& oversized);
