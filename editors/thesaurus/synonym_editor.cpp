#include "editors/thesaurus/synonym_editor.h"

#include "editors/thesaurus/thesaurus_entry.h"

#include <algorithm>

synonym_editor_fields synonym_editor_fields_of_entry(text_view entry) {
  synonym_editor_fields f;
  f.word = thesaurus_head_word(thesaurus_header(entry));
  for (text_view line : thesaurus_meanings(entry)) {
    if (line.empty()) continue;
    f.meanings += line;
    f.meanings += u'\n';
  }
  return f;
}

bool synonym_word_has_invalid_spaces(text_view word) {
  if (word.empty()) return false;
  return word.front() == u' ' || word.back() == u' ' || word.find(u"  ") != text_view::npos;
}

namespace {

synonym_editor_check refuse(const char* message, synonym_field focus) {
  return synonym_editor_check{false, T(message), focus};
}

// An empty line in a text whose lines end with CR LF: a LF directly
// followed by a CR. Empty lines between LFs are meanings of their own.
bool has_blank_meaning(text_view meanings) { return meanings.find(u"\n\r") != text_view::npos; }

}  // namespace

synonym_editor_check check_synonym_editor_fields(text_view word, text_view meanings) {
  if (word.empty() || word == u" ") return refuse("No synonym text.", synonym_field::word);
  if (synonym_word_has_invalid_spaces(word)) return refuse("Invalid spaces in synonym.", synonym_field::word);
  if (word.find_first_of(u"|\t\n\r") != text_view::npos) {
    return refuse("A synonym cannot hold \"|\", a tab or a line break.", synonym_field::word);
  }
  if (meanings.empty() || meanings == u" ") return refuse("No meanings text.", synonym_field::meanings);
  if (has_blank_meaning(meanings)) return refuse("There are blank meanings.", synonym_field::meanings);
  if (synonym_meaning_lines(meanings) > THESAURUS_MEANING_LIMIT) {
    return synonym_editor_check{false,
                                T("Synonym has more than ") + string_from_int(THESAURUS_MEANING_LIMIT) + T(" meanings."),
                                synonym_field::meanings};
  }
  return synonym_editor_check{};
}

int64_t synonym_meaning_lines(text_view meanings) {
  int64_t n = std::count(meanings.begin(), meanings.end(), u'\n');
  if (meanings.empty() || meanings.back() != u'\n') ++n;
  return n;
}

text_t synonym_entry_of_fields(text_view word, text_view meanings) {
  text_t entry = text_t(word) + u"|" + string_from_int(synonym_meaning_lines(meanings)) + u"\n";
  for (char16_t c : meanings) {
    if (c != u'\r') entry += c;
  }
  if (entry.back() == u'\n') entry.pop_back();
  return entry;
}

int64_t synonym_counter_lines(text_view meanings) {
  if (meanings.empty()) return 0;
  const int64_t lf = std::count(meanings.begin(), meanings.end(), u'\n');
  return lf > 0 ? lf : std::count(meanings.begin(), meanings.end(), u'\r');
}

text_t synonym_counter_text(int64_t lines, text_view separator) {
  return u"|" + string_format_number(0, u".", separator, static_cast<double>(lines)) + u"/" +
         string_format_number(0, u".", separator, static_cast<double>(THESAURUS_MEANING_LIMIT)) + u" lines";
}
