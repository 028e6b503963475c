#include "app/startup_settings.h"

#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

int load_settings_files(preferences& prefs, aff_aid_languages& aff_aid) {
  std::vector<text_t> oversized;
  const int loaded = read_settings_files(prefs, aff_aid, oversized);
  if (!oversized.empty()) message_box(u"Warning!", oversized_settings_message(oversized), MB_ICON_WARNING);
  for (const aff_aid_icon& icon : aff_aid.icons) image_load_file(static_cast<int>(icon.image), icon.path);
  const preferences_kwx4& p = prefs.applied;
  if (loaded && !font_load(FONT_LANGUAGE, p.font_for_language, static_cast<int>(string_to_int(p.font_for_language_size)),
                           static_cast<int>(p.font_for_language_style))) {
    show_error(u"Can't load " + p.font_for_language + u" font.");
  }
  return loaded;
}
