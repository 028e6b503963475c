// The "Import places/people names with possessives" window: pasted text
// in, the names added to the dictionary with the possessive flag in the log
// (tools/possessive_names.h).
#pragma once

#include "kit/tool_registry.h"

#include "dictionary/dictionary_document.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"

namespace possessive_names_ids {
constexpr int WINDOW = POSSESSIVE_NAMES_WINDOW;
constexpr int INPUT = 708, LOG = 709, PROCESS = 710, CLEAR = 711, INPUT_BOTTOM = 712, INPUT_TOP = 713;
constexpr int LOG_BOTTOM = 714, LOG_TOP = 715, FLAG_LABEL = 716, FLAG = 717, PROCESSING_LABEL = 718,
              ESCAPE_LABEL = 719, CLOSE = 720, FOUND_LABEL = 721, LOG_INDEX = 722, LOG_START = 723;
constexpr int REMOVE_LABEL = 724, REMOVE_1 = 725, REMOVE_2 = 726;
static_assert(ids_in_block(POSSESSIVE_NAMES_BLOCK, {INPUT, LOG_TOP, FLAG, CLOSE, LOG_START, REMOVE_2}));
}  // namespace possessive_names_ids

// The names go into the dictionary with a flag checked against the FLAG
// mode of its .aff text.
void show_possessive_names_window(dictionary_document& dictionary, const preferences& prefs);
void register_possessive_names_commands(dictionary_document& dictionary, const preferences& prefs,
                                        tool_registry& tools);
