// The -ise/-ize window 602: converts the GB/ZA dictionary to its -ise or
// -ize spellings, removes GB-specific words, and edits, saves and exports
// the exception list.
#pragma once

#include "affix/gbza_variants.h"
#include "dictionary/dictionary_document.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

#include <cstdint>

namespace gbza_ids {
constexpr int GBZA_PROGRESS = 603, GBZA_ESCAPE_LABEL = 604, GBZA_EXCEPTIONS_CAPTION = 605, GBZA_TO_ISE = 606,
              GBZA_TO_IZE = 607, GBZA_EXCEPTIONS = 608, GBZA_EXCEPTIONS_CLEAR = 609, GBZA_EXCEPTIONS_REMEMBER = 610,
              GBZA_EXCEPTIONS_EXPORT = 611, GBZA_EXCEPTIONS_DEDUPLICATE = 612, GBZA_EXCEPTIONS_SORT = 613,
              GBZA_EXCEPTIONS_COPY = 614, GBZA_REMOVE_GB = 615, GBZA_GB_WORDS = 616, GBZA_GB_CLEAR = 617,
              GBZA_GB_SAVE = 618, GBZA_PANEL = 619, GBZA_LOG = 620, GBZA_LOG_CLEAR = 621, GBZA_LOG_COPY = 622,
              GBZA_LOG_BOTTOM = 623, GBZA_LOG_TOP = 624, GBZA_ARROW = 625, GBZA_FLAG_IMAGE = 626,
              GBZA_VARIANT_FIRST = 627, GBZA_VARIANT_LAST = 634, GBZA_OK = 635, GBZA_CANCEL = 636;
static_assert(ids_in_block(GBZA_VARIANT_BLOCK,
                           {GBZA_PROGRESS, GBZA_ESCAPE_LABEL, GBZA_EXCEPTIONS_CAPTION, GBZA_TO_ISE, GBZA_TO_IZE,
                            GBZA_EXCEPTIONS, GBZA_EXCEPTIONS_CLEAR, GBZA_EXCEPTIONS_REMEMBER, GBZA_EXCEPTIONS_EXPORT,
                            GBZA_EXCEPTIONS_DEDUPLICATE, GBZA_EXCEPTIONS_SORT, GBZA_EXCEPTIONS_COPY, GBZA_REMOVE_GB,
                            GBZA_GB_WORDS, GBZA_GB_CLEAR, GBZA_GB_SAVE, GBZA_PANEL, GBZA_LOG, GBZA_LOG_CLEAR,
                            GBZA_LOG_COPY, GBZA_LOG_BOTTOM, GBZA_LOG_TOP, GBZA_ARROW, GBZA_FLAG_IMAGE,
                            GBZA_VARIANT_FIRST, GBZA_VARIANT_LAST, GBZA_OK, GBZA_CANCEL}));
}  // namespace gbza_ids

// The window shows and keeps the lists and the tab of options; it is laid
// out for the resolution.
void show_gbza_variant_window(dictionary_document& dictionary, gbza_options& options, text_view resolution);
void register_gbza_variant_commands(dictionary_document& dictionary, gbza_options& options, const preferences& prefs,
                                    tool_registry& tools);
