// "Show/Delete/XDelete duplicates" of the autocorrect list: the scan on the
// main window, then window 523 listing each repeated incorrect text with its
// number of pairs, where Delete keeps one pair of each, XDelete none, and
// Export writes the list to a text file.
#pragma once

#include "common/list_document.h"
#include "common/text.h"
#include "kit/id_blocks.h"

namespace autocorrect_duplicates_ids {
constexpr int WINDOW = DUPLICATES_WINDOW;
constexpr int LIST = 524, EXPORT = 527, CLOSE = 528, FOUND_LABEL = 529, DELETE = 532, XDELETE = 533;
static_assert(ids_in_block(DUPLICATES_BLOCK, {WINDOW, LIST, EXPORT, CLOSE, FOUND_LABEL, DELETE, XDELETE}));
}  // namespace autocorrect_duplicates_ids

// doc: the Autocorrect tab's entries; separator: the thousands separator of
// the counts.
void show_autocorrect_duplicates_window(list_document& doc, text_view separator);
