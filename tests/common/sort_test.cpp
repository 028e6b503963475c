#include "common/sort.h"

#include "common/format.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::vector<text_t> texts(std::initializer_list<const char16_t*> list) {
  std::vector<text_t> v;
  for (const char16_t* s : list) v.emplace_back(s);
  return v;
}

TEST(Sort, SortArrayFlags) {
  struct Case {
    int flags;
    std::vector<text_t> expected;
  };
  const std::vector<text_t> input = texts({u"b", u"\u00E4", u"B", u"a", u"", u"A", u"ab"});
  const Case cases[] = {
      // Unsigned units: upper case before lower case, accents after ASCII.
      {SORT_ASCENDING, texts({u"", u"A", u"B", u"a", u"ab", u"b", u"\u00E4"})},
      {SORT_DESCENDING, texts({u"\u00E4", u"b", u"ab", u"a", u"B", u"A", u""})},
      // Ignoring case keeps equal keys in their input order.
      {SORT_IGNORE_CASE, texts({u"", u"a", u"A", u"ab", u"b", u"B", u"\u00E4"})},
  };
  for (const auto& c : cases) {
    std::vector<text_t> v = input;
    sort_array(v, c.flags);
    EXPECT_EQ(v, c.expected) << "flags " << c.flags;
  }
  // Units above 0x7FFF order as unsigned values.
  std::vector<text_t> high = {text_t(1, char16_t(0xFF01)), u"z", text_t(1, char16_t(0x8000))};
  sort_array(high, SORT_ASCENDING);
  EXPECT_EQ(high[0], u"z");
  EXPECT_EQ(high[2], text_t(1, char16_t(0xFF01)));

  std::vector<int64_t> n = {3, -1, INT64_MAX, 0, INT64_MIN};
  sort_array(n, SORT_ASCENDING);
  EXPECT_EQ(n, (std::vector<int64_t>{INT64_MIN, -1, 0, 3, INT64_MAX}));
  std::vector<int32_t> m = {3, -1, 7};
  sort_array(m, SORT_DESCENDING);
  EXPECT_EQ(m, (std::vector<int32_t>{7, 3, -1}));
  std::vector<text_t> empty;
  sort_array(empty, SORT_IGNORE_CASE);
  EXPECT_TRUE(empty.empty());
}

TEST(Sort, FoldedKeyOrdersAccentsWithTheirBaseLetter) {
  std::vector<text_t> v = texts({u"zebra", u"\u00C4pfel", u"apfel", u"\u00E9t\u00E9", u"Ende", u"eta"});
  sort_by_folded_key(v, false);
  EXPECT_EQ(v, texts({u"\u00C4pfel", u"apfel", u"Ende", u"eta", u"\u00E9t\u00E9", u"zebra"}));
  sort_by_folded_key(v, true);
  EXPECT_EQ(v, texts({u"zebra", u"\u00E9t\u00E9", u"eta", u"Ende", u"\u00C4pfel", u"apfel"}));
}

TEST(Sort, KeyIsComputedOncePerElement) {
  std::vector<text_t> v;
  for (int i = 0; i < 1000; ++i) v.push_back(string_from_int((i * 7919) % 1000));
  int calls = 0;
  sort_by_key(
      v,
      [&calls](text_view s) {
        ++calls;
        return text_t(s);
      },
      false);
  EXPECT_EQ(calls, 1000);
  EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));
}

TEST(Sort, OrderMovesParallelArraysAndRespectsRange) {
  // Index 0 is a scratch slot the callers keep out of the sort.
  std::vector<text_t> entries = texts({u"scratch", u"pear", u"Apple", u"\u00E4sche", u"fig"});
  std::vector<int> checked = {9, 1, 0, 1, 0};
  std::vector<size_t> order = sorted_order_by_key(entries, fold_accents_lowercase, false, 1, -1);
  ASSERT_EQ(order, (std::vector<size_t>{2, 3, 4, 1}));
  apply_order(entries, order, 1);
  apply_order(checked, order, 1);
  EXPECT_EQ(entries, texts({u"scratch", u"Apple", u"\u00E4sche", u"fig", u"pear"}));
  EXPECT_EQ(checked, (std::vector<int>{9, 0, 1, 0, 1}));

  // An order that does not fit the array changes nothing.
  std::vector<int> before = checked;
  apply_order(checked, std::vector<size_t>{1, 1, 2, 3}, 1);
  apply_order(checked, std::vector<size_t>{0, 1, 2, 3, 4, 5}, 0);
  apply_order(checked, std::vector<size_t>{9}, 0);
  EXPECT_EQ(checked, before);

  // Ranges outside the array are clamped; an empty range does nothing.
  std::vector<text_t> v = texts({u"c", u"b", u"a"});
  sort_by_key(v, string_to_lower, false, -5, 99);
  EXPECT_EQ(v, texts({u"a", u"b", u"c"}));
  sort_by_key(v, string_to_lower, true, 2, 1);
  EXPECT_EQ(v, texts({u"a", u"b", u"c"}));
  EXPECT_TRUE(sorted_order_by_key({}, string_to_lower, false).empty());
}

struct Row {
  text_t word;
  int32_t count;
  int64_t size;
};

TEST(Sort, RecordsByField) {
  const std::vector<Row> input = {{u"beta", 2, 30}, {u"Alpha", 3, 10}, {u"alpha", 1, 20}, {u"Gamma", 2, 5}};
  auto words = [](const std::vector<Row>& rows) {
    std::vector<text_t> w;
    for (const Row& r : rows) w.push_back(r.word);
    return w;
  };
  struct Case {
    const char* name;
    std::function<void(std::vector<Row>&)> sort;
    std::vector<text_t> expected;
  };
  const Case cases[] = {
      {"text", [](auto& r) { sort_array_by_field(r, SORT_ASCENDING, &Row::word); },
       texts({u"Alpha", u"Gamma", u"alpha", u"beta"})},
      {"text descending", [](auto& r) { sort_array_by_field(r, SORT_DESCENDING, &Row::word); },
       texts({u"beta", u"alpha", u"Gamma", u"Alpha"})},
      {"text ignoring case", [](auto& r) { sort_array_by_field(r, SORT_IGNORE_CASE, &Row::word); },
       texts({u"Alpha", u"alpha", u"beta", u"Gamma"})},
      {"int32", [](auto& r) { sort_array_by_field(r, SORT_ASCENDING, &Row::count); },
       texts({u"alpha", u"beta", u"Gamma", u"Alpha"})},
      {"int32 descending", [](auto& r) { sort_array_by_field(r, SORT_DESCENDING, &Row::count); },
       texts({u"Alpha", u"beta", u"Gamma", u"alpha"})},
      {"int64", [](auto& r) { sort_array_by_field(r, SORT_ASCENDING, &Row::size); },
       texts({u"Gamma", u"Alpha", u"alpha", u"beta"})},
      {"range 1..2", [](auto& r) { sort_array_by_field_range(r, SORT_IGNORE_CASE, &Row::word, 1, 2); },
       texts({u"beta", u"Alpha", u"alpha", u"Gamma"})},
      {"range past the end", [](auto& r) { sort_array_by_field_range(r, SORT_ASCENDING, &Row::size, 2, 40); },
       texts({u"beta", u"Alpha", u"Gamma", u"alpha"})},
  };
  for (const auto& c : cases) {
    std::vector<Row> rows = input;
    c.sort(rows);
    EXPECT_EQ(words(rows), c.expected) << c.name;
  }
  // The records move whole: every field stays with its word.
  std::vector<Row> rows = input;
  sort_array_by_field(rows, SORT_IGNORE_CASE, &Row::word);
  EXPECT_EQ(rows[3].count, 2);
  EXPECT_EQ(rows[3].size, 5);
}

}  // namespace

namespace {

// The key the alphabetical sort orders by, made as a text: the folded entry
// with, for bar_as_tab, its first "|" read as a TAB.
text_t folded_key(text_view entry, bool bar_as_tab) {
  text_t key = fold_accents_lowercase(entry);
  const size_t bar = key.find(u'|');
  if (bar_as_tab && bar != text_t::npos) key[bar] = u'\t';
  return key;
}

}  // namespace

// The keyless order must be the order of the made keys, equal keys in their
// places, on entries that tie on the first eight units, differ past them, or
// differ only in case, accents, surrogates, zero units, bars and flags.
TEST(Sort, FoldedOrderIsTheOrderOfTheMadeKeys) {
  const std::vector<text_t> entries = {
      u"abandoned/S", u"Abandoned/S", u"abandoned", u"abandone", u"abandonedly", u"abandoned/SD",
      u"", u"a", u"A", u"á", u"à/X", u"b", u"ab", u"aB", u"abc\U0001F600", u"abc\U0001F601",
      u"abc\uFFFD", u"abc\uD7FF", u"abcdefgh", u"abcdefgh\U0001F600", u"abcdefghé", u"abcdefghe",
      u"abcdefgh|x", u"abcdefgh\tx", u"abcdefgh x", u"ab|c", u"ab\tc", u"ab c", u"ab|c|d", u"ab|c\td",
      u"abcdefgh|c|d", u"abcdefgh|c\td", u"|lead", u"\tlead", text_t(u"ab\0c", 4), u"ab", text_t(u"ab\0", 3),
      text_t(u"abcdefgh\0", 9), u"abcdefgh", u"ÉCOLE/S", u"école/S", u"ecole/S", u"ecole\nsome tags",
      u"ecole/S\tpo:n", u"straße", u"STRASSE", u"strasse", u"zebra", u"Zebra", u"ZEBRA", u"\\/slash/F",
      u"cafe\u0301", u"café", u"abandoned/S",
  };
  for (bool bar_as_tab : {false, true}) {
    SCOPED_TRACE(bar_as_tab);
    std::vector<size_t> expected(entries.size());
    for (size_t i = 0; i < expected.size(); ++i) expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(), [&](size_t a, size_t b) {
      return folded_key(entries[a], bar_as_tab) < folded_key(entries[b], bar_as_tab);
    });
    const entry_list list(entries);
    folded_sort_order keyed(list, bar_as_tab);
    for (size_t i = entries.size(); i-- > 0;) keyed.add(i);  // the order of adding does not matter
    EXPECT_EQ(keyed.take_order(), expected);
    for (const text_t& a : entries) {
      for (const text_t& b : entries) {
        const text_t ka = folded_key(a, bar_as_tab), kb = folded_key(b, bar_as_tab);
        const int c = folded_sort_order::compare(a, b, bar_as_tab);
        EXPECT_EQ(c < 0, ka < kb) << to_utf8(a) << " / " << to_utf8(b);
        EXPECT_EQ(c == 0, ka == kb) << to_utf8(a) << " / " << to_utf8(b);
      }
    }
  }
}
