// The -ise/-ize and GB-specific conversions of an English GB/ZA dictionary:
// "Convert to -ise" empties every entry whose word holds an -ize form and
// strips the flags that make -ize forms ("Convert to -ize" the reverse),
// except the words of an exception list; "Remove GB-specific words only"
// empties the entries whose word is on a second list.
//
// The conversions work on the live entries within one session of the
// window: the first change takes the undo snapshot; keeping the session
// drops the emptied entries (their check marks with them), cancelling it
// gives back the document and its undo history as they were.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/settings_file.h"
#include "common/text.h"
#include "common/tool_log.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

// A list of patterns, one per line of its editor, and the editor text it
// was last converted from.
struct pattern_list {
  std::vector<text_t> lines;  // in force when not empty
  text_t snapshot;
  std::unordered_set<text_t> line_set;  // the lines, for exact lookups
};

// The texts a conversion logs for one of the two lists.
struct pattern_list_texts {
  const char* converting;  // "Converting exceptions into arrays for faster processing..."
  const char* none;        // "No exceptions found."
  const char* unchanged;   // "No exceptions changed since last conversion."
  const char* blank;       // "There is a blank exception."
  const char* found_noun;  // "exceptions": "Found 12 exceptions."
};
extern const pattern_list_texts ise_ize_exception_texts;
extern const pattern_list_texts gb_specific_texts;

// What the -ise/-ize window keeps: the two word lists as edited (their
// settings files hold them across runs), as converted for the run of the
// program, and the tab it opens on.
inline constexpr char16_t ise_ize_exceptions_file[] = u"-ize-ise_exceptions.txt";
inline constexpr char16_t gb_specific_file[] = u"gb_specific.txt";
inline constexpr int64_t GBZA_TAB_COUNT = 6;
struct gbza_options {
  int64_t last_tab = 0;       // 0..GBZA_TAB_COUNT - 1, stored by OK
  text_t exceptions_text;     // the exceptions editor
  text_t gb_specific_text;    // the GB-specific words editor
  pattern_list exceptions;    // converted; its snapshot is the text last converted
  pattern_list gb_specific;
};
// The built-in exceptions, each followed by LF.
text_t builtin_ise_ize_exceptions();
// The lists' files, UTF-8 after an optional byte-order mark. Exceptions that
// cannot be read are the built-in ones (to be converted again); GB-specific
// words that cannot be read stay as they are.
void read_ise_ize_exceptions(text_view path, gbza_options& options);
void read_gb_specific_words(text_view path, gbza_options& options);
// The two files; a reset empties both texts and the last converted text.
std::vector<settings_file_registration> gbza_settings_files(gbza_options& options);

enum class pattern_conversion { empty, unchanged, blank_line, converted };

// Converts the editor text (line ends normalised) into the list's patterns,
// logging each step as a line of log. An empty text or a blank line leaves
// no pattern in force (and no snapshot, so the next text is converted anew);
// a text equal to the snapshot keeps the patterns.
pattern_conversion convert_pattern_list(text_view editor_text, pattern_list& list, const pattern_list_texts& texts,
                                        std::vector<text_t>& log);

// Whether a word matches an exception line: "*x*" x occurs in the word (x
// not empty); "_x" the word is x after one of 25 prefixes ("", "-", "un",
// ...); "/x" the word ends with x; any other line the word itself. Every
// comparison is case-sensitive.
bool match_ise_ize_line(text_view line, text_view word);
bool match_ise_ize_exception(const pattern_list& exceptions, text_view word);

// The flags with every flag of removed (single units) taken out, split by
// the FLAG mode (FLAG num rejoined with ","); the flags unchanged when none
// is among them.
text_t remove_single_unit_flags(text_view flags, text_view removed, int64_t flag_mode);

// One opening of the window: the changes it made and how they end.
class gbza_session {
 public:
  explicit gbza_session(list_document& doc) : doc_(doc), edit_(doc) {}
  list_document& doc() { return doc_; }
  bool changed() const { return edit_.started(); }
  // Each change takes the undo snapshot first (once) and marks the document changed.
  void empty_entry(int64_t i);
  void set_entry(int64_t i, text_t entry);
  // OK: the entries this session emptied are dropped, their check marks with
  // them; nothing selected; the changes stay for Undo. Returns the number dropped.
  int64_t keep();
  // Cancel: the document and its undo and redo state as before the first change.
  void cancel();

 private:
  list_document& doc_;
  list_tool_edit edit_;
  std::vector<uint8_t> emptied_;
};

struct gbza_removal_result {
  bool no_words = false;  // the dictionary is empty: nothing ran
  bool aborted = false;
  int64_t total = 0;  // entries emptied + entries whose flags changed
};

// Which forms a conversion removes: the -ize forms (words holding "iza",
// "ize" or "izi" in any case, then the flags 8 - 9 +) or the -ise forms
// ("isa", "ise", "isi"; Q q s t).
enum class removed_forms { ize, ise };

// Removes the chosen forms. Log lines go to log. A confirmed Escape keeps
// the changes made so far.
gbza_removal_result remove_ise_or_ize_forms(gbza_session& session, removed_forms forms, const pattern_list& exceptions,
                                            int64_t flag_mode, long_job_host& host, tool_log& log);

// Empties every entry whose word equals a line of the list; logs to log.
gbza_removal_result remove_gb_specific_words(gbza_session& session, const pattern_list& words, long_job_host& host,
                                             tool_log& log);

// ---- Files ------------------------------------------------------------------------------
// The .qvi source-include text of the exceptions (one line per exception,
// without the byte-order mark) and the number of lines; "" when there are none.
text_t ise_ize_exceptions_qvi(text_view editor_text, int64_t& lines);
// A UTF-8 byte-order mark and the text, replacing the file only when all of it
// was written.
bool write_text_file_with_bom(text_view path, text_view text);
