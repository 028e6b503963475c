// LanguageTool > Open of a grammar file, its rows and the structure export.
// Input: the grammar .xml.
#include "fuzz/fuzz_support.h"
#include "tools/grammar_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const text_t path = fuzz::write_file("grammar.xml", std::string_view(reinterpret_cast<const char*>(data), size));
  fuzz::yes_host host;
  grammar_document_record doc;
  if (load_grammar_file(path, host, doc).status != grammar_file_status::ok) return 0;
  grammar_item_rows(doc);
  grammar_category_list_rows(doc);
  grammar_category_header(doc);
  export_grammar_structure_file(doc, fuzz::output_path("structure.txt"), true, host);
  return 0;
}
