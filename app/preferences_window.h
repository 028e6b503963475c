// The Preferences window (323) and the start-up gate that opens it.
#pragma once

#include "kit/tool_registry.h"

#include "dictionary/aff_aid_languages.h"
#include "kit/document_kinds.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"


// Gadgets of window 323.
namespace preferences_ids {
constexpr int HINT_ICON = 324, HINT_LABEL = 325;
constexpr int SAVE_BUTTON = 326, OK_BUTTON = 327, CANCEL_BUTTON = 328;
constexpr int LINES_LIST = 329, LINES_SPIN = 330, LINES_LABEL = 331, PIXELS_SPIN = 332, PIXELS_LABEL = 333;
constexpr int RESOLUTION_FRAME = 334, RES_1280_600 = 335, RES_1440_600 = 336, RES_1280_768 = 337,
              RES_1440_768 = 338, RES_MAXIMUM = 339, RES_MAXIMUM_IMAGE = 340;
// Warning images after the fixed resolutions that do not fit the screen.
constexpr int RES_1280_600_WARNING = 341, RES_1280_768_WARNING = 342, RES_1440_600_WARNING = 343,
              RES_1440_768_WARNING = 344;
constexpr int LT_FRAME = 345, LT_SPIN = 346, LT_LABEL = 347;
constexpr int AFF_AID_FRAME = 348, AFF_AID_COMBO = 349;
constexpr int SEPARATOR_FRAME = 350, SEPARATOR_ENTRY = 351, SEPARATOR_PREVIEW = 352;
constexpr int WARN_FRAME = 353, WARN_SPIN = 354, WARN_LABEL = 355, WARN_IMAGE = 356;
constexpr int FONT_FRAME = 357, FONT_FAMILY = 358, FONT_SIZE = 359, FONT_TEST = 360, FONT_BUTTON = 361;
constexpr int UPDATE_FRAME = 363, UPDATE_MANUAL = 364, UPDATE_DAILY = 365, UPDATE_WEEKLY = 366,
              UPDATE_MONTHLY = 367, UPDATE_LABEL = 368, UPDATE_BUTTON = 369;
constexpr int COLOUR_FRAME = 370, PRIMARY_LABEL = 371, PRIMARY_COMBO = 372, SUFFIX_LABEL = 373,
              SUFFIX_COMBO = 374, PREFIX_LABEL = 375, PREFIX_COMBO = 376, BOTH_COMBO = 377, BOTH_LABEL = 378;
constexpr int AC_FRAME = 379, AC_SPIN = 380, AC_LABEL = 381;
static_assert(ids_in_block(PREFERENCES_BLOCK, {HINT_ICON, HINT_LABEL, SAVE_BUTTON, OK_BUTTON, CANCEL_BUTTON,
                           LINES_LIST, LINES_SPIN, LINES_LABEL, PIXELS_SPIN, PIXELS_LABEL, RESOLUTION_FRAME,
                           RES_1280_600, RES_1440_600, RES_1280_768, RES_1440_768, RES_MAXIMUM,
                           RES_MAXIMUM_IMAGE, RES_1280_600_WARNING, RES_1280_768_WARNING,
                           RES_1440_600_WARNING, RES_1440_768_WARNING, LT_FRAME, LT_SPIN, LT_LABEL,
                           AFF_AID_FRAME, AFF_AID_COMBO, SEPARATOR_FRAME, SEPARATOR_ENTRY, SEPARATOR_PREVIEW,
                           WARN_FRAME, WARN_SPIN, WARN_LABEL, WARN_IMAGE, FONT_FRAME, FONT_FAMILY, FONT_SIZE,
                           FONT_TEST, FONT_BUTTON, UPDATE_FRAME, UPDATE_MANUAL, UPDATE_DAILY, UPDATE_WEEKLY,
                           UPDATE_MONTHLY, UPDATE_LABEL, UPDATE_BUTTON, COLOUR_FRAME, PRIMARY_LABEL,
                           PRIMARY_COMBO, SUFFIX_LABEL, SUFFIX_COMBO, PREFIX_LABEL, PREFIX_COMBO, BOTH_COMBO,
                           BOTH_LABEL, AC_FRAME, AC_SPIN, AC_LABEL}));
}  // namespace preferences_ids

// Modal window 323 over window 0 (Tools > Preferences): it edits the record
// of prefs; OK applies it, Cancel puts it back. The AFF-aid list offers its
// languages (and forgets its remembered item when the language changes).
// The rebuild and repaging go over the lists of kinds.
void show_preferences_window(preferences& prefs, aff_aid_languages& aff_aid, const document_kinds& kinds);

// Tools > Preferences (menu item 90). OK rebuilds the main window when a
// preference changed; the rebuild keeps the tab shown, the editors' texts,
// the lists filled once at load, the file labels and the undo history of
// the paged documents.
void register_preferences_commands(preferences& prefs, aff_aid_languages& aff_aid, const document_kinds& kinds,
                                   tool_registry& tools);

// Start-up, after the main window is built: prefs.first_apply is set; when
// settings/kwx4.prefs is missing, empty, does not start with the "41" line
// or ends early (the last two reported, with ".prefs file invalid." in the
// status bar),
// prefs.first_apply is cleared and the Preferences window opens. Returns 1
// when the gate passed, 0 when the window was shown.
int run_preferences_gate(preferences& prefs, aff_aid_languages& aff_aid, const document_kinds& kinds);
