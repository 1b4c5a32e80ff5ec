// The x87 unit's control word around the module's own work.
//
// A host may run its thread with x87 exceptions unmasked (0x1332: invalid
// operation, zero divide and overflow raise a structured exception at the
// next x87 instruction) or with 53-bit precision (0x027F).  The module's
// arithmetic on long doubles must neither trap nor lose precision, and the
// host must get its own state back.  So every export runs the module's code
// with all exceptions masked, 64-bit precision and rounding to nearest
// (0x037F), and every call back into the host runs with the host's word.
//
// x86 only (32- and 64-bit: long double is the x87 format on both); on any
// other processor these do nothing.
#ifndef EDIHAL_PLATFORM_FPUCONTROL_H
#define EDIHAL_PLATFORM_FPUCONTROL_H

#include <cstdint>

namespace edihal {

// All six exceptions masked, 64-bit precision, round to nearest.
constexpr std::uint16_t kModuleControlWord = 0x037F;

// The bits that mean something: the six masks, precision and rounding, and
// the infinity bit.  Bit 6 reads as 1 whatever was loaded.
constexpr std::uint16_t kControlWordBits = 0x1F3F;

std::uint16_t ReadControlWord();
void LoadControlWord(std::uint16_t word);
// Whether the unit works at 64-bit precision and rounds to nearest, as the
// module's own word sets it.
inline bool X87DividesToNearestExtended() {
  constexpr std::uint16_t kPrecisionAndRounding = 0x0F00;
  return (ReadControlWord() & kPrecisionAndRounding) ==
         (kModuleControlWord & kPrecisionAndRounding);
}
void ClearExceptionFlags();

// For the length of an export: the module's word in, the caller's back out,
// with whatever exception flags the module's work raised cleared first (the
// caller's word may unmask them, and a pending unmasked flag traps at the
// caller's next x87 instruction).
class ModuleFpuScope {
 public:
  ModuleFpuScope() : caller_(ReadControlWord()) { LoadControlWord(kModuleControlWord); }
  ~ModuleFpuScope() {
    ClearExceptionFlags();
    LoadControlWord(caller_);
  }
  ModuleFpuScope(const ModuleFpuScope&) = delete;
  ModuleFpuScope& operator=(const ModuleFpuScope&) = delete;

  std::uint16_t CallerWord() const { return caller_; }

 private:
  std::uint16_t caller_;
};

// For the length of a call into the host from inside an export: the host's
// own word in, the module's back out.
class HostFpuScope {
 public:
  explicit HostFpuScope(std::uint16_t host_word) {
    ClearExceptionFlags();
    LoadControlWord(host_word);
  }
  ~HostFpuScope() { LoadControlWord(kModuleControlWord); }
  HostFpuScope(const HostFpuScope&) = delete;
  HostFpuScope& operator=(const HostFpuScope&) = delete;
};

}  // namespace edihal

#endif  // EDIHAL_PLATFORM_FPUCONTROL_H
