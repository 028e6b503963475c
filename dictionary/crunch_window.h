// The Crunch window 833: the seventeen suffix flags to try, the match-left
// count, Process and the list of the folded entries.
#pragma once

#include "affix/crunch.h"
#include "dictionary/dictionary_document.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"
#include "kit/tool_registry.h"

#include <array>
#include <cstdint>

namespace crunch_ids {
constexpr int CRUNCH_PROGRESS = 834, CRUNCH_PROCESS = 836, CRUNCH_CLOSE = 837, CRUNCH_FRAME = 838,
              CRUNCH_FIRST_OPTION = 839, CRUNCH_LAST_OPTION = 855, CRUNCH_ALL = 856, CRUNCH_NONE = 857,
              CRUNCH_LIST = 858, CRUNCH_FOUND_LABEL = 860, CRUNCH_TIME_LABEL = 861, CRUNCH_ESCAPE_LABEL = 862,
              CRUNCH_STEP_LABEL = 863, CRUNCH_MATCH_CAPTION = 864, CRUNCH_MATCH_SLIDER = 865,
              CRUNCH_MATCH_LABEL = 866, CRUNCH_USED_CAPTION = 867, CRUNCH_USED_COUNT = 868, CRUNCH_USED_FLAGS = 869;
static_assert(CRUNCH_LAST_OPTION - CRUNCH_FIRST_OPTION + 1 == CRUNCH_OPTION_COUNT);
static_assert(ids_in_block(CRUNCH_BLOCK,
                           {CRUNCH_PROGRESS, CRUNCH_PROCESS, CRUNCH_CLOSE, CRUNCH_FRAME, CRUNCH_FIRST_OPTION,
                            CRUNCH_LAST_OPTION, CRUNCH_ALL, CRUNCH_NONE, CRUNCH_LIST, CRUNCH_FOUND_LABEL,
                            CRUNCH_TIME_LABEL, CRUNCH_ESCAPE_LABEL, CRUNCH_STEP_LABEL, CRUNCH_MATCH_CAPTION,
                            CRUNCH_MATCH_SLIDER, CRUNCH_MATCH_LABEL, CRUNCH_USED_CAPTION, CRUNCH_USED_COUNT,
                            CRUNCH_USED_FLAGS}));
}  // namespace crunch_ids

// Folds the dictionary's entries with the cache of its .aff text. The window
// shows and changes settings, kept for the run of the program (not saved);
// its counts use the separator. Past decode_warning_limit words held (0:
// never) the run asks whether to stop.
void show_crunch_words_window(dictionary_document& dictionary, crunch_settings& settings, text_view separator,
                              int64_t decode_warning_limit = 0);
void register_crunch_commands(dictionary_document& dictionary, crunch_settings& settings, const preferences& prefs,
                             tool_registry& tools);
