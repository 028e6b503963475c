#include "kit/settings_files.h"

#include "common/file.h"
#include "kit/base_folder.h"

#include <algorithm>

namespace {

// Sizes a settings file can need. A recent-files line is a path, at most
// PATH_MAX bytes; the word lists are edited by hand, a few thousand words.
constexpr int64_t kKiB = 1024, kMiB = 1024 * kKiB;
constexpr int64_t kPathMax = 4096;
constexpr int64_t kRecentLogLimit = 70 * (kPathMax + 1);
constexpr int64_t kPosListsLimit = 2 * kMiB;
constexpr int64_t kWordListLimit = 4 * kMiB;
// A .prefs file of a few numbers and short lines.
constexpr int64_t kPrefsLimit = 64 * kKiB;

}  // namespace

text_t settings_file_path(text_view name) { return settings_folder() + text_t(name); }

int64_t settings_file_size_limit(text_view name) {
  if (name == u"kwx4_recent_files.log") return kRecentLogLimit;
  if (name == u"extract_pos_lists.prefs") return kPosListsLimit;
  if (name == u"-ize-ise_exceptions.txt" || name == u"gb_specific.txt") return kWordListLimit;
  return kPrefsLimit;
}

bool settings_file_oversized(text_view path) {
  return file_size_by_path(path) > settings_file_size_limit(path_file_name(path));
}

bool settings_file_refused(text_view path, std::vector<text_t>& refused) {
  if (!settings_file_oversized(path)) return false;
  const text_t p(path);
  if (std::find(refused.begin(), refused.end(), p) == refused.end()) refused.push_back(p);
  return true;
}
