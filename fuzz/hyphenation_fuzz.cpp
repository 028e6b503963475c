// The Hyphenation tab: a pattern file opened, its rules built and applied
// to words. Input: the pattern file, U+001E, the words (one per line).
#include "editors/hyphenation/hyphenation_engine.h"
#include "editors/hyphenation/hyphenation_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = fuzz::split_parts(data, size, 2);
  fuzz::yes_host host;
  const hyphenation_file_result loaded = load_hyphenation_file(fuzz::write_file("hyph.dic", parts[0]), host);
  if (loaded.status != hyphenation_file_status::ok) return 0;
  hyphenation_decode_cache cache;
  if (build_hyphenation_decode_cache(cache, loaded.text, host) != hyphenation_rules_status::ready) return 0;
  std::vector<hyphenation_row> rows;
  for (const char16_t* w : {u"hyphenation", u"Silbentrennung", u"a", u""}) rows.push_back({w, {}, false});
  const text_t words = from_utf8(std::string(parts[1]));
  for (size_t begin = 0; begin < words.size() && rows.size() < 1000;) {
    size_t end = words.find(u'\n', begin);
    if (end == text_t::npos) end = words.size();
    rows.push_back({words.substr(begin, end - begin), {}, false});
    begin = end + 1;
  }
  apply_hyphenation_patterns(cache, rows, host);
  save_hyphenation_file(fuzz::output_path("saved.dic"), loaded.text, host);
  return 0;
}
