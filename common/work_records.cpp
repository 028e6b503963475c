#include "common/work_records.h"

#include <algorithm>

namespace {

// The first eight units of a text packed so that comparing two packs orders
// the texts as their first eight units do (a missing unit counts as 0, below
// every unit; equal packs leave the order to the whole texts). Sorting these
// small items and moving each record once is much faster than merging the
// records themselves, and most words differ within eight units.
struct sort_item {
  uint64_t high;  // units 0 to 3
  uint64_t low;   // units 4 to 7
  size_t index;
};

sort_item packed_prefix(const text_t& s, size_t index) {
  uint64_t high = 0, low = 0;
  for (size_t i = 0; i < 4; ++i) high = (high << 16) | (i < s.size() ? s[i] : 0);
  for (size_t i = 4; i < 8; ++i) low = (low << 16) | (i < s.size() ? s[i] : 0);
  return {high, low, index};
}

template <class Less>
void sort_records(std::vector<sort_work_record>& records, text_t sort_work_record::*field, Less&& less_full) {
  std::vector<sort_item> items(records.size());
  for (size_t i = 0; i < records.size(); ++i) items[i] = packed_prefix(records[i].*field, i);
  std::sort(items.begin(), items.end(), [&](const sort_item& a, const sort_item& b) {
    if (a.high != b.high) return a.high < b.high;
    if (a.low != b.low) return a.low < b.low;
    const sort_work_record& x = records[a.index];
    const sort_work_record& y = records[b.index];
    if (less_full(x, y)) return true;
    if (less_full(y, x)) return false;
    return a.index < b.index;  // equal records keep their order
  });
  std::vector<sort_work_record> sorted;
  sorted.reserve(records.size());
  for (const sort_item& item : items) sorted.push_back(std::move(records[item.index]));
  records.swap(sorted);
}

}  // namespace

void sort_work_records_by_key(std::vector<sort_work_record>& records) {
  sort_records(records, &sort_work_record::key, [](const sort_work_record& a, const sort_work_record& b) {
    const int c = a.key.compare(b.key);
    return c != 0 ? c < 0 : a.value < b.value;
  });
}

void sort_work_records_by_value(std::vector<sort_work_record>& records) {
  sort_records(records, &sort_work_record::value,
               [](const sort_work_record& a, const sort_work_record& b) { return a.value < b.value; });
}
