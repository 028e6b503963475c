#include "common/list_document.h"

#include <gtest/gtest.h>

#include <string>

namespace {

list_document make_doc(int n) {
  list_document doc;
  std::vector<text_t> entries;
  for (int i = 0; i < n; ++i) entries.push_back(T(("w" + std::to_string(i)).c_str()));
  doc.replace_all(std::move(entries), T("/x.dic"));
  return doc;
}

std::string joined(const list_document& doc) {
  std::string s;
  for (const text_view e : doc.entries()) s += to_utf8(e) + ",";
  return s;
}

// A message box that records each text and gives scripted answers.
struct scripted_asker {
  std::vector<int> answers;
  std::vector<std::string> texts;
  std::vector<int> flags;
  list_ask_fn fn() {
    return [this](text_view, text_view text, int f) {
      texts.push_back(to_utf8(text));
      flags.push_back(f);
      if (answers.empty()) return 6;
      int a = answers.front();
      answers.erase(answers.begin());
      return a;
    };
  }
};

// ---- Undo and redo ------------------------------------------------------------

enum class op { change, undo, redo, load };

struct history_step {
  op action;
  bool result;  // what undo()/redo() returned (ignored for change and load)
  bool undo_available;
  bool redo_available;
  bool changed;
  const char* entries;
};

TEST(ListDocumentHistory, StateMachineTable) {
  list_document doc = make_doc(3);  // w0,w1,w2
  int changes = 0;
  const history_step steps[] = {
      {op::undo, false, false, false, false, "w0,w1,w2,"},   // fresh: nothing to undo
      {op::redo, false, false, false, false, "w0,w1,w2,"},
      {op::change, true, true, false, true, "w1,w2,"},       // delete the first entry
      {op::undo, true, false, true, true, "w0,w1,w2,"},      // U1: undo marks changed
      {op::undo, false, false, true, true, "w0,w1,w2,"},
      {op::redo, true, true, false, true, "w1,w2,"},
      {op::undo, true, false, true, true, "w0,w1,w2,"},      // they alternate
      {op::redo, true, true, false, true, "w1,w2,"},
      {op::change, true, true, false, true, "w2,"},
      {op::undo, true, false, true, true, "w1,w2,"},         // only the last change
      {op::change, true, true, false, true, "w2,"},          // a change loses Redo
      {op::redo, false, true, false, true, "w2,"},
      {op::load, true, false, false, false, "a,b,"},
      {op::undo, false, false, false, false, "a,b,"},
  };
  for (size_t k = 0; k < std::size(steps); ++k) {
    const history_step& s = steps[k];
    bool result = true;
    switch (s.action) {
      case op::change:
        doc.select(0);
        ASSERT_TRUE(doc.delete_selected());
        ++changes;
        break;
      case op::undo: result = doc.undo(); break;
      case op::redo: result = doc.redo(); break;
      case op::load: doc.replace_all({T("a"), T("b")}, T("/y.dic")); break;
    }
    EXPECT_EQ(result, s.result) << "step " << k;
    EXPECT_EQ(doc.can_undo(), s.undo_available) << "step " << k;
    EXPECT_EQ(doc.can_redo(), s.redo_available) << "step " << k;
    EXPECT_EQ(doc.changed(), s.changed) << "step " << k;
    EXPECT_EQ(joined(doc), s.entries) << "step " << k;
  }
}

TEST(ListDocumentHistory, UndoBringsBackMarksSelectionAndPage) {
  list_document doc = make_doc(100);
  doc.set_checked(10, true);
  doc.set_checked(20, true);
  doc.select(20);
  doc.set_first_row(15);
  ASSERT_EQ(doc.delete_checked(), 2);
  EXPECT_EQ(doc.count(), 98);
  EXPECT_EQ(doc.selected(), -1);
  doc.set_first_row(80);  // scrolled away
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(doc.count(), 100);
  EXPECT_EQ(doc.checked_count(), 2);
  EXPECT_TRUE(doc.is_checked(10) && doc.is_checked(20));
  EXPECT_EQ(doc.selected(), 20);
  EXPECT_EQ(doc.first_row(), 15);
  ASSERT_TRUE(doc.redo());
  EXPECT_EQ(doc.count(), 98);
  EXPECT_EQ(doc.checked_count(), 0);
  EXPECT_EQ(doc.selected(), -1);
  EXPECT_EQ(doc.first_row(), 80);  // the page shown before the Undo
}

TEST(ListDocumentHistory, CountChangesAreReported) {
  list_document doc = make_doc(4);
  int calls = 0;
  doc.on_count_changed = [&] { ++calls; };
  doc.check_all();
  EXPECT_EQ(calls, 0);
  doc.delete_checked();
  EXPECT_EQ(calls, 1);
  doc.undo();
  doc.redo();
  EXPECT_EQ(calls, 3);
}

// A cancelled tool puts back the document and the history it found (U2).
TEST(ListDocumentHistory, CancelledToolArmsNoRedoAndKeepsTheOldUndo) {
  list_document doc = make_doc(3);
  doc.select(0);
  doc.delete_selected();  // w1,w2 with Undo available
  doc.mark_saved(doc.path());  // as after a save
  {
    list_tool_edit tool(doc);
    tool.before_change();
    doc.append(T("new1"));
    tool.before_change();  // a second change takes no second snapshot
    doc.append(T("new2"));
    EXPECT_EQ(joined(doc), "w1,w2,new1,new2,");
    tool.cancel();
  }
  EXPECT_EQ(joined(doc), "w1,w2,");
  EXPECT_TRUE(doc.can_undo());
  EXPECT_FALSE(doc.can_redo());
  EXPECT_FALSE(doc.changed());
  ASSERT_TRUE(doc.undo());  // the change before the tool still undoes
  EXPECT_EQ(joined(doc), "w0,w1,w2,");
}

TEST(ListDocumentHistory, KeptToolChangeUndoesInOneStep) {
  list_document doc = make_doc(2);
  list_tool_edit tool(doc);
  tool.cancel();  // nothing changed: nothing to restore
  EXPECT_FALSE(doc.can_undo());
  tool.before_change();
  doc.append(T("x"));
  doc.mark_changed();
  tool.keep();
  ASSERT_TRUE(doc.undo());
  EXPECT_EQ(joined(doc), "w0,w1,");
}

// ---- Edits of the content ------------------------------------------------------------

struct compact_case {
  const char* what;
  const char* dropped;  // entries keep_if refuses, each followed by ","
  int64_t selected;     // before the pass
  const char* entries;
  std::vector<uint8_t> marks;
  int64_t checked_count;
  int64_t selected_after;
  int64_t first_row_after;
  bool changed;
  int notices;
};

TEST(ListDocumentEdits, CompactTable) {
  // w0..w4 with w1 and w3 checked, the page starting at row 4.
  const compact_case cases[] = {
      {"all kept", "", 2, "w0,w1,w2,w3,w4,", {0, 1, 0, 1, 0}, 2, 2, 4, false, 0},
      {"some kept", "w0,w3,", 2, "w1,w2,w4,", {1, 0, 0}, 1, 1, 2, true, 1},
      {"the selected entry dropped", "w0,w3,", 3, "w1,w2,w4,", {1, 0, 0}, 1, -1, 2, true, 1},
      {"the last entry dropped", "w4,", 4, "w0,w1,w2,w3,", {0, 1, 0, 1}, 2, -1, 3, true, 1},
      {"none kept", "w0,w1,w2,w3,w4,", 1, "", {}, 0, -1, 0, true, 1},
  };
  for (const compact_case& k : cases) {
    SCOPED_TRACE(k.what);
    list_document doc = make_doc(5);
    doc.set_checked(1, true);
    doc.set_checked(3, true);
    doc.select(k.selected);
    doc.set_first_row(4);
    int notices = 0;
    doc.on_count_changed = [&] { ++notices; };
    std::vector<int64_t> indexes;
    const int64_t removed = doc.compact([&](int64_t i, text_view entry) {
      indexes.push_back(i);
      return std::string(k.dropped).find(to_utf8(entry) + ",") == std::string::npos;
    });
    EXPECT_EQ(indexes, (std::vector<int64_t>{0, 1, 2, 3, 4}));  // the places before the pass
    EXPECT_EQ(removed, 5 - doc.count());
    EXPECT_EQ(joined(doc), k.entries);
    EXPECT_EQ(doc.checked(), k.marks);
    EXPECT_EQ(doc.checked_count(), k.checked_count);
    EXPECT_EQ(doc.selected(), k.selected_after);
    EXPECT_EQ(doc.first_row(), k.first_row_after);
    EXPECT_EQ(doc.changed(), k.changed);
    EXPECT_EQ(notices, k.notices);
    EXPECT_FALSE(doc.can_undo());  // the caller takes the snapshot
  }
}

// The entries move in place cycle by cycle: a stop after any entry, in a
// cycle or at its end, puts every entry back; a whole pass gives the order.
TEST(ListDocumentEdits, ReorderStoppedAnywherePutsEverythingBack) {
  const std::vector<std::vector<size_t>> orders = {
      {0, 1, 2, 3, 4, 5, 6, 7},  // no entry moves
      {1, 2, 3, 4, 5, 6, 7, 0},  // one long cycle
      {7, 0, 1, 2, 3, 4, 5, 6},
      {1, 0, 2, 4, 3, 7, 5, 6},  // swaps, a fixed place and a three-cycle
      {5, 3, 0, 6, 1, 2, 7, 4},
  };
  const std::string before = "w0,w1,w2,w3,w4,w5,w6,w7,";
  for (const std::vector<size_t>& order : orders) {
    std::string after;
    for (size_t i : order) after += "w" + std::to_string(i) + ",";
    for (int64_t stop_after = 0; stop_after <= 8; ++stop_after) {  // 0: never stopped
      SCOPED_TRACE(after + " stopped after " + std::to_string(stop_after));
      list_document doc = make_doc(8);
      doc.set_checked(3, true);
      int64_t calls = 0;
      const bool done = doc.reorder(order, [&](int64_t m) {
        EXPECT_EQ(m, ++calls);
        return m != stop_after;
      });
      EXPECT_EQ(done, stop_after == 0);
      EXPECT_EQ(calls, stop_after == 0 ? 8 : stop_after);
      EXPECT_EQ(joined(doc), done ? after : before);
      EXPECT_EQ(doc.checked_count(), done ? 0 : 1);
    }
  }
  // An order that is not a permutation of every index moves nothing.
  for (const std::vector<size_t>& bad : std::vector<std::vector<size_t>>{{1, 1, 2}, {0, 1}, {0, 1, 2, 3}, {0, 1, 5}}) {
    list_document doc = make_doc(3);
    int64_t calls = 0;
    EXPECT_FALSE(doc.reorder(bad, [&](int64_t) { return ++calls > 0; }));
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(joined(doc), "w0,w1,w2,");
  }
}

TEST(ListDocumentEdits, ReorderMovesEverythingOrNothing) {
  const std::vector<size_t> reversed = {3, 2, 1, 0};
  for (int64_t stop_after : {2, 4, 0}) {  // 0: never stopped
    SCOPED_TRACE(stop_after);
    list_document doc = make_doc(4);
    doc.set_checked(1, true);
    doc.set_first_row(2);
    std::vector<int64_t> moved;
    const bool done = doc.reorder(reversed, [&](int64_t m) {
      moved.push_back(m);
      return m != stop_after;
    });
    EXPECT_EQ(done, stop_after == 0);
    EXPECT_EQ(moved.back(), stop_after == 0 ? 4 : stop_after);
    if (done) {
      EXPECT_EQ(joined(doc), "w3,w2,w1,w0,");
      EXPECT_EQ(doc.checked_count(), 0);  // the marks belonged to the old places
      EXPECT_EQ(doc.first_row(), 0);
    } else {
      EXPECT_EQ(joined(doc), "w0,w1,w2,w3,");
      EXPECT_TRUE(doc.is_checked(1));
      EXPECT_EQ(doc.first_row(), 2);
    }
  }
}

TEST(ListDocumentEdits, SetEntriesClearsMarksAndKeepsThePageInRange) {
  list_document doc = make_doc(10);
  doc.set_checked(4, true);
  doc.select(4);
  doc.set_first_row(8);
  int notices = 0;
  doc.on_count_changed = [&] { ++notices; };
  doc.set_entries({T("a"), T("b"), T("c")});
  EXPECT_EQ(joined(doc), "a,b,c,");
  EXPECT_EQ(doc.checked(), (std::vector<uint8_t>{0, 0, 0}));
  EXPECT_EQ(doc.checked_count(), 0);
  EXPECT_EQ(doc.selected(), -1);
  EXPECT_EQ(doc.first_row(), 2);
  EXPECT_TRUE(doc.changed());
  EXPECT_EQ(notices, 1);
  doc.set_entry(1, T("B"));
  doc.set_entry(3, T("out of range"));
  EXPECT_EQ(joined(doc), "a,B,c,");
  doc.mark_saved(doc.path());
  EXPECT_FALSE(doc.changed());
  EXPECT_EQ(doc.path(), T("/x.dic"));
}

// ---- List commands ----------------------------------------------------------------

TEST(ListCommands, MarksAreNotContent) {
  list_document doc = make_doc(5);
  scripted_asker ask;
  const list_command_texts& t = dictionary_command_texts();
  EXPECT_TRUE(run_check_all(doc, t, ask.fn()));
  EXPECT_EQ(doc.checked_count(), 5);
  doc.set_checked(1, false);
  EXPECT_TRUE(run_invert_checks(doc, t, ask.fn()));
  EXPECT_EQ(doc.checked_count(), 1);
  EXPECT_TRUE(doc.is_checked(1));
  EXPECT_TRUE(run_invert_checks(doc, t, ask.fn()));
  EXPECT_EQ(doc.checked_count(), 4);
  EXPECT_TRUE(run_uncheck_all(doc, t, ask.fn()));
  EXPECT_EQ(doc.checked_count(), 0);
  EXPECT_FALSE(doc.changed());
  EXPECT_FALSE(doc.can_undo());
  EXPECT_TRUE(ask.texts.empty());
}

TEST(ListCommands, EmptyDocumentRefusesEveryCommand) {
  list_document doc;
  scripted_asker ask;
  const list_command_texts& t = dictionary_command_texts();
  EXPECT_FALSE(run_check_all(doc, t, ask.fn()));
  EXPECT_FALSE(run_uncheck_all(doc, t, ask.fn()));
  EXPECT_FALSE(run_invert_checks(doc, t, ask.fn()));
  EXPECT_FALSE(run_delete_checked(doc, t, ask.fn()));
  EXPECT_FALSE(run_delete_current(doc, t, ask.fn(), false));
  EXPECT_FALSE(run_delete_current(doc, t, ask.fn(), true));  // quiet: no box
  ASSERT_EQ(ask.texts.size(), 5u);
  for (const std::string& s : ask.texts) EXPECT_EQ(s, "No dictionary words found.");
  for (int f : ask.flags) EXPECT_EQ(f, 16);
}

struct delete_checked_case {
  std::vector<int> checked;
  int answer;
  const char* question;  // "" when no question is asked
  const char* notice;    // "" when no notice
  const char* after;
};

TEST(ListCommands, DeleteCheckedTable) {
  const delete_checked_case cases[] = {
      {{}, 6, "", "No selected dictionary words found.", "w0,w1,w2,"},
      {{1}, 6, "Really delete 1 dictionary word?", "", "w0,w2,"},
      {{0, 2}, 6, "Really delete 2 dictionary words?", "", "w1,"},
      {{0, 2}, 7, "Really delete 2 dictionary words?", "", "w0,w1,w2,"},  // No stops
      {{0, 2}, 0, "Really delete 2 dictionary words?", "", "w1,"},        // closed goes on
      {{0, 1, 2}, 6, "Really delete 3 dictionary words?", "", ""},
  };
  for (const delete_checked_case& c : cases) {
    list_document doc = make_doc(3);
    for (int i : c.checked) doc.set_checked(i, true);
    doc.select(1);
    scripted_asker ask;
    ask.answers = {c.answer};
    bool done = run_delete_checked(doc, dictionary_command_texts(), ask.fn());
    EXPECT_EQ(joined(doc), c.after) << c.question;
    std::string expected_text = *c.question ? c.question : c.notice;
    ASSERT_EQ(ask.texts.size(), 1u);
    EXPECT_EQ(ask.texts[0], expected_text);
    EXPECT_EQ(ask.flags[0], *c.question ? 17 : 16);
    EXPECT_EQ(done, doc.changed());
    if (done) {
      EXPECT_EQ(doc.selected(), -1);
      EXPECT_EQ(doc.checked_count(), 0);
      EXPECT_TRUE(doc.can_undo());
      ASSERT_TRUE(doc.undo());
      EXPECT_EQ(joined(doc), "w0,w1,w2,");
      EXPECT_EQ(doc.checked_count(), static_cast<int64_t>(c.checked.size()));
    } else {
      EXPECT_FALSE(doc.can_undo());
    }
  }
}

TEST(ListCommands, DeleteCurrentAsksWithTheEntryOnOneLineAndNeedsYes) {
  list_document doc;
  doc.replace_all({T("cat/S\npo:noun"), T("dog"), T("eel")}, T(""));
  doc.set_checked(2, true);
  doc.select(0);
  scripted_asker ask;
  ask.answers = {0, 7, 6};  // closed, No, Yes
  EXPECT_FALSE(run_delete_current(doc, dictionary_command_texts(), ask.fn(), false));
  EXPECT_FALSE(run_delete_current(doc, dictionary_command_texts(), ask.fn(), false));
  EXPECT_EQ(doc.count(), 3);
  EXPECT_TRUE(run_delete_current(doc, dictionary_command_texts(), ask.fn(), false));
  EXPECT_EQ(ask.texts[0], "Really delete dictionary word?\n\"cat/S po:noun\"");
  EXPECT_EQ(ask.flags[0], 17);
  EXPECT_EQ(doc.count(), 2);
  EXPECT_EQ(doc.entries()[0], T("dog"));
  EXPECT_TRUE(doc.is_checked(1));  // the marks moved with their entries
  EXPECT_EQ(doc.checked_count(), 1);
  EXPECT_EQ(doc.selected(), -1);
  EXPECT_TRUE(doc.changed());

  scripted_asker quiet;
  EXPECT_FALSE(run_delete_current(doc, dictionary_command_texts(), quiet.fn(), true));
  EXPECT_TRUE(quiet.texts.empty());
  EXPECT_FALSE(run_delete_current(doc, dictionary_command_texts(), quiet.fn(), false));
  ASSERT_EQ(quiet.texts.size(), 1u);
  EXPECT_EQ(quiet.texts[0], "No dictionary word selected.");
}

// ---- Paged view ---------------------------------------------------------------------

struct nav_case {
  const char* name;
  list_key key;
  int64_t n, sel, first, rows;
  int64_t want_sel, want_first;
};

TEST(ListNavigation, KeysTable) {
  const int64_t R = 13;
  const nav_case cases[] = {
      // Up: the selection off the page is brought onto it first.
      {"up off page", list_key::up, 100, 50, 0, R, 49, 49},
      {"up mid page", list_key::up, 100, 5, 0, R, 4, 0},
      {"up first row scrolls", list_key::up, 100, 20, 20, R, 19, 19},
      {"up at the top", list_key::up, 100, 0, 0, R, 0, 0},
      {"up nothing selected", list_key::up, 100, -1, 30, R, -1, 30},
      {"up off page near end", list_key::up, 100, 95, 0, R, 94, 87},
      // Down.
      {"down mid page", list_key::down, 100, 3, 0, R, 4, 0},
      {"down last row scrolls", list_key::down, 100, 12, 0, R, 13, 1},
      {"down last entry stays", list_key::down, 100, 99, 87, R, 99, 87},
      {"down off page", list_key::down, 100, 50, 0, R, 51, 51},
      {"down off page near end", list_key::down, 100, 95, 0, R, 96, 87},
      {"down off page at last entry", list_key::down, 100, 99, 0, R, 99, 87},
      {"down short list end", list_key::down, 5, 4, 0, R, 4, 0},
      {"down short list", list_key::down, 5, 2, 0, R, 3, 0},
      {"down nothing selected", list_key::down, 100, -1, 0, R, -1, 0},
      // Home and End.
      {"home", list_key::home, 100, 50, 40, R, 0, 0},
      {"home empty", list_key::home, 0, -1, 0, R, -1, 0},
      {"end", list_key::end, 100, 3, 0, R, 99, 87},
      {"end short list", list_key::end, 5, -1, 0, R, 4, 0},
      {"end empty", list_key::end, 0, -1, 0, R, -1, 0},
      // Page Up and Page Down.
      {"page down", list_key::page_down, 100, 5, 0, R, 18, 13},
      {"page down nothing selected", list_key::page_down, 100, -1, 0, R, 12, 13},
      {"page down at the end", list_key::page_down, 100, 95, 85, R, 99, 87},
      {"page down off-page selection", list_key::page_down, 100, 60, 0, R, 73, 13},
      {"page up", list_key::page_up, 100, 30, 30, R, 17, 17},
      {"page up near top", list_key::page_up, 100, 5, 3, R, 0, 0},
      {"page up nothing selected", list_key::page_up, 100, -1, 20, R, 0, 7},
      {"page keys need more than a page", list_key::page_down, 13, 2, 0, R, 2, 0},
      {"page up short", list_key::page_up, 13, 12, 0, R, 12, 0},
  };
  for (const nav_case& c : cases) {
    int64_t row = list_row_of(c.sel, c.first, c.n, c.rows);
    list_position got = list_navigate(c.key, c.n, c.sel, c.first, row, c.rows);
    EXPECT_EQ(got.selected, c.want_sel) << c.name;
    EXPECT_EQ(got.first_row, c.want_first) << c.name;
  }
}

TEST(ListView, PageArithmeticAndSelectionSync) {
  // A range 0..99 with a page of 13 stops at 87.
  EXPECT_EQ(list_last_first_row(100, 13), 87);
  EXPECT_EQ(list_clamp_first_row(95, 100, 13), 87);
  EXPECT_EQ(list_clamp_first_row(-3, 100, 13), 0);
  EXPECT_EQ(list_last_first_row(5, 13), 0);
  EXPECT_EQ(list_last_first_row(0, 13), 0);
  EXPECT_EQ(list_page_length(87, 100, 13), 13);
  EXPECT_EQ(list_page_length(0, 5, 13), 5);
  EXPECT_EQ(list_page_length(0, 0, 13), 0);
  EXPECT_EQ(list_row_of(50, 45, 100, 13), 5);
  EXPECT_EQ(list_row_of(50, 0, 100, 13), -1);
  EXPECT_EQ(list_row_of(-1, 0, 100, 13), -1);
  EXPECT_EQ(list_row_text(41, T("cat/S\npo:noun")), T("42\ncat/S\npo:noun"));
  EXPECT_EQ(list_sync_selection(50, 3, 20), 23);
  EXPECT_EQ(list_sync_selection(50, -1, 0), 50);  // off the page: kept
  EXPECT_EQ(list_sync_selection(-1, -1, 0), -1);
}

TEST(ListView, ChecksTakenFromThePage) {
  list_document doc = make_doc(20);
  doc.set_checked(11, true);
  // Page 10..19: rows 0 and 2 checked (one also selected), row 1 cleared.
  std::vector<int> states(10, 0);
  states[0] = 2;
  states[2] = 3;
  states[5] = 1;
  EXPECT_TRUE(list_take_page_checks(doc, 10, 13, states));
  EXPECT_TRUE(doc.is_checked(10));
  EXPECT_FALSE(doc.is_checked(11));
  EXPECT_TRUE(doc.is_checked(12));
  EXPECT_FALSE(doc.is_checked(15));
  EXPECT_EQ(doc.checked_count(), 2);
  EXPECT_FALSE(doc.changed());
  EXPECT_FALSE(doc.can_undo());
  EXPECT_FALSE(list_take_page_checks(doc, 10, 13, states));
  // More states than rows on the page touch nothing outside it.
  doc.set_checked(19, true);
  EXPECT_TRUE(list_take_page_checks(doc, 19, 13, std::vector<int>(13, 0)));
  EXPECT_FALSE(doc.is_checked(19));
  EXPECT_EQ(doc.checked_count(), 2);
  EXPECT_EQ(doc.count(), 20);
}

TEST(ListView, Labels) {
  EXPECT_EQ(list_status_label_text(T("# Words:"), T("Word: ["), 12345, -1, T(",")), T("# Words:12,345"));
  EXPECT_EQ(list_status_label_text(T("# Words:"), T("Word: ["), 12345, 2, T(",")), T("Word: [3/12,345]"));
  EXPECT_EQ(list_status_label_text(T("# Words:"), T("Word: ["), 0, -1, T(",")), T("# Words:0"));
  EXPECT_EQ(list_selected_label_text(0, 0), T("Selected:None"));
  EXPECT_EQ(list_selected_label_text(0, 5), T("Selected:None"));
  EXPECT_EQ(list_selected_label_text(5, 5), T("Selected:All"));
  EXPECT_EQ(list_selected_label_text(1234, 5000), T("Selected:1234"));
  EXPECT_EQ(list_changed_mark_text(true), T("\xe2\x97\x8f"));
  EXPECT_EQ(list_changed_mark_text(false), T(""));
}

}  // namespace
