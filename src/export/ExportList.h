// The export list: a text file the host keeps in the export folder, one
// "Dokument:" line per exported document, written in the same element
// syntax as the import selection list (Name{value}Name{value}...).  The
// export pre-step only reads it, to treat the names it lists as taken.
#ifndef EDIHAL_EXPORT_EXPORTLIST_H
#define EDIHAL_EXPORT_EXPORTLIST_H

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

inline constexpr char kExportListFileName[] = "HalXSpis.txt";

// The file name a list line gives: the first non-empty value of an element
// whose name ends in "NazwaZb" (case ignored) on a line keyed "Dokument"
// (case ignored).  False when the line gives none.
bool ListedExportName(const std::string& line, std::string& name);

// The full paths the list at `list_path` names, in file order: `folder`, a
// backslash and each listed name, ".xml" added to a name without a point.
// The file is only read.  A file that cannot be opened or read raises
// EInOutError.
std::vector<std::string> ReadExportList(const Platform& platform, const std::string& list_path,
                                        const std::string& folder);

}  // namespace edihal

#endif  // EDIHAL_EXPORT_EXPORTLIST_H
