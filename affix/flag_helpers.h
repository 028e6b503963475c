// Operations on the flag string and the word part of a dictionary entry,
// shared by the dictionary tools (sort flags, duplicates, merge, the -ise/-ize
// conversions). Flags are split by the FLAG mode of the decode cache; empty
// flags (FLAG num "12,,7") are no flags. The classification looks sets up in
// the cache.
#pragma once

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"
#include "common/text.h"

#include <cstdint>

// 1 when two flags of the string are equal.
int64_t has_duplicate_flags(const aff_decode_cache& cache, text_view flags);
// The flags with repeats removed, first occurrences kept in input order.
text_t remove_duplicate_flags(const aff_decode_cache& cache, text_view flags);
// b with every flag of a that b lacks put in front (so a = AB, b = X gives BAX).
text_t merge_flag_strings(const aff_decode_cache& cache, text_view a, text_view b);

// Affix class of a flag string: "0" no flags, "1" suffixes, "2" prefixes,
// "3" both, "5" a suffix set declared N, "6" AF aliases, "7" KEEPCASE only,
// "" nothing recognised.
text_t classify_word_affixes(const aff_decode_cache& cache, text_view flags);
// Name of a class code as the duplicates list shows it ("Unknown" for any
// other code) and its text colour (0xBBGGRR, -1 default): the classes of
// no flags, suffixes and prefixes take the colours of those row types.
text_t affix_class_name(text_view code);
int32_t affix_class_colour(text_view code, const row_type_colours& colours);

// The word of an entry with its escapes kept; "" when its word and flags
// start with "/" or hold " /".
text_t get_dic_word_part(text_view entry);
// word, "/" + flags when flags are not empty, LF + tags when tags are not empty.
text_t compose_dic_entry(text_view word, text_view flags, text_view tags);
