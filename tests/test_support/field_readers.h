// The field's own readers as oracles of the tests: the C library's iconv for
// charsets (apart from the program's tables) and Hunspell's command line.
#pragma once

#include "temp_folder.h"

#include <dirent.h>
#include <iconv.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace test_support {

// The bytes converted between charsets by iconv, with the names the field's
// files use; false when iconv cannot convert them.
inline bool iconv_convert(const std::string& bytes, std::string from, std::string to, std::string& out) {
  auto iconv_name = [](std::string name) {
    if (name == "microsoft-cp1251") return std::string("CP1251");
    if (name == "TIS620-2533") return std::string("TIS-620");
    return name;
  };
  iconv_t cd = iconv_open(iconv_name(to).c_str(), iconv_name(from).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  out.assign(bytes.size() * 4 + 16, '\0');
  char* in = const_cast<char*>(bytes.data());
  size_t in_left = bytes.size(), out_left = out.size();
  char* at = out.data();
  const size_t done = iconv(cd, &in, &in_left, &at, &out_left);
  iconv_close(cd);
  if (done == static_cast<size_t>(-1) || in_left != 0) return false;
  out.resize(out.size() - out_left);
  return true;
}
inline bool iconv_to_utf8(const std::string& bytes, const std::string& charset, std::string& out) {
  return iconv_convert(bytes, charset, "UTF-8", out);
}

// The regular files of an installed data folder whose names end in suffix,
// sorted; the links Debian adds for other locales name the same files again.
inline std::vector<std::string> installed_files(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> out;
  if (DIR* dir = opendir(folder.c_str())) {
    while (dirent* e = readdir(dir)) {
      const std::string name = e->d_name;
      const std::string path = folder + "/" + name;
      struct stat st {};
      if (name.size() > suffix.size() && name.ends_with(suffix) && lstat(path.c_str(), &st) == 0 &&
          S_ISREG(st.st_mode))
        out.push_back(path);
    }
    closedir(dir);
  }
  std::sort(out.begin(), out.end());
  return out;
}

inline bool have_hunspell() { return access("/usr/bin/hunspell", X_OK) == 0; }

// Runs hunspell -l on the words (UTF-8, one a line) with the dictionary at
// stem; returns the words it rejects, or "?" when it could not run.
inline std::string hunspell_rejects(const std::string& stem, const std::string& words, const std::string& dir) {
  const std::string in = dir + "/words.txt", out = dir + "/rejected.txt";
  write_file(in, words);
  pid_t pid = fork();
  if (pid == 0) {
    if (!freopen(in.c_str(), "r", stdin) || !freopen(out.c_str(), "w", stdout)) _exit(9);
    execl("/usr/bin/hunspell", "hunspell", "-i", "UTF-8", "-d", stem.c_str(), "-l", static_cast<char*>(nullptr));
    _exit(9);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "?";
  return read_file(out);
}

}  // namespace test_support
