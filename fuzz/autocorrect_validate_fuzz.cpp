// Autocorrect Validate: a block list checked against a dictionary's word
// forms. Input: the .dic, U+001E, the .aff, U+001E, the block-list .xml.
#include "editors/autocorrect/autocorrect_validate.h"
#include "editors/autocorrect/block_list_file.h"
#include "fuzz/dictionary_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = fuzz::split_parts(data, size, 3);
  fuzz::loaded_dictionary d;
  fuzz::load_dictionary(parts[0], parts[1], d);
  fuzz::yes_host host;
  list_document list;
  const block_list_result r = load_autocorrect_list_file(fuzz::write_file("DocumentList.xml", parts[2]), host, list,
                                                         [](text_view, text_view, int) { return 6; });
  if (r.status != block_list_status::ok) return 0;
  list_document none;
  int64_t log_units = 0;
  const autocorrect_validate_output out{[&](text_view t) { log_units += static_cast<int64_t>(t.size()); }, {}};
  validate_autocorrect_list(list, d.ok ? d.doc : none, d.cache, 2000000, u",", host, out);
  return 0;
}
