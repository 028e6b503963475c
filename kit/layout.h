// Layout for the chosen resolution, the pixel sizes of gadgets and the rules
// of numeric fields.
#pragma once

#include "common/text.h"

#include <cstdint>

// Layout constants (pixels), read by every window builder.
constexpr int64_t image_button_width = 44;
constexpr int64_t image_button_height = 44;
constexpr int64_t chained_image_button_width = 44;
constexpr int64_t chained_image_button_height = 44;
constexpr int64_t button_width = 100;
constexpr int64_t narrow_button_width = 70;
constexpr int64_t button_height = 28;
constexpr int64_t text_gadget_height = 18;
constexpr int64_t string_gadget_height = 24;
constexpr int64_t combo_box_height = 26;
constexpr int64_t check_box_height = 21;
constexpr int64_t option_gadget_height = 21;
constexpr int64_t spin_gadget_height = 31;
constexpr int64_t progress_bar_width = 158;
constexpr int64_t progress_bar_height = 8;
constexpr int64_t icon_text_offset = 11;
// Used only by the Autocorrect Validate and Crunch windows.
constexpr int64_t small_icon_width = 14;
constexpr int64_t small_icon_height = 14;
constexpr int64_t step_icon_size = 24;

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
