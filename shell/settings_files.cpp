#include "shell/settings_files.h"

#include "common/file.h"
#include "shell/last_update_check.h"
#include "shell/preferences.h"
#include "shell/settings_file_registry.h"

#include <algorithm>

std::vector<int64_t> dictionary_duplicates_options = {0, 0, 0, 1, 1};

int64_t pos_rule_language_count = POS_RULE_LANGUAGES_MAX;
std::vector<text_t> pos_rule_languages(POS_RULE_LANGUAGES_MAX);
std::vector<int64_t> pos_rule_counts(POS_RULE_LANGUAGES_MAX);
std::vector<std::vector<text_t>> pos_rule_table(POS_RULE_LANGUAGES_MAX,
                                                std::vector<text_t>(POS_RULE_MAX + 1));
int64_t pos_rule_language = 2;
int64_t derived_words_sort_mode = 1;

text_t ise_ize_exceptions_text;
text_t ise_ize_exceptions_snapshot;
text_t gb_specific_text;

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

constexpr const char16_t* kBuiltinExceptions =
    u"*-rais*\n" u"*-ris*\n" u"*-siz*\n" u"*achis*\n" u"*Amitiz*\n" u"*Avis*\n" u"*baiz*\n"
    u"*Beliz*\n" u"*bizarr*\n" u"*Bois*\n" u"*Briz*\n" u"*ceris*\n" u"*Charliz*\n"
    u"*chisel*\n" u"*çois*\n" u"*crise*\n" u"*decis*\n" u"*Denis*\n" u"*devis*\n" u"*drais*\n"
    u"*dris*\n" u"*dvis*\n" u"*eizer*\n" u"*Elis*\n" u"*Eliz*\n" u"*eniza*\n" u"*espis*\n"
    u"*eviz*\n" u"*fize*\n" u"*frais*\n" u"*Giz*\n" u"*Guis*\n" u"*hiza*\n" u"*hizi*\n"
    u"*Ibiz*\n" u"*idine*\n" u"*isian*\n" u"*izang*\n" u"*izar*\n" u"*Izar*\n" u"*izet*\n"
    u"*izew*\n" u"*izid*\n" u"*kritis*\n" u"*Kriz*\n" u"*lais*\n" u"*laiz*\n" u"*laoi*\n"
    u"*levis*\n" u"*lois*\n" u"*Louis*\n" u"*mcis*\n" u"*Mis*\n" u"*nais*\n" u"*nchis*\n"
    u"*ncis*\n" u"*ndais*\n" u"*ngton*\n" u"*nizen*\n" u"*noise*\n" u"*nosaur*\n" u"*nrise*\n"
    u"*nterpri*\n" u"*ochis*\n" u"*piza*\n" u"*poise*\n" u"*prais*\n" u"*prize*\n" u"*puize*\n"
    u"*ractise*\n" u"*radis*\n" u"*recis*\n" u"*resize*\n" u"*revisa*\n" u"*revise*\n"
    u"*revisi*\n" u"*Ris*\n" u"*romis*\n" u"*rpris*\n" u"*rquis*\n" u"*ruise*\n" u"*sais*\n"
    u"*sized*\n" u"*sizer*\n" u"*sois*\n" u"*Syriz*\n" u"*tizan*\n" u"*tizen*\n" u"*tois*\n"
    u"*toise*\n" u"*uois*\n" u"*upris*\n" u"*urmis*\n" u"*visio*\n" u"*vivise*\n" u"*weiz*\n"
    u"*Wis*\n" u"*wise*\n" u"*wizel*\n" u"*xcis*\n" u"*xercis*\n" u"*zawl*\n" u"*zian*\n"
    u"*zidin*\n" u"*zier*\n" u"*zine*\n" u"*zizi*\n" u"/hood\n" u"/man\n" u"/men\n" u"/ous\n"
    u"/ship\n" u"/zen\n" u"_anise\n" u"_arise\n" u"_guise\n" u"_mise\n" u"_raise\n" u"_rise\n"
    u"_size\n" u"_seize\n" u"assize\n" u"bêtise\n" u"capsize\n" u"chaise\n" u"chemise\n"
    u"Civilization\n" u"earthrise\n" u"filesize\n" u"ise\n" u"ize\n" u"lateralizer\n"
    u"maize\n" u"mortise\n" u"parvise\n" u"treatise\n" u"valise\n";

// Sizes a settings file can need. A recent-files line is a path, at most
// PATH_MAX bytes; the word lists are edited by hand, a few thousand words.
constexpr int64_t kKiB = 1024, kMiB = 1024 * kKiB;
constexpr int64_t kPathMax = 4096;
constexpr int64_t kRecentLogLimit = 70 * (kPathMax + 1);
constexpr int64_t kPosListsLimit = 2 * kMiB;
constexpr int64_t kWordListLimit = 4 * kMiB;
// A .prefs file of a few numbers and short lines.
constexpr int64_t kPrefsLimit = 64 * kKiB;

// The whole of a text file after its byte-order mark, as UTF-8; false when
// it is missing, empty, a folder or, for a settings file, too large.
bool read_whole_text(text_view path, text_t& out, bool settings_file) {
  if (file_size_by_path(path) <= 0 || (settings_file && settings_file_oversized(path)) ||
      !file_open_read(kFile, path))
    return false;
  file_read_bom(kFile);
  out = file_read_line(kFile, FORMAT_UTF8 | FILE_READ_REST);
  file_close(kFile);
  return true;
}

// The path of a settings file, or "" (read as missing) when it is refused
// for its size.
text_t unrefused_path(text_view name) {
  const text_t path = settings_file_path(name);
  return settings_file_oversized(path) ? text_t() : path;
}

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

bool read_pos_settings(int64_t& language) {
  settings_reader in(unrefused_path(u"extract_pos_settings.prefs"));
  if (!in.framed()) return false;
  language = in.int32();
  return in.ok();
}

void read_pos_lists() {
  settings_reader in(unrefused_path(u"extract_pos_lists.prefs"));
  if (!in.framed()) return;
  int64_t count = in.decimal_line();
  if (!in.ok() || count < 1) return;
  const int64_t kept = std::min(count, POS_RULE_LANGUAGES_MAX);
  std::vector<text_t> names(kept);
  std::vector<std::vector<text_t>> rules(kept);
  for (int64_t i = 0; i < count && in.ok(); ++i) {
    text_t name = in.line();
    int64_t rule_count = in.decimal_line();
    // The declared count is only trusted as far as the file has lines.
    for (int64_t r = 0; r < rule_count && in.ok(); ++r) {
      text_t rule = in.line();
      if (i < kept && r < POS_RULE_MAX) rules[i].push_back(string_replace(rule, u"\t", u"\n"));
    }
    if (i < kept) names[i] = name;
  }
  if (!in.ok()) return;
  pos_rule_language_count = kept;
  for (int64_t i = 0; i < kept; ++i) {
    pos_rule_languages[i] = names[i];
    pos_rule_counts[i] = static_cast<int64_t>(rules[i].size());
    std::vector<text_t>& row = pos_rule_table[i];
    std::fill(row.begin(), row.end(), text_t());
    for (size_t r = 0; r < rules[i].size(); ++r) row[r + 1] = rules[i][r];
  }
}

void read_derivates_sort() {
  settings_reader in(unrefused_path(u"derivates_sort.prefs"));
  if (!in.framed()) return;
  int64_t mode = in.int32();
  if (in.ok() && mode >= 1 && mode <= 5) derived_words_sort_mode = mode;
}

void read_duplicates_options() {
  settings_reader in(unrefused_path(u"show_merge_del_dupes.prefs"));
  if (!in.framed()) return;
  int64_t v[4];
  for (int64_t& x : v) x = in.int8();
  if (!in.ok()) return;
  for (int i = 0; i < 4; ++i) dictionary_duplicates_options[i + 1] = v[i] == 0 ? 0 : 1;
}

void read_exception_lists() {
  text_t text;
  if (read_whole_text(settings_file_path(u"-ize-ise_exceptions.txt"), text, true)) {
    ise_ize_exceptions_text = text;
  } else {
    ise_ize_exceptions_snapshot.clear();
    ise_ize_exceptions_text = builtin_ise_ize_exceptions();
  }
  if (read_whole_text(settings_file_path(u"gb_specific.txt"), text, true)) gb_specific_text = text;
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

text_t builtin_ise_ize_exceptions() { return kBuiltinExceptions; }

void reset_settings_globals() {
  derived_words_sort_mode = 1;
  dictionary_duplicates_options = {0, 0, 0, 1, 1};
  pos_rule_language_count = POS_RULE_LANGUAGES_MAX;
  pos_rule_languages.assign(POS_RULE_LANGUAGES_MAX, text_t());
  pos_rule_counts.assign(POS_RULE_LANGUAGES_MAX, 0);
  pos_rule_table.assign(POS_RULE_LANGUAGES_MAX, std::vector<text_t>(POS_RULE_MAX + 1));
  pos_rule_language = 2;
  ise_ize_exceptions_text.clear();
  ise_ize_exceptions_snapshot.clear();
  gb_specific_text.clear();
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
    if (!read_whole_text(folder + name, text, false)) continue;
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
  int64_t language = 0;
  const bool language_read = read_pos_settings(language);
  read_pos_lists();
  // The choice must name a language the table holds.
  if (language_read) pos_rule_language = std::clamp<int64_t>(language, 0, pos_rule_language_count - 1);
  else pos_rule_language = std::min(pos_rule_language, pos_rule_language_count - 1);
  read_derivates_sort();
  read_duplicates_options();
  read_exception_lists();
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
