// The duplicates tools over a pair: Dictionary duplicates (scan, Process
// with the default options, OK) and the word-list duplicates of the
// expansion. Input: the .dic, U+001E, the .aff.
#include "common/tool_log.h"
#include "dictionary/dictionary_duplicates.h"
#include "dictionary/wordlist_duplicates.h"
#include "fuzz/dictionary_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::loaded_dictionary d;
  if (!fuzz::load_dictionary_input(data, size, d)) return 0;
  {
    fuzz::yes_host host;
    find_wordlist_duplicates(d.doc, d.cache, host, 2000000, u",");
  }
  fuzz::yes_host host;
  tool_log log;
  const duplicate_scan_result scan = scan_dictionary_duplicates(d.doc, d.cache, host, log);
  list_tool_edit edit(d.doc);
  process_dictionary_duplicates(d.doc, d.cache, edit, scan, duplicates_options_from({0, 0, 0, 1, 1}), host, log);
  keep_dictionary_duplicates_result(d.doc, edit);
  return 0;
}
