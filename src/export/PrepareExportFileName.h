#ifndef EDIHAL_EXPORT_PREPAREEXPORTFILENAME_H
#define EDIHAL_EXPORT_PREPAREEXPORTFILENAME_H

#include <cstdint>
#include <string>

#include "host/LibraryObject.h"
#include "platform/Platform.h"

namespace edihal {

// What the export pre-step proposes to the host.
struct ExportProposal {
  std::string path;    // the export file to write
  std::string filter;  // file-dialog filter: description|pattern pairs
  std::string prompt;  // the question the host shows
  bool flag = false;   // set when the proposal is complete
};

// Proposes the export path for the host's `number` (-1 when it gave none).
// Errors leave as exceptions, `proposal` then being incomplete.
void PrepareExportFileName(const TVEXBibliotekaEDI& library, const Platform& platform,
                           std::int32_t number, ExportProposal& proposal);

}  // namespace edihal

#endif  // EDIHAL_EXPORT_PREPAREEXPORTFILENAME_H
