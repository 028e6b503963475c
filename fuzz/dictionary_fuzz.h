// The .dic/.aff pair of a fuzz input: the .dic, a separator, the .aff,
// loaded as File > Open loads a dictionary, with its decode cache built.
#pragma once

#include "affix/aff_cache.h"
#include "common/list_document.h"
#include "dictionary/dic_file.h"
#include "fuzz/fuzz_support.h"

namespace fuzz {

struct loaded_dictionary {
  bool ok = false;
  list_document doc;
  text_t aff_text;
  text_t dic_path;
  aff_decode_cache cache;
};

// parts: the .dic, then the .aff (as split_parts gives them).
inline void load_dictionary(std::string_view dic, std::string_view aff, loaded_dictionary& out) {
  out.dic_path = write_file("fuzz.dic", dic);
  write_file("fuzz.aff", aff);
  yes_host host;
  out.ok = load_dictionary_pair(out.dic_path, host, out.doc, out.aff_text).status == dic_file_status::ok;
  if (out.ok) rebuild_aff_decode_cache(out.cache, out.aff_text);
}

// A whole input that is a pair (the .dic, U+001E, the .aff); false when it
// does not load.
inline bool load_dictionary_input(const uint8_t* data, size_t size, loaded_dictionary& out) {
  const auto parts = split_parts(data, size, 2);
  load_dictionary(parts[0], parts[1], out);
  return out.ok;
}

}  // namespace fuzz
