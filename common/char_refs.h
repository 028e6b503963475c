// Numeric character references of XML ("&#233;", "&#xE9;"), decoded as
// whole code points: above U+FFFF they become a surrogate pair. A reference
// that is not well formed (no digits, a letter among the digits, no ";"),
// that names no character (0, a surrogate, above U+10FFFF) stays as it
// stands. One pass from left to right: the text a reference turns into is
// never read again, so "&#38;#233;" gives "&#233;".
#pragma once

#include "common/text.h"

#include <cstddef>

// The code point of the reference that starts at s[at] ("&#"), and its
// length in units through the ";"; false when there is none there.
bool parse_numeric_char_ref(text_view s, size_t at, char32_t& code_point, size_t& length);
text_t decode_numeric_char_refs(text_view s);
