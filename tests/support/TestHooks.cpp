// The test module's side of the seam of boundary/TestHooks.h: a test arms a
// failure for one library object through the export EdiHalTest_ArmFailure,
// and the next worker export on that object meets it.  Compiled into the
// test module EdiHal_X_testhooks only.
#if !defined(EDIHAL_TEST_HOOKS)
#error "TestHooks.cpp belongs to the test module only"
#endif

#include "boundary/TestHooks.h"

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>

#include "base/Exception.h"
#include "boundary/LibraryHandle.h"

namespace edihal {

namespace {

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

struct Armed {
  std::int32_t kind = kArmedNone;
  std::string message;
};

// What each library object has armed, until its next worker export.
std::map<const TVEXBibliotekaEDI*, Armed>& ArmedFailures() {
  static std::map<const TVEXBibliotekaEDI*, Armed> armed;
  return armed;
}

}  // namespace

namespace test_hooks {

// Throws the armed failure once, then disarms.
bool RunArmedFailure(TVEXBibliotekaEDI& library) {
  const auto found = ArmedFailures().find(&library);
  if (found == ArmedFailures().end()) return false;
  const Armed armed = found->second;
  ArmedFailures().erase(found);
  switch (armed.kind) {
    case kArmedEcho:
      library.ShowProgressTitle(armed.message);
      library.ShowProgressText(armed.message);
      library.ShowProgressPercent(static_cast<std::int32_t>(armed.message.size()));
      library.ReportMessage("[" + library.ParameterValue(armed.message) + "]");
      return true;
    case kArmedAbort:
      throw EAbort();
    case kArmedException:
      throw Exception(armed.message);
    case kArmedInteger:
      throw 42;
    case kArmedStdException:
      throw std::runtime_error(armed.message);
    default:
      return false;
  }
}

}  // namespace test_hooks

}  // namespace edihal

extern "C" EDIHAL_EXPORT void EDIHAL_STDCALL EdiHalTest_ArmFailure(EdiHalLibrary library,
                                                                   std::int32_t kind,
                                                                   const char* message) {
  edihal::ArmedFailures()[edihal::ObjectOf(library)] = {kind, message != nullptr ? message : ""};
}
