#include "affix/crunch.h"
#include "affix_test_util.h"
#include "common/dic_entry.h"
#include "dictionary/dic_file.h"
#include "tests/test_support/installed_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <unordered_set>

namespace {

// Suffix sets with the letters of the Crunch options.
const char* kAff =
    "SFX S Y 2\nSFX S 0 s [^s]\nSFX S 0 es s\n"
    "SFX M Y 1\nSFX M 0 's .\n"
    "SFX D Y 2\nSFX D 0 d e\nSFX D 0 ed [^e]\n"
    "SFX J Y 1\nSFX J 0 ings .\n"
    "SFX O Y 1\nSFX O 0 al .\n"
    "SFX w Y 1\nSFX w 0 al .\n"
    "SFX Y Y 2\nSFX Y 0 ly .\nSFX Y 0 lyy .\n"
    "SFX k Y 1\nSFX k lk 0 lk\n"
    "SFX h Y 1\nSFX h 0 0 .\n";

crunch_settings all_options(int64_t match_left = 2) {
  crunch_settings s;
  s.enabled.fill(true);
  s.match_left = match_left;
  return s;
}

struct crunched {
  std::vector<std::string> entries;
  crunch_result result;
};

crunched crunch(const std::vector<std::string>& entries, const crunch_settings& settings,
                headless_long_job_host* host_in = nullptr) {
  list_document doc;
  for (const auto& e : entries) doc.append(from_utf8(e));
  headless_long_job_host local;
  headless_long_job_host& host = host_in ? *host_in : local;
  list_tool_edit edit(doc);
  crunched c;
  c.result = crunch_dictionary(doc, test_cache, settings, edit, host);
  for (const auto& e : doc.entries()) c.entries.push_back(to_utf8(e));
  return c;
}

using strings = std::vector<std::string>;

TEST(Crunch, FoldsFlaglessWordsIntoTheirRoots) {
  use_aff(kAff);
  struct fold_case {
    const char* what;
    strings before;
    int64_t match_left;
    strings after;
  } cases[] = {
      {"plural", {"walk", "walks"}, 2, {"walk", "walk/S"}},
      {"the tags line stays", {"walks\tpo:verb", "walk\tpo:verb"}, 2, {"walk/S\tpo:verb", "walk\tpo:verb"}},
      {"a candidate with flags", {"walk", "walks/X"}, 2, {"walk", "walks/X"}},
      {"different tags", {"walk\tpo:noun", "walks\tpo:verb"}, 2, {"walk\tpo:noun", "walks\tpo:verb"}},
      // A description written after a space (fr.dic) stays as it was.
      {"a description after a space", {"walks po:v1 is:pl", "walk po:v1 is:pl"}, 2,
       {"walk/S po:v1 is:pl", "walk po:v1 is:pl"}},
      {"different descriptions", {"walk po:nom", "walks po:v1"}, 2, {"walk po:nom", "walks po:v1"}},
      {"a base with flags folds too", {"walk/M", "walks"}, 2, {"walk/M", "walk/S"}},
      {"a folded word is no base", {"walk", "walks", "walks's"}, 2, {"walk", "walk/S", "walks's"}},
      {"each copy of a word", {"walks", "walk", "walks"}, 2, {"walk/S", "walk", "walk/S"}},
      {"the first flag in table order", {"form", "formal"}, 2, {"form", "form/O"}},
      {"only the first suffix word", {"slow", "slowlyy"}, 2, {"slow", "slowlyy"}},
      // slow/Y would also give slowlyy, which the list does not hold.
      {"a flag that would add a word", {"slow", "slowly"}, 2, {"slow", "slowly"}},
      {"a flag whose words are all held", {"slowlyy", "slow", "slowly"}, 2, {"slowlyy", "slow", "slow/Y"}},
      {"a word held by an entry with flags", {"slow", "slowly", "slowlyy/M"}, 2, {"slow", "slow/Y", "slowlyy/M"}},
      {"-au takes no S", {"bureau", "bureaus"}, 2, {"bureau", "bureaus"}},
      {"-ing's takes no J", {"sing's", "sing'sings"}, 2, {"sing's", "sing'sings"}},
      {"stripping rule, same key", {"walk", "wa"}, 2, {"walk", "walk/k"}},
      {"stripping rule, other key", {"walk", "wa"}, 3, {"walk", "wa"}},
      {"a flag giving the word itself", {"walk", "walk"}, 1, {"walk", "walk"}},
  };
  for (const auto& c : cases) {
    strings before;
    for (std::string e : c.before) {
      std::replace(e.begin(), e.end(), '\t', '\n');
      before.push_back(e);
    }
    crunched got = crunch(before, all_options(c.match_left));
    for (auto& e : got.entries) std::replace(e.begin(), e.end(), '\n', '\t');
    EXPECT_EQ(got.entries, c.after) << c.what;
    EXPECT_EQ(got.result.status, crunch_status::done) << c.what;
  }
}

TEST(Crunch, ReportsTheFoldsInEntryOrderAndTakesOneUndoSnapshot) {
  use_aff(kAff);
  list_document doc;
  for (const char* e : {"walks", "jumped", "walk", "jump"}) doc.append(from_utf8(e));
  doc.save_undo();  // an earlier edit: its snapshot must give way to the tool's
  headless_long_job_host host;
  list_tool_edit edit(doc);
  const crunch_result r = crunch_dictionary(doc, test_cache, all_options(), edit, host);
  ASSERT_EQ(r.folds, 2);
  ASSERT_EQ(r.rows.size(), 2u);
  EXPECT_EQ(r.rows[0].entry_index, 0);
  EXPECT_EQ(crunch_fold_text(r.rows[0]), u"walks\u2192walk/S");
  EXPECT_EQ(r.rows[1].entry_index, 1);
  EXPECT_EQ(crunch_fold_text(r.rows[1]), u"jumped\u2192jump/D");
  EXPECT_TRUE(doc.changed());
  EXPECT_FALSE(host.running);
  edit.keep();
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"walks", u"jumped", u"walk", u"jump"}));
}

TEST(Crunch, RefusalsChangeNothing) {
  use_aff(kAff);
  crunch_settings none = all_options();
  none.enabled.fill(false);
  crunched no_rules = crunch({"walk", "walks"}, none);
  EXPECT_EQ(no_rules.result.status, crunch_status::no_rules);
  EXPECT_EQ(no_rules.entries, (strings{"walk", "walks"}));
  EXPECT_EQ(crunch({"walks"}, all_options()).result.status, crunch_status::single_entry);
  EXPECT_EQ(crunch({}, all_options()).result.status, crunch_status::no_words);

  crunch_settings only_m = all_options();
  only_m.enabled.fill(false);
  only_m.enabled[0] = true;
  EXPECT_EQ(crunch_flag_summary(only_m), u"M");
  EXPECT_EQ(crunch_flag_summary(all_options()), u"MSGDpOwWY1k6jhJo~");
  EXPECT_EQ(crunch({"walk", "walks"}, only_m).entries, (strings{"walk", "walks"}));
}

// An entry standing for more words than an expansion lists stops the run
// in its first step, naming the entry, before any change; one below the
// cap is crunched as usual.
TEST(Crunch, AnEntryPastTheExpansionCapStopsTheRunUnchanged) {
  use_aff(aff_of_many_words());  // w/A: 160,401 words
  const crunched over = crunch({"v", "w/A", "wa1"}, all_options());
  EXPECT_EQ(over.result.status, crunch_status::too_many_words);
  EXPECT_EQ(over.result.message.substr(0, 34), u"Line 2 (w) stands for more than 10");
  EXPECT_EQ(over.entries, (strings{"v", "w/A", "wa1"}));

  std::string a = "SFX A Y 300\n", b = "SFX B Y 300\n";  // 90,301 words
  for (int i = 0; i < 300; ++i) {
    a += "SFX A 0 a" + std::to_string(i) + "/B .\n";
    b += "SFX B 0 b" + std::to_string(i) + " .\n";
  }
  use_aff(a + b);
  const crunched under = crunch({"w/A", "wa1"}, all_options());
  EXPECT_EQ(under.result.status, crunch_status::done);
}

// The expansion bomb as a file pair: a 14-byte .dic whose .aff of three
// sets of 110 rules (suffixes continuing into suffixes, crossed with
// prefixes) makes each entry stand for 1.3 million words.
TEST(Crunch, ExpansionBombFixtureStopsInTheFirstStep) {
  headless_long_job_host load_host;
  list_document doc;
  text_t aff_text;
  ASSERT_EQ(load_dictionary_pair(from_utf8(AFFIX_TEST_DATA "/expansion_bomb.dic"), load_host, doc, aff_text).status,
            dic_file_status::ok);
  use_aff(to_utf8(aff_text));
  list_tool_edit edit(doc);
  headless_long_job_host host;
  const crunch_result r = crunch_dictionary(doc, test_cache, all_options(), edit, host);
  EXPECT_EQ(r.status, crunch_status::too_many_words);
  EXPECT_EQ(r.message.substr(0, 11), u"Line 1 (ab)");
  EXPECT_FALSE(doc.changed());
  EXPECT_FALSE(edit.started());
  EXPECT_FALSE(host.running);
}

// Entries each below the cap can still stand for millions of words
// together: past the decode warning's limit the user is asked once; Yes
// stops before any change, No goes on.
TEST(Crunch, TheDecodeWarningAsksOnceWhenTheHeldWordsPassItsLimit) {
  std::string a = "SFX A Y 100\n", b = "SFX B Y 100\n";  // x/A: 10,101 words
  for (int i = 0; i < 100; ++i) {
    a += "SFX A 0 a" + std::to_string(i) + "/B .\n";
    b += "SFX B 0 b" + std::to_string(i) + " .\n";
  }
  use_aff(a + b);
  const strings entries = {"p/A", "q/A", "r/A", "s/A", "t/A", "pa0"};
  for (int answer : {6, 7}) {
    SCOPED_TRACE(answer);
    list_document doc;
    for (const auto& e : entries) doc.append(from_utf8(e));
    list_tool_edit edit(doc);
    headless_long_job_host host;
    host.abort_answer = answer;
    const crunch_result r = crunch_dictionary(doc, test_cache, all_options(), edit, host, {}, {20000, u"."});
    EXPECT_EQ(host.questions, 1);
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages[0].substr(0, 30), u"Over 20.000 words have been de");
    EXPECT_EQ(r.status, answer == 6 ? crunch_status::aborted : crunch_status::done);
    if (answer == 6) {
      EXPECT_FALSE(doc.changed());
    }
  }
}

TEST(Crunch, EscapeKeepsTheFoldsMadeSoFar) {
  use_aff(kAff);
  // Step 1 polls once per entry (4), step 3 once per base: Escape after
  // the first base, jump, has folded jumps.
  headless_long_job_host host;
  host.escape_at_poll = 4 + 1;
  host.abort_answer = 6;
  crunched got = crunch({"walks", "walk", "jumps", "jump"}, all_options(), &host);
  EXPECT_EQ(got.result.status, crunch_status::aborted);
  EXPECT_EQ(got.entries, (strings{"walks", "walk", "jump/S", "jump"}));
  EXPECT_EQ(got.result.folds, 1);
  EXPECT_EQ(host.status, u"Aborted.");
  EXPECT_FALSE(host.running);

  headless_long_job_host no_host;
  no_host.escape_at_poll = 4 + 1;
  no_host.abort_answer = 7;  // No: goes on
  crunched all = crunch({"walks", "walk", "jumps", "jump"}, all_options(), &no_host);
  EXPECT_EQ(all.result.status, crunch_status::done);
  EXPECT_EQ(all.entries, (strings{"walk/S", "walk", "jump/S", "jump"}));
}

// ---- Debian's en_US -----------------------------------------------------------------

// Every derived word of every entry of the .dic, as flagless entries.
// prefixes: the lines whose entries are taken begin with one of them.
std::vector<std::string> flattened_dictionary(const std::string& dic_path, const std::vector<std::string>& prefixes) {
  std::ifstream in(dic_path);
  std::string line;
  std::getline(in, line);  // the count
  std::vector<std::string> words;
  std::unordered_set<std::string> seen;
  while (std::getline(in, line)) {
    if (std::none_of(prefixes.begin(), prefixes.end(), [&](const std::string& p) { return line.rfind(p, 0) == 0; }))
      continue;
    for (const std::string& w : derived_of(line.substr(0, line.find('\t'))))
      if (seen.insert(w).second) words.push_back(w);
  }
  return words;
}

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The comparison as the design states it: every base against every record
// of its group, every enabled flag, one expansion per try.
std::vector<text_t> reference_crunch(std::vector<text_t> entries, const crunch_settings& s) {
  // The words the list stands for: a fold must not add one.
  std::set<std::string> held;
  for (const text_t& e : entries)
    for (std::string& w : derived_of(to_utf8(e))) held.insert(std::move(w));
  auto adds_a_word = [&](const text_t& entry) {
    for (const std::string& w : derived_of(to_utf8(entry)))
      if (held.count(w) == 0) return true;
    return false;
  };
  struct rec {
    text_t word, root, flags, tags;
    size_t index;
    bool folded = false;
  };
  std::vector<rec> r;
  for (size_t i = 0; i < entries.size(); ++i) {
    dic_entry_parts p = split_dic_entry(entries[i]);
    r.push_back({text_t(p.word), text_t(p.word), text_t(p.flags), text_t(p.tags), i});
  }
  std::stable_sort(r.begin(), r.end(), [](const rec& a, const rec& b) { return a.word < b.word; });
  auto starts = [](const text_t& w, const text_t& key) { return w.compare(0, key.size(), key) == 0; };
  auto ends = [](const text_t& w, const char16_t* e) {
    text_view v(e);
    return w.size() >= v.size() && text_view(w).substr(w.size() - v.size()) == v;
  };
  for (size_t b = 0; b < r.size(); ++b) {
    if (r[b].word.empty()) continue;
    const text_t key = r[b].word.substr(0, static_cast<size_t>(s.match_left));
    size_t start = b;
    while (start > 0 && starts(r[start - 1].word, key)) --start;
    std::map<char16_t, text_t> first;  // the first suffix word of each flag, once per base
    for (size_t d = start; d < r.size() && starts(r[d].word, key); ++d) {
      if (d == b || r[d].tags != r[b].tags) continue;
      if (r[b].folded) break;
      if (!r[d].flags.empty()) continue;
      for (size_t i = 0; i < CRUNCH_OPTION_COUNT; ++i) {
        if (!s.enabled[i]) continue;
        const char16_t letter = crunch_option_table[i].letter;
        if (letter == u'S' && (ends(r[b].word, u"au") || ends(r[b].word, u"eu"))) continue;
        if (letter == u'J' && ends(r[b].word, u"ing's")) continue;
        if (!first.count(letter)) {
          first_suffix_sink sink;
          expand_entry(test_cache, r[b].word + u"/" + letter, sink);
          first[letter] = sink.first;
        }
        if (first[letter] == r[d].word && r[d].root != r[b].word && !adds_a_word(r[b].word + u"/" + letter)) {
          r[d].folded = true;
          r[d].root = r[b].word;
          r[d].flags = text_t(1, letter);
          entries[r[d].index] = make_dic_entry(r[d].root, r[d].flags, r[d].tags);
        }
      }
    }
  }
  return entries;
}

// Crunches a flattened slice of a Debian dictionary and checks the result
// against the design's comparison (plus the rule that no fold adds a word)
// and against the slice itself: re-expanded, it gives exactly its words.
// Returns the crunched entries of the last run.
std::vector<text_t> crunch_flattened_slice(const std::string& name, const std::vector<std::string>& prefixes,
                                           size_t min_words, size_t min_fold_share) {
  const std::string base = "/usr/share/hunspell/" + name;
  use_aff(read_all(base + ".aff"));
  // A slice keeps the sanitised build quick; the bench runs the whole list.
  const std::vector<std::string> words = flattened_dictionary(base + ".dic", prefixes);
  EXPECT_GT(words.size(), min_words);
  list_document doc;
  for (const auto& w : words) doc.append(from_utf8(w));
  const std::set<std::string> word_set(words.begin(), words.end());

  std::vector<text_t> last;
  for (int64_t match_left : {1, 2}) {
    SCOPED_TRACE(name + " match-left " + std::to_string(match_left));
    crunch_settings s = all_options(match_left);
    list_document d = doc;
    headless_long_job_host host;
    list_tool_edit edit(d);
    const crunch_result r = crunch_dictionary(d, test_cache, s, edit, host);
    EXPECT_EQ(r.status, crunch_status::done);
    EXPECT_GT(r.folds, static_cast<int64_t>(words.size() / min_fold_share));
    // The design's pairwise comparison is quadratic in the group: checked on the smaller groups.
    if (match_left == 2) {
      EXPECT_EQ(d.entries(), reference_crunch(doc.entries().to_vector(), s));
    }

    // Each folded entry names its root and flag, and the flag gives the old word.
    for (const crunch_fold& f : r.rows) {
      EXPECT_EQ(d.entries()[static_cast<size_t>(f.entry_index)], f.root + u"/" + f.flag);
      first_suffix_sink sink;
      expand_entry(test_cache, f.root + u"/" + f.flag, sink);
      EXPECT_EQ(sink.first, f.word);
    }
    // The whole expansion of the result is the list: no word lost, none added.
    std::set<std::string> expanded;
    for (const text_view e : d.entries())
      for (std::string& w : derived_of(to_utf8(e))) expanded.insert(std::move(w));
    std::vector<std::string> added;
    std::set_difference(expanded.begin(), expanded.end(), word_set.begin(), word_set.end(),
                        std::back_inserter(added));
    EXPECT_TRUE(added.empty()) << added.size() << " added, such as " << (added.empty() ? "" : added[0]);
    EXPECT_EQ(expanded, word_set);
    last = d.entries().to_vector();
  }
  return last;
}

// The slices, their sizes and shares of folds are those of these packages' pairs.
TEST(CrunchEnUs, FlattenedDictionaryStillStandsForEveryWord) {
  if (const std::string why = test_support::installed_mismatch({test_support::kEnUsDic, test_support::kEnUsAff});
      !why.empty())
    GTEST_SKIP() << why;
  crunch_flattened_slice("en_US", {"j", "k", "q", "v", "y", "z", "J", "Q", "Z"}, 5000, 3);
}

TEST(CrunchDeDe, FlattenedSliceGivesBackExactlyItsWords) {
  if (const std::string why = test_support::installed_mismatch({test_support::kDeDeDic, test_support::kDeDeAff});
      !why.empty())
    GTEST_SKIP() << why;
  // fein/D would stand for feinder and feindem besides feind.
  const std::vector<text_t> entries = crunch_flattened_slice("de_DE", {"fein", "Fein"}, 200, 50);
  for (const char16_t* folded : {u"fein/D", u"Fein/D"}) EXPECT_EQ(std::count(entries.begin(), entries.end(), folded), 0);
}

}  // namespace
