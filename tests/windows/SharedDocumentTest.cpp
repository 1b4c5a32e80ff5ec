// A file the module writes while another program holds it open, sharing
// it for writing but not for reading: it is written as before, and only
// reading it back is refused.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "platform/Platform.h"
#include "rtl/Exception.h"
#include "torlib/TMFile.h"

namespace {

TEST(SharedDocument, WrittenWhereAnotherProgramSharesItForWritingOnly) {
  testing_support::TempFolder folder;
  const std::string path = folder.File("dok.txt");
  testing_support::WriteFile(path, "old");
  const struct {
    const char* what;
    DWORD share;
    bool reads_back;
  } rows[] = {
      {"shared for reading and writing", FILE_SHARE_READ | FILE_SHARE_WRITE, true},
      {"shared for writing only", FILE_SHARE_WRITE, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const HANDLE other = CreateFileA(path.c_str(), GENERIC_READ, row.share, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, other);
    {
      edihal::TMFile file(edihal::SystemPlatform());
      file.SetReadOnly(false);
      file.SetPath(path);
      file.Open();
      file.SetPointer(0);
      file.SetEof();
      file.WriteLine("Linia:1");
      if (row.reads_back) {
        file.MoveTail(0, 2);
      } else {
        EXPECT_THROW(file.MoveTail(0, 2), edihal::EInOutError);
      }
      file.Close();
    }
    CloseHandle(other);
    EXPECT_EQ(row.reads_back ? std::string("LiLinia:1\r\n") : std::string("Linia:1\r\n"),
              testing_support::ReadFile(path));
  }
}

}  // namespace
