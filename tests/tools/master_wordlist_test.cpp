#include "tools/master_wordlist.h"

#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

class MasterWordlistTest : public test_support::temp_folder_test {
 protected:
  MasterWordlistTest() : temp_folder_test("vx_master_test") {}

  master_compare_result compare(const std::string& master, const std::vector<std::string>& others) {
    write_bytes("master.txt", master);
    std::vector<text_t> paths;
    for (size_t i = 0; i < others.size(); ++i) {
      const std::string name = "other" + std::to_string(i) + ".txt";
      write_bytes(name, others[i]);
      paths.push_back(tpath(name));
    }
    return compare_with_master(tpath("master.txt"), paths, host_, observer_);
  }
  static std::vector<text_t> words(const master_compare_result& r) {
    std::vector<text_t> out;
    for (const sort_work_record& w : r.missing_words) out.push_back(w.value);
    return out;
  }

  headless_long_job_host host_;
  master_compare_observer observer_;
};

TEST_F(MasterWordlistTest, MissingWordsAreTheOthersWordsTheMasterLacksEachOnceInFoldedOrder) {
  std::vector<int> steps_done;
  std::vector<int64_t> counted;
  observer_.step_done = [&](int step) { steps_done.push_back(step); };
  observer_.file_counted = [&](int64_t, int64_t lines) { counted.push_back(lines); };
  // Both line-end kinds, a byte-order mark, empty lines, a word in two
  // others and one only in the master.
  const master_compare_result r =
      compare(kBom + "apple\r\nPear\r\nonlymaster\r\n\r\n", {"apple\npear\nPlum\nplum\nPlum\n\nself-esteem\n",
                                                              "\xC3\xA9" "clair\nzebra\nself-esteem\n"});
  ASSERT_EQ(r.status, master_compare_status::done);
  EXPECT_EQ(r.master_lines, 4);
  EXPECT_EQ(r.other_lines, (std::vector<int64_t>{7, 3}));
  EXPECT_EQ(counted, (std::vector<int64_t>{4, 7, 3}));
  EXPECT_EQ(r.total_words, 14);  // the master counted once
  // "éclair" folds to "eclair"; Plum and plum have one key (order by value).
  EXPECT_EQ(words(r), (std::vector<text_t>{u"\u00e9clair", u"pear", u"Plum", u"plum", u"self-esteem", u"zebra"}));
  EXPECT_EQ(r.missing, 6);
  EXPECT_EQ(r.hyphenated, 1);
  EXPECT_EQ(r.uppercase, 1);
  EXPECT_EQ(steps_done, (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(host_.running);
}

TEST_F(MasterWordlistTest, AnUnreadableMasterStopsTheRunInsteadOfListingEveryWord) {
  std::vector<text_t> others{tpath("other.txt")};
  write_bytes("other.txt", "apple\npear\n");
  for (const text_t& master : {tpath("missing.txt"), from_utf8(dir_)}) {
    const master_compare_result r = compare_with_master(master, others, host_);
    EXPECT_EQ(r.status, master_compare_status::master_unreadable) << to_utf8(master);
    EXPECT_EQ(r.step, 1);
    EXPECT_TRUE(r.missing_words.empty());
    EXPECT_EQ(r.missing, 0);
    EXPECT_FALSE(host_.running);
  }
}

TEST_F(MasterWordlistTest, AnUnreadableOtherFileIsNamedAndCountsNoLines) {
  write_bytes("master.txt", "apple\n");
  write_bytes("other.txt", "pear\n");
  const master_compare_result r =
      compare_with_master(tpath("master.txt"), {tpath("gone.txt"), tpath("other.txt")}, host_);
  ASSERT_EQ(r.status, master_compare_status::done);
  EXPECT_EQ(r.other_lines, (std::vector<int64_t>{-1, 1}));
  EXPECT_EQ(r.unreadable_others, (std::vector<text_t>{tpath("gone.txt")}));
  EXPECT_EQ(words(r), (std::vector<text_t>{u"pear"}));
}

TEST_F(MasterWordlistTest, EscapeConfirmedStopsTheRunInTheStepItWasIn) {
  // Polls: 3 master lines, then the other file's lines.
  host_.escape_at_poll = 5;
  const master_compare_result r = compare("a\nb\nc\n", {"x\ny\nz\n"});
  EXPECT_EQ(r.status, master_compare_status::aborted);
  EXPECT_EQ(r.step, 2);
  EXPECT_EQ(r.master_lines, 3);
  EXPECT_EQ(r.missing, 0);
  EXPECT_FALSE(host_.running);
  // Answering No goes on.
  host_ = headless_long_job_host();
  host_.escape_at_poll = 5;
  host_.abort_answer = 7;
  EXPECT_EQ(compare("a\nb\nc\n", {"x\ny\nz\n"}).status, master_compare_status::done);
}

TEST_F(MasterWordlistTest, SaveWritesTheFilteredWordsWithAMark) {
  const std::vector<sort_work_record> missing{
      {u"", u"\u00c9lan", 0}, {u"", u"pear", 0}, {u"", u"self-esteem", 0}, {u"", u"", 0}};
  const struct {
    missing_word_filter filter;
    std::string bytes;
    int64_t written;
  } cases[] = {
      {missing_word_filter::all, kBom + "\xC3\x89lan\npear\nself-esteem\n", 3},
      {missing_word_filter::hyphenated, kBom + "self-esteem\n", 1},
      {missing_word_filter::uppercase, kBom + "\xC3\x89lan\n", 1},
  };
  for (const auto& c : cases) {
    const missing_words_save_result r = save_missing_words_file(missing, c.filter, tpath("out.txt"), host_);
    EXPECT_FALSE(r.aborted);
    EXPECT_FALSE(r.write_failed);
    EXPECT_EQ(r.written, c.written);
    EXPECT_EQ(read_bytes("out.txt"), c.bytes);
  }
}

TEST_F(MasterWordlistTest, AnAbortedOrFailedSaveLeavesTheOldFile) {
  write_bytes("out.txt", "old\n");
  const std::vector<sort_work_record> missing{{u"", u"a", 0}, {u"", u"b", 0}, {u"", u"c", 0}};
  host_.escape_at_poll = 2;
  const missing_words_save_result aborted = save_missing_words_file(missing, missing_word_filter::all,
                                                                    tpath("out.txt"), host_);
  EXPECT_TRUE(aborted.aborted);
  EXPECT_EQ(read_bytes("out.txt"), "old\n");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"out.txt"}));

  host_ = headless_long_job_host();
  const missing_words_save_result failed =
      save_missing_words_file(missing, missing_word_filter::all, tpath("no/such/folder/out.txt"), host_);
  EXPECT_TRUE(failed.write_failed);
  EXPECT_FALSE(host_.running);
}

}  // namespace
