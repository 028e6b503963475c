// The whole of Debian's en_US expanded gives exactly the words of Debian's
// own unmunch (its long-flag and compound dictionaries are out of its reach).
#include "affix_test_util.h"
#include "tests/test_support/installed_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

TEST(UnmunchCompare, EnUsGivesTheSameWords) {
  const std::string dic = "/usr/share/hunspell/en_US.dic", aff = "/usr/share/hunspell/en_US.aff";
  if (access("/usr/bin/unmunch", X_OK) != 0) GTEST_SKIP() << "unmunch is not installed";
  // Other dictionaries may hold what unmunch cannot expand.
  if (const std::string why = test_support::installed_mismatch({test_support::kEnUsDic, test_support::kEnUsAff});
      !why.empty())
    GTEST_SKIP() << why;
  std::string out = "/tmp/vx_unmunch_" + std::to_string(getpid()) + ".txt";
  ASSERT_TRUE(run_to_file({"/usr/bin/unmunch", dic, aff}, out));
  std::vector<std::string> theirs;
  {
    std::ifstream in(out);
    for (std::string line; std::getline(in, line);) theirs.push_back(line);
  }
  std::remove(out.c_str());

  std::ifstream aff_in(aff), dic_in(dic);
  std::stringstream aff_text;
  aff_text << aff_in.rdbuf();
  use_aff(aff_text.str());
  std::vector<std::string> ours;
  std::string line;
  std::getline(dic_in, line);  // the count
  while (std::getline(dic_in, line))
    for (auto& w : derived_of(line)) ours.push_back(std::move(w));

  std::sort(theirs.begin(), theirs.end());
  std::sort(ours.begin(), ours.end());
  ASSERT_GT(ours.size(), 100000u);
  EXPECT_EQ(ours.size(), theirs.size());
  EXPECT_TRUE(ours == theirs);
}

}  // namespace
