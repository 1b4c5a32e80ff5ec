#include "FileVersion.h"

namespace hostkit {

// A shared object carries no version resource.
bool ReadFileVersion(const std::string&, FileVersion&) {
  return false;
}

}  // namespace hostkit
