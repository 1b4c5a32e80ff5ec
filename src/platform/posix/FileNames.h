// File names on POSIX: the host's backslash paths in Windows-1250, and the
// file system's slash paths in its own codeset (FileNames.cpp).
#ifndef EDIHAL_PLATFORM_POSIX_FILENAMES_H
#define EDIHAL_PLATFORM_POSIX_FILENAMES_H

#include <string>

namespace edihal {

// The host's backslash path as the file system wants it: slashes, and in
// the file system's codeset.
std::string NativePath(const std::string& host_path);
// A name read from the file system in Windows-1250; false when it has no
// Windows-1250 form.
bool HostName(const std::string& native_name, std::string& host_name);
// A path of the file system in Windows-1250, "?" for what it cannot show.
std::string HostPath(const std::string& native_path);

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_POSIX_FILENAMES_H
