// The synonym editor's rules, apart from its window: what its two fields
// show for an entry, the checks of OK, the entry OK stores and the meanings
// line counter.
#pragma once

#include "common/text.h"

#include <cstdint>

// Shown in grey in the empty meanings field while it has no focus.
inline constexpr char16_t SYNONYM_USAGE_EXAMPLE[] =
    u"Usage example:\n(noun)|vessel (generic term)|watercraft (generic term)\n(adj)|chromatic (similar term)\n"
    u"(noun)|gravy boat|gravy holder|sauceboat|dish (generic term)\n(verb)|ride (generic term)\n"
    u"(adj)|.45-caliber|.45 calibre|.45-calibre|diameter|diam (related term)";

struct synonym_editor_fields {
  text_t word;      // the head word
  text_t meanings;  // the meaning lines, each followed by LF
};
// Edit: the head word and the entry's N meaning lines, an empty line left out.
synonym_editor_fields synonym_editor_fields_of_entry(text_view entry);

// The head word field turns red: it begins or ends with a space or holds two
// spaces in a row.
bool synonym_word_has_invalid_spaces(text_view word);

enum class synonym_field { word, meanings };
struct synonym_editor_check {
  bool ok = true;
  text_t message;  // for a "Warning!" box
  synonym_field focus = synonym_field::word;
};
// The checks of OK in their order; the first that fails is reported.
// A head word holding "|", TAB or LF would split its header or its line in
// the files and is refused.
synonym_editor_check check_synonym_editor_fields(text_view word, text_view meanings);

// Meaning lines of the text: the LFs, plus one when it does not end with LF.
int64_t synonym_meaning_lines(text_view meanings);
// The entry OK stores: word + "|" + n + LF + the meanings with every CR
// removed and one final LF dropped.
text_t synonym_entry_of_fields(text_view word, text_view meanings);

// The counter's n: 0 for "", else the LFs, or the CRs when there is no LF.
int64_t synonym_counter_lines(text_view meanings);
// "|2/100 lines" with the thousands separator of the preferences.
text_t synonym_counter_text(int64_t lines, text_view separator);
