// The statistics window: the count lists, the pie chart of the word types,
// the remembered total, the export, and the window of the entries of one
// type with their forms.
#pragma once

#include "dictionary/dictionary_document.h"
#include "dictionary/dictionary_statistics.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

namespace statistics_ids {
constexpr int WINDOW = STATISTICS_WINDOW;
constexpr int TYPE_LIST = 535, LETTERS_LEFT = 536, LETTERS_RIGHT = 537, CHART = 538, PROGRESS = 539,
              TIME_LABEL = 540, ESCAPE_LABEL = 541, EXPORT = 542, CLOSE = 543, TOTAL_LABEL = 544, TOTAL = 545,
              COPY_TOTAL = 546, TOTAL_TO_REFERENCE = 547, REFERENCE = 548, REMEMBER = 549, FORGET = 550,
              NEW_WORDS = 551, COPY_NEW_WORDS = 552, COPY_NEW_COUNT = 553, NEW_WORDS_IMAGE = 554,
              REMEMBERED_LABEL = 555, COPY_REMEMBERED_LABEL = 556, POPUP = 557, POPUP_SHOW = 558,
              POPUP_EXTRACT = 559, POPUP_EXTRACT_FLAGS = 560;
static_assert(ids_in_block(STATISTICS_BLOCK, {WINDOW, TYPE_LIST, LETTERS_RIGHT, CHART, ESCAPE_LABEL, EXPORT,
                                              COPY_REMEMBERED_LABEL, POPUP}));
static_assert(ids_in_block(STATISTICS_POPUP_ITEMS_BLOCK, {POPUP, POPUP_SHOW, POPUP_EXTRACT, POPUP_EXTRACT_FLAGS}));
}  // namespace statistics_ids

namespace statistics_words_ids {
constexpr int WINDOW = STATISTICS_WORDS_WINDOW;
constexpr int LIST = 562, EXTRACT = 563, EXTRACT_FLAGS = 564, CLOSE = 565, PREVIEW_LABEL = 566, PREVIEW = 567,
              PROGRESS = 568, TIME_LABEL = 569, ESCAPE_LABEL = 570;
static_assert(ids_in_block(STATISTICS_WORDS_BLOCK, {WINDOW, LIST, EXTRACT, CLOSE, PREVIEW, ESCAPE_LABEL}));
}  // namespace statistics_words_ids

// The menu command: the pass on the main window, then the window, which
// shows and remembers the reference total of options; the counts use the
// separator of prefs, which also give the size that asks before extracting.
void show_dictionary_statistics(dictionary_document& dictionary, statistics_options& options, const preferences& prefs);
void register_statistics_commands(dictionary_document& dictionary, statistics_options& options, const preferences& prefs,
                                  tool_registry& tools);
