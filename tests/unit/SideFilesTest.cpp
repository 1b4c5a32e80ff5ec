// The look-ups through both side files, and reading a side file whole
// (their line splitting and lists: tables/sidefiles.txt).
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "import/categorise/SideFiles.h"
#include "import/categorise/StringList.h"

namespace {

using edihal::SideFiles;
using edihal::TStringList;
using Lines = std::vector<std::string>;

// A file the system reads in pieces of at most `piece` bytes.
class OddFile final : public edihal::FileHandle {
 public:
  OddFile(std::string content, std::size_t piece) : content_(std::move(content)), piece_(piece) {}
  std::size_t Read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min({size, piece_, content_.size() - position_});
    content_.copy(buffer, count, position_);
    position_ += count;
    return count;
  }
  void Write(const char*, std::size_t) override {}
  void Seek(std::uint64_t) override {}
  void Truncate() override {}

 private:
  std::string content_;
  std::size_t piece_;
  std::size_t position_ = 0;
};

class OddFilePlatform final : public testing_support::FakePlatform {
 public:
  std::unique_ptr<edihal::FileHandle> OpenFile(const std::string&,
                                               edihal::FileAccess) const override {
    return std::make_unique<OddFile>(content, piece);
  }
  std::string content;
  std::size_t piece = 0;
};

Lines LinesOf(const TStringList& list) {
  Lines lines;
  for (std::size_t i = 0; i < list.Count(); ++i) lines.emplace_back(list[i]);
  return lines;
}

TStringList ListOf(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return TStringList(text);
}

TEST(SideFiles, LooksUpTheAssortmentThroughBothFiles) {
  const SideFiles files(ListOf({
                            "10\t20\t30\tA01", "10\t20\t3\tA02",
                            "10\t20\t30\tA03",  // shadowed by the first line
                            "1\t2\t3\t1",       // "1" begins the key "10" of the Kategoryzacja line
                            "0\t0\t0\tA02",
                            "7\t7\t7\t",   // empty key: matches no line
                            "8\t8\t8\tZ",  // key not listed
                            "9\t9\t9\tA04",
                            "5\t5\t5\tA0",  // a shorter key takes the first line it begins
                            "6\t6\t6\tK",   // the heading is searched too
                        }),
                        ListOf({"Klucz\tNazwa\t", "A01\tNapoje\tx\ty", "A02\tS\xB3odycze",
                                "10\tDziesi\xEA\x63 \t", "A04", "A01\tInne\t"}));
  const struct {
    std::string key;
    std::string assortment;
  } cases[] = {
      {"10\t20\t30\t", "Napoje"},
      {"10\t20\t3\t", "S\xB3odycze"},  // one TAB: up to the end of the line
      {"1\t2\t3\t", "Dziesi\xEA\x63 "},
      {"0\t0\t0\t", "S\xB3odycze"},
      {"7\t7\t7\t", ""},
      {"8\t8\t8\t", ""},
      {"9\t9\t9\t", ""},  // the line holds no TAB
      {"5\t5\t5\t", "Napoje"},
      {"6\t6\t6\t", "Nazwa"},
      {"10\t20\t\t", ""},
      {"10\t2\t30\t", ""},  // a group key is matched whole
  };
  for (const auto& c : cases) EXPECT_EQ(c.assortment, files.AssortmentOf(c.key)) << c.key;
  EXPECT_EQ((Lines{"Napoje", "Napoje", "Dziesi\xEA\x63 ", "Dziesi\xEA\x63 ", "Inne"}),
            files.AssortmentList());
}

// A side file is read whole however the system reads it: at once or in
// pieces, across the 64 KiB blocks the reading goes by.
TEST(TStringList, LoadsTheWholeFileHoweverItIsRead) {
  for (const std::size_t size : {0u, 1u, 100u, 65535u, 65536u, 65537u, 200000u}) {
    std::string text(size, 'a');
    for (std::size_t i = 0; i < size; ++i) {
      if (i % 7 == 6) text[i] = '\n';
      if (i % 13 == 12) text[i] = '\r';
    }
    const Lines expected = LinesOf(TStringList(text));
    for (const std::size_t piece : {std::size_t{1} << 30, std::size_t{4096}, std::size_t{1}}) {
      if (piece == 1 && size > 70000) continue;
      OddFilePlatform platform;
      platform.content = text;
      platform.piece = piece;
      ASSERT_EQ(expected, LinesOf(TStringList::LoadFromFile(platform, "Przypisanie.txt")))
          << "size " << size << " piece " << piece;
    }
  }
}

}  // namespace
