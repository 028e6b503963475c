// The autocorrect list and its file: the office suites' block-list XML with
// one pair per line.
//
// As written: UTF-8 byte-order mark; the header line (the XML declaration and
// the root element); one line per entry, indented, holding one
// <block-list:block> element whose abbreviated-name is the incorrect and
// whose name is the correct text (escaped for XML); the closing line. As
// read: the first line is compared with the header (ignoring case); a file
// that starts otherwise may be imported from its first block line on. Every
// block adds a pair, also where many stand on one line (the office suites
// write the whole list on one); the values are taken by attribute name.
// Blocks inside XML comments are skipped. A block that does not end on its
// line, or a value holding a line break (an entry keeps one pair of one-line
// texts), stops the load naming the line rather than cut the pair.
//
// A load fills new state and replaces the document only when it succeeded;
// a save writes a temporary beside the target and renames it over the
// target only when every write succeeded. Boxes and requesters around them
// belong to the window functions.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"
#include "kit/list_commands.h"

#include <cstdint>
#include <functional>
#include <vector>

// The open autocorrect list: entries are the incorrect text, LF, the correct text.
struct autocorrect_document_record {
  list_document list;
};

inline constexpr char16_t BLOCK_LIST_NAMESPACE[] = u"http://openoffice.org/2001/block-list";

// The header line without its LF.
text_t block_list_header_line();
// The line of an entry, without its LF: indent spaces and the element with
// the entry's first line as the incorrect and its second as the correct text.
text_t block_list_entry_line(text_view entry, int64_t indent);
// Block elements on a line, ignoring case: "<block-list:block" followed by
// white space, "/" or the end of the line (never the root element).
int64_t count_block_elements(text_view line);

// The entries of a line's blocks, in order: the abbreviated-name value, LF,
// the name value, references decoded (a missing attribute gives ""). On a
// block that does not end on the line or is not well formed, and on a value
// holding a line break, it stops: the entries before it are kept.
enum class block_line_status { ok, broken_block, line_break };
struct block_line_read {
  block_line_status status = block_line_status::ok;
  std::vector<text_t> entries;
  text_t offending;  // the incorrect text of the pair with the line break
};
block_line_read block_line_entries(text_view line);

// Texts of the Select, Delete and Clone commands on the list.
const list_command_texts& autocorrect_command_texts();
// The texts of Erase all, Sort and Clone on the list.
const list_member_texts& autocorrect_member_texts();

// Outcome of a load or save of the autocorrect list or the AutoText list.
enum class block_list_status : int {
  ok = 0,
  aborted,        // Escape confirmed, or an import declined: nothing changed
  not_found,      // missing, empty or a folder
  read_failed,
  import_failed,  // no block line in a file with another first line
  bad_block,      // a block not read whole, or a value holding a line break
  bad_name,       // an AutoText name that would lead out of its folder
  no_entries,     // nothing to save, or an AutoText index without blocks
  write_failed,   // the old file stays
};

struct block_list_result {
  block_list_status status = block_list_status::ok;
  int64_t entries = 0;
  int64_t file_size = 0;   // bytes of the list file
  int64_t extra_size = 0;  // AutoText: bytes of the entry files read
  int64_t elapsed_ms = 0;
  text_t status_text;      // for field 0 of the status bar
  // A box to show ("" none): title, text and message-box flags.
  text_t message_title;
  text_t message;
  int message_flags = 0;
};

// Results of the steps both list readers share: an end with a status text
// only; a refusal with a box and "Aborted."; a missing file (".XML file not
// found." and "File not found."); a file that cannot be read.
block_list_result block_list_ended(block_list_status status, text_view status_text);
block_list_result block_list_refusal(block_list_status status, text_view title, text_view message, int flags);
block_list_result block_list_not_found();
block_list_result block_list_read_failure(text_view path);

// The import question for a file whose first line is not the header; only
// Yes (6) imports.
text_t block_list_import_question();

// Reads the list under "Loading Autocorrect List... <ESC> to abort." with
// the file's bytes as progress. ask puts the import question (6 Yes). On
// success doc holds the pairs (marks cleared, nothing selected, not changed,
// history emptied, path set); otherwise doc is untouched. on_tick gets the
// number of pairs read so far.
block_list_result load_autocorrect_list_file(text_view path, long_job_host& host, list_document& doc,
                                             const list_ask_fn& ask,
                                             const std::function<void(int64_t)>& on_tick = {});

// The refusal before a target is asked for: no_entries for an empty list.
block_list_result check_autocorrect_list_save(const list_document& doc);

// Writes the list to target with indent spaces before each block line under
// "Saving Autocorrect List... <ESC> to abort.". On success the document is
// marked saved to target; an Escape or a failed write keeps the old file
// and the document's flag and path.
block_list_result save_autocorrect_list_file(text_view target, list_document& doc, int64_t indent,
                                             long_job_host& host);
