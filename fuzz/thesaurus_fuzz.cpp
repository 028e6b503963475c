// File > Open of a thesaurus .dat (its .idx made beside it), then File >
// Save of the pair. Input: the .dat.
#include "editors/thesaurus/thesaurus_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const text_t dat = fuzz::write_file("fuzz.dat", std::string_view(reinterpret_cast<const char*>(data), size));
  fuzz::write_file("fuzz.idx", "");
  fuzz::yes_host host;
  list_document doc;
  text_t encoding;
  if (load_thesaurus_pair(dat, host, doc, encoding).status != thesaurus_file_status::ok) return 0;
  save_thesaurus_pair(fuzz::output_path("saved.dat"), doc, encoding, host);
  return 0;
}
