#include "common/work_records.h"

#include <algorithm>

void sort_work_records_by_key(std::vector<sort_work_record>& records) {
  std::stable_sort(records.begin(), records.end(), [](const sort_work_record& a, const sort_work_record& b) {
    if (a.key != b.key) return a.key < b.key;
    return a.value < b.value;
  });
}

void sort_work_records_by_value(std::vector<sort_work_record>& records) {
  std::stable_sort(records.begin(), records.end(),
                   [](const sort_work_record& a, const sort_work_record& b) { return a.value < b.value; });
}
