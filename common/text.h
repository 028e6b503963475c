// Text values and their helpers.
//
// The program's text is UTF-16 (std::u16string): lengths, positions and
// limits count code units, positions are 1-based and 0 means "not found".
// UTF-8 is used only at the borders (files, file names, GTK, regular
// expressions, URLs).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

using text_t = std::u16string;
using text_view = std::u16string_view;

// ---- UTF-8 borders ---------------------------------------------------------
// A lone surrogate encodes as U+FFFD; an invalid UTF-8 sequence decodes as
// U+FFFD; a zero byte ends the text (a text cannot hold a zero unit).
std::string to_utf8(text_view s);
text_t from_utf8(std::string_view s);
// The same into out, reusing its room (a reader decoding line after line).
void from_utf8_into(text_t& out, std::string_view s);
// Appends the UTF-8 form of s to out (no allocation of a temporary).
void append_utf8(std::string& out, text_view s);
// True when every byte sequence is well-formed UTF-8.
bool is_valid_utf8(std::string_view s);
// What bytes read as UTF-8 hold: well-formed sequences of two or more bytes,
// invalid sequences (each maximal invalid part once, an incomplete sequence
// at the end included) and the offset of the first invalid byte.
struct utf8_survey {
  size_t multibyte = 0;
  size_t invalid = 0;
  size_t first_invalid = std::string_view::npos;
};
utf8_survey survey_utf8(std::string_view s);
// One byte per unit (Latin-1) and back; units above 255 keep the low byte.
text_t from_latin1(std::string_view s);
std::string to_latin1(text_view s);

// ---- Comparison ------------------------------------------------------------
int64_t string_length(text_view s);
bool string_equal(text_view a, text_view b);
bool string_less(text_view a, text_view b);     // unsigned units
bool string_greater(text_view a, text_view b);

// ---- Finding and counting --------------------------------------------------
int64_t string_find(text_view s, text_view search);
int64_t string_find_from(text_view s, text_view search, int64_t start);
// mode 1: case-insensitive (each unit lower-cased); 0: case-sensitive.
int64_t string_find_ex(text_view s, text_view search, int64_t start, int mode);
int64_t string_count_occurrences(text_view s, text_view sub);
text_t string_nth_field(text_view s, int64_t index, text_view separator);

// ---- Replacing ---------------------------------------------------------------
text_t string_replace(text_view s, text_view find, text_view replacement);
// mode 1: case-insensitive; count -1: all occurrences from start.
text_t string_replace_ex(text_view s, text_view find, text_view replacement,
                         int mode, int64_t start, int64_t count);
// In-place replacement of up to count occurrences of a same-length text
// (the entry codec turns the first LF into a TAB this way).
void string_replace_in_place(text_t& s, text_view find, text_view replacement,
                             int64_t start, int64_t count);
text_t string_replace_mode(text_view s, text_view find, text_view replacement, int mode);
text_t string_remove_all(text_view s, text_view sub);
// Every unit that is one of units removed (e.g. u"\t\r\n" for a one-line field).
text_t string_remove_units(text_view s, text_view units);

// ---- Parts -------------------------------------------------------------------
text_t string_head(text_view s, int64_t n);
text_t string_tail(text_view s, int64_t n);
text_t string_substring(text_view s, int64_t start, int64_t length);
text_t string_substring_to_end(text_view s, int64_t start);
text_t string_insert(text_view s, text_view insertion, int64_t position);

// ---- Trimming and case -----------------------------------------------------
text_t string_trim_spaces(text_view s);
text_t string_trim_char(text_view s, text_view c);
text_t string_trim_left_char(text_view s, text_view c);
text_t string_trim_right_char(text_view s, text_view c);
// Unicode simple case mapping, unit by unit, the same in every locale.
char16_t unit_to_lower(char16_t u);
char16_t unit_to_upper(char16_t u);
text_t string_to_lower(text_view s);
text_t string_to_upper(text_view s);

text_t string_of_spaces(int64_t n);
int string_first_char_code(text_view s);
text_t string_from_char_code(int64_t code);

// ---- Numbers -------------------------------------------------------------------
int64_t string_to_int(text_view s);
text_t string_from_int(int64_t v);
float string_to_float(text_view s);
text_t string_from_float(int decimals, float v);
text_t string_format_number(int decimals, text_view point, text_view separator, double v);
// mode 0 down, 1 up, 2 nearest with halves away from zero.
double math_round(double v, int mode);
double math_abs(double v);

// Convenience for literals held as UTF-8 in the source.
inline text_t T(const char* utf8) { return from_utf8(utf8); }
