// Sorting of text arrays, of records by one field, and keyed sorts whose key
// (lower-casing, accent folding) is computed once per element. Text order
// compares unsigned UTF-16 units. Elements with equal keys keep their order.
#pragma once

#include "common/entry_list.h"
#include "common/large_block.h"
#include "common/text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <type_traits>
#include <vector>

// sort_array flags.
constexpr int SORT_ASCENDING = 0;
constexpr int SORT_DESCENDING = 1;
constexpr int SORT_IGNORE_CASE = 2;  // ascending, each unit lower-cased

void sort_array(std::vector<text_t>& a, int flags);
void sort_array(std::vector<int64_t>& a, int flags);
void sort_array(std::vector<int32_t>& a, int flags);

using sort_key_function = std::function<text_t(text_view)>;

// The order of a[first..last] (last -1 = to the end) by key(element):
// result[k] is the index of the element that belongs at first + k. Each key
// is computed once. Use it to move parallel arrays (check states) along.
std::vector<size_t> sorted_order_by_key(const std::vector<text_t>& a, const sort_key_function& key,
                                        bool descending, int64_t first = 0, int64_t last = -1);
// Sorts a[first..last] by key(element), each key computed once.
void sort_by_key(std::vector<text_t>& a, const sort_key_function& key, bool descending, int64_t first = 0,
                 int64_t last = -1);
// The alphabetical sort of the main lists and tools: by fold_accents_lowercase.
void sort_by_folded_key(std::vector<text_t>& a, bool descending, int64_t first = 0, int64_t last = -1);

// The alphabetical order of the main lists, by the key
// fold_accents_lowercase(entry), with bar_as_tab its first "|" read as a TAB:
// the order of sorting those keys as texts, equal keys in index order, without
// making them. Each entry added gets a fixed key of its first eight folded
// units; only entries that tie on it are compared further, unit by unit.
class folded_sort_order {
 public:
  // entries must outlive the object and stay unchanged while it sorts.
  folded_sort_order(const entry_list& entries, bool bar_as_tab);
  folded_sort_order(entry_list&&, bool) = delete;
  void reserve(size_t n) { records_.reserve(n); }
  // Entry index takes part in the sort.
  void add(size_t index);
  // The indices added, sorted; the keys are spent.
  std::vector<size_t> take_order();
  // The comparison of the keys of two texts: <0, 0 or >0 (for tests).
  static int compare(text_view a, text_view b, bool bar_as_tab);

 private:
  struct record {
    uint64_t head[2];  // folded units 0-7, four to a word, the first in the high bits; 0 past the end
    size_t index;
  };
  const entry_list& entries_;
  bool bar_as_tab_;
  const char16_t* fold_;  // fold_accents_lowercase_table()
  std::vector<record, large_block_allocator<record>> records_;
};

// Clamps [first, last] (last -1 = to the end) to the array; false when empty.
bool sort_range(size_t size, int64_t& first, int64_t& last);

// The order of a[first..last] (a range sort_range has clamped) by
// key_of(element), each key computed once; equal keys keep their order.
template <class T, class KeyOf>
std::vector<size_t> keyed_order(const std::vector<T>& a, int64_t first, int64_t last, KeyOf key_of,
                                bool descending) {
  struct Keyed {
    text_t key;
    size_t index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(static_cast<size_t>(last - first + 1));
  for (size_t i = static_cast<size_t>(first); i <= static_cast<size_t>(last); ++i) keyed.push_back({key_of(a[i]), i});
  if (descending)
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) { return y.key < x.key; });
  else
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) { return x.key < y.key; });
  std::vector<size_t> order;
  order.reserve(keyed.size());
  for (const Keyed& k : keyed) order.push_back(k.index);
  return order;
}

// Rearranges a[first + k] = old a[order[k]] (an order from sorted_order_by_key
// over the same range). Does nothing when the order does not fit the array.
template <class T>
void apply_order(std::vector<T>& a, const std::vector<size_t>& order, int64_t first = 0) {
  if (first < 0 || static_cast<size_t>(first) + order.size() > a.size()) return;
  const size_t base = static_cast<size_t>(first);
  std::vector<bool> seen(order.size(), false);
  for (size_t index : order) {
    if (index < base || index - base >= order.size() || seen[index - base]) return;
    seen[index - base] = true;
  }
  std::vector<T> moved;
  moved.reserve(order.size());
  for (size_t index : order) moved.push_back(std::move(a[index]));
  std::move(moved.begin(), moved.end(), a.begin() + first);
}

// Sorts records a[first..last] by one field: text (flags 0, 1, 2) or an
// integer (flags 0, 1).
template <class R, class F>
void sort_array_by_field_range(std::vector<R>& a, int flags, F R::*field, int64_t first, int64_t last) {
  if (!sort_range(a.size(), first, last)) return;
  auto begin = a.begin() + first, end = a.begin() + last + 1;
  const bool descending = flags == SORT_DESCENDING;
  if constexpr (std::is_same_v<F, text_t>) {
    if (flags == SORT_IGNORE_CASE) {
      // Lower-case each key once, then move the records by the keys' order.
      apply_order(a, keyed_order(a, first, last, [field](const R& r) { return string_to_lower(r.*field); }, false),
                  first);
      return;
    }
  } else {
    static_assert(std::is_integral_v<F>, "records sort by a text or an integer field");
  }
  if (descending)
    std::stable_sort(begin, end, [field](const R& x, const R& y) { return y.*field < x.*field; });
  else
    std::stable_sort(begin, end, [field](const R& x, const R& y) { return x.*field < y.*field; });
}

template <class R, class F>
void sort_array_by_field(std::vector<R>& a, int flags, F R::*field) {
  sort_array_by_field_range(a, flags, field, 0, -1);
}
