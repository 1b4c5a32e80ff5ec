#include "export/PrepareExportFileName.h"

namespace edihal {

void PrepareExportFileName(const TVEXBibliotekaEDI& /*library*/, const Platform& /*platform*/,
                           std::int32_t /*number*/, ExportProposal& /*proposal*/) {}

}  // namespace edihal
