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
  return keyed_order(a, first, last, key, descending);
}

void sort_by_key(std::vector<text_t>& a, const sort_key_function& key, bool descending, int64_t first,
                 int64_t last) {
  if (!sort_range(a.size(), first, last)) return;
  apply_order(a, sorted_order_by_key(a, key, descending, first, last), first);
}

void sort_by_folded_key(std::vector<text_t>& a, bool descending, int64_t first, int64_t last) {
  sort_by_key(a, fold_accents_lowercase, descending, first, last);
}
