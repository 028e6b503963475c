#include "common/work_records.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<text_t> values(const std::vector<sort_work_record>& r) {
  std::vector<text_t> v;
  for (const sort_work_record& x : r) v.push_back(x.value);
  return v;
}

TEST(WorkRecordsTest, ByKeyThenValueAndByValueAlone) {
  std::vector<sort_work_record> r{{u"b", u"B", 1}, {u"a", u"z", 2}, {u"b", u"b", 3}, {u"", u"", 4}, {u"a", u"y", 5}};
  sort_work_records_by_key(r);
  EXPECT_EQ(values(r), (std::vector<text_t>{u"", u"y", u"z", u"B", u"b"}));
  EXPECT_EQ(r[1].number, 5);
  // Keys that share their first eight units, or end within them.
  std::vector<sort_work_record> long_keys{{u"abcdefghz", u"1", 0}, {u"abcdefgh", u"2", 0},
                                          {u"abcdefghb", u"3", 0}, {u"abc", u"4", 0},
                                          {u"abcdefghb", u"3", 1}, {u"ab\uffff", u"5", 0}};
  sort_work_records_by_key(long_keys);
  EXPECT_EQ(values(long_keys), (std::vector<text_t>{u"4", u"2", u"3", u"3", u"1", u"5"}));
  EXPECT_EQ(long_keys[2].number, 0);  // equal records keep their order
  EXPECT_EQ(long_keys[3].number, 1);
  // Unsigned units: "é" (U+00E9) after "z".
  std::vector<sort_work_record> v{{u"", u"\u00e9", 0}, {u"", u"z", 0}, {u"", u"Z", 0}};
  sort_work_records_by_value(v);
  EXPECT_EQ(values(v), (std::vector<text_t>{u"Z", u"z", u"\u00e9"}));
}

}  // namespace
