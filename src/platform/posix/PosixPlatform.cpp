#include "platform/posix/PosixPlatform.h"

namespace edihal {

const Platform& SystemPlatform() {
  static const PosixPlatform platform;
  return platform;
}

std::string NativePath(const std::string& host_path) {
  std::string path(host_path);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

}  // namespace edihal
