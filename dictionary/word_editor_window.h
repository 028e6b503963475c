// The Add/Edit word window 428 and its command.
#pragma once

#include "affix/affix_expansion.h"
#include "common/text.h"
#include "dictionary/aff_aid_languages.h"
#include "dictionary/derived_rows.h"
#include "dictionary/dictionary_document.h"
#include "kit/document_kinds.h"
#include "kit/preferences.h"

#include <cstdint>

// Adds a word, or edits the selected dictionary entry. Opens the modal
// window and returns when it is closed; only a valid OK writes.
// The derived-words list is sorted as options say, and remembers it there;
// the window is laid out and coloured by prefs, and its AFF aid offers the
// languages of aff_aid (OK remembers the chosen item there).
void edit_dictionary_word(dictionary_document& dictionary, entry_edit how, derived_words_options& options,
                          const preferences& prefs, aff_aid_languages& aff_aid);

// The dictionary kind's Add and Edit, which the Add and Edit buttons, popup
// items 503 and 507, Ctrl+A and the double click on the dictionary list run;
// the editor keeps its sort of derived words in options.
void register_word_editor_commands(dictionary_document& dictionary, derived_words_options& options,
                                   const preferences& prefs, aff_aid_languages& aff_aid, list_entry_commands& entries);

// The row type colours of the derived-word lists, from the applied
// preferences' affix colours.
row_type_colours preferred_row_type_colours(const preferences_kwx4& applied);

// The manual's section of the word editor (F1).
inline constexpr char16_t word_editor_manual_anchor[] = u"#5.2.1.add_edit_word";

// Set by the editor's callbacks inside GUI signals while an expansion runs:
// 1 the word changed, 2 OK clicked, 3 Cancel or Escape. The expansion's
// stop test reads it; the editor clears it when an expansion starts and when
// the window closes.
extern int64_t pending_word_editor_action;

// The image number each indicator of the open editor shows (the Taboo image
// 438 and the special-flag images 153..158); 0 when none was set.
int word_editor_indicator_image(int gadget);
