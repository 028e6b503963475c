// Small dictionaries for the tests of the dictionary tools: .dic lines made
// into a document, the .aff text made the decode cache.
#pragma once

#include "affix/aff_cache.h"
#include "tests/affix/test_cache.h"
#include "common/dic_entry.h"
#include "common/list_document.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <string>
#include <vector>

namespace dictionary_fixtures {

// The lines as a loaded .dic holds them (the first TAB of each becomes LF).
inline list_document doc_of(const std::vector<std::string>& lines) {
  std::vector<text_t> entries;
  for (const auto& s : lines) {
    entries.push_back(from_utf8(s));
    dic_line_to_entry(entries.back());
  }
  list_document doc;
  doc.replace_all(std::move(entries), u"");
  return doc;
}

inline std::vector<std::string> lines_of(const list_document& doc) {
  std::vector<std::string> out;
  for (const text_view e : doc.entries()) out.push_back(to_utf8(dic_entry_to_line(e)));
  return out;
}

inline void use_aff(const std::string& aff) {
  invalidate_aff_decode_cache(test_cache);
  rebuild_aff_decode_cache(test_cache, from_utf8(aff));
}

// Loads an installed dictionary as the program does and builds its decode
// cache (its .aff text into aff_text when given); false when the
// dictionary is not installed (the test skips).
inline bool load_installed_dictionary(const char* dic, list_document& doc, text_t* aff_text = nullptr) {
  if (!std::filesystem::exists(dic)) return false;
  text_t aff;
  headless_long_job_host host;
  EXPECT_EQ(load_dictionary_pair(from_utf8(dic), host, doc, aff).status, dic_file_status::ok) << dic;
  invalidate_aff_decode_cache(test_cache);
  rebuild_aff_decode_cache(test_cache, aff);
  if (aff_text) *aff_text = std::move(aff);
  return true;
}

}  // namespace dictionary_fixtures
