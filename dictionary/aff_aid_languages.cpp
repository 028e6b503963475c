#include "dictionary/aff_aid_languages.h"

#include "common/file.h"
#include "common/settings_file.h"

#include <algorithm>
#include <utility>

const char16_t builtin_aff_aid_entry[] = u"eng-GB:english:English GB\n30\n*****";

namespace {

constexpr int kAffAidListing = 362;
// Image numbers 20001.. must stay below the embedded icons at 30002.
constexpr int64_t kAffAidMax = 9999;

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

void read_aff_aid_languages(text_view base_folder, aff_aid_languages& languages) {
  std::vector<text_t>& entries = languages.entries;
  entries.assign(1, builtin_aff_aid_entry);
  languages.texts.assign(1, text_t());
  languages.icons.clear();
  const text_t folder = text_t(base_folder) + u"custom_aff_aid/";
  if (!dir_open_listing(kAffAidListing, text_t(base_folder) + u"custom_aff_aid", u"*.txt")) return;
  int64_t n = 0;
  while (dir_next_entry(kAffAidListing) && n < kAffAidMax) {
    if (dir_entry_type(kAffAidListing) != 1 || dir_entry_size(kAffAidListing) <= 0) continue;
    const text_t name = dir_entry_name(kAffAidListing);
    text_t text;
    if (!read_settings_text(folder + name, text)) continue;
    ++n;
    text = normalise_line_ends(text);
    const int64_t image = AFF_AID_IMAGE_BASE + n;
    languages.texts.push_back(text);
    const size_t eol = text.find(u'\n');
    const text_t first_line = eol == text_t::npos ? text : text.substr(0, eol);
    entries.push_back(first_line + u"\n" + string_from_int(image) + u"\n" + name);
    const text_t icon = folder + string_head(name, string_length(name) - 3) + u"png";
    if (file_size_by_path(icon) > 0) languages.icons.push_back({image, icon});
  }
  dir_close_listing(kAffAidListing);
  std::vector<std::pair<text_t, text_t>> keyed;
  keyed.reserve(entries.size());
  for (const text_t& e : entries) keyed.emplace_back(string_to_lower(e), e);
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (size_t i = 0; i < keyed.size(); ++i) entries[i] = keyed[i].second;
}
