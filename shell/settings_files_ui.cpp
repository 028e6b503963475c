#include "shell/settings_files.h"

#include "gui/gui.h"
#include "shell/main_loop.h"
#include "shell/preferences.h"
#include "shell/shell_ids.h"

int load_settings_files() {
  const int loaded = read_settings_files();
  if (!oversized_settings_files.empty()) message_box(u"Warning!", oversized_settings_message(), MB_ICON_WARNING);
  for (const aff_aid_icon& icon : aff_aid_icons) image_load_file(static_cast<int>(icon.image), icon.path);
  if (loaded &&
      !font_load(FONT_LANGUAGE, language_font_name, static_cast<int>(string_to_int(language_font_size)),
                 static_cast<int>(language_font_style))) {
    show_error(u"Can't load " + language_font_name + u" font.");
  }
  return loaded;
}
