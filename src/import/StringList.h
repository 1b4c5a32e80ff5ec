// A whole text file as a list of lines, the way the side files of the
// categorisation are read: a line ends at CR, at LF or at CR LF, and a line
// end at the very end of the file does not start another line.
#ifndef EDIHAL_IMPORT_STRINGLIST_H
#define EDIHAL_IMPORT_STRINGLIST_H

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace edihal {

// The lines of `text`, without their line ends.  Empty text has no lines.
std::vector<std::string> SplitLines(const std::string& text);

// The lines of the file at `path`, read whole.  Errors of opening and
// reading leave as EInOutError from the platform.
std::vector<std::string> LoadStringList(const Platform& platform, const std::string& path);

}  // namespace edihal

#endif  // EDIHAL_IMPORT_STRINGLIST_H
