// LanguageTool grammar rules (grammar.xml), read only: the file is scanned
// line by line for the start tags of categories, rule groups and standalone
// rules. Each such "chunk" keeps its start line, its attributes (read from
// its start tag on that line) and the lines that belong to it; each category
// keeps the number of rule groups and standalone rules counted up to the
// next category.
//
// The tags are those an XML parser finds: nothing inside a comment, a CDATA
// section or the DOCTYPE counts, a tag may run on over several lines, a rule
// inside a rule group belongs to the group whatever attributes it carries,
// and a rule outside one is a rule whatever the order of its attributes.
// Element names are matched without regard to case, and rule groups and
// rules before the first category count towards the first one.
#pragma once

#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <vector>

struct grammar_item_record {
  int32_t line_number = 0;  // the file's own line number minus 1
  text_t kind;              // "category", "rulegroup" or "rule"
  text_t id;
  text_t name;
  text_t type;
  text_t tags;
  text_t default_value;
  text_t text;  // the chunk's lines, each followed by LF
};

// One loaded grammar file, the LanguageTool tab's document. category_rows[k]
// is the index in items of the k-th category; category_counts[k] the rule
// groups and rules counted for it.
struct grammar_document_record {
  std::vector<grammar_item_record> items;
  std::vector<int64_t> category_rows;
  std::vector<int64_t> category_counts;
  int64_t rule_total = 0;
  text_t path;
};

// Scans stored lines (the file's lines from its second one on) into doc,
// which it fills afresh: the processing pass without I/O. step runs after
// each line with the line's index and the chunks found so far; when it
// returns false the scan stops and returns false (doc is then partial).
bool scan_grammar_lines(const std::vector<text_t>& lines, grammar_document_record& doc,
                        const std::function<bool(int64_t line, int64_t chunks)>& step = {});

enum class grammar_file_status : int { ok = 0, aborted, not_found, read_failed, nothing_to_save, write_failed };

struct grammar_file_result {
  grammar_file_status status = grammar_file_status::ok;
  int64_t size = 0;        // bytes of the file read or written
  text_t status_text;      // for the status bar
  text_t message;          // for an "Error!" / "Warning!" box, "" when none
};

// Reads the file under two long jobs ("Loading grammar rules..." over its
// bytes, then "Processing grammar rules..." over its lines). On success doc
// is replaced (path set); otherwise doc stays as it was. on_tick gets the
// number of chunks found so far while processing.
grammar_file_result load_grammar_file(text_view path, long_job_host& host, grammar_document_record& doc,
                                      const std::function<void(int64_t chunks)>& on_tick = {});

// Rows of the chunk list: line number, kind, id, name, type, tags, default,
// joined by LF. Rows of the category list: line number, LF, id + " (n)".
text_t grammar_item_row(const grammar_item_record& item);
std::vector<text_t> grammar_item_rows(const grammar_document_record& doc);
std::vector<text_t> grammar_category_list_rows(const grammar_document_record& doc);
// Title of the category list's second column.
text_t grammar_category_header(const grammar_document_record& doc);

// The plain-text summary of the structure, as written by the export.
text_t grammar_structure_categories_text(const grammar_document_record& doc, bool with_line_numbers);
text_t grammar_structure_item_text(const grammar_document_record& doc, size_t index, bool with_line_numbers);

// Writes the summary with a UTF-8 byte-order mark under a long job
// "Exporting LanguageTool structure..."; the target is replaced only when
// everything was written (an abort or failure keeps the old file).
grammar_file_result export_grammar_structure_file(const grammar_document_record& doc, text_view target,
                                                  bool with_line_numbers, long_job_host& host);
