// The first pass: the encoding declaration and whether a date was given
// (number, date, payment form and block count are case files:
// cases/import/header_*).
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

TEST(InvoiceHeader, NoDateLineNoDate) {
  EXPECT_FALSE(Scan({"<szInvoiceIDPDF>1</szInvoiceIDPDF>"}).has_date);
  EXPECT_TRUE(Scan({"<szDate></szDate>"}).has_date);
}

}  // namespace
