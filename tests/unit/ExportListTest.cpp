// Reading the export list: which lines name a taken export file, and the
// paths made from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "export/ExportList.h"

namespace {

using edihal::ListedExportName;
using edihal::ReadExportList;
using testing_support::FakePlatform;

TEST(ExportListLine, NameOfTheFirstNonEmptyNazwaZbElement) {
  const struct {
    std::string line;
    std::string name;  // empty: the line names nothing
  } cases[] = {
      {"Dokument:Sciezka{x}NazwaZb{fv0001}", "fv0001"},
      {"Dokument:NazwaZb{fv0001}Sciezka{x}", "fv0001"},
      {"  dokument :  NAZWAZB{ FV 1 }  ", "FV 1"},      // key, name and value trimmed
      {"DOKUMENT:nazwazb{a}", "a"},                     // case ignored in key and name
      {"Dokument:NazwaZb{}NazwaZb{fv0001}", "fv0001"},  // empty value passed over
      {"Dokument:NazwaZb{ \t }NazwaZb{b}", "b"},        // blank value passed over
      {"Dokument:NazwaZb{a}NazwaZb{b}", "a"},           // first one only
      {"Dokument:StaraNazwaZb{a}", "a"},                // only the last seven count
      {"Dokument:Nazwa{a}NazwaZb{b}", "b"},
      {"Dokument:azwaZb{a}", ""},  // six characters before "{"
      {"Dokument:{a}", ""},
      {"Dokument:NazwaZ{a}", ""},
      {"Dokument:Opis{NazwaZb{x}", "x"},           // next "{" is inside the value
      {"Dokument:NazwaZb{fv:1.txt}", "fv:1.txt"},  // only the first colon splits
      {"Dokument:NazwaZb{faktura \xB9\xEA}", "faktura \xB9\xEA"},
      {"Dokument:NazwaZb{abc", ""},  // value never closed
      {"Dokument:Opis{x NazwaZb{abc}", "abc"},
      {"Dokument:Opis{x NazwaZb{abc", ""},
      {"Dokument:Opis{}", ""},
      {"Dokumenty:NazwaZb{a}", ""},
      {"Dokumen:NazwaZb{a}", ""},
      {"Import:Dokument:NazwaZb{a}", ""},
      {"Dokument NazwaZb{a}", ""},  // no colon
      {"", ""},
      {"Dokument:", ""},
  };
  for (const auto& c : cases) {
    std::string name = "untouched";
    const bool listed = ListedExportName(c.line, name);
    EXPECT_EQ(!c.name.empty(), listed) << c.line;
    EXPECT_EQ(listed ? c.name : "untouched", name) << c.line;
  }
}

TEST(ExportListFile, PathsInFileOrderWithXmlForNamesWithoutPoint) {
  FakePlatform platform;
  const std::string list = "C:\\Exp\\HalXSpis.txt";
  const std::string content =
      "Naglowek:Wersja{1}\r\n"
      "Dokument:Sciezka{x}NazwaZb{fv0002}\r\n"
      "\r\n"
      "Dokument:NazwaZb{fv0001.txt}\n"  // a lone LF ends a line too
      "Dokument:NazwaZb{}\r\n"
      "dokument:nazwazb{ sub\\FV0003 }\r\n"
      "Dokument:NazwaZb{.hidden}";  // last line without a line end
  platform.files[list] = content;
  const std::vector<std::string> expected = {"C:\\Exp\\fv0002.xml", "C:\\Exp\\fv0001.txt",
                                             "C:\\Exp\\sub\\FV0003.xml", "C:\\Exp\\.hidden"};
  EXPECT_EQ(expected, ReadExportList(platform, list, "C:\\Exp"));
  EXPECT_EQ(std::vector<std::string>{"r " + list}, platform.opened);
  EXPECT_EQ(content, platform.files[list]);
}

}  // namespace
