// The list commands the main window's buttons run inline on the dictionary,
// the thesaurus and the autocorrect list: Erase all, Sort alphabetically,
// Clone and Go to an end. GUI-free: questions go through an ask function
// and the sort's progress through a long-job host; the window side redraws.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>

// Texts of one editable list; each list's subsystem gives its own.
struct list_member_texts {
  text_t none_found;        // "No dictionary words found."
  text_t none_selected;     // "No dictionary word selected."
  text_t changed_question;  // "The Dictionary has been changed.\n\nContinue?"
  text_t erase_question;    // "Really delete all dictionary words?"
  text_t sort_title;        // "Sorting Dictionary..."
  bool thesaurus_keys = false;
  bool dictionary_entries = false;  // word, "/" flags, LF tags
};

enum class list_command_result {
  done,
  refused,   // a warning was shown (empty list, nothing selected)
  declined,  // a question was not answered Yes
  aborted,   // Escape confirmed during a long job
};

// Erase all: refuses an empty list; asks the changed question when the list
// has unsaved changes (only Yes goes on), then the confirmation (only Yes).
// Takes the undo snapshot, so Undo brings every entry back, then empties the
// list and forgets its path; the document is then unchanged.
list_command_result erase_list_document(list_document& doc, const list_member_texts& texts, const list_ask_fn& ask);

// The sort key of an entry: lower case with accents folded to their base
// letters; for the thesaurus the first "|" becomes TAB, so that a head word
// sorts before the longer head words it begins ("cat|2" before "cat food|1").
text_t list_sort_key(text_view entry, bool thesaurus_keys);

// True when an entry has no word to sort by: an empty head line (the
// TAB-indented comment lines at the top of many .dic files), or for the
// dictionary an entry that starts with its flags. The sort keeps such
// entries at the top in their file order.
bool list_entry_is_wordless(text_view entry, const list_member_texts& texts);

// Sort alphabetically as a long job: keys computed once per entry (polling
// after each), one sort of the keys, then the entries rewritten in order
// (polling after each); wordless entries first, in their order. The undo snapshot is taken first and the document
// is marked changed with nothing selected, also when the job is aborted.
// An abort in either pass leaves the entries exactly as they were, never a
// mix. At the end every mark is cleared and the page is at the top.
// refresh_labels runs once the selection and changed flag are set.
list_command_result sort_list_document(list_document& doc, const list_member_texts& texts, long_job_host& host,
                                       text_view number_separator,
                                       const std::function<void()>& refresh_labels = {});

// Clone: a copy of the selected entry appended at the end, unticked; the
// selection stays on the entry that was cloned. Undoable.
list_command_result clone_selected_entry(list_document& doc, const list_member_texts& texts, const list_ask_fn& ask);

// Go to bottom (last entry) or top (first): the selection and the first
// visible row, kept within the scroll range so the last page shows whole.
// False, nothing changed, when the list is empty.
bool go_to_list_end(int64_t count, bool bottom, int64_t rows, int64_t& selected, int64_t& first_row);
