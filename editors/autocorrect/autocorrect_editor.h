// The autocorrect entry editor's rules without its window: the fields of an
// entry, the live look of the fields, the OK checks and the entry they give.
#pragma once

#include "common/text.h"

#include <cstdint>

// ---- Window 428 as the autocorrect editor --------------------------------------------
namespace autocorrect_editor_ids {
constexpr int WINDOW = 428;
constexpr int INCORRECT_IMAGE = 477, INCORRECT_FIELD = 478, CORRECT_IMAGE = 479, CORRECT_FIELD = 480,
              SWAP = 481, OK = 495, CANCEL = 496;
}  // namespace autocorrect_editor_ids

// Text colours of the two fields (red + green * 256 + blue * 65536) and the
// background of a field with invalid spaces.
constexpr int64_t AUTOCORRECT_INCORRECT_COLOUR = 255;
constexpr int64_t AUTOCORRECT_CORRECT_COLOUR = 39168;
constexpr int64_t AUTOCORRECT_INVALID_BACKGROUND = 255;
constexpr int64_t AUTOCORRECT_INVALID_TEXT_COLOUR = 0;

struct autocorrect_fields {
  text_t incorrect;
  text_t correct;
};
// The first and the second line of an entry ("" when it has no LF).
autocorrect_fields autocorrect_fields_of_entry(text_view entry);
text_t autocorrect_entry_of_fields(text_view incorrect, text_view correct);

// A field's text as it may be stored: a TAB, CR or LF (typed or pasted)
// would break the one-pair-per-line file, so all three are removed.
text_t clean_autocorrect_field(text_view text);

// The first failed OK check: its "Warning!" text and the field to focus.
struct autocorrect_editor_check {
  bool ok = true;
  text_t message;
  int focus = 0;
};
autocorrect_editor_check validate_autocorrect_fields(text_view incorrect, text_view correct);
