#include "shell/settings_files.h"

#include "common/file.h"
#include "shell/last_update_check.h"
#include "shell/preferences.h"
#include "shell/settings_file_registry.h"

#include <algorithm>




std::vector<text_t> aff_aid_entries(1);
std::vector<text_t> aff_aid_texts(1);
int64_t aff_aid_selected_item = 0;
const char16_t builtin_aff_aid_entry[] = u"eng-GB:english:English GB\n30\n*****";
std::vector<aff_aid_icon> aff_aid_icons;
std::vector<text_t> oversized_settings_files;

namespace {

constexpr int kFile = 1;
constexpr int kAffAidListing = 362;
// Image numbers 20001.. must stay below the embedded icons at 30002.
constexpr int64_t kAffAidMax = 9999;


// Sizes a settings file can need. A recent-files line is a path, at most
// PATH_MAX bytes; the word lists are edited by hand, a few thousand words.
constexpr int64_t kKiB = 1024, kMiB = 1024 * kKiB;
constexpr int64_t kPathMax = 4096;
constexpr int64_t kRecentLogLimit = 70 * (kPathMax + 1);
constexpr int64_t kPosListsLimit = 2 * kMiB;
constexpr int64_t kWordListLimit = 4 * kMiB;
// A .prefs file of a few numbers and short lines.
constexpr int64_t kPrefsLimit = 64 * kKiB;

text_t normalise_line_ends(text_view s) {
  text_t out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\r') {
      out += u'\n';
      if (i + 1 < s.size() && s[i + 1] == u'\n') ++i;
    } else {
      out += s[i];
    }
  }
  return out;
}

}  // namespace

text_t settings_file_path(text_view name) { return settings_folder() + text_t(name); }

int64_t settings_file_size_limit(text_view name) {
  if (name == u"kwx4_recent_files.log") return kRecentLogLimit;
  if (name == u"extract_pos_lists.prefs") return kPosListsLimit;
  if (name == u"-ize-ise_exceptions.txt" || name == u"gb_specific.txt") return kWordListLimit;
  return kPrefsLimit;
}

bool settings_file_oversized(text_view path) {
  if (file_size_by_path(path) <= settings_file_size_limit(path_file_name(path))) return false;
  const text_t p(path);
  if (std::find(oversized_settings_files.begin(), oversized_settings_files.end(), p) == oversized_settings_files.end())
    oversized_settings_files.push_back(p);
  return true;
}

void reset_settings_globals() {
  aff_aid_entries.assign(1, text_t());
  aff_aid_texts.assign(1, text_t());
  aff_aid_selected_item = 0;
  aff_aid_icons.clear();
}

void read_aff_aid_languages() {
  aff_aid_entries.assign(1, builtin_aff_aid_entry);
  aff_aid_texts.assign(1, text_t());
  aff_aid_icons.clear();
  const text_t folder = base_folder + u"custom_aff_aid/";
  if (!dir_open_listing(kAffAidListing, base_folder + u"custom_aff_aid", u"*.txt")) return;
  int64_t n = 0;
  while (dir_next_entry(kAffAidListing) && n < kAffAidMax) {
    if (dir_entry_type(kAffAidListing) != 1 || dir_entry_size(kAffAidListing) <= 0) continue;
    const text_t name = dir_entry_name(kAffAidListing);
    text_t text;
    if (!read_settings_text(folder + name, text)) continue;
    ++n;
    text = normalise_line_ends(text);
    const int64_t image = AFF_AID_IMAGE_BASE + n;
    aff_aid_texts.push_back(text);
    const size_t eol = text.find(u'\n');
    const text_t first_line = eol == text_t::npos ? text : text.substr(0, eol);
    aff_aid_entries.push_back(first_line + u"\n" + string_from_int(image) + u"\n" + name);
    const text_t icon = folder + string_head(name, string_length(name) - 3) + u"png";
    if (file_size_by_path(icon) > 0) aff_aid_icons.push_back({image, icon});
  }
  dir_close_listing(kAffAidListing);
  std::vector<std::pair<text_t, text_t>> keyed;
  keyed.reserve(aff_aid_entries.size());
  for (const text_t& e : aff_aid_entries) keyed.emplace_back(string_to_lower(e), e);
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < keyed.size(); ++i) aff_aid_entries[i] = keyed[i].second;
}

int read_settings_files() {
  oversized_settings_files.clear();
  read_registered_settings();
  // The AFF-aid list is built on every start, so the built-in language and
  // the custom ones are offered on a first start too.
  read_aff_aid_languages();
  // Read after start-up by the recent-files update, which then starts a
  // fresh log; checked here so that one message names every refused file.
  settings_file_oversized(settings_file_path(u"kwx4_recent_files.log"));
  preferences_kwx4 record;
  if (!read_prefs_file(prefs_file_path(), record)) return 0;
  prefs_record = record;
  load_last_update_check();
  apply_prefs_values();
  prefs_applied = 1;
  return 1;
}

text_t oversized_settings_message() {
  text_t text = u"A settings file is larger than it can be and was not read: its defaults apply.\n";
  for (const text_t& path : oversized_settings_files) text += u"\nFile:" + path;
  return text;
}
