// The AutoText collection, read only: a BlockList.xml index with one
// <block-list:block> element per entry, and each entry's text in the folder
// named after its abbreviated name, in <name>.xml when that file is not
// empty, else in content.xml, as text:p paragraphs (one line each).
#pragma once

#include "common/long_job.h"
#include "common/text.h"
#include "editors/autocorrect/block_list_file.h"

#include <cstdint>
#include <vector>

struct autotext_record {
  text_t abbreviated_name;
  text_t package_name;
  text_t name;
  text_t text;  // paragraphs separated by LF
};

// The open AutoText collection (read only).
struct autotext_document_record {
  std::vector<autotext_record> records;
  text_t path;  // the BlockList.xml that was loaded
};

// The index actually read: the chosen path with its last three characters
// made "xml" (so "BlockList.XML" reads "BlockList.xml").
text_t autotext_index_path(text_view chosen);
// The records of an index text (names only), one per block element, with
// their attribute values decoded.
std::vector<autotext_record> autotext_index_records(text_view index_xml);
// Whether the abbreviated name, which names the entry's folder and file,
// stays inside the collection's folder: no "/", no backslash, no "..".
bool autotext_name_stays_in_folder(text_view abbreviated_name);
// The file holding an entry's text.
text_t autotext_entry_file(text_view index_path, text_view abbreviated_name);
// The text of an entry file's XML: one line per text:p paragraph holding its
// text with the spans in it (their tags removed), each followed by LF, with
// references decoded.
text_t autotext_entry_text(text_view entry_xml);
// Row of list 245: the record number (from 1), LF, the three names.
text_t autotext_row_text(int64_t index, const autotext_record& record);

// Reads the index and every entry's text under "Loading AutoText List...
// <ESC> to abort.", one record per step. An entry name that would lead out
// of the index's folder refuses the whole load before any entry is read. On success doc holds the records
// and the path; otherwise it is untouched. file_size is the index's length,
// extra_size the total of the entry files.
block_list_result load_autotext_list_file(text_view chosen_path, long_job_host& host,
                                          autotext_document_record& doc);
