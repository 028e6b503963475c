// File > Open of an AutoText collection: its BlockList.xml and the entry
// file of its first block. Input: the index, U+001E, that entry's XML.
#include "editors/autocorrect/autotext_file.h"
#include "fuzz/fuzz_support.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto parts = fuzz::split_parts(data, size, 2);
  const std::string folder = fuzz::work_folder() + "/autotext";
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  std::filesystem::create_directories(folder, ec);
  const text_t index = fuzz::write_file("autotext/BlockList.xml", parts[0]);
  const std::vector<autotext_record> records = autotext_index_records(from_utf8(std::string(parts[0])));
  if (!records.empty() && autotext_name_stays_in_folder(records[0].abbreviated_name) &&
      !records[0].abbreviated_name.empty() && records[0].abbreviated_name.size() < 64) {
    const std::string name = to_utf8(records[0].abbreviated_name);
    std::filesystem::create_directories(folder + "/" + name, ec);
    fuzz::write_file("autotext/" + name + "/content.xml", parts[1]);
  }
  fuzz::yes_host host;
  autotext_document_record doc;
  load_autotext_list_file(index, host, doc);
  for (size_t i = 0; i < doc.records.size(); ++i) autotext_row_text(static_cast<int64_t>(i), doc.records[i]);
  return 0;
}
