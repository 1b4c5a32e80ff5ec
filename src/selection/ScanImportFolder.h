#ifndef EDIHAL_SELECTION_SCANIMPORTFOLDER_H
#define EDIHAL_SELECTION_SCANIMPORTFOLDER_H

#include <string>
#include <vector>

#include "host/LibraryObject.h"
#include "platform/Platform.h"

namespace edihal {

// Replaces `names` with the names (without folder) of the invoice files in
// `folder`: those matching the host's file-name prefix followed by
// "*.xml", case ignored, ordinary, read-only or archive files only.  The
// names stand in the order the file system lists them.
void ScanImportFolder(const TVEXBibliotekaEDI& library, const Platform& platform,
                      std::vector<std::string>& names, const std::string& folder);

}  // namespace edihal

#endif  // EDIHAL_SELECTION_SCANIMPORTFOLDER_H
