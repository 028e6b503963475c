// The derived-words panel of the word editor (window code): list 442 and its
// popup, Match, the sort controls, the summary lists, the .AFF view, the
// unknown-flag fields, the special-flag indicators and the AFF aid.
#pragma once

#include "affix/affix_expansion.h"
#include "dictionary/derived_rows.h"
#include "dictionary/word_editor.h"

#include <cstdint>

struct preferences;
struct aff_aid_languages;

// The rows of the editor's last expansion (list 442 shows them) and what it
// reported (unknown flags, the special-flag indicators).
extern derived_rows_sink word_editor_rows;
extern expansion_report word_editor_report;

// Builds the panel inside window 428 (the current window) and fills the
// .AFF view (from the cache the editor expands with) and the AFF aid; the
// sort controls show and change options. The panel's calls below take that
// same cache. The panel is laid out for prefs and shows their colours; the
// AFF aid offers the languages of aff_aid.
void build_derived_words_panel(const aff_decode_cache& cache, derived_words_options& options, const preferences& prefs,
                               const aff_aid_languages& aff_aid);
// Frees the popup menu.
void free_derived_words_panel();

// Empties list 442 and the summary lists before an expansion.
void clear_derived_words();
// After a complete expansion: sorts the rows by the chosen mode, fills list
// 442 (its view detached while it fills), the title, the summary lists and
// the unknown-flag fields.
void show_derived_words(const derived_words_options& options);

// Every pass of the editor's loop: the Display button and the indicators.
void update_derived_words_panel(const aff_decode_cache& cache);

// The panel's events. Returns true when the event was the panel's. Remove
// flag from textbox changes the word field and posts a click on Refresh.
bool handle_derived_words_panel_event(const aff_decode_cache& cache, derived_words_options& options, int type, int object,
                                      int subtype);

// The image number last shown by an indicator of the panel (153..158).
int derived_words_indicator_image(int gadget);
