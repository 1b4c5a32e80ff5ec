#ifndef EDIHAL_LIBRARY_INSTALLFOLDER_H
#define EDIHAL_LIBRARY_INSTALLFOLDER_H

#include <string>

#include "platform/Platform.h"

namespace edihal {

// The host's installation folder, ending with a backslash; "c:\VexWin\"
// when the registry holds nothing usable.  Read afresh at every call.
std::string InstallFolder(const Platform& platform);

}  // namespace edihal

#endif  // EDIHAL_LIBRARY_INSTALLFOLDER_H
