// The word editor's derived-words rows: the sink of its list, owned by the
// editor, with a record of every row kept for sorting.
#pragma once

#include "affix/affix_expansion.h"
#include "common/text.h"
#include "shell/settings_files.h"

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

// The sort mode of the list, derived_words_sort_mode of shell/settings_files.h
// (read from derivates_sort.prefs): 1 list order, 2 type + flag, 3 flag +
// rule, 4 flag position + rule, 5 rule + flag.

// Column texts of a record as the list shows them.
text_t derived_record_position_column(const derived_word_record& r);  // "" when 0
text_t derived_record_rule_column(const derived_word_record& r);      // "" for Primary

// Sorts the first n records by derived_words_sort_mode (1: list order); the
// caller then refills its list from the records.
void sort_derived_words(std::vector<derived_word_record>& rows, int64_t n);
