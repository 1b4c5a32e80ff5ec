// TMFile where a case cannot look: lines longer than its 64 KiB block,
// more than a block of lines written, and a written file's tail moved on
// or back, in memory and on disk (no case reads or writes that much;
// the line ends are a table: tests/tables/files.txt; rewinding, reopening
// and failing to open, every case).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "TestFiles.h"
#include "rtl/Exception.h"
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

// Bytes that tell every position of a 251-byte cycle apart.
std::string Numbered(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
  return bytes;
}

// Writes `bytes`, leaving `unwritten` of them buffered, and moves the tail
// from `from` on by `shift`.
void MoveTail(const edihal::Platform& platform, const std::string& path, const std::string& bytes,
              std::int64_t unwritten, std::int64_t from, std::int64_t shift) {
  TMFile file(platform);
  file.SetReadOnly(false);
  file.SetPath(path);
  file.Open();
  file.SetEof();
  const std::size_t flushed = bytes.size() - static_cast<std::size_t>(unwritten);
  file.WriteLine(bytes.substr(0, flushed), std::string());
  file.WriteLine(bytes.substr(flushed), std::string());
  file.MoveTail(static_cast<std::uint64_t>(from), shift);
  file.Close();
}

TEST(TMFileWrite, MovesTheTailOnAndBack) {
  constexpr std::int64_t block = 64 * 1024;
  const struct {
    std::int64_t size, unwritten, from, shift;
  } rows[] = {
      {100, 0, 40, 1},
      {100, 0, 40, -1},
      {100, 10, 40, 3},
      {100, 0, 40, 0},
      {100, 0, 100, 5},
      {100, 0, 40, -40},
      {3 * block + 7, 0, 20, 1},
      {3 * block + 7, 0, 20, -1},
      {3 * block + 7, 500, 20, -13},
      {3 * block + 7, 0, 9, 2 * block + 3},
      {3 * block + 7, 0, block + 9, -block - 5},
  };
  testing_support::TempFolder folder;
  FakePlatform memory;
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.size) + " bytes, " + std::to_string(row.unwritten) +
                 " buffered, from " + std::to_string(row.from) + " by " +
                 std::to_string(row.shift));
    const std::string bytes = Numbered(static_cast<std::size_t>(row.size));
    const std::string tail = bytes.substr(static_cast<std::size_t>(row.from));
    const auto kept = static_cast<std::size_t>(std::min(row.from, row.from + row.shift));
    const auto moved_to = static_cast<std::size_t>(row.from + row.shift);
    MoveTail(memory, "C:\\f.txt", bytes, row.unwritten, row.from, row.shift);
    MoveTail(edihal::SystemPlatform(), folder.File("f.txt"), bytes, row.unwritten, row.from,
             row.shift);
    for (const std::string& written :
         {memory.files["C:\\f.txt"], testing_support::ReadFile(folder.File("f.txt"))}) {
      ASSERT_EQ(static_cast<std::size_t>(row.size + row.shift), written.size());
      EXPECT_EQ(bytes.substr(0, kept), written.substr(0, kept));
      EXPECT_EQ(tail, written.substr(moved_to));
    }
  }
}

TEST(TMFileWrite, RefusesToMoveATailItCannotReach) {
  const struct {
    std::int64_t from, shift;
    bool write_only;
  } rows[] = {{101, 1, false}, {10, -11, false}, {10, 1, true}};
  for (const auto& row : rows) {
    FakePlatform platform;
    if (row.write_only) platform.write_only.insert("C:\\f.txt");
    EXPECT_THROW(MoveTail(platform, "C:\\f.txt", Numbered(100), 0, row.from, row.shift),
                 edihal::EInOutError);
  }
}

}  // namespace
