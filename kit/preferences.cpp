#include "kit/preferences.h"

#include "common/date_time.h"
#include "common/file.h"
#include "kit/identity.h"
#include "kit/settings_files.h"

#include <algorithm>

const std::array<int64_t, AFFIX_COLOUR_COUNT> affix_colour_table = {
    0, 0x9900, 0xFF0000, 0xFFFF, 0xFF, 0xFF00FF, 0x577AB9, 0x808080};

namespace {

constexpr char16_t kDefaultResolution[] = u"1280×600";
constexpr char16_t kDefaultFontSize[] = u"10";
constexpr char16_t kDefaultUpdateFrequency[] = u"monthly";
// Resolutions the layout can be made for without collapsing a window.
constexpr int64_t kResolutionMinWidth = 800, kResolutionMinHeight = 600;
constexpr int64_t kResolutionMax = 16384;

int64_t clamp(int64_t v, int64_t lo, int64_t hi) { return std::min(std::max(v, lo), hi); }

text_t without_line_breaks(text_view s) {
  text_t out;
  for (char16_t u : s)
    if (u != u'\n' && u != u'\r') out += u;
  return out;
}

// The first character of s (two units for a surrogate pair).
text_t first_character(text_view s) {
  if (s.empty()) return text_t();
  size_t n = (s.size() >= 2 && s[0] >= 0xD800 && s[0] <= 0xDBFF && s[1] >= 0xDC00 && s[1] <= 0xDFFF) ? 2 : 1;
  return text_t(s.substr(0, n));
}

bool all_digits(text_view s) {
  if (s.empty()) return false;
  for (char16_t u : s)
    if (u < u'0' || u > u'9') return false;
  return true;
}

}  // namespace

int64_t release_date_time() { return date_make(release_year, release_month, release_day, 0, 0, 1); }

preferences_kwx4 default_preferences() {
  preferences_kwx4 p;
  p.window_resolution = kDefaultResolution;
  p.number_of_lines = 13;
  p.pixels_plus = 0;
  p.number_of_lines_languagetool = 1;
  p.aff_aid_language = u"n/a";
  p.number_separator_chr = u",";
  p.affix_colour_primary = 0;
  p.affix_colour_suffix = 1;
  p.affix_colour_prefix = 2;
  p.affix_colour_both = 4;
  p.check_for_updates = kDefaultUpdateFrequency;
  p.last_check_updates_time = release_date_time();
  p.ask_after_n_words = 2000000;
  p.font_for_language = u"Arial";
  p.font_for_language_size = kDefaultFontSize;
  p.font_for_language_style = 0;
  p.autocorrect_spaces_on_left = 2;
  p.all_synonyms_in_one_line = 0;
  return p;
}

void set_default_preferences(preferences& prefs) {
  prefs.record = default_preferences();
  prefs.backup = prefs.record;
  apply_prefs_values(prefs);
}

void apply_prefs_values(preferences& prefs) { prefs.applied = prefs.record; }

bool parse_resolution(text_view resolution, int64_t& width, int64_t& height) {
  size_t cross = resolution.find(u'×');
  if (cross == text_view::npos) return false;
  text_view w = resolution.substr(0, cross), h = resolution.substr(cross + 1);
  // Plain digits only, short enough not to overflow.
  if (!all_digits(w) || !all_digits(h) || w.size() > 9 || h.size() > 9) return false;
  width = string_to_int(w);
  height = string_to_int(h);
  return width > 0 && height > 0;
}

bool resolution_is_usable(text_view resolution) {
  int64_t w = 0, h = 0;
  if (!parse_resolution(resolution, w, h)) return false;
  return w >= kResolutionMinWidth && h >= kResolutionMinHeight && w <= kResolutionMax &&
         h <= kResolutionMax;
}

void clamp_preferences(preferences_kwx4& p) {
  p.window_resolution = without_line_breaks(p.window_resolution);
  if (!resolution_is_usable(p.window_resolution)) p.window_resolution = kDefaultResolution;
  p.number_of_lines = clamp(p.number_of_lines, PREFS_LINES_MIN, PREFS_LINES_MAX);
  p.pixels_plus = clamp(p.pixels_plus, PREFS_PIXELS_MIN, PREFS_PIXELS_MAX);
  p.number_of_lines_languagetool =
      clamp(p.number_of_lines_languagetool, PREFS_LT_LINES_MIN, PREFS_LT_LINES_MAX);
  p.aff_aid_language = without_line_breaks(p.aff_aid_language);
  p.number_separator_chr = first_character(without_line_breaks(p.number_separator_chr));
  for (int64_t* c : {&p.affix_colour_primary, &p.affix_colour_suffix, &p.affix_colour_prefix,
                     &p.affix_colour_both})
    *c = clamp(*c, 0, AFFIX_COLOUR_COUNT - 1);
  if (p.check_for_updates != u"manual" && p.check_for_updates != u"daily" &&
      p.check_for_updates != u"weekly" && p.check_for_updates != u"monthly")
    p.check_for_updates = kDefaultUpdateFrequency;
  p.ask_after_n_words = clamp(p.ask_after_n_words, PREFS_WARN_WORDS_MIN, PREFS_WARN_WORDS_MAX);
  p.font_for_language = without_line_breaks(p.font_for_language);
  if (string_trim_spaces(p.font_for_language).empty()) p.font_for_language = u"Arial";
  // A size no one would choose is a damaged value, not a wish for the
  // nearest possible size.
  text_t size = string_trim_spaces(p.font_for_language_size);
  const int64_t points = all_digits(size) && size.size() <= 4 ? string_to_int(size) : 0;
  p.font_for_language_size = points >= PREFS_FONT_SIZE_MIN && points <= PREFS_FONT_SIZE_MAX
                                 ? string_from_int(points)
                                 : text_t(kDefaultFontSize);
  p.font_for_language_style = clamp(p.font_for_language_style, 0, 3);
  p.autocorrect_spaces_on_left =
      clamp(p.autocorrect_spaces_on_left, PREFS_AC_SPACES_MIN, PREFS_AC_SPACES_MAX);
  p.all_synonyms_in_one_line = clamp(p.all_synonyms_in_one_line, 0, 1);
}

text_t prefs_file_path() { return settings_file_path(u"kwx4.prefs"); }

int read_prefs_file(text_view path, preferences_kwx4& p) {
  if (settings_file_oversized(path)) return 0;
  settings_reader in(path);
  if (!in.framed()) return 0;
  preferences_kwx4 r;
  r.window_resolution = in.line();
  r.number_of_lines = in.int32();
  r.pixels_plus = in.int32();
  r.number_of_lines_languagetool = in.int32();
  r.aff_aid_language = in.line();
  r.number_separator_chr = in.line();
  r.affix_colour_primary = in.int32();
  r.affix_colour_suffix = in.int32();
  r.affix_colour_prefix = in.int32();
  r.affix_colour_both = in.int32();
  r.check_for_updates = in.line();
  r.last_check_updates_time = in.int64();
  r.ask_after_n_words = in.int32();
  r.font_for_language = in.line();
  r.font_for_language_size = in.line();
  // The style is the one value kept as a text line.
  const text_t style = string_trim_spaces(in.line());
  r.font_for_language_style = all_digits(style) && style.size() <= 2 ? string_to_int(style) : 0;
  r.autocorrect_spaces_on_left = in.int32();
  r.all_synonyms_in_one_line = in.int32();
  if (!in.ok()) return 0;
  clamp_preferences(r);
  p = r;
  return 1;
}

bool write_prefs_file(text_view path, const preferences_kwx4& record) {
  preferences_kwx4 p = record;
  // Line breaks inside a text field would shift every later value.
  for (text_t* t : {&p.window_resolution, &p.aff_aid_language, &p.number_separator_chr,
                    &p.check_for_updates, &p.font_for_language, &p.font_for_language_size})
    *t = without_line_breaks(*t);
  std::string bytes;
  append_utf8_line(bytes, settings_format_id);
  append_utf8_line(bytes, p.window_resolution);
  append_little_endian(bytes, p.number_of_lines, 4);
  append_little_endian(bytes, p.pixels_plus, 4);
  append_little_endian(bytes, p.number_of_lines_languagetool, 4);
  append_utf8_line(bytes, p.aff_aid_language);
  append_utf8_line(bytes, p.number_separator_chr);
  append_little_endian(bytes, p.affix_colour_primary, 4);
  append_little_endian(bytes, p.affix_colour_suffix, 4);
  append_little_endian(bytes, p.affix_colour_prefix, 4);
  append_little_endian(bytes, p.affix_colour_both, 4);
  append_utf8_line(bytes, p.check_for_updates);
  append_little_endian(bytes, p.last_check_updates_time, 8);
  append_little_endian(bytes, p.ask_after_n_words, 4);
  append_utf8_line(bytes, p.font_for_language);
  append_utf8_line(bytes, p.font_for_language_size);
  append_utf8_line(bytes, string_from_int(p.font_for_language_style));
  append_little_endian(bytes, p.autocorrect_spaces_on_left, 4);
  append_little_endian(bytes, p.all_synonyms_in_one_line, 4);
  return write_file_atomically(path, bytes);
}

bool save_prefs_record(const preferences_kwx4& record) { return write_prefs_file(prefs_file_path(), record); }
