#ifndef EDIHAL_SELECTION_IMPORTSELECTIONLIST_H
#define EDIHAL_SELECTION_IMPORTSELECTIONLIST_H

#include <string>

#include "host/LibraryObject.h"
#include "platform/Platform.h"

namespace edihal {

// Writes the import selection list file at `list_path`: the file-dialog
// filter, the import folder and, in directory mode, one entry per invoice
// file of that folder.  Errors leave as exceptions.
void BuildImportSelectionList(const TVEXBibliotekaEDI& library, const Platform& platform,
                              const std::string& list_path);

}  // namespace edihal

#endif  // EDIHAL_SELECTION_IMPORTSELECTIONLIST_H
