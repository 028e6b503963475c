#include "dictionary/word_editor.h"

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "common/file.h"
#include "common/dic_entry.h"
#include "common/format.h"

#include <algorithm>

// ---- Fields ---------------------------------------------------------------------

text_t clean_word_field(text_view text) { return string_remove_units(text, u"\t\r\n"); }
text_t clean_tags_field(text_view text) { return string_remove_units(text, u"\r\n"); }

word_field_look word_field_look_of(text_view word) {
  if (!word.empty() && word.front() == u'/') return word_field_look::flag_only;
  if (word.empty()) return word_field_look::empty;
  if (has_invalid_spaces(word)) return word_field_look::invalid;
  // A separator with nothing after it; "\/" at the end is an escaped slash,
  // part of the word.
  size_t n = word.size();
  if (word[n - 1] == u'/' && (n < 2 || word[n - 2] != u'\\')) return word_field_look::invalid;
  return word_field_look::normal;
}

bool tags_field_invalid(text_view tags) { return has_invalid_spaces(tags); }

word_editor_check validate_word_editor_fields(text_view word, text_view tags) {
  using namespace word_editor_ids;
  word_field_look look = word_field_look_of(word);
  if (word.empty() || word == u" ") return {false, u"No dictionary word text.", WORD_FIELD};
  if (look != word_field_look::flag_only && has_invalid_spaces(word))
    return {false, u"Invalid spaces in dictionary word.", WORD_FIELD};
  if (tags_field_invalid(tags)) return {false, u"Tags incorrect (spaces).", TAGS_FIELD};
  if (look == word_field_look::invalid) return {false, u"Invalid dictionary word.", WORD_FIELD};
  return {};
}

word_editor_fields word_editor_fields_of_entry(text_view entry) {
  const dic_entry_parts parts = split_dic_entry(entry);
  // The fields hold no line feed: the one of the entry is shown as the TAB
  // of its .dic line.
  return {text_t(dic_entry_word_and_flags(entry)), dic_entry_to_line(parts.tags),
          dic_entry_to_line(dic_entry_separator(parts))};
}

text_t word_editor_entry_of_fields(text_view word, text_view tags, const word_editor_fields& at_open) {
  const text_t cleaned_tags = clean_tags_field(tags);
  // Tags the user emptied take their separator with them.
  const text_view separator =
      cleaned_tags.empty() && !at_open.tags.empty() ? text_view() : text_view(at_open.separator);
  return join_dic_entry(clean_word_field(word), separator, cleaned_tags);
}

bool commit_word_editor_entry(list_document& doc, bool add, text_view entry, bool fields_changed) {
  if (!add && !doc.has_selection()) return false;
  if (fields_changed) doc.save_undo();
  if (add) {
    doc.append(text_t(entry));
  } else {
    doc.set_entry(doc.selected(), text_t(entry));
  }
  if (fields_changed) doc.mark_changed();
  return true;
}

// ---- Taboo indicator ----------------------------------------------------------------

taboo_look update_taboo_indicator(word_field_look look, word_field_look previous_look,
                                  int64_t& colour) {
  if (look == word_field_look::flag_only && previous_look != word_field_look::flag_only)
    colour = 0xFFFF;
  if (look == word_field_look::invalid || look == word_field_look::empty) colour = 0;
  switch (colour) {
    case 0xFF00: return {WORD_EDITOR_GREEN, 50};
    case 0xFF: return {WORD_EDITOR_RED, 51};
    case 0xFFFF: return {WORD_EDITOR_AMBER, 96};
    default: return {WORD_EDITOR_BLACK, 49};
  }
}

special_flag_images current_special_flag_images(const aff_decode_cache& cache, const expansion_indicators& ind) {
  special_flag_images s{};
  s.keepcase = ind.keepcase ? 81 : 80;
  s.needaffix = ind.needaffix || ind.derived_needaffix ? 54 : 56;
  s.forbiddenword = ind.forbiddenword ? 55 : 57;
  s.complexprefixes = cache.aff_complex_prefixes == 1 ? 85 : 86;
  s.circumfix = ind.circumfix_seen || ind.circumfix ? 77 : 78;
  switch (cache.aff_flag_mode) {
    case FLAG_MODE_LONG: s.flag_mode = 76, s.flag_mode_tooltip = u"FLAG long"; break;
    case FLAG_MODE_NUM: s.flag_mode = 75, s.flag_mode_tooltip = u"FLAG num"; break;
    default: s.flag_mode = 74, s.flag_mode_tooltip = u"FLAG chr"; break;
  }
  return s;
}

// ---- Derived-words panel ---------------------------------------------------------

text_t derived_list_row_text(const derived_word_record& row) {
  text_t s = row.word;
  s.append(u"\n").append(row.type).append(u"\n").append(row.flag).append(u"\n");
  s.append(derived_record_position_column(row)).append(u"\n").append(derived_record_rule_column(row));
  return s;
}

text_t derived_list_title(int64_t rows) { return u"Derived words (" + string_from_int(rows) + u")"; }

text_t derived_list_title(int64_t rows, bool capped) {
  text_t title = derived_list_title(rows);
  if (capped) title += u" - too many to list: only the first " + string_from_int(rows) + u" are shown";
  return title;
}

derived_words_summary summarise_derived_words(const std::vector<derived_word_record>& rows) {
  derived_words_summary out;
  if (rows.empty()) return out;
  out.top_level.push_back(u"Primary 1");
  // Keyed once; ties of the case-insensitive order fall back to the exact
  // text, so equal origins always stand together.
  std::vector<std::pair<text_t, const text_t*>> keyed;
  keyed.reserve(rows.size());
  for (const derived_word_record& r : rows)
    if (r.type != derived_row_type_name(derived_row_type::primary))
      keyed.emplace_back(string_to_lower(r.origin), &r.origin);
  std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    return *a.second < *b.second;
  });
  for (size_t i = 0; i < keyed.size();) {
    const text_t& origin = *keyed[i].second;
    size_t j = i + 1;
    while (j < keyed.size() && *keyed[j].second == origin) ++j;
    text_t count = string_from_int(static_cast<int64_t>(j - i));
    size_t tab = origin.find(u'\t');
    if (tab == text_t::npos) {
      out.top_level.push_back(origin + u" tag " + count);
    } else {
      out.nested.push_back(origin.substr(0, tab) + u" tag — " + origin.substr(tab + 1) + u" tag " +
                           count);
    }
    i = j;
  }
  return out;
}

std::vector<uint8_t> derived_words_matching(const std::vector<derived_word_record>& rows,
                                            text_view prefix) {
  std::vector<uint8_t> hits(rows.size(), 0);
  for (size_t i = 0; i < rows.size(); ++i)
    hits[i] = text_view(rows[i].word).substr(0, prefix.size()) == prefix ? 1 : 0;
  return hits;
}

text_t derived_popup_refusal(size_t rows, int64_t selected) {
  if (rows == 0) return u"No dictionary words found.";
  if (selected < 0 || static_cast<size_t>(selected) >= rows) return u"No dictionary word selected.";
  return {};
}

namespace {

// Lines of the chosen rows, each followed by LF, except that a single row
// gives its line alone.
template <class F>
text_t join_rows(const std::vector<derived_word_record>& rows, bool all, int64_t selected, F line) {
  if (!all) {
    if (selected < 0 || static_cast<size_t>(selected) >= rows.size()) return {};
    return line(rows[static_cast<size_t>(selected)]);
  }
  if (rows.size() == 1) return line(rows[0]);
  text_t out;
  for (const derived_word_record& r : rows) out.append(line(r)).push_back(u'\n');
  return out;
}

text_t quoted(text_view s) { return u"\"" + text_t(s) + u"\""; }

}  // namespace

text_t copy_derived_words_text(const std::vector<derived_word_record>& rows, bool all,
                               int64_t selected) {
  return join_rows(rows, all, selected, [](const derived_word_record& r) { return r.word; });
}

text_t copy_derived_words_with_rules_text(const std::vector<derived_word_record>& rows, bool all,
                                          int64_t selected, text_view primary_word) {
  return join_rows(rows, all, selected, [&](const derived_word_record& r) {
    text_t line = quoted(r.word) + u"," + quoted(primary_word) + u"," + quoted(r.type) + u"," +
                  quoted(r.flag) + u"," + quoted(derived_record_rule_column(r));
    line = string_replace(line, u" \"", u"\"");
    return string_replace(line, u"\" ", u"\"");
  });
}

text_t copy_flag_rule_text(const derived_word_record& row) {
  return quoted(derived_record_rule_column(row));
}

text_t derived_primary_word(const std::vector<derived_word_record>& rows) {
  for (const derived_word_record& r : rows)
    if (r.type == derived_row_type_name(derived_row_type::primary)) return r.word;
  return rows.empty() ? text_t() : rows[0].word;
}

remove_flag_outcome remove_flag_from_word_text(text_view field, text_view flag, int64_t flag_mode) {
  const dic_entry_parts parts = split_dic_entry(field);
  if (!parts.has_flags || parts.word.empty() || parts.flags.empty()) return {};
  const text_view flags = parts.flags;
  text_t kept;
  bool found = false;
  for_each_affix_flag(flags, flag_mode, [&](text_view f) {
    if (f.empty()) return;  // FLAG num "3,,7": no flag between the commas
    if (f == flag) {
      found = true;
      return;
    }
    if (flag_mode == FLAG_MODE_NUM && !kept.empty()) kept.push_back(u',');
    kept.append(f);
  });
  if (!found) return {remove_flag_result::not_found, {}};
  return {remove_flag_result::removed, rebuild_dic_entry(parts, kept)};
}

// ---- Remembered sort mode -------------------------------------------------------------

int64_t clamp_derived_words_sort_mode(int64_t mode) {
  return mode >= DERIVED_SORT_LIST_ORDER && mode <= DERIVED_SORT_RULE_FLAG ? mode : DERIVED_SORT_LIST_ORDER;
}

std::string derivates_sort_prefs_bytes(int64_t mode) {
  uint32_t v = static_cast<uint32_t>(clamp_derived_words_sort_mode(mode));
  std::string bytes = "41\n";
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return bytes;
}

bool write_derivates_sort_prefs(text_view path, int64_t mode) {
  std::string bytes = derivates_sort_prefs_bytes(mode);
  atomic_file out;
  if (!out.create(path)) return false;
  out.write(bytes.data(), bytes.size());
  return out.commit();
}

void read_derivates_sort_prefs(text_view path, derived_words_options& options) {
  settings_reader in(path);
  if (!in.framed()) return;
  const int64_t mode = in.int32();
  if (in.ok() && mode >= DERIVED_SORT_LIST_ORDER && mode <= DERIVED_SORT_RULE_FLAG) options.sort_mode = mode;
}

settings_file_registration derived_words_settings_file(derived_words_options& options) {
  return {derivates_sort_prefs_file, [&options] { options = derived_words_options(); },
          [&options](const text_t& path) { read_derivates_sort_prefs(path, options); }};
}

// ---- The .AFF view -------------------------------------------------------------------

text_t aff_view_text_of_cache(text_view aff_cache_text) {
  if (!aff_cache_text.empty() && aff_cache_text.back() == u'\n') aff_cache_text.remove_suffix(1);
  return text_t(aff_cache_text);
}
