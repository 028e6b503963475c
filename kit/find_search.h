// The search of the Find window over one of the main lists: the
// dictionary (also for the Hyphenation tab, which lists its words), the
// thesaurus or the autocorrect list. GUI-free; the window shows the rows.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <vector>

// How a row shows an entry: the dictionary's with its line feed as an
// arrow, the thesaurus' head line, the autocorrect entry as it is searched.
enum class find_list { dictionary, thesaurus, autocorrect };

// What the Find window needs of a list's entries.
struct find_entry_reader {
  find_list shown = find_list::dictionary;
  // How many lines after the head line Match extra searches, read from the
  // head line (the thesaurus: its meaning count); every line when empty.
  std::function<int64_t(text_view head_line)> extra_line_count;
};

struct find_options {
  text_t text;
  bool left_match = true;   // the text must start the entry's first part
  bool match_case = false;
  bool match_extra = true;  // also the tags, meanings or correct text
};

struct find_row {
  text_t shown;      // the entry with its line feed as "→"; the thesaurus' head line
  int64_t position;  // 1-based index in the list
  text_t percent;    // "% Match"
  bool changed = false;
};

struct find_result {
  std::vector<find_row> rows;
  bool aborted = false;  // the rows found so far stay
};

// What a row shows of an entry.
text_t find_shown_text(find_list kind, text_view entry);

// Searches every entry as a long job (one step per entry); each match is
// appended and passed to on_row with the count found so far.
find_result find_in_list(const list_document& doc, const find_entry_reader& reader, const find_options& options,
                         long_job_host& host,
                         const std::function<void(const find_row&, int64_t found)>& on_row = {});

// After the entry at position removed (1-based) left the list: its row goes,
// the rows after it show their position minus one. The selected row (-1
// none) stays on the same index when a row follows, moves up when the last
// row went, and becomes -1 when no rows remain; a selection after the removed
// row moves up with it.
void remove_find_row(std::vector<find_row>& rows, int64_t position, int64_t& selected_row);

// The list's selected entry after the entry at index removed (0-based) left
// it: an entry after it moves up one, the removed entry itself is no longer
// selected (-1).
int64_t selection_after_removal(int64_t selected, int64_t removed);
