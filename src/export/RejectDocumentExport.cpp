#include "export/RejectDocumentExport.h"

namespace edihal {

void RejectDocumentExport(const TVEXBibliotekaEDI& /*library*/, const std::string& /*text1*/,
                          const std::string& /*text2*/) {}

}  // namespace edihal
