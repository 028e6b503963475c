// A fresh program folder with an empty settings folder for each test, and
// raw byte access to the files in it.
#pragma once

#include "common/text.h"
#include "kit/base_folder.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

class settings_folder_test : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = test_support::make_temp_folder("vx_settings");
    ASSERT_FALSE(root_.empty());
    std::filesystem::create_directory(root_ + "/settings");
    set_base_folder(from_utf8(root_ + "/"));
  }
  void TearDown() override { test_support::remove_folder(root_); }

  std::string settings(const std::string& name) const { return root_ + "/settings/" + name; }
  std::string root() const { return root_; }

  static void write_bytes(const std::string& path, const std::string& bytes) { test_support::write_file(path, bytes); }
  static std::string read_bytes(const std::string& path) { return test_support::read_file(path); }
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
