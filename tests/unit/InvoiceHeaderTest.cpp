// The first pass: encoding declaration, number, date, payment form and the
// number of line blocks, line by line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/InvoiceHeader.h"

namespace {

using edihal::InvoiceHeader;
using edihal::SourceEncoding;

InvoiceHeader Scan(const std::vector<std::string>& lines) {
  InvoiceHeader header;
  for (const std::string& line : lines) edihal::ScanHeaderLine(line, header);
  return header;
}

TEST(InvoiceHeader, EncodingDeclaration) {
  const struct {
    std::vector<std::string> lines;
    SourceEncoding encoding;
  } cases[] = {
      {{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>"}, SourceEncoding::kUtf8},
      {{"<?xml version=\"1.0\" encoding=\"utf-8\"?>"}, SourceEncoding::kUtf8},
      {{"<?xml version=\"1.0\" encoding=\"iso-8859-2\"?>"}, SourceEncoding::kIso88592},
      {{"<?xml version=\"1.0\" encoding=\"windows-1250\"?>"}, SourceEncoding::kNone},
      {{"<?xml version=\"1.0\"?>"}, SourceEncoding::kNone},
      {{"<?xml version=\"1.0\" encoding='UTF-8'?>"}, SourceEncoding::kNone},
      {{"<?xml version=\"1.0\" encoding=\"UTF-8"}, SourceEncoding::kNone},  // no closing quote
      {{"<?xml encoding=\"UTF-8 \"?>"}, SourceEncoding::kNone},
      // Another name later leaves the encoding as it was.
      {{"<?xml encoding=\"UTF-8\"?>", "<x encoding=\"windows-1250\"/>"}, SourceEncoding::kUtf8},
      {{"<?xml encoding=\"UTF-8\"?>", "<x encoding=\"ISO-8859-2\"/>"}, SourceEncoding::kIso88592},
  };
  for (const auto& c : cases) EXPECT_EQ(c.encoding, Scan(c.lines).encoding) << c.lines[0];
}

TEST(InvoiceHeader, NumberDateAndLastOneWins) {
  const InvoiceHeader header = Scan({
      "  <szInvoiceIDPDF>FV/1/2024</szInvoiceIDPDF>",
      "  <szInvoiceIDPDF>  FV 2/2024 </szInvoiceIDPDF>  ",  // kept untrimmed
      "  <szDate> 20240131 </szDate>",
  });
  EXPECT_EQ("  FV 2/2024 ", header.number);
  EXPECT_TRUE(header.has_date);
  EXPECT_EQ("31.01.2024", header.date);
  EXPECT_EQ("", header.payment_form);
  EXPECT_FALSE(Scan({"<szInvoiceIDPDF>1</szInvoiceIDPDF>"}).has_date);
  EXPECT_EQ("1-.-0.2024", Scan({"<szDate>2024-01-31</szDate>"}).date);  // bytes as they stand
  EXPECT_EQ("..", Scan({"<szDate></szDate>"}).date);
  EXPECT_TRUE(Scan({"<szDate></szDate>"}).has_date);
}

TEST(InvoiceHeader, PaymentForms) {
  const struct {
    const char* value;
    const char* form;
  } cases[] = {{"1", "GOT"},  {"1300", "PRZEL"}, {" 1300 ", "PRZEL"}, {"300", "KARTA"},
               {"2", "INNA"}, {"0300", "INNA"},  {"", "INNA"},        {"01", "INNA"}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.form, Scan({std::string("<lMediaNmbr>") + c.value + "</lMediaNmbr>"}).payment_form)
        << c.value;
  }
}

TEST(InvoiceHeader, CountsClosingBlockTagsFirst) {
  const InvoiceHeader header = Scan({
      "<ART_SALE>",
      "</ART_SALE>",
      "<ART_RETURN>",
      "</ART_RETURN>",
      "</ART_SALE>",  // a stray closing tag counts too
      // The closing tag is matched first: the number on its line is lost.
      "<szInvoiceIDPDF>FV/9</szInvoiceIDPDF></ART_SALE>",
      // Only the first header tag of a line counts.
      "<szInvoiceIDPDF>FV/8</szInvoiceIDPDF><lMediaNmbr>1</lMediaNmbr>",
  });
  EXPECT_EQ(4, header.line_count);
  EXPECT_EQ("FV/8", header.number);
  EXPECT_EQ("", header.payment_form);
}

TEST(InvoiceHeader, TheDeclarationLineIsCutToTheName) {
  // A whole invoice on one line: only the encoding is found.
  const InvoiceHeader one_line =
      Scan({"<?xml version=\"1.0\" encoding=\"UTF-8\"?><Invoice><szInvoiceIDPDF>FV/1"
            "</szInvoiceIDPDF><szDate>20240131</szDate><lMediaNmbr>1</lMediaNmbr><ART_SALE>"
            "</ART_SALE></Invoice>"});
  EXPECT_EQ(SourceEncoding::kUtf8, one_line.encoding);
  EXPECT_EQ("", one_line.number);
  EXPECT_FALSE(one_line.has_date);
  EXPECT_EQ(0, one_line.line_count);
  // Without a closing quote the rest of the line goes on being examined.
  const InvoiceHeader unclosed = Scan({"<?xml encoding=\"UTF-8<szInvoiceIDPDF>N</szInvoiceIDPDF>"});
  EXPECT_EQ(SourceEncoding::kNone, unclosed.encoding);
  EXPECT_EQ("N", unclosed.number);
}

}  // namespace
