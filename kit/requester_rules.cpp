#include "kit/requester_rules.h"

#include "common/file.h"

#include <vector>

namespace {

bool ends_with_ignoring_case(text_view s, text_view end) {
  if (end.empty() || end.size() > s.size()) return false;
  return string_to_lower(s.substr(s.size() - end.size())) == string_to_lower(end);
}

// The extensions named in the pattern's "(*...)" groups, in order.
std::vector<text_t> pattern_extensions(text_view pattern) {
  std::vector<text_t> out;
  size_t at = 0;
  while ((at = pattern.find(u"(*", at)) != text_view::npos) {
    at += 2;
    const size_t close = pattern.find(u')', at);
    if (close == text_view::npos) break;
    out.emplace_back(pattern.substr(at, close - at));
    at = close + 1;
  }
  return out;
}

}  // namespace

text_t save_path_with_extension(text_view chosen, text_view pattern, text_view extension) {
  if (ends_with_ignoring_case(chosen, extension)) return text_t(chosen);
  const std::vector<text_t> extensions = pattern_extensions(pattern);
  if (extensions.size() >= 2) {
    for (const text_t& e : extensions) {
      if (ends_with_ignoring_case(chosen, e)) return text_t(chosen);
    }
  }
  return text_t(chosen) + text_t(extension);
}

text_t encoding_name(int format) {
  switch (format) {
    case FORMAT_UTF8: return u"UTF-8";
    case FORMAT_UTF16BE: return u"UTF-16 (big endian)";
    case FORMAT_UTF32LE: return u"UTF-32 (little endian)";
    case FORMAT_UTF32BE: return u"UTF-32 (big endian)";
    case FORMAT_ASCII: return u"ANSI";
    case FORMAT_UTF16LE: return u"UTF-16 (little endian)";
    default: return u"Unknown";
  }
}

text_t non_utf8_bom_question(text_view encoding) {
  return u"The file to open is not encoded in \"UTF-8-BOM\"\n\nIt may lead to corrupt results."
         u"\n\nEncoding detected:" + text_t(encoding) + u"\n\nContinue?";
}
