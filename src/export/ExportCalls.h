// The host's two export calls: the pre-step, which proposes the file to
// export into, and the export itself, which this format refuses.
#ifndef EDIHAL_EXPORT_EXPORTCALLS_H
#define EDIHAL_EXPORT_EXPORTCALLS_H

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

// Tells the host that documents cannot be exported in this format; its two
// texts are ignored.
void RejectDocumentExport(const TVEXBibliotekaEDI& library, const std::string& text1,
                          const std::string& text2);

}  // namespace edihal

#endif  // EDIHAL_EXPORT_EXPORTCALLS_H
