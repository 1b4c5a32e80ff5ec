// The first reading of an invoice: its declared encoding, number, date and
// payment form, and how many line blocks it announces.
#ifndef EDIHAL_IMPORT_INVOICEHEADER_H
#define EDIHAL_IMPORT_INVOICEHEADER_H

#include <string>
#include <string_view>

#include "import/SourceEncoding.h"
#include "torlib/TMFile.h"

namespace edihal {

struct InvoiceHeader {
  SourceEncoding encoding = SourceEncoding::kNone;
  std::string number;        // "<szInvoiceIDPDF>", untrimmed
  bool has_date = false;     // a "<szDate>" line was seen
  std::string date;          // DD.MM.YYYY from "<szDate>"
  std::string payment_form;  // from "<lMediaNmbr>"; empty without one
  int line_count = 0;        // lines holding a closing block tag
};

// Takes one line of the invoice, as read, into `header`.  A later header
// tag overwrites an earlier one.
void TakeHeaderLine(std::string_view line, InvoiceHeader& header);

// Reads `invoice` from its current position to its end.
InvoiceHeader ReadInvoiceHeader(TMFile& invoice);

// The host's payment form of a "<lMediaNmbr>" value.
std::string PaymentForm(const std::string& media_number);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_INVOICEHEADER_H
