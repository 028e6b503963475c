// Every derived word of Debian's en_US and de_DE that Hunspell itself rejects
// has a reason the expansion cannot know about: it is a part that Hunspell
// accepts only inside a compound (ONLYINCOMPOUND, COMPOUNDBEGIN/MIDDLE/END
// on the rule), the bare word of a NEEDAFFIX entry, or a FORBIDDENWORD entry.
#include "affix_test_util.h"
#include "dictionary/derived_rows.h"
#include "common/dic_entry.h"
#include "tests/test_support/installed_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <fstream>
#include <set>
#include <sstream>
#include <unordered_map>
#include <unistd.h>

namespace {

struct acceptance_case {
  const char* name;
  test_support::known_file dic, aff;  // the figures below are theirs
  const char* compound_only;  // entry flags: the word lives only in compounds
  const char* need_affix;     // entry flags: the bare word is no word
  const char* forbidden;      // entry flags: every form is forbidden
  const char* compound_rule;  // continuation flags of a rule: a compound part
  size_t rejected;            // distinct words Hunspell rejects
};

bool shares_a_flag(text_view flags, const char* set) {
  for (char16_t u : flags)
    if (u < 128 && std::string(set).find(static_cast<char>(u)) != std::string::npos) return true;
  return false;
}

// The continuation flags of a row's rule ("00000003: strip affix/flags cond").
text_view continuation_of(const derived_word_record& r) {
  text_view rule = r.rule_key;
  size_t colon = rule.find(u':');
  if (colon == text_view::npos || colon + 2 > rule.size()) return {};
  rule.remove_prefix(colon + 2);
  size_t space = rule.find(u' ');
  if (space == text_view::npos) return {};
  text_view affix = rule.substr(space + 1);
  affix = affix.substr(0, affix.find(u' '));
  size_t slash = affix.find(u'/');
  return slash == text_view::npos ? text_view() : affix.substr(slash + 1);
}

TEST(HunspellAcceptance, EveryRejectedWordHasAReason) {
  const acceptance_case cases[] = {
      // 1th, 2th, 3th: parts of "21th" and the like.
      {"en_US", test_support::kEnUsDic, test_support::kEnUsAff, "c", "", "", "", 3},
      {"de_DE", test_support::kDeDeDic, test_support::kDeDeAff, "o", "h", "d", "oxyz", 120759},
  };
  if (access("/usr/bin/hunspell", X_OK) != 0) GTEST_SKIP() << "hunspell is not installed";
  std::string skipped;
  int ran = 0;
  for (const auto& c : cases) {
    // Another package's file under the same name has other figures: that case only is left out.
    if (const std::string why = test_support::installed_mismatch({c.dic, c.aff}); !why.empty()) {
      skipped += (skipped.empty() ? "" : "; ") + why;
      continue;
    }
    const std::string base = std::string("/usr/share/hunspell/") + c.name;
    std::ifstream aff_in(base + ".aff"), dic_in(base + ".dic");
    ASSERT_TRUE(aff_in && dic_in) << c.name;
    ++ran;
    std::stringstream aff_text;
    aff_text << aff_in.rdbuf();
    use_aff(aff_text.str());

    const std::string words_path = "/tmp/vx_accept_" + std::to_string(getpid()) + ".txt";
    const std::string rejected_path = words_path + ".rejected";
    std::unordered_map<std::string, bool> explained;
    derived_rows_sink rows;
    {
      std::ofstream words(words_path);
      std::string line;
      std::getline(dic_in, line);  // the count
      while (std::getline(dic_in, line)) {
        text_t entry = from_utf8(line);
        dic_line_to_entry(entry);
        const text_view flags = split_dic_entry(entry).flags;
        rows.clear();
        expand_entry(test_cache, entry, rows);
        for (const derived_word_record& r : rows.rows) {
          bool primary = r.type == u"Primary";
          bool reason = shares_a_flag(flags, c.compound_only) || shares_a_flag(flags, c.forbidden) ||
                        (primary && shares_a_flag(flags, c.need_affix)) ||
                        shares_a_flag(continuation_of(r), c.compound_rule);
          std::string w = to_utf8(r.word);
          words << w << '\n';
          explained[w] = explained[w] || reason;
        }
      }
    }
    ASSERT_TRUE(run_to_file({"/usr/bin/hunspell", "-i", "utf-8", "-d", base, "-L"}, rejected_path, words_path));
    std::set<std::string> rejected, unexplained;
    {
      std::ifstream in(rejected_path);
      for (std::string w; std::getline(in, w);) {
        rejected.insert(w);
        if (!explained[w]) unexplained.insert(w);
      }
    }
    std::remove(words_path.c_str());
    std::remove(rejected_path.c_str());
    EXPECT_EQ(rejected.size(), c.rejected) << c.name;
    EXPECT_TRUE(unexplained.empty()) << c.name << ": " << unexplained.size() << " such as "
                                     << (unexplained.empty() ? "" : *unexplained.begin());
  }
  if (ran == 0) GTEST_SKIP() << skipped;
  if (!skipped.empty()) RecordProperty("skipped", skipped);
}

// ---- CIRCUMFIX --------------------------------------------------------------------

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The words Hunspell accepts among the given ones, by de_DE as installed.
std::set<std::string> accepted_by_de_de(const std::set<std::string>& words) {
  const std::string in_path = "/tmp/vx_circumfix_" + std::to_string(getpid()) + ".txt";
  const std::string out_path = in_path + ".good";
  {
    std::ofstream out(in_path);
    for (const auto& w : words) out << w << '\n';
  }
  std::set<std::string> good;
  EXPECT_TRUE(run_to_file({"/usr/bin/hunspell", "-i", "utf-8", "-d", "/usr/share/hunspell/de_DE", "-G"}, out_path,
                          in_path));
  std::ifstream in(out_path);
  for (std::string w; std::getline(in, w);) good.insert(w);
  std::remove(in_path.c_str());
  std::remove(out_path.c_str());
  return good;
}

// Why the de_DE tests cannot run here ("" when they can): their words and
// flags are those of hunspell-de-de's pair, which Hunspell reads too.
std::string de_de_missing() {
  if (access("/usr/bin/hunspell", X_OK) != 0) return "hunspell is not installed";
  return test_support::installed_mismatch({test_support::kDeDeDic, test_support::kDeDeAff});
}

// deutsch/AUke: the k rules carry CIRCUMFIX, which binds them to a suffix
// that carries it too; the un- of U is not theirs to drop.
TEST(HunspellAcceptance, CircumfixLeavesThePrefixesOfOtherSets) {
  if (const std::string why = de_de_missing(); !why.empty()) GTEST_SKIP() << why;
  use_aff(read_file("/usr/share/hunspell/de_DE.aff"));
  const std::vector<std::string> derived = derived_of("deutsch/AUke");
  const std::set<std::string> words(derived.begin(), derived.end());
  for (const char* w : {"undeutsch", "undeutsche", "undeutscher", "undeutschen", "undeutschem", "undeutsches"})
    EXPECT_EQ(words.count(w), 1u) << w;
  // A k prefix without its suffix partner stays out.
  for (const char* w : {"-deutsche", "-deutschen"}) EXPECT_EQ(words.count(w), 0u) << w;
  // Hunspell takes every word but the one its rule keeps inside compounds.
  std::set<std::string> rejected;
  const std::set<std::string> good = accepted_by_de_de(words);
  std::set_difference(words.begin(), words.end(), good.begin(), good.end(), std::inserter(rejected, rejected.end()));
  EXPECT_EQ(rejected, (std::set<std::string>{"-deutsch"}));
}

// Over the whole of de_DE: the words that CIRCUMFIX keeps out of the
// expansion (those it gives when the .aff declares no CIRCUMFIX) are words
// Hunspell rejects. de_DE breaks words at "-" and compounds their parts, so
// Hunspell takes some words with a dash whatever the affixes say: only those
// may be among the accepted.
TEST(HunspellAcceptance, CircumfixKeepsOutOnlyWordsHunspellRejects) {
  if (const std::string why = de_de_missing(); !why.empty()) GTEST_SKIP() << why;
  const std::string aff = read_file("/usr/share/hunspell/de_DE.aff");
  std::string no_circumfix;
  {
    std::istringstream in(aff);
    for (std::string line; std::getline(in, line);)
      if (line.rfind("CIRCUMFIX", 0) != 0) no_circumfix += line + "\n";
  }
  ASSERT_NE(no_circumfix.size(), aff.size());
  auto expand_de_de = [](const std::string& aff_text) {
    use_aff(aff_text);
    std::set<std::string> words;
    std::ifstream dic("/usr/share/hunspell/de_DE.dic");
    std::string line;
    std::getline(dic, line);  // the count
    while (std::getline(dic, line))
      for (std::string& w : derived_of(line.substr(0, line.find('\t')))) words.insert(std::move(w));
    return words;
  };
  const std::set<std::string> ours = expand_de_de(aff), unbound = expand_de_de(no_circumfix);
  std::set<std::string> kept_out;
  for (const auto& w : unbound)
    if (ours.count(w) == 0) kept_out.insert(w);
  ASSERT_FALSE(kept_out.empty());
  std::set<std::string> wrongly;
  for (const auto& w : accepted_by_de_de(kept_out))
    if (w.find('-') == std::string::npos) wrongly.insert(w);
  EXPECT_TRUE(wrongly.empty()) << wrongly.size() << " such as " << (wrongly.empty() ? "" : *wrongly.begin());
  // The words of other prefix sets are in.
  for (const char* w : {"undeutsch", "undicht", "unedel"}) EXPECT_EQ(ours.count(w), 1u) << w;
}

// Debian's fr.dic (that of each of its French packages) writes each entry's
// description after a space. It gives no word: every entry derives the
// words of its line cut at the first space (no French word holds one), and
// the words of the entries without flags, which once carried their
// description, are words to Hunspell.
TEST(HunspellAcceptance, FrenchDescriptionsGiveNoWords) {
  const std::string base = "/usr/share/hunspell/fr";
  std::ifstream aff_in(base + ".aff"), dic_in(base + ".dic");
  if (!aff_in || !dic_in) GTEST_SKIP() << "hunspell-fr is not installed";
  std::stringstream aff_text;
  aff_text << aff_in.rdbuf();
  use_aff(aff_text.str());
  std::string line, bare_words;
  int64_t lines = 0, bare = 0, words = 0;
  std::getline(dic_in, line);  // the count
  while (std::getline(dic_in, line)) {
    ++lines;
    const std::vector<std::string> derived = derived_of(line);
    words += static_cast<int64_t>(derived.size());
    for (const std::string& w : derived) ASSERT_EQ(w.find(' '), std::string::npos) << line;
    const std::string cut = line.substr(0, line.find(' '));
    ASSERT_EQ(derived, derived_of(cut)) << line;
    if (cut.find('/') == std::string::npos) {
      ++bare;
      bare_words += derived.front() + "\n";
    }
  }
  EXPECT_GT(lines, 80000);
  EXPECT_GT(words, 3000000);
  EXPECT_GT(bare, 500);

  if (access("/usr/bin/hunspell", X_OK) != 0) GTEST_SKIP() << "hunspell is not installed";
  const std::string words_path = "/tmp/vx_fr_bare_" + std::to_string(getpid()) + ".txt";
  const std::string rejected_path = words_path + ".rejected";
  {
    std::ofstream out(words_path);
    out << bare_words;
  }
  ASSERT_TRUE(run_to_file({"/usr/bin/env", "LC_ALL=C.UTF-8", "/usr/bin/hunspell", "-i", "utf-8", "-d", base, "-l"},
                          rejected_path, words_path));
  std::ifstream rejected_in(rejected_path);
  std::stringstream rejected;
  rejected << rejected_in.rdbuf();
  std::remove(words_path.c_str());
  std::remove(rejected_path.c_str());
  EXPECT_EQ(rejected.str(), "");
}

}  // namespace
