// The module in a host whose runtime leaves the x87 unit as such hosts do:
// exceptions unmasked (0x1332), all masked (0x033F, 0x037F) or 53-bit
// precision (0x027F).  Whatever the host's word, the numbers of the
// document are the same, a product beyond the range of numbers is an
// error with a message instead of a trap or an "inf", and the host gets
// its word back with nothing pending (the stubs of RealHost.h check that
// after every call, the callbacks that they were called with the host's
// word).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Modules.h"
#include "RealHost.h"
#include "RecordingHost.h"
#include "TestFiles.h"

namespace {

using testing_support::HostControlWordScope;
using testing_support::ReadFile;
using testing_support::RecordingHost;
using testing_support::TempFolder;
using testing_support::WriteFile;

const std::uint16_t kHostWords[] = {0x1332, 0x033F, 0x027F, 0x037F};

// Line 2 to 5: a block that always converts; line 6 opens the block under
// test, whose own lines start at line 7.
std::string Invoice(const std::vector<std::string>& block) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n"
      "<ART_SALE>\r\n<szDescription>Chleb</szDescription>\r\n"
      "<dTaTotal>3.10</dTaTotal>\r\n</ART_SALE>\r\n"
      "<ART_SALE>\r\n<szDescription>Towar</szDescription>\r\n";
  for (const std::string& line : block) text += line + "\r\n";
  return text + "</ART_SALE>\r\n";
}

struct NumberCase {
  const char* what;
  std::vector<std::string> block;  // lines after the description (line 8 on)
  const char* record_part;         // in the second record, or null: an error
  const char* error;               // the message up to " pliku PATH"
};

const std::vector<NumberCase>& NumberCases() {
  static const std::vector<NumberCase> cases = {
      {"a product of extended precision, rounded at the cent",
       {"<dPieceQuantity>0.5325</dPieceQuantity>", "<dQuantityEntry>2</dQuantityEntry>"},
       "Ilosc{1.07}",
       nullptr},
      {"a piece factor that only extended precision keeps below the half cent",
       {"<dPieceQuantity>0.995</dPieceQuantity>", "<dQuantityEntry>1</dQuantityEntry>",
        "<dTaAveragePiecePriceDiscounted>0.005</dTaAveragePiecePriceDiscounted>"},
       "Ilosc{1.00}Cena{}Wartosc{n0.00}",
       nullptr},
      {"quantity and price of ten to the four thousand",
       {"<dQuantityEntry>1e4000</dQuantityEntry>",
        "<dTaAveragePiecePriceDiscounted>1e4000</dTaAveragePiecePriceDiscounted>"},
       nullptr,
       "Iloczyn spoza zakresu liczb: \"1e4000\" * \"1e4000\" w znaczniku "
       "<dTaAveragePiecePriceDiscounted>, wiersz 9"},
      {"quantity times piece factor beyond the range",
       {"<dPieceQuantity>1e4932</dPieceQuantity>", "<dQuantityEntry>10</dQuantityEntry>"},
       nullptr,
       "Iloczyn spoza zakresu liczb: \"10\" * \"1e4932\" w znaczniku <dQuantityEntry>, wiersz "
       "9"},
      {"quantity times price beyond the range",
       {"<dQuantityEntry>2</dQuantityEntry>",
        "<dTaAveragePiecePriceDiscounted>1,1e4932</dTaAveragePiecePriceDiscounted>"},
       nullptr,
       "Iloczyn spoza zakresu liczb: \"2\" * \"1,1e4932\" w znaczniku "
       "<dTaAveragePiecePriceDiscounted>, wiersz 9"},
      {"a measured quantity times price beyond the range",
       {"<dMeasurementEntry1>1e2500</dMeasurementEntry1>",
        "<dTaAveragePiecePriceDiscounted>1e2500</dTaAveragePiecePriceDiscounted>"},
       nullptr,
       "Iloczyn spoza zakresu liczb: \"1e2500\" * \"1e2500\" w znaczniku "
       "<dTaAveragePiecePriceDiscounted>, wiersz 9"},
      {"a number beyond the range",
       {"<dQuantityEntry>1e5000</dQuantityEntry>"},
       nullptr,
       "B\xB3\xEA"
       "dna liczba \"1e5000\" w znaczniku <dQuantityEntry>, wiersz 8"},
      {"an underflow to zero",
       {"<dQuantityEntry>1e-5000</dQuantityEntry>",
        "<dTaAveragePiecePriceDiscounted>1e-4000</dTaAveragePiecePriceDiscounted>"},
       "Ilosc{0.00}Cena{}Wartosc{n0.00}",
       nullptr},
      {"a denormal",
       {"<dPieceQuantity>1e-4940</dPieceQuantity>", "<dQuantityEntry>3</dQuantityEntry>"},
       "Ilosc{0.00}",
       nullptr},
      {"a negative zero",
       {"<dQuantityEntry>-0</dQuantityEntry>",
        "<dTaAveragePiecePriceDiscounted>7</dTaAveragePiecePriceDiscounted>"},
       "Ilosc{-0.00}Cena{}Wartosc{n-0.00}",
       nullptr},
  };
  return cases;
}

class HostConditions : public testing::Test {
 protected:
  HostConditions() : host(testing_support::ReleaseModule()) {
    host.Answer("CzyKategoryzacja", "Nie");
    host.Answer("StawkaA", "23");
  }

  RecordingHost host;
  TempFolder folder;
};

TEST_F(HostConditions, NumbersAreTheSameUnderEveryHostControlWord) {
  for (const std::uint16_t word : kHostWords) {
    const HostControlWordScope as_host(word);
    for (const NumberCase& number_case : NumberCases()) {
      SCOPED_TRACE(testing::Message() << number_case.what << ", host word 0x" << std::hex << word);
      const std::string invoice = folder.File("faktura.xml");
      const std::string output = folder.File("dokument.txt");
      WriteFile(invoice, Invoice(number_case.block));
      host.ClearEvents();
      const int32_t result =
          host.Api().EdiImportujDokument(host.Library(), 5, output.c_str(), invoice.c_str());
      const std::string document = ReadFile(output);
      // The records written before stay.
      EXPECT_NE(std::string::npos, document.find("Linia:Nazwa{Chleb}")) << document;
      const std::vector<std::string> errors = host.TextsOf(EDIHAL_CB_ERROR);
      if (number_case.record_part != nullptr) {
        EXPECT_EQ(1, result);
        EXPECT_TRUE(errors.empty()) << errors.front();
        const std::size_t second = document.find("Linia:Nazwa{Towar}");
        ASSERT_NE(std::string::npos, second) << document;
        EXPECT_NE(std::string::npos, document.find(number_case.record_part, second))
            << document.substr(second);
      } else {
        EXPECT_EQ(0, result);
        ASSERT_EQ(1u, errors.size());
        EXPECT_EQ(std::string(number_case.error) + " pliku " + invoice, errors[0]);
        EXPECT_EQ(std::string::npos, document.find("Towar")) << document;
      }
    }
  }
}

// Every export, the seven small ones too, hands the host its own word back
// (checked by the stubs), in every host word.
TEST_F(HostConditions, EveryExportKeepsTheHostsControlWord) {
  for (const std::uint16_t word : kHostWords) {
    const HostControlWordScope as_host(word);
    const hostkit::ModuleApi& api = host.Api();
    char name[EDIHAL_BUFFER_SIZE], description[EDIHAL_BUFFER_SIZE], value[EDIHAL_BUFFER_SIZE];
    int32_t flag = 0;
    EXPECT_EQ(EDIHAL_LIBRARY_TYPE, api.TypBiblioteki());
    api.Wlasciwosci(name, 1);
    EXPECT_EQ(EDIHAL_PARAM_FOLDER, api.Parametr(401, 0, name, description, value, 0, 0, &flag));
    EXPECT_EQ(1, api.TekstListyParametru("ListaImp", 0, value));
    RecordingHost second(host.Api());
    second.Register(EDIHAL_CB_ERROR, false);
    second.ReleaseLibrary();
    char path[EDIHAL_BUFFER_SIZE] = "1", filter[EDIHAL_BUFFER_SIZE], prompt[EDIHAL_BUFFER_SIZE];
    host.Answer("KatalogExp", folder.Path());
    EXPECT_EQ(1, api.EdiPrzedEksportem(host.Library(), 1, path, filter, prompt, &flag));
    EXPECT_EQ(1, api.EdiEksportujDokument(host.Library(), 1, "a", "b"));
    host.Answer("KatalogImp", folder.Path());
    EXPECT_EQ(1,
              api.EdiUtworzListeWyboruImportu(host.Library(), 1, folder.File("lista.txt").c_str()));
  }
}

}  // namespace
