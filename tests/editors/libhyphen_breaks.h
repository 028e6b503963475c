// libhyphen's reading of a word, for the tests that take the standard
// hyphenation library as their oracle.
#pragma once

#include <hyphen.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

// The hyphen values libhyphen gives the word, given in the file's own bytes
// (an odd value: a break after that place). For a UTF-8 file libhyphen
// numbers the places by character.
inline std::vector<char> libhyphen_values(HyphenDict* dict, const std::string& bytes) {
  std::vector<char> hyphens(bytes.size() + 5);
  char** rep = nullptr;
  int* pos = nullptr;
  int* cut = nullptr;
  hnj_hyphen_hyphenate2(dict, bytes.c_str(), static_cast<int>(bytes.size()), hyphens.data(), nullptr, &rep, &pos,
                        &cut);
  if (rep) {
    for (size_t i = 0; i < bytes.size(); ++i) std::free(rep[i]);
    std::free(rep);
    std::free(pos);
    std::free(cut);
  }
  return hyphens;
}

// The word, given in the file's own bytes, with "-" at each break libhyphen
// finds.
inline std::string libhyphen_breaks(HyphenDict* dict, const std::string& bytes) {
  const std::vector<char> hyphens = libhyphen_values(dict, bytes);
  std::string out;
  size_t character = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    out.push_back(bytes[i]);
    const bool last_byte = !dict->utf8 || i + 1 == bytes.size() || (bytes[i + 1] & 0xC0) != 0x80;
    if (!last_byte) continue;
    if ((hyphens[character] & 1) && i + 1 < bytes.size()) out.push_back('-');
    ++character;
  }
  return out;
}

struct hyphen_dict_free {
  void operator()(HyphenDict* d) const { hnj_hyphen_free(d); }
};
using hyphen_dict = std::unique_ptr<HyphenDict, hyphen_dict_free>;
