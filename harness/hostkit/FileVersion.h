// What a file's version resource says, as Windows shows it in the file's
// properties.  Only Windows files carry one.
#ifndef EDIHAL_HOSTKIT_FILEVERSION_H
#define EDIHAL_HOSTKIT_FILEVERSION_H

#include <string>

namespace hostkit {

struct FileVersion {
  std::string file_version;  // the fixed part, "1.2.3.0"
  std::string product_name;
  std::string product_version;
  std::string description;  // in the ANSI code page
};

// False when the file has no version resource (always on POSIX).
bool ReadFileVersion(const std::string& path, FileVersion& version);

}  // namespace hostkit

#endif  // EDIHAL_HOSTKIT_FILEVERSION_H
