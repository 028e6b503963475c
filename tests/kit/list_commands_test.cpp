// Erase, Sort, Clone and Go to an end on a list document.
#include "kit/list_commands.h"

#include "common/dic_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// The texts of three lists as their subsystems give theirs: dictionary
// entries (word, flags, tags), thesaurus entries keyed by their head word,
// and plain pairs.
const list_member_texts kDictionaryTexts{.none_found = u"No dictionary words found.",
                                         .none_selected = u"No dictionary word selected.",
                                         .changed_question = u"The Dictionary has been changed.\n\nContinue?",
                                         .erase_question = u"Really delete all dictionary words?",
                                         .sort_title = u"Sorting Dictionary...",
                                         .dictionary_entries = true};
const list_member_texts kThesaurusTexts{.none_found = u"No synonyms found.",
                                        .none_selected = u"No synonym selected.",
                                        .changed_question = u"The Thesaurus has been changed.\n\nContinue?",
                                        .erase_question = u"Really delete all synonyms?",
                                        .sort_title = u"Sorting Thesaurus...",
                                        .thesaurus_keys = true};
const list_member_texts kPairTexts{.none_found = u"No autocorrect words found.",
                                   .none_selected = u"No autocorrect word selected.",
                                   .changed_question = u"The Autocorrect List has been changed.\n\nContinue?",
                                   .erase_question = u"Really delete all autocorrect words?",
                                   .sort_title = u"Sorting Autocorrect List..."};

list_document document_of(std::vector<text_t> entries) {
  list_document doc;
  doc.replace_all(std::move(entries), u"/tmp/x.dic");
  return doc;
}

// Answers questions from a script and records them.
struct scripted_questions {
  std::vector<int> answers;
  std::vector<text_t> asked;
  std::vector<int> flags;
  list_ask_fn fn() {
    return [this](text_view, text_view text, int f) {
      asked.emplace_back(text);
      flags.push_back(f);
      if (answers.empty()) return 6;
      const int a = answers.front();
      answers.erase(answers.begin());
      return a;
    };
  }
};

TEST(ListSortKey, AccentsCaseAndTheThesaurusBar) {
  struct key_case {
    const char16_t* entry;
    bool thesaurus;
    const char16_t* key;
  };
  const key_case cases[] = {
      {u"\u00c9clair", false, u"eclair"},
      {u"eclair", false, u"eclair"},
      {u"Stra\u00dfe/AB", false, u"stra\u00dfe/ab"},
      {u"\u00c0 la carte\nnoun", false, u"a la carte\nnoun"},
      {u"cat|2\nmeaning", true, u"cat\t2\nmeaning"},
      {u"a|b|c", true, u"a\tb|c"},
      {u"a|b", false, u"a|b"},
      {u"", true, u""},
  };
  for (const key_case& k : cases) {
    EXPECT_EQ(list_sort_key(k.entry, k.thesaurus), text_t(k.key)) << to_utf8(k.entry);
  }
}

TEST(ListSort, SortsByFoldedKeyClearsMarksAndSelection) {
  list_document doc = document_of({u"eclair", u"apple", u"\u00c9clair", u"Banana", u"apple"});
  doc.set_checked(1, true);
  doc.select(3);
  doc.set_first_row(2);
  headless_long_job_host host;
  int label_refreshes = 0;
  ASSERT_EQ(sort_list_document(doc, kDictionaryTexts, host, u",", [&] {
              ++label_refreshes;
              EXPECT_EQ(doc.selected(), -1);
              EXPECT_TRUE(doc.changed());
            }),
            list_command_result::done);
  EXPECT_EQ(label_refreshes, 1);
  ASSERT_EQ(doc.count(), 5);
  EXPECT_EQ(doc.entries()[0], u"apple");
  EXPECT_EQ(doc.entries()[1], u"apple");
  EXPECT_EQ(doc.entries()[2], u"Banana");
  // Equal keys: both forms, in either order.
  EXPECT_TRUE(std::is_permutation(doc.entries().begin() + 3, doc.entries().end(),
                                  std::vector<text_t>{u"eclair", u"\u00c9clair"}.begin()));
  EXPECT_EQ(doc.checked_count(), 0);
  EXPECT_TRUE(std::all_of(doc.checked().begin(), doc.checked().end(), [](uint8_t m) { return m == 0; }));
  EXPECT_EQ(doc.selected(), -1);
  EXPECT_EQ(doc.first_row(), 0);
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(doc.path(), u"/tmp/x.dic");
  EXPECT_EQ(host.ends, 1);
  EXPECT_FALSE(host.running);
  EXPECT_EQ(host.status.substr(0, 4), u"OK. ");
  EXPECT_EQ(host.total, 15);  // three passes of five entries
  // Undo gives back the order before the sort.
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"eclair", u"apple", u"\u00c9clair", u"Banana", u"apple"}));
}

TEST(ListSort, ThesaurusHeadWordBeforeLongerHeadWords) {
  list_document doc = document_of({u"cat food|1\nmeal", u"cat|2\nanimal\npet", u"Cat-like|1\nfeline"});
  headless_long_job_host host;
  ASSERT_EQ(sort_list_document(doc, kThesaurusTexts, host, u","), list_command_result::done);
  EXPECT_EQ(doc.entries()[0], u"cat|2\nanimal\npet");
  EXPECT_EQ(doc.entries()[1], u"cat food|1\nmeal");
  EXPECT_EQ(doc.entries()[2], u"Cat-like|1\nfeline");
}

// The head of a .dic such as Debian's de_DE.dic: TAB-indented comment lines
// (one of them a bare TAB) before the words.
TEST(ListSort, WordlessEntriesKeepTheirFileOrderOnTop) {
  std::vector<text_t> lines = {u"\tThis is the dictionary file", u"Zebra/N", u"\tVersion: 20161207", u"\t",
                               u"\u00c4bte/Nm", u"/AB", u"\tCopyright (C) 1999-2016", u"apfel\tpo:noun"};
  for (text_t& line : lines) dic_line_to_entry(line);
  list_document doc = document_of(lines);
  headless_long_job_host host;
  ASSERT_EQ(sort_list_document(doc, kDictionaryTexts, host, u","), list_command_result::done);
  EXPECT_EQ(doc.entries(), (std::vector<text_t>{u"\nThis is the dictionary file", u"\nVersion: 20161207", u"\n", u"/AB",
                                              u"\nCopyright (C) 1999-2016", u"\u00c4bte/Nm", u"apfel\npo:noun",
                                              u"Zebra/N"}));
}

TEST(ListSort, WhichEntriesHaveNoWord) {
  struct wordless_case {
    const list_member_texts& texts;
    const char16_t* entry;
    bool wordless;
  };
  const list_member_texts& d = kDictionaryTexts;
  const list_member_texts& t = kThesaurusTexts;
  const list_member_texts& a = kPairTexts;
  const wordless_case cases[] = {
      {d, u"\nVersion: 1", true}, {d, u"", true},           {d, u"/AB", true},       {d, u"\\/x/AB", false},
      {d, u"a/AB", false},        {d, u" \nx", false},      {t, u"|1\nx", true},    {t, u"cat|1\nx", false},
      {t, u"\nx", true},          {a, u"\nright", true},    {a, u"/x\nright", false}, {a, u"teh\nthe", false},
  };
  for (const wordless_case& c : cases) {
    EXPECT_EQ(list_entry_is_wordless(c.entry, c.texts), c.wordless) << to_utf8(c.entry);
  }
}

TEST(ListSort, EmptyListIsRefused) {
  list_document doc;
  headless_long_job_host host;
  EXPECT_EQ(sort_list_document(doc, kDictionaryTexts, host, u","), list_command_result::refused);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], u"No dictionary words found.");
  EXPECT_EQ(host.status, u"Aborted.");
  EXPECT_FALSE(host.running);
  EXPECT_FALSE(doc.can_undo());
  EXPECT_FALSE(doc.changed());
}

std::vector<text_t> numbered_entries(int n) {
  std::vector<text_t> v;
  for (int i = n; i > 0; --i) v.push_back(from_utf8("w" + std::to_string(i)));
  return v;
}

TEST(ListSort, AbortInEitherPassLeavesTheEntriesAsTheyWere) {
  const int n = 50;
  const std::vector<text_t> original = numbered_entries(n);
  // Polls 1..n are the key pass, n+1..2n the rewrite pass.
  for (int64_t escape_at : {int64_t{1}, int64_t{n / 2}, int64_t{n}, int64_t{n + 1}, int64_t{n + n / 2},
                            int64_t{2 * n}}) {
    SCOPED_TRACE("Escape at poll " + std::to_string(escape_at));
    list_document doc = document_of(original);
    doc.set_checked(4, true);
    headless_long_job_host host;
    host.escape_at_poll = escape_at;
    ASSERT_EQ(sort_list_document(doc, kDictionaryTexts, host, u","), list_command_result::aborted);
    EXPECT_EQ(doc.entries(), original);
    EXPECT_EQ(doc.checked().size(), original.size());
    EXPECT_EQ(doc.checked_count(), 1);
    EXPECT_EQ(host.status, u"Aborted.");
    EXPECT_FALSE(host.running);
    EXPECT_EQ(host.messages, std::vector<text_t>{u"Really abort?"});
    // Marked changed and nothing selected, and the snapshot was taken.
    EXPECT_TRUE(doc.changed());
    EXPECT_EQ(doc.selected(), -1);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.entries(), original);
  }
}

TEST(ListSort, EscapeAnsweredNoGoesOn) {
  list_document doc = document_of(numbered_entries(20));
  headless_long_job_host host;
  host.escape_at_poll = 25;
  host.abort_answer = 7;
  ASSERT_EQ(sort_list_document(doc, kDictionaryTexts, host, u","), list_command_result::done);
  EXPECT_TRUE(std::is_sorted(doc.entries().begin(), doc.entries().end()));
  EXPECT_EQ(host.questions, 1);
}

TEST(ListSort, TicksShowTheCountWithTheSeparator) {
  list_document doc = document_of(numbered_entries(3000));
  std::vector<text_t> shown;
  struct recording_host : headless_long_job_host {
    std::vector<text_t>* shown;
    void job_progress(text_view text, int64_t value) override {
      shown->emplace_back(text);
      headless_long_job_host::job_progress(text, value);
    }
  } recorder;
  recorder.tick_every = 2500;  // poll 2500 in the key pass, 5000 in the rewrite pass
  recorder.shown = &shown;
  ASSERT_EQ(sort_list_document(doc, kDictionaryTexts, recorder, u"'"), list_command_result::done);
  auto shown_starting = [&](const std::u16string& prefix) {
    return std::any_of(shown.begin(), shown.end(), [&](const text_t& t) { return t.rfind(prefix, 0) == 0; });
  };
  EXPECT_TRUE(shown_starting(u"Removing accents... <ESC> to abort. Found:2'500"));
  EXPECT_TRUE(shown_starting(u"Sorting... <ESC> to abort. Found:3'000 \u231a"));
  EXPECT_TRUE(shown_starting(u"Populating with accents... <ESC> to abort. Found:2'000"));
}

TEST(ListErase, QuestionsAndUndo) {
  struct erase_case {
    const char* what;
    bool changed;
    std::vector<int> answers;
    list_command_result result;
    size_t questions;
  };
  const erase_case cases[] = {
      {"unchanged, Yes", false, {6}, list_command_result::done, 1},
      {"unchanged, No", false, {7}, list_command_result::declined, 1},
      {"unchanged, box closed", false, {0}, list_command_result::declined, 1},
      {"changed, Yes, Yes", true, {6, 6}, list_command_result::done, 2},
      {"changed, No", true, {7}, list_command_result::declined, 1},
      // Closing the changed question keeps the unsaved work.
      {"changed, box closed", true, {0}, list_command_result::declined, 1},
      {"changed, Yes, No", true, {6, 7}, list_command_result::declined, 2},
  };
  const std::vector<text_t> words = {u"a", u"b/X", u"c\ntag"};
  for (const erase_case& k : cases) {
    SCOPED_TRACE(k.what);
    list_document doc = document_of(words);
    if (k.changed) doc.mark_changed();
    doc.select(1);
    scripted_questions q;
    q.answers = k.answers;
    EXPECT_EQ(erase_list_document(doc, kDictionaryTexts, q.fn()), k.result);
    ASSERT_EQ(q.asked.size(), k.questions);
    EXPECT_EQ(q.asked.back(), k.questions == 2 || !k.changed ? u"Really delete all dictionary words?"
                                                             : u"The Dictionary has been changed.\n\nContinue?");
    if (k.result != list_command_result::done) {
      EXPECT_EQ(doc.entries(), words);
      EXPECT_FALSE(doc.can_undo());
      EXPECT_EQ(doc.changed(), k.changed);
      continue;
    }
    EXPECT_EQ(q.flags.back(), 17);
    EXPECT_TRUE(doc.empty());
    EXPECT_TRUE(doc.path().empty());
    EXPECT_FALSE(doc.changed());
    EXPECT_EQ(doc.selected(), -1);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(doc.entries(), words);
    EXPECT_EQ(doc.selected(), 1);
    EXPECT_TRUE(doc.changed());
  }
}

TEST(ListErase, EmptyListIsRefused) {
  list_document doc;
  scripted_questions q;
  EXPECT_EQ(erase_list_document(doc, kPairTexts, q.fn()), list_command_result::refused);
  EXPECT_EQ(q.asked, std::vector<text_t>{u"No autocorrect words found."});
  EXPECT_EQ(q.flags, std::vector<int>{16});
}

TEST(ListClone, AppendsACopyOfTheSelectedEntry) {
  std::vector<text_t> words;
  for (int i = 1; i <= 10; ++i) words.push_back(from_utf8("word" + std::to_string(i)));
  list_document doc = document_of(words);
  doc.set_checked(2, true);
  doc.select(2);  // entry 3
  int count_changes = 0;
  doc.on_count_changed = [&] { ++count_changes; };
  scripted_questions q;
  ASSERT_EQ(clone_selected_entry(doc, kDictionaryTexts, q.fn()), list_command_result::done);
  EXPECT_TRUE(q.asked.empty());
  ASSERT_EQ(doc.count(), 11);
  EXPECT_EQ(doc.entries()[10], u"word3");
  EXPECT_FALSE(doc.is_checked(10));
  EXPECT_TRUE(doc.is_checked(2));
  EXPECT_EQ(doc.checked_count(), 1);
  EXPECT_EQ(doc.selected(), 2);
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(count_changes, 1);
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.entries(), words);
}

TEST(ListClone, Refusals) {
  scripted_questions q;
  list_document empty;
  EXPECT_EQ(clone_selected_entry(empty, kThesaurusTexts, q.fn()), list_command_result::refused);
  list_document doc = document_of({u"a|1\nb"});
  EXPECT_EQ(clone_selected_entry(doc, kThesaurusTexts, q.fn()), list_command_result::refused);
  doc.select(5);  // beyond the end
  EXPECT_EQ(clone_selected_entry(doc, kThesaurusTexts, q.fn()), list_command_result::refused);
  EXPECT_EQ(q.asked, (std::vector<text_t>{u"No synonyms found.", u"No synonym selected.", u"No synonym selected."}));
  EXPECT_EQ(doc.count(), 1);
  EXPECT_FALSE(doc.can_undo());
  EXPECT_FALSE(doc.changed());
}

TEST(ListGoToEnd, BottomShowsTheLastPageTopTheFirst) {
  struct end_case {
    int64_t count;
    bool bottom;
    int64_t selected;
    int64_t first_row;
  };
  const end_case cases[] = {
      {100, true, 99, 87},  // entries 88..100 shown, entry 100 selected
      {100, false, 0, 0},
      {5, true, 4, 0},
      {13, true, 12, 0},
      {14, true, 13, 1},
      {1, true, 0, 0},
  };
  for (const end_case& k : cases) {
    int64_t selected = -1, first = 40;
    ASSERT_TRUE(go_to_list_end(k.count, k.bottom, 13, selected, first));
    EXPECT_EQ(selected, k.selected) << k.count;
    EXPECT_EQ(first, k.first_row) << k.count;
  }
  int64_t selected = -1, first = 0;
  EXPECT_FALSE(go_to_list_end(0, true, 13, selected, first));
  EXPECT_EQ(selected, -1);
}

}  // namespace
