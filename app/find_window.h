// The Find window 412: searches the Dictionary, Thesaurus, Hyphenation or
// Autocorrect list and displays, edits or deletes what it found.
#pragma once

#include "common/text.h"
#include "kit/document_kinds.h"
#include "kit/find_search.h"
#include "kit/id_blocks.h"

#include <cstdint>

namespace find_ids {
constexpr int FIND_PROGRESS = 413, FIND_ENTRY = 414, FIND_CLEAR = 415, FIND_BUTTON = 416, FIND_CLOSE = 417,
              FIND_MATCH_CASE = 418, FIND_MATCH_EXTRA = 419, FIND_LEFT_MATCH = 420, FIND_RESULTS = 421,
              FIND_DISPLAY = 422, FIND_FOUND_LABEL = 423, FIND_ESCAPE_LABEL = 424, FIND_POPUP = 425,
              FIND_POPUP_EDIT = 426, FIND_POPUP_DELETE = 427;
static_assert(ids_in_block(FIND_BLOCK, {FIND_PROGRESS, FIND_ENTRY, FIND_CLEAR, FIND_BUTTON, FIND_CLOSE,
                                        FIND_MATCH_CASE, FIND_MATCH_EXTRA, FIND_LEFT_MATCH, FIND_RESULTS,
                                        FIND_DISPLAY, FIND_FOUND_LABEL, FIND_ESCAPE_LABEL, FIND_POPUP,
                                        FIND_POPUP_EDIT, FIND_POPUP_DELETE}));
}  // namespace find_ids

// Over the list of a searchable kind (document_kinds.h); its entry
// commands edit and delete what was found. The window starts with the last
// search text and options and leaves its own in last (kept for the run of
// the program). The counts use the separator.
void show_find_window(const document_kind& kind, find_options& last, text_view separator);
