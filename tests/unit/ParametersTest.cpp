// The declared parameters and the install folder behind the import
// folder's default.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakePlatform.h"
#include "plugin/InstallFolder.h"
#include "plugin/Parameters.h"

namespace {

using testing_support::FakePlatform;

TEST(InstallFolder, TrimsAndEndsWithABackslash) {
  const struct {
    std::string registry;
    std::string folder;
  } cases[] = {
      {"", "c:\\VexWin\\"},       {"   ", "c:\\VexWin\\"},
      {"\t\r\n", "c:\\VexWin\\"}, {"D:\\VEX", "D:\\VEX\\"},
      {"D:\\VEX\\", "D:\\VEX\\"}, {"  D:\\Program Files\\VEX  ", "D:\\Program Files\\VEX\\"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.install_folder_value = c.registry;
    EXPECT_EQ(c.folder, edihal::InstallFolder(platform)) << "'" << c.registry << "'";
  }
}

TEST(Parameters, ImportFolderDefaultFollowsTheRegistryAtEveryCall) {
  FakePlatform platform;
  char name[300], description[300], value[300];
  int32_t flag = 5;
  platform.install_folder_value = "E:\\Sklep";
  EXPECT_EQ(6, edihal::DescribeParameter(platform, 401, 0, name, description, value, &flag));
  EXPECT_STREQ("E:\\Sklep\\EDI", value);
  platform.install_folder_value = "";
  edihal::DescribeParameter(platform, 401, 0, name, description, value, &flag);
  EXPECT_STREQ("c:\\VexWin\\EDI", value);
  EXPECT_EQ(0, flag);
}

}  // namespace
