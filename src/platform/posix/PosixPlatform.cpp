#include "platform/posix/PosixPlatform.h"

namespace edihal {

const Platform& SystemPlatform() {
  static const PosixPlatform platform;
  return platform;
}

}  // namespace edihal
