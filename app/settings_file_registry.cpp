#include "app/settings_file_registry.h"

#include "kit/settings_files.h"

#include <vector>

namespace {

std::vector<settings_file_registration>& registered_files() {
  static std::vector<settings_file_registration> files;
  return files;
}

}  // namespace

void register_settings_file(settings_file_registration file) {
  std::vector<settings_file_registration>& files = registered_files();
  for (settings_file_registration& f : files) {
    if (!file.name.empty() && f.name == file.name) {
      f = std::move(file);
      return;
    }
  }
  files.push_back(std::move(file));
}

void forget_settings_files() { registered_files().clear(); }

void reset_registered_settings() {
  for (const settings_file_registration& f : registered_files())
    if (f.reset) f.reset();
}

void read_registered_settings(std::vector<text_t>& oversized) {
  for (const settings_file_registration& f : registered_files()) {
    if (!f.read) continue;
    if (f.name.empty()) {
      f.read(text_t());
      continue;
    }
    const text_t path = settings_file_path(f.name);
    f.read(settings_file_refused(path, oversized) ? text_t() : path);
  }
}
