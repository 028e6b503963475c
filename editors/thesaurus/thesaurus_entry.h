// A thesaurus entry: one string whose first line is the header (the head
// word, "|", the meaning count N) and whose next N lines are the meanings,
// each as the .dat holds it. The header is kept exactly as read.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <vector>

// No entry of the editor holds more meanings than this.
inline constexpr int64_t THESAURUS_MEANING_LIMIT = 100;

// The first line of an entry.
text_view thesaurus_header(text_view entry);
// The header up to (not including) its first "|"; "" when it has none.
text_view thesaurus_head_word(text_view header);
// The header up to and including its first "|"; "" when it has none (the
// text before the offset on an .idx line).
text_view thesaurus_index_word(text_view header);
// N: the integer at the start of the header's second "|" field, 0 when the
// header has no "|" (ship|3|x gives 3).
int64_t thesaurus_meaning_count(text_view header);
// Lines 2 .. N + 1 of the entry, N from its header: a line the entry lacks
// is empty, lines beyond N + 1 are left out.
std::vector<text_view> thesaurus_meanings(text_view entry);
