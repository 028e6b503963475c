#include "editors/autocorrect/autocorrect_validate.h"

#include "affix/aff_cache.h"
#include "tests/affix/test_cache.h"
#include "common/long_job.h"
#include "editors/autocorrect/block_list_file.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

list_document doc_of(std::vector<text_t> entries) {
  list_document d;
  d.replace_all(std::move(entries), u"");
  return d;
}

// "colour/S" stands for colour and colours; the other entries for themselves.
const char16_t kAff[] = u"SET UTF-8\nSFX S Y 1\nSFX S 0 s .\n";
list_document dictionary() { return doc_of({u"colour/S", u"color", u"Monday", u"the\nst:the", u"/S"}); }

struct run_record {
  text_t log;
  std::vector<int64_t> issues;
  autocorrect_validate_result result;
};

run_record run(const list_document& autocorrect, const list_document& dic, headless_long_job_host& host,
               int64_t limit = 0) {
  invalidate_aff_decode_cache(test_cache);
  rebuild_aff_decode_cache(test_cache, kAff);
  run_record r;
  autocorrect_validate_output out{[&](text_view t) { r.log += t; }, [&](int64_t n) { r.issues.push_back(n); }};
  r.result = validate_autocorrect_list(autocorrect, dic, test_cache, limit, u",", host, out);
  return r;
}

bool has(const text_t& log, const char16_t* line) { return log.find(text_t(line) + u"\n") != text_t::npos; }

TEST(AutocorrectValidate, ReportsMissingWordsAndPairsThatUndoEachOther) {
  const list_document ac = doc_of({
      u"color\ncolour",     // both directions: two reversed pairs
      u"colour\ncolor",
      u"alot\na lot",       // a space: never one word form
      u":smile:\n\u263A",   // a shortcode: not looked up
      u"Mondy\nMonday",     // found
      u"mondy\nmonday",     // only in another case: reported
      u"colurs\ncolours",   // a derived form is found
      u"teh\nthe",
  });
  headless_long_job_host host;
  const run_record r = run(ac, dictionary(), host);
  EXPECT_FALSE(r.result.aborted);
  EXPECT_EQ(r.result.derived_words, 5);  // colour, colours, color, Monday, the
  EXPECT_EQ(r.result.pairs, 8);
  const text_t expected =
      u"Step 1/4 - Extracting dictionary wordlist...\n"
      u"Done!\nTotal wordlist:5\n\n\n"
      u"Step 2/4 - Extracting autocorrect list...\n"
      u"Done!\nTotal autocorrect list:8\n\n\n"
      u"Step 3/4 - Comparing extracted autocorrect wordlist with dictionary...\n"
      u"Not found:'a lot'\u2192Line 3\n"
      u"Not found:'monday'\u2192Line 6\n"
      u"Done!\n\n\n"
      u"Step 4/4 - Comparing extracted autocorrect wordlist with incorrect/correct...\n"
      u"Incorrect Autocorrect entry:'colour','color'\u2192Line 1\n"
      u"Incorrect Autocorrect entry:'color','colour'\u2192Line 2\n"
      u"Done!\n\n\n";
  EXPECT_EQ(r.log, expected);
  EXPECT_EQ(r.result.issues(), 4);
  ASSERT_FALSE(r.issues.empty());
  EXPECT_EQ(r.issues.back(), 4);
  EXPECT_FALSE(host.running);
}

// Enough words for the word set to grow several times over.
TEST(AutocorrectValidate, LargeDictionaryFindsEveryWordForm) {
  std::vector<text_t> entries;
  for (int i = 0; i < 70000; ++i) entries.push_back(u"w" + string_from_int(i) + (i % 7 == 0 ? u"/S" : u""));
  entries.push_back(u"w5");  // a repeat
  std::vector<text_t> pairs;
  for (int i = 0; i < 70000; i += 997) pairs.push_back(u"x\nw" + string_from_int(i));
  pairs.push_back(u"y\nw7s");     // a derived form
  pairs.push_back(u"z\nw70000");  // no such word
  pairs.push_back(u"q\nw1s");     // w1 takes no suffix
  headless_long_job_host host;
  const run_record r = run(doc_of(pairs), doc_of(entries), host);
  EXPECT_EQ(r.result.derived_words, 70001 + 10000);
  EXPECT_EQ(r.result.distinct_words, 80000);
  EXPECT_EQ(r.result.not_found, 2);
  EXPECT_TRUE(has(r.log, u"Not found:'w70000'\u2192Line 73"));
  EXPECT_TRUE(has(r.log, u"Not found:'w1s'\u2192Line 74"));
}

TEST(AutocorrectValidate, EachMatchingPairCountsAndShortcodesMatchOnlyEmptyIncorrectTexts) {
  const list_document ac = doc_of({u"a\nb", u"b\nc", u"b\nd", u":x:\nsmile", u"\nlost"});
  headless_long_job_host host;
  const run_record r = run(ac, doc_of({}), host);
  // "b" is the incorrect text of two pairs: line 1 counts twice and is
  // reported once with the count; the shortcode's empty correct text
  // matches the pair with no incorrect text.
  EXPECT_EQ(r.result.reversed, 3);
  EXPECT_TRUE(has(r.log, u"Incorrect Autocorrect entry:'b','a'\u2192Line 1 (\u00d72)"));
  EXPECT_EQ(r.log.find(u"'b','a'"), r.log.rfind(u"'b','a'"));
  EXPECT_TRUE(has(r.log, u"Incorrect Autocorrect entry:'',':x:'\u2192Line 4"));
}

// A list whose 2,000 pairs all read ".*->.*" (regular-expression-like
// texts, as a fuzzer made them) against an 800-entry dictionary: every pair
// undoes every pair. The count says so; the report keeps a line per pair,
// so it stays the size of the list rather than its square.
TEST(AutocorrectValidate, PairsSharingOneTextKeepTheReportToTheSizeOfTheList) {
  const std::string folder = test_support::make_temp_folder("ac_validate");
  ASSERT_FALSE(folder.empty());
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<block-list:block-list "
                    "xmlns:block-list=\"http://openoffice.org/2001/block-list\">\n";
  for (int k = 0; k < 2000; ++k)
    xml += "  <block-list:block block-list:abbreviated-name=\".*-&gt;.*\" block-list:name=\".*-&gt;.*\"/>\n";
  xml += "</block-list:block-list>\n";
  test_support::write_file(folder + "/DocumentList.xml", xml);
  headless_long_job_host host;
  list_document ac;
  ASSERT_EQ(load_autocorrect_list_file(from_utf8(folder + "/DocumentList.xml"), host, ac,
                                       [](text_view, text_view, int) { return 6; })
                .status,
            block_list_status::ok);
  ASSERT_EQ(ac.count(), 2000);
  std::vector<text_t> entries;
  for (int k = 0; k < 800; ++k) entries.push_back(u"word" + string_from_int(k) + u"/S");
  const run_record r = run(ac, doc_of(entries), host);
  EXPECT_EQ(r.result.derived_words, 1600);
  EXPECT_EQ(r.result.not_found, 2000);
  EXPECT_EQ(r.result.reversed, 2000 * 2000);
  EXPECT_TRUE(has(r.log, u"Incorrect Autocorrect entry:'.*->.*','.*->.*'\u2192Line 2000 (\u00d72000)"));
  EXPECT_LT(r.log.size(), 2000u * 120u);
  test_support::remove_folder(folder);
}

TEST(AutocorrectValidate, WithoutDictionaryOnlyThePairStepsRun) {
  const list_document ac = doc_of({u"alot\na lot"});
  headless_long_job_host host;
  const run_record r = run(ac, doc_of({}), host);
  const text_t skip = u"No dictionary found - skipping dictionary checks...\n\n\n";
  EXPECT_EQ(r.log.find(u"Step 1/4 - Extracting dictionary wordlist...\n" + skip), 0u);
  EXPECT_NE(r.log.find(u"with dictionary...\n" + skip), text_t::npos);
  EXPECT_FALSE(has(r.log, u"Not found:'a lot'\u2192Line 1"));
  EXPECT_EQ(r.result.issues(), 0);
}

TEST(AutocorrectValidate, DecodeLimitAsksOnceAndYesSkipsTheDictionaryStep) {
  const list_document ac = doc_of({u"alot\na lot"});
  {
    headless_long_job_host host;  // answers Yes
    const run_record r = run(ac, dictionary(), host, 2);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0],
              u"Over 2 words have been decoded.\n\nThis represents a huge amount of data in the RAM\nthat can fill it "
              u"up and crash the computer.\n\nAbort?");
    EXPECT_TRUE(r.result.wordlist_incomplete);
    EXPECT_TRUE(has(r.log, u"Failed to extract full .dic wordlist.\nTotal wordlist:2"));
    EXPECT_TRUE(has(r.log, u"Dictionary words extraction aborted by user, so skipping this step.\n\n"));
    EXPECT_FALSE(has(r.log, u"Not found:'a lot'\u2192Line 1"));
  }
  {
    headless_long_job_host host;
    host.abort_answer = 7;
    const run_record r = run(ac, dictionary(), host, 2);
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_TRUE(has(r.log, u"Done!\nTotal wordlist:5"));
    EXPECT_TRUE(has(r.log, u"Not found:'a lot'\u2192Line 1"));
  }
  {
    headless_long_job_host host;
    run(ac, dictionary(), host, 0);
    EXPECT_TRUE(host.messages.empty());
  }
}

TEST(AutocorrectValidate, EscapeEndsTheRunWithoutTheCurrentStepsReport) {
  const list_document ac = doc_of({u"a\nb", u"b\na", u"c\nd"});
  headless_long_job_host host;
  host.escape_at_poll = 5 + 3 + 2;  // five dictionary entries, three pairs, then inside step 3
  const run_record r = run(ac, dictionary(), host);
  EXPECT_TRUE(r.result.aborted);
  EXPECT_EQ(host.status, u"Aborted.");
  EXPECT_FALSE(host.running);
  const text_t tail = u"Step 3/4 - Comparing extracted autocorrect wordlist with dictionary...\nAborted.\n";
  ASSERT_GE(r.log.size(), tail.size());
  EXPECT_EQ(r.log.substr(r.log.size() - tail.size()), tail);
  EXPECT_EQ(r.log.find(u"Step 4/4"), text_t::npos);
}

}  // namespace
