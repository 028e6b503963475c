#include "tools/bulk_import.h"

#include "editors/thesaurus/thesaurus_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

list_document document(std::vector<text_t> entries) {
  list_document doc;
  doc.replace_all(std::move(entries), u"test");
  return doc;
}

struct BulkImportTest : ::testing::Test {
  bulk_import_result run(text_view pasted, int mode, list_document* doc, bool index = false, int64_t start = 1,
                         text_t tag = {}) {
    bulk_import_options o;
    o.mode = mode;
    o.log_index = index;
    o.log_start = start;
    o.tag = std::move(tag);
    return run_bulk_import(pasted, o, doc, host);
  }
  headless_long_job_host host;
};

TEST_F(BulkImportTest, EachModeTurnsLinesIntoEntriesAndLogLines) {
  const struct {
    int mode;
    const char16_t* pasted;
    std::vector<text_t> appended;
    const char16_t* log;
  } cases[] = {
      {BULK_IMPORT_DICTIONARY, u"  cat  \r\n\r\ndog/S", {u"cat", u"dog/S"}, u"cat\ndog/S\n"},
      // A pasted .dic line keeps its tags as a loaded one does.
      {BULK_IMPORT_DICTIONARY, u"run/S\tpo:verb", {u"run/S\npo:verb"}, u"run/S\tpo:verb\n"},
      // The spaces around commas go, a double space becomes one.
      {BULK_IMPORT_THESAURUS, u"big , large,  huge\nalone", {u"big|2\nlarge\n huge", u"alone"},
       u"big|2\nlarge, huge\nalone\n"},
      {BULK_IMPORT_AUTOCORRECT, u"teh, the\nadn ,and", {u"teh\nthe", u"adn\nand"}, u"teh,the\nadn,and\n"},
  };
  for (const auto& c : cases) {
    list_document doc = document({u"old"});
    const bulk_import_result r = run(c.pasted, c.mode, &doc);
    ASSERT_EQ(r.status, bulk_import_status::done) << to_utf8(c.pasted);
    std::vector<text_t> expected{u"old"};
    expected.insert(expected.end(), c.appended.begin(), c.appended.end());
    EXPECT_EQ(doc.entries(), expected) << to_utf8(c.pasted);
    EXPECT_EQ(doc.checked(), std::vector<uint8_t>(expected.size(), 0));
    EXPECT_EQ(r.log, c.log);
    EXPECT_EQ(r.found, static_cast<int64_t>(c.appended.size()));
    EXPECT_TRUE(doc.changed());
    // One undo step takes the whole run back.
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.entries(), std::vector<text_t>{u"old"});
  }
}

TEST_F(BulkImportTest, LogIndexCountsFromTheStartValue) {
  list_document doc = document({});
  const bulk_import_result r = run(u"cat\n\ndog/S\n", BULK_IMPORT_DICTIONARY, &doc, true, 5);
  EXPECT_EQ(r.log, u"5) cat\n6) dog/S\n");
}

TEST_F(BulkImportTest, MultiwordsTagTheLogAndChangeNoDocument) {
  list_document doc = document({u"old"});
  const std::optional<text_t> tag = bulk_import_pos_tag(2, u"Noun - Plural - Neutral (NNS)", u"");
  ASSERT_TRUE(tag);
  const bulk_import_result r = run(u"ice cream\nhot dog", BULK_IMPORT_MULTIWORDS, &doc, false, 1, *tag);
  EXPECT_EQ(r.log, u"ice cream\tNNS\nhot dog\tNNS\n");
  EXPECT_EQ(doc.entries(), std::vector<text_t>{u"old"});
  EXPECT_FALSE(doc.changed());
  EXPECT_FALSE(doc.can_undo());
  EXPECT_EQ(run(u"x", BULK_IMPORT_MULTIWORDS, nullptr).status, bulk_import_status::done);
}

TEST_F(BulkImportTest, PosChoicesAndTags) {
  EXPECT_EQ(bulk_import_pos_choices().size(), 35u);
  EXPECT_EQ(bulk_import_pos_languages(), (std::vector<text_t>{u"Other", u"Portuguese", u"English"}));
  EXPECT_TRUE(bulk_import_pos_items(0).empty());
  const std::vector<text_t> portuguese = bulk_import_pos_items(1);
  ASSERT_EQ(portuguese.size(), 27u);
  EXPECT_EQ(portuguese[1], u"Proper Name - Singular - Male (NPMS000_)");
  EXPECT_EQ(portuguese[6], u"-");
  EXPECT_EQ(portuguese[26], u"Noun - Plural - Female (NCFP000_)");
  const std::vector<text_t> english = bulk_import_pos_items(2);
  ASSERT_EQ(english.size(), 7u);
  EXPECT_EQ(english[6], u"Noun - Uncountable - Neutral (NN:U)");

  EXPECT_EQ(bulk_import_pos_tag(1, portuguese[1], u"ignored"), std::optional<text_t>(u"\tNPMS000_"));
  EXPECT_EQ(bulk_import_pos_tag(2, english[6], u""), std::optional<text_t>(u"\tNN:U"));
  EXPECT_EQ(bulk_import_pos_tag(0, u"", u"NPMS000"), std::optional<text_t>(u"\tNPMS000"));
  EXPECT_EQ(bulk_import_pos_tag(1, u"-", u""), std::nullopt);
}

TEST_F(BulkImportTest, NothingToProcessAfterTheCleanUp) {
  for (const char16_t* pasted : {u"", u" ", u"\n", u"\r\n", u"  "}) {
    list_document doc = document({u"old"});
    EXPECT_EQ(run(pasted, BULK_IMPORT_DICTIONARY, &doc).status, bulk_import_status::nothing_to_process)
        << to_utf8(pasted);
    EXPECT_FALSE(doc.can_undo());
  }
  // Several blank lines run through and find nothing.
  list_document doc = document({});
  const bulk_import_result r = run(u"\n\n \n", BULK_IMPORT_DICTIONARY, &doc);
  EXPECT_EQ(r.status, bulk_import_status::done);
  EXPECT_EQ(r.lines, 3);
  EXPECT_EQ(r.found, 0);
  EXPECT_FALSE(doc.can_undo());
}

TEST_F(BulkImportTest, ThesaurusRefusesMoreMeaningsThanItsLimit) {
  text_t hundred = u"head", hundred_one = u"head";
  for (int i = 0; i < 100; ++i) hundred += u",m" + string_from_int(i);
  hundred_one = hundred + u",extra";
  list_document doc = document({});
  const bulk_import_result r = run(hundred + u"\n" + hundred_one + u"\nbig,large", BULK_IMPORT_THESAURUS, &doc);
  ASSERT_EQ(doc.count(), 2);
  EXPECT_EQ(doc.entries()[0].substr(0, 9), u"head|100\n");
  EXPECT_EQ(doc.entries()[1], u"big|1\nlarge");
  ASSERT_EQ(r.refused.size(), 1u);
  EXPECT_EQ(r.refused[0].line, 2);
  EXPECT_EQ(r.found, 2);
  const text_t message = bulk_import_refusal_message(r.refused);
  EXPECT_NE(message.find(u"more than 100 meanings"), text_t::npos);
  EXPECT_NE(message.find(u"\n2: head,m0"), text_t::npos);
}

TEST_F(BulkImportTest, ThesaurusRefusesLinesWhoseHeaderWouldNotReadBackTheirMeanings) {
  list_document doc = document({});
  const bulk_import_result r =
      run(u"word|x,syn1,syn2\nbig,large\nship|1,boat,vessel\nlone|3\nplain|x\nodd|2,a,b\nbar|,a", BULK_IMPORT_THESAURUS,
          &doc);
  ASSERT_EQ(r.status, bulk_import_status::done);
  // Every entry kept reads back as many meanings as it holds, so a save
  // writes them all.
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"big|1\nlarge", u"plain|x", u"odd|2|2\na\nb"}));
  for (const text_view entry : doc.entries()) {
    EXPECT_EQ(thesaurus_meaning_count(thesaurus_header(entry)),
              static_cast<int64_t>(std::count(entry.begin(), entry.end(), u'\n')))
        << to_utf8(entry);
  }
  ASSERT_EQ(r.refused.size(), 4u);
  const int64_t refused_lines[] = {1, 3, 4, 7};
  for (size_t i = 0; i < r.refused.size(); ++i) {
    EXPECT_EQ(r.refused[i].line, refused_lines[i]);
    EXPECT_EQ(r.refused[i].reason, bulk_import_refusal_reason::count_unreadable);
  }
  EXPECT_EQ(r.refused[0].text, u"word|x,syn1,syn2");
  EXPECT_EQ(r.found, 3);
  EXPECT_EQ(r.log, u"big|1\nlarge\nplain|x\nodd|2|2\na,b\n");

  // The warning names each line under its reason.
  text_t many = u"head";
  for (int i = 0; i < 101; ++i) many += u",m";
  list_document mixed = document({});
  const bulk_import_result both = run(u"word|x,a\n" + many, BULK_IMPORT_THESAURUS, &mixed);
  EXPECT_TRUE(mixed.entries().empty());
  EXPECT_EQ(bulk_import_refusal_message(both.refused),
            u"Lines not imported (more than 100 meanings): 1\n2: " + many +
                u"\n\nLines not imported (a \"|\" in the head word hides the meaning count): 1\n1: word|x,a");
}

TEST_F(BulkImportTest, AutocorrectTakesOnlyLinesWithOneCommaBetweenTwoTexts) {
  list_document doc = document({});
  const bulk_import_result r = run(u"teh,the\nnocomma\na,b,c\n,x\ny,\nhte , the", BULK_IMPORT_AUTOCORRECT, &doc);
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"teh\nthe", u"hte\nthe"}));
  ASSERT_EQ(r.refused.size(), 4u);
  EXPECT_EQ(r.refused[0].line, 2);
  EXPECT_EQ(r.refused[1].text, u"a,b,c");
  EXPECT_EQ(r.refused[3].line, 5);
  EXPECT_EQ(bulk_import_refusal_message({}), u"");
}

TEST_F(BulkImportTest, AnAbortRestoresTheDocumentWithoutArmingRedo) {
  list_document doc = document({u"a"});
  // An earlier edit the user can still undo.
  doc.save_undo();
  doc.append(u"b");
  doc.mark_saved(doc.path());
  host.escape_at_poll = 3;
  const bulk_import_result r = run(u"c\nd\ne\nf", BULK_IMPORT_DICTIONARY, &doc);
  EXPECT_EQ(r.status, bulk_import_status::aborted);
  EXPECT_EQ(r.log, u"c\nd\n");
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"a", u"b"}));
  EXPECT_FALSE(doc.changed());
  EXPECT_FALSE(doc.can_redo());
  ASSERT_TRUE(doc.can_undo());
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.entries(), std::vector<text_t>{u"a"});
  EXPECT_FALSE(host.running);
}

}  // namespace
