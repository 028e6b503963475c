// Dictionary Tools > Statistics over a pair, and its export text.
// Input: the .dic, U+001E, the .aff.
#include "dictionary/dictionary_statistics.h"
#include "fuzz/dictionary_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::loaded_dictionary d;
  if (!fuzz::load_dictionary_input(data, size, d)) return 0;
  fuzz::yes_host host;
  const dictionary_statistics stats = compute_dictionary_statistics(d.doc, d.cache, u",", host);
  if (stats.aborted) return 0;
  for (int row = 0; row < WORD_TYPE_COUNT; ++row) statistics_type_row(stats, row, u",");
  for (int row = 0; row < FIRST_LETTER_ROWS; ++row) statistics_letter_row(stats, row, u",");
  return 0;
}
