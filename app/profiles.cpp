#include "app/profiles.h"

#include "common/file.h"
#include "common/pack.h"
#include "kit/base_folder.h"
#include "kit/settings_files.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int PACK = 1;
constexpr int FILE_NUMBER = 2;
const text_t settings_format = u"41";
const text_t staging_suffix = u".importing";
// The version file holds the two characters of the format id.
constexpr int64_t version_file_limit = 64;

text_t settings_path(text_view name) { return settings_folder() + text_t(name); }

void ensure_settings_folder() {
  if (file_size_by_path(settings_folder()) != -2) dir_create(settings_folder());
}

bool known_profile_name(text_view name) {
  if (name == profile_version_file) return true;
  for (const char16_t* n : settings_file_names) {
    if (name == n) return true;
  }
  return false;
}

int64_t entry_limit(text_view name) {
  return name == profile_version_file ? version_file_limit : settings_file_size_limit(name);
}

int64_t extract(text_view destination, text_view name) {
  return pack_extract_file(PACK, destination, name, entry_limit(name), PACK_EXTRACT_OWN_FILE);
}

bool write_version_file(text_view path) {
  // Whatever stands there goes first: a link would be written through.
  file_delete(path);
  std::string bytes;
  append_utf8(bytes, settings_format);
  return write_file_atomically(path, bytes);
}

// The version entry's first line, or "" when it cannot be read.
text_t read_version_entry() {
  const text_t path = settings_path(profile_version_file);
  text_t line;
  if (extract(path, profile_version_file) >= 0 && file_open_read(FILE_NUMBER, path)) {
    line = file_read_line(FILE_NUMBER, 2);
    file_close(FILE_NUMBER);
  }
  file_delete(path);
  return line;
}

struct pack_guard {
  ~pack_guard() { pack_close(PACK); }
};

}  // namespace

profile_outcome export_profile_to(text_view path) {
  ensure_settings_folder();
  const text_t version_path = settings_path(profile_version_file);
  if (!write_version_file(version_path)) return profile_outcome::failed;
  bool ok = pack_create(PACK, path, 1, 0) != 0;
  if (ok) {
    ok = pack_add_file(PACK, version_path, profile_version_file) == 1;
    for (const char16_t* name : settings_file_names) {
      if (ok && file_size_by_path(settings_path(name)) > 0) ok = pack_add_file(PACK, settings_path(name), name) == 1;
    }
    // An unfinished archive is dropped and the old file kept.
    ok = pack_close(PACK) == 1 && ok;
  }
  file_delete(version_path);
  return ok ? profile_outcome::done : profile_outcome::failed;
}

profile_outcome import_profile_from(text_view path) {
  ensure_settings_folder();
  pack_guard guard;
  std::vector<text_t> names;
  if (!pack_open(PACK, path, 1)) return profile_outcome::incompatible;
  // The listing stops at a name a profile does not hold, or holds twice,
  // and at an entry too large for its file, before reading further.
  std::vector<text_t> seen;
  const auto wanted = [&](text_view name) -> int64_t {
    const text_t n(name);
    if (!known_profile_name(n) || std::find(seen.begin(), seen.end(), n) != seen.end()) return -1;
    seen.push_back(n);
    return entry_limit(n);
  };
  switch (pack_list_entries(PACK, names, wanted)) {
    case pack_listing::whole:
      break;
    case pack_listing::too_large:
      return profile_outcome::too_large;
    case pack_listing::damaged:
    case pack_listing::unwanted:
      return profile_outcome::incompatible;
  }
  bool has_version = false;
  for (const text_t& name : names) {
    if (name == profile_version_file) has_version = true;
  }
  if (!has_version || read_version_entry() != settings_format) return profile_outcome::incompatible;

  auto held = [&](const char16_t* name) {
    for (const text_t& n : names) {
      if (n == name) return true;
    }
    return false;
  };
  // Every file is read before any settings file changes.
  std::vector<text_t> staged;
  bool read_all = true;
  for (const char16_t* name : settings_file_names) {
    if (!held(name)) continue;
    const text_t temporary = settings_path(name) + staging_suffix;
    staged.push_back(temporary);
    if (extract(temporary, name) < 0) {
      read_all = false;
      break;
    }
  }
  if (!read_all) {
    for (const text_t& t : staged) file_delete(t);
    return profile_outcome::failed;
  }
  bool landed = true;
  for (const char16_t* name : settings_file_names) {
    const text_t target = settings_path(name);
    if (!held(name)) {
      if (file_size_by_path(target) >= 0) landed = file_delete(target) != 0 && landed;
      continue;
    }
    const text_t temporary = target + staging_suffix;
    if (std::rename(to_utf8(temporary).c_str(), to_utf8(target).c_str()) != 0) {
      file_delete(temporary);
      landed = false;
    }
  }
  return landed ? profile_outcome::done : profile_outcome::failed;
}
