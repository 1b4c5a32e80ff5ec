#include "import/ImportInvoiceDocument.h"

namespace edihal {

void ImportInvoiceDocument(const TVEXBibliotekaEDI& /*library*/, const Platform& /*platform*/,
                           const std::string& /*output_path*/,
                           const std::string& /*invoice_path*/) {}

}  // namespace edihal
