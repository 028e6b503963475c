// The work records that the word-list and thesaurus tools sort: a key
// (usually the folded form that decides the order), a value (the text the
// tool keeps) and a number of the tool's own. Each tool sizes its own array;
// nothing is shared between runs.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <vector>

struct sort_work_record {
  text_t key;
  text_t value;
  int64_t number = 0;
};

// Ascending by key, then by value (unsigned units), so the order is the
// same on every run; records with equal key and value keep their order.
void sort_work_records_by_key(std::vector<sort_work_record>& records);
// Ascending by value (unsigned units); equal values keep their order.
void sort_work_records_by_value(std::vector<sort_work_record>& records);
