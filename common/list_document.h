// The list document shared by the dictionary, the thesaurus and the
// autocorrect list: entries with check marks, the selection, the first
// visible row of the paged view, one level of undo and redo, the list
// commands and the page arithmetic. Window code only draws what this holds.
#pragma once

#include "common/entry_list.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <vector>

// A copy of a document, enough to show it again as it was.
struct list_snapshot_record {
  entry_list entries;
  std::vector<uint8_t> checked;
  int64_t selected = -1;
  int64_t checked_count = 0;
  int64_t first_row = 0;
};

// One level of undo and one of redo.
struct list_history {
  list_snapshot_record undo_snapshot;
  list_snapshot_record redo_snapshot;
  bool undo_available = false;
  bool redo_available = false;
};

class list_document {
 public:
  // Called after every operation here that changes the number of entries
  // (deletes, undo, redo, replace_all, set_entries, compact), so the views of
  // the document (scroll ranges, a second list paging the same entries) follow.
  std::function<void()> on_count_changed;

  // ---- Reading -----------------------------------------------------------------
  int64_t count() const { return static_cast<int64_t>(entries_.size()); }
  bool empty() const { return entries_.empty(); }
  const entry_list& entries() const { return entries_; }
  const std::vector<uint8_t>& checked() const { return checked_; }  // 1 checked
  // The entry at i, or "" outside the array.
  text_view entry(int64_t i) const;
  bool is_checked(int64_t i) const;
  int64_t checked_count() const { return checked_count_; }
  int64_t selected() const { return selected_; }  // absolute entry index, -1 none
  bool has_selection() const { return selected_ >= 0 && selected_ < count(); }
  int64_t first_row() const { return first_row_; }  // first visible row of the paged view
  bool changed() const { return changed_; }  // differs from the file
  const text_t& path() const { return path_; }  // "" when none
  bool can_undo() const { return history_.undo_available; }
  bool can_redo() const { return history_.redo_available; }
  const list_history& history() const { return history_; }

  // ---- View state (not content: no snapshot, no changed flag) ---------------------
  void set_checked(int64_t i, bool on);  // keeps checked_count in step
  void select(int64_t i) { selected_ = i; }  // -1 none
  void set_first_row(int64_t row) { first_row_ = row; }

  // ---- Content -----------------------------------------------------------------
  // Replaces the whole content (a completed load): marks cleared, nothing
  // selected, page at the top, not changed, history emptied.
  void replace_all(entry_list new_entries, text_view new_path);
  // A tool's rewritten list in place of the entries: marks and selection
  // cleared, the first row kept within the new count, changed.
  void set_entries(entry_list new_entries);
  // Empties the document (Erase takes an undo snapshot first).
  void clear();
  void append(text_view entry);  // an unchecked entry at the end
  // Replaces the text of entry i (nothing outside the array). The caller marks
  // the document changed: a rewrite may store the same text again.
  void set_entry(int64_t i, text_view entry);
  // Removes in place the entries keep_if(index, entry) refuses (index: the
  // entry's place before the pass); the marks move with
  // their entries, the selection follows its entry (-1 when it went) and the
  // first row stays within the new count. Changed when an entry went.
  // Returns the number removed. No snapshot: the caller takes it.
  int64_t compact(const std::function<bool(int64_t index, text_view entry)>& keep_if);
  // Puts the entries in a new order: order[j] is the old index of the entry
  // that goes to j (a permutation of every index). The marks, which belonged to
  // the old places, are cleared and the page goes to the top. moved(j + 1) is
  // called for each place j; when it returns false, nothing has moved (the
  // document is never left half sorted) and false is returned. Only the
  // entries' places move, not their text; an order that is not such a
  // permutation moves nothing and returns false.
  bool reorder(const std::vector<size_t>& order, const std::function<bool(int64_t moved)>& moved);
  void mark_changed() { changed_ = true; }
  // The document now matches the file at path: not changed.
  void mark_saved(text_view path);
  // The document belongs to no file any more (after Erase): not changed.
  void forget_file() { mark_saved(text_view()); }
  void notify_count_changed() const;

  // ---- Undo and redo ---------------------------------------------------------
  // Takes the undo snapshot just before a change: Undo available, Redo lost.
  void save_undo();
  void reset_history();
  // Puts back a history taken earlier (a rebuilt window starts without one).
  void restore_history(list_history history) { history_ = std::move(history); }
  // The Undo and Redo commands: the current state goes into the other
  // snapshot, the snapshot's entries, marks, selection and first row come
  // back. False when there is nothing to take back. Both mark the document
  // changed (it now differs from the file).
  bool undo();
  bool redo();
  // Tool windows cancel through list_tool_edit, which arms no Redo.

  int64_t recount_checked();

  // ---- List commands (marks are not content: no snapshot, no changed flag) --
  void check_all();
  void uncheck_all();
  void invert_checks();
  // Deletes the checked entries: takes the undo snapshot, clears the
  // selection, sets changed. Returns the number deleted (0: nothing done).
  int64_t delete_checked();
  // Deletes the selected entry, likewise; false when nothing is selected.
  bool delete_selected();

 private:
  friend class list_tool_edit;
  list_snapshot_record take_state();
  void put_state(list_snapshot_record&& state);

  // Content: entries and their marks (1 checked) always have the same size.
  entry_list entries_;
  std::vector<uint8_t> checked_;
  int64_t checked_count_ = 0;
  int64_t selected_ = -1;
  int64_t first_row_ = 0;
  bool changed_ = false;
  text_t path_;
  list_history history_;
};

class long_job;

// The pass of a tool that rewrites entries one by one: each entry is
// replaced by rewrite(entry) when that differs (the document is then marked
// changed), with one step of the job per entry. A stop keeps the entries
// already rewritten (Undo takes them back); the caller ends the job.
struct entry_rewrite_result {
  int64_t changed = 0;
  bool aborted = false;
};
entry_rewrite_result rewrite_entries_in_place(list_document& doc, long_job& job,
                                              const std::function<text_t(text_view)>& rewrite);

// A tool window that edits a document live and may be cancelled: the
// snapshot is taken just before its first change; cancel() puts the document
// back as it was and the undo and redo history too, so Redo is not armed and
// the previous Undo still works; keep() leaves the changes (Undo takes them
// back). Destroyed without either: the changes stay.
class list_tool_edit {
 public:
  explicit list_tool_edit(list_document& doc) : doc_(doc) {}
  list_tool_edit(const list_tool_edit&) = delete;
  list_tool_edit& operator=(const list_tool_edit&) = delete;

  // Call before each change; only the first call takes the snapshot.
  void before_change();
  bool started() const { return started_; }
  void cancel();
  void keep() { started_ = false; }

 private:
  list_document& doc_;
  bool started_ = false;
  list_history old_history_;
  bool old_changed_ = false;
};

// ---- Confirmation texts of the list commands --------------------------------
// Texts of one member of the family (the dictionary's are below).
struct list_command_texts {
  text_t none_found;       // "No dictionary words found."
  text_t none_checked;     // "No selected dictionary words found."
  text_t none_selected;    // "No dictionary word selected."
  text_t noun;             // "dictionary word": "Really delete 2 dictionary words?"
  text_t current_question; // "Really delete dictionary word?\n"
  // The Delete Current question names the entry's first line only.
  bool question_names_first_line = false;
};
const list_command_texts& dictionary_command_texts();

// "Really delete " + n + " " + noun + "s" when n > 1 + "?".
text_t delete_checked_question(const list_command_texts& texts, int64_t n);
// current_question + '"' + entry with each LF shown as a space + '"' (or
// + its first line, for texts that name the first line only).
text_t delete_current_question(const list_command_texts& texts, text_view entry);

// A message box: (title, text, flags) -> 6 Yes/OK, 7 No, 2 Cancel, 0 closed.
using list_ask_fn = std::function<int(text_view title, text_view text, int flags)>;

// The five commands with their guards and questions. Each returns true when
// it changed the document (marks included), so the caller redraws.
bool run_check_all(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask);
bool run_uncheck_all(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask);
bool run_invert_checks(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask);
// Only No stops; a box closed without an answer goes on.
bool run_delete_checked(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask);
// Only Yes deletes; quiet: no notice when nothing is selected.
bool run_delete_current(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask,
                        bool quiet);

// ---- Paged view arithmetic ----------------------------------------------------
// rows = the number of visible rows of the view.

// Highest first visible row: count - rows, 0 when the document fits a page.
int64_t list_last_first_row(int64_t count, int64_t rows);
int64_t list_clamp_first_row(int64_t first, int64_t count, int64_t rows);
// Number of entries drawn on the page that starts at first.
int64_t list_page_length(int64_t first, int64_t count, int64_t rows);
// Row of the page that shows entry sel, or -1 when it is off the page.
int64_t list_row_of(int64_t sel, int64_t first, int64_t count, int64_t rows);
// Text of the row that shows entry i: its number (i + 1), LF, the entry; the
// list splits it into columns at each LF.
text_t list_row_text(int64_t i, text_view entry);
// Selection sync from the list's selected row (-1 none): a row gives
// first + row; no row keeps the selection (it may be off the page).
int64_t list_sync_selection(int64_t sel, int64_t row, int64_t first);

// Check marks taken from the page: states[j] is the state of row j (0 plain,
// 1 selected, 2 checked, 3 checked and selected) for entry first + j.
// Returns true when a mark changed. No snapshot, no changed flag.
bool list_take_page_checks(list_document& doc, int64_t first, int64_t rows,
                           const std::vector<int>& states);

// Navigation keys of the main lists.
enum class list_key : int {
  up = 1004,
  down = 1005,
  page_up = 1010,
  page_down = 1011,
  home = 1012,
  end = 1013,
};
struct list_position {
  int64_t selected;
  int64_t first_row;
  bool operator==(const list_position&) const = default;
};
// The new selection and first row after a key; row is the list's selected
// row (-1 none) before the key. Keys that do not apply leave both as they are.
list_position list_navigate(list_key key, int64_t count, int64_t selected, int64_t first_row,
                            int64_t row, int64_t rows);

// ---- Tab labels ------------------------------------------------------------------
// "# Words:12,345" with nothing selected, "Word: [3/12,345]" otherwise; numbers
// with "." as the point and separator between thousands.
text_t list_status_label_text(text_view count_word, text_view position_word, int64_t count,
                              int64_t selected, text_view separator);
// "●" when changed, else "".
text_t list_changed_mark_text(bool changed);
// "Selected:None", "Selected:All" (every entry of a non-empty document) or
// "Selected:" + the checked count in plain decimal.
text_t list_selected_label_text(int64_t checked_count, int64_t count);
