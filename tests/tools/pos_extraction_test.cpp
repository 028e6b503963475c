#include "tools/pos_extraction.h"

#include "tests/test_support/temp_folder.h"
#include "tools/pos_rule_presets.h"
#include "tools/pos_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PosExtractionTest : public test_support::temp_folder_test {
 protected:
  PosExtractionTest() : temp_folder_test("vx_pos_test") {}

  static list_document dictionary(std::initializer_list<const char16_t*> entries) {
    list_document doc;
    std::vector<text_t> e;
    for (const char16_t* x : entries) e.emplace_back(x);
    doc.replace_all(std::move(e), u"test.dic");
    return doc;
  }
  static std::vector<text_t> portuguese() {
    pos_rule_tables tables;
    fill_pos_rule_presets(tables);
    return pos_language_rules(tables, 1);
  }
};

TEST_F(PosExtractionTest, BothFormsOfTheLines) {
  const list_document dic = dictionary({u"Lisboa/p\n[CAT=np,SEM=cid,G=f,N=s]", u"casa/p\n[CAT=nc,G=f]",
                                        u"Porto\n[CAT=np,SEM=cid,G=m,N=s]", u"a\\/b/x\n[CAT=np,G=m]"});
  const std::vector<text_t> rules = portuguese();
  headless_long_job_host host;
  pos_extraction_result r = extract_pos_words(dic, u"SET UTF-8", rules, pos_list_form::added, tpath("added.txt"), host);
  ASSERT_EQ(r.status, pos_extraction_status::ok);
  EXPECT_EQ(r.found, 3);
  EXPECT_EQ(read_bytes("added.txt"),
            "\xEF\xBB\xBFLisboa\tLisboa\tNPFSG00\nPorto\tPorto\tNPMSG00\na\\/b\ta\\/b\tNPMS000\n");
  EXPECT_EQ(host.status.substr(0, 26), u"OK. POSes extracted:3 \u231a00m");

  r = extract_pos_words(dic, u"SET UTF-8", rules, pos_list_form::spelling, tpath("spelling.txt"), host);
  ASSERT_EQ(r.status, pos_extraction_status::ok);
  EXPECT_EQ(read_bytes("spelling.txt"), "\xEF\xBB\xBFLisboa\nPorto\na\\/b\n");
}

TEST_F(PosExtractionTest, MatchingRules) {
  // Rule sources and targets are trimmed; the entry's tag part is not.
  const std::vector<text_t> rules = {u"  Noun \n NN \nc", u"Verb\nVB\nc", u"Noun\nNNS\nrepeated source",
                                     u"Adj\nJJ\nc"};
  const list_document dic = dictionary({u"house/S\nNoun", u"run\nVerb ", u"big", u"red/X\n", u"tall\nAdj\nmore"});
  headless_long_job_host host;
  const pos_extraction_result r = extract_pos_words(dic, u"x", rules, pos_list_form::added, tpath("out.txt"), host);
  EXPECT_EQ(r.found, 3);
  // A repeated source writes the entry once per rule, in rule order; an
  // entry's second line alone is its tag part.
  EXPECT_EQ(read_bytes("out.txt"), "\xEF\xBB\xBFhouse\thouse\tNN\nhouse\thouse\tNNS\ntall\ttall\tJJ\n");
}

TEST_F(PosExtractionTest, RefusalsInOrder) {
  const std::vector<text_t> rules = {u"a\nb\nc"};
  const list_document words = dictionary({u"w\na"});
  struct refusal_case {
    list_document dic;
    text_t aff;
    std::vector<text_t> rules;
    pos_extraction_status status;
    const char16_t* message;
  };
  const refusal_case cases[] = {
      {list_document(), u"", {}, pos_extraction_status::no_words, u"No dictionary words found."},
      {words, u"", {}, pos_extraction_status::aff_empty, u"The .AFF file is empty."},
      {words, u"SET UTF-8", {}, pos_extraction_status::no_rules, u"No POS rules for selected language."},
  };
  for (const refusal_case& c : cases) {
    const pos_extraction_result r = check_pos_extraction(c.dic, c.aff, c.rules);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.message, c.message);
    EXPECT_EQ(r.status_text, u"Aborted.");
  }
  EXPECT_EQ(check_pos_extraction(words, u"x", rules).status, pos_extraction_status::ok);
}

TEST_F(PosExtractionTest, OnlyTheConfirmedFileIsReplacedAndAnAbortKeepsIt) {
  const list_document dic = dictionary({u"Lisboa\n[CAT=np,G=f]", u"Porto\n[CAT=np,G=m]"});
  const std::vector<text_t> rules = portuguese();
  // The user chose "List.TXT": "List.txt" beside it is another file.
  write_bytes("List.txt", "keep me");
  write_bytes("List.TXT", "old");
  headless_long_job_host host;
  ASSERT_EQ(extract_pos_words(dic, u"x", rules, pos_list_form::spelling, tpath("List.TXT"), host).status,
            pos_extraction_status::ok);
  EXPECT_EQ(read_bytes("List.txt"), "keep me");
  EXPECT_EQ(read_bytes("List.TXT"), "\xEF\xBB\xBFLisboa\nPorto\n");

  write_bytes("List.TXT", "old");
  headless_long_job_host escaping;
  escaping.escape_at_poll = 1;
  EXPECT_EQ(extract_pos_words(dic, u"x", rules, pos_list_form::spelling, tpath("List.TXT"), escaping).status,
            pos_extraction_status::aborted);
  EXPECT_EQ(escaping.status, u"Aborted.");
  EXPECT_EQ(read_bytes("List.TXT"), "old");
  EXPECT_EQ(folder_names(), (std::vector<std::string>{"List.TXT", "List.txt"}));

  const pos_extraction_result failed =
      extract_pos_words(dic, u"x", rules, pos_list_form::spelling, tpath("none/x.txt"), host);
  EXPECT_EQ(failed.status, pos_extraction_status::write_failed);
  EXPECT_NE(failed.message.find(tpath("none/x.txt")), text_t::npos);
}

}  // namespace
