// Helpers of the affix engine tests: build the cache from a text, expand an
// entry and read back what the output step produced.
#pragma once

#include "affix/aff_cache.h"
#include "affix/affix_expansion.h"

#include <string>
#include <vector>

inline void use_aff(const std::string& aff_utf8) {
  invalidate_aff_decode_cache();
  rebuild_aff_decode_cache(from_utf8(aff_utf8));
}

// The derived words of an entry (mode 4, every row), in emission order.
inline std::vector<std::string> derived_of(const std::string& entry) {
  expanded_words.clear();
  expanded_word_count = 0;
  int64_t n = expand_word_affixes(4, from_utf8(entry), 0, 0, 0, u"", u"", u"", 0, 0);
  std::vector<std::string> out;
  for (int64_t i = 0; i < n; ++i) out.push_back(to_utf8(expanded_words[i]));
  return out;
}

// "Type word" per row of the word editor's list (mode 1).
inline std::vector<std::string> typed_rows_of(const std::string& entry) {
  expand_word_affixes(1, from_utf8(entry), 0, 0, 0, u"", u"", u"", 0, 0);
  std::vector<std::string> out;
  for (const auto& r : derived_word_rows) out.push_back(to_utf8(r.type) + " " + to_utf8(r.word));
  return out;
}
