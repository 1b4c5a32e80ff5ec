#ifndef EDIHAL_EXPORT_REJECTDOCUMENTEXPORT_H
#define EDIHAL_EXPORT_REJECTDOCUMENTEXPORT_H

#include <string>

#include "host/LibraryObject.h"

namespace edihal {

// Tells the host that documents cannot be exported in this format.
void RejectDocumentExport(const TVEXBibliotekaEDI& library, const std::string& text1,
                          const std::string& text2);

}  // namespace edihal

#endif  // EDIHAL_EXPORT_REJECTDOCUMENTEXPORT_H
