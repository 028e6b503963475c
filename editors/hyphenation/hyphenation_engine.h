// Liang's pattern hyphenation over the text of a pattern file.
//
// Words and patterns are held in their spaced form: each character followed
// by one gap, so "ab" is "a b ". A gap holds a space (no value), "1" to "9"
// or a line feed (a forced break, stronger than every digit). A pattern
// line splits into its letters ("a1b" gives "a b") and its digits ("a1b"),
// both in that shape; a line that begins with a value starts with the gap
// before its first letter (" a b" and "1a b" for "1ab").
//
// Values only ever land in the gaps between a word's characters: a word's
// own digits, "-", "." and spaces stay as they are.
//
// The table is parsed once per changed rules text; hyphenating a word walks
// a trie of the patterns' lower-cased letters from every position of the
// word, so the cost does not grow with the number of patterns.
#pragma once

#include "common/long_job.h"
#include "common/text.h"

#include <cstdint>
#include <functional>
#include <vector>

// Splits one pattern line into its letters and digits (spaced forms).
struct hyphenation_pattern_split {
  text_t letters;
  text_t digits;
};
hyphenation_pattern_split split_hyphenation_pattern(text_view line);

// What a line of the rules is (keywords are case-sensitive).
enum class hyphenation_line_kind {
  pattern,        // every other line, an empty one included
  left_min,       // "LEFTHYPHENMIN n"
  right_min,      // "RIGHTHYPHENMIN n"
  compound_min,   // "COMPOUNDLEFTHYPHENMIN n", "COMPOUNDRIGHTHYPHENMIN n": read, not kept
  skipped,        // the "UTF-8" line (whatever follows) and "%" comments
};
hyphenation_line_kind classify_hyphenation_line(text_view line);

// The parsed rules.
struct hyphenation_decode_cache {
  // The rules text (line ends LF) the table was last built from; "" at start.
  text_t hyphenation_rules_snapshot;
  // Per pattern line k (1-based, file order); element 0 stays empty.
  std::vector<text_t> hyphenation_pattern_letters{text_t()};
  std::vector<text_t> hyphenation_pattern_digits{text_t()};
  int64_t left_hyphen_min = 1;
  int64_t right_hyphen_min = 1;

  int64_t pattern_count() const { return static_cast<int64_t>(hyphenation_pattern_letters.size()) - 1; }

  // The search structure (built with the arrays). In both the spaced word
  // and a pattern's letters every second unit is a gap space, so a pattern
  // whose letters are not all spaces can only hit with its letters on the
  // word's characters: the trie is keyed by those letters alone. A pattern
  // that begins with a value hits one gap earlier ("lead"); the values are
  // kept apart for that reason. Patterns whose letters are all spaces can
  // also hit between the characters and are searched one by one, as are
  // patterns of more letters than any real one has.
  struct value_group {
    uint32_t first = 0;  // into values
    uint32_t count = 0;
    bool any = false;    // a pattern of this kind ends here
    bool starts_with_dot = false;
    bool ends_with_dot = false;
  };
  struct trie_values {
    value_group plain;  // values at pattern index m fall on spaced index 2i + m
    value_group lead;   // ... on 2i - 1 + m (i: the word position of the first letter)
  };
  struct value_at {
    uint32_t offset;  // index into the pattern's digits string
    uint8_t value;    // 1..9, or hyphenation_forced_break
  };
  // Nodes in breadth-first order, each with its edges side by side, sorted
  // by unit; the root's edges for units below 128 also by direct index.
  struct trie_node {
    uint32_t first_edge = 0;
    uint32_t edge_count = 0;
    int32_t terminal = -1;  // index into terminals, -1 none
  };
  struct trie_edge {
    char16_t unit;
    uint32_t target;
  };
  std::vector<trie_node> nodes;
  std::vector<trie_edge> edges;
  std::vector<uint32_t> root_ascii;  // 128 targets, 0 none
  std::vector<trie_values> terminals;
  std::vector<value_at> values;
  // Pattern numbers matched one by one, shortest letters first: those whose
  // letters are all spaces, and those too long for the trie.
  std::vector<uint32_t> searched_patterns;
};

inline constexpr uint8_t hyphenation_forced_break = 10;

enum class hyphenation_rules_status : int {
  ready = 1,         // built now, or already current
  not_utf8 = 0,      // "Hyphenation rules must start with \"UTF-8\"."
  no_final_lf = -1,  // "Rules must end with an #LF$ (RETURN)"
  no_rules = -2,     // "No Rules to parse."
  aborted = -3,      // Escape confirmed during the build: the table is as it was
};
// The refusal's text for a "Warning!" box; "" for ready.
text_t hyphenation_rules_message(hyphenation_rules_status status);

// Builds the table from the rules text (line ends are normalised here) under
// a job "Optimising Hyphenation decode cache... <ESC> to abort.", or returns
// ready at once when the text is the one last parsed. The cost grows with
// the length of the text, however its lines are made. A refused text is
// reported in a "Warning!" box through the host; it and an aborted build
// leave the table (and its snapshot, so the next call builds again) as it was.
hyphenation_rules_status build_hyphenation_decode_cache(hyphenation_decode_cache& cache, text_view rules_text,
                                                        long_job_host& host);

// Test seam: once the lines are parsed, the build keeps polling (Escape
// included) while hold returns true. An empty function holds nothing.
void set_hyphenation_build_hold(std::function<bool()> hold);

// One word hyphenated: the word with "-" at its breaks, and the rule text
// (the word with the gap values before the minima were applied, "-" for a
// forced break, "." before or after it when a pattern of the word's start or
// end had a hit).
struct hyphenated_word {
  text_t word;
  text_t rule;
  bool no_matches = false;  // the word equals its rule text
};
hyphenated_word hyphenate_word(const hyphenation_decode_cache& cache, text_view word);

// The character at the 1-based position replaced by "2" (an even value: no
// break); positions outside the text change nothing.
text_t suppress_hyphenation_point(text_view text, int64_t position);

// The rows of the results list: the form to hyphenate in, the hyphenated
// form and its rule out.
struct hyphenation_row {
  text_t word;
  text_t rule;
  bool no_matches = false;
};

// Hyphenates every row under an abortable job ("Parsing rules against
// words:" r/rows); returns the number of rows done, fewer than all when the
// user stopped it: the row in hand and the later rows stay as they were.
int64_t apply_hyphenation_patterns(const hyphenation_decode_cache& cache, std::vector<hyphenation_row>& rows,
                                long_job_host& host);
