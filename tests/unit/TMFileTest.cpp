// TMFile where a case cannot look: lines longer than its 64 KiB block, and
// more than a block of lines written (no case reads or writes that much;
// the line ends are a table: tests/tables/files.txt; rewinding, reopening
// and failing to open, every case).
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

}  // namespace
