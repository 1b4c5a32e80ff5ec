// Calls a loaded module the way the real host's runtime does: its thread
// runs with an x87 control word of its own (0x1332: overflow, zero divide
// and invalid operation unmasked; 0x033F; 0x027F: 53-bit precision), and
// it calls with a stack aligned only to 4 bytes.  Every export is called
// through a stub that loads the host's word, calls with the first argument
// 4, 8 or 12 bytes past a 16-byte boundary (32-bit x86), and afterwards
// fails the running test unless the word is still the host's and no
// unmasked exception flag is pending.  The test's own word is loaded again
// after each call.
//
// The stack is misaligned on every call; the control word is the host's
// only when EDIHAL_HOST_CONTROL_WORD names one (e.g. 0x1332), or while a
// test switches it on with HostControlWordScope.
#ifndef EDIHAL_TESTS_SUPPORT_REALHOST_H
#define EDIHAL_TESTS_SUPPORT_REALHOST_H

#include <cstdint>

#include "LoadedModule.h"

namespace testing_support {

// The modules under test, loaded once per test program from beside it and
// called through the stubs below: the test-hook build for most tests, the
// release build where the shipped module itself matters.
const hostkit::ModuleApi& TestModule();
const hostkit::ModuleApi& ReleaseModule();

// Arms a failure of the test module for the next worker export on
// `library` (tests/support/TestHooks.cpp says which kinds there are).
void ArmFailure(EdiHalLibrary library, int32_t kind, const char* message);

// Switches the real-host calls on with `word` for as long as it lives.
class HostControlWordScope {
 public:
  explicit HostControlWordScope(std::uint16_t word);
  ~HostControlWordScope();
  HostControlWordScope(const HostControlWordScope&) = delete;
  HostControlWordScope& operator=(const HostControlWordScope&) = delete;

 private:
  std::uint16_t outer_;
};

// `api` with every export behind a real-host stub.  `which` (0 to 2) picks
// one of three sets of stubs, one per loaded module: 0 and 1 for the test
// program's two modules (TestModule, ReleaseModule), 2 for a module loaded
// for a while.
hostkit::ModuleApi LikeRealHost(const hostkit::ModuleApi& api, int which);

// For the host's callbacks: fails the running test unless the module
// called back on a stack that the callback's compiler can rely on and, in
// real-host mode, with the host's control word.
// `first_argument` is the address of the callback's first argument.
void ExpectHostSideState(const char* callback, const void* first_argument);

}  // namespace testing_support

#endif  // EDIHAL_TESTS_SUPPORT_REALHOST_H
