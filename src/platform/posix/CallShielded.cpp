#include <cstdlib>

#include "platform/Platform.h"

namespace edihal {

// POSIX has no structured exceptions: a host callback fails, if at all, by
// throwing, which travels up to the worker's guard by itself.
void CallShielded(void (*call)(void*), void* context) {
  call(context);
}

void RaiseStructuredException(const StructuredException& /*exception*/) {
  std::abort();
}

}  // namespace edihal
