// The word editor's derived-words rows: the sink of its list, owned by the
// editor, with a record of every row kept for sorting.
#pragma once

#include "affix/affix_expansion.h"
#include "common/text.h"

#include <cstdint>
#include <vector>

struct derived_word_record {
  int32_t row_index = 0;
  text_t word;
  text_t type;
  int32_t type_colour = -1;
  text_t flag;
  text_t origin;  // flag, or flag + TAB + continuation flag
  int32_t flag_position = 0;
  text_t position_key;
  text_t rule_key;
  text_t sort_key;
};

// One record per row of the list, in the order the rows came; at most
// DERIVED_ROW_VIEW_LIMIT rows, then the expansion ends and capped is set.
class derived_rows_sink : public expansion_sink {
 public:
  explicit derived_rows_sink(const row_type_colours& colours = DEFAULT_ROW_TYPE_COLOURS) : colours_(colours) {}
  bool take(const derived_row& row) override;
  void clear() {
    rows.clear();
    capped = false;
  }
  std::vector<derived_word_record> rows;
  bool capped = false;

 private:
  row_type_colours colours_;
};

// The sort modes of the list, as derivates_sort.prefs keeps them.
inline constexpr int64_t DERIVED_SORT_LIST_ORDER = 1;
inline constexpr int64_t DERIVED_SORT_TYPE_FLAG = 2;
inline constexpr int64_t DERIVED_SORT_FLAG_RULE = 3;
inline constexpr int64_t DERIVED_SORT_POSITION_RULE = 4;
inline constexpr int64_t DERIVED_SORT_RULE_FLAG = 5;
// What the word editor's list remembers: its sort mode.
struct derived_words_options {
  int64_t sort_mode = DERIVED_SORT_LIST_ORDER;
};

// Column texts of a record as the list shows them.
text_t derived_record_position_column(const derived_word_record& r);  // "" when 0
text_t derived_record_rule_column(const derived_word_record& r);      // "" for Primary

// Sorts the first n records by mode (DERIVED_SORT_...; list order for any
// other); the caller then refills its list from the records.
void sort_derived_words(std::vector<derived_word_record>& rows, int64_t n, int64_t mode);
