#include "kit/base_folder.h"

#include "common/file.h"
#include "tests/test_support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace {

// A fresh folder, its path ending in a slash; "" when none can be made.
std::string make_temp_folder() {
  const std::string made = test_support::make_temp_folder("vx_base_folder");
  return made.empty() ? made : made + "/";
}

}  // namespace

TEST(BaseFolder, IsTheExecutablesFolderWithItsSettingsFolderCreated) {
  const std::string folder = make_temp_folder();
  ASSERT_FALSE(folder.empty());
  find_base_folder_and_settings(from_utf8(folder + "vocabrix"), u"/elsewhere/");
  EXPECT_EQ(base_folder(), from_utf8(folder));
  EXPECT_EQ(settings_folder(), from_utf8(folder + "settings/"));
  EXPECT_EQ(file_size_by_path(from_utf8(folder + "settings")), -2);
  test_support::remove_folder(folder);
}

TEST(BaseFolder, FallsBackToTheCurrentFolder) {
  const std::string folder = make_temp_folder();
  find_base_folder_and_settings(u"vocabrix", from_utf8(folder));
  EXPECT_EQ(base_folder(), from_utf8(folder));
  EXPECT_EQ(file_size_by_path(from_utf8(folder + "settings")), -2);
  test_support::remove_folder(folder);
}

TEST(BaseFolder, AFileNamedSettingsIsLeftAlone) {
  const std::string folder = make_temp_folder();
  { std::ofstream(folder + "settings") << "not a folder"; }
  find_base_folder_and_settings(from_utf8(folder + "vocabrix"), u"/");
  EXPECT_EQ(file_size_by_path(from_utf8(folder + "settings")), 12);
  test_support::remove_folder(folder);
}
