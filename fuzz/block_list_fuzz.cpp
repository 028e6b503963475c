// File > Open of an autocorrect block list (the import question answered
// Yes), then File > Save. Input: the .xml.
#include "editors/autocorrect/block_list_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const text_t path = fuzz::write_file("DocumentList.xml", std::string_view(reinterpret_cast<const char*>(data), size));
  fuzz::yes_host host;
  list_document doc;
  const block_list_result r =
      load_autocorrect_list_file(path, host, doc, [](text_view, text_view, int) { return 6; });
  if (r.status != block_list_status::ok) return 0;
  save_autocorrect_list_file(fuzz::output_path("saved.xml"), doc, 2, host);
  return 0;
}
