// The Autocorrect Validate window (786): a log of the checks of the
// autocorrect list against the open dictionary, with Process, Export,
// Clear, Go to bottom, Go to top and Close.
#pragma once

#include "dictionary/dictionary_document.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"

namespace autocorrect_validate_ids {
constexpr int WINDOW = AC_VALIDATE_WINDOW;
constexpr int LOG = 787, PROCESS = 788, PROCESSING_LABEL = 789, PROGRESS = 790, ESCAPE_LABEL = 791,
              RESULT_MARK = 792, CLEAR = 793, EXPORT = 794, GO_BOTTOM = 795, GO_TOP = 796, CLOSE = 797,
              ISSUES_LABEL = 798;
static_assert(ids_in_block(AC_VALIDATE_BLOCK, {WINDOW, LOG, PROCESS, PROCESSING_LABEL, PROGRESS, ESCAPE_LABEL,
                                               RESULT_MARK, CLEAR, EXPORT, GO_BOTTOM, GO_TOP, CLOSE, ISSUES_LABEL}));
}  // namespace autocorrect_validate_ids

// Checks autocorrects, the Autocorrect tab's entries, against dictionary.
void show_autocorrect_validate_window(const list_document& autocorrects, dictionary_document& dictionary,
                                      const preferences& prefs);
