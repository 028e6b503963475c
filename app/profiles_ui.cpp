#include "app/profiles_ui.h"

#include "app/profiles.h"
#include "gui/gui.h"
#include "kit/ids.h"
#include "kit/window_helpers.h"

namespace {

const text_t pattern = u"Profile (*.kwx_profile)|*.kwx_profile";
const text_t extension = u".kwx_profile";

void status(const text_t& text) { status_bar_set_text(MAIN_STATUS_BAR, 0, text); }

void warn(const text_t& text) {
  message_box(u"Warning!", text, MB_ICON_WARNING);
  status(text);
}

}  // namespace

void export_profile() {
  const text_t path = request_save_path(u"Export Profile", pattern, extension);
  if (path.empty()) {
    status(u"Aborted.");
    return;
  }
  if (export_profile_to(path) != profile_outcome::done) {
    message_box(u"Error!", u"The profile could not be written.\n\nFile:" + path, MB_ICON_ERROR);
    status(u"Aborted.");
    return;
  }
  status(u"Profile exported.");
}

void import_profile() {
  const text_t path = request_existing_file(u"Import Profile", pattern, extension);
  if (path.empty()) {
    status(u"Aborted.");
    return;
  }
  if (!check_file_exists(path, u"Profile file not found.")) {
    warn(u"Profile not found.");
    return;
  }
  switch (import_profile_from(path)) {
    case profile_outcome::incompatible:
      warn(u"Profile incompatible with current KWX.");
      return;
    case profile_outcome::too_large:
      warn(u"Profile refused: it holds a file larger than a settings file can be.");
      return;
    case profile_outcome::failed:
      message_box(u"Error!", u"The profile could not be imported completely.\n\nFile:" + path, MB_ICON_ERROR);
      status(u"Aborted.");
      return;
    case profile_outcome::done:
      message_box(u"Warning!", u"Profile imported sucessfully.\n\nPlease restart KWX to take effect.", MB_ICON_WARNING);
      status(u"Profile imported.");
      return;
  }
}

void register_profile_commands(tool_registry& tools) {
  tools.set_command(MENU_EXPORT_PROFILE, export_profile);
  tools.set_command(MENU_IMPORT_PROFILE, import_profile);
}
