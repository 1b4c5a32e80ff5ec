// The names the export list's lines give, where the proposal cannot show
// them (the rest is case files: cases/export/export_list_*).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "export/ExportList.h"

namespace {

using edihal::ListedExportName;

TEST(ExportListLine, NameOfTheFirstNonEmptyNazwaZbElement) {
  const struct {
    std::string line;
    std::string name;  // empty: the line names nothing
  } cases[] = {
      {"Dokument:NazwaZb{fv:1.txt}", "fv:1.txt"},  // only the first colon splits
      {"Dokument:NazwaZb{faktura \xB9\xEA}", "faktura \xB9\xEA"},
      {"", ""},
  };
  for (const auto& c : cases) {
    std::string name = "untouched";
    const bool listed = ListedExportName(c.line, name);
    EXPECT_EQ(!c.name.empty(), listed) << c.line;
    EXPECT_EQ(listed ? c.name : "untouched", name) << c.line;
  }
}

}  // namespace
