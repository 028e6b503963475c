// The dictionary document and its files: a .dic word list with the .aff of
// the same name beside it.
//
// .dic as written: UTF-8 byte-order mark, the entry count and LF, then each
// entry with its first LF turned into TAB, each followed by LF. As read: in
// the charset the .aff's SET line declares, as Hunspell reads both files (no
// SET line: ISO8859-1), unless the file has a byte-order mark of its own;
// bytes that contradict the declaration ask first (common/text_file_open.h);
// lines end at LF, CR or CR LF; the count line is skipped and never checked;
// at least one line after it is read. .aff: read whole by its own SET line
// (a mark wins) with its line ends made LF; written with a UTF-8 byte-order
// mark, as the text stands but for a SET line naming another encoding, which
// says UTF-8, and a "SET UTF-8" line put at the top of a .aff that had none
// when the pair holds any letter beyond ASCII.
//
// Loading and saving never leave a half state: a load fills new state and
// replaces the document only when it succeeded; a save writes both files
// beside their targets and replaces them only when every write succeeded.
// Questions and boxes belong to the window functions over this core.
#pragma once

#include "common/list_document.h"
#include "common/text_file_open.h"
#include "common/long_job.h"
#include "common/text.h"
#include "kit/list_commands.h"

#include <cstdint>
#include <functional>

// The .aff beside a .dic: the extension after the last "." of the file name
// replaced by ".aff" (".aff" appended when there is none). One rule for
// loading and saving, so a save writes the files that were loaded.
text_t dictionary_aff_path(text_view dic_path);

enum class dic_file_status : int {
  ok = 0,
  aborted,        // Escape confirmed: nothing changed
  aff_not_found,  // the .aff is missing, empty or a folder
  dic_not_found,
  read_failed,    // a file could not be opened or read
  no_words,       // nothing to save
  aff_empty,
  write_failed,   // a file could not be written: the message says what is on disk
  same_file,      // the .dic and its .aff are one file
  unknown_charset,  // the .aff declares a charset that cannot be decoded
};

struct dic_file_result {
  dic_file_status status = dic_file_status::ok;
  int64_t aff_size = 0;   // bytes
  int64_t dic_size = 0;
  int64_t entries = 0;
  int64_t elapsed_ms = 0;
  text_t status_text;     // for field 0 of the status bar
  text_t message;         // for a box ("" when none): see dic_file_message_title
  text_t failed_path;     // the file that could not be read or written
  text_t replaced_encoding;  // a save: the encoding a SET line named before it said UTF-8
  bool set_line_added = false;  // a save: the .aff had no SET line and got "SET UTF-8"
};

// Title of the box for a result's message: "Error!" or "Warning!".
text_t dic_file_message_title(dic_file_status status);
// "(aff:2.0 kB)+(dic:1.5 MB)": the sizes of the status texts.
text_t dictionary_sizes_text(int64_t aff_size, int64_t dic_size);

// Before anything is asked: the .aff first, then the .dic must have a size
// above 0, and they must be two files. ok, aff_not_found, dic_not_found or
// same_file (with message and status text).
dic_file_result check_dictionary_pair(text_view dic_path);

// The .aff text as a save writes it: every SET line naming an encoding other
// than UTF-8 names UTF-8; replaced gets the first name replaced ("" none).
text_t aff_text_declaring_utf8(text_view aff_text, text_t* replaced = nullptr);
// The .aff text exactly as a save of doc writes it: line ends LF, SET lines
// naming UTF-8, and "SET UTF-8" put at the top of a text without a SET line
// when the pair holds a letter beyond ASCII (set_line_added tells); a text
// converted from an 8-bit charset in the default FLAG mode whose flags go
// beyond ASCII gets "FLAG UTF-8" after its SET line (flag_line_added), as
// Hunspell reads one-character flags of a UTF-8 file byte by byte otherwise.
text_t aff_text_as_saved(const list_document& doc, text_view aff_text, text_t* replaced = nullptr,
                         bool* set_line_added = nullptr, bool* flag_line_added = nullptr);
// Reads the pair under a long job "Loading Dictionary... <ESC> to abort."
// with the .dic's bytes as its progress. A file that is partly valid UTF-8
// is read only when the host's question is answered Yes; a read error fails
// the load, encoding detection included. On success doc gets the entries
// (marks cleared, nothing selected, not changed, history emptied, path set)
// and aff_text the .aff text; otherwise both are left as they were.
// on_tick gets the number of entries read so far.
dic_file_result load_dictionary_pair(text_view dic_path, long_job_host& host, list_document& doc,
                                     text_t& aff_text,
                                     const std::function<void(int64_t)>& on_tick = {});

// The refusals before the save target is asked for: no_words, aff_empty or ok.
dic_file_result check_dictionary_save(const list_document& doc, text_view aff_text);

// Writes the .aff and then the .dic beside dic_target under a long job, and
// replaces both files only when every write succeeded; Escape or a failure
// keeps the old pair (commit_file_pair: even when two steps fail, no old file
// is lost, and the message says where each one is). On success the document
// is marked saved to dic_target; a SET line changed to UTF-8 is told through
// the host and named in replaced_encoding.
dic_file_result save_dictionary_pair(text_view dic_target, list_document& doc, text_view aff_text,
                                     long_job_host& host);

// The texts of Erase all, Sort and Clone on the dictionary's list (its sort
// finds the word before the flags).
const list_member_texts& dictionary_member_texts();
