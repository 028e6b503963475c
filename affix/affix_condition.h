// The condition of an affix rule: a regular expression tested against the
// word, anchored at its end (suffixes) or its start (prefixes).
//
// Conditions are compiled once when the decode cache is built. The common
// forms (literal units, ".", "[...]" and "[^...]") are matched unit by unit
// without the regex engine; everything else goes to PCRE. Both give the same
// answer: the unit matcher hands a word over to PCRE whenever a surrogate or
// a line feed could make code points and units disagree.
#pragma once

#include "common/regex.h"
#include "common/text.h"

#include <array>
#include <cstdint>
#include <vector>

enum class condition_anchor : uint8_t { suffix, prefix };

class affix_condition {
 public:
  affix_condition() = default;
  affix_condition(text_view condition, condition_anchor anchor);

  [[gnu::always_inline]] bool matches(text_view word) const {
    if (simple_) {
      const int r = match_units(word);
      if (r >= 0) return r != 0;
    }
    return matches_by_regex(word);
  }
  // The unit matcher handles this condition (PCRE is used only as fallback).
  bool is_simple() const { return simple_; }
  // PCRE's answer alone, for tests of the unit matcher.
  bool matches_by_regex(text_view word) const;
  const text_t& text() const { return text_; }
  // The literal unit the condition demands at the anchored end of the word
  // (its last unit for a suffix, its first for a prefix); 0 when none.
  char16_t anchored_literal() const;

 private:
  struct element {
    enum kind_t : uint8_t { literal, any, set, negated_set } kind;
    char16_t unit = 0;
    text_t units;  // members of a set
    bool accepts_high(char16_t u) const;  // for units from 256 up
  };
  // The units below 256 an element accepts, one bit each: most words and
  // most conditions need no more than this table.
  using low_table = std::array<uint64_t, 4>;
  static low_table low_table_of(const element& e);
  // The unit matcher's answer: 1 match, 0 no match, -1 PCRE must decide (a
  // surrogate where code points and units could disagree, or a final line
  // feed, where PCRE's "$" also matches).
  [[gnu::always_inline]] int match_units(text_view word) const {
    const size_t k = tables_.size(), n = word.size();
    // Fewer units than elements means fewer code points too.
    if (n < k) return 0;
    if (n > 0 && word[n - 1] == u'\n') return -1;
    // From the anchored end inwards: where every unit up to a mismatch is
    // no surrogate, code points and units agree up to there, so PCRE too
    // says no. A surrogate met first, or one just outside the window (a
    // pair cut in two), leaves the answer to PCRE.
    const low_table* t = tables_.data();
    if (anchor_ == condition_anchor::suffix) {
      const char16_t* w = word.data() + (n - k);
      for (size_t i = k; i-- > 0;) {
        const char16_t u = w[i];
        if (u >= 256) {
          if (const int fits = high_unit_fits(i, u); fits != 1) return fits;
        } else if (((t[i][u >> 6] >> (u & 63)) & 1) == 0) {
          return 0;
        }
      }
      if (n > k && is_surrogate_unit(w[-1])) return -1;
    } else {
      const char16_t* w = word.data();
      for (size_t i = 0; i < k; ++i) {
        const char16_t u = w[i];
        if (u >= 256) {
          if (const int fits = high_unit_fits(i, u); fits != 1) return fits;
        } else if (((t[i][u >> 6] >> (u & 63)) & 1) == 0) {
          return 0;
        }
      }
      if (n > k && is_surrogate_unit(w[k])) return -1;
    }
    return 1;
  }
  // For a unit from 256 up: 1 when it fits element i, 0 when it does not,
  // -1 for a surrogate (PCRE decides).
  [[gnu::always_inline]] int high_unit_fits(size_t i, char16_t u) const {
    if (is_surrogate_unit(u)) return -1;
    return elements_[i].accepts_high(u) ? 1 : 0;
  }
  static bool is_surrogate_unit(char16_t u) { return u >= 0xD800 && u <= 0xDFFF; }
  const compiled_regex& regex() const;

  text_t text_;
  condition_anchor anchor_ = condition_anchor::suffix;
  bool simple_ = false;
  std::vector<element> elements_;
  std::vector<low_table> tables_;  // by element
  mutable compiled_regex regex_;
  mutable bool regex_ready_ = false;
};
