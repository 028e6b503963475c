// Text values: UTF-8 and Latin-1 borders, case mapping, finding, replacing,
// parts and numbers. Dictionary loads run these on every line, so the
// conversions take an ASCII fast path and case mapping is a table lookup.
#include "common/text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool is_high_surrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low_surrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// True when the 8 bytes at p are all ASCII.
inline bool ascii8(const unsigned char* p) {
  uint64_t w;
  std::memcpy(&w, p, 8);
  return (w & 0x8080808080808080ULL) == 0;
}

// Length of the leading run of ASCII bytes without a zero byte.
size_t ascii_prefix(const unsigned char* p, size_t n) {
  size_t i = 0;
  while (i + 8 <= n && ascii8(p + i)) {
    uint64_t w;
    std::memcpy(&w, p + i, 8);
    // A zero byte inside the word ends the text; let the slow loop find it.
    if (((w - 0x0101010101010101ULL) & ~w & 0x8080808080808080ULL) != 0) break;
    i += 8;
  }
  while (i < n && p[i] != 0 && p[i] < 0x80) ++i;
  return i;
}

// Decodes one sequence at p[i..n); returns the code point (U+FFFD for an
// invalid sequence) and advances i past the maximal invalid subpart, so one
// bad byte costs one replacement character.
char32_t decode_one(const unsigned char* p, size_t n, size_t& i) {
  unsigned char b = p[i];
  if (b < 0x80) {
    ++i;
    return b;
  }
  int need;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    need = 1;
    cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 2;
    cp = b & 0x0F;
    if (b == 0xE0) lo = 0xA0;        // no overlong forms
    else if (b == 0xED) hi = 0x9F;   // no encoded surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 3;
    cp = b & 0x07;
    if (b == 0xF0) lo = 0x90;
    else if (b == 0xF4) hi = 0x8F;   // nothing above U+10FFFF
  } else {
    ++i;
    return kReplacement;
  }
  ++i;
  for (int k = 0; k < need; ++k) {
    if (i >= n) return kReplacement;
    unsigned char c = p[i];
    unsigned char l = k == 0 ? lo : 0x80, h = k == 0 ? hi : 0xBF;
    if (c < l || c > h) return kReplacement;
    cp = (cp << 6) | (c & 0x3F);
    ++i;
  }
  return cp;
}

inline void put_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// One unit to one unit, built from GLib's Unicode data (common/gen).
#include "case_tables.inc"

}  // namespace

// ---- UTF-8 borders ---------------------------------------------------------

void append_utf8(std::string& out, text_view s) {
  const char16_t* p = s.data();
  size_t n = s.size();
  out.reserve(out.size() + n);
  size_t i = 0;
  while (i < n) {
    // ASCII run first: one byte per unit.
    size_t j = i;
    while (j < n && p[j] < 0x80) ++j;
    if (j > i) {
      size_t old = out.size();
      out.resize(old + (j - i));
      char* d = out.data() + old;
      for (size_t k = i; k < j; ++k) *d++ = static_cast<char>(p[k]);
      i = j;
      if (i >= n) break;
    }
    char16_t u = p[i];
    if (is_high_surrogate(u) && i + 1 < n && is_low_surrogate(p[i + 1])) {
      char32_t cp = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(p[i + 1]) - 0xDC00);
      put_utf8(out, cp);
      i += 2;
    } else if (is_high_surrogate(u) || is_low_surrogate(u)) {
      put_utf8(out, kReplacement);
      ++i;
    } else {
      put_utf8(out, u);
      ++i;
    }
  }
}

std::string to_utf8(text_view s) {
  std::string out;
  append_utf8(out, s);
  return out;
}

text_t from_utf8(std::string_view s) {
  text_t out;
  from_utf8_into(out, s);
  return out;
}

void from_utf8_into(text_t& out, std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  size_t n = s.size();
  out.clear();
  size_t i = ascii_prefix(p, n);
  // One allocation: n bytes never give more than n units.
  out.reserve(n);
  out.resize(i);
  for (size_t k = 0; k < i; ++k) out[k] = p[k];
  if (i == n) return;
  while (i < n) {
    unsigned char b = p[i];
    if (b == 0) break;
    if (b < 0x80) {
      size_t run = ascii_prefix(p + i, n - i);
      for (size_t k = 0; k < run; ++k) out.push_back(p[i + k]);
      i += run;
      continue;
    }
    char32_t cp = decode_one(p, n, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
}

bool is_valid_utf8(std::string_view s) { return survey_utf8(s).invalid == 0; }

utf8_survey survey_utf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  size_t n = s.size();
  utf8_survey out;
  size_t i = 0;
  while (i < n) {
    while (i + 8 <= n && ascii8(p + i)) i += 8;
    if (i >= n) break;
    if (p[i] < 0x80) {
      ++i;
      continue;
    }
    size_t start = i;
    char32_t cp = decode_one(p, n, i);
    // U+FFFD itself is valid when it was really written as EF BF BD.
    if (cp == kReplacement && !(i - start == 3 && p[start] == 0xEF && p[start + 1] == 0xBF && p[start + 2] == 0xBD)) {
      if (out.invalid++ == 0) out.first_invalid = start;
    } else {
      ++out.multibyte;
    }
  }
  return out;
}

text_t from_latin1(std::string_view s) {
  size_t n = s.size();
  const void* z = std::memchr(s.data(), 0, n);
  if (z) n = static_cast<size_t>(static_cast<const char*>(z) - s.data());
  text_t out(n, u'\0');
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  for (size_t i = 0; i < n; ++i) out[i] = p[i];
  return out;
}

std::string to_latin1(text_view s) {
  std::string out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<char>(s[i] & 0xFF);
  return out;
}

// ---- Case --------------------------------------------------------------------

char16_t unit_to_lower(char16_t u) { return kLowerUnits[u]; }
char16_t unit_to_upper(char16_t u) { return kUpperUnits[u]; }

text_t string_to_lower(text_view s) {
  const auto& t = kLowerUnits;
  text_t out(s.size(), u'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = t[s[i]];
  return out;
}

text_t string_to_upper(text_view s) {
  const auto& t = kUpperUnits;
  text_t out(s.size(), u'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = t[s[i]];
  return out;
}

// ---- Numbers -------------------------------------------------------------------

// Values beyond 64 bits saturate at the nearest end of the signed range.
int64_t string_to_int(text_view s) {
  size_t i = 0, n = s.size();
  while (i < n && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < n && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  unsigned base = 10;
  if (i < n && s[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < n && s[i] == u'%') {
    base = 2;
    ++i;
  }
  uint64_t magnitude = 0;
  bool overflow = false;
  for (; i < n; ++i) {
    char16_t c = s[i];
    unsigned d;
    if (c >= u'0' && c <= u'9') d = c - u'0';
    else if (base == 16 && c >= u'a' && c <= u'f') d = c - u'a' + 10;
    else if (base == 16 && c >= u'A' && c <= u'F') d = c - u'A' + 10;
    else break;
    if (d >= base) break;
    if (magnitude > (std::numeric_limits<uint64_t>::max() - d) / base) overflow = true;
    else magnitude = magnitude * base + d;
  }
  constexpr uint64_t kMaxPositive = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  if (negative) {
    if (overflow || magnitude > kMaxPositive) return std::numeric_limits<int64_t>::min();
    return -static_cast<int64_t>(magnitude);
  }
  if (overflow || magnitude > kMaxPositive) return std::numeric_limits<int64_t>::max();
  return static_cast<int64_t>(magnitude);
}

text_t string_from_int(int64_t v) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return text_t(buf, r.ptr);
}

// ---- Comparison ------------------------------------------------------------

int64_t string_length(text_view s) { return static_cast<int64_t>(s.size()); }
bool string_equal(text_view a, text_view b) { return a == b; }
// char16_t is unsigned, so the views compare unsigned units.
bool string_less(text_view a, text_view b) { return a < b; }
bool string_greater(text_view a, text_view b) { return a > b; }

// ---- Finding and counting --------------------------------------------------

namespace {

constexpr size_t npos = text_view::npos;

// 0-based index of the first occurrence of search at or after from, or npos.
// With ignore_case each unit is lower-cased before comparing.
size_t find_at(text_view s, text_view search, size_t from, bool ignore_case) {
  if (search.empty() || from >= s.size() || search.size() > s.size() - from) return npos;
  if (!ignore_case) return s.find(search, from);
  const auto& lower = kLowerUnits;
  const char16_t first = lower[search[0]];
  const size_t last = s.size() - search.size();
  for (size_t i = from; i <= last; ++i) {
    if (lower[s[i]] != first) continue;
    size_t k = 1;
    while (k < search.size() && lower[s[i + k]] == lower[search[k]]) ++k;
    if (k == search.size()) return i;
  }
  return npos;
}

// 1-based start below 1 means the first unit.
size_t start_index(int64_t start) { return start < 1 ? 0 : static_cast<size_t>(start - 1); }

int64_t position_of(size_t index) { return index == npos ? 0 : static_cast<int64_t>(index) + 1; }

}  // namespace

int64_t string_find(text_view s, text_view search) { return position_of(find_at(s, search, 0, false)); }

int64_t string_find_from(text_view s, text_view search, int64_t start) {
  return position_of(find_at(s, search, start_index(start), false));
}

int64_t string_find_ex(text_view s, text_view search, int64_t start, int mode) {
  return position_of(find_at(s, search, start_index(start), mode == 1));
}

int64_t string_count_occurrences(text_view s, text_view sub) {
  if (sub.empty()) return 0;
  int64_t count = 0;
  for (size_t i = s.find(sub); i != npos; i = s.find(sub, i + sub.size())) ++count;
  return count;
}

text_t string_nth_field(text_view s, int64_t index, text_view separator) {
  if (index < 1) return {};
  if (separator.empty()) return index == 1 ? text_t(s) : text_t();
  size_t begin = 0;
  for (int64_t field = 1; field < index; ++field) {
    size_t next = s.find(separator, begin);
    if (next == npos) return {};
    begin = next + separator.size();
  }
  size_t end = s.find(separator, begin);
  return text_t(s.substr(begin, end == npos ? npos : end - begin));
}

// ---- Replacing ---------------------------------------------------------------

// An empty search text replaces nothing.
text_t string_replace_ex(text_view s, text_view find, text_view replacement, int mode, int64_t start,
                         int64_t count) {
  size_t at = find_at(s, find, start_index(start), mode == 1);
  if (at == npos || count == 0) return text_t(s);
  text_t out;
  out.reserve(s.size());
  size_t copied = 0;
  int64_t done = 0;
  while (at != npos && (count < 0 || done < count)) {
    out.append(s.substr(copied, at - copied));
    out.append(replacement);
    copied = at + find.size();
    ++done;
    at = find_at(s, find, copied, mode == 1);
  }
  out.append(s.substr(copied));
  return out;
}

text_t string_replace(text_view s, text_view find, text_view replacement) {
  return string_replace_ex(s, find, replacement, 0, 1, -1);
}

void string_replace_in_place(text_t& s, text_view find, text_view replacement, int64_t start, int64_t count) {
  if (find.size() != replacement.size()) {
    s = string_replace_ex(s, find, replacement, 0, start, count);
    return;
  }
  if (find.empty() || count == 0) return;
  int64_t done = 0;
  for (size_t at = find_at(s, find, start_index(start), false); at != npos && (count < 0 || done < count);
       at = find_at(s, find, at + find.size(), false)) {
    std::copy(replacement.begin(), replacement.end(), s.begin() + static_cast<std::ptrdiff_t>(at));
    ++done;
  }
}

text_t string_replace_mode(text_view s, text_view find, text_view replacement, int mode) {
  return string_replace_ex(s, find, replacement, mode, 1, -1);
}

text_t string_remove_all(text_view s, text_view sub) { return string_replace(s, sub, u""); }

text_t string_remove_units(text_view s, text_view units) {
  text_t out;
  out.reserve(s.size());
  for (char16_t u : s)
    if (units.find(u) == text_view::npos) out.push_back(u);
  return out;
}

// ---- Parts -------------------------------------------------------------------

text_t string_head(text_view s, int64_t n) {
  if (n <= 0) return {};
  return text_t(s.substr(0, static_cast<size_t>(std::min<int64_t>(n, string_length(s)))));
}

text_t string_tail(text_view s, int64_t n) {
  if (n <= 0) return {};
  size_t take = static_cast<size_t>(std::min<int64_t>(n, string_length(s)));
  return text_t(s.substr(s.size() - take));
}

text_t string_substring(text_view s, int64_t start, int64_t length) {
  size_t from = start_index(start);
  if (length < 1 || from >= s.size()) return {};
  size_t take = static_cast<size_t>(std::min<int64_t>(length, static_cast<int64_t>(s.size() - from)));
  return text_t(s.substr(from, take));
}

text_t string_substring_to_end(text_view s, int64_t start) {
  size_t from = start_index(start);
  if (from >= s.size()) return {};
  return text_t(s.substr(from));
}

text_t string_insert(text_view s, text_view insertion, int64_t position) {
  size_t at = std::min(start_index(position), s.size());
  text_t out;
  out.reserve(s.size() + insertion.size());
  out.append(s.substr(0, at));
  out.append(insertion);
  out.append(s.substr(at));
  return out;
}

// ---- Trimming ----------------------------------------------------------------

namespace {

char16_t trim_unit(text_view c) { return c.empty() ? u' ' : c[0]; }

text_view trim_left_view(text_view s, char16_t u) {
  size_t i = 0;
  while (i < s.size() && s[i] == u) ++i;
  return s.substr(i);
}

text_view trim_right_view(text_view s, char16_t u) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == u) --n;
  return s.substr(0, n);
}

}  // namespace

text_t string_trim_spaces(text_view s) { return text_t(trim_right_view(trim_left_view(s, u' '), u' ')); }

text_t string_trim_char(text_view s, text_view c) {
  char16_t u = trim_unit(c);
  return text_t(trim_right_view(trim_left_view(s, u), u));
}

text_t string_trim_left_char(text_view s, text_view c) { return text_t(trim_left_view(s, trim_unit(c))); }
text_t string_trim_right_char(text_view s, text_view c) { return text_t(trim_right_view(s, trim_unit(c))); }

text_t string_of_spaces(int64_t n) { return n < 1 ? text_t() : text_t(static_cast<size_t>(n), u' '); }

int string_first_char_code(text_view s) { return s.empty() ? 0 : s[0]; }

text_t string_from_char_code(int64_t code) {
  char16_t u = static_cast<char16_t>(static_cast<uint64_t>(code) & 0xFFFF);
  return u == 0 ? text_t() : text_t(1, u);
}

// ---- Floats --------------------------------------------------------------------

namespace {

// Case-insensitive comparison of ASCII letters at s[i...].
bool starts_with_word(text_view s, size_t i, const char* word) {
  for (size_t k = 0; word[k]; ++k, ++i)
    if (i >= s.size() || unit_to_lower(s[i]) != static_cast<char16_t>(word[k])) return false;
  return true;
}

locale_t c_locale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return loc;
}

// Prints v with the given number of decimals, "." as the point and no
// sign for a value that rounds to zero.
std::string print_fixed(double v, int decimals) {
  std::string buf(static_cast<size_t>(decimals) + 400, '\0');
  auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::fixed, decimals);
  buf.resize(static_cast<size_t>(r.ptr - buf.data()));
  if (!buf.empty() && buf[0] == '-' && buf.find_first_not_of("-0.") == std::string::npos) buf.erase(0, 1);
  return buf;
}

const char* special_float_text(double v) {
  if (std::isnan(v)) return "NaN";
  if (std::isinf(v)) return v > 0 ? "+Infinity" : "-Infinity";
  return nullptr;
}

}  // namespace

float string_to_float(text_view s) {
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  size_t sign_at = i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  if (starts_with_word(s, i, "infinity"))
    return negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
  if (starts_with_word(s, i, "nan")) return std::numeric_limits<float>::quiet_NaN();

  // The longest decimal number at the start: digits, a point, digits and an
  // exponent that has at least one digit.
  size_t digits = 0;
  while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ++i, ++digits;
  if (i < s.size() && s[i] == u'.') {
    ++i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') ++i, ++digits;
  }
  if (digits == 0) return 0.0f;
  if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
    size_t e = i + 1;
    if (e < s.size() && (s[e] == u'+' || s[e] == u'-')) ++e;
    if (e < s.size() && s[e] >= u'0' && s[e] <= u'9') {
      while (e < s.size() && s[e] >= u'0' && s[e] <= u'9') ++e;
      i = e;
    }
  }
  std::string ascii;
  ascii.reserve(i - sign_at);
  for (size_t k = sign_at; k < i; ++k) ascii.push_back(static_cast<char>(s[k]));
  // strtof_l rounds once, straight to single precision, and gives an
  // infinity or zero for values out of range.
  if (locale_t loc = c_locale()) return strtof_l(ascii.c_str(), nullptr, loc);
  return std::strtof(ascii.c_str(), nullptr);  // the program keeps LC_NUMERIC at "C"
}

text_t string_from_float(int decimals, float v) {
  if (const char* special = special_float_text(v)) return from_utf8(special);
  if (decimals > 512) decimals = 512;
  if (decimals >= 0) return from_utf8(print_fixed(v, decimals));
  std::string text = print_fixed(v, 10);
  if (text.find('.') != std::string::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return from_utf8(text);
}

text_t string_format_number(int decimals, text_view point, text_view separator, double v) {
  if (const char* special = special_float_text(v)) return from_utf8(special);
  decimals = std::clamp(decimals, 0, 512);
  std::string printed = print_fixed(v, decimals);
  size_t dot = printed.find('.');
  std::string integer = printed.substr(0, dot);
  std::string fraction = dot == std::string::npos ? std::string() : printed.substr(dot + 1);
  bool negative = !integer.empty() && integer[0] == '-';
  if (negative) integer.erase(0, 1);

  text_t out;
  if (negative) out.push_back(u'-');
  for (size_t k = 0; k < integer.size(); ++k) {
    if (k > 0 && (integer.size() - k) % 3 == 0) out.append(separator);
    out.push_back(static_cast<char16_t>(integer[k]));
  }
  if (dot != std::string::npos) {
    out.append(point);
    for (char c : fraction) out.push_back(static_cast<char16_t>(c));
  }
  return out;
}

double math_round(double v, int mode) {
  switch (mode) {
    case 0: return std::floor(v);
    case 1: return std::ceil(v);
    default: return std::round(v);  // halves away from zero
  }
}

double math_abs(double v) { return std::fabs(v); }
