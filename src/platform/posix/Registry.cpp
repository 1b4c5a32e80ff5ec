#include "platform/posix/PosixPlatform.h"

namespace edihal {

// There is no registry here: the install folder always falls back to its
// default.
std::string PosixPlatform::InstallFolderValue() const {
  return std::string();
}

}  // namespace edihal
