#include "common/sort.h"

#include "common/format.h"

namespace {

template <class T>
void sort_numbers(std::vector<T>& a, int flags) {
  if (flags == SORT_DESCENDING) std::sort(a.begin(), a.end(), [](T x, T y) { return y < x; });
  else std::sort(a.begin(), a.end());
}

}  // namespace

namespace {

constexpr size_t kHeadUnits = 8;

// The folded units of one text in order, its first "|" read as a TAB when bar_as_tab.
class folded_units {
 public:
  folded_units(text_view text, bool bar_as_tab)
      : text_(text), table_(fold_accents_lowercase_table()), bar_open_(bar_as_tab) {}
  // Unit i; call with i = 0, 1, 2... in turn (at() checks the bar in order).
  char16_t at(size_t i) {
    char16_t u = table_[text_[i]];
    if (bar_open_ && u == u'|') {
      bar_open_ = false;
      u = u'\t';
    }
    return u;
  }
  // Reads units 0 .. n-1 without keeping them (so at(n) can follow).
  void skip(size_t n) {
    for (size_t i = 0; i < n && i < text_.size() && bar_open_; ++i) at(i);
  }

 private:
  text_view text_;
  const std::array<char16_t, 65536>& table_;
  bool bar_open_;
};

// The keys of a and b from unit `from` on, when units 0 .. from-1 are equal or
// are missing from the shorter one only as zeros would be (a head tie).
int compare_folded_from(text_view a, text_view b, bool bar_as_tab, size_t from) {
  folded_units fa(a, bar_as_tab), fb(b, bar_as_tab);
  fa.skip(from);
  fb.skip(from);
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = from; i < n; ++i) {
    const char16_t x = fa.at(i), y = fb.at(i);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

folded_sort_order::folded_sort_order(const entry_list& entries, bool bar_as_tab)
    : entries_(entries), bar_as_tab_(bar_as_tab), fold_(fold_accents_lowercase_table().data()) {}

void folded_sort_order::add(size_t index) {
  const text_view text = entries_[index];
  record r{{0, 0}, index};
  const size_t n = std::min(text.size(), kHeadUnits);
  if (bar_as_tab_) {
    folded_units units(text, true);
    for (size_t i = 0; i < n; ++i) r.head[i / 4] |= static_cast<uint64_t>(units.at(i)) << (48 - 16 * (i % 4));
  } else {
    for (size_t i = 0; i < n; ++i) r.head[i / 4] |= static_cast<uint64_t>(fold_[text[i]]) << (48 - 16 * (i % 4));
  }
  records_.push_back(r);
}

int folded_sort_order::compare(text_view a, text_view b, bool bar_as_tab) {
  return compare_folded_from(a, b, bar_as_tab, 0);
}

std::vector<size_t> folded_sort_order::take_order() {
  std::sort(records_.begin(), records_.end(), [this](const record& x, const record& y) {
    if (x.head[0] != y.head[0]) return x.head[0] < y.head[0];
    if (x.head[1] != y.head[1]) return x.head[1] < y.head[1];
    // Units 0-7 tie: the rest decides, then the place.
    const int c = compare_folded_from(entries_[x.index], entries_[y.index], bar_as_tab_, kHeadUnits);
    return c != 0 ? c < 0 : x.index < y.index;
  });
  std::vector<size_t> order;
  order.reserve(records_.size());
  for (const record& r : records_) order.push_back(r.index);
  decltype(records_)().swap(records_);
  return order;
}

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
