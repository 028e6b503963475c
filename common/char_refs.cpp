#include "common/char_refs.h"

namespace {

int digit_value(char16_t u, int base) {
  int v = -1;
  if (u >= u'0' && u <= u'9') v = u - u'0';
  else if (base == 16 && u >= u'a' && u <= u'f') v = u - u'a' + 10;
  else if (base == 16 && u >= u'A' && u <= u'F') v = u - u'A' + 10;
  return v;
}

void append_code_point(text_t& out, char32_t cp) {
  if (cp < 0x10000) {
    out += static_cast<char16_t>(cp);
  } else {
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  }
}

}  // namespace

bool parse_numeric_char_ref(text_view s, size_t at, char32_t& code_point, size_t& length) {
  if (at + 2 > s.size() || s[at] != u'&' || s[at + 1] != u'#') return false;
  size_t i = at + 2;
  int base = 10;
  if (i < s.size() && (s[i] == u'x' || s[i] == u'X')) {
    base = 16;
    ++i;
  }
  const size_t digits_start = i;
  uint32_t value = 0;
  for (; i < s.size() && s[i] != u';'; ++i) {
    const int d = digit_value(s[i], base);
    if (d < 0) return false;
    value = value * base + d;
    if (value > 0x10FFFF) return false;  // also stops an overflow of long digit runs
  }
  if (i == digits_start || i >= s.size()) return false;  // no digits, or no ";"
  if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return false;
  code_point = value;
  length = i + 1 - at;
  return true;
}

text_t decode_numeric_char_refs(text_view s) {
  text_t out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    char32_t cp = 0;
    size_t length = 0;
    if (s[i] == u'&' && parse_numeric_char_ref(s, i, cp, length)) {
      append_code_point(out, cp);
      i += length;
    } else {
      out += s[i++];
    }
  }
  return out;
}
