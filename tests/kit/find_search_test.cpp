#include "editors/thesaurus/thesaurus_entry.h"
#include "kit/find_search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

list_document document(std::vector<const char*> entries) {
  list_document doc;
  std::vector<text_t> texts;
  for (const char* e : entries) texts.push_back(from_utf8(e));
  doc.replace_all(std::move(texts), u"");
  return doc;
}

find_options options(const char* text, bool left, bool match_case, bool extra) {
  find_options o;
  o.text = from_utf8(text);
  o.left_match = left;
  o.match_case = match_case;
  o.match_extra = extra;
  return o;
}

// "position:shown" of every row.
std::string found(const list_document& doc, find_list kind, const find_options& o) {
  headless_long_job_host host;
  std::string out;
  // The thesaurus reads its meaning count with its own parser.
  find_entry_reader reader{kind, nullptr};
  if (kind == find_list::thesaurus) reader.extra_line_count = thesaurus_meaning_count;
  for (const find_row& r : find_in_list(doc, reader, o, host).rows) {
    out += (out.empty() ? "" : " ") + std::to_string(r.position) + ":" + to_utf8(r.shown);
  }
  return out;
}

TEST(FindSearch, MatchingRulesOfEachList) {
  const list_document dictionary = document({"cat/AB\npo:noun", "Catalog", "dog\nis:cat-like", "scatter"});
  const list_document thesaurus =
      document({"cat|2\n(noun)|feline|kitty\n(verb)|vomit", "dog|1\n(noun)|hound\n(noun)|feline", "kitty|0"});
  const list_document autocorrect = document({"teh\nthe", "thier\ntheir", "adn\nand"});
  struct Case {
    const char* what;
    const list_document& doc;
    find_list kind;
    find_options o;
    const char* expected;
  } cases[] = {
      {"left match finds the start only", dictionary, find_list::dictionary, options("cat", true, false, false),
       "1:cat/AB\u2192po:noun 2:Catalog"},
      {"tags only with extra", dictionary, find_list::dictionary, options("noun", true, false, true),
       "1:cat/AB\u2192po:noun"},
      {"tags not searched without extra", dictionary, find_list::dictionary, options("noun", true, false, false), ""},
      {"without left match the whole entry", dictionary, find_list::dictionary, options("noun", false, false, false),
       "1:cat/AB\u2192po:noun"},
      {"anywhere without left match", dictionary, find_list::dictionary, options("cat", false, false, false),
       "1:cat/AB\u2192po:noun 2:Catalog 3:dog\u2192is:cat-like 4:scatter"},
      {"the arrow is part of what is searched", dictionary, find_list::dictionary,
       options("ab\u2192po", false, false, false), "1:cat/AB\u2192po:noun"},
      {"capitals find lower case", dictionary, find_list::dictionary, options("CAT", true, false, false),
       "1:cat/AB\u2192po:noun 2:Catalog"},
      {"match case", dictionary, find_list::dictionary, options("Cat", true, true, false), "2:Catalog"},
      {"a meaning with extra", thesaurus, find_list::thesaurus, options("feline", true, false, true), "1:cat|2"},
      {"meanings past the count are not searched", thesaurus, find_list::thesaurus,
       options("feline", false, false, true), "1:cat|2"},
      {"a meaning without extra", thesaurus, find_list::thesaurus, options("feline", false, false, false), ""},
      {"head line", thesaurus, find_list::thesaurus, options("kitty", true, false, false), "3:kitty|0"},
      {"correct text with extra", autocorrect, find_list::autocorrect, options("the", true, false, true),
       "1:teh\u2192the 2:thier\u2192their"},
      {"correct text without extra", autocorrect, find_list::autocorrect, options("the", true, false, false), ""},
      {"whole entry without left match", autocorrect, find_list::autocorrect, options("and", false, false, false),
       "3:adn\u2192and"},
  };
  for (const Case& c : cases) EXPECT_EQ(found(c.doc, c.kind, c.o), c.expected) << c.what;
}

TEST(FindSearch, MatchPercentIsTheLengthRatio) {
  const list_document doc = document({"abcdefghijkl", "abcdefghi", "ab"});
  headless_long_job_host host;
  const find_result r = find_in_list(doc, {find_list::dictionary, nullptr}, options("abc", true, false, true), host);
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0].percent, u"25");
  EXPECT_EQ(r.rows[1].percent, u"33.33");
}

TEST(FindSearch, AnAbortKeepsTheRowsFoundSoFar) {
  const list_document doc = document({"a1", "a2", "a3", "a4"});
  headless_long_job_host host;
  host.escape_at_poll = 2;
  int64_t reported = 0;
  const find_result r = find_in_list(doc, {find_list::dictionary, nullptr}, options("a", true, false, true), host,
                                     [&](const find_row&, int64_t n) { reported = n; });
  EXPECT_TRUE(r.aborted);
  EXPECT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(reported, 2);
  EXPECT_FALSE(host.running);  // the timer went with the job
}

TEST(FindSearch, RemovingARowRenumbersTheLaterOnesAndKeepsAValidSelection) {
  struct Case {
    const char* what;
    int64_t removed_position;
    int64_t selected_before;
    std::vector<int64_t> positions_after;
    int64_t selected_after;
  } cases[] = {
      {"middle row, selected", 5, 1, {2, 5, 8}, 1},   // the next row takes its place
      {"last row, selected", 9, 3, {2, 5, 6}, 2},     // moves up
      {"a row before the selection", 2, 2, {4, 5, 8}, 1},
      {"a row after the selection", 6, 0, {2, 5, 8}, 0},
      {"nothing selected", 5, -1, {2, 5, 8}, -1},
  };
  for (const Case& c : cases) {
    std::vector<find_row> rows = {{u"a", 2, u""}, {u"b", 5, u""}, {u"c", 6, u""}, {u"d", 9, u""}};
    int64_t selected = c.selected_before;
    remove_find_row(rows, c.removed_position, selected);
    std::vector<int64_t> positions;
    for (const find_row& r : rows) positions.push_back(r.position);
    EXPECT_EQ(positions, c.positions_after) << c.what;
    EXPECT_EQ(selected, c.selected_after) << c.what;
  }
  std::vector<find_row> one = {{u"a", 3, u""}};
  int64_t selected = 0;
  remove_find_row(one, 3, selected);
  EXPECT_TRUE(one.empty());
  EXPECT_EQ(selected, -1);
}

TEST(FindSearch, TheListSelectionFollowsARemovedEntry) {
  EXPECT_EQ(selection_after_removal(7, 4), 6);
  EXPECT_EQ(selection_after_removal(4, 4), -1);
  EXPECT_EQ(selection_after_removal(2, 4), 2);
  EXPECT_EQ(selection_after_removal(-1, 4), -1);
}

}  // namespace
