// Picks the four header values of the selection list out of an invoice:
// number, date, issuer and issuer's tax number.  Each value is taken from
// the line that holds its opening tag (one element per line), and the file
// is read only up to the line with the invoice number, which in these
// invoices stands near the top of a long file.
#ifndef EDIHAL_SELECTION_LISTEDHEADER_H
#define EDIHAL_SELECTION_LISTEDHEADER_H

#include <string>

#include "linefile/LineReader.h"

namespace edihal {

struct ListedInvoiceHeader {
  std::string number;      // trimmed
  std::string date;        // DD.MM.YYYY as InvoiceDateText makes it; empty when not met
  std::string issuer;      // trimmed
  std::string tax_number;  // trimmed

  void Clear();
};

// Takes what one invoice line holds into `header`, a later line overwriting
// an earlier value of the same tag.  Returns true on the invoice number's
// line, after which nothing more is to be read.  `line` is consumed: the
// tag routines cut it as they go.
bool ScanListedHeaderLine(std::string& line, ListedInvoiceHeader& header);

// Clears `header`, then opens `path` with `reader` (reused from file to
// file) and scans it line by line up to the invoice
// number or the end, and closes it again.  A file that cannot be opened or
// read raises EInOutError.
void ReadListedHeader(LineReader& reader, const std::string& path, ListedInvoiceHeader& header);

}  // namespace edihal

#endif  // EDIHAL_SELECTION_LISTEDHEADER_H
