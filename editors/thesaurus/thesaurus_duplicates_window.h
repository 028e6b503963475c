// "Show/Merge duplicates" of the thesaurus: the scan on the main window,
// then window 523 listing every entry whose head word stands more than once,
// with a preview of its meanings; Display selects an entry in the main list,
// Merge joins each group into one entry, Export writes the list to a file.
#pragma once

#include "common/list_document.h"
#include "common/text.h"
#include "kit/id_blocks.h"

namespace thesaurus_duplicates_ids {
constexpr int WINDOW = DUPLICATES_WINDOW;
constexpr int LIST = 524, DISPLAY = 525, MERGE = 526, EXPORT = 527, CLOSE = 528, FOUND_LABEL = 529,
              PREVIEW_LABEL = 530, PREVIEW = 531;
static_assert(ids_in_block(DUPLICATES_BLOCK,
                           {WINDOW, LIST, DISPLAY, MERGE, EXPORT, CLOSE, FOUND_LABEL, PREVIEW_LABEL, PREVIEW}));
}  // namespace thesaurus_duplicates_ids

// doc: the Thesaurus tab's entries; separator: the thousands separator of
// the counts.
void show_thesaurus_duplicates_window(list_document& doc, text_view separator);
