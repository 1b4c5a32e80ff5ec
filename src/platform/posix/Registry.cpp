#include "platform/OsPlatform.h"

namespace edihal {

// There is no registry here: the install folder always falls back to its
// default.
std::string OsPlatform::InstallFolderValue() const {
  return std::string();
}

}  // namespace edihal
