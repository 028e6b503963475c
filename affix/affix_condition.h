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

#include <cstdint>
#include <vector>

enum class condition_anchor : uint8_t { suffix, prefix };

class affix_condition {
 public:
  affix_condition() = default;
  affix_condition(text_view condition, condition_anchor anchor);

  bool matches(text_view word) const;
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
    bool accepts(char16_t u) const;
  };
  bool matches_units(text_view word, bool& undecided) const;
  const compiled_regex& regex() const;

  text_t text_;
  condition_anchor anchor_ = condition_anchor::suffix;
  bool simple_ = false;
  std::vector<element> elements_;
  mutable compiled_regex regex_;
  mutable bool regex_ready_ = false;
};
