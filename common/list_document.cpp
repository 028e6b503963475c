#include "common/list_document.h"

#include "common/long_job.h"
#include "common/message_box_flags.h"

#include <algorithm>

text_view list_document::entry(int64_t i) const {
  if (i < 0 || i >= count()) return text_view();
  return entries_[static_cast<size_t>(i)];
}

bool list_document::is_checked(int64_t i) const {
  return i >= 0 && i < static_cast<int64_t>(checked_.size()) && checked_[static_cast<size_t>(i)] == 1;
}

void list_document::set_checked(int64_t i, bool on) {
  if (i < 0 || i >= static_cast<int64_t>(checked_.size())) return;
  uint8_t& mark = checked_[static_cast<size_t>(i)];
  if (on && mark != 1) {
    mark = 1;
    ++checked_count_;
  } else if (!on && mark != 0) {
    mark = 0;
    --checked_count_;
  }
}

void list_document::replace_all(entry_list new_entries, text_view new_path) {
  entries_ = std::move(new_entries);
  checked_.assign(entries_.size(), 0);
  checked_count_ = 0;
  selected_ = -1;
  first_row_ = 0;
  changed_ = false;
  path_ = new_path;
  reset_history();
  notify_count_changed();
}

void list_document::set_entries(entry_list new_entries) {
  entries_ = std::move(new_entries);
  checked_.assign(entries_.size(), 0);
  checked_count_ = 0;
  selected_ = -1;
  first_row_ = std::min<int64_t>(first_row_, std::max<int64_t>(0, count() - 1));
  changed_ = true;
  notify_count_changed();
}

void list_document::clear() {
  entries_.clear();
  checked_.clear();
  checked_count_ = 0;
  selected_ = -1;
  first_row_ = 0;
  notify_count_changed();
}

void list_document::append(text_view entry) {
  entries_.push_back(entry);
  checked_.push_back(0);
}

void list_document::set_entry(int64_t i, text_view entry) {
  if (i < 0 || i >= count()) return;
  entries_.assign(static_cast<size_t>(i), entry);
}

int64_t list_document::compact(const std::function<bool(int64_t index, text_view entry)>& keep_if) {
  size_t kept = 0;
  int64_t new_selected = -1;
  const size_t kept_entries = entries_.keep_if([&](size_t i) {
    if (!keep_if(static_cast<int64_t>(i), entries_[i])) return false;
    if (static_cast<int64_t>(i) == selected_) new_selected = static_cast<int64_t>(kept);
    checked_[kept++] = checked_[i];
    return true;
  });
  const int64_t removed = static_cast<int64_t>(checked_.size() - kept_entries);
  if (removed == 0) return 0;
  checked_.resize(kept);
  recount_checked();
  selected_ = new_selected;
  first_row_ = std::min<int64_t>(first_row_, std::max<int64_t>(0, count() - 1));
  changed_ = true;
  notify_count_changed();
  return removed;
}

bool list_document::reorder(const std::vector<size_t>& order, const std::function<bool(int64_t moved)>& moved) {
  const size_t n = order.size();
  if (n != entries_.size()) return false;
  std::vector<bool> taken(n, false);
  for (size_t index : order) {
    if (index >= n || taken[index]) return false;
    taken[index] = true;
  }
  // Only the places are polled over: a stop leaves the document as it was.
  for (size_t j = 0; j < n; ++j) {
    if (!moved(static_cast<int64_t>(j + 1))) return false;
  }
  entries_.permute(order);
  uncheck_all();
  first_row_ = 0;
  return true;
}

void list_document::mark_saved(text_view path) {
  changed_ = false;
  path_ = text_t(path);  // path may be a view of path_ itself
}

void list_document::notify_count_changed() const {
  if (on_count_changed) on_count_changed();
}

// ---- Undo and redo -------------------------------------------------------------

list_snapshot_record list_document::take_state() {
  list_snapshot_record s;
  s.entries = std::move(entries_);
  s.checked = std::move(checked_);
  s.selected = selected_;
  s.checked_count = checked_count_;
  s.first_row = first_row_;
  entries_.clear();
  checked_.clear();
  return s;
}

void list_document::put_state(list_snapshot_record&& s) {
  entries_ = std::move(s.entries);
  checked_ = std::move(s.checked);
  // Marks and entries stay parallel whatever the snapshot held.
  checked_.resize(entries_.size(), 0);
  selected_ = s.selected < count() ? s.selected : -1;
  first_row_ = std::max<int64_t>(0, s.first_row);
  recount_checked();
  s = list_snapshot_record();
}

void list_document::save_undo() {
  list_snapshot_record& u = history_.undo_snapshot;
  u.entries = entries_;
  u.checked = checked_;
  u.selected = selected_;
  u.checked_count = checked_count_;
  u.first_row = first_row_;
  history_.undo_available = true;
  history_.redo_available = false;
  history_.redo_snapshot = list_snapshot_record();
}

void list_document::reset_history() { history_ = list_history(); }

// The snapshot taken back is spent, so the states move instead of copying.
bool list_document::undo() {
  if (!history_.undo_available) return false;
  history_.redo_snapshot = take_state();
  put_state(std::move(history_.undo_snapshot));
  history_.undo_available = false;
  history_.redo_available = true;
  changed_ = true;
  notify_count_changed();
  return true;
}

bool list_document::redo() {
  if (!history_.redo_available) return false;
  history_.undo_snapshot = take_state();
  put_state(std::move(history_.redo_snapshot));
  history_.undo_available = true;
  history_.redo_available = false;
  changed_ = true;
  notify_count_changed();
  return true;
}

int64_t list_document::recount_checked() {
  checked_count_ = std::count(checked_.begin(), checked_.end(), uint8_t{1});
  return checked_count_;
}

// ---- List commands -------------------------------------------------------------

void list_document::check_all() {
  std::fill(checked_.begin(), checked_.end(), uint8_t{1});
  checked_count_ = count();
}

void list_document::uncheck_all() {
  std::fill(checked_.begin(), checked_.end(), uint8_t{0});
  checked_count_ = 0;
}

void list_document::invert_checks() {
  for (uint8_t& mark : checked_) mark = mark == 0 ? 1 : 0;
  recount_checked();
}

int64_t list_document::delete_checked() {
  if (recount_checked() == 0) return 0;
  save_undo();
  const size_t kept = entries_.keep_if([&](size_t i) { return checked_[i] != 1; });
  const int64_t dropped = static_cast<int64_t>(checked_.size() - kept);
  checked_.assign(kept, 0);
  checked_count_ = 0;
  selected_ = -1;
  changed_ = true;
  notify_count_changed();
  return dropped;
}

bool list_document::delete_selected() {
  if (!has_selection()) return false;
  save_undo();
  entries_.erase(static_cast<size_t>(selected_));
  checked_.erase(checked_.begin() + selected_);
  recount_checked();
  selected_ = -1;
  changed_ = true;
  notify_count_changed();
  return true;
}

// ---- Tool edits ------------------------------------------------------------------

void list_tool_edit::before_change() {
  if (started_) return;
  started_ = true;
  old_history_ = std::move(doc_.history_);
  old_changed_ = doc_.changed_;
  doc_.save_undo();
}

void list_tool_edit::cancel() {
  if (!started_) return;
  started_ = false;
  doc_.put_state(std::move(doc_.history_.undo_snapshot));
  doc_.history_ = std::move(old_history_);
  doc_.changed_ = old_changed_;
  doc_.notify_count_changed();
}

// ---- Confirmation texts ------------------------------------------------------------

const list_command_texts& dictionary_command_texts() {
  static const list_command_texts texts{
      T("No dictionary words found."), T("No selected dictionary words found."),
      T("No dictionary word selected."), T("dictionary word"),
      T("Really delete dictionary word?\n")};
  return texts;
}

text_t delete_checked_question(const list_command_texts& texts, int64_t n) {
  text_t q = T("Really delete ") + string_from_int(n) + u" " + texts.noun;
  if (n > 1) q += u's';
  q += u'?';
  return q;
}

text_t delete_current_question(const list_command_texts& texts, text_view entry) {
  text_t shown(texts.question_names_first_line ? entry.substr(0, entry.find(u'\n')) : entry);
  std::replace(shown.begin(), shown.end(), u'\n', u' ');
  return texts.current_question + u"\"" + shown + u"\"";
}

namespace {


bool refuse_empty(const list_document& doc, const list_command_texts& texts, const list_ask_fn& ask) {
  if (!doc.empty()) return false;
  ask(T("Warning!"), texts.none_found, BOX_WARNING);
  return true;
}

}  // namespace

bool run_check_all(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask) {
  if (refuse_empty(doc, texts, ask)) return false;
  doc.check_all();
  return true;
}

bool run_uncheck_all(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask) {
  if (refuse_empty(doc, texts, ask)) return false;
  doc.uncheck_all();
  return true;
}

bool run_invert_checks(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask) {
  if (refuse_empty(doc, texts, ask)) return false;
  doc.invert_checks();
  return true;
}

bool run_delete_checked(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask) {
  if (refuse_empty(doc, texts, ask)) return false;
  if (doc.recount_checked() == 0) {
    ask(T("Warning!"), texts.none_checked, BOX_WARNING);
    return false;
  }
  if (ask(T("Warning!"), delete_checked_question(texts, doc.checked_count()), BOX_WARNING | BOX_YES_NO) == BOX_ANSWER_NO) {
    return false;
  }
  return doc.delete_checked() > 0;
}

bool run_delete_current(list_document& doc, const list_command_texts& texts, const list_ask_fn& ask,
                        bool quiet) {
  if (doc.empty()) {
    if (!quiet) ask(T("Warning!"), texts.none_found, BOX_WARNING);
    return false;
  }
  if (!doc.has_selection()) {
    if (!quiet) ask(T("Warning!"), texts.none_selected, BOX_WARNING);
    return false;
  }
  if (ask(T("Warning!"), delete_current_question(texts, doc.entry(doc.selected())), BOX_WARNING | BOX_YES_NO) !=
      BOX_ANSWER_YES) {
    return false;
  }
  return doc.delete_selected();
}

// ---- Paged view arithmetic ---------------------------------------------------------

int64_t list_last_first_row(int64_t count, int64_t rows) {
  return std::max<int64_t>(0, count - std::max<int64_t>(rows, 1));
}

int64_t list_clamp_first_row(int64_t first, int64_t count, int64_t rows) {
  return std::clamp<int64_t>(first, 0, list_last_first_row(count, rows));
}

int64_t list_page_length(int64_t first, int64_t count, int64_t rows) {
  if (first < 0 || first >= count) return 0;
  return std::min(rows, count - first);
}

int64_t list_row_of(int64_t sel, int64_t first, int64_t count, int64_t rows) {
  if (sel < 0 || sel >= count) return -1;
  int64_t row = sel - first;
  return row >= 0 && row < list_page_length(first, count, rows) ? row : -1;
}

text_t list_row_text(int64_t i, text_view entry) {
  text_t row = string_from_int(i + 1);
  row += u'\n';
  row += entry;
  return row;
}

int64_t list_sync_selection(int64_t sel, int64_t row, int64_t first) {
  if (row < 0) return sel;
  return first + row;
}

bool list_take_page_checks(list_document& doc, int64_t first, int64_t rows,
                           const std::vector<int>& states) {
  bool any = false;
  int64_t n = std::min<int64_t>(list_page_length(first, doc.count(), rows),
                                static_cast<int64_t>(states.size()));
  for (int64_t j = 0; j < n; ++j) {
    int state = states[static_cast<size_t>(j)];
    bool on = state == 2 || state == 3;
    if (doc.is_checked(first + j) != on) {
      doc.set_checked(first + j, on);
      any = true;
    }
  }
  return any;
}

list_position list_navigate(list_key key, int64_t n, int64_t sel, int64_t first, int64_t row,
                            int64_t rows) {
  const int64_t R = std::max<int64_t>(rows, 1);
  auto clamp = [&](int64_t f) { return list_clamp_first_row(f, n, R); };
  switch (key) {
    case list_key::up: {
      if (sel == -1) break;
      if (row == -1) {
        first = clamp(sel);
        row = list_row_of(sel, first, n, R);
        if (row == -1) break;  // sel lies outside the document
      }
      if (row > 0) {
        --row;
      } else if (first > 0) {
        --first;
      }
      sel = row + first;
      break;
    }
    case list_key::down: {
      if (sel == -1) break;
      if (row == -1) {
        // The page moves to start just after the selection; when the end
        // of the document holds it back, the selection is on the page.
        first = clamp(std::min(sel + 1, n));
        row = std::min(sel + 1, n) - first - 1;
      }
      int64_t on_page = list_page_length(first, n, R);
      if (row == R - 1 && first + R < n) {
        ++first;
      } else if (row + 1 < on_page) {
        ++row;
      }
      sel = row + first;
      if (sel < 0 || sel >= n) sel = std::clamp<int64_t>(sel, n > 0 ? 0 : -1, n - 1);
      break;
    }
    case list_key::home:
      if (n > 0) {
        sel = 0;
        first = 0;
      }
      break;
    case list_key::end:
      if (n >= 1) {
        sel = n - 1;
        first = clamp(n - 1);
      }
      break;
    case list_key::page_up:
      if (n > R) {
        sel = std::max<int64_t>(sel - R, 0);
        first = clamp(first - R);
      }
      break;
    case list_key::page_down:
      if (n > R) {
        sel = sel + R < n ? sel + R : n - 1;
        if (sel < 0) sel = R - 1;
        first = clamp(first + R);
      }
      break;
  }
  return {sel, first};
}

// ---- Tab labels ----------------------------------------------------------------------

text_t list_status_label_text(text_view count_word, text_view position_word, int64_t count,
                              int64_t selected, text_view separator) {
  auto number = [&](int64_t v) {
    return string_format_number(0, u".", separator, static_cast<double>(v));
  };
  if (selected == -1) return text_t(count_word) + number(count);
  return text_t(position_word) + number(selected + 1) + u"/" + number(count) + u"]";
}

text_t list_changed_mark_text(bool changed) {
  return changed ? text_t(u"\u25cf") : text_t();
}

text_t list_selected_label_text(int64_t checked_count, int64_t count) {
  if (checked_count == 0) return T("Selected:None");
  if (count != 0 && checked_count == count) return T("Selected:All");
  return T("Selected:") + string_from_int(checked_count);
}

entry_rewrite_result rewrite_entries_in_place(list_document& doc, long_job& job,
                                              const std::function<text_t(text_view)>& rewrite) {
  entry_rewrite_result r;
  for (int64_t i = 0; i < doc.count(); ++i) {
    text_t t = rewrite(doc.entry(i));
    if (t != doc.entry(i)) {
      doc.set_entry(i, std::move(t));
      doc.mark_changed();
      ++r.changed;
    }
    if (!job.step(i)) {
      r.aborted = true;
      return r;
    }
  }
  return r;
}
