// A fresh program folder with an empty settings folder for each test, and
// raw byte access to the files in it.
#pragma once

#include "common/text.h"
#include "shell/settings_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class settings_folder_test : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vx_settings_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    std::filesystem::create_directory(root_ + "/settings");
    base_folder = from_utf8(root_ + "/");
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  std::string settings(const std::string& name) const { return root_ + "/settings/" + name; }
  std::string root() const { return root_; }

  static void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  static std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Little-endian integer bytes.
  static std::string le(int64_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((static_cast<uint64_t>(v) >> (8 * i)) & 0xFF);
    return s;
  }
  // Names in the settings folder (to spot a temporary left behind).
  std::string listing() const {
    std::string names;
    for (const auto& e : std::filesystem::directory_iterator(root_ + "/settings"))
      names += e.path().filename().string() + ";";
    return names;
  }

 private:
  std::string root_;
};
