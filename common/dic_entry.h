// The stored form of a dictionary entry and its one splitter.
//
// An entry is a .dic line as held in memory: the word, optionally "/" and the
// affix flags, then, when the line had a TAB part, a line feed and the rest of
// the line (tags or comments, further TABs kept). A slash inside the word is
// written "\/"; the first "/" not preceded by a backslash separates the word
// from its flags.
//
// Entries are split as Hunspell splits a .dic line, so that a morphological
// description written after a space (fr.dic: "abader/d'q't's' po:v1 po:infi")
// is never read as flags or as part of the word: the description starts at
// the first TAB (the line feed in memory) or, before that, at the first blank
// followed by a field of the form "xx:"; the flags end at the first space or
// TAB after the slash. Whatever follows the word and flags is kept as it
// stands, separator included.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <string>

// .dic line -> entry: the first TAB becomes LF (in place).
void dic_line_to_entry(text_t& line);
// The same, copying the line into the line.size() units at out (which may
// be the line itself).
void dic_line_to_entry(text_view line, char16_t* out);
// Entry -> .dic line: the first LF becomes TAB.
text_t dic_entry_to_line(text_view entry);
// Appends the .dic line of an entry as UTF-8 (the save loop, no temporary).
void append_dic_entry_line_utf8(std::string& out, text_view entry);

// 0-based index of the slash that separates word and flags in text (the
// first "/" not preceded by a backslash), or text_view::npos.
size_t dic_flag_separator(text_view text);

// The parts of an entry; the views point into the entry.
struct dic_entry_parts {
  text_view word;   // with its "\/" escapes as written
  text_view flags;  // after the slash, up to the first space, TAB or line feed; "" when none
  text_view rest;   // all that follows word and flags, its separator included; "" when none
  text_view tags;   // rest without its leading blanks and line feed: the morphological
                    // description, tags or comment
  bool has_flags = false;  // a separating slash exists (flags may be "")
  bool has_tags = false;   // rest is not empty
};
// Splits an entry.
dic_entry_parts split_dic_entry(text_view entry);
// split_dic_entry(entry).word is empty, without the split: the first line is
// empty or starts with the separating slash (a description after a space
// never starts a line).
bool dic_entry_word_is_empty(text_view entry);
// The word and flags of an entry (its text up to the end of the flags).
text_view dic_entry_word_and_flags(text_view entry);
// The entry with other flags: word, "/" + flags when flags is not empty,
// then the rest exactly as it was.
text_t rebuild_dic_entry(const dic_entry_parts& parts, text_view flags);
// The separator part of rest (rest without tags).
text_view dic_entry_separator(const dic_entry_parts& parts);
// The entry as the dictionary list shows it: the word and flags, LF, the
// tags (a line feed inside them shown as a TAB).
text_t dic_entry_list_columns(text_view entry);

// The first line of an entry: word and flags, and a description written
// after a space, without the part after the line feed.
text_view dic_entry_head(text_view entry);
// Rebuilds an entry from its parts: word, "/" + flags when flags is not
// empty, LF + tags when tags is not empty.
text_t make_dic_entry(text_view word, text_view flags, text_view tags);
// Joins word and flags ("cat/S"), the separator the tags had and the tags.
// The separator (" " before a description in fr.dic, LF or TAB for the
// TAB of the line, "" for none) is kept when the result splits back into
// the same word and flags and the same tags; otherwise, and when it is "",
// the tags follow an LF as make_dic_entry puts them. With tags "" the
// separator alone is kept on the same terms, so the parts of an entry give
// it back unchanged. Separator and tags may be given as they stand in the
// entry or in its .dic line (TAB for LF): the result holds one LF at most.
text_t join_dic_entry(text_view word_and_flags, text_view separator, text_view tags);
// The entry as one line for messages: every LF shown as a space.
text_t dic_entry_for_display(text_view entry);
