#include "kit/base_folder.h"

#include "common/file.h"

text_t base_folder;

text_t settings_folder() { return base_folder + u"settings/"; }

void find_base_folder_and_settings(text_view executable_path, text_view current_folder) {
  base_folder = path_directory(executable_path);
  if (base_folder.empty()) base_folder = text_t(current_folder);
  if (!base_folder.empty() && base_folder.back() != u'/') base_folder += u'/';
  const text_t settings = base_folder + u"settings";
  if (file_size_by_path(settings) == -1) dir_create(settings);
}
