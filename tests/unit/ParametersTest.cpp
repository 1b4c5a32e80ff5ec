// The import folder's default follows the install folder at every call (the
// install folder itself: tables/export.txt).
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "FakePlatform.h"
#include "boundary/Parameters.h"

namespace {

using testing_support::FakePlatform;

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
