// Every whole-thesaurus tool of the Thesaurus menu on a loaded .dat, each on
// a copy of the document as loaded. Input: the .dat (its .idx empty).
#include "editors/thesaurus/thesaurus_file.h"
#include "editors/thesaurus/thesaurus_tools.h"
#include "fuzz/fuzz_support.h"

#include <functional>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const text_t dat = fuzz::write_file("fuzz.dat", std::string_view(reinterpret_cast<const char*>(data), size));
  fuzz::write_file("fuzz.idx", "");
  list_document loaded;
  text_t encoding;
  {
    fuzz::yes_host host;
    if (load_thesaurus_pair(dat, host, loaded, encoding).status != thesaurus_file_status::ok) return 0;
  }
  const std::function<void(list_document&, long_job_host&)> tools[] = {
      [](list_document& d, long_job_host& h) { fix_thesaurus_entry_spaces(d, u",", h); },
      [](list_document& d, long_job_host& h) { sort_or_unduplicate_thesaurus_meanings(d, true, false, h); },
      [](list_document& d, long_job_host& h) { sort_or_unduplicate_thesaurus_meanings(d, false, true, h); },
      [](list_document& d, long_job_host& h) { clean_thesaurus_entry_symbols(d, {}, u",", h); },
      [](list_document& d, long_job_host& h) { extract_thesaurus(d, fuzz::output_path("book.txt"), true, u",", h); },
      [](list_document& d, long_job_host& h) { sort_thesaurus_on_meaning_count(d, u",", h); },
      [](list_document& d, long_job_host& h) { combine_thesaurus_synonyms(d, h); },
      [](list_document& d, long_job_host& h) {
        thesaurus_duplicates_scan scan = scan_thesaurus_duplicates(d, h);
        if (scan.aborted) return;
        export_thesaurus_duplicates(scan.rows, fuzz::output_path("duplicates.txt"), u",");
        merge_thesaurus_duplicates(d, std::move(scan), u",", h);
      },
  };
  for (const auto& tool : tools) {
    list_document doc = loaded;
    fuzz::yes_host host;
    tool(doc, host);
  }
  return 0;
}
