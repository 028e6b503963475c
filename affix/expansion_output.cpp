#include "affix/expansion_output.h"

#include "affix/affix_expansion.h"
#include "common/file.h"
#include "common/format.h"

#include <algorithm>

int64_t expansion_output_count = 0;
std::array<int32_t, 4> affix_type_colours{-1, -1, -1, -1};
std::vector<derived_word_record> derived_word_rows;
int64_t derived_rows_added = 0;
bool derived_rows_capped = false;
int64_t derived_row_index = 0;
int64_t derived_words_sort_mode = 1;
std::vector<hyphenation_derived_row> hyphenation_derived_rows;
std::vector<text_t> expanded_words;
int64_t expanded_word_count = 0;
int64_t words_with_apostrophe = 0, words_with_hyphen = 0, words_with_capitals = 0;
std::array<int64_t, 6> short_word_histogram{};
std::array<int64_t, 27> first_letter_histogram{};
std::vector<word_type_counter_record> word_type_counters;
int64_t statistics_entry_index = 0;
int64_t statistics_word_type = 0;
int64_t statistics_type_filter = 0;
std::vector<text_t> statistics_view_lines;
text_t crunch_first_derivative;

namespace {

// Text for file 1, written in large pieces rather than word by word.
text_t file_buffer;
constexpr size_t FILE_BUFFER_UNITS = 1 << 16;

void flush_file_buffer() {
  if (file_buffer.empty()) return;
  file_write_text(1, file_buffer, FORMAT_UTF8);
  file_buffer.clear();
}

void append_number(text_t& out, int64_t v) {
  char16_t digits[24];
  int n = 0;
  uint64_t u = v < 0 ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  do {
    digits[n++] = static_cast<char16_t>(u'0' + u % 10);
    u /= 10;
  } while (u != 0);
  if (v < 0) out.push_back(u'-');
  while (n > 0) out.push_back(digits[--n]);
}

text_t last_units(text_view s, size_t n) { return text_t(s.size() > n ? s.substr(s.size() - n) : s); }

// "N: strip affix condition", N as given.
void append_rule_text(text_t& out, text_view number, const aff_rule_record& rule) {
  out.append(number).append(u": ").append(rule.strip).append(u" ").append(rule.affix_text).append(u" ")
      .append(rule.condition);
}

void add_list_row(const derived_row& row) {
  int32_t colour = affix_type_colours[static_cast<int>(row.type)];
  derived_word_record r;
  r.row_index = static_cast<int32_t>(derived_word_rows.size());
  r.word = row.word;
  r.type = derived_row_type_name(row.type);
  r.type_colour = colour;
  r.flag = row.flag;
  r.origin = row.origin_flag;
  if (!row.continuation_flag.empty()) r.origin.append(u"\t").append(row.continuation_flag);
  text_t position, rule_text;
  if (row.type != derived_row_type::primary) {
    append_number(position, row.position);
    r.flag_position = static_cast<int32_t>(row.position);
    text_t number;
    append_number(number, row.rule_number);
    append_rule_text(rule_text, number, *row.rule);
  }
  r.position_key = last_units(u"0000000000" + position, 8);
  size_t colon = rule_text.find(u':');
  text_t before = rule_text.substr(0, colon);
  text_t after = colon == text_t::npos ? text_t() : rule_text.substr(colon + 1);
  r.rule_key = last_units(u"0000000000" + before, 8) + u":" + after;
  derived_word_rows.push_back(std::move(r));
}

bool contains(text_view s, char16_t u) { return s.find(u) != text_view::npos; }

void write_csv_row(const derived_row& row) {
  text_view type = derived_row_type_name(row.type);
  if (row.type == derived_row_type::primary) {
    text_view fields[] = {row.word, row.word, row.word, type, {}, {}, {}};
    for (size_t i = 0; i < 7; ++i) {
      if (i) file_buffer.push_back(u';');
      append_csv_field(file_buffer, fields[i]);
    }
    file_buffer.push_back(u'\n');
    return;
  }
  text_t position, rule;
  append_number(position, row.position);
  text_t number;
  append_number(number, row.rule_number);
  append_rule_text(rule, pad_rule_number(number), *row.rule);
  text_view fields[] = {expansion_root_word, row.word, row.base, type, row.flag, position, rule};
  // Suffix and Both rows drop one trailing space of each field (an empty
  // condition leaves none).
  bool trim = row.type == derived_row_type::suffix || row.type == derived_row_type::both;
  for (size_t i = 0; i < 7; ++i) {
    if (i) file_buffer.push_back(u';');
    text_view f = fields[i];
    if (trim && !f.empty() && f.back() == u' ') f.remove_suffix(1);
    append_csv_field(file_buffer, f);
  }
  file_buffer.push_back(u'\n');
}

bool statistics_row_matches(const derived_row& row) {
  text_view w = row.word;
  switch (statistics_word_type) {
    case 0: return contains(w, u'\'');
    case 1: return contains(w, u'-');
    case 2: {
      if (w.empty()) return false;
      text_view b = row.type == derived_row_type::primary ? w : row.base;
      return !b.empty() && unit_to_upper(w[0]) == b[0];
    }
    default:
      return statistics_word_type >= 3 && statistics_word_type <= 7 &&
             static_cast<int64_t>(w.size()) == statistics_word_type - 2;
  }
}

text_t statistics_annotation(const derived_row& row) {
  if (statistics_type_filter == 0) return {};
  if (row.type == derived_row_type::primary) return u" (Primary)";
  return text_t(u" Flag:") + text_t(row.flag) + u" (Primary:" + text_t(row.base) + u")";
}

}  // namespace

text_view derived_row_type_name(derived_row_type type) {
  switch (type) {
    case derived_row_type::primary: return u"Primary";
    case derived_row_type::suffix: return u"Suffix";
    case derived_row_type::prefix: return u"Prefix";
    case derived_row_type::both: return u"Both";
  }
  return u"";
}

void append_csv_field(text_t& out, text_view field) {
  out.push_back(u'"');
  for (char16_t u : field) {
    if (u == u'"') out.push_back(u'"');
    out.push_back(u);
  }
  out.push_back(u'"');
}

text_t pad_rule_number(text_view text) {
  size_t width = string_from_int(std::max<int64_t>(0, aff_cache.aff_max_rules_per_set)).size();
  return last_units(u"0000" + text_t(text), width);
}

text_t derived_record_position_column(const derived_word_record& r) {
  return r.flag_position == 0 ? text_t() : string_from_int(r.flag_position);
}

text_t derived_record_rule_column(const derived_word_record& r) {
  size_t colon = r.rule_key.find(u':');
  text_t number = string_from_int(string_to_int(text_view(r.rule_key).substr(0, colon)));
  text_t column = number + u":" + (colon == text_t::npos ? text_t() : r.rule_key.substr(colon + 1));
  return column == u"0:" ? text_t() : column;
}

void sort_derived_words(int64_t n) {
  size_t count = std::min<size_t>(static_cast<size_t>(std::max<int64_t>(0, n)), derived_word_rows.size());
  auto first = derived_word_rows.begin(), last = first + count;
  if (derived_words_sort_mode <= 1 || derived_words_sort_mode > 5) {
    std::stable_sort(first, last, [](const auto& a, const auto& b) { return a.row_index < b.row_index; });
    return;
  }
  for (auto it = first; it != last; ++it) {
    switch (derived_words_sort_mode) {
      case 2: it->sort_key = it->type + u"\t" + it->flag; break;
      case 3: it->sort_key = it->flag + u"\t" + it->rule_key; break;
      case 4: it->sort_key = it->position_key + u"\t" + it->rule_key; break;
      default: it->sort_key = it->rule_key + u"\t" + it->flag; break;
    }
  }
  std::stable_sort(first, last, [](const auto& a, const auto& b) { return a.sort_key < b.sort_key; });
}

void reset_word_statistics() {
  words_with_apostrophe = words_with_hyphen = words_with_capitals = 0;
  short_word_histogram.fill(0);
  first_letter_histogram.fill(0);
  word_type_counters.clear();
  statistics_entry_index = 0;
}

void add_word_to_statistics(text_view word) {
  if (statistics_entry_index < 0) return;
  size_t e = static_cast<size_t>(statistics_entry_index);
  if (e >= word_type_counters.size()) word_type_counters.resize(e + 1);
  auto& counters = word_type_counters[e];
  if (contains(word, u'\'')) {
    ++words_with_apostrophe;
    ++counters.apostrophe_forms;
  }
  if (contains(word, u'-')) {
    ++words_with_hyphen;
    ++counters.hyphen_forms;
  }
  if (!word.empty() && word[0] != unit_to_lower(word[0])) {
    ++words_with_capitals;
    ++counters.capital_forms;
  }
  if (word.size() <= 5) {
    ++short_word_histogram[word.size()];
    counters.short_form_length = static_cast<int32_t>(word.size());
  }
  int c = 0;
  if (!word.empty()) {
    text_t folded = fold_accents_lowercase(word.substr(0, 1));
    c = folded.empty() ? 0 : folded[0];
  }
  ++first_letter_histogram[c >= u'a' && c <= u'z' ? c - 96 : 0];
}

void begin_expansion_output(const expansion_request& request) {
  expansion_output_count = 0;
  file_buffer.clear();
  if (request.mode == 1) {
    derived_rows_capped = false;
    if (request.to_hyphenation_list) {
      hyphenation_derived_rows.clear();
    } else {
      derived_word_rows.clear();
      derived_rows_added = 0;
    }
    derived_row_index = 0;
  } else if (request.mode == 100) {
    crunch_first_derivative.clear();
  }
}

void end_expansion_output(const expansion_request& request) {
  if (request.mode == 2 || request.mode == 7) flush_file_buffer();
}

bool output_derived_row(const expansion_request& request, const derived_row& row) {
  switch (request.mode) {
    case 1:
      if (static_cast<size_t>(expansion_output_count) >= DERIVED_ROW_VIEW_LIMIT) {
        derived_rows_capped = true;
        return false;
      }
      if (row.type != derived_row_type::primary) ++derived_row_index;
      if (request.to_hyphenation_list) {
        hyphenation_derived_rows.push_back(
            {text_t(row.word), text_t(row.flag), affix_type_colours[static_cast<int>(row.type)]});
      } else {
        ++derived_rows_added;
        add_list_row(row);
      }
      ++expansion_output_count;
      break;
    case 2:
      if (request.csv) {
        write_csv_row(row);
        ++expansion_output_count;
      } else if (request.hyphen_only) {
        if (contains(row.word, u'-')) {
          file_buffer.append(row.word).append(request.tag).push_back(u'\n');
          ++expansion_output_count;
        }
      } else {
        file_buffer.append(row.word).push_back(u'\n');
        ++expansion_output_count;
      }
      if (file_buffer.size() >= FILE_BUFFER_UNITS) flush_file_buffer();
      break;
    case 3:
      ++expansion_output_count;
      break;
    case 4: {
      size_t at = static_cast<size_t>(std::max<int64_t>(0, expanded_word_count + expansion_output_count));
      if (expanded_words.size() <= at) expanded_words.resize(at + 1);
      expanded_words[at].assign(row.word).append(request.suffix1).append(request.suffix2);
      ++expansion_output_count;
      break;
    }
    case 5:
      if (!request.csv) add_word_to_statistics(row.word);
      ++expansion_output_count;
      break;
    case 6:
    case 7:
      if (statistics_row_matches(row)) {
        text_t line = text_t(row.word) + statistics_annotation(row);
        if (request.mode == 6) {
          statistics_view_lines.push_back(std::move(line));
        } else {
          file_buffer.append(line).push_back(u'\n');
          if (file_buffer.size() >= FILE_BUFFER_UNITS) flush_file_buffer();
        }
      }
      break;
    case 100:
      if (row.type == derived_row_type::suffix) {
        crunch_first_derivative = row.word;
        return false;
      }
      break;
    default:
      break;
  }
  return true;
}
