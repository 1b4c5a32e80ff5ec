#include "platform/OsPlatform.h"

namespace edihal {

const Platform& SystemPlatform() {
  static const OsPlatform platform;
  return platform;
}

}  // namespace edihal
