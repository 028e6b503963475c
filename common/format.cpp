#include "common/format.h"

#include "common/event_hooks.h"
#include "common/file.h"

#include <algorithm>
#include <array>
#include <limits>
#include <memory>

text_t format_file_size(text_view prefix, int64_t size, int in_brackets) {
  text_t out;
  if (in_brackets) out += u"(";
  out += prefix;
  if (size < 1024) {
    out += string_from_int(size);
    out += u" bytes";
  } else if (size < 1048576) {
    out += string_from_float(1, static_cast<float>(size) / 1024.0f);
    out += u" kB";
  } else if (size < 1073741824) {
    out += string_from_float(1, static_cast<float>(size) / 1048576.0f);
    out += u" MB";
  } else {
    out += string_from_float(1, static_cast<float>(size) / 1073741824.0f);
    out += u" GB";
  }
  if (in_brackets) out += u")";
  return out;
}

namespace {

void append_two_digits(text_t& out, int64_t v) {
  out.push_back(static_cast<char16_t>(u'0' + v / 10 % 10));
  out.push_back(static_cast<char16_t>(u'0' + v % 10));
}

}  // namespace

text_t format_elapsed_time(text_view prefix, int64_t ms) {
  if (ms < 0) ms = 0;
  const int64_t days = ms / 86400000;
  const int64_t seconds_of_day = ms / 1000 - days * 86400;
  const int64_t hours = seconds_of_day / 3600, minutes = seconds_of_day / 60 % 60, seconds = seconds_of_day % 60;
  text_t out(prefix);
  if (days != 0) {
    out += string_from_int(days);
    out += u"d";
  }
  if (days != 0 || hours != 0) {
    append_two_digits(out, hours);
    out += u"h";
  }
  append_two_digits(out, minutes);
  out += u"m";
  append_two_digits(out, seconds);
  out += u"s";
  return out;
}

text_t format_percentage(int32_t part, int32_t total) {
  double p;
  if (total != 0) p = static_cast<double>(part) * 100.0 / static_cast<double>(total);
  else if (part > 0) p = std::numeric_limits<double>::infinity();
  else if (part < 0) p = -std::numeric_limits<double>::infinity();
  else p = std::numeric_limits<double>::quiet_NaN();
  return u" (" + format_decimal_2(static_cast<float>(p)) + u"%)";
}

text_t format_count(int64_t n, text_view separator) {
  return string_format_number(0, u".", separator, static_cast<double>(n));
}

text_t format_decimal_2(float value) {
  text_t text = string_from_float(2, value);
  if (text.ends_with(u".00")) text.resize(text.size() - 3);
  return text;
}

float compute_length_ratio_percent(text_view a, text_view b) {
  const size_t shorter = std::min(a.size(), b.size()), longer = std::max(a.size(), b.size());
  if (longer == 0) return 100.0f;
  return static_cast<float>(static_cast<double>(shorter) * 100.0 / static_cast<double>(longer));
}

namespace {

// Each base letter with the accented lower-case units that fold to it.
struct FoldRow {
  char16_t base;
  const char16_t* accented;
};
constexpr FoldRow kFoldRows[] = {
    {u'a', u"áàäãâåāæă"}, {u'b', u"ḃ"},       {u'c', u"çčċćĉ"},   {u'd', u"ḋđď"},
    {u'e', u"éèëêĕēėễ"},  {u'f', u"ḟ"},       {u'g', u"ģğġ"},     {u'i', u"íìïîī"},
    {u'j', u"ɉ"},         {u'l', u"ƚłľ"},     {u'm', u"ṁ"},       {u'n', u"ñńň"},
    {u'o', u"óòöõōøô"},   {u'p', u"ṗ"},       {u'r', u"ř"},       {u's', u"ṡšș"},
    {u't', u"ṫŧťț"},      {u'u', u"úùüûū"},   {u'w', u"ẃẁŵẅ"},    {u'y', u"ўýỳŷÿ"},
    {u'z', u"ž"},
};

// Lower-casing and folding combined into one lookup per unit.
const std::array<char16_t, 65536>& fold_table() {
  static const std::unique_ptr<std::array<char16_t, 65536>> table = [] {
    auto t = std::make_unique<std::array<char16_t, 65536>>();
    std::array<char16_t, 65536> fold;
    for (uint32_t u = 0; u < 65536; ++u) fold[u] = static_cast<char16_t>(u);
    for (const FoldRow& row : kFoldRows)
      for (const char16_t* p = row.accented; *p; ++p) fold[*p] = row.base;
    for (uint32_t u = 0; u < 65536; ++u) (*t)[u] = fold[unit_to_lower(static_cast<char16_t>(u))];
    return t;
  }();
  return *table;
}

}  // namespace

const std::array<char16_t, 65536>& fold_accents_lowercase_table() { return fold_table(); }

text_t fold_accents_lowercase(text_view s) {
  const auto& table = fold_table();
  text_t out(s.size(), u'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = table[s[i]];
  return out;
}

text_t collapse_spaces(text_view s) {
  text_t out;
  out.reserve(s.size());
  for (char16_t u : s) {
    if (u == u' ' && (out.empty() || out.back() == u' ')) continue;
    out.push_back(u);
  }
  if (!out.empty() && out.back() == u' ') out.pop_back();
  return out;
}

bool has_invalid_spaces(text_view s) {
  if (s.empty()) return false;
  return s.front() == u' ' || s.back() == u' ' || s.find(u"  ") != text_view::npos;
}

text_t normalise_line_endings(text_view s) {
  drain_pending_events();
  text_t out = string_replace(s, u"\r\n", u"\n");
  drain_pending_events();
  string_replace_in_place(out, u"\r", u"\n", 1, -1);
  drain_pending_events();
  return out;
}

text_t get_quoted_text_at(text_view s, int64_t position) {
  if (position < 1 || position > string_length(s)) return {};
  const size_t open = static_cast<size_t>(position - 1);
  const char16_t quote = s[open];
  if (quote != u'\'' && quote != u'"') return {};
  const size_t close = s.find(quote, open + 1);
  if (close == text_view::npos) return {};
  return text_t(s.substr(open + 1, close - open - 1));
}

text_t get_file_part_or_na(text_view path) {
  text_t name = path_file_name(path);
  return name.empty() ? text_t(u"n/a") : name;
}

text_t get_path_part_or_default(text_view path, text_view default_text) {
  text_t folder = path_directory(path);
  return folder.empty() ? text_t(default_text) : folder;
}
