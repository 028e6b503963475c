// File > Import Profile of an archive into a settings folder of its own.
// Input: the profile archive.
#include "fuzz/fuzz_support.h"
#include "app/profiles.h"
#include "kit/base_folder.h"

#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string program = fuzz::work_folder() + "/program";
  std::error_code ec;
  std::filesystem::remove_all(program, ec);
  std::filesystem::create_directories(program + "/settings", ec);
  set_base_folder(from_utf8(program + "/"));
  import_profile_from(fuzz::write_file("profile.kwx_profile", std::string_view(reinterpret_cast<const char*>(data), size)));
  return 0;
}
