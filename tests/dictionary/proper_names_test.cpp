#include "dictionary/proper_names.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

TEST(ProperNames, WhichEntriesAreProperNames) {
  struct name_case {
    const char* entry;
    bool proper;
  } cases[] = {
      {"London/M\npo:noun", true}, {"london", false}, {"iPhone", true},   {"NASA", true},
      {"1984", false},            {"--", false},     {"AC\\/DC", false}, {"ab\\/c", false},
      {"Élan", true},             {"élan/X", false}, {"/X", false},      {"word/X\nTag", false},
      // A description after a space is no part of the word (fr.dic).
      {"abader/d'q' po:v1 st:Abader", false}, {"alpha po:nom st:Alpha", false},
      {"Bakersfield po:npr is:inv", true},
  };
  for (const auto& c : cases) EXPECT_EQ(is_proper_name_entry(from_utf8(c.entry)), c.proper) << c.entry;
}

class ProperNamesExport : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = test_support::make_temp_folder("vx_proper") + "/"; }
  void TearDown() override { test_support::remove_folder(dir_); }
  std::string dir_;
};

TEST_F(ProperNamesExport, WritesDicLinesInDictionaryOrder) {
  list_document doc;
  for (const char16_t* e : {u"walk/S", u"London/M\npo:noun\tmore", u"paris", u"NASA", u"AC\\/DC"}) doc.append(e);
  const std::string path = dir_ + "names.txt";
  headless_long_job_host host;
  const proper_names_result r = extract_proper_names_to_file(doc, from_utf8(path), host);
  ASSERT_FALSE(r.write_failed);
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0].index, 1);
  EXPECT_EQ(r.rows[1].index, 3);
  EXPECT_EQ(test_support::read_file(path), "\xEF\xBB\xBF" "London/M\tpo:noun\tmore\nNASA\n");
  EXPECT_EQ(r.status_text.rfind(u"OK. Extracted Proper Names:2 \u231a", 0), 0u);
  EXPECT_EQ(host.status, r.status_text);

  list_document lower;
  lower.append(u"walk");
  const proper_names_result none = extract_proper_names_to_file(lower, from_utf8(path), host);
  EXPECT_TRUE(none.rows.empty());
  EXPECT_EQ(test_support::read_file(path), "\xEF\xBB\xBF");
}

TEST_F(ProperNamesExport, AbortAndWriteFailureKeepTheOldFile) {
  list_document doc;
  for (const char16_t* e : {u"London", u"Paris", u"Rome"}) doc.append(e);
  const std::string path = dir_ + "names.txt";
  test_support::write_file(path, "old");
  headless_long_job_host host;
  host.escape_at_poll = 2;
  const proper_names_result aborted = extract_proper_names_to_file(doc, from_utf8(path), host);
  EXPECT_TRUE(aborted.aborted);
  EXPECT_EQ(aborted.status_text, u"Aborted.");
  EXPECT_EQ(test_support::read_file(path), "old");
  EXPECT_FALSE(host.running);

  headless_long_job_host quiet;
  const proper_names_result failed = extract_proper_names_to_file(doc, from_utf8(dir_ + "no/names.txt"), quiet);
  EXPECT_TRUE(failed.write_failed);
  EXPECT_NE(failed.message.find(from_utf8(dir_ + "no/names.txt")), text_t::npos);
}

}  // namespace
