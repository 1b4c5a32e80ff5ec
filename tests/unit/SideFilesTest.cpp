// The prefix index against a walk through the list, and the lookups through
// both side files (their line splitting and lists: tables/sidefiles.txt).
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "import/PrefixIndex.h"
#include "import/SideFiles.h"
#include "import/StringList.h"

namespace {

using edihal::PrefixIndex;
using edihal::SideFiles;
using edihal::TStringList;
using Lines = std::vector<std::string>;

TStringList ListOf(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return TStringList(text);
}

std::size_t FirstByWalking(const Lines& lines, const std::string& prefix) {
  if (prefix.empty()) return PrefixIndex::kNone;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].compare(0, prefix.size(), prefix) == 0) return i;
  }
  return PrefixIndex::kNone;
}

// Random lines over a small alphabet, full of shared prefixes, duplicates
// and tabs: the index must agree with a walk through the list every time,
// for texts that end with a TAB and for those that do not.
TEST(PrefixIndex, AgreesWithAWalkThroughTheList) {
  std::mt19937 random(20240305);
  const std::string alphabet = "01\t\xB9";
  const auto random_text = [&](std::size_t longest) {
    std::string text(random() % (longest + 1), ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  for (const std::size_t size : {1u, 2u, 3u, 17u, 200u, 1000u}) {
    Lines lines;
    for (std::size_t i = 0; i < size; ++i) lines.push_back(random_text(6));
    const TStringList list = ListOf(lines);
    const PrefixIndex index(list);
    for (int probe = 0; probe < 400; ++probe) {
      const std::string prefix = random_text(4);
      ASSERT_EQ(FirstByWalking(lines, prefix), index.FirstStartingWith(prefix))
          << "size " << size << " prefix [" << prefix << "]";
    }
    for (const std::string& line : lines) {
      ASSERT_EQ(FirstByWalking(lines, line), index.FirstStartingWith(line)) << line;
    }
  }
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

}  // namespace
