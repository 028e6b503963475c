// Regular expressions over PCRE 8.x, compiled with UTF-8 and
// dot-matches-newline. Compiled patterns are cached by their text, so a
// pattern used again is never compiled twice.
#pragma once

#include "common/text.h"

#include <cstdint>
#include <memory>
#include <string>

// One compiled pattern. Copies share the compiled code.
class compiled_regex {
 public:
  compiled_regex() = default;
  // Compiles (or takes from the cache) the pattern; valid() is false when it
  // does not compile, and such a pattern never matches.
  explicit compiled_regex(std::string_view utf8_pattern);
  // The same without dot-matches-newline when dot_matches_newline is false.
  compiled_regex(std::string_view utf8_pattern, bool dot_matches_newline);
  bool valid() const { return code_ != nullptr; }
  // True when the expression matches anywhere in the UTF-8 subject.
  bool matches(std::string_view utf8_subject) const;
  bool matches(text_view subject) const;
  // The same giving up after match_limit backtracking steps (0: PCRE's
  // default); a run that gives up is no match.
  bool matches_bounded(text_view subject, unsigned long match_limit) const;
  // How many patterns were compiled in this process (cache hits excluded).
  static int64_t compilations();

 private:
  std::shared_ptr<struct regex_code> code_;
};

// The numbered service: regex_create(497, pattern, 4) and friends.
int regex_create(int n, text_view pattern, int flags);
int regex_match(int n, text_view subject);
void regex_free(int n);  // -1: every one
