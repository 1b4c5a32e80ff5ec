#include "export/RejectDocumentExport.h"

#include "base/Texts.h"

namespace edihal {

// Writing documents in this format is not supported: the host's texts are
// ignored and the user is told so.
void RejectDocumentExport(const TVEXBibliotekaEDI& library, const std::string& /*text1*/,
                          const std::string& /*text2*/) {
  library.ReportMessage(texts::kExportRefused);
}

}  // namespace edihal
