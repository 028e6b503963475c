// What an expansion does with each derived word: the sinks (see
// affix/affix_expansion.h) that callers hand to expand_entry.
//
//   hyphenation_rows_sink   rows of the Hyphenation tab's list (the word
//                           editor's list has its own, dictionary/derived_rows.h)
//   word_file_sink          lines, compound lines or CSV rows to an open file
//   row_count_sink          nothing kept; rows are only counted
//   word_array_sink         words stored in a word array
//   word_statistics_sink    the statistics counts (word_statistics)
//   statistics_lines_sink   the words of one statistics type, as lines of a
//                           view or of a file being saved
//   first_suffix_sink       the first suffix derivative, then stop
#pragma once

#include "affix/affix_expansion.h"
#include "common/text.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class atomic_file;  // common/file.h

// Views list at most this many rows: an entry can stand for millions of
// words, which a file takes but a list would hold for seconds and gigabytes.
// A row sink ends the expansion at the limit and says so (capped).
constexpr size_t DERIVED_ROW_VIEW_LIMIT = 100000;

// The question a pass that holds derived words in memory asks once they pass
// the preferences' limit ("Over <limit> words have been decoded... Abort?").
text_t decoded_words_question(int64_t limit, text_view separator);

// The last w units of "0000" + text, w the digit count of the largest rule
// count of the decode cache.
text_t pad_rule_number(text_view text, int64_t max_rules_per_set);
// Appends the CSV field, quoted, its quotes doubled.
void append_csv_field(text_t& out, text_view field);
// "N: strip affix condition" of a row's rule, N as given.
void append_rule_text(text_t& out, text_view number, const aff_rule_record& rule);

// ---- The Hyphenation tab's list -----------------------------------------------------
struct hyphenation_derived_row {
  text_t word;
  text_t flag;
  int32_t type_colour = -1;
};
// Appends one row per word, coloured by its row type.
class hyphenation_rows_sink : public expansion_sink {
 public:
  hyphenation_rows_sink(std::vector<hyphenation_derived_row>& rows, const row_type_colours& colours)
      : rows_(rows), colours_(colours) {}
  bool take(const derived_row& row) override;
  bool capped = false;  // stopped at DERIVED_ROW_VIEW_LIMIT

 private:
  std::vector<hyphenation_derived_row>& rows_;
  row_type_colours colours_;
  size_t added_ = 0;
};

// ---- Text for an open file ----------------------------------------------------------
// Collects text and writes it to a file being saved (common/file.h) as UTF-8
// in large pieces; the rest is written by flush() or the destructor.
class file_text_writer {
 public:
  explicit file_text_writer(atomic_file* file) : file_(file) {}
  ~file_text_writer() { flush(); }
  file_text_writer(const file_text_writer&) = delete;
  file_text_writer& operator=(const file_text_writer&) = delete;
  text_t& text() { return buffer_; }
  void written_some();  // flushes when the buffer is large
  void flush();

 private:
  atomic_file* file_;  // null: nothing is written
  text_t buffer_;
  std::string bytes_;
};

// Bytes appended without a check per byte: the UTF-8 text of a file
// being built.
class utf8_buffer {
 public:
  // Appends s as UTF-8, exactly as append_utf8 (common/text.h) does.
  void append(text_view s);
  // s and a line feed.
  void append_line(text_view s);
  void append_bytes(std::string_view bytes);
  void reserve(size_t bytes) {
    if (bytes > capacity_) grow(bytes - size_);
  }
  void push_back(char c) {
    if (size_ == capacity_) grow(1);
    data_[size_++] = c;
  }
  const char* data() const { return data_.get(); }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear() { size_ = 0; }

 private:
  void grow(size_t more);
  std::unique_ptr<char[]> data_;
  size_t size_ = 0, capacity_ = 0;
};

// One line per word; with hyphen_only only words holding "-", each
// followed by the tag; with csv one CSV row per derived word. The lines are
// encoded as UTF-8 straight into a byte buffer: the caller's, which the
// caller writes out, or the sink's own, written to a numbered file (common/file.h)
// in large pieces and by flush() or the destructor.
class word_file_sink : public expansion_sink {
 public:
  word_file_sink(const aff_decode_cache& cache, utf8_buffer& utf8_out, bool csv, bool hyphen_only, text_view tag)
      : out_(&utf8_out), csv_(csv), hyphen_only_(hyphen_only), tag_(tag),
        max_rules_per_set_(cache.aff_max_rules_per_set) {}
  word_file_sink(const aff_decode_cache& cache, int file, bool csv, bool hyphen_only, text_view tag)
      : word_file_sink(cache, own_, csv, hyphen_only, tag) {
    file_ = file;
  }
  ~word_file_sink() override { flush(); }
  word_file_sink(const word_file_sink&) = delete;
  word_file_sink& operator=(const word_file_sink&) = delete;
  bool take(const derived_row& row) override;
  // Writes the sink's own buffer to its file (nothing for a caller's buffer).
  void flush();
  int64_t written = 0;  // lines or rows written

 private:
  void write_csv_row(const derived_row& row);
  utf8_buffer own_;
  utf8_buffer* out_;
  int file_ = 0;  // 0: the caller's buffer
  bool csv_, hyphen_only_;
  text_t tag_;
  int64_t max_rules_per_set_;
  text_t row_;  // a CSV row or a tagged line being built
};


// ---- Counting -----------------------------------------------------------------------
class row_count_sink : public expansion_sink {
 public:
  bool take(const derived_row&) override {
    ++rows;
    return true;
  }
  int64_t rows = 0;
};

// ---- A word array -------------------------------------------------------------------
// Stores word + suffix1 + suffix2 at words[first], words[first + 1], ...
class word_array_sink : public expansion_sink {
 public:
  word_array_sink(std::vector<text_t>& words, int64_t first, text_view suffix1, text_view suffix2)
      : words_(words), first_(first < 0 ? 0 : static_cast<size_t>(first)), suffix1_(suffix1), suffix2_(suffix2) {}
  bool take(const derived_row& row) override;
  int64_t stored = 0;

 private:
  std::vector<text_t>& words_;
  size_t first_;
  text_t suffix1_, suffix2_;
};

// ---- Statistics ---------------------------------------------------------------------
// The word types counted, the rows of the statistics' type list: words with
// "'", with "-", starting uppercase, then one row per length from 1 to
// SHORT_WORD_MAX_LENGTH units.
constexpr int WORD_TYPE_APOSTROPHE = 0, WORD_TYPE_HYPHEN = 1, WORD_TYPE_CAPITAL = 2, WORD_TYPE_LENGTH_1 = 3;
constexpr int SHORT_WORD_MAX_LENGTH = 5;
constexpr int WORD_TYPE_COUNT = WORD_TYPE_LENGTH_1 + SHORT_WORD_MAX_LENGTH;
// First letters counted: [0] any other, [1..26] a..z after folding accents.
constexpr int FIRST_LETTER_ROWS = 27;

// The forms of one entry by type; the length keeps the last short form's.
struct word_type_counter_record {
  int32_t apostrophe_forms = 0;
  int32_t hyphen_forms = 0;
  int32_t capital_forms = 0;
  int32_t short_form_length = 0;
};

// The counts of the words handed to add().
struct word_statistics {
  int64_t with_apostrophe = 0, with_hyphen = 0, with_capital = 0;
  std::array<int64_t, SHORT_WORD_MAX_LENGTH + 1> of_length{};  // [1..SHORT_WORD_MAX_LENGTH]
  std::array<int64_t, FIRST_LETTER_ROWS> by_first_letter{};
  std::vector<word_type_counter_record> per_entry;  // grows to the largest entry counted

  // Counts a word of entry (a position in the document); a negative entry
  // counts nothing.
  void add(int64_t entry, text_view word);
};

// "Starting uppercase": the first unit differs from its lower case. The
// count and the listing of that row use this one test.
bool word_starts_with_capital(text_view word);

// Every word counted in words, and into counts for the current entry
// unless counts is null.
class word_statistics_sink : public expansion_sink {
 public:
  explicit word_statistics_sink(word_statistics* counts) : counts_(counts) {}
  bool take(const derived_row& row) override;
  int64_t entry = 0;  // the entry being expanded, set by the caller
  int64_t words = 0;

 private:
  word_statistics* counts_;
};

// Whether a listed word says where it came from: " (Primary)", or its flag
// and the word the affix was applied to.
enum class word_annotation : bool { plain, with_origin };

// The words of one type (WORD_TYPE_...), as lines of a view or of a file
// being saved.
class statistics_lines_sink : public expansion_sink {
 public:
  statistics_lines_sink(int word_type, word_annotation annotation, std::vector<text_t>& lines)
      : word_type_(word_type), annotation_(annotation), lines_(&lines), out_(nullptr) {}
  statistics_lines_sink(int word_type, word_annotation annotation, atomic_file& file)
      : word_type_(word_type), annotation_(annotation), lines_(nullptr), out_(&file) {}
  bool take(const derived_row& row) override;
  void flush() { out_.flush(); }

 private:
  int word_type_;
  word_annotation annotation_;
  std::vector<text_t>* lines_;  // null: to the file
  file_text_writer out_;
};

// ---- The first suffix derivative ----------------------------------------------------
class first_suffix_sink : public expansion_sink {
 public:
  bool take(const derived_row& row) override;
  bool feeds_prefix_pass() const override { return false; }
  text_t first;  // "" when no Suffix row came
};
