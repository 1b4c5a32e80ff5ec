#include "platform/FpuControl.h"

namespace edihal {

#if defined(__i386__) || defined(__x86_64__)

std::uint16_t ReadControlWord() {
  std::uint16_t word = 0;
  __asm__ __volatile__("fnstcw %0" : "=m"(word));
  return word;
}

void LoadControlWord(std::uint16_t word) {
  __asm__ __volatile__("fldcw %0" : : "m"(word) : "memory");
}

void ClearExceptionFlags() {
  __asm__ __volatile__("fnclex" : : : "memory");
}

#else

std::uint16_t ReadControlWord() {
  return kModuleControlWord;
}

void LoadControlWord(std::uint16_t /*word*/) {}

void ClearExceptionFlags() {}

#endif

}  // namespace edihal
