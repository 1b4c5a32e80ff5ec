#ifndef EDIHAL_IMPORT_IMPORTINVOICEDOCUMENT_H
#define EDIHAL_IMPORT_IMPORTINVOICEDOCUMENT_H

#include <string>

#include "host/LibraryObject.h"
#include "platform/Platform.h"

namespace edihal {

// Converts the Halvo XML invoice at `invoice_path` into the host document
// text at `output_path`.  Errors leave as exceptions.
void ImportInvoiceDocument(const TVEXBibliotekaEDI& library, const Platform& platform,
                           const std::string& output_path, const std::string& invoice_path);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_IMPORTINVOICEDOCUMENT_H
