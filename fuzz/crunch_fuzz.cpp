// Dictionary Tools > Crunch with every flag on, match-left 2, kept, the
// decode warning at the preferences' default.
// Input: the .dic, U+001E, the .aff.
#include "affix/crunch.h"
#include "fuzz/dictionary_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::loaded_dictionary d;
  if (!fuzz::load_dictionary_input(data, size, d)) return 0;
  fuzz::yes_host host;
  list_tool_edit edit(d.doc);
  crunch_dictionary(d.doc, d.cache, crunch_window_start_settings(), edit, host, {}, {2000000, u","});
  edit.keep();
  return 0;
}
