#include "common/regex.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Regex, AffixConditionsMatch) {
  struct Case {
    const char* pattern;
    const char* subject;
    bool matches;
  } cases[] = {
      {"[^aeiou]y$", "happy", true},
      {"[^aeiou]y$", "play", false},
      {"^un", "undo", true},
      {"^un", "fun", false},
      {"[äöü]e$", "Söhne", false},
      {"[äöü]e$", "Bäe", true},
      {"^.$", "ß", true},                 // one character, two bytes
      {"a.b", "a\nb", true},             // dot matches a newline
      {"", "anything", true},
      {"x", "", false},
  };
  for (const Case& c : cases) {
    compiled_regex re(c.pattern);
    ASSERT_TRUE(re.valid()) << c.pattern;
    EXPECT_EQ(re.matches(std::string_view(c.subject)), c.matches) << c.pattern << " " << c.subject;
    EXPECT_EQ(re.matches(text_view(T(c.subject))), c.matches) << c.pattern << " " << c.subject;
  }
}

TEST(Regex, InvalidPatternsNeverMatch) {
  for (const char* bad : {"[abc", "(x", "a{2,1}", "\\", "*a"}) {
    compiled_regex re(bad);
    EXPECT_FALSE(re.valid()) << bad;
    EXPECT_FALSE(re.matches(std::string_view("abc[(x*a\\"))) << bad;
    EXPECT_FALSE(re.matches(text_view(u"abc"))) << bad;
  }
  EXPECT_FALSE(compiled_regex().matches(std::string_view("a")));
  EXPECT_FALSE(compiled_regex(std::string_view("a\0b", 3)).valid());
}

TEST(Regex, SameTextIsCompiledOnce) {
  int64_t before = compiled_regex::compilations();
  compiled_regex a("[^e]ing$"), b("[^e]ing$");
  compiled_regex copy = a;
  EXPECT_EQ(compiled_regex::compilations(), before + 1);
  EXPECT_TRUE(b.matches(std::string_view("sing")));
  EXPECT_TRUE(copy.matches(std::string_view("bring")));
  EXPECT_NE(regex_create(497, u"[^e]ing$", 4), 0);
  EXPECT_EQ(compiled_regex::compilations(), before + 1);
  // A failed pattern is remembered too.
  compiled_regex("(unclosed");
  compiled_regex("(unclosed");
  EXPECT_EQ(compiled_regex::compilations(), before + 2);
  regex_free(497);
  compiled_regex dot_all("a.b"), dot_plain("a.b", false);
  EXPECT_TRUE(dot_all.matches(std::string_view("a\nb")));
  EXPECT_FALSE(dot_plain.matches(std::string_view("a\nb")));  // options are part of the key
}

TEST(Regex, InvalidUtf8SubjectIsMatchedAsReplacement) {
  compiled_regex re("^a.b$");
  EXPECT_TRUE(re.matches(std::string_view("a\xFF" "b")));
  EXPECT_FALSE(compiled_regex("^ab$").matches(std::string_view("a\xFF" "b")));
  // A lone surrogate in program text is encoded as U+FFFD.
  text_t lone = u"a";
  lone.push_back(char16_t(0xD800));
  lone += u"b";
  EXPECT_TRUE(re.matches(text_view(lone)));
}

TEST(Regex, NumberedService) {
  EXPECT_NE(regex_create(497, u"[^aeiou]y$", 4), 0);
  EXPECT_EQ(regex_match(497, u"happy"), 1);
  EXPECT_EQ(regex_match(497, u"day"), 0);
  EXPECT_EQ(regex_create(497, u"[broken", 4), 0);
  EXPECT_EQ(regex_match(497, u"anything"), 0);  // the failed one replaced the old one
  EXPECT_EQ(regex_match(12345, u"x"), 0);       // never created
  EXPECT_NE(regex_create(1, u"^a.c", 4), 0);
  EXPECT_NE(regex_create(2, u"^a.c", 0), 0);
  EXPECT_EQ(regex_match(1, u"a\nc"), 1);
  EXPECT_EQ(regex_match(2, u"a\nc"), 0);
  regex_free(1);
  EXPECT_EQ(regex_match(1, u"abc"), 0);
  regex_free(-1);
  EXPECT_EQ(regex_match(2, u"abc"), 0);
}

TEST(Regex, RunawayBacktrackingEndsWithoutAMatch) {
  compiled_regex re("^(a+)+$");
  ASSERT_TRUE(re.valid());
  std::string subject(30, 'a');
  subject += 'b';
  EXPECT_FALSE(re.matches(std::string_view(subject)));
  EXPECT_TRUE(re.matches(std::string_view(std::string(100000, 'a'))));
}

}  // namespace
