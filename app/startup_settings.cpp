#include "app/startup_settings.h"

#include "app/last_update_check.h"
#include "app/settings_file_registry.h"
#include "kit/base_folder.h"
#include "kit/settings_files.h"

int read_settings_files(preferences& prefs, aff_aid_languages& aff_aid, std::vector<text_t>& oversized) {
  oversized.clear();
  read_registered_settings(oversized);
  // The AFF-aid list is built on every start, so the built-in language and
  // the custom ones are offered on a first start too.
  read_aff_aid_languages(base_folder(), aff_aid);
  // Read after start-up by the recent-files update, which then starts a
  // fresh log; checked here so that one message names every refused file.
  settings_file_refused(settings_file_path(u"kwx4_recent_files.log"), oversized);
  preferences_kwx4 record;
  if (settings_file_refused(prefs_file_path(), oversized) || !read_prefs_file(prefs_file_path(), record)) return 0;
  prefs.record = record;
  load_last_update_check(prefs.record.last_check_updates_time);
  apply_prefs_values(prefs);
  prefs.applied_once = true;
  return 1;
}

text_t oversized_settings_message(const std::vector<text_t>& oversized) {
  text_t text = u"A settings file is larger than it can be and was not read: its defaults apply.\n";
  for (const text_t& path : oversized) text += u"\nFile:" + path;
  return text;
}
