// Recent files: seven lists of ten paths kept in
// settings/kwx4_recent_files.log (70 lines, UTF-8, no mark, no "41" line).
#pragma once

#include "common/text.h"

#include <cstdint>
#include <vector>

inline constexpr int64_t RECENT_LIST_COUNT = 7;
inline constexpr int64_t RECENT_LIST_LENGTH = 10;
// The path that empties the current tab's list instead of adding to it.
inline constexpr char16_t RECENT_FILES_CLEAR[] = u"●";

// Elements 1..10 (element 1 the most recent, "" an empty slot); element 0 is
// unused. Lists 0..5 belong to tabs 0..5, list 6 to none.
extern std::vector<text_t> recent_dictionary_files;   // tab 0
extern std::vector<text_t> recent_thesaurus_files;    // tab 1
extern std::vector<text_t> recent_hyphenation_files;  // tab 2
extern std::vector<text_t> recent_autocorrect_files;  // tab 3
extern std::vector<text_t> recent_autotext_files;     // tab 4
extern std::vector<text_t> recent_grammar_files;      // tab 5
extern std::vector<text_t> recent_spare_files;        // kept in the log only

// List 0..6 (a tab number for 0..5); null for any other number.
std::vector<text_t>* recent_files_list(int64_t list);
// Entry n (1..10) of the tab's list; "" outside.
text_t recent_file_entry(int64_t tab, int64_t n);
// Empties all seven lists (11 slots each).
void reset_recent_files();

text_t recent_files_log_path();
// Reads the log into the lists (missing lines give ""); false, the lists
// untouched, when the log is missing, empty or cannot be opened.
bool read_recent_files_log();
// Writes the seven lists to the log (temporary file, then rename).
bool write_recent_files_log();

// The update for one tab: a missing or empty log is created with 60 empty
// lines and nothing else happens; otherwise the log is read, a non-empty path
// goes to the front of the tab's list (RECENT_FILES_CLEAR empties the list)
// and the log is written back. A tab without a list changes nothing but the
// log's normal form.
void update_recent_files_for_tab(text_view path, int64_t tab);
