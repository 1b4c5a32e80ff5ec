// The host document text: header records, the two forms of "Linia:", and
// the small readers the import is built from.
#include <gtest/gtest.h>

#include <string>

#include "FakePlatform.h"
#include "import/DecimalSeparator.h"
#include "import/DocumentText.h"
#include "import/ElementValue.h"

namespace {

using namespace edihal;
using testing_support::FakePlatform;

TEST(DocumentTextFile, EmptiesTheFileThenWritesTheHeaderRecords) {
  FakePlatform platform;
  platform.files["C:\\Vex\\dok.txt"] = "an older document, longer than the new one will be ...";
  DocumentTextFile output(platform);
  output.Create("C:\\Vex\\dok.txt");
  DocumentHeader header;
  header.number = "FV/7/%s/{x}";  // written as it is: no format, nothing escaped
  header.date = "31.01.2024";
  header.payment_form = "PRZEL";
  header.line_count = 12;
  output.WriteHeader(header);
  output.Close();
  const std::string expected =
      "TypDok:\r\nNrDok :FV/7/%s/{x}\r\nData:31.01.2024\r\nSposobPlatn:PRZEL\r\n"
      "TerminPlatn:0\r\nIndeksCentralny:SWW\r\n"
      "NazwaWystawcy:\r\nAdresWystawcy:\r\nKodWystawcy:\r\nMiastoWystawcy:\r\n"
      "UlicaWystawcy:\r\nNIPWystawcy:\r\nBankWystawcy:\r\nKontoWystawcy:\r\n"
      "TelefonWystawcy:\r\nNrWystawcyWSieciSklepow:0\r\n"
      "NazwaOdbiorcy:\r\nAdresOdbiorcy:\r\nKodOdbiorcy:\r\nMiastoOdbiorcy:\r\n"
      "UlicaOdbiorcy:\r\nNIPOdbiorcy:\r\nBankOdbiorcy:\r\nKontoOdbiorcy:\r\n"
      "TelefonOdbiorcy:\r\nNrOdbiorcyWSieciSklepow:0\r\n"
      "DotyczyDok:\r\nIloscLinii:12\r\n";
  EXPECT_EQ(expected, platform.files["C:\\Vex\\dok.txt"]);
}

TEST(LineRecord, TwoFormsByTheSecondCode) {
  LineFields fields;
  fields.name = "Mleko 3,2% {UHT}";
  fields.code = "5900512345678";
  fields.rate = "5";
  fields.unit = "szt.";
  fields.assortment = "Nabia\xB3";
  fields.item_number = "100234";
  fields.short_description = "%s%d";
  fields.quantity = "12.00";
  fields.value = "30.00";
  fields.piece_content = "1";
  EXPECT_EQ(
      "Linia:Nazwa{Mleko 3,2% {UHT}}Kod{5900512345678}Vat{5}Jm{szt.}Asortyment{Nabia\xB3}"
      "Sww{100234}Subsys{100234}PKWiU{%s%d}Ilosc{12.00}Cena{}Wartosc{n30.00}IleKgL{1}",
      LineRecord(fields));
  fields.second_code = "100234";
  EXPECT_EQ(
      "Linia:Nazwa{Mleko 3,2% {UHT}}Kod{5900512345678}Kod1{100234}Vat{5}Jm{szt.}"
      "Asortyment{Nabia\xB3}Sww{100234}Subsys{100234}PKWiU{%s%d}Ilosc{12.00}Cena{}"
      "Wartosc{n30.00}IleKgL{1}",
      LineRecord(fields));
  EXPECT_EQ(
      "Linia:Nazwa{}Kod{}Vat{}Jm{}Asortyment{}Sww{}Subsys{}PKWiU{}Ilosc{}Cena{}Wartosc{n}"
      "IleKgL{}",
      LineRecord(LineFields{}));
}

TEST(ElementValue, BetweenTheFirstGreaterThanAndTheNextLessThan) {
  const struct {
    const char* line;
    const char* value;
  } cases[] = {
      {"<szItemID>100234</szItemID>", "100234"},
      {"<szItemID></szItemID>", ""},
      {"<szItemID> 12 </szItemID>", " 12 "},  // nothing trimmed
      {"<a>A&amp;B</a>", "A&amp;B"},          // nothing decoded
      {"<a>1</a><b>2</b>", "1"},
      {"x>v<y", "v"},
      {"no tags at all", ""},
      {"<a>no closing tag", ""},
      {"<a/>", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.value, ElementValue(c.line)) << c.line;
}

TEST(LocaliseDecimalSeparator, OnlyTheFirstOccurrenceChanges) {
  const struct {
    const char* text;
    char separator;
    const char* localised;
  } cases[] = {
      {"2,5", '.', "2.5"},         {"2.5", ',', "2,5"},
      {"2.5", '.', "2.5"},         {"2,5", ',', "2,5"},
      {"1.000,5", ',', "1,000,5"}, {"1,000.5", '.', "1.000.5"},
      {"1,2,3", '.', "1.2,3"},     {"", ',', ""},
      {"2,5", '\'', "2'5"},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    LocaliseDecimalSeparator(text, c.separator);
    EXPECT_EQ(c.localised, text) << c.text << " with " << c.separator;
  }
}

}  // namespace
