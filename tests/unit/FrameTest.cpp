// The guard when the host's own error callback fails, which no recording
// host does (host buffers and null texts are cases: cases/identity,
// cases/guard).
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "library/TVEXBibliotekaEDI.h"
#include "boundary/WorkerGuard.h"

namespace {

using namespace edihal;

int32_t EDIHAL_STDCALL ThrowingErrorCallback(EdiHalHostValue, EdiHalHostValue, const char*) {
  throw std::runtime_error("the host failed while reporting");
}

TEST(WorkerGuard, AThrowingErrorCallbackDoesNotEscape) {
  TVEXBibliotekaEDI library(1);
  library.CallbackError = ThrowingErrorCallback;
  EXPECT_FALSE(RunGuarded(library, [] { throw Exception("x"); }));
  EXPECT_FALSE(RunGuarded(library, [] { throw 1; }));
  EXPECT_TRUE(RunGuarded(library, [] {}));
}

}  // namespace
