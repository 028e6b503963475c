// Profiles: the user's settings files in one ZIP archive (.kwx_profile),
// to carry them to another installation. GUI-free; the File menu's
// commands ask for the path and show the outcome.
#pragma once

#include "common/text.h"

#include <array>

// The settings files a profile carries, in this order.
inline constexpr std::array<const char16_t*, 7> settings_file_names = {
    u"kwx4_recent_files.log",    u"dic_stats_remember.prefs", u"multiwords.prefs",
    u"extract_pos_settings.prefs", u"derivates_sort.prefs",   u"show_merge_del_dupes.prefs",
    u"kwx4.prefs"};
// The archive's version entry, holding the settings format id.
inline constexpr const char16_t* profile_version_file = u"kwx_version_id.txt";

enum class profile_outcome {
  done,
  incompatible,  // not a readable ZIP, no matching version file, a name a profile never holds or holds twice
  too_large,     // a file larger than a settings file of its name can be
  failed,        // a file could not be written: the export left the old file, or the import did not land whole
};

// Writes the archive at path (the old file is replaced only when the whole
// archive was written): the version entry and every settings file with a
// size above 0.
profile_outcome export_profile_to(text_view path);
// Checks the whole archive before anything changes (no entry may unpack to
// more than a settings file of its name can hold); then extracts each file
// to a temporary name and, once all were read, renames them over the
// settings files; a settings file the profile does not hold is removed, so
// its defaults apply at the next start. Files are written with the
// program's own permissions, replacing any link that stands at their names.
profile_outcome import_profile_from(text_view path);
