// Text inside XML files the program reads and writes line by line (the
// autocorrect block lists, AutoText entries): escaping for attribute values
// and decoding of entity and character references.
#pragma once

#include "common/text.h"

#include <cstdint>

// The value as it may stand between double quotes: "&", "<", ">" and the
// double quote become entities; TAB, CR and LF become character references,
// so a parser reads them back as they were and a line-based reader never
// sees a line break inside a value.
text_t xml_escape_attribute(text_view s);

// The five predefined entities and decimal ("&#233;") and hexadecimal
// ("&#xE9;") character references decoded in one pass (nothing is decoded
// twice: "&amp;lt;" gives "&lt;"). A code point above U+FFFF becomes a
// surrogate pair. A reference that is not well formed, or names a character
// XML does not allow ("&#0;", a surrogate), stays as it stands.
text_t xml_decode_references(text_view s);
// The same for the character references alone; entities stay as they stand.
text_t xml_decode_character_references(text_view s);

// The code point of one character reference's body between "&" and ";"
// ("#233", "#xE9"); 0 when it is not well formed or names a character XML
// does not allow.
uint32_t xml_character_reference(text_view body);
// Appends the code point as one unit or, above U+FFFF, a surrogate pair.
void append_code_point(text_t& out, uint32_t code);

// The text with its XML comments ("<!-- ... -->") removed, for readers that
// go line by line: in_comment carries a comment that is still open at the
// end of one piece over to the next.
text_t xml_remove_comments(text_view s, bool& in_comment);
