#include "common/dic_entry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

void dic_line_to_entry(text_t& line) { dic_line_to_entry(line, line.data()); }

void dic_line_to_entry(text_view line, char16_t* out) {
  // Four units at a time while none of them is a TAB, then one by one up to
  // the TAB, then a plain copy of the rest.
  constexpr uint64_t kTabs = 0x0009000900090009ULL;
  constexpr uint64_t kOnes = 0x0001000100010001ULL;
  constexpr uint64_t kHighs = 0x8000800080008000ULL;
  const char16_t* p = line.data();
  const size_t n = line.size();
  size_t k = 0;
  for (; k + 4 <= n; k += 4) {
    uint64_t w;
    std::memcpy(&w, p + k, sizeof w);
    const uint64_t x = w ^ kTabs;  // a zero unit where a TAB was
    if (((x - kOnes) & ~x & kHighs) != 0) break;
    std::memcpy(out + k, &w, sizeof w);
  }
  for (; k < n; ++k) {
    const char16_t c = p[k];
    if (c == u'\t') {
      out[k++] = u'\n';
      break;
    }
    out[k] = c;
  }
  if (k < n && out != p) std::memcpy(out + k, p + k, (n - k) * sizeof(char16_t));
}

text_t dic_entry_to_line(text_view entry) {
  text_t line(entry);
  size_t lf = line.find(u'\n');
  if (lf != text_t::npos) line[lf] = u'\t';
  return line;
}

void append_dic_entry_line_utf8(std::string& out, text_view entry) {
  size_t lf = entry.find(u'\n');
  if (lf == text_view::npos) {
    append_utf8(out, entry);
  } else {
    append_utf8(out, entry.substr(0, lf));
    out.push_back('\t');
    append_utf8(out, entry.substr(lf + 1));
  }
}

size_t dic_flag_separator(text_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'/' && (i == 0 || text[i - 1] != u'\\')) return i;
  }
  return text_view::npos;
}

text_view dic_entry_head(text_view entry) {
  size_t lf = entry.find(u'\n');
  return lf == text_view::npos ? entry : entry.substr(0, lf);
}

namespace {

bool is_blank(char16_t u) { return u == u' ' || u == u'\t'; }

// Where the morphological description of a first line starts: at the blanks
// before the first field of the form "xx:", the two units before the colon
// being two bytes in UTF-8 (Hunspell reads the line as bytes). npos when
// there is none, or when only blanks stand before it (no word).
size_t morphology_start(text_view head) {
  for (size_t colon = head.find(u':'); colon != text_view::npos; colon = head.find(u':', colon + 1)) {
    size_t blank = text_view::npos;
    if (colon >= 3 && head[colon - 1] < 0x80 && head[colon - 2] < 0x80) {
      blank = colon - 3;
    } else if (colon >= 2 && head[colon - 1] >= 0x80 && head[colon - 1] < 0x800) {
      blank = colon - 2;
    }
    if (blank == text_view::npos || blank == 0 || !is_blank(head[blank])) continue;
    while (blank > 0 && is_blank(head[blank - 1])) --blank;
    return blank == 0 ? text_view::npos : blank;
  }
  return text_view::npos;
}

}  // namespace

dic_entry_parts split_dic_entry(text_view entry) {
  dic_entry_parts parts;
  const text_view head = dic_entry_head(entry);
  size_t end = morphology_start(head);
  if (end == text_view::npos) end = head.size();
  const text_view word_part = head.substr(0, end);
  const size_t slash = dic_flag_separator(word_part);
  if (slash == text_view::npos) {
    parts.word = word_part;
  } else {
    parts.word = word_part.substr(0, slash);
    size_t flags_end = slash + 1;
    while (flags_end < end && !is_blank(word_part[flags_end])) ++flags_end;
    parts.flags = word_part.substr(slash + 1, flags_end - slash - 1);
    parts.has_flags = true;
    end = flags_end;
  }
  parts.rest = entry.substr(end);
  parts.has_tags = !parts.rest.empty();
  size_t t = 0;
  while (t < parts.rest.size() && is_blank(parts.rest[t])) ++t;
  if (t < parts.rest.size() && parts.rest[t] == u'\n') ++t;
  parts.tags = parts.rest.substr(t);
  return parts;
}

bool dic_entry_word_is_empty(text_view entry) {
  return entry.empty() || entry[0] == u'\n' || entry[0] == u'/';
}

text_view dic_entry_word_and_flags(text_view entry) {
  return entry.substr(0, entry.size() - split_dic_entry(entry).rest.size());
}

text_t rebuild_dic_entry(const dic_entry_parts& parts, text_view flags) {
  text_t entry(parts.word);
  if (!flags.empty()) {
    entry += u'/';
    entry += flags;
  }
  entry += parts.rest;
  return entry;
}

text_view dic_entry_separator(const dic_entry_parts& parts) {
  return parts.rest.substr(0, parts.rest.size() - parts.tags.size());
}

text_t dic_entry_list_columns(text_view entry) {
  const dic_entry_parts parts = split_dic_entry(entry);
  text_t shown(entry.substr(0, entry.size() - parts.rest.size()));
  shown += u'\n';
  const size_t at = shown.size();
  shown += parts.tags;
  for (size_t i = at; i < shown.size(); ++i)
    if (shown[i] == u'\n') shown[i] = u'\t';
  return shown;
}

text_t make_dic_entry(text_view word, text_view flags, text_view tags) {
  text_t entry(word);
  if (!flags.empty()) {
    entry += u'/';
    entry += flags;
  }
  if (!tags.empty()) {
    entry += u'\n';
    entry += tags;
  }
  return entry;
}

text_t join_dic_entry(text_view word_and_flags, text_view separator, text_view tags) {
  // Separator and tags as they stand in the .dic line (a line feed there is
  // the line's first TAB), so the entry gets one line feed at most.
  auto as_line = [](text_view part) {
    text_t out(part);
    for (char16_t& u : out)
      if (u == u'\n') u = u'\t';
    return out;
  };
  const text_t line_tags = as_line(tags);
  if (!separator.empty()) {
    text_t entry(word_and_flags);
    entry += as_line(separator);
    entry += line_tags;
    dic_line_to_entry(entry);
    if (dic_entry_word_and_flags(entry).size() == word_and_flags.size() &&
        dic_entry_to_line(split_dic_entry(entry).tags) == line_tags)
      return entry;
  }
  text_t entry(word_and_flags);
  if (!line_tags.empty()) {
    entry += u'\n';
    entry += line_tags;
  }
  return entry;
}

text_t dic_entry_for_display(text_view entry) {
  text_t shown(entry);
  for (char16_t& u : shown) {
    if (u == u'\n') u = u' ';
  }
  return shown;
}
