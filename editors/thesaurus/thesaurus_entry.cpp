#include "editors/thesaurus/thesaurus_entry.h"

#include <algorithm>

text_view thesaurus_header(text_view entry) { return entry.substr(0, entry.find(u'\n')); }

text_view thesaurus_head_word(text_view header) {
  const size_t bar = header.find(u'|');
  return bar == text_view::npos ? text_view() : header.substr(0, bar);
}

text_view thesaurus_index_word(text_view header) {
  const size_t bar = header.find(u'|');
  return bar == text_view::npos ? text_view() : header.substr(0, bar + 1);
}

int64_t thesaurus_meaning_count(text_view header) {
  const size_t bar = header.find(u'|');
  if (bar == text_view::npos) return 0;
  text_view field = header.substr(bar + 1);
  return string_to_int(field.substr(0, field.find(u'|')));
}

std::vector<text_view> thesaurus_meanings(text_view entry) {
  const int64_t n = thesaurus_meaning_count(thesaurus_header(entry));
  std::vector<text_view> lines;
  if (n <= 0) return lines;
  lines.reserve(static_cast<size_t>(std::min<int64_t>(n, THESAURUS_MEANING_LIMIT)));
  size_t at = entry.find(u'\n');
  while (static_cast<int64_t>(lines.size()) < n) {
    if (at == text_view::npos) {
      lines.emplace_back();
      continue;
    }
    const size_t start = at + 1;
    at = entry.find(u'\n', start);
    lines.push_back(entry.substr(start, at == text_view::npos ? text_view::npos : at - start));
  }
  return lines;
}
