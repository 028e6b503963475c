// The word editor's rules without its window: the live look of the word and
// tags fields, the OK checks, the entry built from the fields and its commit
// into the dictionary, the Taboo indicator, and the derived-words panel
// (rows as the list shows them, the flag summary, Match, the copy texts,
// removing a flag from the word field, the remembered sort mode).
#pragma once

#include "affix/affix_expansion.h"
#include "dictionary/derived_rows.h"
#include "common/list_document.h"
#include "common/settings_file.h"
#include "common/text.h"

#include <cstdint>
#include <string>
#include <vector>

// ---- Window 428 and its gadgets ------------------------------------------------
namespace word_editor_ids {
constexpr int WINDOW = 428;
constexpr int WORD_LABEL = 434, WORD_FIELD = 435, REFRESH = 436, TABOO_LABEL = 437,
              TABOO_IMAGE = 438, TAGS_LABEL = 439, AFF_LABEL = 440, TAGS_FIELD = 441;
constexpr int DERIVED_LIST = 442, DISPLAY = 443, MATCH_LABEL = 444, MATCH_FIELD = 445,
              MATCH = 446, MATCH_COUNT = 447;
constexpr int KIND_FIRST_LABEL = 448;  // 448..455: four label + image pairs
constexpr int AFF_VIEW = 456, SORT_FRAME = 457;
constexpr int SORT_FIRST_RADIO = 458;  // 458..462: modes 1..5
constexpr int SORT = 472, REMEMBER = 473, SUMMARY_LABEL = 474, TOP_LEVEL_LIST = 475,
              NESTED_LIST = 476;
constexpr int POPUP = 482, COPY_WORD = 483, COPY_WORD_AND_RULE = 484, COPY_ALL_WORDS = 485,
              COPY_ALL_WORDS_AND_RULES = 486, COPY_FLAG_RULE = 487, REMOVE_FLAG = 488;
constexpr int AFF_AID_LABEL = 489, AFF_AID_COMBO = 490;
constexpr int UNKNOWN_FLAGS_IMAGE = 491, UNKNOWN_FLAGS = 492, UNKNOWN_CONTINUATION_IMAGE = 493,
              UNKNOWN_CONTINUATION_FLAGS = 494;
constexpr int OK = 495, CANCEL = 496;
constexpr int KEEPCASE = 153, NEEDAFFIX = 154, FORBIDDENWORD = 155, COMPLEXPREFIXES = 156,
              CIRCUMFIX = 157, FLAG_MODE = 158, COMPLEX_PREFIXES_WARNING = 159;
}  // namespace word_editor_ids

// Colours of the editor (red + green * 256 + blue * 65536).
constexpr int64_t WORD_EDITOR_RED = 255;
constexpr int64_t WORD_EDITOR_AMBER = 969215;
constexpr int64_t WORD_EDITOR_GREEN = 39168;
constexpr int64_t WORD_EDITOR_BLACK = 0;

// ---- Fields ---------------------------------------------------------------------
// A TAB, CR or LF in the word field would split the entry's .dic line when
// it is saved: the word field drops all three. The tags field drops CR and
// LF; a TAB there stays (the rest of a .dic line keeps its TABs).
text_t clean_word_field(text_view text);
text_t clean_tags_field(text_view text);

enum class word_field_look {
  normal,
  empty,
  flag_only,  // begins with "/": amber, accepted as it stands
  invalid,    // red
};
// Red: a space at the start or the end, two spaces in a row, or a flag
// separator with no flags after it (a final "/" not escaped as "\/").
word_field_look word_field_look_of(text_view word);
// Red: a space at the start or the end, or two spaces in a row.
bool tags_field_invalid(text_view tags);

// The first failed OK check, in the order the user meets them.
struct word_editor_check {
  bool ok = true;
  text_t message;  // for a "Warning!" box
  int focus = 0;   // the field to focus: WORD_FIELD or TAGS_FIELD
};
word_editor_check validate_word_editor_fields(text_view word, text_view tags);

// The fields of an entry: its word and flags, and its tags (a description
// written after a space as well as the part after a TAB).
struct word_editor_fields {
  text_t word;
  text_t tags;
  text_t separator;  // what stood between them: " ", a TAB, ...; not shown
};
word_editor_fields word_editor_fields_of_entry(text_view entry);
// The entry the fields stand for: word, then the tags when they are not ""
// after the separator they had at opening (a TAB for new ones), so an entry
// opened and saved unchanged keeps every byte.
text_t word_editor_entry_of_fields(text_view word, text_view tags, const word_editor_fields& at_open = {});

// Writes the entry: add appends it unchecked, edit replaces the selected
// entry. Only a change of the fields since opening takes the undo snapshot
// (before the document changes) and sets the changed flag. False when edit
// has no selected entry to replace (nothing is written then).
bool commit_word_editor_entry(list_document& doc, bool add, text_view entry, bool fields_changed);

// ---- Taboo indicator ----------------------------------------------------------------
// The indicator's colour: 0xFF00 no NOSUGGEST flag, 0xFF the flag met (both
// from the last expansion), 0xFFFF the word begins with "/", 0 neutral.
struct taboo_look {
  int64_t label_colour = WORD_EDITOR_BLACK;
  int image = 49;
};
// One pass of the window: the word field's look (and the look it had
// before) update the colour, which gives the label colour and image.
taboo_look update_taboo_indicator(word_field_look look, word_field_look previous_look,
                                  int64_t& nosuggest_colour);

// Images of the special-flag indicators 153..157 (on or off) and of the
// FLAG mode 158, from what the last expansion reported and the decode cache.
struct special_flag_images {
  int keepcase, needaffix, forbiddenword, complexprefixes, circumfix;
  int flag_mode;
  text_t flag_mode_tooltip;
};
special_flag_images current_special_flag_images(const aff_decode_cache& cache,
                                                const expansion_indicators& indicators);

// ---- Derived-words panel ---------------------------------------------------------
// A row of list 442: derived word, Type, Flag, Flag Position, Rule, joined by LF.
text_t derived_list_row_text(const derived_word_record& row);
// "Derived words (" + n + ")".
text_t derived_list_title(int64_t rows);
// The same with a notice when the expansion stopped at the view's row limit.
text_t derived_list_title(int64_t rows, bool capped);

// The summary lists: "Primary 1", then per origin flag "S tag 3" (top level)
// or "S tag — M tag 2" (through continuation flag M). Equal origins are
// grouped even when they differ from others only in letter case.
struct derived_words_summary {
  std::vector<text_t> top_level;
  std::vector<text_t> nested;
};
derived_words_summary summarise_derived_words(const std::vector<derived_word_record>& rows);

// Which rows' derived words begin with the text (case-sensitive).
std::vector<uint8_t> derived_words_matching(const std::vector<derived_word_record>& rows,
                                            text_view prefix);

// The popup's guard: "" when the commands may run, else the warning.
text_t derived_popup_refusal(size_t rows, int64_t selected);
// Copy word (all false) and Copy all words (all true).
text_t copy_derived_words_text(const std::vector<derived_word_record>& rows, bool all,
                               int64_t selected);
// Copy word && rule / Copy all words && rules: per row
// "word","primary","type","flag","rule" without blanks next to the quotes.
text_t copy_derived_words_with_rules_text(const std::vector<derived_word_record>& rows, bool all,
                                          int64_t selected, text_view primary_word);
// The rule between double quotes.
text_t copy_flag_rule_text(const derived_word_record& row);
// The primary word of the rows (the Primary row wherever a sort put it).
text_t derived_primary_word(const std::vector<derived_word_record>& rows);

// Remove flag from textbox: the word field without every flag equal to flag.
enum class remove_flag_result { nothing, not_found, removed };
struct remove_flag_outcome {
  remove_flag_result result = remove_flag_result::nothing;
  text_t text;  // the new word field when removed
};
remove_flag_outcome remove_flag_from_word_text(text_view field, text_view flag, int64_t flag_mode);

// ---- Remembered sort mode -------------------------------------------------------------
inline constexpr char16_t derivates_sort_prefs_file[] = u"derivates_sort.prefs";
int64_t clamp_derived_words_sort_mode(int64_t mode);  // outside 1..5: 1
// "41" LF, then the mode as a 32-bit little-endian integer: 7 bytes.
std::string derivates_sort_prefs_bytes(int64_t mode);
// Writes the file through a temporary renamed over it; false when it failed
// (the old file stays).
bool write_derivates_sort_prefs(text_view path, int64_t mode);
// Reads the mode into options; a missing or short file, or a mode outside
// 1..5, leaves it as it is.
void read_derivates_sort_prefs(text_view path, derived_words_options& options);
settings_file_registration derived_words_settings_file(derived_words_options& options);

// ---- The .AFF view -------------------------------------------------------------------
// The text the view shows: the decode cache's text without its final LF, so
// that every "Flag Position" points at the same character in the view.
text_t aff_view_text_of_cache(text_view aff_cache_text);
