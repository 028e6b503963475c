#include "dictionary/derived_rows.h"

#include "affix/aff_cache.h"
#include "affix/expansion_output.h"

#include <algorithm>


bool derived_rows_sink::take(const derived_row& row) {
  if (rows.size() >= DERIVED_ROW_VIEW_LIMIT) {
    capped = true;
    return false;
  }
  derived_word_record r;
  r.row_index = static_cast<int32_t>(rows.size());
  r.word = row.word;
  r.type = derived_row_type_name(row.type);
  r.type_colour = colour_of(colours_, row.type);
  r.flag = row.flag;
  r.origin = row.origin_flag;
  if (!row.continuation_flag.empty()) r.origin.append(u"\t").append(row.continuation_flag);
  text_t position, rule_text;
  if (row.type != derived_row_type::primary) {
    position = string_from_int(row.position);
    r.flag_position = static_cast<int32_t>(row.position);
    append_rule_text(rule_text, string_from_int(row.rule_number), *row.rule);
  }
  r.position_key = string_tail(u"0000000000" + position, 8);
  size_t colon = rule_text.find(u':');
  text_t before = rule_text.substr(0, colon);
  text_t after = colon == text_t::npos ? text_t() : rule_text.substr(colon + 1);
  r.rule_key = string_tail(u"0000000000" + before, 8) + u":" + after;
  rows.push_back(std::move(r));
  return true;
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

void sort_derived_words(std::vector<derived_word_record>& rows, int64_t n, int64_t mode) {
  size_t count = std::min<size_t>(static_cast<size_t>(std::max<int64_t>(0, n)), rows.size());
  auto first = rows.begin(), last = first + static_cast<std::ptrdiff_t>(count);
  if (mode <= DERIVED_SORT_LIST_ORDER || mode > DERIVED_SORT_RULE_FLAG) {
    std::stable_sort(first, last, [](const auto& a, const auto& b) { return a.row_index < b.row_index; });
    return;
  }
  for (auto it = first; it != last; ++it) {
    switch (mode) {
      case DERIVED_SORT_TYPE_FLAG: it->sort_key = it->type + u"\t" + it->flag; break;
      case DERIVED_SORT_FLAG_RULE: it->sort_key = it->flag + u"\t" + it->rule_key; break;
      case DERIVED_SORT_POSITION_RULE: it->sort_key = it->position_key + u"\t" + it->rule_key; break;
      default: it->sort_key = it->rule_key + u"\t" + it->flag; break;
    }
  }
  std::stable_sort(first, last, [](const auto& a, const auto& b) { return a.sort_key < b.sort_key; });
}
