#include "common/xml_text.h"

#include <cstdint>

text_t xml_escape_attribute(text_view s) {
  text_t out;
  out.reserve(s.size() + 8);
  for (char16_t u : s) {
    switch (u) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += u"&quot;"; break;
      case u'\t': out += u"&#9;"; break;
      case u'\n': out += u"&#10;"; break;
      case u'\r': out += u"&#13;"; break;
      default: out.push_back(u);
    }
  }
  return out;
}

namespace {

// Characters an XML document may hold.
bool is_xml_char(uint32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
         (c >= 0x10000 && c <= 0x10FFFF);
}

int digit_value(char16_t u, int base) {
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (base == 16 && u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (base == 16 && u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

}  // namespace

uint32_t xml_character_reference(text_view body) {
  if (body.size() < 2 || body[0] != u'#') return 0;
  int base = 10;
  size_t i = 1;
  if (body[1] == u'x') {
    base = 16;
    i = 2;
  }
  if (i >= body.size()) return 0;
  uint32_t value = 0;
  for (; i < body.size(); ++i) {
    int d = digit_value(body[i], base);
    if (d < 0) return 0;
    value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(d);
    if (value > 0x10FFFF) return 0;
  }
  return is_xml_char(value) ? value : 0;
}

namespace {

char16_t predefined_entity(text_view name) {
  if (name == u"amp") return u'&';
  if (name == u"lt") return u'<';
  if (name == u"gt") return u'>';
  if (name == u"quot") return u'"';
  if (name == u"apos") return u'\'';
  return 0;
}

}  // namespace

void append_code_point(text_t& out, uint32_t c) {
  if (c < 0x10000) {
    out.push_back(static_cast<char16_t>(c));
    return;
  }
  c -= 0x10000;
  out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
  out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
}

namespace {

// Longer than any reference worth decoding (leading zeros included); a ";"
// further away ends no reference, so a stray "&" costs no long search.
constexpr size_t kLongestReference = 32;

text_t decode_references(text_view s, bool entities) {
  text_t out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const size_t amp = s.find(u'&', i);
    if (amp == text_view::npos) break;
    out.append(s.substr(i, amp - i));
    i = amp + 1;
    const size_t semicolon = s.substr(0, amp + kLongestReference).find(u';', amp + 1);
    if (semicolon == text_view::npos) {
      out.push_back(u'&');
      continue;
    }
    const text_view body = s.substr(amp + 1, semicolon - amp - 1);
    if (char16_t c = entities ? predefined_entity(body) : 0) {
      out.push_back(c);
      i = semicolon + 1;
    } else if (uint32_t cp = xml_character_reference(body)) {
      append_code_point(out, cp);
      i = semicolon + 1;
    } else {
      out.push_back(u'&');  // kept as it stands; the rest is plain text
    }
  }
  out.append(s.substr(i));
  return out;
}

}  // namespace

text_t xml_decode_references(text_view s) { return decode_references(s, true); }

text_t xml_decode_character_references(text_view s) { return decode_references(s, false); }

text_t xml_remove_comments(text_view s, bool& in_comment) {
  text_t out;
  size_t i = 0;
  while (i < s.size()) {
    if (in_comment) {
      const size_t end = s.find(u"-->", i);
      if (end == text_view::npos) break;
      i = end + 3;
      in_comment = false;
    } else {
      const size_t start = s.find(u"<!--", i);
      if (start == text_view::npos) {
        out.append(s.substr(i));
        break;
      }
      out.append(s.substr(i, start - i));
      i = start + 4;
      in_comment = true;
    }
  }
  return out;
}
