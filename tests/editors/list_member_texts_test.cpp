// Sort with each list's own texts of Erase, Sort and Clone: how its entries
// are keyed, and how an empty list is refused.
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"
#include "editors/autocorrect/block_list_file.h"
#include "editors/thesaurus/thesaurus_file.h"
#include "kit/list_commands.h"

#include <gtest/gtest.h>

#include <vector>

TEST(ListMemberTexts, EachListSortsByItsKeysAndNamesItsEntries) {
  struct sort_case {
    const char* list;
    const list_member_texts& texts;
    std::vector<text_t> entries;
    std::vector<text_t> sorted;
    const char16_t* none_found;
  };
  const sort_case cases[] = {
      // Comment lines and entries that start with their flags stay on top.
      {"dictionary", dictionary_member_texts(), {u"zebra/N", u"\nVersion: 1", u"/AB", u"apple"},
       {u"\nVersion: 1", u"/AB", u"apple", u"zebra/N"}, u"No dictionary words found."},
      // A head word sorts before the longer head words it begins; an entry
      // without one stays on top.
      {"thesaurus", thesaurus_member_texts(), {u"cat food|1\n-|x", u"|1\nz", u"cat|1\n-|y"},
       {u"|1\nz", u"cat|1\n-|y", u"cat food|1\n-|x"}, u"No synonyms found."},
      // By the wrong word, accents folded.
      {"autocorrect", autocorrect_member_texts(), {u"teh\nthe", u"\u00c9t\u00e9\nsummer", u"adn\nand"},
       {u"adn\nand", u"\u00c9t\u00e9\nsummer", u"teh\nthe"}, u"No autocorrect words found."},
  };
  for (const sort_case& c : cases) {
    SCOPED_TRACE(c.list);
    list_document doc;
    doc.replace_all(c.entries, u"");
    headless_long_job_host host;
    ASSERT_EQ(sort_list_document(doc, c.texts, host, u","), list_command_result::done);
    EXPECT_EQ(doc.entries(), c.sorted);
    list_document empty;
    EXPECT_EQ(sort_list_document(empty, c.texts, host, u","), list_command_result::refused);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back(), c.none_found);
  }
}
