// The word-list tools on a text file: its decoding, Sort, Delete
// duplicates, XML references to accents, and the master word list compared
// with it. Input: the list, U+001E, the master list.
#include "fuzz/fuzz_support.h"
#include "tools/master_wordlist.h"
#include "tools/wordlist_tools.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = fuzz::split_parts(data, size, 2);
  const text_t list = fuzz::write_file("list.txt", parts[0]);
  const text_t master = fuzz::write_file("master.txt", parts[1]);
  fuzz::yes_host host;
  text_t text;
  if (read_word_list_file(list, host, text) == word_list_read_status::ok) {
    sort_small_wordlist(text, host);
    delete_duplicate_lines(text, host);
    convert_xml_tags_to_accents(text, host);
  }
  compare_with_master(master, {list}, host);
  return 0;
}
