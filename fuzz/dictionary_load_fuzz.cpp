// File > Open of a .dic/.aff pair, its decode cache, and File > Save.
// Input: the .dic, U+001E, the .aff.
#include "fuzz/dictionary_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::loaded_dictionary d;
  if (!fuzz::load_dictionary_input(data, size, d)) return 0;
  fuzz::yes_host host;
  save_dictionary_pair(fuzz::output_path("saved.dic"), d.doc, d.aff_text, host);
  return 0;
}
