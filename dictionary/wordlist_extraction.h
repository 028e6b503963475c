// Getting words out of the open dictionary into text files: every derived
// word (or only the compounds) through the affix engine, and the entries
// whose tags contain a text.
#pragma once

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <vector>

// The output types of the word-list extraction.
enum wordlist_extract_type : int {
  EXTRACT_ALL_TXT = 0,
  EXTRACT_ALL_CSV = 1,
  EXTRACT_COMPOUNDS_TXT = 2,
  EXTRACT_COMPOUNDS_LANGUAGETOOL = 6,
};

// The header line of the CSV form.
extern const char16_t WORDLIST_CSV_HEADER[];
// The question asked once per run when the limit of derived words is reached
// (limit printed grouped).
text_t huge_output_question(int64_t limit, text_view separator);

// The save requester's title, pattern and extension of a type.
struct wordlist_file_choice {
  text_t title;
  text_t pattern;
  text_t extension;  // ".txt" or ".csv"
};
wordlist_file_choice wordlist_file_choice_for(int type);
// The path with the type's extension appended unless it ends in it (any case).
text_t with_extension(text_view path, text_view extension);

struct wordlist_extraction_result {
  bool aborted = false;       // Escape, or the huge-output question answered Yes
  bool write_failed = false;  // the file could not be created or written; the old one is kept
  int64_t words = 0;          // lines (or CSV rows) written
  int64_t length = 0;         // bytes of the file written
};

// Expands every entry of doc with the decode cache of its .aff text into
// path: UTF-8 with a byte-order mark, the CSV header for
// the CSV type. The file replaces an old one only when complete. The job
// runs on host with the status texts of the main window; a limit above 0
// asks the huge-output question once when the count reaches it.
wordlist_extraction_result extract_wordlist_to_file(const list_document& doc, const aff_decode_cache& cache, int type,
                                                    text_view path, int64_t decode_warning_limit, text_view separator,
                                                    long_job_host& host);

// ---- Entries by their tags ---------------------------------------------------------------------
// The search of the tag-selection window.
struct postag_search {
  text_t text;
  bool match_case = false;
  bool full_match = false;
};
// Whether the entry's tags (after its TAB, or a description after a space;
// an entry without tags never matches) contain, or with full_match equal,
// the text; case-insensitive unless match_case.
bool entry_tags_match(text_view entry, const postag_search& search);

struct postag_search_result {
  bool aborted = false;
  std::vector<int64_t> matches;  // entry indexes in order
};
// Every matching entry, one poll per entry.
postag_search_result find_entries_by_postag(const list_document& doc, const postag_search& search,
                                            long_job_host& host);
// The matches written as .dic lines (every line feed of an entry becomes a
// TAB), UTF-8 with a byte-order mark; false when the file could not be
// written (the old one is kept).
bool write_postag_matches(const list_document& doc, const std::vector<int64_t>& matches, text_view path);
// The row of the result list: the entry with every line feed shown as "→".
text_t postag_match_row(text_view entry);
