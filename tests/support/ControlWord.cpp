#include "ControlWord.h"

namespace testing_support {

std::uint16_t PendingExceptionFlags() {
#if defined(__i386__) || defined(__x86_64__)
  std::uint16_t status = 0;
  __asm__ __volatile__("fnstsw %0" : "=m"(status));
  return static_cast<std::uint16_t>(status & 0x3F);
#else
  return 0;
#endif
}

}  // namespace testing_support
