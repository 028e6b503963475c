#include "tools/possessive_names.h"

#include "affix/aff_cache.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

list_document dictionary(std::vector<text_t> entries) {
  list_document doc;
  doc.replace_all(std::move(entries), u"test.dic");
  return doc;
}

struct PossessiveNamesTest : ::testing::Test {
  possessive_result run(text_view pasted, list_document& doc, int64_t mode = FLAG_MODE_CHAR) {
    return import_possessive_names(pasted, options, mode, doc, host);
  }
  possessive_options options;
  headless_long_job_host host;
};

TEST_F(PossessiveNamesTest, AddsCapitalisedNamesTheDictionaryLacks) {
  options.log_index = false;
  list_document doc = dictionary({u"Rome/M", u"StParis/MS", u"London/S", u"cat"});
  const possessive_result r = run(
      u"We went from Paris to London (1999), saw london and London's\t\u201cBerlin\u201d, "
      u"\"Rome\" and Stratford-upon-Avon; -Oslo Kyiv- 'Lyon' 2000 \u00c9vora.",
      doc);
  ASSERT_EQ(r.status, possessive_status::done);
  // Paris/M is part of StParis/MS; London/S has another flag; each name once.
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"Rome/M", u"StParis/MS", u"London/S", u"cat", u"We/M", u"London/M",
                                              u"Berlin/M", u"Stratford-upon-Avon/M", u"Lyon/M", u"\u00c9vora/M"}));
  EXPECT_EQ(r.added, 6);
  EXPECT_EQ(r.log, u"We/M\nLondon/M\nBerlin/M\nStratford-upon-Avon/M\nLyon/M\n\u00c9vora/M\n");
  EXPECT_TRUE(doc.changed());
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.count(), 4);
}

TEST_F(PossessiveNamesTest, AnEntryAddedByTheRunHoldsLaterNames) {
  options.log_index = false;
  options.flag_text = u"/MS";
  // "Paris/MS" lies in "StParis/MS" once that is added; "Rome/MS" in the
  // tags of an entry; a name whose flag text stands elsewhere is added.
  list_document doc = dictionary({u"x\nsee Rome/MS", u"Oslo/M"});
  const possessive_result r = run(u"StParis Paris Rome Oslo Paris", doc);
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"x\nsee Rome/MS", u"Oslo/M", u"StParis/MS", u"Oslo/MS"}));
  EXPECT_EQ(r.log, u"StParis/MS\nOslo/MS\n");
}

TEST_F(PossessiveNamesTest, CandidatesNeedAnUpperCaseLetterFirst) {
  const struct {
    const char16_t* word;
    const char16_t* name;
  } cases[] = {
      {u"Paris", u"Paris"},        {u"\u201cParis\u201d", u"Paris"}, {u"'Paris'", u"Paris"},
      {u"\"O'Brien\"", u"O'Brien"}, {u"paris", u""},                   {u"-Paris", u""},
      {u"Paris-", u""},            {u"'-Paris'", u""},                {u"'", u""},
      {u"#", u""},                 {u"\u00c5land", u"\u00c5land"},    {u"\u00e5land", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(possessive_candidate(c.word), c.name) << to_utf8(c.word);
}

TEST_F(PossessiveNamesTest, TheFlagMustFitTheFlagMode) {
  const struct {
    const char16_t* flag;
    int64_t mode;
    bool valid;
  } cases[] = {
      {u"/M", FLAG_MODE_CHAR, true},    {u"/MS", FLAG_MODE_CHAR, true},  {u"M", FLAG_MODE_CHAR, false},
      {u"/", FLAG_MODE_CHAR, false},    {u"/M S", FLAG_MODE_CHAR, false}, {u"/M", FLAG_MODE_LONG, false},
      {u"/Mx", FLAG_MODE_LONG, true},   {u"/12", FLAG_MODE_NUM, true},    {u"/12,7", FLAG_MODE_NUM, true},
      {u"/M", FLAG_MODE_NUM, false},    {u"/12,", FLAG_MODE_NUM, false},  {u"/70000", FLAG_MODE_NUM, false},
      {u"/0", FLAG_MODE_NUM, false},
  };
  for (const auto& c : cases) EXPECT_EQ(possessive_flag_valid(c.flag, c.mode), c.valid) << to_utf8(c.flag);

  list_document doc = dictionary({u"cat"});
  EXPECT_EQ(run(u"Paris", doc, FLAG_MODE_LONG).status, possessive_status::bad_flag);
  EXPECT_EQ(doc.count(), 1);
  options.flag_text = u"/12";
  EXPECT_EQ(run(u"Paris", doc, FLAG_MODE_NUM).status, possessive_status::done);
  EXPECT_EQ(doc.entries().back(), u"Paris/12");
}

TEST_F(PossessiveNamesTest, LogIndexAndNothingToProcess) {
  options.log_start = 5;
  list_document doc = dictionary({});
  EXPECT_EQ(run(u"Paris Rome", doc).log, u"5) Paris/M\n6) Rome/M\n");
  // Nothing but a space is left of these.
  for (const char16_t* pasted : {u"", u" ", u"\n", u"12", u"(."}) {
    list_document empty = dictionary({});
    EXPECT_EQ(run(pasted, empty).status, possessive_status::nothing_to_process) << to_utf8(pasted);
  }
  // Longer runs of punctuation leave spaces: the run finds nothing.
  list_document empty = dictionary({});
  const possessive_result r = run(u"1999 (2000)", empty);
  EXPECT_EQ(r.status, possessive_status::done);
  EXPECT_EQ(r.added, 0);
  EXPECT_FALSE(empty.can_undo());
}

TEST_F(PossessiveNamesTest, AnAbortTakesTheRunBackWithoutArmingRedo) {
  list_document doc = dictionary({u"cat"});
  // Polls: the one line, then one per name.
  host.escape_at_poll = 4;
  const possessive_result r = run(u"Paris Rome Oslo Lima", doc);
  EXPECT_EQ(r.status, possessive_status::aborted);
  EXPECT_EQ(r.added, 2);
  EXPECT_EQ(doc.entries(), std::vector<text_t>{u"cat"});
  EXPECT_FALSE(doc.changed());
  EXPECT_FALSE(doc.can_undo());
  EXPECT_FALSE(doc.can_redo());
  EXPECT_FALSE(host.running);
}

}  // namespace
