// Text values: UTF-8 and Latin-1 borders, case mapping, finding, replacing,
// parts and numbers. Dictionary loads run these on every line, so the
// conversions take an ASCII fast path and case mapping is a table lookup.
#include "common/text.h"

#include <glib.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
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

struct CaseTables {
  std::array<char16_t, 65536> lower;
  std::array<char16_t, 65536> upper;
  CaseTables() {
    for (uint32_t u = 0; u < 65536; ++u) {
      char16_t l = static_cast<char16_t>(u), up = static_cast<char16_t>(u);
      if (u < 0xD800 || u > 0xDFFF) {
        gunichar gl = g_unichar_tolower(u), gu = g_unichar_toupper(u);
        // A mapping outside the BMP cannot be one unit: the unit stays.
        if (gl != 0 && gl < 0x10000 && !(gl >= 0xD800 && gl <= 0xDFFF)) l = static_cast<char16_t>(gl);
        if (gu != 0 && gu < 0x10000 && !(gu >= 0xD800 && gu <= 0xDFFF)) up = static_cast<char16_t>(gu);
      }
      lower[u] = l;
      upper[u] = up;
    }
  }
};

const CaseTables& case_tables() {
  static const std::unique_ptr<CaseTables> tables = std::make_unique<CaseTables>();
  return *tables;
}

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
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  size_t n = s.size();
  text_t out;
  size_t i = ascii_prefix(p, n);
  out.resize(i);
  for (size_t k = 0; k < i; ++k) out[k] = p[k];
  if (i == n) return out;
  out.reserve(n);
  while (i < n) {
    unsigned char b = p[i];
    if (b == 0) break;
    if (b < 0x80) {
      out.push_back(b);
      ++i;
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
  return out;
}

bool is_valid_utf8(std::string_view s) {
  const auto* p = reinterpret_cast<const unsigned char*>(s.data());
  size_t n = s.size();
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
    if (cp == kReplacement && !(i - start == 3 && p[start] == 0xEF && p[start + 1] == 0xBF && p[start + 2] == 0xBD))
      return false;
  }
  return true;
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

char16_t unit_to_lower(char16_t u) { return case_tables().lower[u]; }
char16_t unit_to_upper(char16_t u) { return case_tables().upper[u]; }

text_t string_to_lower(text_view s) {
  const auto& t = case_tables().lower;
  text_t out(s.size(), u'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = t[s[i]];
  return out;
}

text_t string_to_upper(text_view s) {
  const auto& t = case_tables().upper;
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
    if (overflow || magnitude > kMaxPositive + 1) return std::numeric_limits<int64_t>::min();
    if (magnitude == kMaxPositive + 1) return std::numeric_limits<int64_t>::min();
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
