// Layout for the chosen resolution and the rules of numeric fields.
#pragma once

#include "common/text.h"

#include <cstdint>

// Extra pixels over the 1024 x 600 design for a resolution "W×H":
// percent * (W - 1024) / 100 and percent * (H - 600) / 100 - 10, in integer
// arithmetic truncating toward zero. A text without a "×" counts its missing
// parts as 0.
int64_t scale_extra_width_for(text_view resolution, int64_t percent);
int64_t scale_extra_height_for(text_view resolution, int64_t percent);

// Windows are laid out for window_resolution of the preferences record
// (not the applied one: the Preferences window changes it while it is open).

// Number syntax of the numeric fields: digits, one leading "-", one "."
// not at the start, neither "-" nor "." last, not empty. Integer fields
// allow no "." at all.
bool number_text_malformed(text_view t, bool integers_only);

// True when the text is malformed or its single-precision value lies
// outside min..max (both inclusive).
bool number_text_out_of_range(text_view t, double min, double max);

// The live check of an integer field: the background it should show and
// the value it stands for (min - 1 when malformed, 0 for an empty text that
// is allowed).
enum class number_field_look { normal, invalid, zero_disables };
struct number_field_check {
  number_field_look look;
  int64_t value;
};
number_field_check check_integer_field(text_view t, bool empty_allowed, int64_t min, int64_t max);
