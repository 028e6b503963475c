#include "tools/wordlist_tools.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tool_fn = wordlist_tool_result (*)(text_view, long_job_host&, const wordlist_tool_observer&);

TEST(WordlistToolsTest, SortDeduplicateAndConvert) {
  const struct {
    tool_fn tool;
    const char16_t* input;
    const char16_t* output;
    int64_t found;
    int64_t removed;
  } cases[] = {
      {sort_small_wordlist, u"Zebra\r\napple\nbanana", u"apple\nbanana\nZebra\n", 3, 0},
      // Accents fold; blank lines stay and come first.
      {sort_small_wordlist, u"\u00e9clair\n\nEcho\ndelta\n", u"\ndelta\nEcho\n\u00e9clair\n", 4, 0},
      {delete_duplicate_lines, u"a\na\nb", u"a\nb\n", 2, 1},
      // The first occurrence keeps its place; blank lines never reach the
      // output, repeated ones count as removed.
      {delete_duplicate_lines, u"b\na\n\nb\n\nc\na", u"b\na\nc\n", 4, 3},
      {delete_duplicate_lines, u"x\n\n", u"x\n", 2, 0},
      {convert_xml_tags_to_accents, u"caf&#233;\n&#233;&#232;\nplain\n&#38;#233;", u"caf\u00e9\n\u00e9\u00e8\nplain\n&#233;\n",
       4, 0},
  };
  for (const auto& c : cases) {
    headless_long_job_host host;
    std::vector<text_t> steps;
    wordlist_tool_observer observer;
    observer.step_started = [&](text_view s) { steps.emplace_back(s); };
    const wordlist_tool_result r = c.tool(c.input, host, observer);
    ASSERT_EQ(r.status, wordlist_tool_status::done) << to_utf8(c.input);
    EXPECT_EQ(r.output, c.output) << to_utf8(c.input);
    EXPECT_EQ(r.found, c.found) << to_utf8(c.input);
    EXPECT_EQ(r.removed, c.removed) << to_utf8(c.input);
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps.front(), WORDLIST_STEP_UNIX);
    EXPECT_EQ(steps.back(), WORDLIST_STEP_OUTPUT);
    EXPECT_FALSE(host.running);
  }
}

TEST(WordlistToolsTest, NothingToProcess) {
  const struct {
    tool_fn tool;
    const char16_t* input;
  } cases[] = {
      {sort_small_wordlist, u""},           {sort_small_wordlist, u"\r\n"},
      {convert_xml_tags_to_accents, u""},   {delete_duplicate_lines, u"only one"},
      {delete_duplicate_lines, u"one\n"},
  };
  for (const auto& c : cases) {
    headless_long_job_host host;
    EXPECT_EQ(c.tool(c.input, host, {}).status, wordlist_tool_status::nothing_to_process) << to_utf8(c.input);
    EXPECT_EQ(host.starts, 0);
  }
}

TEST(WordlistToolsTest, AnAbortKeepsOnlyTheOutputBuiltInTheLastStep) {
  // Three lines: polls 1-3 transfer, 4-6 the output step.
  headless_long_job_host early;
  early.escape_at_poll = 2;
  const wordlist_tool_result a = sort_small_wordlist(u"c\nb\na", early, {});
  EXPECT_EQ(a.status, wordlist_tool_status::aborted);
  EXPECT_EQ(a.output, u"");
  headless_long_job_host late;
  late.escape_at_poll = 6;
  const wordlist_tool_result b = sort_small_wordlist(u"c\nb\na", late, {});
  EXPECT_EQ(b.status, wordlist_tool_status::aborted);
  EXPECT_EQ(b.output, u"a\nb\n");
  EXPECT_FALSE(late.running);
}

TEST(WordlistToolsTest, RegexpAlternatives) {
  const struct {
    const char16_t* expression;
    bool valid;
  } cases[] = {
      {u"b|a|c", true}, {u"(ab)c|d", true}, {u"a(b|c)", false}, {u"a:b", false},
      {u"a(b", false},  {u"()x", false},    {u"((a))", false},  {u"(a)(b)|c", true},
  };
  for (const auto& c : cases) EXPECT_EQ(regexp_alternatives_valid(c.expression), c.valid) << to_utf8(c.expression);

  const text_t lines = regexp_alternatives_to_lines(u"b|a|c");
  EXPECT_EQ(lines, u"b\na\nc");
  headless_long_job_host host;
  const wordlist_tool_result r = sort_small_wordlist(lines, host, {});
  EXPECT_EQ(lines_to_regexp_alternatives(lines), u"b|a|c");
  EXPECT_EQ(lines_to_regexp_alternatives(r.output), u"a|b|c");
  EXPECT_EQ(lines_to_regexp_alternatives(u"a\r\nb\r\n"), u"a|b");
}

}  // namespace
