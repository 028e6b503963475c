#include "kit/base_folder.h"

#include "common/file.h"

namespace {

text_t& the_base_folder() {
  static text_t folder;
  return folder;
}

}  // namespace

const text_t& base_folder() { return the_base_folder(); }

void set_base_folder(text_view folder) { the_base_folder() = text_t(folder); }

text_t settings_folder() { return base_folder() + u"settings/"; }

void find_base_folder_and_settings(text_view executable_path, text_view current_folder) {
  text_t folder = path_directory(executable_path);
  if (folder.empty()) folder = text_t(current_folder);
  if (!folder.empty() && folder.back() != u'/') folder += u'/';
  set_base_folder(folder);
  const text_t settings = folder + u"settings";
  if (file_size_by_path(settings) == -1) dir_create(settings);
}
