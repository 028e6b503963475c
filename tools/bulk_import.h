// Bulk Import of pasted word lists: each line becomes a dictionary entry
// (mode 1), a thesaurus entry (mode 2), an autocorrect pair (mode 3) or a
// multiword line tagged with a LanguageTool POS tag for the log only
// (mode 4). A run that changes a document is one undo step; an aborted run
// puts the document back as it was, its undo and redo history included.
#pragma once

#include "common/list_document.h"
#include "common/long_job.h"
#include "common/settings_file.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

inline constexpr int BULK_IMPORT_DICTIONARY = 1;
inline constexpr int BULK_IMPORT_THESAURUS = 2;
inline constexpr int BULK_IMPORT_AUTOCORRECT = 3;
inline constexpr int BULK_IMPORT_MULTIWORDS = 4;
// The thesaurus editor's limit of meanings per entry.
inline constexpr int64_t BULK_IMPORT_MAX_MEANINGS = 100;

// ---- POS choices of mode 4 ---------------------------------------------------------
// "Other - ", "Portuguese - Proper Name - Singular - Neutral (NPCS000_)", ...
const std::vector<text_t>& bulk_import_pos_choices();
// The languages of the choices in their order: Other, Portuguese, English.
std::vector<text_t> bulk_import_pos_languages();
// The items of a language's combo: the text after the first " - " of each
// of its choices; none for category 0 (Other).
std::vector<text_t> bulk_import_pos_items(int64_t category);
// The tag of a line: TAB + the custom text for category 0, else TAB + the
// bracketed tag of the chosen item; nothing for a separator item ("-").
std::optional<text_t> bulk_import_pos_tag(int64_t category, text_view item, text_view custom);

// The languages of the POS choices (the category combo's items).
inline constexpr int64_t BULK_IMPORT_POS_OTHER = 0;
inline constexpr int64_t BULK_IMPORT_POS_PORTUGUESE = 1;
inline constexpr int64_t BULK_IMPORT_POS_ENGLISH = 2;
// A language offers at most this many POS entries.
inline constexpr int64_t BULK_IMPORT_POS_ENTRY_MAX = 35;

// The POS choice of multiword lines, as Remember keeps it in
// multiwords_prefs_file.
inline constexpr char16_t multiwords_prefs_file[] = u"multiwords.prefs";
struct multiword_pos_options {
  int64_t category = BULK_IMPORT_POS_ENGLISH;
  int64_t entry = 0;  // the entry combo's choice
  text_t custom;      // the "Specify:" tag of category Other
};

// multiwords.prefs: the format line, the category and the entry as 32-bit
// little-endian integers, the custom tag + LF; replaced only when written
// whole.
bool write_multiwords_prefs(text_view path, const multiword_pos_options& pos);
// Reads it into pos; a missing or short file leaves pos as it is, a category
// or entry out of range reads as its default.
void read_multiwords_prefs(text_view path, multiword_pos_options& pos);
settings_file_registration multiwords_settings_file(multiword_pos_options& pos);

// ---- The run -------------------------------------------------------------------------
// The pasted text with LF line ends and a final LF, and the spaces around
// commas and double spaces reduced.
text_t clean_bulk_import_text(text_view pasted);

struct bulk_import_options {
  int mode = BULK_IMPORT_DICTIONARY;
  bool log_index = true;    // log lines start with (log_start + found) + ") "
  int64_t log_start = 1;
  text_t tag;               // mode 4: appended to each log line
  bool pos_valid = true;    // mode 4: false when a separator item was chosen
  // On each tick of the job: the line number, the number of lines, the
  // entries found so far.
  std::function<void(int64_t line, int64_t lines, int64_t found)> on_tick;
};

enum class bulk_import_status { done, aborted, nothing_to_process, invalid_pos };

// Why a line was left out.
enum class bulk_import_refusal_reason {
  too_many_meanings,  // mode 2: more meanings than the thesaurus takes
  count_unreadable,   // mode 2: a "|" in the head word, so the header would not read back the meanings written
  not_a_pair,         // mode 3: not exactly one comma between two texts
};
struct bulk_import_refusal {
  int64_t line = 0;  // 1-based
  text_t text;
  bulk_import_refusal_reason reason = bulk_import_refusal_reason::too_many_meanings;
};

struct bulk_import_result {
  bulk_import_status status = bulk_import_status::done;
  text_t log;
  int64_t lines = 0;
  int64_t found = 0;
  std::vector<bulk_import_refusal> refused;
};

// doc: the document of modes 1 to 3 (ignored by mode 4).
bulk_import_result run_bulk_import(text_view pasted, const bulk_import_options& options, list_document* doc,
                                   long_job_host& host);
// The warning that names the refused lines by reason ("" when none).
text_t bulk_import_refusal_message(const std::vector<bulk_import_refusal>& refused);
