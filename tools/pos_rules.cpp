#include "tools/pos_rules.h"

#include "common/file.h"
#include "common/settings_file.h"
#include "tools/pos_rule_presets.h"

#include <algorithm>

namespace {

bool valid_language(const pos_rule_tables& tables, int64_t language) {
  return language >= 0 && language < POS_RULE_LANGUAGES_MAX && static_cast<size_t>(language) < tables.table.size() &&
         static_cast<size_t>(language) < tables.counts.size();
}

}  // namespace


pos_rule_parts split_pos_rule(text_view rule) {
  pos_rule_parts p;
  const size_t first = rule.find(u'\n');
  if (first == text_view::npos) {
    p.source = rule;
    return p;
  }
  p.source = rule.substr(0, first);
  const size_t second = rule.find(u'\n', first + 1);
  if (second == text_view::npos) {
    p.target = rule.substr(first + 1);
    return p;
  }
  p.target = rule.substr(first + 1, second - first - 1);
  p.comment = rule.substr(second + 1);
  return p;
}

text_t join_pos_rule(const pos_rule_parts& parts) {
  return parts.source + u"\n" + parts.target + u"\n" + parts.comment;
}

text_t clean_pos_rule_field(text_view field) {
  text_t out;
  out.reserve(field.size());
  for (char16_t c : field) {
    if (c != u'\t' && c != u'\n' && c != u'\r') out += c;
  }
  return out;
}

bool pos_rule_has_empty_field(const pos_rule_parts& parts) {
  return string_trim_spaces(parts.source).empty() || string_trim_spaces(parts.target).empty() ||
         string_trim_spaces(parts.comment).empty();
}

std::vector<text_t> pos_language_rules(const pos_rule_tables& tables, int64_t language) {
  if (!valid_language(tables, language)) return {};
  const std::vector<text_t>& row = tables.table[static_cast<size_t>(language)];
  const int64_t count = std::clamp<int64_t>(tables.counts[static_cast<size_t>(language)], 0,
                                            static_cast<int64_t>(row.size()) - 1);
  return std::vector<text_t>(row.begin() + 1, row.begin() + 1 + count);
}

void set_pos_language_rules(pos_rule_tables& tables, int64_t language, const std::vector<text_t>& rules) {
  if (!valid_language(tables, language)) return;
  std::vector<text_t>& row = tables.table[static_cast<size_t>(language)];
  row.assign(POS_RULE_MAX + 1, text_t());
  const size_t kept = std::min(rules.size(), static_cast<size_t>(POS_RULE_MAX));
  for (size_t r = 0; r < kept; ++r) row[r + 1] = rules[r];
  tables.counts[static_cast<size_t>(language)] = static_cast<int64_t>(kept);
}

text_t pos_rules_found_label(int64_t count) { return u"Found:" + string_from_int(count); }

text_t pos_rules_selected_label(int64_t checked, int64_t count) {
  if (count <= 0 || checked <= 0) return u"Selected:None";
  if (checked >= count) return u"Selected:All";
  return u"Selected:" + string_from_int(checked) + u"/" + string_from_int(count);
}

bool write_pos_settings_file(text_view path, const pos_rule_tables& tables) {
  std::string bytes;
  append_utf8_line(bytes, settings_format_id);
  append_little_endian(bytes, tables.language, 4);
  return write_file_atomically(path, bytes);
}

bool write_pos_lists_file(text_view path, const pos_rule_tables& tables) {
  std::string bytes;
  const int64_t count = std::clamp<int64_t>(tables.language_count, 0, POS_RULE_LANGUAGES_MAX);
  append_utf8_line(bytes, settings_format_id);
  append_utf8_line(bytes, string_from_int(count));
  for (int64_t i = 0; i < count; ++i) {
    const text_t name = static_cast<size_t>(i) < tables.languages.size()
                            ? clean_pos_rule_field(tables.languages[static_cast<size_t>(i)])
                            : text_t();
    const std::vector<text_t> rules = pos_language_rules(tables, i);
    append_utf8_line(bytes, name);
    append_utf8_line(bytes, string_from_int(static_cast<int64_t>(rules.size())));
    for (const text_t& rule : rules) {
      const pos_rule_parts p = split_pos_rule(rule);
      append_utf8_line(bytes, clean_pos_rule_field(p.source) + u"\t" + clean_pos_rule_field(p.target) + u"\t" +
                                  clean_pos_rule_field(p.comment));
    }
  }
  return write_file_atomically(path, bytes);
}

void read_pos_lists_file(text_view path, pos_rule_tables& tables) {
  settings_reader in(path);
  if (!in.framed()) return;
  int64_t count = in.decimal_line();
  if (!in.ok() || count < 1) return;
  const int64_t kept = std::min(count, POS_RULE_LANGUAGES_MAX);
  std::vector<text_t> names(kept);
  std::vector<std::vector<text_t>> rules(kept);
  for (int64_t i = 0; i < count && in.ok(); ++i) {
    text_t name = in.line();
    int64_t rule_count = in.decimal_line();
    // The declared count is only trusted as far as the file has lines.
    for (int64_t r = 0; r < rule_count && in.ok(); ++r) {
      text_t rule = in.line();
      if (i < kept && r < POS_RULE_MAX) rules[i].push_back(string_replace(rule, u"\t", u"\n"));
    }
    if (i < kept) names[i] = name;
  }
  if (!in.ok()) return;
  tables.language_count = kept;
  for (int64_t i = 0; i < kept; ++i) {
    tables.languages[i] = names[i];
    tables.counts[i] = static_cast<int64_t>(rules[i].size());
    std::vector<text_t>& row = tables.table[i];
    std::fill(row.begin(), row.end(), text_t());
    for (size_t r = 0; r < rules[i].size(); ++r) row[r + 1] = rules[i][r];
  }
}

void read_pos_settings_file(text_view path, pos_rule_tables& tables) {
  settings_reader in(path);
  bool read = in.framed();
  const int64_t language = read ? in.int32() : 0;
  read = read && in.ok();
  // The choice must name a language the table holds.
  if (read) tables.language = std::clamp<int64_t>(language, 0, tables.language_count - 1);
  else tables.language = std::min(tables.language, tables.language_count - 1);
}

std::vector<settings_file_registration> pos_rule_settings_files(pos_rule_tables& tables) {
  return {{pos_lists_prefs_file,
           [&tables] {
             tables = pos_rule_tables();
             fill_pos_rule_presets(tables);
           },
           [&tables](const text_t& path) { read_pos_lists_file(path, tables); }},
          {pos_settings_prefs_file, nullptr, [&tables](const text_t& path) { read_pos_settings_file(path, tables); }}};
}
