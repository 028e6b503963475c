// The Show/Merge/Delete duplicates .DIC window 577 and the two inline
// duplicates tools of the Dictionary Tools menu (the duplicates word list
// window 523 and Sort tags .AFF).
#pragma once

#include "dictionary/dictionary_document.h"
#include "dictionary/dictionary_duplicates.h"
#include "kit/id_blocks.h"
#include "kit/ids.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

namespace dictionary_duplicates_ids {
constexpr int WINDOW = DICTIONARY_DUPLICATES_WINDOW;
constexpr int LIST = 578, SCAN = 579, EXPORT = 580, WORDS_LABEL = 581, WORDS_COUNT = 582, FLAGS_LABEL = 583,
              FLAGS_COUNT = 584, PROGRESS = 585, TIME_LABEL = 586, ESCAPE_LABEL = 587, INDICATORS_LABEL = 588,
              OPTIONS_FRAME = 589, IGNORE_TAGS = 590, TWOFOLD = 591, SAME_CLASS = 592, SPECIAL_PRIMARY = 593,
              PROCESS = 594, REMEMBER = 595, LOG = 596, CLEAR_LOG = 597, LOG_BOTTOM = 598, LOG_TOP = 599,
              CANCEL = 600, OK = 601;
static_assert(ids_in_block(DICTIONARY_DUPLICATES_BLOCK, {WINDOW, LIST, PROCESS, LOG, CANCEL, OK}));
// The special-flag indicators share the word editor's numbers: the two
// windows are never open together.
constexpr int KEEPCASE = 153, FLAG_MODE = 158;
static_assert(ids_in_block(WORD_EDITOR_FLAGS_BLOCK, {KEEPCASE, FLAG_MODE}));
}  // namespace dictionary_duplicates_ids

namespace wordlist_duplicates_ids {
constexpr int WINDOW = DUPLICATES_WINDOW;
constexpr int LIST = 524, EXPORT = 527, CLOSE = 528, FOUND_LABEL = 529;
static_assert(ids_in_block(DUPLICATES_BLOCK, {WINDOW, LIST, EXPORT, CLOSE, FOUND_LABEL}));
}  // namespace wordlist_duplicates_ids

// Opens window 577 over window 0 and returns when it is closed: OK keeps
// what Process did, Cancel, Escape and the close box put the dictionary back.
// The window is laid out, coloured and counts by prefs.
void show_dictionary_duplicates_window(dictionary_document& dictionary, duplicates_options& options,
                                       const preferences& prefs);
// Show/Delete duplicates wordlist on window 0, then window 523 with the list;
// prefs give the size that asks before going on and the separator.
void show_duplicates_wordlist(dictionary_document& dictionary, const preferences& prefs);
// Sort tags .AFF on window 0.
void sort_aff_tags_command(dictionary_document& dictionary);

// The three tools' commands; the window remembers its check boxes in options.
void register_dictionary_duplicates_commands(dictionary_document& dictionary, duplicates_options& options,
                                             const preferences& prefs, tool_registry& tools);
