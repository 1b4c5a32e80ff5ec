// The x87 unit as the tests see it: the one scope in which a stretch of a
// test runs with a control word of its choosing (a host's, or the module's
// at a lower precision), the test's own word put back afterwards, and the
// exception flags pending.
#ifndef EDIHAL_TESTS_SUPPORT_CONTROLWORD_H
#define EDIHAL_TESTS_SUPPORT_CONTROLWORD_H

#include <cstdint>

#include "platform/FpuControl.h"

namespace testing_support {

class ControlWordScope {
 public:
  explicit ControlWordScope(std::uint16_t word) : own_(edihal::ReadControlWord()) {
    edihal::ClearExceptionFlags();
    edihal::LoadControlWord(word);
  }
  ~ControlWordScope() {
    edihal::ClearExceptionFlags();
    edihal::LoadControlWord(own_);
  }
  ControlWordScope(const ControlWordScope&) = delete;
  ControlWordScope& operator=(const ControlWordScope&) = delete;

 private:
  std::uint16_t own_;
};

// The six exception flags of the status word (0 off x86).
std::uint16_t PendingExceptionFlags();

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_CONTROLWORD_H
