// The charsets a file can declare, as the field's readers name them (a .aff's
// SET line, the first line of a pattern file or of a thesaurus .dat), and
// the decoding of their bytes. ISO8859-1 is FORMAT_ASCII, one byte per unit;
// the other 8-bit charsets decode through a table of their upper halves.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <string_view>

// The file format a declared name stands for: FORMAT_UTF8, FORMAT_ASCII for
// ISO8859-1, FORMAT_ISO8859_2 ... (common/file.h). Any case, with or without
// the hyphen after ISO ("ISO8859-2", "ISO-8859-2", "iso_8859-2"), the other
// spellings of cp1251 ("microsoft-cp1251", "windows-1251") and of TIS-620;
// blanks and a CR around the name are ignored. 0 when it cannot be decoded.
int charset_format_by_name(text_view name);

// The name the program shows for a format it reads by a declaration:
// "UTF-8", "ISO8859-1", "ISO8859-2", ..., "KOI8-R", "microsoft-cp1251",
// "TIS620-2533"; "" for a format that is no such charset (UTF-16, ...).
text_t charset_name(int format);

// True for the 8-bit formats decoded by a table (every declared charset but
// UTF-8 and ISO8859-1).
bool is_table_charset(int format);

// The unit byte b (0x80..0xFF) stands for in a table charset; U+FFFD where
// the charset leaves the byte undefined.
char16_t charset_upper_unit(int format, unsigned char b);

// Decodes bytes of a table charset into out, replacing what it held and
// reusing its room; a zero byte reads as U+FFFD (a text holds no zero unit).
void decode_table_charset_into(text_t& out, std::string_view bytes, int format);

// The first SET line of a .aff text at or after offset from: a line whose
// first field (blanks before it allowed) is "SET", as Hunspell reads the
// keyword. value is the field after it ("" when the line names nothing),
// line its 1-based number counted from the start of the text; found false
// when there is none.
struct aff_set_line {
  bool found = false;
  size_t line_start = 0;   // offset of the line
  size_t value_start = 0;  // offset of the value
  text_view value;
  int64_t line = 0;
};
aff_set_line find_aff_set_line(text_view aff_text, size_t from = 0);
