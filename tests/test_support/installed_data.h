// Installed data a test was written for. A test that expects exact figures
// of a file of Debian's language packages first checks that the installed
// file is that one (another package may put its own file under the same
// name, as hunspell-de-de-frami does with de_DE.dic), and otherwise skips,
// saying which file it was written for.
#pragma once

#include "temp_folder.h"

#include <cstdint>
#include <initializer_list>
#include <string>

namespace test_support {

// FNV-1a (64 bits) of a file's bytes; 0 when it cannot be read.
inline uint64_t file_fingerprint(const std::string& path) {
  const std::string bytes = read_file(path);
  if (bytes.empty()) return 0;
  uint64_t h = 0xcbf29ce484222325ULL;
  for (unsigned char c : bytes) {
    h ^= c;
    h *= 0x100000001b3ULL;
  }
  return h;
}

// True when the file at path is the one whose fingerprint is given.
inline bool is_installed_file(const std::string& path, uint64_t fingerprint) {
  return file_fingerprint(path) == fingerprint;
}

// The files the tests were written for (Debian 12's packages).
struct known_file {
  const char* path;
  uint64_t fingerprint;
  const char* package;  // named when a test skips
};
inline constexpr known_file kEnUsDic{"/usr/share/hunspell/en_US.dic", 0xd87e6025a9812ec6ULL, "hunspell-en-us 1:2020.12.07-2"};
inline constexpr known_file kEnUsAff{"/usr/share/hunspell/en_US.aff", 0x4c157c55b7630012ULL, "hunspell-en-us 1:2020.12.07-2"};
inline constexpr known_file kDeDeDic{"/usr/share/hunspell/de_DE.dic", 0x1d8e240d3be0fae7ULL, "hunspell-de-de 20161207-11"};
inline constexpr known_file kDeDeAff{"/usr/share/hunspell/de_DE.aff", 0xf4094e95ba92dc16ULL, "hunspell-de-de 20161207-11"};
inline constexpr known_file kHyphEnUs{"/usr/share/hyphen/hyph_en_US.dic", 0x214837bfc8037232ULL, "hyphen-en-us 2.8.8-7"};
inline constexpr known_file kThEnUsDat{"/usr/share/mythes/th_en_US_v2.dat", 0xc4ff06884124a987ULL, "mythes-en-us 1:7.5.0-1"};
inline constexpr known_file kThEnUsIdx{"/usr/share/mythes/th_en_US_v2.idx", 0x4c1e0515712778cfULL, "mythes-en-us 1:7.5.0-1"};

// "" when the installed file is the known one; else why a test skips.
inline std::string installed_mismatch(const known_file& f) {
  if (is_installed_file(f.path, f.fingerprint)) return {};
  return std::string(f.path) + " is not the file of " + f.package + " this test was written for";
}

// The first mismatch of several files a test needs together ("" when all match).
inline std::string installed_mismatch(std::initializer_list<known_file> files) {
  for (const known_file& f : files)
    if (std::string why = installed_mismatch(f); !why.empty()) return why;
  return {};
}

}  // namespace test_support
