#include "shell/shell_state.h"

#include "common/file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string make_temp_folder() {
  char pattern[] = "/tmp/vx_shell_state_XXXXXX";
  const char* made = mkdtemp(pattern);
  return made ? std::string(made) + "/" : std::string();
}

}  // namespace

TEST(BaseFolder, IsTheExecutablesFolderWithItsSettingsFolderCreated) {
  const std::string folder = make_temp_folder();
  ASSERT_FALSE(folder.empty());
  find_base_folder_and_settings(from_utf8(folder + "vocabrix"), u"/elsewhere/");
  EXPECT_EQ(base_folder, from_utf8(folder));
  EXPECT_EQ(settings_folder(), from_utf8(folder + "settings/"));
  EXPECT_EQ(file_size_by_path(from_utf8(folder + "settings")), -2);
  std::system(("rm -rf '" + folder + "'").c_str());
}

TEST(BaseFolder, FallsBackToTheCurrentFolder) {
  const std::string folder = make_temp_folder();
  find_base_folder_and_settings(u"vocabrix", from_utf8(folder));
  EXPECT_EQ(base_folder, from_utf8(folder));
  EXPECT_EQ(file_size_by_path(from_utf8(folder + "settings")), -2);
  std::system(("rm -rf '" + folder + "'").c_str());
}

TEST(BaseFolder, AFileNamedSettingsIsLeftAlone) {
  const std::string folder = make_temp_folder();
  { std::ofstream(folder + "settings") << "not a folder"; }
  find_base_folder_and_settings(from_utf8(folder + "vocabrix"), u"/");
  EXPECT_EQ(file_size_by_path(from_utf8(folder + "settings")), 12);
  std::system(("rm -rf '" + folder + "'").c_str());
}
