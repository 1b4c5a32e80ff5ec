// The header scan of the selection list: which line gives which value,
// where the scan stops, and how far each file is read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakePlatform.h"
#include "selection/HeaderScan.h"
#include "torlib/TMFile.h"

namespace {

using edihal::ListedInvoiceHeader;
using edihal::ScanHeaderLine;
using testing_support::FakePlatform;

const std::string kNumber = "<szInvoiceIDPDF> FV/1/2024 </szInvoiceIDPDF>";
const std::string kDate = "<szDate>20240131</szDate>";
const std::string kIssuer =
    "<szHeadOfficePartyAddressDescription>Hurtownia</szHeadOfficePartyAddressDescription>";
const std::string kTax = "<szHeadOfficeCompanyTaxNmbr>5260001234</szHeadOfficeCompanyTaxNmbr>";

std::string Issuer(const std::string& value) {
  return "<szHeadOfficePartyAddressDescription>" + value + "</szHeadOfficePartyAddressDescription>";
}

struct Scanned {
  ListedInvoiceHeader header;
  int lines_taken = 0;  // lines given to the scan before it asked to stop
  bool stopped = false;
};

Scanned Scan(const std::vector<std::string>& lines) {
  Scanned result;
  for (std::string line : lines) {
    ++result.lines_taken;
    if (ScanHeaderLine(line, result.header)) {
      result.stopped = true;
      break;
    }
  }
  return result;
}

TEST(HeaderScan, ValuesStopAndOverwrite) {
  const struct {
    const char* what;
    std::vector<std::string> lines;
    ListedInvoiceHeader expected;
    int lines_taken;
  } cases[] = {
      {"all four, number last",
       {"<?xml version=\"1.0\"?>", "  " + kDate, "\t" + kIssuer, kTax, "  " + kNumber, "</x>"},
       {"FV/1/2024", "31.01.2024", "Hurtownia", "5260001234"},
       5},
      {"nothing after the number is read",
       {kNumber, kDate, kIssuer, kTax},
       {"FV/1/2024", "", "", ""},
       1},
      {"no header tags at all", {"<a>", "<b>1</b>", "</a>"}, {"", "", "", ""}, 3},
      {"the last issuer before the number wins",
       {Issuer("Pierwszy"), Issuer("Drugi"), kNumber, Issuer("Po numerze")},
       {"FV/1/2024", "", "Drugi", ""},
       3},
      {"a later empty element empties the value", {kIssuer, Issuer("   ")}, {"", "", "", ""}, 2},
      {"a brace in the issuer stays", {Issuer(" Hurt {A} }x{ ")}, {"", "", "Hurt {A} }x{", ""}, 1},
      {"entities and UTF-8 bytes stay as written",
       {Issuer("P&amp;G \xC5\x81\xC3\xB3\x64\xC5\xBA")},
       {"", "", "P&amp;G \xC5\x81\xC3\xB3\x64\xC5\xBA", ""},
       1},
      {"the issuer keeps what follows its element; a tax number there is still found",
       {kIssuer + kTax},
       {"", "", "Hurtownia" + kTax, "5260001234"},
       1},
      {"a tax number before the issuer on one line is cut away with the issuer's tag",
       {kTax + kIssuer},
       {"", "", "Hurtownia", ""},
       1},
      {"the number wins over a date on the same line",
       {kDate + kNumber},
       {"FV/1/2024", "", "", ""},
       1},
      {"a date line keeps only its eight bytes: an issuer after it is lost",
       {kDate + kIssuer},
       {"", "31.01.2024", "", ""},
       1},
      {"a number tag in lower case is not the number",
       {"<szinvoiceidpdf>1</szinvoiceidpdf>", kTax},
       {"", "", "", "5260001234"},
       2},
      {"a number without its closing tag keeps the rest of the line",
       {"<szInvoiceIDPDF> 7/2024 <x/>  "},
       {"7/2024 <x/>", "", "", ""},
       1},
      {"the number is trimmed of control bytes but not of a no-break space",
       {"<szInvoiceIDPDF>\t\xA0"
        "12\r</szInvoiceIDPDF>"},
       {"\xA0"
        "12",
        "", "", ""},
       1},
  };
  for (const auto& c : cases) {
    const Scanned scanned = Scan(c.lines);
    EXPECT_EQ(c.expected.number, scanned.header.number) << c.what;
    EXPECT_EQ(c.expected.date, scanned.header.date) << c.what;
    EXPECT_EQ(c.expected.issuer, scanned.header.issuer) << c.what;
    EXPECT_EQ(c.expected.tax_number, scanned.header.tax_number) << c.what;
    EXPECT_EQ(c.lines_taken, scanned.lines_taken) << c.what;
  }
}

TEST(HeaderScan, DateIsTheEightBytesAfterTheTag) {
  const struct {
    std::string line;
    std::string date;
  } cases[] = {
      {kDate, "31.01.2024"},
      {"<szDate> 20240131</szDate>", "13.40. 202"},  // the space is one of the eight
      {"<szDate>2024-01-31</szDate>", "1-.-0.2024"},
      {"<szDate>2023</szDate>", "sz.</.2023"},
      {"<szDate>2023", "..2023"},
      {"<szDate>", ".."},
      {"<szDate>202401311200</szDate>", "31.01.2024"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.date, Scan({c.line}).header.date) << c.line;
}

// A platform that counts the bytes read from its files.
class CountingPlatform : public FakePlatform {
 public:
  mutable std::size_t bytes_read = 0;

  std::unique_ptr<edihal::FileHandle> OpenFile(const std::string& path,
                                               edihal::FileAccess access) const override {
    return std::make_unique<Counted>(FakePlatform::OpenFile(path, access), bytes_read);
  }

 private:
  class Counted final : public edihal::FileHandle {
   public:
    Counted(std::unique_ptr<edihal::FileHandle> inner, std::size_t& count)
        : inner_(std::move(inner)), count_(count) {}
    std::size_t Read(char* buffer, std::size_t size) override {
      const std::size_t got = inner_->Read(buffer, size);
      count_ += got;
      return got;
    }
    void Write(const char* data, std::size_t size) override { inner_->Write(data, size); }
    void Seek(std::uint64_t position) override { inner_->Seek(position); }
    void Truncate() override { inner_->Truncate(); }

   private:
    std::unique_ptr<edihal::FileHandle> inner_;
    std::size_t& count_;
  };
};

std::string LongInvoice(bool with_number) {
  std::string text = "<?xml version=\"1.0\"?>\r\n<Invoice>\r\n  " + kDate + "\r\n";
  if (with_number) text += "  " + kNumber + "\r\n";
  while (text.size() < 2 * 1024 * 1024) text += "  <line><szName>Towar</szName></line>\r\n";
  return text;
}

TEST(HeaderScan, ReadsOnlyUpToTheNumber) {
  CountingPlatform platform;
  platform.files["C:\\Imp\\a.xml"] = LongInvoice(true);
  platform.files["C:\\Imp\\b.xml"] = LongInvoice(false);
  edihal::TMFile reader(platform);
  reader.SetReadOnly(true);
  ListedInvoiceHeader header;

  edihal::ReadInvoiceHeader(reader, "C:\\Imp\\a.xml", header);
  EXPECT_EQ("FV/1/2024", header.number);
  EXPECT_LT(platform.bytes_read, 128u * 1024) << "the file was read past its number";

  // Without a number the file is read to its end, with the same reader.
  platform.bytes_read = 0;
  edihal::ReadInvoiceHeader(reader, "C:\\Imp\\b.xml", header);
  EXPECT_EQ("", header.number);
  EXPECT_EQ("31.01.2024", header.date);
  EXPECT_EQ(platform.files["C:\\Imp\\b.xml"].size(), platform.bytes_read);
  EXPECT_FALSE(reader.IsOpen());
}

}  // namespace
