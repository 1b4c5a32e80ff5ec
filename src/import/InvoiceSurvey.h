// What vexhost check says of an invoice: the import's two readings of it,
// writing nothing.  The first reading's findings (what makes the import
// refuse the invoice, an encoding it does not convert, VAT codes outside
// its table), then those of the reading of the blocks: bytes that are no
// characters in the declared encoding, numbers the import cannot read (its
// own message) and, with the side files, groups they do not file (the
// dialog would ask).
#ifndef EDIHAL_IMPORT_INVOICESURVEY_H
#define EDIHAL_IMPORT_INVOICESURVEY_H

#include <string>
#include <vector>

#include "import/InvoiceReading.h"
#include "import/categorise/SideFiles.h"
#include "platform/Platform.h"

namespace edihal {

struct SurveySettings {
  char decimal_separator = '.';           // the locale's, as the import reads numbers
  const SideFiles* side_files = nullptr;  // null: categorisation off
};

// The findings for the invoice at `path`, in line order.  A file that
// cannot be read raises EInOutError as the import's would.
std::vector<InvoiceFinding> SurveyInvoice(const Platform& platform, const std::string& path,
                                          const SurveySettings& settings);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_INVOICESURVEY_H
