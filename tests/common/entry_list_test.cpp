#include "common/entry_list.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

namespace {

text_t repeated(char16_t c, size_t n) { return text_t(n, c); }

TEST(EntryList, HoldsWhatItWasGiven) {
  const std::vector<text_t> given = {u"alpha/S", u"", u"\u00e9t\u00e9\n[tag]", u"\U0001F600", u"z"};
  const entry_list list(given);
  ASSERT_EQ(list.size(), given.size());
  EXPECT_EQ(list, given);
  EXPECT_EQ(list.to_vector(), given);
  std::vector<text_t> walked(list.begin(), list.end());
  EXPECT_EQ(walked, given);
  EXPECT_EQ(list.front(), u"alpha/S");
  EXPECT_EQ(list.back(), u"z");
  EXPECT_FALSE(list == entry_list({u"alpha/S"}));
  EXPECT_TRUE(entry_list().empty());
}

// Each edit is applied both to the list and to a vector of strings; they
// must agree after every step, whatever the block holds underneath.
TEST(EntryList, EditsAgreeWithAVectorOfStrings) {
  entry_list list;
  std::vector<text_t> model;
  auto add = [&](text_view e) {
    list.push_back(e);
    model.emplace_back(e);
  };
  for (int i = 0; i < 200; ++i) add(repeated(static_cast<char16_t>(u'a' + i % 26), static_cast<size_t>(i % 13)));
  const struct {
    size_t index;
    text_t text;
  } rewrites[] = {
      {3, u"xyz"},                       // no longer than before: in place
      {3, u""},                          // emptied
      {5, repeated(u'q', 40)},           // longer: appended
      {0, u"\u00fc\u00df"},              // the first entry
      {199, repeated(u'w', 12)},         // the last entry
  };
  for (const auto& r : rewrites) {
    list.assign(r.index, r.text);
    model[r.index] = r.text;
    EXPECT_EQ(list, model);
  }
  // A rewrite from another entry of the same list, once in place and once
  // growing the block (the source moves with it).
  list.assign(10, list[5]);
  model[10] = model[5];
  EXPECT_EQ(list, model);
  for (int round = 0; round < 20; ++round) {
    list.assign(7, text_t(list[5]) + u"+");
    model[7] = model[5] + u"+";
    list.assign(5, list[7]);
    model[5] = model[7];
  }
  EXPECT_EQ(list, model);
  list.erase(0);
  model.erase(model.begin());
  list.erase(list.size() - 1);
  model.pop_back();
  EXPECT_EQ(list, model);
  std::vector<text_t> kept;
  size_t i = 0;
  const size_t left = list.keep_if([&](size_t k) { return k % 3 != 0; });
  for (const text_t& e : model) {
    if (i++ % 3 != 0) kept.push_back(e);
  }
  EXPECT_EQ(left, kept.size());
  EXPECT_EQ(list, kept);
}

TEST(EntryList, PermuteMovesEveryEntryToItsPlace) {
  const std::vector<text_t> given = {u"d", u"bb", u"", u"aaa", u"c"};
  entry_list list(given);
  const std::vector<size_t> order = {3, 1, 4, 0, 2};
  list.permute(order);
  EXPECT_EQ(list, (std::vector<text_t>{u"aaa", u"bb", u"c", u"d", u""}));
}

TEST(EntryList, AppendSpaceIsWhereTheNewEntryGoes) {
  entry_list list({u"one"});
  char16_t* text = list.append_space(3);
  text[0] = u't';
  text[1] = u'w';
  text[2] = u'o';
  list.append_space(0);
  EXPECT_EQ(list, (std::vector<text_t>{u"one", u"two", u""}));
}

// Text left behind by rewrites is dropped once it outweighs the live text,
// and a copy holds the live text only.
TEST(EntryList, TextLeftBehindDoesNotPileUp) {
  entry_list list;
  for (int i = 0; i < 1000; ++i) list.push_back(u"word");
  for (int round = 0; round < 51; ++round) {  // ends on the short text
    for (size_t i = 0; i < list.size(); ++i) list.assign(i, repeated(u'x', 4 + static_cast<size_t>(round % 2) * 60));
  }
  const size_t live = 1000 * 4;
  EXPECT_EQ(list[999], u"xxxx");
  EXPECT_LE(list.block_units(), 2 * (live + 64 * 1000) + (size_t{1} << 16));
  const entry_list copy(list);
  EXPECT_EQ(copy, list);
  EXPECT_EQ(copy.block_units(), live);
  entry_list assigned;
  assigned = list;
  EXPECT_EQ(assigned.block_units(), live);
}

// An entry too long for a span's length field keeps its length in the block.
TEST(EntryList, EntriesLongerThanTheLengthFieldKeepTheirLength) {
  const size_t field_max = (size_t{1} << 24) - 1;
  for (size_t length : {field_max - 1, field_max}) {
    SCOPED_TRACE(length);
    entry_list list({u"before"});
    text_t big = repeated(u'L', length);
    big[length / 2] = u'\u0416';
    list.push_back(big);
    list.push_back(u"after");
    ASSERT_EQ(list[1].size(), length);
    EXPECT_EQ(list[1], big);
    EXPECT_EQ(list[0], u"before");
    EXPECT_EQ(list[2], u"after");
    list.assign(1, u"short");
    EXPECT_EQ(list, (std::vector<text_t>{u"before", u"short", u"after"}));
    list.assign(2, big);
    EXPECT_EQ(entry_list(list)[2], big);
  }
}

}  // namespace
