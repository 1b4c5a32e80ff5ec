#include "import/InvoiceHeader.h"

#include "import/scan/LineScan.h"
#include "library/TextPrimitives.h"

namespace edihal {

namespace {

constexpr std::string_view kEncodingAttribute = "encoding=\"";

// On a line with an encoding declaration the line is cut down to the
// declared name (or to what follows the attribute when its closing quote
// is missing), and a known name selects the encoding.
void TakeEncodingDeclaration(std::string_view& line, SourceEncoding& encoding) {
  // The attribute holds a quotation mark, which most lines lack: they are
  // passed over with one search.
  if (line.find('"') == std::string_view::npos) return;
  const std::size_t at = line.find(kEncodingAttribute);
  if (at == std::string_view::npos) return;
  line.remove_prefix(at + kEncodingAttribute.size());
  const std::size_t quote = line.find('"');
  if (quote == std::string_view::npos) return;
  line = line.substr(0, quote);
  const std::string name = AnsiUpperCase(std::string(line));
  if (name == "ISO-8859-2") encoding = SourceEncoding::kIso88592;
  if (name == "UTF-8") encoding = SourceEncoding::kUtf8;
}

}  // namespace

void TakeHeaderLine(std::string_view line, InvoiceHeader& header) {
  if (line.empty()) return;
  TakeEncodingDeclaration(line, header.encoding);
  const ScannedLine scanned = ScanLine(line);
  const LineTags& tags = scanned.tags;
  if (tags.Has(InvoiceTag::kSaleEnd) || tags.Has(InvoiceTag::kReturnEnd)) {
    ++header.line_count;
  } else if (tags.Has(InvoiceTag::kInvoiceId)) {
    header.number = std::string(scanned.value);
  } else if (tags.Has(InvoiceTag::kDate)) {
    header.has_date = true;
    header.date = InvoiceDateText(Trim(std::string(scanned.value)));
  } else if (tags.Has(InvoiceTag::kMediaNumber)) {
    header.payment_form = PaymentForm(Trim(std::string(scanned.value)));
  }
}

InvoiceHeader ReadInvoiceHeader(TMFile& invoice) {
  InvoiceHeader header;
  std::string_view line;
  while (invoice.NextLine(line)) TakeHeaderLine(line, header);
  return header;
}

std::string PaymentForm(const std::string& media_number) {
  if (media_number == "1") return "GOT";
  if (media_number == "1300") return "PRZEL";
  if (media_number == "300") return "KARTA";
  return "INNA";
}

}  // namespace edihal
