// The AFF Validate window (752): the .aff text as numbered lines that the
// user edits with one level of undo and redo, validates (Process) and
// writes back to the .aff editor on OK.
#pragma once

#include "dictionary/dictionary_document.h"
#include "kit/tool_registry.h"

#include "common/text.h"
#include "kit/id_blocks.h"
#include "kit/preferences.h"

namespace aff_validate_ids {
constexpr int WINDOW = AFF_VALIDATE_WINDOW;
constexpr int LOG = 753, LINES = 754, PROCESS = 755, CLEAR_LOG = 756, REFRESH = 757;
constexpr int STEP_LABEL = 758, PERCENT_LABEL = 759, PROGRESS = 760, LOG_BOTTOM = 761, LOG_TOP = 762;
constexpr int CLEAR_LINES = 763, LINES_BOTTOM = 764, LINES_TOP = 765;
constexpr int LOAD_PROGRESS = 766, LOAD_TIME = 767, LOAD_ESCAPE = 768;
constexpr int UNDO = 769, REDO = 770, GOTO = 771, TIME_LABEL = 772, ESCAPE_LABEL = 773;
constexpr int CANCEL = 774, OK = 775, FOUND = 776, CHANGED_MARK = 777, SELECTED = 778;
// The line editor dialog.
constexpr int EDIT_DIALOG = AFF_VALIDATE_LINE_DIALOG;
constexpr int EDIT_OLD_IMAGE = 780, EDIT_OLD = 781, EDIT_NEW_IMAGE = 782, EDIT_NEW = 783;
constexpr int EDIT_OK = 784, EDIT_CANCEL = 785;
// Popup menu of the lines.
constexpr int POPUP = 513, ADD_ABOVE = 514, ADD_BELOW = 515, EDIT = 516, CLONE_BELOW = 517;
constexpr int SELECT_ALL = 518, SELECT_NONE = 519, INVERT = 520, DELETE_SELECTED = 521, DELETE_LINE = 522;
// Saves the log to a file.
constexpr int SAVE_REPORT = 884;

static_assert(ids_in_block(AFF_VALIDATE_BLOCK, {WINDOW, LOG, SELECTED, EDIT_DIALOG, EDIT_CANCEL}));
static_assert(ids_in_block(AFF_VALIDATE_POPUP_BLOCK, {POPUP, DELETE_LINE}));
static_assert(ids_in_block(AFF_VALIDATE_POPUP_ITEMS_BLOCK, {ADD_ABOVE, DELETE_LINE}));
static_assert(ids_in_block(AFF_VALIDATE_REPORT_BLOCK, {SAVE_REPORT}));
}  // namespace aff_validate_ids

// Opens the window over the .aff editor's text, laid out for the resolution;
// returns when it has closed.
void show_aff_validate_window(dictionary_document& dictionary, text_view resolution);

// The manual's section of the window (F1).
inline constexpr char16_t aff_validate_manual_anchor[] = u"#5.2.5.1.aff_validate";

// Dictionary Tools > AFF Validate: the decode cache rebuilt with the main
// window's controls off, then the window.
void register_aff_validate_commands(dictionary_document& dictionary, const preferences& prefs, tool_registry& tools);
