// The import driver on the in-memory platform: the order of its questions
// and files, the header it writes, and what is left after a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "import/ImportInvoiceDocument.h"
#include "plugin/TVEXBibliotekaEDI.h"
#include "rtl/Exception.h"

namespace {

using edihal::TVEXBibliotekaEDI;
using testing_support::FakePlatform;

// The host's side of parameter questions: answers by name, and the names
// asked, in order.
std::map<std::string, std::string> answers;
std::vector<std::string> asked;

int32_t EDIHAL_STDCALL AnswerParameter(EdiHalHostValue, EdiHalHostValue, const char* name,
                                       char* answer) {
  asked.push_back(name);
  const auto found = answers.find(name);
  if (found != answers.end()) std::strncpy(answer, found->second.c_str(), 299);
  return 1;
}

const char kOut[] = "C:\\Vex\\dok.txt";
const char kInvoice[] = "C:\\Faktury\\fv.xml";

class ImportDriver : public testing::Test {
 protected:
  ImportDriver() : library(1) {
    library.CallbackParameterValue = AnswerParameter;
    answers = {{"CzyKategoryzacja", "Nie"},
               {"StawkaA", "23"},
               {"StawkaB", "8"},
               {"StawkaC", "5"},
               {"StawkaD", "0"},
               {"StawkaG", "ZW"}};
    asked.clear();
  }

  void Import() { edihal::ImportInvoiceDocument(library, platform, kOut, kInvoice); }
  std::string Output() { return platform.files[kOut]; }
  // The output's records after the 28 header records.
  std::string Lines() {
    const std::string text = Output();
    const std::size_t at = text.find("IloscLinii:");
    return text.substr(text.find("\r\n", at) + 2);
  }

  TVEXBibliotekaEDI library;
  FakePlatform platform;
};

const std::string kSale =
    "<ART_SALE>\r\n<szDescription>Ser</szDescription>\r\n<szVatPrintCode>B</szVatPrintCode>\r\n"
    "<dQuantityEntry>2</dQuantityEntry>\r\n</ART_SALE>\r\n";
const std::string kSaleRecord =
    "Linia:Nazwa{Ser}Kod{}Vat{8}Jm{}Asortyment{}Sww{}Subsys{}PKWiU{}Ilosc{2.00}Cena{}"
    "Wartosc{n}IleKgL{}\r\n";

TEST_F(ImportDriver, AsksItsParametersInOrder) {
  platform.files[kInvoice] = kSale;
  Import();
  EXPECT_EQ((std::vector<std::string>{"CzyKategoryzacja", "StawkaA", "StawkaB", "StawkaC",
                                      "StawkaD", "StawkaG"}),
            asked);
  EXPECT_EQ((std::vector<std::string>{std::string("w ") + kOut, std::string("r ") + kInvoice}),
            platform.opened);
  EXPECT_EQ(kSaleRecord, Lines());
}

TEST_F(ImportDriver, HeaderFromTheFirstPass) {
  platform.files[kInvoice] =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>\n<szInvoiceIDPDF> FV/\xB6/1 "
      "</szInvoiceIDPDF>\n<lMediaNmbr>300</lMediaNmbr>\n" +
      kSale + "</ART_RETURN>\n";
  Import();
  const std::string text = Output();
  // The number keeps its bytes and blanks; the date is today's, the line
  // count that of the closing tags, the stray one included.
  EXPECT_EQ(0u,
            text.find("TypDok:\r\nNrDok : FV/\xB6/1 \r\nData:05.03.2024\r\nSposobPlatn:KARTA\r\n"));
  EXPECT_NE(std::string::npos, text.find("\r\nIloscLinii:2\r\n"));
  EXPECT_EQ(kSaleRecord, Lines());
  EXPECT_EQ(29u, static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
}

TEST_F(ImportDriver, MissingInvoiceEmptiesTheOutputAndFails) {
  platform.files[kOut] = "TypDok:\r\nan old document\r\n";
  try {
    Import();
    FAIL() << "a missing invoice passed for a success";
  } catch (const edihal::Exception& error) {
    EXPECT_EQ(std::string("Brak pliku ") + kInvoice, error.Message());
  }
  EXPECT_EQ("", Output());
  EXPECT_EQ(std::vector<std::string>{"CzyKategoryzacja"}, asked);
  EXPECT_EQ(std::vector<std::string>{std::string("w ") + kOut}, platform.opened);
}

TEST_F(ImportDriver, CategorisationLoadsBeforeTheOutputIsOpened) {
  // Without its side files the categorisation cannot load: the import
  // stops before it touches the output.
  platform.files[kInvoice] = kSale;
  platform.files[kOut] = "kept";
  answers["CzyKategoryzacja"] = "Tak";
  EXPECT_THROW(Import(), edihal::Exception);
  EXPECT_EQ("kept", Output());
  EXPECT_EQ(std::vector<std::string>{"CzyKategoryzacja"}, asked);
  for (const std::string& opened : platform.opened) EXPECT_EQ('r', opened[0]) << opened;
}

}  // namespace
