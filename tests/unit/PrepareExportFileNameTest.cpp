// The export pre-step against the in-memory platform: which files it looks
// at and opens in each mode, and how often it asks for the prefix.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "export/PrepareExportFileName.h"
#include "plugin/TVEXBibliotekaEDI.h"
#include "text/Texts.h"

namespace {

using edihal::ExportProposal;
using edihal::PrepareExportFileName;
using edihal::TVEXBibliotekaEDI;
using testing_support::FakePlatform;

// The host's parameter answers: a queue per name, the last answer repeated
// once the queue is down to one.
std::map<std::string, std::deque<std::string>> g_answers;

int32_t EDIHAL_STDCALL AnswerParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                       char* answer) {
  auto found = g_answers.find(name);
  if (found == g_answers.end() || found->second.empty()) return 0;
  const std::string value = found->second.front();
  if (found->second.size() > 1) found->second.pop_front();
  answer[value.copy(answer, EDIHAL_BUFFER_SIZE - 1)] = '\0';
  return 0;
}

class PrepareExport : public ::testing::Test {
 protected:
  PrepareExport() : library_(1) {
    library_.RegisterCallback(reinterpret_cast<void*>(AnswerParameter), EDIHAL_CB_PARAMETER_VALUE);
    g_answers = {{"KatalogExp", {"C:\\Exp"}}, {"PrefixExp", {"FV"}}};
  }
  ~PrepareExport() override { g_answers.clear(); }

  ExportProposal Run(const FakePlatform& platform, std::int32_t number = -1) {
    ExportProposal proposal;
    PrepareExportFileName(library_, platform, number, proposal);
    return proposal;
  }

  TVEXBibliotekaEDI library_;
  FakePlatform platform_;
};

const char kList[] = "C:\\Exp\\HalXSpis.txt";

TEST_F(PrepareExport, LooksAtTheListOnlyWhenNumberingBySequenceWithListaExpT) {
  const struct {
    const char* list;
    const char* numbering;
    bool list_present;
    std::vector<std::string> exists_checks;
    std::vector<std::string> opened;
    std::string path;
  } cases[] = {
      {"Tak", "Bez numeru", true, {}, {}, "C:\\Exp\\FV.xml"},
      {"Tak", "Indywidualna", true, {}, {}, "C:\\Exp\\FV7.xml"},
      {"Tak",
       "",
       true,
       {kList, "C:\\Exp\\FV0002.xml", "C:\\Exp\\FV0003.xml"},
       {std::string("r ") + kList},
       "C:\\Exp\\FV0003.xml"},
      {"Nie", "", true, {"C:\\Exp\\FV0001.xml"}, {}, "C:\\Exp\\FV0001.xml"},
      {"", "Kolejna", true, {"C:\\Exp\\FV0001.xml"}, {}, "C:\\Exp\\FV0001.xml"},
      {"Tak", "", false, {kList, "C:\\Exp\\FV0001.xml"}, {}, "C:\\Exp\\FV0001.xml"},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    if (c.list_present) platform.files[kList] = "Dokument:NazwaZb{fv0001}\r\n";
    platform.files["C:\\Exp\\FV0002.xml"] = "";
    g_answers["ListaExp"] = {c.list};
    g_answers["NumeracjaExp"] = {c.numbering};
    const ExportProposal proposal = Run(platform, 7);
    const std::string label = std::string(c.list) + "/" + c.numbering;
    EXPECT_EQ(c.path, proposal.path) << label;
    EXPECT_EQ(c.exists_checks, platform.exists_checks) << label;
    EXPECT_EQ(c.opened, platform.opened) << label;
    EXPECT_EQ(std::set<std::string>{"C:\\Exp"}, platform.folders) << label;
  }
}

TEST_F(PrepareExport, AsksForThePrefixAnewForEveryNumberAndForTheFilter) {
  g_answers["PrefixExp"] = {"A", "B", "C", "D"};
  platform_.files["C:\\Exp\\A0001.xml"] = "";
  const ExportProposal proposal = Run(platform_);
  EXPECT_EQ("C:\\Exp\\B0002.xml", proposal.path);
  EXPECT_EQ(std::string(edihal::texts::kExportFilterHead) + "C*.xml)|C*.xml|" +
                "Wszystkie pliki XML (*.xml)|*.xml|Wszystkie pliki (*.*)|*.*",
            proposal.filter);
}

}  // namespace
