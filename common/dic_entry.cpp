#include "common/dic_entry.h"

void dic_line_to_entry(text_t& line) {
  size_t tab = line.find(u'\t');
  if (tab != text_t::npos) line[tab] = u'\n';
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

dic_entry_parts split_dic_entry(text_view entry) {
  dic_entry_parts parts;
  size_t lf = entry.find(u'\n');
  text_view head = entry;
  if (lf != text_view::npos) {
    head = entry.substr(0, lf);
    parts.tags = entry.substr(lf + 1);
    parts.has_tags = true;
  }
  size_t slash = dic_flag_separator(head);
  if (slash == text_view::npos) {
    parts.word = head;
  } else {
    parts.word = head.substr(0, slash);
    parts.flags = head.substr(slash + 1);
    parts.has_flags = true;
  }
  return parts;
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

text_t dic_entry_for_display(text_view entry) {
  text_t shown(entry);
  for (char16_t& u : shown) {
    if (u == u'\n') u = u' ';
  }
  return shown;
}
