#include "kit/list_commands.h"

#include "common/dic_entry.h"
#include "common/format.h"
#include "common/sort.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {


text_t counted(text_view prefix, int64_t n, text_view separator) {
  return text_t(prefix) + string_format_number(0, u".", separator, static_cast<double>(n));
}

}  // namespace

list_command_result erase_list_document(list_document& doc, const list_member_texts& texts, const list_ask_fn& ask) {
  if (doc.empty()) {
    ask(u"Warning!", texts.none_found, BOX_WARNING);
    return list_command_result::refused;
  }
  // Unsaved work is only thrown away on Yes; a closed box keeps it.
  if (doc.changed() && ask(u"Warning!", texts.changed_question, BOX_INFORMATION | BOX_YES_NO | BOX_DEFAULT_NO) != BOX_ANSWER_YES) {
    return list_command_result::declined;
  }
  if (ask(u"Warning!", texts.erase_question, BOX_WARNING | BOX_YES_NO) != BOX_ANSWER_YES) return list_command_result::declined;
  doc.save_undo();
  doc.clear();
  doc.forget_file();
  return list_command_result::done;
}

text_t list_sort_key(text_view entry, bool thesaurus_keys) {
  text_t key = fold_accents_lowercase(entry);
  if (thesaurus_keys) {
    const size_t bar = key.find(u'|');
    if (bar != text_t::npos) key[bar] = u'\t';
  }
  return key;
}

bool list_entry_is_wordless(text_view entry, const list_member_texts& texts) {
  if (texts.dictionary_entries) return dic_entry_word_is_empty(entry);
  const text_view head = entry.substr(0, entry.find(u'\n'));
  return head.empty() || (texts.thesaurus_keys && head.front() == u'|');
}

list_command_result sort_list_document(list_document& doc, const list_member_texts& texts, long_job_host& host,
                                       text_view number_separator, const std::function<void()>& refresh_labels) {
  const int64_t n = doc.count();
  long_job job(host, texts.sort_title, 3 * n, true);
  if (n == 0) {
    host.message_box(u"Warning!", texts.none_found, BOX_WARNING);
    job.abort();
    return list_command_result::refused;
  }
  doc.save_undo();
  doc.select(-1);
  doc.mark_changed();
  if (refresh_labels) refresh_labels();

  // The count shown on each tick of the job timer.
  int64_t found = 0;
  text_view pass_text = u"Removing accents... <ESC> to abort. Found:";
  job.on_tick = [&](int64_t) { job.set_text(counted(pass_text, found, number_separator)); };

  // Wordless entries (comment lines) stay on top in their order; the others
  // follow by list_sort_key, equal keys in their order, so the same list
  // always sorts the same way. The keys are compared without being made.
  std::vector<size_t> order;
  folded_sort_order keyed(doc.entries(), texts.thesaurus_keys);
  keyed.reserve(static_cast<size_t>(n));
  for (int64_t j = 0; j < n; ++j) {
    const size_t index = static_cast<size_t>(j);
    if (list_entry_is_wordless(doc.entries()[index], texts))
      order.push_back(index);
    else
      keyed.add(index);
    found = j + 1;
    if (!job.step(j + 1)) {
      job.abort();
      return list_command_result::aborted;
    }
  }

  const text_t sorting = counted(u"Sorting... <ESC> to abort. Found:", n, number_separator);
  host.job_progress(sorting + job.elapsed_text(), n);
  if (order.empty()) {
    order = keyed.take_order();
  } else {
    const std::vector<size_t> sorted = keyed.take_order();
    order.insert(order.end(), sorted.begin(), sorted.end());
  }
  host.job_progress(sorting + job.elapsed_text(), 2 * n);

  // Entries move into their new places; an abort moves them back, so the
  // document is never left half sorted (nor with an entry twice or lost).
  pass_text = u"Populating with accents... <ESC> to abort. Found:";
  const bool placed = doc.reorder(order, [&](int64_t moved) {
    found = moved;
    return job.step(2 * n + found);
  });
  if (!placed) {
    job.abort();
    return list_command_result::aborted;
  }
  job.end(u"OK." + job.elapsed_text());
  return list_command_result::done;
}

list_command_result clone_selected_entry(list_document& doc, const list_member_texts& texts, const list_ask_fn& ask) {
  if (doc.empty()) {
    ask(u"Warning!", texts.none_found, BOX_WARNING);
    return list_command_result::refused;
  }
  if (!doc.has_selection()) {
    ask(u"Warning!", texts.none_selected, BOX_WARNING);
    return list_command_result::refused;
  }
  doc.save_undo();
  doc.mark_changed();
  doc.append(text_t(doc.entry(doc.selected())));
  doc.notify_count_changed();
  return list_command_result::done;
}

bool go_to_list_end(int64_t count, bool bottom, int64_t rows, int64_t& selected, int64_t& first_row) {
  if (count < 1) return false;
  selected = bottom ? count - 1 : 0;
  first_row = list_clamp_first_row(selected, count, rows);
  return true;
}
