// The second pass and the categorisation: what it is asked and where its
// answer goes (the rest of the second pass is case files: cases/import).
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

std::string Tag(const std::string& name, const std::string& value) {
  return "<" + name + ">" + value + "</" + name + ">";
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

}  // namespace
