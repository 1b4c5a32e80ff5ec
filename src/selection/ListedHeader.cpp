#include "selection/ListedHeader.h"

#include "selection/OneBasedText.h"
#include "text/Text.h"

namespace edihal {

namespace {

constexpr char kNumberOpen[] = "<szInvoiceIDPDF>";
constexpr char kNumberClose[] = "</szInvoiceIDPDF>";
constexpr char kDateOpen[] = "<szDate>";
constexpr char kIssuerOpen[] = "<szHeadOfficePartyAddressDescription>";
constexpr char kIssuerClose[] = "</szHeadOfficePartyAddressDescription>";
constexpr char kTaxNumberOpen[] = "<szHeadOfficeCompanyTaxNmbr>";
constexpr char kTaxNumberClose[] = "</szHeadOfficeCompanyTaxNmbr>";

// The date is the eight digits right after the opening tag; the closing
// tag is never looked for.
constexpr TextPos kDateOpenLength = static_cast<TextPos>(sizeof kDateOpen - 1);
constexpr TextPos kDateLength = 8;

}  // namespace

void ListedInvoiceHeader::Clear() {
  number.clear();
  date.clear();
  issuer.clear();
  tax_number.clear();
}

bool ScanListedHeaderLine(std::string& line, ListedInvoiceHeader& header) {
  if (HeaderTagValue(line, kNumberOpen, kNumberClose, header.number)) return true;
  const TextPos date_at = Pos(kDateOpen, line);
  if (date_at != 0) {
    line = SubString(line, date_at + kDateOpenLength, kDateLength);
    header.date = InvoiceDateText(line);
  }
  // Each check sees the line as the one before left it: the issuer's
  // routine keeps what followed its opening tag, so a tax number element
  // later on the same line is still found.
  HeaderTagValue(line, kIssuerOpen, kIssuerClose, header.issuer);
  HeaderTagValue(line, kTaxNumberOpen, kTaxNumberClose, header.tax_number);
  return false;
}

void ReadListedHeader(LineReader& reader, const std::string& path, ListedInvoiceHeader& header) {
  header.Clear();
  reader.Open(path);
  std::string_view view;
  std::string line;
  while (reader.NextLine(view)) {
    line.assign(view);
    if (ScanListedHeaderLine(line, header)) break;
  }
  reader.Close();
}

}  // namespace edihal
