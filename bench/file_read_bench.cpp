// Line reading speed: the installed Hunspell dictionaries and a generated
// file of 1,000,000 lines, each read through file_read_line in UTF-8.
#include "common/date_time.h"
#include "common/file.h"

#include <cstdio>
#include <string>

namespace {

void measure(const std::string& path) {
  text_t p = from_utf8(path);
  if (!file_open_read(1, p)) {
    std::printf("%-40s missing\n", path.c_str());
    return;
  }
  int64_t start = time_elapsed_ms();
  int format = file_detect_format(1);
  int64_t detected = time_elapsed_ms();
  int64_t lines = 0, units = 0;
  while (!file_at_end(1)) {
    units += static_cast<int64_t>(file_read_line(1, format).size());
    ++lines;
  }
  int64_t end = time_elapsed_ms();
  file_close(1);
  std::printf("%-40s format %2d  %8lld lines  %9lld units  detect %4lld ms  read %4lld ms\n", path.c_str(), format,
              static_cast<long long>(lines), static_cast<long long>(units), static_cast<long long>(detected - start),
              static_cast<long long>(end - detected));
}

}  // namespace

int main(int argc, char** argv) {
  std::string generated = "/tmp/vx_file_read_bench.dic";
  std::string bytes = "1000000\n";
  for (int i = 0; i < 1000000; ++i) {
    text_t word = i % 3 == 0 ? u"Grüße" : u"word";
    word += string_from_int(i);
    word += u"/ABC";
    if (i % 2) word += u"\tpo:noun";
    append_utf8_line(bytes, word);
  }
  if (!write_file_atomically(from_utf8(generated), bytes)) std::printf("could not write %s\n", generated.c_str());
  measure(generated);
  for (const char* dic : {"/usr/share/hunspell/en_US.dic", "/usr/share/hunspell/de_DE.dic", "/usr/share/hunspell/fr.dic"})
    measure(dic);
  for (int i = 1; i < argc; ++i) measure(argv[i]);
  file_delete(from_utf8(generated));
  return 0;
}
