// The thesaurus document and its two files: the .dat text and the .idx
// index beside it.
//
// .dat as written: UTF-8 byte-order mark, "UTF-8" and LF, then per entry
// its header and its N meaning lines, each followed by LF. As read: in the
// encoding its first line names, as libmythes reads it (a byte-order mark
// wins; bytes that contradict the name ask first, common/text_file_open.h;
// a name that cannot be decoded stops the load); lines end at LF, CR or
// CR LF; at least one entry is read after the first line.
//
// .idx as written (never read): no byte-order mark, "UTF-8", the entry
// count, then one line per entry, the header up to and including its first
// "|" followed by the byte offset of the header in the .dat (the mark
// counted). The lines are sorted by the bytes of the head word, as the
// thesaurus readers of office suites binary-search them.
//
// A load fills new state and replaces the document only when it succeeded;
// a save writes both files beside their targets and replaces them only
// when every write succeeded.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"
#include "kit/list_commands.h"

#include <cstdint>
#include <functional>

// The open thesaurus: its entries, paged on the Thesaurus tab, and the
// encoding line of its .dat (the first line as loaded; a save writes "UTF-8").
struct thesaurus_document_record {
  list_document list;
  text_t encoding;
};

// The .idx beside a .dat: the path less its last 4 characters + ".idx".
text_t thesaurus_idx_path(text_view dat_path);

enum class thesaurus_file_status : int {
  ok = 0,
  aborted,            // Escape confirmed: nothing changed
  not_found,          // the .dat is missing, empty or a folder
  same_file,          // the .idx path would be the .dat itself
  too_many_meanings,  // an entry of more than 100 meanings
  read_failed,
  no_entries,         // nothing to save
  write_failed,       // a file could not be written: the old files stay
  unknown_charset,    // the first line names an encoding that cannot be decoded
};

struct thesaurus_file_result {
  thesaurus_file_status status = thesaurus_file_status::ok;
  int64_t idx_size = 0;  // bytes
  int64_t dat_size = 0;
  int64_t entries = 0;
  int64_t meanings = 0;  // meaning lines of all entries
  int64_t elapsed_ms = 0;
  text_t status_text;    // for field 0 of the status bar
  text_t title;          // of the box for message
  text_t message;        // "" when no box is due
  text_t failed_path;
};

// "(idx:12.5 kB)+(dat:1.2 MB)".
text_t thesaurus_sizes_text(int64_t idx_size, int64_t dat_size);

// Before anything is asked: the .dat must have a size above 0 and its .idx
// must be another file. ok, not_found or same_file.
thesaurus_file_result check_thesaurus_file(text_view dat_path);

// Reads the .dat under a long job "Loading Thesaurus... <ESC> to abort."
// with its bytes as the progress. On success doc gets the entries (marks
// cleared, nothing selected, not changed, history emptied, path set) and
// encoding the .dat's first line; an .idx missing beside it is created
// empty, as the thesaurus's readers expect one. Otherwise doc and encoding
// are left as they were. on_tick gets the number of entries read so far.
thesaurus_file_result load_thesaurus_pair(text_view dat_path, long_job_host& host, list_document& doc,
                                          text_t& encoding, const std::function<void(int64_t)>& on_tick = {});

// Writes the .dat and its .idx beside dat_target under a long job and
// replaces both only when every write succeeded; Escape or a failure keeps
// the old pair (a failure's message says what each name holds). On success
// the document is marked saved to dat_target and encoding becomes "UTF-8".
thesaurus_file_result save_thesaurus_pair(text_view dat_target, list_document& doc, text_t& encoding,
                                          long_job_host& host);

// The texts of the list commands on the thesaurus ("No synonyms found.",
// "Really delete synonym?\n" with the header line only, ...).
const list_command_texts& thesaurus_command_texts();
// The texts of Erase all, Sort and Clone on the thesaurus (its sort keys
// end the head word at "|").
const list_member_texts& thesaurus_member_texts();
