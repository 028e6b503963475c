// The stored form of a dictionary entry and its one splitter.
//
// An entry is a .dic line as held in memory: the word, optionally "/" and the
// affix flags, then, when the line had a TAB part, a line feed and the rest of
// the line (tags or comments, further TABs kept). A slash inside the word is
// written "\/"; the first "/" not preceded by a backslash separates the word
// from its flags.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <string>

// .dic line -> entry: the first TAB becomes LF (in place).
void dic_line_to_entry(text_t& line);
// Entry -> .dic line: the first LF becomes TAB.
text_t dic_entry_to_line(text_view entry);
// Appends the .dic line of an entry as UTF-8 (the save loop, no temporary).
void append_dic_entry_line_utf8(std::string& out, text_view entry);

// 0-based index of the slash that separates word and flags in text (the
// first "/" not preceded by a backslash), or text_view::npos.
size_t dic_flag_separator(text_view text);

// The parts of an entry. word keeps its "\/" escapes as written.
struct dic_entry_parts {
  text_view word;   // up to the separating slash (or the whole first line)
  text_view flags;  // after the slash, up to the line feed; "" when none
  text_view tags;   // after the first line feed; "" when none
  bool has_flags = false;  // a separating slash exists (flags may be "")
  bool has_tags = false;   // the entry holds a line feed
};
// Splits an entry; the views point into entry.
dic_entry_parts split_dic_entry(text_view entry);

// The first line of an entry (word and flags, without the tags).
text_view dic_entry_head(text_view entry);
// Rebuilds an entry from its parts: word, "/" + flags when flags is not
// empty, LF + tags when tags is not empty.
text_t make_dic_entry(text_view word, text_view flags, text_view tags);
// The entry as one line for messages: every LF shown as a space.
text_t dic_entry_for_display(text_view entry);
