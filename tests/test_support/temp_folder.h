// A fresh folder below /tmp for the files of one test, and whole-file byte
// access, for the unit tests that read and write real files.
#pragma once

#include "common/text.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace test_support {

// The whole file, "" when it cannot be read.
inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The names in a folder, sorted (to spot a temporary left behind).
inline std::vector<std::string> folder_names(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(dir, ec)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A new folder /tmp/<prefix>_XXXXXX (no slash at the end), "" when none can
// be made.
inline std::string make_temp_folder(const std::string& prefix) {
  std::string pattern = "/tmp/" + prefix + "_XXXXXX";
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

// Removes the folder with all in it, also after a test made it read-only.
inline bool remove_folder(const std::string& dir) {
  if (dir.empty()) return false;
  chmod(dir.c_str(), 0700);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return !ec;
}

// Runs check in a process that cannot write to a folder owned by root, or
// in this one when it is not root; returns whether check held.
inline bool run_without_write_access(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  pid_t pid = fork();
  if (pid == 0) {
    bool ok = setgid(65534) == 0 && setuid(65534) == 0 && check();
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A fixture whose every test gets its own folder dir_, removed afterwards;
// names are relative to it.
class temp_folder_test : public ::testing::Test {
 protected:
  explicit temp_folder_test(std::string prefix) : prefix_(std::move(prefix)) {}
  void SetUp() override {
    dir_ = make_temp_folder(prefix_);
    ASSERT_FALSE(dir_.empty()) << "cannot make a folder in /tmp";
  }
  void TearDown() override { ASSERT_TRUE(remove_folder(dir_)) << dir_; }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  text_t tpath(const std::string& name) const { return from_utf8(path(name)); }
  void write_bytes(const std::string& name, const std::string& bytes) const { write_file(path(name), bytes); }
  std::string read_bytes(const std::string& name) const { return read_file(path(name)); }
  std::vector<std::string> folder_names() const { return test_support::folder_names(dir_); }

  std::string dir_;

 private:
  std::string prefix_;
};

}  // namespace test_support
