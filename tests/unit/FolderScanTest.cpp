// The system platform's folder listing on a real folder: which names a
// mask matches and in which order they come, the same on Linux and under
// Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "platform/Platform.h"

namespace {

using Names = std::vector<std::string>;
using testing_support::kSeparator;

// Windows-1250 names with Polish letters.
const std::string kLa =
    "\xA3"
    "a.xml";  // Ła.xml
const std::string kLb =
    "\xB3"
    "b.xml";  // łb.xml
const std::string kSc =
    "\x8C"
    "c.xml";  // Śc.xml
const std::string kAd =
    "\xA5"
    "d.xml";  // Ąd.xml
const std::string kOe =
    "\xF3"
    "e.xml";  // óe.xml

class FolderScan : public ::testing::Test {
 protected:
  FolderScan() {
    for (const std::string& name : {std::string("fv.xml"),
                                    std::string("FV1.XML"),
                                    std::string("fv.a.xml"),
                                    std::string("Fv2.Xml"),
                                    std::string("fv1.xml.bak"),
                                    std::string("xfv3.xml"),
                                    std::string("fv4.xm"),
                                    std::string("fv5xml"),
                                    std::string("a_b.xml"),
                                    std::string("ab.xml"),
                                    std::string("A.xml"),
                                    std::string("b.XML"),
                                    std::string("_.xml"),
                                    std::string("1.xml"),
                                    std::string("~.xml"),
                                    std::string("Z.xml"),
                                    kLa,
                                    kLb,
                                    kSc,
                                    kAd,
                                    kOe}) {
      testing_support::WriteFile(folder_.File(name), "x");
    }
    // Never listed: a hidden dot file and a folder whose name matches.
    testing_support::WriteFile(folder_.File(".fv6.xml"), "x");
    testing_support::MakeFolder(folder_.File("fv7.xml"));
  }
  Names Find(const std::string& pattern) const {
    return edihal::SystemPlatform().FindFiles(folder_.Path() + kSeparator + pattern);
  }

  testing_support::TempFolder folder_;
};

TEST_F(FolderScan, MatchesTheWildcardIgnoringCaseInNameOrder) {
  const struct {
    std::string pattern;
    Names names;
  } cases[] = {
      {"fv*.xml", {"fv.a.xml", "fv.xml", "FV1.XML", "Fv2.Xml"}},
      {"FV*.XML", {"fv.a.xml", "fv.xml", "FV1.XML", "Fv2.Xml"}},
      {"fv1*.xml", {"FV1.XML"}},
      // Upper case first, then Polish letters by their Unicode code points,
      // as NTFS orders them: ó U+00F3 (upper Ó U+00D3), Ą U+0104, Ł U+0141,
      // Ś U+015A.
      {"*.xml",
       {"1.xml", "A.xml", "ab.xml", "a_b.xml", "b.XML", "fv.a.xml", "fv.xml", "FV1.XML", "Fv2.Xml",
        "xfv3.xml", "Z.xml", "_.xml", "~.xml", kOe, kAd, kLa, kLb, kSc}},
      {"\xB3*.xml", {kLa, kLb}},  // ł matches Ł too
      {"nic*.xml", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.names, Find(c.pattern)) << c.pattern;
}

TEST_F(FolderScan, MissingFolderListsNothing) {
  EXPECT_EQ(Names{},
            edihal::SystemPlatform().FindFiles(folder_.File("brak") + kSeparator + "*.xml"));
}

}  // namespace
