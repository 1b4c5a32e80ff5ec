// Whole imports with categorisation on, on the in-memory platform: the
// side files answer where they can, the scripted dialog where they cannot.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "import/ImportInvoiceDocument.h"
#include "library/TVEXBibliotekaEDI.h"

namespace {

using testing_support::FakePlatform;
using Lines = std::vector<std::string>;

int32_t EDIHAL_STDCALL AnswerParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                       char* answer) {
  static const std::map<std::string, std::string> kAnswers = {{"CzyKategoryzacja", "Tak"},
                                                              {"StawkaA", "23"},
                                                              {"StawkaB", "8"},
                                                              {"StawkaC", "5"},
                                                              {"StawkaD", "0"},
                                                              {"StawkaG", "ZW"}};
  const auto found = kAnswers.find(name);
  if (found != kAnswers.end()) std::strncpy(answer, found->second.c_str(), 299);
  return 1;
}

const char kOut[] = "C:\\Vex\\dok.txt";
const char kInvoice[] = "C:\\Faktury\\fv.xml";
const char kAssignments[] = "10\t20\t30\tA01\r\n11\t21\t31\tA03\r\n";
const char kAssortments[] =
    "Klucz\tNazwa\t\r\nA01\tNapoje\t\r\nA02\tS\xB3odycze\t\r\nA03\tPieczywo\t\r\n";

std::string Block(const std::string& name, const std::string& numbers) {
  return "<ART_SALE>\n<szDescription>" + name +
         "</szDescription>\n<dQuantityEntry>1</dQuantityEntry>\n" + numbers + "</ART_SALE>\n";
}

std::string Numbers(const char* structure, const char* group, const char* subgroup) {
  return std::string("<lMerchandiseStructureID>") + structure +
         "</lMerchandiseStructureID>\n<lMerchandiseGroupID>" + group +
         "</lMerchandiseGroupID>\n<lMerchandiseSubGroupID>" + subgroup +
         "</lMerchandiseSubGroupID>\n";
}

// The Asortyment field of every line record.
Lines Assortments(const std::string& document) {
  Lines found;
  for (std::size_t at = document.find("Asortyment{"); at != std::string::npos;
       at = document.find("Asortyment{", at + 1)) {
    const std::size_t from = at + std::strlen("Asortyment{");
    found.push_back(document.substr(from, document.find('}', from) - from));
  }
  return found;
}

class CategorisedImport : public testing::Test {
 protected:
  CategorisedImport() : library(1) {
    library.CallbackParameterValue = AnswerParameter;
    platform.files["Przypisanie.txt"] = kAssignments;
    platform.files["Kategoryzacja.txt"] = kAssortments;
  }
  void Import() { edihal::ImportInvoiceDocument(library, platform, kOut, kInvoice); }
  Lines Products() const {
    Lines products;
    for (const auto& call : platform.dialog_calls) products.push_back(call.product);
    return products;
  }

  edihal::TVEXBibliotekaEDI library;
  FakePlatform platform;
};

TEST_F(CategorisedImport, SideFilesFirstThenTheUser) {
  platform.files[kInvoice] = Block("Woda", Numbers("10", "20", "30")) +      // found
                             Block("Chleb", "") +                            // 0 0 0: asked
                             Block("Chleb", Numbers("7", "7", "7")) +        // asked again
                             Block("Bu\xB3ka", Numbers("11", "21", "31")) +  // found
                             Block("Sok", Numbers("1", "2", "3"));           // asked
  platform.dialog_answers = {{true, 2}, {false, 0}, {true, 0}};
  Import();
  EXPECT_EQ((Lines{"Napoje", "Pieczywo", "", "Pieczywo", "Napoje"}),
            Assortments(platform.files[kOut]));
  EXPECT_EQ((Lines{"Chleb", "Chleb", "Sok"}), Products());
  // Each dialog opens at the last choice; closing it keeps the choice.
  ASSERT_EQ(3u, platform.dialog_calls.size());
  EXPECT_EQ(0, platform.dialog_calls[0].initial);
  EXPECT_EQ(2, platform.dialog_calls[1].initial);
  EXPECT_EQ(2, platform.dialog_calls[2].initial);
  EXPECT_EQ((Lines{"Napoje", "S\xB3odycze", "Pieczywo"}), platform.dialog_calls[0].entries);
  // The side files are only read.
  EXPECT_EQ(kAssignments, platform.files["Przypisanie.txt"]);
  EXPECT_EQ(kAssortments, platform.files["Kategoryzacja.txt"]);

  // The next import starts again from the first entry.
  platform.dialog_calls.clear();
  Import();
  ASSERT_EQ(3u, platform.dialog_calls.size());
  EXPECT_EQ(0, platform.dialog_calls[0].initial);
}

// The dialog shows the product name in the module's own letters whatever
// the invoice's encoding; the record is converted as before.
TEST_F(CategorisedImport, DialogShowsTheNameInWindows1250) {
  const struct {
    const char* declaration;
    std::string name;
  } cases[] = {
      {"windows-1250", "\xAF\xF3\xB3\xE6 \x9Cliwkowa"},
      {"ISO-8859-2", "\xAF\xF3\xB3\xE6 \xB6liwkowa"},
      {"UTF-8", "\xC5\xBB\xC3\xB3\xC5\x82\xC4\x87 \xC5\x9Bliwkowa"},
  };
  for (const auto& c : cases) {
    platform.dialog_calls.clear();
    platform.files[kInvoice] = std::string("<?xml version=\"1.0\" encoding=\"") + c.declaration +
                               "\"?>\n" + Block(c.name, "");
    platform.dialog_answers = {{true, 0}};
    Import();
    EXPECT_EQ(Lines{"\xAF\xF3\xB3\xE6 \x9Cliwkowa"}, Products()) << c.declaration;
    EXPECT_NE(std::string::npos,
              platform.files[kOut].find("Nazwa{\xAF\xF3\xB3\xE6 \x9Cliwkowa}Kod{}"))
        << c.declaration;
    EXPECT_EQ(Lines{"Napoje"}, Assortments(platform.files[kOut])) << c.declaration;
  }
}

}  // namespace
