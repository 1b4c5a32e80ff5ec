// The second pass: which tag feeds which field, kept and reset values,
// quantities, values, rates, codes and the number errors.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "import/LineConversion.h"
#include "rtl/Exception.h"

namespace {

using edihal::LineConversion;
using edihal::LineConversionSettings;
using edihal::SourceEncoding;

using Lines = std::vector<std::string>;

LineConversionSettings Settings(char separator = '.',
                                SourceEncoding encoding = SourceEncoding::kNone) {
  LineConversionSettings settings;
  settings.rates = {"23", "8", "5", "0", "ZW"};
  settings.decimal_separator = separator;
  settings.encoding = encoding;
  settings.invoice_path = "C:\\Faktury\\fv.xml";
  return settings;
}

// The records of an invoice given as text, one line per line.
Lines Records(const std::string& invoice, LineConversionSettings settings = Settings()) {
  LineConversion conversion(std::move(settings));
  std::istringstream in(invoice);
  std::string line, record;
  Lines records;
  for (long number = 1; std::getline(in, line); ++number) {
    if (conversion.TakeLine(line, number, record)) records.push_back(record);
  }
  return records;
}

// One sale block made of `lines`.
std::string Sale(const Lines& lines) {
  std::string block = "<ART_SALE>\n";
  for (const std::string& line : lines) block += "  " + line + "\n";
  return block + "</ART_SALE>\n";
}

// The value of field `name` in a record ("" when the field is missing).
std::string Field(const std::string& record, const std::string& name) {
  std::size_t at = record.find("}" + name + "{");
  if (at == std::string::npos) at = record.find(":" + name + "{");
  if (at == std::string::npos) return "<none>";
  at += name.size() + 2;
  return record.substr(at, record.find('}', at) - at);
}

std::vector<std::string> FieldOf(const Lines& records, const std::string& name) {
  std::vector<std::string> values;
  for (const std::string& record : records) values.push_back(Field(record, name));
  return values;
}

std::string Tag(const std::string& name, const std::string& value) {
  return "<" + name + ">" + value + "</" + name + ">";
}

TEST(LineConversion, WholeRecordOfASaleBlock) {
  const Lines records =
      Records("<Invoice>\n" +
              Sale({Tag("szItemID", "100234"), Tag("szDesc1", "MLEKO UHT"),
                    Tag("szDescription", "Mleko \xA3owickie 3,2%"), Tag("szPackagePrintCode", "ST"),
                    Tag("szVatPrintCode", "C"), Tag("szInputString", "100234"),
                    Tag("EanSingle", "5900512345678"), Tag("dPieceQuantity", "12"),
                    Tag("dQuantityEntry", "2"), Tag("dPieceContentsQuantity", "1"),
                    Tag("dTaAveragePiecePriceDiscounted", "2,79"), Tag("dTaTotal", "66.96"),
                    Tag("lMerchandiseStructureID", "10")}) +
              "</Invoice>\n");
  ASSERT_EQ(1u, records.size());
  EXPECT_EQ(
      "Linia:Nazwa{Mleko \xA3owickie 3,2%}Kod{5900512345678}Kod1{100234}Vat{5}Jm{szt.}"
      "Asortyment{}Sww{100234}Subsys{100234}PKWiU{MLEKO UHT}Ilosc{24.00}Cena{}"
      "Wartosc{n66.96}IleKgL{1}",
      records[0]);
}

TEST(LineConversion, Quantities) {
  const struct {
    const char* what;
    std::string invoice;
    std::vector<std::string> quantities;
  } cases[] = {
      {"pieces times entry; a second entry is ignored",
       Sale({Tag("dPieceQuantity", "6"), Tag("dQuantityEntry", "2"), Tag("dQuantityEntry", "5")}),
       {"12.00"}},
      {"the piece factor lives on into later blocks",
       Sale({Tag("dPieceQuantity", "6"), Tag("dQuantityEntry", "2")}) +
           Sale({Tag("dQuantityEntry", "3")}),
       {"12.00", "18.00"}},
      {"before the first piece quantity the factor is 1",
       Sale({Tag("dQuantityEntry", "2")}),
       {"2.00"}},
      {"an entry before the block's piece quantity uses the factor before it",
       Sale({Tag("dPieceQuantity", "10")}) +
           Sale({Tag("dQuantityEntry", "2"), Tag("dPieceQuantity", "3")}) +
           Sale({Tag("dQuantityEntry", "2")}),
       {"", "20.00", "6.00"}},
      {"decimal comma in pieces and entry",
       Sale({Tag("dPieceQuantity", "0,5"), Tag("dQuantityEntry", "2,5")}),
       {"1.25"}},
      {"measurement replaces the computed quantity, unchanged",
       Sale({Tag("dQuantityEntry", "2"), Tag("dMeasurementEntry1", "1.235")}),
       {"1.235"}},
      {"after a measurement the entry no longer counts",
       Sale({Tag("dMeasurementEntry1", "1,235"), Tag("dQuantityEntry", "7")}),
       {"1,235"}},
      {"an empty measurement lets the entry count again",
       Sale({Tag("dMeasurementEntry1", ""), Tag("dQuantityEntry", "7")}),
       {"7.00"}},
      {"the quantity is reset for every block",
       Sale({Tag("dQuantityEntry", "2")}) + Sale({}),
       {"2.00", ""}},
      {"returns keep positive quantities",
       "<ART_RETURN>\n" + Tag("dQuantityEntry", "3") + "\n</ART_RETURN>\n",
       {"3.00"}},
      {"values are read with blanks around them",
       Sale({Tag("dPieceQuantity", " 4 "), Tag("dQuantityEntry", "\t1.5 ")}),
       {"6.00"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.quantities, FieldOf(Records(c.invoice), "Ilosc")) << c.what;
  }
}

TEST(LineConversion, Values) {
  const struct {
    const char* what;
    std::string invoice;
    std::vector<std::string> values;
  } cases[] = {
      {"quantity times price",
       Sale({Tag("dQuantityEntry", "3"), Tag("dTaAveragePiecePriceDiscounted", "2,5"),
             Tag("dTaTotal", "99")}),
       {"7.50"}},
      {"the product of long doubles, rounded as printf rounds it (doubles give 0.22, 0.17)",
       Sale({Tag("dMeasurementEntry1", "1.5"), Tag("dTaAveragePiecePriceDiscounted", "0.15")}) +
           Sale({Tag("dQuantityEntry", "3"), Tag("dTaAveragePiecePriceDiscounted", "0,055")}),
       {"0.23", "0.16"}},
      {"without a price the total stays unrounded",
       Sale({Tag("dQuantityEntry", "3"), Tag("dTaTotal", "30.456")}),
       {"30.456"}},
      {"the value carries over into a block without total or price",
       Sale({Tag("dTaTotal", "12,50")}) + Sale({Tag("dQuantityEntry", "1")}),
       {"12,50", "12,50"}},
      {"the price is reset for every block",
       Sale({Tag("dQuantityEntry", "2"), Tag("dTaAveragePiecePriceDiscounted", "1")}) +
           Sale({Tag("dQuantityEntry", "5"), Tag("dTaTotal", "9")}),
       {"2.00", "9"}},
      {"a measured quantity with a comma",
       Sale({Tag("dMeasurementEntry1", "1,5"), Tag("dTaAveragePiecePriceDiscounted", "2")}),
       {"3.00"}},
      {"a tag on the closing line is not read",
       Sale({Tag("dTaTotal", "1")}) + "<ART_SALE>\n" + Tag("dTaTotal", "2") + "</ART_SALE>\n",
       {"1", "1"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> values;
    for (const std::string& value : FieldOf(Records(c.invoice), "Wartosc")) {
      values.push_back(value.substr(1));  // after the letter n
    }
    EXPECT_EQ(c.values, values) << c.what;
    // The decimal comma of the locale gives the same values.
    values.clear();
    for (const std::string& value : FieldOf(Records(c.invoice, Settings(',')), "Wartosc")) {
      values.push_back(value.substr(1));
    }
    EXPECT_EQ(c.values, values) << c.what << " (decimal comma)";
  }
}

TEST(LineConversion, RatesAndUnits) {
  const std::string invoice =
      Sale({Tag("szVatPrintCode", "A"), Tag("szPackagePrintCode", "ST")}) +
      Sale({Tag("szVatPrintCode", "a"), Tag("szPackagePrintCode", "st")}) +  // unknown: kept
      Sale({Tag("szVatPrintCode", "np"), Tag("szPackagePrintCode", "KG")}) +
      Sale({Tag("szVatPrintCode", "E"), Tag("szPackagePrintCode", " ST ")}) +
      Sale({Tag("szVatPrintCode", "B")}) + Sale({}) +  // no code: the rate before
      Sale({Tag("szVatPrintCode", "C")}) + Sale({Tag("szVatPrintCode", "D")});
  const Lines records = Records(invoice);
  EXPECT_EQ((std::vector<std::string>{"23", "23", "ZW", "ZW", "8", "8", "5", "0"}),
            FieldOf(records, "Vat"));
  EXPECT_EQ((std::vector<std::string>{"szt.", "st", "KG", " ST ", " ST ", " ST ", " ST ", " ST "}),
            FieldOf(records, "Jm"));
  EXPECT_EQ(std::vector<std::string>{""}, FieldOf(Records(Sale({})), "Vat"));
}

TEST(LineConversion, Codes) {
  const struct {
    const char* ean;    // null: no tag
    const char* input;  // null: no tag
    const char* code;
    const char* second;  // "<none>": the form without Kod1
  } cases[] = {
      {"5900512345678", "100234", "5900512345678", "100234"},
      {"5900512345678", "5900512345678", "5900512345678", "<none>"},
      {nullptr, "100234", "100234", "<none>"},
      {"5900512345678", nullptr, "5900512345678", "<none>"},
      {"", "100234", "100234", "<none>"},
      {nullptr, nullptr, "", "<none>"},
  };
  for (const auto& c : cases) {
    Lines lines;
    if (c.ean != nullptr) lines.push_back(Tag("EanSingle", c.ean));
    if (c.input != nullptr) lines.push_back(Tag("szInputString", c.input));
    // A block before with both codes: they must not carry over.
    const Lines records =
        Records(Sale({Tag("EanSingle", "1"), Tag("szInputString", "2")}) + Sale(lines));
    ASSERT_EQ(2u, records.size());
    EXPECT_EQ(c.code, Field(records[1], "Kod")) << records[1];
    EXPECT_EQ(c.second, Field(records[1], "Kod1")) << records[1];
  }
}

TEST(LineConversion, NamesAndKeptTexts) {
  const Lines records =
      Records(Sale({Tag("szDescription", "Ser &amp; szynka"), Tag("szItemID", "7"),
                    Tag("szDesc1", "SER"), Tag("dPieceContentsQuantity", "0,25")}) +
              Sale({Tag("szDescription", "A &amp;amp; B &lt;C&gt;")}) +
              Sale({Tag("szDescription", "&amp;lt;")}) + Sale({}));
  EXPECT_EQ((std::vector<std::string>{"Ser & szynka", "A & B &lt;C&gt;", "&lt;", "&lt;"}),
            FieldOf(records, "Nazwa"));
  EXPECT_EQ((std::vector<std::string>{"7", "7", "7", "7"}), FieldOf(records, "Sww"));
  EXPECT_EQ((std::vector<std::string>{"7", "7", "7", "7"}), FieldOf(records, "Subsys"));
  EXPECT_EQ((std::vector<std::string>{"SER", "SER", "SER", "SER"}), FieldOf(records, "PKWiU"));
  EXPECT_EQ((std::vector<std::string>{"0,25", "0,25", "0,25", "0,25"}), FieldOf(records, "IleKgL"));
}

TEST(LineConversion, BlockBoundaries) {
  const struct {
    const char* what;
    std::string invoice;
    std::vector<std::string> names;
  } cases[] = {
      {"a file that ends inside a block drops it",
       Sale({Tag("szDescription", "A")}) + "<ART_SALE>\n" + Tag("szDescription", "B") + "\n",
       {"A"}},
      {"a block without its closing tag runs into the next one",
       "<ART_SALE>\n" + Tag("szDescription", "A") + "\n" + Tag("EanSingle", "111") + "\n" +
           Sale({Tag("szDescription", "B")}),
       {"B"}},
      {"tags outside blocks and on the opening line are not read",
       Tag("szDescription", "outside") + "\n</ART_SALE>\n<ART_SALE>" + Tag("szDescription", "X") +
           "\n</ART_SALE>\n",
       {""}},
      {"lines are trimmed, CR included",
       "\t<ART_SALE>  \r\n\t\t" + Tag("szDescription", "A") + "\r\n  </ART_SALE>\t\r\n",
       {"A"}},
      {"the first descriptive tag of a line counts",
       Sale({Tag("szDesc1", "D") + Tag("szDescription", "N")}) +
           Sale({Tag("szDescription", "N") + Tag("szItemID", "I")}),
       {"", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.names, FieldOf(Records(c.invoice), "Nazwa")) << c.what;

  // Merged blocks keep the first block's bar code: the second opening
  // tag resets nothing.
  const Lines merged = Records("<ART_SALE>\n" + Tag("EanSingle", "111") + "\n" +
                               Sale({Tag("szInputString", "222")}));
  ASSERT_EQ(1u, merged.size());
  EXPECT_EQ("111", Field(merged[0], "Kod"));
  EXPECT_EQ("222", Field(merged[0], "Kod1"));
  // Both groups look at the same line, and each takes the line's value.
  const Lines both = Records(Sale({Tag("szItemID", "77") + Tag("EanSingle", "88")}));
  EXPECT_EQ("77", Field(both[0], "Sww"));
  EXPECT_EQ("77", Field(both[0], "Kod"));
}

TEST(LineConversion, EncodingOfTheRecord) {
  // "Żółw" in UTF-8 and in ISO-8859-2 (Ż is the same in both code pages,
  // ś differs).
  EXPECT_EQ("\xAF\xF3\xB3w",
            Field(Records(Sale({Tag("szDescription", "\xC5\xBB\xC3\xB3\xC5\x82w")}),
                          Settings('.', SourceEncoding::kUtf8))[0],
                  "Nazwa"));
  EXPECT_EQ("\x9C", Field(Records(Sale({Tag("szDescription", "\xB6")}),
                                  Settings('.', SourceEncoding::kIso88592))[0],
                          "Nazwa"));
}

// Categorisation as the import sees it: what it is asked, what it answers.
class FakeCategorisation : public edihal::Categorisation {
 public:
  std::vector<std::string> asked;
  std::string AssortmentFor(const std::string& structure, const std::string& group,
                            const std::string& subgroup, const std::string& shown) override {
    asked.push_back(structure + "|" + group + "|" + subgroup + "|" + shown);
    return "Nabia\xB3";
  }
};

TEST(LineConversion, Categorisation) {
  FakeCategorisation categorisation;
  LineConversionSettings settings = Settings('.', SourceEncoding::kUtf8);
  settings.categorisation = &categorisation;
  const Lines records = Records(
      Sale({Tag("szDescription", "\xC5\x81osi\xC5\x9B"), Tag("lMerchandiseStructureID", "10"),
            Tag("lMerchandiseGroupID", "20"), Tag("lMerchandiseSubGroupID", "30")}) +
          Sale({Tag("lMerchandiseGroupID", "5")}),
      settings);
  EXPECT_EQ((std::vector<std::string>{"10|20|30|\xA3osi\x9C", "0|5|0|\xA3osi\x9C"}),
            categorisation.asked);
  // The assortment is the host's Windows-1250 text: it is not put through
  // the invoice's UTF-8 conversion with the rest of the record.
  ASSERT_EQ(2u, records.size());
  EXPECT_EQ("Nabia\xB3", Field(records[0], "Asortyment"));
  EXPECT_EQ("\xA3osi\x9C", Field(records[0], "Nazwa"));
}

TEST(LineConversion, NumberErrorsNameFileLineTagAndText) {
  const std::string bad =
      "B\xB3\xEA"
      "dna liczba \"";
  const std::string file = " pliku C:\\Faktury\\fv.xml";
  const struct {
    std::string invoice;
    char separator;
    std::string message;
  } cases[] = {
      {Sale({Tag("dPieceQuantity", "")}), '.',
       bad + "\" w znaczniku <dPieceQuantity>, wiersz 2" + file},
      {Sale({Tag("dPieceQuantity", "6"), Tag("dQuantityEntry", "2x")}), '.',
       bad + "2x\" w znaczniku <dQuantityEntry>, wiersz 3" + file},
      {Sale({Tag("dQuantityEntry", "2"), Tag("dTaAveragePiecePriceDiscounted", "abc")}), '.',
       bad + "abc\" w znaczniku <dTaAveragePiecePriceDiscounted>, wiersz 3" + file},
      {Sale({Tag("dMeasurementEntry1", "1.2.3"), Tag("dTaAveragePiecePriceDiscounted", "1")}), '.',
       bad + "1.2.3\" w znaczniku <dMeasurementEntry1>, wiersz 2" + file},
      {Sale({Tag("szDescription", "X"), Tag("dTaAveragePiecePriceDiscounted", "1")}), '.',
       bad + "\" w znaczniku <dQuantityEntry>, wiersz 4" + file},  // no quantity at all
      {Sale({Tag("dQuantityEntry", "1.234,50")}), ',',
       bad + "1.234,50\" w znaczniku <dQuantityEntry>, wiersz 2" + file},
  };
  for (const auto& c : cases) {
    try {
      Records(c.invoice, Settings(c.separator));
      ADD_FAILURE() << "no error for " << c.invoice;
    } catch (const edihal::EConvertError& error) {
      EXPECT_EQ(c.message, error.Message());
    }
  }
  // A text in UTF-8 reaches the message in Windows-1250.
  try {
    Records(Sale({Tag("dPieceQuantity", "sze\xC5\x9B\xC4\x87")}),
            Settings('.', SourceEncoding::kUtf8));
    ADD_FAILURE() << "no error";
  } catch (const edihal::EConvertError& error) {
    EXPECT_EQ(bad + "sze\x9C\xE6\" w znaczniku <dPieceQuantity>, wiersz 2" + file, error.Message());
  }
}

}  // namespace
