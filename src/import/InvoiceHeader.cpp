#include "import/InvoiceHeader.h"

#include "import/ElementValue.h"
#include "import/LineTags.h"
#include "selection/TextPrimitives.h"

namespace edihal {

namespace {

constexpr std::string_view kEncodingAttribute = "encoding=\"";

// On a line with an encoding declaration: the line is cut down to the
// declared name (or to what follows the attribute when its closing quote
// is missing), and a known name selects the encoding.
void ScanEncoding(std::string_view& line, SourceEncoding& encoding) {
  // Most lines hold no quotation mark at all: a quick way out for them.
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

std::string PaymentForm(const std::string& media_number) {
  if (media_number == "1") return "GOT";
  if (media_number == "1300") return "PRZEL";
  if (media_number == "300") return "KARTA";
  return "INNA";
}

void ScanHeaderLine(std::string_view line, InvoiceHeader& header) {
  if (line.empty()) return;
  ScanEncoding(line, header.encoding);
  const LineTags tags(line);
  if (!tags.Any()) return;
  if (tags.Has(InvoiceTag::kSaleEnd) || tags.Has(InvoiceTag::kReturnEnd)) {
    ++header.line_count;
  } else if (tags.Has(InvoiceTag::kInvoiceId)) {
    header.number = ElementValue(line);
  } else if (tags.Has(InvoiceTag::kDate)) {
    header.has_date = true;
    header.date = InvoiceDateText(Trim(ElementValue(line)));
  } else if (tags.Has(InvoiceTag::kMediaNumber)) {
    header.payment_form = PaymentForm(Trim(ElementValue(line)));
  }
}

InvoiceHeader ReadInvoiceHeader(TMFile& invoice) {
  InvoiceHeader header;
  std::string_view line;
  while (invoice.NextLine(line)) ScanHeaderLine(line, header);
  return header;
}

}  // namespace edihal
