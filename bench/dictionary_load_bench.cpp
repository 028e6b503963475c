// Loads and saves real .dic/.aff pairs through the program's own loader and
// saver, printing entries, bytes and milliseconds for each.
//
//   dictionary_load_bench [output folder] [dictionary stems...]
//
// Stems default to Debian's en_US, de_DE and fr in /usr/share/hunspell/; a
// 1,000,000-line .dic made by repeating en_US is measured too. The output
// folder (default /tmp) receives the saved pairs.
#include "bench/bench_support.h"
#include "common/long_job.h"
#include "dictionary/dic_file.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

double ms_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// A .dic of `lines` entries made by repeating the entries of source.
bool make_repeated_dic(const std::string& source_dic, const std::string& source_aff, const std::string& stem,
                       int64_t lines) {
  std::ifstream in(source_dic, std::ios::binary);
  if (!in) return false;
  std::string count_line;
  std::getline(in, count_line);
  std::vector<std::string> words;
  for (std::string w; std::getline(in, w);) words.push_back(w);
  if (words.empty()) return false;
  std::ofstream out(stem + ".dic", std::ios::binary | std::ios::trunc);
  out << lines << '\n';
  for (int64_t i = 0; i < lines; ++i) out << words[static_cast<size_t>(i) % words.size()] << '\n';
  std::ifstream aff_in(source_aff, std::ios::binary);
  std::ofstream aff_out(stem + ".aff", std::ios::binary | std::ios::trunc);
  aff_out << aff_in.rdbuf();
  return static_cast<bool>(out) && static_cast<bool>(aff_out);
}

bool measure(const std::string& dic_path, const std::string& out_folder, const std::string& name) {
  bench::clock_polling_host host;
  list_document doc;
  text_t aff;
  auto start = std::chrono::steady_clock::now();
  dic_file_result loaded = load_dictionary_pair(T(dic_path.c_str()), host, doc, aff);
  double load_ms = ms_since(start);
  if (loaded.status != dic_file_status::ok) {
    std::printf("%-12s load failed: %s\n", name.c_str(), to_utf8(loaded.message).c_str());
    return false;
  }
  int64_t load_polls = host.polls;
  std::string target = out_folder + "/" + name + "_saved.dic";
  start = std::chrono::steady_clock::now();
  dic_file_result saved = save_dictionary_pair(T(target.c_str()), doc, aff, host);
  double save_ms = ms_since(start);
  if (saved.status != dic_file_status::ok) {
    std::printf("%-12s save failed: %s\n", name.c_str(), to_utf8(saved.message).c_str());
    return false;
  }
  std::printf("%-12s load %9lld entries %11lld bytes (aff %8lld) %8.1f ms (%lld polls) | save %11lld bytes %8.1f ms\n",
              name.c_str(), static_cast<long long>(loaded.entries), static_cast<long long>(loaded.dic_size),
              static_cast<long long>(loaded.aff_size), load_ms, static_cast<long long>(load_polls),
              static_cast<long long>(saved.dic_size), save_ms);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out_folder = argc > 1 ? argv[1] : "/tmp";
  std::vector<std::string> stems;
  for (int i = 2; i < argc; ++i) stems.push_back(argv[i]);
  if (stems.empty()) stems = {"en_US", "de_DE", "fr"};
  bool ok = true;
  for (const std::string& stem : stems) {
    std::string dic = stem.find('/') == std::string::npos ? "/usr/share/hunspell/" + stem + ".dic" : stem;
    std::string name = stem.substr(stem.rfind('/') + 1);
    ok = measure(dic, out_folder, name) && ok;
  }
  std::string big = out_folder + "/repeated_1m";
  if (make_repeated_dic("/usr/share/hunspell/en_US.dic", "/usr/share/hunspell/en_US.aff", big, 1000000)) {
    ok = measure(big + ".dic", out_folder, "repeated_1m") && ok;
  } else {
    std::printf("repeated_1m  skipped: /usr/share/hunspell/en_US.dic not readable\n");
  }
  return ok ? 0 : 1;
}
