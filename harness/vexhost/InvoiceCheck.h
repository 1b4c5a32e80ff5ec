// A diagnosis of one invoice for the integrator (vexhost check): it reads
// the invoice the way the import does and says, line by line, what will
// make the import give a document nobody expects: elements that are not one
// to a line, line blocks not closed or closed without being opened, numbers
// the import cannot read (its own message), VAT codes outside its table,
// an encoding it does not convert, bytes not valid in the declared
// encoding, and, with categorisation, groups the side files do not file
// (the dialog would ask).  It writes nothing.
#ifndef VEXHOST_INVOICECHECK_H
#define VEXHOST_INVOICECHECK_H

#include <string>
#include <vector>

#include "import/categorise/SideFiles.h"
#include "platform/Platform.h"

namespace edihal {

struct CheckFinding {
  long line;         // 1-based
  std::string text;  // Polish, Windows-1250
};

struct CheckSettings {
  char decimal_separator = '.';           // the locale's, as the import reads numbers
  const SideFiles* side_files = nullptr;  // null: categorisation off
};

// The findings for the invoice at `path`, in line order.  A file that
// cannot be read raises EInOutError as the import's would.
std::vector<CheckFinding> CheckInvoice(const Platform& platform, const std::string& path,
                                       const CheckSettings& settings);

}  // namespace edihal

#endif  // VEXHOST_INVOICECHECK_H
