// The Add/Edit synonym window (number 428, which the word and autocorrect
// editors share: one of them is open at a time) and its command.
#pragma once

#include "kit/document_kinds.h"

#include "common/list_document.h"
#include "common/text.h"
#include "kit/ids.h"
#include "kit/preferences.h"

#include <cstdint>

namespace synonym_editor_ids {
constexpr int WINDOW = ENTRY_EDITOR_WINDOW;
constexpr int WORD_LABEL = 429, WORD_FIELD = 430, MEANINGS_LABEL = 431, COUNTER = 432, MEANINGS = 433;
constexpr int OK = 495, CANCEL = 496;
}  // namespace synonym_editor_ids

// Colours of the editor (red + green * 256 + blue * 65536).
constexpr int SYNONYM_EXAMPLE_GREY = 8421504;
constexpr int SYNONYM_INVALID_RED = 255;

// Adds an entry at the end of the thesaurus's entries, or edits the
// selected one. Opens the modal window and returns when it is closed; only a
// valid OK writes. The window is laid out and counts by prefs.
void edit_synonym(list_document& synonyms, const preferences& prefs, entry_edit how);

// The thesaurus kind's Add and Edit, which the Add and Edit buttons, popup
// items 503 and 507, Ctrl+A and the double click on the thesaurus list run,
// on the given entries.
void register_synonym_editor_commands(list_document& synonyms, const preferences& prefs, list_entry_commands& entries);

// F1 opens the manual at its start.
inline constexpr char16_t synonym_editor_manual_anchor[] = u"";
