// The test module's hooks (TestHooks.h); never part of the shipped module.
#if !defined(EDIHAL_TEST_HOOKS)
#error "TestHooks.cpp belongs to the test module only"
#endif

#include "boundary/TestHooks.h"

#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/Exception.h"
#include "boundary/LibraryHandle.h"

namespace edihal {

// Kinds of armed failure, as EdiHalTest_ArmFailure receives them.
enum ArmedFailure : std::int32_t {
  kArmedNone = 0,
  kArmedAbort = 1,         // EAbort
  kArmedException = 2,     // Exception with the armed message
  kArmedInteger = 3,       // a thrown int: neither of the module's errors
  kArmedStdException = 4,  // std::runtime_error
  // Instead of the worker: every operation of the library object once, with
  // the armed text: progress title and text, the text's length as percent,
  // then ReportMessage("[" + ParameterValue(text) + "]").
  kArmedEcho = 5,
};

class TestableLibrary final : public TVEXBibliotekaEDI {
 public:
  using TVEXBibliotekaEDI::TVEXBibliotekaEDI;
  std::int32_t armed = kArmedNone;
  std::string message;
};

namespace test_hooks {

TVEXBibliotekaEDI* NewLibraryObject(EdiHalHostValue host) {
  return new (std::nothrow) TestableLibrary(host);
}

// Throws the armed failure once, then disarms.
bool RunArmedFailure(TVEXBibliotekaEDI& library) {
  auto& testable = static_cast<TestableLibrary&>(library);
  const std::int32_t kind = testable.armed;
  testable.armed = kArmedNone;
  switch (kind) {
    case kArmedEcho:
      library.ShowProgressTitle(testable.message);
      library.ShowProgressText(testable.message);
      library.ShowProgressPercent(static_cast<std::int32_t>(testable.message.size()));
      library.ReportMessage("[" + library.ParameterValue(testable.message) + "]");
      return true;
    case kArmedAbort:
      throw EAbort();
    case kArmedException:
      throw Exception(testable.message);
    case kArmedInteger:
      throw 42;
    case kArmedStdException:
      throw std::runtime_error(testable.message);
    default:
      break;
  }
  return false;
}

}  // namespace test_hooks

}  // namespace edihal

extern "C" EDIHAL_EXPORT void EDIHAL_STDCALL EdiHalTest_ArmFailure(EdiHalLibrary library,
                                                                   std::int32_t kind,
                                                                   const char* message) {
  auto& testable = static_cast<edihal::TestableLibrary&>(*edihal::ObjectOf(library));
  testable.armed = kind;
  testable.message = message != nullptr ? message : "";
}

#if defined(_WIN32)
// A limit on the size of one allocation anywhere in the module, so that
// Windows tests can make memory run out where a worker reads a large file.
// The run-time is linked into the DLL, so these replace every allocation
// of the module.  (On Linux the tests limit the whole process instead.)
#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_allocation_limit{0};  // 0: none

void* Allocate(std::size_t size) {
  const std::size_t limit = g_allocation_limit.load();
  if (limit != 0 && size > limit) throw std::bad_alloc();
  if (void* memory = std::malloc(size != 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

extern "C" EDIHAL_EXPORT void EDIHAL_STDCALL EdiHalTest_LimitAllocation(std::uint32_t bytes) {
  g_allocation_limit.store(bytes);
}
#endif
