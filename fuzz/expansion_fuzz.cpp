// Dictionary Tools > Extract wordlist: every entry expanded into a file, as
// lines and as CSV rows. Input: the .dic, U+001E, the .aff.
#include "dictionary/wordlist_extraction.h"
#include "fuzz/dictionary_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::loaded_dictionary d;
  if (!fuzz::load_dictionary_input(data, size, d)) return 0;
  for (int type : {EXTRACT_ALL_TXT, EXTRACT_ALL_CSV, EXTRACT_COMPOUNDS_LANGUAGETOOL}) {
    fuzz::yes_host host;
    // The preferences' default: asked once past two million words.
    extract_wordlist_to_file(d.doc, d.cache, type, fuzz::output_path("words.txt"), 2000000, u",", host);
  }
  return 0;
}
