#include "common/charset.h"

#include "common/file.h"

#include <algorithm>
#include <iterator>

namespace {

#include "common/charset_tables.inc"

constexpr char16_t kReplacement = 0xFFFD;

struct charset_spelling {
  const char* name;  // upper case, without "-" or "_"
  int format;
};

// Every spelling the readers and Debian's files use, folded as fold_name does.
constexpr charset_spelling kSpellings[] = {
    {"UTF8", FORMAT_UTF8},           {"ISO88591", FORMAT_ASCII},        {"ISO88592", FORMAT_ISO8859_2},
    {"ISO88593", FORMAT_ISO8859_3},  {"ISO88594", FORMAT_ISO8859_4},    {"ISO88595", FORMAT_ISO8859_5},
    {"ISO88596", FORMAT_ISO8859_6},  {"ISO88597", FORMAT_ISO8859_7},    {"ISO88598", FORMAT_ISO8859_8},
    {"ISO88599", FORMAT_ISO8859_9},  {"ISO885910", FORMAT_ISO8859_10},  {"ISO885913", FORMAT_ISO8859_13},
    {"ISO885914", FORMAT_ISO8859_14}, {"ISO885915", FORMAT_ISO8859_15}, {"KOI8R", FORMAT_KOI8_R},
    {"KOI8U", FORMAT_KOI8_U},        {"MICROSOFTCP1251", FORMAT_CP1251}, {"CP1251", FORMAT_CP1251},
    {"WINDOWS1251", FORMAT_CP1251},  {"TIS6202533", FORMAT_TIS620},     {"TIS620", FORMAT_TIS620},
};

// The names shown, in format order from FORMAT_ISO8859_2.
constexpr const char16_t* kTableNames[] = {
    u"ISO8859-2",  u"ISO8859-3",  u"ISO8859-4",  u"ISO8859-5", u"ISO8859-6",        u"ISO8859-7",
    u"ISO8859-8",  u"ISO8859-9",  u"ISO8859-10", u"ISO8859-13", u"ISO8859-14",      u"ISO8859-15",
    u"KOI8-R",     u"KOI8-U",     u"microsoft-cp1251", u"TIS620-2533",
};
static_assert(std::size(kTableNames) == std::size(kCharsetUpperHalves));
static_assert(FORMAT_TIS620 - FORMAT_ISO8859_2 + 1 == std::size(kCharsetUpperHalves));

// Upper case ASCII without "-" and "_"; "" when the name holds anything a
// charset name never does.
std::string fold_name(text_view name) {
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  std::string out;
  for (char16_t c : name) {
    if (c == u'-' || c == u'_') continue;
    if (c >= 0x80 || c <= u' ') return {};
    out.push_back(static_cast<char>(c >= u'a' && c <= u'z' ? c - 32 : c));
  }
  return out;
}

}  // namespace

int charset_format_by_name(text_view name) {
  const std::string folded = fold_name(name);
  if (folded.empty()) return 0;
  for (const charset_spelling& s : kSpellings)
    if (folded == s.name) return s.format;
  return 0;
}

text_t charset_name(int format) {
  if (format == FORMAT_UTF8) return u"UTF-8";
  if (format == FORMAT_ASCII) return u"ISO8859-1";
  if (is_table_charset(format)) return kTableNames[format - FORMAT_ISO8859_2];
  return {};
}

bool is_table_charset(int format) { return format >= FORMAT_ISO8859_2 && format <= FORMAT_TIS620; }

char16_t charset_upper_unit(int format, unsigned char b) {
  if (!is_table_charset(format) || b < 0x80) return b;
  return kCharsetUpperHalves[format - FORMAT_ISO8859_2][b - 0x80];
}

void decode_table_charset_into(text_t& out, std::string_view bytes, int format) {
  const char16_t* upper = is_table_charset(format) ? kCharsetUpperHalves[format - FORMAT_ISO8859_2] : nullptr;
  out.resize(bytes.size());
  char16_t* d = out.data();
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    *d++ = b == 0 ? kReplacement : b < 0x80 || !upper ? char16_t{b} : upper[b - 0x80];
  }
}

aff_set_line find_aff_set_line(text_view text, size_t from) {
  auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
  aff_set_line r;
  size_t line = from;
  while (line < text.size()) {
    size_t end = text.find(u'\n', line);
    if (end == text_view::npos) end = text.size();
    size_t i = line;
    while (i < end && blank(text[i])) ++i;
    if (text.compare(i, 3, u"SET") == 0 && i + 3 < end && blank(text[i + 3])) {
      size_t value = i + 3;
      while (value < end && blank(text[value])) ++value;
      size_t value_end = value;
      while (value_end < end && !blank(text[value_end]) && text[value_end] != u'\r') ++value_end;
      r.found = true;
      r.line_start = line;
      r.value_start = value;
      r.value = text.substr(value, value_end - value);
      r.line = 1 + std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(line), u'\n');
      return r;
    }
    line = end + 1;
  }
  return r;
}
