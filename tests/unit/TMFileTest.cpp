// TMFile where a case cannot look: blocks of a real file and their
// boundaries, rewinding, many buffered lines and reopening (the line ends
// are a table: tests/tables/files.txt; writing and failing to open, the
// cases).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TestFiles.h"
#include "torlib/TMFile.h"

namespace {

using edihal::TMFile;
using testing_support::FakePlatform;

std::vector<std::string> ReadAll(const edihal::Platform& platform, const std::string& path) {
  TMFile file(platform);
  file.SetReadOnly(true);
  file.SetPath(path);
  file.Open();
  std::vector<std::string> lines;
  std::string line;
  while (file.ReadLine(line, "\r\n")) lines.push_back(line);
  return lines;
}

std::vector<std::string> LinesOf(const std::string& bytes) {
  FakePlatform platform;
  platform.files["C:\\f.txt"] = bytes;
  return ReadAll(platform, "C:\\f.txt");
}

using Lines = std::vector<std::string>;

TEST(TMFileRead, LinesAcrossBlockBoundaries) {
  // The reader takes 64 KiB at a time: a CR LF split between two blocks,
  // and a line longer than several blocks, must read as on one block.
  const std::size_t block = 64 * 1024;
  const std::string first(block - 1, 'x');
  const std::string long_line(3 * block + 17, 'y');
  EXPECT_EQ((Lines{first, "z"}), LinesOf(first + "\r\nz"));
  EXPECT_EQ((Lines{long_line, "end"}), LinesOf(long_line + "\r\nend\r\n"));
  EXPECT_EQ((Lines{std::string(block, 'q')}), LinesOf(std::string(block, 'q') + "\n"));
}

TEST(TMFileRead, RealFileMatchesMemory) {
  testing_support::TempFolder folder;
  std::string bytes;
  for (int i = 0; i < 20000; ++i) bytes += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
  testing_support::WriteFile(folder.File("big.txt"), bytes);
  const Lines lines = ReadAll(edihal::SystemPlatform(), folder.File("big.txt"));
  ASSERT_EQ(20000u, lines.size());
  EXPECT_EQ("line 0", lines.front());
  EXPECT_EQ("line 19999", lines.back());
  EXPECT_EQ(LinesOf(bytes), lines);
}

TEST(TMFileRead, SetPointerRewinds) {
  FakePlatform platform;
  platform.files["C:\\f.txt"] = "one\r\ntwo\r\n";
  TMFile file(platform);
  file.SetPath("C:\\f.txt");
  file.Open();
  std::string line;
  ASSERT_TRUE(file.ReadLine(line));
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_FALSE(file.ReadLine(line));
  file.SetPointer(0);
  ASSERT_TRUE(file.ReadLine(line));
  EXPECT_EQ("one", line);
}

TEST(TMFileWrite, ManyLinesReachTheFileInOrder) {
  testing_support::TempFolder folder;
  std::string expected;
  TMFile file(edihal::SystemPlatform());
  file.SetReadOnly(false);
  file.SetPath(folder.File("many.txt"));
  file.Open();
  for (int i = 0; i < 30000; ++i) {
    file.WriteLine("Linia:" + std::to_string(i));
    expected += "Linia:" + std::to_string(i) + "\r\n";
  }
  file.Close();
  EXPECT_EQ(expected, testing_support::ReadFile(folder.File("many.txt")));
}

TEST(TMFile, ReopensWithANewPath) {
  FakePlatform platform;
  platform.files["C:\\a.txt"] = "A\r\n";
  platform.files["C:\\b.txt"] = "B\r\n";
  TMFile file(platform);
  std::string line;
  for (const char* name : {"C:\\a.txt", "C:\\b.txt"}) {
    file.SetPath(name);
    file.Open();
    ASSERT_TRUE(file.ReadLine(line));
    file.Close();
  }
  EXPECT_EQ("B", line);
}

}  // namespace
