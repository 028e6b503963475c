// Recent files: seven lists of ten paths kept in
// settings/kwx4_recent_files.log (70 lines, UTF-8, no mark, no "41" line).
#pragma once

#include "common/text.h"

#include <array>
#include <cstdint>
#include <vector>

inline constexpr int64_t RECENT_LIST_COUNT = 7;
inline constexpr int64_t RECENT_LIST_LENGTH = 10;
// The path that empties the current tab's list instead of adding to it.
inline constexpr char16_t RECENT_FILES_CLEAR[] = u"●";

// The seven lists of the log, elements 1..10 each (element 1 the most
// recent, "" an empty slot; element 0 is unused). Lists 0..5 belong to the
// document kinds (document_kind::recent_list, the tab's number), list 6 to
// none: it is kept in the log only. The workspace owns the one record.
struct recent_file_lists {
  recent_file_lists();
  std::array<std::vector<text_t>, RECENT_LIST_COUNT> lists;
};

// List 0..6; null for any other number.
std::vector<text_t>* recent_files_list(recent_file_lists& recent, int64_t list);
// Entry n (1..10) of a kind's list (0..5); "" outside.
text_t recent_file_entry(const recent_file_lists& recent, int64_t list, int64_t n);
// Empties all seven lists (11 slots each).
void reset_recent_files(recent_file_lists& recent);

text_t recent_files_log_path();
// Reads the log into the lists (missing lines give ""); false, the lists
// untouched, when the log is missing, empty or cannot be opened.
bool read_recent_files_log(recent_file_lists& recent);
// Writes the seven lists to the log (temporary file, then rename).
bool write_recent_files_log(const recent_file_lists& recent);

// The update for one kind's list: a missing or empty log is created with 60
// empty lines and nothing else happens; otherwise the log is read, a
// non-empty path goes to the front of the list (RECENT_FILES_CLEAR empties
// the list) and the log is written back. A number that is no kind's list
// (-1, the spare list) changes nothing but the log's normal form.
void update_recent_files_for_tab(recent_file_lists& recent, text_view path, int64_t list);
