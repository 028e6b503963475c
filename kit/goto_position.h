// The Goto dialog's rules, apart from its window: its title and the
// position a confirmed text stands for.
#pragma once

#include "common/text.h"

#include <cstdint>

// "Goto " + kind + " position (1:" + count + ")", the count without separators.
text_t goto_dialog_title(text_view kind, int64_t count);
// The 0-based index the text asks for, or -1 when it is outside 1..count
// (an empty text counts as 0).
int64_t goto_index_for_text(text_view text, int64_t count);
// "Position must be between 1:" + count.
text_t goto_out_of_range_message(int64_t count);
