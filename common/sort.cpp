#include "common/sort.h"

#include "common/format.h"

namespace {

template <class T>
void sort_numbers(std::vector<T>& a, int flags) {
  if (flags == SORT_DESCENDING) std::sort(a.begin(), a.end(), [](T x, T y) { return y < x; });
  else std::sort(a.begin(), a.end());
}

}  // namespace

bool sort_range(size_t size, int64_t& first, int64_t& last) {
  if (size == 0) return false;
  const int64_t end = static_cast<int64_t>(size) - 1;
  if (first < 0) first = 0;
  if (last < 0 || last > end) last = end;
  return first <= last;
}

void sort_array(std::vector<text_t>& a, int flags) {
  if (flags == SORT_IGNORE_CASE) {
    sort_by_key(a, string_to_lower, false);
  } else if (flags == SORT_DESCENDING) {
    std::sort(a.begin(), a.end(), [](const text_t& x, const text_t& y) { return y < x; });
  } else {
    std::sort(a.begin(), a.end());
  }
}

void sort_array(std::vector<int64_t>& a, int flags) { sort_numbers(a, flags); }
void sort_array(std::vector<int32_t>& a, int flags) { sort_numbers(a, flags); }

std::vector<size_t> sorted_order_by_key(const std::vector<text_t>& a, const sort_key_function& key,
                                        bool descending, int64_t first, int64_t last) {
  if (!sort_range(a.size(), first, last)) return {};
  struct Keyed {
    text_t key;
    size_t index;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(static_cast<size_t>(last - first + 1));
  for (size_t i = static_cast<size_t>(first); i <= static_cast<size_t>(last); ++i) keyed.push_back({key(a[i]), i});
  if (descending)
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) { return y.key < x.key; });
  else
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& x, const Keyed& y) { return x.key < y.key; });
  std::vector<size_t> order;
  order.reserve(keyed.size());
  for (const Keyed& k : keyed) order.push_back(k.index);
  return order;
}

void sort_by_key(std::vector<text_t>& a, const sort_key_function& key, bool descending, int64_t first,
                 int64_t last) {
  if (!sort_range(a.size(), first, last)) return;
  apply_order(a, sorted_order_by_key(a, key, descending, first, last), first);
}

void sort_by_folded_key(std::vector<text_t>& a, bool descending, int64_t first, int64_t last) {
  sort_by_key(a, fold_accents_lowercase, descending, first, last);
}
