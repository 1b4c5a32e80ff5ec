// The quick ways of the import against its general ones, on the same
// lines: a one-element line read in one scan against LineTags and
// ElementValue, and the first pass's look at only some lines against
// reading every line.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "import/InvoiceHeader.h"
#include "import/LineTags.h"
#include "torlib/TMFile.h"

namespace {

using edihal::InvoiceTag;
using edihal::ScannedLine;

// Both ways on one line; true when the quick way took it.
bool ExpectSameScan(const std::string& line) {
  const ScannedLine general = edihal::ScanAnyLine(line);
  ScannedLine quick;
  const bool taken = edihal::ScanOneElementLine(line, quick);
  const ScannedLine chosen = edihal::ScanLine(line);
  for (const ScannedLine& scanned : {taken ? quick : general, chosen}) {
    EXPECT_EQ(general.value, scanned.value) << line;
    for (unsigned tag = 0; tag < static_cast<unsigned>(InvoiceTag::kCount); ++tag) {
      const auto which = static_cast<InvoiceTag>(tag);
      EXPECT_EQ(general.tags.Has(which), scanned.tags.Has(which)) << line << " tag " << tag;
    }
  }
  return taken;
}

TEST(LineScan, OneElementLinesAndTheirNearMisses) {
  const struct {
    const char* line;
    bool quick;
  } cases[] = {
      {"<szItemID>107919</szItemID>", true},
      {"<dTaTotal></dTaTotal>", true},
      {"<ART_SALE>", true},
      {"<ART_SALE>x</ART_SALE>", true},
      {"<ART_RETURN>text after", true},
      {"<lLineNmbr>1</lLineNmbr>", true},
      {"<szDate>>20240101</szDate>", true},
      {"<szItemID>1</szItemId>", false},
      {"<szItemID>1</szItemID> ", false},
      {"<szItemID>1<</szItemID>", false},
      {"<a<szDate>x</szDate>", false},
      {"<szItemID>1</szItemID><szDate>2</szDate>", false},
      {"<szDescription>A</szDescription</ART_SALE>", false},
      {"<dTaAveragePiecePriceDiscountedX>1</dTaAveragePiecePriceDiscountedX>", false},
      {"</ART_SALE>", true},
      {"<?xml version=\"1.0\"?>", true},
      {"<x>", false},
      {"text <szItemID>1</szItemID>", false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.quick, ExpectSameScan(c.line)) << c.line;
}

// A line put together from tags, names like them, values and the bytes
// that matter to the scans, so that every shape turns up.
std::string RandomLine(std::mt19937& random) {
  static const char* const kPieces[] = {"<szItemID>",
                                        "</szItemID>",
                                        "<ART_SALE>",
                                        "</ART_SALE>",
                                        "<ART_RETURN>",
                                        "</ART_RETURN>",
                                        "<szDate>",
                                        "</szDate>",
                                        "<dTaTotal>",
                                        "</dTaTotal>",
                                        "<szInvoiceIDPDF>",
                                        "<lMediaNmbr>",
                                        "<dTaAveragePiecePriceDiscounted>",
                                        "</dTaAveragePiecePriceDiscounted>",
                                        "<lLineNmbr>",
                                        "</lLineNmbr>",
                                        "<",
                                        ">",
                                        "/",
                                        "<>",
                                        "\"",
                                        "12,5",
                                        "Ser \xBF\xF3\xB3ty",
                                        " ",
                                        "\t",
                                        "&amp;"};
  const std::size_t count = std::size(kPieces);
  std::string line;
  const int pieces = static_cast<int>(random() % 5);
  for (int i = 0; i < pieces; ++i) line += kPieces[random() % count];
  // Half the lines are the common shape, perhaps with a wrong closing tag.
  if (random() % 2 == 0) {
    const std::string name = std::string(kPieces[random() % 16]).substr(1);
    line = "<" + name + line + "</" + (random() % 8 == 0 ? "x" + name : name);
  }
  return line;
}

TEST(LineScan, GeneratedLinesAgree) {
  std::mt19937 random(20241207);
  int quick = 0;
  const int kLines = 100000;
  for (int i = 0; i < kLines; ++i) quick += ExpectSameScan(RandomLine(random)) ? 1 : 0;
  EXPECT_GT(quick, kLines / 5) << "the quick way was hardly tried";
}

// The header of `bytes` as the first pass reads it, or, with `every_line`,
// as scanning each line in turn gives it.
edihal::InvoiceHeader HeaderOf(const std::string& bytes, bool every_line) {
  testing_support::FakePlatform platform;
  platform.files["C:\\f.xml"] = bytes;
  edihal::TMFile file(platform);
  file.SetPath("C:\\f.xml");
  file.Open();
  if (!every_line) return edihal::ReadInvoiceHeader(file);
  edihal::InvoiceHeader header;
  for (std::string_view line; file.NextLine(line);) edihal::ScanHeaderLine(line, header);
  return header;
}

TEST(LineScan, FirstPassAgreesWithReadingEveryLine) {
  static const char* const kHeaderLines[] = {
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
      "<x encoding=\"ISO-8859-2\">",
      "  <szInvoiceIDPDF> FV/1 </szInvoiceIDPDF>",
      "<szDate>20240131</szDate>",
      "<szDate>2024</szDate><szInvoiceIDPDF>FV/2</szInvoiceIDPDF>",
      "<lMediaNmbr>1300</lMediaNmbr>",
      "</ART_SALE><szDate>20230101</szDate>",
      "x</ART_RETURN>",
      "\"<lMediaNmbr>300</lMediaNmbr>",
      "<szDat",
      "\r"};
  std::mt19937 random(7);
  for (int invoice = 0; invoice < 300; ++invoice) {
    std::string bytes;
    // Some invoices run past a read block, so that lines cross blocks.
    const int lines = invoice % 50 == 0 ? 12000 : static_cast<int>(random() % 60);
    for (int i = 0; i < lines; ++i) {
      bytes +=
          random() % 4 == 0 ? kHeaderLines[random() % std::size(kHeaderLines)] : RandomLine(random);
      if (i + 1 < lines || random() % 2 == 0) bytes += random() % 2 ? "\r\n" : "\n";
    }
    const edihal::InvoiceHeader quick = HeaderOf(bytes, false);
    const edihal::InvoiceHeader every = HeaderOf(bytes, true);
    EXPECT_EQ(every.encoding, quick.encoding) << bytes;
    EXPECT_EQ(every.number, quick.number) << bytes;
    EXPECT_EQ(every.has_date, quick.has_date) << bytes;
    EXPECT_EQ(every.date, quick.date) << bytes;
    EXPECT_EQ(every.payment_form, quick.payment_form) << bytes;
    EXPECT_EQ(every.line_count, quick.line_count) << bytes;
  }
}

}  // namespace
